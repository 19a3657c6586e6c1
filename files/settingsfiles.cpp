#include "files/settingsfiles.h"

#include "files/escape.h"
#include "platform/filewrite.h"
#include "platform/inifile.h"

#include <QDir>
#include <QStandardPaths>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

std::string InitSettingsFolder()
{
    std::filesystem::path base;
    if (const char* dir = std::getenv("ZEPERON_SETTINGS_DIR"); dir && *dir) {
        base = dir;
    } else {
        QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        if (data.isEmpty())
            return {};
        base = std::filesystem::path(data.toStdString()) / "Morvanta" / "Zeperon_12" / std::to_string(RSKEY);
    }
    std::error_code ec;
    std::filesystem::create_directories(base, ec);
    std::string folder = base.string();
    if (folder.back() != '/')
        folder += '/';
    return folder;
}

std::string DefaultIniText(const RsImage& image)
{
    std::string out;
    out.reserve(RS_LEN_EXE * 6 + 1000);
    char buf[16];
    for (int i = 0; i < RS_LEN_EXE; ++i) {
        std::snprintf(buf, sizeof buf, "%5u ", unsigned(image.b[size_t(i)]));
        out += buf;
        if ((i + 1) % 10 == 0)
            out += "\r\n";
        if ((i + 1) % 100 == 0)
            out += "\r\n";
    }
    return out;
}

int ParseDefaultIni(std::string_view text, RsImage& image)
{
    int stored = 0;
    size_t pos = 0;
    while (stored < RS_LEN_EXE) {
        while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos])))
            ++pos;
        if (pos < text.size() && text[pos] == '+')
            ++pos;
        if (pos >= text.size() || !std::isdigit(static_cast<unsigned char>(text[pos])))
            break;
        // Only the low byte is kept, so the value may be taken modulo 256 as it is read.
        unsigned value = 0;
        while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos])))
            value = (value * 10 + unsigned(text[pos++] - '0')) & 0xFFFFu;
        image.b[size_t(stored++)] = uint8_t(value);
    }
    return stored;
}

int LanguageToIni(int langIndex)
{
    return langIndex == 2 ? 3 : langIndex;
}

int LanguageFromIni(int value, int current)
{
    switch (value) {
    case 0:
        return 0;
    case 1:
        return 1;
    case 3:
        return 2;
    default:
        return current;
    }
}

bool ReadTestSwitch(const std::string& markerPath)
{
    std::string text;
    if (!ReadWholeFile(markerPath, text))
        return false;
    size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos])))
            ++pos;
        size_t start = pos;
        while (pos < text.size() && !std::isspace(static_cast<unsigned char>(text[pos])))
            ++pos;
        if (std::string_view(text).substr(start, pos - start) == "TEST_ENABLE")
            return true;
    }
    return false;
}

namespace {

constexpr const char* PAGE_KEY = "PageControl1->ActivePageIndex";
// A text value is read through a buffer of 8192 bytes.
constexpr size_t MAX_TEXT_VALUE = 8190;

std::u16string ReadPath(const IniFile& ini, const char* key, const std::string& def)
{
    std::string raw = ini.ReadString(SETTINGS_SECTION, key, def);
    if (raw.size() > MAX_TEXT_VALUE)
        raw.resize(MAX_TEXT_VALUE);
    std::u16string path = UnescapeWide(raw);
    if (path.size() > SETTINGS_MAX_PATH)
        path.resize(SETTINGS_MAX_PATH);
    return path;
}

int ReadInRange(const IniFile& ini, const char* key, int def, int low, int high)
{
    int value = ini.ReadInteger(SETTINGS_SECTION, key, def);
    return value >= low && value <= high ? value : def;
}

std::string RecentKey(int i)
{
    char key[24];
    std::snprintf(key, sizeof key, "MenuHistory%02i", i);
    return key;
}

} // namespace

