#include "settings/DialogDeviceSettingSecond.h"

#include "app/PageHost.h"
#include "res/resource.h"

CDialogDeviceSettingSecond::CDialogDeviceSettingSecond(CWnd* parent)
    : CSettingsPage(IDD_DEVICE_SETTING_SECOND, PageDeviceSettingSecond, parent)
{
}

void CDialogDeviceSettingSecond::ResetToDefaults() { ResetFmRadioSettingsFrom(defaultsCopy, workingCopy); }

int CDialogDeviceSettingSecond::IsModified()
{
    const CPageHost* main = MainDialog();
    return main ? main->deviceSettings.Differs(workingCopy, 1) : 0;
}

// Not built yet: the preset rows and the FM writer.
void CDialogDeviceSettingSecond::FillControls() {}
void CDialogDeviceSettingSecond::RefreshTexts() {}
int CDialogDeviceSettingSecond::WriteToHeadset() { return 0; }
