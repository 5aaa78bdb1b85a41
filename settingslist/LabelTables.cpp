// The label tables in the eleven user-interface languages; see LabelTables.h.
// Constant data: nothing here runs at start-up and nothing is ever written.
#include "settingslist/LabelTables.h"

namespace {

// Reads one entry of a table for the list of all tables.
template <const LabelTable& Table>
const wchar_t* PlainEntry(int language, int item)
{
    return item == 0 ? GetLabelText(Table, language) : L"";
}

template <std::size_t Items, const LabelItemTable<Items>& Table>
const wchar_t* ItemEntry(int language, int item)
{
    return GetLabelText(Table, language, item);
}

} // namespace

constexpr LabelItemTable<3> LowMediumHighLabels = {{
    {{ L"Low", L"Medium", L"High" }}, // English
    {{ L"Low", L"Medium", L"High" }}, // French
    {{ L"Low", L"Medium", L"High" }}, // German
    {{ L"Low", L"Medium", L"High" }}, // Italian
    {{ L"Low", L"Medium", L"High" }}, // Japanese
    {{ L"Low", L"Medium", L"High" }}, // Korean
    {{ L"Low", L"Medium", L"High" }}, // Spanish
    {{ L"Low", L"Medium", L"High" }}, // Dutch
    {{ L"Low", L"Medium", L"High" }}, // Russian
    {{ L"Low", L"Medium", L"High" }}, // Chinese
    {{ L"Low", L"Medium", L"High" }}, // Finnish
}};

constexpr LabelItemTable<6> FmRegionLabels = {{
    {{ L"Worldwide", L"Americas", L"Asia", L"Australia", L"Europe", L"Japan" }}, // English
    {{ L"Worldwide", L"Americas", L"Asia", L"Australia", L"Europe", L"Japan" }}, // French
    {{ L"Worldwide", L"Americas", L"Asia", L"Australia", L"Europe", L"Japan" }}, // German
    {{ L"Worldwide", L"Americas", L"Asia", L"Australia", L"Europe", L"Japan" }}, // Italian
    {{ L"Worldwide", L"Americas", L"Asia", L"Australia", L"Europe", L"Japan" }}, // Japanese
    {{ L"Worldwide", L"Americas", L"Asia", L"Australia", L"Europe", L"Japan" }}, // Korean
    {{ L"Worldwide", L"Americas", L"Asia", L"Australia", L"Europe", L"Japan" }}, // Spanish
    {{ L"Worldwide", L"Americas", L"Asia", L"Australia", L"Europe", L"Japan" }}, // Dutch
    {{ L"Worldwide", L"Americas", L"Asia", L"Australia", L"Europe", L"Japan" }}, // Russian
    {{ L"Worldwide", L"Americas", L"Asia", L"Australia", L"Europe", L"Japan" }}, // Chinese
    {{ L"Worldwide", L"Americas", L"Asia", L"Australia", L"Europe", L"Japan" }}, // Finnish
}};

constexpr LabelTable DateLabels = {
    L"Date", // English
    L"Date", // French
    L"Date", // German
    L"Date", // Italian
    L"Date", // Japanese
    L"Date", // Korean
    L"Date", // Spanish
    L"Date", // Dutch
    L"Date", // Russian
    L"Date", // Chinese
    L"Date", // Finnish
};

constexpr LabelTable VoxIntercomLabels = {
    L"VOX Intercom", // English
    L"VOX Intercom", // French
    L"VOX Intercom", // German
    L"VOX Intercom", // Italian
    L"VOX Intercom", // Japanese
    L"VOX Intercom", // Korean
    L"VOX Intercom", // Spanish
    L"VOX Intercom", // Dutch
    L"VOX Intercom", // Russian
    L"VOX Intercom", // Chinese
    L"VOX Intercom", // Finnish
};

constexpr LabelTable VoxPhoneLabels = {
    L"VOX Phone", // English
    L"VOX Phone", // French
    L"VOX Phone", // German
    L"VOX Phone", // Italian
    L"VOX Phone", // Japanese
    L"VOX Phone", // Korean
    L"VOX Phone", // Spanish
    L"VOX Phone", // Dutch
    L"VOX Phone", // Russian
    L"VOX Phone", // Chinese
    L"VOX Phone", // Finnish
};

constexpr LabelTable EdrLabels = {
    L"EDR (Enhanced Data Rate)", // English
    L"EDR (Enhanced Data Rate)", // French
    L"EDR (Enhanced Data Rate)", // German
    L"EDR (Enhanced Data Rate)", // Italian
    L"EDR (Enhanced Data Rate)", // Japanese
    L"EDR (Enhanced Data Rate)", // Korean
    L"EDR (Enhanced Data Rate)", // Spanish
    L"EDR (Enhanced Data Rate)", // Dutch
    L"EDR (Enhanced Data Rate)", // Russian
    L"EDR (Enhanced Data Rate)", // Chinese
    L"EDR (Enhanced Data Rate)", // Finnish
};

constexpr LabelTable EdrShortLabels = {
    L"EDR", // English
    L"EDR", // French
    L"EDR", // German
    L"EDR", // Italian
    L"EDR", // Japanese
    L"EDR", // Korean
    L"EDR", // Spanish
    L"EDR", // Dutch
    L"EDR", // Russian
    L"EDR", // Chinese
    L"EDR", // Finnish
};

constexpr LabelTable VoicePromptLabels = {
    L"Voice Prompt", // English
    L"Voice Prompt", // French
    L"Voice Prompt", // German
    L"Voice Prompt", // Italian
    L"Voice Prompt", // Japanese
    L"Voice Prompt", // Korean
    L"Voice Prompt", // Spanish
    L"Voice Prompt", // Dutch
    L"Voice Prompt", // Russian
    L"Voice Prompt", // Chinese
    L"Voice Prompt", // Finnish
};

