#include "files/impet.h"

#include "platform/cp1250.h"
#include "platform/filewrite.h"

#include <QChar>
#include <QString>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

namespace fs = std::filesystem;

unsigned char ImpetMagic[IMPET_MAGIC_LEN];
CImpet g_Impet;

namespace {

constexpr size_t SEARCH_CHUNK = 256 * 1024;
constexpr uint64_t ARCHIVE_ALIGN = 256;
constexpr int64_t FILETIME_EPOCH_SECONDS = 11644473600; // 1601-01-01 to 1970-01-01
constexpr int64_t FILETIME_PER_SECOND = 10000000;

// Record field positions in the 79-byte record.
constexpr int REC_OFFSET = 53;
constexpr int REC_SIZE = 57;
constexpr int REC_PACKED = 61;
constexpr int REC_TIME = 65;
constexpr int REC_FLAGS = 73;

// An open file descriptor that closes itself.
class Fd {
public:
    explicit Fd(int fd)
        : fd_(fd)
    {
    }
    ~Fd()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    bool ok() const { return fd_ >= 0; }

private:
    int fd_;
};

// Reads up to `count` bytes at `pos`, retrying short reads; the count read.
size_t ReadAt(int fd, uint64_t pos, unsigned char* buf, size_t count)
{
    size_t done = 0;
    while (done < count) {
        ssize_t n = ::pread(fd, buf + done, count - done, off_t(pos + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += size_t(n);
    }
    return done;
}

uint32_t GetU32(const unsigned char* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void PutU32(unsigned char* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<unsigned char>(v >> (8 * i));
}

// The record as stored; the reserved last four bytes stay zero.
void EncodeRecord(const IMPET_FILE& r, unsigned char* out)
{
    std::memset(out, 0, IMPET_RECORD_LEN);
    std::memcpy(out, r.name.data(), std::min<size_t>(r.name.size(), IMPET_NAME_LEN));
    PutU32(out + REC_OFFSET, r.offset);
    PutU32(out + REC_SIZE, r.size);
    PutU32(out + REC_PACKED, r.IsDirectory() ? 0 : r.packedSize);
    PutU32(out + REC_TIME, uint32_t(r.time));
    PutU32(out + REC_TIME + 4, uint32_t(r.time >> 32));
    uint16_t flags = r.IsDirectory() ? uint16_t(IMPET_DIRECTORY | r.children.size()) : 0;
    out[REC_FLAGS] = uint8_t(flags);
    out[REC_FLAGS + 1] = uint8_t(flags >> 8);
}

// A name whose terminator is missing ends inside its field.
IMPET_FILE DecodeRecord(const unsigned char* in)
{
    IMPET_FILE r;
    const char* name = reinterpret_cast<const char*>(in);
    r.name.assign(name, strnlen(name, IMPET_NAME_LEN));
    r.offset = GetU32(in + REC_OFFSET);
    r.size = GetU32(in + REC_SIZE);
    r.packedSize = GetU32(in + REC_PACKED);
    r.time = uint64_t(GetU32(in + REC_TIME)) | uint64_t(GetU32(in + REC_TIME + 4)) << 32;
    r.flags = uint16_t(in[REC_FLAGS] | in[REC_FLAGS + 1] << 8);
    return r;
}

std::string CutName(std::string_view name)
{
    return std::string(name.substr(0, IMPET_NAME_LEN));
}

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

IMPET_FILE NewDirectory(std::string_view name, uint64_t time)
{
    IMPET_FILE d;
    d.name = CutName(name);
    d.time = time;
    d.flags = IMPET_DIRECTORY;
    d.size = IMPET_ARRAY_STEP;
    return d;
}

// The archive bytes [pos, end) of the carrier file still to be read.
struct ImpetTreeSource {
    int fd;
    uint64_t pos;
    uint64_t end;
    bool skipPayloads;
};

// Reads the tree below `rec` in layout order, ignoring the stored offsets;
// every count and length is checked against the bytes that remain before
// anything is allocated.
bool ImpetReadTree(ImpetTreeSource& src, IMPET_FILE& rec, int depth)
{
    if (rec.IsDirectory()) {
        if (depth > IMPET_MAX_DEPTH)
            return false;
        size_t count = rec.flags & IMPET_MAX_CHILDREN;
        uint64_t bytes = uint64_t(count) * IMPET_RECORD_LEN;
        if (bytes > src.end - src.pos)
            return false;
        std::vector<unsigned char> array(bytes);
        if (ReadAt(src.fd, src.pos, array.data(), bytes) != bytes)
            return false;
        src.pos += bytes;
        rec.size = uint32_t(bytes);
        rec.children.reserve(count);
        for (size_t i = 0; i < count; ++i)
            rec.children.push_back(DecodeRecord(array.data() + i * IMPET_RECORD_LEN));
        for (IMPET_FILE& child : rec.children)
            if (!ImpetReadTree(src, child, depth + 1))
                return false;
        return true;
    }
    if (rec.size > IMPET_MAX_FILE_SIZE)
        return false;
    uint64_t stored = rec.StoredLength();
    if (stored > src.end - src.pos)
        return false;
    if (!src.skipPayloads) {
        rec.payload.resize(stored);
        if (ReadAt(src.fd, src.pos, rec.payload.data(), stored) != stored)
            return false;
        rec.payloadLoaded = true;
    }
    src.pos += stored;
    return true;
}

void ImpetWriteTree(const IMPET_FILE& dir, std::string& out)
{
    size_t at = out.size();
    out.resize(at + dir.children.size() * IMPET_RECORD_LEN);
    for (size_t i = 0; i < dir.children.size(); ++i)
        EncodeRecord(dir.children[i], reinterpret_cast<unsigned char*>(out.data() + at + i * IMPET_RECORD_LEN));
    for (const IMPET_FILE& c : dir.children) {
        if (c.IsDirectory())
            ImpetWriteTree(c, out);
        else
            out.append(c.payload.begin(), c.payload.end());
    }
}

uint64_t LayoutDir(IMPET_FILE& dir, uint64_t pos)
{
    dir.offset = uint32_t(pos);
    pos += dir.children.size() * IMPET_RECORD_LEN;
    for (IMPET_FILE& c : dir.children) {
        if (c.IsDirectory()) {
            pos = LayoutDir(c, pos);
        } else {
            c.offset = uint32_t(pos);
            pos += c.StoredLength();
        }
    }
    return pos;
}

// The unpacked content of a file entry whose payload is in memory.
std::optional<std::string> Unpack(const IMPET_FILE& f)
{
    if (f.size > IMPET_MAX_FILE_SIZE || f.payload.size() != f.StoredLength())
        return std::nullopt;
    std::string content(f.size, '\0');
    if (f.packedSize == 0) {
        content.assign(f.payload.begin(), f.payload.end());
        return content;
    }
    uLongf length = f.size;
    int rc = ::uncompress(reinterpret_cast<Bytef*>(content.data()), &length, f.payload.data(), uLong(f.payload.size()));
    if (rc != Z_OK || length != f.size)
        return std::nullopt;
    return content;
}

} // namespace

void ImpetBuildMagic()
{
    // Written byte by byte through a volatile pointer so that no compiler
    // folds the sequence into a constant that the search would meet in the
    // program file itself.
    volatile unsigned char* m = ImpetMagic;
    const char text[] = "##IMPET_HEADER##";
    for (int i = 0; i < 16; ++i)
        m[i] = static_cast<unsigned char>(text[i]);
    for (int i = 16; i < IMPET_MAGIC_LEN; ++i)
        m[i] = static_cast<unsigned char>(i + 17);
    m[30] = ':';
    m[31] = '>';
}

uint64_t ImpetFileTimeFromUnix(int64_t seconds, int64_t nanoseconds)
{
    int64_t s = std::max<int64_t>(seconds + FILETIME_EPOCH_SECONDS, 0);
    return uint64_t(s) * FILETIME_PER_SECOND + uint64_t(nanoseconds / 100);
}

uint64_t ImpetNow()
{
    struct timespec ts { };
    ::clock_gettime(CLOCK_REALTIME, &ts);
    return ImpetFileTimeFromUnix(ts.tv_sec, ts.tv_nsec);
}

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

uint32_t ImpetLayout(IMPET_FILE& root)
{
    if (!root.IsDirectory())
        return IMPET_RECORD_LEN;
    return uint32_t(LayoutDir(root, IMPET_RECORD_LEN));
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

CImpet::CImpet()
{
    root_ = NewDirectory("", 0);
}

void CImpet::Clear()
{
    root_ = IMPET_FILE();
}

int CImpet::Load(const std::string& path, bool skipPayloads)
{
    ImpetBuildMagic();
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.ok())
        return LoadCannotOpen;
    path_ = path;
    archiveOffset_ = 0;
    root_ = NewDirectory("", 0);
    struct stat st { };
    if (::fstat(fd.get(), &st) != 0)
        return LoadCannotOpen;
    uint64_t length = uint64_t(st.st_size);

    // Whole blocks per read; a small file needs no more than its own length.
    uint64_t blocks = (length + ARCHIVE_ALIGN - 1) / ARCHIVE_ALIGN * ARCHIVE_ALIGN;
    std::vector<unsigned char> chunk(std::clamp<uint64_t>(blocks, ARCHIVE_ALIGN, SEARCH_CHUNK));
    bool found = false;
    while (!found) {
        size_t n = ReadAt(fd.get(), archiveOffset_, chunk.data(), chunk.size());
        if (n == 0)
            break;
        size_t at = 0;
        bool shortBlock = false;
        for (; at < n; at += ARCHIVE_ALIGN) {
            size_t block = std::min<size_t>(ARCHIVE_ALIGN, n - at);
            if (block >= IMPET_MAGIC_LEN && std::memcmp(chunk.data() + at, ImpetMagic, IMPET_MAGIC_LEN) == 0) {
                found = true;
                break;
            }
            archiveOffset_ += block;
            if (block < ARCHIVE_ALIGN) {
                shortBlock = true;
                break;
            }
        }
        if (shortBlock)
            break;
    }
    if (!found)
        return LoadNoArchive;
    return ReadRoot(fd.get(), length, skipPayloads);
}

int CImpet::ReadRoot(int fd, uint64_t fileLength, bool skipPayloads)
{
    root_ = NewDirectory("", 0);
    uint64_t start = archiveOffset_ + IMPET_MAGIC_LEN;
    std::array<unsigned char, IMPET_RECORD_LEN> record {};
    if (start > fileLength || fileLength - start < IMPET_RECORD_LEN
        || ReadAt(fd, start, record.data(), record.size()) != record.size())
        return LoadDamaged;
    IMPET_FILE root = DecodeRecord(record.data());
    ImpetTreeSource source { fd, start + IMPET_RECORD_LEN, fileLength, skipPayloads };
    if (!root.IsDirectory() || !ImpetReadTree(source, root, 0))
        return LoadDamaged;
    root_ = std::move(root);
    return LoadOk;
}

bool CImpet::LoadPayload(IMPET_FILE& file)
{
    if (file.payloadLoaded)
        return true;
    Fd fd(::open(path_.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st { };
    if (!fd.ok() || ::fstat(fd.get(), &st) != 0)
        return false;
    uint64_t length = uint64_t(st.st_size);
    uint64_t pos = archiveOffset_ + IMPET_MAGIC_LEN + file.offset;
    uint64_t stored = file.StoredLength();
    if (file.size > IMPET_MAX_FILE_SIZE || pos > length || stored > length - pos)
        return false;
    std::vector<unsigned char> payload(stored);
    if (ReadAt(fd.get(), pos, payload.data(), stored) != stored)
        return false;
    file.payload = std::move(payload);
    file.payloadLoaded = true;
    return true;
}

bool CImpet::LoadAllPayloads(IMPET_FILE& dir)
{
    for (IMPET_FILE& c : dir.children)
        if (!(c.IsDirectory() ? LoadAllPayloads(c) : LoadPayload(c)))
            return false;
    return true;
}

int CImpet::Save()
{
    return WriteArchive();
}

int CImpet::WriteArchive()
{
    ImpetBuildMagic();
    std::string file;
    if (path_.empty() || ::access(path_.c_str(), R_OK | W_OK) != 0 || !ReadWholeFile(path_, file))
        return 1;
    // Payloads still in the carrier are taken before the layout moves them.
    if (!LoadAllPayloads(root_))
        return 1;
    uint64_t end = root_.IsDirectory() ? LayoutDir(root_, IMPET_RECORD_LEN) : IMPET_RECORD_LEN;
    if (end > UINT32_MAX)
        return 1;
    // The whole new file is written at once (temporary file, then rename), so
    // cutting an archive off, or a failed write, never leaves a broken
    // carrier, and the program file keeps its execute bit.
    if (end == IMPET_RECORD_LEN) {
        if (archiveOffset_ == 0 || file.size() <= archiveOffset_)
            return 0;
        file.resize(archiveOffset_);
        return WriteFileAtomic(path_, file).ok ? 0 : 1;
    }
    uint64_t offset = (archiveOffset_ + ARCHIVE_ALIGN - 1) / ARCHIVE_ALIGN * ARCHIVE_ALIGN;
    // Bytes of an older archive go; a shorter file is padded with zeros.
    file.resize(offset, '\0');
    file.append(reinterpret_cast<const char*>(ImpetMagic), IMPET_MAGIC_LEN);
    root_.time = ImpetNow();
    std::array<unsigned char, IMPET_RECORD_LEN> record;
    EncodeRecord(root_, record.data());
    file.append(reinterpret_cast<const char*>(record.data()), record.size());
    ImpetWriteTree(root_, file);
    if (!WriteFileAtomic(path_, file).ok)
        return 1;
    archiveOffset_ = offset;
    return 0;
}

std::optional<std::string> CImpet::ReadFile(std::string_view dirPath, std::string_view name)
{
    IMPET_FILE* f = FindFile(dirPath, name);
    if (!f || !LoadPayload(*f))
        return std::nullopt;
    return Unpack(*f);
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

void OnImpetLoaded()
{
}

void ImpetInit(const std::string& path)
{
    ImpetBuildMagic();
    if (g_Impet.Load(path, false) == CImpet::LoadOk)
        OnImpetLoaded();
}

std::string ImpetProgramPath()
{
    std::error_code ec;
    return fs::read_symlink("/proc/self/exe", ec).string();
}
