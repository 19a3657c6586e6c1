#pragma once
// The external monitor's leaf widgets: the buttons of its bottom bar and the
// movable, resizable items: live value, parameter label, free text and
// picture. Text widgets have no font size of their own: each paint fits the
// canvas font to the widget's height.

#include <memory>
#include <string>

#include "monitor/mycomponent.h"

class CMyButt : public CMyComponent {
public:
    static constexpr int Passive = 0;
    static constexpr int Push = 1;
    static constexpr int Toggle = 2;

    CMyButt();
    void Paint() override;
    void MouseDown() override;
    void MouseUp() override;
    void MouseMove() override { }
    void MouseLeave() override;
    void MouseWheel(int) override { }
    void DblClick() override { }
    void KeyPress(int) override { }

    int type = Passive;
    int state = 0;
};

// The stay-on-top pin.
class CMyPin : public CMyButt {
public:
    void Paint() override;
};

// Base of the monitor items: selection marks and resize handles.
class CMyObj : public CMyComponent {
public:
    CMyObj();
    // The selection marks, drawn over the item's own paint.
    void Paint() override;
    void MouseDown() override { }
    void MouseUp() override { }
    // Which resize handle lies under the pointer.
    void MouseMove() override;
    void MouseLeave() override;
    void MouseWheel(int) override { }
    void DblClick() override { }
    void KeyPress(int) override { }
    void FocusEnter() override;
    void FocusLeave() override;

    TColor ColorMk = 0;

protected:
    // Sets the canvas font so that a text is `Height` high at the zoom;
    // returns the size to restore.
    int FitFont();
    // Fits the font at zoom 1, carrying the size over from the last fit.
    void FitFontUnscaled();
    // Draws `text` placed by AlignV and AlignH with a clear brush.
    void PlaceText(const std::string& text);
};

class CMyValue : public CMyObj {
public:
    CMyValue();
    void Paint() override;
    std::string FormatValue() const;
    void FitWidth();
};

class CMyLabel : public CMyObj {
public:
    CMyLabel();
    void Paint() override;
    std::string LabelText() const;
    void FitWidth();

    int units = 1;
};

class CMyText : public CMyLabel {
public:
    CMyText();
    void Paint() override;
    // Keeps a copy of `text`; none or empty becomes a single blank.
    void SetStr(const char* text);
    void FitWidth();

    std::string text;
};

class CMyImage : public CMyObj {
public:
    void Paint() override;

    std::unique_ptr<TBitmap> picture;
};
