#include "mapedit/tab.h"
#include "platform/menus.h"

#include "mapedit/tabcanvas.h"
#include "platform/cp1250.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

float LogStepTable[TAB_LOG_STEPS];

namespace {

constexpr TColor DEFAULT_COLOURS[12] = { 0xFFFFFF, 0xC0C0C0, 0xE4D6D4, 0xF4EEEC, 0xFF8844, 0xC0C0C0, 0x808080, 0x88F444,
    0x00AAAA, 0x44F444, 0x44F4F4, 0xDDDDDD };
constexpr const char* INTERPOLATION_HINT = "###Interpolation####Interpolace";
constexpr int WHEEL_STEP = 120;

TabInputProbe& Probe()
{
    static TabInputProbe probe;
    return probe;
}

std::function<int()>& LanguageSource()
{
    static std::function<int()> source;
    return source;
}

std::function<std::string(const char*, int)>& TextSelector()
{
    static std::function<std::string(const char*, int)> selector;
    return selector;
}

// One flag for every control: an event that reaches any of them while another
// (or the same) is inside its handler is dropped, as when a message box runs
// its own loop inside a command. Controls whose paint was dropped repaint
// once the guard clears.
bool g_inHandler = false;
std::vector<QPointer<TTab>> g_missedPaint;

bool Guarded(QEvent::Type t)
{
    switch (t) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::Leave:
    case QEvent::Paint:
        return true;
    default:
        return false;
    }
}

} // namespace

void SetTabInputProbe(TabInputProbe probe)
{
    Probe() = std::move(probe);
}

TabInputState ReadTabInput()
{
    if (Probe())
        return Probe()();
    TabInputState s;
    const Qt::KeyboardModifiers mods = QGuiApplication::queryKeyboardModifiers();
    const Qt::MouseButtons buttons = QGuiApplication::mouseButtons();
    s.shift = mods & Qt::ShiftModifier;
    s.ctrl = mods & Qt::ControlModifier;
    s.leftButton = buttons & Qt::LeftButton;
    s.rightButton = buttons & Qt::RightButton;
    return s;
}

void SetTabLanguageSource(std::function<int()> source)
{
    LanguageSource() = std::move(source);
}

void SetTabTextSelector(std::function<std::string(const char*, int)> selector)
{
    TextSelector() = std::move(selector);
}

int TabLanguage()
{
    return LanguageSource() ? LanguageSource()() : 0;
}

std::string SelectTabText(const char* text, int language)
{
    return TextSelector() ? TextSelector()(text, language) : std::string(text ? text : "");
}

TTab::TTab(QWidget* owner, int width, int height, int32_t style)
    : QWidget(owner)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    move(0, 0);
    // Layout sizes are given for 96 pixels per inch; fixed, so they are the same everywhere.
    PixelsPerInch = 96;
    width = width ? width : 500;
    height = height ? height : 200;
    resize(width, height);
    Style = style;

    double step = 100;
    for (float& entry : LogStepTable) {
        entry = float(step);
        step *= 1.01;
    }
    BackBitmap = QImage(width, height, QImage::Format_RGB32);
    BackBitmap.fill(Qt::white);
    std::copy(std::begin(DEFAULT_COLOURS), std::end(DEFAULT_COLOURS), Colours);

    CurrentIndex = -1;
    PreviousIndex = 0;
    SheetCount = 0;
    ViewRequest = VIEW_TABLE;
    ViewBits = VIEW_TABLE;
    DetectViewPreset();
    FollowLive = nullptr;
    WorkBuffer = std::make_unique<uint8_t[]>(TAB_WORK_BUFFER);

    BandGap = PixelsPerInch * 15 / 96;
    ColumnSlots = 15;
    RowSlots = 10;
    YHeaderWidth = PixelsPerInch * ((Style & TABSTYLE_ONOFF) ? 45 : 65) / 96;
    HScroll.Horizontal = 1;
    ToolbarLang = LanguageSource() ? LanguageSource()() : 0;
}

TTab::~TTab()
{
    for (int i = 0; i < SheetCount; i++)
        Sheets[i].FreeArrays();
}

bool TTab::InHandler()
{
    return g_inHandler;
}

