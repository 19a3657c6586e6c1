#pragma once
// Edit boxes, buttons and list controls.

#include "platform/controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QToolButton>

#include <string>
#include <string_view>
#include <vector>

class TEdit : public QLineEdit, public TControl {
public:
    explicit TEdit(TComponent* owner);
    const char* ClassName() const override { return "TEdit"; }
    std::string Text() const;
    // Raises OnChange when the text differs, as a user's typing does.
    void SetText(std::string_view text);
    int MaxLength() const { return maxLength(); }
    void SetMaxLength(int length);
    bool ReadOnly() const { return isReadOnly(); }
    void SetReadOnly(bool readOnly) { setReadOnly(readOnly); }

    TNotifyEvent OnChange;
    TKeyPressEvent OnKeyPress;

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    QPalette::ColorRole BackgroundRole() const override { return QPalette::Base; }
    QPalette::ColorRole TextRole() const override { return QPalette::Text; }
};

// A multi-line edit. MaxLength counts characters with each line break as two,
// as the stored notes count them; 0 means no limit.
class TMemo : public QPlainTextEdit, public TControl {
public:
    explicit TMemo(TComponent* owner);
    const char* ClassName() const override { return "TMemo"; }
    std::string Text() const;
    void SetText(std::string_view text);
    int LineCount() const;
    std::string Line(int index) const;
    std::u16string LineW(int index) const;
    void AddLine(std::string_view line);
    void AddLine(std::u16string_view line);
    void Clear();
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length) { maxLength_ = length; }
    bool ReadOnly() const { return isReadOnly(); }
    void SetReadOnly(bool readOnly) { setReadOnly(readOnly); }

    TNotifyEvent OnChange;
    TKeyPressEvent OnKeyPress;

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void insertFromMimeData(const QMimeData* source) override;
    QPalette::ColorRole BackgroundRole() const override { return QPalette::Base; }
    QPalette::ColorRole TextRole() const override { return QPalette::Text; }

private:
    int Length() const;
    int Room() const;
    int maxLength_ = 0;
};

// Rich text window; shows plain text for now.
class TRichEdit : public QTextEdit, public TControl {
public:
    explicit TRichEdit(TComponent* owner);
    const char* ClassName() const override { return "TRichEdit"; }
    std::string Text() const;
    void SetText(std::string_view text);
    void AddLine(std::string_view line);
    void Clear() { clear(); }
    bool ReadOnly() const { return isReadOnly(); }
    void SetReadOnly(bool readOnly) { setReadOnly(readOnly); }
    // With PlainText off, LoadLines reads its text as RTF (platform/rtf.h).
    bool PlainText() const { return plainText_; }
    void SetPlainText(bool plain) { plainText_ = plain; }
    // Replaces the content by the 8-bit text.
    void LoadLines(std::string_view text);

protected:
    QPalette::ColorRole BackgroundRole() const override { return QPalette::Base; }
    QPalette::ColorRole TextRole() const override { return QPalette::Text; }

private:
    bool plainText_ = false;
};

class TButton : public QPushButton, public TControl {
public:
    explicit TButton(TComponent* owner);
    const char* ClassName() const override { return "TButton"; }
    // A non-zero result closes the modal form the button sits on.
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    // What a user's click does.
    void Click();

    TNotifyEvent OnClick;

protected:
    void ApplyCaption(const QString& text) override { setText(text); }
    QPalette::ColorRole BackgroundRole() const override { return QPalette::Button; }
    QPalette::ColorRole TextRole() const override { return QPalette::ButtonText; }

private:
    int modalResult_ = 0;
};

class TBitBtn : public TButton {
public:
    explicit TBitBtn(TComponent* owner)
        : TButton(owner)
    {
    }
    const char* ClassName() const override { return "TBitBtn"; }
    void SetGlyph(const TBitmap& glyph);
};

// A tool-bar button: clicking it never takes the focus from the edit box
// being worked in.
class TSpeedButton : public QToolButton, public TControl {
public:
    explicit TSpeedButton(TComponent* owner);
    const char* ClassName() const override { return "TSpeedButton"; }
    void SetGlyph(const TBitmap& glyph);
    bool Flat() const { return autoRaise(); }
    void SetFlat(bool flat) { setAutoRaise(flat); }
    void Click();

    TNotifyEvent OnClick;

protected:
    void ApplyCaption(const QString& text) override { setText(text); }
    QPalette::ColorRole BackgroundRole() const override { return QPalette::Button; }
    QPalette::ColorRole TextRole() const override { return QPalette::ButtonText; }
};

class TCheckBox : public QCheckBox, public TControl {
public:
    explicit TCheckBox(TComponent* owner);
    const char* ClassName() const override { return "TCheckBox"; }
    bool Checked() const { return isChecked(); }
    // A change made by code raises OnClick like a user's click.
    void SetChecked(bool checked);

