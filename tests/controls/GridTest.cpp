// The settings grid: cell keys, the Tab order, re-keying, activation by click
// and by Tab, texts and layout. Windows are driven by messages.
#include <gtest/gtest.h>

#include "GridTestPage.h"

namespace {

TEST(CellKey, PacksRowHighAndColumnLow)
{
    struct Case { int row, column; CellKey key; };
    const Case cases[] = {
        {0, 0, 0x00000000u}, {0, 2, 0x00000002u}, {1, 0, 0x00010000u}, {3, 2, 0x00030002u},
        {0xFFFF, 0xFFFF, 0xFFFFFFFFu}, {2, 0x1FFFF, 0x0002FFFFu},  // the column keeps its low 16 bits
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MakeCellKey(c.row, c.column), c.key) << c.row << "," << c.column;
        EXPECT_EQ(CellKeyRow(c.key), c.row & 0xFFFF);
        EXPECT_EQ(CellKeyColumn(c.key), c.column & 0xFFFF);
    }
    // Ascending keys run row by row.
    EXPECT_LT(MakeCellKey(0, 0xFFFF), MakeCellKey(1, 0));
    EXPECT_LT(MakeCellKey(1, 2), MakeCellKey(2, 0));
}

TEST(CellKey, ShiftsAtAndPastTheInsertion)
{
    struct Case { CellKey key; int at; CellKey byRow, byColumn; };
    const Case cases[] = {
        {MakeCellKey(1, 1), 2, MakeCellKey(1, 1), MakeCellKey(1, 1)},
        {MakeCellKey(2, 2), 2, MakeCellKey(3, 2), MakeCellKey(2, 3)},
        {MakeCellKey(5, 0), 2, MakeCellKey(6, 0), MakeCellKey(5, 0)},
        {MakeCellKey(0, 7), 0, MakeCellKey(1, 7), MakeCellKey(0, 8)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShiftKeyRow(c.key, c.at), c.byRow);
        EXPECT_EQ(ShiftKeyColumn(c.key, c.at), c.byColumn);
    }
}

TEST(CellTabOrder, StepsThroughKeysInOrder)
{
    CellTabOrder order;
    EXPECT_EQ(order.FirstKey(), kNoCellKey);
    EXPECT_EQ(order.LastKey(), kNoCellKey);
    for (CellKey k : {MakeCellKey(2, 0), MakeCellKey(0, 2), MakeCellKey(1, 2), MakeCellKey(0, 0)}) order.Insert(k);
    EXPECT_EQ(order.FirstKey(), MakeCellKey(0, 0));
    EXPECT_EQ(order.LastKey(), MakeCellKey(2, 0));
    EXPECT_EQ(order.NextKey(MakeCellKey(0, 0)), MakeCellKey(0, 2));
    EXPECT_EQ(order.NextKey(MakeCellKey(0, 2)), MakeCellKey(1, 2));
    EXPECT_EQ(order.NextKey(MakeCellKey(2, 0)), kNoCellKey);
    EXPECT_EQ(order.PrevKey(MakeCellKey(1, 2)), MakeCellKey(0, 2));
    EXPECT_EQ(order.PrevKey(MakeCellKey(0, 0)), kNoCellKey);
    order.ShiftRows(1);
    EXPECT_EQ(order.NextKey(MakeCellKey(0, 2)), MakeCellKey(2, 2));
    EXPECT_EQ(order.LastKey(), MakeCellKey(3, 0));
    order.ShiftColumns(1);
    EXPECT_EQ(order.NextKey(MakeCellKey(0, 0)), MakeCellKey(0, 3));
}

// A check box that counts its deletions.
struct CountingCell : CCellCheckBox {
    explicit CountingCell(int& deleted) : m_deleted(deleted) {}
    ~CountingCell() override { ++m_deleted; }
    void Deactivate() override { ++deactivations; CCellCheckBox::Deactivate(); }
    int& m_deleted;
    int deactivations = 0;
};

class GridTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(page.Create()); }

    // Rows 0 to n-1 with a check box in column 2 each.
    void AddCheckRows(int n)
    {
        for (int row = 0; row < n; ++row) {
            grid().InsertItem(row, L"");
            grid().SetCell(row, 2, new CCellCheckBox, L"0");
        }
    }
    CConfigListCtrl& grid() { return page.m_grid; }
    CellKey ActiveKey() { return grid().GetActiveCell() ? MakeCellKey(grid().GetActiveRow(), grid().GetActiveColumn()) : kNoCellKey; }
    // Sends a Tab key-down through the grid's pre-translation.
    BOOL Tab(bool shift = false)
    {
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(keys);
        MSG msg{grid().m_hWnd, WM_KEYDOWN, VK_TAB, 0, 0, {}};
        BOOL taken = grid().PreTranslateMessage(&msg);
        keys[VK_SHIFT] = 0;
        ::SetKeyboardState(keys);
        return taken;
    }
    void KeyUp()
    {
        MSG msg{grid().m_hWnd, WM_KEYUP, VK_TAB, 0, 0, {}};
        grid().PreTranslateMessage(&msg);
    }

    CGridTestPage page;
};

TEST_F(GridTest, SetCellReplacesAndDeletesTheOldCell)
{
    grid().InsertItem(0, L"");
    int deleted = 0;
    auto* first = new CountingCell(deleted);
    grid().SetCell(0, 2, first, L"1first");
    EXPECT_EQ(grid().GetItemText(0, 2), L"1first");
    grid().ActivateCell(MakeCellKey(0, 2));
    ASSERT_EQ(grid().GetActiveCell(), first);

    grid().SetCell(0, 2, new CCellCheckBox, L"0second");
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(grid().GetActiveCell(), nullptr);
    EXPECT_EQ(grid().GetActiveRow(), -1);
    EXPECT_EQ(grid().GetItemText(0, 2), L"0second");
    EXPECT_EQ(grid().GetTabOrder().Count(), 1u);
}

TEST_F(GridTest, LookupsOfUnboundKeysFindNothing)
{
    AddCheckRows(1);
    CCellCtrl* cell = reinterpret_cast<CCellCtrl*>(1);
    EXPECT_FALSE(grid().LookupCell(0, 1, cell));
    EXPECT_EQ(cell, nullptr);
    EXPECT_TRUE(grid().LookupCell(0, 2, cell));
    EXPECT_EQ(grid().GetCell(5, 2), nullptr);
    EXPECT_EQ(grid().SetCellDisabled(0, 1, TRUE), 0);
    grid().SetItem(0, 1, LVIF_TEXT, L"label");
    grid().RemoveCell(0, 1);  // only clears the text
    EXPECT_EQ(grid().GetItemText(0, 1), L"");
    EXPECT_NE(grid().GetCell(0, 2), nullptr);
}

TEST_F(GridTest, InsertedRowMovesLaterCellsDown)
{
    AddCheckRows(4);
    CCellCtrl* before[4];
    for (int row = 0; row < 4; ++row) before[row] = grid().GetCell(row, 2);

    grid().InsertItem(2, L"new");
    EXPECT_EQ(grid().GetCell(0, 2), before[0]);
    EXPECT_EQ(grid().GetCell(1, 2), before[1]);
    EXPECT_EQ(grid().GetCell(2, 2), nullptr);
    EXPECT_EQ(grid().GetCell(3, 2), before[2]);
    EXPECT_EQ(grid().GetCell(4, 2), before[3]);

    // Tab visits rows 0, 1, 3, 4.
    KeyUp();
    std::vector<int> rows;
    while (Tab()) rows.push_back(grid().GetActiveRow());
    EXPECT_EQ(rows, (std::vector<int>{0, 1, 3, 4}));
}

TEST_F(GridTest, InsertedRowKeepsTheActiveCellAddress)
{
    AddCheckRows(3);
    grid().ActivateCell(MakeCellKey(2, 2));
    grid().InsertItem(0, L"");
    EXPECT_EQ(grid().GetActiveRow(), 3);
    EXPECT_EQ(grid().GetCell(3, 2), grid().GetActiveCell());
}

