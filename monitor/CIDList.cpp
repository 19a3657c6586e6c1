#include "monitor/CIDList.h"

#include "app/bitmaps.h"
#include "monitor/valuedefs.h"
#include "platform/stdctrls.h"
#include "texts/langtext.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

TFormCIDList* FormCIDList = nullptr;

namespace {

constexpr int COLUMNS = CID_COLUMNS;
constexpr int COLUMN_WIDTHS[COLUMNS] = { 200, 50, 50, 50 };
constexpr const char* COLUMN_TITLES[COLUMNS] = { "Property", "Label", "Value", "Indicator" };
constexpr int INDENT = 10; // pixels a level moves a row right
constexpr TColor FOCUSED_BAR = 0xFF8888; // light blue
constexpr int CHECK_REACH = 7; // a check box takes clicks this far from its centre

constexpr int CLIENT_WIDTH = 426;
constexpr int CLIENT_HEIGHT = 216;
constexpr int BUTTON_WIDTH = 75;
constexpr int BUTTON_HEIGHT = 20;
constexpr int SCROLL_BAR_WIDTH = 18;
constexpr int LIST_LEFT = 10;
constexpr int LIST_TOP = 10;

int ColumnLeft(int column)
{
    int left = 0;
    for (int c = 0; c < column; ++c)
        left += COLUMN_WIDTHS[c];
    return left;
}

// Centre of the check box of a widget column; the boxes move right with the
// depth like the names.
int CheckX(int depth, int column)
{
    return INDENT * depth + ColumnLeft(column) + INDENT;
}

bool IsArrowKey(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down;
}

// Visits the children of `parent` and, below every expanded one, its rows.
bool WalkLevel(
    CID& parent, int depth, int& y, bool* laterSibling, const std::function<bool(CID*, int, int, const bool*)>& visit)
{
    const size_t count = parent.children.size();
    for (size_t i = 0; i < count; ++i) {
        CID* node = parent.children[i].get();
        laterSibling[depth] = i + 1 < count;
        if (!visit(node, depth, y, laterSibling))
            return false;
        y += TCIDList::ROW_HEIGHT;
        if (node->expanded && !node->children.empty() && depth + 1 < CID_MAX_DEPTH)
            if (!WalkLevel(*node, depth + 1, y, laterSibling, visit))
                return false;
    }
    return true;
}

} // namespace

TCIDList::TCIDList(TComponent* owner)
    : TCustomControl(owner)
{
    back_.SetSize(BACK_WIDTH, BACK_HEIGHT);
    setMaximumSize(BACK_WIDTH, BACK_HEIGHT);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    BuildDefTree(root);
    // The timer may draw before the first caller refreshes the names.
    root.ResolveNames();
}

bool TCIDList::IsListKey(int key)
{
    switch (key) {
    case Qt::Key_Space:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_Insert:
    case Qt::Key_Delete:
        return true;
    default:
        return false;
    }
}

int TCIDList::Page() const
{
    return rowsHeight / ROW_HEIGHT;
}

void TCIDList::WalkRows(const std::function<bool(const RowSpot&)>& visit)
{
    bool laterSibling[CID_MAX_DEPTH] {};
    int y = FIRST_ROW_Y - topRow * ROW_HEIGHT;
    WalkLevel(root, 0, y, laterSibling, [&](CID* node, int depth, int rowY, const bool* later) {
        return visit({ node, depth, rowY, later });
    });
}

void TCIDList::Render()
{
    TCanvas& c = *back_.Canvas();
    c.Brush.Style = bsSolid;
    c.Brush.Color = clWhite;
    c.FillRect({ 0, HEADER_HEIGHT + 1, Width(), Height() });
    PaintRows();
    PaintHeader();
    PaintFrame();
    back_.Canvas()->Flush();
    redraw = 0;
    Invalidate();
}

void TCIDList::Paint()
{
    Canvas()->Draw(0, 0, back_);
}

