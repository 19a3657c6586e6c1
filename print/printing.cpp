#include "print/printing.h"

#include "mapedit/tab.h"
#include "platform/comctrls.h"
#include "platform/controls.h"
#include "platform/stdctrls.h"
#include "platform/utils.h"

#include <cstring>
#include <memory>
#include <stdexcept>
#include <vector>

const char* const PRINT_FIXED_CONTROLS[8] = { "LabelPocetProgramovani", "GroupBoxToolBar", "CheckBoxProgHned",
    "LabelConnection", "LabelLambdaBlue", "LabelLambdaGreen", "LabelLambdaRed", "LabelCongruence" };

namespace {

constexpr int UNDO_CAPACITY = 50;
constexpr int PAGES_CAPACITY = 20;

struct ClassCodeRow {
    const char* name;
    int code;
};
constexpr ClassCodeRow CLASS_CODES[] = {
    { "Label", PRINT_LABEL },
    { "UpDown", PRINT_UPDOWN },
    { "DeciUpDown", PRINT_DECI_UPDOWN },
    { "RadioButton", PRINT_RADIO_BUTTON },
    { "RadioGroup", PRINT_RADIO_GROUP },
    { "CheckBox", PRINT_CHECK_BOX },
    { "ComboBox", PRINT_COMBO_BOX },
    { "Button", PRINT_BUTTON },
    { "GroupBox", PRINT_GROUP_BOX },
    { "Tab", PRINT_MAP_TABLE },
    { "PageControl", PRINT_PAGE_CONTROL },
    { "TabSheet", PRINT_TAB_SHEET },
    { "CGauge", PRINT_GAUGE },
    { "Image", PRINT_IMAGE },
    { "Edit", PRINT_EDIT },
    { "BitBtn", PRINT_BIT_BUTTON },
    { "SpeedButton", PRINT_SPEED_BUTTON },
    { "Bevel", PRINT_BEVEL },
    { "StatusBar", PRINT_STATUS_BAR },
    { "Memo", PRINT_MEMO },
    { "DeciEdit", PRINT_DECI_EDIT },
};

std::unique_ptr<CLISTOBJ> g_undo;
std::unique_ptr<CLIST> g_pages;

CLISTOBJ& Undo()
{
    if (!g_undo)
        throw std::logic_error("The print lists are not built.");
    return *g_undo;
}

void Record(TObject* control, int classCode, int action, TColor oldColor = clBtnFace)
{
    auto record = std::make_unique<CPrintObj>(control, classCode, action, oldColor);
    Undo().InsertAt(static_cast<COBJ*>(record.get()), -1);
    record.release();
}

// A parent's children in its own order: the layer's controls as they were
// given the parent, and the map tables, which are no layer controls, at the
// place they took among them when they were put on it.
std::vector<TObject*> ChildrenInOrder(TControl* parent)
{
    std::vector<TObject*> out;
    const int count = parent->ControlCount();
    int next = 0;
    auto emitUpTo = [&](int index) {
        for (; next <= index; next++)
            out.push_back(parent->Controls(next));
    };
    for (QObject* child : parent->ClientWidget()->children()) {
        if (auto* table = qobject_cast<TTab*>(child)) {
            out.push_back(table);
            continue;
        }
        auto* control = dynamic_cast<TControl*>(child);
        if (!control || control->Parent() != parent)
            continue;
        for (int i = next; i < count; i++)
            if (parent->Controls(i) == control) {
                emitUpTo(i);
                break;
            }
    }
    emitUpTo(count - 1);
    return out;
}

void HideWhenVisible(TControl* control, int code)
{
    if (control->Visible()) {
        control->Hide();
        Record(control, code, PRINT_ACTION_HIDDEN);
    }
}

void WhitenWhen(TControl* control, int code, bool condition)
{
    if (condition) {
        const TColor old = control->Color();
        control->SetColor(clWhite);
        Record(control, code, PRINT_ACTION_COLOR, old);
    }
}

void ApplyPrintLook(TForm* mainForm, TObject* child)
{
    const int code = PrintClassCodeOf(ShortClassName(child));
    if (code == PRINT_MAP_TABLE) {
        auto* table = dynamic_cast<TTab*>(child);
        if (table && !table->isHidden()) {
            table->EnterPrintMode();
            Record(child, code, PRINT_ACTION_MAP_PRINT_MODE);
        }
        return;
    }
    auto* control = dynamic_cast<TControl*>(child);
    if (!control)
        return;
    if (code == PRINT_GROUP_BOX || code == PRINT_PAGE_CONTROL || code == PRINT_TAB_SHEET)
        PrepareFormForPrint(mainForm, control);
    switch (code) {
    case PRINT_LABEL:
        if (auto* label = dynamic_cast<TLabel*>(control);
            label && label->Color() == clBtnFace && !label->Transparent()) {
            label->SetTransparent(true);
            Record(control, code, PRINT_ACTION_TRANSPARENT);
        }
        break;
    case PRINT_UPDOWN:
    case PRINT_BUTTON:
    case PRINT_GAUGE:
    case PRINT_BIT_BUTTON:
        HideWhenVisible(control, code);
        break;
    case PRINT_RADIO_GROUP:
    case PRINT_CHECK_BOX:
        WhitenWhen(control, code, control->Color() == clBtnFace);
        break;
    case PRINT_GROUP_BOX:
        WhitenWhen(control, code, control->Color() != clWhite);
        break;
    case PRINT_TAB_SHEET:
        if (auto* sheet = dynamic_cast<TTabSheet*>(control); sheet && sheet->TabVisible())
            PrintablePages()->InsertAt(sheet, -1);
        break;
    default:
        break;
    }
}

TControl* NamedControl(TForm* mainForm, const char* name)
{
    return dynamic_cast<TControl*>(mainForm->FindComponent(name));
}

void SetStatusBarColor(TForm* mainForm, TColor color)
{
    if (TControl* bar = NamedControl(mainForm, "StatusBar1"))
        bar->SetColor(color);
}

} // namespace

