#include "framework/Dialog.h"

#include "framework/Diagnostics.h"

#include <commctrl.h>

#include <cwchar>
#include <mutex>
#include <set>

namespace {

constexpr UINT WM_FRAMEWORK_MODAL_HOOK = WM_APP + 0x3F00;

std::mutex g_hookMutex;
ModalDialogHook g_modalHook;

// The system draws the dotted focus frame of a radio button or a check box by
// inverting the pixels, and inverts it again on each partial repaint of the
// box (a change of its check or of its pressed look), where it does not first
// clear the caption: after an odd number of such repaints the frame is gone
// while the control keeps the focus. Such a control with the focus is drawn
// whole after each of those changes.
LRESULT CALLBACK KeepFocusFrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_NCDESTROY) ::RemoveWindowSubclass(hwnd, &KeepFocusFrameProc, 0);
    const LRESULT result = ::DefSubclassProc(hwnd, message, wParam, lParam);
    if ((message == BM_SETCHECK || message == BM_SETSTATE) && ::GetFocus() == hwnd) ::InvalidateRect(hwnd, nullptr, FALSE);
    return result;
}

bool IsCheckBoxKind(HWND control)
{
    wchar_t cls[16] = {};
    ::GetClassNameW(control, cls, 16);
    if (_wcsicmp(cls, L"Button") != 0) return false;
    const LONG_PTR style = ::GetWindowLongPtrW(control, GWL_STYLE);
    if (style & BS_PUSHLIKE) return false;
    switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return true;
    default: return false;
    }
}

void KeepFocusFramesWhole(HWND dialog)
{
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (IsCheckBoxKind(child)) ::SetWindowSubclass(child, &KeepFocusFrameProc, 0, 0);
}

bool IsArrowKeyDown(const MSG& msg)
{
    return msg.message == WM_KEYDOWN &&
           (msg.wParam == VK_LEFT || msg.wParam == VK_RIGHT || msg.wParam == VK_UP || msg.wParam == VK_DOWN);
}

LRESULT DialogCodeOf(HWND control, const MSG& msg)
{
    return ::SendMessageW(control, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
}

// A control the arrows may land on: a tab stop or a radio of a group, but no
// label, picture or frame, which takes no key and shows no mark. (The group
// walk passes over hidden and disabled controls itself.)
bool TakesArrowKeyboard(HWND control, const MSG& msg)
{
    const LRESULT code = DialogCodeOf(control, msg);
    if (code & DLGC_STATIC) return false;
    return (code & DLGC_RADIOBUTTON) || (::GetWindowLongPtrW(control, GWL_STYLE) & WS_TABSTOP);
}

}  // namespace

void SetModalDialogHook(ModalDialogHook hook)
{
    std::lock_guard<std::mutex> lock(g_hookMutex);
    g_modalHook = std::move(hook);
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    if (control.m_hWnd) return;
    control.SubclassDlgItem(static_cast<UINT>(id), dx->m_pDlgWnd);
}

void DDX_Text(CDataExchange* dx, int id, CString& value)
{
    if (dx->m_bSaveAndValidate) value = dx->m_pDlgWnd->GetDlgItemText(id);
    else dx->m_pDlgWnd->SetDlgItemText(id, value);
}

void DDX_Check(CDataExchange* dx, int id, int& value)
{
    if (dx->m_bSaveAndValidate) value = static_cast<int>(dx->m_pDlgWnd->IsDlgButtonChecked(id));
    else dx->m_pDlgWnd->CheckDlgButton(id, static_cast<UINT>(value));
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, HandleOk)
    ON_COMMAND(IDCANCEL, HandleCancel)
    ON_MESSAGE(WM_FRAMEWORK_MODAL_HOOK, OnModalHook)
END_MESSAGE_MAP()

INT_PTR CALLBACK CDialog::StubDialogProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG) return FALSE;
    auto* dlg = reinterpret_cast<CDialog*>(lParam);
    if (!dlg) return TRUE;
    try {
        dlg->SubclassWindow(hwnd);
        KeepFocusFramesWhole(hwnd);
        if (dlg->m_skinUnits) dlg->ApplySkinUnits();
        return dlg->OnInitDialog();
    } catch (...) {
        ReportCaughtException(L"a dialog's initialisation");
        return TRUE;
    }
}

