// The row kinds of the settings grid: each setting once, with its label, cell,
// value, help box, gates and coupling. See SettingsRows.h.
#include "settingslist/SettingsRows.h"

#include <array>

namespace {

using K = RowKindId;
using T = RowText;
using S = ValueSource;
using D = DeviceSettings;
using H = HelpTextId;

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

constexpr RowKind Check(K id, const LabelTable& label, S source, Polarity polarity, HelpTextId help, int height,
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
                        HelpTextId help, int height, T argument0 = {})
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
    return Coupled(Check(id, label, S::Accessor(get, set), Polarity::EnableTrue, kNoHelp, 0),
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
    Check(K::AudioBoost, AudioBoostLabels, S::Word(18), Off, H::HelpAudioBoost, 150, T::Of(AudioBoostLabels)),
    Check(K::VoxPhone, VoxPhoneLabels, S::Switch(&D::HandsfreeVOX), On, H::HelpVoxPhone, 150),
    Check(K::VoxIntercom, VoxIntercomLabels, S::Switch(&D::IntercomVOX), On, H::HelpVoxIntercom, 230,
          T::Of(VoxIntercomLabels), T::Of(VoxIntercomLabels)),
    Check(K::HdIntercom, HdIntercomLabels, S::Word(19), On, H::HelpHdIntercom, 160, T::Of(HdIntercomLabels)),
    Check(K::HdVoice, HdVoiceLabels, S::Word(21), On, H::HelpHdVoice, 160),
    Check(K::VoicePrompt, VoicePromptLabels, S::Switch(&D::VoicePrompt), Off, H::HelpVoicePrompt, 130),
    Check(K::FmStationGuide, FmStationGuideLabels, S::Word(20), On, H::HelpFmStationGuide, 190),
    Check(K::HighQualityA2dp, HighQualityA2dpLabels, S::Switch(&D::BitpoolRate), On, H::HelpHighQualityA2dp, 160),
    Check(K::Sidetone, SidetoneLabels, S::Switch(&D::Sidetone), On, H::HelpSidetone, 160),
    Check(K::Calmweave, CalmweaveLabels, S::Switch(&D::Calmweave), Off, H::HelpCalmweave, 160,
          T::Of(CalmweaveLabels)),
    Combo(K::VoxSensitivityLevels5Default3, VoxSensitivityLabels,
          S::Accessor(&D::GetVoxSensitivity, &D::SetVoxSensitivity), FromOne, kLevels5,
          H::HelpVoxSensitivityDefault3, 180),
    Combo(K::VoxSensitivityLevels5Default2, VoxSensitivityLabels,
          S::Accessor(&D::GetVoxSensitivity, &D::SetVoxSensitivity), FromOne, kLevels5,
          H::HelpVoxSensitivityDefault2, 180),
    Combo(K::VoxSensitivityLowMedHigh, VoxSensitivityLabels,
          S::Accessor(&D::GetVoxSensitivity, &D::SetVoxSensitivity), FromOne, kLowMediumHigh,
          H::HelpVoxSensitivityLowMedHigh, 180),
    Combo(K::SmartVolume, SmartVolumeControlLabels, S::Accessor(&D::GetLvrSmartVolume, &D::SetLvrSmartVolume), Same,
          kDisableLowMediumHigh, H::HelpSmartVolume, 170),
    Check(K::LayerlyGps, LayerlyLabels, S::Word(23), On, H::HelpLayerlyGps, 280),
    // Layerly carries intercom over the audio sources, which leaves no room for
    // a source priority or HD intercom: it disables them while it is on.
    Gating(Check(K::Layerly, LayerlyLabels, S::Word(23), On, H::HelpLayerlyFull, 280), kLayerlyGates, true),
    Combo(K::AudioSourcePriority, AudioSourcePriorityLabels, S::Word(22), Same, kIntercomMusic,
          H::HelpAudioSourcePriority, 230),
    Check(K::SmartNaviSystem, SmartNaviSystemLabels, S::Word(24), On, H::HelpSmartNaviSystem, 180),

    // Word 2 (ESS lights).
    Combo(K::EssStatus, EssStatusLabels, S::Accessor(&D::GetBasicWord2Bits0To1, &D::SetBasicWord2Bits0To1), Same,
          kEssStatus, H::HelpEssStatus, 200),
    Combo(K::EssSensitivity, EssSensitivityLabels,
          S::Accessor(&D::GetBasicWord2Bits2To3, &D::SetBasicWord2Bits2To3), FromOne, kLowMediumHigh,
          H::HelpEssSensitivity, 200),

    // Word 0, 2 and 3 of the products with a word-2 switch set; every check box
    // here holds 1 for on.
    Gating(Check(K::BlendcastW2, BlendcastLabels, S::Accessor(&D::GetBasicBlendcast, &D::SetBasicBlendcast), On,
                 H::HelpBlendcast, 260, T::Of(BlendcastLabels), T::Of(FmRadioLabels)),
           kBlendcastGates),
    Combo(K::OverlaySensitivity10, IntercomOverlaySensitivityLabels,
          S::Accessor(&D::GetBasicWord0, &D::SetBasicWord0), FromTen, kLevels10, H::HelpOverlaySensitivity10, 240,
          T::Of(BlendcastLabels)),
    Check(K::NavigationAppSupportW2, NavigationAppSupportLabels,
          S::Accessor(&D::GetBasicWord2Bit9, &D::SetBasicWord2Bit9), On, H::HelpNavigationAppSupport, 190,
          T::Of(BlendcastLabels), T::Of(BlendcastLabels)),
    Check(K::LayerlyVolumeManagementW2, LayerlyVolumeManagementLabels,
          S::Accessor(&D::GetBasicWord2Bit9, &D::SetBasicWord2Bit9), On, H::HelpLayerlyVolumeManagement, 220),
    Check(K::AudioBoostW2, AudioBoostLabels, S::Accessor(&D::GetBasicAudioBoost, &D::SetBasicAudioBoost), On,
          H::HelpAudioBoost, 150, T::Of(AudioBoostLabels)),
    Combo(K::SmartVolumeW2, SmartVolumeControlLabels,
          S::Accessor(&D::GetBasicWord2Bits1To4, &D::SetBasicWord2Bits1To4), Same, kDisableLowMediumHigh,
          H::HelpSmartVolume, 170),
    Combo(K::MotionSensorSensitivity, MotionSensorSensitivityLabels,
          S::Accessor(&D::GetBasicWord3, &D::SetBasicWord3), FromOne, kDisableLowHigh,
          H::HelpMotionSensorSensitivity, 170, T::ModelName()),
    Check(K::VoxPhoneW2, VoxPhoneLabels, S::Accessor(&D::GetBasicVoxPhone, &D::SetBasicVoxPhone), On,
          H::HelpVoxPhone, 150),
    Check(K::HdIntercomW2, HdIntercomLabels, S::Accessor(&D::GetBasicHdIntercom, &D::SetBasicHdIntercom), On,
          H::HelpHdIntercom, 160, T::Of(HdIntercomLabels)),
    Check(K::EightWayIntercomW2, EightWayIntercomLabels,
          S::Accessor(&D::GetBasicEightWayIntercom, &D::SetBasicEightWayIntercom), On, H::HelpEightWayIntercom, 190,
          T::Of(EightWayIntercomLabels), T::Of(EightWayIntercomLabels)),
    Check(K::VoicePromptW2, VoicePromptLabels, S::Accessor(&D::GetBasicVoicePrompt, &D::SetBasicVoicePrompt), On,
          H::HelpVoicePrompt, 130),
    Check(K::FmStationGuideW2, FmStationGuideLabels,
          S::Accessor(&D::GetBasicFmStationGuide, &D::SetBasicFmStationGuide), On, H::HelpFmStationGuide, 190),
    Check(K::SidetoneW2, SidetoneLabels, S::Accessor(&D::GetBasicSidetone, &D::SetBasicSidetone), On,
          H::HelpSidetone, 160),
    Check(K::CalmweaveW2, CalmweaveLabels, S::Accessor(&D::GetBasicCalmweave, &D::SetBasicCalmweave), On,
          H::HelpCalmweave, 160, T::Of(CalmweaveLabels)),
    Check(K::VoiceCommandW2, VoiceCommandLabels, S::Accessor(&D::GetBasicVoiceCommand, &D::SetBasicVoiceCommand),
          On, H::HelpVoiceCommand, 180),

    // The camera (words 10 and 12).
    Combo(K::PhotoMode, PhotoModeLabels, S::Accessor(&D::GetCameraWord10Bit0, &D::SetCameraWord10Bit0), Same,
          kPhotoModes, H::HelpPhotoMode, 170),
    Combo(K::VideoMode2, VideoModeLabels, S::Accessor(&D::GetCameraVideoMode, &D::SetCameraVideoMode), Same,
          kVideoModes2, H::HelpVideoModeTwoModes, 190),
    Combo(K::VideoMode3, VideoModeLabels, S::Accessor(&D::GetCameraVideoMode, &D::SetCameraVideoMode), Same,
          kVideoModes3, H::HelpVideoModeThreeModes, 250),
    Combo(K::VideoResolution, VideoResolutionLabels,
          S::Accessor(&D::GetCameraVideoResolution, &D::SetCameraVideoResolution), Same, kResolutions,
          H::HelpVideoResolution, 160),
    Combo(K::TimelapseInterval, TimelapseIntervalLabels,
          S::Accessor(&D::GetCameraTimelapseInterval, &D::SetCameraTimelapseInterval), Same, kSeconds,
          H::HelpTimelapseInterval, 160),
    Combo(K::VideoTaggingInterval, VideoTaggingIntervalLabels,
          S::Accessor(&D::GetCameraVideoTaggingInterval, &D::SetCameraVideoTaggingInterval), Same, kMinutes,
          H::HelpVideoTaggingInterval, 160),
    Combo(K::LoopRecordingInterval, LoopRecordingIntervalLabels,
          S::Accessor(&D::GetCameraLoopRecordingInterval, &D::SetCameraLoopRecordingInterval), Same, kMinutes,
          H::HelpLoopRecordingInterval, 160),
    Combo(K::VideoMicrophoneGain, VideoMicrophoneGainLabels,
          S::Accessor(&D::GetCameraVideoMicrophoneGain, &D::SetCameraVideoMicrophoneGain), Same, kLowMediumHigh,
          H::HelpVideoMicrophoneGain, 160),
    Check(K::DateCaption, DateCaptionLabels, S::Accessor(&D::GetCameraDateCaption, &D::SetCameraDateCaption), On,
          H::HelpDateCaption, 170),
    Coupled(Gating(Check(K::SpeakerSoundRecording, SpeakerSoundRecordingLabels,
                         S::Accessor(&D::GetCameraSpeakerSoundRecording, &D::SetCameraSpeakerSoundRecording), On,
                         H::HelpSpeakerSoundRecording, 190, T::Of(SpeakerSoundRecordingLabels),
                         T::Of(SpeakerSoundRecordingLabels)),
                   kSoundSources),
            CoupleSoundRecording),
    Source(K::SourceMusic, SourceMusicLabels, &D::GetCameraSourceMusic, &D::SetCameraSourceMusic),
    Source(K::SourceFmRadio, SourceFmRadioLabels, &D::GetCameraSourceFmRadio, &D::SetCameraSourceFmRadio),
    Source(K::SourceIntercom, SourceIntercomLabels, &D::GetCameraSourceIntercom, &D::SetCameraSourceIntercom),
    Source(K::SourcePhone, SourcePhoneLabels, &D::GetCameraSourcePhone, &D::SetCameraSourcePhone),
    Check(K::AutoCameraSleep, AutoCameraSleepLabels, S::Accessor(&D::GetCameraAutoSleep, &D::SetCameraAutoSleep), On,
          H::HelpAutoCameraSleep, 200, T::Of(AutoCameraSleepLabels), T::Of(AutoCameraSleepLabels)),

    // Words 0 and 1 of the product that keeps its settings there.
    Check(K::AudioBoostW0, AudioBoostLabels, S::WordBit(0, 10), Off, H::HelpAudioBoost, 150,
          T::Of(AudioBoostLabels)),
    Check(K::VoxPhoneW0, VoxPhoneLabels, S::WordBit(0, 0), On, H::HelpVoxPhone, 150),
    Check(K::VoxIntercomW0, VoxIntercomLabels, S::WordBit(0, 1), On, H::HelpVoxIntercom, 230,
          T::Of(VoxIntercomLabels), T::Of(VoxIntercomLabels)),
    Check(K::HdIntercomW0, HdIntercomLabels, S::WordBit(0, 11), On, H::HelpHdIntercom, 160,
          T::Of(HdIntercomLabels)),
    Check(K::VoicePromptW0, VoicePromptLabels, S::WordBit(0, 3), Off, H::HelpVoicePrompt, 130),
    Check(K::HighQualityA2dpW0, HighQualityA2dpLabels, S::WordBit(0, 5), On, H::HelpHighQualityA2dp, 160),
    Check(K::SidetoneW0, SidetoneLabels, S::WordBit(0, 8), On, H::HelpSidetone, 160),
    Check(K::CalmweaveW0, CalmweaveLabels, S::WordBit(0, 9), Off, H::HelpCalmweave, 160, T::Of(CalmweaveLabels)),
    Check(K::FmStationGuideW0, FmStationGuideLabels, S::WordBit(0, 12), On, H::HelpFmStationGuide, 190),
    Check(K::GuestModeW0, GuestModeLabels, S::WordBit(0, 15), On, H::HelpGuestMode, 260),
    Combo(K::VoxSensitivityW1, VoxSensitivityLabels,
          S::Accessor(&D::GetBasicWord1Bits0To2, &D::SetBasicWord1Bits0To2), FromOne, kLevels5,
          H::HelpVoxSensitivityDefault3, 180),
    Combo(K::SmartVolumeW1, SmartVolumeControlLabels,
          S::Accessor(&D::GetBasicWord1Bits3To5, &D::SetBasicWord1Bits3To5), Same, kDisableLowMediumHigh,
          H::HelpSmartVolume, 170),
    Check(K::LayerlyVolumeManagementW1, LayerlyVolumeManagementLabels, S::WordBit(1, 6), On,
          H::HelpLayerlyVolumeManagement, 220),
    Combo(K::OverlaySensitivityW1, IntercomOverlaySensitivityLabels,
          S::Accessor(&D::GetBasicWord1Bits7To9, &D::SetBasicWord1Bits7To9), FromOne, kLevels5,
          H::HelpOverlaySensitivity5, 240),
    Check(K::VoiceCommandW1, VoiceCommandLabels, S::WordBit(1, 10), On, H::HelpVoiceCommand, 180),
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

} // namespace

const RowKind& GetRowKind(RowKindId id)
{
    const int index = static_cast<int>(id);
    return kKinds[(index >= 0 && index < kRowKindCount) ? index : 0];
}
