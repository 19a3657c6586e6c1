#pragma once
// The print look of the main window. Before printing, the window turns white,
// its tool controls hide and its map tables switch to their print mode; every
// change is one record, and the records played back in order give the window
// its normal look again. The walk also gathers the tab sheets whose tab is
// visible: the pages "Print All" prints.

#include "platform/colors.h"
#include "print/lists.h"

class CLIST;
class TControl;
class TForm;
class TObject;

// What a record changed.
enum PrintAction {
    PRINT_ACTION_MAP_PRINT_MODE = 0,
    PRINT_ACTION_TRANSPARENT = 1,
    PRINT_ACTION_COLOR = 2,
    PRINT_ACTION_HIDDEN = 3,
};

// Class codes, by the class name without its first letter.
enum PrintClassCode {
    PRINT_FIXED = 0, // the fixed controls, and every class not listed
    PRINT_LABEL = 1,
    PRINT_UPDOWN = 2,
    PRINT_DECI_UPDOWN = 3,
    PRINT_RADIO_BUTTON = 4,
    PRINT_RADIO_GROUP = 5,
    PRINT_CHECK_BOX = 6,
    PRINT_COMBO_BOX = 7,
    PRINT_BUTTON = 8,
    PRINT_GROUP_BOX = 9,
    PRINT_MAP_TABLE = 10,
    PRINT_PAGE_CONTROL = 15,
    PRINT_TAB_SHEET = 16,
    PRINT_GAUGE = 17,
    PRINT_IMAGE = 18,
    PRINT_EDIT = 19,
    PRINT_BIT_BUTTON = 21,
    PRINT_SPEED_BUTTON = 22,
    PRINT_BEVEL = 23,
    PRINT_STATUS_BAR = 24,
    PRINT_MEMO = 25,
    PRINT_DECI_EDIT = 26,
};

// The code of a class name without its first letter ("Label", "Tab"); 0 for
// any name the table does not list.
int PrintClassCodeOf(const char* shortName);

class CPrintObj : public COBJ {
public:
    CPrintObj(TObject* control, int classCode, int action, TColor oldColor)
        : ClassCode(classCode)
        , Action(action)
        , OldColor(oldColor)
        , Control(control)
    {
    }
    int ClassCode;
    int Action;
    TColor OldColor; // the colour before an action 2, the button face otherwise
    TObject* Control; // not owned
};

// The fixed controls of the main window the print look hides, by name.
extern const char* const PRINT_FIXED_CONTROLS[8];

// Built at program start and destroyed at its end; empty between prints.
void PrintListsInit();
void PrintListsFinal();
// The records of the print look in the order they were made, and the tab
// sheets with a visible tab that the last walk met.
CLISTOBJ* PrintUndoList();
CLIST* PrintablePages();

// Gives the window its print look; parent null starts at the window itself.
void PrepareFormForPrint(TForm* mainForm, TControl* parent = nullptr);
// Plays the records back and empties both lists.
void RestoreFormAfterPrint(TForm* mainForm);