void CDialog::ApplySkinUnits()
{
    // The template's own pixels per unit, from its font.
    RECT units = {0, 0, 400, 800};
    ::MapDialogRect(m_hWnd, &units);
    if (units.right <= 0 || units.bottom <= 0) return;
    // Back to whole dialog units (exact, as a unit spans at least a pixel),
    // then out at the skin's scale.
    auto toSkinX = [&](LONG px) { return MulDiv(MulDiv(px, 400, units.right), kSkinBaseX, 4); };
    auto toSkinY = [&](LONG px) { return MulDiv(MulDiv(px, 800, units.bottom), kSkinBaseY, 8); };
    auto scale = [&](RECT& r) {
        r.left = toSkinX(r.left);
        r.right = toSkinX(r.right);
        r.top = toSkinY(r.top);
        r.bottom = toSkinY(r.bottom);
    };
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        ::GetWindowRect(child, &r);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
        scale(r);
        ::SetWindowPos(child, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    scale(client);
    RECT outer = client;
    ::AdjustWindowRectEx(&outer, GetStyle(), FALSE, GetExStyle());
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    if (m_hWnd) return FALSE;
    m_templateId = templateId;
    if (parent) m_parent = parent;
    HWND h = ::CreateDialogParamW(AppInstance(), MAKEINTRESOURCEW(templateId), m_parent ? m_parent->m_hWnd : nullptr,
                                  &StubDialogProc, reinterpret_cast<LPARAM>(this));
    return h != nullptr;
}

INT_PTR CDialog::DoModal()
{
    if (m_hWnd) return -1;
    HWND owner = m_parent ? ::GetAncestor(m_parent->m_hWnd, GA_ROOT) : ::GetActiveWindow();
    HWND h = ::CreateDialogParamW(AppInstance(), MAKEINTRESOURCEW(m_templateId), owner, &StubDialogProc,
                                  reinterpret_cast<LPARAM>(this));
    if (!h) return -1;
    bool reenable = owner && ::IsWindowEnabled(owner);
    if (reenable) ::EnableWindow(owner, FALSE);
    m_inModalLoop = true;
    m_modalResult = -1;
    ::ShowWindow(h, SW_SHOW);
    {
        std::lock_guard<std::mutex> lock(g_hookMutex);
        if (g_modalHook) ::PostMessageW(h, WM_FRAMEWORK_MODAL_HOOK, 0, 0);
    }
    while (m_inModalLoop) {
        MSG msg;
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {  // WM_QUIT: leave the loop and let the outer loop see it too
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0) break;
        DispatchOne(&msg);
        if (!::IsWindow(h)) break;
    }
    m_inModalLoop = false;
    if (reenable) {
        ::EnableWindow(owner, TRUE);
        ::SetActiveWindow(owner);
    }
    if (m_hWnd) DestroyWindow();
    return m_modalResult;
}

LRESULT CDialog::OnModalHook(WPARAM, LPARAM)
{
    ModalDialogHook hook;
    {
        std::lock_guard<std::mutex> lock(g_hookMutex);
        hook = g_modalHook;
    }
    if (hook && m_inModalLoop) hook(*this, m_templateId);
    return 0;
}

void CDialog::EndDialog(int result)
{
    m_modalResult = result;
    if (m_inModalLoop) {
        m_inModalLoop = false;
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0);  // wake the modal loop
    } else if (m_hWnd) {
        ::ShowWindow(m_hWnd, SW_HIDE);
    }
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    if (GetStyle() & WS_CHILD) {
        // A child dialog (a page) answers Enter and Escape itself, with its own
        // OnOK and OnCancel, unless the control with the focus takes the key;
        // otherwise the top-level dialog would take them for its own OK and
        // Cancel.
        if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) {
            const LRESULT wants = ::SendMessageW(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
            if (wants & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return FALSE;
            SendMessage(WM_COMMAND, msg->wParam == VK_RETURN ? IDOK : IDCANCEL, 0);
            return TRUE;
        }
        // The arrows step within a group of the page's controls (its radios),
        // and no group reaches beyond its page: the page moves them itself, as
        // the top-level dialog loses its way in a group two parents down.
        if (IsArrowKeyDown(*msg)) return MoveByArrow(msg);
        // Tab and the rest of the keyboard navigation are the top-level
        // dialog's, which goes through the pages' controls as its own.
        return FALSE;
    }
    if (IsArrowKeyDown(*msg)) return MoveByArrow(msg);
    if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST)
        return ::IsDialogMessageW(m_hWnd, msg);
    return FALSE;
}

// The arrows step through the group of the control with the keyboard as the
// system's dialog keys do, but on past the controls that take no input; with
// none in the group the keyboard stays. A control that wants the arrows
// itself gets them.
BOOL CDialog::MoveByArrow(MSG* msg)
{
    if (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd)) return FALSE;
    if (DialogCodeOf(msg->hwnd, *msg) & (DLGC_WANTARROWS | DLGC_WANTMESSAGE)) return ::IsDialogMessageW(m_hWnd, msg);
    const bool backward = msg->wParam == VK_LEFT || msg->wParam == VK_UP;
    HWND next = msg->hwnd;
    std::set<HWND> passed{next};
    do {
        next = ::GetNextDlgGroupItem(m_hWnd, next, backward);
        // Round the whole group: nowhere else to go.
        if (!next || !passed.insert(next).second) return TRUE;
    } while (!TakesArrowKeyboard(next, *msg));
    // A radio takes the keyboard and, when it is an automatic one, the check.
    if (DialogCodeOf(next, *msg) == (DLGC_BUTTON | DLGC_RADIOBUTTON)) {
        ::SetFocus(next);
        if ((::GetWindowLongPtrW(next, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON &&
            ::SendMessageW(next, BM_GETCHECK, 0, 0) != BST_CHECKED)
            ::SendMessageW(next, BM_CLICK, 1, 0);
    } else {
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
    }
    return TRUE;
}

void CDialog::PressButton(int id)
{
    HWND button = ::GetDlgItem(m_hWnd, id);
    ::SendMessageW(m_hWnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

bool PumpMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        if (done && done()) return true;
        ULONGLONG now = ::GetTickCount64();
        if (now >= end) return done ? done() : false;
        MSG msg;
        if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                return done ? done() : false;
            }
            CWnd::DispatchOne(&msg);
            continue;
        }
        DWORD wait = static_cast<DWORD>(end - now);
        if (wait > 50) wait = 50;  // re-test the predicate now and then
        ::MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}
