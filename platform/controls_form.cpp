// Forms, their client area below the menu bar and modal runs; the
// application object.
#include "platform/controls.h"

#include "platform/controls_detail.h"
#include "platform/menus.h"
#include "platform/stdctrls.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenuBar>

#include <algorithm>

using controls_detail::ControlOf;
using controls_detail::FormClient;

TForm::TForm(TComponent* owner)
    : QWidget(nullptr, Qt::Window)
    , TControl(this, owner)
    , client_(new FormClient(this))
{
    visible_ = false;
    client_->setGeometry(rect());
    SetColor(clBtnFace);
}

TForm::~TForm() = default;

void TForm::SetBounds(int left, int top, int width, int height)
{
    move(left, top);
    resize(std::max(width, 0), std::max(height, 0));
    LayoutClient();
}

int TForm::ClientWidth() const
{
    return width();
}

int TForm::ClientHeight() const
{
    return std::max(height() - MenuHeight(), 0);
}

int TForm::MenuHeight() const
{
    return menuBar_ ? menuBar_->sizeHint().height() : 0;
}

void TForm::SetClientWidth(int width)
{
    resize(width, height());
    LayoutClient();
}

void TForm::SetClientHeight(int h)
{
    resize(width(), h + MenuHeight());
    LayoutClient();
}

void TForm::SetVisible(bool visible)
{
    visible_ = visible;
    setVisible(visible);
}

QMenuBar* TForm::MenuBar()
{
    if (!menuBar_) {
        int clientHeight = ClientHeight();
        menuBar_ = new QMenuBar(this);
        menuBar_->setNativeMenuBar(false);
        resize(width(), clientHeight + MenuHeight());
        LayoutClient();
    }
    return menuBar_;
}

void TForm::SetMenu(TMainMenu* menu)
{
    menu_ = menu;
    if (menu)
        menu->AttachTo(MenuBar());
}

// Hidden windows get their resize events only when shown, so the client area
// and its aligned controls are laid out here at once.
void TForm::LayoutClient()
{
    int top = MenuHeight();
    if (menuBar_) {
        menuBar_->setGeometry(0, 0, width(), top);
        menuBar_->show();
    }
    client_->setGeometry(0, top, width(), ClientHeight());
    AlignControls();
}

TControl* TForm::ActiveControl() const
{
    QWidget* f = focusWidget();
    return f ? ControlOf(f) : nullptr;
}

void TForm::SetFormStyle(TFormStyle style)
{
    formStyle_ = style;
    setWindowFlag(Qt::WindowStaysOnTopHint, style == fsStayOnTop);
}

namespace {
ModalAnswer& CurrentModalAnswer()
{
    static ModalAnswer answer;
    return answer;
}
} // namespace

ModalAnswer SetModalAnswer(ModalAnswer answer)
{
    std::swap(CurrentModalAnswer(), answer);
    return answer;
}

int TForm::ShowModal()
{
    modalResult_ = mrNone;
    if (ModalAnswer answer = CurrentModalAnswer()) {
        SetVisible(true);
        answer(this);
        SetVisible(false);
        if (modalResult_ == mrNone)
            modalResult_ = mrCancel;
        return modalResult_;
    }
    setWindowModality(Qt::ApplicationModal);
    SetVisible(true);
    QEventLoop loop;
    modalLoop_ = &loop;
    if (modalResult_ == mrNone)
        loop.exec();
    modalLoop_ = nullptr;
    SetVisible(false);
    setWindowModality(Qt::NonModal);
    return modalResult_;
}

void TForm::SetModalResult(int result)
{
    modalResult_ = result;
    if (result != mrNone && modalLoop_)
        modalLoop_->quit();
}

void TForm::Close()
{
    close();
}

void TForm::closeEvent(QCloseEvent* event)
{
    TCloseAction action = caHide;
    if (OnClose)
        OnClose(this, action);
    if (action == caNone) {
        event->ignore();
        return;
    }
    visible_ = false;
    event->accept();
    if (modalLoop_) {
        if (modalResult_ == mrNone)
            modalResult_ = mrCancel;
        modalLoop_->quit();
    } else if (action == caFree)
        deleteLater();
}

void TForm::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const bool escape = event->key() == Qt::Key_Escape && mods == Qt::NoModifier;
    const bool enter = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && mods == Qt::NoModifier;
    if (escape || enter)
        for (TButton* button : findChildren<TButton*>())
            if ((escape ? button->Cancel() : button->Default()) && button->isVisibleTo(this) && button->isEnabled()) {
                event->accept();
                button->Click();
                return;
            }
    QWidget::keyPressEvent(event);
}

void TForm::SelectNextControl(bool forward)
{
    focusNextPrevChild(forward);
}

void TForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayoutClient();
    if (OnResize)
        OnResize(this);
}

void TForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (OnShow && !event->spontaneous())
        OnShow(this);
}

void TForm::ApplyCaption(const QString& text)
{
    setWindowTitle(text);
}

QImage TForm::GetFormImage()
{
    return client_->grab().toImage();
}

void TForm::DoCreate()
{
    if (OnCreate)
        OnCreate(this);
}

TApplication::TApplication()
    : TComponent(nullptr)
{
    Application = this;
}

TApplication::~TApplication()
{
    if (Application == this)
        Application = nullptr;
}

void TApplication::SetHint(std::string_view hint)
{
    if (hint == hint_)
        return;
    hint_ = hint;
    if (OnHint)
        OnHint(this);
}

void TApplication::ProcessMessages()
{
    QCoreApplication::processEvents();
}

int TApplication::Run()
{
    return QCoreApplication::exec();
}

void TApplication::Terminate()
{
    QCoreApplication::quit();
}
