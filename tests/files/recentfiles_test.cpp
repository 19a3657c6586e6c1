#include "files/recentfiles.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::u16string> Entries(const RecentFiles& r)
{
    std::vector<std::u16string> out;
    for (int i = 0; i < r.Count(); ++i)
        out.push_back(r.Entry(i));
    return out;
}

std::vector<std::u16string> Menu(const RecentFiles& r)
{
    std::vector<std::u16string> out;
    for (int n = 1; n <= 9; ++n)
        if (r.MenuItemVisible(n))
            out.push_back(r.Caption(n));
    return out;
}

} // namespace

TEST(RecentFiles, MostRecentFirstWithoutDuplicatesAndNewOnTop)
{
    RecentFiles r;
    for (auto p : { u"C:\\ign\\a.ign", u"C:\\ign\\b.ign", u"C:\\ign\\c.ign" })
        r.AddRecentFile(p);
    EXPECT_EQ(Menu(r), (std::vector<std::u16string> { u"1 b", u"2 a" }));

    r.AddRecentFile(u"C:\\ign\\b.ign");
    EXPECT_EQ(Entries(r), (std::vector<std::u16string> { u"C:\\ign\\b.ign", u"C:\\ign\\c.ign", u"C:\\ign\\a.ign" }));

    r.AddRecentFile(u""); // New
    EXPECT_EQ(r.Count(), 4);
    EXPECT_EQ(Menu(r), (std::vector<std::u16string> { u"1 b", u"2 c", u"3 a" }));
    EXPECT_TRUE(r.MenuSeparatorVisible());

    r.AddRecentFile(u"/home/x/d.v2.ign"); // the next open drops the empty entry first
    EXPECT_EQ(r.Count(), 4);
    EXPECT_EQ(r.Caption(0), u"0 d.v2");
    EXPECT_EQ(Menu(r), (std::vector<std::u16string> { u"1 b", u"2 c", u"3 a" }));

    // Choosing a menu item passes the list's own entry, which moves to the top.
    r.AddRecentFile(r.Entry(3));
    EXPECT_EQ(r.Entry(0), u"C:\\ign\\a.ign");
    EXPECT_EQ(r.Count(), 4);
}

TEST(RecentFiles, EleventhFileDropsTheOldestAndFailedOpenRemovesIt)
{
    RecentFiles r;
    for (int i = 0; i < 11; ++i)
        r.AddRecentFile(u"f" + std::u16string(1, char16_t(u'a' + i)));
    EXPECT_EQ(r.Count(), 10);
    EXPECT_EQ(r.Entry(0), u"fk");
    EXPECT_EQ(r.Entry(9), u"fb");
    EXPECT_EQ(Menu(r).size(), 9u);
    EXPECT_EQ(r.Caption(1), u"1 fj"); // no dot: the whole name

    r.RemoveRecentFile(u"fj");
    EXPECT_EQ(r.Count(), 9);
    EXPECT_EQ(r.Caption(1), u"1 fi");
    EXPECT_EQ(Menu(r).size(), 8u);
    r.RemoveRecentFile(u"missing");
    EXPECT_EQ(r.Count(), 9);
}

TEST(RecentFiles, RestoredEntriesKeepAnEmptyFirstOne)
{
    RecentFiles r;
    r.RestoreEntry(0, u"");
    r.RestoreEntry(1, u"C:\\x\\y.ign");
    EXPECT_EQ(r.Count(), 2);
    EXPECT_EQ(Menu(r), std::vector<std::u16string> { u"1 y" });
}
