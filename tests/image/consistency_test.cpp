#include "image/consistency.h"

#include "texts/langtext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

struct Cell {
    int at; // byte offset, or word index when word
    int value;
    bool word = false;
};

Cell B(int at, int value)
{
    return { at, value, false };
}
Cell W(int k, int value)
{
    return { k, value, true };
}

void Put(RsImage& image, const Cell& c)
{
    if (c.word)
        image.SetWord(c.at, uint16_t(c.value));
    else
        image.b[size_t(c.at)] = uint8_t(c.value);
}

int Get(const RsImage& image, const Cell& c)
{
    return c.word ? image.Word(c.at) : image.b[size_t(c.at)];
}

// The pass also repairs the program-wide language index; each test that
// runs it leaves the index as it found it.
class KeepLangIndex {
public:
    KeepLangIndex()
        : saved_(LangIndex)
    {
    }
    ~KeepLangIndex() { LangIndex = saved_; }

private:
    int saved_;
};

RsImage Normalized(RsImage image)
{
    KeepLangIndex keep;
    NormalizeParameterImage(image);
    return image;
}

// An all-zero image after one pass: every rule holds, so a case changes only
// what it sets.
RsImage Baseline()
{
    return Normalized(RsImage {});
}

} // namespace

// ---------------------------------------------------------------------------
// The run primitives.

struct RunCase {
    const char* what;
    bool words;
    int mode;
    int low;
    int high;
    int step;
    std::vector<int> in;
    std::vector<int> out;
};

const std::vector<RunCase> RUN_CASES = {
    { "rising keeps what fits, repairs the order", false, RISING, 3, 250, 1, { 10, 10, 10 }, { 10, 11, 12 } },
    { "rising raises to the lower bounds", false, RISING, 3, 250, 1, { 0, 0, 0 }, { 3, 4, 5 } },
    { "rising lowers to the upper bounds", false, RISING, 3, 250, 1, { 255, 255, 255 }, { 248, 249, 250 } },
    { "rising repairs a dip", false, RISING, 3, 250, 1, { 100, 50, 60 }, { 100, 101, 102 } },
    { "crossed bounds: the upper one wins", false, RISING, 3, 5, 1, { 0, 0, 0, 0, 0 }, { 1, 2, 3, 4, 5 } },
    { "crossed bounds from above", false, RISING, 3, 5, 1, { 255, 9, 255, 0, 255 }, { 1, 2, 3, 4, 5 } },
    { "falling raises to the lower bounds", false, FALLING, 0, 250, 1, { 0, 0, 0 }, { 2, 1, 0 } },
    { "falling repairs a rise", false, FALLING, 0, 250, 1, { 10, 20, 5 }, { 10, 9, 5 } },
    { "signed flat drops negatives", false, SIGNED + FLAT, 0, 60, 1, { 0xF6, 70, 30 }, { 0, 60, 30 } },
    { "signed flat with a negative bound", false, SIGNED + FLAT, -20, 100, 1, { 0xEC, 0xEB, 0x80, 101 },
        { 0xEC, 0xEC, 0xEC, 100 } },
    { "mode 99 is signed falling", false, 99, -10, 10, 1, { 0x80, 0x80 }, { 0xF7, 0xF6 } },
    { "a limit of -1 leaves 255", false, FLAT, 0, -1, 1, { 0, 7 }, { 255, 255 } },
    { "flat 1..0: the upper bound wins", false, FLAT, 1, 0, 1, { 0, 9 }, { 0, 0 } },
    { "words falling", true, FALLING, 0, 5000, 1, { 5000, 5000, 4000 }, { 5000, 4999, 4000 } },
    { "words less than a step apart stay", true, RISING, 0, 1000, 10, { 100, 105, 300 }, { 100, 105, 300 } },
    { "words repaired by a step", true, RISING, 0, 1000, 10, { 100, 100, 50 }, { 100, 110, 120 } },
    { "words held to their upper bounds", true, RISING, 0, 999, 1, { 65535, 0, 0 }, { 997, 998, 999 } },
    { "signed words", true, SIGNED + RISING, -100, 100, 1, { 0xFFFF, 0xFFFE }, { 0xFFFF, 0 } },
};