TEST_F(GridTest, DeleteAllItemsDeletesEveryCell)
{
    int deleted = 0;
    for (int row = 0; row < 3; ++row) {
        grid().InsertItem(row, L"");
        grid().SetCell(row, 2, new CountingCell(deleted), L"0");
    }
    grid().ActivateCell(MakeCellKey(1, 2));
    grid().DeleteAllItems();
    EXPECT_EQ(deleted, 3);
    EXPECT_EQ(grid().GetActiveCell(), nullptr);
    EXPECT_TRUE(grid().GetTabOrder().IsEmpty());
    EXPECT_EQ(grid().GetItemCount(), 0);
}

TEST_F(GridTest, InsertColumnAtZeroShiftsTextsRight)
{
    for (int row = 0; row < 2; ++row) {
        grid().InsertItem(row, row ? L"a1" : L"a0");
        grid().SetItem(row, 1, LVIF_TEXT, row ? L"b1" : L"b0");
        grid().SetItem(row, 2, LVIF_TEXT, row ? L"c1" : L"c0");
    }
    grid().InsertColumn(0, L"", LVCFMT_LEFT, 20);
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(grid().GetItemText(row, 0), L"");
        EXPECT_EQ(grid().GetItemText(row, 1), row ? L"a1" : L"a0");
        EXPECT_EQ(grid().GetItemText(row, 2), row ? L"b1" : L"b0");
        EXPECT_EQ(grid().GetItemText(row, 3), row ? L"c1" : L"c0");
    }
}

TEST_F(GridTest, ShiftTextsRightMovesOnlyForColumnZero)
{
    grid().InsertItem(0, L"a");
    grid().SetItem(0, 1, LVIF_TEXT, L"b");
    grid().SetItem(0, 2, LVIF_TEXT, L"c");
    EXPECT_EQ(grid().ShiftTextsRight(1), 0);
    EXPECT_EQ(grid().GetItemText(0, 0), L"a");
    grid().ShiftTextsRight(0);
    EXPECT_EQ(grid().GetItemText(0, 0), L"");
    EXPECT_EQ(grid().GetItemText(0, 1), L"a");
    EXPECT_EQ(grid().GetItemText(0, 2), L"b");
}

TEST_F(GridTest, InsertColumnElsewhereLeavesEarlierTexts)
{
    grid().InsertItem(0, L"a");
    grid().SetItem(0, 1, LVIF_TEXT, L"b");
    grid().InsertColumn(1, L"", LVCFMT_LEFT, 20);
    EXPECT_EQ(grid().GetItemText(0, 0), L"a");
    EXPECT_EQ(grid().GetItemText(0, 1), L"");
    EXPECT_EQ(grid().GetItemText(0, 2), L"b");
}

TEST_F(GridTest, InsertedColumnMovesCellsRight)
{
    AddCheckRows(2);
    CCellCtrl* cell = grid().GetCell(1, 2);
    grid().InsertColumn(1, L"", LVCFMT_LEFT, 20);
    EXPECT_EQ(grid().GetCell(1, 2), nullptr);
    EXPECT_EQ(grid().GetCell(1, 3), cell);
    EXPECT_EQ(grid().GetTabOrder().LastKey(), MakeCellKey(1, 3));
}

TEST_F(GridTest, TabSkipsDisabledCellsBothWays)
{
    AddCheckRows(5);
    grid().SetCellDisabled(1, 2, TRUE);
    grid().SetCellDisabled(2, 2, TRUE);

    KeyUp();
    EXPECT_TRUE(Tab());
    EXPECT_EQ(ActiveKey(), MakeCellKey(0, 2));
    EXPECT_TRUE(Tab());
    EXPECT_EQ(ActiveKey(), MakeCellKey(3, 2));
    EXPECT_TRUE(Tab());
    EXPECT_EQ(ActiveKey(), MakeCellKey(4, 2));
    EXPECT_FALSE(Tab()) << "the last cell hands Tab on to the dialog";

    // Entering backwards starts at the last enabled cell.
    KeyUp();
    EXPECT_TRUE(Tab(true));
    EXPECT_EQ(ActiveKey(), MakeCellKey(4, 2));
    EXPECT_TRUE(Tab(true));
    EXPECT_EQ(ActiveKey(), MakeCellKey(3, 2));
    EXPECT_TRUE(Tab(true));
    EXPECT_EQ(ActiveKey(), MakeCellKey(0, 2));
    EXPECT_FALSE(Tab(true)) << "Shift+Tab on the first enabled cell goes to the previous control";
}

