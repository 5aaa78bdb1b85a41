// Not a check: shows the restore page with an archive for tools/screenshot,
// against a local server started by hand (server.py start --state DIR, then
// TORVIK_TEST_SERVER_STATE=DIR):
//   tools/screenshot OUT.png 8 build/tests/test_restore_page.exe --gtest_also_run_disabled_tests
//       --gtest_filter=Screenshot.*
// with TORVIK_SHOT_PRODUCT (hexadecimal), TORVIK_SHOT_LANGUAGE (0 to 10),
// TORVIK_SHOT_SECTION (the section index) and TORVIK_SHOT_VARIANTS=1 for a
// voice-prompt choice.
#include <gtest/gtest.h>

#include <string>

#include "app/ui/UpdaterDlg.h"
#include "firmware/SettingsArchive.h"
#include "fixtures/server/TestServer.h"
#include "framework/File.h"
#include "res/resource.h"
#include "support/TempFolder.h"
#include "support/Screenshot.h"

namespace {

TEST(Screenshot, DISABLED_ShowRestorePage)
{
    REQUIRE_TEST_SERVER();
    ::SetEnvironmentVariableW(L"TORVIK_SERVER", testserver::HttpBase());
    const int product = ShotNumber("TORVIK_SHOT_PRODUCT", 0x5510, 16);
    TempFolder folder(L"restore_shot");

    DeviceSettings archived;
    archived.SetDefaults(product, 2, 2);
    archived.ProductId = product;
    archived.Firmware = {2, 2, 0, 0};
    archived.ArchiveTime = 1356994798;
    archived.SpeedDialNumbers[0] = L"+49 30 1234567";
    ASSERT_TRUE(WriteWholeFile(SettingsArchivePath(folder.Path() + L"\\", product), SettingsArchiveText(archived).ToAnsi()));
    const std::string model = GetModelName(product, 1).ToAnsi();
    std::string revisions = model + ":v2.2:" + model + "_2_2.img\n";
    if (ShotNumber("TORVIK_SHOT_VARIANTS", 0))
        revisions = model + ":v2.2:English:en.img\n" + model + ":v2.2:French:fr.img\n" + model + ":v2.2:German:de.img\n";
    ASSERT_TRUE(testserver::ServeFile(L"malvobluetoothmanager/Revisions", revisions));

    CUpdaterDlg main;
    ASSERT_TRUE(OpenShotWindow(main));
    main.firmwareRestorePage.archiveFolder = folder.Path() + L"\\";
    main.targetProductId = product;
    main.recognized = 1;
    main.usbStatus = product;
    main.deviceSettings = archived;
    main.GoToFirmwareRestore(1);
    main.firmwareRestorePage.SendMessage(WM_TIMER, kLookupTimer);
    PumpMessagesUntil([&main] { return !main.firmwareRestorePage.LookupRunning(); }, 30000);
    main.firmwareRestorePage.currentSection = ShotNumber("TORVIK_SHOT_SECTION", 0);
    main.firmwareRestorePage.FillBackupInfoLabels();
    main.firmwareRestorePage.RefreshRestorePage();
    main.UpdateNavigation();
    HoldForScreenshot(main);
}

}  // namespace
