#include "controls/ConfigListCtrl.h"

#include <algorithm>
#include <vector>

#include "controls/CellCtrl.h"
#include "controls/PopUpScrollList.h"

namespace {

int Metric(int index) { return ::GetSystemMetrics(index); }

// Moves every cell of the map to the key that shift gives it.
template <class Shift>
void RekeyCells(std::unordered_map<CellKey, std::unique_ptr<CCellCtrl>>& cells, Shift shift)
{
    std::unordered_map<CellKey, std::unique_ptr<CCellCtrl>> shifted;
    for (auto& [key, cell] : cells) shifted.emplace(shift(key), std::move(cell));
    cells.swap(shifted);
}

}  // namespace

// ---------------------------------------------------------------- CellTabOrder

CellKey CellTabOrder::NextKey(CellKey key) const
{
    auto it = m_keys.upper_bound(key);
    return it == m_keys.end() ? kNoCellKey : *it;
}

CellKey CellTabOrder::PrevKey(CellKey key) const
{
    auto it = m_keys.lower_bound(key);
    return it == m_keys.begin() ? kNoCellKey : *std::prev(it);
}

void CellTabOrder::ShiftRows(int row)
{
    std::set<CellKey> shifted;
    for (CellKey key : m_keys) shifted.insert(ShiftKeyRow(key, row));
    m_keys.swap(shifted);
}

void CellTabOrder::ShiftColumns(int column)
{
    std::set<CellKey> shifted;
    for (CellKey key : m_keys) shifted.insert(ShiftKeyColumn(key, column));
    m_keys.swap(shifted);
}

// ---------------------------------------------------------------- CConfigHeaderCtrl

BEGIN_MESSAGE_MAP(CConfigHeaderCtrl, CHeaderCtrl)
    ON_MESSAGE(HDM_LAYOUT, OnLayout)
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

LRESULT CConfigHeaderCtrl::OnLayout(WPARAM, LPARAM)
{
    if (m_list) m_list->RepositionCells();
    return Default();
}

// A double-click on a divider fits the column to its contents.
void CConfigHeaderCtrl::OnLButtonDblClk(UINT, CPoint point)
{
    UINT flags = 0;
    int item = HitTest(point, &flags);
    if (m_list && item >= 0 && (flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN))) {
        m_list->AutoFitColumn(item);
        return;
    }
    Default();
}

void CConfigHeaderCtrl::OnLButtonDown(UINT, CPoint)
{
    if (m_list) m_list->SetFocus();
    Default();
}

// ---------------------------------------------------------------- CConfigListCtrl

BEGIN_MESSAGE_MAP(CConfigListCtrl, CListCtrl)
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
    ON_WM_KEYUP()
    ON_WM_MOUSEMOVE()
    ON_WM_RBUTTONDOWN()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_TIMER()
    ON_WM_MOUSEWHEEL()
    ON_WM_VSCROLL()
    ON_WM_HSCROLL()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_MESSAGE(WM_ENABLE, OnEnable)
    ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)
    ON_MESSAGE(WM_CELL_POPUP_SELECT, OnCellPopupSelect)
    ON_WM_DRAWITEM_REFLECT()
    ON_WM_MEASUREITEM_REFLECT()
END_MESSAGE_MAP()

CConfigListCtrl::~CConfigListCtrl()
{
    RemoveAllCells();
}

void CConfigListCtrl::PreSubclassWindow()
{
    SubclassHeader();
    m_enabled = IsWindowEnabled() ? 1 : 0;
    CListCtrl::PreSubclassWindow();
}

void CConfigListCtrl::SubclassHeader()
{
    if (m_header.m_hWnd) return;
    if (HWND header = GetHeaderHandle()) {
        m_header.m_list = this;
        m_header.SubclassWindow(header);
    }
}

