#pragma once
// TTab: the map table control. It shows up to eight sheets as a table, a 2D
// graph, a 3D surface or an on/off grid, all painted into one back bitmap.
// Qt's events are mapped once onto the control's own dispatchers, which the
// views hand on to and which tests call directly.

#include "mapedit/sheet.h"
#include "mapedit/tabbuttons.h"
#include "mapedit/tabgraph.h"
#include "platform/colors.h"
#include "platform/object.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// TabStyle
constexpr int32_t TABSTYLE_TOOLBAR = 0x1;
constexpr int32_t TABSTYLE_BARE_TABS = 0x2;
constexpr int32_t TABSTYLE_TABLE = 0x10;
constexpr int32_t TABSTYLE_2D = 0x20;
constexpr int32_t TABSTYLE_3D = 0x40;
constexpr int32_t TABSTYLE_CAPTION = 0x100;
constexpr int32_t TABSTYLE_POSITION_REF = 0x1000;
constexpr int32_t TABSTYLE_ONOFF = 0x2000;

// TabView: bits of ViewRequest and ViewBits
constexpr int32_t VIEW_TABLE = 1;
constexpr int32_t VIEW_2D = 2;
constexpr int32_t VIEW_3D = 4;
constexpr int32_t VIEW_ONOFF = 8;

// RedrawBits
constexpr uint32_t REDRAW_RENDER = 1;
constexpr uint32_t REDRAW_VALUES = 2;

constexpr int TAB_MAX_SHEETS = 8;
constexpr int TAB_BUTTONS = 30;
constexpr int TAB_LOG_STEPS = 1200;
constexpr int TAB_WORK_BUFFER = 6000;

// Key codes the control works with: Tab 9, Enter 13, Space 32, characters as
// themselves, and the navigation keys as virtual key * 256.
constexpr int KEY_BACKSPACE = 8;
constexpr int KEY_TAB = 9;
constexpr int KEY_ENTER = 13;
constexpr int KEY_ESCAPE = 27;
constexpr int KEY_SPACE = 32;
constexpr int KEY_CTRL_C = 3;
constexpr int KEY_CTRL_V = 22;
constexpr int VK_PRIOR = 33, VK_NEXT = 34, VK_END = 35, VK_HOME = 36;
constexpr int VK_LEFT = 37, VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40;
constexpr int VK_INSERT = 45, VK_DELETE = 46;

// One table shared by every control: entry i = 100 * 1.01^i.
extern float LogStepTable[TAB_LOG_STEPS];

// What the control reads of the keyboard and the mouse buttons besides its
// events; tests replace it, since an offscreen window cannot hold a key down.
struct TabInputState {
    bool shift = false, ctrl = false, leftButton = false, rightButton = false;
};
using TabInputProbe = std::function<TabInputState()>;
void SetTabInputProbe(TabInputProbe probe);
TabInputState ReadTabInput();

// The interface language the toolbar texts are built for, and the choice of
// one language out of a three-language text.
void SetTabLanguageSource(std::function<int()> source);
// The selector takes the language 0, 1, 2, or -1 for the current one.
void SetTabTextSelector(std::function<std::string(const char*, int)> selector);
std::string SelectTabText(const char* text, int language = -1);
// The current interface language: 0 English, 1 German, 2 Czech.
int TabLanguage();

// Change group codes: a multi-step operation opens with the first and ends
// with the second.
constexpr int32_t CHANGE_MULTI_OPEN = 0x8000000;
constexpr int32_t CHANGE_MULTI_END = 0x9000000;
// Kinds of a change
constexpr int32_t CHANGED_X = 1;
constexpr int32_t CHANGED_Y = 2;
constexpr int32_t CHANGED_CELLS = 4;
// ApplyLimits mask bit: forget the moved breakpoints.
constexpr int32_t LIMITS_FORGET_MOVED = 0x100;

class TabCanvas;
class TPopupMenu;

// Events a view's handler may take; the views answer whether they took it.
enum class TabViewEvent { PointerMove, LeftDown, LeftUp, RightDown, DoubleClick, Wheel, Key };

