// Text as it is drawn, read from the pixels. Under Wine, small Tahoma is drawn
// without smoothing, and such glyphs advance further than GetTextExtentPoint32
// says (bold "APPARAATHERKENNING" measures 143 pixels and covers 150), so a
// text that fits by its extent can still be cut by its control. Width tests
// measure with these.
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

#include "framework/CString.h"

// A white picture in a memory DC, to draw black text on and read back.
class TextCanvas {
public:
    TextCanvas(int width, int height);
    ~TextCanvas();
    TextCanvas(const TextCanvas&) = delete;
    TextCanvas& operator=(const TextCanvas&) = delete;

    bool Ready() const { return m_bits != nullptr; }
    HDC Dc() const { return m_dc; }
    // Paints it white and sets black text on a transparent background.
    void Clear();
    // The pixels (0x00RRGGBB), row by row from the top.
    std::vector<DWORD> Pixels() const;
    // The first and one past the last column with anything but white; {0, 0}
    // when it is all white.
    std::pair<int, int> InkColumns() const;
    // The same of the rows.
    std::pair<int, int> InkRows() const;

private:
    int m_width;
    int m_height;
    HDC m_dc;
    HBITMAP m_bitmap = nullptr;
    const DWORD* m_bits = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
};

struct DrawnSpan {
    int left = 0;    // first column with ink, from the rectangle's left edge
    int right = 0;   // one past the last column with ink
    int extent = 0;  // what GetTextExtentPoint32 reports
    int top = 0;     // first row with ink, from the rectangle's top
    int bottom = 0;  // one past the last row with ink
};

// Draws text in font with DrawText (format, one line, nothing clipped) into a
// rectangle width pixels wide and returns the columns and rows its ink covers.
DrawnSpan DrawTextSpan(HFONT font, const CString& text, int width, UINT format);

// Whether the dialog face stands for Tahoma, as under the Western code pages.
// The Japanese code page gives it a face of its own (MS UI Gothic, in the
// prefix drawn by the linked Chinese, Japanese and Korean face), in which
// texts take other widths.
bool DialogFaceIsTahoma();

// The room a left-aligned line takes: its extent (what DrawText compares with
// the room before it cuts with "...") or its ink, whichever reaches further.
int DrawnWidth(HFONT font, const CString& text);
