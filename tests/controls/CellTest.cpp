// The cells: their text conventions, styles, push buttons, too-narrow
// drop-downs and the drop-down's pressed-state worker.
#include <gtest/gtest.h>

#include "GridTestPage.h"
#include "controls/ButtonCritSect.h"
#include "framework/Dialog.h"
#include "res/resource.h"

namespace {

class CellTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(page.Create());
        grid().InsertItem(0, L"");
    }
    CConfigListCtrl& grid() { return page.m_grid; }
    template <class Cell>
    Cell* Bind(const wchar_t* text)
    {
        auto* cell = new Cell;
        grid().SetCell(0, 2, cell, text);
        return cell;
    }

    CGridTestPage page;
};

TEST_F(CellTest, CheckBoxTextStartsWithItsState)
{
    struct Case { const wchar_t* init; const wchar_t* text; bool checked; };
    const Case cases[] = {
        {L"abc", L"0abc", false},  // no state character: clear, the whole text is the label
        {L"", L"0", false},
        {L"1Sidetone", L"1Sidetone", true},
        {L"0", L"0", false},
        {L"2x", L"02x", false},
    };
    for (const Case& c : cases) {
        auto* check = Bind<CCellCheckBox>(c.init);
        EXPECT_EQ(check->GetText(), c.text) << c.init;
        EXPECT_EQ(check->GetCheck() != FALSE, c.checked) << c.init;
        EXPECT_EQ(grid().GetItemText(0, 2), c.text);
    }
}

TEST_F(CellTest, CheckBoxSetCheckWritesOnlyTheState)
{
    auto* check = Bind<CCellCheckBox>(L"0Label");
    check->SetCheck(TRUE);
    EXPECT_EQ(check->GetText(), L"1Label");
    check->SetCheck(FALSE);
    EXPECT_EQ(check->GetText(), L"0Label");
}

TEST_F(CellTest, ComboTakesItsValueFromTheFirstLine)
{
    struct Case { const wchar_t* init; std::vector<CString> items; int index; const wchar_t* text; };
    const Case cases[] = {
        {L"Medium\nLow\nMedium\nHigh", {L"Low", L"Medium", L"High"}, 1, L"Medium"},
        {L"MEDIUM\nLow\nMedium\nHigh", {L"Low", L"Medium", L"High"}, 1, L"Medium"},
        {L"Other\nLow\nHigh", {L"Other", L"Low", L"High"}, -1, L""},
        {L"Low\nHigh", {L"Low", L"High"}, -1, L""},  // the creation text of the settings rows
        {L"Only", {L"Only"}, -1, L""},
        {L"High\nLow\nHigh", {L"Low", L"High"}, 1, L"High"},
    };
    for (const Case& c : cases) {
        auto* combo = Bind<CCellComboBox>(c.init);
        ASSERT_EQ(combo->GetItemCount(), static_cast<int>(c.items.size())) << c.init;
        for (size_t i = 0; i < c.items.size(); ++i) EXPECT_EQ(combo->GetItem(static_cast<int>(i)), c.items[i]);
        EXPECT_EQ(combo->GetCurSel(), c.index) << c.init;
        EXPECT_EQ(combo->GetText(), c.text) << c.init;
        EXPECT_EQ(grid().GetItemText(0, 2), c.text);
    }
}

// The 20 x 20 pixels at (x, y) of a device context.
std::vector<COLORREF> Block(CDC& dc, CPoint at)
{
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) pixels.push_back(dc.GetPixel(at.x + x, at.y + y));
    return pixels;
}