// A widget of its own, not a layer control; it still answers to its class
// name, so the print walk finds it among a parent's children.
class TTab : public QWidget, public TObject {
    Q_OBJECT

public:
    TTab(QWidget* owner, int width, int height, int32_t style);
    ~TTab() override;
    const char* ClassName() const override { return "TTab"; }

    QImage BackBitmap;
    int32_t Rendering = 0;
    uint32_t RedrawBits = 0;
    int32_t ToolbarLang = 0;
    int32_t PixelsPerInch = 96;
    TTabGraph Graph;
    int32_t ViewRequest = 0;
    int32_t ViewBits = 0;
    int32_t MouseX = 0, MouseY = 0;
    int32_t PopupX = 0, PopupY = 0;
    int32_t PointerInTable = 0;
    int32_t PointerInGraph = 0;
    int32_t SkipPointerMove = 0;
    const QImage* ToolBitmaps[15] = {};
    int32_t TabTicks = 0;
    int32_t ChangeDeadline = 0, ChangeKinds = 0, ChangeCode = 0;
    uint32_t SheetClipFormat = 0;
    int32_t TableId = 0;
    int32_t Style = 0;
    int32_t ColumnSlots = 15, RowSlots = 10;
    int32_t VisibleCols = 0, VisibleRows = 0;
    int32_t MarginBase = 0, MarginLeft = 0, MarginTop = 0, MarginRight = 0, MarginBottom = 0;
    int32_t BandGap = 0, YHeaderLeft = 0, XHeaderTop = 0, YHeaderWidth = 0, XHeaderHeight = 0;
    int32_t CellsLeft = 0, CellsTop = 0;
    float CellWidth = 0, CellHeight = 0;
    TabHitMap TableHitMap, TableBandMap;
    int32_t SheetCount = 0;
    int32_t CurrentIndex = -1;
    int32_t PreviousIndex = 0;
    CSheet Sheets[TAB_MAX_SHEETS];
    CSheet* Sheet = nullptr;
    std::unique_ptr<uint8_t[]> WorkBuffer;
    int32_t BaseAdvance = 0, LimiterRpm = 0, StartLimiterRpm = 0;
    int32_t Hysteresis = 0;
    int32_t LiveRpm = 0, MarkerRpm = 0, LiveTp = 0, LiveIap = 0, LiveInjTpShare = 0, LiveLoadBits = 0;
    int32_t LiveTa = 0, LiveTw = 0, LiveTst = 0, LiveAfr = 0, LiveMissing = 0;
    int32_t MarkerTa = 0, MarkerTw = 0;
    int32_t PositionRef = 0;
    int32_t RenderState[4] = {};
    int32_t PrintMode = 0;
    TColor Colours[12] = {};
    // The control's own colour: the background, buttons and scroll bars.
    TColor Color = clBtnFace;
    int32_t StepsOnSelection = 0;
    // Captions of the collapse buttons, formatted in the toolbar's language.
    char AxisCaptions[3][64] = {};
    int32_t HoverCol = -2, HoverRow = -2, HoverOn = 0;
    TabButtonRect PlusRect, MinusRect;
    int32_t PlusPressed = 0, MinusPressed = 0, HoverButton = 0;
    int32_t PressTick = 0, Repeated = 0;
    TabButton Buttons[TAB_BUTTONS];
    int32_t ButtonCount = 0;
    int32_t EdgeHandle = 0, CornerHandle = 0, InterpolateHandle = 0, PrevInterpolateHandle = 0;
    int32_t HotSheetTab = 0;
    int32_t ShiftDown = 0, CtrlDown = 0;
    // value editor
    int32_t EditorActive = 0;
    int32_t EditCol = -2, EditRow = -2;
    int32_t EditLeft = 0, EditTop = 0, EditWidth = 0, EditHeight = 0;
    // Pixel offset of every character boundary of EditText.
    int32_t CharOffsets[129] = {};
    int32_t CaretX = 0, CaretY = 0, CaretWidth = 2, CaretHeight = 0;
    int32_t Caret = 0, CaretPhase = 0;
    TColor CaretColour = 0x000000;
    char EditText[128] = {};
    int32_t MarkStart = 0, MarkEnd = 0;
    int32_t OverEditedItem = 0;
    int32_t BlockDrag = 0;
    int32_t DragStartX = 0, DragStartY = 0;
    TabButtonRect DragRect;
    TabScrollBar HScroll, VScroll;
    int32_t* FollowLive = nullptr;
    // The owner is told of a finished change group and of a sheet-tab click.
    std::function<void(TTab*)> OnMapTableChanged;
    // Short hint and long status text the control shows for its pointer.
    std::string HintText;