    TNotifyEvent OnClick;

protected:
    void ApplyCaption(const QString& text) override { setText(text); }
};

class TRadioButton : public QRadioButton, public TControl {
public:
    explicit TRadioButton(TComponent* owner);
    const char* ClassName() const override { return "TRadioButton"; }
    bool Checked() const { return isChecked(); }
    // Checking (not unchecking) raises OnClick, also when done by code; the
    // other radio buttons of the same parent are unchecked quietly.
    void SetChecked(bool checked);

    TNotifyEvent OnClick;

protected:
    void ApplyCaption(const QString& text) override { setText(text); }

private:
    bool wasChecked_ = false;
};

class TGroupBox : public QGroupBox, public TControl {
public:
    explicit TGroupBox(TComponent* owner);
    const char* ClassName() const override { return "TGroupBox"; }

protected:
    void ApplyCaption(const QString& text) override { setTitle(text); }
};

// Items of a list control: texts with an attached integer code each.
struct TListItem {
    std::string Text;
    int Code = 0;
};

class TRadioGroup : public QGroupBox, public TControl {
public:
    explicit TRadioGroup(TComponent* owner);
    const char* ClassName() const override { return "TRadioGroup"; }

    int ItemCount() const { return int(items_.size()); }
    std::string ItemText(int index) const { return items_.at(index).Text; }
    int ItemCode(int index) const { return items_.at(index).Code; }
    void AddItem(std::string_view text, int code = 0);
    // Replaces one text; the selection stays and nothing is raised. An index
    // outside the items changes nothing.
    void SetItemText(int index, std::string_view text);
    // Replaces all texts, keeping the codes of the items that remain and the
    // selection while it is still in range; raises nothing.
    void SetItems(const std::vector<std::string>& texts);
    void ClearItems();
    int ItemIndex() const { return itemIndex_; }
    // Selecting another item raises OnClick, also when done by code; -1
    // selects nothing.
    void SetItemIndex(int index);
    int Columns() const { return columns_; }
    void SetColumns(int columns);

    TNotifyEvent OnClick;

protected:
    void ApplyCaption(const QString& text) override { setTitle(text); }
    void resizeEvent(QResizeEvent* e) override;
    void ApplyFont() override;

private:
    void Arrange();
    void Rebuild();
    std::vector<TListItem> items_;
    std::vector<QRadioButton*> buttons_;
    int itemIndex_ = -1;
    int columns_ = 1;
};

enum TComboBoxStyle { csDropDown, csDropDownList };

class TComboBox : public QComboBox, public TControl {
public:
    explicit TComboBox(TComponent* owner);
    const char* ClassName() const override { return "TComboBox"; }

    int ItemCount() const { return count(); }
    std::string ItemText(int index) const;
    int ItemCode(int index) const;
    void AddItem(std::string_view text, int code = 0);
    // Replaces one text, keeping its code and the selection; raises nothing.
    // An index outside the items changes nothing.
    void SetItemText(int index, std::string_view text);
    void ClearItems();
    int ItemIndex() const { return currentIndex(); }
    // Code never raises OnChange: not when it selects, clears or fills.
    void SetItemIndex(int index);
    std::string Text() const;
    void SetText(std::string_view text);
    TComboBoxStyle Style() const { return isEditable() ? csDropDown : csDropDownList; }
    void SetStyle(TComboBoxStyle style);
    int DropDownCount() const { return maxVisibleItems(); }
    void SetDropDownCount(int count) { setMaxVisibleItems(count); }

    // Only the user's pick or typing raises it.
    TNotifyEvent OnChange;

protected:
    QPalette::ColorRole BackgroundRole() const override { return QPalette::Base; }
    QPalette::ColorRole TextRole() const override { return QPalette::Text; }
};

enum TScrollBarKind { sbHorizontal, sbVertical };

class TScrollBar : public QScrollBar, public TControl {
public:
    explicit TScrollBar(TComponent* owner);
    const char* ClassName() const override { return "TScrollBar"; }
    TScrollBarKind Kind() const { return orientation() == Qt::Horizontal ? sbHorizontal : sbVertical; }
    void SetKind(TScrollBarKind kind);
    int Min() const { return minimum(); }
    int Max() const { return maximum(); }
    void SetMin(int min) { setMinimum(min); }
    void SetMax(int max) { setMaximum(max); }
    int Position() const { return value(); }
    void SetPosition(int position) { setValue(position); }
    void SetSmallChange(int step) { setSingleStep(step); }
    void SetLargeChange(int step) { setPageStep(step); }

    // Raised by every change of Position, whether made by the user or code.
    TNotifyEvent OnChange;
};