int CConfigListCtrl::GetColumnCount() const
{
    HWND header = GetHeaderHandle();
    return header ? static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

int CConfigListCtrl::ItemHeight()
{
    return Metric(SM_CYVTHUMB) + 5 * Metric(SM_CYEDGE);
}

// ---- cells

BOOL CConfigListCtrl::SetCell(int row, int column, CCellCtrl* cell, const wchar_t* initText)
{
    if (!cell) return FALSE;
    BindCell(row, column, cell);
    cell->Create(this, &m_enabled, CString(initText));
    return SetCellText(row, column, cell->GetText());
}

void CConfigListCtrl::BindCell(int row, int column, CCellCtrl* cell)
{
    if (GetCell(row, column) == cell) return;
    RemoveCell(row, column);
    CellKey key = MakeCellKey(row, column);
    m_cells[key].reset(cell);
    m_tabOrder.Insert(key);
}

CCellCtrl* CConfigListCtrl::GetCell(int row, int column) const
{
    auto it = m_cells.find(MakeCellKey(row, column));
    return it == m_cells.end() ? nullptr : it->second.get();
}

BOOL CConfigListCtrl::LookupCell(int row, int column, CCellCtrl*& cell) const
{
    cell = GetCell(row, column);
    return cell != nullptr;
}

void CConfigListCtrl::RemoveCell(int row, int column)
{
    SetCellText(row, column, L"");
    DeleteCellEntry(MakeCellKey(row, column));
}

void CConfigListCtrl::RemoveAllCells()
{
    while (!m_cells.empty()) DeleteCellEntry(m_cells.begin()->first);
}

void CConfigListCtrl::DeleteCellEntry(CellKey key)
{
    auto it = m_cells.find(key);
    if (it == m_cells.end()) return;
    std::unique_ptr<CCellCtrl> cell = std::move(it->second);
    m_cells.erase(it);
    if (cell.get() == m_activeCell) DeactivateCell();
    cell.reset();
    m_tabOrder.Remove(key);
}

BOOL CConfigListCtrl::SetCellText(int row, int column, const wchar_t* text)
{
    return m_hWnd && SetItemText(row, column, text);
}

BOOL CConfigListCtrl::SetCellDisabled(int row, int column, BOOL disabled)
{
    CCellCtrl* cell = GetCell(row, column);
    if (!cell) return 0;
    if (disabled) cell->AddState(CellStyleDisabled);
    else cell->RemoveState(CellStyleDisabled);
    if (m_hWnd) {
        CRect r = GetCellRect(row, column);
        InvalidateRect(&r, FALSE);
    }
    return TRUE;
}

int CConfigListCtrl::SetTextForCell(const CCellCtrl* cell, const wchar_t* text)
{
    for (const auto& [key, bound] : m_cells)
        if (bound.get() == cell) SetCellText(CellKeyRow(key), CellKeyColumn(key), text);
    return 0;
}

bool CConfigListCtrl::IsCellDisabled(CellKey key) const
{
    auto it = m_cells.find(key);
    return it != m_cells.end() && (it->second->GetStyle() & CellStyleDisabled);
}

void CConfigListCtrl::InsertCellRow(int row)
{
    RekeyCells(m_cells, [row](CellKey key) { return ShiftKeyRow(key, row); });
    m_tabOrder.ShiftRows(row);
    if (m_activeCell && m_activeRow >= row) ++m_activeRow;
}

void CConfigListCtrl::InsertCellColumn(int column)
{
    RekeyCells(m_cells, [column](CellKey key) { return ShiftKeyColumn(key, column); });
    m_tabOrder.ShiftColumns(column);
    if (m_activeCell && m_activeColumn >= column) ++m_activeColumn;
}

int CConfigListCtrl::ShiftTextsRight(int column)
{
    if (column != 0) return 0;
    int columns = GetColumnCount();
    int rows = GetItemCount();
    for (int k = columns - 1; k >= 1; --k)
        for (int row = 0; row < rows; ++row) SetCellText(row, k, GetItemText(row, k - 1));
    if (columns > 1)
        for (int row = 0; row < rows; ++row) SetCellText(row, 0, L"");
    return 1;
}

// ---- the active cell

void CConfigListCtrl::DeactivateCell()
{
    CCellCtrl* cell = m_activeCell;
    m_activeRow = -1;
    m_activeColumn = -1;
    m_activeCell = nullptr;
    if (cell) cell->Deactivate();
}

void CConfigListCtrl::ActivateCell(CellKey key)
{
    auto it = m_cells.find(key);
    if (it == m_cells.end()) return;
    CCellCtrl* cell = it->second.get();
    if (m_activeCell && m_activeCell != cell) m_activeCell->Deactivate();
    SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    m_activeCell = cell;
    m_activeRow = CellKeyRow(key);
    m_activeColumn = CellKeyColumn(key);
    cell->Activate();
    SetItemState(m_activeRow, LVIS_SELECTED, LVIS_SELECTED | LVIS_FOCUSED);
    cell->BeginEdit(GetCellRect(m_activeRow, m_activeColumn));
    cell->OnAfterClick(0, CPoint(0, 0));
}

void CConfigListCtrl::RefreshActiveCell()
{
    if (!m_activeCell) return;
    CRect r = m_activeCell->GetValueRect();
    InvalidateRect(&r, TRUE);
    SetCellText(m_activeRow, m_activeColumn, m_activeCell->GetText());
}

// ---- layout

CRect CConfigListCtrl::GetCellRect(int row, int column) const
{
    CRect r;
    if (!m_hWnd || !GetSubItemRect(row, column, LVIR_LABEL, &r)) r.SetRectEmpty();
    return r;
}

void CConfigListCtrl::PlaceCell(CellKey key, CCellCtrl* cell)
{
    cell->SetRect(GetCellRect(CellKeyRow(key), CellKeyColumn(key)));
}

void CConfigListCtrl::RepositionCells()
{
    Invalidate(FALSE);
    for (const auto& [key, cell] : m_cells) PlaceCell(key, cell.get());
    if (m_activeCell) m_activeCell->OnRelayout();
}

void CConfigListCtrl::AutoFitColumn(int column)
{
    int width = 0;
    for (int row = 0, rows = GetItemCount(); row < rows; ++row) {
        CCellCtrl* cell = GetCell(row, column);
        int w = cell ? cell->GetPreferredWidth() : GetStringWidth(GetItemText(row, column) + L"i");
        width = std::max(width, w);
    }
    if (column == 0) width += Metric(SM_CXEDGE);
    SetColumnWidth(column, width);
    for (const auto& [key, cell] : m_cells) PlaceCell(key, cell.get());
}

// ---- list operations

int CConfigListCtrl::InsertItem(int row, const wchar_t* text)
{
    // The list counts its scroll range in the item height it knows when a row
    // is inserted: the grid's own height must be known before the first row.
    LayOutOnce();
    InsertCellRow(row);
    return CListCtrl::InsertItem(row, text);
}

BOOL CConfigListCtrl::SetItem(int row, int column, UINT mask, const wchar_t* text, int image, UINT state, UINT stateMask,
                              LPARAM data)
{
    RemoveCell(row, column);
    return CListCtrl::SetItem(row, column, mask, text, image, state, stateMask, data);
}

BOOL CConfigListCtrl::DeleteAllItems()
{
    RemoveAllCells();
    return CListCtrl::DeleteAllItems();
}

// The texts of the columns at and past the new one move one column right and
// the new column is empty. List views differ in how they move sub-item texts
// on an insertion, so the texts are put in place here.
int CConfigListCtrl::InsertColumn(int column, const wchar_t* heading, int format, int width, int subItem)
{
    InsertCellColumn(column);
    int columns = GetColumnCount();
    int rows = GetItemCount();
    std::vector<CString> texts;
    texts.reserve(static_cast<size_t>(rows) * static_cast<size_t>(columns));
    for (int row = 0; row < rows; ++row)
        for (int k = 0; k < columns; ++k) texts.push_back(GetItemText(row, k));
    int result = CListCtrl::InsertColumn(column, heading, format, width, subItem);
    SubclassHeader();
    if (result < 0) return result;
    for (int row = 0; row < rows; ++row) {
        for (int k = 0; k < columns; ++k)
            SetCellText(row, k < result ? k : k + 1, texts[static_cast<size_t>(row * columns + k)]);
        SetCellText(row, result, L"");
    }
    return result;
}

// ---- drawing

void CConfigListCtrl::MeasureItem(LPMEASUREITEMSTRUCT mis)
{
    mis->itemHeight = static_cast<UINT>(ItemHeight());
}

// The list asks for the item height only when it is created, before the
// dialog binds this object; a size change makes it ask again.
void CConfigListCtrl::ForceHeaderLayout()
{
    CRect r = GetWindowRect();
    WINDOWPOS pos{};
    pos.hwnd = m_hWnd;
    pos.cx = r.Width();
    pos.cy = r.Height();
    pos.flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    SendMessage(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
}

void CConfigListCtrl::LayOutOnce()
{
    if (m_headerLayoutDone) return;
    m_headerLayoutDone = true;
    ForceHeaderLayout();
}

void CConfigListCtrl::DrawItem(LPDRAWITEMSTRUCT dis)
{
    LayOutOnce();
    CDC dc(dis->hDC);
    int saved = dc.SaveDC();
    int row = static_cast<int>(dis->itemID);
    // A list without cells (a read-only list) has its rows as its only stops:
    // the row with the keyboard is highlighted and framed.
    const bool keyboardRow = m_cells.empty() && (dis->itemState & ODS_FOCUS);
    for (int column = 0, columns = GetColumnCount(); column < columns; ++column) {
        CRect r = GetCellRect(row, column);
        auto it = m_cells.find(MakeCellKey(row, column));
        if (it != m_cells.end()) it->second->Draw(dc, r, dis->itemState);
        else DrawPlainCell(dc, row, column, r, keyboardRow);
    }
    if (keyboardRow) dc.DrawFocusRect(dis->rcItem);
    dc.RestoreDC(saved);
}

namespace {

// A right-aligned line of text with each character where the line's measure
// puts it, so that it ends at the right edge. DrawText places a line by its
// measure but lets each glyph advance by its own drawn width, and under Wine
// small unsmoothed glyphs advance by their hinted bitmap widths, which differ
// from the measure by a few pixels a line, by its letters: a name before its
// colon column ended short of the column's edge. A line wider than the room
// keeps DrawText and its end ellipsis.
void DrawRightAligned(CDC& dc, const CString& text, RECT& room, UINT format)
{
    const int length = text.GetLength();
    std::vector<int> ends(static_cast<size_t>(length));
    SIZE size{};
    // Without a count of fitting characters every character's end is given.
    if (length == 0 || !::GetTextExtentExPointW(dc.GetSafeHdc(), text, length, 0, nullptr, ends.data(), &size) ||
        size.cx > room.right - room.left) {
        dc.DrawText(text, room, format | DT_RIGHT);
        return;
    }
    std::vector<int> advances(ends.size());
    for (size_t i = 0; i < ends.size(); ++i) advances[i] = ends[i] - (i ? ends[i - 1] : 0);
    ::ExtTextOutW(dc.GetSafeHdc(), room.right - size.cx, room.top, ETO_CLIPPED, &room, text,
                  static_cast<UINT>(length), advances.data());
}

}  // namespace

void CConfigListCtrl::DrawPlainCell(CDC& dc, int row, int column, const CRect& rect, bool keyboardRow)
{
    dc.FillSolidRect(rect, ::GetSysColor(keyboardRow ? COLOR_HIGHLIGHT : m_enabled ? COLOR_WINDOW : COLOR_BTNFACE));
    dc.SetTextColor(::GetSysColor(keyboardRow ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    dc.SetBkMode(TRANSPARENT);
    CRect textRect = rect;
    textRect.top += Metric(SM_CYDLGFRAME);
    const UINT format = DT_END_ELLIPSIS | DT_BOTTOM;
    if (column == 0 && m_host && m_host->IsFirstColumnRightAligned(*this))
        DrawRightAligned(dc, GetItemText(row, column), textRect, format);
    else
        dc.DrawText(GetItemText(row, column), textRect, format);
}

// ---- messages

LRESULT CConfigListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A command goes to the active cell first; the base handling runs when the
    // cell asks for it.
    if (message == WM_COMMAND && m_activeCell && !m_activeCell->OnCommand(wParam, lParam)) return TRUE;
    return CListCtrl::WindowProc(message, wParam, lParam);
}

void CConfigListCtrl::DefaultUnlessHandled(BOOL cellResult)
{
    if (cellResult) Default();
}

// Characters go only to the active cell, never to the list's item search.
void CConfigListCtrl::OnChar(UINT ch, UINT repeat, UINT flags)
{
    if (!m_activeCell) return;
    m_activeCell->OnChar(ch, repeat, flags);
    RefreshActiveCell();
}

void CConfigListCtrl::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    if (!m_activeCell) {
        Default();
        return;
    }
    m_activeCell->OnKeyDown(key, repeat, flags);
    RefreshActiveCell();
}

void CConfigListCtrl::OnKeyUp(UINT key, UINT repeat, UINT flags)
{
    DefaultUnlessHandled(m_activeCell ? m_activeCell->OnKeyUp(key, repeat, flags) : TRUE);
}

void CConfigListCtrl::OnMouseMove(UINT flags, CPoint point)
{
    DefaultUnlessHandled(m_activeCell ? m_activeCell->OnMouseMove(flags, point) : TRUE);
}

void CConfigListCtrl::OnRButtonDown(UINT flags, CPoint point)
{
    DefaultUnlessHandled(m_activeCell ? m_activeCell->OnRButtonDown(flags, point) : TRUE);
}

void CConfigListCtrl::OnLButtonUp(UINT flags, CPoint point)
{
    DefaultUnlessHandled(m_activeCell ? m_activeCell->OnLButtonUp(flags, point) : TRUE);
}

void CConfigListCtrl::OnTimer(UINT_PTR id)
{
    DefaultUnlessHandled(m_activeCell ? m_activeCell->OnTimer(id) : TRUE);
}

BOOL CConfigListCtrl::OnMouseWheel(UINT flags, short delta, CPoint point)
{
    BOOL result = TRUE;
    if (!m_activeCell || m_activeCell->OnMouseWheel(flags, delta, point)) result = static_cast<BOOL>(Default());
    Invalidate(TRUE);
    return result;
}

void CConfigListCtrl::OnVScroll(UINT code, UINT position, CWnd* scrollBar)
{
    DefaultUnlessHandled(m_activeCell ? m_activeCell->OnVScroll(code, position, scrollBar) : TRUE);
    Invalidate(TRUE);
}

void CConfigListCtrl::OnHScroll(UINT code, UINT position, CWnd* scrollBar)
{
    if (m_activeCell) m_activeCell->OnHScroll(code, position, scrollBar);
    Default();
}

void CConfigListCtrl::OnSetFocus(CWnd* oldFocus)
{
    // A list without cells shows the keyboard on a row: the first, until the
    // arrows move it.
    if (m_cells.empty() && GetItemCount() > 0 && SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED) < 0)
        SetItemState(0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    Default();
    CreateCellCaret();
    if (m_activeCell) m_activeCell->OnSetFocus(oldFocus);
}

// The edit ends unless the focus went into the active cell's popup (or a window
// inside it). A focus change without a new focus window ends it too.
void CConfigListCtrl::OnKillFocus(CWnd* newFocus)
{
    Default();
    if (m_activeCell) {
        CWnd* topLevel = nullptr;
        bool toPopup = false;
        if (newFocus && newFocus->m_hWnd) {
            toPopup = dynamic_cast<CListCtrlCellWnd*>(newFocus) != nullptr;
            if (!toPopup) {
                topLevel = CWnd::FromHandle(::GetAncestor(newFocus->m_hWnd, GA_ROOT));
                toPopup = dynamic_cast<CListCtrlCellWnd*>(topLevel) != nullptr;
            }
        }
        if (!toPopup) {
            CCellCtrl* cell = m_activeCell;
            cell->Deactivate();
            cell->OnKillFocus(topLevel ? topLevel : newFocus);
            RefreshActiveCell();
            m_activeRow = -1;
            m_activeColumn = -1;
            m_activeCell = nullptr;
        }
    }
    DestroyCellCaret();
}

void CConfigListCtrl::CreateCellCaret()
{
    if (m_caretCreated) return;
    m_caretCreated = ::CreateCaret(m_hWnd, nullptr, 1,
                                   Metric(SM_CYVTHUMB) + 2 * Metric(SM_CYEDGE) - 2 * Metric(SM_CYDLGFRAME)) != FALSE;
}

void CConfigListCtrl::DestroyCellCaret()
{
    if (!m_caretCreated) return;
    ::DestroyCaret();
    m_caretCreated = false;
}

LRESULT CConfigListCtrl::OnEnable(WPARAM, LPARAM)
{
    LRESULT result = Default();
    m_enabled = IsWindowEnabled() ? 1 : 0;
    Invalidate(TRUE);
    return result;
}

LRESULT CConfigListCtrl::OnThemeChanged(WPARAM, LPARAM)
{
    for (const auto& entry : m_cells) entry.second->OnThemeChanged();
    return 1;
}

// Activation by click: a bound cell that is not disabled becomes the active
// cell and takes the click; anything else ends the edit. The host then adds
// its own handling of the click.
void CConfigListCtrl::OnLButtonDown(UINT flags, CPoint point)
{
    LVHITTESTINFO hit{};
    hit.pt = point;
    int row = SubItemHitTest(&hit);
    int column = row >= 0 ? hit.iSubItem : -1;
    CCellCtrl* cell = row >= 0 ? GetCell(row, column) : nullptr;
    BOOL runDefault = TRUE;
    HWND focusAfterClick = nullptr;
    if (cell && !(cell->GetStyle() & CellStyleDisabled)) {
        if (m_activeCell && m_activeCell != cell) m_activeCell->Deactivate();
        m_activeCell = cell;
        m_activeRow = row;
        m_activeColumn = column;
        cell->BeginEdit(GetCellRect(row, column));
        SetFocus();
        runDefault = cell->OnLButtonDown(flags, point);
        focusAfterClick = ::GetFocus();
        SetCellText(row, column, cell->GetText());
        cell->OnAfterClick(flags, point);
    } else {
        DeactivateCell();
    }
    if (runDefault) Default();
    // The list's own click processing takes the focus; give it back to the
    // window the cell left it with (an opened popup keeps it).
    if (focusAfterClick && focusAfterClick != ::GetFocus() && ::IsWindow(focusAfterClick)) ::SetFocus(focusAfterClick);
    if (m_host) m_host->OnGridClick(*this, row, column);
}

LRESULT CConfigListCtrl::OnCellPopupSelect(WPARAM code, LPARAM index)
{
    if (!m_activeCell || m_activeRow < 0 || m_activeColumn < 0) return 1;
    int row = m_activeRow;
    int column = m_activeColumn;
    m_activeCell->OnPopupResult(code, index);
    if (CCellCtrl* cell = GetCell(row, column)) SetCellText(row, column, cell->GetText());
    if (m_host) m_host->OnGridPopupSelect(*this, row, column);
    return 1;
}

// ---- Tab navigation

CellKey CConfigListCtrl::SkipDisabledForward(CellKey key) const
{
    while (key != kNoCellKey && IsCellDisabled(key) && key != m_tabOrder.LastKey()) key = m_tabOrder.NextKey(key);
    return key;
}

CellKey CConfigListCtrl::SkipDisabledBackward(CellKey key) const
{
    while (key != kNoCellKey && IsCellDisabled(key) && key != m_tabOrder.FirstKey()) key = m_tabOrder.PrevKey(key);
    return key;
}

// Enters the grid at its first (last) enabled cell, or steps to the next
// (previous) enabled cell; false when Tab leaves the grid for the dialog.
BOOL CConfigListCtrl::HandleTab(bool backward)
{
    CellKey candidate = kNoCellKey;
    if (!m_tabEntered) {
        m_tabEntered = true;
        candidate = backward ? SkipDisabledBackward(m_tabOrder.LastKey()) : SkipDisabledForward(m_tabOrder.FirstKey());
    } else if (m_activeCell) {
        CellKey active = MakeCellKey(m_activeRow, m_activeColumn);
        if (active != (backward ? m_tabOrder.FirstKey() : m_tabOrder.LastKey()))
            candidate = backward ? SkipDisabledBackward(m_tabOrder.PrevKey(active))
                                 : SkipDisabledForward(m_tabOrder.NextKey(active));
    }
    if (candidate == kNoCellKey || !m_cells.count(candidate) || IsCellDisabled(candidate)) {
        m_tabEntered = false;
        return FALSE;
    }
    ActivateCell(candidate);
    return TRUE;
}

BOOL CConfigListCtrl::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYUP) {
        m_keyUpSeen = true;
    } else if (msg->message == WM_KEYDOWN && msg->wParam == VK_TAB) {
        // A Tab without a key released before it (the focus came by a click, or
        // the key repeats) steps on from the active cell.
        if (!m_keyUpSeen) m_tabEntered = true;
        m_keyUpSeen = false;
        if (HandleTab(::GetKeyState(VK_SHIFT) < 0)) return TRUE;
    }
    return CListCtrl::PreTranslateMessage(msg);
}
