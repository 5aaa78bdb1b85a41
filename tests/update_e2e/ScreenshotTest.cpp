// Not a check: shows a firmware update of a simulated BlueCore headset in
// progress for tools/screenshot:
//   tools/screenshot OUT.png 12 build/tests/test_update_e2e.exe --gtest_also_run_disabled_tests
//       --gtest_filter=UpdateShot.*
// with TORVIK_SHOT_PROMPT=1 for the request to hold the headset's key (the
// headset waits for it), else the download under way; TORVIK_SHOT_LANGUAGE 0 to 10.
#include <gtest/gtest.h>

#include "framework/Clock.h"
#include "res/resource.h"
#include "sim/Simulation.h"
#include "support/DfuFixtures.h"
#include "support/Screenshot.h"
#include "support/TempFolder.h"

namespace {

TEST(UpdateShot, DISABLED_Show)
{
    const bool prompt = ShotNumber("TORVIK_SHOT_PROMPT", 0) != 0;
    Simulation::Instance().LoadText(std::string("dfu.c.pid=0x4D10\ndfu.c.usb=1\ndfu.c.ps.0x02A3=words:0x4D10\n"
                                                "dfu.c.ps.0x0108=text:TKV8 Demo\ndfu.c.ps.0x02A4=2A 00 00 00\n"
                                                "dfu.c.download.ms=60000\n") +
                                    (prompt ? "dfu.c.keypress=forever\n" : ""));
    Simulation::Instance().Install();
    Clock::SetScale(0.5);
    CUpdaterDlg main;
    ASSERT_TRUE(OpenShotWindow(main));
    // The archive goes to a folder of its own, not beside the test program.
    TempFolder folder(L"update_shot");
    main.firmwareUpdatePage.driver.imgFolder = folder.Path() + L"\\";
    main.ShowWindow(SW_SHOW);
    main.PressButton(IDC_NEXT);
    main.PressButton(IDC_NEXT);
    PumpMessagesUntil([&main] { return !main.busy; }, 5000);
    main.firmwareUpdatePage.fileEdit.SetWindowText(DfuFixture("tkv8_4D10_4.3.dfu"));
    main.PressButton(IDC_ACTION);
    PumpMessagesUntil([] { return false; }, 5000);
    HoldForScreenshot(main);
    Simulation::Instance().Uninstall();
}

}  // namespace
