// The combo cells' popup lists: opening, keys, wheel, scroll bar, choices and
// closes as the grid receives them, placement and the focus rules.
#include <gtest/gtest.h>

#include "GridTestPage.h"

namespace {

class PopupTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(page.Create()); }
    CRecordingGrid& grid() { return page.m_grid; }

    // One combo row built from text, painted, clicked open.
    CCellComboBox* OpenCombo(const wchar_t* text, int row = 0)
    {
        for (int r = grid().GetItemCount(); r <= row; ++r) grid().InsertItem(r, L"");
        auto* combo = new CCellComboBox;
        grid().SetCell(row, 2, combo, text);
        page.Paint();
        page.Click(row, 2);
        return combo;
    }
    CPopUpScrollList& Popup(CCellComboBox* combo) { return *combo->GetPopupList(); }
    void Key(CCellComboBox* combo, UINT key) { Popup(combo).SendMessage(WM_KEYDOWN, key, 0); }
    void Keys(CCellComboBox* combo, std::initializer_list<UINT> keys) { for (UINT k : keys) Key(combo, k); }

    CGridTestPage page;
};

TEST_F(PopupTest, ClickOpensThePopupWithTheFocus)
{
    auto* combo = OpenCombo(L"Medium\nLow\nMedium\nHigh");
    CPopUpScrollList& popup = Popup(combo);
    EXPECT_TRUE(combo->IsPopupOpen());
    EXPECT_TRUE(grid().IsPopupOpen());
    EXPECT_TRUE(popup.IsWindowVisible());
    EXPECT_EQ(::GetFocus(), popup.m_hWnd);
    EXPECT_EQ(grid().GetActiveCell(), combo) << "the focus moving into the popup keeps the edit";
    EXPECT_EQ(popup.GetHighlightedRow(), 1);
    EXPECT_EQ(popup.GetScrollPosition(), 0);

    // Below the cell, as wide as the cell, three rows high.
    CRect cell = grid().GetCellRect(0, 2);
    grid().ClientToScreen(&cell);
    CRect r = popup.GetWindowRect();
    EXPECT_EQ(r.top, cell.bottom);
    EXPECT_EQ(r.left, cell.left);
    EXPECT_EQ(r.Width(), cell.Width());
    EXPECT_EQ(popup.GetRowCount(), 3);
}

TEST_F(PopupTest, CommitChoosesTheHighlightedItem)
{
    auto* combo = OpenCombo(L"Medium\nLow\nMedium\nHigh");
    Key(combo, VK_DOWN);
    Popup(combo).Hide();  // what the cell's closing path does
    ASSERT_EQ(grid().popupResults.size(), 1u);
    EXPECT_EQ(grid().popupResults[0], std::make_pair(kCellPopupChosen, LPARAM(2)));
    EXPECT_EQ(combo->GetCurSel(), 2);
    EXPECT_EQ(combo->GetText(), L"High");
    EXPECT_EQ(grid().GetItemText(0, 2), L"High");
    ASSERT_EQ(page.choices.size(), 1u);
    EXPECT_EQ(page.choices[0], std::make_pair(0, 2));
    EXPECT_FALSE(combo->IsPopupOpen());
    EXPECT_FALSE(grid().IsPopupOpen());
    EXPECT_FALSE(Popup(combo).IsWindowVisible());
    EXPECT_EQ(::GetFocus(), grid().m_hWnd);
}

// No key commits a choice; F4 closes without one.
TEST_F(PopupTest, EnterAndEscapeDoNothingF4ClosesWithoutAChoice)
{
    auto* combo = OpenCombo(L"Medium\nLow\nMedium\nHigh");
    Keys(combo, {VK_DOWN, VK_RETURN, VK_ESCAPE});
    EXPECT_TRUE(grid().popupResults.empty());
    EXPECT_TRUE(combo->IsPopupOpen());
    EXPECT_TRUE(Popup(combo).IsWindowVisible());
    EXPECT_EQ(Popup(combo).GetHighlightedRow(), 2);

    Key(combo, VK_F4);
    ASSERT_EQ(grid().popupResults.size(), 1u);
    EXPECT_EQ(grid().popupResults[0], std::make_pair(kCellPopupClosed, LPARAM(0)));
    EXPECT_EQ(combo->GetText(), L"Medium");
    EXPECT_EQ(combo->GetCurSel(), 1);
    EXPECT_FALSE(combo->IsPopupOpen());
    EXPECT_FALSE(Popup(combo).IsWindowVisible());
}

