#include "app/maptables.h"

#include "app/bitmaps.h"
#include "files/errorlog.h"
#include "mapedit/clipboard.h"
#include "mapedit/tab.h"
#include "platform/graphics.h"
#include "texts/langtext.h"

#include <QImage>
#include <QWidget>

#include <cstring>

int32_t FollowLivePosition = 0;

namespace {

constexpr const char* TOOL_BITMAP_NAMES[15]
    = { "CLBRD_COPY", "CLBRD_PAST", "CLBRD_COPY0", "CLBRD_PAST0", "CLBRD_COPYSHEET", "CLBRD_PASTSHEET", "BTTAB", "BT2D",
          "BT3D", "BTCHK0", "BTCHK1", "BT_G", "BT_T", "BT_P", "BT_nP" };
// Glyph faces in this colour take the desktop's button face.
constexpr TColor GLYPH_FACE = 0xCCD2D4;
constexpr int RECOLOURED = 9;
constexpr int GRAPH_DRAW_MODE3_D = 4;

// The main window of the last CreateMapTable: the tables report to it.
MapTableSet* g_owner = nullptr;

void WireTextServices()
{
    SetTabTextSelector([](const char* text, int language) {
        const char* chosen = SelectLangText(text, language);
        return std::string(chosen ? chosen : "");
    });
    SetTabLanguageSource([] { return LangIndex; });
    SetMapErrorReporter([](const char* message) { AppendErrorLog(message); });
}

// The toolbar glyphs, loaded once; the first nine recoloured to the button face.
const QImage* const* ToolGlyphs()
{
    static QImage recoloured[RECOLOURED];
    static const QImage* glyphs[15] = {};
    static bool loaded = false;
    if (!loaded) {
        loaded = true;
        for (int i = 0; i < 15; i++) {
            const QImage* picture = GetResourceBitmap(TOOL_BITMAP_NAMES[i]);
            if (picture && i < RECOLOURED) {
                recoloured[i] = picture->convertToFormat(QImage::Format_RGB32);
                RecolorBitmap(&recoloured[i], GLYPH_FACE, clBtnFace);
                picture = &recoloured[i];
            }
            glyphs[i] = picture;
        }
    }
    return glyphs;
}

bool IsInjectionTable(const TTab* table)
{
    return table->SheetCount > 0 && std::strstr(table->Sheets[0].V.Key, "INJ") != nullptr;
}

TTab* FocusedTable(MapTableSet& form)
{
    for (int i = 0; i < form.MapTableCount; i++)
        if (form.MapTables[i] && form.MapTables[i]->hasFocus())
            return form.MapTables[i];
    return nullptr;
}

void FocusPageTable(MapTableSet& form)
{
    const int page = form.Host.ActivePage ? form.Host.ActivePage() : -1;
    TTab* table = page == ADVANCE_PAGE ? form.AdvanceTable : page == INJECTION_PAGE ? form.InjectionTable : nullptr;
    if (table)
        table->setFocus(Qt::OtherFocusReason);
}

} // namespace

TTab* CreateMapTable(MapTableSet& form, int id, int width, int height, int32_t style, QWidget* parent)
{
    if (form.MapTableCount >= MAX_MAP_TABLES)
        return nullptr;
    if (!g_owner)
        WireTextServices();
    g_owner = &form;
    TTab* table = new TTab(parent, width, height, style);
    table->TableId = id;
    table->FollowLive = &FollowLivePosition;
    table->OnMapTableChanged = [](TTab* t) { OnMapTableChanged(t); };
    table->SheetClipFormat = RegisterClipboardFormat("CF_MORVANTA_SHEET");
    const QImage* const* glyphs = ToolGlyphs();
    for (int i = 0; i < 15; i++)
        table->ToolBitmaps[i] = glyphs[i];
    table->Graph.DrawMode = GRAPH_DRAW_MODE3_D;
    form.MapTables[form.MapTableCount++] = table;
    form.MapLimitsChanged = 1;
    form.MapSyncPrev = 1;
    return table;
}

