// The restore page's renderings, the row tables of its list and label pairs,
// and the builders of its texts. See ArchivedSettings.h.
#include "restore/ArchivedSettings.h"

#include <algorithm>
#include <array>

#include "device/ProductCatalogue.h"
#include "framework/Time.h"
#include "settingslist/LabelTables.h"

namespace {

using F = SettingsFamily;
using K = RowKindId;
using V = ArchivedValueRendering;
using D = DeviceSettings;

// ---------------------------------------------------------------------------
// Renderings: the texts of chosen values, and what any other value shows.

// A text that a rendering gives: "Enabled", "Disabled" or a row text.
struct ShownText {
    enum class Kind : uint8_t { Row, Enabled, Disabled };
    Kind kind = Kind::Row;
    RowText row;

    CString Text(LanguageIndex language) const
    {
        switch (kind) {
        case Kind::Enabled: return TextLiteral(TextId::TextEnabled, language);
        case Kind::Disabled: return TextLiteral(TextId::TextDisabled, language);
        case Kind::Row: break;
        }
        return row.Text(language);
    }
};

constexpr ShownText Row(RowText row) { return {ShownText::Kind::Row, row}; }
constexpr ShownText kEnabled{ShownText::Kind::Enabled, {}};
constexpr ShownText kDisabled{ShownText::Kind::Disabled, {}};
constexpr ShownText kLow = Row(RowText::LowMediumHigh(0));
constexpr ShownText kMedium = Row(RowText::LowMediumHigh(1));
constexpr ShownText kHigh = Row(RowText::LowMediumHigh(2));
constexpr ShownText Label(const LabelTable& table) { return Row(RowText::Of(table)); }

struct Choice {
    int value;
    ShownText text;
};

// What a value that no choice names shows.
enum class Otherwise : uint8_t {
    Text,         // the rule's text
    Number,       // the value
    ElevenMinus,  // 11 - value
    Seconds,      // "<value> seconds"
};

struct RenderingRule {
    ArchivedValueRendering id;
    std::span<const Choice> choices;
    Otherwise otherwise;
    ShownText other = {};
};

constexpr Choice kZeroDisabledChoices[] = {{0, kDisabled}};
constexpr Choice kOneDisabledChoices[] = {{1, kDisabled}};
constexpr Choice kZeroEnabledChoices[] = {{0, kEnabled}};
constexpr Choice kMotionChoices[] = {{1, Row(RowText::Disable())}, {2, kLow}};
constexpr Choice kSmartVolumeChoices[] = {{0, kDisabled}, {1, kLow}, {2, kMedium}};
constexpr Choice kLevelsChoices[] = {{1, Row(RowText::Level(1))}, {2, Row(RowText::Level(2))}, {3, Row(RowText::Level(3))},
                              {4, Row(RowText::Level(4))}, {5, Row(RowText::Level(5))}, {6, Row(RowText::Level(6))},
                              {7, Row(RowText::Level(7))}, {8, Row(RowText::Level(8))}, {9, Row(RowText::Level(9))},
                              {10, Row(RowText::Level(10))}};
constexpr Choice kTransmitGainChoices[] = {{12, kLow}, {17, kHigh}};
constexpr Choice kThreeLevelsChoices[] = {{1, kLow}, {2, kMedium}, {3, kHigh}};
constexpr Choice kPhotoModeChoices[] = {{0, Label(SingleShotLabels)}};
constexpr Choice kVideoModeChoices[] = {{0, Label(VideoModeLabels)}, {1, Label(TimelapseModeLabels)}};
constexpr Choice kResolutionChoices[] = {{0, Label(Resolution1080p30Labels)}, {1, Label(Resolution720p60Labels)}};
constexpr Choice kTimelapseChoices[] = {{0, Label(Interval1SecLabels)}};
constexpr Choice kMinutesChoices[] = {{0, Label(Interval1MinLabels)}, {1, Label(Interval3MinLabels)}};
constexpr Choice kMicrophoneGainChoices[] = {{0, kLow}, {1, kMedium}};
constexpr Choice kSourcePriorityChoices[] = {{0, Label(IntercomLabels)}};
constexpr Choice kEssStatusChoices[] = {{0, Label(EssOnLabels)}, {1, Label(PositionLightEssOnLabels)},
                                 {2, Label(FogLightEssOnLabels)}, {3, Label(EssOffLabels)}};

// In ArchivedValueRendering order.
constexpr RenderingRule kRenderings[] = {
    {V::OnWhenSet, kZeroDisabledChoices, Otherwise::Text, kEnabled},
    {V::OffWhenZero, kZeroDisabledChoices, Otherwise::Text, kEnabled},
    {V::OffWhenOne, kOneDisabledChoices, Otherwise::Text, kEnabled},
    {V::OffWhenSet, kZeroEnabledChoices, Otherwise::Text, kDisabled},
    {V::ElevenMinus, {}, Otherwise::ElevenMinus},
    {V::MotionSensitivityText, kMotionChoices, Otherwise::Text, kHigh},
    {V::SmartVolumeText, kSmartVolumeChoices, Otherwise::Text, kHigh},
    {V::LevelLabelText, kLevelsChoices, Otherwise::Number},
    {V::TransmitGainText, kTransmitGainChoices, Otherwise::Text, kMedium},
    {V::SecondsText, {}, Otherwise::Seconds},
    {V::PlainNumber, {}, Otherwise::Number},
    {V::LowMediumHighText, kThreeLevelsChoices, Otherwise::Number},
    {V::PhotoModeText, kPhotoModeChoices, Otherwise::Text, Label(BurstShotLabels)},
    {V::VideoModeText, kVideoModeChoices, Otherwise::Text, Label(LoopRecordingModeLabels)},
    {V::VideoResolutionText, kResolutionChoices, Otherwise::Text, Label(Resolution720p30Labels)},
    {V::TimelapseIntervalText, kTimelapseChoices, Otherwise::Text, Label(Interval10SecLabels)},
    {V::IntervalMinutesText, kMinutesChoices, Otherwise::Text, Label(Interval5MinLabels)},
    {V::MicrophoneGainText, kMicrophoneGainChoices, Otherwise::Text, kHigh},
    {V::AudioSourcePriorityText, kSourcePriorityChoices, Otherwise::Text, Label(MusicLabels)},
    {V::EssStatusText, kEssStatusChoices, Otherwise::Number},
    {V::EssSensitivityText, kThreeLevelsChoices, Otherwise::Number},
};

constexpr bool RenderingsInOrder()
{
    for (size_t i = 0; i < std::size(kRenderings); ++i) {
        if (static_cast<size_t>(kRenderings[i].id) != i) return false;
    }
    return std::size(kRenderings) == static_cast<size_t>(V::Count);
}
static_assert(RenderingsInOrder(), "one rule per rendering, in ArchivedValueRendering order");

// ---------------------------------------------------------------------------
// Rows

// A grid row's label and value.
constexpr ArchivedRow Grid(K kind, V rendering)
{
    ArchivedRow row;
    row.rendering = rendering;
    row.gridKind = kind;
    return row;
}

// A switch of the older models that the grid has no row for.
constexpr ArchivedRow Own(const LabelTable& label, int D::*field, V rendering, bool spacedColon = false)
{
    ArchivedRow row;
    row.rendering = rendering;
    row.label = &label;
    row.source = ValueSource::Switch(field);
    row.spacedColon = spacedColon;
    return row;
}

// Switches and words 14 to 24, read whole.
constexpr ArchivedRow kAudioBoost = Grid(K::AudioBoost, V::OffWhenOne);
constexpr ArchivedRow kVoxPhone = Grid(K::VoxPhone, V::OffWhenZero);
constexpr ArchivedRow kVoxIntercom = Grid(K::VoxIntercom, V::OffWhenZero);
constexpr ArchivedRow kHdIntercom = Grid(K::HdIntercom, V::OffWhenZero);
constexpr ArchivedRow kHdVoice = Grid(K::HdVoice, V::OffWhenZero);
constexpr ArchivedRow kVoicePrompt = Grid(K::VoicePrompt, V::OffWhenOne);
constexpr ArchivedRow kFmStationGuide = Grid(K::FmStationGuide, V::OffWhenZero);
constexpr ArchivedRow kHighQualityA2dp = Grid(K::HighQualityA2dp, V::OffWhenZero);
constexpr ArchivedRow kSidetone = Grid(K::Sidetone, V::OffWhenZero);
constexpr ArchivedRow kCalmweave = Grid(K::Calmweave, V::OffWhenOne);
constexpr ArchivedRow kVoxLevel = Grid(K::VoxSensitivityLevels5Default3, V::LevelLabelText);
constexpr ArchivedRow kVoxLowMediumHigh = Grid(K::VoxSensitivityLowMedHigh, V::LowMediumHighText);
constexpr ArchivedRow kSmartVolume = Grid(K::SmartVolume, V::SmartVolumeText);
constexpr ArchivedRow kLayerly = Grid(K::Layerly, V::OffWhenZero);
constexpr ArchivedRow kSourcePriority = Grid(K::AudioSourcePriority, V::AudioSourcePriorityText);
constexpr ArchivedRow kSmartNavi = Grid(K::SmartNaviSystem, V::OffWhenZero);
constexpr ArchivedRow kEssStatus = Grid(K::EssStatus, V::EssStatusText);
constexpr ArchivedRow kEssSensitivity = Grid(K::EssSensitivity, V::EssSensitivityText);

// Bits and fields of words 0, 2 and 3.
constexpr ArchivedRow kBlendcastW2 = Grid(K::BlendcastW2, V::OnWhenSet);
constexpr ArchivedRow kOverlayW0 = Grid(K::OverlaySensitivity10, V::ElevenMinus);
constexpr ArchivedRow kNavigationAppW2 = Grid(K::NavigationAppSupportW2, V::OnWhenSet);
constexpr ArchivedRow kLayerlyVolumeW2 = Grid(K::LayerlyVolumeManagementW2, V::OnWhenSet);
constexpr ArchivedRow kAudioBoostW2 = Grid(K::AudioBoostW2, V::OnWhenSet);
constexpr ArchivedRow kSmartVolumeW2 = Grid(K::SmartVolumeW2, V::SmartVolumeText);
constexpr ArchivedRow kMotionW3 = Grid(K::MotionSensorSensitivity, V::MotionSensitivityText);
constexpr ArchivedRow kVoxPhoneW2 = Grid(K::VoxPhoneW2, V::OnWhenSet);
constexpr ArchivedRow kHdIntercomW2 = Grid(K::HdIntercomW2, V::OnWhenSet);
constexpr ArchivedRow kEightWayW2 = Grid(K::EightWayIntercomW2, V::OnWhenSet);
constexpr ArchivedRow kVoicePromptW2 = Grid(K::VoicePromptW2, V::OnWhenSet);
constexpr ArchivedRow kFmStationGuideW2 = Grid(K::FmStationGuideW2, V::OnWhenSet);
constexpr ArchivedRow kSidetoneW2 = Grid(K::SidetoneW2, V::OnWhenSet);
constexpr ArchivedRow kCalmweaveW2 = Grid(K::CalmweaveW2, V::OnWhenSet);
constexpr ArchivedRow kVoiceCommandW2 = Grid(K::VoiceCommandW2, V::OnWhenSet);

// The camera of the action headset.
constexpr ArchivedRow kPhotoMode = Grid(K::PhotoMode, V::PhotoModeText);
constexpr ArchivedRow kVideoMode = Grid(K::VideoMode3, V::VideoModeText);
constexpr ArchivedRow kResolution = Grid(K::VideoResolution, V::VideoResolutionText);
constexpr ArchivedRow kTimelapse = Grid(K::TimelapseInterval, V::TimelapseIntervalText);
constexpr ArchivedRow kTagging = Grid(K::VideoTaggingInterval, V::IntervalMinutesText);
constexpr ArchivedRow kLoopInterval = Grid(K::LoopRecordingInterval, V::IntervalMinutesText);
constexpr ArchivedRow kMicrophoneGain = Grid(K::VideoMicrophoneGain, V::MicrophoneGainText);
constexpr ArchivedRow kDateCaption = Grid(K::DateCaption, V::OnWhenSet);
constexpr ArchivedRow kSoundRecording = Grid(K::SpeakerSoundRecording, V::OnWhenSet);
constexpr ArchivedRow kSourceMusic = Grid(K::SourceMusic, V::OnWhenSet);
constexpr ArchivedRow kSourceFmRadio = Grid(K::SourceFmRadio, V::OnWhenSet);
constexpr ArchivedRow kSourceIntercom = Grid(K::SourceIntercom, V::OnWhenSet);
constexpr ArchivedRow kSourcePhone = Grid(K::SourcePhone, V::OnWhenSet);
constexpr ArchivedRow kAutoSleep = Grid(K::AutoCameraSleep, V::OnWhenSet);

// ---------------------------------------------------------------------------
// The list's families, with their bands in ascending order.

constexpr int kNoBound = -1;

template <size_t N>
constexpr ArchivedBand Below(int major, int minor, const ArchivedRow (&rows)[N])
{
    return {major, minor, rows};
}
template <size_t N>
constexpr ArchivedBand Rest(const ArchivedRow (&rows)[N])
{
    return {kNoBound, 0, rows};
}

// 0x4210
constexpr ArchivedRow k4210Below11[] = {kVoxPhoneW2, kSidetoneW2, kBlendcastW2, kOverlayW0};
constexpr ArchivedRow k4210Below12[] = {kVoxPhoneW2, kSidetoneW2, kMotionW3, kBlendcastW2, kOverlayW0,
                                        kNavigationAppW2};
constexpr ArchivedRow k4210Below15[] = {kBlendcastW2, kOverlayW0, kNavigationAppW2, kAudioBoostW2,
                                        kMotionW3, kVoxPhoneW2, kHdIntercomW2, kEightWayW2,
                                        kVoicePromptW2, kSidetoneW2, kCalmweaveW2};
constexpr ArchivedRow k4210From15[] = {kBlendcastW2, kOverlayW0, kNavigationAppW2, kAudioBoostW2,
                                       kSmartVolumeW2, kMotionW3, kVoxPhoneW2, kHdIntercomW2,
                                       kEightWayW2, kVoicePromptW2, kFmStationGuideW2, kSidetoneW2,
                                       kCalmweaveW2};
constexpr ArchivedBand k4210Bands[] = {Below(1, 1, k4210Below11), Below(1, 2, k4210Below12),
                                       Below(1, 5, k4210Below15), Rest(k4210From15)};

// 0x4310, 0x4330 and 0x4510; 0x4410 and 0x4430 without VOX Phone.
constexpr ArchivedRow k4310Rows[] = {kBlendcastW2, kOverlayW0, kLayerlyVolumeW2, kAudioBoostW2,
                                     kSmartVolumeW2, kVoxPhoneW2, kHdIntercomW2, kEightWayW2,
                                     kVoicePromptW2, kFmStationGuideW2, kSidetoneW2, kCalmweaveW2,
                                     kVoiceCommandW2};
constexpr ArchivedRow k4410Rows[] = {kBlendcastW2, kOverlayW0, kLayerlyVolumeW2, kAudioBoostW2,
                                     kSmartVolumeW2, kHdIntercomW2, kEightWayW2, kVoicePromptW2,
                                     kFmStationGuideW2, kSidetoneW2, kCalmweaveW2, kVoiceCommandW2};
constexpr ArchivedBand k4310Bands[] = {Rest(k4310Rows)};
constexpr ArchivedBand k4410Bands[] = {Rest(k4410Rows)};

// 0x5520; 0x5526 and 0x5720 show its last band.
constexpr ArchivedRow k5520Below11[] = {kAudioBoost, kVoxPhone, kVoxIntercom, kVoxLevel,
                                        kVoicePrompt, kHighQualityA2dp, kSidetone, kCalmweave};
constexpr ArchivedRow k5520Below13[] = {kAudioBoost, kVoxPhone, kVoxIntercom, kHdIntercom, kVoxLevel,
                                        kVoicePrompt, kHighQualityA2dp, kSidetone, kCalmweave};
constexpr ArchivedRow k5520From13[] = {kAudioBoost, kVoxPhone, kVoxIntercom, kHdIntercom, kVoxLevel,
                                       kVoicePrompt, kFmStationGuide, kHighQualityA2dp, kSidetone,
                                       kCalmweave};
constexpr ArchivedBand k5520Bands[] = {Below(1, 1, k5520Below11), Below(1, 3, k5520Below13),
                                       Rest(k5520From13)};
constexpr ArchivedBand k5526Bands[] = {Rest(k5520From13)};

// 0x5610, 0x5611, 0x5612, 0x5620 and 0x5621.
constexpr ArchivedRow k5610Below11[] = {kAudioBoost, kVoxPhone, kVoxIntercom, kVoicePrompt,
                                        kHighQualityA2dp, kSidetone, kCalmweave};
constexpr ArchivedRow k5610From11[] = {kAudioBoost, kVoxPhone, kVoxIntercom, kHdIntercom, kVoicePrompt,
                                       kHighQualityA2dp, kSidetone, kCalmweave};
constexpr ArchivedBand k5610Bands[] = {Below(1, 1, k5610Below11), Rest(k5610From11)};

// The eight rows of 0x5530 below 1.4, 0x5710, 0x5623 below 1.1 and 0x5910 below 1.1.
constexpr ArchivedRow kEightRows[] = {kAudioBoost, kVoxPhone, kVoxIntercom, kHdIntercom,
                                      kVoicePrompt, kHighQualityA2dp, kSidetone, kCalmweave};

// 0x5510, the headset with a camera.
constexpr ArchivedRow k5510Below20[] = {kAudioBoost, kVoxPhone, kVoxIntercom, kVoicePrompt, kHighQualityA2dp,
                                        kSidetone, kCalmweave, kPhotoMode, kVideoMode, kResolution, kTimelapse,
                                        kDateCaption, kSoundRecording, kSourceMusic, kSourceFmRadio,
                                        kSourceIntercom, kSourcePhone, kAutoSleep};
constexpr ArchivedRow k5510Below22[] = {kAudioBoost, kVoxPhone, kVoxIntercom, kHdIntercom, kVoicePrompt,
                                        kHighQualityA2dp, kSidetone, kCalmweave, kPhotoMode, kVideoMode,
                                        kResolution, kTimelapse, kTagging, kLoopInterval, kMicrophoneGain,
                                        kDateCaption, kSoundRecording, kSourceMusic, kSourceFmRadio,
                                        kSourceIntercom, kSourcePhone, kAutoSleep};
constexpr ArchivedRow k5510From22[] = {kAudioBoost, kVoxPhone, kVoxIntercom, kHdIntercom, kVoicePrompt,
                                       kFmStationGuide, kHighQualityA2dp, kSidetone, kCalmweave, kPhotoMode,
                                       kVideoMode, kResolution, kTimelapse, kTagging, kLoopInterval,
                                       kMicrophoneGain, kDateCaption, kSoundRecording, kSourceMusic,
                                       kSourceFmRadio, kSourceIntercom, kSourcePhone, kAutoSleep};
constexpr ArchivedBand k5510Bands[] = {Below(2, 0, k5510Below20), Below(2, 2, k5510Below22),
                                       Rest(k5510From22)};

// 0x5530
constexpr ArchivedRow k5530From14[] = {kAudioBoost, kVoxPhone, kVoxIntercom, kHdVoice, kHdIntercom,
                                       kVoicePrompt, kFmStationGuide, kHighQualityA2dp, kSidetone,
                                       kCalmweave};
constexpr ArchivedBand k5530Bands[] = {Below(1, 4, kEightRows), Rest(k5530From14)};

// 0x5550
constexpr ArchivedRow k5550Rows[] = {kAudioBoost, kHdIntercom, kVoicePrompt, kFmStationGuide,
                                     kHighQualityA2dp, kCalmweave};
constexpr ArchivedBand k5550Bands[] = {Rest(k5550Rows)};

// 0x3110 keeps its settings as bits of words 0 and 1.
constexpr ArchivedRow k3110Rows[] = {
    Grid(K::AudioBoostW0, V::OffWhenSet),       Grid(K::VoxPhoneW0, V::OnWhenSet),
    Grid(K::VoxIntercomW0, V::OnWhenSet),       Grid(K::HdIntercomW0, V::OnWhenSet),
    Grid(K::VoicePromptW0, V::OffWhenSet),      Grid(K::HighQualityA2dpW0, V::OnWhenSet),
    Grid(K::SidetoneW0, V::OnWhenSet),          Grid(K::CalmweaveW0, V::OffWhenSet),
    Grid(K::FmStationGuideW0, V::OnWhenSet),    Grid(K::GuestModeW0, V::OnWhenSet),
    Grid(K::VoxSensitivityW1, V::LevelLabelText), Grid(K::SmartVolumeW1, V::SmartVolumeText),
    Grid(K::LayerlyVolumeManagementW1, V::OnWhenSet), Grid(K::OverlaySensitivityW1, V::PlainNumber),
    Grid(K::VoiceCommandW1, V::OnWhenSet),
};
constexpr ArchivedBand k3110Bands[] = {Rest(k3110Rows)};

// 0x5710
constexpr ArchivedBand k5710Bands[] = {Rest(kEightRows)};

// 0x5623; 0x5622 and 0x5624 have smart volume and no sidetone.
constexpr ArchivedRow k5623From11[] = {kAudioBoost, kVoxPhone, kVoxIntercom, kHdIntercom, kVoxLowMediumHigh,
                                       kVoicePrompt, kHighQualityA2dp, kSidetone, kCalmweave};
constexpr ArchivedBand k5623Bands[] = {Below(1, 1, kEightRows), Rest(k5623From11)};
constexpr ArchivedRow k5622Below11[] = {kAudioBoost, kSmartVolume, kVoxPhone, kVoxIntercom, kHdIntercom,
                                        kVoicePrompt, kHighQualityA2dp, kCalmweave};
constexpr ArchivedRow k5622From11[] = {kAudioBoost, kSmartVolume, kVoxPhone, kVoxIntercom, kHdIntercom,
                                       kVoxLowMediumHigh, kVoicePrompt, kHighQualityA2dp, kCalmweave};
constexpr ArchivedBand k5622Bands[] = {Below(1, 1, k5622Below11), Rest(k5622From11)};

// 0x5524; 0x5522 shows its last band.
constexpr ArchivedRow k5524Below11[] = {kAudioBoost, kVoicePrompt, kHighQualityA2dp, kCalmweave};
constexpr ArchivedRow k5524From11[] = {kAudioBoost, kVoicePrompt, kFmStationGuide, kHighQualityA2dp, kCalmweave};
constexpr ArchivedBand k5524Bands[] = {Below(1, 1, k5524Below11), Rest(k5524From11)};
constexpr ArchivedBand k5522Bands[] = {Rest(k5524From11)};

// 0x3030, 0x3040 and 0x3050.
constexpr ArchivedRow k3030Rows[] = {kVoicePrompt, kFmStationGuide, kCalmweave};
constexpr ArchivedBand k3030Bands[] = {Rest(k3030Rows)};

// 0x6210
constexpr ArchivedRow k6210Rows[] = {kAudioBoost, kVoxPhone, kVoxIntercom, kHdIntercom, kVoicePrompt,
                                     kFmStationGuide, kHighQualityA2dp, kCalmweave};
constexpr ArchivedBand k6210Bands[] = {Rest(k6210Rows)};

// 0x5910 and 0x5920.
constexpr ArchivedRow k5910From11[] = {kAudioBoost, kVoxPhone, kVoxIntercom, kHdIntercom, kVoicePrompt,
                                       kFmStationGuide, kHighQualityA2dp, kSidetone, kCalmweave};
constexpr ArchivedBand k5910Bands[] = {Below(1, 1, kEightRows), Rest(k5910From11)};

// 0x5410; 0x5412 and 0x5414; 0x5416 without Layerly.
constexpr ArchivedRow k5410Rows[] = {kAudioBoost, kSmartVolume, kVoxPhone, kLayerly,
                                     kVoxLevel, kVoicePrompt, kSidetone, kCalmweave};
constexpr ArchivedRow k5412Rows[] = {kAudioBoost, kSmartVolume, kVoxPhone, kVoxIntercom, kLayerly, kSourcePriority,
                                     kHdIntercom, kVoxLevel, kVoicePrompt, kFmStationGuide, kSidetone, kCalmweave};
constexpr ArchivedRow k5416Rows[] = {kAudioBoost, kSmartVolume, kVoxPhone, kVoxIntercom, kSourcePriority,
                                     kHdIntercom, kVoxLevel, kVoicePrompt, kFmStationGuide, kSidetone, kCalmweave};
constexpr ArchivedBand k5410Bands[] = {Rest(k5410Rows)};
constexpr ArchivedBand k5412Bands[] = {Rest(k5412Rows)};
constexpr ArchivedBand k5416Bands[] = {Rest(k5416Rows)};

// 0x6010 to 0x6018: the upper band puts the navigation switch first.
constexpr ArchivedRow k6010Older[] = {kAudioBoost, kVoxPhone, kVoxIntercom, kHdIntercom, kVoxLevel, kVoicePrompt,
                                      kHighQualityA2dp, kSidetone, kCalmweave, kEssStatus, kEssSensitivity};
constexpr ArchivedRow k6010Newer[] = {kSmartNavi, kAudioBoost, kVoxPhone, kVoxIntercom, kHdIntercom, kVoxLevel,
                                      kVoicePrompt, kHighQualityA2dp, kSidetone, kCalmweave, kEssStatus,
                                      kEssSensitivity};
constexpr ArchivedRow k6014Older[] = {kAudioBoost, kVoxPhone, kVoxIntercom, kHdIntercom, kVoxLevel,
                                      kVoicePrompt, kHighQualityA2dp, kSidetone, kCalmweave};
constexpr ArchivedRow k6014Newer[] = {kSmartNavi, kAudioBoost, kVoxPhone, kVoxIntercom, kHdIntercom,
                                      kVoxLevel, kVoicePrompt, kHighQualityA2dp, kSidetone, kCalmweave};
constexpr ArchivedBand k6010Bands[] = {Below(1, 2, k6010Older), Rest(k6010Newer)};
constexpr ArchivedBand k6014Bands[] = {Below(1, 2, k6014Older), Rest(k6014Newer)};
constexpr ArchivedBand k6018Bands[] = {Below(1, 1, k6014Older), Rest(k6014Newer)};

// 0x6020, 0x6022 and 0x6024.
constexpr ArchivedRow k6020Rows[] = {kSmartNavi, kVoxPhone, kVoxLevel, kVoicePrompt, kSidetone, kCalmweave};
constexpr ArchivedBand k6020Bands[] = {Rest(k6020Rows)};

// The FM radio section of the 0x6010 to 0x6018 families shows presets 1 to 6
// and RDS; the 0x6020 family has no FM radio texts.
constexpr unsigned kFmPresetsToSix = 0x27;
constexpr unsigned kNoFmTexts = 0;

// The list of each layout, in the layouts' order.
struct LayoutList {
    ListLayout layout;
    BandRecord bandRecord;
    std::span<const ArchivedBand> bands;
    unsigned fmPairs;
};

constexpr LayoutList kLayoutLists[] = {
    {ListLayout::V40, BandRecord::Archived, k4210Bands, kAllArchivedPairs},
    {ListLayout::Vantor, BandRecord::Archived, k4310Bands, kAllArchivedPairs},
    {ListLayout::VantorQn, BandRecord::Archived, k4410Bands, kAllArchivedPairs},
    {ListLayout::Kr5, BandRecord::Archived, k5520Bands, kAllArchivedPairs},
    {ListLayout::VantorMini, BandRecord::Archived, k5526Bands, kAllArchivedPairs},
    {ListLayout::M7xHelm, BandRecord::Archived, k5610Bands, kAllArchivedPairs},
    {ListLayout::Kc5, BandRecord::Archived, k5510Bands, kAllArchivedPairs},
    {ListLayout::Ks5, BandRecord::Archived, k5530Bands, kAllArchivedPairs},
    {ListLayout::Feral, BandRecord::Archived, k5550Bands, kAllArchivedPairs},
    {ListLayout::V60, BandRecord::Archived, k3110Bands, kAllArchivedPairs},
    {ListLayout::Grittalk, BandRecord::Archived, k5710Bands, kAllArchivedPairs},
    {ListLayout::Lvr7, BandRecord::Archived, k5623Bands, kAllArchivedPairs},
    {ListLayout::Lvra, BandRecord::Archived, k5622Bands, kAllArchivedPairs},
    {ListLayout::Lancer, BandRecord::Archived, k5524Bands, kAllArchivedPairs},
    {ListLayout::ThunderKr5, BandRecord::Archived, k5522Bands, kAllArchivedPairs},
    {ListLayout::Z9, BandRecord::Archived, k3030Bands, kAllArchivedPairs},
    {ListLayout::M7xpad, BandRecord::Archived, k6210Bands, kAllArchivedPairs},
    {ListLayout::Ostrel, BandRecord::Archived, k5910Bands, kAllArchivedPairs},
    {ListLayout::Yt1, BandRecord::Archived, k5410Bands, kAllArchivedPairs},
    {ListLayout::Yt2, BandRecord::Archived, k5412Bands, kAllArchivedPairs},
    {ListLayout::Wtk07, BandRecord::Archived, k5416Bands, kAllArchivedPairs},
    // These three band on the connected headset's firmware, not the archive's.
    {ListLayout::Nq1, BandRecord::Connected, k6010Bands, kFmPresetsToSix},
    {ListLayout::Nq5r, BandRecord::Connected, k6014Bands, kFmPresetsToSix},
    {ListLayout::Nq5s, BandRecord::Connected, k6018Bands, kFmPresetsToSix},
    {ListLayout::Nq3, BandRecord::Archived, k6020Bands, kNoFmTexts},
};

constexpr bool LayoutListsInOrder()
{
    if (std::size(kLayoutLists) != kListLayoutCount - 1)
        return false;
    for (std::size_t i = 0; i < std::size(kLayoutLists); ++i) {
        if (static_cast<std::size_t>(kLayoutLists[i].layout) != i + 1)
            return false;
    }
    return true;
}
static_assert(LayoutListsInOrder(), "one list per layout, in the layouts' order");

// ---------------------------------------------------------------------------
// The label pairs of the older models.

constexpr ArchivedRow kPairVoxPhone = kVoxPhone;
constexpr ArchivedRow kPairVoxIntercom = kVoxIntercom;
constexpr ArchivedRow kPairEdr = Own(EdrLabels, &D::EDR, V::OffWhenSet);
// The oldest firmware of the first models stores EDR the other way round.
constexpr ArchivedRow kPairEdrDirect = Own(EdrLabels, &D::EDR, V::OffWhenZero);
constexpr ArchivedRow kPairPlc = Own(PlcLabels, &D::PLC, V::OffWhenZero);
constexpr ArchivedRow kPairHighQuality = kHighQualityA2dp;
constexpr ArchivedRow kPairMicrophone = Own(MicrophoneBoostingLabels, &D::MicrophoneBoost, V::OffWhenZero);
constexpr ArchivedRow kPairSidetone = kSidetone;
constexpr ArchivedRow kPairCalmweave = kCalmweave;
constexpr ArchivedRow kPairGainControl = Own(AutoGainControlLabels, &D::AutoGainControl, V::OffWhenOne);
constexpr ArchivedRow kPairTransmitGain = Own(RadioTransmitGainLabels, &D::RadioTransmitGain, V::TransmitGainText);
constexpr ArchivedRow kPairChannelTimeout =
    Own(AudioChannelTimeoutLabels, &D::AudioChannelTimeout, V::SecondsText, true);

// The sections a group writes texts for.
enum SectionMask : unsigned {
    kBasicMask = 1u << kSectionBasic,
    kSpeedDialMask = 1u << kSectionSpeedDial,
    kFmRadioMask = 1u << kSectionFmRadio,
    // The basic pairs in every section, whatever its kind.
    kEveryKindAlike = 1u << 7,
};

struct PairGroup {
    SettingsFamilies Families;
    unsigned sections;
    std::span<const ArchivedBand> bands;
};

constexpr ArchivedRow kPairsBelow40[] = {kPairVoxPhone, kPairVoxIntercom, kPairEdrDirect};
constexpr ArchivedRow kPairsBelow41[] = {kPairVoxPhone, kPairVoxIntercom, kPairEdr, kPairPlc};
constexpr ArchivedRow kPairs4D10Below42[] = {kPairVoxPhone, kPairVoxIntercom, kPairEdr, kPairPlc, kPairHighQuality,
                                             kPairMicrophone};
constexpr ArchivedRow kPairs4D10Below50[] = {kPairVoxPhone, kPairVoxIntercom, kPairEdr, kPairHighQuality,
                                             kPairMicrophone};
constexpr ArchivedRow kPairs4D10From50[] = {kPairVoxPhone, kPairVoxIntercom, kPairEdr, kPairHighQuality,
                                            kPairSidetone, kPairMicrophone};
constexpr ArchivedRow kPairsBelow42[] = {kPairVoxPhone, kPairVoxIntercom, kPairEdr, kPairPlc, kPairHighQuality};
constexpr ArchivedRow kPairsFrom42[] = {kPairVoxPhone, kPairVoxIntercom, kPairEdr, kPairHighQuality};
constexpr ArchivedRow kPairsWithSidetone[] = {kPairVoxPhone, kPairVoxIntercom, kPairEdr, kPairHighQuality,
                                              kPairSidetone};
constexpr ArchivedRow kPairs2020From11[] = {kPairVoxPhone, kPairVoxIntercom, kPairEdr, kPairHighQuality,
                                            kPairSidetone, kPairCalmweave};
constexpr ArchivedRow kPairsEdrToCalmweave[] = {kPairEdr, kPairHighQuality, kPairSidetone, kPairCalmweave};
constexpr ArchivedRow kPairsEdrHighQuality[] = {kPairEdr, kPairHighQuality};
constexpr ArchivedRow kPairs4120[] = {kPairEdr, kPairHighQuality, kPairSidetone, kPairCalmweave, kPairGainControl};
constexpr ArchivedRow kPairsVpEdrPlc[] = {kPairVoxPhone, kPairEdr, kPairPlc};
constexpr ArchivedRow kPairsVpEdrHq[] = {kPairVoxPhone, kPairEdr, kPairHighQuality};
constexpr ArchivedRow kPairsVpEdrHqSt[] = {kPairVoxPhone, kPairEdr, kPairHighQuality, kPairSidetone};
constexpr ArchivedRow kPairs5210[] = {kPairTransmitGain, kPairChannelTimeout};

constexpr ArchivedBand kPairs4D10Bands[] = {Below(4, 0, kPairsBelow40), Below(4, 1, kPairsBelow41),
                                            Below(4, 2, kPairs4D10Below42), Below(5, 0, kPairs4D10Below50),
                                            Rest(kPairs4D10From50)};
constexpr ArchivedBand kPairs4D20Bands[] = {Below(4, 0, kPairsBelow40), Below(4, 1, kPairsBelow41),
                                            Below(4, 2, kPairsBelow42), Below(5, 0, kPairsFrom42),
                                            Rest(kPairsWithSidetone)};
constexpr ArchivedBand kPairs5020Bands[] = {Below(4, 0, kPairsBelow40), Below(4, 1, kPairsBelow41),
                                            Below(4, 2, kPairsBelow42), Rest(kPairsFrom42)};
constexpr ArchivedBand kPairs4D75Bands[] = {Rest(kPairsWithSidetone)};
constexpr ArchivedRow kPairs4040[] = {kPairSidetone};
constexpr ArchivedBand kPairs4040Bands[] = {Rest(kPairs4040)};
constexpr ArchivedBand kPairs2020Bands[] = {Below(1, 1, kPairsWithSidetone), Rest(kPairs2020From11)};
constexpr ArchivedBand kPairs6110Bands[] = {Rest(kPairsEdrToCalmweave)};
constexpr ArchivedBand kPairs4110Bands[] = {Rest(kPairsEdrHighQuality)};
constexpr ArchivedBand kPairs4120Bands[] = {Rest(kPairs4120)};
constexpr ArchivedBand kPairs4D05Bands[] = {Below(1, 2, kPairsVpEdrPlc), Below(2, 0, kPairsVpEdrHq),
                                            Rest(kPairsVpEdrHqSt)};
constexpr ArchivedBand kPairs4D85Bands[] = {Rest(kPairsVpEdrHqSt)};
constexpr ArchivedBand kPairs4020Bands[] = {Rest(kPairsVpEdrHq)};
constexpr ArchivedBand kPairs5210Bands[] = {Rest(kPairs5210)};


constexpr unsigned kAllSections = kBasicMask | kSpeedDialMask | kFmRadioMask;
constexpr unsigned kBasicAndDial = kBasicMask | kSpeedDialMask;

// The products with a list write their speed dial and FM radio texts here
// (the FM radio texts only when their family has them).
constexpr PairGroup kPairGroups[] = {
    {{F::Tkv8}, kAllSections, kPairs4D10Bands},
    {{F::Tkv8n, F::Wpr6kFm}, kAllSections, kPairs4D20Bands},
    {{F::Polylink}, kBasicAndDial, kPairs4D75Bands},
    {{F::Wpr6t}, kBasicAndDial, kPairs5020Bands},
    {{F::Frostline}, kBasicMask, kPairs4040Bands},
    {{F::QLinq}, kBasicAndDial, kPairs2020Bands},
    {{F::Verra}, kBasicAndDial, kPairs6110Bands},
    {{F::Widen}, kBasicAndDial, kPairs4110Bands},
    {{F::Bqr6}, kBasicAndDial, kPairs4120Bands},
    {{F::Tkv3, F::Tkv3Fm}, kAllSections, kPairs4D05Bands},
    {{F::Tkv3Kx}, kAllSections, kPairs4D85Bands},
    {{F::Tkv2}, kEveryKindAlike, kPairs4020Bands},
    {{F::Gzr6}, kEveryKindAlike, kPairs5210Bands},
};

constexpr unsigned PairBit(int pair) { return 1u << pair; }

// ---------------------------------------------------------------------------
// Section texts

// The names and values of the speed-dial section in pairs 1 to 3.
void FillSpeedDial(ArchivedLabels& out, const DeviceSettings& archived, LanguageIndex language)
{
    const CString empty = GetLabelText(EmptyLabels, language);
    for (int n = 0; n < kSpeedDialCount && n < kArchivedPairCount; ++n) {
        out.names[n] = CString::Formatted(L"%s %d:", GetLabelText(SpeedDialLabels, language), n + 1);
        const CString& number = archived.SpeedDialNumbers[n];
        out.values[n] = number.IsEmpty() ? empty : number;
        out.shownPairs |= PairBit(n);
    }
}

// One FM preset as a label shows it: "  1:   87.5 MHz" in the left column
// (after 25 spaces), "10: 107.9 MHz" in the right one.
CString PresetText(int index, int preset, LanguageIndex language)
{
    const CString frequency =
        preset == 0 ? CString(GetLabelText(EmptyLabels, language))
                    : CString::Formatted(L"%s%0.1f MHz", preset < 10000 ? L"  " : L"", preset / 100.0);
    const int number = index + 1;
    return CString::Formatted(L"%s%s%d: %s", index % 2 == 0 ? L"                         " : L"",
                              number < 10 ? L" " : L"", number, frequency.GetString());
}

// The region, the ten presets two to a pair in pairs 1 to 5, and RDS in pair 6.
void FillFmRadio(ArchivedLabels& out, const DeviceSettings& archived, unsigned shown, LanguageIndex language)
{
    out.namesLeftAligned = true;
    out.dateCaption = CString::Formatted(L"%s:", GetLabelText(RadioRegionLabels, language));
    const int region = archived.FmRegion;
    out.date = (region >= 0 && region < static_cast<int>(FmRegionLabels[0].size()))
                   ? CString(GetLabelText(FmRegionLabels, language, region))
                   : CString::Formatted(L"%d", region);
    for (int t = 0; t < kFmPresetCount && t / 2 < kArchivedPairCount - 1; ++t) {
        CString& control = t % 2 == 0 ? out.names[t / 2] : out.values[t / 2];
        control = PresetText(t, archived.FmPresets[t], language);
    }
    out.names[kArchivedPairCount - 1] = CString::Formatted(L"%s:", GetLabelText(RdsAfLabels, language));
    out.values[kArchivedPairCount - 1] = RenderArchivedValue(V::OffWhenZero, archived.FmRds, language);
    out.shownPairs = shown;
}

void FillPairs(ArchivedLabels& out, std::span<const ArchivedRow> pairs, const DeviceSettings& archived,
               LanguageIndex language)
{
    int n = 0;
    for (const ArchivedRow& pair : pairs) {
        if (n >= kArchivedPairCount) break;
        out.names[n] = pair.Label(language) + (pair.spacedColon ? L" :" : L":");
        out.values[n] = pair.ValueText(archived, language);
        out.shownPairs |= PairBit(n);
        ++n;
    }
}

CString VersionText(int productId, const VersionGroup& v)
{
    if (productId == kActionCameraProductId)
        return CString::Formatted(L"v%d.%d.%d.%d", v.SecondaryType, v.SecondaryVersion, v.Major, v.Minor);
    if (ProductTraitsOf(productId).Has(kCombinedChip))
        return CString::Formatted(L"v%d.%d.%d", v.Major, v.Minor, v.SecondaryVersion);
    return CString::Formatted(L"v%d.%d", v.Major, v.Minor);
}

// The longest date text the page takes.
constexpr int kMaxDateLength = 127;

constexpr TextRow kRestorePageTitle = {
    L"Backup Firmware Information",
    L"Info. micrologiciel de sauvegarde",
    L"Backup-Firmware-Infos",
    L"Informazioni firmware di backup",
    L"バックアップファームウェア情報",
    L"백업 펌웨어 정보",
    L"Información del firmware de respaldo",
    L"Back-upfirmware-informatie",
    L"Сведения о резервной прошивке",
    L"备份固件信息",
    L"Varmuuskopion laiteohjelmistotiedot",
};

}  // namespace

