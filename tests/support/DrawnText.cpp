#include "DrawnText.h"

#include <algorithm>
#include <tuple>

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

namespace {

// The first and one past the last index along one axis of the pixels with
// anything but white; {0, 0} when they are all white.
std::pair<int, int> InkRange(const std::vector<DWORD>& pixels, int width, int height, bool columns)
{
    int first = columns ? width : height, last = -1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if ((pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF) != 0xFFFFFF) {
                first = std::min(first, columns ? x : y);
                last = std::max(last, columns ? x : y);
            }
        }
    }
    return last < 0 ? std::make_pair(0, 0) : std::make_pair(first, last + 1);
}

}  // namespace

std::pair<int, int> TextCanvas::InkColumns() const { return InkRange(Pixels(), m_width, m_height, true); }

std::pair<int, int> TextCanvas::InkRows() const { return InkRange(Pixels(), m_width, m_height, false); }

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
        std::tie(span.top, span.bottom) = canvas.InkRows();
    }
    return span;
}

int DrawnWidth(HFONT font, const CString& text)
{
    const DrawnSpan span = DrawTextSpan(font, text, 1, DT_LEFT);
    return std::max(span.extent, span.right);
}

bool DialogFaceIsTahoma()
{
    wchar_t face[LF_FACESIZE] = {};
    DWORD size = sizeof face;
    return ::RegGetValueW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes",
                          kDialogFace, RRF_RT_REG_SZ, nullptr, face, &size) == ERROR_SUCCESS &&
           lstrcmpiW(face, L"Tahoma") == 0;
}
