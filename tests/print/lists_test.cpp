#include "print/lists.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Blocks from malloc, which the list releases with free.
void* Block(int tag)
{
    auto* p = static_cast<int*>(std::malloc(sizeof(int)));
    *p = tag;
    return p;
}

std::vector<void*> Held(const CLIST& list)
{
    return std::vector<void*>(list.Items(), list.Items() + list.Count());
}

void* P(int n)
{
    return reinterpret_cast<void*>(uintptr_t(0x1000 + 16 * n));
}

} // namespace

TEST(CLIST, GrowsByItsStepAndKeepsTheAliasCurrent)
{
    CLIST list(2, 3);
    void** alias = nullptr;
    list.SetAlias(&alias);
    list.InsertAt(P(1), -1);
    list.InsertAt(P(2), -1);
    EXPECT_EQ(list.Capacity(), 2);
    EXPECT_EQ(alias, nullptr); // no reallocation yet
    list.InsertAt(P(3), -1);
    EXPECT_EQ(list.Capacity(), 5);
    EXPECT_EQ(alias, list.Items());
    EXPECT_EQ(Held(list), (std::vector<void*> { P(1), P(2), P(3) }));
    list.Clear();
}

TEST(CLIST, InsertRemoveAndIndexRules)
{
    struct Case {
        const char* what;
        std::vector<int> start; // appended in order
        void (*op)(CLIST&);
        std::vector<int> expected;
    } cases[] = {
        { "index -1 appends", { 1, 2 }, [](CLIST& l) { l.InsertAt(P(9), -1); }, { 1, 2, 9 } },
        { "index above count appends", { 1, 2 }, [](CLIST& l) { l.InsertAt(P(9), 7); }, { 1, 2, 9 } },
        { "index equal to count appends", { 1, 2 }, [](CLIST& l) { l.InsertAt(P(9), 2); }, { 1, 2, 9 } },
        { "index 0 goes first", { 1, 2 }, [](CLIST& l) { l.InsertAt(P(9), 0); }, { 9, 1, 2 } },
        { "insert in the middle", { 1, 2, 3 }, [](CLIST& l) { l.InsertAt(P(9), 1); }, { 1, 9, 2, 3 } },
        { "remove takes the first of two", { 1, 2, 1 }, [](CLIST& l) { l.Remove(P(1)); }, { 2, 1 } },
        { "remove of an unheld item", { 1, 2 }, [](CLIST& l) { l.Remove(P(5)); }, { 1, 2 } },
        { "remove the last", { 1, 2, 3 }, [](CLIST& l) { l.Remove(P(3)); }, { 1, 2 } },
        { "removeAt closes the gap", { 1, 2, 3 }, [](CLIST& l) { EXPECT_EQ(l.RemoveAt(1), P(2)); }, { 1, 3 } },
        { "removeAt below 0", { 1, 2 }, [](CLIST& l) { EXPECT_EQ(l.RemoveAt(-1), nullptr); }, { 1, 2 } },
        { "removeAt at count", { 1, 2 }, [](CLIST& l) { EXPECT_EQ(l.RemoveAt(2), nullptr); }, { 1, 2 } },
        { "removeAt on an empty list", {}, [](CLIST& l) { EXPECT_EQ(l.RemoveAt(0), nullptr); }, {} },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CLIST list(2, 2);
        for (int n : c.start)
            list.InsertAt(P(n), -1);
        c.op(list);
        std::vector<void*> expected;
        for (int n : c.expected)
            expected.push_back(P(n));
        EXPECT_EQ(Held(list), expected);
        list.Clear(); // the fake pointers must not reach free()
    }
}

// Run under AddressSanitizer: a double or missing free shows there.
TEST(CLIST, ReleasesWhatItDeletes)
{
    CLIST list(1, 1);
    void* a = Block(1);
    void* b = Block(2);
    void* c = Block(3);
    list.InsertAt(a, -1);
    list.InsertAt(b, -1);
    list.InsertAt(c, -1);
    list.Delete(b);
    EXPECT_EQ(Held(list), (std::vector<void*> { a, c }));
    list.Delete(Block(4)); // not held, released all the same
    list.Delete(nullptr);
    list.DeleteAt(5); // out of range: nothing
    list.DeleteAt(0);
    EXPECT_EQ(Held(list), (std::vector<void*> { c }));

    // Clear forgets without releasing, so DeleteAll after it releases nothing.
    list.Clear();
    list.DeleteAll();
    EXPECT_EQ(list.Count(), 0);
    std::free(c);

    list.InsertAt(Block(5), -1);
    list.InsertAt(nullptr, -1);
    list.DeleteAll();
    EXPECT_EQ(list.Count(), 0);
    list.InsertAt(Block(6), -1); // released by the destructor
}

TEST(CLIST, AFailedGrowthKeepsTheListWhole)
{
    CLIST list(1, INT_MAX);
    void** alias = nullptr;
    list.SetAlias(&alias);
    list.InsertAt(P(1), -1);
    void** before = list.Items();
    try {
        list.InsertAt(P(2), -1);
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Chyba LIST");
    }
    EXPECT_EQ(list.Items(), before);
    EXPECT_EQ(list.Capacity(), 1);
    EXPECT_EQ(alias, nullptr);
    EXPECT_EQ(Held(list), (std::vector<void*> { P(1) }));
    EXPECT_EQ(list.RemoveAt(0), P(1));
}

namespace {

struct Counted : COBJ {
    explicit Counted(std::vector<int>& log, int id)
        : log(log)
        , id(id)
    {
    }
    ~Counted() override { log.push_back(id); }
    std::vector<int>& log;
    int id;
    std::string payload = std::string(100, 'x'); // leaks unless destroyed properly
};

} // namespace

TEST(CLISTOBJ, DestroysItsObjectsThroughTheirDestructors)
{
    std::vector<int> destroyed;
    {
        CLISTOBJ list(2, 2);
        for (int i = 1; i <= 7; i++) {
            list.InsertAt(static_cast<COBJ*>(new Counted(destroyed, i)), -1);
            EXPECT_EQ(static_cast<void*>(list.Objects()), static_cast<void*>(list.Items()));
        }
        EXPECT_EQ(static_cast<Counted*>(list.Object(6))->id, 7);

        COBJ* third = list.Object(2);
        list.Delete(third);
        list.DeleteAt(0);
        list.DeleteAt(99);
        EXPECT_EQ(destroyed, (std::vector<int> { 3, 1 }));
        list.Delete(static_cast<COBJ*>(new Counted(destroyed, 100))); // not held: destroyed all the same
        list.Delete(nullptr);
        EXPECT_EQ(destroyed.back(), 100);

        destroyed.clear();
        list.DeleteAll();
        EXPECT_EQ(destroyed, (std::vector<int> { 2, 4, 5, 6, 7 }));
        EXPECT_EQ(list.Count(), 0);

        destroyed.clear();
        list.InsertAt(static_cast<COBJ*>(new Counted(destroyed, 8)), -1);
        list.InsertAt(static_cast<COBJ*>(new Counted(destroyed, 9)), 0);
    }
    // The objects left in the list at its end are destroyed in slot order.
    EXPECT_EQ(destroyed, (std::vector<int> { 9, 8 }));
}
