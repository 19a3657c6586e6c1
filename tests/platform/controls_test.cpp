// The event rules the pages rely on, driven through the real widgets.
#include "platform/comctrls.h"
#include "platform/controls.h"
#include "platform/cp1250.h"
#include "platform/menus.h"
#include "platform/stdctrls.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

template <class T> T* Make(TForm* form, TControl* parent = nullptr)
{
    auto* c = new T(form);
    c->SetParent(parent ? parent : form);
    return c;
}

struct FormFixture : ::testing::Test {
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);

    void ShowActive(TForm* f)
    {
        f->SetBounds(0, 0, 400, 300);
        f->Show();
        f->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(f));
    }
};

using ControlEvents = FormFixture;

// Setting Checked or ItemIndex in code raises OnClick as a click would, but
// only when it selects something new.
TEST_F(ControlEvents, CodeSetCheckedAndItemIndexRaiseOnClick)
{
    auto* box = Make<TCheckBox>(form.get());
    auto* radio = Make<TRadioButton>(form.get());
    auto* sibling = Make<TRadioButton>(form.get());
    auto* group = Make<TRadioGroup>(form.get());
    for (const char* item : { "a", "b", "c" })
        group->AddItem(item);
    std::map<TObject*, int> clicks;
    for (TNotifyEvent* e : { &box->OnClick, &radio->OnClick, &sibling->OnClick, &group->OnClick })
        *e = [&](TObject* s) { ++clicks[s]; };

    struct Case {
        const char* what;
        std::function<void()> act;
        TObject* control;
        int clicks;
    };
    const Case cases[] = {
        { "check box checked", [&] { box->SetChecked(true); }, box, 1 },
        { "check box checked again", [&] { box->SetChecked(true); }, box, 0 },
        { "check box unchecked", [&] { box->SetChecked(false); }, box, 1 },
        { "radio checked", [&] { radio->SetChecked(true); }, radio, 1 },
        { "sibling checked", [&] { sibling->SetChecked(true); }, sibling, 1 },
        { "radio unchecked by its sibling", [] {}, radio, 0 },
        { "sibling unchecked", [&] { sibling->SetChecked(false); }, sibling, 0 },
        { "group item 1", [&] { group->SetItemIndex(1); }, group, 1 },
        { "group item 1 again", [&] { group->SetItemIndex(1); }, group, 0 },
        { "group item 2", [&] { group->SetItemIndex(2); }, group, 1 },
        { "group nothing", [&] { group->SetItemIndex(-1); }, group, 0 },
        { "group past the end", [&] { group->SetItemIndex(7); }, group, 1 },
    };
    for (const Case& c : cases) {
        clicks.clear();
        c.act();
        EXPECT_EQ(clicks[c.control], c.clicks) << c.what;
    }
    EXPECT_FALSE(radio->Checked());
    EXPECT_FALSE(sibling->Checked());
    EXPECT_EQ(group->ItemIndex(), 2);
}

TEST_F(ControlEvents, UserClicksRaiseOnClickOncePerChange)
{
    ShowActive(form.get());
    auto* box = Make<TCheckBox>(form.get());
    box->SetCaption("Box");
    auto* group = Make<TRadioGroup>(form.get());
    group->SetBounds(0, 40, 200, 100);
    group->AddItem("First");
    group->AddItem("Second");
    int boxClicks = 0, groupClicks = 0;
    box->OnClick = [&](TObject*) { ++boxClicks; };
    group->OnClick = [&](TObject*) { ++groupClicks; };
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    EXPECT_EQ(boxClicks, 1);
    EXPECT_TRUE(box->Checked());
    auto buttons = group->findChildren<QRadioButton*>();
    ASSERT_EQ(buttons.size(), 2);
    for (int i = 0; i < 2; ++i)
        QTest::mouseClick(buttons[1], Qt::LeftButton, {}, QPoint(6, buttons[1]->height() / 2));
    EXPECT_EQ(groupClicks, 1);
    EXPECT_EQ(group->ItemIndex(), 1);
}

