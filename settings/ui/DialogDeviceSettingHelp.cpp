// The basic settings page's help texts and its help boxes: the getters read the
// main window's language (and, for two texts, the target product and the
// headset's firmware); the "?" buttons open the box of the help-box table.
#include "app/ui/DialogMessageBox.h"
#include "app/ui/PageHost.h"
#include "res/resource.h"
#include "settings/ui/DialogDeviceSetting.h"
#include "settings/HelpTexts.h"

namespace {

LanguageIndex LanguageOf(const CPageHost* main) { return main ? main->language : LanguageEnglish; }

// A help box with the logo, OK and, when given, a second button in the
// cancel position; returns how it ended.
INT_PTR RunHelpBox(CPageHost& main, const CString& text, CSize size, const wchar_t* cancelCaption)
{
    const CString ok = TextOk(main.language);
    CDialogMessageBox box(main.HostWindow());
    box.SetupFull(text, 0, nullptr, cancelCaption, ok, size, 0);
    return box.DoModal();
}

}  // namespace

#define TORVIK_HELP_GETTER(name) \
    CString CDialogDeviceSetting::Get##name() const { return HelpText(HelpTextId::name, LanguageOf(MainDialog())); }
TORVIK_HELP_GETTER(OnboardAudioNoteText)
TORVIK_HELP_GETTER(RestartNoteText)
TORVIK_HELP_GETTER(HelpPacketLossConcealment)
TORVIK_HELP_GETTER(HelpHighQualityA2dp)
TORVIK_HELP_GETTER(HelpMicrophoneBoosting)
TORVIK_HELP_GETTER(HelpSidetone)
TORVIK_HELP_GETTER(HelpCalmweave)
TORVIK_HELP_GETTER(HelpAutoGainControl)
TORVIK_HELP_GETTER(HelpRadioTransmitGain)
TORVIK_HELP_GETTER(HelpEdrOnboardAudio)
TORVIK_HELP_GETTER(HelpEdrRecommendDisable)
TORVIK_HELP_GETTER(HelpAudioChannelTimeout)
TORVIK_HELP_GETTER(HelpMotionSensorSensitivity)
TORVIK_HELP_GETTER(HelpNavigationAppSupport)
TORVIK_HELP_GETTER(HelpBlendcast)
TORVIK_HELP_GETTER(HelpOverlaySensitivity10)
TORVIK_HELP_GETTER(HelpOverlaySensitivity5)
TORVIK_HELP_GETTER(HelpAudioBoost)
TORVIK_HELP_GETTER(HelpVoxSensitivityDefault3)
TORVIK_HELP_GETTER(HelpVoxSensitivityDefault2)
TORVIK_HELP_GETTER(HelpVoxSensitivityLowMedHigh)
TORVIK_HELP_GETTER(HelpVoxPhone)
TORVIK_HELP_GETTER(HelpHdIntercom)
TORVIK_HELP_GETTER(HelpEightWayIntercom)
TORVIK_HELP_GETTER(HelpVoicePrompt)
TORVIK_HELP_GETTER(HelpVoxIntercom)
TORVIK_HELP_GETTER(HelpPhotoMode)
TORVIK_HELP_GETTER(HelpVideoResolution)
TORVIK_HELP_GETTER(HelpTimelapseInterval)
TORVIK_HELP_GETTER(HelpVideoTaggingInterval)
TORVIK_HELP_GETTER(HelpLoopRecordingInterval)
TORVIK_HELP_GETTER(HelpVideoMicrophoneGain)
TORVIK_HELP_GETTER(HelpDateCaption)
TORVIK_HELP_GETTER(HelpSpeakerSoundRecording)
TORVIK_HELP_GETTER(HelpAutoCameraSleep)
TORVIK_HELP_GETTER(HelpSmartVolume)
TORVIK_HELP_GETTER(HelpFmStationGuide)
TORVIK_HELP_GETTER(HelpHdVoice)
TORVIK_HELP_GETTER(HelpAudioSourcePriority)
TORVIK_HELP_GETTER(HelpLayerlyFull)
TORVIK_HELP_GETTER(HelpLayerlyGps)
TORVIK_HELP_GETTER(HelpSmartNaviSystem)
TORVIK_HELP_GETTER(HelpGuestMode)
TORVIK_HELP_GETTER(HelpLayerlyVolumeManagement)
TORVIK_HELP_GETTER(HelpVoiceCommand)
TORVIK_HELP_GETTER(HelpEssStatus)
TORVIK_HELP_GETTER(HelpEssSensitivity)
#undef TORVIK_HELP_GETTER

