// The real program under the mouse and the keyboard together: after a click
// the keyboard is where the click put it, so the next key goes on from there.
#include <gtest/gtest.h>

#include <string>

#include "e2e/SettingsSaveFixture.h"
#include "support/RemoteListView.h"

namespace {

// A HID headset 0x5910 whose rows VOX Phone and VOX Intercom are on.
const std::string kOstrel =
    "usb.1=USB\\VID_3E1F&PID_5910&REV_0100\n"
    "hid.o.pid=0x5910\nhid.o.name=Torvik Ostrel\nhid.o.version=1.2.0.0.17\nhid.o.item.4=0x1D2F, 0\n";

class ClickKeys : public SettingsSave {
protected:
    // The keyboard onto a control of the main window, as the dialog itself moves it.
    void FocusOn(HWND control)
    {
        ::PostMessageW(main, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
        Sync();
    }
    // A left click at a point of a window's client area, pressed and released.
    bool ClickAt(HWND window, POINT at)
    {
        const LPARAM where = MAKELPARAM(at.x, at.y);
        ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
        ::PostMessageW(window, WM_LBUTTONUP, 0, where);
        return Sync();
    }
};

// The Disable half of the VOX Phone row clicked while the keyboard is on
// NEXT: the keyboard is in the grid, so the Space after it is the grid's and
// not DEFAULT's, and the click is kept for saving.
TEST_F(ClickKeys, AClickOnAGridCellLeavesTheKeyboardInTheGrid)
{
    Start(kOstrel);
    GoToSettingsPage();
    const HWND gridWindow = ::GetDlgItem(page, IDC_SETTINGS_GRID);
    RemoteListView grid(program->ProcessId(), gridWindow);
    ASSERT_TRUE(grid.IsOpen());
    const int row = grid.FindRow(1, L"VOX Phone");
    ASSERT_GE(row, 0);
    ASSERT_EQ(grid.ItemText(row, 2), L"0") << "the Enable half";
    FocusOn(::GetDlgItem(main, IDC_NEXT));

    // The cell knows its halves once drawn.
    ::InvalidateRect(gridWindow, nullptr, TRUE);
    ::UpdateWindow(gridWindow);
    const CRect cell = grid.SubItemRect(row, 2);
    ASSERT_FALSE(cell.IsRectEmpty());
    ASSERT_TRUE(ClickAt(gridWindow, {cell.left + cell.Width() * 3 / 4, cell.top + cell.Height() / 2}));
    ASSERT_EQ(grid.ItemText(row, 2), L"1");
    EXPECT_EQ(KeyboardFocus(), gridWindow) << ::GetDlgCtrlID(KeyboardFocus());

    ASSERT_TRUE(PressKeys(KeyboardFocus(), {VK_SPACE}));
    EXPECT_EQ(grid.ItemText(row, 2), L"1") << "the click was undone";
    EXPECT_TRUE(Enabled(IDC_ACTION));
}

}  // namespace
