#include "files/impet_command.h"

#include "platform/cp1250.h"

#include <QString>

#include <array>
#include <cctype>
#include <cstdio>
#include <optional>
#include <sys/stat.h>

namespace {

enum Command { OPEN, CLEAR, SAVE, IMPORT, EXPORT, SET, MKDIR, DELETE, RENAME, NONE };

// Tried in this order; the first word the line begins with wins.
constexpr std::array<std::string_view, 9> COMMAND_WORDS
    = { "OPEN", "CLEAR", "SAVE", "IMPORT", "EXPORT", "SET", "MKDIR", "DELETE", "RENAME" };

const char* const TEXT_ERROR = " (error)\n";

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view SkipBlanks(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    return s;
}

std::string_view Trim(std::string_view s)
{
    s = SkipBlanks(s);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

Command FindCommand(std::string_view& line)
{
    for (size_t i = 0; i < COMMAND_WORDS.size(); ++i) {
        std::string_view word = COMMAND_WORDS[i];
        if (line.size() < word.size())
            continue;
        bool match = true;
        for (size_t k = 0; k < word.size() && match; ++k)
            match = std::toupper(static_cast<unsigned char>(line[k])) == word[k];
        if (match) {
            line = SkipBlanks(line.substr(word.size()));
            return Command(i);
        }
    }
    return NONE;
}

// The next argument: a text in double quotes, or a run up to a blank. None
// when the line has no more, or a quote is not closed.
std::optional<std::string> NextArgument(std::string_view& rest)
{
    rest = SkipBlanks(rest);
    if (rest.empty())
        return std::nullopt;
    size_t end;
    std::string arg;
    if (rest.front() == '"') {
        end = rest.find('"', 1);
        if (end == std::string_view::npos)
            return std::nullopt;
        arg = rest.substr(1, end - 1);
        ++end;
    } else {
        end = 0;
        while (end < rest.size() && !IsBlank(rest[end]))
            ++end;
        arg = rest.substr(0, end);
    }
    rest.remove_prefix(end);
    return arg;
}

// A new archive object read from `path`; one without entries, bound to the
// file, when the file holds no archive; none when the file cannot be read or
// its tree is damaged.
std::unique_ptr<CImpet> ImpetReopen(const std::string& path)
{
    auto impet = std::make_unique<CImpet>();
    int rc = impet->Load(path, false);
    if (rc != CImpet::LoadOk && rc != CImpet::LoadNoArchive)
        impet.reset();
    return impet;
}

// A disk path of a command line as the file system spells it.
std::string DiskPath(std::string_view text)
{
    QString path = QStringFromCp1250(text);
    path.replace(QChar('\\'), QChar('/'));
    return path.toStdString();
}

std::string Format(const char* format, long long a, long long b = 0)
{
    char buf[100];
    std::snprintf(buf, sizeof buf, format, a, b);
    return buf;
}

void Import(CImpet& impet, const std::string& archiveDir, const std::string& diskPath, std::string& out)
{
    struct stat st { };
    if (::stat(diskPath.c_str(), &st) != 0)
        return;
    uint64_t time = ImpetFileTimeFromUnix(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
    if (S_ISDIR(st.st_mode)) {
        impet.itemCounter = 0;
        if (impet.ImportFolder(archiveDir, diskPath, time) == 0)
            out += Format(" (%lld files added)\n", impet.itemCounter);
        else
            out += TEXT_ERROR;
        return;
    }
    uint64_t size = uint64_t(st.st_size);
    if (size >> 32)
        return;
    size_t cut = diskPath.rfind('/');
    std::string folder = cut == std::string::npos ? "." : cut == 0 ? "/" : diskPath.substr(0, cut);
    std::string name = cut == std::string::npos ? diskPath : diskPath.substr(cut + 1);
    if (impet.AddFile(archiveDir, folder, name, time, 0, uint32_t(size)) == 0)
        out += " (1 file added)\n";
    else
        out += TEXT_ERROR;
}

int Export(CImpet& impet, const std::string& archivePath, const std::string& diskFolder, std::string& out)
{
    impet.itemCounter = 0;
    std::string dirPath, name;
    ImpetSplitPath(archivePath, dirPath, name);
    IMPET_FILE* entry = impet.FindChild(impet.FindDir(nullptr, dirPath), name);
    if (!entry)
        return 0;
    if (entry->IsDirectory()) {
        if (impet.ExportFolder(archivePath, diskFolder) == 0)
            out += Format(" (%lld files extracted)\n", impet.itemCounter);
        else
            out += TEXT_ERROR;
    } else {
        out += impet.ExportFile(archivePath, diskFolder) == 0 ? " (1 file extracted)\n" : TEXT_ERROR;
    }
    return 2;
}

} // namespace

int ImpetExecuteCommand(std::unique_ptr<CImpet>& impet, std::string_view line, std::string& out)
{
    out.append(line);
    out += "\n";
    std::string_view rest = Trim(line);
    Command command = FindCommand(rest);
    if (command == NONE)
        return 0;
    if (command == OPEN) {
        if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"')
            rest = rest.substr(1, rest.size() - 2);
        impet = ImpetReopen(DiskPath(rest));
        out += impet ? " (opened)\n" : TEXT_ERROR;
        return 5;
    }
    if (!impet)
        return 0;

    std::string dirPath, name;
    switch (command) {
    case CLEAR:
        impet->Clear();
        out += " (cleared)\n";
        return 5;
    case SAVE:
        if (impet->Save() == 0) {
            ImpetCount count = ImpetCountTree(impet->Root());
            out += Format(" (stored %lld bytes - %lld items)\n", (long long)count.bytes, count.items);
        } else {
            out += TEXT_ERROR;
        }
        return 9;
    case IMPORT: {
        std::optional<std::string> disk = NextArgument(rest);
        std::optional<std::string> archiveDir = NextArgument(rest);
        if (!disk || !archiveDir)
            out += TEXT_ERROR;
        else
            Import(*impet, *archiveDir, DiskPath(*disk), out);
        return 1;
    }
    case EXPORT: {
        std::optional<std::string> archivePath = NextArgument(rest);
        std::optional<std::string> disk = NextArgument(rest);
        if (!archivePath || !disk) {
            out += TEXT_ERROR;
            return 2;
        }
        return Export(*impet, *archivePath, DiskPath(*disk), out);
    }
    case SET: {
        std::optional<std::string> path = NextArgument(rest);
        std::optional<std::string> text = NextArgument(rest);
        if (path)
            ImpetSplitPath(*path, dirPath, name);
        if (!path || !text || impet->CreateFileEntry(dirPath, name) != 0
            || impet->SetContent(dirPath, name, *text) != 0) {
            out += TEXT_ERROR;
            return 0;
        }
        out += " (file rewritten)\n";
        return 1;
    }
    case MKDIR: {
        std::optional<std::string> path = NextArgument(rest);
        if (path)
            ImpetSplitPath(*path, dirPath, name);
        out += path && impet->MakeDir(dirPath, name, ImpetNow()) == 0 ? " (directory created)\n" : TEXT_ERROR;
        return 1;
    }
    case DELETE:
        impet->itemCounter = 0;
        ImpetSplitPath(rest, dirPath, name);
        if (impet->Delete(dirPath, name) == 0)
            out += Format(" (%lld files deleted)\n", impet->itemCounter);
        else
            out += TEXT_ERROR;
        return 1;
    case RENAME: {
        std::optional<std::string> from = NextArgument(rest);
        std::optional<std::string> to = NextArgument(rest);
        out += from && to && impet->Rename(*from, *to) == 0 ? " (1 file renamed)\n" : TEXT_ERROR;
        return 1;
    }
    default:
        return 0;
    }
}

int ImpetExecuteCommand(CImpet& impet, std::string_view line, std::string& out)
{
    auto held = std::make_unique<CImpet>(std::move(impet));
    int result = ImpetExecuteCommand(held, line, out);
    if (held)
        impet = std::move(*held);
    else
        impet.Clear();
    return result;
}