TEST_F(GridTest, TabLeavesWhenOnlyDisabledCellsRemain)
{
    AddCheckRows(3);
    grid().SetCellDisabled(1, 2, TRUE);
    grid().SetCellDisabled(2, 2, TRUE);
    KeyUp();
    EXPECT_TRUE(Tab());
    EXPECT_EQ(ActiveKey(), MakeCellKey(0, 2));
    EXPECT_FALSE(Tab());
    EXPECT_EQ(ActiveKey(), MakeCellKey(0, 2));
}

TEST_F(GridTest, TabNeverActivatesADisabledCell)
{
    AddCheckRows(3);
    for (int row = 0; row < 3; ++row) grid().SetCellDisabled(row, 2, TRUE);
    KeyUp();
    EXPECT_FALSE(Tab());
    EXPECT_EQ(grid().GetActiveCell(), nullptr);
    KeyUp();
    EXPECT_FALSE(Tab(true));
    EXPECT_EQ(grid().GetActiveCell(), nullptr);
}

TEST_F(GridTest, TabWithoutCellsGoesOn)
{
    grid().InsertItem(0, L"plain");
    KeyUp();
    EXPECT_FALSE(Tab());
    KeyUp();
    EXPECT_FALSE(Tab());
}

TEST_F(GridTest, TabAfterAClickStepsOnFromTheClickedCell)
{
    AddCheckRows(4);
    page.Paint();
    page.Click(2, 2);
    ASSERT_EQ(ActiveKey(), MakeCellKey(2, 2));
    EXPECT_TRUE(Tab()) << "no key was released since the click";
    EXPECT_EQ(ActiveKey(), MakeCellKey(3, 2));

    // A released key while Tab navigation is not entered: Tab enters at the top.
    EXPECT_FALSE(Tab());
    KeyUp();
    EXPECT_TRUE(Tab());
    EXPECT_EQ(ActiveKey(), MakeCellKey(0, 2));
}

TEST_F(GridTest, TabActivationSelectsTheRowAndDeactivatesThePrevious)
{
    int deleted = 0;
    grid().InsertItem(0, L"");
    grid().InsertItem(1, L"");
    auto* first = new CountingCell(deleted);
    grid().SetCell(0, 2, first, L"0");
    grid().SetCell(1, 2, new CCellCheckBox, L"0");
    KeyUp();
    EXPECT_TRUE(Tab());
    EXPECT_TRUE(first->IsActive());
    EXPECT_TRUE(Tab());
    EXPECT_FALSE(first->IsActive());
    EXPECT_EQ(first->deactivations, 1);
    EXPECT_EQ(grid().GetItemState(1, LVIS_SELECTED), static_cast<UINT>(LVIS_SELECTED));
    EXPECT_EQ(grid().GetItemState(0, LVIS_SELECTED), 0u);
}

TEST_F(GridTest, RowsTakeTheGridHeightAfterTheFirstPaint)
{
    page.FillRows();
    page.Paint();
    CRect r;
    ASSERT_TRUE(grid().GetItemRect(0, &r, LVIR_BOUNDS));
    EXPECT_EQ(r.Height(), CConfigListCtrl::ItemHeight());
    EXPECT_EQ(CConfigListCtrl::ItemHeight(), ::GetSystemMetrics(SM_CYVTHUMB) + 5 * ::GetSystemMetrics(SM_CYEDGE));
}

// Rows inserted before the grid is first drawn count at the grid's row
// height, so the scroll range reaches the last row.
TEST_F(GridTest, RowsInsertedBeforeTheFirstPaintScrollToTheLast)
{
    AddCheckRows(20);
    page.Paint();
    const int perPage = static_cast<int>(grid().SendMessage(LVM_GETCOUNTPERPAGE));
    ASSERT_LT(perPage, 20);
    SCROLLINFO info{sizeof info, SIF_ALL};
    ASSERT_TRUE(::GetScrollInfo(grid().m_hWnd, SB_VERT, &info));
    EXPECT_EQ(static_cast<int>(info.nPage), perPage);
    for (int i = 0; i < 40; ++i) grid().SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(grid().GetTopIndex(), 20 - perPage);
}

