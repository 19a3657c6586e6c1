#include "update/patchoffer.h"

#include "platform/rtf.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char* const PRODUCT = "Zeperon_12";
const int PRODUCT_KEY = 308;
const char* const NO_FROM = "0000_00_00";
const char* const NO_TO = "9999_99_99";

// The text of an attribute `name="..."` between `begin` and `end`: up to the
// next double quote, at most `limit` characters; empty when absent.
std::string AttributeText(const char* begin, const char* end, const char* name, size_t limit)
{
    std::string key = std::string(name) + "=\"";
    const char* value = FindTag(begin, end, key.c_str(), true);
    if (!value)
        return {};
    size_t n = 0;
    while (n < limit && value[n] && value[n] != '"')
        ++n;
    return std::string(value, n);
}

// "%i": decimal, hexadecimal after "0x", octal after a leading 0; 0 when the
// text holds no number or one outside the int range.
int AttributeNumber(const char* begin, const char* end, const char* name)
{
    std::string text = AttributeText(begin, end, name, 32);
    errno = 0;
    char* stop = nullptr;
    long long value = std::strtoll(text.c_str(), &stop, 0);
    if (stop == text.c_str() || errno == ERANGE || value < INT_MIN || value > INT_MAX)
        return 0;
    return int(value);
}

// The text between <name> and </name> inside [begin, end); nothing when
// either tag is missing there.
std::optional<std::string> ElementText(const char* begin, const char* end, const char* name, size_t limit)
{
    std::string open = std::string("<") + name + ">";
    std::string close = std::string("</") + name + ">";
    const char* text = FindTag(begin, end, open.c_str(), true);
    if (!text)
        return std::nullopt;
    const char* stop = FindTag(text, end, close.c_str(), false);
    if (!stop)
        return std::nullopt;
    return std::string(text, std::min(size_t(stop - text), limit));
}

// Any other address counts as none: the file comes over plain HTTP, and the
// shell would open a local program or path as readily as a web page.
std::string WebAddressOrEmpty(const std::optional<std::string>& address)
{
    return address && IsWebAddress(*address) ? *address : std::string();
}

} // namespace

const char* FindTag(const char* text, const char* end, const char* tag, bool after)
{
    if (!text)
        return nullptr;
    const size_t tagLength = std::strlen(tag);
    const char* found = nullptr;
    if (!end) {
        found = std::strstr(text, tag);
    } else {
        // Only an occurrence starting before `end` counts, so the search stops
        // there: it costs the distance to the match, never the whole text.
        for (const char* p = text; p < end && *p; ++p) {
            if (*p == tag[0] && std::strncmp(p, tag, tagLength) == 0) {
                found = p;
                break;
            }
        }
    }
    if (!found)
        return nullptr;
    return after ? found + tagLength : found;
}

bool IsWebAddress(std::string_view address)
{
    auto startsWith = [&](std::string_view scheme) {
        if (address.size() <= scheme.size())
            return false;
        for (size_t i = 0; i < scheme.size(); ++i)
            if (std::tolower(static_cast<unsigned char>(address[i])) != scheme[i])
                return false;
        return true;
    };
    if (!startsWith("http://") && !startsWith("https://"))
        return false;
    for (char c : address)
        if (static_cast<unsigned char>(c) <= ' ' || c == '\x7f')
            return false;
    return true;
}

std::optional<PatchOffer> ChoosePatchOffer(
    std::string_view buffer, const std::string& buildDate, int langIndex, int updateNumber)
{
    // The text ends at its first zero byte, as the searches expect.
    const std::string text(buffer.substr(0, std::min(buffer.size(), buffer.find('\0'))));
    const char* all = text.c_str();

    char productTag[80];
    std::snprintf(productTag, sizeof productTag, "<product class=\"%s\" key=\"%i\">", PRODUCT, PRODUCT_KEY);
    const char* section = FindTag(all, nullptr, productTag, true);
    const char* sectionEnd = FindTag(section, nullptr, "</product>", false);
    if (!section || !sectionEnd)
        return std::nullopt;

    int best = -1;
    const char* bodyBegin = nullptr;
    const char* bodyEnd = nullptr;
    for (const char* p = section;;) {
        const char* attributes = FindTag(p, sectionEnd, "<recommendation", true);
        const char* body = FindTag(attributes, sectionEnd, ">", true);
        const char* stop = FindTag(body, sectionEnd, "</recommendation>", false);
        if (!stop)
            break;
        p = stop;
        int number = AttributeNumber(attributes, body, "update_number");
        std::string from = AttributeText(attributes, body, "from", PATCH_DATE_MAX);
        std::string to = AttributeText(attributes, body, "to", PATCH_DATE_MAX);
        if (from.empty())
            from = NO_FROM;
        if (to.empty())
            to = NO_TO;
        bool applies = from <= buildDate && buildDate < to;
        if (applies && number > best) {
            best = number;
            bodyBegin = body;
            bodyEnd = stop;
        }
    }
    if (!bodyBegin || updateNumber >= best)
        return std::nullopt;

    PatchOffer offer;
    offer.number = best;
    char title[120];
    std::snprintf(title, sizeof title, "Morvanta patch %s Key=%i Ver=%i", PRODUCT, PRODUCT_KEY, best);
    offer.text = title;
    const bool czech = langIndex == 2;
    std::optional<std::string> words;
    if (czech)
        words = ElementText(bodyBegin, bodyEnd, "czech", std::string::npos);
    if (!words)
        words = ElementText(bodyBegin, bodyEnd, "english", std::string::npos);
    if (words) {
        offer.text = *words;
        offer.rich = IsRtfText(offer.text);
    }
    std::optional<std::string> web;
    if (czech)
        web = ElementText(bodyBegin, bodyEnd, "web_cz", PATCH_ADDRESS_MAX);
    if (!web)
        web = ElementText(bodyBegin, bodyEnd, "web", PATCH_ADDRESS_MAX);
    offer.web = WebAddressOrEmpty(web);
    offer.download = WebAddressOrEmpty(ElementText(bodyBegin, bodyEnd, "download", PATCH_ADDRESS_MAX));
    return offer;
}
