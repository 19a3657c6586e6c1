// The external monitor window: its widgets through monitor-set files, the
// load command's messages and the edit mode's size.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QTemporaryDir>

#include "monitor/ExtMon.h"
#include "monitor/monitorset.h"
#include "monitor/myindicator.h"
#include "monitor/valuedefs.h"
#include "platform/filewrite.h"
#include "support/scripted_dialogs.h"

namespace {

class ExtMonWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ValueDefs = InitialValueDefs();
        form = MakeForm();
    }
    static std::unique_ptr<TFormEM> MakeForm()
    {
        auto em = std::make_unique<TFormEM>(nullptr);
        em->DoCreate();
        return em;
    }
    template <class W> W* Add(TFormEM& em, int left, int id = 0)
    {
        auto* w = new W;
        w->Left = left;
        w->Top = 10;
        w->Width = 40;
        w->Height = 20;
        w->id = id;
        w->s = GetDef(id);
        em.MonitorImage->Place.Insert(w);
        return w;
    }
    std::string Path(const char* name) const { return dir.filePath(name).toStdString(); }
    std::vector<CMyComponent*>& Items(TFormEM& em) const { return em.MonitorImage->Place.items; }

    QTemporaryDir dir;
    std::unique_ptr<TFormEM> form;
};

TEST_F(ExtMonWindow, EveryKindOfWidgetComesBackInItsOrder)
{
    QImage pixels(2, 2, QImage::Format_RGB32);
    pixels.setPixel(0, 0, 0xFF0000u);
    pixels.setPixel(1, 0, 0x00FF00u);
    pixels.setPixel(0, 1, 0x0000FFu);
    pixels.setPixel(1, 1, 0xFFFFFFu);
    auto* gauge = Add<CMyIndicator>(*form, 1, 6030);
    gauge->Style = CMyIndicator::Dial;
    gauge->ColorMk = 0xFF00000F;
    Add<CMyText>(*form, 2)->text = "Ot\xe1\xe8ky";
    Add<CMyImage>(*form, 3)->picture = std::make_unique<TBitmap>(pixels);
    Add<CMyLabel>(*form, 4, 6030)->units = 0;
    Add<CMyValue>(*form, 5, 6030)->ColorMk = 0x123456;
    Add<CMyText>(*form, 6); // no text: stored as an empty one
    Add<CMyImage>(*form, 7); // no picture: left out
    ASSERT_EQ(WriteMonitorSet(form.get(), Path("a.zmo")), 0);

    auto back = MakeForm();
    Add<CMyValue>(*back, 99); // replaced by the set
    ASSERT_EQ(ReadMonitorSet(back.get(), Path("a.zmo")), 0);
    const auto& items = Items(*back);
    ASSERT_EQ(items.size(), 6u);
    const int kinds[] = { 8, 1, 0, 2, 4, 1 };
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i]->kind, kinds[i]) << i;
        EXPECT_EQ(items[i]->Left, int(i) + 1) << i;
    }
    auto* g = dynamic_cast<CMyIndicator*>(items[0]);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->Style, CMyIndicator::Dial);
    EXPECT_EQ(g->ColorMk, 0xFF00000Fu);
    EXPECT_EQ(g->s, GetDef(6030));
    EXPECT_EQ(dynamic_cast<CMyText*>(items[1])->text, "Ot\xe1\xe8ky");
    const QImage got = dynamic_cast<CMyImage*>(items[2])->picture->Image().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(got.size(), QSize(2, 2));
    EXPECT_EQ(got.pixel(1, 0) & 0xFFFFFFu, 0x00FF00u);
    EXPECT_EQ(got.pixel(0, 1) & 0xFFFFFFu, 0x0000FFu);
    EXPECT_EQ(dynamic_cast<CMyLabel*>(items[3])->units, 0);
    EXPECT_EQ(dynamic_cast<CMyValue*>(items[4])->ColorMk, 0x123456u);
    EXPECT_EQ(dynamic_cast<CMyText*>(items[5])->text, "");
}

