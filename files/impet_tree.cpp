// The record tree in memory: names without regard to letter case, finding,
// adding, renaming, moving and deleting entries.
#include "files/impet.h"

#include "files/impet_detail.h"
#include "platform/cp1250.h"

#include <QChar>

#include <algorithm>
#include <array>

using impet_detail::CutName;
using impet_detail::NewDirectory;

namespace {

const std::array<unsigned char, 256>& FoldTable()
{
    static const std::array<unsigned char, 256> table = [] {
        std::array<unsigned char, 256> t {};
        for (int b = 0; b < 256; ++b) {
            int lower = UnicodeToCp1250(QChar(Cp1250ToUnicode(uint8_t(b))).toLower().unicode());
            t[size_t(b)] = lower >= 0 ? uint8_t(lower) : uint8_t(b);
        }
        return t;
    }();
    return table;
}

int DirHeight(const IMPET_FILE& entry)
{
    if (!entry.IsDirectory())
        return 0;
    int deepest = 0;
    for (const IMPET_FILE& c : entry.children)
        deepest = std::max(deepest, DirHeight(c));
    return 1 + deepest;
}

bool Contains(const IMPET_FILE& tree, const IMPET_FILE* node)
{
    if (&tree == node)
        return true;
    for (const IMPET_FILE& c : tree.children)
        if (Contains(c, node))
            return true;
    return false;
}

} // namespace

namespace impet_detail {

std::string CutName(std::string_view name)
{
    return std::string(name.substr(0, IMPET_NAME_LEN));
}

IMPET_FILE NewDirectory(std::string_view name, uint64_t time)
{
    IMPET_FILE d;
    d.name = CutName(name);
    d.time = time;
    d.flags = IMPET_DIRECTORY;
    d.size = IMPET_ARRAY_STEP;
    return d;
}

} // namespace impet_detail

bool ImpetNamesEqual(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    const auto& fold = FoldTable();
    for (size_t i = 0; i < a.size(); ++i)
        if (fold[uint8_t(a[i])] != fold[uint8_t(b[i])])
            return false;
    return true;
}

