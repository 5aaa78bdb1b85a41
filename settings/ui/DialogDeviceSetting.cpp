#include "settings/ui/DialogDeviceSetting.h"

#include <algorithm>
#include <array>

#include "app/ui/PageHost.h"
#include "res/resource.h"
#include "settings/BasicSettingsBody.h"
#include "settings/HidSettingsProducts.h"
#include "settingslist/LabelTables.h"

namespace {

// The controls of each legacy row, in LegacyRow order: the caption (for a note
// the note itself), the "?" button (for the restart note its "..." button),
// and the value controls (Enable radio first; a list; the number, its up-down
// control and its unit).
struct RowControls {
    int caption;
    int button;
    std::array<int, 3> values;
    const LabelTable* label;
};

const RowControls kRowControls[kLegacyRowCount] = {
    {IDC_VOX_PHONE_CAPTION, 0, {IDC_VOX_PHONE_ENABLE, IDC_VOX_PHONE_DISABLE}, &VoxPhoneLabels},
    {IDC_VOX_INTERCOM_CAPTION, 0, {IDC_VOX_INTERCOM_ENABLE, IDC_VOX_INTERCOM_DISABLE}, &VoxIntercomLabels},
    {IDC_EDR_CAPTION, IDC_EDR_HELP, {IDC_EDR_ENABLE, IDC_EDR_DISABLE}, &EdrLabels},
    {IDC_ONBOARD_AUDIO_NOTE, 0, {}, nullptr},
    {IDC_PLC_CAPTION, IDC_PLC_HELP, {IDC_PLC_ENABLE, IDC_PLC_DISABLE}, &PlcLabels},
    {IDC_A2DP_CAPTION, IDC_A2DP_HELP, {IDC_A2DP_ENABLE, IDC_A2DP_DISABLE}, &HighQualityA2dpLabels},
    {IDC_MIC_BOOST_CAPTION,
     IDC_MIC_BOOST_HELP,
     {IDC_MIC_BOOST_ENABLE, IDC_MIC_BOOST_DISABLE},
     &MicrophoneBoostingLabels},
    {IDC_SIDETONE_CAPTION, IDC_SIDETONE_HELP, {IDC_SIDETONE_ENABLE, IDC_SIDETONE_DISABLE}, &SidetoneLabels},
    {IDC_CALMWEAVE_CAPTION, IDC_CALMWEAVE_HELP, {IDC_CALMWEAVE_ENABLE, IDC_CALMWEAVE_DISABLE}, &CalmweaveLabels},
    {IDC_AGC_CAPTION, IDC_AGC_HELP, {IDC_AGC_ENABLE, IDC_AGC_DISABLE}, &AutoGainControlLabels},
    {IDC_GAIN_CAPTION, IDC_GAIN_HELP, {IDC_GAIN_LOW, IDC_GAIN_MEDIUM, IDC_GAIN_HIGH}, &RadioTransmitGainLabels},
    {IDC_TIMEOUT_CAPTION,
     IDC_TIMEOUT_HELP,
     {IDC_TIMEOUT_EDIT, IDC_TIMEOUT_SPIN, IDC_TIMEOUT_UNIT},
     &AudioChannelTimeoutLabels},
    {IDC_AUDIO_BOOST_CAPTION,
     IDC_AUDIO_BOOST_HELP,
     {IDC_AUDIO_BOOST_ENABLE, IDC_AUDIO_BOOST_DISABLE},
     &AudioBoostLabels},
    {IDC_MOTION_SENSOR_CAPTION, IDC_MOTION_SENSOR_HELP, {IDC_MOTION_SENSOR_LIST}, &MotionSensorSensitivityLabels},
    {IDC_BLENDCAST_CAPTION, IDC_BLENDCAST_HELP, {IDC_BLENDCAST_ENABLE, IDC_BLENDCAST_DISABLE}, &BlendcastLabels},
    {IDC_OVERLAY_CAPTION, IDC_OVERLAY_HELP, {IDC_OVERLAY_LIST}, &IntercomOverlaySensitivityLabels},
    {IDC_NAV_APP_CAPTION, IDC_NAV_APP_HELP, {IDC_NAV_APP_ENABLE, IDC_NAV_APP_DISABLE}, &NavigationAppSupportLabels},
    {IDC_RESTART_NOTE, IDC_NOTE_MORE, {}, nullptr},
};

const RowControls& ControlsOf(LegacyRow row) { return kRowControls[static_cast<int>(row)]; }

// Every control of a row, the unused slots 0.
std::array<int, 5> AllControlsOf(LegacyRow row)
{
    const RowControls& c = ControlsOf(row);
    return {c.caption, c.button, c.values[0], c.values[1], c.values[2]};
}

// The controls that take input (and are enabled and disabled): all but the
// captions, the notes and the unit text.
bool TakesInput(int id)
{
    return id != 0 && id != IDC_ONBOARD_AUDIO_NOTE && id != IDC_RESTART_NOTE && id != IDC_TIMEOUT_UNIT &&
           std::none_of(std::begin(kRowControls), std::end(kRowControls),
                        [id](const RowControls& c) { return c.caption == id; });
}

// The "..." button beside the restart note shows in these languages only.
bool ShowsNoteButton(LanguageIndex language)
{
    return language == LanguageFrench || language == LanguageDutch || language == LanguageRussian;
}

// The items of the overlay-sensitivity list, value 10 first.
constexpr const wchar_t* kOverlaySensitivityItems[] = {L" 1", L" 2", L" 3", L" 4", L" 5",
                                                       L" 6", L" 7", L" 8", L" 9", L"10"};

constexpr COLORREF kNoteColour = RGB(255, 112, 0);
constexpr int kTimeoutMinimum = 3;
constexpr int kTimeoutMaximum = 60;
// The template's font size of the Japanese onboard-audio note, one unit apart.
constexpr int kJapaneseNoteHeightStep = 1;

}  // namespace