int PrintClassCodeOf(const char* shortName)
{
    for (const ClassCodeRow& row : CLASS_CODES)
        if (std::strcmp(row.name, shortName) == 0)
            return row.code;
    return PRINT_FIXED;
}

void PrintListsInit()
{
    g_undo = std::make_unique<CLISTOBJ>(UNDO_CAPACITY, UNDO_CAPACITY);
    g_pages = std::make_unique<CLIST>(PAGES_CAPACITY, PAGES_CAPACITY);
}

void PrintListsFinal()
{
    g_undo.reset();
    if (g_pages)
        g_pages->Clear(); // the sheets belong to the window
    g_pages.reset();
}

CLISTOBJ* PrintUndoList()
{
    return g_undo.get();
}

CLIST* PrintablePages()
{
    if (!g_pages)
        throw std::logic_error("The print lists are not built.");
    return g_pages.get();
}

void PrepareFormForPrint(TForm* mainForm, TControl* parent)
{
    Undo();
    mainForm->SetColor(clWhite);
    SetStatusBarColor(mainForm, clWhite);
    for (const char* name : PRINT_FIXED_CONTROLS)
        if (TControl* control = NamedControl(mainForm, name)) {
            if (control->Visible())
                Record(control, PRINT_FIXED, PRINT_ACTION_HIDDEN);
            control->Hide();
        }
    for (TObject* child : ChildrenInOrder(parent ? parent : mainForm))
        ApplyPrintLook(mainForm, child);
}

void RestoreFormAfterPrint(TForm* mainForm)
{
    mainForm->SetColor(clBtnFace);
    SetStatusBarColor(mainForm, clBtnFace);
    if (!g_undo)
        return;
    for (int i = 0; i < g_undo->Count(); i++) {
        const auto* record = static_cast<const CPrintObj*>(g_undo->Object(i));
        auto* control = dynamic_cast<TControl*>(record->Control);
        switch (record->ClassCode) {
        case PRINT_FIXED:
        case PRINT_UPDOWN:
        case PRINT_BUTTON:
        case PRINT_GAUGE:
        case PRINT_BIT_BUTTON:
            if (control)
                control->Show();
            break;
        case PRINT_LABEL:
            if (auto* label = dynamic_cast<TLabel*>(record->Control))
                label->SetTransparent(false);
            break;
        case PRINT_RADIO_GROUP:
        case PRINT_CHECK_BOX:
        case PRINT_GROUP_BOX:
            if (control)
                control->SetColor(record->OldColor);
            break;
        case PRINT_MAP_TABLE:
            if (auto* table = dynamic_cast<TTab*>(record->Control))
                table->LeavePrintMode();
            break;
        default:
            break;
        }
    }
    g_undo->DeleteAll();
    if (g_pages)
        g_pages->Clear();
}
