// Static message-map tables: (message, control id, notification) -> handler.
//
// A class declares DECLARE_MESSAGE_MAP() and defines its table with
// BEGIN_MESSAGE_MAP(Class, Base) ... END_MESSAGE_MAP(). Each row is a small
// captureless thunk that cracks the message arguments and calls the member.
// CWnd::OnWndMsg walks the table of the class, then the tables of its bases.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#undef SubclassWindow  // windowsx.h macro that clashes with CWnd::SubclassWindow

class CWnd;
class CDC;
class CPoint;

// Reflected messages: a parent hands WM_DRAWITEM, WM_CTLCOLOR*, WM_NOTIFY ... to
// the child object at WM_REFLECT_BASE + message when it did not handle them.
constexpr UINT WM_REFLECT_BASE = 0xBC00;

struct MessageMapEntry {
    UINT message;     // window message (WM_COMMAND / WM_NOTIFY for control rows)
    UINT code;        // notification code for WM_COMMAND / WM_NOTIFY rows
    UINT firstId;     // control id range for WM_COMMAND / WM_NOTIFY rows
    UINT lastId;
    // Cracks the arguments, runs the handler and returns the message result.
    LRESULT (*thunk)(CWnd* self, WPARAM wParam, LPARAM lParam);
};

struct MessageMap {
    const MessageMap* (*base)();
    const MessageMapEntry* entries;
};

#define DECLARE_MESSAGE_MAP()                                   \
public:                                                         \
    static const MessageMap* GetThisMessageMap();               \
    const MessageMap* GetMessageMap() const override;           \
private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                             \
    const MessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const MessageMap* theClass::GetThisMessageMap()                       \
    {                                                                     \
        using ThisClass = theClass;                                       \
        using TheBaseClass = baseClass;                                   \
        static const MessageMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                 \
            {0, 0, 0, 0, nullptr}                                         \
        };                                                                \
        static const MessageMap map = {&TheBaseClass::GetThisMessageMap, entries}; \
        return &map;                                                      \
    }

#define MSG_THUNK(body) +[](CWnd* w_, WPARAM wParam, LPARAM lParam) -> LRESULT { \
        (void)wParam; (void)lParam; auto* self = static_cast<ThisClass*>(w_); (void)self; body }

// Generic rows
#define ON_MESSAGE(msg, fn) {msg, 0, 0, 0, MSG_THUNK(return self->fn(wParam, lParam);)},
#define ON_REGISTERED_MESSAGE(msgVar, fn) ON_MESSAGE(msgVar, fn)
#define ON_COMMAND(id, fn) {WM_COMMAND, 0, static_cast<UINT>(id), static_cast<UINT>(id), MSG_THUNK(self->fn(); return 0;)},
#define ON_COMMAND_RANGE(first, last, fn) {WM_COMMAND, 0, first, last, MSG_THUNK(self->fn(LOWORD(wParam)); return 0;)},
#define ON_CONTROL(code, id, fn) {WM_COMMAND, code, static_cast<UINT>(id), static_cast<UINT>(id), MSG_THUNK(self->fn(); return 0;)},
#define ON_CONTROL_RANGE(code, first, last, fn) {WM_COMMAND, code, first, last, MSG_THUNK(self->fn(LOWORD(wParam)); return 0;)},
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_BN_DOUBLECLICKED(id, fn) ON_CONTROL(BN_DOUBLECLICKED, id, fn)
#define ON_STN_CLICKED(id, fn) ON_CONTROL(STN_CLICKED, id, fn)
#define ON_STN_DBLCLK(id, fn) ON_CONTROL(STN_DBLCLK, id, fn)
#define ON_LBN_SELCHANGE(id, fn) ON_CONTROL(LBN_SELCHANGE, id, fn)
#define ON_LBN_DBLCLK(id, fn) ON_CONTROL(LBN_DBLCLK, id, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)
#define ON_CBN_DROPDOWN(id, fn) ON_CONTROL(CBN_DROPDOWN, id, fn)
#define ON_CBN_CLOSEUP(id, fn) ON_CONTROL(CBN_CLOSEUP, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_EN_KILLFOCUS(id, fn) ON_CONTROL(EN_KILLFOCUS, id, fn)
#define ON_EN_SETFOCUS(id, fn) ON_CONTROL(EN_SETFOCUS, id, fn)
#define ON_NOTIFY(code, id, fn) {WM_NOTIFY, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(id), \
        MSG_THUNK(LRESULT r = 0; self->fn(reinterpret_cast<NMHDR*>(lParam), &r); return r;)},
