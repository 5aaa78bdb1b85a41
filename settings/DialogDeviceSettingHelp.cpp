// The basic settings page's help texts: the getters read the main window's
// language (and the Video Mode text the headset's firmware).
#include "app/PageHost.h"
#include "settings/DialogDeviceSetting.h"
#include "settings/HelpTexts.h"

namespace {

LanguageIndex LanguageOf(const CPageHost* main) { return main ? main->language : LanguageEnglish; }

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