CString RenderArchivedValue(ArchivedValueRendering rendering, int value, LanguageIndex language)
{
    const auto index = static_cast<size_t>(rendering);
    if (index >= std::size(kRenderings)) return CString::Formatted(L"%d", value);
    const RenderingRule& rule = kRenderings[index];
    for (const Choice& choice : rule.choices) {
        if (choice.value == value) return choice.text.Text(language);
    }
    switch (rule.otherwise) {
    case Otherwise::Text: return rule.other.Text(language);
    case Otherwise::Number: break;
    case Otherwise::ElevenMinus: return CString::Formatted(L"%d", 11 - value);
    case Otherwise::Seconds: return CString::Formatted(L"%d %s", value, TextLiteral(TextId::TextSeconds, language));
    }
    return CString::Formatted(L"%d", value);
}

CString ArchivedRow::Label(LanguageIndex language) const
{
    const LabelTable* table = gridKind != RowKindId::Count ? GetRowKind(gridKind).label : label;
    return table ? CString(GetLabelText(*table, language)) : CString();
}

int ArchivedRow::Value(const DeviceSettings& record) const
{
    return (gridKind != RowKindId::Count ? GetRowKind(gridKind).source : source).Read(record);
}

CString ArchivedRow::ValueText(const DeviceSettings& record, LanguageIndex language) const
{
    return RenderArchivedValue(rendering, Value(record), language);
}

