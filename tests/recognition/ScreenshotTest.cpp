// Not a check: shows the recognition page, and after NEXT what the pass made
// of a scenario, for tools/screenshot:
//   tools/screenshot OUT.png 8 build/tests/test_recognition.exe --gtest_also_run_disabled_tests
//       --gtest_filter=RecognitionScreenshot.*
// with TORVIK_SHOT_SCENARIO (a scenario file, default the demonstration),
// TORVIK_SHOT_NEXT=1 to press NEXT on the page and TORVIK_SHOT_LANGUAGE.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/ui/DialogMessageBox.h"
#include "app/ui/UpdaterDlg.h"
#include "framework/Clock.h"
#include "res/resource.h"
#include "sim/Simulation.h"
#include "support/ProgramRunner.h"
#include "support/Screenshot.h"

namespace {

TEST(RecognitionScreenshot, DISABLED_ShowPass)
{
    const char* scenario = std::getenv("TORVIK_SHOT_SCENARIO");
    const std::string demo = std::string(TORVIK_SOURCE_DIR) + "/sim/scenarios/demo.txt";
    ASSERT_TRUE(Simulation::Instance().LoadFile(WindowsPathOf(scenario ? scenario : demo.c_str()).str()));
    Simulation::Instance().Install();

    CUpdaterDlg main;
    ASSERT_TRUE(OpenShotWindow(main));
    main.ShowWindow(SW_SHOW);
    main.PressButton(IDC_NEXT);
    // Boxes stay up for the picture, then close.
    SetModalDialogHook([](CDialog& dialog, UINT) { PumpMessagesFor(6000); dialog.EndDialog(IDOK); });
    if (ShotNumber("TORVIK_SHOT_NEXT", 0)) main.PressButton(IDC_NEXT);
    if (main.currentPage == PageFirmwareUpdate) main.firmwareUpdatePage.SendMessage(WM_TIMER, kIndexTimer);
    PumpMessagesUntil([] { return false; }, 8000);
    SetModalDialogHook(nullptr);
    main.DestroyWindow();
    Simulation::Instance().Uninstall();
}

}  // namespace
