#pragma once
// The program's forms and controls on Qt Widgets. Each control is its Qt
// widget and a TControl at once, so page code sets Left/Top/Caption/Hint and
// assigns OnClick handlers while tests can still type into the widget.
//
// Event rules the pages are written against:
// - setting Checked of a check box or radio button, or ItemIndex of a radio
//   group, in code raises OnClick (LoadingControls guards against it);
// - a combo box raises OnChange only for the user's pick, a page control
//   OnChange only for the user's tab change;
// - OnExit fires when the focus moves to another control of the same window,
//   not when the window loses activation.
// Texts at this interface are Windows-1250 bytes; they are converted only
// where they enter or leave a widget.

#include "platform/graphics.h"
#include "platform/object.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class QEventLoop;
class QMenuBar;

using TNotifyEvent = std::function<void(TObject* Sender)>;
// Key is a UTF-16 character; setting it to 0 swallows the key.
using TKeyPressEvent = std::function<void(TObject* Sender, char16_t& Key)>;

// Owner and name: a component is destroyed with its owner unless a parent
// widget or menu already destroys it, and the owner finds it by name.
class TComponent : public TObject {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    const char* ClassName() const override { return "TComponent"; }
    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    void SetName(std::string_view name);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }
    int ComponentCount() const { return int(components_.size()); }
    TComponent* Components(int index) const { return components_.at(index); }
    // Case-insensitive, as the names in the settings files are written.
    TComponent* FindComponent(std::string_view name) const;
    // The Qt object that children and timers hang on, when there is one.
    virtual QObject* Object() { return nullptr; }

protected:
    // True when a parent widget or menu will delete this component.
    virtual bool DeletedByParent();

private:
    TComponent* owner_;
    std::string name_;
    int tag_ = 0;
    std::vector<TComponent*> components_;
};

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

class TControl : public TComponent {
public:
    TControl(QWidget* self, TComponent* owner);
    ~TControl() override;

    const char* ClassName() const override { return "TControl"; }
    QWidget* Widget() const { return w_; }
    QObject* Object() override;
    // The widget children are placed in; a form's client area lies below its menu.
    virtual QWidget* ClientWidget() const { return w_; }

    TControl* Parent() const { return parent_; }
    virtual void SetParent(TControl* parent);
    // Children in the order they were given this parent, whatever their z-order.
    int ControlCount() const { return int(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(index); }

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetLeft(int left);
    void SetTop(int top);
    void SetWidth(int width);
    void SetHeight(int height);
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return { Left(), Top(), Left() + Width(), Top() + Height() }; }
    virtual int ClientWidth() const;
    virtual int ClientHeight() const;
    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);

    std::string Caption() const;
    void SetCaption(std::string_view text);
    void SetCaption(std::u16string_view text);
    // "short|long": the short part is the tool tip, the long part goes to the
    // application's OnHint while the mouse is over the control.
    const std::string& Hint() const { return hint_; }
    void SetHint(std::string_view hint);

    // The control's own flag; Showing() also needs every parent visible.
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Showing() const;
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFont* Font() { return &font_; }
    bool TabStop() const;
    void SetTabStop(bool tabStop);

    void SetFocus();
    bool Focused() const;
    bool CanFocus() const;
    void Invalidate();
    void Repaint();
    void BringToFront();

    TNotifyEvent OnExit;
    TNotifyEvent OnEnter;

protected:
    // Shows the caption in the widget; the default does nothing.
    virtual void ApplyCaption(const QString& text);
    // Sets the palette roles a colour or font colour paints.
    virtual void ApplyColor();
    virtual void ApplyFont();
    // The palette role the control's Color fills.
    virtual QPalette::ColorRole BackgroundRole() const { return QPalette::Window; }
    virtual QPalette::ColorRole TextRole() const { return QPalette::WindowText; }
    // The class's own default colour, kept without repainting the widget.
    void InitColor(TColor color) { color_ = color; }
    QString caption_;
    bool visible_ = true;

    void AlignControls();

private:
    friend class ControlEvents;
    void RemoveChild(TControl* child);

    QWidget* w_;
    TControl* parent_ = nullptr;
    std::vector<TControl*> controls_;
    std::string hint_;
    bool enabled_ = true;
    TColor color_ = clBtnFace;
    TFont font_;
    TAlign align_ = alNone;
};

// Parts of a "short|long" hint; a hint without '|' is both.
std::string GetShortHint(std::string_view hint);
std::string GetLongHint(std::string_view hint);

enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7 };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormStyle { fsNormal, fsStayOnTop };

class TMainMenu;

class TForm : public QWidget, public TControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;
    const char* ClassName() const override { return "TForm"; }
    QWidget* ClientWidget() const override { return client_; }

    void SetBounds(int left, int top, int width, int height) override;
    int ClientWidth() const override;
    int ClientHeight() const override;
    void SetClientWidth(int width);
    void SetClientHeight(int height);
    void SetVisible(bool visible) override;

    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* menu);
    QMenuBar* MenuBar();
    TControl* ActiveControl() const;
    // Moves the focus to the next (or previous) control in tab order, as
    // Enter in a parameter edit does; the edit left raises OnExit at once.
    void SelectNextControl(bool forward = true);
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle style);

    // Runs until ModalResult is set or the form is closed; returns the result.
    // With a modal answer set (tests), the form is shown, handed to it and
    // hidden again; no event loop runs, and a form left without a result
    // counts as closed (mrCancel).
    int ShowModal();
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result);
    void Close();
    // The client area as the user sees it, for printing.
    QImage GetFormImage();
    // Runs OnCreate; TApplication::CreateForm calls it once the form is built.
    void DoCreate();

    TNotifyEvent OnCreate;
    std::function<void(TObject* Sender, TCloseAction& Action)> OnClose;
    TNotifyEvent OnResize;
    TNotifyEvent OnShow;

