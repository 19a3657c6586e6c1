// The tree of the "Add watch" picker: how clicks on its check boxes spread
// and add up, how the cursor moves over its rows, and the tree of the
// definitions.
#include "monitor/cid.h"
#include "monitor/valuedefs.h"

#include <gtest/gtest.h>

#include <array>

namespace {

constexpr int LABEL = 1;
constexpr int VALUE = 2;
constexpr int GAUGE = 3;

using States = std::array<int, CID_COLUMNS>;

States Of(const CID& n)
{
    return { n.check[0], n.check[1], n.check[2], n.check[3] };
}

// A group of three leaves, as the picker opens it: nothing touched.
struct Group {
    Group()
    {
        for (int i = 1; i <= 3; ++i)
            leaves[i - 1] = group->Add(std::make_unique<CID>(100 + i, 1));
    }
    std::unique_ptr<CID> group = std::make_unique<CID>(100, 1);
    CID* leaves[3] {};
};

TEST(CIDChecks, FirstClickSetsAllWidgetColumnsLaterClicksOnlyTheirOwn)
{
    CID leaf(1);
    leaf.ToggleCheck(VALUE);
    EXPECT_EQ(Of(leaf), (States { 0, 1, 1, 1 }));
    leaf.ToggleCheck(VALUE);
    EXPECT_EQ(Of(leaf), (States { 0, 1, 0, 1 }));
    leaf.check[GAUGE] = 2; // partly goes off
    leaf.ToggleCheck(GAUGE);
    EXPECT_EQ(Of(leaf), (States { 0, 1, 0, 0 }));
    leaf.ClearMarks(); // the picker opens again
    leaf.ToggleCheck(LABEL);
    EXPECT_EQ(Of(leaf), (States { 0, 0, 0, 0 }));
}

TEST(CIDChecks, AGroupClickReachesUntouchedNodesAndShowsTheirSum)
{
    Group g;
    g.leaves[0]->ToggleCheck(GAUGE); // touched before the group: its gauge off
    g.leaves[0]->ToggleCheck(GAUGE);
    g.leaves[0]->check[VALUE] = 0;
    g.group->ToggleCheck(VALUE);
    EXPECT_EQ(Of(*g.group), (States { 0, 1, 1, 1 }));
    EXPECT_EQ(Of(*g.leaves[0]), (States { 0, 1, 1, 0 }));
    EXPECT_EQ(Of(*g.leaves[2]), (States { 0, 1, 1, 1 }));
    EXPECT_EQ(g.group->RecalcCheck(VALUE), 1);
    EXPECT_EQ(g.group->RecalcCheck(GAUGE), 2);

    g.leaves[1]->ToggleCheck(VALUE);
    EXPECT_EQ(g.group->RecalcCheck(VALUE), 2);
    EXPECT_EQ(g.group->check[VALUE], 2);
    // "Label" is the group's own: its children going off do not change it.
    for (CID* leaf : g.leaves)
        leaf->check[LABEL] = 0;
    EXPECT_EQ(g.group->RecalcCheck(LABEL), 1);
    // A partly child makes its group partly even when the rest agree.
    CID root;
    CID* inner = root.Add(std::move(g.group));
    root.Add(std::make_unique<CID>(7))->check[VALUE] = 2;
    inner->children.pop_back();
    inner->children.pop_back();
    EXPECT_EQ(root.RecalcCheck(VALUE), 2);
}

// Insert on a group: column 0 forced off, then toggled.
TEST(CIDChecks, ColumnZeroSetsTheWholeSubtreeTouchedOrNot)
{
    Group g;
    g.leaves[1]->ToggleCheck(GAUGE);
    g.leaves[1]->ToggleCheck(GAUGE);
    g.group->check[0] = 0;
    g.group->ToggleCheck(0);
    for (const CID* n : { g.group.get(), g.leaves[0], g.leaves[1], g.leaves[2] })
        EXPECT_EQ(Of(*n), (States { 1, 1, 1, 1 }));
    g.group->check[0] = 1; // Delete
    g.group->ToggleCheck(0);
    EXPECT_EQ(Of(*g.leaves[1]), (States { 0, 0, 0, 0 }));
}

// Two groups of three under the root; the second one may be closed.
TEST(CIDRows, StepsStayWithinTheShownRows)
{
    CID root;
    Group a, b;
    CID* ga = root.Add(std::move(a.group));
    CID* gb = root.Add(std::move(b.group));
    EXPECT_EQ(root.CountVisible(0), 8);

    const struct {
        const char* what;
        CID* from;
        int delta;
        CID* to;
    } steps[] = {
        { "Home without a row", nullptr, -1, ga },
        { "End: the open last group's last row", nullptr, 1, b.leaves[2] },
        { "down one", ga, 1, a.leaves[0] },
        { "page down into the second group", a.leaves[0], 5, b.leaves[1] },
        { "page down at the last row stays", b.leaves[2], 5, b.leaves[2] },
        { "page up past the top", a.leaves[1], -5, ga },
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.what);
        EXPECT_EQ(root.Step(0, s.from, s.delta), s.to);
    }
    gb->expanded = 0;
    EXPECT_EQ(root.CountVisible(0), 5);
    EXPECT_EQ(root.CountVisible(1), 8);
    EXPECT_EQ(root.Step(0, nullptr, 1), gb);
    EXPECT_EQ(root.Step(0, a.leaves[2], 3), gb);
    EXPECT_EQ(CID().Step(0, nullptr, 1), nullptr);
}

TEST(CIDRows, WalksStopTenLevelsDown)
{
    CID root;
    CID* node = &root;
    for (int level = 0; level < 15; ++level)
        node = node->Add(std::make_unique<CID>(level + 1, 1));
    EXPECT_EQ(root.CountVisible(0), CID_MAX_DEPTH);
    EXPECT_EQ(root.Step(0, nullptr, 1)->id, CID_MAX_DEPTH);
    EXPECT_EQ(root.FindId(15), node);
}

TEST(CIDTree, DefinitionsUnderTheirGroupsInTableOrder)
{
    ValueDefs = InitialValueDefs();
    CID root;
    BuildDefTree(root);
    EXPECT_EQ(root.CountVisible(1), VALUE_DEF_COUNT - 1);
    EXPECT_EQ(root.CountVisible(0), VALUE_DEF_COUNT - 1);
    ASSERT_FALSE(root.children.empty());
    EXPECT_EQ(root.children[0]->id, 1000);
    EXPECT_EQ(root.children[0]->children[0]->id, 1010);
    const CID* tps = root.FindId(1020);
    ASSERT_NE(tps, nullptr);
    EXPECT_EQ(tps->expanded, 1);
    // Every node hangs under the first node of its parent's id.
    for (size_t i = 1; i < ValueDefs.size(); ++i) {
        const ValueDef& d = ValueDefs[i];
        CID* parent = d.parent ? root.FindId(d.parent) : &root;
        ASSERT_NE(parent, nullptr) << d.id;
        bool found = false;
        for (const auto& child : parent->children)
            found = found || child->id == d.id;
        EXPECT_TRUE(found) << d.id;
    }
    root.ResolveNames();
    EXPECT_EQ(root.FindId(1010)->name, GetDef(1010)->name);
}

} // namespace
