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

inline constexpr int kHelpTextIdCount = static_cast<int>(HelpTextId::Count);

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

// The help boxes of the basic settings page.

// What fills a placeholder of a box's text, in the current language.
enum class HelpArgument : int {
    CalmweaveName,   // the noise-control setting's name
    BlendcastName,   // the audio-mixing setting's name
    FmRadioName,
    AudioBoostName,
    ModelName,       // the target product's display name, empty when unknown
    PageTitle,       // the title of the main window's current page
    RestartNote,     // the restart note as the page shows it
};

// The box of one "?" button (or of the note button "..."): its text, what
// fills the text, and its size in pixels; the microphone text needs a larger
// box in one language.
struct HelpBox {
    int buttonId;
    HelpTextId text;  // HelpTextId::Count: the note box's "[%s]\n%s"
    int argumentCount;
    HelpArgument arguments[2];
    SIZE size;
    LanguageIndex largerIn;  // -1: the same size in every language
    SIZE largerSize;
};

std::span<const HelpBox> HelpBoxTable();
// The box of a button, null for a button without one.
const HelpBox* FindHelpBox(int buttonId);
// The size of a box in a language.
CSize HelpBoxSize(const HelpBox& box, LanguageIndex language);

// What the box's text is filled with.
struct HelpContext {
    LanguageIndex language = LanguageEnglish;
    int targetProductId = 0;
    int currentPage = 0;
    CString restartNote;
};
// The box's text, its placeholders filled.
CString ComposeHelpBoxText(const HelpBox& box, const HelpContext& context);

// The EDR help: one of three texts by product and firmware band.
enum class EdrHelp : int { OnboardAudio, RecommendDisable, RecommendEnable };
EdrHelp ChooseEdrHelp(int productId, const DeviceSettings& device);

// An EDR box: its text, size, and whether it offers "SEND Email" in the cancel
// position (which then opens a mail to the support address).
struct EdrHelpBox {
    CString text;
    CSize size;
    bool offersMail = false;
};
EdrHelpBox ComposeEdrHelpBox(EdrHelp help, LanguageIndex language);

// The link that "SEND Email" opens.
CString SupportMailLink();

// The number of "%s" in a text.
int CountPlaceholders(const wchar_t* text);