TEST(ConstrainRuns, Cases)
{
    const int offset = 1000, index = 5;
    for (const RunCase& c : RUN_CASES) {
        SCOPED_TRACE(c.what);
        RsImage image;
        image.Fill(0x77);
        int first = offset + index;
        int count = int(c.in.size());
        for (int i = 0; i < count; ++i)
            Put(image, { first + i, c.in[size_t(i)], c.words });
        if (c.words)
            ConstrainWords(image, c.mode, offset, index, c.low, c.high, count, c.step);
        else
            ConstrainBytes(image, c.mode, offset, index, c.low, c.high, count);
        std::vector<int> out;
        for (int i = 0; i < count; ++i)
            out.push_back(Get(image, { first + i, 0, c.words }));
        EXPECT_EQ(out, c.out);
        EXPECT_EQ(Get(image, { first - 1, 0, c.words }), c.words ? 0x7777 : 0x77);
        EXPECT_EQ(Get(image, { first + count, 0, c.words }), c.words ? 0x7777 : 0x77);
    }
}

TEST(FillColumns, TailsRepeatTheLastUsedColumn)
{
    RsImage image;
    for (int i = 0; i < RS_LEN_EXE; ++i)
        image.b[size_t(i)] = uint8_t(i);
    RsImage before = image;
    FillByteColumns(image, 2400, 15, 5, 10);
    for (int r = 0; r < 10; ++r) {
        for (int c = 0; c < 15; ++c) {
            int at = 2400 + r * 15 + c;
            EXPECT_EQ(image.b[size_t(at)], before.b[size_t(c < 5 ? at : 2400 + r * 15 + 4)]) << r << "," << c;
        }
    }
    EXPECT_EQ(image.b[2550], before.b[2550]);

    FillWordColumns(image, 0, 20, 20, 10);
    for (int k = 0; k < 200; ++k)
        EXPECT_EQ(image.Word(k), before.Word(k)) << "all columns used";
}

// ---------------------------------------------------------------------------
// The pass, case by case.

struct PassCase {
    const char* what;
    std::vector<Cell> set;
    std::vector<Cell> expect;
};