TEST_F(CellTest, CheckBoxDrawsTheImageOfItsState)
{
    if (!CCellCheckBox::LoadImages()) GTEST_SKIP() << "no check-box bitmap";
    EXPECT_EQ(CheckBoxImageList.GetImageCount(), 4);
    auto* check = Bind<CCellCheckBox>(L"1");
    const CRect cell(0, 0, 100, 27);
    CClientDC screen(nullptr);
    struct Case { bool checked, disabled; int image; };
    const Case cases[] = {{false, false, 0}, {true, false, 1}, {false, true, 2}, {true, true, 3}};
    std::vector<std::vector<COLORREF>> drawnImages;
    for (const Case& c : cases) {
        check->SetCheck(c.checked);
        grid().SetCellDisabled(0, 2, c.disabled);
        CMemoryDC drawn(screen, cell.Width(), cell.Height());
        check->Draw(drawn, cell, 0);
        CPoint at = check->GetButtonRect().TopLeft();
        EXPECT_EQ(at, CPoint((cell.Width() - 20) / 2, 0)) << "centred without a label";
        CMemoryDC expected(screen, cell.Width(), cell.Height());
        expected.FillSolidRect(cell, ::GetSysColor(COLOR_WINDOW));
        CheckBoxImageList.Draw(expected, c.image, at, ILD_NORMAL);
        drawnImages.push_back(Block(drawn, at));
        EXPECT_EQ(drawnImages.back(), Block(expected, at)) << "image " << c.image;
    }
    for (size_t i = 1; i < drawnImages.size(); ++i) EXPECT_NE(drawnImages[i], drawnImages[i - 1]);
}

// Whether any pixel of rect has the colour.
bool HasColour(CDC& dc, const CRect& rect, COLORREF colour)
{
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (dc.GetPixel(x, y) == colour) return true;
    return false;
}

// A disabled cell, by its own bit or by the disabled grid, draws grey text on
// button face and an inactive arrow.
TEST_F(CellTest, DisabledCellsDrawGreyWithAnInactiveArrow)
{
    auto* combo = Bind<CCellComboBox>(L"Medium\nLow\nMedium");
    auto* button = new CCellPushButton(nullptr, 0, 0, 0);
    grid().SetCell(0, 1, button, L"Edit");
    const CRect comboCell(0, 0, 170, 27);
    const CRect buttonCell(0, 0, 200, 80);
    const int cx = ::GetSystemMetrics(SM_CXEDGE);
    const int cy = ::GetSystemMetrics(SM_CYEDGE);
    const CRect arrow(comboCell.right - cx - ::GetSystemMetrics(SM_CXVSCROLL), comboCell.top + cy,
                      comboCell.right - cx, comboCell.bottom - cy);
    const CRect comboText(4, 4, arrow.left - 4, comboCell.bottom - 4);
    const CRect caption(20, 20, 180, 60);
    CClientDC screen(nullptr);
    enum How { Enabled, CellBit, GridDisabled };
    for (How how : {Enabled, CellBit, GridDisabled}) {
        bool disabled = how != Enabled;
        grid().SetCellDisabled(0, 2, how == CellBit);
        grid().SetCellDisabled(0, 1, how == CellBit);
        grid().EnableWindow(how != GridDisabled);

        CMemoryDC dc(screen, buttonCell.Width(), buttonCell.Height());
        combo->Draw(dc, comboCell, 0);
        EXPECT_EQ(dc.GetPixel(comboText.right - 2, comboText.top + 2),
                  ::GetSysColor(disabled ? COLOR_BTNFACE : COLOR_WINDOW)) << how;
        EXPECT_EQ(HasColour(dc, comboText, ::GetSysColor(COLOR_GRAYTEXT)), disabled) << how;
        EXPECT_EQ(HasColour(dc, comboText, ::GetSysColor(COLOR_WINDOWTEXT)), !disabled) << how;
        CMemoryDC expected(screen, buttonCell.Width(), buttonCell.Height());
        CRect frame = arrow;
        expected.DrawFrameControl(frame, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (disabled ? DFCS_INACTIVE : 0));
        std::vector<COLORREF> drawn, wanted;
        for (int y = arrow.top; y < arrow.bottom; ++y)
            for (int x = arrow.left; x < arrow.right; ++x) {
                drawn.push_back(dc.GetPixel(x, y));
                wanted.push_back(expected.GetPixel(x, y));
            }
        EXPECT_EQ(drawn, wanted) << "arrow, " << how;

        CMemoryDC buttonDc(screen, buttonCell.Width(), buttonCell.Height());
        button->Draw(buttonDc, buttonCell, 0);
        EXPECT_EQ(HasColour(buttonDc, caption, ::GetSysColor(COLOR_GRAYTEXT)), disabled) << how;
        EXPECT_EQ(HasColour(buttonDc, caption, ::GetSysColor(COLOR_WINDOWTEXT)), !disabled) << how;
    }
    grid().EnableWindow(TRUE);
}