// Clearing, filling and selecting a combo box in code raises nothing; the
// user's pick raises OnChange.
TEST_F(ControlEvents, ComboBoxRaisesOnChangeOnlyForTheUser)
{
    auto* combo = Make<TComboBox>(form.get());
    combo->SetStyle(csDropDownList);
    int changes = 0;
    combo->OnChange = [&](TObject*) { ++changes; };
    struct Case {
        const char* what;
        std::function<void()> act;
    };
    const Case codeCases[] = {
        { "fill",
            [&] {
                for (int i = 0; i < 3; ++i)
                    combo->AddItem("item", 10 + i);
            } },
        { "select", [&] { combo->SetItemIndex(2); } },
        { "rename", [&] { combo->SetItemText(2, "other"); } },
        { "set text", [&] { combo->SetText("item"); } },
        { "clear", [&] { combo->ClearItems(); } },
        { "refill",
            [&] {
                combo->AddItem("x", 5);
                combo->AddItem("y", 6);
            } },
    };
    for (const Case& c : codeCases) {
        c.act();
        EXPECT_EQ(changes, 0) << c.what;
    }
    combo->SetItemIndex(0);
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->ItemCode(combo->ItemIndex()), 6);
}

struct PageFixture : FormFixture {
    TPageControl* pages = nullptr;
    std::vector<TTabSheet*> sheets;
    int changes = 0;

    void SetUp() override
    {
        ShowActive(form.get());
        pages = Make<TPageControl>(form.get());
        pages->SetBounds(0, 0, 380, 260);
        for (const char* caption : { "Bike", "Synchro", "Advance", "Test" }) {
            auto* sheet = new TTabSheet(form.get());
            sheet->SetCaption(caption);
            sheet->SetParent(pages);
            sheets.push_back(sheet);
        }
        pages->OnChange = [this](TObject*) { ++changes; };
    }

    void ClickTab(int index)
    {
        QTabBar* bar = pages->TabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }
};

using PageControlEvents = PageFixture;

TEST_F(PageControlEvents, CodeChangesOfThePageRaiseNothing)
{
    struct Case {
        const char* what;
        std::function<void()> act;
        int activeAfter;
    };
    const Case cases[] = {
        { "active page", [&] { pages->SetActivePage(sheets[2]); }, 2 },
        { "active index", [&] { pages->SetActivePageIndex(1); }, 1 },
        { "hide the current tab", [&] { sheets[1]->SetTabVisible(false); }, 2 },
        { "show it again", [&] { sheets[1]->SetTabVisible(true); }, 2 },
        { "move a page", [&] { sheets[3]->SetPageIndex(0); }, 3 },
        { "hide another tab", [&] { sheets[0]->SetTabVisible(false); }, 3 },
    };
    for (const Case& c : cases) {
        c.act();
        EXPECT_EQ(changes, 0) << c.what;
        EXPECT_EQ(pages->ActivePageIndex(), c.activeAfter) << c.what;
        EXPECT_TRUE(pages->ActivePage()->isVisible()) << c.what;
    }
    EXPECT_EQ(sheets[3]->PageIndex(), 0);
    EXPECT_EQ(sheets[1]->TabIndex(), 1);
    EXPECT_EQ(sheets[0]->TabIndex(), -1);
}

TEST(PageControlLayout, SheetSizeIsKnownBeforeTheFormIsShown)
{
    TForm form(nullptr);
    auto* pages = Make<TPageControl>(&form);
    auto* sheet = new TTabSheet(&form);
    sheet->SetParent(pages);
    pages->SetBounds(0, 0, 289, 193);
    EXPECT_EQ(sheet->Width(), 281);
    EXPECT_GT(sheet->Height(), 120);
    EXPECT_LT(sheet->Height(), 185);
    EXPECT_EQ(pages->ActivePage(), sheet);
}

TEST_F(PageControlEvents, UserTabChangeRaisesOnChangeAfterTheFocusedEditLeft)
{
    auto* edit = Make<TEdit>(form.get(), sheets[0]);
    std::vector<std::string> log;
    edit->OnExit = [&](TObject*) { log.push_back(edit->Showing() ? "exit shown" : "exit hidden"); };
    pages->OnChange = [&](TObject*) { log.push_back("change " + std::to_string(pages->ActivePageIndex())); };
    edit->SetFocus();
    ASSERT_TRUE(edit->Focused());
    ClickTab(2);
    EXPECT_EQ(log, (std::vector<std::string> { "exit shown", "change 2" }));
    EXPECT_EQ(pages->ActivePage(), sheets[2]);
    EXPECT_FALSE(sheets[0]->isVisible());
    ClickTab(2);
    EXPECT_EQ(log.size(), 2u);
}

