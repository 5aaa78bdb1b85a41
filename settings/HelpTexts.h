// The help texts of the settings pages and the boxes that show them.
//
// Every text is one row of eleven literals in LanguageIndex order (HelpTexts.cpp),
// read through one resolver: languages 1 to 10 get their own literal, English (0)
// and any other value the English one. A help text starts with the setting's name
// in square brackets, a line break and the explanation. A "%s" in a text is filled
// by literal replacement (CString::FillPlaceholders) in the order of the English
// form; no translation holds more "%s" than its English form.
//
// Window-free: the basic settings page's getters and "?" handlers
// (DialogDeviceSettingHelp.cpp) and the settings grid's rows read these tables.
#pragma once

#include <span>

#include "app/Texts.h"
#include "framework/CString.h"
#include "framework/Geometry.h"

class DeviceSettings;

// The texts, by the name of the page's getter without its "Get".
#define TORVIK_HELP_TEXTS(X)                                                                        \
    X(OnboardAudioNoteText) X(RestartNoteText) X(HelpPacketLossConcealment) X(HelpHighQualityA2dp)  \
    X(HelpMicrophoneBoosting) X(HelpSidetone) X(HelpCalmweave) X(HelpAutoGainControl)               \
    X(HelpRadioTransmitGain) X(HelpEdrOnboardAudio) X(HelpEdrRecommendDisable)                      \
    X(HelpEdrRecommendEnable) X(HelpAudioChannelTimeout) X(HelpMotionSensorSensitivity)             \
    X(HelpNavigationAppSupport) X(HelpBlendcast) X(HelpOverlaySensitivity10)                        \
    X(HelpOverlaySensitivity5) X(HelpAudioBoost) X(HelpVoxSensitivityDefault3)                      \
    X(HelpVoxSensitivityDefault2) X(HelpVoxSensitivityLowMedHigh) X(HelpVoxPhone) X(HelpHdIntercom) \
    X(HelpEightWayIntercom) X(HelpVoicePrompt) X(HelpVoxIntercom) X(HelpPhotoMode)                  \
    X(HelpVideoModeTwoModes) X(HelpVideoModeThreeModes) X(HelpVideoResolution)                      \
    X(HelpTimelapseInterval) X(HelpVideoTaggingInterval) X(HelpLoopRecordingInterval)               \
    X(HelpVideoMicrophoneGain) X(HelpDateCaption) X(HelpSpeakerSoundRecording)                      \
    X(HelpAutoCameraSleep) X(HelpSmartVolume) X(HelpFmStationGuide) X(HelpHdVoice)                  \
    X(HelpAudioSourcePriority) X(HelpLayerlyFull) X(HelpLayerlyGps) X(HelpSmartNaviSystem)          \
    X(HelpGuestMode) X(HelpLayerlyVolumeManagement) X(HelpVoiceCommand) X(HelpEssStatus)            \
    X(HelpEssSensitivity)

enum class HelpTextId : int {
#define TORVIK_HELP_TEXT_ID(name) name,
    TORVIK_HELP_TEXTS(TORVIK_HELP_TEXT_ID)
#undef TORVIK_HELP_TEXT_ID
    Count
};

inline constexpr int HelpTextIdCount = static_cast<int>(HelpTextId::Count);

struct HelpTextEntry {
    HelpTextId id;
    TextRow text;
};

// The whole table, one entry per HelpTextId in HelpTextId order.
std::span<const HelpTextEntry> HelpTextTable();
// The name of a text as the code spells it ("HelpSidetone"), for diagnostics.
const char* HelpTextName(HelpTextId id);

// The resolver: the literal of a text in a language (English outside 1 to 10); an
// unknown id gives an empty text.
const wchar_t* HelpTextLiteral(HelpTextId id, LanguageIndex language);
inline CString HelpText(HelpTextId id, LanguageIndex language) { return CString(HelpTextLiteral(id, language)); }

// The maker's technical-support e-mail address.
inline constexpr const wchar_t* kSupportEmailAddress = L"support@torvik.example";

// The texts that their getters compose.
// The EDR text that recommends keeping EDR on, with the support address in place.
CString HelpEdrRecommendEnableText(LanguageIndex language);
// The Video Mode help of the headset's firmware (as read from it): below 2.0
// video and timelapse, from 2.0 loop recording as well.
HelpTextId VideoModeHelp(const DeviceSettings& device);
// "seconds (3 ~ 60)": the range beside the audio channel timeout.
CString FormatTimeoutRangeText(LanguageIndex language);

// The number of "%s" in a text.
int CountPlaceholders(const wchar_t* text);
