#pragma once
// LC_NUMERIC switched to a locale whose decimal mark is a comma, for the
// lifetime of the object; back to "C" afterwards. scripts/setup generates it.

#include <clocale>
#include <cstring>

class CommaDecimalLocale {
public:
    static constexpr const char* NAME = "de_DE.UTF-8";

    CommaDecimalLocale()
    {
        active_ = std::setlocale(LC_NUMERIC, NAME) && std::strcmp(std::localeconv()->decimal_point, ",") == 0;
    }
    ~CommaDecimalLocale() { std::setlocale(LC_NUMERIC, "C"); }
    CommaDecimalLocale(const CommaDecimalLocale&) = delete;
    CommaDecimalLocale& operator=(const CommaDecimalLocale&) = delete;

    bool Active() const { return active_; }

private:
    bool active_ = false;
};
