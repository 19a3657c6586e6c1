#include "image/imagecopies.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct SlotCall {
    int slot;
    bool hasText;
    std::string text;
    int durationMs;
    int32_t textColour;
    int32_t background;
    int priority;
};

class RecordingDisplay : public ComparisonDisplay {
public:
    explicit RecordingDisplay(const ImageCopies& copies)
        : copies_(copies)
    {
    }

    void ShowMessageSlot(
        int slot, const char* text, int durationMs, int32_t textColour, int32_t background, int priority) override
    {
        calls.push_back({ slot, text != nullptr, text ? text : "", durationMs, textColour, background, priority });
    }
    void UpdateMainCaption() override { captionSawPcEqualsFile.push_back(copies_.PcEqualsFile); }

    std::vector<SlotCall> calls;
    std::vector<int> captionSawPcEqualsFile;

private:
    const ImageCopies& copies_;
};

} // namespace

TEST(ImageCopies, StartStateMatchesNoFileAndNoUnit)
{
    ImageCopies copies;
    EXPECT_TRUE(std::all_of(copies.FileImage.b.begin(), copies.FileImage.b.end(), [](uint8_t v) { return v == 0xFF; }));
    EXPECT_EQ(copies.UnitImageValid, 0);
    EXPECT_EQ(copies.UnitBike, -1);
    EXPECT_TRUE(std::all_of(copies.ChangeMarks.begin(), copies.ChangeMarks.end(), [](uint8_t v) { return v == 0; }));

    // A zero image is no file's image: the caption must not name a file.
    RecordingDisplay display(copies);
    CompareUnitWithPc(copies, display);
    EXPECT_EQ(copies.PcEqualsFile, 0);
}

TEST(ImageCopies, TheTextsAreWindows1250)
{
    // "shodné" and "liší" as the status slot expects them, one byte a letter.
    EXPECT_NE(std::string(UNIT_PC_IDENTICAL_TEXT).find("shodn\xE9"), std::string::npos);
    EXPECT_NE(std::string(UNIT_PC_DIFFERENT_TEXT).find("li\x9A\xED"), std::string::npos);
}

struct CompareCase {
    const char* what;
    int unitValid;
    std::vector<int> unitDiffers; // offsets where UnitImage differs from PcImage
    std::vector<int> fileDiffers; // offsets where FileImage differs from PcImage
    int pcEqualsFile;
    const char* text; // nullptr: slot hidden
    int durationMs;
    int32_t background;
    int fileNamed = 1; // FileImage is the content of the named file
};

const std::vector<CompareCase> COMPARE_CASES = {
    { "all equal", 1, {}, {}, 1, UNIT_PC_IDENTICAL_TEXT, 4000, 0x00FF00 },
    { "only the test outputs differ", 1, { 2999, 3000 }, { 2999, 3000 }, 1, UNIT_PC_IDENTICAL_TEXT, 4000, 0x00FF00 },
    { "the byte before the test outputs", 1, { 2998 }, { 2998 }, 0, UNIT_PC_DIFFERENT_TEXT, -1, 0x00FFFF },
    { "the byte after the test outputs", 1, { 3001 }, {}, 1, UNIT_PC_DIFFERENT_TEXT, -1, 0x00FFFF },
    { "first and last byte", 1, { 0 }, { 4799 }, 0, UNIT_PC_DIFFERENT_TEXT, -1, 0x00FFFF },
    { "unit image not valid", 0, { 5, 6 }, {}, 1, nullptr, 0, KEEP_COLOR },
    { "not valid and equal", 0, {}, { 7 }, 0, nullptr, 0, KEEP_COLOR },
    { "equal to a file image that is no named file", 1, {}, {}, 0, UNIT_PC_IDENTICAL_TEXT, 4000, 0x00FF00, 0 },
};

TEST(CompareUnitWithPc, SlotFourAndCaption)
{
    for (const CompareCase& c : COMPARE_CASES) {
        SCOPED_TRACE(c.what);
        ImageCopies copies;
        for (int i = 0; i < RS_LEN_EXE; ++i)
            copies.PcImage.b[size_t(i)] = uint8_t(i * 7);
        copies.UnitImage = copies.PcImage;
        copies.FileImage = copies.PcImage;
        copies.FileImageNamed = c.fileNamed;
        copies.UnitImageValid = c.unitValid;
        copies.PcEqualsFile = 1 - c.pcEqualsFile;
        for (int at : c.unitDiffers)
            copies.UnitImage.b[size_t(at)] ^= 0x10;
        for (int at : c.fileDiffers)
            copies.FileImage.b[size_t(at)] ^= 0x01;

        RecordingDisplay display(copies);
        CompareUnitWithPc(copies, display);

        EXPECT_EQ(copies.PcEqualsFile, c.pcEqualsFile);
        // The caption is refreshed once, after PcEqualsFile is up to date.
        EXPECT_EQ(display.captionSawPcEqualsFile, std::vector<int> { c.pcEqualsFile });
        ASSERT_EQ(display.calls.size(), 1u);
        const SlotCall& call = display.calls[0];
        EXPECT_EQ(call.slot, 4);
        EXPECT_EQ(call.priority, 10);
        EXPECT_EQ(call.hasText, c.text != nullptr);
        if (c.text) {
            EXPECT_EQ(call.text, c.text);
            EXPECT_EQ(call.durationMs, c.durationMs);
            EXPECT_EQ(call.textColour, KEEP_COLOR);
            EXPECT_EQ(call.background, c.background);
        }
    }
}