const int CDialogDeviceSetting::kHelpButtonIds[kHelpButtonCount] = {
    IDC_EDR_HELP,           IDC_PLC_HELP,       IDC_A2DP_HELP,    IDC_MIC_BOOST_HELP, IDC_SIDETONE_HELP,
    IDC_CALMWEAVE_HELP,     IDC_AGC_HELP,       IDC_GAIN_HELP,    IDC_TIMEOUT_HELP,   IDC_AUDIO_BOOST_HELP,
    IDC_MOTION_SENSOR_HELP, IDC_BLENDCAST_HELP, IDC_OVERLAY_HELP, IDC_NAV_APP_HELP,
};

BEGIN_MESSAGE_MAP(CDialogDeviceSetting, CSettingsPage)
    ON_WM_SETCURSOR()
    ON_DEVICE_SETTING_HELP_BUTTONS()
    ON_WM_CTLCOLOR()
    ON_BN_CLICKED(IDC_SETTING_DEFAULT, OnBnClickedDefault)
    ON_BN_CLICKED(IDC_SETTING_CANCEL, OnBnClickedCancel)
    ON_BN_CLICKED(IDC_VOX_PHONE_ENABLE, OnBnClickedVoxPhoneEnable)
    ON_BN_CLICKED(IDC_VOX_PHONE_DISABLE, OnBnClickedVoxPhoneDisable)
    ON_BN_CLICKED(IDC_VOX_INTERCOM_ENABLE, OnBnClickedVoxIntercomEnable)
    ON_BN_CLICKED(IDC_VOX_INTERCOM_DISABLE, OnBnClickedVoxIntercomDisable)
    ON_BN_CLICKED(IDC_EDR_ENABLE, OnBnClickedEdrEnable)
    ON_BN_CLICKED(IDC_EDR_DISABLE, OnBnClickedEdrDisable)
    ON_BN_CLICKED(IDC_PLC_ENABLE, OnBnClickedPlcEnable)
    ON_BN_CLICKED(IDC_PLC_DISABLE, OnBnClickedPlcDisable)
    ON_BN_CLICKED(IDC_A2DP_ENABLE, OnBnClickedHighQualityA2dpEnable)
    ON_BN_CLICKED(IDC_A2DP_DISABLE, OnBnClickedHighQualityA2dpDisable)
    ON_BN_CLICKED(IDC_MIC_BOOST_ENABLE, OnBnClickedMicBoostEnable)
    ON_BN_CLICKED(IDC_MIC_BOOST_DISABLE, OnBnClickedMicBoostDisable)
    ON_BN_CLICKED(IDC_SIDETONE_ENABLE, OnBnClickedSidetoneEnable)
    ON_BN_CLICKED(IDC_SIDETONE_DISABLE, OnBnClickedSidetoneDisable)
    ON_BN_CLICKED(IDC_CALMWEAVE_ENABLE, OnBnClickedCalmweaveEnable)
    ON_BN_CLICKED(IDC_CALMWEAVE_DISABLE, OnBnClickedCalmweaveDisable)
    ON_BN_CLICKED(IDC_AGC_ENABLE, OnBnClickedAgcEnable)
    ON_BN_CLICKED(IDC_AGC_DISABLE, OnBnClickedAgcDisable)
    ON_BN_CLICKED(IDC_AUDIO_BOOST_ENABLE, OnBnClickedAudioBoostEnable)
    ON_BN_CLICKED(IDC_AUDIO_BOOST_DISABLE, OnBnClickedAudioBoostDisable)
    ON_BN_CLICKED(IDC_BLENDCAST_ENABLE, OnBnClickedBlendcastEnable)
    ON_BN_CLICKED(IDC_BLENDCAST_DISABLE, OnBnClickedBlendcastDisable)
    ON_BN_CLICKED(IDC_NAV_APP_ENABLE, OnBnClickedNavAppSupportEnable)
    ON_BN_CLICKED(IDC_NAV_APP_DISABLE, OnBnClickedNavAppSupportDisable)
    ON_BN_CLICKED(IDC_GAIN_LOW, OnBnClickedGainLow)
    ON_BN_CLICKED(IDC_GAIN_MEDIUM, OnBnClickedGainMedium)
    ON_BN_CLICKED(IDC_GAIN_HIGH, OnBnClickedGainHigh)
    ON_CBN_SELCHANGE(IDC_MOTION_SENSOR_LIST, OnCbnSelchangeMotionSensor)
    ON_CBN_SELCHANGE(IDC_OVERLAY_LIST, OnCbnSelchangeOverlaySensitivity)
    ON_EN_CHANGE(IDC_TIMEOUT_EDIT, OnEnChangeAudioChannelTimeout)
    ON_BN_CLICKED(IDC_MORE_SETTINGS, OnBnClickedMoreSettings)
