// "Add watch": the picker's ticks start from the widgets in the monitor, and
// after OK the changed ticks become rows of widgets or delete them.
#include "popupfixture.h"

#include "platform/controls.h"

#include <utility>

namespace {

class AddWatchTest : public MonitorPopupTest {
protected:
    // The picker as a user answers it: clicks on (definition, column) in
    // order, then OK (or another result).
    void Pick(std::vector<std::pair<int, int>> clicks, int result = mrYes)
    {
        ScopedModalAnswer answer([&](TForm* shown) {
            ASSERT_EQ(shown, FormCIDList);
            for (auto [id, column] : clicks) {
                CID* node = FormCIDList->List->root.FindId(id);
                ASSERT_NE(node, nullptr) << id;
                node->ToggleCheck(column);
            }
            shown->SetModalResult(result);
        });
        Key(Qt::Key_Insert);
    }
    void InsertAt(int x, int y)
    {
        img->InsertX = x;
        img->InsertY = y;
    }
    CID* Node(int id) { return FormCIDList->List->root.FindId(id); }
};

// A group ticked in its label column becomes a heading; its definitions
// follow one row each, indented a level deeper, label, value and indicator
// side by side. The picker cancelled first changes nothing.
TEST_F(AddWatchTest, AGroupBecomesAHeadingOverIndentedRows)
{
    InsertAt(20, 10);
    Pick({ { 9010, 1 } }, mrCancel);
    EXPECT_TRUE(place().items.empty());
    EXPECT_EQ(place().focused, nullptr);

    Pick({ { 9010, 1 } });
    const auto heading = Widgets(9010, widgetkind::Label);
    ASSERT_EQ(heading.size(), 1u);
    EXPECT_EQ(heading[0]->Left, 20 + 10); // the group lies one level down
    EXPECT_EQ(heading[0]->Top, 10);
    EXPECT_EQ(heading[0]->Height, 35);
    EXPECT_TRUE(Widgets(9010, widgetkind::Value).empty());
    EXPECT_TRUE(Widgets(9010, widgetkind::Gauge).empty());
    int top = 10;
    for (int id : { 9011, 9012, 9013, 9014 }) {
        top += 35;
        const auto labels = Widgets(id, widgetkind::Label);
        const auto values = Widgets(id, widgetkind::Value);
        const auto gauges = Widgets(id, widgetkind::Gauge);
        ASSERT_EQ(labels.size(), 1u) << id;
        ASSERT_EQ(values.size(), 1u) << id;
        ASSERT_EQ(gauges.size(), 1u) << id;
        const CMyComponent& l = *labels[0];
        const CMyComponent& v = *values[0];
        const CMyComponent& g = *gauges[0];
        EXPECT_EQ(l.Left, 20 + 20) << id;
        EXPECT_EQ(l.Top, top) << id;
        EXPECT_EQ(l.AlignV, -1) << id;
        EXPECT_GT(l.Width, 0) << id;
        EXPECT_EQ(v.Left, l.Left + l.Width + 10) << id;
        EXPECT_EQ(v.Top, top) << id;
        EXPECT_EQ(g.Left, v.Left + v.Width + 10) << id;
        EXPECT_EQ(g.Top, top + 4) << id;
        EXPECT_EQ(g.Width, 80) << id;
        EXPECT_EQ(g.Height, 32) << id;
    }
    for (const CMyComponent* w : place().items)
        EXPECT_EQ(w->selected, 1);
    EXPECT_EQ(place().selCount, 13);
    ASSERT_NE(place().focused, nullptr);
    EXPECT_EQ(place().focused->id, 9014);
    EXPECT_EQ(place().focused->kind, widgetkind::Gauge);
}

// Rows stop once the next would start within 20 pixels of the bottom edge.
TEST_F(AddWatchTest, RowsStopNearTheBottomEdge)
{
    InsertAt(0, 0);
    Pick({ { 1000, 1 } });
    const int expected[][2] = { { 1000, 0 }, { 1010, 35 }, { 1020, 70 }, { 1030, 105 }, { 1031, 140 }, { 1032, 175 } };
    for (const auto& [id, top] : expected) {
        const auto labels = Widgets(id, widgetkind::Label);
        ASSERT_EQ(labels.size(), 1u) << id;
        EXPECT_EQ(labels[0]->Top, top) << id;
    }
    for (const CMyComponent* w : place().items)
        EXPECT_NE(w->id, 1033);
}

// A block that would reach past the right and bottom edges moves left and up
// into the place; widgets that were there stay.
TEST_F(AddWatchTest, TheBlockIsMovedInsideThePlace)
{
    CMyComponent* old = Add(300, 150, 40, 20, 1020);
    InsertAt(380, 190);
    Pick({ { 1010, 1 } });
    const auto labels = Widgets(1010, widgetkind::Label);
    const auto gauges = Widgets(1010, widgetkind::Gauge);
    ASSERT_EQ(labels.size(), 1u);
    ASSERT_EQ(gauges.size(), 1u);
    EXPECT_EQ(gauges[0]->Left + gauges[0]->Width, PLACE_WIDTH);
    EXPECT_EQ(labels[0]->Top, PLACE_HEIGHT - 35);
    EXPECT_EQ(gauges[0]->Top, PLACE_HEIGHT - 35 + 4);
    EXPECT_GE(labels[0]->Left, 0);
    EXPECT_EQ(old->Left, 300);
    EXPECT_EQ(old->Top, 150);
    EXPECT_EQ(old->selected, 0);
}

// The indicator of a state definition becomes the frame behind its label and
// value, 10 pixels wider on each side, and they stay painted over it.
TEST_F(AddWatchTest, AStateIndicatorFramesItsLabelAndValue)
{
    GetDef(3030)->displayKind = defkind::YesNo;
    CMyComponent* label = Add<CMyLabel>(50, 60, 80, 35, 3030);
    CMyComponent* value = Add<CMyValue>(140, 62, 30, 30, 3030);
    InsertAt(0, 0);
    Pick({ { 3030, 3 } });
    const auto gauges = Widgets(3030, widgetkind::Gauge);
    ASSERT_EQ(gauges.size(), 1u);
    const CMyComponent& g = *gauges[0];
    EXPECT_EQ(g.Left, 40);
    EXPECT_EQ(g.Width, 140);
    EXPECT_EQ(g.Top, 60);
    EXPECT_EQ(g.Height, 35);
    EXPECT_LT(IndexOf(&g), IndexOf(label));
    EXPECT_LT(IndexOf(&g), IndexOf(value));
    EXPECT_EQ(Widgets(3030, widgetkind::Label).size(), 1u);
    EXPECT_EQ(Widgets(3030, widgetkind::Value).size(), 1u);
}

// Unticking Value deletes every value widget of the definition, copies the
// user placed elsewhere too; its label and other definitions' widgets stay.
TEST_F(AddWatchTest, UntickingValueDeletesEveryValueOfTheDefinition)
{
    CMyComponent* label = Add<CMyLabel>(10, 10, 60, 35, 1010);
    Add<CMyValue>(80, 10, 40, 35, 1010);
    Add<CMyValue>(200, 120, 40, 35, 1010);
    CMyComponent* otherValue = Add<CMyValue>(10, 60, 40, 35, 1020);
    CMyComponent* otherGauge = Add<CMyIndicator>(60, 60, 80, 32, 1020);
    // The first click on an untouched node sets all its columns (off), the
    // second brings the label back on.
    Pick({ { 1010, 2 }, { 1010, 1 } });
    EXPECT_TRUE(Widgets(1010, widgetkind::Value).empty());
    ASSERT_EQ(Widgets(1010, widgetkind::Label).size(), 1u);
    EXPECT_EQ(Widgets(1010, widgetkind::Label)[0], label);
    EXPECT_EQ(place().count(), 3);
    EXPECT_LT(IndexOf(otherValue), place().count());
    EXPECT_LT(IndexOf(otherGauge), place().count());
}

// A group closed in the picker still takes its ticks from the monitor and
// still applies them: a label already shown is not added twice.
TEST_F(AddWatchTest, ACollapsedGroupKeepsItsTicks)
{
    Add<CMyLabel>(10, 10, 60, 35, 9011);
    Node(9010)->expanded = 0;
    InsertAt(0, 50);
    Pick({ { 9010, 2 } });
    EXPECT_EQ(Widgets(9011, widgetkind::Label).size(), 1u);
    for (int id : { 9011, 9012, 9013, 9014 }) {
        EXPECT_EQ(Widgets(id, widgetkind::Value).size(), 1u) << id;
        EXPECT_EQ(Widgets(id, widgetkind::Gauge).size(), 1u) << id;
    }
    EXPECT_EQ(Node(9011)->prior[1], 1);
}

TEST_F(AddWatchTest, InReadOnlyModeTheRowsComeAllTheSame)
{
    img->EditButton->state = 0;
    form->OnTimer(form.get());
    ASSERT_EQ(img->MonitorMode, MODE_READ_ONLY);
    InsertAt(5, 5);
    Pick({ { 1020, 1 } });
    EXPECT_EQ(Widgets(1020, widgetkind::Label).size(), 1u);
    EXPECT_EQ(Widgets(1020, widgetkind::Value).size(), 1u);
    EXPECT_EQ(Widgets(1020, widgetkind::Gauge).size(), 1u);
}

} // namespace