void TCIDList::PaintRows()
{
    TCanvas& c = *back_.Canvas();
    const int th = c.TextHeight("Q");
    const int height = Height();
    WalkRows([&](const RowSpot& r) {
        if (r.y >= height)
            return false;
        if (r.y <= 0)
            return true;
        const int d = r.depth;
        const int x = INDENT * d + INDENT;
        const int middle = r.y + ROW_HEIGHT / 2;
        CID* node = r.node;

        if (node == current) {
            const TColor bar = hasFocus() ? FOCUSED_BAR : clSilver;
            c.Pen.Color = bar;
            c.Brush.Color = bar;
            c.Rectangle(x, r.y + 1, rowsRight, r.y + ROW_HEIGHT - 1);
        } else {
            c.Brush.Color = clWhite;
        }
        c.Font.SetColor(GetDef(node->id)->flags == 0 ? clSilver : clBlack);
        if (const char* name = SelectLangText(node->name))
            c.TextOut(x + 15, r.y + (ROW_HEIGHT - th) / 2, name);

        c.Pen.Color = clGray;
        c.Pen.Style = psDot;
        for (int k = 0; k < d; ++k) {
            if (r.laterSibling[k]) {
                c.MoveTo(INDENT * k + 15, r.y);
                c.LineTo(INDENT * k + 15, r.y + ROW_HEIGHT);
            }
        }
        const int xc = INDENT * d + 15;
        c.MoveTo(xc, r.y);
        c.LineTo(xc, r.laterSibling[d] ? r.y + ROW_HEIGHT : middle);
        c.MoveTo(xc, middle);
        c.LineTo(xc + 8, middle);
        c.Pen.Style = psSolid;

        const bool group = !node->children.empty();
        if (group) {
            const int bx = INDENT * d + INDENT;
            c.Pen.Color = clGray;
            c.Brush.Color = clWhite;
            c.Rectangle(bx, middle - 5, bx + 11, middle + 6);
            c.Pen.Color = clBlack;
            c.MoveTo(bx + 2, middle);
            c.LineTo(bx + 9, middle);
            if (!node->expanded) {
                c.MoveTo(bx + 5, middle - 3);
                c.LineTo(bx + 5, middle + 4);
            }
        }

        // A group's own box (Label) has a double frame like a leaf's; its
        // summing boxes have a single one.
        c.Pen.Color = clBlack;
        c.Brush.Color = clWhite;
        for (int j = 1; j < COLUMNS; ++j) {
            const int cx = CheckX(d, j);
            if (!group || j == 1)
                c.Rectangle(cx - 7, middle - 7, cx + 7, middle + 7);
            c.Rectangle(cx - 6, middle - 6, cx + 6, middle + 6);
            if (node->check[j] == 1)
                c.Draw(cx - 5, middle - 5, CheckPicture);
            else if (node->check[j] == 2)
                c.Draw(cx - 5, middle - 5, CheckSomePicture);
        }
        return true;
    });
}

void TCIDList::PaintHeader()
{
    TCanvas& c = *back_.Canvas();
    const int width = Width();
    const int height = Height();
    c.Pen.Color = Color();
    c.Brush.Color = Color();
    c.Rectangle(1, 1, width - 2, HEADER_HEIGHT);
    c.Font.SetColor(clBlack);
    for (int col = 0; col < COLUMNS; ++col) {
        const int left = ColumnLeft(col);
        c.TextOut(left + COLUMN_WIDTHS[col] / 2 - c.TextWidth(COLUMN_TITLES[col]) / 2, 4, COLUMN_TITLES[col]);
        c.Pen.Color = clSilver;
        c.MoveTo(left, 2);
        c.LineTo(left, HEADER_HEIGHT - 1);
        c.Pen.Color = clWhite;
        c.MoveTo(left + 1, 2);
        c.LineTo(left + 1, HEADER_HEIGHT - 1);
        c.Pen.Color = Color();
        c.MoveTo(left, HEADER_HEIGHT + 1);
        c.LineTo(left, height - 3);
    }
}

