// The monitor's leaf widgets: printed values and labels, buttons, texts,
// widths fitted over the languages, and the selection marks.

#include "widgetfixture.h"

#include <algorithm>
#include <string>

namespace {

ValueDef Row(int width, int decimals, int kind, double value)
{
    ValueDef d = InitialValueDefs()[0];
    d.width = width;
    d.decimals = decimals;
    d.displayKind = kind;
    d.value = value;
    return d;
}

TEST_F(WidgetGroupTest, FormatValuePrintsNumbersStatesAndPlaceholders)
{
    struct Case {
        ValueDef def;
        int hasValues;
        int language;
        std::string expected;
    };
    const Case cases[] = {
        { Row(5, 1, defkind::Number, 0), 0, 0, "xxx.x" },
        { Row(4, 0, defkind::Number, 0), 0, 0, "xxxx" },
        { Row(0, 0, defkind::Number, 0), 0, 0, "xxxx" }, // an unknown id
        { Row(3, 5, defkind::Number, 0), 0, 0, ".xx" },
        { Row(5, -2, defkind::Number, 0), 0, 0, "xxx00" },
        { Row(4, 1, defkind::Number, 12.34), 1, 0, "12.3" },
        { Row(5, 0, defkind::Number, 3000), 1, 0, " 3000" },
        { Row(4, 1, defkind::Number, -100), 1, 0, "-100.0" },
        { Row(0, 0, defkind::Number, 0), 1, 0, "0" },
        { Row(5, -2, defkind::Number, 1260), 1, 0, " 1300" },
        { Row(1, 0, defkind::YesNo, 0), 0, 0, "NO" },
        { Row(1, 0, defkind::YesNo, 0.5), 1, 0, "YES" },
        { Row(1, 0, defkind::YesNo, 1), 1, 1, "JA" },
        { Row(1, 0, defkind::YesNo, 0), 1, 2, "NE" },
        { Row(1, 0, defkind::Running, 0), 1, 0, "no signal" },
        { Row(1, 0, defkind::Running, 1), 1, 1, "läuft" },
        { Row(1, 0, defkind::Running, 0), 1, 2, "bez signálu" },
        { Row(1, 0, 2, 1), 1, 0, " " },
    };
    for (const Case& c : cases) {
        ValueDef def = c.def;
        CMyValue value;
        value.s = &def;
        MonitorHasValues = c.hasValues;
        LangIndex = c.language;
        EXPECT_EQ(value.FormatValue(), c.expected) << c.expected;
    }
}

TEST_F(WidgetGroupTest, LabelTextNamesTheValueWithItsUnits)
{
    struct Case {
        int id;
        int units;
        int language;
        std::string expected;
    };
    const Case cases[] = {
        { 1020, 1, 0, "TPS [%]" },
        { 1020, 0, 0, "TPS" },
        { 1010, 1, 0, "RPM" },
        { 59010, 1, 0, "VAL1 " },
        { 1160, 1, 1, "Geschwindigkeit [km/h]" },
        { 6170, 1, 2, "Start Jet [ms]" },
        { 12345, 1, 0, "?ID not found?" },
    };
    for (const Case& c : cases) {
        CMyLabel label;
        label.s = GetDef(c.id);
        label.units = c.units;
        LangIndex = c.language;
        EXPECT_EQ(label.LabelText(), c.expected) << c.id;
    }
    ValueDef nameless = InitialValueDefs()[0];
    nameless.name = "";
    CMyLabel label;
    label.s = &nameless;
    EXPECT_EQ(label.LabelText(), " ");
}

TEST_F(WidgetGroupTest, ToggleCommitsOnlyWhenReleasedInside)
{
    struct Case {
        const char* what;
        bool leaveBetween;
        int state;
        int down;
    };
    const Case cases[] = {
        { "released inside", false, 1, 1 },
        { "released outside", true, 0, 0 },
    };
    for (const Case& c : cases) {
        group.FreeAll();
        auto* pin = Add<CMyPin>(10, 10, 14, 16);
        pin->type = CMyButt::Toggle;
        Press(15, 15);
        EXPECT_EQ(pin->Down, 1) << c.what;
        if (c.leaveBetween)
            Move(100, 100);
        group.MouseUp();
        EXPECT_EQ(pin->state, c.state) << c.what;
        EXPECT_EQ(pin->Down, c.down) << c.what;
    }
    // A second press inside switches it back.
    auto* pin = dynamic_cast<CMyPin*>(group.items.back());
    pin->state = 1;
    pin->Down = 1;
    Click(15, 15);
    EXPECT_EQ(pin->state, 0);
}

TEST_F(WidgetGroupTest, SetStrKeepsACopyAndNeverAnEmptyText)
{
    CMyText text;
    char source[] = "Oil";
    text.SetStr(source);
    source[0] = 'X';
    EXPECT_EQ(text.text, "Oil");
    text.SetStr("");
    EXPECT_EQ(text.text, " ");
    text.SetStr(nullptr);
    EXPECT_EQ(text.text, " ");
}

TEST_F(WidgetGroupTest, FitWidthTakesTheWidestLanguage)
{
    // Start from a size the fitting keeps, so that every text of a widget
    // is measured at the same size.
    for (int i = 0; i < 20; ++i) {
        const int size = canvas.Font.Size();
        const int fitted = size * 20 / canvas.TextHeight("Q");
        if (fitted == size)
            break;
        canvas.Font.SetSize(fitted);
    }
    // The German speed label is the widest of its three texts.
    ValueDef german = *GetDef(1160);
    german.name = "Geschwindigkeit";
    for (int language : { 0, 2 }) {
        LangIndex = language;
        auto* speed = Add<CMyLabel>(0, 0, 10, 20, 1160);
        auto* plain = Add<CMyLabel>(0, 30, 10, 20);
        plain->s = &german;
        const int fontSize = canvas.Font.Size();
        speed->FitWidth();
        plain->FitWidth();
        EXPECT_EQ(canvas.Font.Size(), fontSize) << "the font is left as it was";
        EXPECT_EQ(LangIndex, language);
        EXPECT_GT(speed->Width, 10);
        EXPECT_EQ(speed->Width, plain->Width) << language;
    }

    // A running state is as wide as its widest text in any language.
    int widest = 0;
    for (const char* t : { "is running", "no signal", "läuft", "kein Signal", "pracuje", "bez signálu" }) {
        ValueDef def = InitialValueDefs()[0];
        def.name = t;
        auto* label = Add<CMyLabel>(0, 0, 10, 20);
        label->s = &def;
        label->FitWidth();
        widest = std::max(widest, label->Width);
    }
    auto* state = Add<CMyValue>(0, 0, 10, 20, 3010);
    state->s->value = 1;
    state->FitWidth();
    EXPECT_EQ(state->Width, widest);
    EXPECT_EQ(state->s->value, 1) << "the value is put back";

    auto* text = Add<CMyText>(0, 0, 10, 20);
    text->SetStr("Geschwindigkeit [km/h]");
    text->FitWidth();
    auto* speed = Add<CMyLabel>(0, 0, 10, 20, 1160);
    speed->FitWidth();
    EXPECT_EQ(text->Width, speed->Width);
}

TEST_F(WidgetGroupTest, SelectionMarksShowFocusAndLock)
{
    struct Case {
        const char* what;
        bool locked;
        bool focused;
        TColor cornerInside;
        TColor edgeMiddle;
    };
    const Case cases[] = {
        { "focused, locked: filled corners only", true, true, clBlack, clWhite },
        { "focused, free: filled corners and middles", false, true, clBlack, clBlack },
        { "selected, not focused: hollow handles", false, false, clWhite, clWhite },
    };
    for (const Case& c : cases) {
        group.FreeAll();
        image.fill(Qt::white);
        group.editMode = 1;
        auto* w = Add<CMyImage>(20, 20, 61, 31);
        w->nprable = c.locked ? 0 : 1;
        auto* other = Add<CMyImage>(200, 20, 40, 40);
        Click(50, 35);
        if (!c.focused)
            Click(210, 30, true);
        ASSERT_EQ(w->selected, 1);
        group.Paint();
        EXPECT_EQ(Pixel(20, 20), clBlack) << c.what << ": the handle's frame";
        EXPECT_EQ(Pixel(22, 22), c.cornerInside) << c.what;
        EXPECT_EQ(Pixel(78, 48), c.cornerInside) << c.what;
        // The edge middle square: (L + (W - 5) / 2, T) to (L + (W + 5) / 2, T + 5).
        EXPECT_EQ(Pixel(50, 22), c.edgeMiddle) << c.what;
        EXPECT_EQ(Pixel(50, 35), clWhite) << c.what << ": the inside stays";
        (void)other;
    }
    // An unselected widget shows no marks.
    group.ClearSelection();
    image.fill(Qt::white);
    group.Paint();
    EXPECT_EQ(Pixel(22, 22), clWhite);
}

TEST_F(WidgetGroupTest, ValuesAreRedUntilTheFirstLiveValue)
{
    auto* value = Add<CMyValue>(10, 10, 120, 40, 1020);
    value->TextColor = clBlue;
    const auto colours = [&] {
        image.fill(Qt::white);
        group.Paint();
        bool red = false, blue = false;
        for (int y = 10; y < 50; ++y)
            for (int x = 10; x < 130; ++x) {
                red |= Pixel(x, y) == clRed;
                blue |= Pixel(x, y) == clBlue;
            }
        return std::pair { red, blue };
    };
    EXPECT_EQ(colours(), (std::pair { true, false }));
    MonitorHasValues = 1;
    EXPECT_EQ(colours(), (std::pair { false, true }));
}

TEST_F(WidgetGroupTest, EmptyRectanglesPaintNothing)
{
    for (int width : { 0, -100 }) {
        image.fill(Qt::white);
        group.FreeAll();
        for (CMyComponent* w : { static_cast<CMyComponent*>(Add<CMyValue>(50, 50, width, 20, 1010)),
                 static_cast<CMyComponent*>(Add<CMyLabel>(50, 50, width, 20, 1010)),
                 static_cast<CMyComponent*>(Add<CMyButt>(50, 50, width, 20, 1010)),
                 static_cast<CMyComponent*>(Add<CMyIndicator>(50, 50, width, 20, 1010)) })
            w->selected = 1;
        group.Color = clWhite;
        group.Paint();
        const QImage blank = [] {
            QImage i(400, 300, QImage::Format_RGB32);
            i.fill(Qt::white);
            return i;
        }();
        canvas.Flush();
        EXPECT_EQ(image, blank) << width;
    }
}

TEST_F(WidgetGroupTest, BasePaintScalesTheRightEdgeOnTheSum)
{
    struct Case {
        float zoom;
        int rightFrame; // (Left + Width) x zoom, truncated once
    };
    // Left 3 and Width 5 at 1.5: 12, where two truncated products would give 11.
    const Case cases[] = { { 1.0f, 8 }, { 1.5f, 12 }, { 2.0f, 16 }, { 0.7f, 5 } };
    for (const Case& c : cases) {
        group.FreeAll();
        image.fill(Qt::black);
        auto* button = Add<CMyButt>(3, 3, 5, 5);
        button->caption = "";
        button->Color = clBlue;
        button->SetZoom(c.zoom);
        button->Paint();
        EXPECT_EQ(Pixel(c.rightFrame, int(3 * c.zoom) + 1), 0xC0C0C0) << c.zoom;
        EXPECT_EQ(Pixel(c.rightFrame - 1, int(3 * c.zoom) + 1), clBlue) << c.zoom;
        EXPECT_EQ(Pixel(c.rightFrame + 1, int(3 * c.zoom) + 1), clBlack) << c.zoom;
    }
    EXPECT_EQ(BlendColor(clRed, clWhite), 0xBFBFFF);
    EXPECT_EQ(BlendColor(0x7F102030, 0x000004), 0x04080F) << "per channel, the top byte cleared";
}

TEST_F(WidgetGroupTest, RecordsCarryTheCommonFieldsFromOffset20)
{
    std::array<uint8_t, MONITOR_ITEM_LEN> record {};
    for (int i = 0; i < 22; ++i) {
        const uint32_t v = 0x01020300u * uint32_t(i + 1) + uint32_t(i);
        for (int b = 0; b < 4; ++b)
            record[size_t(20 + 4 * i + b)] = uint8_t(v >> (8 * b));
    }
    CMyIndicator gauge;
    gauge.FromRecord(record);
    EXPECT_EQ(gauge.Left, 0x01020300);
    EXPECT_EQ(gauge.Color, 0x01020300 * 6 + 5);
    EXPECT_EQ(gauge.maxh, 0x01020300 * 20 + 19);
    EXPECT_EQ(gauge.id, 0x01020300 * 21 + 20);
    EXPECT_EQ(gauge.kind, 0x01020300 * 22 + 21);
    EXPECT_EQ(gauge.Style, CMyIndicator::HorizontalBar) << "the subclass fields are the reader's";

    std::array<uint8_t, MONITOR_ITEM_LEN> written {};
    written.fill(0xEE);
    gauge.ToRecord(written);
    for (size_t i = 0; i < 20; ++i)
        EXPECT_EQ(written[i], 0xEE) << i;
    for (size_t i = 20; i < MONITOR_ITEM_LEN; ++i)
        EXPECT_EQ(written[i], record[i]) << i;
}

} // namespace
