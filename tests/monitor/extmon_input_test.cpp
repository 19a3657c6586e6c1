// The monitor window's keys, wheel, position readout, sizing of its own
// widgets and the listing that rebuilds a set as program lines.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QWheelEvent>

#include "monitor/ExtMon.h"
#include "monitor/myindicator.h"
#include "monitor/valuedefs.h"
#include "support/scripted_dialogs.h"

namespace {

// A value widget that keeps the wheel turns it receives.
class WheelValue : public CMyValue {
public:
    void MouseWheel(int delta) override { turns.push_back(delta); }
    std::vector<int> turns;
};

class MonitorInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        ValueDefs = InitialValueDefs();
        form = std::make_unique<TFormEM>(nullptr);
        form->DoCreate();
        img = form->MonitorImage;
        img->Place.origWidth = 400;
        img->Place.origHeight = 200;
    }
    template <class W = CMyValue> W* Add(int left, int top, int width, int height)
    {
        auto* w = new W;
        w->Left = left;
        w->Top = top;
        w->Width = width;
        w->Height = height;
        w->focusable = 1;
        w->id = 1010;
        w->s = GetDef(1010);
        img->Place.Insert(w);
        return w;
    }
    void Mouse(QEvent::Type type, int x, int y)
    {
        const QPointF at(x, y);
        QMouseEvent event(type, at, img->mapToGlobal(at), Qt::LeftButton,
            type == QEvent::MouseButtonRelease || type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
            Qt::NoModifier);
        QCoreApplication::sendEvent(img, &event);
    }
    void Click(int x, int y)
    {
        Mouse(QEvent::MouseMove, x, y);
        Mouse(QEvent::MouseButtonPress, x, y);
        Mouse(QEvent::MouseButtonRelease, x, y);
    }
    void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QKeyEvent press(QEvent::KeyPress, key, mods);
        QCoreApplication::sendEvent(form.get(), &press);
        QKeyEvent release(QEvent::KeyRelease, key, mods);
        QCoreApplication::sendEvent(form.get(), &release);
    }
    void Wheel(int notches)
    {
        QWheelEvent event(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
            Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(form.get(), &event);
    }
    // Dark pixels in the readout's corner of the bar.
    int ReadoutInk()
    {
        const QImage& shown = img->Picture()->Image();
        const int w = img->Width(), h = img->Height();
        int ink = 0;
        for (int y = h - 14; y < h; ++y)
            for (int x = w - 120; x < w - 15; ++x)
                ink += qGray(shown.pixel(x, y)) < 96;
        return ink;
    }

    std::unique_ptr<TFormEM> form;
    TMonImg* img = nullptr;
};

TEST(PositionReadout, ThreePlacesEachRightAligned)
{
    const struct {
        int left, top, width, height;
        const char* text;
    } cases[] = {
        { 12, 40, 80, 32, " 12, 40  80x 32" },
        { 0, 0, 1, 1, "  0,  0   1x  1" },
        { 1234, -5, 7, 1000, "1234, -5   7x1000" },
    };
    for (const auto& c : cases) {
        CMyValue w;
        w.Left = c.left;
        w.Top = c.top;
        w.Width = c.width;
        w.Height = c.height;
        EXPECT_EQ(PositionReadout(w), c.text);
    }
}

// In edit mode the focused widget's place shows in the bar; without a focused
// widget the corner is blank.
TEST_F(MonitorInput, EditModeShowsTheFocusedWidgetsPlace)
{
    Add(12, 40, 80, 32);
    SetEditMode(form.get(), true);
    img->PaintAll();
    EXPECT_EQ(ReadoutInk(), 0);
    Click(30, 50);
    ASSERT_NE(img->Place.focused, nullptr);
    EXPECT_GT(ReadoutInk(), 20);
    Click(300, 150);
    EXPECT_EQ(img->Place.focused, nullptr);
    EXPECT_EQ(ReadoutInk(), 0);
}

TEST_F(MonitorInput, KeysMoveDeleteAndTabThroughTheWidgets)
{
    CMyValue* a = Add(10, 10, 40, 20);
    CMyValue* b = Add(100, 10, 40, 20);
    SetEditMode(form.get(), true);
    Click(20, 15);
    ASSERT_EQ(img->Place.focused, a);
    Key(Qt::Key_Right);
    Key(Qt::Key_Down);
    EXPECT_EQ(a->Left, 11);
    EXPECT_EQ(a->Top, 11);
    Key(Qt::Key_Tab);
    EXPECT_EQ(img->Place.focused, b);
    Key(Qt::Key_Delete);
    ASSERT_EQ(img->Place.items.size(), 1u);
    EXPECT_EQ(img->Place.items[0], a);

    // Read-only mode moves nothing, and a widget that is not selected stays.
    SetEditMode(form.get(), false);
    Key(Qt::Key_Right);
    Key(Qt::Key_Delete);
    EXPECT_EQ(a->Left, 11);
    EXPECT_EQ(img->Place.items.size(), 1u);
}