bool TTab::event(QEvent* e)
{
    if (e->type() == QEvent::Wheel) {
        // The wheel does nothing while a mouse button is held.
        const TabInputState in = ReadTabInput();
        if (in.leftButton || in.rightButton) {
            e->accept();
            return true;
        }
    }
    if (!Guarded(e->type()))
        return QWidget::event(e);
    if (g_inHandler) {
        if (e->type() == QEvent::Paint)
            g_missedPaint.emplace_back(this);
        e->accept();
        return true;
    }
    g_inHandler = true;
    bool used = false;
    if (e->type() == QEvent::KeyPress)
        used = KeyFromEvent(static_cast<QKeyEvent*>(e));
    if (!used)
        used = QWidget::event(e);
    g_inHandler = false;
    std::vector<QPointer<TTab>> missed;
    missed.swap(g_missedPaint);
    for (const QPointer<TTab>& t : missed)
        if (t)
            t->update();
    return used;
}

bool TTab::KeyFromEvent(QKeyEvent* e)
{
    static const struct {
        int qt;
        int key;
        int character;
    } table[] = {
        { Qt::Key_Tab, KEY_TAB, 0 },
        { Qt::Key_Backtab, KEY_TAB, 0 },
        { Qt::Key_Return, KEY_ENTER, 0 },
        { Qt::Key_Enter, KEY_ENTER, 0 },
        { Qt::Key_Space, KEY_SPACE, 0 },
        { Qt::Key_PageUp, VK_PRIOR, 0 },
        { Qt::Key_PageDown, VK_NEXT, 0 },
        { Qt::Key_End, VK_END, 0 },
        { Qt::Key_Home, VK_HOME, 0 },
        { Qt::Key_Left, VK_LEFT, 0 },
        { Qt::Key_Up, VK_UP, 0 },
        { Qt::Key_Right, VK_RIGHT, 0 },
        { Qt::Key_Down, VK_DOWN, 0 },
        { Qt::Key_Insert, VK_INSERT, 0 },
        { Qt::Key_Delete, VK_DELETE, 0 },
        { Qt::Key_Backspace, 0, KEY_BACKSPACE },
        { Qt::Key_Escape, 0, KEY_ESCAPE },
    };
    eventShift = (e->modifiers() & Qt::ShiftModifier) || e->key() == Qt::Key_Backtab;
    eventCtrl = e->modifiers() & Qt::ControlModifier;
    int key = 0, character = 0;
    for (const auto& row : table) {
        if (row.qt == e->key()) {
            key = row.key;
            character = row.character;
            break;
        }
    }
    if (!key && !character && eventCtrl && e->key() == Qt::Key_C)
        character = KEY_CTRL_C;
    else if (!key && !character && eventCtrl && e->key() == Qt::Key_V)
        character = KEY_CTRL_V;
    else if (!key && !character && !e->text().isEmpty() && e->text()[0] >= QChar(' ')) {
        const std::string bytes = QStringToCp1250(e->text().left(1));
        character = bytes.empty() ? 0 : static_cast<unsigned char>(bytes[0]);
    }
    const int used = (key || character) ? HandleKey(key, character) : 0;
    eventShift = eventCtrl = false;
    return used != 0;
}

void TTab::ReadModifiers()
{
    const TabInputState in = ReadTabInput();
    ShiftDown = (in.shift || eventShift) ? 1 : 0;
    CtrlDown = (in.ctrl || eventCtrl) ? 1 : 0;
}

int TTab::ToKeyCode(int key, int character) const
{
    if (!key)
        return character;
    if (key == KEY_TAB || key == KEY_ENTER || key == KEY_SPACE)
        return key;
    if ((key >= VK_PRIOR && key <= VK_DOWN) || key == VK_INSERT || key == VK_DELETE)
        return key * 256;
    return 0;
}

int TTab::HandleKey(int key, int character)
{
    ReadModifiers();
    const int code = ToKeyCode(key, character);
    if (!code || !Sheet)
        return 0;
    if (CommonKey(code))
        return 1;
    return DispatchToViews(TabViewEvent::Key, code, false) ? 1 : 0;
}

int TTab::CommonKey(int code)
{
    if (!Sheet)
        return 0;
    if (code == '+' || code == '-') {
        if ((ViewBits & VIEW_TABLE) && EditorActive)
            return 0;
        IncrementSelection(code == '+' ? 1 : -1);
        return 1;
    }
    if (code == KEY_CTRL_C || (code == VK_INSERT * 256 && CtrlDown)) {
        DoCommand(0);
        return 1;
    }
    if (code == KEY_CTRL_V || (code == VK_INSERT * 256 && ShiftDown)) {
        DoCommand(2);
        return 1;
    }
    if (code == KEY_TAB && SheetCount > 1) {
        if (CtrlDown) {
            if (PreviousIndex >= 0 && PreviousIndex < SheetCount && !Sheets[PreviousIndex].Hidden)
                SelectSheet(PreviousIndex);
            return 1;
        }
        const int dir = ShiftDown ? -1 : 1;
        for (int i = 1; i < SheetCount; i++) {
            const int n = ((CurrentIndex + dir * i) % SheetCount + SheetCount) % SheetCount;
            if (!Sheets[n].Hidden) {
                SelectSheet(n);
                break;
            }
        }
        return 1;
    }
    return 0;
}