// A record whose own kind field disagrees with the class chosen, and a gauge
// style out of range.
TEST_F(ExtMonWindow, RecordsBecomeWidgetsOfTheirOwnClass)
{
    MonitorSet set;
    set.header = { 0, 0, 453, 328, 453, 312 };
    MonitorSetItem item;
    item.Set(setitem::Kind, 8);
    item.Set(setitem::Aux, 7);
    item.Set(setitem::KindAgain, 0);
    item.Set(100, 6030);
    set.items = { item };
    const auto bytes = EncodeMonitorSet(set);
    ASSERT_TRUE(WriteFileAtomic(Path("b.zmo"), { reinterpret_cast<const char*>(bytes.data()), bytes.size() }).ok);
    ASSERT_EQ(ReadMonitorSet(form.get(), Path("b.zmo")), 0);
    auto* g = dynamic_cast<CMyIndicator*>(Items(*form).at(0));
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->kind, 8);
    EXPECT_EQ(g->Style, 0);
}

TEST_F(ExtMonWindow, LoadReportsEachFaultAndKeepsTheSetOnABadFile)
{
    Add<CMyValue>(*form, 5, 6030);
    QFile bad(QString::fromStdString(Path("bad.zmo")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a set at all, just text");
    bad.close();

    ScriptedDialogs dialogs;
    ScopedDialogProvider scope(dialogs);
    dialogs.fileAnswers
        = { QString(), QString::fromStdString(Path("bad.zmo")), QString::fromStdString(Path("missing.zmo")) };
    LoadMonitorSet(form.get());
    EXPECT_EQ(form->MonitorImage->LoadResult, -1);
    EXPECT_TRUE(dialogs.boxes.empty());
    LoadMonitorSet(form.get());
    EXPECT_EQ(form->MonitorImage->LoadResult, 2);
    LoadMonitorSet(form.get());
    EXPECT_EQ(form->MonitorImage->LoadResult, 1);
    ASSERT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_EQ(dialogs.boxes[0].text, "Invalid format or version of file...");
    EXPECT_EQ(dialogs.boxes[1].text, "Open file error...");
    EXPECT_EQ(dialogs.boxes[0].caption, "Error");
    EXPECT_EQ(Items(*form).size(), 1u);
    ASSERT_EQ(dialogs.fileDialogs.size(), 3u);
    EXPECT_EQ(dialogs.fileDialogs[0].request.defaultExt, "zmo");
}

// The file holds at most 256 texts: a 257th text widget is left out, and the
// item count still matches the records.
TEST_F(ExtMonWindow, TextsPastTheLimitAreLeftOutAndTheFileStillReads)
{
    for (int i = 0; i <= MAX_SET_TEXTS; ++i)
        Add<CMyText>(*form, i)->text = std::to_string(i);
    ASSERT_EQ(WriteMonitorSet(form.get(), Path("texts.zmo")), 0);
    auto back = MakeForm();
    ASSERT_EQ(ReadMonitorSet(back.get(), Path("texts.zmo")), 0);
    ASSERT_EQ(Items(*back).size(), size_t(MAX_SET_TEXTS));
    EXPECT_EQ(dynamic_cast<CMyText*>(Items(*back).back())->text, "255");
}

// A header without a base size takes it from the client area the stored
// window size gives.
TEST_F(ExtMonWindow, MissingBaseSizeComesFromTheWindow)
{
    MonitorSet set;
    set.header = { 0, 0, 420, 230, 0, 0 };
    const auto bytes = EncodeMonitorSet(set);
    ASSERT_TRUE(WriteFileAtomic(Path("nobase.zmo"), { reinterpret_cast<const char*>(bytes.data()), bytes.size() }).ok);
    ASSERT_EQ(ReadMonitorSet(form.get(), Path("nobase.zmo")), 0);
    EXPECT_EQ(form->MonitorImage->Place.origWidth, 420);
    EXPECT_EQ(form->MonitorImage->Place.origHeight, 230 - 16);
}

TEST_F(ExtMonWindow, EditModeShowsTheBaseSizeAboveTheBar)
{
    form->MonitorImage->Place.origWidth = 300;
    form->MonitorImage->Place.origHeight = 150;
    SetEditMode(form.get(), true);
    EXPECT_EQ(form->ClientWidth(), 300);
    EXPECT_EQ(form->ClientHeight(), 166);
    EXPECT_EQ(form->MonitorImage->MonitorMode, MODE_EDIT);
    EXPECT_EQ(form->MonitorImage->Place.editMode, 1);
    SetEditMode(form.get(), false);
    EXPECT_EQ(form->ClientWidth(), 300);
    EXPECT_EQ(form->MonitorImage->MonitorMode, MODE_READ_ONLY);
}

} // namespace

namespace {

TEST_F(ExtMonWindow, PresetsReplaceTheSetAndOwnTheirLogo)
{
    QImage logo(160, 80, QImage::Format_RGB32);
    logo.fill(Qt::blue);
    form->MonitorImage->LogoPicture = &logo;
    for (const auto& [number, count] : { std::pair { 1, 13 }, { 1, 13 }, { 2, 36 }, { 3, 55 } }) {
        SCOPED_TRACE(number);
        ASSERT_EQ(BuildPresetMonitorSet(form.get(), number), 1);
        EXPECT_EQ(Items(*form).size(), size_t(count));
        auto* picture = dynamic_cast<CMyImage*>(Items(*form).at(0));
        ASSERT_NE(picture, nullptr);
        picture->picture->Canvas()->SetPixel(0, 0, clRed); // the logo stays
    }
    EXPECT_EQ(logo.pixel(0, 0), QColor(Qt::blue).rgb());
    EXPECT_EQ(Items(*form).at(18)->id, 1010);
    EXPECT_EQ(dynamic_cast<CMyIndicator*>(Items(*form).at(37))->ColorMk, 0xFF0000u);

    EXPECT_EQ(BuildPresetMonitorSet(form.get(), 4), 0);
    EXPECT_EQ(Items(*form).size(), 55u);

    form->MonitorImage->LogoPicture = nullptr; // no logo: a picture widget without a picture
    ASSERT_EQ(BuildPresetMonitorSet(form.get(), 1), 1);
    EXPECT_EQ(dynamic_cast<CMyImage*>(Items(*form).at(0))->picture, nullptr);
    ASSERT_EQ(WriteMonitorSet(form.get(), Path("c.zmo")), 0);
    ASSERT_EQ(ReadMonitorSet(form.get(), Path("c.zmo")), 0);
    EXPECT_EQ(Items(*form).size(), 12u);

    ASSERT_EQ(BuildPresetMonitorSet(form.get(), 1000), 1);
    EXPECT_TRUE(Items(*form).empty());
}

} // namespace

namespace {

void Send(QWidget* w, QEvent::Type type, int x, int y)
{
    const QPointF at(x, y);
    QMouseEvent event(type, at, w->mapToGlobal(at), Qt::LeftButton,
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &event);
}

// Qt replaces the second press of a double click by a double-click event:
// the click after it still selects.
TEST_F(ExtMonWindow, TheClickAfterADoubleClickIsNotLost)
{
    auto* a = Add<CMyValue>(*form, 10, 6030);
    auto* b = Add<CMyValue>(*form, 100, 6030);
    form->MonitorImage->Place.origWidth = 300;
    form->MonitorImage->Place.origHeight = 150;
    SetEditMode(form.get(), true);
    TMonImg* img = form->MonitorImage;
    Send(img, QEvent::MouseMove, 20, 15);
    Send(img, QEvent::MouseButtonPress, 20, 15);
    Send(img, QEvent::MouseButtonRelease, 20, 15);
    EXPECT_EQ(img->Place.focused, a);
    // The double click opens the value's properties, answered here.
    int dialogs = 0;
    ScopedModalAnswer answer([&](TForm*) { ++dialogs; });
    Send(img, QEvent::MouseButtonDblClick, 20, 15);
    Send(img, QEvent::MouseButtonRelease, 20, 15);
    EXPECT_EQ(dialogs, 1);
    Send(img, QEvent::MouseMove, 110, 15);
    Send(img, QEvent::MouseButtonPress, 110, 15);
    Send(img, QEvent::MouseButtonRelease, 110, 15);
    EXPECT_EQ(img->Place.focused, b);
}

} // namespace
