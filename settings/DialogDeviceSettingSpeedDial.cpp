#include "settings/DialogDeviceSettingSpeedDial.h"

#include "app/PageHost.h"
#include "res/resource.h"

CDialogDeviceSettingSpeedDial::CDialogDeviceSettingSpeedDial(CWnd* parent)
    : CSettingsPage(IDD_DEVICE_SETTING_SPEED_DIAL, PageSpeedDial, parent)
{
}

void CDialogDeviceSettingSpeedDial::ResetToDefaults() { ResetSpeedDialSettingsFrom(defaultsCopy, workingCopy); }

int CDialogDeviceSettingSpeedDial::IsModified()
{
    const CPageHost* main = MainDialog();
    if (!main) return 0;
    for (int i = 0; i < kSpeedDialCount; ++i) {
        if (workingCopy.SpeedDialNumbers[i] != main->deviceSettings.SpeedDialNumbers[i]) return 1;
    }
    return 0;
}

// Not built yet: the number edits and the speed-dial writer.
void CDialogDeviceSettingSpeedDial::FillControls() {}
void CDialogDeviceSettingSpeedDial::RefreshTexts() {}
int CDialogDeviceSettingSpeedDial::WriteToHeadset() { return 0; }
