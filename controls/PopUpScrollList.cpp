#include "controls/PopUpScrollList.h"

#include <algorithm>

#include "controls/CellCtrl.h"
#include "controls/ConfigListCtrl.h"

namespace {

int Metric(int index) { return ::GetSystemMetrics(index); }

const wchar_t* PopupClassName()
{
    static const wchar_t* name = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_VREDRAW | CS_HREDRAW | CS_CLASSDC | CS_PARENTDC | CS_SAVEBITS;
        wc.lpfnWndProc = &::DefWindowProcW;
        wc.hInstance = AppInstance();
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = L"TorvikCellPopup";
        ::RegisterClassExW(&wc);
        return L"TorvikCellPopup";
    }();
    return name;
}

}  // namespace

BOOL IsRectInside(const RECT& a, const RECT& b)
{
    POINT topLeft{a.left, a.top};
    POINT bottomRight{a.right, a.bottom};
    return ::PtInRect(&b, topLeft) && ::PtInRect(&b, bottomRight);
}

// ---------------------------------------------------------------- CListCtrlCellWnd

BEGIN_MESSAGE_MAP(CListCtrlCellWnd, CWnd)
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

void CListCtrlCellWnd::SendResult(WPARAM code, LPARAM index)
{
    // The grid may rebuild its cells while it handles the result, so nothing of
    // this object is touched after the message.
    HWND self = m_hWnd;
    ::SendMessageW(m_ownerList, WM_CELL_POPUP_SELECT, code, index);
    ::ReleaseCapture();
    if (::IsWindow(self)) ::ShowWindow(self, SW_HIDE);
}

void CListCtrlCellWnd::Hide()
{
    SendResult(kCellPopupClosed, 0);
}

// F4 closes without a choice, also in a list whose own Hide commits. No key
// commits a choice: Enter and Escape do nothing in a popup.
void CListCtrlCellWnd::OnKeyDown(UINT key, UINT, UINT)
{
    if (key == VK_F4) CListCtrlCellWnd::Hide();
    Default();
}

// ---------------------------------------------------------------- CPopUpScrollList

BEGIN_MESSAGE_MAP(CPopUpScrollList, CListCtrlCellWnd)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_VSCROLL()
    ON_WM_KEYDOWN()
    ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

bool CPopUpScrollList::Create(CConfigListCtrl* list, CCellComboBox* cell)
{
    if (!list || !list->m_hWnd || m_hWnd) return false;
    m_ownerList = list->m_hWnd;
    m_cell = cell;
    CreateCellFont(m_font);
    if (!CreateEx(0, PopupClassName(), L"", WS_POPUP, CRect(), list->GetParent(), 0)) return false;
    m_scrollBar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT | SBS_RIGHTALIGN, CRect(), this, 1);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = std::max(0, cell ? cell->GetItemCount() - 1 : 0);
    info.nPage = static_cast<UINT>(cell ? cell->GetVisibleRows() : 0);
    info.nPos = 0;
    m_scrollBar.SetScrollInfo(&info);
    return true;
}

int CPopUpScrollList::GetRowCount() const
{
    return m_cell ? std::min(m_cell->GetVisibleRows(), m_cell->GetItemCount()) : 0;
}

CRect CPopUpScrollList::GetListArea() const
{
    CRect area = GetClientRect();
    area.DeflateRect(Metric(SM_CXBORDER), Metric(SM_CYBORDER));
    return area;
}

int CPopUpScrollList::GetRowHeight() const
{
    int rows = GetRowCount();
    return rows > 0 ? GetListArea().Height() / rows : Metric(SM_CYVTHUMB) - 2 * Metric(SM_CYBORDER);
}

CRect CPopUpScrollList::GetRowRect(int row) const
{
    CRect area = GetListArea();
    int width = area.Width();
    if (m_cell && m_cell->GetItemCount() > m_cell->GetVisibleRows()) width -= Metric(SM_CXVSCROLL);
    int height = GetRowHeight();
    return CRect(area.left, area.top + row * height, area.left + width, area.top + (row + 1) * height);
}

int CPopUpScrollList::RowFromPoint(CPoint point) const
{
    for (int row = 0; row < GetRowCount(); ++row)
        if (GetRowRect(row).PtInRect(point)) return row;
    return -1;
}

int CPopUpScrollList::GetVisibleRows() const
{
    return m_cell ? m_cell->GetVisibleRows() : 0;
}

void CPopUpScrollList::ClampHighlight()
{
    m_highlighted = std::clamp(m_highlighted, 0, std::max(0, GetVisibleRows() - 1));
}

int CPopUpScrollList::ScrollTo(int position)
{
    int old = m_scrollBar.GetScrollPos();
    m_scrollBar.SetScrollPos(position);
    int now = m_scrollBar.GetScrollPos();
    if (m_highlighted != kNoRow) {
        m_highlighted += old - now;
        ClampHighlight();
    }
    return now - old;
}

void CPopUpScrollList::ShowItem(int index)
{
    int visible = GetVisibleRows();
    int position = 0;
    // A cell without a current value opens with no row highlighted.
    m_highlighted = index < 0 ? kNoRow : index;
    if (index >= visible) {
        m_highlighted = visible - 1;
        position = index - visible + 1;
    }
    m_scrollBar.SetScrollPos(position);
    if (m_highlighted != kNoRow) ClampHighlight();
    Invalidate(TRUE);
}

