#pragma once
// Shared by the files of the preset archive; not for its users.

#include "files/impet.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>

namespace impet_detail {

inline constexpr int64_t FILETIME_EPOCH_SECONDS = 11644473600; // 1601-01-01 to 1970-01-01
inline constexpr int64_t FILETIME_PER_SECOND = 10000000;

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
size_t ReadAt(int fd, uint64_t pos, unsigned char* buf, size_t count);

// A name cut to the length of its field.
std::string CutName(std::string_view name);
IMPET_FILE NewDirectory(std::string_view name, uint64_t time);

// The unpacked content of a file entry whose payload is in memory.
std::optional<std::string> Unpack(const IMPET_FILE& f);

} // namespace impet_detail
