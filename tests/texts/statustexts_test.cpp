#include "texts/statustexts.h"

#include <gtest/gtest.h>

namespace {

class FakeGauge : public VisibleControl {
public:
    void SetVisible(bool v) override { visible = v; }
    bool Visible() const override { return visible; }
    bool visible = true;
};

class FakeLabel : public SlotLabel {
public:
    void SetVisible(bool v) override { visible = v; }
    bool Visible() const override { return visible; }
    void SetCaption(const char* text) override { caption = text; }
    void SetFontColor(int32_t c) override { fontColor = c; }
    void SetColor(int32_t c) override { color = c; }
    bool visible = true;
    std::string caption;
    int32_t fontColor = 0;
    int32_t color = 0xFFFFFF;
};

struct SlotsFixture : ::testing::Test {
    SlotsFixture() { InitMessageSlots(messageSlots, &connection, &result, &gauge, &congruence); }

    void Show(int slot, const char* text, int ms, int priority, int32_t font = KEEP_COLOR, int32_t back = KEEP_COLOR)
    {
        ShowMessageSlot(messageSlots, tick, slot, text, ms, font, back, priority);
    }

    MessageSlots messageSlots;
    FakeLabel connection, result, congruence;
    FakeGauge gauge;
    int32_t tick = 100;
};

} // namespace

TEST_F(SlotsFixture, StartHiddenAndShowTheTextInTheCurrentLanguage)
{
    EXPECT_FALSE(connection.visible);
    EXPECT_FALSE(result.visible);
    EXPECT_FALSE(congruence.visible);
    Show(SLOT_CONGRUENCE, "###Unit and PC settings are identical##Einheit gleich##Shodné", 4000, 10);
    EXPECT_TRUE(congruence.visible);
    EXPECT_EQ(congruence.caption, "Unit and PC settings are identical");
    EXPECT_EQ(messageSlots[SLOT_CONGRUENCE].text, "###Unit and PC settings are identical##Einheit gleich##Shodné");
}

TEST_F(SlotsFixture, ATwoSecondTextIsHiddenAtThe41stTickWithTheGauge)
{
    gauge.visible = true;
    Show(SLOT_RESULT, "Read: OK", 2000, 0);
    ExpireMessageSlots(messageSlots, tick + 40);
    EXPECT_TRUE(result.visible);
    ExpireMessageSlots(messageSlots, tick + 41);
    EXPECT_FALSE(result.visible);
    EXPECT_FALSE(gauge.visible);
    EXPECT_EQ(messageSlots[SLOT_RESULT].expiry, 0);
}

TEST_F(SlotsFixture, DurationsNegativeNeverExpiresAndZeroKeepsTheExpiry)
{
    Show(SLOT_CONNECTION, "searching", -1, 0);
    ExpireMessageSlots(messageSlots, 1'000'000);
    EXPECT_TRUE(connection.visible);

    Show(SLOT_RESULT, "first", 1000, 0); // expiry tick + 20
    tick += 10;
    Show(SLOT_RESULT, "second", 0, 0);
    ExpireMessageSlots(messageSlots, 120);
    EXPECT_TRUE(result.visible);
    ExpireMessageSlots(messageSlots, 121);
    EXPECT_FALSE(result.visible);
}

