#include "mapedit/clipgrid.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {

constexpr size_t MAX_NUMBER = 64;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsNumberChar(char c)
{
    return IsDigit(c) || c == '-' || c == '.';
}

// Collects the characters of one number and hands it on at a separator.
class Collector {
public:
    Collector(std::vector<ClipNumber>& out, int col, int row)
        : out_(out)
        , col_(col)
        , row_(row)
        , firstCol_(col)
    {
    }

    void Add(char c)
    {
        if (number_.size() < MAX_NUMBER)
            number_ += c;
    }
    void NextColumn()
    {
        Emit();
        col_++;
    }
    void NextRow()
    {
        Emit();
        row_++;
        col_ = firstCol_;
    }
    void End() { Emit(); }

private:
    void Emit()
    {
        if (number_.empty())
            return;
        double x = 0;
        const char* first = number_.data();
        const char* last = first + number_.size();
        const auto [ptr, ec] = std::from_chars(first, last, x);
        if (ec == std::errc() && ptr != first && std::isfinite(x))
            out_.push_back({ col_, row_, x });
        number_.clear();
    }

    std::vector<ClipNumber>& out_;
    std::string number_;
    int col_, row_, firstCol_;
};

// Ends the text at its first zero byte.
std::string_view Terminated(std::string_view text)
{
    const size_t zero = text.find('\0');
    return zero == std::string_view::npos ? text : text.substr(0, zero);
}

void ParseBraces(std::string_view text, std::vector<ClipNumber>& out)
{
    Collector number(out, 0, 0);
    int depth = 0;
    for (const char c : text) {
        if (IsNumberChar(c)) {
            depth = 0;
            number.Add(c);
        } else if (c == '{') {
            depth++;
        } else if (c == '}') {
            depth--;
            number.NextRow();
        } else if (c == ',') {
            if (depth == 0)
                number.NextColumn();
        } else if (c == '\t') {
            number.NextColumn();
        } else if (c == '\n') {
            number.NextRow();
        }
    }
    number.End();
}

void ParsePlain(std::string_view text, std::vector<ClipNumber>& out)
{
    Collector number(out, 0, 0);
    bool lineHasNumber = false, blankRun = false;
    for (size_t i = 0; i < text.size(); i++) {
        char c = text[i];
        if (c == ',')
            c = '.';
        if (c == ' ') {
            // A blank before exactly three digits splits digit groups.
            const bool group = i + 3 < text.size() && IsDigit(text[i + 1]) && IsDigit(text[i + 2])
                && IsDigit(text[i + 3]) && (i + 4 == text.size() || !IsDigit(text[i + 4]));
            if (group)
                continue;
            blankRun = lineHasNumber;
            continue;
        }
        if (c == '\t' || c == '\n') {
            blankRun = false;
            if (c == '\t') {
                number.NextColumn();
            } else {
                number.NextRow();
                lineHasNumber = false;
            }
            continue;
        }
        if (!IsNumberChar(c))
            continue;
        if (blankRun) {
            blankRun = false;
            number.NextColumn();
        }
        number.Add(c);
        lineHasNumber = true;
    }
    number.End();
}

} // namespace

std::vector<ClipNumber> ParseClipGrid(std::string_view text)
{
    text = Terminated(text);
    std::vector<ClipNumber> out;
    const size_t brace = text.find('{');
    if (brace != std::string_view::npos)
        ParseBraces(text.substr(brace), out);
    else
        ParsePlain(text, out);
    return out;
}

SheetClipKeys ReadSheetClipKeys(std::string_view text)
{
    text = Terminated(text);
    SheetClipKeys keys;
    size_t pos = 0;
    while (pos < text.size() && text[pos] != '\t') {
        const size_t lf = text.find('\n', pos);
        if (lf == std::string_view::npos)
            break;
        std::string_view line = text.substr(pos, lf - pos);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const size_t tab = line.find('\t');
        pos = lf + 1;
        if (tab == std::string_view::npos)
            continue;
        const std::string_view key = line.substr(0, tab), value = line.substr(tab + 1);
        const auto integer = [&value] {
            int32_t n = 0;
            const char* first = value.data();
            while (first < value.data() + value.size() && *first == ' ')
                first++;
            std::from_chars(first, value.data() + value.size(), n);
            return n;
        };
        if (key == "LabelX:")
            keys.LabelX = value;
        else if (key == "LabelY:")
            keys.LabelY = value;
        else if (key == "LabelData:")
            keys.LabelData = value;
        else if (key == "SizeX:")
            keys.SizeX = integer();
        else if (key == "SizeY:")
            keys.SizeY = integer();
        else if (key == "OnlyXY:" && !value.empty() && (value[0] == 'X' || value[0] == 'Y'))
            keys.OnlyXY = value[0];
    }
    keys.GridStart = pos;
    return keys;
}

std::vector<ClipNumber> ParseSheetGrid(std::string_view text, size_t start)
{
    text = Terminated(text);
    std::vector<ClipNumber> out;
    if (start >= text.size())
        return out;
    Collector number(out, -1, -1);
    for (char c : text.substr(start)) {
        if (c == ',')
            c = '.';
        if (IsNumberChar(c))
            number.Add(c);
        else if (c == '\t')
            number.NextColumn();
        else if (c == '\n')
            number.NextRow();
    }
    number.End();
    return out;
}

std::string CleanEditorPaste(std::string_view text)
{
    text = Terminated(text);
    std::string out;
    for (char c : text) {
        if (c == '\t' || c == '\n')
            break;
        if (c == ',')
            c = '.';
        if (IsNumberChar(c) || c == ' ')
            out += c;
    }
    return out;
}

int32_t ClipToRaw(double x, double scale, int32_t thousandthsAbove)
{
    if (scale == 0 || !std::isfinite(x))
        return 0;
    double q = x / scale;
    if (thousandthsAbove > 0 && q > 5.0 * thousandthsAbove)
        q *= 0.001;
    const double r = std::trunc(q + (q >= 0 ? 0.5 : -0.5));
    return int32_t(std::clamp<double>(r, INT32_MIN, INT32_MAX));
}

void UseDecimalComma(std::string& text)
{
    std::replace(text.begin(), text.end(), '.', ',');
}
