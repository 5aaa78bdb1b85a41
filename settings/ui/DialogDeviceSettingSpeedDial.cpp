#include "settings/ui/DialogDeviceSettingSpeedDial.h"

#include "app/ui/PageHost.h"
#include "res/resource.h"
#include "settings/SpeedDialWrite.h"
#include "settings/SpeedDialRules.h"
#include "settingslist/LabelTables.h"

namespace {

constexpr int kCaptionIds[kSpeedDialCount] = {IDC_SPEED_DIAL_CAPTION1, IDC_SPEED_DIAL_CAPTION2,
                                              IDC_SPEED_DIAL_CAPTION3};
constexpr int kNumberIds[kSpeedDialCount] = {IDC_SPEED_DIAL_NUMBER1, IDC_SPEED_DIAL_NUMBER2, IDC_SPEED_DIAL_NUMBER3};

}  // namespace

BEGIN_MESSAGE_MAP(CDialogDeviceSettingSpeedDial, CSettingsPage)
ON_WM_SETCURSOR()
ON_BN_CLICKED(IDC_SPEED_DIAL_DEFAULT, OnBnClickedDefault)
ON_BN_CLICKED(IDC_SPEED_DIAL_CANCEL, OnBnClickedCancel)
ON_EN_CHANGE(IDC_SPEED_DIAL_NUMBER1, OnEnChangeNumber1)
ON_EN_CHANGE(IDC_SPEED_DIAL_NUMBER2, OnEnChangeNumber2)
ON_EN_CHANGE(IDC_SPEED_DIAL_NUMBER3, OnEnChangeNumber3)
END_MESSAGE_MAP()

CDialogDeviceSettingSpeedDial::CDialogDeviceSettingSpeedDial(CWnd* parent)
    : CSettingsPage(IDD_DEVICE_SETTING_SPEED_DIAL, PageSpeedDial, parent)
{
}

void CDialogDeviceSettingSpeedDial::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_SPEED_DIAL_DEFAULT, defaultButton);
    DDX_Control(dx, IDC_SPEED_DIAL_CANCEL, cancelButton);
    for (int i = 0; i < kSpeedDialCount; ++i) {
        DDX_Control(dx, kCaptionIds[i], captions[i]);
        DDX_Control(dx, kNumberIds[i], numberEdits[i]);
    }
}

BOOL CDialogDeviceSettingSpeedDial::OnInitDialog()
{
    CSettingsPage::OnInitDialog();
    if (m_boldFont.CreateBoldOf(GetFontHandle())) {
        defaultButton.SetFont(m_boldFont);
        cancelButton.SetFont(m_boldFont);
        for (int i = 0; i < kSpeedDialCount; ++i) {
            captions[i].SetFont(m_boldFont);
            numberEdits[i].SetFont(m_boldFont);
        }
    }
    return TRUE;
}

void CDialogDeviceSettingSpeedDial::ResetToDefaults() { ResetSpeedDialSettingsFrom(defaultsCopy, workingCopy); }

void CDialogDeviceSettingSpeedDial::FillControls()
{
    for (int i = 0; i < kSpeedDialCount; ++i) numberEdits[i].SetWindowText(workingCopy.SpeedDialNumbers[i]);
}

void CDialogDeviceSettingSpeedDial::RefreshTexts()
{
    const CPageHost* main = MainDialog();
    if (!main) return;
    const LanguageIndex language = main->language;
    defaultButton.SetWindowText(TextDefault(language));
    cancelButton.SetWindowText(TextCancel(language));
    for (int i = 0; i < kSpeedDialCount; ++i) {
        captions[i].SetWindowText(CString::Formatted(L"%s %d", GetLabelText(SpeedDialLabels, language), i + 1));
        numberEdits[i].EnableWindow(!main->Refuses());
    }
}

int CDialogDeviceSettingSpeedDial::IsModified()
{
    const CPageHost* main = MainDialog();
    if (!main) return 0;
    for (int i = 0; i < kSpeedDialCount; ++i) {
        if (workingCopy.SpeedDialNumbers[i] != main->deviceSettings.SpeedDialNumbers[i]) return 1;
    }
    return 0;
}

int CDialogDeviceSettingSpeedDial::WriteToHeadset()
{
    SpeedDialWriteBody body(workingCopy);
    return WriteWithBody(body);
}

void CDialogDeviceSettingSpeedDial::OnBnClickedDefault()
{
    CPageHost* main = MainDialog();
    if (!main || main->Refuses()) return;
    workingCopy.CopyFrom(defaultsCopy, 0);
    main->UpdateNavigation();
    FillControls();
    RefreshTexts();
}

void CDialogDeviceSettingSpeedDial::OnBnClickedCancel() { RevertToDeviceSettings(); }

void CDialogDeviceSettingSpeedDial::OnEnChangeNumber(int index)
{
    CPageHost* main = MainDialog();
    // Notifications while the template is being created come before the page has its controls.
    if (!main || index < 0 || index >= kSpeedDialCount || !numberEdits[index].m_hWnd) return;
    CEdit& edit = numberEdits[index];
    CString& number = workingCopy.SpeedDialNumbers[index];
    number = edit.GetWindowText();
    int start = 0;
    int end = 0;
    edit.GetSel(start, end);
    const SpeedDialEdit rule = ApplySpeedDialEditRule(edit.GetWindowText(), start, end);
    if (rule.refill) {
        number = rule.number;
        // Refilling raises this notification again for the refilled text.
        FillControls();
        RefreshTexts();
        edit.SetSel(rule.selStart, rule.selEnd);
    }
    main->UpdateNavigation();
    edit.Invalidate(TRUE);
}
