// Per-model defaults, the feature word and the per-model comparison.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <new>
#include <vector>

#include "device/DeviceSettings.h"

namespace {

constexpr int Untouched = 7;

// A record with every field the defaults may touch set to 7, so that a test
// sees both what the defaults write and what they leave alone.
DeviceSettings Prefilled()
{
    DeviceSettings s;
    for (int DeviceSettings::*f : {&DeviceSettings::HandsfreeVOX, &DeviceSettings::IntercomVOX, &DeviceSettings::EDR,
                                   &DeviceSettings::VoicePrompt, &DeviceSettings::PLC, &DeviceSettings::BitpoolRate,
                                   &DeviceSettings::MicrophoneBoost, &DeviceSettings::Sidetone,
                                   &DeviceSettings::Calmweave, &DeviceSettings::AutoGainControl,
                                   &DeviceSettings::RadioTransmitGain, &DeviceSettings::AudioChannelTimeout,
                                   &DeviceSettings::FmRegion, &DeviceSettings::FmMagic,
                                   &DeviceSettings::FmCurrentFrequency, &DeviceSettings::FmCurrentPreset,
                                   &DeviceSettings::FmRds})
        s.*f = Untouched;
    for (int& w : s.SettingWords) w = Untouched;
    for (int& p : s.FmPresets) p = Untouched;
    for (CString& n : s.SpeedDialNumbers) n = L"0123";
    return s;
}

struct Expect {
    int DeviceSettings::*Field;  // null: setting word Word
    int Word;
    int Value;
};
Expect F(int DeviceSettings::*field, int value) { return {field, -1, value}; }
Expect W(int word, int value) { return {nullptr, word, value}; }

using S = DeviceSettings;

struct DefaultsCase {
    const char* Name;
    int ProductId, Major, Minor;
    VersionGroup RecordFirmware;
    std::vector<Expect> Expected;
};

const VersionGroup NoRecord{};

std::vector<DefaultsCase> DefaultsCases()
{
    const Expect fmReset[] = {F(&S::FmRegion, 0), F(&S::FmMagic, kFmMagicDefault), F(&S::FmCurrentFrequency, 0),
                              F(&S::FmCurrentPreset, 0), F(&S::FmRds, 0)};
    auto withFm = [&](std::vector<Expect> e) { e.insert(e.end(), std::begin(fmReset), std::end(fmReset)); return e; };
    return {
        {"TKV8 below 4.0", 0x4D10, 3, 9, NoRecord,
         {F(&S::HandsfreeVOX, 0), F(&S::IntercomVOX, 0), F(&S::EDR, 1), F(&S::PLC, Untouched), F(&S::MicrophoneBoost, Untouched)}},
        {"TKV8 4.0", 0x4D10, 4, 0, NoRecord,
         {F(&S::HandsfreeVOX, 1), F(&S::EDR, 0), F(&S::PLC, 1), F(&S::BitpoolRate, Untouched), F(&S::MicrophoneBoost, Untouched)}},
        {"TKV8 4.1", 0x4D10, 4, 1, NoRecord, {F(&S::PLC, 1), F(&S::BitpoolRate, 1), F(&S::MicrophoneBoost, 1)}},
        {"TKV8 4.2", 0x4D10, 4, 2, NoRecord,
         {F(&S::HandsfreeVOX, 1), F(&S::EDR, 1), F(&S::BitpoolRate, 1), F(&S::MicrophoneBoost, 1), F(&S::PLC, Untouched)}},
        {"TKV8 4.3", 0x4D30, 4, 3, NoRecord, {F(&S::EDR, 0), F(&S::BitpoolRate, 1), F(&S::Sidetone, Untouched)}},
        {"TKV8 5.0", 0x4D40, 5, 0, NoRecord, {F(&S::EDR, 0), F(&S::Sidetone, 0), F(&S::MicrophoneBoost, 1)}},
        {"TKV8N has no microphone default", 0x4D20, 4, 2, NoRecord, {F(&S::EDR, 1), F(&S::MicrophoneBoost, Untouched)}},
        {"WPR6K-FM resets FM", 0x5040, 5, 0, NoRecord, withFm({F(&S::Sidetone, 0)})},
        {"WPR6 leaves FM", 0x5010, 5, 0, NoRecord, {F(&S::FmMagic, Untouched)}},
        {"Frostline", 0x4040, 1, 0, NoRecord, {F(&S::HandsfreeVOX, 1), F(&S::Sidetone, 0), F(&S::Calmweave, 0)}},
        {"Q-LINQ 1.0", 0x2020, 1, 0, NoRecord, {F(&S::Sidetone, 0), F(&S::Calmweave, Untouched)}},
        {"Q-LINQ 1.1", 0x2020, 1, 1, NoRecord, {F(&S::Calmweave, 0)}},
        {"Verra", 0x6111, 1, 0, NoRecord,
         {F(&S::EDR, 0), F(&S::BitpoolRate, 1), F(&S::Calmweave, 0), F(&S::HandsfreeVOX, Untouched)}},
        {"WIDEN", 0x4111, 1, 0, NoRecord, {F(&S::HandsfreeVOX, 1), F(&S::BitpoolRate, 1), F(&S::Sidetone, Untouched)}},
        {"BQR6", 0x4120, 1, 0, NoRecord, {F(&S::AutoGainControl, 0), F(&S::Calmweave, 0)}},
        {"TKV3 1.1", 0x4D35, 1, 1, NoRecord, {F(&S::EDR, 0), F(&S::PLC, 1), F(&S::BitpoolRate, Untouched)}},
        {"TKV3 1.2", 0x4D35, 1, 2, NoRecord, {F(&S::EDR, 1), F(&S::BitpoolRate, 1)}},
        {"TKV3 2.0", 0x4D55, 2, 0, NoRecord, {F(&S::EDR, 0), F(&S::Sidetone, 0), F(&S::FmMagic, Untouched)}},
        {"TKV3-FM", 0x4D65, 1, 5, NoRecord, withFm({F(&S::EDR, 0), F(&S::Sidetone, Untouched)})},
        {"TKV3-KX", 0x4D85, 1, 0, NoRecord, withFm({F(&S::Sidetone, 0)})},
        {"Ridgewing", 0x2210, 1, 0, NoRecord, {F(&S::HandsfreeVOX, 1), F(&S::EDR, 1), F(&S::BitpoolRate, 1)}},
        {"GZR6", 0x5210, 1, 0, NoRecord, {F(&S::RadioTransmitGain, 15), F(&S::AudioChannelTimeout, 5), F(&S::EDR, Untouched)}},
        {"V40 1.0", 0x4210, 1, 0, NoRecord, withFm({W(0, 5), W(1, 3), W(2, 0xEC00), W(3, 0)})},
        {"V40 1.1", 0x4210, 1, 1, NoRecord, {W(2, 0xEC00), W(3, 3), F(&S::FmRegion, 1), F(&S::FmMagic, kFmMagicDefault)}},
        {"V40 1.4", 0x4210, 1, 4, NoRecord, {W(2, 0xED80), W(3, 3)}},
        {"V40 1.5", 0x4210, 1, 5, NoRecord, {W(2, 0xEDA0), W(3, 3)}},
        {"V40 1.6", 0x4210, 1, 6, NoRecord, {W(2, 0xED20), W(3, 2), F(&S::FmRegion, 1)}},
        {"Vantor", 0x4430, 1, 0, NoRecord, withFm({W(0, 5), W(1, 3), W(2, 0xED21), W(3, 2)})},
        {"Helm 1.0", 0x5610, 1, 0, NoRecord, withFm({F(&S::VoicePrompt, 0), W(18, 0), W(19, Untouched)})},
        {"Helm 1.1", 0x5621, 1, 1, NoRecord, {W(18, 1), W(19, 1), W(20, Untouched)}},
        {"KR5 record below type 2", 0x5520, 1, 0, {1, 0, 1, 9, 0}, withFm({W(18, 0), W(14, 3), W(19, Untouched)})},
        {"KR5 1.0", 0x5520, 1, 0, {1, 0, 2, 1, 0}, {W(18, 1), W(19, Untouched)}},
        {"KR5 1.2", 0x5520, 1, 2, {1, 2, 2, 1, 0}, {W(18, 1), W(19, 1), W(20, Untouched)}},
        {"KR5 1.3", 0x5520, 1, 3, {1, 3, 2, 1, 0}, {W(18, 1), W(19, 1), W(20, 1)}},
        {"Vantor Mini", 0x5526, 1, 0, NoRecord, withFm({F(&S::IntercomVOX, 0), F(&S::Sidetone, 0), W(14, 3), W(15, 0), W(20, 1)})},
        {"KC5 record below 2.3", 0x5510, 2, 2, {1, 0, 2, 2, 0}, {W(10, 1984), W(11, 0), W(18, 0), W(12, 0)}},
        {"KC5 1.9", 0x5510, 1, 9, {1, 9, 2, 3, 0}, {W(18, 1), W(19, Untouched), W(12, 0)}},
        {"KC5 2.1", 0x5510, 2, 1, {2, 1, 2, 3, 0}, {W(18, 1), W(19, 1), W(12, 20), W(13, 0), W(20, Untouched)}},
        {"KC5 2.2", 0x5510, 2, 2, {2, 2, 2, 3, 0}, withFm({W(20, 1), W(12, 20)})},
        {"KS5 1.3", 0x5530, 1, 3, NoRecord, {W(18, 1), W(19, 1), W(20, Untouched), W(21, Untouched)}},
        {"KS5 1.4", 0x5530, 1, 4, NoRecord, {W(20, 1), W(21, 0)}},
        {"Feral", 0x5550, 1, 0, NoRecord, withFm({F(&S::EDR, 0), W(20, 1), F(&S::HandsfreeVOX, Untouched)})},
        {"V60", 0x3110, 1, 0, NoRecord, withFm({W(0, 7201), W(1, 1411)})},
        {"Grittalk", 0x5710, 1, 0, NoRecord, withFm({W(18, 1), W(19, 1), W(14, 0)})},
        {"LVR7", 0x5623, 1, 0, NoRecord, {W(14, 2), W(16, Untouched)}},
        {"LVRS", 0x5624, 1, 0, NoRecord, withFm({W(14, 2), W(16, 0), W(17, 0)})},
        {"Lancer", 0x5524, 1, 0, NoRecord, withFm({W(18, 0), W(20, 1), F(&S::Calmweave, 0)})},
        {"Z9", 0x3040, 1, 0, NoRecord, withFm({F(&S::VoicePrompt, 0), W(20, 1), F(&S::EDR, Untouched)})},
        {"M7Xpad", 0x6210, 1, 0, NoRecord, withFm({F(&S::HandsfreeVOX, 1), W(20, 1)})},
        {"Ostrel", 0x5910, 1, 0, NoRecord, withFm({F(&S::Calmweave, 0), W(20, 1)})},
        {"YT1 leaves FM", 0x5410, 1, 0, NoRecord,
         {F(&S::HandsfreeVOX, 1), W(23, 0), W(22, Untouched), W(14, 3), F(&S::FmMagic, Untouched), F(&S::FmRds, Untouched)}},
        {"YT2 FM with RDS", 0x5414, 1, 0, NoRecord, {W(22, 0), W(23, 0), F(&S::FmMagic, kFmMagicDefault), F(&S::FmRds, 1)}},
        {"NQ1", 0x6012, 1, 0, NoRecord, {W(2, 104), W(3, 0), W(14, 2), W(24, 0), F(&S::FmRds, 1)}},
        {"NQ5", 0x6018, 1, 0, NoRecord, {W(2, 107), F(&S::FmRds, 1)}},
        {"NQ3", 0x6022, 1, 0, NoRecord, {W(24, 0), W(14, 2), F(&S::HandsfreeVOX, 1), F(&S::EDR, Untouched), F(&S::FmRds, 1)}},
        {"GZM6 has no row", 0x5310, 1, 0, NoRecord,
         {W(0, 0), W(15, 0), W(16, Untouched), F(&S::EDR, Untouched), F(&S::FmMagic, Untouched)}},
        {"Blank record", 0, 0, 0, NoRecord, {W(3, 0), W(31, Untouched), F(&S::HandsfreeVOX, Untouched)}},
    };
}

TEST(DeviceSettingsDefaults, PerModelAndBand)
{
    for (const DefaultsCase& c : DefaultsCases()) {
        SCOPED_TRACE(c.Name);
        DeviceSettings s = Prefilled();
        s.ProductId = c.ProductId;
        s.Firmware = c.RecordFirmware;
        s.SetDefaults(c.ProductId, c.Major, c.Minor);
        for (const Expect& e : c.Expected) {
            if (e.Field)
                EXPECT_EQ(s.*e.Field, e.Value);
            else
                EXPECT_EQ(s.SettingWords[e.Word], e.Value) << "word " << e.Word;
        }
        for (const CString& n : s.SpeedDialNumbers)
            EXPECT_TRUE(n.IsEmpty());
    }
}

TEST(DeviceSettingsDefaults, UnknownProductOnlyClearsLowWordsAndSpeedDials)
{
    DeviceSettings s = Prefilled();
    s.SetDefaults(0x1234, 1, 0);
    for (int i = 0; i < kSettingWordCount; ++i)
        EXPECT_EQ(s.SettingWords[i], i < 16 ? 0 : Untouched) << i;
}

TEST(DeviceSettingsDefaults, SixPresetModelsKeepTheLastFour)
{
    DeviceSettings s = Prefilled();
    s.SetDefaults(0x6010, 1, 0);
    for (int i = 0; i < kFmPresetCount; ++i)
        EXPECT_EQ(s.FmPresets[i], i < 6 ? 0 : Untouched) << i;
}

TEST(DeviceSettingsDefaults, ResetFmRadioKeepsMagicFrequencyAndPreset)
{
    DeviceSettings s = Prefilled();
    s.ResetFmRadio(0x4210, 1, 1);
    EXPECT_EQ(s.FmRegion, 1);
    EXPECT_EQ(s.FmRds, 0);
    EXPECT_EQ(s.FmMagic, Untouched);
    EXPECT_EQ(s.FmCurrentFrequency, Untouched);
    EXPECT_EQ(s.FmCurrentPreset, Untouched);
    for (int p : s.FmPresets) EXPECT_EQ(p, 0);

    s.ResetFmRadio(0x4210, 1, 0);
    EXPECT_EQ(s.FmRegion, 0);
    s.ResetFmRadio(0x4310, 2, 0);
    EXPECT_EQ(s.FmRegion, 0);
}

TEST(DeviceSettingsDefaults, ResetFromCopiesThenResets)
{
    DeviceSettings source = Prefilled();
    source.ProductId = 0x4210;
    source.Firmware = {1, 6, 2, 3, 9};
    source.DeviceName = L"V40";

    DeviceSettings basic;
    ResetBasicSettingsFrom(basic, source);
    EXPECT_EQ(basic.DeviceName, L"V40");
    EXPECT_EQ(basic.Firmware.SecondaryVersion, 3);
    EXPECT_EQ(basic.SettingWords[2], 0xED20);
    EXPECT_EQ(basic.FmRegion, 1);

    DeviceSettings fm;
    ResetFmRadioSettingsFrom(fm, source);
    EXPECT_EQ(fm.SettingWords[2], Untouched);
    EXPECT_EQ(fm.FmRegion, 1);
    EXPECT_EQ(fm.FmPresets[9], 0);
    EXPECT_EQ(fm.SpeedDialNumbers[0], L"0123");

    DeviceSettings dial;
    ResetSpeedDialSettingsFrom(dial, source);
    EXPECT_EQ(dial.FmPresets[9], Untouched);
    EXPECT_TRUE(dial.SpeedDialNumbers[2].IsEmpty());
}

// ---------------------------------------------------------------------------

TEST(DeviceSettingsRecord, ConstructionZeroesEveryField)
{
    // Construct over garbage so that an uninitialised member shows.
    alignas(DeviceSettings) unsigned char storage[sizeof(DeviceSettings)];
    std::memset(storage, 0xAB, sizeof(storage));
    DeviceSettings* s = new (storage) DeviceSettings;
    EXPECT_EQ(s->ProductId, 0);
    EXPECT_EQ(s->ArchiveTime, 0);
    EXPECT_EQ(s->Firmware.BuildNumber, 0);
    EXPECT_EQ(s->SecondInterface.SecondaryType, 0);
    EXPECT_EQ(s->AutoGainControl, 0);
    EXPECT_EQ(s->AudioChannelTimeout, 0);
    for (int w : s->SettingWords) EXPECT_EQ(w, 0);
    for (int p : s->FmPresets) EXPECT_EQ(p, 0);
    EXPECT_EQ(s->FmRds, 0);
    EXPECT_TRUE(s->HardwareVersionText.IsEmpty());
    EXPECT_TRUE(s->SpeedDialNumbers[2].IsEmpty());
    s->~DeviceSettings();
}

TEST(DeviceSettingsRecord, CopyFromKeepsHardwareAndBuildFields)
{
    DeviceSettings source = Prefilled();
    source.ProductId = 0x5610;
    source.BluetoothAddress = L"001122[334455]";
    source.HardwareVersionText = L"   |   H/W v1.2";
    source.HardwareVersionMajor = 1;
    source.Firmware = {2, 3, 4, 5, 6};
    source.FirstInterface = {7, 8, 9, 10, 11};
    source.SecondInterface = {12, 13, 14, 15, 16};
    source.ArchiveTime = 1356998398;

    DeviceSettings target;
    target.HardwareVersionText = L"mine";
    target.Firmware.BuildNumber = 99;
    target.CopyFrom(source, 0);
    EXPECT_EQ(target.ProductId, 0x5610);
    EXPECT_EQ(target.BluetoothAddress, L"001122[334455]");
    EXPECT_EQ(target.ArchiveTime, 1356998398);
    EXPECT_EQ(target.SettingWords[31], Untouched);
    EXPECT_EQ(target.FmPresets[9], Untouched);
    EXPECT_EQ(target.SpeedDialNumbers[1], L"0123");
    EXPECT_EQ(target.Firmware.Major, 0);
    EXPECT_EQ(target.HardwareVersionText, L"mine");

    target.CopyFrom(source, 1);
    EXPECT_EQ(target.Firmware.Major, 2);
    EXPECT_EQ(target.Firmware.SecondaryVersion, 5);
    EXPECT_EQ(target.Firmware.BuildNumber, 99);
    EXPECT_EQ(target.FirstInterface.SecondaryType, 9);
    EXPECT_EQ(target.FirstInterface.BuildNumber, 0);
    EXPECT_EQ(target.SecondInterface.Minor, 13);
    EXPECT_EQ(target.HardwareVersionMajor, 0);
    EXPECT_EQ(target.HardwareVersionText, L"mine");
}

// ---------------------------------------------------------------------------

DeviceSettings Record(int productId, int major, int minor)
{
    DeviceSettings s;
    s.ProductId = productId;
    s.Firmware.Major = major;
    s.Firmware.Minor = minor;
    return s;
}

TEST(DeviceSettingsFeatureWord, Switches)
{
    DeviceSettings s = Record(0x4D10, 5, 0);
    for (int DeviceSettings::*f : {&S::HandsfreeVOX, &S::IntercomVOX, &S::EDR, &S::VoicePrompt, &S::PLC,
                                   &S::BitpoolRate, &S::MicrophoneBoost, &S::Sidetone, &S::Calmweave,
                                   &S::AutoGainControl})
        s.*f = 1;
    EXPECT_EQ(s.GetFeatureWord(), 0x077F);  // bit 7 is never set
    s.EDR = 5;                              // any non-zero value sets the bit
    EXPECT_EQ(s.GetFeatureWord(), 0x077F);
}

TEST(DeviceSettingsFeatureWord, WordBitsPerModel)
{
    struct Case {
        const char* Name;
        int ProductId, Major, Minor, Word, Expected;
    };
    const Case cases[] = {
        {"Helm 1.0 ignores HD intercom", 0x5610, 1, 0, 19, 0},
        {"Helm 1.1 has HD intercom", 0x5610, 1, 1, 19, 1 << 11},
        {"Grittalk always has HD intercom", 0x5710, 1, 0, 19, 1 << 11},
        {"TKV8 never has HD intercom", 0x4D10, 5, 0, 19, 0},
        {"KR5 audio boost sets bit 10", 0x5520, 1, 0, 18, 1 << 10},
        {"TKV8 has no audio boost bit", 0x4D10, 5, 0, 18, 0},
        {"Z9 FM station guide", 0x3030, 1, 0, 20, 1 << 12},
        {"Helm has no FM station guide bit", 0x5610, 1, 1, 20, 0},
        {"HD voice from word 21", 0x4D10, 5, 0, 21, 1 << 13},
        {"NQ1 ignores word 21", 0x6010, 1, 0, 21, 0},
        {"NQ1 HD voice from word 24", 0x6010, 1, 0, 24, 1 << 13},
        {"NQ3 HD voice from word 24", 0x6024, 1, 0, 24, 1 << 13},
        {"TKV8 ignores word 24", 0x4D10, 5, 0, 24, 0},
        {"YT1 word 22", 0x5410, 1, 0, 22, 1 << 14},
        {"YT4 word 23", 0x5414, 1, 0, 23, 1 << 15},
        {"NQ1 has no word 22 bit", 0x6010, 1, 0, 22, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        DeviceSettings s = Record(c.ProductId, c.Major, c.Minor);
        s.SettingWords[c.Word] = 1;
        EXPECT_EQ(s.GetFeatureWord(), c.Expected);
    }
}

TEST(DeviceSettingsFeatureWord, AudioBoostOrSwitchSetsBit10)
{
    DeviceSettings s = Record(0x5910, 1, 0);
    s.AutoGainControl = 1;
    EXPECT_EQ(s.GetFeatureWord(), 1 << 10);
    s.SettingWords[18] = 1;
    EXPECT_EQ(s.GetFeatureWord(), 1 << 10);
    s.AutoGainControl = 0;
    EXPECT_EQ(s.GetFeatureWord(), 1 << 10);
}

// ---------------------------------------------------------------------------

TEST(DeviceSettingsDiffers, PerModel)
{
    enum Change { SwitchEDR, Word9, Word13, Word15, Word17, Gain, Preset5, Preset6, FmRegionChange, RdsChange };
    struct Case {
        const char* Name;
        int ProductId, Major, Minor;
        Change What;
        int WithFm;
        int Expected;
    };
    const Case cases[] = {
        {"V40 basic words", 0x4210, 1, 6, Word9, 0, 1},
        {"V40 ignores switches", 0x4210, 1, 6, SwitchEDR, 1, 0},
        {"V40 FM block", 0x4210, 1, 6, FmRegionChange, 1, 1},
        {"V40 FM block not asked", 0x4210, 1, 6, FmRegionChange, 0, 0},
        {"Helm feature word", 0x5610, 1, 0, SwitchEDR, 0, 1},
        {"Helm ignores basic words", 0x5610, 1, 0, Word9, 1, 0},
        {"KC5 camera words", 0x5510, 2, 0, Word13, 0, 1},
        {"KR5 VOX words", 0x5520, 1, 0, Word15, 0, 1},
        {"LVRA smart volume", 0x5622, 1, 0, Word17, 0, 1},
        {"LVRA VOX below 1.1", 0x5622, 1, 0, Word15, 0, 0},
        {"LVRA VOX from 1.1", 0x5622, 1, 1, Word15, 0, 1},
        {"LVR7 VOX below 1.1", 0x5623, 1, 0, Word15, 0, 0},
        {"LVR7 VOX from 1.1", 0x5623, 1, 1, Word15, 0, 1},
        {"LVR7 ignores smart volume", 0x5623, 1, 1, Word17, 0, 0},
        {"YT1 ignores the FM block", 0x5410, 1, 0, RdsChange, 1, 0},
        {"YT2 compares the FM block", 0x5412, 1, 0, RdsChange, 1, 1},
        {"NQ1 preset 6 of six", 0x6010, 1, 0, Preset5, 1, 1},
        {"NQ1 ignores preset 7", 0x6010, 1, 0, Preset6, 1, 0},
        {"NQ1 basic words", 0x6010, 1, 0, Word9, 0, 1},
        {"NQ3 ignores the FM block", 0x6020, 1, 0, RdsChange, 1, 0},
        {"TKV3-FM FM block", 0x4D15, 1, 0, Preset6, 1, 1},
        {"TKV8 ignores the FM block", 0x4D10, 5, 0, RdsChange, 1, 0},
        {"TKV8 feature word", 0x4D10, 5, 0, SwitchEDR, 0, 1},
        {"GZR6 gain", 0x5210, 1, 0, Gain, 0, 1},
        {"GZR6 ignores switches", 0x5210, 1, 0, SwitchEDR, 0, 0},
        {"GZM6 never differs", 0x5310, 1, 0, SwitchEDR, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const DeviceSettings device = Record(c.ProductId, c.Major, c.Minor);
        DeviceSettings page = device;
        switch (c.What) {
        case SwitchEDR: page.EDR = 1; break;
        case Word9: page.SettingWords[9] = 1; break;
        case Word13: page.SettingWords[13] = 1; break;
        case Word15: page.SettingWords[15] = 1; break;
        case Word17: page.SettingWords[17] = 1; break;
        case Gain: page.RadioTransmitGain = 17; break;
        case Preset5: page.FmPresets[5] = 8750; break;
        case Preset6: page.FmPresets[6] = 8750; break;
        case FmRegionChange: page.FmRegion = 4; break;
        case RdsChange: page.FmRds = 1; break;
        }
        EXPECT_EQ(device.Differs(page, c.WithFm), c.Expected);
        EXPECT_EQ(device.Differs(device, c.WithFm), 0);
    }
}

TEST(DeviceSettingsDiffers, WordComparisonsGiveSignsWithoutOverflow)
{
    DeviceSettings a;
    DeviceSettings b;
    a.SettingWords[4] = INT_MIN;
    b.SettingWords[4] = INT_MAX;
    EXPECT_EQ(a.CompareBasicWords(b), -1);
    EXPECT_EQ(b.CompareBasicWords(a), 1);
    a.SettingWords[11] = 5;
    EXPECT_EQ(a.CompareCameraWords(b), 1);
    a.SettingWords[15] = -3;
    EXPECT_EQ(a.CompareVoxSensitivityWords(b), -1);
    EXPECT_EQ(a.CompareSmartVolumeWords(b), 0);
    // The first unequal index decides.
    a.SettingWords[16] = 1;
    a.SettingWords[17] = -100;
    EXPECT_EQ(a.CompareSmartVolumeWords(b), 1);
}

}  // namespace
