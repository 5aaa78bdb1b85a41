// Wrappers of the standard controls used by the program's windows.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/Wnd.h"

class CButton : public CWnd {
public:
    bool Create(const wchar_t* caption, DWORD style, const RECT& r, CWnd* parent, UINT id) { return CWnd::Create(L"BUTTON", caption, style, r, parent, id); }
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
    UINT GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
    // Pressed look (BST_PUSHED) on or off.
    void SetState(BOOL pressed) { SendMessage(BM_SETSTATE, pressed); }
    UINT GetButtonStyle() const { return GetStyle() & 0xFF; }
    void SetButtonStyle(UINT style, BOOL redraw = TRUE) { SendMessage(BM_SETSTYLE, style, redraw); }
    HBITMAP SetBitmap(HBITMAP bitmap) { return reinterpret_cast<HBITMAP>(SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap))); }
    // Owner-drawn buttons override this; the parent reflects WM_DRAWITEM to it.
    virtual void DrawItem(LPDRAWITEMSTRUCT) {}
};

class CStatic : public CWnd {
public:
    bool Create(const wchar_t* text, DWORD style, const RECT& r, CWnd* parent, UINT id = 0xFFFF) { return CWnd::Create(L"STATIC", text, style, r, parent, id); }
    HBITMAP SetBitmap(HBITMAP bitmap) { return reinterpret_cast<HBITMAP>(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap))); }
    HBITMAP GetBitmap() const { return reinterpret_cast<HBITMAP>(SendMessage(STM_GETIMAGE, IMAGE_BITMAP)); }
    HICON SetIcon(HICON icon) { return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(icon))); }
};

class CEdit : public CWnd {
public:
    bool Create(DWORD style, const RECT& r, CWnd* parent, UINT id) { return CWnd::Create(L"EDIT", L"", style, r, parent, id); }
    void SetSel(int start, int end, BOOL noScroll = FALSE)
    {
        SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end);
        if (!noScroll) SendMessage(EM_SCROLLCARET);
    }
    void GetSel(int& start, int& end) const
    {
        DWORD s = 0, e = 0;
        SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
        start = static_cast<int>(s);
        end = static_cast<int>(e);
    }
    void SetLimitText(UINT max) { SendMessage(EM_SETLIMITTEXT, max); }
    void SetReadOnly(BOOL readOnly = TRUE) { SendMessage(EM_SETREADONLY, readOnly); }
    void ReplaceSel(const wchar_t* text, BOOL canUndo = FALSE) { SendMessage(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text)); }
    int CharFromPos(CPoint p) const { return static_cast<int>(SendMessage(EM_CHARFROMPOS, 0, MAKELPARAM(p.x, p.y))); }
    CPoint PosFromChar(UINT ch) const
    {
        LRESULT r = SendMessage(EM_POSFROMCHAR, ch);
        return CPoint(static_cast<short>(LOWORD(r)), static_cast<short>(HIWORD(r)));
    }
    int LineFromChar(int ch = -1) const { return static_cast<int>(SendMessage(EM_LINEFROMCHAR, static_cast<WPARAM>(ch))); }
    int GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
};

class CListBox : public CWnd {
public:
    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
    int SetCurSel(int i) { return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(i))); }
    int AddString(const wchar_t* s) { return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s))); }
    int InsertString(int i, const wchar_t* s) { return static_cast<int>(SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(s))); }
    int DeleteString(int i) { return static_cast<int>(SendMessage(LB_DELETESTRING, static_cast<WPARAM>(i))); }
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    CString GetText(int i) const;
    int SetItemData(int i, DWORD_PTR data) { return static_cast<int>(SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(i), static_cast<LPARAM>(data))); }
    DWORD_PTR GetItemData(int i) const { return static_cast<DWORD_PTR>(SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(i))); }
    int GetTopIndex() const { return static_cast<int>(SendMessage(LB_GETTOPINDEX)); }
    int SetTopIndex(int i) { return static_cast<int>(SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(i))); }
    int GetItemHeight(int i) const { return static_cast<int>(SendMessage(LB_GETITEMHEIGHT, static_cast<WPARAM>(i))); }
    int SetItemHeight(int i, UINT h) { return static_cast<int>(SendMessage(LB_SETITEMHEIGHT, static_cast<WPARAM>(i), MAKELPARAM(h, 0))); }
    int ItemFromPoint(CPoint p, BOOL& outside) const
    {
        LRESULT r = SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(p.x, p.y));
        outside = HIWORD(r) != 0;
        return LOWORD(r);
    }
};

