// CWnd: a window object over an HWND.
//
// Every window we create or subclass is entered in a handle map, so that a
// handle finds its object (and dynamic_cast works). Messages go through the one
// window procedure of the framework to the virtual WindowProc, which dispatches
// through the class's message map; Default() passes the current message on to
// the previous window procedure. Child notifications that the parent does not
// handle (WM_DRAWITEM, WM_MEASUREITEM, WM_CTLCOLOR*, WM_NOTIFY, WM_COMMAND) are
// reflected to the child object's map at WM_REFLECT_BASE + message.
#pragma once

#include <windows.h>

#include "framework/CString.h"
#include "framework/Gdi.h"
#include "framework/Geometry.h"
#include "framework/MessageMap.h"

#define ON_CONTROL_REFLECT(code, fn) {WM_REFLECT_BASE + WM_COMMAND, static_cast<UINT>(code), 0, 0xFFFF, MSG_THUNK(self->fn(); return 0;)},

class CMenu;
class CFont;

class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd();

    HWND m_hWnd = nullptr;

    // Handle map
    static CWnd* FromHandle(HWND hwnd);           // permanent object, or a temporary wrapper
    static CWnd* FromHandlePermanent(HWND hwnd);  // nullptr when no object owns the handle
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return GetSafeHwnd(); }
    bool Attach(HWND hwnd);
    HWND Detach();

    // Subclassing of existing windows (controls of a dialog template).
    bool SubclassWindow(HWND hwnd);
    bool SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    // Creation of windows. A null class name creates a window of the framework's
    // own class, whose messages reach this object from WM_NCCREATE on.
    bool CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style,
                  const RECT& rect, CWnd* parent, UINT id, void* param = nullptr);
    bool Create(const wchar_t* className, const wchar_t* windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CreateEx(0, className, windowName, style, rect, parent, id);
    }
    virtual BOOL DestroyWindow();

    // Message handling
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL PreTranslateMessage(MSG* msg);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void PreSubclassWindow() {}
    virtual void PostNcDestroy() {}
    LRESULT Default();
    static const MessageMap* GetThisMessageMap();
    virtual const MessageMap* GetMessageMap() const;
    // Reflects a child notification to the child's object; false when the child
    // has no object or does not handle it.
    static bool ReflectChildNotify(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Runs PreTranslateMessage of the message's window and of each parent up to
    // its top-level window; true when one of them took the message.
    static bool WalkPreTranslateTree(MSG* msg);
    // Pre-translates, translates and dispatches one message.
    static void DispatchOne(MSG* msg);

    // Dialog items
    CWnd* GetDlgItem(int id) const;
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    void SetDlgItemText(int id, const wchar_t* text) { ::SetDlgItemTextW(m_hWnd, id, text); }
    CString GetDlgItemText(int id) const;
    void CheckDlgButton(int id, UINT check) { ::CheckDlgButton(m_hWnd, id, check); }
    UINT IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }
    void CheckRadioButton(int first, int last, int check) { ::CheckRadioButton(m_hWnd, first, last, check); }

    // Text
    void SetWindowText(const wchar_t* text) { ::SetWindowTextW(m_hWnd, text); }
    CString GetWindowText() const;
    void GetWindowText(CString& text) const { text = GetWindowText(); }
    int GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }

    // State
    BOOL ShowWindow(int cmd) { return ::ShowWindow(m_hWnd, cmd); }
    bool IsWindowVisible() const { return ::IsWindowVisible(m_hWnd) != FALSE; }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    bool IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd) != FALSE; }
    bool IsWindow() const { return m_hWnd && ::IsWindow(m_hWnd); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE)); }
    bool ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
    bool ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags = 0);

    // Painting
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void InvalidateRect(const RECT* rect, BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, rect, erase); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    bool RedrawWindow(const RECT* rect = nullptr, HRGN rgn = nullptr, UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE)
    {
        return ::RedrawWindow(m_hWnd, rect, rgn, flags) != FALSE;
    }
    void SetRedraw(BOOL redraw) { ::SendMessageW(m_hWnd, WM_SETREDRAW, redraw, 0); }

    // Geometry
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
    CRect GetClientRect() const { CRect r; ::GetClientRect(m_hWnd, &r); return r; }
    CRect GetWindowRect() const { CRect r; ::GetWindowRect(m_hWnd, &r); return r; }
    void ScreenToClient(POINT* p) const { ::ScreenToClient(m_hWnd, p); }
    void ScreenToClient(RECT* r) const;
    void ClientToScreen(POINT* p) const { ::ClientToScreen(m_hWnd, p); }
    void ClientToScreen(RECT* r) const;
    void MapWindowPoints(CWnd* to, RECT* r) const { ::MapWindowPoints(m_hWnd, to ? to->m_hWnd : nullptr, reinterpret_cast<POINT*>(r), 2); }
    void MoveWindow(int x, int y, int w, int h, BOOL repaint = TRUE) { ::MoveWindow(m_hWnd, x, y, w, h, repaint); }
    void MoveWindow(const RECT& r, BOOL repaint = TRUE) { MoveWindow(r.left, r.top, r.right - r.left, r.bottom - r.top, repaint); }
    bool SetWindowPos(const CWnd* after, int x, int y, int w, int h, UINT flags)
    {
        return ::SetWindowPos(m_hWnd, after ? after->m_hWnd : nullptr, x, y, w, h, flags) != FALSE;
    }
    void CenterWindow(CWnd* alternateOwner = nullptr);

    // Relations and focus
    CWnd* GetParent() const;
    CWnd* GetTopLevelParent() const;
    bool IsChild(const CWnd* wnd) const { return wnd && ::IsChild(m_hWnd, wnd->m_hWnd) != FALSE; }
    CWnd* SetFocus();
    static CWnd* GetFocus();
    static CWnd* GetActiveWindow();
    static CWnd* WindowFromPoint(POINT p);
    CWnd* SetActiveWindow();
    bool SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd) != FALSE; }
    void BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
    CWnd* GetNextDlgTabItem(CWnd* ctl, BOOL previous = FALSE) const;

    // Messages and timers
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const { return ::SendMessageW(m_hWnd, message, wParam, lParam); }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const { return ::PostMessageW(m_hWnd, message, wParam, lParam); }
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr) { return ::SetTimer(m_hWnd, id, elapse, proc); }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }

    // Mouse capture
    CWnd* SetCapture();
    static CWnd* GetCapture();

    // Fonts, icons, menus
    void SetFont(CFont* font, BOOL redraw = TRUE);
    void SetFont(HFONT font, BOOL redraw = TRUE) { ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw); }
    HFONT GetFontHandle() const { return reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0)); }
    HICON SetIcon(HICON icon, BOOL big) { return reinterpret_cast<HICON>(::SendMessageW(m_hWnd, WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon))); }
    HMENU GetSystemMenu(BOOL revert) const { return ::GetSystemMenu(m_hWnd, revert); }

    // Scroll bars
    bool SetScrollInfo(int bar, SCROLLINFO* info, BOOL redraw = TRUE) { return ::SetScrollInfo(m_hWnd, bar, info, redraw) != 0; }
    bool GetScrollInfo(int bar, SCROLLINFO* info, UINT mask = SIF_ALL) const;
    int GetScrollPos(int bar) const { return ::GetScrollPos(m_hWnd, bar); }
    int SetScrollPos(int bar, int pos, BOOL redraw = TRUE) { return ::SetScrollPos(m_hWnd, bar, pos, redraw); }
    void ShowScrollBar(UINT bar, BOOL show = TRUE) { ::ShowScrollBar(m_hWnd, bar, show); }

    // Default handlers: each passes the message on (handlers of derived classes
    // call them as "the base handling").
    int OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
    void OnDestroy() { Default(); }
    void OnClose() { Default(); }
    void OnPaint() { Default(); }
    BOOL OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
    void OnTimer(UINT_PTR) { Default(); }
    void OnSize(UINT, int, int) { Default(); }
    void OnShowWindow(BOOL, UINT) { Default(); }
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    void OnDrawItem(int id, LPDRAWITEMSTRUCT dis);
    void OnMeasureItem(int id, LPMEASUREITEMSTRUCT mis);
    BOOL OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
    void OnMouseMove(UINT, CPoint) { Default(); }
    void OnLButtonDown(UINT, CPoint) { Default(); }
    void OnLButtonUp(UINT, CPoint) { Default(); }
    void OnLButtonDblClk(UINT, CPoint) { Default(); }
    void OnRButtonDown(UINT, CPoint) { Default(); }
    void OnRButtonUp(UINT, CPoint) { Default(); }
    BOOL OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
    void OnKeyDown(UINT, UINT, UINT) { Default(); }
    void OnKeyUp(UINT, UINT, UINT) { Default(); }
    void OnChar(UINT, UINT, UINT) { Default(); }
    void OnSysKeyDown(UINT, UINT, UINT) { Default(); }
    void OnSetFocus(CWnd*) { Default(); }
    void OnKillFocus(CWnd*) { Default(); }
    UINT OnGetDlgCode() { return static_cast<UINT>(Default()); }
    void OnVScroll(UINT, UINT, CWnd*) { Default(); }
    void OnHScroll(UINT, UINT, CWnd*) { Default(); }
    void OnContextMenu(CWnd*, CPoint) { Default(); }
    void OnActivate(UINT, CWnd*, BOOL) { Default(); }
    BOOL OnNcActivate(BOOL) { return static_cast<BOOL>(Default()); }
    void OnCaptureChanged(CWnd*) { Default(); }
    LRESULT OnNcHitTest(CPoint) { return Default(); }
    int OnMouseActivate(CWnd*, UINT, UINT) { return static_cast<int>(Default()); }

protected:
    WNDPROC m_superProc = nullptr;  // the previous window procedure
    bool m_temporary = false;       // a wrapper made by FromHandle
    bool m_subclassed = false;

    static LRESULT CALLBACK FrameworkWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static const wchar_t* FrameworkClassName();
    void AttachNew(HWND hwnd);
    void OnFinalNcDestroy();

    friend class CDialog;
};

// Passes the current message to the window's default procedure.
inline LRESULT ForwardToDefault(CWnd* wnd) { return wnd->Default(); }

// The instance handle of the program's module (resources live there).
HINSTANCE AppInstance();