struct UpDownFixture : FormFixture {
    TEdit* edit = Make<TEdit>(form.get());
    TUpDown* ud = Make<TUpDown>(form.get());
    UpDownFixture()
    {
        ud->SetMin(0);
        ud->SetMax(25);
        ud->SetAssociate(edit);
        ud->SetPosition(10);
    }
};

using UpDownRules = UpDownFixture;

// The position is read from the associate's text whenever it is read.
TEST_F(UpDownRules, PositionComesFromTheAssociateText)
{
    struct Case {
        const char* text;
        int position;
    };
    const Case cases[] = {
        { "12", 12 },
        { "ALL", 12 },
        { "30", 25 },
        { "CKPS", 25 },
        { "-5", 0 },
        { "", 0 },
        { " 7 ", 7 },
        { "1x", 7 },
        { "+3", 3 },
        { "CMPS", 3 },
        { "0x10", 3 },
        { "99999999999999999999", 3 },
        { "2 0", 20 },
        { "-", 20 },
        { "20", 20 },
    };
    for (const Case& c : cases) {
        edit->SetText(c.text);
        EXPECT_EQ(ud->Position(), c.position) << '"' << c.text << '"';
    }
    EXPECT_EQ(edit->Text(), "20");
}

TEST_F(UpDownRules, ArrowClickOffersTheUnclampedValueThenHoldsTheRange)
{
    edit->SetText("24");
    std::vector<std::string> log;
    ud->OnChangingEx = [&](TObject*, bool&, int value, TUpDownDirection dir) {
        log.push_back("changing " + std::to_string(value) + (dir == updUp ? " up" : " down"));
    };
    ud->OnClick = [&](TObject*, TUDBtnType button) {
        log.push_back(
            std::string("click ") + (button == btNext ? "next" : "prev") + " " + std::to_string(ud->Position()));
    };
    ud->SetIncrement(5);
    ud->Click(btNext);
    ud->Click(btNext);
    edit->SetText("ALL");
    ud->Click(btPrev);
    EXPECT_EQ(log,
        (std::vector<std::string> { "changing 29 up", "click next 25", "changing 30 up", "click next 25",
            "changing 20 down", "click prev 20" }));
    EXPECT_EQ(edit->Text(), "20");
}

TEST_F(UpDownRules, RefusedChangeKeepsThePosition)
{
    ud->OnChangingEx = [](TObject*, bool& allow, int, TUpDownDirection) { allow = false; };
    int clicks = 0;
    ud->OnClick = [&](TObject*, TUDBtnType) { ++clicks; };
    ud->Click(btNext);
    EXPECT_EQ(ud->Position(), 10);
    EXPECT_EQ(clicks, 0);
}

TEST_F(UpDownRules, ArrowKeysInTheAssociateStep)
{
    QTest::keyClick(edit, Qt::Key_Up);
    QTest::keyClick(edit, Qt::Key_Up);
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_EQ(ud->Position(), 11);
    EXPECT_EQ(edit->Text(), "11");
}

TEST_F(UpDownRules, OwnFormatGroupsThousandsAndReadsThemBack)
{
    ud->SetMax(30000);
    ud->SetMin(-30000);
    for (int value : { 1500, -12345, 999, 25000 }) {
        ud->SetPosition(value);
        EXPECT_EQ(ud->Position(), value) << edit->Text();
    }
    EXPECT_EQ(edit->Text(), "25 000");
    ud->SetThousands(false);
    ud->SetPosition(1500);
    EXPECT_EQ(edit->Text(), "1500");
}

// A partner pair's up-down asks for OnChangingEx when code sets it, so its
// edit shows loaded values; a plain up-down does not.
class PartnerUpDown : public TUpDown {
public:
    explicit PartnerUpDown(TComponent* owner)
        : TUpDown(owner)
    {
        SetChangingOnSet(true);
    }
};

