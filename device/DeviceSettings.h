// DeviceSettings: one headset's identity and settings as the manager holds them,
// with the small value helpers that travel with it (version comparison and
// parsing, the feature word, per-model defaults and comparisons, the packed
// setting-word accessors, the FM region table and the device-name packing).
//
// The record is plain data: every field is public, copyable and value-
// initialised, so a fresh record is all zeros and empty texts. It is also the
// content of the settings archive.
#pragma once

#include <cstdint>

#include "framework/CString.h"

inline constexpr int kSettingWordCount = 32;
inline constexpr int kFmPresetCount = 10;
inline constexpr int kSpeedDialCount = 3;
inline constexpr int kDeviceNameWordCount = 20;

// Magic word of an FM block as the defaults and recognition write it.
inline constexpr int kFmMagicDefault = 0x56E9;
// Magic word the FM page writes on most products.
inline constexpr int kFmMagicWritten = 0x66E9;

// One version group: major, minor, secondary version type and secondary
// version (type 1 orders below every other type), and a build number.
struct VersionGroup {
    int Major = 0;
    int Minor = 0;
    int SecondaryType = 0;
    int SecondaryVersion = 0;
    int BuildNumber = 0;
};

class DeviceSettings {
public:
    // Fields in archive and copy order.
    int ManagerVersionMajor = 0;
    int ManagerVersionMinor = 0;
    int ProductId = 0;                  // recognized product id, bit 15 clear
    CString BluetoothAddress;
    CString HardwareVersionText;        // "   |   H/W v%1d.%1d" as recognition writes it
    CString DeviceName;
    VersionGroup Firmware;
    VersionGroup FirstInterface;        // first HID interface
    VersionGroup SecondInterface;       // second HID interface
    int HardwareVersionMajor = 0;
    int HardwareVersionMinor = 0;
    int64_t ArchiveTime = 0;            // seconds since 1970 (UTC)

    // Feature switches, 0 or 1 (VoicePrompt and Calmweave hold 1 for off).
    int HandsfreeVOX = 0;
    int IntercomVOX = 0;
    int EDR = 0;
    int VoicePrompt = 0;
    int PLC = 0;
    int BitpoolRate = 0;
    int MicrophoneBoost = 0;
    int Sidetone = 0;
    int Calmweave = 0;
    int AutoGainControl = 0;

    int RadioTransmitGain = 0;          // 12, 15 or 17 (product 0x5210)
    int AudioChannelTimeout = 0;        // seconds (product 0x5210)

    // 0-9 basic, 10-13 camera, 14-15 VOX sensitivity, 16-17 smart volume,
    // 18 audio boost, 19 HD intercom, 20 FM station guide, 21 HD voice,
    // 22-23 two switches of 0x5410-0x5416, 24 HD voice of 0x6010-0x6024.
    int SettingWords[kSettingWordCount] = {};

    // FM block; frequencies in units of 10 kHz.
    int FmRegion = 0;                   // 0 to 5; see SafeFmRegion
    int FmMagic = 0;
    int FmCurrentFrequency = 0;
    int FmCurrentPreset = 0;
    int FmPresets[kFmPresetCount] = {};
    int FmRds = 0;

    CString SpeedDialNumbers[kSpeedDialCount];

    // Copies everything but the hardware version text, the build numbers and
    // the hardware version; the version groups only when withVersions is set.
    void CopyFrom(const DeviceSettings& source, int withVersions);

    // Per-model defaults for a product and firmware band.
    void SetDefaults(int productId, int major, int minor);
    // Region (1 on 0x4210 from 1.1, else 0), the ten presets and RDS.
    void ResetFmRadio(int productId, int major, int minor);
    void ResetSpeedDial();

    // Sign (-1, 0, 1) of the first unequal word of words 0-9, 10-13, 14-15
    // and 16-17, this record against the other.
    int CompareBasicWords(const DeviceSettings& other) const;
    int CompareCameraWords(const DeviceSettings& other) const;
    int CompareVoxSensitivityWords(const DeviceSettings& other) const;
    int CompareSmartVolumeWords(const DeviceSettings& other) const;

    // The 16-bit feature word the headset stores (upper bits are zero).
    int GetFeatureWord() const;
    // The ten switches from the bits of a feature word (bits 0 to 6 and 8 to
    // 10); the setting words are left alone.
    void SetSwitchesFromFeatureWord(int word);

    // 1 when the two records differ in what this record's model has.
    int Differs(const DeviceSettings& other, int withFmBlock) const;