TEST_F(PopupTest, LongListOpensScrolledToTheCurrentItem)
{
    auto* combo = OpenCombo(L"i8\ni0\ni1\ni2\ni3\ni4\ni5\ni6\ni7\ni8\ni9");
    CPopUpScrollList& popup = Popup(combo);
    ASSERT_EQ(combo->GetCurSel(), 8);
    EXPECT_EQ(popup.GetScrollPosition(), 3);
    EXPECT_EQ(popup.GetHighlightedRow(), 5);
    EXPECT_EQ(popup.GetRowCount(), 6);

    // A click on the second row chooses item 3 + 1.
    CPoint p = popup.GetRowRect(1).CenterPoint();
    popup.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    ASSERT_EQ(grid().popupResults.size(), 1u);
    EXPECT_EQ(grid().popupResults[0], std::make_pair(kCellPopupChosen, LPARAM(4)));
    EXPECT_EQ(combo->GetText(), L"i4");
}

// Six visible rows bound the highlight, not the three items: Down from the
// third row moves to an empty fourth, and a commit there chooses nothing.
TEST_F(PopupTest, ShortListHighlightReachesTheEmptyRows)
{
    auto* combo = OpenCombo(L"a\na\nb\nc");
    CPopUpScrollList& popup = Popup(combo);
    popup.UpdateWindow();
    EXPECT_FALSE(popup.GetScrollBar().IsWindowVisible()) << "three items need no scroll bar";
    EXPECT_EQ(popup.GetRowCount(), 3);
    const struct { UINT key; int row; } steps[] = {
        {VK_DOWN, 1}, {VK_DOWN, 2}, {VK_DOWN, 3}, {VK_NEXT, 5}, {VK_DOWN, 5}, {VK_UP, 4}, {VK_PRIOR, 0}, {VK_END, 0},
    };
    for (const auto& step : steps) {
        Key(combo, step.key);
        EXPECT_EQ(popup.GetHighlightedRow(), step.row) << "key " << step.key;
        EXPECT_EQ(popup.GetScrollPosition(), 0) << "key " << step.key;
    }
    Keys(combo, {VK_DOWN, VK_DOWN, VK_DOWN});
    ASSERT_EQ(popup.GetHighlightedRow(), 3);
    popup.Hide();
    ASSERT_EQ(grid().popupResults.size(), 1u);
    EXPECT_EQ(grid().popupResults[0], std::make_pair(kCellPopupClosed, LPARAM(0))) << "an empty row chooses nothing";
    EXPECT_EQ(combo->GetText(), L"a");
    EXPECT_EQ(combo->GetCurSel(), 0);
    EXPECT_FALSE(combo->IsPopupOpen());
}

TEST_F(PopupTest, ComboWithoutAValueOpensWithoutAHighlight)
{
    auto* combo = OpenCombo(L"Low\nHigh");  // no line repeats the first: nothing selected
    CPopUpScrollList& popup = Popup(combo);
    ASSERT_EQ(combo->GetCurSel(), -1);
    EXPECT_EQ(popup.GetHighlightedRow(), CPopUpScrollList::kNoRow);
    popup.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
    EXPECT_EQ(popup.GetHighlightedRow(), CPopUpScrollList::kNoRow) << "scrolling highlights nothing";
    Key(combo, VK_UP);
    EXPECT_EQ(popup.GetHighlightedRow(), CPopUpScrollList::kNoRow) << "Up only scrolls";
    popup.Hide();
    ASSERT_EQ(grid().popupResults.size(), 1u);
    EXPECT_EQ(grid().popupResults[0], std::make_pair(kCellPopupClosed, LPARAM(0))) << "nothing was chosen";
    EXPECT_EQ(combo->GetText(), L"");
    EXPECT_EQ(combo->GetCurSel(), -1);

    // Once a key moves the highlight, a row is chosen.
    grid().popupResults.clear();
    page.Click(0, 2);
    ASSERT_TRUE(combo->IsPopupOpen());
    Key(combo, VK_DOWN);
    popup.Hide();
    ASSERT_EQ(grid().popupResults.size(), 1u);
    EXPECT_EQ(grid().popupResults[0], std::make_pair(kCellPopupChosen, LPARAM(0)));
    EXPECT_EQ(combo->GetText(), L"Low");
}

