#include "settings/DialogDeviceSetting.h"

#include "app/PageHost.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CDialogDeviceSetting, CSettingsPage)
    ON_WM_SETCURSOR()
    ON_DEVICE_SETTING_HELP_BUTTONS()
END_MESSAGE_MAP()

CDialogDeviceSetting::CDialogDeviceSetting(CWnd* parent) : CSettingsPage(IDD_DEVICE_SETTING, PageDeviceSetting, parent) {}

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

void CDialogDeviceSetting::ResetToDefaults() { ResetBasicSettingsFrom(defaultsCopy, workingCopy); }

void CDialogDeviceSetting::FillControls()
{
    LayoutLegacyControls();
    if (settingsGrid.m_hWnd) settingsGrid.SetFocus();
}

int CDialogDeviceSetting::IsModified()
{
    const CPageHost* main = MainDialog();
    return main ? main->deviceSettings.Differs(workingCopy, 0) : 0;
}

void CDialogDeviceSetting::RevertToDeviceSettings()
{
    CPageHost* main = MainDialog();
    if (!main) return;
    workingCopy.CopyFrom(main->deviceSettings, 0);
    main->UpdateNavigation();
    LayoutLegacyControls();
    RefreshTexts();
}

void CDialogDeviceSetting::SetListColumnWidths()
{
    const CPageHost* main = MainDialog();
    // The Russian values of the 0x5510 rows need a wider value column.
    const bool wideValues = main && main->deviceSettings.ProductId == 0x5510 && main->language == LanguageRussian;
    settingsGrid.SetColumnWidth(0, 30);
    settingsGrid.SetColumnWidth(1, wideValues ? 280 : 310);
    settingsGrid.SetColumnWidth(2, wideValues ? 200 : 170);
}

// Not built yet: the legacy rows, the grid rows and the settings writer.
void CDialogDeviceSetting::ApplyBoldCaptions() {}
void CDialogDeviceSetting::RefreshTexts() {}
void CDialogDeviceSetting::LayoutLegacyControls() { FillSettingsList(); }
void CDialogDeviceSetting::FillSettingsList() {}
int CDialogDeviceSetting::WriteToHeadset() { return 0; }
bool CDialogDeviceSetting::IsCellPopupOpen() const { return settingsGrid.IsPopupOpen(); }
void CDialogDeviceSetting::EndCellEdit() { settingsGrid.EndCellEdit(); }
