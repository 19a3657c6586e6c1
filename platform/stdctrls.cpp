#include "platform/stdctrls.h"

#include "platform/cp1250.h"
#include "platform/menus.h"
#include "platform/rtf.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>

namespace {

// Key presses reach OnKeyPress as one UTF-16 character; returns true when the
// handler swallowed the key or replaced it (the replacement is inserted).
template <class Edit> bool KeyPressHandled(Edit* edit, const TKeyPressEvent& handler, QKeyEvent* e)
{
    QString text = e->text();
    if (!handler || text.size() != 1)
        return false;
    char16_t key = text[0].unicode();
    handler(edit, key);
    if (key == text[0].unicode())
        return false;
    if (key >= 32)
        edit->insertPlainText(QString(QChar(key)));
    e->accept();
    return true;
}

// A menu shortcut wins over the edit's own use of the key (undo, copy, ...).
bool LeaveKeyToMenu(QEvent* e)
{
    if (e->type() != QEvent::ShortcutOverride)
        return false;
    auto* ke = static_cast<QKeyEvent*>(e);
    if (!IsMenuShortCut(QKeySequence(ke->keyCombination())))
        return false;
    e->ignore();
    return true;
}

// Line breaks count as two characters, as CR LF.
int CountedLength(const QString& text)
{
    return int(text.size() + text.count(u'\n') + text.count(QChar::ParagraphSeparator));
}

// Unchecks a button of an exclusive set, which the toolkit refuses otherwise.
void Uncheck(QAbstractButton* button)
{
    bool exclusive = button->autoExclusive();
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(exclusive);
}

} // namespace

TEdit::TEdit(TComponent* owner)
    : QLineEdit(nullptr)
    , TControl(this, owner)
{
    InitColor(clWindow);
    resize(121, 21);
    connect(this, &QLineEdit::textChanged, [this] {
        if (OnChange)
            OnChange(this);
    });
}

std::string TEdit::Text() const
{
    return QStringToCp1250(text());
}

void TEdit::SetText(std::string_view text)
{
    setText(QStringFromCp1250(text));
}

void TEdit::SetMaxLength(int length)
{
    setMaxLength(length > 0 ? length : 32767);
}

bool TEdit::event(QEvent* e)
{
    return LeaveKeyToMenu(e) || QLineEdit::event(e);
}

