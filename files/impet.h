#pragma once
// The preset archive ("IMPET") that travels appended to the program file.
//
// The archive starts at a 256-byte boundary with the 32-byte ImpetMagic and
// runs to the end of its carrier file. After the magic come the 79-byte root
// record and then, depth first in array order, each directory's array of
// 79-byte child records and each file's payload (raw, or a zlib stream).
// Every integer is little-endian; record offsets count from the root record.
//
// Names are 8-bit Windows-1250 texts of at most 52 characters, unique within
// their directory without regard to letter case. Archive paths separate names
// with backslashes; an empty path or a lone backslash is the root. Disk paths
// are the file system's own (UTF-8) paths.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int IMPET_MAGIC_LEN = 32;
inline constexpr int IMPET_RECORD_LEN = 79;
inline constexpr int IMPET_NAME_LEN = 52; // characters; the field holds one more for the terminator
inline constexpr uint32_t IMPET_ARRAY_STEP = 20 * IMPET_RECORD_LEN; // 1580 bytes
inline constexpr int IMPET_MAX_CHILDREN = 0x0FFF;
inline constexpr uint16_t IMPET_DIRECTORY = 0x8000;
inline constexpr uint32_t IMPET_MAX_FILE_SIZE = 0x500000; // 5,242,880 bytes
inline constexpr uint32_t IMPET_RAW_LIMIT = 100; // files this small are stored raw
// Directories nest at most this deep, so that reading a damaged archive or
// walking a tree never recurses without bound.
inline constexpr int IMPET_MAX_DEPTH = 64;

// Filled at run time by ImpetBuildMagic (never a constant in the program
// file, where the search would find it); loading and saving fill it first.
extern unsigned char ImpetMagic[IMPET_MAGIC_LEN];
void ImpetBuildMagic();

// Windows FILETIME: 100 ns steps since 1601-01-01 UTC.
uint64_t ImpetNow();
uint64_t ImpetFileTimeFromUnix(int64_t seconds, int64_t nanoseconds);

// One directory record. The file holds the fields in this order in 79 bytes;
// in memory the last four bytes become the child array or the payload.
struct IMPET_FILE {
    std::string name; // at most IMPET_NAME_LEN bytes, no terminator inside
    uint32_t offset = 0; // directory: its child array; file: its payload
    uint32_t size = 0; // file: unpacked length; directory: array capacity in bytes
    uint32_t packedSize = 0; // 0: payload stored raw
    uint64_t time = 0; // FILETIME
    uint16_t flags = 0; // IMPET_DIRECTORY | child count

    std::vector<IMPET_FILE> children; // directory
    std::vector<unsigned char> payload; // file: the stored bytes
    bool payloadLoaded = false;

    bool IsDirectory() const { return (flags & IMPET_DIRECTORY) != 0; }
    int Count() const { return int(children.size()); }
    uint32_t StoredLength() const { return packedSize ? packedSize : size; }
};

class CImpet {
public:
    CImpet();

    enum LoadResult { LoadOk = 0, LoadCannotOpen = 1, LoadNoArchive = 2, LoadDamaged = 3 };
    // Finds the archive in `path` and reads its tree; with `skipPayloads` the
    // payloads stay in the file until ReadFile needs them. A damaged tree
    // leaves an empty root.
    int Load(const std::string& path, bool skipPayloads);
    // Writes the archive into its carrier file at the archive offset (or
    // removes it when the root has no children); 0 on success.
    int Save();

    // The content of a file entry, exactly its size in bytes (the string keeps
    // a terminator after them), or none when the entry is missing, is a
    // directory, its payload cannot be read or does not inflate to its size.
    std::optional<std::string> ReadFile(std::string_view dirPath, std::string_view name);

    IMPET_FILE* FindDir(IMPET_FILE* start, std::string_view path);
    IMPET_FILE* FindChild(IMPET_FILE* dir, std::string_view name);
    IMPET_FILE* FindFile(std::string_view dirPath, std::string_view name);

    // Adds or replaces the file `diskName` of `diskFolder` under its own name
    // (in Windows-1250). `size` 0 takes the file's length; `time` none takes now.
    int AddFile(std::string_view dirPath, const std::string& diskFolder, const std::string& diskName,
        std::optional<uint64_t> time, uint32_t sizeHigh, uint32_t sizeLow);
    int MakeDir(std::string_view dirPath, std::string_view name, std::optional<uint64_t> time);
    int CreateFileEntry(std::string_view dirPath, std::string_view name);
    // Makes the content of an existing file entry `content`, stored raw.
    int SetContent(std::string_view dirPath, std::string_view name, std::string_view content);
    int Delete(std::string_view dirPath, std::string_view name);
    int Rename(std::string_view oldPath, std::string_view newPath);
    int ImportFolder(std::string_view dirPath, const std::string& diskFolder, uint64_t folderTime);
    int ExportFile(std::string_view archivePath, const std::string& diskFolder);
    int ExportFolder(std::string_view archivePath, const std::string& diskFolder);

    // Frees the tree and zeroes the root, which is then no directory.
    void Clear();

    const std::string& Path() const { return path_; }
    uint64_t ArchiveOffset() const { return archiveOffset_; }
    IMPET_FILE& Root() { return root_; }
    // Entries the current command created, replaced, exported, moved or deleted.
    int itemCounter = 0;
    // Why entries were refused ("ERROR - file >5M:" and the name, one line
    // each), for the tool's messages; the caller clears it.
    std::string lastReason;

private:
    int WriteArchive();
    int ReadRoot(int fd, uint64_t fileLength, bool skipPayloads);
    bool LoadPayload(IMPET_FILE& file);
    bool LoadAllPayloads(IMPET_FILE& dir);
    IMPET_FILE* FindDirDepth(IMPET_FILE* start, std::string_view path, int* depth);
    int MoveEntry(IMPET_FILE* fromDir, size_t index, std::string_view newDirPath, std::string_view newName);
    int ExportEntry(IMPET_FILE& entry, const std::string& diskFolder);
    IMPET_FILE* Append(IMPET_FILE* dir, IMPET_FILE&& record);

    std::string path_;
    uint64_t archiveOffset_ = 0;
    IMPET_FILE root_;
};

// Lays out the tree (offsets of every array and payload) and returns the end
// position, counted from the root record.
uint32_t ImpetLayout(IMPET_FILE& root);

struct ImpetCount {
    uint64_t bytes = 0;
    int items = 0;
};
// Directories and files below `dir`, with 79 bytes a record plus each file's
// stored length.
ImpetCount ImpetCountTree(const IMPET_FILE& dir);

// Splits an archive path at its last backslash into a directory path and a
// name, dropping one trailing '.' from the name.
void ImpetSplitPath(std::string_view path, std::string& dirPath, std::string& name);

// Equality of two names without regard to letter case (Windows-1250 letters).
bool ImpetNamesEqual(std::string_view a, std::string_view b);
// Order of two names without regard to letter case.
bool ImpetNameLess(std::string_view a, std::string_view b);

// The program's one archive, and its start-up: builds the magic and reads the
// archive with its payloads from the program file `path`.
extern CImpet g_Impet;
void ImpetInit(const std::string& path);
// Called after ImpetInit read an archive; nothing to do so far.
void OnImpetLoaded();
// The path of the running program file.
std::string ImpetProgramPath();
