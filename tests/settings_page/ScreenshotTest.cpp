// Not a check: shows the basic settings page for tools/screenshot.
//   tools/screenshot OUT.png 6 build/tests/test_settings_page.exe --gtest_also_run_disabled_tests
//       --gtest_filter=SettingsPageScreenshot.*
// with TORVIK_SHOT_PRODUCT (hexadecimal, default 4D10), TORVIK_SHOT_FIRMWARE
// (major times ten plus minor, default 41) and TORVIK_SHOT_LANGUAGE (0 to 10).
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/UpdaterDlg.h"
#include "res/resource.h"

namespace {

int EnvNumber(const char* name, int fallback, int base = 10)
{
    const char* value = std::getenv(name);
    return value ? static_cast<int>(std::strtol(value, nullptr, base)) : fallback;
}

TEST(SettingsPageScreenshot, DISABLED_ShowPage)
{
    CUpdaterDlg main;
    ASSERT_TRUE(main.Create(IDD_MAIN, nullptr));
    main.selectionPage.updateCheckDone = 1;
    main.SendMessage(WM_TIMER, kStartupTimer);
    main.ApplyLanguage(EnvNumber("TORVIK_SHOT_LANGUAGE", 0), 1);
    const int product = EnvNumber("TORVIK_SHOT_PRODUCT", 0x4D10, 16);
    const int firmware = EnvNumber("TORVIK_SHOT_FIRMWARE", 41);
    main.targetProductId = product;
    main.recognized = true;
    main.usbStatus = product;
    main.deviceSettings.ProductId = product;
    main.deviceSettings.DeviceName = L"TKV8";
    main.deviceSettings.Firmware = {firmware / 10, firmware % 10, 0, 0, 0};
    main.deviceSettings.SetDefaults(product, firmware / 10, firmware % 10);
    main.GoToDeviceSetting(1);
    main.ShowWindow(SW_SHOW);
    PumpMessagesUntil([] { return false; }, 8000);
    main.DestroyWindow();
}

}  // namespace
