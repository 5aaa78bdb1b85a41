#include "controls/MyStatic.h"

BEGIN_MESSAGE_MAP(CMyStatic, CStatic)
    ON_WM_PAINT()
END_MESSAGE_MAP()

void CMyStatic::OnPaint()
{
    CPaintDC dc(this);
    Paint(dc);
}

// Background copy first, then the picture with its corner colour left out.
void CMyStatic::Paint(CDC& dc)
{
    HBITMAP picture = GetBitmap();
    if (!picture) return;

    CDC memory;
    if (!memory.CreateCompatibleDC(dc)) return;
    // Until the owner has made the background copy there is nothing to put
    // behind the picture; the picture alone is drawn.
    if (m_background.GetSafeHandle()) {
        CSize size = m_background.GetSize();
        HGDIOBJ old = memory.SelectObject(m_background);
        dc.BitBlt(0, 0, size.cx, size.cy, memory, 0, 0, SRCCOPY);
        memory.SelectObject(old);
    }
    BITMAP bm{};
    if (::GetObjectW(picture, sizeof bm, &bm)) {
        HGDIOBJ old = memory.SelectObject(picture);
        COLORREF transparent = memory.GetPixel(0, 0);
        dc.TransparentBlt(0, 0, bm.bmWidth, bm.bmHeight, memory, 0, 0, bm.bmWidth, bm.bmHeight, transparent);
        memory.SelectObject(old);
    }
    memory.DeleteDC();
}
