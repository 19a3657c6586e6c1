#include "files/recentfiles.h"

#include <algorithm>

void RecentFiles::FormatRecentFileCaption(int n)
{
    const std::u16string& path = entries_[size_t(n)];
    size_t cut = path.rfind(u'\\');
    if (cut == std::u16string::npos)
        cut = path.rfind(u'/');
    std::u16string name = cut == std::u16string::npos ? path : path.substr(cut + 1);
    std::string number = std::to_string(n);
    std::u16string caption(number.begin(), number.end());
    caption += u' ';
    caption += name;
    if (caption.size() > MAX_CAPTION)
        caption.resize(MAX_CAPTION);
    if (size_t dot = caption.rfind(u'.'); dot != std::u16string::npos)
        caption.resize(dot);
    captions_[size_t(n)] = std::move(caption);
}

void RecentFiles::RemoveAt(int index)
{
    for (int i = index; i + 1 < count_; ++i) {
        entries_[size_t(i)] = std::move(entries_[size_t(i + 1)]);
        FormatRecentFileCaption(i);
    }
    --count_;
    entries_[size_t(count_)].clear();
}

void RecentFiles::AddRecentFile(const std::u16string& given)
{
    // The argument may be one of the list's own entries, which move below.
    std::u16string path = given.substr(0, MAX_PATH);
    if (!path.empty())
        for (int i = count_ - 1; i >= 0; --i)
            if (entries_[size_t(i)].empty())
                RemoveAt(i);
    for (int at = 0; at < count_; ++at) {
        if (entries_[size_t(at)] != path)
            continue;
        for (int i = at; i >= 1; --i) {
            entries_[size_t(i)] = std::move(entries_[size_t(i - 1)]);
            FormatRecentFileCaption(i);
        }
        entries_[0] = path;
        FormatRecentFileCaption(0);
        return;
    }
    count_ = std::min(count_ + 1, ENTRIES);
    for (int i = count_ - 1; i >= 1; --i) {
        entries_[size_t(i)] = std::move(entries_[size_t(i - 1)]);
        FormatRecentFileCaption(i);
    }
    entries_[0] = path;
    FormatRecentFileCaption(0);
}

void RecentFiles::RemoveRecentFile(const std::u16string& path)
{
    for (int i = 0; i < count_; ++i)
        if (entries_[size_t(i)] == path) {
            RemoveAt(i);
            return;
        }
}

void RecentFiles::RestoreEntry(int n, const std::u16string& path)
{
    if (n < 0 || n >= ENTRIES)
        return;
    entries_[size_t(n)] = path.substr(0, MAX_PATH);
    count_ = n + 1;
    FormatRecentFileCaption(n);
}
