// The archive as it is stored: the magic, the 79-byte records, the tree in
// layout order, reading it from and writing it into its carrier file. The
// record tree in memory is in impet_tree.cpp, files and folders on disk in
// impet_disk.cpp.
#include "files/impet.h"

#include "files/impet_detail.h"
#include "platform/filewrite.h"

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

using impet_detail::Fd;
using impet_detail::FILETIME_EPOCH_SECONDS;
using impet_detail::FILETIME_PER_SECOND;
using impet_detail::NewDirectory;
using impet_detail::ReadAt;
using impet_detail::Unpack;

unsigned char ImpetMagic[IMPET_MAGIC_LEN];
CImpet g_Impet;

namespace {

constexpr size_t SEARCH_CHUNK = 256 * 1024;
constexpr uint64_t ARCHIVE_ALIGN = 256;

// Record field positions in the 79-byte record.
constexpr int REC_OFFSET = 53;
constexpr int REC_SIZE = 57;
constexpr int REC_PACKED = 61;
constexpr int REC_TIME = 65;
constexpr int REC_FLAGS = 73;

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

} // namespace

namespace impet_detail {

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

} // namespace impet_detail

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

uint32_t ImpetLayout(IMPET_FILE& root)
{
    if (!root.IsDirectory())
        return IMPET_RECORD_LEN;
    return uint32_t(LayoutDir(root, IMPET_RECORD_LEN));
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