const std::vector<PassCase> PASS_CASES = {
    { "advance map: negative and too large", { B(2417, 0xF6), B(2418, 70), B(2419, 60) },
        { B(2417, 0), B(2418, 60), B(2419, 60) } },
    { "two ignitions per turn, 36 lobes", { B(2576, 2), B(2571, 36), B(2572, 0) }, { W(1000, 50), B(2579, 18) } },
    { "camshaft, 58 + 2 lobes", { B(2576, 0), B(2571, 58), B(2572, 2) }, { W(1000, 120), B(2579, 30) } },
    { "unknown ignitions per turn count as one", { B(2576, 7), B(2571, 30), B(2572, 0) },
        { W(1000, 120), B(2579, 15) } },
    { "no lobes keep the lobe angle", { B(2571, 0), B(2572, 0), W(1000, 100), B(2579, 5) },
        { W(1000, 100), B(2579, 0) } },
    { "lobes per channel: no derived values, no acquisition lobe",
        { B(2585, 1), B(2571, 36), W(1000, 77), B(2579, 9), B(2581, 5) }, { W(1000, 77), B(2579, 9), B(2581, 0) } },
    { "no lobes: lobe numbers become 255",
        { B(2571, 0), B(2611, 3), B(2612, 0), B(2581, 4), B(2627, 2), B(2586, 5), B(2593, 5) },
        { B(2611, 255), B(2612, 255), B(2613, 255), B(2581, 255), B(2627, 255), B(2586, 0), B(2593, 0) } },
    { "lobe numbers below the lobe count",
        { B(2571, 12), B(2570, 4), B(2586, 20), B(2590, 0), B(2611, 12), B(2581, 12), B(2627, 11), B(2626, 6) },
        { B(2586, 12), B(2590, 1), B(2611, 11), B(2581, 11), B(2627, 11), B(2626, 5) } },
    { "channel lobes over two turns", { B(2571, 12), B(2570, 1), B(2586, 30) }, { B(2586, 24) } },
    { "compensation within 100 +- 20", { B(4241, 20), B(4243, 50), B(4642, 130), B(4300, 110) },
        { B(4243, 80), B(4642, 120), B(4300, 110) } },
    { "compensation limit above 155 bounds nothing", { B(4241, 200), B(4243, 255), B(4244, 0) },
        { B(4243, 255), B(4244, 0) } },
    { "N2O", { B(2802, 150), B(2803, 50), B(2804, 0), B(2808, 250), B(2806, 20), B(2807, 10), B(2810, 9), B(2811, 3) },
        { B(2802, 100), B(2803, 100), B(2804, 1), B(2808, 200), B(2807, 20), B(2811, 9) } },
    { "idle band above the hysteresis", { B(2911, 2), B(2917, 40), B(2918, 40) }, { B(2918, 41) } },
    { "idle band: 250 wins over hysteresis + 1", { B(2911, 2), B(2917, 250), B(2918, 0) }, { B(2918, 250) } },
    { "idle band in another mode", { B(2911, 1), B(2917, 40), B(2918, 0) }, { B(2918, 1) } },
    { "idle step pulse within its period", { B(2911, 1), B(2915, 90), B(2916, 20) }, { B(2915, 20) } },
    { "idle step pulse free in mode 4", { B(2911, 4), B(2915, 90), B(2916, 20) }, { B(2915, 90) } },
    { "idle lobe within two turns", { B(2571, 10), B(4238, 25) }, { B(4238, 20) } },
    { "idle lobe: twice 200 lobes bounds nothing", { B(2571, 200), B(4238, 255) }, { B(4238, 255) } },
    { "tuning channel within the outputs", { B(2659, 0), B(2574, 2), B(2991, 3) }, { B(2991, 2) } },
    { "tuning channel, coupled, one output", { B(2659, 1), B(2574, 1), B(2991, 3) }, { B(2991, 1) } },
    { "tuning channel, coupled, three outputs", { B(2659, 2), B(2574, 3), B(2991, 3) }, { B(2991, 0) } },
    { "servo maps in percent", { B(2786, 1), B(3728, 0), B(3729, 120), B(2785, 0), B(3578, 0), B(3579, 251) },
        { B(3728, 1), B(3729, 99), B(3578, 0), B(3579, 250) } },
    { "intake servo off clears its throttle byte", { B(2782, 0), B(4030, 5) }, { B(4030, 0) } },
    { "intake servo on keeps its throttle byte", { B(2782, 1), B(4030, 5) }, { B(4030, 5) } },
    { "speed output correction taken from the old byte", { W(1112, 0), B(4240, 33) }, { W(1112, 33) } },
    { "speed output correction kept", { W(1112, 7), B(4240, 33) }, { W(1112, 7) } },
    { "dwell corrections of an old image",
        { B(4677, 0), B(4668, 100), B(4669, 100), B(4670, 100), B(4671, 100), B(4672, 100), B(4673, 100), B(4674, 100),
            B(4675, 100), B(4676, 100) },
        { B(4668, 0), B(4676, 0), B(4677, 15) } },
    { "dwell corrections with a column count stay",
        { B(4677, 3), B(4668, 100), B(4669, 100), B(4670, 100), B(4671, 100), B(4672, 100), B(4673, 100), B(4674, 100),
            B(4675, 100), B(4676, 100) },
        { B(4668, 100), B(4676, 100), B(4677, 3) } },
    { "dwell corrections within -20..100", { B(4668, 0xE0), B(4669, 120) }, { B(4668, 0xEC), B(4669, 100) } },
    { "power output function codes", { B(2812, 9), B(2813, 7), B(2815, 255) }, { B(2812, 3), B(2813, 7), B(2815, 3) } },
    { "pilot light at least its base", { B(2853, 50), B(2859, 10), B(2858, 9), B(2864, 10) },
        { B(2859, 50), B(2864, 10) } },
    { "jet misc", { B(2660, 120), B(2661, 0), B(2662, 9), B(2663, 8) }, { B(2660, 101), B(2661, 101), B(2663, 9) } },
    { "intake servo limits", { B(2799, 30), B(2800, 40) }, { B(2800, 30) } },
    { "output count at most 4", { B(2574, 9) }, { B(2574, 4) } },
    { "ADV_IAP axis", { W(2323, 1200), W(2324, 0) }, { W(2323, 990), W(2324, 991) } },
};

TEST(NormalizeParameterImage, Cases)
{
    for (const PassCase& c : PASS_CASES) {
        SCOPED_TRACE(c.what);
        RsImage image = Baseline();
        for (const Cell& cell : c.set)
            Put(image, cell);
        RsImage out = Normalized(image);
        for (const Cell& cell : c.expect)
            EXPECT_EQ(Get(out, cell), cell.value) << (cell.word ? "word " : "byte ") << cell.at;
    }
}

