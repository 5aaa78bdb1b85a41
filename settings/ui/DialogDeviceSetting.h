// Page 5: the basic settings of the recognized headset, as fixed rows of
// radio buttons (BlueCore headsets, the legacy layout) or in the settings grid
// (HID headsets).
#pragma once

#include "controls/CellCtrl.h"
#include "controls/ConfigListCtrl.h"
#include "settings/LegacyLayout.h"
#include "settings/ui/SettingsPage.h"
#include "settingslist/SettingsRows.h"

class CDialogDeviceSetting : public CSettingsPage, public CConfigListHost {
public:
    explicit CDialogDeviceSetting(CWnd* parent = nullptr);

    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    // ---- Help texts and help boxes (DialogDeviceSettingHelp.cpp) -------------
    // The page's texts and the settings grid's help texts, each a new string in
    // the main window's current language (English without a main window).
    CString GetOnboardAudioNoteText() const;
    CString GetRestartNoteText() const;
    CString GetHelpPacketLossConcealment() const;
    CString GetHelpHighQualityA2dp() const;
    CString GetHelpMicrophoneBoosting() const;
    CString GetHelpSidetone() const;
    CString GetHelpCalmweave() const;           // %s: the noise-control setting's name
    CString GetHelpAutoGainControl() const;
    CString GetHelpRadioTransmitGain() const;   // %s, %s: the model's display name
    CString GetHelpEdrOnboardAudio() const;
    CString GetHelpEdrRecommendDisable() const;
    CString GetHelpEdrRecommendEnable() const;  // the support address filled in
    CString GetHelpAudioChannelTimeout() const; // %s, %s: the model's display name
    CString GetHelpMotionSensorSensitivity() const;  // %s: the model's display name
    CString GetHelpNavigationAppSupport() const;     // %s, %s: the audio-mixing setting's name
    CString GetHelpBlendcast() const;           // %s: the audio-mixing setting's name, %s: FM radio
    CString GetHelpOverlaySensitivity10() const;     // %s: the audio-mixing setting's name
    CString GetHelpOverlaySensitivity5() const;
    CString GetHelpAudioBoost() const;          // %s: the Audio Boost setting's name
    CString GetHelpVoxSensitivityDefault3() const;
    CString GetHelpVoxSensitivityDefault2() const;
    CString GetHelpVoxSensitivityLowMedHigh() const;
    CString GetHelpVoxPhone() const;
    CString GetHelpHdIntercom() const;          // %s: the setting's own name
    CString GetHelpEightWayIntercom() const;    // %s, %s: the setting's own name
    CString GetHelpVoicePrompt() const;
    CString GetHelpVoxIntercom() const;         // %s, %s: the setting's own name
    CString GetHelpPhotoMode() const;
    CString GetHelpVideoMode() const;           // by the headset's firmware: loop recording from 2.0
    CString GetHelpVideoResolution() const;
    CString GetHelpTimelapseInterval() const;
    CString GetHelpVideoTaggingInterval() const;
    CString GetHelpLoopRecordingInterval() const;
    CString GetHelpVideoMicrophoneGain() const;
    CString GetHelpDateCaption() const;
    CString GetHelpSpeakerSoundRecording() const;    // %s, %s: the setting's own name
    CString GetHelpAutoCameraSleep() const;     // %s, %s: the setting's own name
    CString GetHelpSmartVolume() const;
    CString GetHelpFmStationGuide() const;
    CString GetHelpHdVoice() const;
    CString GetHelpAudioSourcePriority() const;
    CString GetHelpLayerlyFull() const;
    CString GetHelpLayerlyGps() const;
    CString GetHelpSmartNaviSystem() const;
    CString GetHelpGuestMode() const;
    CString GetHelpLayerlyVolumeManagement() const;
    CString GetHelpVoiceCommand() const;
    CString GetHelpEssStatus() const;
    CString GetHelpEssSensitivity() const;
    // "seconds (3 ~ 60)" beside the audio channel timeout.
    CString FormatTimeoutRangeText() const;

    // The "?" buttons and the note button "...": each opens its help box, with
    // the main window as parent, unless the main window is busy or its section
    // list is open. The third EDR text offers "SEND Email", which opens a mail
    // to the support address.
    void OnBnClickedHelpEdr();
    void OnBnClickedHelpPlc();
    void OnBnClickedHelpHighQualityA2dp();
    void OnBnClickedHelpMicBoost();
    void OnBnClickedHelpSidetone();
    void OnBnClickedHelpCalmweave();
    void OnBnClickedHelpAgc();
    void OnBnClickedHelpMotionSensor();
    void OnBnClickedHelpBlendcast();
    void OnBnClickedHelpOverlaySensitivity();
    void OnBnClickedHelpNavAppSupport();
    void OnBnClickedHelpRadioTransmitGain();
    void OnBnClickedHelpAudioChannelTimeout();
    void OnBnClickedHelpAudioBoost();
    void OnBnClickedNoteMore();
    // The box of a button of the help-box table.
    void ShowHelpBox(int buttonId);
    // A help box of the given text and size (the settings grid's rows).
    void ShowHelpText(const CString& text, CSize size);
    // ---- end of help texts and help boxes ------------------------------------