TEST_F(PopupTest, KeysMoveHighlightThenScroll)
{
    auto* combo = OpenCombo(L"i0\ni0\ni1\ni2\ni3\ni4\ni5\ni6\ni7\ni8\ni9");
    CPopUpScrollList& popup = Popup(combo);
    popup.UpdateWindow();
    EXPECT_TRUE(popup.GetScrollBar().IsWindowVisible());
    struct Step { UINT key; int row, position; };
    const Step steps[] = {
        {VK_NEXT, 5, 0}, {VK_DOWN, 5, 1}, {VK_NEXT, 5, 4}, {VK_NEXT, 5, 4},  // the bar stops at 10 - 6
        {VK_UP, 4, 4}, {VK_PRIOR, 0, 4}, {VK_PRIOR, 0, 0}, {VK_UP, 0, 0},
        {VK_END, 0, 4}, {VK_HOME, 0, 0},
    };
    for (const Step& s : steps) {
        Key(combo, s.key);
        EXPECT_EQ(popup.GetHighlightedRow(), s.row) << "key " << s.key;
        EXPECT_EQ(popup.GetScrollPosition(), s.position) << "key " << s.key;
    }
    EXPECT_TRUE(grid().popupResults.empty()) << "moving commits nothing";
}

TEST_F(PopupTest, ScrollAndWheelKeepTheHighlightedItem)
{
    auto* combo = OpenCombo(L"i3\ni0\ni1\ni2\ni3\ni4\ni5\ni6\ni7\ni8\ni9");
    CPopUpScrollList& popup = Popup(combo);
    auto item = [&] { return popup.GetScrollPosition() + popup.GetHighlightedRow(); };
    ASSERT_EQ(item(), 3);

    popup.SendMessage(WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(popup.GetScrollBar().m_hWnd));
    EXPECT_EQ(popup.GetScrollPosition(), 1);
    EXPECT_EQ(item(), 3);
    popup.SendMessage(WM_VSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(popup.GetScrollBar().m_hWnd));
    EXPECT_EQ(popup.GetScrollPosition(), 4);
    EXPECT_EQ(popup.GetHighlightedRow(), 0) << "the item left the rows: the highlight stays on the top row";

    // A wheel turn of three notches scrolls one row; the highlight stays on an item.
    Key(combo, VK_HOME);
    Key(combo, VK_DOWN);
    popup.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-360)), 0);
    EXPECT_EQ(popup.GetScrollPosition(), 1);
    EXPECT_EQ(popup.GetHighlightedRow(), 0);
    popup.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 360), 0);
    EXPECT_EQ(popup.GetScrollPosition(), 0);
    EXPECT_EQ(popup.GetHighlightedRow(), 1);
    popup.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 360), 0);
    EXPECT_EQ(popup.GetScrollPosition(), 0);
    EXPECT_EQ(popup.GetHighlightedRow(), 1);
    popup.Hide();
    ASSERT_EQ(grid().popupResults.size(), 1u);
    EXPECT_EQ(grid().popupResults[0], std::make_pair(kCellPopupChosen, LPARAM(1)));
}

TEST_F(PopupTest, MouseMoveHighlightsTheRowUnderIt)
{
    auto* combo = OpenCombo(L"a\na\nb\nc");
    CPopUpScrollList& popup = Popup(combo);
    CPoint p = popup.GetRowRect(2).CenterPoint();
    popup.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    EXPECT_EQ(popup.GetHighlightedRow(), 2);
    p = popup.GetClientRect().BottomRight();
    popup.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(p.x + 5, p.y + 5));
    EXPECT_EQ(popup.GetHighlightedRow(), 2);
}

TEST_F(PopupTest, SecondClickOnTheCellClosesWithoutAChoice)
{
    auto* combo = OpenCombo(L"a\na\nb");
    Key(combo, VK_DOWN);
    page.Click(0, 2);
    EXPECT_FALSE(combo->IsPopupOpen());
    EXPECT_FALSE(Popup(combo).IsWindowVisible());
    EXPECT_EQ(combo->GetText(), L"a");
    EXPECT_TRUE(grid().popupResults.empty());
}