constexpr LabelTable PlcLabels = {
    L"PLC (Packet Loss Concealment)", // English
    L"PLC (Packet Loss Concealment)", // French
    L"PLC (Packet Loss Concealment)", // German
    L"PLC (Packet Loss Concealment)", // Italian
    L"PLC (Packet Loss Concealment)", // Japanese
    L"PLC (Packet Loss Concealment)", // Korean
    L"PLC (Packet Loss Concealment)", // Spanish
    L"PLC (Packet Loss Concealment)", // Dutch
    L"PLC (Packet Loss Concealment)", // Russian
    L"PLC (Packet Loss Concealment)", // Chinese
    L"PLC (Packet Loss Concealment)", // Finnish
};

constexpr LabelTable HighQualityA2dpLabels = {
    L"High Quality A2DP", // English
    L"High Quality A2DP", // French
    L"High Quality A2DP", // German
    L"High Quality A2DP", // Italian
    L"High Quality A2DP", // Japanese
    L"High Quality A2DP", // Korean
    L"High Quality A2DP", // Spanish
    L"High Quality A2DP", // Dutch
    L"High Quality A2DP", // Russian
    L"High Quality A2DP", // Chinese
    L"High Quality A2DP", // Finnish
};

constexpr LabelTable MicrophoneBoostingLabels = {
    L"Microphone Boosting", // English
    L"Microphone Boosting", // French
    L"Microphone Boosting", // German
    L"Microphone Boosting", // Italian
    L"Microphone Boosting", // Japanese
    L"Microphone Boosting", // Korean
    L"Microphone Boosting", // Spanish
    L"Microphone Boosting", // Dutch
    L"Microphone Boosting", // Russian
    L"Microphone Boosting", // Chinese
    L"Microphone Boosting", // Finnish
};

constexpr LabelTable SidetoneLabels = {
    L"Sidetone", // English
    L"Sidetone", // French
    L"Sidetone", // German
    L"Sidetone", // Italian
    L"Sidetone", // Japanese
    L"Sidetone", // Korean
    L"Sidetone", // Spanish
    L"Sidetone", // Dutch
    L"Sidetone", // Russian
    L"Sidetone", // Chinese
    L"Sidetone", // Finnish
};

constexpr LabelTable CalmweaveLabels = {
    L"Calmweave™", // English
    L"Calmweave™", // French
    L"Calmweave™", // German
    L"Calmweave™", // Italian
    L"Calmweave™", // Japanese
    L"Calmweave™", // Korean
    L"Calmweave™", // Spanish
    L"Calmweave™", // Dutch
    L"Calmweave™", // Russian
    L"Calmweave™", // Chinese
    L"Calmweave™", // Finnish
};

constexpr LabelTable AutoGainControlLabels = {
    L"Auto Gain Control", // English
    L"Auto Gain Control", // French
    L"Auto Gain Control", // German
    L"Auto Gain Control", // Italian
    L"Auto Gain Control", // Japanese
    L"Auto Gain Control", // Korean
    L"Auto Gain Control", // Spanish
    L"Auto Gain Control", // Dutch
    L"Auto Gain Control", // Russian
    L"Auto Gain Control", // Chinese
    L"Auto Gain Control", // Finnish
};

constexpr LabelTable RadioTransmitGainLabels = {
    L"Radio Transmit Gain", // English
    L"Radio Transmit Gain", // French
    L"Radio Transmit Gain", // German
    L"Radio Transmit Gain", // Italian
    L"Radio Transmit Gain", // Japanese
    L"Radio Transmit Gain", // Korean
    L"Radio Transmit Gain", // Spanish
    L"Radio Transmit Gain", // Dutch
    L"Radio Transmit Gain", // Russian
    L"Radio Transmit Gain", // Chinese
    L"Radio Transmit Gain", // Finnish
};

constexpr LabelTable AudioChannelTimeoutLabels = {
    L"Audio Channel Timeout", // English
    L"Audio Channel Timeout", // French
    L"Audio Channel Timeout", // German
    L"Audio Channel Timeout", // Italian
    L"Audio Channel Timeout", // Japanese
    L"Audio Channel Timeout", // Korean
    L"Audio Channel Timeout", // Spanish
    L"Audio Channel Timeout", // Dutch
    L"Audio Channel Timeout", // Russian
    L"Audio Channel Timeout", // Chinese
    L"Audio Channel Timeout", // Finnish
};

constexpr LabelTable AudioBoostLabels = {
    L"Audio Boost", // English
    L"Audio Boost", // French
    L"Audio Boost", // German
    L"Audio Boost", // Italian
    L"Audio Boost", // Japanese
    L"Audio Boost", // Korean
    L"Audio Boost", // Spanish
    L"Audio Boost", // Dutch
    L"Audio Boost", // Russian
    L"Audio Boost", // Chinese
    L"Audio Boost", // Finnish
};

constexpr LabelTable RadioRegionLabels = {
    L"Radio Region", // English
    L"Radio Region", // French
    L"Radio Region", // German
    L"Radio Region", // Italian
    L"Radio Region", // Japanese
    L"Radio Region", // Korean
    L"Radio Region", // Spanish
    L"Radio Region", // Dutch
    L"Radio Region", // Russian
    L"Radio Region", // Chinese
    L"Radio Region", // Finnish
};

constexpr LabelTable RegionLabels = {
    L"Region", // English
    L"Region", // French
    L"Region", // German
    L"Region", // Italian
    L"Region", // Japanese
    L"Region", // Korean
    L"Region", // Spanish
    L"Region", // Dutch
    L"Region", // Russian
    L"Region", // Chinese
    L"Region", // Finnish
};

constexpr LabelTable FmRadioPresetsLabels = {
    L"FM Radio Presets", // English
    L"FM Radio Presets", // French
    L"FM Radio Presets", // German
    L"FM Radio Presets", // Italian
    L"FM Radio Presets", // Japanese
    L"FM Radio Presets", // Korean
    L"FM Radio Presets", // Spanish
    L"FM Radio Presets", // Dutch
    L"FM Radio Presets", // Russian
    L"FM Radio Presets", // Chinese
    L"FM Radio Presets", // Finnish
};