TEST(UpDownCodeSet, OnlyAPartnerUpDownRaisesOnChangingEx)
{
    TForm form(nullptr);
    struct Case {
        const char* what;
        TUpDown* ud;
        std::vector<int> offered;
    };
    auto* plain = new TUpDown(&form);
    auto* partner = new PartnerUpDown(&form);
    const Case cases[] = { { "plain", plain, {} }, { "partner", partner, { 40, 100, 0 } } };
    for (const Case& c : cases) {
        std::vector<int> offered;
        c.ud->OnChangingEx = [&](TObject*, bool&, int value, TUpDownDirection) { offered.push_back(value); };
        for (int value : { 40, 150, -3 })
            c.ud->SetPosition(value);
        EXPECT_EQ(offered, c.offered) << c.what;
        EXPECT_EQ(c.ud->Position(), 0) << c.what;
    }
}

using FocusEvents = FormFixture;

// OnExit belongs to focus moves inside one window; the window losing or
// regaining activation raises nothing.
TEST_F(FocusEvents, OnExitOnlyForMovesInsideTheWindow)
{
    ShowActive(form.get());
    auto* first = Make<TEdit>(form.get());
    auto* second = Make<TEdit>(form.get());
    second->SetTop(30);
    auto other = std::make_unique<TForm>(nullptr);
    auto* otherEdit = Make<TEdit>(other.get());
    int exits = 0;
    first->OnExit = [&](TObject*) { ++exits; };
    second->OnExit = [&](TObject*) { ++exits; };
    first->SetFocus();
    ASSERT_TRUE(first->Focused());

    struct Case {
        const char* what;
        std::function<void()> act;
        int exits;
    };
    const Case cases[] = {
        { "another window takes over",
            [&] {
                other->SetBounds(50, 50, 200, 100);
                other->Show();
                other->activateWindow();
                ASSERT_TRUE(QTest::qWaitForWindowActive(other.get()));
                otherEdit->SetFocus();
            },
            0 },
        { "the window comes back",
            [&] {
                form->activateWindow();
                ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
            },
            0 },
        { "focus to the second edit", [&] { second->SetFocus(); }, 1 },
        { "focus back by tab key", [&] { QTest::keyClick(second, Qt::Key_Backtab, Qt::ShiftModifier); }, 1 },
        { "same control again", [&] { first->SetFocus(); }, 0 },
    };
    for (const Case& c : cases) {
        exits = 0;
        c.act();
        EXPECT_EQ(exits, c.exits) << c.what;
    }
    EXPECT_TRUE(first->Focused());
}

// A menu shortcut wins over the same key in a focused edit (undo here).
TEST_F(FocusEvents, MenuShortCutWinsOverTheFocusedEdit)
{
    ShowActive(form.get());
    auto* menu = new TMainMenu(form.get());
    auto* top = new TMenuItem(form.get());
    top->SetCaption("&Edit");
    menu->Items()->Add(top);
    auto* undo = new TMenuItem(form.get());
    undo->SetCaption("&Undo");
    undo->SetShortCut("Ctrl+Z");
    top->Add(undo);
    form->SetMenu(menu);
    auto* edit = Make<TEdit>(form.get());
    edit->SetFocus();
    QTest::keyClicks(edit, "abc");
    int undos = 0;
    undo->OnClick = [&](TObject*) { ++undos; };
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(undos, 1);
    EXPECT_EQ(edit->Text(), "abc");
    undo->SetEnabled(false);
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(undos, 1);
}

TEST_F(FocusEvents, EnterMovesToTheNextControlAndTheEditExitsAtOnce)
{
    ShowActive(form.get());
    auto* first = Make<TEdit>(form.get());
    auto* skipped = Make<TCheckBox>(form.get());
    skipped->SetTabStop(false);
    auto* second = Make<TEdit>(form.get());
    std::vector<std::string> log;
    first->OnExit = [&](TObject*) { log.push_back("exit"); };
    first->OnKeyPress = [&](TObject*, char16_t& key) {
        if (key == u'\r') {
            key = 0;
            form->SelectNextControl();
            log.push_back("after move");
        }
    };
    first->SetFocus();
    QTest::keyClick(first, Qt::Key_Return);
    EXPECT_EQ(log, (std::vector<std::string> { "exit", "after move" }));
    EXPECT_TRUE(second->Focused());
    EXPECT_EQ(form->ActiveControl(), second);
}

TEST_F(FocusEvents, KeyPressCanSwallowOrReplaceTheKey)
{
    auto* edit = Make<TEdit>(form.get());
    std::u16string seen;
    edit->OnKeyPress = [&](TObject*, char16_t& key) {
        seen += key;
        if (key == u'\r' || key == u'x')
            key = 0;
        else if (key == u',')
            key = u'.';
    };
    QTest::keyClicks(edit, "1x,5");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(seen, u"1x,5\r");
    EXPECT_EQ(edit->Text(), "1.5");
}