TEST_F(PopupTest, PopupNearTheScreenBottomOpensAbove)
{
    page.DestroyWindow();
    int screenBottom = ::GetSystemMetrics(SM_CYFULLSCREEN);
    ASSERT_TRUE(page.Create(40, screenBottom - 120, 60));
    auto* combo = OpenCombo(L"i0\ni0\ni1\ni2\ni3\ni4\ni5\ni6\ni7\ni8\ni9");
    ASSERT_TRUE(combo->IsPopupOpen());
    CRect cell = grid().GetCellRect(0, 2);
    grid().ClientToScreen(&cell);
    CRect r = Popup(combo).GetWindowRect();
    EXPECT_EQ(r.bottom, cell.top);
    EXPECT_LT(r.top, cell.top);
}

TEST_F(PopupTest, PopupHeightFollowsTheItemCount)
{
    auto* longCombo = OpenCombo(L"i0\ni0\ni1\ni2\ni3\ni4\ni5\ni6\ni7\ni8\ni9", 0);
    int sixRows = Popup(longCombo).GetWindowRect().Height();
    longCombo->Deactivate();
    auto* shortCombo = OpenCombo(L"a\na\nb", 1);
    int twoRows = Popup(shortCombo).GetWindowRect().Height();
    int border = 2 * ::GetSystemMetrics(SM_CYBORDER);
    EXPECT_EQ((sixRows - border) / 6, (twoRows - border) / 2);
    EXPECT_EQ((sixRows - border) % 6, 0);
}

TEST_F(PopupTest, FocusLostToNoWindowEndsTheEdit)
{
    auto* combo = OpenCombo(L"a\na\nb");
    grid().SendMessage(WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(grid().GetActiveCell(), nullptr);
    EXPECT_FALSE(combo->IsPopupOpen());
    EXPECT_FALSE(grid().IsPopupOpen());
    EXPECT_FALSE(Popup(combo).IsWindowVisible());
}

TEST_F(PopupTest, FocusIntoThePopupsScrollBarKeepsTheEdit)
{
    auto* combo = OpenCombo(L"i0\ni0\ni1\ni2\ni3\ni4\ni5\ni6\ni7\ni8\ni9");
    grid().SendMessage(WM_KILLFOCUS, reinterpret_cast<WPARAM>(Popup(combo).GetScrollBar().m_hWnd), 0);
    EXPECT_EQ(grid().GetActiveCell(), combo);
    EXPECT_TRUE(combo->IsPopupOpen());
    grid().SendMessage(WM_KILLFOCUS, reinterpret_cast<WPARAM>(page.m_hWnd), 0);
    EXPECT_EQ(grid().GetActiveCell(), nullptr);
    EXPECT_FALSE(combo->IsPopupOpen());
}

TEST_F(PopupTest, EndCellEditClosesThePopup)
{
    auto* combo = OpenCombo(L"a\na\nb");
    grid().EndCellEdit();
    EXPECT_EQ(grid().GetActiveCell(), nullptr);
    EXPECT_FALSE(grid().IsPopupOpen());
    EXPECT_FALSE(Popup(combo).IsWindowVisible());
    EXPECT_EQ(combo->GetText(), L"a");
}

TEST_F(PopupTest, ScrollingTheGridHidesThePopupButKeepsItOpen)
{
    auto* combo = OpenCombo(L"a\na\nb");
    grid().SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_FALSE(Popup(combo).IsWindowVisible());
    EXPECT_TRUE(combo->IsPopupOpen());
    page.Click(0, 2);  // the next click takes the closing path
    EXPECT_FALSE(combo->IsPopupOpen());
    EXPECT_FALSE(grid().IsPopupOpen());
}

TEST_F(PopupTest, DisabledComboDoesNotOpen)
{
    grid().InsertItem(0, L"");
    auto* combo = new CCellComboBox;
    grid().SetCell(0, 2, combo, L"a\na\nb");
    grid().SetCellDisabled(0, 2, TRUE);
    page.Paint();
    page.Click(0, 2);
    EXPECT_FALSE(combo->IsPopupOpen());
    EXPECT_EQ(grid().GetActiveCell(), nullptr);
}

}  // namespace
