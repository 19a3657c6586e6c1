#pragma once
// Up-down, page control with tab sheets, status bar and progress gauge.

#include "platform/controls.h"

#include <QPointer>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QTabBar;
class QToolButton;
class TEdit;

enum TUDBtnType { btNext, btPrev };
enum TUpDownDirection { updNone, updUp, updDown };

// The arrows beside a number edit. The edit (Associate) holds the value the
// user sees: reading Position takes the number from its text, so a typed
// value counts without a click; text that is no number ("ALL", "CKPS") keeps
// the last position and a number outside Min..Max is held to the range.
class TUpDown : public QWidget, public TControl {
public:
    explicit TUpDown(TComponent* owner);
    const char* ClassName() const override { return "TUpDown"; }

    int Min() const { return min_; }
    int Max() const { return max_; }
    void SetMin(int min);
    void SetMax(int max);
    int Increment() const { return increment_; }
    void SetIncrement(int increment) { increment_ = increment; }
    int Position() const;
    // Writes the position into the associate in the up-down's own format.
    void SetPosition(int position);
    TEdit* Associate() const { return associateAlive_ ? associate_ : nullptr; }
    void SetAssociate(TEdit* edit);
    // Digit groups of three separated by blanks in the associate's text.
    bool Thousands() const { return thousands_; }
    void SetThousands(bool thousands);
    // What a click on an arrow does: OnChangingEx with the unclamped new
    // value, then the position moves (held to the range) and OnClick.
    void Click(TUDBtnType button);
    // The associate's text for a position.
    std::string FormatPosition(int position) const;

    std::function<void(TObject* Sender, TUDBtnType Button)> OnClick;
    std::function<void(TObject* Sender, bool& AllowChange, int NewValue, TUpDownDirection Direction)> OnChangingEx;

    // The number in an associate's text, or nothing when it holds none.
    static std::optional<long long> ParsePosition(std::string_view text);

protected:
    // A subclass whose partner shows the position (instead of an associate)
    // asks for OnChangingEx also when code sets the position.
    void SetChangingOnSet(bool raise) { changingOnSet_ = raise; }
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int Clamp(long long value) const;
    void WriteAssociate();
    QToolButton* up_;
    QToolButton* down_;
    TEdit* associate_ = nullptr;
    QPointer<QObject> associateAlive_; // null once the edit is gone
    int min_ = 0;
    int max_ = 100;
    int increment_ = 1;
    mutable int position_ = 0;
    bool thousands_ = true;
    bool changingOnSet_ = false;
};

class TPageControl;

class TTabSheet : public QWidget, public TControl {
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;
    const char* ClassName() const override { return "TTabSheet"; }
    // A page control as parent makes the sheet one of its pages.
    void SetParent(TControl* parent) override;
    TPageControl* PageControl() const { return pageControl_; }
    void SetPageControl(TPageControl* pageControl);
    int PageIndex() const;
    void SetPageIndex(int index);
    bool TabVisible() const { return tabVisible_; }
    // Hiding the shown page's tab shows a neighbour without raising OnChange.
    void SetTabVisible(bool visible);
    // Position among the visible tabs, -1 while the tab is hidden.
    int TabIndex() const;

protected:
    void ApplyCaption(const QString& text) override;

private:
    friend class TPageControl;
    TPageControl* pageControl_ = nullptr;
    bool tabVisible_ = true;
};

class TPageControl : public QWidget, public TControl {
public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;
    const char* ClassName() const override { return "TPageControl"; }

    int PageCount() const { return int(pages_.size()); }
    TTabSheet* Pages(int index) const { return pages_.at(index); }
    TTabSheet* ActivePage() const { return active_; }
    // Code changes of the page raise nothing.
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    QTabBar* TabBar() const { return bar_; }
    void SetBounds(int left, int top, int width, int height) override;

    // Only the user's change of tab raises these.
    std::function<void(TObject* Sender, bool& AllowChange)> OnChanging;
    TNotifyEvent OnChange;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void MovePage(TTabSheet* page, int index);
    void SetTabShown(TTabSheet* page, bool visible);
    void UserSelect(int index);
    void ShowActive();
    void LayoutPages();
    QRect PageRect() const;

    QTabBar* bar_;
    std::vector<TTabSheet*> pages_;
    TTabSheet* active_ = nullptr;
    bool updating_ = false;
};

class TStatusBar;

class TStatusPanel {
public:
    explicit TStatusPanel(TStatusBar* bar)
        : bar_(bar)
    {
    }
    const std::string& Text() const { return text_; }
    void SetText(std::string_view text);
    int Width() const { return width_; }
    void SetWidth(int width);

private:
    TStatusBar* bar_;
    std::string text_;
    int width_ = 50;
};

class TStatusBar : public QWidget, public TControl {
public:
    explicit TStatusBar(TComponent* owner);
    ~TStatusBar() override;
    const char* ClassName() const override { return "TStatusBar"; }
    TStatusPanel* AddPanel();
    int PanelCount() const { return int(panels_.size()); }
    TStatusPanel* Panels(int index) const { return panels_.at(index).get(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<std::unique_ptr<TStatusPanel>> panels_;
};

enum TGaugeKind { gkHorizontalBar, gkVerticalBar };

// A progress bar drawn by the program, with the percentage in its middle.
class TCGauge : public QWidget, public TControl {
public:
    explicit TCGauge(TComponent* owner);
    const char* ClassName() const override { return "TCGauge"; }
    int MinValue() const { return min_; }
    int MaxValue() const { return max_; }
    void SetMinValue(int value);
    void SetMaxValue(int value);
    int Progress() const { return progress_; }
    // Values outside MinValue..MaxValue are held to the range.
    void SetProgress(int value);
    int PercentDone() const;
    TColor ForeColor() const { return foreColor_; }
    void SetForeColor(TColor color);
    TColor BackColor() const { return backColor_; }
    void SetBackColor(TColor color);
    bool ShowText() const { return showText_; }
    void SetShowText(bool show);
    TGaugeKind Kind() const { return kind_; }
    void SetKind(TGaugeKind kind);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int min_ = 0;
    int max_ = 100;
    int progress_ = 0;
    TColor foreColor_ = clBlack;
    TColor backColor_ = clWhite;
    bool showText_ = true;
    TGaugeKind kind_ = gkHorizontalBar;
};
