#include "monitor/ExtMon.h"

#include "app/bitmaps.h"
#include "app/main.h"
#include "monitor/monitorpopup.h"
#include "monitor/monitorsizing.h"
#include "platform/clock.h"
#include "platform/menus.h"
#include "platform/screen.h"
#include "texts/langtext.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cstdio>

TFormEM* FormEM = nullptr;

namespace {

const char* const READ_ONLY_TEXT = "###Read only##nur Lese##Úpravy uzamčeny";
const char* const EDIT_TEXT = "###Edit##Edieren##Úpravy";
const char* const NO_CONNECTION_CAPTION
    = "###External monitor   (!!! No connection with PC !!!)##External monitor   (!!! "
      "Keine Verbindung zum PC !!!)##External monitor   (!!! Není spojení s PC !!!)";
const char* const CONNECTED_CAPTION
    = "###External monitor   (Connected)##External monitor   (Verbindung)##Externí monitor   (Spojeno)";

template <class B> B* AddButton(CMyGroup& bar, int type)
{
    auto* b = new B;
    b->type = type;
    bar.Insert(b);
    return b;
}

// The window shown with its outer bounds moved onto a screen. The same
// bounds are set again once it shows, as only then the window system tells
// the frame: the window keeps its outer size from run to run.
void ShowFitted(TFormEM* em)
{
    const TRect r = FitRectToMonitors(em->OuterBounds(), ScreenMonitors());
    em->SetOuterBounds(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
    em->Show();
    em->SetOuterBounds(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}

// A resize counts as over once none came for this long.
constexpr int RESIZE_SETTLE_MS = 150;

// The virtual-key code of a Qt key, 0 for keys the widgets do not know.
int VirtualKey(int key)
{
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return vkey::Tab;
    case Qt::Key_Left:
        return vkey::Left;
    case Qt::Key_Up:
        return vkey::Up;
    case Qt::Key_Right:
        return vkey::Right;
    case Qt::Key_Down:
        return vkey::Down;
    case Qt::Key_Insert:
        return vkey::Insert;
    case Qt::Key_Delete:
        return vkey::Delete;
    default:
        // Digits and capital letters have the same codes.
        return (key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z) ? key : 0;
    }
}

} // namespace

TMonImg::TMonImg(TComponent* owner)
    : TImage(owner)
{
    MonitorPlace = &Place;
    setMouseTracking(true);
    BottomBar.grip = 1;
    PinButton = AddButton<CMyPin>(BottomBar, CMyButt::Toggle);
    EditButton = AddButton<CMyButt>(BottomBar, CMyButt::Toggle);
    EditButton->caption = EDIT_TEXT;
    StatusField = AddButton<CMyButt>(BottomBar, CMyButt::Passive);
    StatusField->TextColor = clSilver;
    StatusField->AlignV = -1;
    StatusField->caption = READ_ONLY_TEXT;
}

TMonImg::~TMonImg()
{
    if (MonitorPlace == &Place)
        MonitorPlace = nullptr;
}

void TMonImg::LayoutGroups()
{
    const int w = Width();
    const int h = Height();
    Place.Left = 0;
    Place.Top = 0;
    Place.Width = w;
    Place.Height = h - BarHeight;
    Place.SetColor(Color());
    if (MonitorMode == MODE_EDIT) {
        Place.origWidth = Place.Width;
        Place.origHeight = Place.Height;
    } else if (MonitorMode == MODE_READ_ONLY) {
        if (Place.origWidth == 0)
            Place.origWidth = Place.Width;
        if (Place.origHeight == 0)
            Place.origHeight = Place.Height;
        float zoom = Place.origWidth > 0 ? float(Place.Width) / float(Place.origWidth) : float(Place.Width);
        if (zoom < 0.1f)
            zoom = 0.1f;
        Place.SetZoom(zoom);
    }
    const int barTop = h - BarHeight + 1;
    BottomBar.Left = 0;
    BottomBar.Top = barTop;
    BottomBar.Width = w;
    BottomBar.Height = BarHeight;
    BottomBar.SetColor(Color());
    const int lefts[] = { 0, 14, 55 };
    const int widths[] = { 13, 40, w - 55 - 1 };
    for (int i = 0; i < 3; ++i) {
        CMyComponent* b = BottomBar.items[size_t(i)];
        b->Left = lefts[i];
        b->Width = widths[i];
        b->Top = barTop;
        b->Height = BarHeight;
    }
    PaintAll();
}

void TMonImg::PaintAll()
{
    TCanvas* c = Canvas();
    c->Pen.Color = Color();
    c->Brush.Color = Color();
    c->Brush.Style = bsSolid;
    c->Rectangle(0, 0, Width(), Height());
    if (!Place.canvas)
        Place.SetCanvas(c);
    if (!BottomBar.canvas)
        BottomBar.SetCanvas(c);
    Place.Paint();
    BottomBar.Paint();
    Invalidate();
}

TFormEM::TFormEM(TComponent* owner)
    : TForm(owner)
{
    SetName("FormEM");
    SetCaption("External Monitor");
    SetClientWidth(453);
    SetClientHeight(312);
    TimerMonitor = new TTimer(this);
    TimerMonitor->SetInterval(100);
    TimerMonitor->OnTimer = [this](TObject* s) { OnTimer(s); };
    PopupMenu1 = new TPopupMenu(this);
    OnCreate = [this](TObject* s) { OnFormCreate(s); };
    OnResize = [this](TObject* s) { FormResize(s); };
    setFocusPolicy(Qt::StrongFocus);
}

int TFormEM::FrameWidth() const
{
    return std::max(frameGeometry().width() - geometry().width(), 0);
}

int TFormEM::FrameHeight() const
{
    return std::max(frameGeometry().height() - geometry().height(), 0);
}

int TFormEM::OuterWidth() const
{
    return Width() + FrameWidth();
}

int TFormEM::OuterHeight() const
{
    return Height() + FrameHeight();
}

void TFormEM::SetOuterBounds(int left, int top, int width, int height)
{
    SetBounds(left, top, width - FrameWidth(), height - FrameHeight());
}

TRect TFormEM::OuterBounds() const
{
    return { Left(), Top(), Left() + OuterWidth(), Top() + OuterHeight() };
}

bool TFormEM::OnCanResize(int& newWidth, int& newHeight)
{
    if (!MonitorImage)
        return true;
    const TMonImg& img = *MonitorImage;
    const CMyGroup& place = img.Place;
    MonitorSizing s;
    s.mode = img.MonitorMode;
    s.placeWidth = place.Width;
    s.placeHeight = place.Height;
    s.windowWidth = place.Width + FrameWidth();
    s.windowHeight = place.Height + img.BarHeight + FrameHeight();
    s.idleWidth = IdleWidth;
    s.idleHeight = IdleHeight;
    s.origWidth = place.origWidth;
    s.origHeight = place.origHeight;
    s.minWidth = MinPlaceWidth;
    s.minHeight = MinPlaceHeight;
    s.maxWidth = MaxPlaceWidth;
    s.maxHeight = MaxPlaceHeight;
    for (const CMyComponent* w : place.items) {
        s.extentRight = std::max(s.extentRight, w->Left + w->Width);
        s.extentBottom = std::max(s.extentBottom, w->Top + w->Height);
    }
    s.barHeight = img.BottomBar.Height;
    return CanResize(s, newWidth, newHeight);
}

// The window system has resized the window already: a corrected or refused
// size is put right at once, and the layout follows the size it ends with.
void TFormEM::resizeEvent(QResizeEvent* event)
{
    lastResizeTmr_ = TmrNow();
    resizeSeen_ = true;
    if (!correcting_ && MonitorImage && event->oldSize().isValid()) {
        int w = event->size().width() + FrameWidth();
        int h = event->size().height() + FrameHeight();
        const QSize target = OnCanResize(w, h) ? QSize(w - FrameWidth(), h - FrameHeight()) : event->oldSize();
        if (target != event->size()) {
            correcting_ = true;
            resize(target);
            correcting_ = false;
        }
    }
    TForm::resizeEvent(event);
}

void TFormEM::OnActivate()
{
    if (MonitorImage)
        MonitorImage->UpdateKeyState();
}

void TFormEM::OnKeyDown(int key, bool shift, bool ctrl)
{
    if (!MonitorImage)
        return;
    MonitorImage->ShiftDown = shift ? 1 : 0;
    MonitorImage->CtrlDown = ctrl ? 1 : 0;
    MonitorImage->RouteKey(key);
}

void TFormEM::OnKeyUp(bool shift, bool ctrl)
{
    if (!MonitorImage)
        return;
    MonitorImage->ShiftDown = shift ? 1 : 0;
    MonitorImage->CtrlDown = ctrl ? 1 : 0;
}

void TFormEM::OnMouseWheel(int delta)
{
    if (WheelSeen || !MonitorImage)
        return;
    WheelSeen = 1;
    MonitorImage->RouteWheel(delta);
}

void TFormEM::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (const int key = VirtualKey(event->key()))
        OnKeyDown(key, mods.testFlag(Qt::ShiftModifier), mods.testFlag(Qt::ControlModifier));
    event->accept();
}

