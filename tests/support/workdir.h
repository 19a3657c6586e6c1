#pragma once
// Makes a folder the current one for the life of the object. The program
// writes some files (the error log) into the current folder.

#include <filesystem>

class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::filesystem::path& folder)
        : previous_(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    ~WorkingDirectory()
    {
        std::error_code ec;
        std::filesystem::current_path(previous_, ec);
    }
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    std::filesystem::path previous_;
};