    // Captions in the current language, the layout (legacy rows or grid) and
    // which rows show, and every control disabled while the frame refuses.
    void RefreshTexts() override;
    // The settings writer with the basic settings' requests and keys.
    int WriteToHeadset() override;

    // Bold captions (and the smaller Japanese note). The fonts are made once.
    void ApplyBoldCaptions();
    // The captions' fonts, the texts and the rows again in the new language.
    void OnLanguageChanged() override;
    // Places the rows of the model and sets them from the working copy, then
    // rebuilds the settings grid.
    void LayoutLegacyControls();
    // The grid's columns: help mark, setting name, value.
    void SetListColumnWidths();
    // Enables (and with alsoShow shows) or disables (and hides) every control
    // of the legacy rows.
    void SetLegacyControlsState(bool enable, bool alsoShow);

    // ---- The settings grid (DialogDeviceSettingGrid.cpp) -----------------------
    // Rebuilds the grid from the working copy: the rows of the product in the
    // firmware band of the headset's record, empty for a product without rows.
    void FillSettingsList();
    // Non-zero while the working copy differs from the headset's record in the
    // basic settings of the model.
    int IsModified() override;
    // A click in the grid: column 0 opens the row's help box, column 2 stores
    // a check box's new half into the working copy and enables or disables the
    // rows it gates. A popup's result stores the combo's item.
    void OnGridClick(CConfigListCtrl& grid, int row, int column) override;
    void OnGridPopupSelect(CConfigListCtrl& grid, int row, int column) override;
    // The rows the grid shows now.
    SettingsRows GridRows() const;
    // Whether a drop-down popup of one of the grid's cells is open, and ending
    // the cell editing (the main window closes the popup on a click elsewhere).
    bool IsCellPopupOpen() const;
    void EndCellEdit();
    // ---- end of the settings grid ---------------------------------------------

    // DEFAULT and CANCEL.
    void OnBnClickedDefault();
    void OnBnClickedCancel();
    // The radios of the legacy rows: Enable and Disable of each row, the gain.
    void OnBnClickedVoxPhoneEnable() { OnSwitchRadio(LegacyRow::VoxPhone, true); }
    void OnBnClickedVoxPhoneDisable() { OnSwitchRadio(LegacyRow::VoxPhone, false); }
    void OnBnClickedVoxIntercomEnable() { OnSwitchRadio(LegacyRow::VoxIntercom, true); }
    void OnBnClickedVoxIntercomDisable() { OnSwitchRadio(LegacyRow::VoxIntercom, false); }
    void OnBnClickedEdrEnable() { OnSwitchRadio(LegacyRow::Edr, true); }
    void OnBnClickedEdrDisable() { OnSwitchRadio(LegacyRow::Edr, false); }
    void OnBnClickedPlcEnable() { OnSwitchRadio(LegacyRow::Plc, true); }
    void OnBnClickedPlcDisable() { OnSwitchRadio(LegacyRow::Plc, false); }
    void OnBnClickedHighQualityA2dpEnable() { OnSwitchRadio(LegacyRow::HighQualityA2dp, true); }
    void OnBnClickedHighQualityA2dpDisable() { OnSwitchRadio(LegacyRow::HighQualityA2dp, false); }
    void OnBnClickedMicBoostEnable() { OnSwitchRadio(LegacyRow::MicrophoneBoost, true); }
    void OnBnClickedMicBoostDisable() { OnSwitchRadio(LegacyRow::MicrophoneBoost, false); }
    void OnBnClickedSidetoneEnable() { OnSwitchRadio(LegacyRow::Sidetone, true); }
    void OnBnClickedSidetoneDisable() { OnSwitchRadio(LegacyRow::Sidetone, false); }
    void OnBnClickedCalmweaveEnable() { OnSwitchRadio(LegacyRow::Calmweave, true); }
    void OnBnClickedCalmweaveDisable() { OnSwitchRadio(LegacyRow::Calmweave, false); }
    void OnBnClickedAgcEnable() { OnSwitchRadio(LegacyRow::AutoGainControl, true); }
    void OnBnClickedAgcDisable() { OnSwitchRadio(LegacyRow::AutoGainControl, false); }
    void OnBnClickedAudioBoostEnable() { OnSwitchRadio(LegacyRow::AudioBoost, true); }
    void OnBnClickedAudioBoostDisable() { OnSwitchRadio(LegacyRow::AudioBoost, false); }
    void OnBnClickedBlendcastEnable() { OnSwitchRadio(LegacyRow::Blendcast, true); }
    void OnBnClickedBlendcastDisable() { OnSwitchRadio(LegacyRow::Blendcast, false); }
    void OnBnClickedNavAppSupportEnable() { OnSwitchRadio(LegacyRow::NavAppSupport, true); }
    void OnBnClickedNavAppSupportDisable() { OnSwitchRadio(LegacyRow::NavAppSupport, false); }
    void OnBnClickedGainLow() { OnGainRadio(0); }
    void OnBnClickedGainMedium() { OnGainRadio(1); }
    void OnBnClickedGainHigh() { OnGainRadio(2); }
    // The two lists and the time-out.
    void OnCbnSelchangeMotionSensor() { OnListChoice(LegacyRow::MotionSensor); }
    void OnCbnSelchangeOverlaySensitivity() { OnListChoice(LegacyRow::OverlaySensitivity); }
    void OnEnChangeAudioChannelTimeout();
    // The spare button does nothing.
    void OnBnClickedMoreSettings() {}