constexpr LabelTable FmRadioLabels = {
    L"FM Radio", // English
    L"FM Radio", // French
    L"FM Radio", // German
    L"FM Radio", // Italian
    L"FM Radio", // Japanese
    L"FM Radio", // Korean
    L"FM Radio", // Spanish
    L"FM Radio", // Dutch
    L"FM Radio", // Russian
    L"FM Radio", // Chinese
    L"FM Radio", // Finnish
};

constexpr LabelTable PresetsLabels = {
    L"Presets", // English
    L"Presets", // French
    L"Presets", // German
    L"Presets", // Italian
    L"Presets", // Japanese
    L"Presets", // Korean
    L"Presets", // Spanish
    L"Presets", // Dutch
    L"Presets", // Russian
    L"Presets", // Chinese
    L"Presets", // Finnish
};

constexpr LabelTable BasicLabels = {
    L"Basic", // English
    L"Basic", // French
    L"Basic", // German
    L"Basic", // Italian
    L"Basic", // Japanese
    L"Basic", // Korean
    L"Basic", // Spanish
    L"Basic", // Dutch
    L"Basic", // Russian
    L"Basic", // Chinese
    L"Basic", // Finnish
};

constexpr LabelTable SpeedDialLabels = {
    L"Speed Dial", // English
    L"Speed Dial", // French
    L"Speed Dial", // German
    L"Speed Dial", // Italian
    L"Speed Dial", // Japanese
    L"Speed Dial", // Korean
    L"Speed Dial", // Spanish
    L"Speed Dial", // Dutch
    L"Speed Dial", // Russian
    L"Speed Dial", // Chinese
    L"Speed Dial", // Finnish
};

constexpr LabelTable MoreLabels = {
    L"More...", // English
    L"More...", // French
    L"More...", // German
    L"More...", // Italian
    L"More...", // Japanese
    L"More...", // Korean
    L"More...", // Spanish
    L"More...", // Dutch
    L"More...", // Russian
    L"More...", // Chinese
    L"More...", // Finnish
};

constexpr LabelTable EmptyLabels = {
    L"Empty", // English
    L"Empty", // French
    L"Empty", // German
    L"Empty", // Italian
    L"Empty", // Japanese
    L"Empty", // Korean
    L"Empty", // Spanish
    L"Empty", // Dutch
    L"Empty", // Russian
    L"Empty", // Chinese
    L"Empty", // Finnish
};

constexpr LabelTable RdsAfLabels = {
    L"RDS AF (Alternative Frequencies)", // English
    L"RDS AF (Alternative Frequencies)", // French
    L"RDS AF (Alternative Frequencies)", // German
    L"RDS AF (Alternative Frequencies)", // Italian
    L"RDS AF (Alternative Frequencies)", // Japanese
    L"RDS AF (Alternative Frequencies)", // Korean
    L"RDS AF (Alternative Frequencies)", // Spanish
    L"RDS AF (Alternative Frequencies)", // Dutch
    L"RDS AF (Alternative Frequencies)", // Russian
    L"RDS AF (Alternative Frequencies)", // Chinese
    L"RDS AF (Alternative Frequencies)", // Finnish
};

constexpr LabelTable MotionSensorSensitivityLabels = {
    L"Motion Sensor Sensitivity", // English
    L"Motion Sensor Sensitivity", // French
    L"Motion Sensor Sensitivity", // German
    L"Motion Sensor Sensitivity", // Italian
    L"Motion Sensor Sensitivity", // Japanese
    L"Motion Sensor Sensitivity", // Korean
    L"Motion Sensor Sensitivity", // Spanish
    L"Motion Sensor Sensitivity", // Dutch
    L"Motion Sensor Sensitivity", // Russian
    L"Motion Sensor Sensitivity", // Chinese
    L"Motion Sensor Sensitivity", // Finnish
};

constexpr LabelTable BlendcastLabels = {
    L"Blendcast™", // English
    L"Blendcast™", // French
    L"Blendcast™", // German
    L"Blendcast™", // Italian
    L"Blendcast™", // Japanese
    L"Blendcast™", // Korean
    L"Blendcast™", // Spanish
    L"Blendcast™", // Dutch
    L"Blendcast™", // Russian
    L"Blendcast™", // Chinese
    L"Blendcast™", // Finnish
};

constexpr LabelTable IntercomOverlaySensitivityLabels = {
    L"Intercom-Layerly Sensitivity", // English
    L"Intercom-Layerly Sensitivity", // French
    L"Intercom-Layerly Sensitivity", // German
    L"Intercom-Layerly Sensitivity", // Italian
    L"Intercom-Layerly Sensitivity", // Japanese
    L"Intercom-Layerly Sensitivity", // Korean
    L"Intercom-Layerly Sensitivity", // Spanish
    L"Intercom-Layerly Sensitivity", // Dutch
    L"Intercom-Layerly Sensitivity", // Russian
    L"Intercom-Layerly Sensitivity", // Chinese
    L"Intercom-Layerly Sensitivity", // Finnish
};

constexpr LabelTable NavigationAppSupportLabels = {
    L"Navigation App Support", // English
    L"Navigation App Support", // French
    L"Navigation App Support", // German
    L"Navigation App Support", // Italian
    L"Navigation App Support", // Japanese
    L"Navigation App Support", // Korean
    L"Navigation App Support", // Spanish
    L"Navigation App Support", // Dutch
    L"Navigation App Support", // Russian
    L"Navigation App Support", // Chinese
    L"Navigation App Support", // Finnish
};