// Sunken, as the list boxes of the window's other controls.
void TCIDList::PaintFrame()
{
    TCanvas& c = *back_.Canvas();
    const int w = Width();
    const int h = Height();
    c.Pen.Color = clSilver;
    c.MoveTo(0, h - 1);
    c.LineTo(0, 0);
    c.LineTo(w, 0);
    c.Pen.Color = clWhite;
    c.MoveTo(w - 1, 0);
    c.LineTo(w - 1, h - 1);
    c.LineTo(-1, h - 1);
    c.Pen.Color = clGray;
    c.MoveTo(1, h - 2);
    c.LineTo(1, 1);
    c.LineTo(w - 1, 1);
    c.Pen.Color = Color();
    c.MoveTo(w - 2, 1);
    c.LineTo(w - 2, h - 2);
    c.LineTo(0, h - 2);
    c.Pen.Color = clWhite;
    c.MoveTo(2, HEADER_HEIGHT);
    c.LineTo(2, 2);
    c.LineTo(w - 2, 2);
    c.Pen.Color = clSilver;
    c.MoveTo(2, HEADER_HEIGHT);
    c.LineTo(w - 2, HEADER_HEIGHT);
}

void TCIDList::Click()
{
    // The header covers the rows scrolled up under it: a click on a column
    // title must not select or tick a row the user cannot see.
    if (pointerY <= HEADER_HEIGHT)
        return;
    const int px = pointerX;
    const int py = pointerY;
    WalkRows([&](const RowSpot& r) {
        if (r.y > py)
            return false;
        CID* node = r.node;
        const int d = r.depth;
        const int middle = r.y + ROW_HEIGHT / 2;
        if (py >= r.y && py <= r.y + ROW_HEIGHT - 1 && node != current) {
            current = node;
            redraw = 1;
            UpdateScrollBar();
        }
        const int bx = INDENT * d + INDENT;
        if (!node->children.empty() && px >= bx && px <= bx + 11 && py >= middle - 5 && py <= middle + 6) {
            node->expanded = node->expanded ? 0 : 1;
            redraw = 1;
            UpdateScrollBar();
            return false;
        }
        for (int j = 1; j < COLUMNS; ++j) {
            if (std::abs(px - CheckX(d, j)) <= CHECK_REACH && std::abs(py - middle) <= CHECK_REACH) {
                node->ToggleCheck(j);
                for (int column = 1; column < COLUMNS; ++column)
                    root.RecalcCheck(column);
                redraw = 1;
                return false;
            }
        }
        return true;
    });
}

void TCIDList::KeyDown(int key)
{
    const int page = Page();
    int counter = 0;
    root.Renumber(0, counter);
    if (!current) {
        if (root.children.empty())
            return;
        current = root.children.front().get();
    }
    redraw = 1;
    switch (key) {
    case Qt::Key_Space:
        current->expanded = current->expanded ? 0 : 1;
        if (!current->children.empty())
            UpdateScrollBar();
        break;
    case Qt::Key_PageUp:
        current = root.Step(0, current, -page);
        break;
    case Qt::Key_PageDown:
        current = root.Step(0, current, page);
        break;
    case Qt::Key_Home:
        current = root.Step(0, nullptr, 0);
        break;
    case Qt::Key_End:
        current = root.Step(0, nullptr, 1);
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        current = root.Step(0, current, -1);
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        current = root.Step(0, current, 1);
        break;
    case Qt::Key_Insert:
    case Qt::Key_Delete:
        // The node and its whole subtree in every column; the groups above
        // show their sums again after the next click.
        current->check[0] = key == Qt::Key_Insert ? 0 : 1;
        current->ToggleCheck(0);
        break;
    default:
        break;
    }
    if (current->row < topRow)
        topRow = current->row;
    else if (current->row >= topRow + page)
        topRow = current->row - page + 1;
    if (ScrollBar)
        ScrollBar->SetPosition(topRow);
}

void TCIDList::Wheel(int delta, Qt::MouseButtons buttons)
{
    if (!ScrollBar || (buttons & (Qt::LeftButton | Qt::RightButton)))
        return;
    const int step = ScrollBar->singleStep();
    ScrollBar->SetPosition(ScrollBar->Position() + (delta <= 0 ? step : -step));
}

