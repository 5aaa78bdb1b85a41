// The row kinds of the settings grid: each setting once, with its label, cell,
// value, help box, gates and coupling. See SettingsRows.h.
#include "settingslist/SettingsRows.h"

#include <array>

namespace {

using K = RowKindId;
using T = RowText;
using S = ValueSource;
using D = DeviceSettings;

// ---- Combo items, in display order

constexpr T kLevels10[] = {T::Level(1), T::Level(2), T::Level(3), T::Level(4), T::Level(5),
                           T::Level(6), T::Level(7), T::Level(8), T::Level(9), T::Level(10)};
constexpr T kLevels5[] = {T::Level(1), T::Level(2), T::Level(3), T::Level(4), T::Level(5)};
constexpr T kLowMediumHigh[] = {T::LowMediumHigh(0), T::LowMediumHigh(1), T::LowMediumHigh(2)};
constexpr T kDisableLowMediumHigh[] = {T::Disable(), T::LowMediumHigh(0), T::LowMediumHigh(1), T::LowMediumHigh(2)};
constexpr T kDisableLowHigh[] = {T::Disable(), T::LowMediumHigh(0), T::LowMediumHigh(2)};
constexpr T kIntercomMusic[] = {T::Of(IntercomLabels), T::Of(MusicLabels)};
constexpr T kEssStatus[] = {T::Of(EssOnLabels), T::Of(PositionLightEssOnLabels), T::Of(FogLightEssOnLabels),
                            T::Of(EssOffLabels)};
constexpr T kPhotoModes[] = {T::Of(SingleShotLabels), T::Of(BurstShotLabels)};
constexpr T kVideoModes2[] = {T::Of(VideoModeLabels), T::Of(TimelapseModeLabels)};
constexpr T kVideoModes3[] = {T::Of(VideoModeLabels), T::Of(TimelapseModeLabels), T::Of(LoopRecordingModeLabels)};
constexpr T kResolutions[] = {T::Of(Resolution1080p30Labels), T::Of(Resolution720p60Labels),
                              T::Of(Resolution720p30Labels)};
constexpr T kSeconds[] = {T::Of(Interval1SecLabels), T::Of(Interval10SecLabels)};
constexpr T kMinutes[] = {T::Of(Interval1MinLabels), T::Of(Interval3MinLabels), T::Of(Interval5MinLabels)};

// ---- Gates

constexpr K kBlendcastGates[] = {K::OverlaySensitivity10, K::NavigationAppSupportW2, K::LayerlyVolumeManagementW2};
constexpr K kLayerlyGates[] = {K::AudioSourcePriority, K::HdIntercom};
constexpr K kSoundSources[] = {K::SourceMusic, K::SourceFmRadio, K::SourceIntercom, K::SourcePhone};

// ---- Couplings of the camera's sound recording and its four sources

// Switching sound recording on with no source chosen chooses music, FM radio
// and intercom.
void CoupleSoundRecording(D& record)
{
    if (record.GetCameraSpeakerSoundRecording() && record.HasNoCameraSource()) {
        record.SetCameraSourceMusic(1);
        record.SetCameraSourceFmRadio(1);
        record.SetCameraSourceIntercom(1);
    }
}

// Switching the last source off switches sound recording off.
void CoupleSoundSource(D& record)
{
    if (record.HasNoCameraSource())
        record.SetCameraSpeakerSoundRecording(0);
}

// ---- Kind builders

constexpr RowKind Check(K id, const LabelTable& label, S source, Polarity polarity, HelpId help, int height,
                        T argument0 = {}, T argument1 = {})
{
    RowKind kind{id, &label, CellKind::CheckBox, source};
    kind.polarity = polarity;
    kind.help = help;
    kind.helpHeight = height;
    kind.helpArguments[0] = argument0;
    kind.helpArguments[1] = argument1;
    return kind;
}

constexpr RowKind Combo(K id, const LabelTable& label, S source, IndexMapping mapping, std::span<const T> items,
                        HelpId help, int height, T argument0 = {})
{
    RowKind kind{id, &label, CellKind::Combo, source};
    kind.mapping = mapping;
    kind.items = items;
    kind.help = help;
    kind.helpHeight = height;
    kind.helpArguments[0] = argument0;
    return kind;
}

constexpr RowKind Gating(RowKind kind, std::span<const K> gates, bool reversed = false)
{
    kind.gates = gates;
    kind.gateReversed = reversed;
    return kind;
}

constexpr RowKind Coupled(RowKind kind, void (*coupling)(D&))
{
    kind.coupling = coupling;
    return kind;
}

// A source row: no help button.
constexpr RowKind Source(K id, const LabelTable& label, int (D::*get)() const, void (D::*set)(int))
{
    return Coupled(Check(id, label, S::Accessor(get, set), Polarity::EnableTrue, HelpId::None, 0),
                   CoupleSoundSource);
}

constexpr auto On = Polarity::EnableTrue;
constexpr auto Off = Polarity::DisableTrue;
constexpr auto Same = IndexMapping::Value;
constexpr auto FromOne = IndexMapping::ValueMinusOne;
constexpr auto FromTen = IndexMapping::TenMinusValue;

// In RowKindId order.
constexpr RowKind kKinds[] = {
    // Switches and words 14 to 24.
    Check(K::AudioBoost, AudioBoostLabels, S::Word(18), Off, HelpId::AudioBoost, 150, T::Of(AudioBoostLabels)),
    Check(K::VoxPhone, VoxPhoneLabels, S::Switch(&D::HandsfreeVOX), On, HelpId::VoxPhone, 150),
    Check(K::VoxIntercom, VoxIntercomLabels, S::Switch(&D::IntercomVOX), On, HelpId::VoxIntercom, 230,
          T::Of(VoxIntercomLabels), T::Of(VoxIntercomLabels)),
    Check(K::HdIntercom, HdIntercomLabels, S::Word(19), On, HelpId::HdIntercom, 160, T::Of(HdIntercomLabels)),
    Check(K::HdVoice, HdVoiceLabels, S::Word(21), On, HelpId::HdVoice, 160),
    Check(K::VoicePrompt, VoicePromptLabels, S::Switch(&D::VoicePrompt), Off, HelpId::VoicePrompt, 130),
    Check(K::FmStationGuide, FmStationGuideLabels, S::Word(20), On, HelpId::FmStationGuide, 190),
    Check(K::HighQualityA2dp, HighQualityA2dpLabels, S::Switch(&D::BitpoolRate), On, HelpId::HighQualityA2dp, 160),
    Check(K::Sidetone, SidetoneLabels, S::Switch(&D::Sidetone), On, HelpId::Sidetone, 160),
    Check(K::Calmweave, CalmweaveLabels, S::Switch(&D::Calmweave), Off, HelpId::Calmweave, 160,
          T::Of(CalmweaveLabels)),
    Combo(K::VoxSensitivityLevels5Default3, VoxSensitivityLabels,
          S::Accessor(&D::GetVoxSensitivity, &D::SetVoxSensitivity), FromOne, kLevels5,
          HelpId::VoxSensitivityDefault3, 180),
    Combo(K::VoxSensitivityLevels5Default2, VoxSensitivityLabels,
          S::Accessor(&D::GetVoxSensitivity, &D::SetVoxSensitivity), FromOne, kLevels5,
          HelpId::VoxSensitivityDefault2, 180),
    Combo(K::VoxSensitivityLowMedHigh, VoxSensitivityLabels,
          S::Accessor(&D::GetVoxSensitivity, &D::SetVoxSensitivity), FromOne, kLowMediumHigh,
          HelpId::VoxSensitivityLowMedHigh, 180),
    Combo(K::SmartVolume, SmartVolumeControlLabels, S::Accessor(&D::GetLvrSmartVolume, &D::SetLvrSmartVolume), Same,
          kDisableLowMediumHigh, HelpId::SmartVolume, 170),
    Check(K::LayerlyGps, LayerlyLabels, S::Word(23), On, HelpId::LayerlyGps, 280),
    // Layerly carries intercom over the audio sources, which leaves no room for
    // a source priority or HD intercom: it disables them while it is on.
    Gating(Check(K::Layerly, LayerlyLabels, S::Word(23), On, HelpId::LayerlyFull, 280), kLayerlyGates, true),
    Combo(K::AudioSourcePriority, AudioSourcePriorityLabels, S::Word(22), Same, kIntercomMusic,
          HelpId::AudioSourcePriority, 230),
    Check(K::SmartNaviSystem, SmartNaviSystemLabels, S::Word(24), On, HelpId::SmartNaviSystem, 180),

    // Word 2 (ESS lights).
    Combo(K::EssStatus, EssStatusLabels, S::Accessor(&D::GetBasicWord2Bits0To1, &D::SetBasicWord2Bits0To1), Same,
          kEssStatus, HelpId::EssStatus, 200),
    Combo(K::EssSensitivity, EssSensitivityLabels,
          S::Accessor(&D::GetBasicWord2Bits2To3, &D::SetBasicWord2Bits2To3), FromOne, kLowMediumHigh,
          HelpId::EssSensitivity, 200),

    // Word 0, 2 and 3 of the products with a word-2 switch set; every check box
    // here holds 1 for on.
    Gating(Check(K::BlendcastW2, BlendcastLabels, S::Accessor(&D::GetBasicBlendcast, &D::SetBasicBlendcast), On,
                 HelpId::Blendcast, 260, T::Of(BlendcastLabels), T::Of(FmRadioLabels)),
           kBlendcastGates),
    Combo(K::OverlaySensitivity10, IntercomOverlaySensitivityLabels,
          S::Accessor(&D::GetBasicWord0, &D::SetBasicWord0), FromTen, kLevels10, HelpId::OverlaySensitivity10, 240,
          T::Of(BlendcastLabels)),
    Check(K::NavigationAppSupportW2, NavigationAppSupportLabels,
          S::Accessor(&D::GetBasicWord2Bit9, &D::SetBasicWord2Bit9), On, HelpId::NavigationAppSupport, 190,
          T::Of(BlendcastLabels), T::Of(BlendcastLabels)),
    Check(K::LayerlyVolumeManagementW2, LayerlyVolumeManagementLabels,
          S::Accessor(&D::GetBasicWord2Bit9, &D::SetBasicWord2Bit9), On, HelpId::LayerlyVolumeManagement, 220),
    Check(K::AudioBoostW2, AudioBoostLabels, S::Accessor(&D::GetBasicAudioBoost, &D::SetBasicAudioBoost), On,
          HelpId::AudioBoost, 150, T::Of(AudioBoostLabels)),
    Combo(K::SmartVolumeW2, SmartVolumeControlLabels,
          S::Accessor(&D::GetBasicWord2Bits1To4, &D::SetBasicWord2Bits1To4), Same, kDisableLowMediumHigh,
          HelpId::SmartVolume, 170),
    Combo(K::MotionSensorSensitivity, MotionSensorSensitivityLabels,
          S::Accessor(&D::GetBasicWord3, &D::SetBasicWord3), FromOne, kDisableLowHigh,
          HelpId::MotionSensorSensitivity, 170, T::ModelName()),
    Check(K::VoxPhoneW2, VoxPhoneLabels, S::Accessor(&D::GetBasicVoxPhone, &D::SetBasicVoxPhone), On,
          HelpId::VoxPhone, 150),
    Check(K::HdIntercomW2, HdIntercomLabels, S::Accessor(&D::GetBasicHdIntercom, &D::SetBasicHdIntercom), On,
          HelpId::HdIntercom, 160, T::Of(HdIntercomLabels)),
    Check(K::EightWayIntercomW2, EightWayIntercomLabels,
          S::Accessor(&D::GetBasicEightWayIntercom, &D::SetBasicEightWayIntercom), On, HelpId::EightWayIntercom, 190,
          T::Of(EightWayIntercomLabels), T::Of(EightWayIntercomLabels)),
    Check(K::VoicePromptW2, VoicePromptLabels, S::Accessor(&D::GetBasicVoicePrompt, &D::SetBasicVoicePrompt), On,
          HelpId::VoicePrompt, 130),
    Check(K::FmStationGuideW2, FmStationGuideLabels,
          S::Accessor(&D::GetBasicFmStationGuide, &D::SetBasicFmStationGuide), On, HelpId::FmStationGuide, 190),
    Check(K::SidetoneW2, SidetoneLabels, S::Accessor(&D::GetBasicSidetone, &D::SetBasicSidetone), On,
          HelpId::Sidetone, 160),
    Check(K::CalmweaveW2, CalmweaveLabels, S::Accessor(&D::GetBasicCalmweave, &D::SetBasicCalmweave), On,
          HelpId::Calmweave, 160, T::Of(CalmweaveLabels)),
    Check(K::VoiceCommandW2, VoiceCommandLabels, S::Accessor(&D::GetBasicVoiceCommand, &D::SetBasicVoiceCommand),
          On, HelpId::VoiceCommand, 180),

    // The camera (words 10 and 12).
    Combo(K::PhotoMode, PhotoModeLabels, S::Accessor(&D::GetCameraWord10Bit0, &D::SetCameraWord10Bit0), Same,
          kPhotoModes, HelpId::PhotoMode, 170),
    Combo(K::VideoMode2, VideoModeLabels, S::Accessor(&D::GetCameraVideoMode, &D::SetCameraVideoMode), Same,
          kVideoModes2, HelpId::VideoMode, 190),
    Combo(K::VideoMode3, VideoModeLabels, S::Accessor(&D::GetCameraVideoMode, &D::SetCameraVideoMode), Same,
          kVideoModes3, HelpId::VideoMode, 250),
    Combo(K::VideoResolution, VideoResolutionLabels,
          S::Accessor(&D::GetCameraVideoResolution, &D::SetCameraVideoResolution), Same, kResolutions,
          HelpId::VideoResolution, 160),
    Combo(K::TimelapseInterval, TimelapseIntervalLabels,
          S::Accessor(&D::GetCameraTimelapseInterval, &D::SetCameraTimelapseInterval), Same, kSeconds,
          HelpId::TimelapseInterval, 160),
    Combo(K::VideoTaggingInterval, VideoTaggingIntervalLabels,
          S::Accessor(&D::GetCameraVideoTaggingInterval, &D::SetCameraVideoTaggingInterval), Same, kMinutes,
          HelpId::VideoTaggingInterval, 160),
    Combo(K::LoopRecordingInterval, LoopRecordingIntervalLabels,
          S::Accessor(&D::GetCameraLoopRecordingInterval, &D::SetCameraLoopRecordingInterval), Same, kMinutes,
          HelpId::LoopRecordingInterval, 160),
    Combo(K::VideoMicrophoneGain, VideoMicrophoneGainLabels,
          S::Accessor(&D::GetCameraVideoMicrophoneGain, &D::SetCameraVideoMicrophoneGain), Same, kLowMediumHigh,
          HelpId::VideoMicrophoneGain, 160),
    Check(K::DateCaption, DateCaptionLabels, S::Accessor(&D::GetCameraDateCaption, &D::SetCameraDateCaption), On,
          HelpId::DateCaption, 170),
    Coupled(Gating(Check(K::SpeakerSoundRecording, SpeakerSoundRecordingLabels,
                         S::Accessor(&D::GetCameraSpeakerSoundRecording, &D::SetCameraSpeakerSoundRecording), On,
                         HelpId::SpeakerSoundRecording, 190, T::Of(SpeakerSoundRecordingLabels),
                         T::Of(SpeakerSoundRecordingLabels)),
                   kSoundSources),
            CoupleSoundRecording),
    Source(K::SourceMusic, SourceMusicLabels, &D::GetCameraSourceMusic, &D::SetCameraSourceMusic),
    Source(K::SourceFmRadio, SourceFmRadioLabels, &D::GetCameraSourceFmRadio, &D::SetCameraSourceFmRadio),
    Source(K::SourceIntercom, SourceIntercomLabels, &D::GetCameraSourceIntercom, &D::SetCameraSourceIntercom),
    Source(K::SourcePhone, SourcePhoneLabels, &D::GetCameraSourcePhone, &D::SetCameraSourcePhone),
    Check(K::AutoCameraSleep, AutoCameraSleepLabels, S::Accessor(&D::GetCameraAutoSleep, &D::SetCameraAutoSleep), On,
          HelpId::AutoCameraSleep, 200, T::Of(AutoCameraSleepLabels), T::Of(AutoCameraSleepLabels)),

    // Words 0 and 1 of the product that keeps its settings there.
    Check(K::AudioBoostW0, AudioBoostLabels, S::WordBit(0, 10), Off, HelpId::AudioBoost, 150,
          T::Of(AudioBoostLabels)),
    Check(K::VoxPhoneW0, VoxPhoneLabels, S::WordBit(0, 0), On, HelpId::VoxPhone, 150),
    Check(K::VoxIntercomW0, VoxIntercomLabels, S::WordBit(0, 1), On, HelpId::VoxIntercom, 230,
          T::Of(VoxIntercomLabels), T::Of(VoxIntercomLabels)),
    Check(K::HdIntercomW0, HdIntercomLabels, S::WordBit(0, 11), On, HelpId::HdIntercom, 160,
          T::Of(HdIntercomLabels)),
    Check(K::VoicePromptW0, VoicePromptLabels, S::WordBit(0, 3), Off, HelpId::VoicePrompt, 130),
    Check(K::HighQualityA2dpW0, HighQualityA2dpLabels, S::WordBit(0, 5), On, HelpId::HighQualityA2dp, 160),
    Check(K::SidetoneW0, SidetoneLabels, S::WordBit(0, 8), On, HelpId::Sidetone, 160),
    Check(K::CalmweaveW0, CalmweaveLabels, S::WordBit(0, 9), Off, HelpId::Calmweave, 160, T::Of(CalmweaveLabels)),
    Check(K::FmStationGuideW0, FmStationGuideLabels, S::WordBit(0, 12), On, HelpId::FmStationGuide, 190),
    Check(K::GuestModeW0, GuestModeLabels, S::WordBit(0, 15), On, HelpId::GuestMode, 260),
    Combo(K::VoxSensitivityW1, VoxSensitivityLabels,
          S::Accessor(&D::GetBasicWord1Bits0To2, &D::SetBasicWord1Bits0To2), FromOne, kLevels5,
          HelpId::VoxSensitivityDefault3, 180),
    Combo(K::SmartVolumeW1, SmartVolumeControlLabels,
          S::Accessor(&D::GetBasicWord1Bits3To5, &D::SetBasicWord1Bits3To5), Same, kDisableLowMediumHigh,
          HelpId::SmartVolume, 170),
    Check(K::LayerlyVolumeManagementW1, LayerlyVolumeManagementLabels, S::WordBit(1, 6), On,
          HelpId::LayerlyVolumeManagement, 220),
    Combo(K::OverlaySensitivityW1, IntercomOverlaySensitivityLabels,
          S::Accessor(&D::GetBasicWord1Bits7To9, &D::SetBasicWord1Bits7To9), FromOne, kLevels5,
          HelpId::OverlaySensitivity5, 240),
    Check(K::VoiceCommandW1, VoiceCommandLabels, S::WordBit(1, 10), On, HelpId::VoiceCommand, 180),
};

static_assert(std::size(kKinds) == kRowKindCount, "one kind per RowKindId");

constexpr bool KindsInIdOrder()
{
    for (int i = 0; i < kRowKindCount; ++i) {
        if (static_cast<int>(kKinds[i].id) != i)
            return false;
    }
    return true;
}
static_assert(KindsInIdOrder(), "kinds listed in RowKindId order");

constexpr bool CombosFit()
{
    for (const RowKind& kind : kKinds) {
        if (kind.cell == CellKind::Combo && (kind.items.empty() || kind.items.size() > kMaxComboItems))
            return false;
        if (kind.cell == CellKind::CheckBox && !kind.items.empty())
            return false;
    }
    return true;
}
static_assert(CombosFit(), "every combo has 1 to kMaxComboItems items, no check box has any");

constexpr const char* kHelpNames[] = {
    "None", "HighQualityA2dp", "Sidetone", "Calmweave", "MotionSensorSensitivity", "NavigationAppSupport",
    "Blendcast", "OverlaySensitivity10", "OverlaySensitivity5", "AudioBoost", "VoxSensitivityDefault3",
    "VoxSensitivityDefault2", "VoxSensitivityLowMedHigh", "VoxPhone", "HdIntercom", "EightWayIntercom",
    "VoicePrompt", "VoxIntercom", "PhotoMode", "VideoResolution", "TimelapseInterval", "VideoTaggingInterval",
    "LoopRecordingInterval", "VideoMicrophoneGain", "DateCaption", "SpeakerSoundRecording", "AutoCameraSleep",
    "SmartVolume", "FmStationGuide", "HdVoice", "AudioSourcePriority", "LayerlyFull", "LayerlyGps",
    "SmartNaviSystem", "GuestMode", "LayerlyVolumeManagement", "VoiceCommand", "VideoMode", "EssStatus",
    "EssSensitivity",
};
static_assert(std::size(kHelpNames) == kHelpIdCount, "one name per HelpId");

} // namespace

const RowKind& GetRowKind(RowKindId id)
{
    const int index = static_cast<int>(id);
    return kKinds[(index >= 0 && index < kRowKindCount) ? index : 0];
}

const char* HelpName(HelpId id)
{
    const int index = static_cast<int>(id);
    return (index >= 0 && index < kHelpIdCount) ? kHelpNames[index] : "";
}