int TTab::DragView() const
{
    if (!Sheet)
        return 0;
    const int32_t mode = Sheet->Sel.Mode;
    if (BlockDrag || (mode & SELMODE_TABLE_DRAG))
        return VIEW_TABLE;
    const bool graphDrag = Graph.Dragging || (mode & SELMODE_GRAPH_DRAG);
    if ((ViewBits & VIEW_2D) && graphDrag)
        return VIEW_2D;
    if ((ViewBits & VIEW_3D) && Graph.Dragging)
        return VIEW_3D;
    if ((ViewBits & VIEW_ONOFF) && graphDrag)
        return VIEW_ONOFF;
    return 0;
}

int TTab::DispatchToViews(TabViewEvent event, int argument, bool requireArea)
{
    const int drag = requireArea ? DragView() : 0;
    if (drag && ViewHandles(drag, event, argument))
        return drag;
    for (int view : { VIEW_TABLE, VIEW_2D, VIEW_3D, VIEW_ONOFF }) {
        if (!(ViewBits & view) || view == drag)
            continue;
        if (requireArea && !(view == VIEW_TABLE ? PointerInTable : PointerInGraph))
            continue;
        if (ViewHandles(view, event, argument))
            return view;
    }
    return 0;
}

void TTab::SetPointer(int x, int y)
{
    if (x == MouseX && y == MouseY)
        return;
    MouseX = x;
    MouseY = y;
    PointerMoved();
}

void TTab::TakeFocus()
{
    if (!hasFocus() && focusPolicy() != Qt::NoFocus && isEnabled())
        setFocus(Qt::MouseFocusReason);
}

void TTab::PointerMoved()
{
    if (SkipPointerMove) {
        SkipPointerMove = 0;
        return;
    }
    EdgeHandle = CornerHandle = HoverButton = OverEditedItem = HotSheetTab = 0;
    PointerInTable = PointerInGraph = 0;
    Graph.HintText.clear();
    PrevInterpolateHandle = InterpolateHandle;
    InterpolateHandle = 0;
    if (!Sheet)
        return;
    const int x = MouseX, y = MouseY;
    const bool enabled = Sheet->Active();
    if (enabled) {
        PointerInTable = (ViewBits & VIEW_TABLE) && YHeaderLeft <= x && x <= CellsLeft + VisibleCols * CellWidth + 15
            && XHeaderTop <= y && y <= CellsTop + VisibleRows * CellHeight + 15;
        // On the on/off grid the area right of the Y headers below the X headers is the grid's.
        if ((Style & TABSTYLE_ONOFF) && x > CellsLeft - CellWidth / 2 && y > XHeaderTop + XHeaderHeight)
            PointerInTable = 0;
        PointerInGraph = (ViewBits & (VIEW_2D | VIEW_3D | VIEW_ONOFF)) && Graph.InPlot(x, y);
        DispatchToViews(TabViewEvent::PointerMove, 0, true);
    }
    if (SheetCount > 1 && x > 1 && y >= 0 && y < 20) {
        int right = 2;
        for (int i = 0; i < SheetCount; i++) {
            if (Sheets[i].Hidden)
                continue;
            right += Sheets[i].TabWidth;
            if (right + (i == CurrentIndex ? 2 : 0) > x) {
                HotSheetTab = i + 1;
                break;
            }
        }
    }
    if (enabled) {
        bool found = false;
        for (int i = 0; i < TAB_BUTTONS; i++) {
            TabButton& b = Buttons[i];
            const int32_t hover = !found && b.Shown() && b.Rect.Holds(x, y);
            found |= hover != 0;
            if (hover != b.Hover)
                RedrawBits |= REDRAW_RENDER;
            b.Hover = hover;
            if (!(b.ButtonKind & BUTTON_TOGGLE) && b.Pressed && !hover) {
                b.Pressed = 0;
                RedrawBits |= REDRAW_RENDER;
            }
        }
    }
    UpdateHint();
    UpdateCursor();
}

