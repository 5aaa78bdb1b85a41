// Not a check: shows the firmware update page for tools/screenshot, against
// the server that TORVIK_SERVER names (e.g. the demonstration server that
// scripts/run starts):
//   tools/screenshot OUT.png 8 build/tests/test_firmware_page.exe --gtest_also_run_disabled_tests
//       --gtest_filter=FirmwarePageShot.*
// with TORVIK_SHOT_LANGUAGE (0 to 10) and TORVIK_SHOT_OFFER=1 for the headset
// at an older version, so that the offer opens over the page.
#include <gtest/gtest.h>


#include "app/ui/UpdaterDlg.h"
#include "res/resource.h"
#include "support/Screenshot.h"

namespace {

TEST(FirmwarePageShot, DISABLED_Show)
{
    CUpdaterDlg main;
    ASSERT_TRUE(OpenShotWindow(main));
    main.targetProductId = 0x5910;
    main.recognized = true;
    main.usbStatus = 0x5910;
    main.deviceSettings.ProductId = 0x5910;
    main.deviceSettings.DeviceName = L"Torvik Ostrel";
    main.deviceSettings.Firmware = {1, ShotNumber("TORVIK_SHOT_OFFER", 0) ? 2 : 3, 0, 0};
    main.ShowWindow(SW_SHOW);
    main.GoToFirmwareUpdate(1);
    main.firmwareUpdatePage.SendMessage(WM_TIMER, kIndexTimer);
    PumpMessagesUntil([] { return false; }, 8000);
    main.DestroyWindow();
}

}  // namespace
