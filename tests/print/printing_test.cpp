// Printing on a started main window: the print look inside the print, the
// window as it was afterwards in every case, Print All over the visible tabs,
// and real PDF files.
#include "pages/pagewindow.h"

#include "app/About.h"
#include "print/printing.h"
#include "print/printsink.h"

#include <QFile>
#include <QRegularExpression>

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// What the print look may change, for every control of the window.
struct Snapshot {
    struct State {
        bool visible;
        TColor color;
        bool transparent;
        bool tabVisible;
        bool operator==(const State&) const = default;
    };
    std::map<std::string, State> controls;
    std::map<int, int32_t> mapPrintModes;
    TColor formColor;
    TTabSheet* activePage;
    int activePageIndex;
    bool operator==(const Snapshot&) const = default;
};

Snapshot Take(TMainForm& form)
{
    Snapshot s;
    for (int i = 0; i < form.ComponentCount(); i++) {
        auto* c = dynamic_cast<TControl*>(form.Components(i));
        if (!c)
            continue;
        auto* label = dynamic_cast<TLabel*>(c);
        auto* sheet = dynamic_cast<TTabSheet*>(c);
        s.controls[c->Name() + "#" + std::to_string(i)]
            = { c->Visible(), c->Color(), label && label->Transparent(), !sheet || sheet->TabVisible() };
    }
    for (int i = 0; i < form.Maps.MapTableCount; i++)
        s.mapPrintModes[i] = form.Maps.MapTables[i]->PrintMode;
    s.formColor = form.Color();
    s.activePage = form.PageControl1->ActivePage();
    s.activePageIndex = form.ActivePageIndex;
    return s;
}

std::string Differences(const Snapshot& a, const Snapshot& b)
{
    std::string out;
    for (const auto& [name, state] : a.controls)
        if (!b.controls.contains(name) || !(b.controls.at(name) == state))
            out += name + " ";
    if (a.mapPrintModes != b.mapPrintModes)
        out += "map print modes ";
    if (a.formColor != b.formColor || a.activePage != b.activePage || a.activePageIndex != b.activePageIndex)
        out += "form ";
    return out;
}

// Hands each printed window to the test, which may fail the print.
class CaptureSink : public PrintSink {
public:
    explicit CaptureSink(std::function<void(TForm&)> onPage)
        : onPage_(std::move(onPage))
    {
    }
    void PrintForm(TForm& form) override { onPage_(form); }

private:
    std::function<void(TForm&)> onPage_;
};

bool HasRecordFor(TObject* control)
{
    CLISTOBJ* records = PrintUndoList();
    for (int i = 0; i < records->Count(); i++)
        if (static_cast<CPrintObj*>(records->Object(i))->Control == control)
            return true;
    return false;
}

