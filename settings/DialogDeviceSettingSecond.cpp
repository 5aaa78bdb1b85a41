#include "settings/DialogDeviceSettingSecond.h"

#include "app/UpdaterDlg.h"
#include "res/resource.h"

CDialogDeviceSettingSecond::CDialogDeviceSettingSecond(CWnd* parent)
    : CSettingsPage(IDD_DEVICE_SETTING_SECOND, parent)
{
}

void CDialogDeviceSettingSecond::LoadSettings()
{
    CUpdaterDlg* main = MainDialog();
    if (!main) return;
    workingCopy.CopyFrom(main->deviceSettings, 1);
    ResetFmRadioSettingsFrom(defaultsCopy, workingCopy);
    main->transferPercent = -1;
    main->currentSection = main->SettingSectionIndexOfPage(PageDeviceSettingSecond);
    FillControls();
    RefreshTexts();
}

int CDialogDeviceSettingSecond::IsModified()
{
    const CUpdaterDlg* main = MainDialog();
    return main ? main->deviceSettings.Differs(workingCopy, 1) : 0;
}

// Not built yet: the preset rows and the FM writer.
void CDialogDeviceSettingSecond::FillControls() {}
void CDialogDeviceSettingSecond::RefreshTexts() {}
int CDialogDeviceSettingSecond::WriteToHeadset() { return 0; }
