#pragma once
// The gauge widget's property window: the colour of its marks and, for a
// numeric value, its kind of indicator. The program makes it once; each use
// fills every control afresh.

#include <array>

#include "platform/controls.h"
#include "platform/stdctrls.h"

class TTFormIndiProp : public TForm {
public:
    explicit TTFormIndiProp(TComponent* owner);

    TLabel* LabelType;
    TLabel* LabelColor;
    TColorBox* ColorBox1;
    TRadioGroup* TypeOfIndi;
    TButton* btCancel;
    TButton* btOK;
};

extern TTFormIndiProp* TFormIndiProp;

// A colour offered for a widget's marks and its three-language name.
struct MarkColor {
    TColor color;
    const char* name;
};

constexpr int MARK_COLOR_COUNT = 15;
extern const std::array<MarkColor, MARK_COLOR_COUNT> MarkColors;
