#pragma once
// The parameter files used last, most recent first. Entry 0 is the current
// file (empty after New) and is not offered in the menu; the File menu lists
// entries 1 to 9.

#include <array>
#include <string>

class RecentFiles {
public:
    static constexpr int ENTRIES = 10;
    static constexpr size_t MAX_PATH = 259; // characters of a path
    static constexpr size_t MAX_CAPTION = 127; // characters of a menu caption

    // Puts a path at the top. A non-empty path first drops every empty entry;
    // a path already in the list moves to the top instead of being doubled.
    void AddRecentFile(const std::u16string& path);
    // Drops the first entry equal to the path, if any.
    void RemoveRecentFile(const std::u16string& path);
    // Sets entry n directly, as the settings load restores the list; the
    // count becomes n + 1.
    void RestoreEntry(int n, const std::u16string& path);
    void Clear() { count_ = 0; }

    int Count() const { return count_; }
    const std::u16string& Entry(int n) const { return entries_[size_t(n)]; }
    // "n name" without the folder and without the extension.
    const std::u16string& Caption(int n) const { return captions_[size_t(n)]; }
    // Menu item n (1..9) is shown exactly when n < Count(); the separator after
    // them when Count() > 1.
    bool MenuItemVisible(int n) const { return n >= 1 && n < count_; }
    bool MenuSeparatorVisible() const { return count_ > 1; }

private:
    void FormatRecentFileCaption(int n);
    void RemoveAt(int index);

    std::array<std::u16string, ENTRIES> entries_;
    std::array<std::u16string, ENTRIES> captions_;
    int count_ = 0;
};
