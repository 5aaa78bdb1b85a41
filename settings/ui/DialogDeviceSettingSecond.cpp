#include "settings/ui/DialogDeviceSettingSecond.h"

#include <iterator>

#include "app/ui/DialogMessageBox.h"
#include "app/ui/PageHost.h"
#include "res/resource.h"
#include "settings/FmWrite.h"
#include "settings/FmRules.h"
#include "settings/FmTexts.h"
#include "settingslist/LabelTables.h"

namespace {

// The controls of the ten rows: check box, preset edit, buddy edit, spin, "MHz".
struct RowIds {
    int check;
    int preset;
    int buddy;
    int spin;
    int mhz;
};

constexpr RowIds kRowIds[kFmPresetCount] = {
    {IDC_FM_CHECK1, IDC_FM_PRESET1, IDC_FM_BUDDY1, IDC_FM_SPIN1, IDC_FM_MHZ1},
    {IDC_FM_CHECK2, IDC_FM_PRESET2, IDC_FM_BUDDY2, IDC_FM_SPIN2, IDC_FM_MHZ2},
    {IDC_FM_CHECK3, IDC_FM_PRESET3, IDC_FM_BUDDY3, IDC_FM_SPIN3, IDC_FM_MHZ3},
    {IDC_FM_CHECK4, IDC_FM_PRESET4, IDC_FM_BUDDY4, IDC_FM_SPIN4, IDC_FM_MHZ4},
    {IDC_FM_CHECK5, IDC_FM_PRESET5, IDC_FM_BUDDY5, IDC_FM_SPIN5, IDC_FM_MHZ5},
    {IDC_FM_CHECK6, IDC_FM_PRESET6, IDC_FM_BUDDY6, IDC_FM_SPIN6, IDC_FM_MHZ6},
    {IDC_FM_CHECK7, IDC_FM_PRESET7, IDC_FM_BUDDY7, IDC_FM_SPIN7, IDC_FM_MHZ7},
    {IDC_FM_CHECK8, IDC_FM_PRESET8, IDC_FM_BUDDY8, IDC_FM_SPIN8, IDC_FM_MHZ8},
    {IDC_FM_CHECK9, IDC_FM_PRESET9, IDC_FM_BUDDY9, IDC_FM_SPIN9, IDC_FM_MHZ9},
    {IDC_FM_CHECK10, IDC_FM_PRESET10, IDC_FM_BUDDY10, IDC_FM_SPIN10, IDC_FM_MHZ10},
};

// A click moves a spin by 0.1 MHz; held for a second by 0.1 MHz a step, for
// two seconds by 1 MHz.
constexpr UDACCEL kSpinAcceleration[] = {{1, 10}, {2, 100}};

const CSize kPresetWarningSize(415, 130);
const CSize kRdsHelpSize(540, 195);

}  // namespace

// One row's notifications, each to its row operation.
#define ON_PRESET_ROW_CONTROL(code, id, fn, row) \
    {WM_COMMAND, code, static_cast<UINT>(id), static_cast<UINT>(id), MSG_THUNK(self->fn(row); return 0;)},