class CComboBox : public CWnd {
public:
    int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    int SetCurSel(int i) { return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(i))); }
    int AddString(const wchar_t* s) { return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s))); }
    int InsertString(int i, const wchar_t* s) { return static_cast<int>(SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(s))); }
    int DeleteString(int i) { return static_cast<int>(SendMessage(CB_DELETESTRING, static_cast<WPARAM>(i))); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    CString GetLBText(int i) const;
    int SetItemData(int i, DWORD_PTR data) { return static_cast<int>(SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(i), static_cast<LPARAM>(data))); }
    DWORD_PTR GetItemData(int i) const { return static_cast<DWORD_PTR>(SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(i))); }
    void ShowDropDown(BOOL show = TRUE) { SendMessage(CB_SHOWDROPDOWN, show); }
    bool GetDroppedState() const { return SendMessage(CB_GETDROPPEDSTATE) != 0; }
};

class CProgressCtrl : public CWnd {
public:
    void SetRange(short lower, short upper) { SendMessage(PBM_SETRANGE, 0, MAKELPARAM(lower, upper)); }
    void SetRange32(int lower, int upper) { SendMessage(PBM_SETRANGE32, static_cast<WPARAM>(lower), upper); }
    int SetPos(int pos) { return static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(pos))); }
    int GetPos() const { return static_cast<int>(SendMessage(PBM_GETPOS)); }
};

class CSpinButtonCtrl : public CWnd {
public:
    void SetRange32(int lower, int upper) { SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(lower), upper); }
    int SetPos32(int pos) { return static_cast<int>(SendMessage(UDM_SETPOS32, 0, pos)); }
    int GetPos32() const { return static_cast<int>(SendMessage(UDM_GETPOS32)); }
};

class CScrollBar : public CWnd {
public:
    bool Create(DWORD style, const RECT& r, CWnd* parent, UINT id) { return CWnd::Create(L"SCROLLBAR", L"", style, r, parent, id); }
    bool SetScrollInfo(SCROLLINFO* info, BOOL redraw = TRUE) { return ::SetScrollInfo(m_hWnd, SB_CTL, info, redraw) != 0; }
    bool GetScrollInfo(SCROLLINFO* info, UINT mask = SIF_ALL) const { return CWnd::GetScrollInfo(SB_CTL, info, mask); }
    int GetScrollPos() const { return ::GetScrollPos(m_hWnd, SB_CTL); }
    int SetScrollPos(int pos, BOOL redraw = TRUE) { return ::SetScrollPos(m_hWnd, SB_CTL, pos, redraw); }
    void SetScrollRange(int minPos, int maxPos, BOOL redraw = TRUE) { ::SetScrollRange(m_hWnd, SB_CTL, minPos, maxPos, redraw); }
};

class CToolTipCtrl : public CWnd {
public:
    bool Create(CWnd* parent, DWORD style = 0);
    // Adds a tip for a control of the parent (identified by its window).
    bool AddTool(CWnd* tool, const wchar_t* text);
    // Changes the text of a tip added before; adds it when it is not there.
    void UpdateTipText(const wchar_t* text, CWnd* tool);
    bool HasTool(CWnd* tool) const;
    int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
    void Activate(BOOL active) { SendMessage(TTM_ACTIVATE, active); }
    void RelayEvent(MSG* msg) { if (m_hWnd) SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }
    CString GetToolText(CWnd* tool) const;

private:
    TTTOOLINFOW MakeInfo(CWnd* tool, const wchar_t* text) const;
};