    int HandleKey(int key, int character);
    int CommonKey(int code);
    void Tick();
    void EnterPrintMode();
    void LeavePrintMode();
    void SetPointer(int x, int y);
    void TakeFocus();
    void PointerMoved();
    void LeftDown();
    void LeftUp();
    void RightDown();
    void DoubleClick();
    // Presses the button under the pointer, if any; true when one took the press.
    bool PressHoveredButton();
    void Wheel(int direction);
    void UpdateCursor();
    void UpdateHint();
    // Copies the back bitmap and draws the caret.
    void Paint(QPainter& p);

    // Sheets and the page interface. A page builds a table with AddSheet,
    // DefineAxes per axis, fills the arrays, ApplyLimits(sheet, 0x107) and
    // SelectSheet(0).
    int AddSheet(const char* caption, const char* xLabel, const char* yLabel, const char* valueLabel, int columns,
        int rows, uint32_t flags);
    void SetSheetCaption(int index, const char* caption);
    // mask: 1 X, 2 Y, 4 value axis; options: bit 0 UseValues, bit 1 ColourByLimits.
    void DefineAxes(int index, int mask, const char* key, const char* unit, int32_t min, int32_t max, double scale,
        int32_t gap, const TickRecord* ticks, int editable, int options, int minCount, int count, int collapsePolicy,
        int collapsed, int resizable, int collapseTo, int graphGroup, TColor colour, const QImage* background);
    void SelectSheet(int index);
    void ApplyLimits(CSheet* sheet, int mask);
    // Called after every edit with the kinds it touched and its group code.
    void NoteChange(int kinds, int32_t code);
    void FlushChangeGroup();
    // Column or row of the live operating point: an index, -1 left of the
    // base-advance column, -2 none.
    int LivePositionOnAxis(CAxe& axis);
    void UpdateLivePosition();
    void RefreshPositionButtons();

    // Editing and stepping.
    void DoCommand(int code);
    void IncrementSelection(int steps);
    void StepCurrentItem(int steps);
    int StepAmount(int col, int row, int steps);
    void SetHoverItem(int col, int row);
    int CurrentItem(int& col, int& row) const;
    int SelectionCounts(int& count, int& editable) const;

    // Rows (what 0) and columns (what 1): inserted and deleted on the current
    // sheet and its followers; interpolation and block drags.
    void InsertAt(int what, int index);
    void DeleteAt(int what, int index);
    void DeleteSelected(int what);
    void InterpolateSelection();
    void ApplyBlockDrag();
    void SetCollapse(int code);

    // Clipboard exchange: the selection, the whole sheet, pastes and the graph.
    std::string SelectionClipText();
    void SheetClipTexts(std::string& plain, std::string& sheet);
    void CopySelection();
    void CopyTable();
    void Paste();
    void PasteText(const char* text);
    void PasteSheet(const char* text);
    void CopyGraph();

    // The popup menu, built again at every right click from the state then.
    std::unique_ptr<TPopupMenu> PopupMenu;
    void BuildPopupMenu();

    // Toolbar, layout, rendering, the value editor and scrolling.
    void UpdateToolbar();
    void UpdateToolbarStates(int force = 0);
    void PaintToolbar(TabCanvas& cv);
    void LayoutTable();
    void BuildTableHitMaps();
    void SetView(int view);
    void Render();
    void PaintStepButtons(TabCanvas& cv);
    void OpenEditor(int col, int row, bool empty);
    void LayoutEditor();
    void CommitEditor();
    void ClearTextMarks(bool repaint);
    int ScrollBy(int columns, int rows);
    void ScrollIntoView(int col, int row);
    void ScrollToCurrentItem();
    int MoveCursor(int dx, int dy, bool extend);

