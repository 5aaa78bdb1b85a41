// CMenu: menus from resources, popup tracking and the system menu.
#pragma once

#include "framework/Wnd.h"

class CMenu {
public:
    CMenu() = default;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;
    ~CMenu() { DestroyMenu(); }

    HMENU m_hMenu = nullptr;
    operator HMENU() const { return m_hMenu; }

    bool LoadMenu(UINT id) { DestroyMenu(); m_hMenu = ::LoadMenuW(AppInstance(), MAKEINTRESOURCEW(id)); return m_hMenu != nullptr; }
    bool Attach(HMENU menu) { DestroyMenu(); m_hMenu = menu; m_owned = false; return menu != nullptr; }
    HMENU Detach() { HMENU h = m_hMenu; m_hMenu = nullptr; return h; }
    bool DestroyMenu()
    {
        if (!m_hMenu) return false;
        if (m_owned) ::DestroyMenu(m_hMenu);
        m_hMenu = nullptr;
        m_owned = true;
        return true;
    }
    HMENU GetSubMenuHandle(int pos) const { return ::GetSubMenu(m_hMenu, pos); }
    int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
    UINT GetMenuItemID(int pos) const { return ::GetMenuItemID(m_hMenu, pos); }
    CString GetMenuString(UINT id, UINT flags = MF_BYCOMMAND) const;
    bool AppendMenu(UINT flags, UINT_PTR id = 0, const wchar_t* text = nullptr) { return ::AppendMenuW(m_hMenu, flags, id, text) != FALSE; }
    bool ModifyMenu(UINT position, UINT flags, UINT_PTR id, const wchar_t* text) { return ::ModifyMenuW(m_hMenu, position, flags, id, text) != FALSE; }
    bool TrackPopupMenu(UINT flags, int x, int y, CWnd* owner);

private:
    bool m_owned = true;
};

// Test hook: when set, TrackPopupMenu is replaced by the hook (which sees the
// menu and may post a command), so tests can use the popup menu headless.
using PopupMenuHook = void (*)(HMENU menu, HWND owner);
void SetPopupMenuHook(PopupMenuHook hook);
PopupMenuHook GetPopupMenuHook();