std::span<const ArchivedRow> ArchivedBandRows(std::span<const ArchivedBand> bands, const DeviceSettings& record)
{
    for (const ArchivedBand& band : bands) {
        if (band.belowMajor < 0 || record.CompareFirmwareVersion(band.belowMajor, band.belowMinor) < 0)
            return band.rows;
    }
    return bands.empty() ? std::span<const ArchivedRow>() : bands.back().rows;
}

std::span<const ArchivedFamily> AllArchivedFamilies()
{
    static const auto families = [] {
        std::array<ArchivedFamily, std::size(kLayoutLists)> all{};
        for (std::size_t i = 0; i < all.size(); ++i) {
            const LayoutList& list = kLayoutLists[i];
            all[i] = {ProductsOfLayout(list.layout), list.bandRecord, list.bands, list.fmPairs};
        }
        return all;
    }();
    return families;
}

const ArchivedFamily* FindArchivedFamily(int productId)
{
    const ListLayout layout = ProductTraitsOf(productId).listLayout;
    if (layout == ListLayout::None)
        return nullptr;
    return &AllArchivedFamilies()[static_cast<std::size_t>(layout) - 1];
}

std::span<const ArchivedRow> ArchivedListRows(int productId, const DeviceSettings& archived,
                                              const DeviceSettings& connected)
{
    const ArchivedFamily* family = FindArchivedFamily(productId);
    if (!family) return {};
    return ArchivedBandRows(family->bands, family->bandRecord == BandRecord::Connected ? connected : archived);
}