    // The table view.
    void PaintTable(TabCanvas& cv);
    void TableMouseMove();
    int TableMouseDown();
    int TableMouseUp();
    int TableRightDown();
    int TableDoubleClick();
    int TableWheel(int direction);
    int TableKey(int code);
    void DetectViewPreset();
    void ShowPopupMenu();
    int ViewHandles(int view, TabViewEvent event, int argument);

    // The graph views. The renderer scales and lays a view out when the
    // values changed (RedrawBits 2), then paints it.
    GraphScaleSource GraphSource();
    int GraphViewHandles(int view, TabViewEvent event, int argument);
    void ScaleGraph();
    void PaintGraphViews(TabCanvas& cv);
    // The plot area inside the graph margins, and an empty hit map of the
    // control's size: what the 2D and the on/off view lay out first.
    void SetPlotCorners();
    void ResetGraphHitMap();
    // After a view rescaled (its units were unitX, unitY): puts the pointer
    // back at `x()` or `y()` on each kept axis whose unit changed.
    void ReanchorPointer(double unitX, double unitY, bool keepX, bool keepY, const std::function<int()>& x,
        const std::function<int()>& y);
    void LayoutGraph2D();
    void PlaceGraph2DPoints();
    void PaintGraph2D(TabCanvas& cv);
    void Graph2DMouseMove();
    int Graph2DMouseDown();
    int Graph2DMouseUp();
    int Graph2DRightDown();
    int Graph2DWheel(int n);
    int Graph2DKey(int code);
    void Graph2DHintText();
    void Graph2DFollowPointer(int32_t h, int32_t v, int curve, bool keepX, bool keepY);
    void Graph3DProject();
    void ProjectPoint3D(double a, double b, double c, double& x, double& y, double& depth) const;
    void PaintSurface3D(TabCanvas& cv);
    void Surface3DMouseMove();
    int Surface3DMouseDown();
    int Surface3DMouseUp();
    int Surface3DRightDown();
    int Surface3DWheel(int n);
    int Surface3DKey(int character);
    void LayoutOnOff();
    void PlaceOnOffLines();
    void PaintOnOff(TabCanvas& cv);
    void OnOffMouseMove();
    int OnOffMouseDown();
    int OnOffMouseUp();
    int OnOffRightDown();
    int OnOffWheel(int n);
    int OnOffKey(int code);
    void OnOffHintText();
    void OnOffFollowPointer(int32_t h, int32_t v, bool keepX, bool keepY);

    // The re-entry guard shared by every control.
    static bool InHandler();

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    int wheelSum = 0;
    // Captions of toolbar buttons taken in the toolbar's language.
    std::string buttonCaptions[TAB_BUTTONS];
    // The editor's text as it opened, so an unchanged text stores nothing.
    std::string editOpenedText;
    // Modifiers of the key event being handled, added to the keyboard state.
    bool eventShift = false, eventCtrl = false;
    int ToKeyCode(int key, int character) const;
    bool KeyFromEvent(QKeyEvent* e);
    int DispatchToViews(TabViewEvent event, int argument, bool requireArea);
    int DragView() const;
    void RepeatStepButtons();
    void ScrollDuringDrag();
    void ReadModifiers();
    void CloseChangeGroup();
    int32_t* ItemValue(int col, int row);
    bool ItemEditable(int col, int row) const;
    void StepItems(int kinds, int32_t key, int steps, bool onlySelected, int col, int row);
    void LayoutButtons(int width, int toolbarLeft, int y0);
    int CaretFromX(int x) const;
    void EditInsert(char c);
    void EditDeleteMarked();
    int EditorKey(int code);
    int CursorKey(int code);
    bool CornerClick(int x, int y);
    void PaintTabs(TabCanvas& cv);
    TabButtonRect ItemRect(int c1, int r1, int c2, int r2) const;

    // Inserting and deleting one row or column; a follower takes its
    // master's change without checks, group or redraw of its own.
    void InsertLine(int what, int index, bool follower);
    void DeleteLine(int what, int index, bool follower);
    template <typename Change> void ForEachFollower(bool viaSelectSheet, Change change);
    void RecommitSelection(bool updateBounds);
    // The block handles of the table view: moving and stretching the marked
    // block, and its corners that interpolate it.
    void TrackBlockDrag();
    void FindBlockHandles();
    void StartBlockDrag();
};
