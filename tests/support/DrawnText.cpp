#include "DrawnText.h"

#include <algorithm>

#include "framework/Gdi.h"

TextCanvas::TextCanvas(int width, int height) : m_width(width), m_height(height), m_dc(::CreateCompatibleDC(nullptr))
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    m_bitmap = ::CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!m_bitmap) return;
    m_bits = static_cast<const DWORD*>(bits);
    m_oldBitmap = ::SelectObject(m_dc, m_bitmap);
    Clear();
}

TextCanvas::~TextCanvas()
{
    if (m_oldBitmap) ::SelectObject(m_dc, m_oldBitmap);
    if (m_bitmap) ::DeleteObject(m_bitmap);
    ::DeleteDC(m_dc);
}

void TextCanvas::Clear()
{
    RECT all{0, 0, m_width, m_height};
    ::FillRect(m_dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SetTextColor(m_dc, RGB(0, 0, 0));
    ::SetBkMode(m_dc, TRANSPARENT);
}

std::vector<DWORD> TextCanvas::Pixels() const
{
    if (!m_bits) return {};
    ::GdiFlush();
    return std::vector<DWORD>(m_bits, m_bits + static_cast<size_t>(m_width) * m_height);
}

std::pair<int, int> TextCanvas::InkColumns() const
{
    const std::vector<DWORD> pixels = Pixels();
    int first = m_width, last = -1;
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            if ((pixels[static_cast<size_t>(y) * m_width + x] & 0xFFFFFF) != 0xFFFFFF) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
        }
    }
    return last < 0 ? std::make_pair(0, 0) : std::make_pair(first, last + 1);
}

DrawnSpan DrawTextSpan(HFONT font, const CString& text, int width, UINT format)
{
    DrawnSpan span;
    SIZE size{};
    {
        TextCanvas probe(1, 1);
        CSelectObject select(probe.Dc(), font);
        ::GetTextExtentPoint32W(probe.Dc(), text, text.GetLength(), &size);
    }
    span.extent = size.cx;

    // Room on both sides for ink that runs past the rectangle.
    const int margin = size.cx + 32;
    const int height = std::max<int>(size.cy, 1) * 2;
    TextCanvas canvas(width + 2 * margin, height);
    if (!canvas.Ready()) return span;
    CSelectObject select(canvas.Dc(), font);
    RECT box{margin, 0, margin + width, height};
    ::DrawTextW(canvas.Dc(), text, text.GetLength(), &box, format | DT_SINGLELINE | DT_NOCLIP);
    const auto [first, end] = canvas.InkColumns();
    if (end > first) {
        span.left = first - margin;
        span.right = end - margin;
    }
    return span;
}

int DrawnWidth(HFONT font, const CString& text)
{
    const DrawnSpan span = DrawTextSpan(font, text, 1, DT_LEFT);
    return std::max(span.extent, span.right);
}