constexpr LabelTable VoxSensitivityLabels = {
    L"VOX Sensitivity", // English
    L"VOX Sensitivity", // French
    L"VOX Sensitivity", // German
    L"VOX Sensitivity", // Italian
    L"VOX Sensitivity", // Japanese
    L"VOX Sensitivity", // Korean
    L"VOX Sensitivity", // Spanish
    L"VOX Sensitivity", // Dutch
    L"VOX Sensitivity", // Russian
    L"VOX Sensitivity", // Chinese
    L"VOX Sensitivity", // Finnish
};

constexpr LabelTable HdIntercomLabels = {
    L"HD Intercom", // English
    L"HD Intercom", // French
    L"HD Intercom", // German
    L"HD Intercom", // Italian
    L"HD Intercom", // Japanese
    L"HD Intercom", // Korean
    L"HD Intercom", // Spanish
    L"HD Intercom", // Dutch
    L"HD Intercom", // Russian
    L"HD Intercom", // Chinese
    L"HD Intercom", // Finnish
};

constexpr LabelTable EightWayIntercomLabels = {
    L"Eight-way Intercom", // English
    L"Eight-way Intercom", // French
    L"Eight-way Intercom", // German
    L"Eight-way Intercom", // Italian
    L"Eight-way Intercom", // Japanese
    L"Eight-way Intercom", // Korean
    L"Eight-way Intercom", // Spanish
    L"Eight-way Intercom", // Dutch
    L"Eight-way Intercom", // Russian
    L"Eight-way Intercom", // Chinese
    L"Eight-way Intercom", // Finnish
};

constexpr LabelTable PhotoModeLabels = {
    L"Photo Mode", // English
    L"Photo Mode", // French
    L"Photo Mode", // German
    L"Photo Mode", // Italian
    L"Photo Mode", // Japanese
    L"Photo Mode", // Korean
    L"Photo Mode", // Spanish
    L"Photo Mode", // Dutch
    L"Photo Mode", // Russian
    L"Photo Mode", // Chinese
    L"Photo Mode", // Finnish
};

constexpr LabelTable SingleShotLabels = {
    L"Single Shot", // English
    L"Single Shot", // French
    L"Single Shot", // German
    L"Single Shot", // Italian
    L"Single Shot", // Japanese
    L"Single Shot", // Korean
    L"Single Shot", // Spanish
    L"Single Shot", // Dutch
    L"Single Shot", // Russian
    L"Single Shot", // Chinese
    L"Single Shot", // Finnish
};

constexpr LabelTable BurstShotLabels = {
    L"Burst Shot", // English
    L"Burst Shot", // French
    L"Burst Shot", // German
    L"Burst Shot", // Italian
    L"Burst Shot", // Japanese
    L"Burst Shot", // Korean
    L"Burst Shot", // Spanish
    L"Burst Shot", // Dutch
    L"Burst Shot", // Russian
    L"Burst Shot", // Chinese
    L"Burst Shot", // Finnish
};

constexpr LabelTable VideoModeLabels = {
    L"Video Mode", // English
    L"Video Mode", // French
    L"Video Mode", // German
    L"Video Mode", // Italian
    L"Video Mode", // Japanese
    L"Video Mode", // Korean
    L"Video Mode", // Spanish
    L"Video Mode", // Dutch
    L"Video Mode", // Russian
    L"Video Mode", // Chinese
    L"Video Mode", // Finnish
};

constexpr LabelTable TimelapseModeLabels = {
    L"Timelapse Mode", // English
    L"Timelapse Mode", // French
    L"Timelapse Mode", // German
    L"Timelapse Mode", // Italian
    L"Timelapse Mode", // Japanese
    L"Timelapse Mode", // Korean
    L"Timelapse Mode", // Spanish
    L"Timelapse Mode", // Dutch
    L"Timelapse Mode", // Russian
    L"Timelapse Mode", // Chinese
    L"Timelapse Mode", // Finnish
};

constexpr LabelTable LoopRecordingModeLabels = {
    L"Loop Recording Mode", // English
    L"Loop Recording Mode", // French
    L"Loop Recording Mode", // German
    L"Loop Recording Mode", // Italian
    L"Loop Recording Mode", // Japanese
    L"Loop Recording Mode", // Korean
    L"Loop Recording Mode", // Spanish
    L"Loop Recording Mode", // Dutch
    L"Loop Recording Mode", // Russian
    L"Loop Recording Mode", // Chinese
    L"Loop Recording Mode", // Finnish
};

constexpr LabelTable VideoResolutionLabels = {
    L"Video Resolution", // English
    L"Video Resolution", // French
    L"Video Resolution", // German
    L"Video Resolution", // Italian
    L"Video Resolution", // Japanese
    L"Video Resolution", // Korean
    L"Video Resolution", // Spanish
    L"Video Resolution", // Dutch
    L"Video Resolution", // Russian
    L"Video Resolution", // Chinese
    L"Video Resolution", // Finnish
};

constexpr LabelTable Resolution1080p30Labels = {
    L"1080p/30fps", // English
    L"1080p/30fps", // French
    L"1080p/30fps", // German
    L"1080p/30fps", // Italian
    L"1080p/30fps", // Japanese
    L"1080p/30fps", // Korean
    L"1080p/30fps", // Spanish
    L"1080p/30fps", // Dutch
    L"1080p/30fps", // Russian
    L"1080p/30fps", // Chinese
    L"1080p/30fps", // Finnish
};

constexpr LabelTable Resolution720p60Labels = {
    L"720p/60fps", // English
    L"720p/60fps", // French
    L"720p/60fps", // German
    L"720p/60fps", // Italian
    L"720p/60fps", // Japanese
    L"720p/60fps", // Korean
    L"720p/60fps", // Spanish
    L"720p/60fps", // Dutch
    L"720p/60fps", // Russian
    L"720p/60fps", // Chinese
    L"720p/60fps", // Finnish
};