TEST(NormalizeParameterImage, AxisOfZerosRisesFromThree)
{
    RsImage out = Normalized(RsImage {});
    for (int i = 0; i < 15; ++i)
        EXPECT_EQ(out.b[size_t(3213 + i)], 3 + i);
}

struct CanCase {
    const char* what;
    int sheetOff, lambdaMode, coupling, outputs;
    std::vector<int> ids;
    std::vector<int> expect;
};

const std::vector<CanCase> CAN_CASES = {
    { "four outputs keep four identifiers", 0, 2, 0, 4, { 100, 200, 300, 400 }, { 100, 200, 300, 400 } },
    { "three outputs", 0, 2, 0, 3, { 100, 200, 300, 400 }, { 100, 200, 300, 802 } },
    { "two outputs", 0, 2, 0, 2, { 100, 200, 300, 400 }, { 100, 200, 802, 802 } },
    { "one output", 0, 2, 0, 1, { 100, 200, 300, 400 }, { 802, 802, 802, 802 } },
    { "lambda sheet off", 1, 2, 0, 4, { 100, 200, 300, 400 }, { 802, 802, 802, 802 } },
    { "lambda sensor not on CAN", 0, 1, 0, 4, { 100, 200, 300, 400 }, { 802, 802, 802, 802 } },
    { "coupled injectors", 0, 2, 1, 4, { 100, 200, 300, 400 }, { 802, 802, 802, 802 } },
    { "0 and above 2047 take the default", 0, 2, 0, 4, { 0, 2047, 2048, 1 }, { 802, 2047, 802, 1 } },
    { "an output count above 4 is capped first", 0, 2, 0, 9, { 100, 200, 300, 400 }, { 100, 200, 300, 400 } },
};

TEST(NormalizeParameterImage, CanIdentifiers)
{
    for (const CanCase& c : CAN_CASES) {
        SCOPED_TRACE(c.what);
        RsImage image = Baseline();
        image.b[4038] = uint8_t(c.sheetOff);
        image.b[2939] = uint8_t(c.lambdaMode);
        image.b[2659] = uint8_t(c.coupling);
        image.b[2574] = uint8_t(c.outputs);
        for (int k = 0; k < 4; ++k)
            image.SetWord(1106 + k, uint16_t(c.ids[size_t(k)]));
        RsImage out = Normalized(image);
        std::vector<int> ids;
        for (int k = 0; k < 4; ++k)
            ids.push_back(out.Word(1106 + k));
        EXPECT_EQ(ids, c.expect);
    }
}

TEST(NormalizeParameterImage, LanguageIndex)
{
    const int cases[][2] = { { 0, 0 }, { 1, 1 }, { 2, 2 }, { 3, 0 }, { -1, 0 }, { 1000, 0 } };
    for (const auto& c : cases) {
        RsImage image = Baseline();
        KeepLangIndex keep;
        LangIndex = c[0];
        NormalizeParameterImage(image);
        EXPECT_EQ(LangIndex, c[1]) << "from " << c[0];
    }
}

TEST(NormalizeParameterImage, ColumnCounts)
{
    RsImage pattern = Baseline();
    for (int k = 0; k < 200; ++k)
        pattern.SetWord(k, uint16_t(1000 + k));

    // A count of 0 means all twenty columns: the map stays as it is.
    RsImage image = pattern;
    image.b[2664] = 0;
    RsImage out = Normalized(image);
    EXPECT_EQ(out.b[2664], 20);
    for (int k = 0; k < 200; ++k)
        EXPECT_EQ(out.Word(k), 1000 + k);

    // A count above the row is held to it before any column is filled.
    image.b[2664] = 25;
    out = Normalized(image);
    EXPECT_EQ(out.b[2664], 20);
    EXPECT_EQ(out.Word(199), 1199);

    // Five used columns: column 4 repeats into 5..19 of every row.
    image.b[2664] = 5;
    out = Normalized(image);
    EXPECT_EQ(out.b[2664], 5);
    for (int r = 0; r < 10; ++r) {
        for (int c = 0; c < 20; ++c)
            EXPECT_EQ(out.Word(r * 20 + c), 1000 + r * 20 + std::min(c, 4)) << r << "," << c;
    }
    EXPECT_EQ(out.Word(200), pattern.Word(200)) << "the next map is its own";

    // The byte map among the word maps.
    image = Baseline();
    image.b[2668] = 2;
    image.b[3378 + 1] = 77;
    out = Normalized(image);
    EXPECT_EQ(out.b[3378 + 19], 77);
    EXPECT_EQ(out.b[3378 + 20 + 19], out.b[3378 + 20 + 1]);
}

