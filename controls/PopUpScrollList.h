// The popup windows of the grid's cells: CListCtrlCellWnd, the base that the
// grid's focus handling recognises, and CPopUpScrollList, the item list of a
// combo cell with at most six rows and a vertical scroll bar.
#pragma once

#include "framework/Controls.h"
#include "framework/Wnd.h"

class CCellComboBox;
class CConfigListCtrl;

// Sent (synchronously) by a popup to its grid: wParam a code, lParam the index.
constexpr UINT WM_CELL_POPUP_SELECT = 0x1400;
constexpr WPARAM kCellPopupChosen = 0xA000;    // lParam: the chosen item's index
constexpr WPARAM kCellPopupReserved = 0xB000;  // no popup sends it
constexpr WPARAM kCellPopupClosed = 0xC000;    // closed without a choice

// TRUE when both the top-left and the bottom-right corner of a lie inside b
// (the right and bottom edges of b count as outside).
BOOL IsRectInside(const RECT& a, const RECT& b);

class CListCtrlCellWnd : public CWnd {
public:
    // Closes without a choice.
    virtual void Hide();

    HWND m_ownerList = nullptr;  // the grid that receives WM_CELL_POPUP_SELECT

protected:
    // Sends the result to the grid, then releases the mouse and hides.
    void SendResult(WPARAM code, LPARAM index);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);

    DECLARE_MESSAGE_MAP()
};

class CPopUpScrollList : public CListCtrlCellWnd {
public:
    // Creates the hidden popup window for a combo cell of list.
    virtual bool Create(CConfigListCtrl* list, CCellComboBox* cell);
    // Hiding through the cell commits the highlighted row.
    void Hide() override { Choose(); }
    // Commits the highlighted row; a row without an item closes without a choice.
    void Choose();
    // Shows the item at index: highlighted, scrolled into the rows when needed.
    void ShowItem(int index);

    // The highlighted row, kNoRow while none is (a cell without a current value).
    int GetHighlightedRow() const { return m_highlighted; }
    static constexpr int kNoRow = -1;
    int GetScrollPosition() const { return m_scrollBar.GetScrollPos(); }
    int GetRowCount() const;
    CRect GetRowRect(int row) const;
    CScrollBar& GetScrollBar() { return m_scrollBar; }

protected:
    void OnPaint();
    void OnLButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnVScroll(UINT code, UINT position, CWnd* scrollBar);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    CRect GetListArea() const;
    int GetRowHeight() const;
    // The row under a client point, or -1.
    int RowFromPoint(CPoint point) const;
    // Moves the scroll position (the bar clamps it) and keeps the same item
    // highlighted; returns how far it moved.
    int ScrollTo(int position);
    // The rows a popup can show (six), which bound the highlight.
    int GetVisibleRows() const;
    // Keeps the highlight on one of the visible rows.
    void ClampHighlight();

    CCellComboBox* m_cell = nullptr;
    int m_highlighted = 0;  // row from the top of the visible rows, or kNoRow
    CScrollBar m_scrollBar;
    CFont m_font;  // the cells' font (CreateCellFont)
};
