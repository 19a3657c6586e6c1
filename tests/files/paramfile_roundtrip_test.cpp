// Writer -> reader over random normalised images. The file carries most cells
// exactly; these come back changed by design, so the generator keeps them in
// the form the reader produces:
//   - B2799 and B2916 come back rounded up to even (servo and idle steps);
//   - TRACK_CONTROLL bytes B4063..4122 above 128 come back as 256 minus them;
//   - B4240 comes back as the smaller of W1112 and 250;
//   - B2801 comes back as 0 or 1 (N2O on/off);
//   - the upper four bits of the power-output flags B2840..2851 come back clear;
//   - in idle mode 4 (B2911) the file carries B4237 in the place of B2916;
//   - a point count of 0 makes the row take values from the following lines,
//     and cells beyond a row's point count come back as the row's last value;
//   - the notes area comes back in the packed form the reader stores.
// The generator runs the consistency pass over random bytes and then brings
// the cells above, which the pass leaves open, into the reader's form; idle
// mode 4 is left to its own test.

#include "files/paramfile.h"
#include "image/consistency.h"
#include "paramfile_host.h"

#include "platform/cp1250.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace {

struct RowSpec {
    int cell, length, countCell;
    int rows = 1;
    int rowStride = 0;
    bool word = false;
};

// Rows whose cells beyond the point count repeat the last value.
const RowSpec ROW_SPECS[] = {
    { 3213, 15, 4677 },
    { 3228, 20, 2664 },
    { 3248, 20, 2665 },
    { 3268, 20, 2666 },
    { 3288, 20, 2667 },
    { 3308, 20, 2668 },
    { 3328, 20, 2669 },
    { 3363, 15, 4678 },
    { 3348, 15, 4679 },
    { 3093, 15, 3091 },
    { 3108, 15, 3091 },
    { 3123, 15, 3092 },
    { 3138, 15, 3092 },
    { 0, 20, 2664, 10, 20, true },
    { 200, 20, 2665, 10, 20, true },
    { 400, 20, 2666, 10, 20, true },
    { 600, 20, 2667, 10, 20, true },
    { 800, 20, 2669, 10, 20, true },
    { 3378, 20, 2668, 10, 20 },
    { 4243, 20, 2664, 10, 20 },
    { 4443, 20, 2669, 10, 20 },
};

class Generator {
public:
    explicit Generator(uint32_t seed)
        : rng_(seed)
    {
    }

    RsImage Image(std::vector<std::u16string>& memo)
    {
        RsImage img;
        for (auto& b : img.b)
            b = uint8_t(rng_());
        auto pick = [&](int lo, int hi) { return uint8_t(std::uniform_int_distribution<int>(lo, hi)(rng_)); };
        img.b[2550] = pick(0, 66);
        img.b[2659] = pick(0, 2);
        img.b[2911] = pick(0, 3);
        NormalizeParameterImage(img);
        // Coupled injectors share map 1A, which the coupling command copies.
        if (img.b[2659] == 2) {
            for (int m = 1; m < 4; ++m) {
                std::copy_n(&img.b[3228], 20, &img.b[size_t(3228 + 20 * m)]);
                std::copy_n(&img.b[0], 400, &img.b[size_t(400 * m)]);
                img.b[size_t(2664 + m)] = img.b[2664];
            }
        }
        // Point counts of 1..15 for the afterstart rows, which the pass leaves
        // alone; the axis cells beyond a point count are not in the file.
        for (int c : { 3091, 3092 })
            img.b[size_t(c)] = uint8_t(1 + img.b[size_t(c)] % 15);
        for (const RowSpec& r : ROW_SPECS) {
            const int n = img.b[size_t(r.countCell)];
            if (n < 1) {
                ADD_FAILURE() << "point count 0 in B" << r.countCell;
                continue;
            }
            for (int row = 0; row < r.rows; ++row) {
                const int base = r.cell + row * r.rowStride;
                for (int i = n; i < r.length; ++i) {
                    if (r.word)
                        img.SetWord(base + i, img.Word(base + n - 1));
                    else
                        img.b[size_t(base + i)] = img.b[size_t(base + n - 1)];
                }
            }
        }
        img.b[2799] &= 0xFE;
        img.b[2916] &= 0xFE;
        for (int c = 4063; c <= 4122; ++c)
            img.b[size_t(c)] = pick(0, 128);
        img.b[4240] = uint8_t(std::min<int>(img.Word(1112), 250));
        img.b[2801] = pick(0, 1);
        for (int c = 2840; c <= 2851; ++c)
            img.b[size_t(c)] &= 0x0F;
        Notes(img, memo);
        return img;
    }

private:
    // Lines of the notes memo and the notes area they pack into.
    void Notes(RsImage& img, std::vector<std::u16string>& memo)
    {
        memo.clear();
        std::fill(&img.b[3878], &img.b[4029], 0);
        int p = 3878;
        const int lines = std::uniform_int_distribution<int>(0, 4)(rng_);
        for (int l = 0; l < lines; ++l) {
            const bool wide = rng_() % 2;
            const int n = std::uniform_int_distribution<int>(1, 20)(rng_);
            std::u16string line;
            for (int i = 0; i < n; ++i) {
                const char16_t u
                    = wide && rng_() % 3 == 0 ? char16_t(0x100 + rng_() % 0xFE00) : char16_t(0x20 + rng_() % 0xE0);
                line += u;
            }
            // One byte per letter only where the byte reads back as that letter.
            const bool isWide = std::any_of(
                line.begin(), line.end(), [](char16_t u) { return u >= 0x100 || Cp1250ToUnicode(uint8_t(u)) != u; });
            const int size = isWide ? 2 * n + 3 : n + 1;
            if (p + size > 4028)
                break;
            if (isWide) {
                img.b[size_t(p++)] = 1;
                for (char16_t u : line) {
                    img.b[size_t(p++)] = uint8_t(u);
                    img.b[size_t(p++)] = uint8_t(u >> 8);
                }
                p += 2;
            } else {
                for (char16_t u : line)
                    img.b[size_t(p++)] = uint8_t(u);
                p += 1;
            }
            memo.push_back(line);
        }
    }