// Rules that read a cell an earlier rule bounds must see the bounded value.
TEST(NormalizeParameterImage, RulesRunInTheirOrder)
{
    // The old dwell corrections are recognised by a column count of 0, so
    // they must be looked at before the count is repaired to 15.
    RsImage image = Baseline();
    image.b[4677] = 0;
    for (int i = 0; i < 9; ++i)
        image.b[size_t(4668 + i)] = 100;
    RsImage out = Normalized(image);
    EXPECT_EQ(out.b[4677], 15);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(out.b[size_t(4668 + i)], 0) << i;

    // The output count is capped before the tuning channel is bounded by it;
    // the other way round a second pass would still change the channel.
    image = Baseline();
    image.b[2574] = 9;
    image.b[2659] = 0;
    image.b[2991] = 7;
    out = Normalized(image);
    EXPECT_EQ(out.b[2574], 4);
    EXPECT_EQ(out.b[2991], 4);

    // The column counts are repaired before the tails are filled: a count of
    // 0 fills nothing (it would copy a column before the row otherwise).
    image = Baseline();
    for (int i = 0; i < 150; ++i)
        image.b[size_t(2400 + i)] = uint8_t(i % 50);
    image.b[4677] = 0;
    out = Normalized(image);
    for (int i = 0; i < 150; ++i)
        EXPECT_EQ(out.b[size_t(2400 + i)], i % 50) << i;
}

// ---------------------------------------------------------------------------
// Properties over random images. The cells that switch rules on and off are
// drawn from their interesting values half of the time, so every branch is
// taken often.

