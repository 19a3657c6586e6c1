#pragma once
// LC_NUMERIC switched to a locale whose decimal mark is a comma, for the
// lifetime of the object; back to "C" afterwards. An installed German or
// Czech locale is taken when there is one, else one is compiled from the
// system's locale sources into a temporary folder.

#include "support/tempdir.h"

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <string>

class CommaDecimalLocale {
public:
    CommaDecimalLocale()
    {
        for (const char* name : { "de_DE.UTF-8", "de_DE.utf8", "cs_CZ.UTF-8", "cs_CZ.utf8" })
            if (Switch(name))
                return;
        std::string target = dir_.file("de_DE.UTF-8");
        std::string command = "localedef -i de_DE -f UTF-8 '" + target + "' >/dev/null 2>&1";
        if (std::system(command.c_str()) != 0)
            return;
        setenv("LOCPATH", dir_.path().c_str(), 1);
        ownPath_ = true;
        Switch("de_DE.UTF-8");
    }
    ~CommaDecimalLocale()
    {
        std::setlocale(LC_NUMERIC, "C");
        if (ownPath_)
            unsetenv("LOCPATH");
    }
    CommaDecimalLocale(const CommaDecimalLocale&) = delete;
    CommaDecimalLocale& operator=(const CommaDecimalLocale&) = delete;

    bool Active() const { return active_; }

private:
    bool Switch(const char* name)
    {
        active_ = std::setlocale(LC_NUMERIC, name) && std::strcmp(std::localeconv()->decimal_point, ",") == 0;
        return active_;
    }
    TempDir dir_;
    bool ownPath_ = false;
    bool active_ = false;
};