int PdfPageCount(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QString text = QString::fromLatin1(file.readAll());
    return int(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

class Printing : public PageWindow {
protected:
    void SetUp() override
    {
        PrintListsInit();
        PageWindow::SetUp();
        sheet = form->PageSheets[PAGE_SLOT_ADVANCE];
        // Controls of every kind the look treats, on the page shown.
        customLabel = Add<TLabel>(sheet, "PrintCustomLabel");
        customLabel->SetColor(TColor(0x00FFFF));
        hiddenButton = Add<TButton>(sheet, "PrintHiddenButton");
        hiddenButton->Hide();
        whiteBox = Add<TGroupBox>(sheet, "PrintWhiteBox");
        whiteBox->SetColor(clWhite);
        boxCheck = Add<TCheckBox>(whiteBox, "PrintBoxCheck");
        radioGroup = Add<TRadioGroup>(sheet, "PrintRadioGroup");
        deciUpDown = Add<TDeciUpDown>(sheet, "PrintDeciUpDown");
        gauge = Add<TCGauge>(sheet, "PrintGauge");
    }
    void TearDown() override
    {
        PageWindow::TearDown();
        PrintListsFinal();
    }
    template <class T> T* Add(TControl* parent, const char* name)
    {
        T* c = new T(form.get());
        c->SetName(name);
        c->SetParent(parent);
        return c;
    }

    // The look every printed window must show.
    void ExpectPrintLook(TForm&)
    {
        EXPECT_FALSE(form->GroupBoxToolBar->Visible());
        EXPECT_FALSE(form->CheckBoxProgHned->Visible());
        EXPECT_FALSE(form->LabelConnection->Visible());
        for (TControl* c : { static_cast<TControl*>(form->ButtonRead), static_cast<TControl*>(form->ButtonProgram),
                 static_cast<TControl*>(form->Advance.UpDownPickupCorrection), static_cast<TControl*>(gauge),
                 static_cast<TControl*>(form->CGaugeProgram) })
            EXPECT_FALSE(c->Visible()) << c->Name();
        EXPECT_TRUE(deciUpDown->Visible());
        EXPECT_TRUE(form->Advance.LabelPickupCorrection->Transparent());
        EXPECT_FALSE(customLabel->Transparent());
        EXPECT_EQ(customLabel->Color(), TColor(0x00FFFF));
        for (TControl* c : { static_cast<TControl*>(radioGroup), static_cast<TControl*>(boxCheck),
                 static_cast<TControl*>(whiteBox), static_cast<TControl*>(form->GroupBoxMonitor) })
            EXPECT_EQ(c->Color(), clWhite) << c->Name();
        EXPECT_EQ(form->Color(), clWhite);
        EXPECT_EQ(form->StatusBar1->Color(), clWhite);
        ASSERT_GT(form->Maps.MapTableCount, 0);
        // A table the page hides is not printed.
        for (int i = 0; i < form->Maps.MapTableCount; i++)
            EXPECT_EQ(form->Maps.MapTables[i]->PrintMode, form->Maps.MapTables[i]->isHidden() ? 0 : 1) << i;
        // A record only for what changed.
        EXPECT_FALSE(HasRecordFor(hiddenButton));
        EXPECT_FALSE(HasRecordFor(whiteBox));
        EXPECT_TRUE(HasRecordFor(boxCheck));
    }

    TTabSheet* sheet = nullptr;
    TLabel* customLabel = nullptr;
    TButton* hiddenButton = nullptr;
    TGroupBox* whiteBox = nullptr;
    TCheckBox* boxCheck = nullptr;
    TRadioGroup* radioGroup = nullptr;
    TDeciUpDown* deciUpDown = nullptr;
    TCGauge* gauge = nullptr;
};

TEST_F(Printing, PrintShowsThePrintLookAndLeavesTheWindowAsItWas)
{
    const Snapshot before = Take(*form);
    int pages = 0;
    ScopedPrintSinkFactory capture([&] {
        return std::make_unique<CaptureSink>([&](TForm& printed) {
            pages++;
            EXPECT_EQ(form->PageControl1->ActivePage(), sheet);
            EXPECT_FALSE(printed.GetFormImage().isNull());
            ExpectPrintLook(printed);
        });
    });
    for (int round = 0; round < 2; round++) {
        form->SpeedButtonPrintClick(form->SpeedButtonPrint);
        const Snapshot after = Take(*form);
        EXPECT_TRUE(after == before) << "round " << round << ": " << Differences(before, after);
        EXPECT_EQ(PrintUndoList()->Count(), 0);
        EXPECT_EQ(PrintablePages()->Count(), 0);
    }
    EXPECT_EQ(pages, 2);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(Printing, PrintAllPrintsEveryVisibleTabInChildOrder)
{
    for (const char* name : { "TabSheet_Input", "TabSheet_Knock", "TabSheet_OBD" })
        dynamic_cast<TTabSheet*>(form->FindComponent(name))->SetTabVisible(false);
    std::vector<std::string> expected;
    for (int i = 0; i < form->PageControl1->ControlCount(); i++)
        if (auto* s = dynamic_cast<TTabSheet*>(form->PageControl1->Controls(i)); s && s->TabVisible())
            expected.push_back(s->Name());
    ASSERT_GE(expected.size(), 15u);
    const Snapshot before = Take(*form);

    std::vector<std::string> printed;
    ScopedPrintSinkFactory capture([&] {
        return std::make_unique<CaptureSink>([&](TForm& window) {
            TTabSheet* shown = form->PageControl1->ActivePage();
            printed.push_back(shown->Name());
            // Only the printed page has its tab; no page change reached the window.
            for (int i = 0; i < form->PageControl1->PageCount(); i++) {
                TTabSheet* s = form->PageControl1->Pages(i);
                EXPECT_EQ(s->TabVisible(), s == shown) << s->Name();
            }
            EXPECT_EQ(form->ActivePageIndex, PAGE_SLOT_ADVANCE);
            ExpectPrintLook(window);
        });
    });
    form->MenuPrintAllClick(nullptr);
    EXPECT_EQ(printed, expected);
    const Snapshot after = Take(*form);
    EXPECT_TRUE(after == before) << Differences(before, after);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(Printing, AFailedPrintLeavesNoTraceOfThePrintLookAndSaysSo)
{
    struct Case {
        const char* what;
        bool all;
        int failAtPage; // 0: at Finish
    } cases[] = {
        { "Print, the page fails", false, 1 },
        { "Print, the output fails", false, 0 },
        { "Print All, the first page fails", true, 1 },
        { "Print All, the third page fails", true, 3 },
        { "Print All, the output fails", true, 0 },
    };
    const Snapshot before = Take(*form);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dialogs.boxes.clear();
        class Failing : public PrintSink {
        public:
            explicit Failing(int failAt)
                : failAt_(failAt)
            {
            }
            void PrintForm(TForm&) override
            {
                if (++pages_ == failAt_)
                    throw std::runtime_error("The printer is out of paper.");
            }
            void Finish() override
            {
                if (failAt_ == 0)
                    throw std::runtime_error("The printer is out of paper.");
            }

        private:
            int failAt_;
            int pages_ = 0;
        };
        ScopedPrintSinkFactory failing([&] { return std::make_unique<Failing>(c.failAtPage); });
        if (c.all)
            form->MenuPrintAllClick(nullptr);
        else
            form->SpeedButtonPrintClick(nullptr);
        const Snapshot after = Take(*form);
        EXPECT_TRUE(after == before) << Differences(before, after);
        ASSERT_EQ(dialogs.boxes.size(), 1u);
        EXPECT_EQ(dialogs.boxes[0].text, QStringLiteral("The printer is out of paper."));
        EXPECT_EQ(dialogs.boxes[0].caption, QStringLiteral("Error"));
        EXPECT_EQ(PrintUndoList()->Count(), 0);
    }
}

TEST_F(Printing, PdfFilesHoldOnePagePerPrintedWindow)
{
    ScopedPrintSinkFactory asking([] { return AskForPdfSink(); });
    const std::string one = dir.file("one.pdf");
    const std::string all = dir.file("all.pdf");

    // A cancelled dialog prints nothing and leaves the window alone.
    const Snapshot before = Take(*form);
    form->SpeedButtonPrintClick(nullptr);
    EXPECT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_TRUE(Take(*form) == before);

    dialogs.fileAnswers = { QString::fromStdString(one), QString::fromStdString(all) };
    form->SpeedButtonPrintClick(nullptr);
    form->MenuPrintAllClick(nullptr);
    EXPECT_EQ(dialogs.fileDialogs.size(), 3u); // once per command
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_EQ(PdfPageCount(QString::fromStdString(one)), 1);
    int visibleTabs = 0;
    for (int i = 0; i < form->PageControl1->PageCount(); i++)
        visibleTabs += form->PageControl1->Pages(i)->TabVisible();
    EXPECT_EQ(PdfPageCount(QString::fromStdString(all)), visibleTabs);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(all) + ".part"));
}

TEST_F(Printing, AnUpDownClickStillWaitingReachesThePrintOfAllPages)
{
    TUpDown* upDown = form->Advance.UpDownBaseAdvance;
    const int before = upDown->Position();
    upDown->Click(btNext);
    ASSERT_NE(form->PendingEditControl, nullptr); // the click waits for its commit
    std::vector<int> shown;
    ScopedPrintSinkFactory capture([&] {
        return std::make_unique<CaptureSink>([&](TForm&) {
            if (form->PageControl1->ActivePage() == sheet)
                shown.push_back(upDown->Position());
        });
    });
    form->MenuPrintAllClick(nullptr);
    EXPECT_EQ(shown, std::vector<int> { before + 1 });
    EXPECT_EQ(upDown->Position(), before + 1);
}

} // namespace