TEST_F(GridTest, ClickOnCheckBoxTogglesAndReachesTheHost)
{
    page.FillRows();
    page.Paint();
    auto* check = page.CellAt<CCellCheckBox>(CGridTestPage::RowCheck, 2);
    ASSERT_FALSE(check->GetButtonRect().IsRectEmpty()) << "drawn cells know their button";
    CPoint p = check->GetButtonRect().CenterPoint();
    grid().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    grid().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    EXPECT_EQ(check->GetText(), L"1On");
    EXPECT_EQ(grid().GetItemText(CGridTestPage::RowCheck, 2), L"1On");
    EXPECT_EQ(grid().GetActiveCell(), check);
    ASSERT_EQ(page.clicks.size(), 1u);
    EXPECT_EQ(page.clicks[0], std::make_pair(int(CGridTestPage::RowCheck), 2));

    page.Paint();
    grid().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    EXPECT_EQ(check->GetText(), L"0On");
    EXPECT_EQ(grid().GetItemText(CGridTestPage::RowCheck, 2), L"0On");
}

TEST_F(GridTest, TwoOptionToggleTogglesOnlyOnTheOtherHalf)
{
    page.FillRows();
    page.Paint();
    const int row = CGridTestPage::RowToggle;
    auto* toggle = page.CellAt<CCellCheckBox>(row, 2);
    CRect cell = grid().GetCellRect(row, 2);
    CPoint onHalf(cell.left + cell.Width() * 3 / 4, cell.CenterPoint().y);   // selected while "1"
    CPoint offHalf(cell.left + cell.Width() / 4, cell.CenterPoint().y);

    grid().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(onHalf.x, onHalf.y));
    EXPECT_EQ(toggle->GetText(), L"1") << "the selected half changes nothing";
    grid().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(offHalf.x, offHalf.y));
    EXPECT_EQ(toggle->GetText(), L"0");
    EXPECT_EQ(grid().GetItemText(row, 2), L"0");
    EXPECT_FALSE(toggle->GetCheck());
    page.Paint();
    grid().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(onHalf.x, onHalf.y));
    EXPECT_TRUE(toggle->GetCheck());
}

TEST_F(GridTest, ClickOnDisabledOrPlainCellEndsTheEdit)
{
    page.FillRows();
    page.Paint();
    grid().ActivateCell(MakeCellKey(CGridTestPage::RowCheck, 2));
    ASSERT_NE(grid().GetActiveCell(), nullptr);
    page.Click(CGridTestPage::RowDisabled, 2);
    EXPECT_EQ(grid().GetActiveCell(), nullptr);
    EXPECT_EQ(grid().GetActiveRow(), -1);
    EXPECT_FALSE(page.CellAt<CCellComboBox>(CGridTestPage::RowDisabled, 2)->IsPopupOpen());
    ASSERT_EQ(page.clicks.size(), 1u);
    EXPECT_EQ(page.clicks[0], std::make_pair(int(CGridTestPage::RowDisabled), 2)) << "the host still sees the click";

    grid().ActivateCell(MakeCellKey(CGridTestPage::RowCheck, 2));
    page.Click(CGridTestPage::RowCheck, 1);
    EXPECT_EQ(grid().GetActiveCell(), nullptr);
}

TEST_F(GridTest, DisablingACellStopsClicksAndTab)
{
    page.FillRows();
    page.Paint();
    const int row = CGridTestPage::RowCheck;
    auto* check = page.CellAt<CCellCheckBox>(row, 2);
    EXPECT_EQ(grid().SetCellDisabled(row, 2, TRUE), TRUE);
    EXPECT_TRUE(check->GetStyle() & CellStyleDisabled);
    CPoint p = check->GetButtonRect().CenterPoint();
    grid().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    EXPECT_EQ(check->GetText(), L"0On");
    EXPECT_EQ(grid().GetActiveCell(), nullptr);

    grid().ActivateCell(MakeCellKey(row, 0));
    EXPECT_TRUE(Tab());  // steps over column 2 of this row
    EXPECT_EQ(ActiveKey(), MakeCellKey(row + 1, 0));

    grid().SetCellDisabled(row, 2, FALSE);
    EXPECT_FALSE(check->GetStyle() & CellStyleDisabled);
}

