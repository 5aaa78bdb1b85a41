// A page window for the control tests: a grid with rows of every cell kind,
// recording what reaches the grid and its host.
#pragma once

#include <ostream>
#include <utility>
#include <vector>

#include "controls/CellCtrl.h"
#include "controls/ConfigListCtrl.h"
#include "controls/PopUpScrollList.h"

// Readable CString values in test failures.
inline void PrintTo(const CString& s, std::ostream* os) { *os << '"' << s.ToUtf8() << '"'; }

// A grid that records every WM_CELL_POPUP_SELECT it receives.
class CRecordingGrid : public CConfigListCtrl {
public:
    std::vector<std::pair<WPARAM, LPARAM>> popupResults;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CELL_POPUP_SELECT) popupResults.emplace_back(wParam, lParam);
        return CConfigListCtrl::WindowProc(message, wParam, lParam);
    }
};

class CGridTestPage : public CWnd, public CConfigListHost {
public:
    // Rows of the standard content.
    enum Row { RowToggle, RowCheck, RowCombo, RowButton, RowDisabled, RowLongCombo, RowCount };
    static constexpr int GridId = 1201;

    ~CGridTestPage() override;
    // A top-level window at (x, y) with the grid and three columns (30, 310, 170).
    bool Create(int x = 40, int y = 40, int gridHeight = 220, bool withHeader = false);
    // Rows of every cell kind: a help button in column 0, a label in column 1
    // and a value cell in column 2.
    void FillRows();
    // Paints the grid now, so that cells know their button rectangles.
    void Paint();
    // Client point at the centre of a cell (or at an offset from its left edge).
    CPoint CellPoint(int row, int column, int fromLeft = -1) const;
    void Click(int row, int column, int fromLeft = -1);
    template <class Cell>
    Cell* CellAt(int row, int column) const { return dynamic_cast<Cell*>(m_grid.GetCell(row, column)); }

    void OnGridClick(CConfigListCtrl&, int row, int column) override { clicks.emplace_back(row, column); }
    void OnGridPopupSelect(CConfigListCtrl&, int row, int column) override { choices.emplace_back(row, column); }
    bool IsFirstColumnRightAligned(const CConfigListCtrl&) const override { return rightAligned; }

    CRecordingGrid m_grid;
    std::vector<std::pair<int, int>> clicks;
    std::vector<std::pair<int, int>> choices;
    bool rightAligned = false;
};