    int CompareFirmwareVersion(int major, int minor) const;
    int CompareFirmwareVersionEx(int major, int minor, int type, int version) const;
    // Reads "major.minor" into the firmware group; the result of ParseVersion2.
    int SetFirmwareVersionText(const CString& text);

    // Setting word 0, 3, 14 and 16 as whole values.
    int GetBasicWord0() const { return SettingWords[0]; }
    void SetBasicWord0(int value) { SettingWords[0] = value; }
    int GetBasicWord3() const { return SettingWords[3]; }
    void SetBasicWord3(int value) { SettingWords[3] = value; }
    int GetVoxSensitivity() const { return SettingWords[14]; }
    void SetVoxSensitivity(int value) { SettingWords[14] = value; }
    int GetLvrSmartVolume() const { return SettingWords[16]; }
    void SetLvrSmartVolume(int value) { SettingWords[16] = value; }

    // Packed fields of word 1.
    int GetBasicWord1Bits0To2() const;
    void SetBasicWord1Bits0To2(int value);
    int GetBasicWord1Bits3To5() const;
    void SetBasicWord1Bits3To5(int value);
    int GetBasicWord1Bits7To9() const;
    void SetBasicWord1Bits7To9(int value);

    // Packed fields of word 2.
    int GetBasicWord2Bits0To1() const;
    void SetBasicWord2Bits0To1(int value);
    int GetBasicWord2Bits1To4() const;
    void SetBasicWord2Bits1To4(int value);
    int GetBasicWord2Bits2To3() const;
    void SetBasicWord2Bits2To3(int value);

    // One-bit fields of word 2.
    int GetBasicVoiceCommand() const { return GetBit(2, 0); }
    void SetBasicVoiceCommand(int value) { SetBit(2, 0, value); }
    int GetBasicFmStationGuide() const { return GetBit(2, 5); }
    void SetBasicFmStationGuide(int value) { SetBit(2, 5, value); }
    int GetBasicEightWayIntercom() const { return GetBit(2, 6); }
    void SetBasicEightWayIntercom(int value) { SetBit(2, 6, value); }
    int GetBasicAudioBoost() const { return GetBit(2, 7); }
    void SetBasicAudioBoost(int value) { SetBit(2, 7, value); }
    int GetBasicCalmweave() const { return GetBit(2, 8); }
    void SetBasicCalmweave(int value) { SetBit(2, 8, value); }
    int GetBasicWord2Bit9() const { return GetBit(2, 9); }
    void SetBasicWord2Bit9(int value) { SetBit(2, 9, value); }
    int GetBasicVoicePrompt() const { return GetBit(2, 10); }
    void SetBasicVoicePrompt(int value) { SetBit(2, 10, value); }
    int GetBasicBlendcast() const { return GetBit(2, 11); }
    void SetBasicBlendcast(int value) { SetBit(2, 11, value); }
    int GetBasicSidetone() const { return GetBit(2, 12); }
    void SetBasicSidetone(int value) { SetBit(2, 12, value); }
    int GetBasicHdIntercom() const { return GetBit(2, 13); }
    void SetBasicHdIntercom(int value) { SetBit(2, 13, value); }
    int GetBasicVoxPhone() const { return GetBit(2, 15); }
    void SetBasicVoxPhone(int value) { SetBit(2, 15, value); }

