#include "framework/BitmapButton.h"

BEGIN_MESSAGE_MAP(CBitmapButton, CButton)
    ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

bool CBitmapButton::LoadBitmaps(UINT up, UINT pressed, UINT focused, UINT disabled)
{
    m_up.DeleteObject();
    m_pressed.DeleteObject();
    m_focused.DeleteObject();
    m_disabled.DeleteObject();
    if (!m_up.LoadBitmap(up)) return false;
    if (pressed) m_pressed.LoadBitmap(pressed);
    if (focused) m_focused.LoadBitmap(focused);
    if (disabled) m_disabled.LoadBitmap(disabled);
    return true;
}

void CBitmapButton::SizeToContent()
{
    const CSize size = m_up.GetSize();
    if (size.cx > 0 && size.cy > 0)
        SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CBitmapButton::DrawItem(LPDRAWITEMSTRUCT dis)
{
    const CBitmap* bitmap = &m_up;
    if ((dis->itemState & ODS_SELECTED) && m_pressed.GetSafeHandle())
        bitmap = &m_pressed;
    else if ((dis->itemState & ODS_FOCUS) && m_focused.GetSafeHandle())
        bitmap = &m_focused;
    else if ((dis->itemState & ODS_DISABLED) && m_disabled.GetSafeHandle())
        bitmap = &m_disabled;
    // The picture is drawn with white left out, over the parent's background
    // laid anew: nothing of an earlier state (a focus frame) stays.
    const HWND parent = dis->hwndItem ? ::GetParent(dis->hwndItem) : nullptr;
    if (const HBRUSH background = parent ? reinterpret_cast<HBRUSH>(::SendMessageW(
                                               parent, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dis->hDC),
                                               reinterpret_cast<LPARAM>(dis->hwndItem)))
                                         : nullptr) {
        ::FillRect(dis->hDC, &dis->rcItem, background);
    }
    CDC* dc = CDC::FromHandle(dis->hDC);
    dc->DrawBitmap(*bitmap, dis->rcItem.left, dis->rcItem.top, RGB(255, 255, 255));
    // Without a picture of its own, the focus is the dotted frame round the button.
    if ((dis->itemState & ODS_FOCUS) && !m_focused.GetSafeHandle()) dc->DrawFocusRect(dis->rcItem);
}