void TTab::LeftDown()
{
    if (!Sheet)
        return;
    ReadModifiers();
    if (HotSheetTab) {
        SelectSheet(HotSheetTab - 1);
        PointerMoved();
        if (OnMapTableChanged)
            OnMapTableChanged(this);
        return;
    }
    const int x = MouseX, y = MouseY;
    if (SheetCount == 1 && (Style & TABSTYLE_CAPTION) && (Sheet->Flags & SHEET_ENABLE_BOX)) {
        const bool toolbar = Style & TABSTYLE_TOOLBAR;
        const int b = ColumnSlots * CellWidth < 200 ? 0 : 10;
        const int c = toolbar ? 15 : width() - b;
        const int top = toolbar ? 5 : 1;
        if (x >= b && x <= b + c && y >= top && y <= top + 15) {
            DoCommand(19);
            return;
        }
    }
    if (!Sheet->Enabled)
        return;
    if (PressHoveredButton())
        return;
    const int rowsShown = Sheet->Y.Collapsed ? 1 : std::min(Sheet->Y.Count, RowSlots);
    if (!(Style & TABSTYLE_TOOLBAR)) {
        const float spot = CellsTop + rowsShown * CellHeight - 2;
        if (x >= YHeaderLeft - 10 && x <= YHeaderLeft + 1 && y >= spot && y <= spot + 12
            && (ViewBits == VIEW_TABLE || ViewBits == VIEW_2D)) {
            SetView(ViewBits == VIEW_TABLE ? VIEW_2D : VIEW_TABLE);
            return;
        }
    }
    if (Style & TABSTYLE_ONOFF) {
        const int rows = Sheet->Y.Collapsed ? 0 : std::min(Sheet->Y.Count, RowSlots);
        const float spot = CellsTop + rows * CellHeight + 5;
        const int left = YHeaderLeft + YHeaderWidth - 10;
        if (x >= left && x <= left + 15 && y >= spot && y <= spot + 16) {
            Graph.OnOffFlag = !Graph.OnOffFlag;
            Graph.GraphHit = -100;
            RedrawBits |= REDRAW_VALUES;
            return;
        }
    }
    if (DispatchToViews(TabViewEvent::LeftDown, 0, true))
        return;
    if (Sheet->Sel.Mode || Sheet->Sel.Kind) {
        Sheet->Sel.Clear();
        PointerMoved();
        RedrawBits |= REDRAW_RENDER;
    }
}

void TTab::LeftUp()
{
    if (!Sheet || !Sheet->Enabled)
        return;
    for (int i = 0; i < TAB_BUTTONS; i++) {
        TabButton& b = Buttons[i];
        if (!(b.ButtonKind & BUTTON_TOGGLE) && b.Pressed) {
            b.Pressed = 0;
            RedrawBits |= REDRAW_RENDER;
            DoCommand(i);
            return;
        }
    }
    DispatchToViews(TabViewEvent::LeftUp, 0, true);
}

void TTab::RightDown()
{
    if (!Sheet)
        return;
    PopupX = MouseX;
    PopupY = MouseY;
    if (HotSheetTab)
        SelectSheet(HotSheetTab - 1);
    if (Sheet->Enabled && DispatchToViews(TabViewEvent::RightDown, 0, true))
        return;
    ShowPopupMenu();
}

bool TTab::PressHoveredButton()
{
    for (int i = 0; i < TAB_BUTTONS; i++) {
        TabButton& b = Buttons[i];
        if (!b.Hover || !b.Shown())
            continue;
        RedrawBits |= REDRAW_RENDER;
        // A toggle acts on the press; a push button acts when it is let go.
        if (b.ButtonKind & BUTTON_TOGGLE) {
            b.Pressed = !b.Pressed;
            DoCommand(i);
        } else {
            b.Pressed = 1;
        }
        return true;
    }
    return false;
}

void TTab::DoubleClick()
{
    if (!Sheet || !Sheet->Enabled)
        return;
    if (PressHoveredButton())
        return;
    if (PointerInTable)
        ViewHandles(VIEW_TABLE, TabViewEvent::DoubleClick, 0);
}

void TTab::Wheel(int direction)
{
    if (!Sheet || !Sheet->Enabled)
        return;
    if (PointerInTable || PointerInGraph) {
        DispatchToViews(TabViewEvent::Wheel, direction, true);
        return;
    }
    if (!(ViewBits & VIEW_TABLE))
        return;
    if (VScroll.Visible)
        ScrollBy(0, -direction);
    else if (HScroll.Visible)
        ScrollBy(-direction, 0);
}