    // The notes in orange, every control over the page brush.
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);

    CConfigListCtrl settingsGrid;      // control 1201
    CButton defaultButton;             // control 1035
    CButton cancelButton;              // control 1036
    CButton noteButton;                // control 1075 "..."
    CButton moreSettingsButton;        // control 1100
    CComboBox motionSensorList;        // control 1182
    CComboBox overlaySensitivityList;  // control 1183
    CEdit timeoutEdit;                 // control 1067
    CSpinButtonCtrl timeoutSpin;       // control 1068
    // The "?" buttons of the rows, in the order of kHelpButtonIds.
    static constexpr int kHelpButtonCount = 14;
    static const int kHelpButtonIds[kHelpButtonCount];
    CBitmapButton helpButtons[kHelpButtonCount];

    CWnd* EntryControl() override;

    DECLARE_MESSAGE_MAP()

protected:
    void ResetToDefaults() override;
    void FillControls() override { LayoutLegacyControls(); }

private:
    // The handlers of the legacy rows: store into the working copy, show the
    // clicked radio alone checked, and let the frame re-evaluate ACTION.
    void OnSwitchRadio(LegacyRow row, bool on);
    void OnGainRadio(int choice);
    void OnListChoice(LegacyRow row);
    // Sets a row's radios, list or number from the working copy.
    void ShowRowValue(LegacyRow row);
    CComboBox& ListOf(LegacyRow row)
    {
        return row == LegacyRow::MotionSensor ? motionSensorList : overlaySensitivityList;
    }
    // The grid's check boxes show the working copy again (a store may have
    // changed other rows), and every gated row is enabled or disabled anew.
    void SyncGridCells(const SettingsRows& rows);
    // Moves a control vertically into a slot of the page.
    void PlaceInRow(const LegacyLayout& layout, double slot, int controlId);
    // The record of the recognized headset: its product id and firmware decide
    // the layout and the fields the rows edit.
    const DeviceSettings& DeviceRecord() const;
    int ProductId() const { return DeviceRecord().ProductId; }

    CFont m_boldFont;
    CFont m_japaneseNoteFont;
};

// The message-map rows of the help buttons (in the page's message map).
#define ON_DEVICE_SETTING_HELP_BUTTONS()                                \
    ON_BN_CLICKED(IDC_EDR_HELP, OnBnClickedHelpEdr)                     \
    ON_BN_CLICKED(IDC_PLC_HELP, OnBnClickedHelpPlc)                     \
    ON_BN_CLICKED(IDC_A2DP_HELP, OnBnClickedHelpHighQualityA2dp)        \
    ON_BN_CLICKED(IDC_MIC_BOOST_HELP, OnBnClickedHelpMicBoost)          \
    ON_BN_CLICKED(IDC_SIDETONE_HELP, OnBnClickedHelpSidetone)           \
    ON_BN_CLICKED(IDC_CALMWEAVE_HELP, OnBnClickedHelpCalmweave)         \
    ON_BN_CLICKED(IDC_AGC_HELP, OnBnClickedHelpAgc)                     \
    ON_BN_CLICKED(IDC_MOTION_SENSOR_HELP, OnBnClickedHelpMotionSensor)  \
    ON_BN_CLICKED(IDC_BLENDCAST_HELP, OnBnClickedHelpBlendcast)         \
    ON_BN_CLICKED(IDC_OVERLAY_HELP, OnBnClickedHelpOverlaySensitivity)  \
    ON_BN_CLICKED(IDC_NAV_APP_HELP, OnBnClickedHelpNavAppSupport)       \
    ON_BN_CLICKED(IDC_GAIN_HELP, OnBnClickedHelpRadioTransmitGain)      \
    ON_BN_CLICKED(IDC_TIMEOUT_HELP, OnBnClickedHelpAudioChannelTimeout) \
    ON_BN_CLICKED(IDC_AUDIO_BOOST_HELP, OnBnClickedHelpAudioBoost)      \
    ON_BN_CLICKED(IDC_NOTE_MORE, OnBnClickedNoteMore)
