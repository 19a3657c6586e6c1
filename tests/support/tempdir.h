#pragma once
// A fresh folder per test, removed with everything in it afterwards.

#include <cstdlib>
#include <filesystem>
#include <string>

class TempDir {
public:
    TempDir()
    {
        std::string tmpl = (std::filesystem::temp_directory_path() / "zp-test-XXXXXX").string();
        if (char* p = ::mkdtemp(tmpl.data()))
            path_ = p;
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};
