// CConfigListCtrl: the settings grid, an owner-drawn report list whose
// sub-items can each be bound to a window-less cell (CCellCtrl). The grid draws
// every row, routes the messages of its one active cell, keeps a Tab order over
// the bound cells and mirrors every cell's text in its list item.
#pragma once

#include <memory>
#include <set>
#include <unordered_map>

#include "controls/CellCtrl.h"
#include "framework/ListCtrl.h"

class CConfigListCtrl;

// A cell address: row in the high 16 bits, column in the low 16 bits, so that
// ascending keys run row by row.
using CellKey = DWORD;
constexpr CellKey kNoCellKey = 0xFFFFFFFFu;
constexpr CellKey MakeCellKey(int row, int column)
{
    return (static_cast<DWORD>(row) << 16) | (static_cast<DWORD>(column) & 0xFFFFu);
}
constexpr int CellKeyRow(CellKey key) { return static_cast<int>(key >> 16); }
constexpr int CellKeyColumn(CellKey key) { return static_cast<int>(key & 0xFFFFu); }
// Key after a row (column) was inserted at row (column): addresses at or past
// the insertion move one row down (one column right).
constexpr CellKey ShiftKeyRow(CellKey key, int row)
{
    return CellKeyRow(key) < row ? key : key + 0x10000u;
}
constexpr CellKey ShiftKeyColumn(CellKey key, int column)
{
    return CellKeyColumn(key) < column ? key : MakeCellKey(CellKeyRow(key), CellKeyColumn(key) + 1);
}

// The Tab order: the bound keys in ascending order.
class CellTabOrder {
public:
    void Insert(CellKey key) { m_keys.insert(key); }
    void Remove(CellKey key) { m_keys.erase(key); }
    bool IsEmpty() const { return m_keys.empty(); }
    size_t Count() const { return m_keys.size(); }
    CellKey FirstKey() const { return m_keys.empty() ? kNoCellKey : *m_keys.begin(); }
    CellKey LastKey() const { return m_keys.empty() ? kNoCellKey : *m_keys.rbegin(); }
    // The next larger key, kNoCellKey after the last.
    CellKey NextKey(CellKey key) const;
    // The next smaller key, kNoCellKey before the first.
    CellKey PrevKey(CellKey key) const;
    void ShiftRows(int row);
    void ShiftColumns(int column);

private:
    std::set<CellKey> m_keys;
};

// What the window hosting a grid adds to the grid's own handling: the page
// stores clicked and chosen values, and decides the alignment of column 0.
class CConfigListHost {
public:
    virtual ~CConfigListHost() = default;
    // After a left click was handled by the grid and its cell; row and column
    // are those hit (-1 when the click hit no item).
    virtual void OnGridClick(CConfigListCtrl& grid, int row, int column) {}
    // After the active cell at (row, column) took a popup result.
    virtual void OnGridPopupSelect(CConfigListCtrl& grid, int row, int column) {}
    // Plain texts of column 0 are drawn right-aligned while this holds.
    virtual bool IsFirstColumnRightAligned(const CConfigListCtrl& grid) const { return false; }
};

// The grid's header: keeps the cells in place on layout and fits a column to
// its texts on a divider double-click.
class CConfigHeaderCtrl : public CHeaderCtrl {
public:
    CConfigListCtrl* m_list = nullptr;

protected:
    LRESULT OnLayout(WPARAM, LPARAM);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);

    DECLARE_MESSAGE_MAP()
};

class CConfigListCtrl : public CListCtrl {
public:
    CConfigListCtrl() = default;
    ~CConfigListCtrl() override;

    void SetHost(CConfigListHost* host) { m_host = host; }

    // Cells: the grid owns every cell handed to it.
    BOOL SetCell(int row, int column, CCellCtrl* cell, const wchar_t* initText);
    void BindCell(int row, int column, CCellCtrl* cell);
    CCellCtrl* GetCell(int row, int column) const;
    BOOL LookupCell(int row, int column, CCellCtrl*& cell) const;
    void RemoveCell(int row, int column);
    void RemoveAllCells();
    BOOL SetCellText(int row, int column, const wchar_t* text);
    BOOL SetCellDisabled(int row, int column, BOOL disabled);
    // Sets the item text at every key bound to cell.
    int SetTextForCell(const CCellCtrl* cell, const wchar_t* text);
    void InsertCellRow(int row);
    void InsertCellColumn(int column);
    int ShiftTextsRight(int column);

