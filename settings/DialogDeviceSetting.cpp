#include "settings/DialogDeviceSetting.h"

#include "app/UpdaterDlg.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CDialogDeviceSetting, CSettingsPage)
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CDialogDeviceSetting::CDialogDeviceSetting(CWnd* parent) : CSettingsPage(IDD_DEVICE_SETTING, parent) {}

void CDialogDeviceSetting::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_SETTINGS_GRID, settingsGrid);
    DDX_Control(dx, IDC_SETTING_DEFAULT, defaultButton);
    DDX_Control(dx, IDC_SETTING_CANCEL, cancelButton);
}

BOOL CDialogDeviceSetting::OnInitDialog()
{
    CSettingsPage::OnInitDialog();
    ApplyBoldCaptions();
    return TRUE;
}

void CDialogDeviceSetting::LoadSettings()
{
    CUpdaterDlg* main = MainDialog();
    if (!main) return;
    workingCopy.CopyFrom(main->deviceSettings, 1);
    ResetBasicSettingsFrom(defaultsCopy, workingCopy);
    main->transferPercent = -1;
    main->currentSection = main->SettingSectionIndexOfPage(PageDeviceSetting);
    LayoutLegacyControls();
    RefreshTexts();
    if (settingsGrid.m_hWnd) settingsGrid.SetFocus();
}

int CDialogDeviceSetting::IsModified()
{
    const CUpdaterDlg* main = MainDialog();
    return main ? main->deviceSettings.Differs(workingCopy, 0) : 0;
}

void CDialogDeviceSetting::RevertToDeviceSettings()
{
    CUpdaterDlg* main = MainDialog();
    if (!main) return;
    workingCopy.CopyFrom(main->deviceSettings, 0);
    main->UpdateNavigation();
    LayoutLegacyControls();
    RefreshTexts();
}

// Not built yet: the legacy rows, the grid rows and the settings writer.
void CDialogDeviceSetting::ApplyBoldCaptions() {}
void CDialogDeviceSetting::RefreshTexts() {}
void CDialogDeviceSetting::LayoutLegacyControls() { FillSettingsList(); }
void CDialogDeviceSetting::FillSettingsList() {}
int CDialogDeviceSetting::WriteToHeadset() { return 0; }
bool CDialogDeviceSetting::IsCellPopupOpen() const { return settingsGrid.IsPopupOpen(); }
void CDialogDeviceSetting::EndCellEdit() { settingsGrid.EndCellEdit(); }