#define ON_PRESET_ROW(row, n)                                                  \
    ON_PRESET_ROW_CONTROL(BN_CLICKED, IDC_FM_CHECK##n, OnPresetCheck, row)      \
    ON_PRESET_ROW_CONTROL(EN_CHANGE, IDC_FM_BUDDY##n, OnPresetSpin, row)        \
    ON_PRESET_ROW_CONTROL(EN_SETFOCUS, IDC_FM_PRESET##n, OnPresetEditSetFocus, row) \
    ON_PRESET_ROW_CONTROL(EN_CHANGE, IDC_FM_PRESET##n, OnPresetEditChange, row) \
    ON_PRESET_ROW_CONTROL(EN_KILLFOCUS, IDC_FM_PRESET##n, OnPresetKillFocus, row)

BEGIN_MESSAGE_MAP(CDialogDeviceSettingSecond, CSettingsPage)
ON_WM_SETCURSOR()
ON_BN_CLICKED(IDC_FM_DEFAULT, OnBnClickedDefault)
ON_BN_CLICKED(IDC_FM_CANCEL, OnBnClickedCancel)
ON_BN_CLICKED(IDC_FM_RDS_ENABLE, OnBnClickedRdsOn)
ON_BN_CLICKED(IDC_FM_RDS_DISABLE, OnBnClickedRdsOff)
ON_BN_CLICKED(IDC_FM_RDS_HELP, OnBnClickedRdsHelp)
ON_CBN_SELCHANGE(IDC_FM_REGION, OnCbnSelchangeRegion)
ON_PRESET_ROW(0, 1)
ON_PRESET_ROW(1, 2)
ON_PRESET_ROW(2, 3)
ON_PRESET_ROW(3, 4)
ON_PRESET_ROW(4, 5)
ON_PRESET_ROW(5, 6)
ON_PRESET_ROW(6, 7)
ON_PRESET_ROW(7, 8)
ON_PRESET_ROW(8, 9)
ON_PRESET_ROW(9, 10)
END_MESSAGE_MAP()

#undef ON_PRESET_ROW
#undef ON_PRESET_ROW_CONTROL

CDialogDeviceSettingSecond::CDialogDeviceSettingSecond(CWnd* parent)
    : CSettingsPage(IDD_DEVICE_SETTING_SECOND, PageDeviceSettingSecond, parent)
{
}

void CDialogDeviceSettingSecond::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_FM_DEFAULT, defaultButton);
    DDX_Control(dx, IDC_FM_CANCEL, cancelButton);
    DDX_Control(dx, IDC_FM_REGION_CAPTION, regionCaption);
    DDX_Control(dx, IDC_FM_REGION, regionCombo);
    DDX_Control(dx, IDC_FM_PRESETS_CAPTION, presetsCaption);
    for (int i = 0; i < kFmPresetCount; ++i) {
        DDX_Control(dx, kRowIds[i].check, rows[i].check);
        DDX_Control(dx, kRowIds[i].preset, rows[i].preset);
        DDX_Control(dx, kRowIds[i].buddy, rows[i].buddy);
        DDX_Control(dx, kRowIds[i].spin, rows[i].spin);
        DDX_Control(dx, kRowIds[i].mhz, rows[i].mhz);
    }
    DDX_Control(dx, IDC_FM_RDS_CAPTION, rdsCaption);
    DDX_Control(dx, IDC_FM_RDS_HELP, rdsHelpButton);
    DDX_Control(dx, IDC_FM_RDS_ENABLE, rdsEnable);
    DDX_Control(dx, IDC_FM_RDS_DISABLE, rdsDisable);
}

BOOL CDialogDeviceSettingSecond::OnInitDialog()
{
    CSettingsPage::OnInitDialog();
    if (m_boldFont.CreateBoldOf(GetFontHandle())) {
        CWnd* bold[] = {&defaultButton, &cancelButton, &regionCaption, &regionCombo, &presetsCaption,
                        &rdsCaption,    &rdsEnable,    &rdsDisable};
        for (CWnd* control : bold) control->SetFont(m_boldFont);
        for (PresetRow& row : rows) {
            row.check.SetFont(m_boldFont);
            row.preset.SetFont(m_boldFont);
            row.buddy.SetFont(m_boldFont);
            row.mhz.SetFont(m_boldFont);
        }
    }
    rdsHelpButton.LoadBitmaps(IDB_HELP_MARK);
    rdsHelpButton.SizeToContent();
    for (PresetRow& row : rows)
        row.spin.SendMessage(UDM_SETACCEL, std::size(kSpinAcceleration),
                             reinterpret_cast<LPARAM>(kSpinAcceleration));
    return TRUE;
}

LanguageIndex CDialogDeviceSettingSecond::Language() const
{
    const CPageHost* main = MainDialog();
    return main ? main->language : LanguageEnglish;
}

void CDialogDeviceSettingSecond::ResetToDefaults() { ResetFmRadioSettingsFrom(defaultsCopy, workingCopy); }

int CDialogDeviceSettingSecond::IsModified()
{
    const CPageHost* main = MainDialog();
    return main ? main->deviceSettings.Differs(workingCopy, 1) : 0;
}

int CDialogDeviceSettingSecond::WriteToHeadset()
{
    FmWriteBody body(workingCopy);
    return WriteWithBody(body);
}

// ---------------------------------------------------------------------------
// Filling and labelling

void CDialogDeviceSettingSecond::FillControls()
{
    CPageHost* main = MainDialog();
    if (!main) return;
    if (!IsFmProduct(main->targetProductId)) {
        main->GoToDeviceSetting(1);
        return;
    }
    // A region the table does not know is shown, and kept, as Worldwide.
    workingCopy.FmRegion = Region();
    regionCombo.SetCurSel(Region());
    const FmRegionRange& band = FmRegionTable[Region()];
    for (int i = 0; i < kFmPresetCount; ++i) {
        rows[i].spin.SetRange32(band.Minimum - 1, band.Maximum + 1);
        const bool kept = ValidateFmFrequency(Region(), workingCopy.FmPresets[i]) == 0;
        if (!kept) workingCopy.FmPresets[i] = 0;
        rows[i].check.SetCheck(kept ? BST_CHECKED : BST_UNCHECKED);
        SetSpinPosition(i, kept ? workingCopy.FmPresets[i] : 0);
        // The spin's notification shows the preset only while the page takes
        // input; a revert while busy must show it too.
        ShowPreset(i);
    }
    rdsEnable.SetCheck(workingCopy.FmRds ? BST_CHECKED : BST_UNCHECKED);
    rdsDisable.SetCheck(workingCopy.FmRds ? BST_UNCHECKED : BST_CHECKED);
}

void CDialogDeviceSettingSecond::RefreshTexts()
{
    const CPageHost* main = MainDialog();
    if (!main) return;
    const LanguageIndex language = main->language;
    SetRedraw(FALSE);

    regionCombo.ResetContent();
    for (int region = 0; region < kFmRegionCount; ++region)
        regionCombo.AddString(GetLabelText(FmRegionLabels, language, region));
    regionCombo.SetCurSel(Region());

    defaultButton.SetWindowText(TextDefault(language));
    cancelButton.SetWindowText(TextCancel(language));
    regionCaption.SetWindowText(GetLabelText(RegionLabels, language));
    presetsCaption.SetWindowText(GetLabelText(FmRadioPresetsLabels, language));
    rdsCaption.SetWindowText(GetLabelText(RdsAfLabels, language));
    rdsEnable.SetWindowText(TextEnable(language));
    rdsDisable.SetWindowText(TextDisable(language));
    for (int i = 0; i < kFmPresetCount; ++i) {
        if (workingCopy.FmPresets[i] == 0) rows[i].preset.SetWindowText(GetLabelText(EmptyLabels, language));
    }

    const bool takesInput = !main->Refuses();
    regionCombo.EnableWindow(takesInput);
    for (PresetRow& row : rows) {
        const bool rowSet = takesInput && row.check.GetCheck() == BST_CHECKED;
        row.check.EnableWindow(takesInput);
        row.preset.EnableWindow(rowSet);
        row.buddy.EnableWindow(rowSet);
        row.spin.EnableWindow(rowSet);
    }
    rdsEnable.EnableWindow(takesInput);
    rdsDisable.EnableWindow(takesInput);
    rdsHelpButton.EnableWindow(takesInput);

    SetRedraw(TRUE);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CDialogDeviceSettingSecond::ShowPreset(int row)
{
    const int preset = workingCopy.FmPresets[row];
    rows[row].preset.SetWindowText(preset != 0 ? PresetText(preset) : CString(GetLabelText(EmptyLabels, Language())));
}

void CDialogDeviceSettingSecond::SetSpinPosition(int row, int position)
{
    rows[row].spin.SetPos32(position);
    rows[row].buddy.SetWindowText(CString::Formatted(L"%d", rows[row].spin.GetPos32()));
}

// ---------------------------------------------------------------------------
// Buttons and the region

void CDialogDeviceSettingSecond::OnBnClickedDefault()
{
    CPageHost* main = MainDialog();
    if (!main) return;
    workingCopy.CopyFrom(defaultsCopy, 0);
    main->UpdateNavigation();
    FillControls();
    RefreshTexts();
}

void CDialogDeviceSettingSecond::OnBnClickedCancel() { RevertToDeviceSettings(); }

void CDialogDeviceSettingSecond::OnBnClickedRdsOn() { SetRds(true); }
void CDialogDeviceSettingSecond::OnBnClickedRdsOff() { SetRds(false); }

void CDialogDeviceSettingSecond::SetRds(bool on)
{
    CPageHost* main = MainDialog();
    if (!main) return;
    workingCopy.FmRds = on ? 1 : 0;
    rdsEnable.SetCheck(on ? BST_CHECKED : BST_UNCHECKED);
    rdsDisable.SetCheck(on ? BST_UNCHECKED : BST_CHECKED);
    main->UpdateNavigation();
}

void CDialogDeviceSettingSecond::OnBnClickedRdsHelp()
{
    CPageHost* main = MainDialog();
    if (!main) return;
    CDialogMessageBox box(main->HostWindow());
    box.Setup(GetHelpRdsAf(main->language), 0, nullptr, TextOk(main->language), kRdsHelpSize);
    box.DoModal();
}

void CDialogDeviceSettingSecond::OnCbnSelchangeRegion()
{
    CPageHost* main = MainDialog();
    if (!main) return;
    const int region = regionCombo.GetCurSel();
    if (region < 0 || region >= kFmRegionCount) return;
    workingCopy.FmRegion = region;
    for (int& preset : workingCopy.FmPresets) {
        if (ValidateFmFrequency(region, preset) != 0) preset = 0;
    }
    main->UpdateNavigation();
    FillControls();
    RefreshTexts();
}

// ---------------------------------------------------------------------------
// The rows

void CDialogDeviceSettingSecond::OnPresetCheck(int row)
{
    if (row < 0 || row >= kFmPresetCount || MainRefuses() || !MainDialog()) return;
    PresetRow& r = rows[row];
    const bool checked = r.check.GetCheck() == BST_CHECKED;
    if (checked) {
        bool rowChecked[kFmPresetCount] = {};
        for (int i = 0; i < kFmPresetCount; ++i) rowChecked[i] = rows[i].check.GetCheck() == BST_CHECKED;
        r.spin.SetPos32(NeighbourPreset(row, workingCopy.FmPresets, rowChecked, Region()));
    } else {
        r.spin.SetPos32(FmRegionTable[Region()].Minimum);
        workingCopy.FmPresets[row] = 0;
    }
    r.preset.EnableWindow(checked);
    r.buddy.EnableWindow(checked);
    r.spin.EnableWindow(checked);
    // The buddy's notification stores the preset (0 when cleared) and shows it.
    r.buddy.SetWindowText(CString::Formatted(L"%d", r.spin.GetPos32()));
}

void CDialogDeviceSettingSecond::OnPresetSpin(int row)
{
    CPageHost* main = MainDialog();
    if (row < 0 || row >= kFmPresetCount || !main || main->Refuses() || main->currentPage != PageDeviceSettingSecond)
        return;
    PresetRow& r = rows[row];
    int& preset = workingCopy.FmPresets[row];
    if (r.check.GetCheck() != BST_CHECKED) {
        preset = 0;
    } else {
        const int position = r.spin.GetPos32();
        const int p = SpinPreset(Region(), position, preset);
        // The new position runs this again, and then finds it on the grid.
        if (p != position) SetSpinPosition(row, p);
        preset = p;
    }
    ShowPreset(row);
    main->UpdateNavigation();
}

void CDialogDeviceSettingSecond::OnPresetKillFocus(int row)
{
    CPageHost* main = MainDialog();
    // The focus also leaves when the page is left or closed: nothing to check then.
    if (row < 0 || row >= kFmPresetCount || !main || main->currentPage != PageDeviceSettingSecond) return;
    PresetRow& r = rows[row];
    const int typed = PresetFromText(r.preset.GetWindowText().str());
    const int verdict = ValidateFmFrequency(Region(), typed);
    if (verdict == 0) {
        // The buddy's notification takes it from the spin, stores and shows it.
        r.buddy.SetWindowText(CString::Formatted(L"%d", typed));
        return;
    }
    const LanguageIndex language = main->language;
    CDialogMessageBox box(main->HostWindow());
    box.Setup(verdict == 1 ? GetFmPresetRangeErrorText(language, Region()) : GetFmPresetInvalidText(language), 1,
              nullptr, TextOk(language), kPresetWarningSize);
    box.DoModal();
    // The spin still holds the preset: show it again and let the user retry.
    OnPresetSpin(row);
    r.preset.SetFocus();
}

void CDialogDeviceSettingSecond::OnPresetEditSetFocus(int row)
{
    if (row < 0 || row >= kFmPresetCount) return;
    rows[row].preset.SetSel(0, -1);
}

void CDialogDeviceSettingSecond::OnPresetEditChange(int row)
{
    // The page is transparent: the old text must be wiped.
    if (row >= 0 && row < kFmPresetCount) rows[row].preset.Invalidate(TRUE);
}
