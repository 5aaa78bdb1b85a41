// The main window created modeless, its first page shown, and the basic
// settings page opened for a recognized headset; simulated devices behind the
// seams for the tests that write.
#pragma once

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/MainWindowFixture.h"

class SettingsPageTest : public SimulatedMainWindowTest {
protected:
    // The basic settings page of a recognized headset at a firmware version.
    void Open(int productId, int major, int minor, LanguageIndex language = LanguageEnglish)
    {
        main->language = language;
        main->targetProductId = productId;
        main->recognized = true;
        main->usbStatus = productId;
        main->deviceSettings = DeviceSettings();
        main->deviceSettings.ProductId = productId;
        main->deviceSettings.Firmware = {major, minor, 0, 0, 0};
        main->GoToDeviceSetting(1);
        ASSERT_EQ(PageDeviceSetting, main->currentPage);
    }

    CDialogDeviceSetting& Page() { return main->DeviceSettingPage(); }
    CWnd& Control(int id) { return *Page().GetDlgItem(id); }

    bool Checked(int id) { return Page().IsDlgButtonChecked(id) == BST_CHECKED; }

    // The ids of the page's controls that are shown.
    std::set<int> ShownControls()
    {
        std::set<int> ids;
        for (HWND child = ::GetWindow(Page().m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            if (::GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE) ids.insert(::GetDlgCtrlID(child));
        }
        return ids;
    }

    // A click on a control of the page, as the control sends it.
    void Press(int id) { Page().PressButton(id); }
    // A choice in a drop-down list of the page.
    void Choose(int listId, int index)
    {
        ::SendMessageW(Control(listId).m_hWnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        Page().SendMessage(WM_COMMAND, MAKEWPARAM(listId, CBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(Control(listId).m_hWnd));
    }
};
