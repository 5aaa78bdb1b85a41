// Not a check: shows the FM radio page (or the speed-dial page) of a
// recognized headset for tools/screenshot.
//   tools/screenshot OUT.png 8 build/tests/test_fm_page.exe --gtest_also_run_disabled_tests
//       --gtest_filter=Screenshot.*
// with TORVIK_SHOT_PAGE (6 or 7), TORVIK_SHOT_LANGUAGE (0 to 10) and
// TORVIK_SHOT_BOX (1 the range warning, 2 the invalid-preset warning, 3 the
// RDS AF help) for a box over the window.
#include <gtest/gtest.h>


#include "app/ui/DialogMessageBox.h"
#include "app/ui/UpdaterDlg.h"
#include "res/resource.h"
#include "settings/FmTexts.h"
#include "support/Screenshot.h"

namespace {

TEST(Screenshot, DISABLED_ShowFmPage)
{
    CUpdaterDlg main;
    ASSERT_TRUE(OpenShotWindow(main));
    main.targetProductId = 0x5910;
    main.recognized = 1;
    main.usbStatus = 0x5910;
    main.sectionCount = 3;
    main.sectionKinds[0] = kSectionBasic;
    main.sectionKinds[1] = kSectionSpeedDial;
    main.sectionKinds[2] = kSectionFmRadio;
    DeviceSettings& record = main.deviceSettings;
    record.ProductId = 0x5910;
    record.DeviceName = L"TORVIK 50S";
    record.Firmware = {1, 2, 0, 0};
    record.FmRegion = 4;
    record.FmRds = 1;
    const int presets[] = {8750, 9120, 0, 10440, 0, 0, 8980, 0, 0, 10800};
    for (int i = 0; i < kFmPresetCount; ++i) record.FmPresets[i] = presets[i];
    record.SpeedDialNumbers[0] = L"+4930123456";
    record.SpeedDialNumbers[2] = L"*31#112";
    main.GoToPage(ShotNumber("TORVIK_SHOT_PAGE", PageDeviceSettingSecond));
    main.ShowWindow(SW_SHOW);
    if (const int box = ShotNumber("TORVIK_SHOT_BOX", 0)) {
        const LanguageIndex language = main.language;
        CDialogMessageBox dialog(&main);
        if (box == 3)
            dialog.Setup(GetHelpRdsAf(language), 0, nullptr, TextOk(language), CSize(540, 195));
        else
            dialog.Setup(box == 1 ? GetFmPresetRangeErrorText(language, 4) : GetFmPresetInvalidText(language), 1,
                         nullptr, TextOk(language), CSize(415, 130));
        HoldBoxesForScreenshot();
        dialog.DoModal();
        SetModalDialogHook(nullptr);
    }
    PumpMessagesUntil([] { return false; }, 8000);
    main.DestroyWindow();
}

}  // namespace
