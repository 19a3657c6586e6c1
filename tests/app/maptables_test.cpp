#include "app/maptables.h"

#include "mapedit/tab.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

namespace {

// A stand-in main window: an image, live values, a port, and a page whose
// table-changed routine stores the first cell of its table into the image.
struct FakeMainWindow : ::testing::Test {
    std::array<uint8_t, 4800> PcImage {};
    MapLiveValues live;
    int port = 1;
    std::vector<TTab*> changed;
    int commits = 0;
    QWidget parent;
    MapTableSet form;

    static constexpr int CELL_BYTE = 100;

    FakeMainWindow()
    {
        SetTabInputProbe([] { return TabInputState {}; });
        form.Host.PcImage = PcImage.data();
        form.Host.LiveValues = [this] { return live; };
        form.Host.ConnectedPort = [this] { return port; };
        form.Host.FormCreated = [] { return true; };
        form.Host.TableChanged = [this](TTab* t) {
            changed.push_back(t);
            PcImage[CELL_BYTE] = uint8_t(t->Sheets[0].V.Values[0]);
        };
        form.Host.StoreAndReloadPage = [this] { commits++; };
        PcImage[IMAGE_BASE_ADVANCE] = 12;
        PcImage[IMAGE_LIMITER] = 105;
        PcImage[IMAGE_LIMITER_INJ] = 90;
        PcImage[IMAGE_START_LIMITER] = 30;
    }
    ~FakeMainWindow() override { SetTabInputProbe(nullptr); }

    // A page's advance-like table with one sheet bound to the image.
    TTab* AddTable(const char* valueKey)
    {
        TTab* t = CreateMapTable(form, form.MapTableCount, 600, 300, TABSTYLE_TOOLBAR | TABSTYLE_TABLE, &parent);
        const int s = t->AddSheet("Map", "RPM", "TP", valueKey, 3, 2,
            SHEET_LIVE_MARKER | SHEET_BASE_ADVANCE_LINE | SHEET_LIMITER_LINE | SHEET_START_LIMITER_LINE);
        t->DefineAxes(s, 1, "RPM", "", 3, 250, 100, 1, nullptr, 1, 1, 1, 3, 0, 0, 1, -1, 1, 0xFCE2F4, nullptr);
        t->DefineAxes(s, 2, "TP", "%", 0, 100, 1, 1, nullptr, 0, 1, 1, 2, 0, 0, 0, -2, 1, 0xFCE2F4, nullptr);
        t->DefineAxes(s, 4, valueKey, "", 0, 60, 1, 0, nullptr, 1, 2, 0, 0, 0, 0, 0, 0, 1, 0xFCE2F4, nullptr);
        CSheet& sh = t->Sheets[s];
        for (int c = 0; c < 3; c++)
            sh.X.Values[c] = 10 * (c + 1);
        sh.Y.Values[0] = 0;
        sh.Y.Values[1] = 100;
        t->ApplyLimits(&sh, 0x107);
        t->SelectSheet(0);
        return t;
    }
};

} // namespace

TEST_F(FakeMainWindow, LiveValuesReachEveryTable)
{
    TTab* t = AddTable("ADV");
    struct Case {
        MapLiveValues in;
        int port;
        int32_t tp, iap, tw, ta, tst, missing;
    } cases[] = {
        { { .Rpm = 2400, .Throttle = 305, .Pressure = 1004, .CoolantByte = 0, .AirByte = 0, .TimeSinceStart = 99 }, 1,
            30, 100, 80, 50, 9, 0 },
        { { .Rpm = 2400, .Pressure = 1005, .CoolantByte = 190, .AirByte = 125, .ThrottleMissing = true }, 1, 0, 101, 90,
            25, 0, 0x2 },
        { { .PressureMissing = true }, 0, 0, 0, 80, 50, 0, 0x104 },
    };
    for (const Case& c : cases) {
        live = c.in;
        port = c.port;
        SyncMapTables(form);
        EXPECT_EQ(t->LiveTp, c.tp);
        EXPECT_EQ(t->LiveIap, c.iap);
        EXPECT_EQ(t->LiveTw, c.tw);
        EXPECT_EQ(t->LiveTa, c.ta);
        EXPECT_EQ(t->LiveTst, c.tst);
        EXPECT_EQ(t->LiveMissing, c.missing);
    }
}

TEST_F(FakeMainWindow, LiveMarkerFollowsTheEngine)
{
    TTab* t = AddTable("ADV");
    live.Rpm = 2400;
    live.Throttle = 900;
    SyncMapTables(form);
    SyncMapTables(form); // the marker is placed on ticks with bit 2
    EXPECT_EQ(t->Sheet->LiveCol, 1);
    EXPECT_EQ(t->Sheet->LiveRow, 1);
    EXPECT_EQ(t->Sheet->LiveState, 1);
    live.Rpm = 2600;
    for (int i = 0; i < 4; i++)
        SyncMapTables(form);
    EXPECT_EQ(t->Sheet->LiveCol, 2);
    port = 0; // no unit: no marker
    for (int i = 0; i < 4; i++)
        SyncMapTables(form);
    EXPECT_EQ(t->Sheet->LiveState, 0);
}