void TCIDList::UpdateScrollBar()
{
    if (!ScrollBar)
        return;
    const int n = root.CountVisible(0);
    const int page = Page();
    if (n < 1) {
        ScrollBar->SetPosition(0);
        ScrollBar->SetEnabled(false);
        return;
    }
    // The bar's range ends where the last page starts, so its slider shows
    // the page and its end shows the last row at the bottom.
    ScrollBar->setRange(0, std::max(0, n - page));
    ScrollBar->SetLargeChange(page > 0 ? page : 1);
    ScrollBar->SetPosition(topRow);
    ScrollBar->SetSmallChange(1);
    ScrollBar->SetEnabled(true);
}

void TCIDList::mousePressEvent(QMouseEvent* event)
{
    pointerX = event->position().toPoint().x();
    pointerY = event->position().toPoint().y();
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    Click();
}

void TCIDList::mouseMoveEvent(QMouseEvent* event)
{
    pointerX = event->position().toPoint().x();
    pointerY = event->position().toPoint().y();
}

void TCIDList::mouseReleaseEvent(QMouseEvent* event)
{
    mouseMoveEvent(event);
}

// The second press of a double click only moves the pointer, so a quick
// double click on a box toggles it once.
void TCIDList::mouseDoubleClickEvent(QMouseEvent* event)
{
    mouseMoveEvent(event);
}

void TCIDList::wheelEvent(QWheelEvent* event)
{
    event->accept();
    // A sideways tilt is no turn of the wheel.
    if (const int delta = event->angleDelta().y())
        Wheel(delta, event->buttons());
}

void TCIDList::keyPressEvent(QKeyEvent* event)
{
    if (!IsListKey(event->key())) {
        event->ignore(); // Enter and Esc go on to the window's buttons
        return;
    }
    KeyDown(event->key());
    event->accept();
}

// The selection bar shows whether the list has the focus.
void TCIDList::focusInEvent(QFocusEvent* event)
{
    TCustomControl::focusInEvent(event);
    redraw = 1;
}

void TCIDList::focusOutEvent(QFocusEvent* event)
{
    TCustomControl::focusOutEvent(event);
    redraw = 1;
}

TFormCIDList::TFormCIDList(TComponent* owner)
    : TForm(owner)
{
    SetName("FormCIDList");
    SetCaption("FormCIDList");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    TForm::SetBounds(Left(), Top(), CLIENT_WIDTH, CLIENT_HEIGHT);

    List = new TCIDList(this);
    List->SetParent(this);
    List->SetBounds(LIST_LEFT, LIST_TOP, List->Width(), List->Height());
    if (const QImage* on = GetResourceBitmap("BTCHK"))
        List->CheckPicture.Assign(*on);
    if (const QImage* some = GetResourceBitmap("BTCHKSOME"))
        List->CheckSomePicture.Assign(*some);

    ButtonCancel = new TButton(this);
    ButtonCancel->SetName("ButtonCancel");
    ButtonCancel->SetParent(this);
    ButtonCancel->SetCaption("Cancel");
    ButtonCancel->SetModalResult(mrCancel);
    ButtonCancel->setAutoDefault(true);
    ButtonOK = new TButton(this);
    ButtonOK->SetName("ButtonOK");
    ButtonOK->SetParent(this);
    ButtonOK->SetCaption("OK");
    ButtonOK->SetModalResult(mrYes);
    ButtonOK->setAutoDefault(true);

    ScrollBar = new TScrollBar(this);
    ScrollBar->SetName("ScrollBar");
    ScrollBar->SetParent(this);
    ScrollBar->SetKind(sbVertical);
    List->ScrollBar = ScrollBar;

    for (QWidget* w : { static_cast<QWidget*>(List), static_cast<QWidget*>(ButtonCancel),
             static_cast<QWidget*>(ButtonOK), static_cast<QWidget*>(ScrollBar) })
        w->installEventFilter(this);

    TimerCIDList = new TTimer(this);
    TimerCIDList->SetName("TimerCIDList");
    TimerCIDList->SetInterval(100);
    TimerCIDList->OnTimer = [this](TObject*) { OnTimer(); };

    maxClientWidth = std::max(MAX_CLIENT_WIDTH, ClientWidth());
    maxClientHeight = std::max(MAX_CLIENT_HEIGHT, ClientHeight());
    // The window system keeps the user's dragging within the same limits.
    setMinimumSize(MIN_CLIENT_WIDTH, MIN_CLIENT_HEIGHT);
    setMaximumSize(maxClientWidth, maxClientHeight);
    OnResize = [this](TObject*) { Layout(); };
    Layout();
}

