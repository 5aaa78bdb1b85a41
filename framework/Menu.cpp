#include "framework/Menu.h"

#include <atomic>

namespace {
std::atomic<PopupMenuHook> g_popupHook{nullptr};
}

void SetPopupMenuHook(PopupMenuHook hook) { g_popupHook = hook; }
PopupMenuHook GetPopupMenuHook() { return g_popupHook.load(); }

CString CMenu::GetMenuString(UINT id, UINT flags) const
{
    wchar_t buf[256] = {};
    ::GetMenuStringW(m_hMenu, id, buf, 256, flags);
    return CString(buf);
}

bool CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner)
{
    if (PopupMenuHook hook = g_popupHook.load()) {
        hook(m_hMenu, owner->m_hWnd);
        return true;
    }
    return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner->m_hWnd, nullptr) != FALSE;
}