TEST(MenuItems, CheckedChangesOnlyByCodeAndRadioItemsExcludeEachOther)
{
    TForm form(nullptr);
    TPopupMenu popup(&form);
    std::vector<TMenuItem*> langs;
    int clicks = 0;
    for (const char* caption : { "English", "Deutsch", "Čeština" }) {
        auto* item = new TMenuItem(&form);
        item->SetCaption(caption);
        item->SetRadioItem(true);
        item->SetGroupIndex(1);
        item->OnClick = [&](TObject*) { ++clicks; };
        popup.Items()->Add(item);
        langs.push_back(item);
    }
    langs[0]->SetChecked(true);
    langs[2]->SetChecked(true);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(langs[0]->Checked());
    EXPECT_TRUE(langs[2]->Checked());
    TApplication app;
    langs[1]->SetHint("Language|Set English or German or French");
    langs[1]->Action()->hover();
    EXPECT_EQ(app.Hint(), "Set English or German or French");
    EXPECT_EQ(QStringToCp1250(langs[1]->Action()->toolTip()), "Language");
    EXPECT_EQ(QStringToCp1250(langs[1]->Action()->statusTip()), "Set English or German or French");
    langs[1]->Action()->trigger();
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(langs[1]->Checked());
    EXPECT_FALSE(langs[1]->Action()->isChecked());
    EXPECT_EQ(langs[2]->Caption(), "Čeština");
    // A separator is a plain line: no text to show as a section title.
    langs[2]->SetCaption("-");
    EXPECT_TRUE(langs[2]->Action()->isSeparator());
    EXPECT_TRUE(langs[2]->Action()->text().isEmpty());
    EXPECT_EQ(langs[2]->Caption(), "-");
    popup.Items()->Delete(0);
    EXPECT_EQ(popup.Items()->Count(), 2);
    EXPECT_EQ(popup.Items()->IndexOf(langs[2]), 1);
}

TEST(Hints, ShortPartIsTheToolTipLongPartGoesToOnHint)
{
    TApplication app;
    std::vector<std::string> hints;
    app.OnHint = [&](TObject*) { hints.push_back(app.Hint()); };
    TForm form(nullptr);
    auto* box = Make<TGroupBox>(&form);
    box->SetHint("Group");
    auto* edit = Make<TEdit>(&form, box);
    edit->SetHint("Speed|Engine speed in rpm");
    auto* inner = Make<TLabel>(&form, box);
    EXPECT_EQ(QStringToCp1250(edit->toolTip()), "Speed");
    for (QWidget* w : { static_cast<QWidget*>(edit), static_cast<QWidget*>(edit), static_cast<QWidget*>(inner) }) {
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QApplication::sendEvent(w, &enter);
    }
    EXPECT_EQ(hints, (std::vector<std::string> { "Engine speed in rpm", "Group" }));
}

TEST(ControlTree, ChildrenKeepCreationOrderAndNamesResolve)
{
    TForm form(nullptr);
    auto* box = Make<TGroupBox>(&form);
    auto* a = Make<TLabel>(&form, box);
    auto* b = Make<TEdit>(&form, box);
    auto* c = Make<TCGauge>(&form, box);
    b->SetName("EditRpm");
    b->BringToFront();
    a->BringToFront();
    ASSERT_EQ(box->ControlCount(), 3);
    EXPECT_EQ(box->Controls(0), a);
    EXPECT_EQ(box->Controls(1), b);
    EXPECT_EQ(box->Controls(2), c);
    EXPECT_EQ(form.FindComponent("editrpm"), b);
    EXPECT_STREQ(c->ClassName(), "TCGauge");
    b->SetParent(&form);
    EXPECT_EQ(box->ControlCount(), 2);
    EXPECT_EQ(form.Controls(1), b);
    delete box;
    EXPECT_EQ(form.ControlCount(), 1);
    EXPECT_EQ(form.ComponentCount(), 1);
}