void CPopUpScrollList::Choose()
{
    int index = GetScrollPosition() + m_highlighted;
    bool valid = m_cell && m_highlighted != kNoRow && index >= 0 && index < m_cell->GetItemCount();
    SendResult(valid ? kCellPopupChosen : kCellPopupClosed, valid ? index : 0);
}

void CPopUpScrollList::OnPaint()
{
    CPaintDC dc(this);
    CRect client = GetClientRect();
    {
        CPen frame(PS_SOLID, 0, RGB(0, 0, 0));
        CSelectObject pen(dc, frame.GetSafeHandle());
        CSelectObject brush(dc, ::GetStockObject(HOLLOW_BRUSH));
        dc.Rectangle(client);
    }
    if (!m_cell) return;
    CRect area = GetListArea();
    int count = m_cell->GetItemCount();
    if (count > m_cell->GetVisibleRows()) {
        m_scrollBar.SetWindowPos(nullptr, area.right - Metric(SM_CXVSCROLL), area.top, Metric(SM_CXVSCROLL), area.Height(),
                                 SWP_NOZORDER | SWP_SHOWWINDOW);
    } else {
        ::ShowScrollBar(m_scrollBar.m_hWnd, SB_CTL, FALSE);
    }
    CSelectObject selectFont(dc, m_font.GetSafeHandle());
    dc.SetBkMode(TRANSPARENT);

    if (count == 0) {
        dc.FillSolidRect(GetRowRect(0), ::GetSysColor(COLOR_WINDOW));
        return;
    }
    int position = GetScrollPosition();
    for (int row = 0; row < GetRowCount(); ++row) {
        CRect rowRect = GetRowRect(row);
        dc.FillSolidRect(rowRect, ::GetSysColor(row == m_highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        CRect textRect = rowRect;
        textRect.DeflateRect(Metric(SM_CXDLGFRAME), 0);
        textRect.top += Metric(SM_CYBORDER);
        int index = position + row;
        if (index < count) m_cell->DrawItem(dc, textRect, m_cell->GetItem(index), false);
    }
}

// A click chooses the row under it.
void CPopUpScrollList::OnLButtonDown(UINT, CPoint point)
{
    Default();
    int row = RowFromPoint(point);
    if (row >= 0) m_highlighted = row;
    Choose();
}

void CPopUpScrollList::OnMouseMove(UINT flags, CPoint point)
{
    if (m_cell) {
        // The arrow's pressed look is kept in the grid's coordinates.
        CPoint inList = point;
        ::MapWindowPoints(m_hWnd, m_ownerList, &inList, 1);
        m_cell->TrackPressed(flags, inList);
    }
    int row = RowFromPoint(point);
    if (row >= 0 && row != m_highlighted) {
        m_highlighted = row;
        Invalidate(FALSE);
    }
    Default();
}

void CPopUpScrollList::OnVScroll(UINT code, UINT, CWnd*)
{
    SCROLLINFO info{};
    m_scrollBar.GetScrollInfo(&info, SIF_ALL);
    int visible = GetVisibleRows();
    int position = info.nPos;
    switch (code) {
    case SB_LINEUP: position -= 1; break;
    case SB_LINEDOWN: position += 1; break;
    case SB_PAGEUP: position -= visible; break;
    case SB_PAGEDOWN: position += visible; break;
    case SB_THUMBTRACK: position = info.nTrackPos; break;
    default: break;
    }
    ScrollTo(position);
    Invalidate(FALSE);
    Default();
}

// The highlight moves within the visible rows (six), not within the items: in a
// list of three, Down from the third row highlights a fourth, empty one, where
// a commit chooses nothing. Without a highlight, Up only scrolls.
void CPopUpScrollList::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    const int visible = GetVisibleRows();
    const int count = m_cell ? m_cell->GetItemCount() : 0;
    int position = GetScrollPosition();
    switch (key) {
    case VK_PRIOR:
        if (m_highlighted != 0) m_highlighted = 0;
        else position -= visible;
        break;
    case VK_NEXT:
        if (m_highlighted < visible - 1) m_highlighted = visible - 1;
        else position += visible;
        break;
    case VK_END: position = count - visible; break;
    case VK_HOME: position = 0; break;
    case VK_UP:
        if (m_highlighted > 0) --m_highlighted;
        else position -= 1;
        break;
    case VK_DOWN:
        if (m_highlighted < visible - 1) ++m_highlighted;
        else position += 1;
        break;
    default: break;
    }
    m_scrollBar.SetScrollPos(position);
    Invalidate(TRUE);
    CListCtrlCellWnd::OnKeyDown(key, repeat, flags);
}

// One row per turn, the highlighted item staying the same while it is visible.
BOOL CPopUpScrollList::OnMouseWheel(UINT, short delta, CPoint)
{
    int position = GetScrollPosition();
    if (delta > 0) ScrollTo(position - 1);
    else if (delta < 0) ScrollTo(position + 1);
    Invalidate(FALSE);
    return 1;
}