namespace {

RsImage RandomImage(std::mt19937& rng)
{
    RsImage image;
    for (auto& v : image.b)
        v = uint8_t(rng());
    auto pick = [&](int at, std::vector<int> values) {
        if (rng() & 1)
            image.b[size_t(at)] = uint8_t(values[rng() % values.size()]);
    };
    pick(2574, { 0, 1, 2, 3, 4, 9 });
    pick(2571, { 0, 1, 2, 36, 58, 200 });
    pick(2572, { 0, 1, 2, 200 });
    pick(2576, { 0, 1, 2, 3, 4 });
    pick(2585, { 0 });
    pick(2570, { 4 });
    pick(2939, { 1, 2 });
    pick(4038, { 0 });
    pick(2659, { 0, 1, 2 });
    pick(2911, { 2, 4 });
    pick(2917, { 0, 249, 250, 255 });
    pick(2918, { 0 });
    pick(2782, { 0 });
    pick(2785, { 0 });
    pick(2786, { 0 });
    pick(4241, { 0, 20, 150 });
    for (int count : { 4677, 4678, 4679, 2664, 2665, 2666, 2667, 2668, 2669 })
        pick(count, { 0, 1, 5, 15, 20, 25 });
    if (rng() % 4 == 0) {
        image.b[4677] = 0;
        for (int i = 0; i < 9; ++i)
            image.b[size_t(4668 + i)] = 100;
    }
    if (rng() & 1)
        image.SetWord(1112, 0);
    const int ids[] = { 0, 802, 2047, 2048 };
    for (int k = 0; k < 4; ++k) {
        if (rng() & 1)
            image.SetWord(1106 + k, uint16_t(ids[rng() % 4]));
    }
    return image;
}

// Each rule as what must hold afterwards, not as how the pass gets there.
struct Range {
    const char* key;
    bool words;
    bool isSigned;
    int direction; // +1 strictly rising, -1 strictly falling, 0 any order
    int at;
    int count;
    int low;
    int high;
};

const std::vector<Range> FIXED_RANGES = {
    { "RPM_ADV", false, false, 1, 3213, 15, 3, 250 },
    { "RPM_JET_1A", false, false, 1, 3228, 20, 3, 250 },
    { "RPM_JET_2A", false, false, 1, 3248, 20, 3, 250 },
    { "RPM_JET_3A", false, false, 1, 3268, 20, 3, 250 },
    { "RPM_JET_4A", false, false, 1, 3288, 20, 3, 250 },
    { "RPM_JET_B", false, false, 1, 3308, 20, 3, 250 },
    { "RPM_IAP", false, false, 1, 3328, 20, 3, 250 },
    { "ADV_IAP", true, false, 1, 2323, 10, 0, 999 },
    { "POSITION_A", false, false, 1, 3153, 15, 3, 250 },
    { "POSITION_B", false, false, 1, 3183, 15, 3, 250 },
    { "RPM_SERVO_IN", false, false, 1, 3363, 15, 3, 250 },
    { "RPM_SERVO_EX", false, false, 1, 3348, 15, 3, 250 },
    { "IAP_IAP", true, false, 1, 1056, 10, 0, 1000 },
    { "AFTERSTART_RETARD", false, false, 1, 3093, 15, 0, 250 },
    { "AFTERSTART_LIMITER", false, false, 1, 3123, 15, 0, 250 },
    { "ADVANCE", false, true, 0, 2400, 150, 0, 60 },
    { "JET_B", false, false, 0, 3378, 200, 0, 100 },
    { "TPS", false, false, 0, 2777, 2, 0, 250 },
    { "CORR_TW_START_JET", false, false, 0, 2716, 10, 0, 250 },
    { "CHOKE rising", false, false, 1, 2769, 4, 0, 250 },
    { "CHOKE", false, false, 0, 2773, 4, 0, 250 },
    { "N2O 2802", false, false, 0, 2802, 2, 0, 100 },
    { "N2O 2804", false, false, 0, 2804, 1, 1, 200 },
    { "N2O 2805", false, false, 0, 2805, 1, 0, 200 },
    { "N2O 2806", false, false, 0, 2806, 2, 0, 25 },
    { "N2O 2808", false, false, 0, 2808, 1, 1, 200 },
    { "N2O 2809", false, false, 0, 2809, 1, 0, 200 },
    { "ADVANCE_MISC", false, false, 0, 2657, 1, 0, 40 },
    { "ADVANCE_PICKUP_COMP", false, false, 0, 2909, 1, 0, 24 },
    { "JET1_MISC", false, false, 0, 2660, 1, 0, 101 },
    { "WATER_TEMP_SENSOR", true, false, -1, 1022, 9, 0, 5000 },
    { "AIR_TEMP_SENSOR", true, false, -1, 1031, 9, 0, 5000 },
    { "SENSOR_LAMBDA", false, false, 1, 2940, 6, 0, 250 },
    { "LAMBDA_TACHO rising", false, false, 1, 2946, 2, 0, 250 },
    { "LAMBDA_TACHO", false, false, 0, 2948, 2, 3, 250 },
    { "LAMBDA_BAR", false, false, 1, 2950, 4, 0, 250 },
    { "TUNING_LAMBDA rising", false, false, 1, 2956, 5, 3, 250 },
    { "TUNING_LAMBDA", false, false, 0, 2961, 25, 0, 250 },
    { "ACC_TRESHOLD", false, false, 1, 4133, 5, 3, 250 },
    { "ACC_SPEED_OF_RETURN", false, false, 1, 4167, 5, 3, 250 },
    { "ACC_PROP_EFFECTx10", false, false, 1, 4201, 5, 3, 250 },
    { "POWER_OUT1 rpm", false, false, 1, 2816, 3, 3, 250 },
    { "POWER_OUT2 rpm", false, false, 1, 2819, 3, 3, 250 },
    { "POWER_OUT3 rpm", false, false, 1, 2822, 3, 3, 250 },
    { "POWER_OUT4 rpm", false, false, 1, 2825, 3, 3, 250 },
    { "POWER_OUT1 level", false, false, 1, 2832, 2, 0, 100 },
    { "POWER_OUT2 level", false, false, 1, 2834, 2, 0, 100 },
    { "POWER_OUT3 level", false, false, 1, 2836, 2, 0, 100 },
    { "POWER_OUT4 level", false, false, 1, 2838, 2, 0, 100 },
    { "POWER_OUT functions", false, false, 0, 2812, 4, 0, 7 },
    { "SYNCHRO outputs", false, false, 0, 2574, 1, 0, 4 },
    { "SYNCHRO_SPECIAL conditions", false, false, 0, 2626, 1, 0, 5 },
    { "IDLE_CONTROL_BAND", false, false, 0, 2918, 1, 1, 250 },
    { "CORR_U_DWELL", false, true, 0, 4668, 9, -20, 100 },
    { "ADVANCE columns", false, false, 0, 4677, 3, 1, 15 },
    { "injection map columns", false, false, 0, 2664, 6, 1, 20 },
};

class Checker {
public:
    explicit Checker(const RsImage& image)
        : im_(image)
    {
    }

