// The real program over a simulation scenario, driven as a rider drives it to
// its settings pages (tests/support/WholeProgram.h starts it, finds its pages,
// presses its buttons, answers its boxes and reads the journal).
#pragma once

#include <string>

#include "support/RemoteListView.h"
#include "support/WholeProgram.h"

// The chip of a headset 0x4D10 at firmware 3.0 (the legacy rows VOX Phone, VOX
// Intercom, EDR and the notes), VOX Phone off.
inline const std::string kTkv8 =
    "usb.1=USB\\VID_3E1F&PID_4D10&REV_0100\n"
    "dfu.c.pid=0x4D10\n"
    "dfu.c.ps.0x02A3=words:0x4D10\n"
    "dfu.c.ps.0x0001=2C 00 00 90 5B 00 02 00\n"
    "dfu.c.ps.0x0108=text:TKV8 Demo\n"
    "dfu.c.ps.0x02A4=words:30, 0\n"
    "dfu.c.ps.0x0298=words:0\n"
    "dfu.c.ps.0x0299=words:0\n"
    "dfu.c.ps.0x00EF=FF FE 8F 7E 98 FF 59 83\n";

// The chip of a headset 0x5210 with the gain Medium and a time-out of 5
// seconds.
inline const std::string kRadio =
    "usb.1=USB\\VID_3E1F&PID_5210&REV_0100\n"
    "dfu.c.pid=0x5210\n"
    "dfu.c.ps.0x02A3=words:0x5210\n"
    "dfu.c.ps.0x0001=2C 00 00 90 5B 00 02 00\n"
    "dfu.c.ps.0x0108=text:Radio Demo\n"
    "dfu.c.ps.0x02A4=words:10, 0\n"
    "dfu.c.ps.0x02AC=words:15\n"
    "dfu.c.ps.0x02AA=words:5000\n";

class SettingsSave : public WholeProgramTest {
protected:
    // Welcome, recognition (NEXT runs the pass), firmware update, then the
    // basic settings page.
    void GoToSettingsPage()
    {
        ASSERT_TRUE(PressUntilPage(IDC_NEXT, IDC_RECOGNITION_WARNING)) << "no recognition page";
        ASSERT_TRUE(PressUntilPage(IDC_NEXT, IDC_FW_STEPS)) << "recognition did not go on to the update page";
        ASSERT_TRUE(PressUntilPage(IDC_NEXT, IDC_SETTINGS_GRID)) << "no basic settings page";
        page = PageWith(IDC_SETTINGS_GRID);
    }

    // A click on a control of the page, once a rider can press it; false when
    // it stays disabled or hidden.
    bool ClickOnPage(int controlId)
    {
        const HWND control = ::GetDlgItem(page, controlId);
        if (!WaitUntilPressable(control)) return false;
        ::SendMessageTimeoutW(control, BM_CLICK, 0, 0, SMTO_NORMAL, 5000, nullptr);
        return true;
    }
    // The section chooser's list at a section (0 basic, 1 speed dial, 2 FM
    // radio for a headset with all three), from a settings page; the page shown.
    HWND Section(int index, int controlOfThePage)
    {
        const HWND list = ::GetDlgItem(main, IDC_SECTION_LIST);
        if (!Press(IDC_SECTION_DROPDOWN) || !WaitUntilPressable(list)) return nullptr;
        ::SendMessageTimeoutW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0, SMTO_NORMAL, 5000, nullptr);
        ::SendMessageTimeoutW(main, WM_COMMAND, MAKEWPARAM(IDC_SECTION_LIST, LBN_SELCHANGE),
                              reinterpret_cast<LPARAM>(list), SMTO_NORMAL, 5000, nullptr);
        WaitFor([&] { return (page = PageWith(controlOfThePage)) != nullptr; });
        return page;
    }
    // A click on the Disable half of a row's check box cell, which knows its
    // halves once drawn; false when the cell has no place.
    bool ClickDisableHalf(HWND gridWindow, RemoteListView& grid, int row)
    {
        ::InvalidateRect(gridWindow, nullptr, TRUE);
        ::UpdateWindow(gridWindow);
        const CRect cell = grid.SubItemRect(row, 2);
        return !cell.IsRectEmpty() &&
               ClickAt(gridWindow, {cell.left + cell.Width() * 3 / 4, cell.top + cell.Height() / 2});
    }
    bool Checked(int controlId)
    {
        DWORD_PTR result = 0;
        ::SendMessageTimeoutW(::GetDlgItem(page, controlId), BM_GETCHECK, 0, 0, SMTO_NORMAL, 5000, &result);
        return result == BST_CHECKED;
    }
    HWND page = nullptr;
};