// One wheel event reaches the widgets per 100 ms timer period.
TEST_F(MonitorInput, ASecondWheelNotchWithinATickIsDropped)
{
    auto* w = Add<WheelValue>(10, 10, 200, 100);
    img->Place.Focus(w);
    Mouse(QEvent::MouseMove, 50, 50);
    Wheel(1);
    Wheel(-1);
    EXPECT_EQ(w->turns, std::vector<int>({ 120 }));
    form->OnTimer(form.get());
    Wheel(-2);
    EXPECT_EQ(w->turns, std::vector<int>({ 120, -240 }));
    // Over the bar the place gets none.
    form->OnTimer(form.get());
    Mouse(QEvent::MouseMove, 50, img->Height() - 4);
    Wheel(1);
    EXPECT_EQ(w->turns.size(), 2u);
}

// Edit mode keeps every widget inside the window, in the window's own terms.
TEST_F(MonitorInput, EditModeWindowNeverHidesAWidget)
{
    Add(300, 150, 60, 30);
    SetEditMode(form.get(), true);
    form->OnTimer(form.get());
    EXPECT_EQ(form->IdleWidth, form->OuterWidth());
    int w = 100, h = 100;
    ASSERT_TRUE(form->OnCanResize(w, h));
    EXPECT_EQ(w, 360);
    EXPECT_EQ(h, 180 + 16 + 16);
    SetEditMode(form.get(), false);
    w = 100;
    h = 100;
    ASSERT_TRUE(form->OnCanResize(w, h));
    EXPECT_EQ(w, 200);
    EXPECT_EQ(h, 116);
}

TEST_F(MonitorInput, ListingRebuildsTheSetLineByLine)
{
    form->SetOuterBounds(10, 20, 330, 240);
    auto* gauge = Add<CMyIndicator>(1, 2, 3, 4);
    gauge->Style = CMyIndicator::Dial;
    gauge->ColorMk = 0xFF0000;
    gauge->Color = TColor(0xFF00000Fu);
    Add<CMyText>(5, 6, 7, 8)->text = "say \"hi\" \\ \xe8\n";
    Add<CMyImage>(9, 9, 9, 9);
    const std::string listing = MonitorSetSource(form.get());

    const char* const wanted[] = {
        "\t//External Monitor Set******\r\n",
        "\tParent->Left = 10;\r\n\tParent->Top = 20;\r\n\tParent->Width = 330;\r\n\tParent->Height = 240;\r\n"
        "\tPlace.origWidth = 400;\r\n\tPlace.origHeight = 200;\r\n\t\r\n\t//Clear Place\r\n\tPlace.FreeAll();\r\n",
        "\t//Item 0 (8)\r\n\tindicator = new CMyIndicator;\r\n\tindicator->Style = 2;\r\n"
        "\tindicator->ColorMk = 16711680;\r\n",
        "\titem->Color = -16777201;\r\n",
        "\titem->kind = 8;\r\n\t//Insert...\r\n\titem->s = GetDef(item->id);\r\n\tPlace.Insert(item);\r\n\t\r\n",
        "\t//Item 1 (1)\r\n\ttext = new CMyText;\r\n\ttext->SetStr(\"say \\042hi\\042 \\134 \\350\\012\");\r\n",
    };
    for (const char* part : wanted)
        EXPECT_NE(listing.find(part), std::string::npos) << part;
    EXPECT_TRUE(listing.ends_with("\t//Item 2 (0)\r\n\t//Picture skipped :(\r\n"));
    size_t bare = 0;
    for (size_t i = 0; i < listing.size(); ++i)
        bare += listing[i] == '\n' && (i == 0 || listing[i - 1] != '\r');
    EXPECT_EQ(bare, 0u);

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    ScopedDialogProvider scope(dialogs);
    dialogs.fileAnswers = { QString(), dir.filePath("set.cpp") };
    ExportMonitorSetSource(form.get());
    EXPECT_FALSE(QFile::exists(dir.filePath("set.cpp")));
    ExportMonitorSetSource(form.get());
    QFile file(dir.filePath("set.cpp"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), listing);
}

} // namespace
