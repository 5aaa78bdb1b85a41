#include "framework/Gdi.h"

#include "framework/Wnd.h"

bool CFont::CreateFont(int height, int weight, const wchar_t* face, bool underline)
{
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfUnderline = underline ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(lf.lfFaceName, face && *face ? face : kDialogFace, LF_FACESIZE);
    return CreateFontIndirect(&lf);
}

bool CFont::CreateBoldOf(HFONT base)
{
    LOGFONTW lf{};
    if (!base || !::GetObjectW(base, sizeof lf, &lf)) return false;
    lf.lfWeight = FW_BOLD;
    return CreateFontIndirect(&lf);
}

bool CBitmap::LoadBitmap(UINT resourceId)
{
    // As a DIB section: the pixels are taken as the resource holds them, where a
    // device bitmap is converted to the screen's format first (about five times
    // slower under Wine for the skin's large pictures); both draw the same.
    return Attach(::LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, 0, 0,
                               LR_DEFAULTCOLOR | LR_CREATEDIBSECTION));
}

CSize CBitmap::GetSize() const
{
    BITMAP bm{};
    if (!GetObject(sizeof bm, &bm)) return CSize();
    return CSize(bm.bmWidth, bm.bmHeight);
}

CDC* CDC::FromHandle(HDC dc)
{
    thread_local CDC temp;
    temp.m_hDC = dc;
    return &temp;
}

void CDC::FillSolidRect(const RECT& r, COLORREF color)
{
    COLORREF old = ::SetBkColor(m_hDC, color);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

CSize CDC::GetTextExtent(const CString& text) const
{
    SIZE s{};
    ::GetTextExtentPoint32W(m_hDC, text, text.GetLength(), &s);
    return CSize(s);
}

bool CDC::TransparentBlt(int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, COLORREF transparent)
{
    return ::TransparentBlt(m_hDC, x, y, w, h, src, sx, sy, sw, sh, transparent) != FALSE;
}

bool CDC::DrawBitmap(HBITMAP bitmap, int x, int y, COLORREF transparent)
{
    if (!bitmap) return false;
    BITMAP bm{};
    if (!::GetObjectW(bitmap, sizeof bm, &bm)) return false;
    HDC mem = ::CreateCompatibleDC(m_hDC);
    HGDIOBJ old = ::SelectObject(mem, bitmap);
    bool ok;
    if (transparent == CLR_INVALID)
        ok = ::BitBlt(m_hDC, x, y, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY) != FALSE;
    else
        ok = ::TransparentBlt(m_hDC, x, y, bm.bmWidth, bm.bmHeight, mem, 0, 0, bm.bmWidth, bm.bmHeight, transparent) != FALSE;
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
    return ok;
}

bool CDC::CreateCompatibleDC(HDC dc)
{
    m_hDC = ::CreateCompatibleDC(dc);
    return m_hDC != nullptr;
}

bool CDC::DeleteDC()
{
    if (!m_hDC) return false;
    ::DeleteDC(m_hDC);
    m_hDC = nullptr;
    return true;
}

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd->GetSafeHwnd()) { m_hDC = ::BeginPaint(m_hWnd, &m_ps); }
CPaintDC::~CPaintDC() { ::EndPaint(m_hWnd, &m_ps); }

CClientDC::CClientDC(CWnd* wnd) : m_hWnd(wnd ? wnd->GetSafeHwnd() : nullptr) { m_hDC = ::GetDC(m_hWnd); }
CClientDC::~CClientDC() { ::ReleaseDC(m_hWnd, m_hDC); }

CWindowDC::CWindowDC(CWnd* wnd) : m_hWnd(wnd ? wnd->GetSafeHwnd() : nullptr) { m_hDC = ::GetWindowDC(m_hWnd); }
CWindowDC::~CWindowDC() { ::ReleaseDC(m_hWnd, m_hDC); }

CMemoryDC::CMemoryDC(HDC compatible, int width, int height)
{
    m_hDC = ::CreateCompatibleDC(compatible);
    m_bitmap.CreateCompatibleBitmap(compatible, width, height);
    m_oldBitmap = ::SelectObject(m_hDC, m_bitmap.GetSafeHandle());
}

CMemoryDC::~CMemoryDC()
{
    if (m_oldBitmap) ::SelectObject(m_hDC, m_oldBitmap);
    ::DeleteDC(m_hDC);
}