TEST_F(SlotsFixture, PriorityRules)
{
    struct Step {
        const char* text;
        int priority;
        const char* shownAfter; // nullptr: hidden
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        { "lower priority dropped, negative passes",
            { { "connected", 100, "connected" }, { "busy", 10, "connected" },
                { "no connection", -5, "no connection" } } },
        { "priority 0 is a priority too", { { "a", 10, "a" }, { "b", 0, "a" } } },
        { "equal priority replaces", { { "a", 10, "a" }, { "b", 10, "b" } } },
        { "higher priority replaces", { { "a", 10, "a" }, { "b", 11, "b" } } },
        { "a negative priority counts as nothing shown afterwards", { { "a", -5, "a" }, { "b", 0, "b" } } },
        { "a call without text hides, unless its priority is lower",
            { { "a", 50, "a" }, { nullptr, 10, "a" }, { nullptr, 50, nullptr } } },
        { "a hidden slot accepts any priority", { { "a", 100, "a" }, { nullptr, -1, nullptr }, { "b", 0, "b" } } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InitMessageSlots(messageSlots, &connection, &result, &gauge, &congruence);
        for (const Step& s : c.steps) {
            Show(SLOT_CONNECTION, s.text, -1, s.priority);
            EXPECT_EQ(connection.visible, s.shownAfter != nullptr);
            if (s.shownAfter) {
                EXPECT_EQ(connection.caption, s.shownAfter);
            }
        }
    }
}

TEST_F(SlotsFixture, AnExpiredTextNoLongerHoldsItsPriority)
{
    Show(SLOT_CONNECTION, "connected", 100, 100);
    ExpireMessageSlots(messageSlots, tick + 3);
    Show(SLOT_CONNECTION, "later", 100, 1);
    EXPECT_TRUE(connection.visible);
    EXPECT_EQ(connection.caption, "later");
}

TEST_F(SlotsFixture, ACallWithoutTextOnSlot2HidesTheGaugeToo)
{
    Show(SLOT_RESULT, "Programming", -1, 0);
    gauge.visible = true;
    Show(SLOT_RESULT, nullptr, 0, 0);
    EXPECT_FALSE(result.visible);
    EXPECT_FALSE(gauge.visible);
    EXPECT_FALSE(messageSlots[SLOT_RESULT].hasText);
}

TEST_F(SlotsFixture, KeepColorLeavesAColourAsItIs)
{
    Show(SLOT_RESULT, "red", -1, 0, 0x000000, 0x0000FF);
    Show(SLOT_RESULT, "text only", -1, 0);
    EXPECT_EQ(result.caption, "text only");
    EXPECT_EQ(result.fontColor, 0x000000);
    EXPECT_EQ(result.color, 0x0000FF);
    Show(SLOT_RESULT, "green", -1, 0, KEEP_COLOR, 0x00FF00);
    EXPECT_EQ(result.fontColor, 0x000000);
    EXPECT_EQ(result.color, 0x00FF00);
}

TEST_F(SlotsFixture, SlotsWithoutAControlAreIgnored)
{
    for (int slot : { -1, 0, 3, 5, 1000 })
        Show(slot, "nowhere", 2000, -1);
    EXPECT_FALSE(connection.visible);
    EXPECT_FALSE(result.visible);
    EXPECT_FALSE(congruence.visible);
    ExpireMessageSlots(messageSlots, 10'000);
}

TEST(DateTexts, BuildDateFromTheCompileDate)
{
    const std::pair<const char*, const char*> cases[] = {
        { "Dec  1 2019", "2019_12_01" },
        { "Sep  9 2026", "2026_09_09" },
        { "Jan 31 2024", "2024_01_31" }, // a two-digit day: the year three characters on
        { "Mar 10 2021", "2021_03_10" },
        { __DATE__, nullptr },
    };
    for (auto [date, expected] : cases) {
        std::string text = BuildDateText(date);
        if (expected)
            EXPECT_EQ(text, expected) << date;
        else
            EXPECT_EQ(text.size(), 10u) << date; // whatever today is, it reads fully
    }
}

TEST(DateTexts, FileTimesAreCalendarDatesWithoutATimeZone)
{
    constexpr uint64_t UNIX_EPOCH = 116444736000000000ULL; // 1970-01-01 in 100 ns since 1601
    constexpr uint64_t SECOND = 10'000'000ULL;
    EXPECT_EQ(FileTimeDateText(0), "1601_01_01");
    EXPECT_EQ(FileTimeDateText(UNIX_EPOCH), "1970_01_01");
    EXPECT_EQ(FileTimeDateText(UNIX_EPOCH - 1), "1969_12_31");
    EXPECT_EQ(FileTimeDateText(UNIX_EPOCH + 1709251199ULL * SECOND), "2024_02_29"); // 23:59:59
    EXPECT_EQ(FileTimeDateText(UNIX_EPOCH + 1709251200ULL * SECOND), "2024_03_01");

    EXPECT_EQ(NewestPresetDate({}), "");
    EXPECT_EQ(NewestPresetDate({ UNIX_EPOCH + 1709251200ULL * SECOND, UNIX_EPOCH, 0 }), "2024_03_01");
}

TEST(TitleAndStatusTexts, AsTheStatusBarShowsThem)
{
    EXPECT_EQ(FormatTitleText("2019_12_01", ""), "Zeperon_12   RSKEY=308   COMPILE=2019_12_01");
    EXPECT_EQ(
        FormatTitleText("2019_12_01", "2019_11_30"), "Zeperon_12   RSKEY=308   COMPILE=2019_12_01   NEW=2019_11_30");

    UnitStatusFields unit { "Unit = ZP12", "Date = 2019-10-01", "12:30", "", "", "settings not from unit" };
    EXPECT_EQ(FormatStatusText(UNIT_NONE, unit), "not connected");
    EXPECT_EQ(FormatStatusText(UNIT_OTHER_TYPE, unit), "");
    EXPECT_EQ(FormatStatusText(UNIT_THIS_TYPE, unit), "Unit = ZP12   Date = 2019-10-01   12:30   ");
    unit.hardware = "HW 3.1";
    unit.serialNumber = "SN 4711";
    EXPECT_EQ(FormatStatusText(UNIT_THIS_TYPE, unit), "HW 3.1   RSKEY=308   (SN 4711)   settings not from unit");
}

TEST(MainCaption, FileNameWhenTheImageEqualsItAndTheReleaseNotice)
{
    const QString base = QStringLiteral("  Zeperon_12       ");
    const QString released = QStringLiteral("(Disconnected by bootloader)");
    const QString file = QStringLiteral("/home/rider/tuned.ign");
    EXPECT_EQ(MainCaptionText(file, true, true), base + file);
    EXPECT_EQ(MainCaptionText(file, false, true), base);
    EXPECT_EQ(MainCaptionText(file, true, false), base + file + "   " + released);
    EXPECT_EQ(MainCaptionText(file, false, false), base + released);
    EXPECT_EQ(MainCaptionText(QString(), true, false), base + released);
}