#define ON_NOTIFY_REFLECT(code, fn) {WM_REFLECT_BASE + WM_NOTIFY, static_cast<UINT>(code), 0, 0xFFFF, \
        MSG_THUNK(LRESULT r = 0; self->fn(reinterpret_cast<NMHDR*>(lParam), &r); return r;)},

// Window messages with cracked arguments
#define ON_WM_CREATE() {WM_CREATE, 0, 0, 0, MSG_THUNK(return self->OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam));)},
#define ON_WM_DESTROY() {WM_DESTROY, 0, 0, 0, MSG_THUNK(self->OnDestroy(); return 0;)},
#define ON_WM_CLOSE() {WM_CLOSE, 0, 0, 0, MSG_THUNK(self->OnClose(); return 0;)},
#define ON_WM_PAINT() {WM_PAINT, 0, 0, 0, MSG_THUNK(self->OnPaint(); return 0;)},
#define ON_WM_ERASEBKGND() {WM_ERASEBKGND, 0, 0, 0, MSG_THUNK(return self->OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));)},
#define ON_WM_TIMER() {WM_TIMER, 0, 0, 0, MSG_THUNK(self->OnTimer(static_cast<UINT_PTR>(wParam)); return 0;)},
#define ON_WM_SIZE() {WM_SIZE, 0, 0, 0, MSG_THUNK(self->OnSize(static_cast<UINT>(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;)},
#define ON_WM_SHOWWINDOW() {WM_SHOWWINDOW, 0, 0, 0, MSG_THUNK(self->OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam)); return 0;)},
#define ON_WM_CTLCOLOR() {WM_CTLCOLORSTATIC, 0, 0, 0, CTLCOLOR_THUNK(CTLCOLOR_STATIC)}, \
    {WM_CTLCOLORBTN, 0, 0, 0, CTLCOLOR_THUNK(CTLCOLOR_BTN)}, \
    {WM_CTLCOLOREDIT, 0, 0, 0, CTLCOLOR_THUNK(CTLCOLOR_EDIT)}, \
    {WM_CTLCOLORLISTBOX, 0, 0, 0, CTLCOLOR_THUNK(CTLCOLOR_LISTBOX)}, \
    {WM_CTLCOLORDLG, 0, 0, 0, CTLCOLOR_THUNK(CTLCOLOR_DLG)}, \
    {WM_CTLCOLORSCROLLBAR, 0, 0, 0, CTLCOLOR_THUNK(CTLCOLOR_SCROLLBAR)},
#define CTLCOLOR_THUNK(kind) MSG_THUNK(return reinterpret_cast<LRESULT>(self->OnCtlColor( \
        CDC::FromHandle(reinterpret_cast<HDC>(wParam)), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), kind));)
#define ON_WM_CTLCOLOR_REFLECT() {WM_REFLECT_BASE + WM_CTLCOLORSTATIC, 0, 0, 0, CTLCOLOR_REFLECT_THUNK(CTLCOLOR_STATIC)}, \
    {WM_REFLECT_BASE + WM_CTLCOLORBTN, 0, 0, 0, CTLCOLOR_REFLECT_THUNK(CTLCOLOR_BTN)}, \
    {WM_REFLECT_BASE + WM_CTLCOLOREDIT, 0, 0, 0, CTLCOLOR_REFLECT_THUNK(CTLCOLOR_EDIT)}, \
    {WM_REFLECT_BASE + WM_CTLCOLORLISTBOX, 0, 0, 0, CTLCOLOR_REFLECT_THUNK(CTLCOLOR_LISTBOX)},
#define CTLCOLOR_REFLECT_THUNK(kind) MSG_THUNK(return reinterpret_cast<LRESULT>(self->CtlColor( \
        CDC::FromHandle(reinterpret_cast<HDC>(wParam)), kind));)
