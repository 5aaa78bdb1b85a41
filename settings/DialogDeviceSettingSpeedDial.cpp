#include "settings/DialogDeviceSettingSpeedDial.h"

#include "app/UpdaterDlg.h"
#include "res/resource.h"

CDialogDeviceSettingSpeedDial::CDialogDeviceSettingSpeedDial(CWnd* parent)
    : CSettingsPage(IDD_DEVICE_SETTING_SPEED_DIAL, parent)
{
}

void CDialogDeviceSettingSpeedDial::LoadSettings()
{
    CUpdaterDlg* main = MainDialog();
    if (!main) return;
    workingCopy.CopyFrom(main->deviceSettings, 1);
    ResetSpeedDialSettingsFrom(defaultsCopy, workingCopy);
    main->transferPercent = -1;
    main->currentSection = main->SettingSectionIndexOfPage(PageSpeedDial);
    FillControls();
    RefreshTexts();
}

int CDialogDeviceSettingSpeedDial::IsModified()
{
    const CUpdaterDlg* main = MainDialog();
    if (!main) return 0;
    for (int i = 0; i < SpeedDialCount; ++i) {
        if (workingCopy.SpeedDialNumbers[i] != main->deviceSettings.SpeedDialNumbers[i]) return 1;
    }
    return 0;
}

// Not built yet: the number edits and the speed-dial writer.
void CDialogDeviceSettingSpeedDial::FillControls() {}
void CDialogDeviceSettingSpeedDial::RefreshTexts() {}
int CDialogDeviceSettingSpeedDial::WriteToHeadset() { return 0; }
