#include "texts/langtext.h"

#include "platform/dialogs.h"

#include <cstdio>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

int LangIndex = 0;

namespace {

constexpr int MAX_VARIANTS = 3;
constexpr size_t MAX_VARIANT_LENGTH = 255;

struct ParsedText {
    bool malformed = false;
    int count = 0;
    std::string variants[MAX_VARIANTS]; // each without its trailing blanks
    size_t lengths[MAX_VARIANTS] = {}; // lengths before the trimming
};

struct TextHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view> {}(s); }
};

std::mutex cacheMutex;
std::unordered_map<std::string, ParsedText, TextHash, std::equal_to<>> cache;

bool IsTrailingBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Parses a text that starts with "#". Fills `report` with the message for a
// malformed text.
ParsedText Parse(std::string_view text, std::string& report)
{
    ParsedText parsed;
    if (text.size() < 2 || text[1] != '#') {
        // A single "#" followed by anything but a second "#" is no language
        // text; its second byte is taken as the variant count it claims.
        const int claimed = text.size() < 2 ? 0 : static_cast<unsigned char>(text[1]);
        parsed.malformed = true;
        char line[96];
        std::snprintf(line, sizeof line, "Chybny pocet jazykovych mutaci (%i > %i || %i==0) !\n ", claimed,
            MAX_VARIANTS, claimed);
        report = line;
        return parsed;
    }
    if (text.size() < 3 || text[2] != '#') {
        parsed.malformed = true;
        report = "Chybi ### na zacatku v jazykovem retezci !\n" + std::string(text);
        return parsed;
    }
    size_t pos = 3;
    for (int v = 0; v < MAX_VARIANTS; ++v) {
        parsed.count = v + 1;
        const size_t separator = text.find("##", pos);
        if (separator == std::string_view::npos) {
            // The last variant runs to the end and keeps its trailing blanks.
            parsed.variants[v] = text.substr(pos);
            parsed.lengths[v] = parsed.variants[v].size();
            break;
        }
        std::string_view variant = text.substr(pos, separator - pos);
        if (variant.size() > MAX_VARIANT_LENGTH) {
            parsed.malformed = true;
            report = "Prilis dlouha jazykova mutace (>255 chars) !\n" + std::string(text);
            return parsed;
        }
        parsed.lengths[v] = variant.size();
        // A variant of blanks only keeps its first character.
        while (variant.size() > 1 && IsTrailingBlank(variant.back()))
            variant.remove_suffix(1);
        parsed.variants[v] = variant;
        pos = separator + 2;
    }
    return parsed;
}

bool IsPlaceholder(const std::string& variant)
{
    return variant == "..";
}

const char* Choose(const ParsedText& parsed, int language)
{
    if (language == -1)
        language = LangIndex;
    if (language != -2 && (language < 0 || language >= MAX_VARIANTS))
        language = 0;
    const std::string& english = parsed.variants[0];
    if (language >= parsed.count)
        return english.c_str();
    if (language == -2) {
        int longest = 0;
        for (int v = 1; v < parsed.count; ++v)
            if (parsed.lengths[v] > parsed.lengths[longest])
                longest = v;
        return IsPlaceholder(parsed.variants[longest]) ? english.c_str() : parsed.variants[longest].c_str();
    }
    const std::string& wanted = parsed.variants[language];
    return wanted.empty() || IsPlaceholder(wanted) ? english.c_str() : wanted.c_str();
}

} // namespace

const char* SelectLangText(const char* text, int language)
{
    if (!text || text[0] != '#')
        return text;
    const std::string_view key(text);
    std::string report;
    const char* result = text;
    {
        std::lock_guard lock(cacheMutex);
        auto it = cache.find(key);
        if (it == cache.end())
            it = cache.emplace(std::string(key), Parse(key, report)).first;
        if (!it->second.malformed)
            result = Choose(it->second, language);
    }
    // Outside the lock: the box runs an event loop that may paint texts again.
    if (!report.empty())
        MessageBoxFlagged(report.c_str(), "Error", MB_OK);
    return result;
}
