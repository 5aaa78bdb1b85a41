// Not a check: shows the basic settings page for tools/screenshot.
//   tools/screenshot OUT.png 6 build/tests/test_settings_page.exe --gtest_also_run_disabled_tests
//       --gtest_filter=SettingsPageScreenshot.*
// with TORVIK_SHOT_PRODUCT (hexadecimal, default 4D10), TORVIK_SHOT_FIRMWARE
// (major times ten plus minor, default 41) and TORVIK_SHOT_LANGUAGE (0 to 10).
#include <gtest/gtest.h>


#include "app/ui/UpdaterDlg.h"
#include "res/resource.h"
#include "support/Screenshot.h"

namespace {

TEST(SettingsPageScreenshot, DISABLED_ShowPage)
{
    CUpdaterDlg main;
    ASSERT_TRUE(OpenShotWindow(main));
    const int product = ShotNumber("TORVIK_SHOT_PRODUCT", 0x4D10, 16);
    const int firmware = ShotNumber("TORVIK_SHOT_FIRMWARE", 41);
    main.targetProductId = product;
    main.recognized = true;
    main.usbStatus = product;
    main.deviceSettings.ProductId = product;
    main.deviceSettings.DeviceName = L"TKV8";
    main.deviceSettings.Firmware = {firmware / 10, firmware % 10, 0, 0, 0};
    main.deviceSettings.SetDefaults(product, firmware / 10, firmware % 10);
    main.GoToDeviceSetting(1);
    HoldForScreenshot(main);
}

}  // namespace
