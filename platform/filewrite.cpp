#include "platform/filewrite.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string ErrnoText(const char* what, const std::string& path)
{
    return std::string(what) + " \"" + path + "\": " + std::strerror(errno);
}

bool WriteAll(int fd, std::string_view data)
{
    while (!data.empty()) {
        ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data.remove_prefix(size_t(n));
    }
    return true;
}

} // namespace

WriteResult WriteFileAtomic(const std::string& path, std::string_view data)
{
    WriteResult result;
    std::string tmp = path + ".XXXXXX";
    int fd = ::mkstemp(tmp.data());
    if (fd < 0) {
        result.error = ErrnoText("cannot create a temporary file beside", path);
        return result;
    }
    mode_t mode = 0644;
    struct stat st { };
    if (::stat(path.c_str(), &st) == 0)
        mode = st.st_mode & 07777;
    else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    bool ok = WriteAll(fd, data) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    if (!ok)
        result.error = ErrnoText("cannot write", path);
    if (::close(fd) != 0 && ok) {
        ok = false;
        result.error = ErrnoText("cannot write", path);
    }
    if (ok) {
        struct stat check { };
        if (::stat(tmp.c_str(), &check) != 0 || size_t(check.st_size) != data.size()) {
            ok = false;
            result.error = "cannot write \"" + path + "\": the written file is incomplete";
        }
    }
    if (ok && ::rename(tmp.c_str(), path.c_str()) != 0) {
        ok = false;
        result.error = ErrnoText("cannot replace", path);
    }
    if (!ok)
        ::unlink(tmp.c_str());
    result.ok = ok;
    return result;
}

bool ReadWholeFile(const std::string& path, std::string& out)
{
    out.clear();
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        out.append(buf, n);
    bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}
