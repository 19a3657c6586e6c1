#pragma once
// The live-value definitions: every live value the external monitor and the
// parameter tree can show, with its three-language name, its group, its units,
// where its raw value lies (a byte or word of the live block, or a channel
// computed on the PC), its scaling, print format and display range.
//
// Ids are stored in monitor-set files, so they never change, including the
// three ids that occur twice (7000, 7010, 7020): every lookup by id finds the
// first of them.

#include <array>
#include <string>
#include <string_view>

#include "image/rsimage.h"
#include "monitor/live.h"

// Where a definition's raw value lies.
namespace defsource {
constexpr int Byte = 0; // Bk, unsigned
constexpr int Word = 1; // Wk, unsigned (signed for a few ids)
constexpr int Channel = 2; // the computed channel k
} // namespace defsource

// How a definition's value is printed.
namespace defkind {
constexpr int Number = 0;
constexpr int YesNo = 1;
constexpr int Running = 3;
} // namespace defkind

// State flags a pass sets; a row whose flags are 0 is drawn faded.
namespace defflag {
constexpr int Live = 0x01;
constexpr int High = 0x10; // yellow
constexpr int Limiting = 0x40; // magenta
constexpr int Alarm = 0x80; // red
} // namespace defflag

struct ValueDef {
    int id;
    const char* name; // three-language literal, Windows-1250
    int parent; // id of the group row; 0 at the top
    const char* units; // null: none
    int position; // k of Bk or Wk, or the channel; 0 for a group
    int source;
    int decimals;
    int width;
    double scale;
    double min;
    double max;
    int cylinderMask;
    int flags;
    double value;
    int displayKind;
};

constexpr int VALUE_DEF_COUNT = 89;
using ValueDefTable = std::array<ValueDef, VALUE_DEF_COUNT>;

// The table as the program starts with it.
const ValueDefTable& InitialValueDefs();

// The program's definitions; the live pass changes values, flags and the
// units, range and scale of the unit-dependent rows.
extern ValueDefTable ValueDefs;

// The first of rows 1..88 with this id, else row 0 ("?ID not found?").
ValueDef* GetDef(int id);
// The first of rows 1..88 whose English name is exactly `english`, else row 0.
ValueDef* GetDefByName(std::string_view english);
// Appends "/" and the name in the current language for every level from the
// top group down to the row of `id`; with `withUnits`, every level that has
// units also gets " " and its units.
void GetDefPath(std::string& buffer, int id, bool withUnits);

// What the definitions are computed from.
struct DefValueSources {
    const LiveBlock& block;
    const LiveValues& values;
    const LiveChannelArray& channels;
    const RsImage& pcImage;
};

// Image cells that choose units and ranges of some definitions.
namespace defcell {
constexpr int IapMin = 2112; // word
constexpr int IapMax = 2130; // word
constexpr int RpmLimit1 = 2560; // 2560..2562, hundreds of rpm
constexpr int ExhaustServoPercent = 2785;
constexpr int IntakeServoPercent = 2786;
} // namespace defcell

// Recomputes every definition of ValueDefs from the sources; true when any
// value differs from the one it held.
bool UpdateDefValues(const DefValueSources& sources);
