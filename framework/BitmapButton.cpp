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
    CDC* dc = CDC::FromHandle(dis->hDC);
    dc->DrawBitmap(*bitmap, dis->rcItem.left, dis->rcItem.top, RGB(255, 255, 255));
}