constexpr LabelTable Resolution720p30Labels = {
    L"720p/30fps", // English
    L"720p/30fps", // French
    L"720p/30fps", // German
    L"720p/30fps", // Italian
    L"720p/30fps", // Japanese
    L"720p/30fps", // Korean
    L"720p/30fps", // Spanish
    L"720p/30fps", // Dutch
    L"720p/30fps", // Russian
    L"720p/30fps", // Chinese
    L"720p/30fps", // Finnish
};

constexpr LabelTable TimelapseIntervalLabels = {
    L"Timelapse Interval", // English
    L"Timelapse Interval", // French
    L"Timelapse Interval", // German
    L"Timelapse Interval", // Italian
    L"Timelapse Interval", // Japanese
    L"Timelapse Interval", // Korean
    L"Timelapse Interval", // Spanish
    L"Timelapse Interval", // Dutch
    L"Timelapse Interval", // Russian
    L"Timelapse Interval", // Chinese
    L"Timelapse Interval", // Finnish
};

constexpr LabelTable VideoTaggingIntervalLabels = {
    L"Video Tagging Interval", // English
    L"Video Tagging Interval", // French
    L"Video Tagging Interval", // German
    L"Video Tagging Interval", // Italian
    L"Video Tagging Interval", // Japanese
    L"Video Tagging Interval", // Korean
    L"Video Tagging Interval", // Spanish
    L"Video Tagging Interval", // Dutch
    L"Video Tagging Interval", // Russian
    L"Video Tagging Interval", // Chinese
    L"Video Tagging Interval", // Finnish
};

constexpr LabelTable LoopRecordingIntervalLabels = {
    L"Loop Recording Interval", // English
    L"Loop Recording Interval", // French
    L"Loop Recording Interval", // German
    L"Loop Recording Interval", // Italian
    L"Loop Recording Interval", // Japanese
    L"Loop Recording Interval", // Korean
    L"Loop Recording Interval", // Spanish
    L"Loop Recording Interval", // Dutch
    L"Loop Recording Interval", // Russian
    L"Loop Recording Interval", // Chinese
    L"Loop Recording Interval", // Finnish
};

constexpr LabelTable VideoMicrophoneGainLabels = {
    L"Video Microphone Gain", // English
    L"Video Microphone Gain", // French
    L"Video Microphone Gain", // German
    L"Video Microphone Gain", // Italian
    L"Video Microphone Gain", // Japanese
    L"Video Microphone Gain", // Korean
    L"Video Microphone Gain", // Spanish
    L"Video Microphone Gain", // Dutch
    L"Video Microphone Gain", // Russian
    L"Video Microphone Gain", // Chinese
    L"Video Microphone Gain", // Finnish
};

constexpr LabelTable Interval1MinLabels = {
    L"1 min", // English
    L"1 min", // French
    L"1 min", // German
    L"1 min", // Italian
    L"1 min", // Japanese
    L"1 min", // Korean
    L"1 min", // Spanish
    L"1 min", // Dutch
    L"1 min", // Russian
    L"1 min", // Chinese
    L"1 min", // Finnish
};

constexpr LabelTable Interval3MinLabels = {
    L"3 mins", // English
    L"3 mins", // French
    L"3 mins", // German
    L"3 mins", // Italian
    L"3 mins", // Japanese
    L"3 mins", // Korean
    L"3 mins", // Spanish
    L"3 mins", // Dutch
    L"3 mins", // Russian
    L"3 mins", // Chinese
    L"3 mins", // Finnish
};

constexpr LabelTable Interval5MinLabels = {
    L"5 mins", // English
    L"5 mins", // French
    L"5 mins", // German
    L"5 mins", // Italian
    L"5 mins", // Japanese
    L"5 mins", // Korean
    L"5 mins", // Spanish
    L"5 mins", // Dutch
    L"5 mins", // Russian
    L"5 mins", // Chinese
    L"5 mins", // Finnish
};

constexpr LabelTable Interval1SecLabels = {
    L"1 sec", // English
    L"1 sec", // French
    L"1 sec", // German
    L"1 sec", // Italian
    L"1 sec", // Japanese
    L"1 sec", // Korean
    L"1 sec", // Spanish
    L"1 sec", // Dutch
    L"1 sec", // Russian
    L"1 sec", // Chinese
    L"1 sec", // Finnish
};

constexpr LabelTable Interval10SecLabels = {
    L"10 secs", // English
    L"10 secs", // French
    L"10 secs", // German
    L"10 secs", // Italian
    L"10 secs", // Japanese
    L"10 secs", // Korean
    L"10 secs", // Spanish
    L"10 secs", // Dutch
    L"10 secs", // Russian
    L"10 secs", // Chinese
    L"10 secs", // Finnish
};

constexpr LabelTable DateCaptionLabels = {
    L"Date Caption", // English
    L"Date Caption", // French
    L"Date Caption", // German
    L"Date Caption", // Italian
    L"Date Caption", // Japanese
    L"Date Caption", // Korean
    L"Date Caption", // Spanish
    L"Date Caption", // Dutch
    L"Date Caption", // Russian
    L"Date Caption", // Chinese
    L"Date Caption", // Finnish
};

constexpr LabelTable SpeakerSoundRecordingLabels = {
    L"Speaker Sound Recording", // English
    L"Speaker Sound Recording", // French
    L"Speaker Sound Recording", // German
    L"Speaker Sound Recording", // Italian
    L"Speaker Sound Recording", // Japanese
    L"Speaker Sound Recording", // Korean
    L"Speaker Sound Recording", // Spanish
    L"Speaker Sound Recording", // Dutch
    L"Speaker Sound Recording", // Russian
    L"Speaker Sound Recording", // Chinese
    L"Speaker Sound Recording", // Finnish
};

