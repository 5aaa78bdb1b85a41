// A main window created modeless on its template, the start-up timer fired, so
// tests drive it by messages without the application's modal loop.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "app/ui/UpdaterDlg.h"
#include "framework/Clock.h"
#include "res/resource.h"
#include "sim/Simulation.h"

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        main = std::make_unique<CUpdaterDlg>();
        ASSERT_TRUE(main->Create(IDD_MAIN, nullptr));
        // The manager's own update check (busy while it runs) is left to the welcome page's tests.
        main->selectionPage.updateCheckDone = 1;
        main->SendMessage(WM_TIMER, kStartupTimer);
        ASSERT_EQ(PageWelcome, main->currentPage);
    }

    void TearDown() override
    {
        SetModalDialogHook(nullptr);
        SetPopupMenuHook(nullptr);
        SetShellOpenHook(nullptr);
        if (main && main->m_hWnd) main->DestroyWindow();
        main.reset();
    }

    // A recognized headset of the product, attached under its own id.
    void Recognize(int productId, int usbStatus = -1)
    {
        main->targetProductId = productId;
        main->recognized = 1;
        main->usbStatus = usbStatus < 0 ? productId : usbStatus;
        main->deviceSettings.ProductId = productId;
    }

    // Page timers that read the server end at once in these tests (the
    // update page's fetch and the restore page's lookup end on a worker,
    // within a bounded wait).
    void FinishPageTimers()
    {
        if (main->currentPage == PageFirmwareUpdate) {
            CDialogFirmwareUpdate& page = main->firmwareUpdatePage;
            page.SendMessage(WM_TIMER, kIndexTimer);
            PumpMessagesUntil([&page] { return !page.IndexFetchRunning(); }, 30000);
        }
        if (main->currentPage == PageFirmwareRestore) {
            CDialogFirmwareRestore& page = main->firmwareRestorePage;
            page.SendMessage(WM_TIMER, kLookupTimer);
            PumpMessagesUntil([&page] { return !page.LookupRunning(); }, 30000);
        }
    }

    void Click(int id) { main->PressButton(id); }

    static bool Shown(const CWnd& wnd) { return (wnd.GetStyle() & WS_VISIBLE) != 0; }
    static bool Enabled(const CWnd& wnd) { return (wnd.GetStyle() & WS_DISABLED) == 0; }

    std::unique_ptr<CUpdaterDlg> main;
};

// The main window with helpers for the frame: setting sections and reading fonts.
class FrameTest : public MainWindowTest {
protected:
    void SetSections(std::initializer_list<int> kinds)
    {
        main->sectionCount = static_cast<int>(kinds.size());
        int i = 0;
        for (int kind : kinds) main->sectionKinds[i++] = kind;
    }

    static LOGFONTW FontOf(const CWnd& control)
    {
        LOGFONTW font{};
        ::GetObjectW(control.GetFontHandle(), sizeof font, &font);
        return font;
    }
};

// The main window over simulated devices (an empty scenario to begin with),
// every wait of the program recorded instead of spent.
class SimulatedMainWindowTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        Simulation::Instance().Reset();
        Simulation::Instance().LoadText("");
        Simulation::Instance().Install();
        Clock::SetSleepHook([](unsigned) {});
        MainWindowTest::SetUp();
    }

    void TearDown() override
    {
        MainWindowTest::TearDown();
        Clock::SetSleepHook(nullptr);
        Simulation::Instance().Uninstall();
        Simulation::Instance().LoadText("");
        Simulation::Instance().Reset();
    }

    static void Load(const std::string& scenario) { Simulation::Instance().LoadText(scenario); }
};