#define ON_WM_DRAWITEM() {WM_DRAWITEM, 0, 0, 0, MSG_THUNK(self->OnDrawItem(static_cast<int>(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); return TRUE;)},
#define ON_WM_DRAWITEM_REFLECT() {WM_REFLECT_BASE + WM_DRAWITEM, 0, 0, 0, MSG_THUNK(self->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); return TRUE;)},
#define ON_WM_MEASUREITEM() {WM_MEASUREITEM, 0, 0, 0, MSG_THUNK(self->OnMeasureItem(static_cast<int>(wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); return TRUE;)},
#define ON_WM_MEASUREITEM_REFLECT() {WM_REFLECT_BASE + WM_MEASUREITEM, 0, 0, 0, MSG_THUNK(self->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); return TRUE;)},
#define ON_WM_SETCURSOR() {WM_SETCURSOR, 0, 0, 0, MSG_THUNK(return self->OnSetCursor(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam));)},
#define MOUSE_THUNK(fn) MSG_THUNK(self->fn(static_cast<UINT>(wParam), CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))); return 0;)
#define ON_WM_MOUSEMOVE() {WM_MOUSEMOVE, 0, 0, 0, MOUSE_THUNK(OnMouseMove)},
#define ON_WM_LBUTTONDOWN() {WM_LBUTTONDOWN, 0, 0, 0, MOUSE_THUNK(OnLButtonDown)},
#define ON_WM_LBUTTONUP() {WM_LBUTTONUP, 0, 0, 0, MOUSE_THUNK(OnLButtonUp)},
#define ON_WM_LBUTTONDBLCLK() {WM_LBUTTONDBLCLK, 0, 0, 0, MOUSE_THUNK(OnLButtonDblClk)},
#define ON_WM_RBUTTONDOWN() {WM_RBUTTONDOWN, 0, 0, 0, MOUSE_THUNK(OnRButtonDown)},
#define ON_WM_RBUTTONUP() {WM_RBUTTONUP, 0, 0, 0, MOUSE_THUNK(OnRButtonUp)},
#define ON_WM_MOUSEWHEEL() {WM_MOUSEWHEEL, 0, 0, 0, MSG_THUNK(return self->OnMouseWheel(GET_KEYSTATE_WPARAM(wParam), \
        GET_WHEEL_DELTA_WPARAM(wParam), CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));)},
#define KEY_THUNK(fn) MSG_THUNK(self->fn(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); return 0;)
#define ON_WM_KEYDOWN() {WM_KEYDOWN, 0, 0, 0, KEY_THUNK(OnKeyDown)},
#define ON_WM_KEYUP() {WM_KEYUP, 0, 0, 0, KEY_THUNK(OnKeyUp)},
#define ON_WM_CHAR() {WM_CHAR, 0, 0, 0, KEY_THUNK(OnChar)},
#define ON_WM_SYSKEYDOWN() {WM_SYSKEYDOWN, 0, 0, 0, KEY_THUNK(OnSysKeyDown)},
#define ON_WM_SETFOCUS() {WM_SETFOCUS, 0, 0, 0, MSG_THUNK(self->OnSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam))); return 0;)},
#define ON_WM_KILLFOCUS() {WM_KILLFOCUS, 0, 0, 0, MSG_THUNK(self->OnKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam))); return 0;)},
#define ON_WM_GETDLGCODE() {WM_GETDLGCODE, 0, 0, 0, MSG_THUNK(return self->OnGetDlgCode();)},
#define SCROLL_THUNK(fn) MSG_THUNK(self->fn(LOWORD(wParam), HIWORD(wParam), CWnd::FromHandle(reinterpret_cast<HWND>(lParam))); return 0;)
#define ON_WM_VSCROLL() {WM_VSCROLL, 0, 0, 0, SCROLL_THUNK(OnVScroll)},
#define ON_WM_HSCROLL() {WM_HSCROLL, 0, 0, 0, SCROLL_THUNK(OnHScroll)},
#define ON_WM_CONTEXTMENU() {WM_CONTEXTMENU, 0, 0, 0, MSG_THUNK(self->OnContextMenu(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), \
        CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))); return 0;)},
#define ON_WM_ACTIVATE() {WM_ACTIVATE, 0, 0, 0, MSG_THUNK(self->OnActivate(LOWORD(wParam), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), HIWORD(wParam)); return 0;)},
#define ON_WM_NCACTIVATE() {WM_NCACTIVATE, 0, 0, 0, MSG_THUNK(return self->OnNcActivate(static_cast<BOOL>(wParam));)},
#define ON_WM_CAPTURECHANGED() {WM_CAPTURECHANGED, 0, 0, 0, MSG_THUNK(self->OnCaptureChanged(CWnd::FromHandle(reinterpret_cast<HWND>(lParam))); return 0;)},
#define ON_WM_NCHITTEST() {WM_NCHITTEST, 0, 0, 0, MSG_THUNK(return self->OnNcHitTest(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));)},
#define ON_WM_MOUSEACTIVATE() {WM_MOUSEACTIVATE, 0, 0, 0, MSG_THUNK(return self->OnMouseActivate(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam));)},
