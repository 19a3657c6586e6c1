#include "files/presettools.h"

#include "files/preset_host.h"
#include "support/tempdir.h"
#include "tools/presetgen/standin.h"

#include "platform/filewrite.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& path)
{
    std::string s;
    ReadWholeFile(path.string(), s);
    return s;
}

void Write(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

TEST(SaveAllNew, WritesEveryBikeAndRestoresImageAndPage)
{
    for (int language : { 0, 2 }) {
        TempDir dir;
        FakePresetHost host(StandInArchive());
        host.language = language;
        host.memo = { STAND_IN_MEMO };
        host.image.Fill(0x5A);
        const RsImage kept = host.image;
        host.activePage = 3;

        SaveAllNewPresets(host, dir.path() / "new_ign");

        EXPECT_TRUE(host.errors.empty()) << host.errors.front();
        EXPECT_TRUE(host.slots.empty());
        EXPECT_EQ(host.stores, BIKE_CODES);
        int files = 0;
        for (const auto& entry : fs::directory_iterator(dir.path() / "new_ign")) {
            (void)entry;
            ++files;
        }
        EXPECT_EQ(files, BIKE_CODES);
        // Under every language the one-lobe presets carry the names the
        // bike defaults read, and each file is the bike's defaults.
        for (int code : { 32, 33, 11 }) {
            const fs::path file = dir.path() / "new_ign" / (BikePresetName(*BikeListText(code, 0)) + ".ign");
            const std::string text = Slurp(file);
            EXPECT_FALSE(text.empty()) << file;
        }
        EXPECT_EQ(host.image, kept);
        EXPECT_EQ(host.activePage, 3);
        // The bike page and the kept page are loaded from the kept image at the end.
        ASSERT_GE(host.pageLoads.size(), 2u);
        const auto& last = host.pageLoads.back();
        const auto& before = host.pageLoads[host.pageLoads.size() - 2];
        EXPECT_EQ(last.page, 3);
        EXPECT_EQ(last.image, kept);
        EXPECT_EQ(before.page, 0);
        EXPECT_EQ(before.image, kept);
    }
}

TEST(SaveAllNew, WritesTheDefaultsAsTheyAreLoaded)
{
    TempDir dir;
    FakePresetHost host(StandInArchive());
    host.memo = { STAND_IN_MEMO };
    SaveAllNewPresets(host, dir.path() / "new_ign");
    // A stand-in preset loaded, made consistent and written again reads the same.
    for (int code : { 0, 22, 48, 65 }) {
        const std::string name = BikePresetName(*BikeListText(code, 0)) + ".ign";
        const std::string written = Slurp(dir.path() / "new_ign" / name);
        const std::string preset = StandInPresetText(code);
        // All but the EXE line, which carries the writing program's build time.
        auto withoutExe = [](std::string s) {
            const size_t at = s.find("\nEXE ");
            return at == std::string::npos ? s : s.erase(at, s.find('\n', at + 1) - at);
        };
        ASSERT_NE(written.find("\nEXE "), std::string::npos);
        EXPECT_EQ(withoutExe(written), withoutExe(preset)) << name;
    }
}

TEST(SaveAllNew, ReportsEachFileItCannotWrite)
{
    TempDir dir;
    Write(dir.path() / "new_ign", "a file where the folder should be");
    FakePresetHost host(StandInArchive());
    SaveAllNewPresets(host, dir.path() / "new_ign");
    EXPECT_EQ(host.slots, std::vector<int>(BIKE_CODES, MSG_OPEN_FILE_ERROR));
    EXPECT_EQ(host.activePage, 0);
}

class CompareAllNew : public ::testing::Test {
protected:
    fs::path Old(int code) const
    {
        return dir.path() / "new_ign_old" / (BikePresetName(*BikeListText(code, 0)) + ".ign");
    }
    fs::path New(int code) const { return dir.path() / "new_ign" / (BikePresetName(*BikeListText(code, 0)) + ".ign"); }
    void WriteBoth(const std::string& text)
    {
        for (int code = 0; code < BIKE_CODES; ++code) {
            Write(Old(code), text);
            Write(New(code), text);
        }
    }
    std::string Report()
    {
        CompareAllNewPresets(host, dir.path());
        return Slurp(dir.path() / "new_ign" / "compare_all_new.txt");
    }
    static std::string Header(int code)
    {
        return "------------------------------------------------------   " + *BikeListText(code, 0) + "\n";
    }
    // The report of identical files, with extra lines after the headers of
    // some bikes.
    static std::string Expected(const std::map<int, std::string>& extra)
    {
        std::string s;
        for (int code = 0; code < BIKE_CODES; ++code) {
            s += Header(code);
            if (auto it = extra.find(code); it != extra.end())
                s += it->second;
        }
        return s;
    }
    static std::string Expected(int code, const std::string& extra) { return Expected({ { code, extra } }); }

    TempDir dir;
    FakePresetHost host { StandInArchive() };
};

TEST_F(CompareAllNew, IdenticalFoldersGiveOnlyTheHeaders)
{
    WriteBoth("MORVANTA_KEY 308\r\nBIKE 11\r\n");
    EXPECT_EQ(Report(), Expected(0, ""));
    EXPECT_EQ(host.messages, std::vector<std::string> { "Results in file \".\\new_ign\\compare_all_new.txt\"" });
}

TEST_F(CompareAllNew, ReportsDifferingLinesWithEqualCharactersBlanked)
{
    struct Case {
        const char* name;
        std::string oldText, newText, extra;
    };
    const Case cases[] = {
        { "ABCD against ABXD", "K 1\nABCD\n", "K 1\nABXD\n", "....line:2\n  C  \nABXD\n\n" },
        { "the EXE line is skipped", "EXE Dec  1 2019\n", "EXE Jan  1 2026\n", "" },
        { "a key beginning with E is not", "EXITATION 1\n", "EXITATION 2\n",
            "....line:1\n          1 \nEXITATION 2\n\n" },
        { "extra old lines are not reported", "A\nB\nC\n", "A\n", "" },
        { "CR LF reads as LF", "A\r\nB\r\n", "A\nB\n", "" },
        { "a shorter new line", "ABC\n", "AB\n", "....line:1\n  C\n\nAB\n\n" },
    };
    for (const Case& c : cases) {
        WriteBoth("same\n");
        Write(Old(11), c.oldText);
        Write(New(11), c.newText);
        EXPECT_EQ(Report(), Expected(11, c.extra)) << c.name;
    }
}

TEST_F(CompareAllNew, LongLinesCountAsSeveral)
{
    WriteBoth("");
    Write(Old(5), std::string(299, 'a') + "b\nc\n");
    Write(New(5), std::string(299, 'a') + "x\nc\n");
    EXPECT_EQ(Report(), Expected(5, "....line:2\nb \nx\n\n"));
}

TEST_F(CompareAllNew, NamesMissingFilesAndGoesOn)
{
    WriteBoth("same\n");
    fs::remove(Old(0));
    fs::remove(New(43));
    EXPECT_EQ(Report(),
        Expected({ { 0, "!!!!!!!!!soubor \"old\" se nepodarilo otevrit \n" },
            { 43, "!!!!!!!!!soubor \"akt\" se nepodarilo otevrit !!!!!!!!!!!!!!\n" } }));
}

TEST_F(CompareAllNew, DoesNothingWithoutTheReportFolder)
{
    CompareAllNewPresets(host, dir.path());
    EXPECT_FALSE(fs::exists(dir.path() / "new_ign"));
    EXPECT_TRUE(host.messages.empty());
}

} // namespace