void TTab::UpdateCursor()
{
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (CornerHandle)
        shape = Qt::CrossCursor;
    if (EdgeHandle)
        shape = Qt::SizeAllCursor;
    if (OverEditedItem)
        shape = Qt::IBeamCursor;
    if (cursor().shape() != shape)
        setCursor(shape);
}

void TTab::UpdateHint()
{
    const TabButton* hovered = nullptr;
    for (const TabButton& b : Buttons)
        if (b.Hover)
            hovered = &b;
    if (Graph.HintText.empty() && !hovered && !InterpolateHandle) {
        HintText.clear();
        setToolTip(QString());
        setStatusTip(QString());
        return;
    }
    if (hovered && hovered->Hint)
        HintText = SelectTabText(hovered->Hint);
    if (InterpolateHandle && InterpolateHandle != PrevInterpolateHandle)
        HintText = SelectTabText(INTERPOLATION_HINT);
    if (!Graph.HintText.empty())
        HintText = Graph.HintText;
    // "short|long": the short part is the tooltip, the long one the status text.
    const size_t bar = HintText.find('|');
    setToolTip(QStringFromCp1250(HintText.substr(0, bar)));
    setStatusTip(QStringFromCp1250(bar == std::string::npos ? HintText : HintText.substr(bar + 1)));
}

void TTab::Paint(QPainter& p)
{
    if (Rendering)
        return;
    p.drawImage(0, 0, BackBitmap);
    if (hasFocus() && EditorActive && CaretPhase < 8 && !PrintMode)
        p.fillRect(QRect(CaretX, CaretY, CaretWidth, CaretHeight), ColorToQColor(CaretColour));
}

void TTab::paintEvent(QPaintEvent*)
{
    if (RedrawBits && !Rendering)
        Render();
    QPainter p(this);
    Paint(p);
}

void TTab::mousePressEvent(QMouseEvent* e)
{
    const QPoint at = e->position().toPoint();
    if (e->button() == Qt::LeftButton) {
        SetPointer(at.x(), at.y());
        TakeFocus();
        LeftDown();
    } else if (e->button() == Qt::RightButton) {
        SetPointer(at.x(), at.y());
        TakeFocus();
        RightDown();
    }
    e->accept();
}

void TTab::mouseReleaseEvent(QMouseEvent* e)
{
    const QPoint at = e->position().toPoint();
    SetPointer(at.x(), at.y());
    if (e->button() == Qt::LeftButton)
        LeftUp();
    e->accept();
}

void TTab::mouseDoubleClickEvent(QMouseEvent* e)
{
    const QPoint at = e->position().toPoint();
    if (e->button() == Qt::LeftButton) {
        SetPointer(at.x(), at.y());
        DoubleClick();
    } else if (e->button() == Qt::RightButton) {
        SetPointer(at.x(), at.y());
        TakeFocus();
        RightDown();
    }
    e->accept();
}

void TTab::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint at = e->position().toPoint();
    SetPointer(at.x(), at.y());
    e->accept();
}

void TTab::wheelEvent(QWheelEvent* e)
{
    // Fine-grained wheels send parts of a notch; one step per whole notch.
    wheelSum += e->angleDelta().y();
    while (wheelSum >= WHEEL_STEP) {
        wheelSum -= WHEEL_STEP;
        Wheel(1);
    }
    while (wheelSum <= -WHEEL_STEP) {
        wheelSum += WHEEL_STEP;
        Wheel(-1);
    }
    e->accept();
}

void TTab::leaveEvent(QEvent*)
{
    SetPointer(0, 0);
}

void TTab::focusInEvent(QFocusEvent*)
{
    RedrawBits |= REDRAW_RENDER;
}

