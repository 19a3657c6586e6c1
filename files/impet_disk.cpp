// Files and folders on disk: adding a file, importing a folder, exporting
// entries with their times.
#include "files/impet.h"

#include "files/impet_detail.h"
#include "platform/cp1250.h"
#include "platform/filewrite.h"

#include <QString>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <zlib.h>

namespace fs = std::filesystem;

using impet_detail::CutName;
using impet_detail::Fd;
using impet_detail::FILETIME_EPOCH_SECONDS;
using impet_detail::FILETIME_PER_SECOND;
using impet_detail::ReadAt;
using impet_detail::Unpack;

namespace {

std::string DiskNameToArchive(const std::string& diskName)
{
    return QStringToCp1250(QString::fromStdString(diskName));
}

std::string ArchiveNameToDisk(std::string_view name)
{
    return QStringFromCp1250(name).toStdString();
}

uint64_t FileTimeOf(const struct stat& st)
{
    return ImpetFileTimeFromUnix(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
}

void SetDiskTime(const std::string& path, uint64_t fileTime)
{
    int64_t units = int64_t(fileTime / FILETIME_PER_SECOND) - FILETIME_EPOCH_SECONDS;
    struct timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = time_t(units);
    times[1].tv_nsec = long(fileTime % FILETIME_PER_SECOND) * 100;
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
}

// A name that names exactly one entry inside the export folder.
bool SafeDiskName(std::string_view name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos
        && name.find('\\') == std::string_view::npos;
}

} // namespace

int CImpet::AddFile(std::string_view dirPath, const std::string& diskFolder, const std::string& diskName,
    std::optional<uint64_t> time, uint32_t sizeHigh, uint32_t sizeLow)
{
    IMPET_FILE* dir = FindDir(nullptr, dirPath);
    std::string name = CutName(DiskNameToArchive(diskName));
    if (!dir || name.empty() || name.find('\\') != std::string::npos)
        return 1;
    IMPET_FILE* existing = FindChild(dir, name);
    if (existing && existing->IsDirectory()) {
        lastReason += "ERROR - file name used already for directory:" + name + "\n";
        return 1;
    }
    std::string diskPath = diskFolder + "/" + diskName;
    if (sizeHigh != 0 || sizeLow > IMPET_MAX_FILE_SIZE) {
        lastReason += "ERROR - file >5M:" + name + "\n";
        return 1;
    }
    Fd fd(::open(diskPath.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st { };
    if (!fd.ok() || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        lastReason += "ERROR - can't open file:" + name + "\n";
        return 1;
    }
    uint64_t length = sizeLow ? sizeLow : uint64_t(st.st_size);
    if (length > IMPET_MAX_FILE_SIZE) {
        lastReason += "ERROR - file >5M:" + name + "\n";
        return 1;
    }
    std::vector<unsigned char> content(length);
    if (ReadAt(fd.get(), 0, content.data(), length) != length) {
        lastReason += "ERROR - can't open file:" + name + "\n";
        return 1;
    }

    IMPET_FILE record;
    record.name = name;
    record.size = uint32_t(length);
    record.time = time ? *time : ImpetNow();
    record.payloadLoaded = true;
    record.payload = std::move(content);
    if (length > IMPET_RAW_LIMIT) {
        // A stream that would not be shorter than the file is not kept.
        std::vector<unsigned char> packed(length);
        uLongf packedLength = uLongf(length);
        if (::compress(packed.data(), &packedLength, record.payload.data(), uLong(length)) == Z_OK) {
            packed.resize(packedLength);
            record.payload = std::move(packed);
            record.packedSize = uint32_t(packedLength);
        }
    }
    if (existing) {
        *existing = std::move(record);
    } else if (!Append(dir, std::move(record))) {
        return 1;
    }
    ++itemCounter;
    return 0;
}

int CImpet::ImportFolder(std::string_view dirPath, const std::string& diskFolder, uint64_t folderTime)
{
    std::string folder = diskFolder;
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    if (folder.empty())
        return 1;
    std::string name = CutName(DiskNameToArchive(folder.substr(folder.rfind('/') + 1)));
    if (name.empty() || name.find('\\') != std::string::npos || MakeDir(dirPath, name, folderTime) != 0)
        return 1;
    std::string inner = std::string(dirPath) + "\\" + name;

    struct Item {
        std::string diskName;
        std::string archiveName;
    };
    std::vector<Item> items;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string diskName = it->path().filename().string();
        if (!diskName.empty() && diskName[0] != '.')
            items.push_back({ diskName, DiskNameToArchive(diskName) });
    }
    int result = ec ? 1 : 0;
    // Sorted by name without case, so an archive is the same on every machine.
    std::sort(items.begin(), items.end(),
        [](const Item& a, const Item& b) { return ImpetNameLess(a.archiveName, b.archiveName); });
    for (const Item& item : items) {
        std::string path = folder + "/" + item.diskName;
        struct stat st { };
        if (::stat(path.c_str(), &st) != 0)
            result |= 1;
        else if (S_ISDIR(st.st_mode))
            result |= ImportFolder(inner, path, FileTimeOf(st));
        else
            result |= AddFile(inner, folder, item.diskName, FileTimeOf(st), uint32_t(uint64_t(st.st_size) >> 32),
                uint32_t(st.st_size));
    }
    return result;
}

int CImpet::ExportEntry(IMPET_FILE& entry, const std::string& diskFolder)
{
    std::string diskName = ArchiveNameToDisk(entry.name);
    if (!SafeDiskName(diskName))
        return 3;
    std::string target = (diskFolder.empty() ? std::string(".") : diskFolder) + "/" + diskName;
    if (!entry.IsDirectory()) {
        std::optional<std::string> content;
        if (LoadPayload(entry))
            content = Unpack(entry);
        if (!content)
            return 4;
        if (!WriteFileAtomic(target, *content).ok)
            return 3;
        SetDiskTime(target, entry.time);
        ++itemCounter;
        return 0;
    }
    std::error_code ec;
    fs::create_directories(target, ec);
    if (!fs::is_directory(target, ec))
        return 3;
    ++itemCounter;
    int result = 0;
    for (IMPET_FILE& c : entry.children)
        result |= ExportEntry(c, target);
    SetDiskTime(target, entry.time);
    return result;
}

int CImpet::ExportFile(std::string_view archivePath, const std::string& diskFolder)
{
    std::string dirPath, name;
    ImpetSplitPath(archivePath, dirPath, name);
    IMPET_FILE* f = FindFile(dirPath, name);
    return f ? ExportEntry(*f, diskFolder) : 2;
}

int CImpet::ExportFolder(std::string_view archivePath, const std::string& diskFolder)
{
    std::string dirPath, name;
    ImpetSplitPath(archivePath, dirPath, name);
    IMPET_FILE* d = FindChild(FindDir(nullptr, dirPath), name);
    return d && d->IsDirectory() ? ExportEntry(*d, diskFolder) : 2;
}
