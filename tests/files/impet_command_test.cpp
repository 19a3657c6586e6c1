#include "files/impet_command.h"

#include "impet_fixture.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

struct Step {
    std::string line;
    std::string printed; // after the echoed line
    int result;
};

void RunScript(std::unique_ptr<CImpet>& impet, const std::vector<Step>& steps)
{
    for (const Step& s : steps) {
        std::string out;
        int result = ImpetExecuteCommand(impet, s.line, out);
        EXPECT_EQ(out, s.line + "\n" + s.printed) << s.line;
        EXPECT_EQ(result, s.result) << s.line;
    }
}

} // namespace

TEST(ImpetCommand, EveryCommandPrintsItsTexts)
{
    TempDir dir;
    std::string carrier = dir.file("carrier");
    WriteBytes(carrier, RandomBytes(300));
    fs::create_directories(dir.path() / "NEW_308");
    WriteBytes(dir.file("NEW_308/Ducati 996.ign"), PresetText(5, 1000));
    WriteBytes(dir.file("NEW_308/Aprilia.ign"), PresetText(6, 1000));
    WriteBytes(dir.file("single.ign"), "tiny");
    std::string d = dir.path().string();
    std::unique_ptr<CImpet> impet;
    RunScript(impet,
        {
            { "SAVE", "", 0 }, // no archive yet
            { "OPEN " + d + "/missing", " (error)\n", 5 },
            { "  open\t" + carrier + "  ", " (opened)\n", 5 },
            { "IMPORT " + d + "/NEW_308 \"\"", " (3 files added)\n", 1 },
            { "IMPORT " + d + "\\single.ign NEW_308", " (1 file added)\n", 1 },
            { "IMPORT " + d + "/nothing NEW_308", "", 1 },
            { "IMPORT " + d + "/NEW_308", " (error)\n", 1 },
            { "MKDIR NEW_308\\sub", " (directory created)\n", 1 },
            { "mkdir NEW_308\\SUB", " (directory created)\n", 1 },
            { "MKDIR NEW_308\\single.ign", " (error)\n", 1 },
            { "SETXY \"with blanks\"", " (file rewritten)\n", 1 },
            { "SET \"NEW_308\\sub\\note.txt.\" \"two words\"", " (file rewritten)\n", 1 },
            { "SET NEW_308\\sub x", " (error)\n", 0 },
            { "SET nowhere\\a x", " (error)\n", 0 },
            { "SET a \"unclosed", " (error)\n", 0 },
            { "RENAME XY NEW_308\\sub\\moved", " (1 file renamed)\n", 1 },
            { "RENAME XY NEW_308\\sub\\moved", " (error)\n", 1 },
            { "DELETE NEW_308\\missing file", " (error)\n", 1 },
            { "DELETE NEW_308\\Aprilia.ign", " (1 files deleted)\n", 1 },
            { "EXPORT NEW_308 " + d + "/out", " (6 files extracted)\n", 2 },
            { "EXPORT NEW_308\\single.ign " + d + "/one", " (error)\n", 2 }, // no such folder
            { "EXPORT NEW_308\\single.ign " + d, " (1 file extracted)\n", 2 },
            { "EXPORT NEW_308\\nothing " + d + "/one", "", 0 },
            { "SAVE", " (stored 645 bytes - 6 items)\n", 9 },
            { "hello", "", 0 },
            { "CLEAR", " (cleared)\n", 5 },
            { "MKDIR again", " (error)\n", 1 },
            { "SAVE", " (stored 0 bytes - 0 items)\n", 9 },
        });
    EXPECT_EQ(Slurp(dir.file("out/NEW_308/sub/note.txt")), "two words");
    EXPECT_EQ(Slurp(dir.file("out/NEW_308/sub/moved")), "with blanks");
    EXPECT_EQ(Slurp(dir.file("out/NEW_308/Ducati 996.ign")), PresetText(5, 1000));
    EXPECT_EQ(Slurp(dir.file("single.ign")), "tiny");
    EXPECT_EQ(Slurp(carrier).size(), 512u); // the archive went, the padding stays
}

TEST(ImpetCommand, TheProgramsOwnArchiveStaysInPlace)
{
    TempDir dir;
    fs::create_directories(dir.path() / "IMPET" / "NEW_308");
    WriteBytes(dir.file("IMPET/NEW_308/Ducati 996.ign"), PresetText(7, 500));
    CImpet impet;
    std::string out;
    ImpetExecuteCommand(impet, "IMPORT " + dir.file("IMPET\\NEW_308") + " \"\"", out);
    EXPECT_EQ(impet.ReadFile("\\NEW_308", "Ducati 996.ign"), PresetText(7, 500));

    ImpetExecuteCommand(impet, "OPEN " + dir.file("none"), out);
    EXPECT_FALSE(impet.Root().IsDirectory());
    EXPECT_EQ(ImpetExecuteCommand(impet, "MKDIR x", out), 1);
    EXPECT_EQ(impet.Root().Count(), 0);
}