void TEdit::keyPressEvent(QKeyEvent* e)
{
    QString text = e->text();
    if (OnKeyPress && text.size() == 1) {
        char16_t key = text[0].unicode();
        OnKeyPress(this, key);
        if (key != text[0].unicode()) {
            if (key >= 32)
                insert(QString(QChar(key)));
            e->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(e);
}

TMemo::TMemo(TComponent* owner)
    : QPlainTextEdit(nullptr)
    , TControl(this, owner)
{
    InitColor(clWindow);
    resize(185, 89);
    connect(this, &QPlainTextEdit::textChanged, [this] {
        if (OnChange)
            OnChange(this);
    });
}

std::string TMemo::Text() const
{
    QString text = toPlainText();
    text.replace(u'\n', QStringLiteral("\r\n"));
    return QStringToCp1250(text);
}

void TMemo::SetText(std::string_view text)
{
    QString t = QStringFromCp1250(text);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setPlainText(t);
}

// An empty last line after a final line break is not a line.
int TMemo::LineCount() const
{
    int count = document()->blockCount();
    if (count > 0 && document()->lastBlock().text().isEmpty())
        --count;
    return count;
}

std::string TMemo::Line(int index) const
{
    return QStringToCp1250(document()->findBlockByNumber(index).text());
}

std::u16string TMemo::LineW(int index) const
{
    return document()->findBlockByNumber(index).text().toStdU16String();
}

void TMemo::AddLine(std::string_view line)
{
    appendPlainText(QStringFromCp1250(line));
}

void TMemo::AddLine(std::u16string_view line)
{
    appendPlainText(QString::fromUtf16(line.data(), qsizetype(line.size())));
}

void TMemo::Clear()
{
    clear();
}

int TMemo::Length() const
{
    return CountedLength(toPlainText());
}

int TMemo::Room() const
{
    return maxLength_ - Length() + CountedLength(textCursor().selectedText());
}

bool TMemo::event(QEvent* e)
{
    return LeaveKeyToMenu(e) || QPlainTextEdit::event(e);
}

void TMemo::keyPressEvent(QKeyEvent* e)
{
    if (KeyPressHandled(this, OnKeyPress, e))
        return;
    QString text = e->text();
    bool lineBreak = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    int added = lineBreak ? 2 : text.isEmpty() || text[0] < QChar(32) ? 0 : int(text.size());
    if (maxLength_ > 0 && added > Room()) {
        e->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(e);
}

void TMemo::insertFromMimeData(const QMimeData* source)
{
    if (maxLength_ <= 0 || !source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    QString text = source->text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    int room = Room();
    qsizetype n = 0;
    for (int used = 0; n < text.size(); ++n) {
        used += text[n] == u'\n' ? 2 : 1;
        if (used > room)
            break;
    }
    insertPlainText(text.left(n));
}

TRichEdit::TRichEdit(TComponent* owner)
    : QTextEdit(nullptr)
    , TControl(this, owner)
{
    InitColor(clWindow);
    setAcceptRichText(false);
    resize(185, 89);
}

std::string TRichEdit::Text() const
{
    QString text = toPlainText();
    text.replace(u'\n', QStringLiteral("\r\n"));
    return QStringToCp1250(text);
}

void TRichEdit::SetText(std::string_view text)
{
    QString t = QStringFromCp1250(text);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setPlainText(t);
}

void TRichEdit::LoadLines(std::string_view text)
{
    if (plainText_) {
        SetText(text);
        return;
    }
    clear();
    QTextCursor cursor(document());
    for (const RtfRun& run : ParseRtf(text)) {
        QTextCharFormat format;
        format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(run.italic);
        format.setFontUnderline(run.underline);
        if (run.halfPoints > 0)
            format.setFontPointSize(run.halfPoints / 2.0);
        if (run.colour >= 0)
            format.setForeground(QColor(QRgb(run.colour)));
        // A '\n' becomes a new paragraph of the document.
        cursor.insertText(QString::fromStdU16String(run.text), format);
    }
}

void TRichEdit::AddLine(std::string_view line)
{
    append(QStringFromCp1250(line).toHtmlEscaped());
}

TButton::TButton(TComponent* owner)
    : QPushButton(nullptr)
    , TControl(this, owner)
{
    resize(75, 25);
    connect(this, &QPushButton::clicked, [this] { Click(); });
}

void TButton::Click()
{
    if (modalResult_ != 0)
        if (auto* form = dynamic_cast<TForm*>(window()))
            form->SetModalResult(modalResult_);
    if (OnClick)
        OnClick(this);
}

void TBitBtn::SetGlyph(const TBitmap& glyph)
{
    setIcon(QPixmap::fromImage(glyph.Image()));
    setIconSize(QSize(glyph.Width(), glyph.Height()));
}

TSpeedButton::TSpeedButton(TComponent* owner)
    : QToolButton(nullptr)
    , TControl(this, owner)
{
    setFocusPolicy(Qt::NoFocus);
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    resize(23, 22);
    connect(this, &QToolButton::clicked, [this] { Click(); });
}

void TSpeedButton::SetGlyph(const TBitmap& glyph)
{
    setIcon(QPixmap::fromImage(glyph.Image()));
    setIconSize(QSize(glyph.Width(), glyph.Height()));
    setToolButtonStyle(caption_.isEmpty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon);
}

void TSpeedButton::Click()
{
    if (OnClick)
        OnClick(this);
}

TCheckBox::TCheckBox(TComponent* owner)
    : QCheckBox(nullptr)
    , TControl(this, owner)
{
    resize(97, 17);
    connect(this, &QCheckBox::clicked, [this] {
        if (OnClick)
            OnClick(this);
    });
}

void TCheckBox::SetChecked(bool checked)
{
    if (checked == isChecked())
        return;
    setChecked(checked);
    if (OnClick)
        OnClick(this);
}

TRadioButton::TRadioButton(TComponent* owner)
    : QRadioButton(nullptr)
    , TControl(this, owner)
{
    resize(113, 17);
    // A click on the button that is already checked changes nothing.
    connect(this, &QRadioButton::pressed, [this] { wasChecked_ = isChecked(); });
    connect(this, &QRadioButton::clicked, [this] {
        if (!wasChecked_ && OnClick)
            OnClick(this);
        wasChecked_ = isChecked();
    });
}

void TRadioButton::SetChecked(bool checked)
{
    if (checked == isChecked())
        return;
    if (!checked) {
        Uncheck(this);
        return;
    }
    setChecked(true);
    if (OnClick)
        OnClick(this);
}

TGroupBox::TGroupBox(TComponent* owner)
    : QGroupBox(nullptr)
    , TControl(this, owner)
{
    resize(185, 105);
}

TRadioGroup::TRadioGroup(TComponent* owner)
    : QGroupBox(nullptr)
    , TControl(this, owner)
{
    resize(185, 105);
}

void TRadioGroup::AddItem(std::string_view text, int code)
{
    items_.push_back({ std::string(text), code });
    Rebuild();
}

void TRadioGroup::SetItemText(int index, std::string_view text)
{
    if (index < 0 || index >= ItemCount())
        return;
    items_[size_t(index)].Text = text;
    buttons_.at(index)->setText(QStringFromCp1250(text));
}

void TRadioGroup::SetItems(const std::vector<std::string>& texts)
{
    items_.resize(texts.size());
    for (size_t i = 0; i < texts.size(); ++i)
        items_[i].Text = texts[i];
    if (itemIndex_ >= ItemCount())
        itemIndex_ = ItemCount() - 1;
    Rebuild();
}

void TRadioGroup::ClearItems()
{
    items_.clear();
    itemIndex_ = -1;
    Rebuild();
}

void TRadioGroup::SetItemIndex(int index)
{
    index = std::clamp(index, -1, ItemCount() - 1);
    if (index == itemIndex_)
        return;
    if (itemIndex_ >= 0)
        Uncheck(buttons_[size_t(itemIndex_)]);
    itemIndex_ = index;
    if (index < 0)
        return;
    buttons_[size_t(index)]->setChecked(true);
    if (OnClick)
        OnClick(this);
}

void TRadioGroup::SetColumns(int columns)
{
    columns_ = std::max(columns, 1);
    Arrange();
}

void TRadioGroup::Rebuild()
{
    while (buttons_.size() > items_.size()) {
        delete buttons_.back();
        buttons_.pop_back();
    }
    while (buttons_.size() < items_.size()) {
        auto* button = new QRadioButton(this);
        int index = int(buttons_.size());
        connect(button, &QRadioButton::clicked, [this, index] {
            if (index == itemIndex_)
                return;
            itemIndex_ = index;
            if (OnClick)
                OnClick(this);
        });
        button->show();
        buttons_.push_back(button);
    }
    for (size_t i = 0; i < items_.size(); ++i) {
        buttons_[i]->setText(QStringFromCp1250(items_[i].Text));
        if (int(i) == itemIndex_)
            buttons_[i]->setChecked(true);
        else if (buttons_[i]->isChecked())
            Uncheck(buttons_[i]);
    }
    Arrange();
}

// The items fill the columns top to bottom, spread evenly over the height
// below the title.
void TRadioGroup::Arrange()
{
    int n = ItemCount();
    if (n == 0)
        return;
    int perColumn = (n + columns_ - 1) / columns_;
    int textHeight = QFontMetrics(font()).height();
    int room = height() - textHeight - 5;
    int buttonHeight = std::max(room / perColumn, 1);
    int buttonWidth = std::max((width() - 10) / columns_, 1);
    int top = textHeight + 1 + (room % perColumn) / 2;
    for (int i = 0; i < n; ++i)
        buttons_[size_t(i)]->setGeometry(
            (i / perColumn) * buttonWidth + 8, (i % perColumn) * buttonHeight + top, buttonWidth, buttonHeight);
}

void TRadioGroup::resizeEvent(QResizeEvent* e)
{
    QGroupBox::resizeEvent(e);
    Arrange();
}

void TRadioGroup::ApplyFont()
{
    TControl::ApplyFont();
    Arrange();
}

TComboBox::TComboBox(TComponent* owner)
    : QComboBox(nullptr)
    , TControl(this, owner)
{
    InitColor(clWindow);
    resize(145, 21);
    connect(this, &QComboBox::activated, [this] {
        if (OnChange)
            OnChange(this);
    });
    SetStyle(csDropDown);
}

std::string TComboBox::ItemText(int index) const
{
    return QStringToCp1250(itemText(index));
}

int TComboBox::ItemCode(int index) const
{
    return itemData(index).toInt();
}

void TComboBox::AddItem(std::string_view text, int code)
{
    addItem(QStringFromCp1250(text), code);
}

void TComboBox::SetItemText(int index, std::string_view text)
{
    if (index < 0 || index >= count())
        return;
    setItemText(index, QStringFromCp1250(text));
}

void TComboBox::ClearItems()
{
    clear();
}

void TComboBox::SetItemIndex(int index)
{
    setCurrentIndex(index >= 0 && index < count() ? index : -1);
}

std::string TComboBox::Text() const
{
    return QStringToCp1250(currentText());
}

void TComboBox::SetText(std::string_view text)
{
    QString t = QStringFromCp1250(text);
    if (isEditable())
        setEditText(t);
    else
        setCurrentIndex(findText(t, Qt::MatchExactly));
}

void TComboBox::SetStyle(TComboBoxStyle style)
{
    bool wasEditable = isEditable();
    setEditable(style == csDropDown);
    if (QLineEdit* edit = lineEdit(); edit && !wasEditable)
        connect(edit, &QLineEdit::textEdited, [this] {
            if (OnChange)
                OnChange(this);
        });
}

TScrollBar::TScrollBar(TComponent* owner)
    : QScrollBar(Qt::Horizontal, nullptr)
    , TControl(this, owner)
{
    resize(121, 17);
    setMaximum(100);
    connect(this, &QScrollBar::valueChanged, [this] {
        if (OnChange)
            OnChange(this);
    });
}

void TScrollBar::SetKind(TScrollBarKind kind)
{
    setOrientation(kind == sbHorizontal ? Qt::Horizontal : Qt::Vertical);
}