TEST_F(CellTest, ComboSetCurSelAcceptsOnlyItemIndexes)
{
    auto* combo = Bind<CCellComboBox>(L"Low\nMedium\nHigh");
    EXPECT_TRUE(combo->SetCurSel(2));
    EXPECT_EQ(combo->GetText(), L"High");
    EXPECT_EQ(grid().GetItemText(0, 2), L"High");
    for (int bad : {3, -1, 100}) {
        EXPECT_FALSE(combo->SetCurSel(bad)) << bad;
        EXPECT_EQ(combo->GetCurSel(), 2);
        EXPECT_EQ(combo->GetText(), L"High");
    }
}

TEST_F(CellTest, StyleWordsOfTheCellKinds)
{
    auto* check = new CCellCheckBox;
    auto* button = new CCellPushButton(nullptr, 0, 0, 0);
    auto* combo = new CCellComboBox;
    grid().SetCell(0, 0, button, L"");
    grid().SetCell(0, 1, check, L"0");
    grid().SetCell(0, 2, combo, L"a\nb");
    EXPECT_EQ(check->GetStyle(), static_cast<DWORD>(CellStyleAlignCenter));
    EXPECT_EQ(button->GetStyle(), static_cast<DWORD>(CellStyleAlignCenter));
    EXPECT_EQ(combo->GetStyle(), static_cast<DWORD>(CellStyleActiveSunken | CellStyleInactiveSunken))
        << "a combo is framed sunken whether active or not";
    grid().SetCellDisabled(0, 2, TRUE);
    EXPECT_EQ(combo->GetStyle(), static_cast<DWORD>(CellStyleActiveSunken | CellStyleInactiveSunken | CellStyleDisabled));
}

TEST_F(CellTest, PushButtonPostsItsMessageOnceWhenClickedInside)
{
    auto* button = new CCellPushButton(page.m_hWnd, WM_APP + 5, 11, 22);
    grid().SetCell(0, 2, button, L"Edit");
    // A cell large enough for the button inside its 15-pixel margin.
    CClientDC screen(nullptr);
    CMemoryDC dc(screen, 300, 100);
    button->Draw(dc, CRect(0, 0, 200, 80), 0);
    ASSERT_FALSE(button->GetButtonRect().IsRectEmpty());
    MSG msg;
    while (::PeekMessageW(&msg, page.m_hWnd, WM_APP + 5, WM_APP + 5, PM_REMOVE)) {}

    EXPECT_EQ(button->OnLButtonDown(MK_LBUTTON, button->GetButtonRect().CenterPoint()), 0);
    EXPECT_TRUE(button->IsActive()) << "held while the button is down";
    EXPECT_EQ(button->OnLButtonUp(0, button->GetButtonRect().CenterPoint()), 0);
    EXPECT_FALSE(button->IsActive());
    int posted = 0;
    while (::PeekMessageW(&msg, page.m_hWnd, WM_APP + 5, WM_APP + 5, PM_REMOVE)) {
        ++posted;
        EXPECT_EQ(msg.wParam, 11u);
        EXPECT_EQ(msg.lParam, 22);
    }
    EXPECT_EQ(posted, 1);

    button->OnLButtonDown(MK_LBUTTON, CPoint(2, 2));  // in the margin
    EXPECT_FALSE(::PeekMessageW(&msg, page.m_hWnd, WM_APP + 5, WM_APP + 5, PM_REMOVE));
}

