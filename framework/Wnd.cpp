#include "framework/Wnd.h"

#include "framework/Diagnostics.h"

#include <memory>
#include <mutex>
#include <unordered_map>

namespace {

// Permanent objects by handle. Windows live on the user-interface thread, but
// worker threads may look a handle up, so the map is locked.
std::mutex g_mapMutex;
std::unordered_map<HWND, CWnd*> g_permanent;

// Temporary wrappers for handles that no object owns.
thread_local std::unordered_map<HWND, std::unique_ptr<CWnd>> t_temporary;

// The message being handled, for Default().
struct CurrentMessage {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
thread_local CurrentMessage t_current{};

// The object whose window is being created by CreateEx on this thread.
thread_local CWnd* t_creating = nullptr;

bool IsControlNotification(UINT message)
{
    switch (message) {
    case WM_COMMAND: case WM_NOTIFY: case WM_DRAWITEM: case WM_MEASUREITEM:
    case WM_CTLCOLORSTATIC: case WM_CTLCOLORBTN: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORDLG:
        return true;
    default:
        return false;
    }
}

const MessageMapEntry* FindEntry(const MessageMap* map, UINT message, UINT code, UINT id, bool matchIds)
{
    for (; map; map = map->base ? map->base() : nullptr) {
        for (const MessageMapEntry* e = map->entries; e && e->thunk; ++e) {
            if (e->message != message) continue;
            if (matchIds && (e->code != code || id < e->firstId || id > e->lastId)) continue;
            return e;
        }
    }
    return nullptr;
}

}  // namespace

HINSTANCE AppInstance() { return GetModuleHandleW(nullptr); }

CWnd::~CWnd()
{
    if (m_hWnd && !m_temporary) {
        HWND h = m_hWnd;
        if (m_subclassed && ::IsWindow(h) && ::GetParent(h) && (::GetWindowLongPtrW(h, GWL_STYLE) & WS_CHILD)) {
            // A subclassed control outlives its object only until its parent goes;
            // give its procedure back so it never calls into a dead object.
            UnsubclassWindow();
        } else if (::IsWindow(h)) {
            ::DestroyWindow(h);
        }
        std::lock_guard<std::mutex> lock(g_mapMutex);
        auto it = g_permanent.find(h);
        if (it != g_permanent.end() && it->second == this) g_permanent.erase(it);
        m_hWnd = nullptr;
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd)
{
    if (!hwnd) return nullptr;
    std::lock_guard<std::mutex> lock(g_mapMutex);
    auto it = g_permanent.find(hwnd);
    return it == g_permanent.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hwnd)
{
    if (!hwnd) return nullptr;
    if (CWnd* w = FromHandlePermanent(hwnd)) return w;
    auto& slot = t_temporary[hwnd];
    if (!slot) {
        slot = std::make_unique<CWnd>();
        slot->m_temporary = true;
    }
    slot->m_hWnd = hwnd;
    return slot.get();
}

bool CWnd::Attach(HWND hwnd)
{
    if (!hwnd || m_hWnd) return false;
    m_hWnd = hwnd;
    std::lock_guard<std::mutex> lock(g_mapMutex);
    g_permanent[hwnd] = this;
    return true;
}

HWND CWnd::Detach()
{
    HWND h = m_hWnd;
    if (h) {
        std::lock_guard<std::mutex> lock(g_mapMutex);
        auto it = g_permanent.find(h);
        if (it != g_permanent.end() && it->second == this) g_permanent.erase(it);
    }
    m_hWnd = nullptr;
    return h;
}

bool CWnd::SubclassWindow(HWND hwnd)
{
    if (!hwnd || m_hWnd || FromHandlePermanent(hwnd)) return false;
    Attach(hwnd);
    PreSubclassWindow();
    m_superProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FrameworkWndProc)));
    m_subclassed = true;
    return true;
}

bool CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    if (!parent) return false;
    HWND item = ::GetDlgItem(parent->m_hWnd, static_cast<int>(id));
    return item && SubclassWindow(item);
}

HWND CWnd::UnsubclassWindow()
{
    if (!m_hWnd || !m_subclassed) return nullptr;
    ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superProc));
    m_superProc = nullptr;
    m_subclassed = false;
    return Detach();
}

const wchar_t* CWnd::FrameworkClassName()
{
    static const wchar_t* name = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &FrameworkWndProc;
        wc.hInstance = AppInstance();
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = L"TorvikWindow";
        ::RegisterClassExW(&wc);
        return L"TorvikWindow";
    }();
    return name;
}

void CWnd::AttachNew(HWND hwnd)
{
    Attach(hwnd);
    m_superProc = &::DefWindowProcW;
}

