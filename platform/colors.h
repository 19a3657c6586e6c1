#pragma once
// Colour values 0x00BBGGRR as stored in the settings and the map files, and
// the system colours that stand for entries of the desktop's colour scheme.
// Free of Qt, so the models without widgets share the one colour type.

#include <cstdint>

using TColor = int32_t;

// Plain colours, 0x00BBGGRR.
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;

// System colours: the high bit marks an index into the desktop's colour
// scheme, resolved through the application palette when drawn.
constexpr TColor clSystemColor = static_cast<TColor>(0x80000000u);
constexpr TColor clScrollBar = clSystemColor | 0;
constexpr TColor clBackground = clSystemColor | 1;
constexpr TColor clActiveCaption = clSystemColor | 2;
constexpr TColor clInactiveCaption = clSystemColor | 3;
constexpr TColor clMenu = clSystemColor | 4;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowFrame = clSystemColor | 6;
constexpr TColor clMenuText = clSystemColor | 7;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clCaptionText = clSystemColor | 9;
constexpr TColor clActiveBorder = clSystemColor | 10;
constexpr TColor clInactiveBorder = clSystemColor | 11;
constexpr TColor clAppWorkSpace = clSystemColor | 12;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clGrayText = clSystemColor | 17;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clInactiveCaptionText = clSystemColor | 19;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor cl3DDkShadow = clSystemColor | 21;
constexpr TColor cl3DLight = clSystemColor | 22;
constexpr TColor clInfoText = clSystemColor | 23;
constexpr TColor clInfoBk = clSystemColor | 24;

constexpr bool IsSystemColor(TColor c)
{
    return (static_cast<uint32_t>(c) & 0xFF000000u) == 0x80000000u;
}
constexpr TColor RGB(int r, int g, int b)
{
    return TColor((r & 255) | ((g & 255) << 8) | ((b & 255) << 16));
}
constexpr int GetRValue(TColor c)
{
    return c & 255;
}
constexpr int GetGValue(TColor c)
{
    return (c >> 8) & 255;
}
constexpr int GetBValue(TColor c)
{
    return (c >> 16) & 255;
}

// Multiplies red (bits 0..7), green (8..15) and blue (16..23) of a colour by
// their factors, truncating toward zero, and returns
// blue * 65536 + green * 256 + red. Products above 255 are not limited: they
// carry into the next channel.
uint32_t ScaleColor(uint32_t colour, double red, double green, double blue);
