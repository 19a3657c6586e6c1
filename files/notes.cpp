#include "files/notes.h"

#include "platform/cp1250.h"

#include <algorithm>

namespace {

constexpr uint8_t WIDE_MARKER = 0x01;
constexpr size_t LINE_UNITS_MAX = 8190;

// "é" and "ß" are the same in Latin-1 and Windows-1250; "ñ" or "ø" are not,
// and a byte of theirs would read back as another letter.
bool IsNarrow(std::u16string_view line)
{
    return std::all_of(
        line.begin(), line.end(), [](char16_t u) { return u < 0x100 && Cp1250ToUnicode(uint8_t(u)) == u; });
}

} // namespace

void WriteNoteRecord(RsImage& image, int& p, int& room, std::u16string_view line)
{
    line = line.substr(0, std::min(line.size(), LINE_UNITS_MAX));
    const int n = int(line.size());
    auto& b = image.b;
    if (IsNarrow(line)) {
        if (room <= 0)
            return;
        const int k = std::min(n + 1, room);
        for (int i = 0; i < k - 1; ++i)
            b[size_t(p + i)] = uint8_t(line[size_t(i)]);
        b[size_t(p + k - 1)] = 0;
        p += k;
        room -= k;
        return;
    }
    if (room <= 5)
        return;
    b[size_t(p)] = WIDE_MARKER;
    ++p;
    --room;
    int k = 2 * n + 2;
    if (k / 2 > room / 2)
        k = 2 * (room / 2);
    for (int i = 0; i < (k - 2) / 2; ++i) {
        b[size_t(p + 2 * i)] = uint8_t(line[size_t(i)]);
        b[size_t(p + 2 * i + 1)] = uint8_t(line[size_t(i)] >> 8);
    }
    b[size_t(p + k - 2)] = 0;
    b[size_t(p + k - 1)] = 0;
    p += k;
    room -= k;
}

void StoreNotes(RsImage& image, const std::vector<std::u16string>& lines)
{
    std::fill(&image.b[NOTES_FIRST], &image.b[NOTES_LAST] + 1, 0);
    int p = NOTES_FIRST;
    int room = NOTES_LAST - NOTES_FIRST + 1;
    for (const std::u16string& line : lines)
        WriteNoteRecord(image, p, room, line);
}

std::vector<std::u16string> LoadNotes(const RsImage& image)
{
    std::vector<std::u16string> lines;
    const auto& b = image.b;
    int e = NOTES_LAST;
    while (e >= NOTES_FIRST && b[size_t(e)] == 0)
        --e;
    int p = NOTES_FIRST;
    while (p <= e) {
        std::u16string line;
        if (b[size_t(p)] == WIDE_MARKER) {
            if (++p > e)
                break;
            while (p + 1 <= NOTES_LAST) {
                const char16_t unit = char16_t(b[size_t(p)] | b[size_t(p + 1)] << 8);
                p += 2;
                if (unit == 0)
                    break;
                line += unit;
            }
            if (p == NOTES_LAST)
                p = NOTES_LAST + 1;
        } else {
            std::string bytes;
            while (p <= NOTES_LAST && b[size_t(p)] != 0)
                bytes += char(b[size_t(p++)]);
            ++p;
            line = Cp1250ToUtf16(bytes);
        }
        lines.push_back(std::move(line));
    }
    return lines;
}