constexpr LabelTable SourceMusicLabels = {
    L"▶ Music", // English
    L"▶ Music", // French
    L"▶ Music", // German
    L"▶ Music", // Italian
    L"▶ Music", // Japanese
    L"▶ Music", // Korean
    L"▶ Music", // Spanish
    L"▶ Music", // Dutch
    L"▶ Music", // Russian
    L"▶ Music", // Chinese
    L"▶ Music", // Finnish
};

constexpr LabelTable SourceFmRadioLabels = {
    L"▶ FM Radio", // English
    L"▶ FM Radio", // French
    L"▶ FM Radio", // German
    L"▶ FM Radio", // Italian
    L"▶ FM Radio", // Japanese
    L"▶ FM Radio", // Korean
    L"▶ FM Radio", // Spanish
    L"▶ FM Radio", // Dutch
    L"▶ FM Radio", // Russian
    L"▶ FM Radio", // Chinese
    L"▶ FM Radio", // Finnish
};

constexpr LabelTable SourceIntercomLabels = {
    L"▶ Intercom", // English
    L"▶ Intercom", // French
    L"▶ Intercom", // German
    L"▶ Intercom", // Italian
    L"▶ Intercom", // Japanese
    L"▶ Intercom", // Korean
    L"▶ Intercom", // Spanish
    L"▶ Intercom", // Dutch
    L"▶ Intercom", // Russian
    L"▶ Intercom", // Chinese
    L"▶ Intercom", // Finnish
};

constexpr LabelTable SourcePhoneLabels = {
    L"▶ Phone", // English
    L"▶ Phone", // French
    L"▶ Phone", // German
    L"▶ Phone", // Italian
    L"▶ Phone", // Japanese
    L"▶ Phone", // Korean
    L"▶ Phone", // Spanish
    L"▶ Phone", // Dutch
    L"▶ Phone", // Russian
    L"▶ Phone", // Chinese
    L"▶ Phone", // Finnish
};

constexpr LabelTable AutoCameraSleepLabels = {
    L"Auto Camera Sleep", // English
    L"Auto Camera Sleep", // French
    L"Auto Camera Sleep", // German
    L"Auto Camera Sleep", // Italian
    L"Auto Camera Sleep", // Japanese
    L"Auto Camera Sleep", // Korean
    L"Auto Camera Sleep", // Spanish
    L"Auto Camera Sleep", // Dutch
    L"Auto Camera Sleep", // Russian
    L"Auto Camera Sleep", // Chinese
    L"Auto Camera Sleep", // Finnish
};

constexpr LabelTable SmartVolumeControlLabels = {
    L"Smart Volume Control", // English
    L"Smart Volume Control", // French
    L"Smart Volume Control", // German
    L"Smart Volume Control", // Italian
    L"Smart Volume Control", // Japanese
    L"Smart Volume Control", // Korean
    L"Smart Volume Control", // Spanish
    L"Smart Volume Control", // Dutch
    L"Smart Volume Control", // Russian
    L"Smart Volume Control", // Chinese
    L"Smart Volume Control", // Finnish
};

constexpr LabelTable FmStationGuideLabels = {
    L"FM Station Guide", // English
    L"FM Station Guide", // French
    L"FM Station Guide", // German
    L"FM Station Guide", // Italian
    L"FM Station Guide", // Japanese
    L"FM Station Guide", // Korean
    L"FM Station Guide", // Spanish
    L"FM Station Guide", // Dutch
    L"FM Station Guide", // Russian
    L"FM Station Guide", // Chinese
    L"FM Station Guide", // Finnish
};

constexpr LabelTable HdVoiceLabels = {
    L"HD Voice", // English
    L"HD Voice", // French
    L"HD Voice", // German
    L"HD Voice", // Italian
    L"HD Voice", // Japanese
    L"HD Voice", // Korean
    L"HD Voice", // Spanish
    L"HD Voice", // Dutch
    L"HD Voice", // Russian
    L"HD Voice", // Chinese
    L"HD Voice", // Finnish
};

constexpr LabelTable AudioSourcePriorityLabels = {
    L"Audio Source Priority", // English
    L"Audio Source Priority", // French
    L"Audio Source Priority", // German
    L"Audio Source Priority", // Italian
    L"Audio Source Priority", // Japanese
    L"Audio Source Priority", // Korean
    L"Audio Source Priority", // Spanish
    L"Audio Source Priority", // Dutch
    L"Audio Source Priority", // Russian
    L"Audio Source Priority", // Chinese
    L"Audio Source Priority", // Finnish
};

constexpr LabelTable LayerlyLabels = {
    L"Layerly™", // English
    L"Layerly™", // French
    L"Layerly™", // German
    L"Layerly™", // Italian
    L"Layerly™", // Japanese
    L"Layerly™", // Korean
    L"Layerly™", // Spanish
    L"Layerly™", // Dutch
    L"Layerly™", // Russian
    L"Layerly™", // Chinese
    L"Layerly™", // Finnish
};

constexpr LabelTable SmartNaviSystemLabels = {
    L"Zizuz Adad Udovid", // English
    L"Zizuz Adad Udovid", // French
    L"Zizuz Adad Udovid", // German
    L"Zizuz Adad Udovid", // Italian
    L"Zizuz Adad Udovid", // Japanese
    L"Zizuz Adad Udovid", // Korean
    L"Zizuz Adad Udovid", // Spanish
    L"Zizuz Adad Udovid", // Dutch
    L"Zizuz Adad Udovid", // Russian
    L"Zizuz Adad Udovid", // Chinese
    L"Zizuz Adad Udovid", // Finnish
};

constexpr LabelTable MusicLabels = {
    L"Music", // English
    L"Music", // French
    L"Music", // German
    L"Music", // Italian
    L"Music", // Japanese
    L"Music", // Korean
    L"Music", // Spanish
    L"Music", // Dutch
    L"Music", // Russian
    L"Music", // Chinese
    L"Music", // Finnish
};