void TFormEM::keyReleaseEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers();
    OnKeyUp(mods.testFlag(Qt::ShiftModifier), mods.testFlag(Qt::ControlModifier));
    event->accept();
}

void TFormEM::wheelEvent(QWheelEvent* event)
{
    OnMouseWheel(event->angleDelta().y());
    event->accept();
}

void TFormEM::changeEvent(QEvent* event)
{
    TForm::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        OnActivate();
}

// Tab moves the focus among the widgets, not among Qt's controls.
bool TFormEM::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return TForm::event(event);
}

void TFormEM::OnFormCreate(TObject*)
{
    StayOnTopState = 0;
    SetFormStyle(fsNormal);
    MonitorImage = new TMonImg(this);
    MonitorImage->SetParent(this);
    MonitorImage->SetColor(Color());
    if (ClientWidth() > MaxPlaceWidth)
        MaxPlaceWidth = ClientWidth();
    if (ClientHeight() > MaxPlaceHeight)
        MaxPlaceHeight = ClientHeight();
    MonitorImage->Picture()->SetSize(MaxPlaceWidth, MaxPlaceHeight);
    MonitorImage->SetBounds(0, 0, MaxPlaceWidth, MaxPlaceHeight);
    MonitorImage->PaintAll();
    MonitorImage->SetBounds(0, 0, ClientWidth(), ClientHeight());
    MonitorImage->LayoutGroups();
    MonitorImage->PopupMenu = PopupMenu1;
    CaptionState = -1;
}

