// Label tables: the names of settings and their option values in the eleven
// user-interface languages, read by the settings pages, the settings grid, the
// firmware pages and the restore page.
//
// Every table is constant data in LanguageIndex order (0 English, 1 French,
// 2 German, 3 Italian, 4 Japanese, 5 Korean, 6 Spanish, 7 Dutch, 8 Russian,
// 9 Chinese, 10 Finnish). The tables with several items per language are laid
// out language first: entry [language][item].
//
// Read them through GetLabelText, which never indexes a table with an
// unchecked value: a language outside 0 to 10 gives the English entry, an item
// outside the table gives an empty text.
#pragma once

#include <array>
#include <cstddef>
#include <span>

#include "framework/CString.h"

inline constexpr int kLabelLanguageCount = 11;

// One label in the eleven languages.
using LabelTable = std::array<const wchar_t*, kLabelLanguageCount>;
// Several labels (items) per language, language first.
template <std::size_t Items>
using LabelItemTable = std::array<std::array<const wchar_t*, Items>, kLabelLanguageCount>;

extern const LabelItemTable<3> LowMediumHighLabels;   // Low, Medium, High
extern const LabelItemTable<6> FmRegionLabels;        // in FM region order 0 to 5
extern const LabelTable DateLabels;
extern const LabelTable VoxIntercomLabels;
extern const LabelTable VoxPhoneLabels;
extern const LabelTable EdrLabels;
extern const LabelTable EdrShortLabels;
extern const LabelTable VoicePromptLabels;
extern const LabelTable PlcLabels;
extern const LabelTable HighQualityA2dpLabels;
extern const LabelTable MicrophoneBoostingLabels;
extern const LabelTable SidetoneLabels;
extern const LabelTable CalmweaveLabels;
extern const LabelTable AutoGainControlLabels;
extern const LabelTable RadioTransmitGainLabels;
extern const LabelTable AudioChannelTimeoutLabels;
extern const LabelTable AudioBoostLabels;
extern const LabelTable RadioRegionLabels;
extern const LabelTable RegionLabels;
extern const LabelTable FmRadioPresetsLabels;
extern const LabelTable FmRadioLabels;
extern const LabelTable PresetsLabels;
extern const LabelTable BasicLabels;
extern const LabelTable SpeedDialLabels;
extern const LabelTable MoreLabels;
extern const LabelTable EmptyLabels;
extern const LabelTable RdsAfLabels;
extern const LabelTable MotionSensorSensitivityLabels;
extern const LabelTable BlendcastLabels;
extern const LabelTable IntercomOverlaySensitivityLabels;
extern const LabelTable NavigationAppSupportLabels;
extern const LabelTable VoxSensitivityLabels;
extern const LabelTable HdIntercomLabels;
extern const LabelTable EightWayIntercomLabels;
extern const LabelTable PhotoModeLabels;
extern const LabelTable SingleShotLabels;
extern const LabelTable BurstShotLabels;
extern const LabelTable VideoModeLabels;
extern const LabelTable TimelapseModeLabels;
extern const LabelTable LoopRecordingModeLabels;
extern const LabelTable VideoResolutionLabels;
extern const LabelTable Resolution1080p30Labels;
extern const LabelTable Resolution720p60Labels;
extern const LabelTable Resolution720p30Labels;
extern const LabelTable TimelapseIntervalLabels;
extern const LabelTable VideoTaggingIntervalLabels;
extern const LabelTable LoopRecordingIntervalLabels;
extern const LabelTable VideoMicrophoneGainLabels;
extern const LabelTable Interval1MinLabels;
extern const LabelTable Interval3MinLabels;
extern const LabelTable Interval5MinLabels;
extern const LabelTable Interval1SecLabels;
extern const LabelTable Interval10SecLabels;
extern const LabelTable DateCaptionLabels;
extern const LabelTable SpeakerSoundRecordingLabels;
extern const LabelTable SourceMusicLabels;
extern const LabelTable SourceFmRadioLabels;
extern const LabelTable SourceIntercomLabels;
extern const LabelTable SourcePhoneLabels;
extern const LabelTable AutoCameraSleepLabels;
extern const LabelTable SmartVolumeControlLabels;
extern const LabelTable FmStationGuideLabels;
extern const LabelTable HdVoiceLabels;
extern const LabelTable AudioSourcePriorityLabels;
extern const LabelTable LayerlyLabels;
extern const LabelTable SmartNaviSystemLabels;
extern const LabelTable MusicLabels;
extern const LabelTable IntercomLabels;
extern const LabelTable GuestModeLabels;
extern const LabelTable VoiceCommandLabels;
extern const LabelTable LayerlyVolumeManagementLabels;
extern const LabelItemTable<10> LevelLabels;          // Level 1 to Level 10
extern const LabelTable EssStatusLabels;
extern const LabelTable EssOnLabels;
extern const LabelTable EssOffLabels;
extern const LabelTable PositionLightEssOnLabels;
extern const LabelTable FogLightEssOnLabels;
extern const LabelTable EssSensitivityLabels;
extern const LabelTable MicGainLabels;

// The entry of a language; English for a language outside 0 to 10.
inline const wchar_t* GetLabelText(const LabelTable& table, int language)
{
    return table[(language >= 0 && language < kLabelLanguageCount) ? static_cast<std::size_t>(language) : 0];
}

// The entry of a language and item; English for a language outside 0 to 10,
// an empty text for an item outside the table.
template <std::size_t Items>
const wchar_t* GetLabelText(const LabelItemTable<Items>& table, int language, int item)
{
    if (item < 0 || static_cast<std::size_t>(item) >= Items)
        return L"";
    const std::size_t row = (language >= 0 && language < kLabelLanguageCount) ? static_cast<std::size_t>(language) : 0;
    return table[row][static_cast<std::size_t>(item)];
}

// Every table by name, in the order above, so that all of them can be walked
// (checks, diagnostics). itemCount is 1 for the plain tables.
struct LabelTableInfo {
    const char* name;
    int itemCount;
    const wchar_t* (*text)(int language, int item);
};
std::span<const LabelTableInfo> AllLabelTables();

// Name of a setting-section kind (1 Basic, 2 Speed Dial, 3 FM Radio) in a
// language; empty for another kind or a language outside 0 to 10.
CString GetLanguageTableText(int kind, int language);