END_MESSAGE_MAP()

CDialogDeviceSetting::CDialogDeviceSetting(CWnd* parent) : CSettingsPage(IDD_DEVICE_SETTING, PageDeviceSetting, parent)
{
}

void CDialogDeviceSetting::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_SETTINGS_GRID, settingsGrid);
    DDX_Control(dx, IDC_SETTING_DEFAULT, defaultButton);
    DDX_Control(dx, IDC_SETTING_CANCEL, cancelButton);
    DDX_Control(dx, IDC_NOTE_MORE, noteButton);
    DDX_Control(dx, IDC_MORE_SETTINGS, moreSettingsButton);
    DDX_Control(dx, IDC_MOTION_SENSOR_LIST, motionSensorList);
    DDX_Control(dx, IDC_OVERLAY_LIST, overlaySensitivityList);
    DDX_Control(dx, IDC_TIMEOUT_EDIT, timeoutEdit);
    DDX_Control(dx, IDC_TIMEOUT_SPIN, timeoutSpin);
    for (int i = 0; i < kHelpButtonCount; ++i) DDX_Control(dx, kHelpButtonIds[i], helpButtons[i]);
}

BOOL CDialogDeviceSetting::OnInitDialog()
{
    CSettingsPage::OnInitDialog();
    ApplyBoldCaptions();
    settingsGrid.SetHost(this);
    settingsGrid.InsertColumn(0, L"", LVCFMT_CENTER);
    settingsGrid.InsertColumn(1, L"", LVCFMT_LEFT);
    settingsGrid.InsertColumn(2, L"", LVCFMT_CENTER);
    for (CBitmapButton& button : helpButtons) {
        button.LoadBitmaps(IDB_HELP_MARK);
        button.SizeToContent();
    }
    timeoutSpin.SetRange32(kTimeoutMinimum, kTimeoutMaximum);
    for (const wchar_t* item : kOverlaySensitivityItems) overlaySensitivityList.AddString(item);
    return TRUE;
}