void WriteBasicSettings(IniFile& ini, const BasicSettings& s)
{
    const char* sec = SETTINGS_SECTION;
    ini.WriteInteger(sec, "Left", s.Left);
    ini.WriteInteger(sec, "Top", s.Top);
    ini.WriteInteger(sec, "Height", s.Height);
    ini.WriteInteger(sec, "Width", s.Width);
    ini.WriteInteger(sec, "ComPort", s.ComPort);
    ini.WriteInteger(sec, "ComPortAuto", s.ComPortAuto);
    ini.WriteInteger(sec, "Language", LanguageToIni(s.LangIndex));
    ini.WriteInteger(sec, "UpdateNumber", s.UpdateNumber);
    ini.WriteString(sec, "File", EscapeWide(s.File));
    ini.WriteString(sec, "IniFileDir", EscapeWide(s.DialogFile));
    int page = s.Page * 100;
    if (PageKeepsSheet(s.Page) && s.Sheet > 0 && s.Sheet < 100)
        page += s.Sheet;
    ini.WriteInteger(sec, PAGE_KEY, page);
    ini.WriteInteger(sec, "CheckBoxExtMonitor->Checked", s.ExtMonitorChecked ? 1 : 0);
    ini.WriteInteger(sec, "FormEM->Visible", s.ExtMonitorVisible ? 1 : 0);
    ini.WriteInteger(sec, "NEWINSTAL", s.NewInstall);
    ini.WriteInteger(sec, "MONITORPLAYER", s.MonitorPlayer ? 1 : 0);
    for (int i = 0; i < SETTINGS_RECENT_FILES; ++i) {
        if (i < s.RecentCount)
            ini.WriteString(sec, RecentKey(i), EscapeWide(s.Recent[size_t(i)]));
        else
            ini.DeleteKey(sec, RecentKey(i));
    }
}

BasicSettings ReadBasicSettings(const IniFile& ini, const BasicSettings& current)
{
    const char* sec = SETTINGS_SECTION;
    BasicSettings s = current;
    s.Left = ini.ReadInteger(sec, "Left", current.Left);
    s.Top = ini.ReadInteger(sec, "Top", current.Top);
    s.Height = ini.ReadInteger(sec, "Height", current.Height);
    s.Width = ini.ReadInteger(sec, "Width", current.Width);
    s.ComPort = ReadInRange(ini, "ComPort", 0, -1, 255);
    s.ComPortAuto = ReadInRange(ini, "ComPortAuto", current.ComPortAuto, 1, 255);
    s.LangIndex
        = LanguageFromIni(ini.ReadInteger(sec, "Language", LanguageToIni(current.LangIndex)), current.LangIndex);
    s.UpdateNumber = ini.ReadInteger(sec, "UpdateNumber", -1);
    s.File = ReadPath(ini, "File", "");
    // The dialogs start from the last file's name unless their own key holds one.
    s.DialogFile = ReadPath(ini, "IniFileDir", "");
    if (s.DialogFile.empty())
        s.DialogFile = s.File;
    int page = ini.ReadInteger(sec, PAGE_KEY, 0);
    if (page < 0 || page / 100 >= SETTINGS_PAGES)
        page = 0;
    s.Page = page / 100;
    s.Sheet = PageKeepsSheet(s.Page) ? page % 100 : -1;
    s.ExtMonitorChecked = ini.ReadInteger(sec, "CheckBoxExtMonitor->Checked", current.ExtMonitorChecked ? 1 : 0) != 0;
    s.ExtMonitorVisible = ini.ReadInteger(sec, "FormEM->Visible", 0) != 0;
    s.NewInstall = ini.ReadInteger(sec, "NEWINSTAL", 1);
    s.MonitorPlayer = ini.ReadInteger(sec, "MONITORPLAYER", 0) != 0;
    s.RecentCount = 0;
    for (int i = 0; i < SETTINGS_RECENT_FILES; ++i) {
        std::string key = RecentKey(i);
        // Entry 0 is the current file and may be empty; an empty later one ends the list.
        if (i > 0 && ini.ReadString(sec, key, "").empty())
            break;
        s.Recent[size_t(i)] = ReadPath(ini, key.c_str(), "");
        s.RecentCount = i + 1;
    }
    for (int i = s.RecentCount; i < SETTINGS_RECENT_FILES; ++i)
        s.Recent[size_t(i)].clear();
    return s;
}

std::string TestSwitchPath()
{
    if (const char* path = std::getenv("ZEPERON_TEST_SWITCH"); path && *path)
        return path;
    return (QDir::homePath() + QStringLiteral("/.Zeperon_12_test")).toStdString();
}
