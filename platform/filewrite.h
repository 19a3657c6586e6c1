#pragma once
// Every file the program writes goes through here: the data is written to a
// temporary file in the same folder, flushed, and renamed over the old file,
// so a failed write leaves the old file whole.

#include <string>
#include <string_view>

struct WriteResult {
    bool ok = false;
    std::string error; // what went wrong, for the message shown to the user
};

// Writes `data` as the whole new content of `path`. An existing file keeps its
// permission bits (the program file holding the preset archive stays executable).
WriteResult WriteFileAtomic(const std::string& path, std::string_view data);

// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& out);