TEST_F(CellTest, HelpButtonDrawsOnlyItsBitmap)
{
    CBitmap mark;
    if (!mark.LoadBitmap(IDB_HELP_MARK)) GTEST_SKIP() << "no help-mark bitmap";
    auto* button = new CCellPushButton(nullptr, 0, 0, 0);
    grid().SetCell(0, 0, button, L"");
    button->SetBitmapId(IDB_HELP_MARK);
    const COLORREF untouched = RGB(1, 2, 3);
    CClientDC screen(nullptr);
    CMemoryDC dc(screen, 30, 27);
    dc.FillSolidRect(CRect(0, 0, 30, 27), untouched);
    button->Draw(dc, CRect(0, 0, 30, 27), 0);
    EXPECT_EQ(dc.GetPixel(1, 1), untouched);
    EXPECT_EQ(dc.GetPixel(25, 24), untouched);
    EXPECT_NE(dc.GetPixel(3 + 8, 2 + 8), untouched) << "the mark's disc";
    EXPECT_EQ(dc.GetPixel(3, 2), untouched) << "the mark's white corner is transparent";
}

TEST_F(CellTest, HelpButtonClickReachesTheHost)
{
    page.FillRows();
    page.Paint();
    page.Click(CGridTestPage::RowCheck, 0);
    EXPECT_EQ(page.m_grid.GetActiveCell(), page.m_grid.GetCell(CGridTestPage::RowCheck, 0));
    ASSERT_FALSE(page.clicks.empty());
    EXPECT_EQ(page.clicks.back(), std::make_pair(int(CGridTestPage::RowCheck), 0));
}

TEST_F(CellTest, TooNarrowDropDownNeverOpens)
{
    auto* combo = Bind<CCellComboBox>(L"Low\nLow\nHigh");
    int arrow = ::GetSystemMetrics(SM_CXVSCROLL) + ::GetSystemMetrics(SM_CXEDGE);
    grid().SetColumnWidth(2, arrow);
    grid().RepositionCells();
    page.Paint();
    EXPECT_TRUE(combo->IsTooNarrow());
    page.Click(0, 2);
    EXPECT_FALSE(combo->IsPopupOpen());
    EXPECT_FALSE(combo->GetPopup()->IsWindowVisible());

    grid().SetColumnWidth(2, 170);
    grid().RepositionCells();
    EXPECT_FALSE(combo->IsTooNarrow());
}

TEST_F(CellTest, PressedLookEndsWhenTheButtonIsNotHeld)
{
    auto* combo = Bind<CCellComboBox>(L"Low\nLow\nHigh");
    page.Paint();  // the worker runs only for a drawn cell
    page.Click(0, 2);
    ASSERT_TRUE(combo->IsPopupOpen());
    EXPECT_EQ(CCellDropDown::GetPressed(), 1);
    EXPECT_TRUE(PumpMessagesUntil([] { return CCellDropDown::GetPressed() == 0; }, 3000))
        << "the worker re-reads the button after 200 ms";
    combo->Deactivate();
}

TEST_F(CellTest, ComboMouseMoveTracksThePressedArrow)
{
    auto* combo = Bind<CCellComboBox>(L"Low\nLow\nHigh");
    page.Paint();
    combo->BeginEdit(grid().GetCellRect(0, 2));
    CPoint onArrow = combo->GetArrowRect().CenterPoint();
    combo->OnMouseMove(MK_LBUTTON, onArrow);
    EXPECT_EQ(CCellDropDown::GetPressed(), 1);
    combo->OnMouseMove(0, onArrow);
    EXPECT_EQ(CCellDropDown::GetPressed(), 0);
    combo->OnMouseMove(MK_LBUTTON, combo->GetCellRect().TopLeft());
    EXPECT_EQ(CCellDropDown::GetPressed(), 0);
}

TEST(ButtonCritSect, LocksAndUnlocks)
{
    CButtonCritSect lock;
    EXPECT_EQ(lock.m_value, 0);
    EXPECT_TRUE(lock.Lock(100));
    EXPECT_TRUE(lock.Lock());  // a critical section may be entered again by its owner
    EXPECT_TRUE(lock.Unlock());
    EXPECT_TRUE(lock.Unlock());
    EXPECT_TRUE(lock.Unlock(1, nullptr));
}

}  // namespace