constexpr LabelTable IntercomLabels = {
    L"Intercom", // English
    L"Intercom", // French
    L"Intercom", // German
    L"Intercom", // Italian
    L"Intercom", // Japanese
    L"Intercom", // Korean
    L"Intercom", // Spanish
    L"Intercom", // Dutch
    L"Intercom", // Russian
    L"Intercom", // Chinese
    L"Intercom", // Finnish
};

constexpr LabelTable GuestModeLabels = {
    L"Guest Mode", // English
    L"Guest Mode", // French
    L"Guest Mode", // German
    L"Guest Mode", // Italian
    L"Guest Mode", // Japanese
    L"Guest Mode", // Korean
    L"Guest Mode", // Spanish
    L"Guest Mode", // Dutch
    L"Guest Mode", // Russian
    L"Guest Mode", // Chinese
    L"Guest Mode", // Finnish
};

constexpr LabelTable VoiceCommandLabels = {
    L"Voice Command", // English
    L"Voice Command", // French
    L"Voice Command", // German
    L"Voice Command", // Italian
    L"Voice Command", // Japanese
    L"Voice Command", // Korean
    L"Voice Command", // Spanish
    L"Voice Command", // Dutch
    L"Voice Command", // Russian
    L"Voice Command", // Chinese
    L"Voice Command", // Finnish
};

constexpr LabelTable LayerlyVolumeManagementLabels = {
    L"Layerly Volume Management", // English
    L"Layerly Volume Management", // French
    L"Layerly Volume Management", // German
    L"Layerly Volume Management", // Italian
    L"Layerly Volume Management", // Japanese
    L"Layerly Volume Management", // Korean
    L"Layerly Volume Management", // Spanish
    L"Layerly Volume Management", // Dutch
    L"Layerly Volume Management", // Russian
    L"Layerly Volume Management", // Chinese
    L"Layerly Volume Management", // Finnish
};

constexpr LabelItemTable<10> LevelLabels = {{
    {{ L"Level 1", L"Level 2", L"Level 3", L"Level 4", L"Level 5", L"Level 6", L"Level 7", L"Level 8", L"Level 9", L"Level 10" }}, // English
    {{ L"Level 1", L"Level 2", L"Level 3", L"Level 4", L"Level 5", L"Level 6", L"Level 7", L"Level 8", L"Level 9", L"Level 10" }}, // French
    {{ L"Level 1", L"Level 2", L"Level 3", L"Level 4", L"Level 5", L"Level 6", L"Level 7", L"Level 8", L"Level 9", L"Level 10" }}, // German
    {{ L"Level 1", L"Level 2", L"Level 3", L"Level 4", L"Level 5", L"Level 6", L"Level 7", L"Level 8", L"Level 9", L"Level 10" }}, // Italian
    {{ L"Level 1", L"Level 2", L"Level 3", L"Level 4", L"Level 5", L"Level 6", L"Level 7", L"Level 8", L"Level 9", L"Level 10" }}, // Japanese
    {{ L"Level 1", L"Level 2", L"Level 3", L"Level 4", L"Level 5", L"Level 6", L"Level 7", L"Level 8", L"Level 9", L"Level 10" }}, // Korean
    {{ L"Level 1", L"Level 2", L"Level 3", L"Level 4", L"Level 5", L"Level 6", L"Level 7", L"Level 8", L"Level 9", L"Level 10" }}, // Spanish
    {{ L"Level 1", L"Level 2", L"Level 3", L"Level 4", L"Level 5", L"Level 6", L"Level 7", L"Level 8", L"Level 9", L"Level 10" }}, // Dutch
    {{ L"Level 1", L"Level 2", L"Level 3", L"Level 4", L"Level 5", L"Level 6", L"Level 7", L"Level 8", L"Level 9", L"Level 10" }}, // Russian
    {{ L"Level 1", L"Level 2", L"Level 3", L"Level 4", L"Level 5", L"Level 6", L"Level 7", L"Level 8", L"Level 9", L"Level 10" }}, // Chinese
    {{ L"Level 1", L"Level 2", L"Level 3", L"Level 4", L"Level 5", L"Level 6", L"Level 7", L"Level 8", L"Level 9", L"Level 10" }}, // Finnish
}};

constexpr LabelTable EssStatusLabels = {
    L"ESS STATUS", // English
    L"ESS STATUS", // French
    L"ESS STATUS", // German
    L"ESS STATUS", // Italian
    L"ESS STATUS", // Japanese
    L"ESS STATUS", // Korean
    L"ESS STATUS", // Spanish
    L"ESS STATUS", // Dutch
    L"ESS STATUS", // Russian
    L"ESS STATUS", // Chinese
    L"ESS STATUS", // Finnish
};

constexpr LabelTable EssOnLabels = {
    L"ESS ON", // English
    L"ESS ON", // French
    L"ESS ON", // German
    L"ESS ON", // Italian
    L"ESS ON", // Japanese
    L"ESS ON", // Korean
    L"ESS ON", // Spanish
    L"ESS ON", // Dutch
    L"ESS ON", // Russian
    L"ESS ON", // Chinese
    L"ESS ON", // Finnish
};

constexpr LabelTable EssOffLabels = {
    L"ESS OFF", // English
    L"ESS OFF", // French
    L"ESS OFF", // German
    L"ESS OFF", // Italian
    L"ESS OFF", // Japanese
    L"ESS OFF", // Korean
    L"ESS OFF", // Spanish
    L"ESS OFF", // Dutch
    L"ESS OFF", // Russian
    L"ESS OFF", // Chinese
    L"ESS OFF", // Finnish
};

constexpr LabelTable PositionLightEssOnLabels = {
    L"Position Light + ESS ON", // English
    L"Position Light + ESS ON", // French
    L"Position Light + ESS ON", // German
    L"Position Light + ESS ON", // Italian
    L"Position Light + ESS ON", // Japanese
    L"Position Light + ESS ON", // Korean
    L"Position Light + ESS ON", // Spanish
    L"Position Light + ESS ON", // Dutch
    L"Position Light + ESS ON", // Russian
    L"Position Light + ESS ON", // Chinese
    L"Position Light + ESS ON", // Finnish
};

