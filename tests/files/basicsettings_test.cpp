// The [BASIC] section of application.ini: the keys in their order, the
// coding of language, page and paths, defaults and damaged values.
#include "files/settingsfiles.h"
#include "platform/inifile.h"

#include <gtest/gtest.h>

namespace {

IniFile Basic(const std::string& lines)
{
    IniFile ini;
    ini.Parse("[BASIC]\r\n" + lines);
    return ini;
}

// What the window holds before the file is read.
BasicSettings Current()
{
    BasicSettings s;
    s.Left = 10;
    s.Top = 20;
    s.Height = 500;
    s.Width = 700;
    s.ComPort = 4;
    s.ComPortAuto = 7;
    s.LangIndex = 1;
    s.UpdateNumber = 12;
    s.Page = 6;
    s.ExtMonitorChecked = true;
    s.NewInstall = 0;
    s.MonitorPlayer = true;
    return s;
}

} // namespace

TEST(BasicSettings, AMissingFileGivesTheDefaults)
{
    IniFile empty;
    BasicSettings s = ReadBasicSettings(empty, Current());
    EXPECT_EQ(s.Left, 10);
    EXPECT_EQ(s.Width, 700);
    EXPECT_EQ(s.ComPort, 0);
    EXPECT_EQ(s.ComPortAuto, 7);
    EXPECT_EQ(s.LangIndex, 1);
    EXPECT_EQ(s.UpdateNumber, -1);
    EXPECT_EQ(s.File, u"");
    EXPECT_EQ(s.DialogFile, u"");
    EXPECT_EQ(s.Page, 0);
    EXPECT_EQ(s.Sheet, -1);
    EXPECT_TRUE(s.ExtMonitorChecked);
    EXPECT_FALSE(s.ExtMonitorVisible);
    EXPECT_EQ(s.NewInstall, 1);
    EXPECT_FALSE(s.MonitorPlayer);
    EXPECT_EQ(s.RecentCount, 1) << "entry 0 is taken even when empty";
    EXPECT_EQ(s.Recent[0], u"");
}

TEST(BasicSettings, WritesEveryKeyInItsOrder)
{
    BasicSettings s = Current();
    s.LangIndex = 2;
    s.Page = 3;
    s.Sheet = 5;
    s.File = u"C:\\work\\\u0158.ign";
    s.DialogFile = u"C:\\d";
    s.RecentCount = 2;
    s.Recent[0] = u"C:\\a.ign";
    s.Recent[1] = u"C:\\b.ign";
    IniFile ini;
    WriteBasicSettings(ini, s);
    EXPECT_EQ(ini.Text(),
        "[BASIC]\r\n"
        "Left=10\r\nTop=20\r\nHeight=500\r\nWidth=700\r\nComPort=4\r\nComPortAuto=7\r\nLanguage=3\r\n"
        "UpdateNumber=12\r\nFile=C:\\\\work\\\\\\x0158.ign\r\nIniFileDir=C:\\\\d\r\n"
        "PageControl1->ActivePageIndex=305\r\nCheckBoxExtMonitor->Checked=1\r\nFormEM->Visible=0\r\n"
        "NEWINSTAL=0\r\nMONITORPLAYER=1\r\nMenuHistory00=C:\\\\a.ign\r\nMenuHistory01=C:\\\\b.ign\r\n\r\n");
}

TEST(BasicSettings, WrittenValuesComeBack)
{
    BasicSettings s = Current();
    s.LangIndex = 2;
    s.Page = 16;
    s.Sheet = 2;
    s.File = u"/home/u/\u0158\u010D x.ign";
    s.DialogFile = u"\\\\server\\share";
    s.ExtMonitorVisible = true;
    s.RecentCount = 3;
    s.Recent = { u"/a", u"/b\u0158", u"/c" };
    IniFile ini;
    WriteBasicSettings(ini, s);
    BasicSettings back = ReadBasicSettings(ini, BasicSettings {});
    EXPECT_EQ(back.Left, s.Left);
    EXPECT_EQ(back.Top, s.Top);
    EXPECT_EQ(back.Height, s.Height);
    EXPECT_EQ(back.Width, s.Width);
    EXPECT_EQ(back.ComPort, s.ComPort);
    EXPECT_EQ(back.ComPortAuto, s.ComPortAuto);
    EXPECT_EQ(back.LangIndex, 2);
    EXPECT_EQ(back.UpdateNumber, 12);
    EXPECT_EQ(back.File, s.File);
    EXPECT_EQ(back.DialogFile, s.DialogFile);
    EXPECT_EQ(back.Page, 16);
    EXPECT_EQ(back.Sheet, 2);
    EXPECT_TRUE(back.ExtMonitorChecked);
    EXPECT_TRUE(back.ExtMonitorVisible);
    EXPECT_EQ(back.NewInstall, 0);
    EXPECT_TRUE(back.MonitorPlayer);
    EXPECT_EQ(back.RecentCount, 3);
    EXPECT_EQ(back.Recent, s.Recent);
}

