// application.ini and default.ini are read back from whatever the folder
// holds. The input is split at its first NUL: the INI text, then default.ini.
#include "files/settingsfiles.h"
#include "platform/inifile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    size_t split = input.find('\0');
    std::string_view iniText = input.substr(0, split);
    std::string_view imageText = split == std::string_view::npos ? std::string_view() : input.substr(split + 1);

    IniFile ini;
    ini.Parse(iniText);
    BasicSettings s = ReadBasicSettings(ini, BasicSettings {});
    if (s.Page < 0 || s.Page >= SETTINGS_PAGES || s.ComPort < -1 || s.ComPort > 255 || s.ComPortAuto < 1
        || s.ComPortAuto > 255 || s.RecentCount < 1 || s.RecentCount > SETTINGS_RECENT_FILES
        || s.File.size() > SETTINGS_MAX_PATH)
        __builtin_trap();
    // What was read is written and read again unchanged.
    IniFile again;
    WriteBasicSettings(again, s);
    BasicSettings back = ReadBasicSettings(again, BasicSettings {});
    if (back.File != s.File || back.Recent != s.Recent || back.RecentCount != s.RecentCount || back.Page != s.Page)
        __builtin_trap();

    RsImage image;
    int stored = ParseDefaultIni(imageText, image);
    if (stored < 0 || stored > RS_LEN_EXE)
        __builtin_trap();
    return 0;
}