constexpr LabelTable FogLightEssOnLabels = {
    L"Fog Light + ESS ON", // English
    L"Fog Light + ESS ON", // French
    L"Fog Light + ESS ON", // German
    L"Fog Light + ESS ON", // Italian
    L"Fog Light + ESS ON", // Japanese
    L"Fog Light + ESS ON", // Korean
    L"Fog Light + ESS ON", // Spanish
    L"Fog Light + ESS ON", // Dutch
    L"Fog Light + ESS ON", // Russian
    L"Fog Light + ESS ON", // Chinese
    L"Fog Light + ESS ON", // Finnish
};

constexpr LabelTable EssSensitivityLabels = {
    L"ESS Sensitivity", // English
    L"ESS Sensitivity", // French
    L"ESS Sensitivity", // German
    L"ESS Sensitivity", // Italian
    L"ESS Sensitivity", // Japanese
    L"ESS Sensitivity", // Korean
    L"ESS Sensitivity", // Spanish
    L"ESS Sensitivity", // Dutch
    L"ESS Sensitivity", // Russian
    L"ESS Sensitivity", // Chinese
    L"ESS Sensitivity", // Finnish
};

constexpr LabelTable MicGainLabels = {
    L"Mic Gain", // English
    L"Mic Gain", // French
    L"Mic Gain", // German
    L"Mic Gain", // Italian
    L"Mic Gain", // Japanese
    L"Mic Gain", // Korean
    L"Mic Gain", // Spanish
    L"Mic Gain", // Dutch
    L"Mic Gain", // Russian
    L"Mic Gain", // Chinese
    L"Mic Gain", // Finnish
};

#define PLAIN(name) { #name, 1, &PlainEntry<name> }
#define ITEMS(name, items) { #name, items, &ItemEntry<items, name> }

namespace {

constexpr LabelTableInfo AllTables[] = {
    ITEMS(LowMediumHighLabels, 3),
    ITEMS(FmRegionLabels, 6),
    PLAIN(DateLabels),
    PLAIN(VoxIntercomLabels),
    PLAIN(VoxPhoneLabels),
    PLAIN(EdrLabels),
    PLAIN(EdrShortLabels),
    PLAIN(VoicePromptLabels),
    PLAIN(PlcLabels),
    PLAIN(HighQualityA2dpLabels),
    PLAIN(MicrophoneBoostingLabels),
    PLAIN(SidetoneLabels),
    PLAIN(CalmweaveLabels),
    PLAIN(AutoGainControlLabels),
    PLAIN(RadioTransmitGainLabels),
    PLAIN(AudioChannelTimeoutLabels),
    PLAIN(AudioBoostLabels),
    PLAIN(RadioRegionLabels),
    PLAIN(RegionLabels),
    PLAIN(FmRadioPresetsLabels),
    PLAIN(FmRadioLabels),
    PLAIN(PresetsLabels),
    PLAIN(BasicLabels),
    PLAIN(SpeedDialLabels),
    PLAIN(MoreLabels),
    PLAIN(EmptyLabels),
    PLAIN(RdsAfLabels),
    PLAIN(MotionSensorSensitivityLabels),
    PLAIN(BlendcastLabels),
    PLAIN(IntercomOverlaySensitivityLabels),
    PLAIN(NavigationAppSupportLabels),
    PLAIN(VoxSensitivityLabels),
    PLAIN(HdIntercomLabels),
    PLAIN(EightWayIntercomLabels),
    PLAIN(PhotoModeLabels),
    PLAIN(SingleShotLabels),
    PLAIN(BurstShotLabels),
    PLAIN(VideoModeLabels),
    PLAIN(TimelapseModeLabels),
    PLAIN(LoopRecordingModeLabels),
    PLAIN(VideoResolutionLabels),
    PLAIN(Resolution1080p30Labels),
    PLAIN(Resolution720p60Labels),
    PLAIN(Resolution720p30Labels),
    PLAIN(TimelapseIntervalLabels),
    PLAIN(VideoTaggingIntervalLabels),
    PLAIN(LoopRecordingIntervalLabels),
    PLAIN(VideoMicrophoneGainLabels),
    PLAIN(Interval1MinLabels),
    PLAIN(Interval3MinLabels),
    PLAIN(Interval5MinLabels),
    PLAIN(Interval1SecLabels),
    PLAIN(Interval10SecLabels),
    PLAIN(DateCaptionLabels),
    PLAIN(SpeakerSoundRecordingLabels),
    PLAIN(SourceMusicLabels),
    PLAIN(SourceFmRadioLabels),
    PLAIN(SourceIntercomLabels),
    PLAIN(SourcePhoneLabels),
    PLAIN(AutoCameraSleepLabels),
    PLAIN(SmartVolumeControlLabels),
    PLAIN(FmStationGuideLabels),
    PLAIN(HdVoiceLabels),
    PLAIN(AudioSourcePriorityLabels),
    PLAIN(LayerlyLabels),
    PLAIN(SmartNaviSystemLabels),
    PLAIN(MusicLabels),
    PLAIN(IntercomLabels),
    PLAIN(GuestModeLabels),
    PLAIN(VoiceCommandLabels),
    PLAIN(LayerlyVolumeManagementLabels),
    ITEMS(LevelLabels, 10),
    PLAIN(EssStatusLabels),
    PLAIN(EssOnLabels),
    PLAIN(EssOffLabels),
    PLAIN(PositionLightEssOnLabels),
    PLAIN(FogLightEssOnLabels),
    PLAIN(EssSensitivityLabels),
    PLAIN(MicGainLabels),
};

} // namespace

#undef PLAIN
#undef ITEMS

std::span<const LabelTableInfo> AllLabelTables()
{
    return AllTables;
}