    int Byte(int at) const { return im_.b[size_t(at)]; }

    // The text is built only for a failure: the property runs millions of checks.
    void Expect(bool ok, const char* what, int at = -1)
    {
        if (!ok)
            failures.push_back(std::string(what) + (at >= 0 ? " at " + std::to_string(at) : ""));
    }

    void CheckRange(const Range& r)
    {
        int before = 0;
        for (int i = 0; i < r.count; ++i) {
            int v = r.words ? im_.Word(r.at + i) : Byte(r.at + i);
            if (r.isSigned)
                v = r.words ? int(int16_t(v)) : int(int8_t(v));
            Expect(v >= r.low && v <= r.high, r.key, r.at + i);
            if (i > 0 && r.direction != 0)
                Expect(r.direction > 0 ? v > before : v < before, r.key, r.at + i);
            before = v;
        }
    }

    std::vector<std::string> failures;

private:
    const RsImage& im_;
};

// Cases the property leaves out because the rules let crossed bounds stand;
// the pass cases above pin what happens there.
bool NoLobes(const RsImage& image)
{
    return image.b[2571] == 0;
}
bool IdleBandCrossed(const RsImage& image)
{
    return image.b[2911] == 2 && image.b[2917] >= 250;
}

std::vector<std::string> RuleViolations(const RsImage& im, int lang)
{
    Checker c(im);
    for (const Range& r : FIXED_RANGES)
        c.CheckRange(r);

    for (auto [map, flag, key] :
        { std::tuple { 3728, 2786, "SERVO_IN_VALUE" }, std::tuple { 3578, 2785, "SERVO_EX_VALUE" } }) {
        bool percent = c.Byte(flag) != 0;
        c.CheckRange({ key, false, false, 0, map, 150, percent ? 1 : 0, percent ? 99 : 250 });
    }
    c.CheckRange({ "SENSOR_LAMBDA curve", true, false, c.Byte(2939) == 1 ? 1 : -1, 1066, 6, 0, 5000 });
    int h = c.Byte(4241);
    c.CheckRange({ "JET_COMP", false, false, 0, 4243, 400, 100 - h, 100 + h });

    for (int i = 0; i < 6; ++i)
        c.Expect(c.Byte(2859 + i) >= c.Byte(2853 + i), "PILOT_LIGHT");
    const std::pair<int, int> ordered[]
        = { { 2803, 2802 }, { 2807, 2806 }, { 2811, 2810 }, { 2661, 2660 }, { 2663, 2662 }, { 2799, 2800 } };
    for (auto [high, low] : ordered)
        c.Expect(c.Byte(high) >= c.Byte(low), "ordered pair", high);
    if (c.Byte(2911) != 4)
        c.Expect(c.Byte(2915) <= c.Byte(2916), "IDLE step pulse");
    c.Expect(c.Byte(4238) <= 2 * c.Byte(2571), "IDLE_PEUGEOT");
    int outputs = c.Byte(2574);
    int channelLimit = c.Byte(2659) == 0 ? outputs : outputs <= 1 ? 1 : 0;
    c.Expect(c.Byte(2991) <= channelLimit, "TUNING channel");

    int lobes = c.Byte(2571);
    int total = lobes + c.Byte(2572);
    if (c.Byte(2585) == 0 && total != 0) {
        const int intervals[] = { 7200, 3600, 1800, 1200 };
        int p = c.Byte(2576) < 4 ? intervals[c.Byte(2576)] : 3600;
        int angle = im.Word(1000);
        c.Expect(angle == p / total, "SYNCHRO lobe angle");
        int half = angle ? (p / 2 - 10) / angle + 1 : 0;
        if (angle && half <= 255)
            c.Expect(c.Byte(2579) == std::min(half, total), "SYNCHRO half interval");
        c.Expect(c.Byte(2579) <= total, "SYNCHRO half interval within the lobes");
    }
    if (!NoLobes(im)) {
        int m = c.Byte(2570) == 4 ? lobes : 2 * lobes;
        c.CheckRange({ "CHANNEL_LOBES", false, false, 0, 2586, 8, 1, m });
        c.CheckRange({ "HUNTING", false, false, 0, 2611, 3, 0, lobes - 1 });
        c.CheckRange({ "SYNCHRO_SPECIAL lobe", false, false, 0, 2627, 1, 0, lobes - 1 });
        c.CheckRange({ "SYNCHRO acquisition", false, false, 0, 2581, 1, 0, c.Byte(2585) ? 0 : lobes - 1 });
    }

    bool canUnused = c.Byte(4038) != 0 || c.Byte(2939) != 2 || c.Byte(2659) != 0 || outputs <= 1;
    for (int k = 0; k < 4; ++k) {
        int id = im.Word(1106 + k);
        c.Expect(id >= 1 && id <= 2047, "CAN_ID range");
        if (canUnused || (k == 2 && outputs <= 2) || (k == 3 && outputs <= 3))
            c.Expect(id == 802, "CAN_ID default", 1106 + k);
    }

    if (c.Byte(2911) == 2 && !IdleBandCrossed(im))
        c.Expect(c.Byte(2918) > c.Byte(2917), "IDLE_CONTROL_BAND above the hysteresis");
    if (c.Byte(2782) == 0)
        c.Expect(c.Byte(4030) == 0, "SERVO_IN_TPS");
    c.Expect(im.Word(1112) != 0 || c.Byte(4240) == 0, "SPEED_OUT_COR_16b");

    struct Fill {
        int count, map, rowLength;
        bool words;
    };
    for (Fill f : { Fill { 4677, 2400, 15, false }, Fill { 4678, 3728, 15, false }, Fill { 4679, 3578, 15, false },
             Fill { 2664, 0, 20, true }, Fill { 2665, 200, 20, true }, Fill { 2666, 400, 20, true },
             Fill { 2667, 600, 20, true }, Fill { 2668, 3378, 20, false }, Fill { 2669, 800, 20, true } }) {
        int used = c.Byte(f.count);
        for (int r = 0; r < 10; ++r) {
            int row = f.map + r * f.rowLength;
            auto cell = [&](int col) { return f.words ? im.Word(row + col) : c.Byte(row + col); };
            for (int col = used; col < f.rowLength; ++col)
                c.Expect(cell(col) == cell(used - 1), "map tail", row + col);
        }
    }
    c.Expect(lang >= 0 && lang <= 2, "LangIndex");
    return c.failures;
}

constexpr int RANDOM_IMAGES = 3000;

} // namespace