void TFormEM::FormResize(TObject*)
{
    if (!MonitorImage)
        return;
    MonitorImage->SetBounds(0, 0, ClientWidth(), ClientHeight());
    MonitorImage->LayoutGroups();
}

void TFormEM::OnTimer(TObject*)
{
    if (!MonitorImage)
        return;
    TMonImg& img = *MonitorImage;
    WheelSeen = 0;
    if (!(QGuiApplication::mouseButtons() & Qt::LeftButton)
        && (!resizeSeen_ || TmrSince(lastResizeTmr_) >= RESIZE_SETTLE_MS)) {
        IdleWidth = OuterWidth();
        IdleHeight = OuterHeight();
    }
    img.UpdateKeyState();
    if (img.PinButton->state == 1 && StayOnTopState == 0) {
        StayOnTopState = 1;
        SetFormStyle(fsStayOnTop);
    } else if (img.PinButton->state == 0 && StayOnTopState == 1) {
        StayOnTopState = 0;
        SetFormStyle(fsNormal);
    }
    if (img.EditButton->state == 1 && img.MonitorMode == MODE_READ_ONLY)
        SetEditMode(this, true);
    else if (img.EditButton->state == 0 && img.MonitorMode != MODE_READ_ONLY)
        SetEditMode(this, false);
    img.Place.PaintDirty();
    img.BottomBar.PaintDirty();
    img.Invalidate();
    if (!ConnectionLabel)
        return;
    if (ConnectionLabel->Visible() && (CaptionState != 0 || CaptionLang != LangIndex)) {
        SetCaption(SelectLangText(NO_CONNECTION_CAPTION));
        CaptionState = 0;
        CaptionLang = LangIndex;
    } else if (!ConnectionLabel->Visible() && (CaptionState != 1 || CaptionLang != LangIndex)) {
        SetCaption(SelectLangText(CONNECTED_CAPTION));
        CaptionState = 1;
        CaptionLang = LangIndex;
    }
}

