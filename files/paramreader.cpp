// The reader of parameter files: the version search, the key loop over the
// shared key table, the conversions of the older layouts and the memo rule.

#include "files/escape.h"
#include "files/loadgroups.h"
#include "files/notes.h"
#include "files/paramfile.h"
#include "files/paramkeys.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <memory>
#include <unordered_map>

using namespace paramkeys;

namespace {

constexpr size_t TOKEN_MAX = 255; // longer tokens are cut, the rest skipped
constexpr size_t MEMO_LINE_MAX = 1000; // characters kept of one memo line
constexpr size_t MEMO_UNITS_MAX = 199; // code units kept of one unescaped memo line
constexpr int MEMO_FIRST = 3878;
constexpr int MEMO_LAST = 4028; // always 0; entries end at 4027
constexpr int BIKE_CODE = 2550;
constexpr int BIKE_COUNT = 67;

bool IsOldLayout(int v)
{
    static const int OLD[] = { 65, 66, 68, 69, 70, 71, 73, 74, 82, 83 };
    return std::find(std::begin(OLD), std::end(OLD), v) != std::end(OLD);
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// A digit run converted by the rules of C's "%i": an optional minus, octal
// after a leading 0 (stopping at the first digit that is not octal), and the
// result held to the int range.
bool ConvertNumber(std::string_view run, int& out)
{
    size_t i = 0;
    const bool negative = !run.empty() && run[0] == '-';
    if (negative)
        ++i;
    if (i >= run.size())
        return false;
    const int base = run[i] == '0' ? 8 : 10;
    long long v = 0;
    for (; i < run.size() && run[i] - '0' < base; ++i)
        v = std::min<long long>(v * base + (run[i] - '0'), 1LL << 40);
    v = negative ? -v : v;
    out = int(std::clamp<long long>(v, INT_MIN, INT_MAX));
    return true;
}

// Nested parses (a preset read by the end rule's LoadBikeDefaults) never run
// the end rule themselves.
int g_parseDepth = 0;

class Parser {
public:
    Parser(ParameterFileHost& host, int pageIndex, bool showMessages, std::string_view text)
        : host_(host)
        , img_(host.ParameterImage())
        , text_(text.substr(0, text.find('\0')))
        , page_(pageIndex)
        , show_(showMessages)
    {
    }

    ParseOutcome Run();

private:
    // Tokenizer and value readers; all of them move `pos_`.
    bool AtEnd() const { return pos_ >= text_.size(); }
    bool ReadToken(std::string& token);
    void SkipBlanks();
    bool NumberFollows() const;
    bool ReadNumber(int& out);
    // Takes one line end (CR LF, CR or LF) when one stands at the position.
    bool TakeLineEnd();
    int ReadIntCounted()
    {
        int v = 0;
        ReadNumber(v);
        return v;
    }
    bool ReadByteValue(bool store, int offset, bool sign, int scale, int bias);
    bool ReadWordValue(bool store, int index, bool sign, int scale, int bias);
    bool ReadValue(bool store, const Item& it, int index);
    int ReadRows(bool store, const Item& it, int rows, int stride);

    bool Stored(int group) const { return group >= 0 && host_.LoadGroupFlags[size_t(group)] != 0; }
    int ScaleOf(const Item& it) const
    {
        if (it.scaleCell >= 0 && img_.b[size_t(it.scaleCell)] == 0)
            return it.scaleIfZero;
        return it.scale;
    }
    bool SearchVersion(ParseOutcome& stop);
    bool ReadKey(const Key& key);
    void ReadItem(const Key& key, const Item& it);
    void Convert(const Key& key);
    bool ReadBike();
    void ReadPotentiometer(bool store);
    void ReadMemo();
    void StoreMemoLine(std::string_view line, int& p);
    void SpreadCorrections(int base);
    void EndRule();

    ParameterFileHost& host_;
    RsImage& img_;
    std::string_view text_;
    size_t pos_ = 0;
    int page_;
    bool show_;
    int version_ = 0;
    bool old_ = false;
    bool idleModeKey_ = false;
    int rangeFlag_ = 0; // -1 below the cell's range, +1 above, 0 in range
    uint8_t scratch_[10] = {};
};

bool Parser::ReadToken(std::string& token)
{
    token.clear();
    while (!AtEnd()) {
        const char c = text_[pos_++];
        if (c == ' ' || c == '\t' || c == '\n')
            return true;
        if (token.size() < TOKEN_MAX)
            token += c;
    }
    return false; // the text ended inside the token
}

void Parser::SkipBlanks()
{
    while (!AtEnd() && (text_[pos_] == ' ' || text_[pos_] == '\t'))
        ++pos_;
}

bool Parser::NumberFollows() const
{
    for (size_t i = pos_; i < text_.size(); ++i) {
        const char c = text_[i];
        if (c == '-' || IsDigit(c))
            return true;
        if (IsLetter(c) || c == '_')
            return false;
    }
    return false;
}

bool Parser::TakeLineEnd()
{
    if (AtEnd() || (text_[pos_] != '\r' && text_[pos_] != '\n'))
        return false;
    if (text_[pos_++] == '\r' && !AtEnd() && text_[pos_] == '\n')
        ++pos_;
    return true;
}

bool Parser::ReadNumber(int& out)
{
    out = 0;
    while (!AtEnd() && text_[pos_] != '-' && !IsDigit(text_[pos_]))
        ++pos_;
    if (AtEnd())
        return false;
    const size_t start = pos_++;
    while (!AtEnd() && IsDigit(text_[pos_]))
        ++pos_;
    return ConvertNumber(text_.substr(start, pos_ - start), out);
}

bool Parser::ReadByteValue(bool store, int offset, bool sign, int scale, int bias)
{
    rangeFlag_ = 0;
    int n;
    if (!ReadNumber(n))
        return false;
    const long long v = (long long)n / scale - bias;
    const int lo = sign ? -128 : 0, hi = sign ? 127 : 255;
    rangeFlag_ = v < lo ? -1 : v > hi ? 1 : 0;
    if (store)
        img_.b[size_t(offset)] = rangeFlag_ ? 0 : uint8_t(v);
    return true;
}

bool Parser::ReadWordValue(bool store, int index, bool sign, int scale, int bias)
{
    rangeFlag_ = 0;
    int n;
    if (!ReadNumber(n))
        return false;
    const long long v = (long long)n / scale - bias;
    const long long lo = sign ? -32768 : 0, hi = sign ? 32767 : 65535;
    rangeFlag_ = v < lo ? -1 : v > hi ? 1 : 0;
    if (store)
        img_.SetWord(index, uint16_t(v)); // a word out of range is only flagged
    return true;
}

bool Parser::ReadValue(bool store, const Item& it, int index)
{
    if (it.word)
        return ReadWordValue(store, it.cell + index, it.sign, ScaleOf(it), it.bias);
    const bool read = ReadByteValue(store, it.cell + index, it.sign, ScaleOf(it), it.bias);
    if (read && store && it.aboveRange >= 0 && rangeFlag_ > 0)
        img_.b[size_t(it.cell + index)] = uint8_t(it.aboveRange);
    return read;
}

// Rows of up to `stride` values; a line end ends a row once it has begun. A
// row that ended early repeats its last value into the remaining cells; a row
// that read nothing fills nothing. Returns the values read in the last row.
int Parser::ReadRows(bool store, const Item& it, int rows, int stride)
{
    int found = 0;
    for (int r = 0; r < rows; ++r) {
        found = 0;
        for (int i = 0; i < stride; ++i) {
            // A row may begin on the line after its key; a line with nothing
            // on it is an empty row and must not take the next key's numbers.
            const bool atLineStart = pos_ == 0 || text_[pos_ - 1] == '\n';
            SkipBlanks();
            if (TakeLineEnd()) {
                if (i > 0 || atLineStart)
                    break;
                SkipBlanks();
                if (TakeLineEnd())
                    break;
            }
            if (!ReadValue(store, it, r * stride + i))
                break;
            ++found;
        }
        if (store && found > 0 && found < stride) {
            for (int i = found; i < stride; ++i) {
                const int from = it.cell + r * stride + found - 1, to = it.cell + r * stride + i;
                if (it.word)
                    img_.SetWord(to, img_.Word(from));
                else
                    img_.b[size_t(to)] = img_.b[size_t(from)];
            }
        }
    }
    return found;
}

bool Parser::SearchVersion(ParseOutcome& stop)
{
    std::string token;
    bool found = false;
    while (!found) {
        const bool more = ReadToken(token);
        found = token == "MORVANTA_KEY";
        if (!more && !found)
            break;
    }
    if (!found) {
        // Nothing to load: a file without the key must not be taken for a
        // parameter file, so it gets the unmatched-version message.
        if (show_)
            host_.ShowMessageTableBox(MSG_UNMATCHED_FILE_VERSION);
        stop = ParseOutcome::NoLayoutKey;
        return false;
    }
    int v = 0;
    const bool number = ReadNumber(v);
    if (number && v == RSKEY) {
        host_.FileVersion = uint16_t(v);
    } else if (number && (IsOldLayout(v) || (v >= 300 && v <= 307))) {
        if (show_)
            host_.ShowMessageTableBox(MSG_OLDER_FILE_VERSION);
        host_.FileVersion = uint16_t(v);
        old_ = IsOldLayout(v);
    } else {
        if (show_)
            host_.ShowMessageTableBox(MSG_UNMATCHED_FILE_VERSION);
        stop = ParseOutcome::UnmatchedVersion;
        return false;
    }
    version_ = v;
    return true;
}

bool Parser::ReadBike()
{
    const uint8_t previous = img_.b[BIKE_CODE];
    int n;
    if (!ReadNumber(n))
        return true;
    // Judged on the number read: a code stored cut to a byte would pass as another bike.
    if (n < 0 || n >= BIKE_COUNT) {
        if (show_) {
            char msg[64];
            std::snprintf(msg, sizeof msg, "Motocycle #%i is not supported", n);
            host_.ShowErrorBox(msg);
        }
        img_.b[BIKE_CODE] = previous;
        return false;
    }
    img_.b[BIKE_CODE] = uint8_t(n);
    host_.FileHadBike = true;
    return true;
}

void Parser::ReadPotentiometer(bool store)
{
    ReadByteValue(store, 2779, false, 1, 0);
    if (store)
        for (int k = 1093; k <= 1096; ++k)
            img_.SetWord(k, 0);
    if (version_ >= 307) {
        for (int k = 1093; k <= 1096 && NumberFollows(); ++k)
            ReadWordValue(store, k, true, 1, 0);
        return;
    }
    ReadWordValue(store, 1093, true, 1, 0);
    if (store)
        img_.SetWord(1093, uint16_t(-int16_t(img_.Word(1093))));
    if (version_ == 306)
        ReadWordValue(store, img_.b[2779] == 4 ? 1095 : 1094, true, 1, 0);
}

void Parser::ReadItem(const Key& key, const Item& it)
{
    const bool store = Stored(it.group >= 0 ? it.group : key.group) && !(it.wholeFileOnly && page_ != -1);
    switch (it.op) {
    case Op::Cells:
    case Op::Table:
        for (int i = 0; i < it.count; ++i)
            ReadValue(store, it, i);
        break;
    case Op::Row: {
        const int n = ReadRows(store, it, 1, it.count);
        if (store && it.storeCount)
            img_.b[size_t(it.countCell)] = uint8_t(n);
        break;
    }
    case Op::Map:
        ReadRows(store, it, it.count, 20);
        break;
    case Op::Bits:
        if (store)
            img_.b[size_t(it.cell)] = 0;
        for (int bit = 0; bit < FLAG_BITS; ++bit)
            if (ReadIntCounted() != 0 && store)
                img_.b[size_t(it.cell)] |= uint8_t(1 << bit);
        break;
    case Op::Flag:
        ReadValue(store, it, 0);
        break;
    case Op::IdleValve:
        // Files from before the idle mode key knew the FID valve of these bikes only.
        if (store && !idleModeKey_ && img_.b[2911] == 0 && (img_.b[BIKE_CODE] == 38 || img_.b[BIKE_CODE] == 61))
            img_.b[2911] = 4;
        // In idle mode 4 the file carries the FID valve (B4237, read with
        // IDLE_PEUGEOT) here; B2916 keeps its value.
        if (store && img_.b[2911] == 4) {
            ReadIntCounted();
        } else if (ReadByteValue(store, 2916, false, 1, 0) && store) {
            img_.b[2916] = uint8_t(2 * ((img_.b[2916] + 1) / 2));
        }
        break;
    case Op::LambdaCurve:
        if (store)
            SetLambdaDefaultCurve(img_, img_.b[2939]);
        break;
    case Op::Scratch:
        for (int i = 0; i < it.count; ++i) {
            int n;
            if (ReadNumber(n)) {
                const long long v = n / it.scale;
                scratch_[i] = v < 0 || v > 255 ? 0 : uint8_t(v);
            }
        }
        break;
    case Op::Const:
    case Op::Break:
    case Op::UnitLine:
    case Op::BuildLine:
    case Op::MemoLines:
        break;
    }
}

// Spreads the five correction points of an old key over ten cells from
// `base`: four as read, the fifth at base + 8 and the ones between.
void Parser::SpreadCorrections(int base)
{
    const int s3 = scratch_[3], s4 = scratch_[4];
    for (int i = 0; i < 4; ++i)
        img_.b[size_t(base + i)] = scratch_[i];
    img_.b[size_t(base + 8)] = uint8_t(s4);
    img_.b[size_t(base + 4)] = uint8_t((4 * s3 + 2 * s4) / 6);
    img_.b[size_t(base + 5)] = uint8_t(3 * (s3 + s4) / 6);
    img_.b[size_t(base + 6)] = uint8_t((2 * s3 + 4 * s4) / 6);
    img_.b[size_t(base + 7)] = uint8_t((s3 + 5 * s4) / 6);
    img_.b[size_t(base + 9)] = uint8_t((7 * s4 - s3) / 6);
}

// The conversions after a key's values, run only when its group is stored.
void Parser::Convert(const Key& key)
{
    auto& b = img_.b;
    switch (key.hook) {
    case Hook::Limiter:
        if (version_ >= 70 && version_ < 305 && Stored(0))
            b[3004] = b[3003];
        if (version_ == 305 && Stored(23))
            b[3003] = b[3004] = uint8_t((b[3003] + b[3004]) / 2);
        break;
    case Hook::Limiter2:
        b[3003] = b[3004] = uint8_t((b[3003] + b[3004]) / 2);
        break;
    case Hook::IntakePort:
        b[4239] = 0;
        break;
    case Hook::Synchro:
        if (version_ <= 304) {
            // The old pickup arrangement becomes the lobes of channel 4 and the edge.
            static const int PAIRS[4][2] = { { 0, 0 }, { 1, 1 }, { 1, 1 }, { 1, 0 } };
            if (b[2598] < 4) {
                const uint8_t pb = uint8_t(PAIRS[b[2598]][0]), pa = uint8_t(PAIRS[b[2598]][1]);
                b[2598] = pb;
                b[2599] = pa;
                b[2600] = pa;
                b[2601] = pb;
                b[2624] = pa;
            }
        }
        break;
    case Hook::AccelThreshold:
        if (version_ < 305) {
            static const uint8_t RPM_STEPS[4] = { 10, 20, 50, 100 };
            std::copy_n(RPM_STEPS, 4, &b[2745]);
        }
        break;
    case Hook::SensorLambda:
        if (version_ < 306) {
            b[2945] = uint8_t(b[2944] + 1);
            img_.SetWord(1071, img_.Word(1070));
        }
        break;
    case Hook::ServoIn:
        b[2799] = uint8_t(2 * ((b[2799] + 1) / 2));
        break;
    case Hook::N2o:
        b[4235] = b[4236] = 0;
        break;
    case Hook::SpeedOutCor:
        img_.SetWord(1112, b[4240]);
        break;
    case Hook::SpeedOutCor16:
        b[4240] = uint8_t(std::min<int>(img_.Word(1112), 250));
        break;
    case Hook::Tuning:
        if (Holds(When::OldTuning, version_, old_)) {
            static const uint8_t POINTS[5] = { 10, 20, 40, 80, 160 };
            std::copy_n(POINTS, 5, &b[2956]);
            std::fill(&b[2962], &b[2986], b[2961]);
        }
        break;
    case Hook::AccLimiter:
        std::fill(&b[4140], &b[4165], b[3006]);
        std::fill(&b[4174], &b[4199], b[3007]);
        std::fill(&b[4208], &b[4233], b[3010]);
        break;
    case Hook::TrackControl:
        for (int i = 4063; i <= 4122; ++i)
            if (b[size_t(i)] > 128)
                b[size_t(i)] = uint8_t(256 - b[size_t(i)]);
        break;
    case Hook::StartInj:
        std::fill(&b[2717], &b[2726], b[2716]);
        break;
    case Hook::InjCorr: {
        SpreadCorrections(2676);
        const int s8 = scratch_[8], s9 = scratch_[9];
        std::copy_n(&scratch_[5], 3, &b[2726]);
        b[2729] = uint8_t(s8);
        b[2731] = uint8_t(s9);
        b[2730] = uint8_t((s8 + 2 * s9) / 3);
        b[2732] = uint8_t((4 * s9 - s8) / 3);
        break;
    }
    case Hook::AdvanceCorr:
        SpreadCorrections(2686);
        break;
    default:
        break;
    }
}

// Returns false when the parse stops.
bool Parser::ReadKey(const Key& key)
{
    const bool store = Stored(key.group);
    switch (key.hook) {
    case Hook::Bike:
        return ReadBike();
    case Hook::Potentiometer:
        ReadPotentiometer(store);
        return true;
    case Hook::Memo:
        ReadMemo();
        return true;
    case Hook::IdleModeKey:
        idleModeKey_ = true;
        break;
    default:
        break;
    }
    for (const Item& it : key.items)
        if (Holds(it.when, version_, old_))
            ReadItem(key, it);
    // LIMITER mixes two groups and converts by each of them.
    if (store || key.hook == Hook::Limiter)
        Convert(key);
    return true;
}

void Parser::StoreMemoLine(std::string_view line, int& p)
{
    if (line.empty())
        return;
    std::u16string units = UnescapeWide(line);
    if (units.size() > MEMO_UNITS_MAX)
        units.resize(MEMO_UNITS_MAX);
    // Byte 4028 stays 0: the file's records end at 4027.
    int room = MEMO_LAST - p;
    WriteNoteRecord(img_, p, room, units);
}

// The memo takes the rest of the text, one line per entry of the notes area.
void Parser::ReadMemo()
{
    std::fill(&img_.b[MEMO_FIRST], &img_.b[MEMO_LAST + 1], 0);
    while (!AtEnd() && text_[pos_++] != '\n') { }
    int p = MEMO_FIRST;
    std::string line;
    while (!AtEnd()) {
        const char c = text_[pos_++];
        if (c == '\n') {
            if (p < MEMO_LAST)
                StoreMemoLine(line, p);
            line.clear();
        } else if (c != '\r' && line.size() < MEMO_LINE_MAX) {
            line += c;
        }
    }
    if (p < MEMO_LAST)
        StoreMemoLine(line, p);
    img_.b[MEMO_LAST] = 0;
}

// Files of layouts before 305 lack settings of the synchronisation page,
// which the bike's preset supplies.
void Parser::EndRule()
{
    if (g_parseDepth > 1 || version_ >= 305 || !Stored(1) || !(img_.b[2568] == 0 || old_))
        return;
    // The preset's own parse must not make this file look like a current one.
    const uint16_t version = host_.FileVersion;
    const bool hadBike = host_.FileHadBike;
    host_.LoadBikeDefaults(PAGE_SYNCHRO);
    host_.FileVersion = version;
    host_.FileHadBike = hadBike;
}

const Key* FindKey(const std::string& token)
{
    static const auto index = [] {
        std::unordered_map<std::string_view, const Key*> m;
        for (const Key& k : KeyTable())
            if (!(k.flags & WriterOnly))
                m.emplace(k.name, &k); // the first of a repeated key
        return m;
    }();
    const auto it = index.find(token);
    return it == index.end() ? nullptr : it->second;
}

ParseOutcome Parser::Run()
{
    SelectLoadGroups(host_, page_);
    host_.FileVersion = 0;
    ParseOutcome stop = ParseOutcome::Complete;
    if (!SearchVersion(stop))
        return stop;
    std::string token;
    while (ReadToken(token)) {
        if (const size_t cr = token.find('\r'); cr != std::string::npos)
            token.resize(cr);
        if (token.empty())
            continue;
        const Key* key = FindKey(token);
        if (!key || !Holds(key->when, version_, old_))
            continue;
        if ((key->flags & WholeFile) && page_ != -1)
            continue;
        if ((key->flags & SkipWhenClear) && key->group >= 0 && !Stored(key->group))
            continue;
        if (!ReadKey(*key)) {
            // A half-read file must not pass for a loaded one.
            host_.FileVersion = 0;
            return ParseOutcome::UnsupportedBike;
        }
    }
    EndRule();
    return ParseOutcome::Complete;
}

struct DepthGuard {
    DepthGuard() { ++g_parseDepth; }
    ~DepthGuard() { --g_parseDepth; }
};

} // namespace

ParseOutcome ParseParameterText(ParameterFileHost& host, int pageIndex, bool showMessages, std::string_view text)
{
    DepthGuard depth;
    return Parser(host, pageIndex, showMessages, text).Run();
}

ParseOutcome ReadParameterFile(
    ParameterFileHost& host, const std::filesystem::path& path, int pageIndex, bool showMessages)
{
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!f || std::fseek(f.get(), 0, SEEK_END) != 0)
        return ParseOutcome::FileUnreadable;
    const long size = std::ftell(f.get());
    if (size < 0 || size > PARAMETER_FILE_MAX_SIZE || std::fseek(f.get(), 0, SEEK_SET) != 0)
        return ParseOutcome::FileUnreadable;
    std::string text(size_t(size), '\0');
    if (std::fread(text.data(), 1, text.size(), f.get()) != text.size())
        return ParseOutcome::FileUnreadable;
    f.reset();
    return ParseParameterText(host, pageIndex, showMessages, text);
}