void TFormCIDList::SetBounds(int left, int top, int width, int height)
{
    if (!OnCanResize(width, height))
        return;
    TForm::SetBounds(left, top, width, height);
    if (List)
        Layout();
}

bool TFormCIDList::OnCanResize(int& newWidth, int& newHeight) const
{
    // The client is the whole window here: no frame lies between the two.
    const int cw = newWidth;
    const int ch = newHeight;
    const int CW = ClientWidth();
    const int CH = ClientHeight();
    const int minW = MIN_CLIENT_WIDTH;
    const int minH = MIN_CLIENT_HEIGHT;
    const int maxW = maxClientWidth;
    const int maxH = maxClientHeight;
    if (cw >= minW && cw <= maxW && ch >= minH && ch <= maxH)
        return true;
    // Already at a limit the request would pass, with nothing else to change.
    const bool atMaxW = CW >= maxW && cw >= maxW;
    const bool atMaxH = CH >= maxH && ch >= maxH;
    const bool atMinW = CW <= minW && cw <= minW;
    const bool atMinH = CH <= minH && ch <= minH;
    if ((atMaxW && ch == CH) || (atMaxH && cw == CW) || (atMaxW && atMaxH))
        return false;
    if ((atMinW && ch == CH) || (atMinH && cw == CW) || (atMinW && atMinH))
        return false;
    if (cw > maxW)
        newWidth -= cw - maxW;
    else if (cw < minW)
        newWidth += minW - cw;
    if (ch > maxH)
        newHeight -= ch - maxH;
    else if (ch < minH)
        newHeight += minH - ch;
    return true;
}

void TFormCIDList::Layout()
{
    const int cw = ClientWidth();
    const int ch = ClientHeight();
    const int listWidth = std::min(cw - 40, int(TCIDList::BACK_WIDTH));
    const int listHeight = std::min(ch - 58, int(TCIDList::BACK_HEIGHT));
    List->SetBounds(LIST_LEFT, LIST_TOP, std::max(listWidth, 0), std::max(listHeight, 0));
    List->redraw = 1;
    List->rowsRight = List->Width() - 14;
    List->rowsHeight = List->Height() - TCIDList::FIRST_ROW_Y - 2;
    ScrollBar->SetBounds(LIST_LEFT + List->Width(), LIST_TOP + 1, SCROLL_BAR_WIDTH, List->Height() - 1);
    List->UpdateScrollBar();
    ButtonCancel->SetBounds(10, ch - 30, BUTTON_WIDTH, BUTTON_HEIGHT);
    ButtonOK->SetBounds(100, ch - 30, BUTTON_WIDTH, BUTTON_HEIGHT);
}

void TFormCIDList::OnTimer()
{
    if (ScrollBar->Position() != List->topRow) {
        List->topRow = ScrollBar->Position();
        List->redraw = 1;
        List->SetFocus();
    }
    if (List->redraw)
        List->Render();
}

bool TFormCIDList::OnShortCut(int key)
{
    if (!IsArrowKey(key))
        return false;
    if (List->hasFocus())
        List->KeyDown(key);
    return true;
}

// The arrow keys are the window's before any control sees them: the buttons
// and the scroll bar would move the focus or the bar with them.
bool TFormCIDList::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (IsArrowKey(key->key())) {
            if (event->type() == QEvent::KeyPress)
                OnShortCut(key->key());
            event->accept();
            return true;
        }
    }
    return TForm::eventFilter(watched, event);
}

void TFormCIDList::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        ButtonCancel->Click();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ButtonOK->Click();
        return;
    default:
        if (OnShortCut(event->key()))
            return;
        TForm::keyPressEvent(event);
    }
}