TEST_F(FakeMainWindow, BoundValuesLoadAndWriteBack)
{
    TTab* a = AddTable("ADV");
    TTab* b = AddTable("INJ");
    SyncMapTables(form);
    EXPECT_EQ(a->BaseAdvance, 12);
    EXPECT_EQ(a->LimiterRpm, 10500);
    EXPECT_EQ(b->LimiterRpm, 9000); // injection tables keep their own limiter
    EXPECT_EQ(a->StartLimiterRpm, 3000);
    EXPECT_EQ(form.MapLimitsChanged, 0);

    // Moving the base advance and the limiter on one table reaches the image and the other table.
    a->NoteChange(0, CHANGE_MULTI_OPEN);
    a->BaseAdvance = 15;
    a->LimiterRpm = 10550;
    a->NoteChange(CHANGED_CELLS, 0);
    EXPECT_EQ(PcImage[IMAGE_BASE_ADVANCE], 15);
    EXPECT_EQ(PcImage[IMAGE_LIMITER], 105);
    EXPECT_EQ(form.MapLimitsChanged, 2);
    SyncMapTables(form);
    EXPECT_EQ(b->BaseAdvance, 15);
    EXPECT_EQ(a->LimiterRpm, 10500);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0], a);
    EXPECT_EQ(commits, 1);
}

TEST_F(FakeMainWindow, AnEditReachesTheImageOnceThroughOneGroup)
{
    TTab* t = AddTable("ADV");
    t->Sheet->V.Values[0] = 20;
    t->Sheet->Sel.SelectItem(t->TableHitMap, 0, 0);
    t->HandleKey(0, '+');
    t->HandleKey(0, '+');
    t->HandleKey(0, '+');
    for (int i = 0; i < 4; i++)
        SyncMapTables(form);
    EXPECT_EQ(PcImage[CELL_BYTE], 0); // the group is still open
    for (int i = 0; i < 4; i++)
        SyncMapTables(form);
    EXPECT_EQ(PcImage[CELL_BYTE], 23);
    EXPECT_EQ(changed.size(), 1u);
    EXPECT_EQ(commits, 1);
}

TEST_F(FakeMainWindow, TypedValuesStepButtonsAndTheWheelReachTheImage)
{
    TTab* t = AddTable("ADV");
    t->Sheet->V.Values[0] = 20;
    auto settle = [this] {
        for (int i = 0; i < 6; i++)
            SyncMapTables(form);
    };
    // Typed: one report at once.
    t->Sheet->Sel.SelectItem(t->TableHitMap, 0, 0);
    t->HandleKey(0, '3');
    t->HandleKey(0, '3');
    t->HandleKey(KEY_ENTER, 0);
    EXPECT_EQ(PcImage[CELL_BYTE], 33);
    EXPECT_EQ(changed.size(), 1u);
    // The plus step button of the cell under the pointer, then the wheel: one group.
    t->SetHoverItem(0, 0);
    t->SetPointer(t->PlusRect.left + 2, t->PlusRect.top + 2);
    t->LeftDown();
    t->LeftUp();
    t->Wheel(1);
    settle();
    EXPECT_EQ(PcImage[CELL_BYTE], 35);
    EXPECT_EQ(changed.size(), 2u);
    // A step followed at once by a typed value: both reach the image, one report each.
    t->Wheel(1);
    t->HandleKey(0, '4');
    t->HandleKey(0, '0');
    t->HandleKey(KEY_ENTER, 0);
    EXPECT_EQ(changed.size(), 4u);
    EXPECT_EQ(PcImage[CELL_BYTE], 40);
    settle();
    EXPECT_EQ(changed.size(), 4u);
}

TEST_F(FakeMainWindow, AtMostFortyTables)
{
    for (int i = 0; i < MAX_MAP_TABLES; i++)
        ASSERT_NE(CreateMapTable(form, i, 100, 100, TABSTYLE_TABLE, &parent), nullptr);
    EXPECT_EQ(CreateMapTable(form, 40, 100, 100, TABSTYLE_TABLE, &parent), nullptr);
    EXPECT_EQ(form.MapTableCount, MAX_MAP_TABLES);
    // Sheets a table never added are left alone by the tick.
    SyncMapTables(form);
    EXPECT_NE(form.MapTables[0]->ToolBitmaps[6], nullptr);
}

TEST(RecolorBitmap, ReplacesOnlyTheGivenColour)
{
    QImage img(2, 1, QImage::Format_RGB32);
    img.setPixelColor(0, 0, QColor(0xD4, 0xD2, 0xCC));
    img.setPixelColor(1, 0, QColor(1, 2, 3));
    RecolorBitmap(&img, 0xCCD2D4, 0x00FF00);
    EXPECT_EQ(img.pixelColor(0, 0), QColor(0, 255, 0));
    EXPECT_EQ(img.pixelColor(1, 0), QColor(1, 2, 3));
    RecolorBitmap(nullptr, 0, 0);
}