TEST(Gauge, ProgressIsHeldToTheRange)
{
    TCGauge gauge(nullptr);
    struct Case {
        int min, max, set, progress, percent;
    };
    const Case cases[] = {
        { 0, 100, 50, 50, 50 },
        { 0, 100, 150, 100, 100 },
        { 0, 100, -20, 0, 0 },
        { 10, 20, 5, 10, 0 },
        { 10, 20, 15, 15, 50 },
        { 0, 0, 7, 0, 0 },
        { -50, 50, 25, 25, 75 },
    };
    for (const Case& c : cases) {
        gauge.SetMinValue(c.min);
        gauge.SetMaxValue(c.max);
        gauge.SetProgress(c.set);
        EXPECT_EQ(gauge.Progress(), c.progress) << c.min << ".." << c.max << " set " << c.set;
        EXPECT_EQ(gauge.PercentDone(), c.percent) << c.min << ".." << c.max << " set " << c.set;
    }
    gauge.SetProgress(100);
    gauge.SetMaxValue(40);
    EXPECT_EQ(gauge.Progress(), 40);
}

TEST(Memo, MaxLengthCountsLineBreaksAsTwo)
{
    TForm form(nullptr);
    auto* memo = Make<TMemo>(&form);
    memo->SetMaxLength(6);
    QTest::keyClicks(memo, "ab");
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, "cdef");
    EXPECT_EQ(memo->Text(), "ab\r\ncd");
    EXPECT_EQ(memo->LineCount(), 2);
    EXPECT_EQ(memo->Line(1), "cd");
    memo->SetText("one\r\ntwo\r\n");
    EXPECT_EQ(memo->LineCount(), 2);
    memo->Clear();
    EXPECT_EQ(memo->LineCount(), 0);
}

TEST(RadioGroupItems, NewTextsKeepCodesAndSelectionAndRaiseNothing)
{
    TForm form(nullptr);
    auto* group = Make<TRadioGroup>(&form);
    group->AddItem("Voltage", 3);
    group->AddItem("Resistance", 4);
    group->AddItem("Off", 5);
    group->SetItemIndex(1);
    int clicks = 0;
    group->OnClick = [&](TObject*) { ++clicks; };
    group->SetItems({ "Spannung", "Widerstand", "Aus" });
    group->SetItemText(0, "Napětí");
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_EQ(group->ItemCode(1), 4);
    EXPECT_EQ(group->ItemText(0), "Napětí");
    group->SetItems({ "A" });
    EXPECT_EQ(group->ItemIndex(), 0);
    EXPECT_EQ(clicks, 0);
}

TEST(Forms, ButtonModalResultEndsShowModal)
{
    TForm form(nullptr);
    auto* ok = Make<TButton>(&form);
    ok->SetModalResult(mrOk);
    int clicks = 0;
    ok->OnClick = [&](TObject*) { ++clicks; };
    QTimer::singleShot(0, ok, [ok] { ok->click(); });
    EXPECT_EQ(form.ShowModal(), mrOk);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(form.isVisible());
    QTimer::singleShot(0, &form, [&form] { form.Close(); });
    EXPECT_EQ(form.ShowModal(), mrCancel);
}

TEST(Forms, AModalAnswerTakesTheUsersPlace)
{
    TForm form(nullptr);
    auto* ok = Make<TButton>(&form);
    ok->SetModalResult(mrOk);
    bool shownWhileAnswered = false;
    {
        ScopedModalAnswer answer([&](TForm* shown) {
            shownWhileAnswered = shown == &form && form.isVisible();
            ok->click();
        });
        EXPECT_EQ(form.ShowModal(), mrOk);
    }
    EXPECT_TRUE(shownWhileAnswered);
    EXPECT_FALSE(form.isVisible());
    {
        // An answer that leaves the form without a result has closed it.
        ScopedModalAnswer answer([](TForm*) {});
        EXPECT_EQ(form.ShowModal(), mrCancel);
    }
}

TEST(Forms, StatusBarStaysAtTheBottomOfTheClientArea)
{
    TForm form(nullptr);
    form.SetMenu(new TMainMenu(&form));
    auto* bar = Make<TStatusBar>(&form);
    form.SetBounds(0, 0, 300, 200);
    form.SetClientHeight(150);
    EXPECT_EQ(form.ClientHeight(), 150);
    EXPECT_EQ(bar->Top() + bar->Height(), 150);
    EXPECT_EQ(bar->Width(), 300);
    // The printed picture is the client area, without the menu bar.
    EXPECT_EQ(form.GetFormImage().size(), QSize(300, 150));
}

} // namespace
