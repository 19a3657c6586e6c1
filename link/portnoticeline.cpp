#include "link/portnoticeline.h"

#include <QStandardPaths>

#include <charconv>
#include <vector>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::optional<int64_t> ParseNumber(std::string_view field)
{
    bool negative = false;
    if (!field.empty() && (field[0] == '-' || field[0] == '+')) {
        negative = field[0] == '-';
        field.remove_prefix(1);
    }
    int base = 10;
    if (field.size() > 2 && field[0] == '0' && (field[1] == 'x' || field[1] == 'X')) {
        base = 16;
        field.remove_prefix(2);
    }
    if (field.empty() || field[0] == '-' || field[0] == '+')
        return std::nullopt;
    uint64_t magnitude = 0;
    auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), magnitude, base);
    if (ec != std::errc() || end != field.data() + field.size())
        return std::nullopt;
    if (magnitude > (negative ? uint64_t(INT64_MAX) + 1 : uint64_t(INT64_MAX)))
        return std::nullopt;
    return negative ? int64_t(0 - magnitude) : int64_t(magnitude);
}

} // namespace

std::optional<PortNotice> ParsePortNotice(std::string_view line)
{
    if (line.size() > PORT_NOTICE_LINE_MAX)
        return std::nullopt;
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    std::vector<std::string_view> fields;
    size_t pos = 0;
    while (pos < line.size()) {
        while (pos < line.size() && IsBlank(line[pos]))
            ++pos;
        size_t start = pos;
        while (pos < line.size() && !IsBlank(line[pos]))
            ++pos;
        if (pos > start)
            fields.push_back(line.substr(start, pos - start));
    }
    if (fields.size() != 3 || fields[0] != "777")
        return std::nullopt;
    auto wParam = ParseNumber(fields[1]);
    auto lParam = ParseNumber(fields[2]);
    if (!wParam || !lParam)
        return std::nullopt;
    return PortNotice { *wParam, *lParam };
}

std::string FormatPortNotice(const PortNotice& notice)
{
    return std::to_string(PORT_NOTICE_MESSAGE) + " " + std::to_string(notice.wParam) + " "
        + std::to_string(notice.lParam) + "\n";
}

QString PortNoticeSocketPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QStringLiteral("/tmp");
    return folder + QStringLiteral("/Zeperon_12.portnotice");
}
