// The edit rule of the speed-dial numbers, window-free: a number holds at most
// 20 characters, each one of "0123456789#*+".
#pragma once

#include "framework/CString.h"

inline constexpr int kSpeedDialMaxLength = 20;
inline constexpr const wchar_t* kSpeedDialCharacters = L"0123456789#*+";

// What the edit rule makes of a number edit's text after a change: the
// number to keep and, when it differs from the text, the selection to give
// the edit once it shows the number.
struct SpeedDialEdit {
    CString number;
    bool refill = false;  // the edit must show number instead of its text
    int selStart = 0;
    int selEnd = 0;
};

// A character typed or pasted outside the thirteen is dropped and the
// selection moves one place back (once, however many were dropped); a text
// beyond 20 characters is cut to its first 20 and keeps its selection. A text
// with a dropped character and more than 20 others is cut on the next change,
// which the refill raises.
SpeedDialEdit ApplySpeedDialEditRule(const CString& text, int selStart, int selEnd);
