#include "app/settingsfiles.h"

#include "platform/filewrite.h"

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