TEST_F(GridTest, CharWithoutActiveCellIsSwallowed)
{
    grid().InsertItem(0, L"alpha");
    grid().InsertItem(1, L"beta");
    grid().SetFocus();
    grid().SendMessage(WM_CHAR, L'b', 0);
    EXPECT_EQ(grid().GetItemState(1, LVIS_SELECTED | LVIS_FOCUSED), 0u) << "no incremental search";
}

TEST_F(GridTest, DisabledGridDisablesEveryCell)
{
    page.FillRows();
    auto* check = page.CellAt<CCellCheckBox>(CGridTestPage::RowCheck, 2);
    auto* combo = page.CellAt<CCellComboBox>(CGridTestPage::RowCombo, 2);
    EXPECT_FALSE(check->IsDrawnDisabled());
    grid().EnableWindow(FALSE);
    EXPECT_TRUE(check->IsDrawnDisabled());
    EXPECT_TRUE(combo->IsDrawnDisabled());
    grid().EnableWindow(TRUE);
    EXPECT_FALSE(combo->IsDrawnDisabled());
}

TEST_F(GridTest, AutoFitColumnTakesTheWidestText)
{
    grid().InsertItem(0, L"short");
    grid().InsertItem(1, L"a much longer text");
    grid().SetItem(0, 1, LVIF_TEXT, L"x");
    grid().AutoFitColumn(0);
    EXPECT_EQ(grid().GetColumnWidth(0),
              grid().GetStringWidth(L"a much longer texti") + ::GetSystemMetrics(SM_CXEDGE));
    grid().AutoFitColumn(1);
    EXPECT_EQ(grid().GetColumnWidth(1), grid().GetStringWidth(L"xi"));
}

TEST_F(GridTest, DividerDoubleClickFitsTheColumn)
{
    page.DestroyWindow();
    ASSERT_TRUE(page.Create(40, 40, 220, true));
    grid().InsertItem(0, L"a fairly long first column text");
    HWND header = grid().GetHeaderHandle();
    CRect item;
    ASSERT_TRUE(::SendMessageW(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item)));
    CPoint divider(item.right - 1, item.Height() / 2);
    ::SendMessageW(header, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(divider.x, divider.y));
    EXPECT_EQ(grid().GetColumnWidth(0),
              grid().GetStringWidth(L"a fairly long first column texti") + ::GetSystemMetrics(SM_CXEDGE));
}

TEST_F(GridTest, PlainCellsOfADisabledGridAreDrawnOnButtonFace)
{
    grid().InsertItem(0, L"");
    grid().SetItem(0, 1, LVIF_TEXT, L"");
    CClientDC screen(nullptr);
    CMemoryDC dc(screen, 600, 60);
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_LISTVIEW;
    dis.itemID = 0;
    dis.hwndItem = grid().m_hWnd;
    dis.hDC = dc;
    CPoint inside = grid().GetCellRect(0, 1).CenterPoint();
    for (bool enabled : {true, false}) {
        grid().EnableWindow(enabled);
        grid().DrawItem(&dis);
        EXPECT_EQ(dc.GetPixel(inside.x, inside.y), ::GetSysColor(enabled ? COLOR_WINDOW : COLOR_BTNFACE)) << enabled;
    }
}

TEST_F(GridTest, AutoFitColumnAsksBoundCells)
{
    grid().InsertItem(0, L"");
    grid().SetCell(0, 2, new CCellCheckBox, L"1");
    grid().AutoFitColumn(2);
    EXPECT_EQ(grid().GetColumnWidth(2), 20) << "a check box without a label";
}

TEST_F(GridTest, PopupSelectWithoutActiveCellDoesNothing)
{
    page.FillRows();
    EXPECT_EQ(grid().SendMessage(WM_CELL_POPUP_SELECT, kCellPopupChosen, 2), 1);
    EXPECT_TRUE(page.choices.empty());
    EXPECT_EQ(page.CellAt<CCellComboBox>(CGridTestPage::RowCombo, 2)->GetCurSel(), 1);
}

}  // namespace
