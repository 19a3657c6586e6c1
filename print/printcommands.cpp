// The print commands of the main window: Print (the page shown) and Print All
// (every page whose tab is visible, one sheet of paper each).
#include "app/editpath.h"
#include "app/main.h"
#include "pages/pages.h"
#include "platform/dialogs.h"
#include "print/printing.h"
#include "print/printsink.h"

#include <exception>
#include <vector>

namespace {

// Whatever leaves the print - a finished print, a failing printer, an
// exception - the window gets its normal look back. Nothing in between may
// pump events: a tick would run on a window in print look.
class PrintLook {
public:
    explicit PrintLook(TMainForm* form)
        : form_(form)
    {
        PrepareFormForPrint(form_);
    }
    ~PrintLook() { RestoreFormAfterPrint(form_); }
    PrintLook(const PrintLook&) = delete;
    PrintLook& operator=(const PrintLook&) = delete;

private:
    TMainForm* form_;
};

// The tabs of the printable pages and the active page come back as they were.
class PageTabs {
public:
    explicit PageTabs(TPageControl* control)
        : control_(control)
        , active_(control->ActivePage())
    {
        CLIST* pages = PrintablePages();
        for (int i = 0; i < pages->Count(); i++)
            sheets_.push_back(static_cast<TTabSheet*>(pages->Item(i)));
    }
    ~PageTabs()
    {
        for (TTabSheet* sheet : sheets_)
            sheet->SetTabVisible(true);
        control_->SetActivePage(active_);
    }
    PageTabs(const PageTabs&) = delete;
    PageTabs& operator=(const PageTabs&) = delete;

    // Only this sheet's tab stays, so the page control shows it.
    void ShowOnly(TTabSheet* shown)
    {
        for (TTabSheet* sheet : sheets_)
            sheet->SetTabVisible(sheet == shown);
        control_->SetActivePage(shown);
    }
    const std::vector<TTabSheet*>& Sheets() const { return sheets_; }

private:
    TPageControl* control_;
    TTabSheet* active_;
    std::vector<TTabSheet*> sheets_;
};

void PrintWindow(TMainForm* form, bool allPages)
{
    try {
        std::unique_ptr<PrintSink> sink = OpenPrintSink();
        if (!sink)
            return;
        {
            PrintLook look(form);
            if (!allPages)
                sink->PrintForm(*form);
            else {
                PageTabs tabs(form->PageControl1);
                for (TTabSheet* sheet : tabs.Sheets()) {
                    tabs.ShowOnly(sheet);
                    sink->PrintForm(*form);
                }
            }
        }
        sink->Finish();
    } catch (const std::exception& e) {
        ErrorBox(e.what(), MB_OK);
    }
}

} // namespace

// Focusing "Programming after change" ends the edit of the focused parameter
// box, which commits it.
void TMainForm::SpeedButtonPrintClick(TObject*)
{
    FocusProgramAfterChange();
    PrintWindow(this, false);
}

void TMainForm::MenuPrintAllClick(TObject*)
{
    FocusProgramAfterChange();
    // An up-down click still waiting for its commit belongs to no focused
    // edit; without this the reload below would throw it away.
    CommitEditNow(this);
    LoadPages(this, 1);
    PrintWindow(this, true);
}
