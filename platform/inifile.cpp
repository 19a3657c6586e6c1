#include "platform/inifile.h"

#include <cctype>
#include <charconv>
#include <cstdint>

namespace {

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

} // namespace

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

IniFile::IniFile(std::string path)
    : path_(std::move(path))
{
}

bool IniFile::Load()
{
    sections_.clear();
    std::string text;
    if (!ReadWholeFile(path_, text))
        return false;
    Parse(text);
    return true;
}

void IniFile::Parse(std::string_view text)
{
    sections_.clear();
    Section* current = nullptr;
    while (!text.empty()) {
        size_t eol = text.find('\n');
        std::string_view line = Trim(text.substr(0, eol));
        text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            size_t close = line.find(']');
            if (close == std::string_view::npos)
                continue;
            std::string_view name = Trim(line.substr(1, close - 1));
            current = find(name);
            if (!current) {
                sections_.push_back({ std::string(name), {} });
                current = &sections_.back();
            }
            continue;
        }
        size_t eq = line.find('=');
        if (!current || eq == std::string_view::npos || eq == 0)
            continue;
        std::string_view key = Trim(line.substr(0, eq));
        if (key.empty())
            continue;
        std::string_view value = Trim(line.substr(eq + 1));
        bool known = false;
        for (auto& e : current->entries)
            if (EqualsNoCase(e.key, key)) {
                known = true; // the first of repeated keys wins, as a reader scanning the file would find it
                break;
            }
        if (!known)
            current->entries.push_back({ std::string(key), std::string(value) });
    }
}

std::string IniFile::Text() const
{
    std::string out;
    for (const auto& s : sections_) {
        out += '[';
        out += s.name;
        out += "]\r\n";
        for (const auto& e : s.entries) {
            out += e.key;
            out += '=';
            out += e.value;
            out += "\r\n";
        }
        out += "\r\n";
    }
    return out;
}

WriteResult IniFile::Save() const
{
    return WriteFileAtomic(path_, Text());
}

const IniFile::Section* IniFile::find(std::string_view section) const
{
    for (const auto& s : sections_)
        if (EqualsNoCase(s.name, section))
            return &s;
    return nullptr;
}

IniFile::Section* IniFile::find(std::string_view section)
{
    return const_cast<Section*>(static_cast<const IniFile*>(this)->find(section));
}

bool IniFile::SectionExists(std::string_view section) const
{
    return find(section) != nullptr;
}

bool IniFile::ValueExists(std::string_view section, std::string_view key) const
{
    if (const Section* s = find(section))
        for (const auto& e : s->entries)
            if (EqualsNoCase(e.key, key))
                return true;
    return false;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const
{
    if (const Section* s = find(section))
        for (const auto& e : s->entries)
            if (EqualsNoCase(e.key, key))
                return e.value;
    return std::string(def);
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int def) const
{
    if (!ValueExists(section, key))
        return def;
    std::string text = ReadString(section, key, "");
    std::string_view v = text;
    bool negative = false;
    if (!v.empty() && (v.front() == '-' || v.front() == '+')) {
        negative = v.front() == '-';
        v.remove_prefix(1);
    }
    int base = 10;
    if (v.size() > 2 && v[0] == '0' && (v[1] == 'x' || v[1] == 'X')) {
        base = 16;
        v.remove_prefix(2);
    } else if (!v.empty() && v[0] == '$') {
        base = 16;
        v.remove_prefix(1);
    }
    long long value = 0;
    auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), value, base);
    if (v.empty() || ec != std::errc() || end != v.data() + v.size())
        return def;
    if (negative)
        value = -value;
    if (value < INT32_MIN || value > UINT32_MAX)
        return def;
    // Hex colours such as 0xFFFFFFFF come back as their 32-bit pattern.
    return static_cast<int>(static_cast<uint32_t>(value));
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    Section* s = find(section);
    if (!s) {
        sections_.push_back({ std::string(section), {} });
        s = &sections_.back();
    }
    for (auto& e : s->entries)
        if (EqualsNoCase(e.key, key)) {
            e.value = value;
            return;
        }
    s->entries.push_back({ std::string(key), std::string(value) });
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value)
{
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

void IniFile::DeleteKey(std::string_view section, std::string_view key)
{
    if (Section* s = find(section))
        std::erase_if(s->entries, [&](const Entry& e) { return EqualsNoCase(e.key, key); });
}

void IniFile::EraseSection(std::string_view section)
{
    std::erase_if(sections_, [&](const Section& s) { return EqualsNoCase(s.name, section); });
}

std::vector<std::string> IniFile::Sections() const
{
    std::vector<std::string> out;
    for (const auto& s : sections_)
        out.push_back(s.name);
    return out;
}

std::vector<std::string> IniFile::Keys(std::string_view section) const
{
    std::vector<std::string> out;
    if (const Section* s = find(section))
        for (const auto& e : s->entries)
            out.push_back(e.key);
    return out;
}