void TTab::focusOutEvent(QFocusEvent* e)
{
    // A popup menu takes the focus while it is open; the editor stays open
    // for the menu's commands.
    if (e->reason() == Qt::PopupFocusReason)
        return;
    CommitEditor();
    RedrawBits |= REDRAW_RENDER;
    const bool tabStop = Sheet && Sheet->Sel.Count && (ViewRequest & VIEW_TABLE);
    setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

void TTab::resizeEvent(QResizeEvent*)
{
    RedrawBits |= REDRAW_RENDER;
}

void TTab::RepeatStepButtons()
{
    if (!HoverOn || !HoverButton || !(PlusPressed || MinusPressed))
        return;
    const int d = TabTicks - PressTick;
    if (d < 16)
        return;
    Repeated = 1;
    const uint32_t fast = HoverRow == -1 ? SHEET_FAST_REPEAT_X
        : HoverCol == -1                 ? SHEET_FAST_REPEAT_Y
                                         : SHEET_FAST_REPEAT_CELLS;
    const int s = ((Sheet->Flags & fast) && d - 16 >= 20) ? 10 : 1;
    if (s == 10 && d % 2 != 0)
        return;
    StepCurrentItem(PlusPressed ? s : -s);
}

void TTab::ScrollDuringDrag()
{
    TSel& sel = Sheet->Sel;
    if (!(sel.Mode & SELMODE_TABLE_DRAG) && !BlockDrag)
        return;
    const int code = sel.Mode & 0xFF;
    const bool canX
        = BlockDrag ? (!Sheet->X.Collapsed && sel.BandX1 >= 0) : (code & (HIT_CELL | HIT_XHEADER | HIT_XBAND)) != 0;
    const bool canY
        = BlockDrag ? (!Sheet->Y.Collapsed && sel.BandY1 >= 0) : (code & (HIT_CELL | HIT_YHEADER | HIT_YBAND)) != 0;
    const float right = CellsLeft + VisibleCols * CellWidth, bottom = CellsTop + VisibleRows * CellHeight;
    auto overshoot = [](float at, float low, float high) {
        return at < low ? int(at - low) : at > high ? int(at - high) : 0;
    };
    const int dx = canX ? overshoot(MouseX, CellsLeft, right) : 0;
    const int dy = canY ? overshoot(MouseY, CellsTop, bottom) : 0;
    // The farther beyond the cells, the faster: one step every 10 ticks down to every tick.
    auto stepOf = [this](int over) {
        if (!over)
            return 0;
        const int period = std::max(1, (100 - std::abs(over)) / 10);
        return TabTicks % period == 0 ? (over < 0 ? -1 : 1) : 0;
    };
    const int sc = stepOf(dx), sr = stepOf(dy);
    if (!sc && !sr)
        return;
    const int oldX = Sheet->X.FirstVisible, oldY = Sheet->Y.FirstVisible;
    if (!ScrollBy(sc, sr))
        return;
    const int movedX = int((Sheet->X.FirstVisible - oldX) * CellWidth);
    const int movedY = int((Sheet->Y.FirstVisible - oldY) * CellHeight);
    if (BlockDrag) {
        DragStartX -= movedX;
        DragStartY -= movedY;
        PointerMoved();
        return;
    }
    sel.AnchorPx -= movedX;
    sel.AnchorPy -= movedY;
    const int px = std::clamp<int>(MouseX, CellsLeft, std::max<int>(CellsLeft, int(right) - 1));
    const int py = std::clamp<int>(MouseY, CellsTop, std::max<int>(CellsTop, int(bottom) - 1));
    if (sel.DragTo(TableBandMap, px, py, true))
        RedrawBits |= REDRAW_RENDER;
}

void TTab::Tick()
{
    TabTicks++;
    if (!Sheet)
        return;
    const int32_t shift = ShiftDown, ctrl = CtrlDown;
    ReadModifiers();
    if (ViewRequest == VIEW_2D && (shift != ShiftDown || ctrl != CtrlDown))
        RedrawBits |= REDRAW_RENDER;

    RepeatStepButtons();

    if (EditorActive) {
        if (CaretPhase == 0 || CaretPhase == 8)
            update();
        CaretPhase = (CaretPhase + 1) & 15;
    }
    if (TabTicks & 2) {
        UpdateLivePosition();
        UpdateToolbarStates();
    }
    ScrollDuringDrag();

    const int h = HScroll.Step(), v = VScroll.Step();
    if (h & SB_MOVED)
        DoCommand(1001);
    if (v & SB_MOVED)
        DoCommand(1002);
    if (h || v)
        RedrawBits |= REDRAW_RENDER;

    const int lang = LanguageSource() ? LanguageSource()() : 0;
    if (lang != ToolbarLang) {
        ToolbarLang = lang;
        UpdateToolbar();
        RedrawBits |= REDRAW_RENDER;
    }
    FlushChangeGroup();
    // A table inside a window that does not show it (another page is up)
    // keeps its redraw for the moment it is shown again.
    const bool unseen = parentWidget() && !isVisible();
    if (RedrawBits && !Rendering && !unseen)
        Render();
}

void TTab::EnterPrintMode()
{
    PrintMode = 1;
    Render();
}

void TTab::LeavePrintMode()
{
    PrintMode = 0;
    Render();
}
