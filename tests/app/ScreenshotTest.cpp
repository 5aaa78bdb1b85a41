// Not a check: shows the main window on one page for tools/screenshot.
//   tools/screenshot OUT.png 6 build/tests/test_app.exe --gtest_also_run_disabled_tests
//       --gtest_filter=Screenshot.*
// with TORVIK_SHOT_PAGE (1 to 7), TORVIK_SHOT_LANGUAGE (0 to 10) and
// TORVIK_SHOT_BOX=1 for a message box over the window.
#include <gtest/gtest.h>


#include "app/ui/DialogMessageBox.h"
#include "app/ui/UpdaterDlg.h"
#include "res/resource.h"
#include "support/Screenshot.h"

namespace {

TEST(Screenshot, DISABLED_ShowPage)
{
    CUpdaterDlg main;
    ASSERT_TRUE(OpenShotWindow(main));
    const int page = ShotNumber("TORVIK_SHOT_PAGE", 1);
    main.targetProductId = 0x4D10;
    main.recognized = page > 2;
    main.usbStatus = 0x4D10;
    if (page > 2) {
        main.sectionCount = 3;
        main.sectionKinds[0] = kSectionBasic;
        main.sectionKinds[1] = kSectionSpeedDial;
        main.sectionKinds[2] = kSectionFmRadio;
    }
    main.GoToPage(page);
    main.recognized = 1;
    main.deviceSettings.ProductId = 0x4D10;
    main.deviceSettings.DeviceName = L"TKV8";
    main.deviceSettings.Firmware = {5, 1, 0, 0};
    if (page == PageFirmwareUpdate) main.firmwareUpdatePage.SendMessage(WM_TIMER, kIndexTimer);
    if (page == PageFirmwareRestore) {
        main.firmwareRestorePage.SendMessage(WM_TIMER, kLookupTimer);
        PumpMessagesUntil([&main] { return !main.firmwareRestorePage.LookupRunning(); }, 30000);
    }
    main.UpdateNavigation();
    main.ShowWindow(SW_SHOW);
    if (ShotNumber("TORVIK_SHOT_BOX", 0)) {
        CDialogMessageBox box(&main);
        box.Setup(TextSaveChangesQuestion(main.language), 0, TextNo(main.language), TextYes(main.language),
                  CSize(400, 130));
        HoldBoxesForScreenshot();
        box.DoModal();
        SetModalDialogHook(nullptr);
    }
    PumpMessagesUntil([] { return false; }, 8000);
    main.DestroyWindow();
}

}  // namespace
