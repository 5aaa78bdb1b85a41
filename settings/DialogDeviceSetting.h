// Page 5: the basic settings of the recognized headset, as fixed rows of
// radio buttons (older models) or in the settings grid (newer models).
#pragma once

#include "controls/CellCtrl.h"
#include "controls/ConfigListCtrl.h"
#include "settings/SettingsPage.h"

class CDialogDeviceSetting : public CSettingsPage {
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
    // ---- end of help texts and help boxes ------------------------------------

    void RefreshTexts() override;
    int IsModified() override;
    int WriteToHeadset() override;

    // Bold captions (and the smaller Japanese note) in the current language.
    void ApplyBoldCaptions();
    // Places the rows of the model and sets them from the working copy, then
    // rebuilds the settings grid.
    void LayoutLegacyControls();
    void FillSettingsList();
    // The grid's columns: help mark, setting name, value.
    void SetListColumnWidths();
    // The working copy takes the device values again (CANCEL, a failed write).
    void RevertToDeviceSettings();

    // The settings grid: whether a drop-down popup of one of its cells is open,
    // and ending the cell editing (the main window closes the popup on a click
    // elsewhere).
    bool IsCellPopupOpen() const;
    void EndCellEdit();

    CConfigListCtrl settingsGrid;  // control 1201
    CButton defaultButton;  // control 1035
    CButton cancelButton;   // control 1036

    DECLARE_MESSAGE_MAP()

protected:
    void ResetToDefaults() override;
    void FillControls() override;
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
