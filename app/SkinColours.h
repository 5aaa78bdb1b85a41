// The skin's palette (red, green, blue), shared by the frame and its buttons.
#pragma once

#include <windows.h>

namespace Skin {
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kTabFace = RGB(255, 255, 246);
constexpr COLORREF kBarGrey = RGB(224, 224, 214);
constexpr COLORREF kPressedFace = RGB(236, 236, 216);
constexpr COLORREF kPaleFace = RGB(244, 244, 234);
constexpr COLORREF kMidGrey = RGB(161, 161, 147);
constexpr COLORREF kDarkGrey = RGB(141, 141, 127);
constexpr COLORREF kStatusBlue = RGB(181, 213, 255);
constexpr COLORREF kStatusOrange = RGB(255, 142, 0);
}  // namespace Skin
