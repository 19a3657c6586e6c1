#pragma once
// The monitor's gauge: one live value as a horizontal bar, a vertical bar or
// a round dial with a labelled scale and a needle, coloured by the value's
// state flags.

#include "monitor/mywidgets.h"

class CMyIndicator : public CMyObj {
public:
    static constexpr int HorizontalBar = 0;
    static constexpr int VerticalBar = 1;
    static constexpr int Dial = 2;

    CMyIndicator();
    void Paint() override;

    int Style = HorizontalBar;

private:
    struct Look;
    void PaintBar(const Look& look, int style);
    void PaintDial(const Look& look);
};