ArchivedList BuildArchivedList(int productId, const DeviceSettings& archived, const DeviceSettings& connected,
                               int sectionKind, LanguageIndex language)
{
    ArchivedList list;
    const std::span<const ArchivedRow> rows = ArchivedListRows(productId, archived, connected);
    if (rows.empty()) return list;
    if (sectionKind != kSectionBasic) {
        list.hidden = true;
        return list;
    }
    list.rows.reserve(rows.size());
    for (const ArchivedRow& row : rows) list.rows.push_back({row.Label(language), row.ValueText(archived, language)});
    return list;
}

ArchivedLabels BuildArchivedLabels(int productId, const DeviceSettings& archived, int sectionKind,
                                   int voicePromptItems, LanguageIndex language)
{
    ArchivedLabels out;
    out.title = TextRestorePageTitle(language);

    const CString version = VersionText(productId, archived.Firmware);
    const CString versionWord = TextLiteral(TextId::TextVersion, language);
    out.versionCaptionCentred = voicePromptItems > 0;
    out.versionCaption = out.versionCaptionCentred
                             ? CString::Formatted(L"%s: %s", versionWord.GetString(), version.GetString())
                             : versionWord + L":";
    out.version = version;

    out.dateCaption = CString::Formatted(L"%s:", GetLabelText(DateLabels, language));
    // An archive whose date could not be read keeps the time 0: it shows no date.
    if (archived.ArchiveTime > 0) {
        out.date = CTime(archived.ArchiveTime).Format(DateTimeFormat(language)).Left(kMaxDateLength);
        out.date.Trim();
    }

    if (const PairGroup* group = FindFamilyRow(kPairGroups, productId)) {
        const auto handles = [&](unsigned mask) { return (group->sections & mask) != 0; };
        if (handles(kEveryKindAlike) || (sectionKind == kSectionBasic && handles(kBasicMask)))
            FillPairs(out, ArchivedBandRows(group->bands, archived), archived, language);
        else if (sectionKind == kSectionSpeedDial && handles(kSpeedDialMask))
            FillSpeedDial(out, archived, language);
        else if (sectionKind == kSectionFmRadio && handles(kFmRadioMask))
            FillFmRadio(out, archived, kAllArchivedPairs, language);
    } else if (const ArchivedFamily* family = FindArchivedFamily(productId)) {
        // The basic settings are the list; the pairs carry speed dial and FM radio.
        if (sectionKind == kSectionSpeedDial) FillSpeedDial(out, archived, language);
        else if (sectionKind == kSectionFmRadio && family->fmPairs) FillFmRadio(out, archived, family->fmPairs, language);
    }
    return out;
}

CString TextRestorePageTitle(LanguageIndex language) { return kRestorePageTitle[static_cast<size_t>(TextColumn(language))]; }
