#include "platform/inifile.h"

#include "support/tempdir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

std::string Slurp(const std::string& path)
{
    std::string s;
    ReadWholeFile(path, s);
    return s;
}

} // namespace

TEST(IniFile, ReadsHandWrittenFilesWithEitherLineEnd)
{
    for (const char* eol : { "\r\n", "\n" }) {
        std::string text = std::string("; comment") + eol + "garbage line" + eol + "[Main]" + eol
            + "PageControl1->ActivePageIndex=7" + eol + "  Lang = 2 " + eol + "=nokey" + eol + "Path=C:\\ign\\a=b.ign"
            + eol + "[main]" + eol + "Extra=x" + eol + "[Broken" + eol + "Hex=0xFFFFFFFF" + eol + "Neg=-12" + eol
            + "Word=abc";
        IniFile ini;
        ini.Parse(text);
        SCOPED_TRACE(eol[0] == '\r' ? "CR LF" : "LF");
        EXPECT_EQ(ini.ReadInteger("MAIN", "pagecontrol1->activepageindex", -1), 7);
        EXPECT_EQ(ini.ReadInteger("Main", "Lang", -1), 2);
        EXPECT_EQ(ini.ReadString("Main", "Path", ""), "C:\\ign\\a=b.ign");
        EXPECT_EQ(ini.ReadString("Main", "Extra", ""), "x"); // a repeated section header continues the section
        EXPECT_EQ(ini.ReadInteger("Main", "Hex", 0), -1);
        EXPECT_EQ(ini.ReadInteger("Main", "Neg", 0), -12);
        EXPECT_EQ(ini.ReadInteger("Main", "Word", 5), 5);
        EXPECT_EQ(ini.ReadInteger("Main", "Missing", 9), 9);
        EXPECT_EQ(ini.ReadString("Other", "Lang", "def"), "def");
        EXPECT_FALSE(ini.ValueExists("Main", ""));
        EXPECT_EQ(ini.Sections().size(), 1u);
    }
}

TEST(IniFile, SavesWholeFileWithCrLfAndReadsItBack)
{
    TempDir dir;
    IniFile ini(dir.file("application.ini"));
    EXPECT_FALSE(ini.Load()); // a missing file is an empty set
    ini.WriteInteger("Main", "PageControl1->ActivePageIndex", 3);
    ini.WriteString("Main", "Name", "Předstih");
    ini.WriteString("MAIN", "name", "changed"); // same key without regard to case
    ini.WriteBool("Flags", "On", true);
    ASSERT_TRUE(ini.Save().ok);
    EXPECT_EQ(Slurp(dir.file("application.ini")),
        "[Main]\r\nPageControl1->ActivePageIndex=3\r\nName=changed\r\n\r\n[Flags]\r\nOn=1\r\n\r\n");

    IniFile back(dir.file("application.ini"));
    ASSERT_TRUE(back.Load());
    EXPECT_EQ(back.ReadInteger("main", "PageControl1->ActivePageIndex", 0), 3);
    EXPECT_TRUE(back.ReadBool("flags", "on", false));
    back.DeleteKey("Main", "NAME");
    back.EraseSection("flags");
    EXPECT_EQ(back.Text(), "[Main]\r\nPageControl1->ActivePageIndex=3\r\n\r\n");
}

TEST(FileWrite, FailedWriteLeavesTheOldFileWholeAndKeepsItsMode)
{
    TempDir dir;
    std::string path = dir.file("prog");
    ASSERT_TRUE(WriteFileAtomic(path, "old").ok);
    std::filesystem::permissions(path, std::filesystem::perms(0755));
    ASSERT_TRUE(WriteFileAtomic(path, "new content").ok);
    EXPECT_EQ(Slurp(path), "new content");
    EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms(0755));

    WriteResult bad = WriteFileAtomic(dir.file("no-such-folder/x.ini"), "data");
    EXPECT_FALSE(bad.ok);
    EXPECT_NE(bad.error.find("no-such-folder"), std::string::npos);

    // No temporary files are left behind.
    int count = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.path()))
        ++count;
    EXPECT_EQ(count, 1);
}