void SyncMapTables(MapTableSet& form)
{
    const MapLiveValues live = form.Host.LiveValues ? form.Host.LiveValues() : MapLiveValues {};
    const int32_t t = live.Throttle / 10, t2 = live.ServoThrottle / 10;
    const int32_t p = (live.Pressure + 5) / 10;
    const int32_t w = live.CoolantByte ? live.CoolantByte - 100 : 80;
    const int32_t a = live.AirByte ? live.AirByte - 100 : 50;
    const int32_t ts = live.TimeSinceStart / 10;
    int32_t missing = (live.ThrottleMissing ? 0x2 : 0) | (live.PressureMissing ? 0x4 : 0);
    if (!form.Host.ConnectedPort || form.Host.ConnectedPort() == 0)
        missing |= 0x100;
    const uint8_t* image = form.Host.PcImage;
    for (int i = 0; i < form.MapTableCount; i++) {
        TTab* table = form.MapTables[i];
        if (form.MapSyncPrev)
            // Only the sheets the table has: the others have no arrays.
            for (int s = 0; s < table->SheetCount; s++) {
                CSheet& sheet = table->Sheets[s];
                if (sheet.X.Values && sheet.X.PrevValues)
                    std::memcpy(sheet.X.PrevValues, sheet.X.Values, TAB_MAX_COLS * sizeof(int32_t));
                if (sheet.Y.Values && sheet.Y.PrevValues)
                    std::memcpy(sheet.Y.PrevValues, sheet.Y.Values, TAB_MAX_ROWS * sizeof(int32_t));
            }
        if (form.MapLimitsChanged && image) {
            table->BaseAdvance = image[IMAGE_BASE_ADVANCE];
            table->StartLimiterRpm = image[IMAGE_START_LIMITER] * 100;
            table->LimiterRpm = image[IsInjectionTable(table) ? IMAGE_LIMITER_INJ : IMAGE_LIMITER] * 100;
            table->RedrawBits |= uint32_t(form.MapLimitsChanged);
        }
        table->LiveRpm = live.Rpm;
        table->LiveTp = (table == form.ServoTable && table->CurrentIndex == 0) ? t2 : t;
        table->LiveIap = p;
        table->LiveInjTpShare = live.InjTpShare;
        table->LiveLoadBits = (live.FirstMapIap ? 0x10 : 0) | (live.SecondMapIap ? 0x20 : 0);
        table->LiveTa = a;
        table->LiveTw = w;
        table->LiveTst = ts;
        table->LiveAfr = live.Afr;
        table->LiveMissing = missing;
        table->Tick();
    }
    form.MapLimitsChanged = 0;
}

void OnMapTableChanged(TTab* table)
{
    WriteBackMapLimits(table);
}

void WriteBackMapLimits(TTab* table)
{
    if (!g_owner || !table)
        return;
    MapTableSet& form = *g_owner;
    if (uint8_t* image = form.Host.PcImage) {
        const struct {
            int offset;
            int32_t value;
        } bound[] = {
            { IMAGE_BASE_ADVANCE, table->BaseAdvance },
            { IMAGE_START_LIMITER, table->StartLimiterRpm / 100 },
            { IsInjectionTable(table) ? IMAGE_LIMITER_INJ : IMAGE_LIMITER, table->LimiterRpm / 100 },
        };
        for (const auto& b : bound) {
            const uint8_t byte = uint8_t(b.value & 0xFF);
            if (image[b.offset] != byte)
                form.MapLimitsChanged |= 2;
            image[b.offset] = byte;
        }
    }
    RefreshPagesOfTable(form, table);
}

void RefreshPagesOfTable(MapTableSet& form, TTab* table)
{
    if (form.Host.TableChanged)
        form.Host.TableChanged(table);
    if (form.Host.FormCreated && form.Host.FormCreated() && form.Host.StoreAndReloadPage)
        form.Host.StoreAndReloadPage();
    if (form.Host.LogUiState)
        form.Host.LogUiState();
}

void InterpolateFocusedTable(MapTableSet& form)
{
    FocusPageTable(form);
    if (TTab* table = FocusedTable(form))
        table->DoCommand(101);
}

void StepFocusedTable(MapTableSet& form, int n)
{
    FocusPageTable(form);
    if (TTab* table = FocusedTable(form))
        table->IncrementSelection(n);
}

void RecolorBitmap(QImage* bitmap, TColor from, TColor to)
{
    if (!bitmap || bitmap->isNull())
        return;
    const QRgb a = ColorToQColor(from).rgb(), b = ColorToQColor(to).rgb();
    if (bitmap->format() != QImage::Format_RGB32 && bitmap->format() != QImage::Format_ARGB32)
        *bitmap = bitmap->convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < bitmap->height(); y++) {
        QRgb* line = reinterpret_cast<QRgb*>(bitmap->scanLine(y));
        for (int x = 0; x < bitmap->width(); x++)
            if ((line[x] | 0xFF000000u) == a)
                line[x] = b;
    }
}