void SetEditMode(TFormEM* form, bool on)
{
    TMonImg& img = *form->MonitorImage;
    if (on) {
        img.EditButton->TextColor = clRed;
        img.StatusField->caption = "";
        img.EditButton->state = 1;
        img.EditButton->Down = 1;
        img.MonitorMode = MODE_SWITCHING;
        form->SetClientWidth(img.Place.origWidth);
        form->SetClientHeight(img.Place.origHeight + img.BarHeight);
        img.MonitorMode = MODE_EDIT;
        form->FormResize(form);
        img.Place.editMode = 1;
        img.Place.Focus(nullptr);
        img.Place.SetZoom(1.0f);
    } else {
        img.EditButton->TextColor = clBlack;
        img.StatusField->caption = READ_ONLY_TEXT;
        img.EditButton->state = 0;
        img.EditButton->Down = 0;
        img.MonitorMode = MODE_READ_ONLY;
        img.Place.editMode = 0;
        img.Place.ClearSelection();
        img.Place.Focus(nullptr);
    }
    img.BottomBar.MarkDirty(2);
    img.Place.MarkDirty(2);
}

void ShowExternalMonitor(TMainForm* form, int kind)
{
    form->ExtMonitorAtStart = 0;
    TFormEM* em = FormEM;
    if (!em || !em->MonitorImage)
        return;
    TMonImg& img = *em->MonitorImage;
    em->ConnectionLabel = form->LabelConnection;
    img.LogoPicture = GetResourceBitmap("LOGO_MORVANTA160x80");
    auto shown = [&] {
        form->MonitorShown = 1;
        form->MenuMonitorStore->SetEnabled(true);
    };
    // A set read or built while loading is laid out at its own zoom once
    // the mode is final.
    auto settle = [&](bool edit) {
        SetEditMode(em, edit);
        em->FormResize(em);
        em->Show();
        img.PaintAll();
    };
    if (kind < 0) {
        const int mode = img.MonitorMode;
        img.MonitorMode = MODE_LOADING;
        if (!BuildPresetMonitorSet(em, -kind)) {
            img.MonitorMode = mode;
            return;
        }
        shown();
        ShowFitted(em);
        settle(kind == -1000);
    } else if (kind == 0) {
        if (!form->MonitorShown) {
            img.MonitorMode = MODE_LOADING;
            ReadMonitorSet(em, form->MonitorIniPath);
            shown();
            SetEditMode(em, false);
        }
        ShowFitted(em);
        settle(img.MonitorMode == MODE_EDIT);
    } else if (kind == 1) {
        const int mode = img.MonitorMode;
        img.MonitorMode = MODE_LOADING;
        LoadMonitorSet(em);
        if (img.LoadResult != 0) {
            img.MonitorMode = mode;
            return;
        }
        shown();
        ShowFitted(em);
        settle(false);
    }
}

void TMonImg::Groups(const std::function<void(CMyGroup&)>& f)
{
    for (CMyGroup* g : { &Place, &BottomBar }) {
        g->shift = ShiftDown;
        g->ctrl = CtrlDown;
        f(*g);
    }
}

void TMonImg::UpdateKeyState()
{
    const Qt::KeyboardModifiers mods = QGuiApplication::queryKeyboardModifiers();
    ShiftDown = mods.testFlag(Qt::ShiftModifier) ? 1 : 0;
    CtrlDown = mods.testFlag(Qt::ControlModifier) ? 1 : 0;
}

bool TMonImg::TakePosition(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    PointerInside = p.x() >= 0 && p.x() <= Width() && p.y() >= 0 && p.y() <= Height() ? 1 : 0;
    ShiftDown = event->modifiers().testFlag(Qt::ShiftModifier) ? 1 : 0;
    CtrlDown = event->modifiers().testFlag(Qt::ControlModifier) ? 1 : 0;
    if (p.x() == PointerX && p.y() == PointerY)
        return false;
    PointerX = p.x();
    PointerY = p.y();
    return true;
}

void TMonImg::RouteMouseMove()
{
    Groups([this](CMyGroup& g) {
        g.mouseX = PointerX;
        g.mouseY = PointerY;
        const int was = g.hover;
        g.hover = PointerInside && g.Contains(PointerX, PointerY) ? 1 : 0;
        if (was == 1 && g.hover == 0)
            g.MouseLeave();
        g.MouseMove();
    });
}

