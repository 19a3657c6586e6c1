// The "Add watch" picker window driven as a user drives it: presses at row,
// expand-box and check-box positions, keys, the wheel, resizing and the
// window's answer.
#include "app/bitmaps.h"
#include "monitor/CIDList.h"
#include "monitor/valuedefs.h"
#include "platform/stdctrls.h"
#include "texts/langtext.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>

#include <array>
#include <memory>

namespace {

constexpr int LABEL = 1;
constexpr int VALUE = 2;
constexpr int GAUGE = 3;

using States = std::array<int, CID_COLUMNS>;

constexpr States OFF { 0, 0, 0, 0 };
constexpr States WIDGETS_ON { 0, 1, 1, 1 };

// Two groups of three definitions, both open: rows 0..3 are "Basic" and its
// RPM, TPS, LAMBDA1, rows 4..7 "Extended" and its TW, TA, AP. The window
// has its first size, so seven rows fit and the list scrolls by one.
class Picker : public ::testing::Test {
protected:
    void SetUp() override
    {
        ValueDefs = InitialValueDefs();
        LangIndex = 0;
        form = std::make_unique<TFormCIDList>(nullptr);
        list = form->List;
        list->root.children.clear();
        for (const auto& [group, leaves] : { std::pair { 1000, std::array { 1010, 1020, 1030 } },
                 std::pair { 1100, std::array { 1110, 1120, 1130 } } }) {
            CID* g = list->root.Add(std::make_unique<CID>(group, 1));
            for (int id : leaves)
                g->Add(std::make_unique<CID>(id, 1));
        }
        list->root.ResolveNames();
        form->Layout();
        form->Show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        list->SetFocus();
    }

    CID* Node(int id) { return list->root.FindId(id); }
    static States Of(const CID* n) { return { n->check[0], n->check[1], n->check[2], n->check[3] }; }
    int Middle(int row) const { return TCIDList::FIRST_ROW_Y + (row - list->topRow) * TCIDList::ROW_HEIGHT + 9; }
    // Centre of a check box of a row at `depth` (0 for a group here).
    static int BoxX(int depth, int column) { return 10 * depth + 160 + 50 * column; }

