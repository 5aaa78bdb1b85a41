// Where a line of text lands when DrawText draws it, read from the pixels.
// Under Wine, small Tahoma is drawn without smoothing, and such glyphs advance
// further than GetTextExtentPoint32 says (bold "APPARAATHERKENNING" measures
// 143 pixels and covers 150), so a text that fits by its extent can still be
// cut by its control. Width tests measure with these.
#pragma once

#include <windows.h>

#include "framework/CString.h"

struct DrawnSpan {
    int left = 0;    // first column with ink, from the rectangle's left edge
    int right = 0;   // one past the last column with ink
    int extent = 0;  // what GetTextExtentPoint32 reports
};

// Draws text in font with DrawText (format, one line, nothing clipped) into a
// rectangle width pixels wide and returns the columns its ink covers.
DrawnSpan DrawTextSpan(HFONT font, const CString& text, int width, UINT format);

// The room a left-aligned line takes: its extent (what DrawText compares with
// the room before it cuts with "...") or its ink, whichever reaches further.
int DrawnWidth(HFONT font, const CString& text);