void TMonImg::RouteLeftDown()
{
    LeftDown = 1;
    if (DblClickSeen) {
        DblClickSeen = 0;
        return;
    }
    Groups([this](CMyGroup& g) {
        if (g.hover == 1 && !(&g == &Place && g.editMode == 0)) {
            g.button = 1;
            g.MouseDown();
        }
    });
}

void TMonImg::RouteLeftUp()
{
    Groups([this](CMyGroup& g) {
        if (g.hover == 1 || LeftDown)
            g.MouseUp();
    });
    LeftDown = 0;
}

void TMonImg::RouteRightDown()
{
    InsertX = PointerX;
    InsertY = PointerY;
    Groups([this](CMyGroup& g) {
        if (g.hover == 1 && !(&g == &Place && g.editMode != 1)) {
            g.button = 2;
            g.MouseDown();
        }
    });
    BuildMonitorPopup(this);
}

void TMonImg::RouteKey(int key)
{
    if (key == vkey::Insert)
        AddWatch(this);
    else if (key == vkey::Delete)
        DeleteSelectedWidgets(this);
    Groups([key](CMyGroup& g) { g.KeyPress(key); });
    if (EditButton->state == 1)
        DrawReadout();
}

void TMonImg::RouteWheel(int delta)
{
    Groups([delta](CMyGroup& g) {
        if (g.hover == 1)
            g.MouseWheel(delta);
    });
}

std::string PositionReadout(const CMyComponent& w)
{
    char text[64];
    std::snprintf(text, sizeof text, "%3i,%3i %3ix%3i", w.Left, w.Top, w.Width, w.Height);
    return text;
}

void TMonImg::UpdateCursorAndReadout()
{
    if (Place.hover == 1) {
        Qt::CursorShape shape = Qt::ArrowCursor;
        switch (Place.cursor) {
        case mycursor::Cross:
            shape = Qt::CrossCursor;
            break;
        case mycursor::SizeAll:
            shape = Qt::SizeAllCursor;
            break;
        case mycursor::SizeNS:
            shape = Qt::SizeVerCursor;
            break;
        case mycursor::SizeWE:
            shape = Qt::SizeHorCursor;
            break;
        case mycursor::SizeNWSE:
            shape = Qt::SizeFDiagCursor;
            break;
        case mycursor::SizeNESW:
            shape = Qt::SizeBDiagCursor;
            break;
        default:
            break;
        }
        setCursor(shape);
    } else {
        unsetCursor();
    }
    if (EditButton->state == 1)
        DrawReadout();
}

void TMonImg::DrawReadout()
{
    const int w = Width();
    const int h = Height();
    TCanvas* c = Canvas();
    c->Brush.Style = bsSolid;
    c->Brush.Color = Color();
    c->Pen.Color = Color();
    c->Rectangle(w - 120, h - 14, w - 15, h);
    if (const CMyComponent* f = Place.focused) {
        c->Brush.Style = bsClear;
        c->Font.SetColor(clBlack);
        c->TextOut(w - 120, h - 14, PositionReadout(*f));
    }
    Invalidate();
}

void TMonImg::mouseMoveEvent(QMouseEvent* event)
{
    if (TakePosition(event))
        RouteMouseMove();
    UpdateCursorAndReadout();
}

void TMonImg::mousePressEvent(QMouseEvent* event)
{
    if (TakePosition(event))
        RouteMouseMove();
    if (event->button() == Qt::LeftButton)
        RouteLeftDown();
    else if (event->button() == Qt::RightButton) {
        RouteRightDown();
        if (PopupMenu)
            PopupMenu->Popup(event->globalPosition().toPoint().x(), event->globalPosition().toPoint().y());
    }
    UpdateCursorAndReadout();
}

void TMonImg::mouseReleaseEvent(QMouseEvent* event)
{
    if (TakePosition(event))
        RouteMouseMove();
    if (event->button() == Qt::LeftButton)
        RouteLeftUp();
    UpdateCursorAndReadout();
}

// Qt delivers the second press of a double click as this event alone: the
// double click is handled, then the press it stands for is swallowed.
void TMonImg::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    if (TakePosition(event))
        RouteMouseMove();
    if (Place.hover == 1)
        Place.DblClick();
    if (Place.focused)
        ShowWidgetProperties(this);
    DblClickSeen = 1;
    RouteLeftDown();
    UpdateCursorAndReadout();
}