bool CWnd::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style,
                    const RECT& rect, CWnd* parent, UINT id, void* param)
{
    if (m_hWnd) return false;
    HWND parentHwnd = parent ? parent->m_hWnd : nullptr;
    HMENU menu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
    if (!className) {
        CWnd* previous = t_creating;
        t_creating = this;
        HWND h = ::CreateWindowExW(exStyle, FrameworkClassName(), windowName, style, rect.left, rect.top,
                                   rect.right - rect.left, rect.bottom - rect.top, parentHwnd, menu, AppInstance(), param);
        t_creating = previous;
        if (!h && m_hWnd) Detach();
        return h != nullptr;
    }
    HWND h = ::CreateWindowExW(exStyle, className, windowName, style, rect.left, rect.top, rect.right - rect.left,
                               rect.bottom - rect.top, parentHwnd, menu, AppInstance(), param);
    if (!h) return false;
    return SubclassWindow(h);
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd) return FALSE;
    return ::DestroyWindow(m_hWnd);
}

LRESULT CALLBACK CWnd::FrameworkWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = FromHandlePermanent(hwnd);
    if (!wnd && t_creating && !t_creating->m_hWnd) {
        wnd = t_creating;
        wnd->AttachNew(hwnd);
    }
    if (!wnd) return ::DefWindowProcW(hwnd, message, wParam, lParam);

    CurrentMessage saved = t_current;
    t_current = {hwnd, message, wParam, lParam};
    LRESULT result = 0;
    try {
        result = wnd->WindowProc(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the system's callback.
        ReportCaughtException(L"a window procedure");
        result = 0;
    }
    t_current = saved;
    if (message == WM_NCDESTROY) wnd->OnFinalNcDestroy();
    return result;
}

void CWnd::OnFinalNcDestroy()
{
    HWND h = m_hWnd;
    if (m_subclassed && m_superProc && ::IsWindow(h))
        ::SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superProc));
    m_subclassed = false;
    m_superProc = nullptr;
    Detach();
    PostNcDestroy();
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const MessageMap* map = GetMessageMap();
    const MessageMapEntry* entry = nullptr;
    HWND child = nullptr;
    if (message == WM_COMMAND) {
        UINT code = HIWORD(wParam);
        if (lParam == 0 && code == 1) code = 0;  // accelerator
        entry = FindEntry(map, WM_COMMAND, code, LOWORD(wParam), true);
        child = reinterpret_cast<HWND>(lParam);
    } else if (message == WM_NOTIFY) {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        entry = FindEntry(map, WM_NOTIFY, hdr->code, static_cast<UINT>(hdr->idFrom), true);
        child = hdr->hwndFrom;
    } else {
        entry = FindEntry(map, message, 0, 0, false);
        if (message == WM_DRAWITEM) {
            auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            if (dis->CtlType != ODT_MENU) child = dis->hwndItem;
        } else if (message == WM_MEASUREITEM) {
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (mis->CtlType != ODT_MENU) child = ::GetDlgItem(m_hWnd, static_cast<int>(mis->CtlID));
        } else if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
            child = reinterpret_cast<HWND>(lParam);
        }
    }
    if (entry) {
        *result = entry->thunk(this, wParam, lParam);
        return TRUE;
    }
    // Not handled here: a control's notification goes to the control's object.
    if (child && child != m_hWnd && IsControlNotification(message)) {
        bool isColour = message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
        if (ReflectChildNotify(child, message, wParam, lParam, result) && (!isColour || *result)) return TRUE;
    }
    return FALSE;
}

bool CWnd::ReflectChildNotify(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    CWnd* wnd = FromHandlePermanent(child);
    return wnd && wnd->OnChildNotify(message, wParam, lParam, result);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const MessageMap* map = GetMessageMap();
    const MessageMapEntry* entry;
    if (message == WM_COMMAND)
        entry = FindEntry(map, WM_REFLECT_BASE + WM_COMMAND, HIWORD(wParam), 0, true);
    else if (message == WM_NOTIFY)
        entry = FindEntry(map, WM_REFLECT_BASE + WM_NOTIFY, reinterpret_cast<NMHDR*>(lParam)->code, 0, true);
    else
        entry = FindEntry(map, WM_REFLECT_BASE + message, 0, 0, false);
    if (!entry) return FALSE;
    *result = entry->thunk(this, wParam, lParam);
    return TRUE;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_superProc) return ::CallWindowProcW(m_superProc, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(t_current.message, t_current.wParam, t_current.lParam);
}

