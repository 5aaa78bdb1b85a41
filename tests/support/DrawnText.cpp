#include "DrawnText.h"

#include <algorithm>

DrawnSpan DrawTextSpan(HFONT font, const CString& text, int width, UINT format)
{
    DrawnSpan span;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ oldFont = ::SelectObject(dc, font);
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text, text.GetLength(), &size);
    span.extent = size.cx;

    // Room on both sides for ink that runs past the rectangle.
    const int margin = size.cx + 32;
    const int canvasWidth = width + 2 * margin;
    const int canvasHeight = std::max<int>(size.cy, 1) * 2;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = canvasWidth;
    info.bmiHeader.biHeight = -canvasHeight;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) {
        HGDIOBJ oldBitmap = ::SelectObject(dc, bitmap);
        RECT all{0, 0, canvasWidth, canvasHeight};
        ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::SetTextColor(dc, RGB(0, 0, 0));
        ::SetBkMode(dc, TRANSPARENT);
        RECT box{margin, 0, margin + width, canvasHeight};
        ::DrawTextW(dc, text, text.GetLength(), &box, format | DT_SINGLELINE | DT_NOCLIP);
        ::GdiFlush();
        const auto* pixels = static_cast<const DWORD*>(bits);
        int first = canvasWidth, last = -1;
        for (int y = 0; y < canvasHeight; ++y) {
            for (int x = 0; x < canvasWidth; ++x) {
                if ((pixels[y * canvasWidth + x] & 0xFFFFFF) != 0xFFFFFF) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
            }
        }
        if (last >= 0) {
            span.left = first - margin;
            span.right = last + 1 - margin;
        }
        ::SelectObject(dc, oldBitmap);
        ::DeleteObject(bitmap);
    }
    ::SelectObject(dc, oldFont);
    ::DeleteDC(dc);
    return span;
}

int DrawnWidth(HFONT font, const CString& text)
{
    const DrawnSpan span = DrawTextSpan(font, text, 1, DT_LEFT);
    return std::max(span.extent, span.right);
}