    // Camera settings of product 0x5510 (words 10 and 12).
    int GetCameraWord10Bit0() const { return GetBit(10, 0); }
    void SetCameraWord10Bit0(int value) { SetBit(10, 0, value); }
    int GetCameraVideoMode() const;            // word 10 bit 1 below 2.0, else word 12 bits 6-7
    void SetCameraVideoMode(int value);
    int GetCameraVideoResolution() const { return GetThreeWay(10, 2); }
    void SetCameraVideoResolution(int value) { SetThreeWay(10, 2, value); }
    int GetCameraTimelapseInterval() const { return GetBit(10, 4); }
    void SetCameraTimelapseInterval(int value) { SetBit(10, 4, value); }
    int GetCameraDateCaption() const { return GetBit(10, 5); }
    void SetCameraDateCaption(int value) { SetBit(10, 5, value); }
    int GetCameraSpeakerSoundRecording() const { return GetBit(10, 6); }
    void SetCameraSpeakerSoundRecording(int value) { SetBit(10, 6, value); }
    int GetCameraAutoSleep() const { return GetBit(10, 7); }
    void SetCameraAutoSleep(int value) { SetBit(10, 7, value); }
    int GetCameraSourceMusic() const { return GetBit(10, 8); }
    void SetCameraSourceMusic(int value) { SetBit(10, 8, value); }
    int GetCameraSourceFmRadio() const { return GetBit(10, 9); }
    void SetCameraSourceFmRadio(int value) { SetBit(10, 9, value); }
    int GetCameraSourceIntercom() const { return GetBit(10, 10); }
    void SetCameraSourceIntercom(int value) { SetBit(10, 10, value); }
    int GetCameraSourcePhone() const { return GetBit(10, 11); }
    void SetCameraSourcePhone(int value) { SetBit(10, 11, value); }
    int GetCameraVideoTaggingInterval() const { return GetThreeWay(12, 0); }
    void SetCameraVideoTaggingInterval(int value) { SetThreeWay(12, 0, value); }
    int GetCameraLoopRecordingInterval() const { return GetThreeWay(12, 2); }
    void SetCameraLoopRecordingInterval(int value) { SetThreeWay(12, 2, value); }
    int GetCameraVideoMicrophoneGain() const { return GetThreeWay(12, 4); }
    void SetCameraVideoMicrophoneGain(int value) { SetThreeWay(12, 4, value); }
    // 1 when none of the four audio sources (word 10 bits 8-11) is set.
    int HasNoCameraSource() const { return (SettingWords[10] & 0x0F00) == 0 ? 1 : 0; }

private:
    int GetBit(int word, int bit) const { return (SettingWords[word] >> bit) & 1; }
    void SetBit(int word, int bit, int value);
    // A pair of bits (low, low + 1): low alone 1, high alone 2, neither or both 0.
    int GetThreeWay(int word, int lowBit) const;
    void SetThreeWay(int word, int lowBit, int value);
    // A level 0 to 5 in three bits from lowBit; patterns 6 and 7 read as 3.
    int GetLevel(int word, int lowBit) const;
    void SetLevel(int word, int lowBit, int value);
    // Bits lowBit and lowBit + 1 as 0 to 3, or overrideValue when any bit of
    // overrideMask is set.
    int GetTwoBits(int word, int lowBit, int overrideMask, int overrideValue) const;
    // Clears clearMask and writes value at lowBit; ignores values outside 0 to maxValue.
    void SetField(int word, int lowBit, int clearMask, int value, int maxValue);
};

// Version comparisons: negative when a is older, 0 when equal, positive when
// newer. Only the sign carries meaning.
int CompareVersion(int aMajor, int aMinor, int bMajor, int bMinor);
int CompareVersion3(int aMajor, int aMinor, int aThird, int bMajor, int bMinor, int bThird);
int CompareVersionEx(int aMajor, int aMinor, int aType, int aVersion,
                     int bMajor, int bMinor, int bType, int bVersion, int cameraOrder);

// "major.minor": 1 when a point follows at least one character, else 0.
// Both outputs are 0 first.
int ParseVersion2(const CString& text, int* major, int* minor);
// "a.b.c.d": 1 when three points each follow some text; parts read before a
// failing point keep their values.
int ParseVersion4(const CString& text, int* a, int* b, int* c, int* d);

// DEFAULT of the three settings pages: copy the source with its versions, then
// reset the page's part with the source's product id and firmware version.
void ResetBasicSettingsFrom(DeviceSettings& target, const DeviceSettings& source);
void ResetFmRadioSettingsFrom(DeviceSettings& target, const DeviceSettings& source);
void ResetSpeedDialSettingsFrom(DeviceSettings& target, const DeviceSettings& source);

// The six FM regions: Worldwide, Americas, Asia, Australia, Europe, Japan.
struct FmRegionRange {
    int Minimum;    // units of 10 kHz
    int Maximum;
    int Step;
};
inline constexpr int kFmRegionCount = 6;
extern const FmRegionRange FmRegionTable[kFmRegionCount];

// The region to look up for a stored region: itself when 0 to 5, else 0.
inline int SafeFmRegion(int region) { return (region >= 0 && region < kFmRegionCount) ? region : 0; }

// 0 on the region's channel grid, 1 outside its band, 2 off the grid.
int ValidateFmFrequency(int region, int frequency);

// Radio transmit gain 12 -> 0, 17 -> 2, anything else -> 1.
int RadioTransmitGainToChoice(int gain);

// 20 words as a device name: the low byte of each word as one 8-bit character
// up to the first zero, in the user's code page. Returns the length.
int DecodeDeviceName(CString* out, const uint16_t words[kDeviceNameWordCount]);
// The first 20 UTF-16 units of the text, the rest of the 20 words zero.
// Returns the byte length of the used words.
int EncodeDeviceName(uint16_t words[kDeviceNameWordCount], const CString& text);
