#include "platform/rtf.h"

#include "platform/cp1250.h"

#include <algorithm>
#include <cctype>

namespace {

enum class Destination { Text, Skip, ColourTable };

struct GroupState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 0;
    int colourIndex = -1;
    int unicodeSkip = 1; // \uc: stand-in characters after each \u
    Destination destination = Destination::Text;
};

// Destinations whose text is never shown.
constexpr std::string_view SKIPPED[] = { "fonttbl", "pict", "stylesheet", "info", "object", "header", "footer",
    "headerl", "headerr", "footerl", "footerr", "filetbl", "listtable", "listoverridetable", "themedata" };

class Reader {
public:
    explicit Reader(std::string_view rtf)
        : in_(rtf)
    {
        groups_.emplace_back();
    }

    std::vector<RtfRun> Read()
    {
        while (pos_ < in_.size()) {
            char c = in_[pos_++];
            if (c == '{')
                Open();
            else if (c == '}')
                Close();
            else if (c == '\\')
                Control();
            else if (c == '\r' || c == '\n')
                continue;
            else
                Byte(static_cast<unsigned char>(c));
        }
        return std::move(runs_);
    }

private:
    GroupState& State() { return groups_.back(); }
    bool Skipping() const { return overflow_ > 0 || groups_.back().destination != Destination::Text; }

    void Open()
    {
        if (overflow_ > 0 || int(groups_.size()) >= RTF_MAX_DEPTH) {
            ++overflow_;
            return;
        }
        groups_.push_back(groups_.back());
        pendingSkip_ = 0;
    }

    void Close()
    {
        if (overflow_ > 0) {
            --overflow_;
            return;
        }
        if (groups_.size() > 1)
            groups_.pop_back();
        pendingSkip_ = 0;
    }

    void Control()
    {
        if (pos_ >= in_.size())
            return;
        char c = in_[pos_];
        if (std::isalpha(static_cast<unsigned char>(c))) {
            Word();
            return;
        }
        ++pos_;
        switch (c) {
        case '\\':
        case '{':
        case '}':
            Byte(static_cast<unsigned char>(c));
            break;
        case '\'':
            Hex();
            break;
        case '*':
            if (overflow_ == 0)
                State().destination = Destination::Skip;
            break;
        case '~':
            Unit(u'\u00a0');
            break;
        case '_':
            Unit(u'-');
            break;
        case '\r':
        case '\n':
            Unit(u'\n');
            break;
        default:
            break;
        }
    }

    void Hex()
    {
        int value = 0;
        for (int i = 0; i < 2; ++i) {
            if (pos_ >= in_.size() || !std::isxdigit(static_cast<unsigned char>(in_[pos_])))
                return;
            char d = in_[pos_++];
            value = value * 16 + (std::isdigit(static_cast<unsigned char>(d)) ? d - '0' : std::tolower(d) - 'a' + 10);
        }
        Byte(static_cast<unsigned char>(value));
    }

    void Word()
    {
        size_t start = pos_;
        while (pos_ < in_.size() && pos_ - start < 32 && std::isalpha(static_cast<unsigned char>(in_[pos_])))
            ++pos_;
        std::string_view word = in_.substr(start, pos_ - start);
        bool hasParameter = false;
        bool negative = false;
        long parameter = 0;
        if (pos_ < in_.size() && in_[pos_] == '-') {
            negative = true;
            ++pos_;
        }
        for (int digits = 0; pos_ < in_.size() && std::isdigit(static_cast<unsigned char>(in_[pos_])); ++pos_) {
            if (digits++ < 10)
                parameter = parameter * 10 + (in_[pos_] - '0');
            hasParameter = true;
        }
        if (negative)
            parameter = -parameter;
        if (pos_ < in_.size() && in_[pos_] == ' ')
            ++pos_;
        Apply(word, hasParameter, parameter);
    }

