// Reads the input as a program file with an appended preset archive: the
// search, the tree with and without payloads, and every entry's content.
#include "files/impet.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {

void ReadAll(CImpet& impet, IMPET_FILE& dir, const std::string& path)
{
    for (IMPET_FILE& c : dir.children) {
        if (c.IsDirectory())
            ReadAll(impet, c, path + "\\" + c.name);
        else
            impet.ReadFile(path, c.name);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static int fd = ::memfd_create("carrier", 0);
    if (fd < 0 || ::ftruncate(fd, 0) != 0 || ::pwrite(fd, data, size, 0) != ssize_t(size))
        return 0;
    const std::string path = "/proc/self/fd/" + std::to_string(fd);
    for (bool skip : { false, true }) {
        CImpet impet;
        if (impet.Load(path, skip) != CImpet::LoadOk)
            continue;
        ReadAll(impet, impet.Root(), "");
        ImpetCountTree(impet.Root());
        ImpetLayout(impet.Root());
    }
    return 0;
}
