#pragma once
// The key table of parameter files, shared by the writer and the reader so
// that a key's cells, scales and order cannot drift between the two. Each key
// lists its values in writing order; the reader takes the same list and
// applies the conditions of the older layouts (`When`) and its conversions.

#include "image/selfcheck.h"

#include <string_view>
#include <vector>

namespace paramkeys {

enum class Op : uint8_t {
    Const, // the layout key written after MORVANTA_KEY
    Break, // a line break to a continuation line ("\n" and 15 blanks)
    Cells, // `count` bytes or words in a row on the current line
    Table, // a list wrapped every `perLine` values
    Row, // the first `countCell` cells of a row, then a line break
    Map, // 10 rows of 20 cells, each limited by `countCell`
    Bits, // bits 0..FLAG_BITS-1 of a byte as values 0/1
    Flag, // 1 when the byte is not 0, else 0
    IdleValve, // the sixth idle value: B4237 in idle mode 4, else B2916
    LambdaCurve, // reader: the default curve of the sensor type just read
    Scratch, // reader: values of old keys kept outside the image
    UnitLine, // the HEX line of the tail
    BuildLine, // the EXE line of the tail
    MemoLines, // the memo lines (writer; the reader has its own memo rule)
};

// Layout conditions; the writer writes the current layout, so it takes what
// holds for 308.
enum class When : uint8_t {
    Always,
    UpTo304,
    From305,
    Above65,
    Above68,
    Above69,
    UpTo69,
    Above73,
    From81,
    Below303,
    FullServo, // 301 and later, or the old layouts from 83
    OldTuning, // old layouts below 83 and the others below 301
};

struct Item {
    Op op = Op::Cells;
    int cell = 0; // byte offset, or word index for words
    int count = 1;
    int scale = 1;
    int bias = 0;
    bool word = false;
    bool sign = false;
    int perLine = 15;
    int countCell = -1; // Row and Map: the byte holding the point count
    bool storeCount = true; // Row: the reader stores the values found there
    bool rowBreak = true; // Row: a line break follows the row
    int scaleCell = -1; // when set and that byte is 0, `scaleIfZero` applies
    int scaleIfZero = 1;
    int group = -1; // the key's group unless set
    When when = When::Always;
    bool wholeFileOnly = false; // the reader keeps the old value in a page load
    int aboveRange = -1; // the reader stores this for a value above the range

    Item If(When w) const
    {
        Item r = *this;
        r.when = w;
        return r;
    }
    Item InGroup(int g) const
    {
        Item r = *this;
        r.group = g;
        return r;
    }
    Item ScaleBy(int byte, int ifZero) const
    {
        Item r = *this;
        r.scaleCell = byte;
        r.scaleIfZero = ifZero;
        return r;
    }
    Item NoCountStore() const
    {
        Item r = *this;
        r.storeCount = false;
        return r;
    }
    Item WholeFileOnly() const
    {
        Item r = *this;
        r.wholeFileOnly = true;
        return r;
    }
    Item AboveRange(int v) const
    {
        Item r = *this;
        r.aboveRange = v;
        return r;
    }
};

// The reader's conversions beyond the listed cells.
enum class Hook : uint8_t {
    None,
    Bike,
    Limiter,
    Limiter2,
    IntakePort,
    Synchro,
    AccelThreshold,
    SensorLambda,
    Potentiometer,
    ServoIn,
    IdleModeKey,
    N2o,
    SpeedOutCor,
    SpeedOutCor16,
    Tuning,
    AccLimiter,
    TrackControl,
    StartInj,
    InjCorr,
    AdvanceCorr,
    CouplingCopy, // writer: maps 1A copied over 2A..4A in coupling mode 2
    Memo,
};

enum KeyFlags : uint8_t {
    WriterOnly = 1,
    ReaderOnly = 2,
    SkipWhenClear = 4, // with its group clear the key is an unknown word
    WholeFile = 8, // read only in a whole-file load
};

struct Key {
    std::string_view name;
    int group;
    std::vector<Item> items;
    Hook hook = Hook::None;
    uint8_t flags = 0;
    When when = When::Always; // the reader skips the key unless this holds
};

// The bit field of four switches a Bits item reads and writes.
constexpr int FLAG_BITS = 4;
static_assert(FLAG_BITS <= MAX_BIT_FIELD_WIDTH, "the switches share one byte");

const std::vector<Key>& KeyTable();

// The image cells the keys address: word runs (word indexes) and byte runs
// (byte offsets), with the bytes that hold point counts and scale switches.
void KeyTableCells(std::vector<CellSpan>& words, std::vector<CellSpan>& bytes);

// Whether a condition holds for a layout key (`old`: one of the old layouts
// 65..83).
bool Holds(When when, int version, bool old);

} // namespace paramkeys