bool ImpetNameLess(std::string_view a, std::string_view b)
{
    const auto& fold = FoldTable();
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        uint8_t x = fold[uint8_t(a[i])], y = fold[uint8_t(b[i])];
        if (x != y)
            return x < y;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

void ImpetSplitPath(std::string_view path, std::string& dirPath, std::string& name)
{
    size_t cut = path.rfind('\\');
    if (cut == std::string_view::npos) {
        dirPath.clear();
        name = path;
    } else {
        dirPath = path.substr(0, cut);
        name = path.substr(cut + 1);
    }
    if (!name.empty() && name.back() == '.')
        name.pop_back();
}

ImpetCount ImpetCountTree(const IMPET_FILE& dir)
{
    ImpetCount count;
    for (const IMPET_FILE& c : dir.children) {
        ++count.items;
        count.bytes += IMPET_RECORD_LEN;
        if (c.IsDirectory()) {
            ImpetCount below = ImpetCountTree(c);
            count.items += below.items;
            count.bytes += below.bytes;
        } else {
            count.bytes += c.StoredLength();
        }
    }
    return count;
}

IMPET_FILE* CImpet::FindDirDepth(IMPET_FILE* start, std::string_view path, int* depth)
{
    IMPET_FILE* dir = start ? start : &root_;
    int level = 0;
    while (true) {
        if (!dir->IsDirectory())
            return nullptr;
        size_t cut = path.find('\\');
        std::string_view component = path.substr(0, cut);
        path = cut == std::string_view::npos ? std::string_view() : path.substr(cut + 1);
        if (!component.empty()) {
            IMPET_FILE* child = FindChild(dir, component);
            if (!child)
                return nullptr;
            if (!child->IsDirectory())
                break;
            dir = child;
            ++level;
        }
        if (cut == std::string_view::npos)
            break;
    }
    if (depth)
        *depth = level;
    return dir;
}

IMPET_FILE* CImpet::FindDir(IMPET_FILE* start, std::string_view path)
{
    return FindDirDepth(start, path, nullptr);
}

IMPET_FILE* CImpet::FindChild(IMPET_FILE* dir, std::string_view name)
{
    if (!dir)
        return nullptr;
    name = name.substr(0, IMPET_NAME_LEN);
    for (IMPET_FILE& c : dir->children)
        if (ImpetNamesEqual(c.name, name))
            return &c;
    return nullptr;
}

IMPET_FILE* CImpet::FindFile(std::string_view dirPath, std::string_view name)
{
    IMPET_FILE* f = FindChild(FindDir(nullptr, dirPath), name);
    return f && !f->IsDirectory() ? f : nullptr;
}

IMPET_FILE* CImpet::Append(IMPET_FILE* dir, IMPET_FILE&& record)
{
    if (dir->children.size() >= size_t(IMPET_MAX_CHILDREN))
        return nullptr;
    if (dir->children.size() * IMPET_RECORD_LEN + IMPET_RECORD_LEN > dir->size)
        dir->size += IMPET_ARRAY_STEP;
    dir->children.push_back(std::move(record));
    return &dir->children.back();
}

int CImpet::MakeDir(std::string_view dirPath, std::string_view name, std::optional<uint64_t> time)
{
    int depth = 0;
    IMPET_FILE* parent = FindDirDepth(nullptr, dirPath, &depth);
    if (!parent || name.empty() || depth + 1 > IMPET_MAX_DEPTH)
        return 1;
    if (IMPET_FILE* existing = FindChild(parent, name)) {
        if (existing->IsDirectory())
            return 0;
        lastReason += "ERROR - directory name used already for file:" + CutName(name) + "\n";
        return 1;
    }
    if (!Append(parent, NewDirectory(name, time ? *time : ImpetNow())))
        return 1;
    ++itemCounter;
    return 0;
}

int CImpet::CreateFileEntry(std::string_view dirPath, std::string_view name)
{
    IMPET_FILE* dir = FindDir(nullptr, dirPath);
    if (!dir || name.empty())
        return 1;
    if (IMPET_FILE* existing = FindChild(dir, name))
        return existing->IsDirectory() ? 1 : 0;
    IMPET_FILE record;
    record.name = CutName(name);
    record.time = ImpetNow();
    record.payloadLoaded = true;
    if (!Append(dir, std::move(record)))
        return 1;
    ++itemCounter;
    return 0;
}

int CImpet::SetContent(std::string_view dirPath, std::string_view name, std::string_view content)
{
    IMPET_FILE* f = FindFile(dirPath, name);
    if (!f || content.size() > IMPET_MAX_FILE_SIZE)
        return 1;
    f->payload.assign(content.begin(), content.end());
    f->payloadLoaded = true;
    f->size = uint32_t(content.size());
    f->packedSize = 0;
    return 0;
}

int CImpet::Delete(std::string_view dirPath, std::string_view name)
{
    IMPET_FILE* dir = FindDir(nullptr, dirPath);
    IMPET_FILE* child = FindChild(dir, name);
    if (!child)
        return 1;
    dir->children.erase(dir->children.begin() + (child - dir->children.data()));
    ++itemCounter;
    return 0;
}

int CImpet::Rename(std::string_view oldPath, std::string_view newPath)
{
    std::string oldDirPath, oldName, newDirPath, newName;
    ImpetSplitPath(oldPath, oldDirPath, oldName);
    ImpetSplitPath(newPath, newDirPath, newName);
    IMPET_FILE* from = FindDir(nullptr, oldDirPath);
    IMPET_FILE* to = FindDir(nullptr, newDirPath);
    if (!from || !to)
        return 1;
    IMPET_FILE* entry = FindChild(from, oldName);
    if (!entry || newName.empty())
        return 2;
    size_t index = size_t(entry - from->children.data());
    if (from != to)
        return MoveEntry(from, index, newDirPath, newName);
    std::string cut = CutName(newName);
    for (size_t i = 0; i < from->children.size();) {
        if (i != index && ImpetNamesEqual(from->children[i].name, cut)) {
            from->children.erase(from->children.begin() + i);
            if (i < index)
                --index;
        } else {
            ++i;
        }
    }
    from->children[index].name = cut;
    ++itemCounter;
    return 0;
}

int CImpet::MoveEntry(IMPET_FILE* from, size_t index, std::string_view newDirPath, std::string_view newName)
{
    int depth = 0;
    IMPET_FILE* to = FindDirDepth(nullptr, newDirPath, &depth);
    if (FindChild(to, newName))
        return 3;
    // A directory cannot move into its own subtree, nor below the deepest level.
    const IMPET_FILE& entry = from->children[index];
    if (Contains(entry, to) || depth + DirHeight(entry) > IMPET_MAX_DEPTH
        || to->children.size() >= size_t(IMPET_MAX_CHILDREN))
        return 4;
    IMPET_FILE record = std::move(from->children[index]);
    from->children.erase(from->children.begin() + index);
    record.name = CutName(newName);
    // Taking the record out may have moved `to` within its parent's array.
    to = FindDir(nullptr, newDirPath);
    Append(to, std::move(record));
    ++itemCounter;
    return 0;
}