CString CDialogDeviceSetting::GetHelpEdrRecommendEnable() const
{
    return HelpEdrRecommendEnableText(LanguageOf(MainDialog()));
}

CString CDialogDeviceSetting::GetHelpVideoMode() const
{
    const CPageHost* main = MainDialog();
    const HelpTextId text = main ? VideoModeHelp(main->deviceSettings) : HelpTextId::HelpVideoModeTwoModes;
    return HelpText(text, LanguageOf(main));
}

CString CDialogDeviceSetting::FormatTimeoutRangeText() const { return ::FormatTimeoutRangeText(LanguageOf(MainDialog())); }

void CDialogDeviceSetting::ShowHelpBox(int buttonId)
{
    CPageHost* main = MainDialog();
    const HelpBox* box = FindHelpBox(buttonId);
    if (!main || main->Refuses() || !box) return;
    HelpContext context;
    context.language = main->language;
    context.targetProductId = main->targetProductId;
    context.currentPage = main->currentPage;
    context.restartNote = GetDlgItemText(IDC_RESTART_NOTE);
    RunHelpBox(*main, ComposeHelpBoxText(*box, context), HelpBoxSize(*box, main->language), nullptr);
}

void CDialogDeviceSetting::ShowHelpText(const CString& text, CSize size)
{
    if (CPageHost* main = MainDialog()) RunHelpBox(*main, text, size, nullptr);
}

void CDialogDeviceSetting::OnBnClickedHelpEdr()
{
    CPageHost* main = MainDialog();
    if (!main || main->Refuses()) return;
    const EdrHelpBox box =
        ComposeEdrHelpBox(ChooseEdrHelp(main->targetProductId, main->deviceSettings), main->language);
    const CString sendEmail = TextSendEmail(main->language);
    const INT_PTR result = RunHelpBox(*main, box.text, box.size, box.offersMail ? sendEmail.GetString() : nullptr);
    // "SEND Email", Escape or the close box: a mail to the support address (its
    // outcome is not reported).
    if (box.offersMail && result == IDCANCEL) ShellOpen(nullptr, SupportMailLink(), nullptr, SW_SHOWNORMAL);
}

void CDialogDeviceSetting::OnBnClickedHelpPlc() { ShowHelpBox(IDC_PLC_HELP); }
void CDialogDeviceSetting::OnBnClickedHelpHighQualityA2dp() { ShowHelpBox(IDC_A2DP_HELP); }
void CDialogDeviceSetting::OnBnClickedHelpMicBoost() { ShowHelpBox(IDC_MIC_BOOST_HELP); }
void CDialogDeviceSetting::OnBnClickedHelpSidetone() { ShowHelpBox(IDC_SIDETONE_HELP); }
void CDialogDeviceSetting::OnBnClickedHelpCalmweave() { ShowHelpBox(IDC_CALMWEAVE_HELP); }
void CDialogDeviceSetting::OnBnClickedHelpAgc() { ShowHelpBox(IDC_AGC_HELP); }
void CDialogDeviceSetting::OnBnClickedHelpMotionSensor() { ShowHelpBox(IDC_MOTION_SENSOR_HELP); }
void CDialogDeviceSetting::OnBnClickedHelpBlendcast() { ShowHelpBox(IDC_BLENDCAST_HELP); }
void CDialogDeviceSetting::OnBnClickedHelpOverlaySensitivity() { ShowHelpBox(IDC_OVERLAY_HELP); }
void CDialogDeviceSetting::OnBnClickedHelpNavAppSupport() { ShowHelpBox(IDC_NAV_APP_HELP); }
void CDialogDeviceSetting::OnBnClickedHelpRadioTransmitGain() { ShowHelpBox(IDC_GAIN_HELP); }
void CDialogDeviceSetting::OnBnClickedHelpAudioChannelTimeout() { ShowHelpBox(IDC_TIMEOUT_HELP); }
void CDialogDeviceSetting::OnBnClickedHelpAudioBoost() { ShowHelpBox(IDC_AUDIO_BOOST_HELP); }
void CDialogDeviceSetting::OnBnClickedNoteMore() { ShowHelpBox(IDC_NOTE_MORE); }
