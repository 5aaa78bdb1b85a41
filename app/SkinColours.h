// The skin's palette (red, green, blue), shared by the frame and its buttons.
#pragma once

#include <windows.h>

namespace Skin {
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF TabFace = RGB(255, 255, 246);
constexpr COLORREF BarGrey = RGB(224, 224, 214);
constexpr COLORREF PressedFace = RGB(236, 236, 216);
constexpr COLORREF PaleFace = RGB(244, 244, 234);
constexpr COLORREF MidGrey = RGB(161, 161, 147);
constexpr COLORREF DarkGrey = RGB(141, 141, 127);
constexpr COLORREF StatusBlue = RGB(181, 213, 255);
constexpr COLORREF StatusOrange = RGB(255, 142, 0);
}  // namespace Skin