const MessageMap* CWnd::GetThisMessageMap()
{
    static const MessageMapEntry entries[] = {{0, 0, 0, 0, nullptr}};
    static const MessageMap map = {nullptr, entries};
    return &map;
}

const MessageMap* CWnd::GetMessageMap() const { return GetThisMessageMap(); }

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* wnd, UINT)
{
    LRESULT r = 0;
    if (wnd && wnd->m_hWnd != m_hWnd && ReflectChildNotify(wnd->m_hWnd, t_current.message, t_current.wParam, t_current.lParam, &r) && r)
        return reinterpret_cast<HBRUSH>(r);
    return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT dis)
{
    LRESULT r = 0;
    if (dis->CtlType != ODT_MENU && ReflectChildNotify(dis->hwndItem, WM_DRAWITEM, t_current.wParam, reinterpret_cast<LPARAM>(dis), &r)) return;
    Default();
}

void CWnd::OnMeasureItem(int id, LPMEASUREITEMSTRUCT mis)
{
    LRESULT r = 0;
    if (mis->CtlType != ODT_MENU && ReflectChildNotify(::GetDlgItem(m_hWnd, id), WM_MEASUREITEM, t_current.wParam, reinterpret_cast<LPARAM>(mis), &r)) return;
    Default();
}

bool CWnd::WalkPreTranslateTree(MSG* msg)
{
    for (HWND h = msg->hwnd; h; h = ::GetParent(h)) {
        if (CWnd* w = FromHandlePermanent(h)) {
            if (w->PreTranslateMessage(msg)) return true;
        }
        if (!(::GetWindowLongPtrW(h, GWL_STYLE) & WS_CHILD)) break;  // stop at the top-level window
    }
    return false;
}

void CWnd::DispatchOne(MSG* msg)
{
    if (WalkPreTranslateTree(msg)) return;
    ::TranslateMessage(msg);
    ::DispatchMessageW(msg);
}

CWnd* CWnd::GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }

CString CWnd::GetDlgItemText(int id) const
{
    HWND item = ::GetDlgItem(m_hWnd, id);
    return item ? FromHandle(item)->GetWindowText() : CString();
}

CString CWnd::GetWindowText() const
{
    int n = ::GetWindowTextLengthW(m_hWnd);
    CString s;
    if (n <= 0) return s;
    wchar_t* buf = s.GetBufferSetLength(n + 1);
    int got = ::GetWindowTextW(m_hWnd, buf, n + 1);
    s.ReleaseBuffer(got < 0 ? 0 : got);
    return s;
}

bool CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags)
{
    DWORD style = GetStyle();
    DWORD next = (style & ~remove) | add;
    if (next == style) return false;
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(next));
    if (swpFlags) ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
    return true;
}

bool CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags)
{
    DWORD style = GetExStyle();
    DWORD next = (style & ~remove) | add;
    if (next == style) return false;
    ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, static_cast<LONG_PTR>(next));
    if (swpFlags) ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
    return true;
}

void CWnd::ScreenToClient(RECT* r) const { ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(r), 2); }
void CWnd::ClientToScreen(RECT* r) const { ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(r), 2); }

void CWnd::CenterWindow(CWnd* alternateOwner)
{
    CRect area;
    HWND owner = alternateOwner ? alternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
    if (owner && ::IsWindowVisible(owner)) ::GetWindowRect(owner, &area);
    else ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    CRect me = GetWindowRect();
    int x = area.left + (area.Width() - me.Width()) / 2;
    int y = area.top + (area.Height() - me.Height()) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
CWnd* CWnd::GetTopLevelParent() const { return FromHandle(::GetAncestor(m_hWnd, GA_ROOT)); }
CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }
CWnd* CWnd::GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
CWnd* CWnd::WindowFromPoint(POINT p) { return FromHandle(::WindowFromPoint(p)); }
CWnd* CWnd::SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
CWnd* CWnd::GetNextDlgTabItem(CWnd* ctl, BOOL previous) const { return FromHandle(::GetNextDlgTabItem(m_hWnd, ctl ? ctl->m_hWnd : nullptr, previous)); }
CWnd* CWnd::SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
CWnd* CWnd::GetCapture() { return FromHandle(::GetCapture()); }

void CWnd::SetFont(CFont* font, BOOL redraw) { SetFont(font ? static_cast<HFONT>(*font) : nullptr, redraw); }

bool CWnd::GetScrollInfo(int bar, SCROLLINFO* info, UINT mask) const
{
    info->cbSize = sizeof(SCROLLINFO);
    info->fMask = mask;
    return ::GetScrollInfo(m_hWnd, bar, info) != FALSE;
}