protected:
    void closeEvent(QCloseEvent* event) override;
    // Esc clicks the form's cancel button and Enter its default button
    // (TButton::SetCancel, SetDefault); other keys go on as usual.
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void ApplyCaption(const QString& text) override;

private:
    void LayoutClient();
    int MenuHeight() const;
    QWidget* client_;
    QMenuBar* menuBar_ = nullptr;
    TMainMenu* menu_ = nullptr;
    TFormStyle formStyle_ = fsNormal;
    int modalResult_ = mrNone;
    QEventLoop* modalLoop_ = nullptr;
};

// The program's application object: its forms, the hint of the control under
// the mouse and the message pump.
class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;
    const char* ClassName() const override { return "TApplication"; }

    template <class Form, class... Args> Form* CreateForm(Args&&... args)
    {
        Form* form = new Form(this, std::forward<Args>(args)...);
        if (!mainForm_)
            mainForm_ = form;
        form->DoCreate();
        return form;
    }
    TForm* MainForm() const { return mainForm_; }
    const std::string& Hint() const { return hint_; }
    // Sets the long hint and raises OnHint when it changed.
    void SetHint(std::string_view hint);
    void ProcessMessages();
    int Run();
    void Terminate();

    TNotifyEvent OnHint;

private:
    TForm* mainForm_ = nullptr;
    std::string hint_;
};

// The program's one application object, or null before it exists.
extern TApplication* Application;

class TLabel : public QWidget, public TControl {
public:
    explicit TLabel(TComponent* owner);
    const char* ClassName() const override { return "TLabel"; }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    TAlignment Alignment() const { return alignment_; }
    // An auto-sized right-justified label keeps its right edge.
    void SetAlignment(TAlignment alignment);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wrap);

    TNotifyEvent OnClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void ApplyCaption(const QString& text) override;
    void ApplyColor() override;
    void ApplyFont() override;

private:
    void FitToText();
    QString shown_;
    // Until a colour is set the label shows its parent's background.
    bool parentColor_ = true;
    bool transparent_ = false;
    bool autoSize_ = true;
    bool wordWrap_ = false;
    TAlignment alignment_ = taLeftJustify;
};

class TGroupBox;
enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

class TBevel : public QWidget, public TControl {
public:
    explicit TBevel(TComponent* owner);
    const char* ClassName() const override { return "TBevel"; }
    TBevelShape Shape() const { return shape_; }
    void SetShape(TBevelShape shape);
    TBevelStyle Style() const { return style_; }
    void SetStyle(TBevelStyle style);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TBevelShape shape_ = bsBox;
    TBevelStyle style_ = bsLowered;
};

class TImage : public QWidget, public TControl {
public:
    explicit TImage(TComponent* owner);
    const char* ClassName() const override { return "TImage"; }
    // Drawing on the picture shows after Invalidate().
    TBitmap* Picture() { return &picture_; }
    TCanvas* Canvas() { return picture_.Canvas(); }
    bool Stretch() const { return stretch_; }
    void SetStretch(bool stretch);
    bool Center() const { return center_; }
    void SetCenter(bool center);

    TNotifyEvent OnClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TBitmap picture_;
    bool stretch_ = false;
    bool center_ = false;
};

// Base of the controls the program draws itself. Paint() draws on Canvas(),
// a bitmap the size of the control that is then shown in one piece; the
// Qt mouse and key handlers stay open to overriding.
class TCustomControl : public QWidget, public TControl {
public:
    explicit TCustomControl(TComponent* owner);
    const char* ClassName() const override { return "TCustomControl"; }
    TCanvas* Canvas() { return back_.Canvas(); }
    // The last painted picture.
    const TBitmap& BackBitmap() const { return back_; }

protected:
    virtual void Paint() { }
    void paintEvent(QPaintEvent* event) override;

private:
    TBitmap back_;
};

// Runs OnTimer every Interval milliseconds while Enabled, also inside modal
// loops, as the main window's tick expects.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;
    const char* ClassName() const override { return "TTimer"; }
    QObject* Object() override;
    int Interval() const { return interval_; }
    void SetInterval(int ms);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    TNotifyEvent OnTimer;

private:
    void Update();
    QTimer timer_;
    int interval_ = 1000;
    bool enabled_ = true;
};

// What answers modal forms instead of the user: it gets the shown form and
// sets its result (clicks its buttons, sets ModalResult). Tests install one
// so that no modal window waits for a person.
using ModalAnswer = std::function<void(TForm* form)>;
// Installs `answer` (empty: the user answers again) and returns the previous.
ModalAnswer SetModalAnswer(ModalAnswer answer);

class ScopedModalAnswer {
public:
    explicit ScopedModalAnswer(ModalAnswer answer)
        : previous_(SetModalAnswer(std::move(answer)))
    {
    }
    ~ScopedModalAnswer() { SetModalAnswer(std::move(previous_)); }
    ScopedModalAnswer(const ScopedModalAnswer&) = delete;
    ScopedModalAnswer& operator=(const ScopedModalAnswer&) = delete;

private:
    ModalAnswer previous_;
};
