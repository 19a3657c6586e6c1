#pragma once
// The external monitor window: a drawing surface holding the user's widgets
// (`Place`) above a 16-pixel bar with the stay-on-top pin, the "Edit" toggle
// and a status field. Read-only mode scales the layout with the window; edit
// mode shows it at its base size with zoom 1.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "monitor/monitormodes.h"
#include "monitor/mywidgets.h"
#include "platform/controls.h"

class TMainForm;
class TPopupMenu;

// The image the widgets are painted on: one surface of the largest place
// size, allocated once.
class TMonImg : public TImage {
public:
    explicit TMonImg(TComponent* owner);
    ~TMonImg() override;

    void LayoutGroups();
    void PaintAll();
    void RouteMouseMove();
    void RouteLeftDown();
    void RouteLeftUp();
    void RouteRightDown();
    // A key by its virtual-key code: Insert adds a watch, Delete deletes the
    // selected widgets, then both groups get the key.
    void RouteKey(int key);
    void RouteWheel(int delta);
    void UpdateKeyState();
    void UpdateCursorAndReadout();
    // The position of the focused widget in the bar's right end, in edit mode.
    void DrawReadout();

    CMyGroup Place;
    CMyGroup BottomBar;
    CMyPin* PinButton;
    CMyButt* EditButton;
    CMyButt* StatusField;
    int BarHeight = 16;
    int MonitorMode = MODE_READ_ONLY;
    int LoadResult = 0;
    const QImage* LogoPicture = nullptr;
    int PointerX = 0;
    int PointerY = 0;
    int PointerInside = 0;
    int LeftDown = 0;
    int DblClickSeen = 0;
    int ShiftDown = 0;
    int CtrlDown = 0;
    // The pointer at the last right-button press: new widgets go there.
    int InsertX = 0;
    int InsertY = 0;
    // The window's popup menu, opened at a right-button press.
    TPopupMenu* PopupMenu = nullptr;

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void Groups(const std::function<void(CMyGroup&)>& f);
    // The pointer's position; true when it moved.
    bool TakePosition(QMouseEvent* event);
};

class TFormEM : public TForm {
public:
    explicit TFormEM(TComponent* owner);

    void OnFormCreate(TObject* Sender);
    void FormResize(TObject* Sender);
    void OnTimer(TObject* Sender);
    void OnActivate();
    // Corrects a requested outer size by the sizing rules; false refuses it.
    bool OnCanResize(int& newWidth, int& newHeight);
    // A key by its virtual-key code, with the state of Shift and Ctrl.
    void OnKeyDown(int key, bool shift, bool ctrl);
    void OnKeyUp(bool shift, bool ctrl);
    // One wheel event per timer period reaches the widgets.
    void OnMouseWheel(int delta);

    // The window with its frame, as far as the window system tells it; the
    // client size while the frame is not known.
    int OuterWidth() const;
    int OuterHeight() const;
    void SetOuterBounds(int left, int top, int width, int height);
    TRect OuterBounds() const;

    int MinPlaceWidth = 200;
    int MinPlaceHeight = 35;
    int MaxPlaceWidth = 1280;
    int MaxPlaceHeight = 1024;
    int StayOnTopState = 0;
    TMonImg* MonitorImage = nullptr;
    TTimer* TimerMonitor = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    int CaptionState = -1;
    int CaptionLang = 0;
    TLabel* ConnectionLabel = nullptr;
    int WheelSeen = 0;
    // The outer size before the current drag: taken on ticks with the left
    // button up and no resize in the last 150 ms.
    int IdleWidth = 0;
    int IdleHeight = 0;
    // The bytes of monitor.ini as last written or read, so that an unchanged
    // set is not written again.
    std::vector<uint8_t> IniBytes;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    int FrameWidth() const;
    int FrameHeight() const;
    bool correcting_ = false;
    bool resizeSeen_ = false;
    int lastResizeTmr_ = 0;
};

extern TFormEM* FormEM;

// Read-only mode (off) or edit mode (on) for the monitor window.
void SetEditMode(TFormEM* form, bool on);
// Shows the monitor: kind < 0 a preset (-1..-3) or the empty set (-1000),
// 0 the last set (monitor.ini on the first show of a run), 1 a set file
// chosen by the user.
void ShowExternalMonitor(TMainForm* form, int kind);

// "%3i,%3i %3ix%3i" of a widget's position and size.
std::string PositionReadout(const CMyComponent& w);

// Fills the window with preset 1, 2 or 3 or the empty set (1000) and
// returns 1; any other number changes nothing and returns 0.
int BuildPresetMonitorSet(TFormEM* form, int number);

// Monitor-set files of the window's widgets.
// 0 written, 1 the file could not be written.
int WriteMonitorSet(TFormEM* form, const std::string& path);
// 0 read, 1 cannot be opened, 2 not a monitor set, 3 bad text block,
// 4 bad picture block (the widgets read so far stay).
int ReadMonitorSet(TFormEM* form, const std::string& path);
// File dialog, read and message; the result is left in LoadResult (-1 when
// cancelled).
void LoadMonitorSet(TFormEM* form);
// File dialog, write and message.
void StoreMonitorSet(TMainForm* form);
// Save dialog and a listing of program lines that build the set again.
void ExportMonitorSetSource(TFormEM* form);
// The listing ExportMonitorSetSource writes, lines ending in "\r\n".
std::string MonitorSetSource(TFormEM* form);
// Writes monitor.ini when the set or the window's bounds changed since it was
// last written, or when the file is missing.
void SaveMonitorIni(TMainForm* form);
