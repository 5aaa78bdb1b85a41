// GDI wrappers with RAII: fonts, bitmaps, brushes, pens and device contexts.
#pragma once

#include <windows.h>

#include "framework/CString.h"
#include "framework/Geometry.h"

class CWnd;

// Owns one GDI object handle (deleted on destruction unless detached).
class CGdiObject {
public:
    CGdiObject() = default;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    CGdiObject(CGdiObject&& o) noexcept : m_hObject(o.Detach()) {}
    CGdiObject& operator=(CGdiObject&& o) noexcept { if (this != &o) { DeleteObject(); m_hObject = o.Detach(); } return *this; }
    virtual ~CGdiObject() { DeleteObject(); }
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    bool Attach(HGDIOBJ h) { DeleteObject(); m_hObject = h; return h != nullptr; }
    HGDIOBJ Detach() { HGDIOBJ h = m_hObject; m_hObject = nullptr; return h; }
    bool DeleteObject()
    {
        if (!m_hObject) return false;
        ::DeleteObject(m_hObject);
        m_hObject = nullptr;
        return true;
    }
    int GetObject(int size, void* out) const { return m_hObject ? ::GetObjectW(m_hObject, size, out) : 0; }

protected:
    HGDIOBJ m_hObject = nullptr;
};

// The face of the dialog templates. Windows and Wine map it to Tahoma (the
// Japanese code page to a face of its own, as on such a system), and the
// set-up links that face to fonts with Chinese, Japanese and Korean glyphs, so
// a font that names it shows every language, whatever fonts the host has.
inline constexpr const wchar_t* kDialogFace = L"MS Shell Dlg";

class CFont : public CGdiObject {
public:
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
    bool CreateFontIndirect(const LOGFONTW* lf) { return Attach(::CreateFontIndirectW(lf)); }
    // Height in logical units (negative: character height), weight as FW_*. A
    // font always names its face: without one it is the dialog face, never
    // whichever face the host would pick.
    bool CreateFont(int height, int weight, const wchar_t* face = kDialogFace, bool underline = false);
    bool GetLogFont(LOGFONTW* lf) const { return GetObject(sizeof(LOGFONTW), lf) != 0; }
    // The same face and size as base, in weight 700; false when base cannot be read.
    bool CreateBoldOf(HFONT base);
};

class CBitmap : public CGdiObject {
public:
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
    bool LoadBitmap(UINT resourceId);
    bool CreateCompatibleBitmap(HDC dc, int width, int height) { return Attach(::CreateCompatibleBitmap(dc, width, height)); }
    CSize GetSize() const;
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
    bool CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }
    bool CreatePatternBrush(const CBitmap& bitmap) { return Attach(::CreatePatternBrush(bitmap)); }
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
    bool CreatePen(int style, int width, COLORREF color) { return Attach(::CreatePen(style, width, color)); }
};

// A device context. The base class does not own its handle; CPaintDC,
// CClientDC, CWindowDC and CMemoryDC release or delete theirs.
class CDC {
public:
    CDC() = default;
    explicit CDC(HDC dc) : m_hDC(dc) {}
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    virtual ~CDC() = default;

    // A temporary wrapper for a handle given by a message (valid until the next
    // call on the same thread).
    static CDC* FromHandle(HDC dc);

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

    HGDIOBJ SelectObject(const CGdiObject& obj) { return ::SelectObject(m_hDC, obj.GetSafeHandle()); }
    HGDIOBJ SelectObject(HGDIOBJ obj) { return ::SelectObject(m_hDC, obj); }
    HGDIOBJ SelectStockObject(int index) { return ::SelectObject(m_hDC, ::GetStockObject(index)); }
    int SaveDC() { return ::SaveDC(m_hDC); }
    bool RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved) != FALSE; }

    COLORREF SetTextColor(COLORREF c) { return ::SetTextColor(m_hDC, c); }
    COLORREF SetBkColor(COLORREF c) { return ::SetBkColor(m_hDC, c); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }

    void FillSolidRect(const RECT& r, COLORREF color);
    void FillRect(const RECT& r, HBRUSH brush) { ::FillRect(m_hDC, &r, brush); }
    void FrameRect(const RECT& r, HBRUSH brush) { ::FrameRect(m_hDC, &r, brush); }
    bool DrawEdge(RECT& r, UINT edge, UINT flags) { return ::DrawEdge(m_hDC, &r, edge, flags) != FALSE; }
    void DrawFocusRect(const RECT& r) { ::DrawFocusRect(m_hDC, &r); }
    bool DrawFrameControl(RECT& r, UINT type, UINT state) { return ::DrawFrameControl(m_hDC, &r, type, state) != FALSE; }
    bool RoundRect(const RECT& r, POINT corner) { return ::RoundRect(m_hDC, r.left, r.top, r.right, r.bottom, corner.x, corner.y) != FALSE; }
    bool Rectangle(const RECT& r) { return ::Rectangle(m_hDC, r.left, r.top, r.right, r.bottom) != FALSE; }
    bool MoveTo(int x, int y) { return ::MoveToEx(m_hDC, x, y, nullptr) != FALSE; }
    bool LineTo(int x, int y) { return ::LineTo(m_hDC, x, y) != FALSE; }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    COLORREF SetPixel(int x, int y, COLORREF c) { return ::SetPixel(m_hDC, x, y, c); }

    int DrawText(const CString& text, RECT& r, UINT format) { return ::DrawTextW(m_hDC, text, text.GetLength(), &r, format); }
    bool TextOut(int x, int y, const CString& text) { return ::TextOutW(m_hDC, x, y, text, text.GetLength()) != FALSE; }
    CSize GetTextExtent(const CString& text) const;
    bool GetTextMetrics(TEXTMETRICW* tm) const { return ::GetTextMetricsW(m_hDC, tm) != FALSE; }

    bool BitBlt(int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop) { return ::BitBlt(m_hDC, x, y, w, h, src, sx, sy, rop) != FALSE; }
    bool StretchBlt(int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, DWORD rop)
    {
        return ::StretchBlt(m_hDC, x, y, w, h, src, sx, sy, sw, sh, rop) != FALSE;
    }
    bool TransparentBlt(int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, COLORREF transparent);
    // Draws a whole bitmap at (x, y), optionally with a transparent colour.
    bool DrawBitmap(HBITMAP bitmap, int x, int y, COLORREF transparent = CLR_INVALID);

    bool CreateCompatibleDC(HDC dc);
    bool DeleteDC();
    HDC Detach() { HDC h = m_hDC; m_hDC = nullptr; return h; }
    void Attach(HDC dc) { m_hDC = dc; }

protected:
    HDC m_hDC = nullptr;
};

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps{};

private:
    HWND m_hWnd;
};

class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

private:
    HWND m_hWnd;
};

class CWindowDC : public CDC {
public:
    explicit CWindowDC(CWnd* wnd);
    ~CWindowDC() override;

private:
    HWND m_hWnd;
};

// A memory DC compatible with another, with its own bitmap selected; deleted
// (and the old bitmap restored) on destruction.
class CMemoryDC : public CDC {
public:
    CMemoryDC(HDC compatible, int width, int height);
    ~CMemoryDC() override;
    CBitmap& Bitmap() { return m_bitmap; }

private:
    CBitmap m_bitmap;
    HGDIOBJ m_oldBitmap = nullptr;
};

// Selects a GDI object into a DC for a scope.
class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ obj) : m_dc(dc), m_old(::SelectObject(dc, obj)) {}
    ~CSelectObject() { if (m_old) ::SelectObject(m_dc, m_old); }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};
