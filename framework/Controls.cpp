#include "framework/Controls.h"

CString CListBox::GetText(int i) const
{
    int n = static_cast<int>(SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(i)));
    if (n <= 0) return CString();
    CString s;
    wchar_t* buf = s.GetBufferSetLength(n + 1);
    SendMessage(LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
    s.ReleaseBuffer();
    return s;
}

CString CComboBox::GetLBText(int i) const
{
    int n = static_cast<int>(SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(i)));
    if (n <= 0) return CString();
    CString s;
    wchar_t* buf = s.GetBufferSetLength(n + 1);
    SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
    s.ReleaseBuffer();
    return s;
}

bool CToolTipCtrl::Create(CWnd* parent, DWORD style)
{
    if (!CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP | style,
                  CRect(CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT), parent, 0))
        return false;
    SendMessage(TTM_SETMAXTIPWIDTH, 0, 400);
    return true;
}

TTTOOLINFOW CToolTipCtrl::MakeInfo(CWnd* tool, const wchar_t* text) const
{
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = ::GetParent(tool->m_hWnd);
    ti.uId = reinterpret_cast<UINT_PTR>(tool->m_hWnd);
    ti.hinst = AppInstance();
    ti.lpszText = const_cast<wchar_t*>(text);
    return ti;
}

bool CToolTipCtrl::AddTool(CWnd* tool, const wchar_t* text)
{
    if (!m_hWnd || !tool || !tool->m_hWnd) return false;
    TTTOOLINFOW ti = MakeInfo(tool, text);
    return SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)) != 0;
}

bool CToolTipCtrl::HasTool(CWnd* tool) const
{
    if (!m_hWnd || !tool) return false;
    TTTOOLINFOW ti = MakeInfo(tool, nullptr);
    return SendMessage(TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti)) != 0;
}

void CToolTipCtrl::UpdateTipText(const wchar_t* text, CWnd* tool)
{
    if (!m_hWnd || !tool || !tool->m_hWnd) return;
    if (!HasTool(tool)) { AddTool(tool, text); return; }
    TTTOOLINFOW ti = MakeInfo(tool, text);
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

CString CToolTipCtrl::GetToolText(CWnd* tool) const
{
    if (!m_hWnd || !tool) return CString();
    wchar_t buf[512] = {};
    TTTOOLINFOW ti = MakeInfo(tool, buf);
    SendMessage(TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&ti));
    return CString(buf);
}