TEST(BasicSettings, LanguageCoding)
{
    const struct {
        const char* stored;
        int expected;
    } cases[] = { { "0", 0 }, { "1", 1 }, { "2", 1 }, { "3", 2 }, { "9", 1 }, { "x", 1 } };
    for (const auto& c : cases)
        EXPECT_EQ(
            ReadBasicSettings(Basic(std::string("Language=") + c.stored + "\r\n"), Current()).LangIndex, c.expected)
            << c.stored;
}

TEST(BasicSettings, PageAndSheet)
{
    const struct {
        const char* stored;
        int page, sheet;
    } cases[] = {
        { "305", 3, 5 }, // injection map, sheet 5
        { "200", 2, 0 },
        { "1200", 12, -1 },
        { "502", 5, 2 },
        { "803", 8, 3 },
        { "1601", 16, 1 },
        { "701", 7, -1 }, // no sheets on that page: the page only
        { "1501", 15, -1 },
        { "1999", 19, -1 },
        { "2000", 0, -1 }, // no such page
        { "2500", 0, -1 },
        { "-100", 0, -1 },
        { "abc", 0, -1 },
    };
    for (const auto& c : cases) {
        BasicSettings s
            = ReadBasicSettings(Basic(std::string("PageControl1->ActivePageIndex=") + c.stored + "\r\n"), Current());
        EXPECT_EQ(s.Page, c.page) << c.stored;
        EXPECT_EQ(s.Sheet, c.sheet) << c.stored;
    }
    EXPECT_EQ(ReadBasicSettings(Basic(""), Current()).Page, 0) << "a missing key shows page 0";
}

TEST(BasicSettings, PortsOutOfRangeKeepTheirDefaults)
{
    const struct {
        const char* lines;
        int port, autoPort;
    } cases[] = {
        { "ComPort=-1\r\nComPortAuto=1\r\n", -1, 1 },
        { "ComPort=255\r\nComPortAuto=255\r\n", 255, 255 },
        { "ComPort=256\r\nComPortAuto=0\r\n", 0, 7 },
        { "ComPort=-2\r\nComPortAuto=256\r\n", 0, 7 },
    };
    for (const auto& c : cases) {
        BasicSettings s = ReadBasicSettings(Basic(c.lines), Current());
        EXPECT_EQ(s.ComPort, c.port) << c.lines;
        EXPECT_EQ(s.ComPortAuto, c.autoPort) << c.lines;
    }
}

TEST(BasicSettings, PathsAsOlderVersionsAndThisOneStoreThem)
{
    const struct {
        const char* stored;
        const char16_t* expected;
    } cases[] = {
        { "C:\\work\\a.ign", u"C:\\work\\a.ign" }, // hand-written, single backslashes
        { "C:\\\\work\\\\a.ign", u"C:\\work\\a.ign" }, { "\\\\srv\\a.ign", u"\\\\srv\\a.ign" },
        { "C:\\\\\\x0158.ign", u"C:\\\u0158.ign" }, { "a\\x01", u"a\\x01" }, // an escape cut short stays as it stands
    };
    for (const auto& c : cases) {
        BasicSettings s = ReadBasicSettings(Basic(std::string("File=") + c.stored + "\r\n"), Current());
        EXPECT_EQ(s.File, c.expected) << c.stored;
        EXPECT_EQ(s.DialogFile, c.expected) << "the dialogs start from the last file";
    }
    BasicSettings own = ReadBasicSettings(Basic("File=/a\r\nIniFileDir=/dialog\r\n"), Current());
    EXPECT_EQ(own.DialogFile, u"/dialog");
}

TEST(BasicSettings, ALongPathIsCutToItsField)
{
    BasicSettings s = ReadBasicSettings(Basic("File=/" + std::string(9000, 'a') + "\r\n"), Current());
    EXPECT_EQ(s.File.size(), SETTINGS_MAX_PATH);
}

TEST(BasicSettings, RecentFiles)
{
    BasicSettings s = ReadBasicSettings(
        Basic("MenuHistory00=\r\nMenuHistory01=/b\r\nMenuHistory02=/c\r\nMenuHistory04=/e\r\n"), Current());
    EXPECT_EQ(s.RecentCount, 3) << "the list ends at the first empty key after entry 0";
    EXPECT_EQ(s.Recent[0], u"");
    EXPECT_EQ(s.Recent[1], u"/b");
    EXPECT_EQ(s.Recent[2], u"/c");
    EXPECT_EQ(s.Recent[4], u"");

    // A shorter list clears the keys of the longer one it replaces.
    IniFile ini = Basic("MenuHistory00=/a\r\nMenuHistory01=/b\r\nMenuHistory02=/c\r\n");
    BasicSettings shorter;
    shorter.RecentCount = 2;
    shorter.Recent[0] = u"/a";
    shorter.Recent[1] = u"/c";
    WriteBasicSettings(ini, shorter);
    EXPECT_FALSE(ini.ValueExists("BASIC", "MenuHistory02"));
    EXPECT_EQ(ReadBasicSettings(ini, Current()).RecentCount, 2);
}