    void Press(int x, int y, Qt::MouseButton button = Qt::LeftButton)
    {
        const QPointF at(x, y);
        QMouseEvent press(QEvent::MouseButtonPress, at, list->mapToGlobal(at), button, button, Qt::NoModifier);
        QCoreApplication::sendEvent(list, &press);
        QMouseEvent release(
            QEvent::MouseButtonRelease, at, list->mapToGlobal(at), button, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list, &release);
    }
    void Turn(int delta, Qt::MouseButtons held)
    {
        const QPointF at(50, 50);
        QWheelEvent wheel(
            at, list->mapToGlobal(at), QPoint(), QPoint(0, delta), held, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(list, &wheel);
    }
    // The 10 x 10 pixels a check box shows inside its frame.
    QImage BoxPicture(int depth, int row, int column) const
    {
        return list->Back()
            .Image()
            .copy(BoxX(depth, column) - 5, Middle(row) - 5, 10, 10)
            .convertToFormat(QImage::Format_RGB32);
    }
    static QImage Picture(const char* name) { return GetResourceBitmap(name)->convertToFormat(QImage::Format_RGB32); }

    std::unique_ptr<TFormCIDList> form;
    TCIDList* list = nullptr;
};

TEST_F(Picker, PressesSelectOpenAndTick)
{
    const struct {
        const char* what;
        int x, row;
        int current; // id of the selected row after the press
        int shownRows;
        int id; // the node whose states are looked at
        States states;
    } presses[] = {
        { "a leaf's name selects it", 80, 1, 1010, 8, 1010, OFF },
        { "beside a box nothing toggles", BoxX(1, VALUE) + 8, 1, 1010, 8, 1010, OFF },
        { "an untouched leaf's Value box turns its widgets on", BoxX(1, VALUE), 2, 1020, 8, 1020, WIDGETS_ON },
        { "its Value box again turns Value alone off", BoxX(1, VALUE), 2, 1020, 8, 1020, { 0, 1, 0, 1 } },
        { "the Indicator box at its edge", BoxX(1, GAUGE) - 7, 2, 1020, 8, 1020, { 0, 1, 0, 0 } },
        { "the expand box closes the group", 15, 0, 1000, 5, 1000, OFF },
        { "and opens it again", 15, 0, 1000, 8, 1000, OFF },
    };
    for (const auto& p : presses) {
        SCOPED_TRACE(p.what);
        Press(p.x, Middle(p.row));
        EXPECT_EQ(list->current, Node(p.current));
        EXPECT_EQ(list->root.CountVisible(0), p.shownRows);
        EXPECT_EQ(Of(Node(p.id)), p.states);
    }
    // Only the left button acts.
    Press(80, Middle(5), Qt::RightButton);
    EXPECT_EQ(list->current, Node(1000));
}

// The group's summing boxes follow its children; its Label box is its own.
TEST_F(Picker, AGroupsBoxesShowOnThenPartly)
{
    Press(BoxX(0, VALUE), Middle(0));
    EXPECT_EQ(Of(Node(1000)), WIDGETS_ON);
    for (int id : { 1010, 1020, 1030 })
        EXPECT_EQ(Of(Node(id)), WIDGETS_ON) << id;
    EXPECT_EQ(Of(Node(1100)), OFF);
    EXPECT_EQ(Of(Node(1110)), OFF);

    // TPS untouched: its first click turns all its widgets off.
    Press(BoxX(1, VALUE), Middle(2));
    EXPECT_EQ(Of(Node(1020)), OFF);
    EXPECT_EQ(Of(Node(1000)), (States { 0, 1, 2, 2 }));

    form->OnTimer();
    EXPECT_EQ(list->redraw, 0);
    EXPECT_EQ(BoxPicture(0, 0, LABEL), Picture("BTCHK"));
    EXPECT_EQ(BoxPicture(0, 0, VALUE), Picture("BTCHKSOME"));
    EXPECT_EQ(BoxPicture(0, 0, GAUGE), Picture("BTCHKSOME"));
    EXPECT_EQ(BoxPicture(1, 1, VALUE), Picture("BTCHK"));
    EXPECT_NE(BoxPicture(1, 2, VALUE), Picture("BTCHK"));
    EXPECT_NE(BoxPicture(1, 2, VALUE), Picture("BTCHKSOME"));

    Press(BoxX(1, LABEL), Middle(1));
    Press(BoxX(1, LABEL), Middle(3));
    for (int id : { 1010, 1020, 1030 })
        EXPECT_EQ(Of(Node(id)), OFF) << id;
    EXPECT_EQ(Of(Node(1000)), (States { 0, 1, 0, 0 }));
}

TEST_F(Picker, ClickInTheHeaderNeverReachesTheRowsUnderIt)
{
    form->ScrollBar->SetPosition(1);
    form->OnTimer();
    ASSERT_EQ(list->topRow, 1);
    // Row 0 lies under the header now, its Value box at y 14.
    Press(BoxX(0, VALUE), Middle(0));
    EXPECT_EQ(list->current, nullptr);
    EXPECT_EQ(Of(Node(1000)), OFF);
    Press(BoxX(1, VALUE), Middle(1));
    EXPECT_EQ(Of(Node(1010)), WIDGETS_ON);
}

TEST_F(Picker, KeysMoveTheSelectionAndKeepItInView)
{
    const struct {
        const char* what;
        int key;
        int current;
        int topRow;
    } keys[] = {
        { "the first key selects the first row", Qt::Key_Down, 1010, 0 },
        { "End: the open last group's last row", Qt::Key_End, 1130, 1 },
        { "Up", Qt::Key_Up, 1120, 1 },
        { "Home", Qt::Key_Home, 1000, 0 },
        { "Right moves down, it does not open", Qt::Key_Right, 1010, 0 },
        { "Left at the second row", Qt::Key_Left, 1000, 0 },
        { "Left at the first row stays", Qt::Key_Left, 1000, 0 },
        { "PageDown a page of seven", Qt::Key_PageDown, 1130, 1 },
        { "PageDown at the last row stays", Qt::Key_PageDown, 1130, 1 },
        { "PageUp", Qt::Key_PageUp, 1000, 0 },
    };
    for (const auto& k : keys) {
        SCOPED_TRACE(k.what);
        QTest::keyClick(list, Qt::Key(k.key));
        ASSERT_NE(list->current, nullptr);
        EXPECT_EQ(list->current->id, k.current);
        EXPECT_EQ(list->topRow, k.topRow);
        EXPECT_EQ(form->ScrollBar->Position(), k.topRow);
    }

    // Space closes the current group; the scroll bar has nothing to scroll.
    QTest::keyClick(list, Qt::Key_Space);
    EXPECT_EQ(Node(1000)->expanded, 0);
    EXPECT_EQ(form->ScrollBar->Max(), 0);
    QTest::keyClick(list, Qt::Key_End);
    EXPECT_EQ(list->current, Node(1130));
    EXPECT_EQ(list->current->row, 4);

    // The arrows never reach the buttons, whichever has the focus.
    form->ButtonOK->setFocus();
    QTest::keyClick(form->ButtonOK, Qt::Key_Up);
    EXPECT_TRUE(form->ButtonOK->hasFocus());
    EXPECT_EQ(list->current, Node(1130));
}

TEST_F(Picker, InsertAndDeleteSetAGroupWithEverythingBelow)
{
    Node(1120)->ToggleCheck(VALUE); // touched before: still follows Insert
    Node(1120)->ToggleCheck(VALUE);
    list->current = Node(1100);
    QTest::keyClick(list, Qt::Key_Insert);
    for (int id : { 1100, 1110, 1120, 1130 })
        EXPECT_EQ(Of(Node(id)), (States { 1, 1, 1, 1 })) << id;
    EXPECT_EQ(Of(Node(1000)), OFF);
    EXPECT_EQ(Of(Node(1010)), OFF);
    QTest::keyClick(list, Qt::Key_Delete);
    for (int id : { 1100, 1110, 1120, 1130 })
        EXPECT_EQ(Of(Node(id)), OFF) << id;
}

TEST_F(Picker, TheWheelScrollsUnlessAButtonIsHeld)
{
    Turn(-120, Qt::LeftButton);
    Turn(-120, Qt::RightButton);
    form->OnTimer();
    EXPECT_EQ(list->topRow, 0);
    Turn(-120, Qt::NoButton);
    form->OnTimer();
    EXPECT_EQ(list->topRow, 1);
    Turn(-120, Qt::NoButton); // the last page is shown already
    form->OnTimer();
    EXPECT_EQ(list->topRow, 1);
    Turn(120, Qt::MiddleButton);
    form->OnTimer();
    EXPECT_EQ(list->topRow, 0);
}

TEST_F(Picker, TheListNeverExceedsItsBackBitmap)
{
    EXPECT_EQ(list->Back().Width(), TCIDList::BACK_WIDTH);
    EXPECT_EQ(list->Back().Height(), TCIDList::BACK_HEIGHT);
    form->SetBounds(0, 0, 3000, 3000);
    EXPECT_EQ(form->ClientWidth(), TFormCIDList::MAX_CLIENT_WIDTH);
    EXPECT_EQ(form->ClientHeight(), TFormCIDList::MAX_CLIENT_HEIGHT);
    EXPECT_EQ(list->Width(), 600);
    EXPECT_EQ(list->Height(), 462);
    // A window whose limit was raised still keeps the list within 600 x 800.
    form->maxClientWidth = 2000;
    form->maxClientHeight = 2000;
    form->setMaximumSize(2000, 2000);
    form->SetBounds(0, 0, 1500, 1500);
    EXPECT_EQ(list->Width(), TCIDList::BACK_WIDTH);
    EXPECT_EQ(list->Height(), TCIDList::BACK_HEIGHT);
    EXPECT_EQ(form->ScrollBar->Left(), 10 + TCIDList::BACK_WIDTH);
    form->OnTimer();
    EXPECT_EQ(list->Back().Width(), TCIDList::BACK_WIDTH);
    EXPECT_EQ(list->Back().Height(), TCIDList::BACK_HEIGHT);
}

TEST_F(Picker, SizesStayWithinTheLimits)
{
    form->SetBounds(0, 0, 640, 300);
    const struct {
        const char* what;
        int width, height;
        bool accepted;
        int toWidth, toHeight;
    } requests[] = {
        { "within", 500, 400, true, 500, 400 },
        { "wider than the maximum, taller", 700, 400, true, 640, 400 },
        { "at the maximum width, only wider", 700, 300, false, 700, 300 },
        { "narrower than the minimum", 150, 100, true, 200, 160 },
        { "far too large both ways", 5000, 5000, true, 640, 520 },
    };
    for (const auto& r : requests) {
        SCOPED_TRACE(r.what);
        int width = r.width;
        int height = r.height;
        EXPECT_EQ(form->OnCanResize(width, height), r.accepted);
        EXPECT_EQ(width, r.toWidth);
        EXPECT_EQ(height, r.toHeight);
    }
    form->SetBounds(0, 0, 100, 100);
    EXPECT_EQ(form->ClientWidth(), 200);
    EXPECT_EQ(form->ClientHeight(), 160);
    EXPECT_EQ(form->ButtonOK->Top(), 130);
    EXPECT_EQ(form->ButtonCancel->Left(), 10);
    EXPECT_EQ(form->ButtonOK->Left(), 100);
}

TEST_F(Picker, OkAnswersSixCancelAndEscTwo)
{
    const struct {
        const char* what;
        void (*answer)(TFormCIDList*);
        int result;
    } answers[] = {
        { "OK", [](TFormCIDList* f) { QTest::mouseClick(f->ButtonOK, Qt::LeftButton); }, mrYes },
        { "Enter on the list", [](TFormCIDList* f) { QTest::keyClick(f->List, Qt::Key_Return); }, mrYes },
        { "Cancel", [](TFormCIDList* f) { QTest::mouseClick(f->ButtonCancel, Qt::LeftButton); }, mrCancel },
        { "Esc on the list", [](TFormCIDList* f) { QTest::keyClick(f->List, Qt::Key_Escape); }, mrCancel },
        { "Esc on OK", [](TFormCIDList* f) { QTest::keyClick(f->ButtonOK, Qt::Key_Escape); }, mrCancel },
    };
    for (const auto& a : answers) {
        SCOPED_TRACE(a.what);
        ScopedModalAnswer answer([&](TForm* shown) { a.answer(static_cast<TFormCIDList*>(shown)); });
        EXPECT_EQ(form->ShowModal(), a.result);
    }
}

// The window made at start holds every definition under its group.
TEST(PickerWindow, HoldsTheDefinitionsTree)
{
    ValueDefs = InitialValueDefs();
    TFormCIDList form(nullptr);
    EXPECT_EQ(form.ClientWidth(), 426);
    EXPECT_EQ(form.ClientHeight(), 216);
    EXPECT_EQ(form.List->root.CountVisible(0), VALUE_DEF_COUNT - 1);
    EXPECT_EQ(form.List->root.FindId(1010)->name, GetDef(1010)->name);
    EXPECT_EQ(form.List->Left(), 10);
    EXPECT_EQ(form.List->Top(), 10);
}

} // namespace
