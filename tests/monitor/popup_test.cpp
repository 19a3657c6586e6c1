// The monitor's popup menu and its commands: the items for each state, new
// texts and pictures, sending widgets back and the property dialogs.
#include "popupfixture.h"

#include "app/main.h"
#include "platform/controls.h"
#include "platform/menus.h"
#include "platform/stdctrls.h"
#include "support/scripted_dialogs.h"

#include <QDataStream>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>

#include <functional>
#include <string>

namespace {

template <class C> C* Control(TForm* form, const char* name)
{
    auto* c = dynamic_cast<C*>(form->FindComponent(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

void SendKey(TForm* form, int key)
{
    QWidget* target = form->focusWidget() ? form->focusWidget() : form;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
}

class PopupTest : public MonitorPopupTest {
protected:
    void TearDown() override
    {
        ProgramTestFlag = 0;
        MonitorPopupTest::TearDown();
    }
    // The menu a right click at (x, y) opens, one caption an item.
    std::vector<std::string> RightClickMenu(int x, int y)
    {
        Click(x, y, Qt::RightButton);
        form->PopupMenu1->Menu()->hide();
        std::vector<std::string> captions;
        TMenuItem* root = form->PopupMenu1->Items();
        for (int i = 0; i < root->Count(); ++i)
            captions.push_back(root->Items(i)->Caption());
        return captions;
    }
    TMenuItem* MenuItem(const std::string& caption)
    {
        TMenuItem* root = form->PopupMenu1->Items();
        for (int i = 0; i < root->Count(); ++i)
            if (root->Items(i)->Caption() == caption)
                return root->Items(i);
        return nullptr;
    }
};

TEST_F(PopupTest, TheMenuFollowsTheModeAndTheFocusedWidget)
{
    using Items = std::vector<std::string>;
    const Items edit = { "Always on the top", "End edit mode", "-", "Load monitor set", "Store monitor set", "-",
        "Insert text", "Add image", "Add watch" };
    Items focusedValue = edit;
    focusedValue.insert(focusedValue.end(), { "-", "Delete", "Backwards", "Properties" });
    Items focusedPicture = edit;
    focusedPicture.insert(focusedPicture.end(), { "-", "Delete", "Backwards" });

    Add<CMyValue>(10, 10, 50, 30);
    Add<CMyImage>(100, 10, 50, 30, 0);
    EXPECT_EQ(RightClickMenu(300, 150), edit);
    EXPECT_EQ(img->InsertX, 300);
    EXPECT_EQ(img->InsertY, 150);
    EXPECT_EQ(RightClickMenu(20, 20), focusedValue);
    EXPECT_EQ(RightClickMenu(120, 20), focusedPicture);

    // The edit item leaves edit mode at the window's next tick.
    MenuItem("End edit mode")->Click();
    form->OnTimer(form.get());
    EXPECT_EQ(img->MonitorMode, MODE_READ_ONLY);
    EXPECT_EQ(RightClickMenu(20, 20), (Items { "Always on the top", "Enter edit mode" }));
    ProgramTestFlag = 1;
    EXPECT_EQ(RightClickMenu(20, 20), (Items { "***Store source***", "Always on the top", "Enter edit mode" }));
    MenuItem("Always on the top")->Click();
    EXPECT_EQ(img->PinButton->state, 1);
    EXPECT_EQ(img->PinButton->Down, 1);
    EXPECT_EQ(RightClickMenu(20, 20), (Items { "***Store source***", "Normal window", "Enter edit mode" }));
    ProgramTestFlag = 0;

    LangIndex = 2;
    EXPECT_EQ(RightClickMenu(20, 20), (Items { "Normální okno", "Mód úprav" }));
}

// The text dialog: OK or Enter place the text, Cancel or Esc place nothing.
// Near the right and bottom edges the text moves in to end at them.
TEST_F(PopupTest, InsertedTextsStayInsideThePlace)
{
    const struct {
        const char* how;
        std::function<void(TForm*)> answer;
        bool added;
    } cases[] = {
        { "OK", [](TForm* f) { Control<TButton>(f, "btOK")->Click(); }, true },
        { "Enter", [](TForm* f) { SendKey(f, Qt::Key_Return); }, true },
        { "Cancel", [](TForm* f) { Control<TButton>(f, "btCancel")->Click(); }, false },
        { "Esc", [](TForm* f) { SendKey(f, Qt::Key_Escape); }, false },
    };
    for (const auto& c : cases) {
        place().FreeAll();
        img->InsertX = 390;
        img->InsertY = 190;
        ScopedModalAnswer answer([&](TForm* f) {
            EXPECT_EQ(f->Caption(), "Insert text");
            EXPECT_EQ(f->ClientWidth(), 300);
            EXPECT_EQ(f->ClientHeight(), 120);
            TEdit* edit = Control<TEdit>(f, "EditText");
            ASSERT_NE(edit, nullptr);
            EXPECT_EQ(edit->Text(), "");
            edit->setFocus();
            edit->setText(QStringLiteral("Čau Welt"));
            c.answer(f);
        });
        InsertTextWidget(img);
        if (!c.added) {
            EXPECT_TRUE(place().items.empty()) << c.how;
            continue;
        }
        ASSERT_EQ(place().count(), 1) << c.how;
        auto* text = dynamic_cast<CMyText*>(place().items[0]);
        ASSERT_NE(text, nullptr) << c.how;
        EXPECT_EQ(text->text,
            "\xC8"
            "au Welt")
            << c.how;
        EXPECT_EQ(text->Height, 35) << c.how;
        EXPECT_GT(text->Width, 20) << c.how;
        EXPECT_EQ(text->Left + text->Width, PLACE_WIDTH) << c.how;
        EXPECT_EQ(text->Top, PLACE_HEIGHT - 35) << c.how;
    }
}

TEST_F(PopupTest, SendBackwardsPutsTheSelectedBehindInReverseOrder)
{
    CMyComponent* x = Add(0, 0, 10, 10);
    CMyComponent* a = Add(20, 0, 10, 10);
    CMyComponent* y = Add(40, 0, 10, 10);
    CMyComponent* b = Add(60, 0, 10, 10);
    a->selected = 1;
    b->selected = 1;
    place().CountSelected();
    SendBackwards(img);
    EXPECT_EQ(place().items, (std::vector<CMyComponent*> { b, a, x, y }));
    EXPECT_EQ(a->selected, 0);
    EXPECT_EQ(b->selected, 0);
    EXPECT_EQ(place().selCount, 0);
}

// Pictures by the extension of their name, in any case; anything else, a
// file that does not decode and one too large to allocate add nothing.
TEST_F(PopupTest, PicturesLoadByTheirExtension)
{
    QTemporaryDir dir;
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    auto path = [&](const char* name) { return dir.filePath(QString::fromLatin1(name)); };
    ASSERT_TRUE(picture.save(path("a.JPEG"), "JPEG"));
    ASSERT_TRUE(picture.save(path("b.jpg"), "JPEG"));
    ASSERT_TRUE(picture.save(path("c.Bmp"), "BMP"));
    ASSERT_TRUE(picture.save(path("d.png"), "BMP"));
    ASSERT_TRUE(picture.save(path("nodot"), "BMP"));
    ASSERT_TRUE(picture.save(path("e.bmp.jpg"), "BMP")); // not a JPEG inside
    {
        QFile junk(path("f.bmp"));
        ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
        junk.write("BM this is not a picture at all");
    }
    {
        // A bitmap header asking for 40000 x 40000 pixels.
        QFile huge(path("g.BMP"));
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
        QDataStream out(&huge);
        out.setByteOrder(QDataStream::LittleEndian);
        out.writeRawData("BM", 2);
        out << quint32(70) << quint32(0) << quint32(54);
        out << quint32(40) << qint32(40000) << qint32(40000) << quint16(1) << quint16(24) << quint32(0) << quint32(0)
            << qint32(2835) << qint32(2835) << quint32(0) << quint32(0);
        out << quint32(0) << quint32(0) << quint32(0) << quint32(0);
    }
    const struct {
        const char* name;
        bool added;
    } cases[] = {
        { "a.JPEG", true },
        { "b.jpg", true },
        { "c.Bmp", true },
        { "d.png", false },
        { "nodot", false },
        { "e.bmp.jpg", false },
        { "f.bmp", false },
        { "g.BMP", false },
        { "missing.bmp", false },
    };
    ScriptedDialogs dialogs;
    ScopedDialogProvider scope(dialogs);
    for (const auto& c : cases) {
        place().FreeAll();
        img->InsertX = 10;
        img->InsertY = 15;
        dialogs.fileAnswers = { path(c.name) };
        AddImageWidget(img);
        if (!c.added) {
            EXPECT_TRUE(place().items.empty()) << c.name;
            continue;
        }
        ASSERT_EQ(place().count(), 1) << c.name;
        auto* w = dynamic_cast<CMyImage*>(place().items[0]);
        ASSERT_NE(w, nullptr) << c.name;
        ASSERT_NE(w->picture, nullptr) << c.name;
        EXPECT_EQ(w->kind, widgetkind::Picture);
        EXPECT_EQ(w->Left, 10) << c.name;
        EXPECT_EQ(w->Top, 15) << c.name;
        EXPECT_EQ(w->Width, 30) << c.name;
        EXPECT_EQ(w->Height, 20) << c.name;
        EXPECT_EQ(place().focused, w) << c.name;
        EXPECT_EQ(w->selected, 1) << c.name;
    }
    EXPECT_EQ(dialogs.fileDialogs.at(0).request.filter, "Image files|*.JPG;*JPEG;*.BMP");
}

// A picture moves left and up to end inside the place, never past its left
// or top edge, and is cut at the right and bottom edges.
TEST_F(PopupTest, APictureIsHeldInsideThePlace)
{
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    ScopedDialogProvider scope(dialogs);
    const struct {
        int width, height, x, y;
        int left, top, shownWidth, shownHeight;
    } cases[] = {
        { 30, 20, 390, 195, 370, 180, 30, 20 },
        { 500, 50, 100, 10, 0, 10, 400, 50 },
    };
    for (const auto& c : cases) {
        place().FreeAll();
        QImage picture(c.width, c.height, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        const QString file = dir.filePath(QStringLiteral("p.bmp"));
        ASSERT_TRUE(picture.save(file, "BMP"));
        dialogs.fileAnswers = { file };
        img->InsertX = c.x;
        img->InsertY = c.y;
        AddImageWidget(img);
        ASSERT_EQ(place().count(), 1);
        const CMyComponent* w = place().items[0];
        EXPECT_EQ(w->Left, c.left);
        EXPECT_EQ(w->Top, c.top);
        EXPECT_EQ(w->Width, c.shownWidth);
        EXPECT_EQ(w->Height, c.shownHeight);
    }
}

// The indicator window on a double click: every control set afresh for each
// gauge; OK sets the style and the colour, Cancel changes nothing.
TEST_F(PopupTest, TheIndicatorDialogSetsStyleAndColour)
{
    auto* numeric = Add<CMyIndicator>(10, 10, 80, 32, 1010);
    auto* state = Add<CMyIndicator>(200, 10, 80, 32, 3010);
    const struct {
        const char* what;
        CMyIndicator* gauge;
        int style;
        TColor colour;
        bool typeShown;
        int shownStyle;
        int shownColour;
        std::function<void(TTFormIndiProp*)> answer;
        int newStyle;
        TColor newColour;
    } cases[] = {
        { "pick and OK", numeric, 1, 0x0000FF, true, 1, 6,
            [](TTFormIndiProp* f) {
                f->TypeOfIndi->SetItemIndex(2);
                f->ColorBox1->SetItemIndex(13);
                f->btOK->Click();
            },
            2, 0xFF0000 },
        { "pick and Cancel", numeric, 1, 0x0000FF, true, 1, 6,
            [](TTFormIndiProp* f) {
                f->TypeOfIndi->SetItemIndex(0);
                f->ColorBox1->SetItemIndex(0);
                f->btCancel->Click();
            },
            1, 0x0000FF },
        { "state: no type", state, 7, 0x00FFFF, false, -1, 3,
            [](TTFormIndiProp* f) {
                f->ColorBox1->SetItemIndex(10);
                f->btOK->Click();
            },
            7, 0x008000 },
        { "unknown style and colour", numeric, 5, 0x123456, true, 0, -1, [](TTFormIndiProp* f) { f->btOK->Click(); }, 0,
            0x123456 },
    };
    for (const auto& c : cases) {
        c.gauge->Style = c.style;
        c.gauge->ColorMk = c.colour;
        ScopedModalAnswer answer([&](TForm* shown) {
            ASSERT_EQ(shown, TFormIndiProp) << c.what;
            TTFormIndiProp* f = TFormIndiProp;
            EXPECT_EQ(f->Caption(), "Set indicator") << c.what;
            EXPECT_EQ(f->TypeOfIndi->Visible(), c.typeShown) << c.what;
            if (c.typeShown) {
                EXPECT_EQ(f->TypeOfIndi->ItemCount(), 3) << c.what;
                EXPECT_EQ(f->TypeOfIndi->ItemIndex(), c.shownStyle) << c.what;
            }
            EXPECT_EQ(f->ColorBox1->ItemCount(), 15) << c.what;
            EXPECT_EQ(f->ColorBox1->ItemText(6), "Red") << c.what;
            EXPECT_EQ(f->ColorBox1->ItemIndex(), c.shownColour) << c.what;
            EXPECT_EQ(f->LabelColor->Caption(), "Color of indicator") << c.what;
            std::string path;
            GetDefPath(path, c.gauge->id, true);
            EXPECT_EQ(f->LabelType->Caption(), "Indicator of parameter: " + path) << c.what;
            c.answer(f);
        });
        const int x = c.gauge->Left + 40;
        Click(x, 20);
        ASSERT_EQ(place().focused, c.gauge) << c.what;
        Mouse(QEvent::MouseButtonDblClick, x, 20);
        Mouse(QEvent::MouseButtonRelease, x, 20);
        EXPECT_EQ(c.gauge->Style, c.newStyle) << c.what;
        EXPECT_EQ(c.gauge->ColorMk, c.newColour) << c.what;
    }
}

// The label's dialog offers "Use units" only for a definition with units;
// the value's dialog and the text's edit change what they show.
TEST_F(PopupTest, LabelAndTextDialogs)
{
    auto* withUnits = Add<CMyLabel>(10, 10, 60, 35, 1020);
    auto* without = Add<CMyLabel>(10, 60, 60, 35, 1010);
    auto* text = Add<CMyText>(10, 110, 60, 35, 0);
    text->SetStr("old");
    place().Focus(withUnits);
    {
        ScopedModalAnswer answer([](TForm* f) {
            EXPECT_EQ(f->Caption(), "Properties");
            auto* units = Control<TCheckBox>(f, "CheckBoxUnits");
            ASSERT_NE(units, nullptr);
            EXPECT_TRUE(units->Checked());
            units->SetChecked(false);
            Control<TButton>(f, "btOK")->Click();
        });
        ShowWidgetProperties(img);
    }
    EXPECT_EQ(withUnits->units, 0);
    place().Focus(without);
    {
        ScopedModalAnswer answer([](TForm* f) {
            EXPECT_EQ(f->FindComponent("CheckBoxUnits"), nullptr);
            EXPECT_EQ(Control<TLabel>(f, "LabelParameter")->Caption(), "Label of parameter: /Basic/RPM");
            Control<TButton>(f, "btOK")->Click();
        });
        ShowWidgetProperties(img);
    }
    EXPECT_EQ(without->units, 1);
    place().Focus(text);
    {
        ScopedModalAnswer answer([](TForm* f) {
            EXPECT_EQ(f->Caption(), "Edit text");
            TEdit* edit = Control<TEdit>(f, "EditText");
            ASSERT_NE(edit, nullptr);
            EXPECT_EQ(edit->Text(), "old");
            edit->SetText("a much longer text");
            Control<TButton>(f, "btOK")->Click();
        });
        ShowWidgetProperties(img);
    }
    EXPECT_EQ(text->text, "a much longer text");
    EXPECT_GT(text->Width, 60);
    EXPECT_EQ(text->ow, text->Width);
    EXPECT_EQ(text->oh, text->Height);
}

} // namespace
