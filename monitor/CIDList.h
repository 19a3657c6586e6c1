#pragma once
// The monitor's "Add watch" window: the tree of live-value definitions with a
// check-box column per widget kind ("Label", "Value", "Indicator"). The window
// and its tree live for the whole run and keep the opened and closed branches;
// the caller fills the check states before each showing and reads them after.

#include "monitor/cid.h"
#include "platform/controls.h"
#include "platform/graphics.h"

#include <functional>

class QKeyEvent;
class TButton;
class TScrollBar;

// The tree list. It draws into a fixed back bitmap when the window's timer
// finds `redraw` set, and never grows beyond that bitmap. The window and the
// caller reach its fields directly.
class TCIDList : public TCustomControl {
public:
    static constexpr int BACK_WIDTH = 600;
    static constexpr int BACK_HEIGHT = 800;
    static constexpr int HEADER_HEIGHT = 20;
    static constexpr int ROW_HEIGHT = 18;
    static constexpr int FIRST_ROW_Y = HEADER_HEIGHT + 3;

    explicit TCIDList(TComponent* owner);
    const char* ClassName() const override { return "TCIDList"; }

    // Draws the list into the back bitmap and shows it; clears `redraw`.
    void Render();
    // The left button went down at (pointerX, pointerY).
    void Click();
    // One of the list's keys (Qt key codes: Space, PageUp, PageDown, End,
    // Home, the arrows, Insert, Delete); other keys do nothing.
    void KeyDown(int key);
    // True for the keys KeyDown acts on.
    static bool IsListKey(int key);
    // A wheel turn moves the scroll bar a row; the window's timer follows with
    // `topRow`. Swallowed while the left or right button is held.
    void Wheel(int delta, Qt::MouseButtons buttons);
    // The scroll bar's range and page from the rows shown.
    void UpdateScrollBar();
    // What was drawn last, the whole back bitmap.
    const TBitmap& Back() const { return back_; }

    CID root; // the definitions' tree, built once when the list is made
    int redraw = 1; // the window's timer draws the list again while set
    int topRow = 0; // the first row shown (scroll position)
    CID* current = nullptr; // the selected row
    TScrollBar* ScrollBar = nullptr; // the window's, given by the window
    TBitmap CheckPicture; // "BTCHK": a box that is on
    TBitmap CheckSomePicture; // "BTCHKSOME": a group box with some children on
    int pointerX = 0;
    int pointerY = 0;
    int rowsRight = 0; // right end of the selection bar
    int rowsHeight = 0; // height of the row area

protected:
    void Paint() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // One shown row as the drawing and the clicks see it.
    struct RowSpot {
        CID* node;
        int depth; // 0 for the root's children
        int y; // top of the row
        const bool* laterSibling; // per level up to `depth`: more siblings follow
    };
    // Visits the shown rows in display order until `visit` returns false.
    void WalkRows(const std::function<bool(const RowSpot&)>& visit);
    void PaintRows();
    void PaintHeader();
    void PaintFrame();
    int Page() const;

    TBitmap back_;
};

// The picker window: the list, its scroll bar, "OK" (modal result 6) and
// "Cancel" (2, also Esc).
class TFormCIDList : public TForm {
public:
    static constexpr int MIN_CLIENT_WIDTH = 200;
    static constexpr int MIN_CLIENT_HEIGHT = 160;
    static constexpr int MAX_CLIENT_WIDTH = 640;
    static constexpr int MAX_CLIENT_HEIGHT = 520;

    explicit TFormCIDList(TComponent* owner);
    const char* ClassName() const override { return "TFormCIDList"; }

    // Sizes pass OnCanResize first.
    void SetBounds(int left, int top, int width, int height) override;
    // Places the list, its scroll bar and the buttons for the client size.
    void Layout();
    // Whether the window may take the requested size; a size past a limit is
    // corrected to the limit.
    bool OnCanResize(int& newWidth, int& newHeight) const;
    // Follows the scroll bar and draws the list when asked to.
    void OnTimer();
    // The arrow keys go to the list while it has the focus and never reach
    // another control; returns true for them.
    bool OnShortCut(int key);

    TCIDList* List = nullptr;
    TScrollBar* ScrollBar = nullptr;
    TButton* ButtonOK = nullptr;
    TButton* ButtonCancel = nullptr;
    TTimer* TimerCIDList = nullptr;
    int maxClientWidth = MAX_CLIENT_WIDTH;
    int maxClientHeight = MAX_CLIENT_HEIGHT;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

extern TFormCIDList* FormCIDList;