    std::mt19937 rng_;
};

RsImage ReadBack(const std::string& text, uint8_t fill)
{
    FakeParameterHost host;
    host.image.Fill(fill);
    EXPECT_EQ(ParseParameterText(host, -1, true, text), ParseOutcome::Complete);
    EXPECT_EQ(host.FileVersion, RSKEY);
    EXPECT_TRUE(host.FileHadBike);
    EXPECT_TRUE(host.slots.empty());
    EXPECT_TRUE(host.presetLoads.empty());
    return host.image;
}

// Cells no key carries: the bike constants, the reserved gaps and the cells
// the unit keeps for itself.
std::set<int> CellsNotCarried(const RsImage& fromZero, const RsImage& fromOnes)
{
    std::set<int> cells;
    for (int i = 0; i < RS_LEN_EXE; ++i)
        if (fromZero.b[size_t(i)] == 0 && fromOnes.b[size_t(i)] == 0xFF)
            cells.insert(i);
    return cells;
}

TEST(ParameterFileRoundTrip, RandomNormalisedImagesComeBackWhole)
{
    Generator gen(20261210);
    std::set<int> notCarried;
    for (int n = 0; n < 2000; ++n) {
        FakeParameterHost host;
        host.image = gen.Image(host.memo);
        const RsImage original = host.image;
        const std::string text = ParameterFileText(host, { "Dec  1 2019", "10:16:09" });
        ASSERT_EQ(host.image, original) << "the writer changed the image";
        const RsImage a = ReadBack(text, 0x00);
        const RsImage b = ReadBack(text, 0xFF);
        const std::set<int> missing = CellsNotCarried(a, b);
        if (n == 0)
            notCarried = missing;
        ASSERT_EQ(missing, notCarried) << "image " << n;
        for (int i = 0; i < RS_LEN_EXE; ++i) {
            if (notCarried.count(i))
                continue;
            ASSERT_EQ(a.b[size_t(i)], original.b[size_t(i)]) << "image " << n << " cell " << i;
            ASSERT_EQ(b.b[size_t(i)], original.b[size_t(i)]) << "image " << n << " cell " << i;
        }
    }
    // The cells outside the file, pinned so that a key lost from the table shows.
    std::string ranges;
    for (auto it = notCarried.begin(); it != notCarried.end();) {
        int first = *it, last = first;
        while (++it != notCarried.end() && *it == last + 1)
            ++last;
        ranges += std::to_string(first) + (first == last ? "" : ".." + std::to_string(last)) + " ";
    }
    EXPECT_EQ(ranges,
        "2032..2043 2236..2399 2551 2558..2559 2575 2658 2780 2894..2895 2908 2910 2919..2925 "
        "3008..3009 3019..3090 4029 4031 4138..4139 4165..4166 4172..4173 4199..4200 4206..4207 "
        "4233..4234 4645 4691..4799 ");
}

} // namespace