    void Apply(std::string_view word, bool hasParameter, long parameter)
    {
        if (overflow_ > 0)
            return;
        GroupState& s = State();
        const bool on = !hasParameter || parameter != 0;
        if (std::find(std::begin(SKIPPED), std::end(SKIPPED), word) != std::end(SKIPPED)) {
            s.destination = Destination::Skip;
        } else if (word == "colortbl") {
            if (s.destination == Destination::Text) {
                s.destination = Destination::ColourTable;
                colours_.clear();
                colour_ = Colour {};
            }
        } else if (s.destination == Destination::ColourTable) {
            int value = int(std::clamp(parameter, 0L, 255L));
            if (word == "red")
                colour_.red = value, colour_.given = true;
            else if (word == "green")
                colour_.green = value, colour_.given = true;
            else if (word == "blue")
                colour_.blue = value, colour_.given = true;
        } else if (word == "par") {
            Unit(u'\n');
        } else if (word == "line") {
            Unit(u'\u2028');
        } else if (word == "tab") {
            Unit(u'\t');
        } else if (word == "b") {
            s.bold = on;
        } else if (word == "i") {
            s.italic = on;
        } else if (word == "ul") {
            s.underline = on;
        } else if (word == "ulnone") {
            s.underline = false;
        } else if (word == "plain") {
            s.bold = s.italic = s.underline = false;
            s.halfPoints = 0;
            s.colourIndex = -1;
        } else if (word == "fs") {
            s.halfPoints = hasParameter ? int(std::clamp(parameter, 0L, 3276L)) : 0;
        } else if (word == "cf") {
            s.colourIndex = hasParameter ? int(std::clamp(parameter, -1L, 65535L)) : -1;
        } else if (word == "uc") {
            s.unicodeSkip = int(std::clamp(parameter, 0L, 16L));
        } else if (word == "u" && hasParameter) {
            long unit = parameter < 0 ? parameter + 65536 : parameter;
            Unit(char16_t(std::clamp(unit, 0L, 65535L)));
            pendingSkip_ = s.unicodeSkip;
        }
    }

    void Byte(unsigned char byte)
    {
        if (State().destination == Destination::ColourTable && overflow_ == 0) {
            if (byte == ';') {
                colours_.push_back(colour_.given ? (colour_.red << 16) | (colour_.green << 8) | colour_.blue : -1);
                colour_ = Colour {};
            }
            return;
        }
        if (pendingSkip_ > 0) {
            --pendingSkip_;
            return;
        }
        Unit(Cp1250ToUnicode(byte));
    }

    void Unit(char16_t unit)
    {
        if (Skipping())
            return;
        const GroupState& s = State();
        int colour
            = s.colourIndex >= 0 && size_t(s.colourIndex) < colours_.size() ? colours_[size_t(s.colourIndex)] : -1;
        if (runs_.empty() || runs_.back().bold != s.bold || runs_.back().italic != s.italic
            || runs_.back().underline != s.underline || runs_.back().halfPoints != s.halfPoints
            || runs_.back().colour != colour) {
            RtfRun run;
            run.bold = s.bold;
            run.italic = s.italic;
            run.underline = s.underline;
            run.halfPoints = s.halfPoints;
            run.colour = colour;
            runs_.push_back(std::move(run));
        }
        runs_.back().text.push_back(unit);
    }

    struct Colour {
        int red = 0, green = 0, blue = 0;
        bool given = false;
    };

    std::string_view in_;
    size_t pos_ = 0;
    std::vector<GroupState> groups_;
    int overflow_ = 0; // groups opened beyond the depth limit
    int pendingSkip_ = 0;
    std::vector<int> colours_;
    std::vector<RtfRun> runs_;
    Colour colour_;
};

} // namespace

std::vector<RtfRun> ParseRtf(std::string_view rtf)
{
    return Reader(rtf).Read();
}

bool IsRtfText(std::string_view text)
{
    return text.find("{\\rtf1") != std::string_view::npos;
}
