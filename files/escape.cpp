#include "files/escape.h"

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool LooksLikePlainPath(std::string_view t)
{
    if (t.size() >= 3 && t[0] == '\\' && t[1] == '\\' && t[2] != '\\')
        return true;
    return t.size() >= 4 && t[1] == ':' && t[2] == '\\' && t[3] != '\\';
}

void AppendHexEscape(std::string& out, char16_t u)
{
    static const char HEX_DIGITS[] = "0123456789ABCDEF";
    out += "\\x";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += HEX_DIGITS[(u >> shift) & 0xF];
}

} // namespace

std::string EscapeWide(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char16_t u : text) {
        if (u >= 0x100) {
            AppendHexEscape(out, u);
        } else if (u == u'\\') {
            out += "\\\\";
        } else {
            out += char(u);
        }
    }
    // "\dir" or "C:" and a wide character would read back as an old plain
    // path; the first character in its hex form keeps them apart.
    if (LooksLikePlainPath(out)) {
        std::string head;
        AppendHexEscape(head, text[0]);
        out.replace(0, text[0] == u'\\' ? 2 : 1, head);
    }
    return out;
}

std::u16string UnescapeWide(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    if (LooksLikePlainPath(text)) {
        for (char c : text)
            out += char16_t(static_cast<unsigned char>(c));
        return out;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\\') {
            out += char16_t(static_cast<unsigned char>(c));
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '\\') {
            out += u'\\';
            ++i;
            continue;
        }
        // "\x" and four digits; the letter after the backslash is not examined.
        int value = 0;
        bool ok = i + 5 < text.size();
        for (size_t k = i + 2; ok && k < i + 6; ++k) {
            const int d = HexDigit(text[k]);
            ok = d >= 0;
            value = value * 16 + d;
        }
        if (ok) {
            out += char16_t(value);
            i += 5;
        } else {
            out += u'\\';
        }
    }
    return out;
}