    // The active cell
    void EndCellEdit() { DeactivateCell(); }
    void DeactivateCell();
    void ActivateCell(CellKey key);
    void RefreshActiveCell();
    CCellCtrl* GetActiveCell() const { return m_activeCell; }
    int GetActiveRow() const { return m_activeRow; }
    int GetActiveColumn() const { return m_activeColumn; }

    // Layout
    void RepositionCells();
    void PlaceCell(CellKey key, CCellCtrl* cell);
    void AutoFitColumn(int column);
    CRect GetCellRect(int row, int column) const;
    static int ItemHeight();

    // List operations that keep cells and texts in step.
    int InsertItem(int row, const wchar_t* text);
    BOOL SetItem(int row, int column, UINT mask, const wchar_t* text, int image = 0, UINT state = 0, UINT stateMask = 0,
                 LPARAM data = 0);
    BOOL DeleteAllItems();
    int InsertColumn(int column, const wchar_t* heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);

    // A drop-down cell of this grid has its popup open.
    bool IsPopupOpen() const { return m_popupOpen; }
    void SetPopupOpen(bool open) { m_popupOpen = open; }

    const CellTabOrder& GetTabOrder() const { return m_tabOrder; }
    bool IsCellDisabled(CellKey key) const;

    BOOL PreTranslateMessage(MSG* msg) override;
    void DrawItem(LPDRAWITEMSTRUCT dis) override;
    void MeasureItem(LPMEASUREITEMSTRUCT mis) override;

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam, LRESULT* result);

    void OnChar(UINT ch, UINT repeat, UINT flags);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnKeyUp(UINT key, UINT repeat, UINT flags);
    void OnMouseMove(UINT flags, CPoint point);
    void OnRButtonDown(UINT flags, CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnTimer(UINT_PTR id);
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    void OnVScroll(UINT code, UINT position, CWnd* scrollBar);
    void OnHScroll(UINT code, UINT position, CWnd* scrollBar);
    void OnSetFocus(CWnd* oldFocus);
    void OnKillFocus(CWnd* newFocus);
    LRESULT OnEnable(WPARAM, LPARAM);
    LRESULT OnThemeChanged(WPARAM, LPARAM);
    LRESULT OnCellPopupSelect(WPARAM code, LPARAM index);

    DECLARE_MESSAGE_MAP()

private:
    friend class CConfigHeaderCtrl;

    void SubclassHeader();
    void DeleteCellEntry(CellKey key);
    CellKey SkipDisabledForward(CellKey key) const;
    CellKey SkipDisabledBackward(CellKey key) const;
    BOOL HandleTab(bool backward);
    // A cell without a cell control: its item text, highlighted in the row
    // with the keyboard.
    void DrawPlainCell(CDC& dc, int row, int column, const CRect& rect, bool keyboardRow);
    void ForceHeaderLayout();
    // The first draw or row insertion makes the list ask for the item height.
    void LayOutOnce();
    void CreateCellCaret();
    void DestroyCellCaret();
    int GetColumnCount() const;
    // Runs the default processing when no cell is active or the cell asks for it.
    void DefaultUnlessHandled(BOOL cellResult);

    CConfigHeaderCtrl m_header;
    std::unordered_map<CellKey, std::unique_ptr<CCellCtrl>> m_cells;
    CellTabOrder m_tabOrder;
    CCellCtrl* m_activeCell = nullptr;
    int m_activeRow = -1;
    int m_activeColumn = -1;
    int m_enabled = 1;  // every cell reads it through a pointer
    bool m_headerLayoutDone = false;
    bool m_tabEntered = false;
    bool m_keyUpSeen = false;
    bool m_caretCreated = false;
    bool m_popupOpen = false;
    CConfigListHost* m_host = nullptr;
};
