// The main window created modeless, its first page shown, and the basic
// settings page opened for a recognized headset; simulated devices behind the
// seams for the tests that write.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "app/UpdaterDlg.h"
#include "framework/Clock.h"
#include "res/resource.h"
#include "sim/Simulation.h"

class SettingsPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Simulation::Instance().Reset();
        Simulation::Instance().LoadText("");
        Simulation::Instance().Install();
        Clock::SetSleepHook([](unsigned) {});
        main = std::make_unique<CUpdaterDlg>();
        ASSERT_TRUE(main->Create(IDD_MAIN, nullptr));
        main->selectionPage.updateCheckDone = 1;
        main->SendMessage(WM_TIMER, kStartupTimer);
        ASSERT_EQ(PageWelcome, main->currentPage);
    }

    void TearDown() override
    {
        SetModalDialogHook(nullptr);
        if (main && main->m_hWnd) main->DestroyWindow();
        main.reset();
        Clock::SetSleepHook(nullptr);
        Simulation::Instance().Uninstall();
        Simulation::Instance().LoadText("");
        Simulation::Instance().Reset();
    }

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

    CDialogDeviceSetting& Page() { return main->deviceSettingPage; }
    CWnd& Control(int id) { return *Page().GetDlgItem(id); }

    static bool Shown(const CWnd& wnd) { return (wnd.GetStyle() & WS_VISIBLE) != 0; }
    static bool Enabled(const CWnd& wnd) { return (wnd.GetStyle() & WS_DISABLED) == 0; }
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
    void Click(int id) { Page().PressButton(id); }
    // A choice in a drop-down list of the page.
    void Choose(int listId, int index)
    {
        ::SendMessageW(Control(listId).m_hWnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        Page().SendMessage(WM_COMMAND, MAKEWPARAM(listId, CBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(Control(listId).m_hWnd));
    }

    static void Load(const std::string& scenario) { Simulation::Instance().LoadText(scenario); }

    std::unique_ptr<CUpdaterDlg> main;
};
