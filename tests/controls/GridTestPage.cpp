#include "GridTestPage.h"

#include "framework/Dialog.h"
#include "res/resource.h"

CGridTestPage::~CGridTestPage()
{
    m_grid.DeleteAllItems();
    if (m_hWnd) DestroyWindow();
}

bool CGridTestPage::Create(int x, int y, int gridHeight, bool withHeader)
{
    if (!CreateEx(0, nullptr, L"Settings grid", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                  CRect(x, y, x + 560, y + gridHeight + 60), nullptr, 0))
        return false;
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_ALIGNLEFT |
                  LVS_SINGLESEL | (withHeader ? 0 : LVS_NOCOLUMNHEADER);
    if (!m_grid.CreateEx(0, WC_LISTVIEWW, L"", style, CRect(10, 10, 530, 10 + gridHeight), this, GridId)) return false;
    m_grid.SetHost(this);
    m_grid.InsertColumn(0, L"", LVCFMT_LEFT, 30);
    m_grid.InsertColumn(1, L"", LVCFMT_LEFT, 310);
    m_grid.InsertColumn(2, L"", LVCFMT_LEFT, 170);
    return true;
}

void CGridTestPage::FillRows()
{
    static const wchar_t* const labels[RowCount] = {L"VOX Phone", L"Sidetone", L"VOX Sensitivity", L"Speed Dial",
                                                    L"Audio Boost", L"Level"};
    for (int row = 0; row < RowCount; ++row) {
        m_grid.InsertItem(row, L"");
        auto* help = new CCellPushButton(nullptr, 0, 0, 0);
        m_grid.SetCell(row, 0, help, L"");
        help->SetBitmapId(IDB_HELP_MARK);
        m_grid.SetItem(row, 1, LVIF_TEXT, labels[row]);
    }
    m_grid.SetCell(RowToggle, 2, new CCellCheckBox, L"1");
    CellAt<CCellCheckBox>(RowToggle, 2)->SetOffText(L"Enable");
    CellAt<CCellCheckBox>(RowToggle, 2)->SetOnText(L"Disable");
    m_grid.SetCell(RowCheck, 2, new CCellCheckBox, L"0On");
    m_grid.SetCell(RowCombo, 2, new CCellComboBox, L"Medium\nLow\nMedium\nHigh");
    m_grid.SetCell(RowLongCombo, 2, new CCellComboBox,
                   L"Level 9\nLevel 1\nLevel 2\nLevel 3\nLevel 4\nLevel 5\nLevel 6\nLevel 7\nLevel 8\nLevel 9\nLevel 10");
    m_grid.SetCell(RowButton, 2, new CCellPushButton(m_hWnd, WM_APP + 1, 7, 8), L"Edit");
    m_grid.SetCell(RowDisabled, 2, new CCellComboBox, L"Low\nLow\nHigh");
    m_grid.SetCellDisabled(RowDisabled, 2, TRUE);
}

void CGridTestPage::Paint()
{
    m_grid.Invalidate(TRUE);
    m_grid.UpdateWindow();
    // The first paint lays the list out again with the grid's row height.
    m_grid.Invalidate(TRUE);
    m_grid.UpdateWindow();
}

CPoint CGridTestPage::CellPoint(int row, int column, int fromLeft) const
{
    CRect r = m_grid.GetCellRect(row, column);
    return fromLeft < 0 ? r.CenterPoint() : CPoint(r.left + fromLeft, r.top + r.Height() / 2);
}

void CGridTestPage::Click(int row, int column, int fromLeft)
{
    CPoint p = CellPoint(row, column, fromLeft);
    m_grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    m_grid.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
}
