#include "image/undo.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class FakeHost : public UndoHost {
public:
    int page = 0;
    bool progAfterChange = false;
    int programRequests = 0;
    int saves = 0;
    int loads = 0;
    bool undoEnabled = true;
    bool redoEnabled = true;
    std::vector<int> shownPages;

    int ActivePage() const override { return page; }
    void ShowPage(int p) override
    {
        page = p;
        shownPages.push_back(p);
    }
    void LoadActivePage() override { ++loads; }
    void SaveSettings() override { ++saves; }
    void LogImage() override { }
    void CompareUnitWithPc() override { }
    bool ProgramAfterChange() const override { return progAfterChange; }
    void RequestProgramChanged() override { ++programRequests; }
    void UpdateUndoControls(bool u, bool r) override
    {
        undoEnabled = u;
        redoEnabled = r;
    }
    void FocusProgramAfterChange() override { }
};

struct UndoFixture : ::testing::Test {
    FakeHost host;
    RsImage pc;
    std::array<uint8_t, RS_LEN_EXE> marks {};
    UndoRing ring { host, pc, marks };

    void SetUp() override { ring.ResetUndo(); }
    // A committed edit of one byte on the given page.
    void Edit(int offset, uint8_t value, int page = 0)
    {
        host.page = page;
        pc.b[size_t(offset)] = value;
        ring.SnapshotAfterEdit();
    }
};

} // namespace

TEST_F(UndoFixture, StartsWithNothingToUndoOrRedo)
{
    EXPECT_FALSE(host.undoEnabled);
    EXPECT_FALSE(host.redoEnabled);
    EXPECT_EQ(host.saves, 1);
    ring.Undo();
    ring.Redo();
    EXPECT_EQ(pc, RsImage {});
}

TEST_F(UndoFixture, UnchangedCommitTakesNoSnapshotAndKeepsRedo)
{
    host.progAfterChange = true;
    Edit(10, 1);
    Edit(10, 2);
    ring.Undo();
    int requests = host.programRequests;
    int saves = host.saves;
    ring.SnapshotAfterEdit(); // the same value committed again
    EXPECT_FALSE(ring.UndoChanged());
    EXPECT_TRUE(host.redoEnabled);
    EXPECT_EQ(host.programRequests, requests);
    EXPECT_EQ(host.saves, saves);
}

TEST_F(UndoFixture, RingKeeps199StepsAndDropsTheOldest)
{
    for (int i = 1; i <= 250; ++i)
        Edit(i % 7, uint8_t(i));
    int undone = 0;
    while (ring.CanUndo()) {
        ring.Undo();
        ++undone;
    }
    EXPECT_EQ(undone, 199);
    // The image of the 51st edit is the oldest one left.
    EXPECT_EQ(pc.b[51 % 7], 51);
    RsImage before = pc;
    ring.Undo(); // the 200th undo is refused
    EXPECT_EQ(pc, before);
}

TEST_F(UndoFixture, EditAfterUndoDropsTheRedoSteps)
{
    Edit(1, 1);
    Edit(2, 2);
    Edit(3, 3);
    ring.Undo();
    ring.Undo();
    EXPECT_TRUE(host.redoEnabled);
    Edit(4, 4);
    EXPECT_FALSE(host.redoEnabled);
    ring.Redo();
    EXPECT_EQ(pc.b[2], 0);
    EXPECT_EQ(pc.b[4], 4);
}

TEST_F(UndoFixture, UndoShowsThePageOfTheUndoneChangeAndRedoThePageReached)
{
    Edit(100, 1, 0);
    Edit(200, 1, 5);
    host.page = 2;
    ring.Undo(); // the change on page 5 is undone while page 2 is shown
    EXPECT_EQ(host.shownPages, std::vector<int> { 5 });
    EXPECT_EQ(pc.b[200], 0);
    host.page = 0;
    ring.Redo();
    EXPECT_EQ(host.shownPages, (std::vector<int> { 5, 5 }));
    EXPECT_EQ(pc.b[200], 1);
    host.page = 0;
    ring.Undo(); // the slot reached belongs to the page shown: no switch
    EXPECT_EQ(host.shownPages.size(), 2u);
}

TEST_F(UndoFixture, UndoMarksChangedBytesAndProgramsThemWhenAsked)
{
    Edit(7, 9);
    std::fill(marks.begin(), marks.end(), uint8_t(0)); // as after a programming
    host.progAfterChange = true;
    ring.Undo();
    EXPECT_EQ(pc.b[7], 0);
    EXPECT_EQ(marks[7], 1);
    EXPECT_EQ(std::count(marks.begin(), marks.end(), 1), 1);
    EXPECT_EQ(host.programRequests, 1);
    ring.ResetUndo();
    EXPECT_EQ(std::count(marks.begin(), marks.end(), 1), 0);
}