TEST(NormalizeParameterImageProperty, ASecondPassChangesNothing)
{
    std::mt19937 rng(4711);
    for (int n = 0; n < RANDOM_IMAGES; ++n) {
        RsImage image = RandomImage(rng);
        KeepLangIndex keep;
        LangIndex = int(rng() % 8) - 2;
        NormalizeParameterImage(image);
        RsImage once = image;
        int langOnce = LangIndex;
        NormalizeParameterImage(image);
        ASSERT_EQ(image, once) << "image " << n;
        ASSERT_EQ(LangIndex, langOnce);
    }
}

TEST(NormalizeParameterImageProperty, EveryRuledCellEndsInsideItsRule)
{
    std::mt19937 rng(1234);
    int derivedChecked = 0, lobesChecked = 0, canUsed = 0;
    for (int n = 0; n < RANDOM_IMAGES; ++n) {
        RsImage image = RandomImage(rng);
        KeepLangIndex keep;
        LangIndex = int(rng() % 8) - 2;
        NormalizeParameterImage(image);
        std::vector<std::string> failures = RuleViolations(image, LangIndex);
        ASSERT_TRUE(failures.empty()) << "image " << n << ": " << failures.front();
        derivedChecked += image.b[2585] == 0 && image.b[2571] + image.b[2572] != 0;
        lobesChecked += !NoLobes(image);
        canUsed += image.b[4038] == 0 && image.b[2939] == 2 && image.b[2659] == 0 && image.b[2574] >= 2;
    }
    // The generator reaches the conditional rules often enough to mean something.
    EXPECT_GT(derivedChecked, 300);
    EXPECT_GT(lobesChecked, 300);
    EXPECT_GT(canUsed, 30);
}