const DeviceSettings& CDialogDeviceSetting::DeviceRecord() const
{
    static const DeviceSettings none;
    const CPageHost* main = MainDialog();
    return main ? main->deviceSettings : none;
}

void CDialogDeviceSetting::ResetToDefaults() { BuildBasicDefaults(defaultsCopy, workingCopy); }

CWnd* CDialogDeviceSetting::EntryControl()
{
    // The grid of the list layout; the legacy rows have no one control to start at.
    return settingsGrid.m_hWnd && settingsGrid.IsWindowVisible() ? &settingsGrid : nullptr;
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

int CDialogDeviceSetting::WriteToHeadset()
{
    CPageHost* main = MainDialog();
    if (!main) return 0;
    BasicSettingsWriteBody body(workingCopy, main->deviceSettings);
    return WriteWithBody(body);
}

// ---------------------------------------------------------------------------
// Fonts, texts and the layout

void CDialogDeviceSetting::OnLanguageChanged()
{
    ApplyBoldCaptions();
    RefreshTexts();
    LayoutLegacyControls();
}

void CDialogDeviceSetting::ApplyBoldCaptions()
{
    const CPageHost* main = MainDialog();
    if (!m_boldFont.GetSafeHandle() && !m_boldFont.CreateBoldOf(GetFontHandle())) return;
    const bool japanese = main && main->language == LanguageJapanese;
    if (japanese && !m_japaneseNoteFont.GetSafeHandle()) {
        LOGFONTW logFont{};
        m_boldFont.GetLogFont(&logFont);
        logFont.lfHeight -= kJapaneseNoteHeightStep;
        m_japaneseNoteFont.CreateFontIndirect(&logFont);
    }

    const HFONT bold = m_boldFont;
    settingsGrid.SetFont(bold);
    defaultButton.SetFont(bold);
    cancelButton.SetFont(bold);
    noteButton.SetFont(bold);
    for (int r = 0; r < kLegacyRowCount; ++r) {
        for (int id : AllControlsOf(static_cast<LegacyRow>(r))) {
            // Not the "?" buttons (bitmaps) nor the up-down control.
            const bool helpButton =
                std::find(std::begin(kHelpButtonIds), std::end(kHelpButtonIds), id) != std::end(kHelpButtonIds);
            if (id == 0 || helpButton || id == IDC_TIMEOUT_SPIN) continue;
            if (CWnd* control = GetDlgItem(id)) control->SetFont(bold);
        }
    }
    if (japanese && m_japaneseNoteFont.GetSafeHandle())
        if (CWnd* note = GetDlgItem(IDC_ONBOARD_AUDIO_NOTE)) note->SetFont(static_cast<HFONT>(m_japaneseNoteFont));
}

void CDialogDeviceSetting::RefreshTexts()
{
    const CPageHost* main = MainDialog();
    if (!main) return;
    const LanguageIndex language = main->language;
    const int column = TextColumn(language);
    SetRedraw(FALSE);
    ApplyBoldCaptions();

    defaultButton.SetWindowText(TextDefault(language));
    cancelButton.SetWindowText(TextCancel(language));
    moreSettingsButton.SetWindowText(TextMoreSettings(language));
    const CString enable = TextEnable(language);
    const CString disable = TextDisable(language);
    for (int r = 0; r < kLegacyRowCount; ++r) {
        const LegacyRow row = static_cast<LegacyRow>(r);
        const RowControls& c = ControlsOf(row);
        if (c.label) SetDlgItemText(c.caption, (*c.label)[static_cast<size_t>(column)]);
        if (KindOf(row) == LegacyRowKind::Switch) {
            SetDlgItemText(c.values[0], enable);
            SetDlgItemText(c.values[1], disable);
        }
    }
    for (int i = 0; i < 3; ++i)
        SetDlgItemText(ControlsOf(LegacyRow::RadioTransmitGain).values[static_cast<size_t>(i)],
                       LowMediumHighLabels[static_cast<size_t>(column)][static_cast<size_t>(i)]);
    SetDlgItemText(IDC_TIMEOUT_UNIT, FormatTimeoutRangeText());
    SetDlgItemText(IDC_ONBOARD_AUDIO_NOTE, GetOnboardAudioNoteText());
    SetDlgItemText(IDC_RESTART_NOTE, GetRestartNoteText());

    motionSensorList.ResetContent();
    motionSensorList.AddString(disable);
    motionSensorList.AddString(LowMediumHighLabels[static_cast<size_t>(column)][0]);
    motionSensorList.AddString(LowMediumHighLabels[static_cast<size_t>(column)][2]);
    motionSensorList.SetCurSel(LegacyListIndex(LegacyRow::MotionSensor, workingCopy));

    moreSettingsButton.ShowWindow(SW_HIDE);
    moreSettingsButton.EnableWindow(FALSE);

    if (main->Refuses()) {
        // Everything disabled; what shows stays as it is.
        SetLegacyControlsState(false, false);
        settingsGrid.EnableWindow(FALSE);
    } else {
        // The grid is not hidden on the way to showing it again: hiding it
        // would take the keyboard off it, onto the page's first button.
        const bool gridShows = IsHidSettingsProduct(ProductId());
        SetLegacyControlsState(true, true);
        settingsGrid.ShowWindow(gridShows ? SW_SHOW : SW_HIDE);
        settingsGrid.EnableWindow(gridShows ? TRUE : FALSE);
        const LegacyLayout* layout = FindLegacyLayout(ProductId(), DeviceRecord());
        if (gridShows) {
            SetLegacyControlsState(false, true);
            SetListColumnWidths();
        } else if (layout) {
            // A row shows whole where the layout has it, else not at all.
            for (int r = 0; r < kLegacyRowCount; ++r) {
                const LegacyRow row = static_cast<LegacyRow>(r);
                if (layout->Find(row)) continue;
                for (int id : AllControlsOf(row)) {
                    if (CWnd* control = id ? GetDlgItem(id) : nullptr) {
                        control->ShowWindow(SW_HIDE);
                        if (TakesInput(id)) control->EnableWindow(FALSE);
                    }
                }
            }
        } else {
            SetLegacyControlsState(false, true);
        }
    }

    SetRedraw(TRUE);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CDialogDeviceSetting::SetLegacyControlsState(bool enable, bool alsoShow)
{
    const CPageHost* main = MainDialog();
    const bool noteButtonShows = main && ShowsNoteButton(main->language);
    for (int r = 0; r < kLegacyRowCount; ++r) {
        for (int id : AllControlsOf(static_cast<LegacyRow>(r))) {
            CWnd* control = id ? GetDlgItem(id) : nullptr;
            if (!control) continue;
            if (id == IDC_NOTE_MORE) {
                const bool on = enable && (noteButtonShows || !alsoShow);
                if (alsoShow) control->ShowWindow(on ? SW_SHOW : SW_HIDE);
                control->EnableWindow(on ? TRUE : FALSE);
                continue;
            }
            if (alsoShow) control->ShowWindow(enable ? SW_SHOW : SW_HIDE);
            if (TakesInput(id)) control->EnableWindow(enable ? TRUE : FALSE);
        }
    }
}

void CDialogDeviceSetting::ShowRowValue(LegacyRow row)
{
    const RowControls& c = ControlsOf(row);
    switch (KindOf(row)) {
    case LegacyRowKind::Switch: {
        const bool on = IsLegacySwitchOn(row, workingCopy, DeviceRecord());
        CheckDlgButton(c.values[0], on ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(c.values[1], on ? BST_UNCHECKED : BST_CHECKED);
        break;
    }
    case LegacyRowKind::Gain: {
        const int choice = RadioTransmitGainToChoice(workingCopy.RadioTransmitGain);
        for (int i = 0; i < 3; ++i)
            CheckDlgButton(c.values[static_cast<size_t>(i)], i == choice ? BST_CHECKED : BST_UNCHECKED);
        break;
    }
    case LegacyRowKind::Timeout:
        // The position first: the number's change handler reads it.
        timeoutSpin.SetPos32(workingCopy.AudioChannelTimeout & 0xFFFF);
        timeoutEdit.SetWindowText(CString::Formatted(L"%d", workingCopy.AudioChannelTimeout));
        break;
    case LegacyRowKind::List: ListOf(row).SetCurSel(LegacyListIndex(row, workingCopy)); break;
    case LegacyRowKind::Note: break;
    }
}

void CDialogDeviceSetting::PlaceInRow(const LegacyLayout& layout, double slot, int controlId)
{
    CWnd* control = GetDlgItem(controlId);
    if (!control) return;
    // The area is the page's own window; positions are the page's.
    const CRect area = GetWindowRect();
    CRect rect = control->GetWindowRect();
    const int top = SlotTop(area.top, area.Height(), layout.slotCount, layout.margin, slot, rect.Height());
    rect.OffsetRect(0, top - rect.top);
    ScreenToClient(&rect);
    control->MoveWindow(rect, TRUE);
}

void CDialogDeviceSetting::LayoutLegacyControls()
{
    if (const LegacyLayout* layout = FindLegacyLayout(ProductId(), DeviceRecord())) {
        for (const PlacedRow& placed : layout->rows) {
            ShowRowValue(placed.row);
            if (placed.slot == kTemplatePosition) continue;
            for (int id : AllControlsOf(placed.row))
                if (id) PlaceInRow(*layout, placed.slot, id);
        }
        if (layout->placesPageButtons) {
            PlaceInRow(*layout, 0, IDC_SETTING_DEFAULT);
            PlaceInRow(*layout, 0, IDC_SETTING_CANCEL);
        }
    }
    FillSettingsList();
}

// ---------------------------------------------------------------------------
// Handlers

void CDialogDeviceSetting::OnBnClickedDefault()
{
    CPageHost* main = MainDialog();
    if (!main || main->Refuses()) return;
    workingCopy.CopyFrom(defaultsCopy, 0);
    main->UpdateNavigation();
    LayoutLegacyControls();
    RefreshTexts();
}

void CDialogDeviceSetting::OnBnClickedCancel()
{
    if (MainRefuses()) return;
    RevertToDeviceSettings();
}

void CDialogDeviceSetting::OnSwitchRadio(LegacyRow row, bool on)
{
    CPageHost* main = MainDialog();
    if (!main || main->Refuses()) return;
    SetLegacySwitch(row, on, workingCopy, main->deviceSettings);
    const RowControls& c = ControlsOf(row);
    CheckDlgButton(c.values[0], on ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(c.values[1], on ? BST_UNCHECKED : BST_CHECKED);
    main->UpdateNavigation();
}

void CDialogDeviceSetting::OnGainRadio(int choice)
{
    CPageHost* main = MainDialog();
    if (!main || main->Refuses()) return;
    workingCopy.RadioTransmitGain = kRadioTransmitGains[choice];
    ShowRowValue(LegacyRow::RadioTransmitGain);
    main->UpdateNavigation();
}

void CDialogDeviceSetting::OnListChoice(LegacyRow row)
{
    CPageHost* main = MainDialog();
    if (!main || main->Refuses()) return;
    SetLegacyListIndex(row, ListOf(row).GetCurSel(), workingCopy);
    main->UpdateNavigation();
}

void CDialogDeviceSetting::OnEnChangeAudioChannelTimeout()
{
    // No busy test: the number changes only through its up-down control.
    CPageHost* main = MainDialog();
    if (!main || !timeoutSpin.m_hWnd) return;
    workingCopy.AudioChannelTimeout = timeoutSpin.GetPos32();
    main->UpdateNavigation();
}

HBRUSH CDialogDeviceSetting::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor)
{
    HBRUSH brush = CWizardPage::OnCtlColor(dc, wnd, ctlColor);
    const int id = wnd ? wnd->GetDlgCtrlID() : 0;
    if (id == IDC_ONBOARD_AUDIO_NOTE || id == IDC_RESTART_NOTE) dc->SetTextColor(kNoteColour);
    return brush;
}
