#include "device/DeviceSettings.h"

#include <algorithm>
#include <climits>
#include <cwchar>

#include "device/ProductCatalogue.h"

namespace {

using F = SettingsFamily;

// ---------------------------------------------------------------------------
// Field references for the defaults table: 0 ends a list, 1-13 name a field,
// W(n) names setting word n.

enum DefaultField : uint8_t {
    End = 0, Hf, Ic, Edr, Vp, Plc, Bp, Mic, Sid, Calm, Agc, Gain, Timeout, Region,
    FirstWord = 64,
};
constexpr uint8_t W(int word) { return static_cast<uint8_t>(FirstWord + word); }

constexpr int DeviceSettings::*NamedFields[] = {
    nullptr,
    &DeviceSettings::HandsfreeVOX, &DeviceSettings::IntercomVOX, &DeviceSettings::EDR,
    &DeviceSettings::VoicePrompt, &DeviceSettings::PLC, &DeviceSettings::BitpoolRate,
    &DeviceSettings::MicrophoneBoost, &DeviceSettings::Sidetone, &DeviceSettings::Calmweave,
    &DeviceSettings::AutoGainControl, &DeviceSettings::RadioTransmitGain,
    &DeviceSettings::AudioChannelTimeout, &DeviceSettings::FmRegion,
};

int& FieldOf(DeviceSettings& s, uint8_t field)
{
    if (field >= FirstWord)
        return s.SettingWords[field - FirstWord];
    return s.*NamedFields[field];
}

struct Assign {
    uint8_t Field;
    int Value;
};
using AssignList = std::array<Assign, 12>;

void Apply(DeviceSettings& s, const Assign* values, std::size_t count)
{
    for (std::size_t i = 0; i < count && values[i].Field != End; ++i)
        FieldOf(s, values[i].Field) = values[i].Value;
}
template <std::size_t N>
void Apply(DeviceSettings& s, const std::array<Assign, N>& values) { Apply(s, values.data(), N); }

// The switch groups that many models share.
enum class Group : uint8_t { None, S21, S23, S25 };
constexpr AssignList kGroupValues[] = {
    {},
    {{{Ic, 0}, {Hf, 1}, {Edr, 0}, {Vp, 0}, {Bp, 1}, {Sid, 0}, {Calm, 0}}},
    {{{Ic, 0}, {Hf, 1}, {Edr, 0}, {Bp, 1}, {Sid, 0}}},
    {{{Ic, 0}, {Hf, 1}, {Edr, 0}}},
};

// A firmware band: applies when its condition holds; the bands of a list are
// tried in order and the first that holds is applied.
enum class Below : uint8_t {
    Always,     // the "else" band
    Firmware,   // CompareVersion(major, minor, Major, Minor) < 0
    RecordEx,   // the record's own four-part firmware < (1, 0, 2, Minor)
};
struct Band {
    Below Condition;
    int Major;
    int Minor;
    std::array<Assign, 6> Values;
};
using BandList = std::array<Band, 6>;

constexpr BandList kNoBands = {};

// 0x4D10 and its family.
constexpr BandList kTkv8Bands = {{
    {Below::Firmware, 4, 0, {{{Hf, 0}, {Ic, 0}, {Edr, 1}}}},
    {Below::Firmware, 4, 1, {{{Ic, 0}, {Hf, 1}, {Edr, 0}, {Plc, 1}}}},
    {Below::Firmware, 4, 2, {{{Ic, 0}, {Hf, 1}, {Edr, 0}, {Plc, 1}, {Bp, 1}}}},
    {Below::Firmware, 4, 3, {{{Ic, 0}, {Hf, 1}, {Edr, 1}, {Bp, 1}}}},
    {Below::Firmware, 5, 0, {{{Ic, 0}, {Hf, 1}, {Edr, 0}, {Bp, 1}}}},
    {Below::Always, 0, 0, {{{Ic, 0}, {Hf, 1}, {Edr, 0}, {Bp, 1}, {Sid, 0}}}},
}};
constexpr BandList kMicrophoneFrom41 = {{
    {Below::Firmware, 4, 1, {}},
    {Below::Always, 0, 0, {{{Mic, 1}}}},
}};
constexpr BandList kTkv3Bands = {{
    {Below::Firmware, 1, 2, {{{Hf, 1}, {Edr, 0}, {Plc, 1}}}},
    {Below::Firmware, 1, 3, {{{Hf, 1}, {Edr, 1}, {Bp, 1}}}},
    {Below::Firmware, 2, 0, {{{Hf, 1}, {Edr, 0}, {Bp, 1}}}},
    {Below::Always, 0, 0, {{{Hf, 1}, {Edr, 0}, {Bp, 1}, {Sid, 0}}}},
}};
constexpr BandList kCalmweaveFrom11 = {{
    {Below::Firmware, 1, 1, {}},
    {Below::Always, 0, 0, {{{Calm, 0}}}},
}};
constexpr BandList kV40Bands = {{
    {Below::Firmware, 1, 1, {{{W(2), 0xEC00}}}},
    {Below::Firmware, 1, 2, {{{W(2), 0xEC00}, {W(3), 3}}}},
    {Below::Firmware, 1, 5, {{{W(2), 0xED80}, {W(3), 3}}}},
    {Below::Firmware, 1, 6, {{{W(2), 0xEDA0}, {W(3), 3}}}},
    {Below::Always, 0, 0, {{{W(2), 0xED20}, {W(3), 2}}}},
}};
constexpr BandList kRegionAmericasFrom11 = {{
    {Below::Firmware, 1, 1, {}},
    {Below::Always, 0, 0, {{{Region, 1}}}},
}};
constexpr BandList kHelmBands = {{
    {Below::Firmware, 1, 1, {{{W(18), 0}}}},
    {Below::Always, 0, 0, {{{W(18), 1}, {W(19), 1}}}},
}};
constexpr BandList kKr5Bands = {{
    {Below::RecordEx, 0, 1, {{{W(18), 0}}}},
    {Below::Firmware, 1, 1, {{{W(18), 1}}}},
    {Below::Firmware, 1, 3, {{{W(18), 1}, {W(19), 1}}}},
    {Below::Always, 0, 0, {{{W(18), 1}, {W(19), 1}, {W(20), 1}}}},
}};
constexpr BandList kKc5Bands = {{
    {Below::RecordEx, 0, 3, {{{W(18), 0}}}},
    {Below::Firmware, 2, 0, {{{W(18), 1}}}},
    {Below::Firmware, 2, 2, {{{W(18), 1}, {W(19), 1}, {W(12), 20}, {W(13), 0}}}},
    {Below::Always, 0, 0, {{{W(18), 1}, {W(19), 1}, {W(20), 1}, {W(12), 20}, {W(13), 0}}}},
}};
constexpr BandList kKs5Bands = {{
    {Below::Firmware, 1, 4, {}},
    {Below::Always, 0, 0, {{{W(20), 1}, {W(21), 0}}}},
}};

// FM reset: region 0, magic 0x56E9, frequency, preset and the first
// PresetCount presets 0, RDS as given. PresetCount 0 leaves the block alone.
struct FmReset {
    uint8_t PresetCount;
    uint8_t Rds;
};
constexpr FmReset kNoFm = {0, 0};
constexpr FmReset kFm10 = {10, 0};
constexpr FmReset kFm10Rds = {10, 1};
constexpr FmReset kFm6Rds = {6, 1};

struct DefaultsRow {
    SettingsFamilies Families;
    Group Switches;
    AssignList Values;
    FmReset Fm;
    const BandList* Bands;
    const BandList* MoreBands;
};

const DefaultsRow kDefaultsTable[] = {
    {{F::Tkv8}, Group::None, {}, kNoFm, &kTkv8Bands, &kMicrophoneFrom41},
    {{F::Tkv8n, F::Wpr6t}, Group::None, {}, kNoFm, &kTkv8Bands, &kNoBands},
    {{F::Wpr6kFm}, Group::None, {}, kFm10, &kTkv8Bands, &kNoBands},
    {{F::Polylink}, Group::S23, {}, kNoFm, &kNoBands, &kNoBands},
    {{F::Frostline}, Group::S23, {{{Calm, 0}}}, kNoFm, &kNoBands, &kNoBands},
    {{F::QLinq}, Group::S23, {}, kNoFm, &kCalmweaveFrom11, &kNoBands},
    {{F::Verra}, Group::None, {{{Edr, 0}, {Bp, 1}, {Sid, 0}, {Calm, 0}}}, kNoFm, &kNoBands, &kNoBands},
    {{F::Widen}, Group::S25, {{{Bp, 1}}}, kNoFm, &kNoBands, &kNoBands},
    {{F::Bqr6}, Group::S23, {{{Calm, 0}, {Agc, 0}}}, kNoFm, &kNoBands, &kNoBands},
    {{F::Tkv3}, Group::None, {}, kNoFm, &kTkv3Bands, &kNoBands},
    {{F::Tkv3Fm}, Group::None, {}, kFm10, &kTkv3Bands, &kNoBands},
    {{F::Tkv3Kx}, Group::None, {{{Hf, 1}, {Edr, 0}, {Bp, 1}, {Sid, 0}}}, kFm10, &kNoBands, &kNoBands},
    {{F::Tkv2}, Group::None,
     {{{Hf, 1}, {Edr, 1}, {Bp, 1}}}, kNoFm, &kNoBands, &kNoBands},
    {{F::Gzr6}, Group::None, {{{Gain, 15}, {Timeout, 5}}}, kNoFm, &kNoBands, &kNoBands},
    {{F::V40}, Group::None, {{{W(0), 5}, {W(1), 3}}}, kFm10, &kV40Bands, &kRegionAmericasFrom11},
    {{F::Vantor}, Group::None,
     {{{W(0), 5}, {W(1), 3}, {W(2), 0xED21}, {W(3), 2}}}, kFm10, &kNoBands, &kNoBands},
    {{F::M7xHelm}, Group::S21, {}, kFm10, &kHelmBands, &kNoBands},
    {{F::Kr5}, Group::S21, {{{W(14), 3}}}, kFm10, &kKr5Bands, &kNoBands},
    {{F::VantorMini}, Group::S25,
     {{{Vp, 0}, {Bp, 1}, {Sid, 0}, {Calm, 0}, {W(18), 1}, {W(19), 1}, {W(20), 1}, {W(14), 3}, {W(15), 0}}},
     kFm10, &kNoBands, &kNoBands},
    {{F::Kc5}, Group::S21, {{{W(10), 1984}, {W(11), 0}}}, kFm10, &kKc5Bands, &kNoBands},
    {{F::Ks5}, Group::S21, {{{W(18), 1}, {W(19), 1}}}, kFm10, &kKs5Bands, &kNoBands},
    {{F::Feral}, Group::None,
     {{{Edr, 0}, {Vp, 0}, {Bp, 1}, {Calm, 0}, {W(18), 1}, {W(19), 1}, {W(20), 1}}}, kFm10, &kNoBands, &kNoBands},
    {{F::V60}, Group::None, {{{W(0), 7201}, {W(1), 1411}}}, kFm10, &kNoBands, &kNoBands},
    {{F::Grittalk}, Group::S21, {{{W(18), 1}, {W(19), 1}}}, kFm10, &kNoBands, &kNoBands},
    {{F::Lvr7}, Group::S21, {{{W(18), 1}, {W(19), 1}, {W(14), 2}}}, kFm10, &kNoBands, &kNoBands},
    {{F::Lvra}, Group::S21,
     {{{W(18), 1}, {W(19), 1}, {W(14), 2}, {W(16), 0}, {W(17), 0}}}, kFm10, &kNoBands, &kNoBands},
    {{F::ThunderKr5}, Group::None,
     {{{Edr, 0}, {Vp, 0}, {Bp, 1}, {Calm, 0}, {W(18), 0}, {W(20), 1}}}, kFm10, &kNoBands, &kNoBands},
    {{F::Z9}, Group::None, {{{Vp, 0}, {Calm, 0}, {W(20), 1}}}, kFm10, &kNoBands, &kNoBands},
    {{F::M7xpad}, Group::S25,
     {{{Vp, 0}, {Bp, 1}, {Calm, 0}, {W(18), 1}, {W(19), 1}, {W(20), 1}}}, kFm10, &kNoBands, &kNoBands},
    {{F::Ostrel}, Group::S21, {{{W(18), 1}, {W(19), 1}, {W(20), 1}}}, kFm10, &kNoBands, &kNoBands},
    {{F::Yt1}, Group::None,
     {{{Hf, 1}, {Vp, 0}, {Sid, 0}, {Calm, 0}, {W(18), 1}, {W(19), 1}, {W(23), 0}, {W(14), 3}, {W(16), 0}, {W(17), 0}}},
     kNoFm, &kNoBands, &kNoBands},
    {{F::Yt2}, Group::S21,
     {{{W(18), 1}, {W(19), 1}, {W(20), 1}, {W(22), 0}, {W(23), 0}, {W(14), 3}, {W(16), 0}, {W(17), 0}}},
     kFm10Rds, &kNoBands, &kNoBands},
    {{F::Nq1}, Group::S21,
     {{{W(18), 1}, {W(19), 1}, {W(24), 0}, {W(14), 2}, {W(2), 104}, {W(3), 0}}}, kFm6Rds, &kNoBands, &kNoBands},
    {{F::Nq5r}, Group::S21,
     {{{W(18), 1}, {W(19), 1}, {W(24), 0}, {W(14), 2}, {W(2), 107}, {W(3), 0}}}, kFm6Rds, &kNoBands, &kNoBands},
    {{F::Nq3}, Group::None,
     {{{Hf, 1}, {Vp, 0}, {Sid, 0}, {Calm, 0}, {W(24), 0}, {W(14), 2}}}, kFm6Rds, &kNoBands, &kNoBands},
};

bool BandHolds(const Band& band, const DeviceSettings& s, int major, int minor)
{
    switch (band.Condition) {
    case Below::Always:
        return true;
    case Below::Firmware:
        return CompareVersion(major, minor, band.Major, band.Minor) < 0;
    case Below::RecordEx:
        return CompareVersionEx(s.Firmware.Major, s.Firmware.Minor, s.Firmware.SecondaryType,
                                s.Firmware.SecondaryVersion, 1, 0, 2, band.Minor, 0) < 0;
    }
    return false;
}

// Every list ends in an Always band, so the unused tail is never reached; an
// empty list is one Always band without values.
void ApplyBands(DeviceSettings& s, const BandList& bands, int major, int minor)
{
    for (const Band& band : bands) {
        if (BandHolds(band, s, major, minor)) {
            Apply(s, band.Values);
            return;
        }
    }
}

void ResetFmBlock(DeviceSettings& s, FmReset fm)
{
    s.FmRegion = 0;
    s.FmMagic = kFmMagicDefault;
    s.FmCurrentFrequency = 0;
    s.FmCurrentPreset = 0;
    std::fill_n(s.FmPresets, fm.PresetCount, 0);
    s.FmRds = fm.Rds;
}

// ---------------------------------------------------------------------------
// Differs: which parts of the record a model has.

enum DiffPart : uint8_t {
    PartFeatureWord = 1 << 0,
    PartBasic = 1 << 1,
    PartCamera = 1 << 2,
    PartVox = 1 << 3,
    PartVoxFrom11 = 1 << 4,
    PartSmart = 1 << 5,
    PartGainTimeout = 1 << 6,
};

struct DiffersRow {
    SettingsFamilies Families;
    uint8_t Parts;
    uint8_t FmPresets;  // presets compared with the FM block; 0: block not compared
};

const DiffersRow kDiffersTable[] = {
    {{F::V40, F::Vantor, F::V60}, PartBasic, 10},
    {{F::M7xHelm, F::Grittalk, F::Ks5, F::Feral, F::M7xpad, F::Ostrel, F::ThunderKr5, F::Z9},
     PartFeatureWord, 10},
    {{F::Kc5}, PartFeatureWord | PartCamera, 10},
    {{F::Kr5, F::VantorMini}, PartFeatureWord | PartVox, 10},
    {{F::Lvra}, PartFeatureWord | PartSmart | PartVoxFrom11, 10},
    {{F::Lvr7}, PartFeatureWord | PartVoxFrom11, 10},
    {{F::Yt1}, PartFeatureWord | PartSmart | PartVox, 0},
    {{F::Yt2}, PartFeatureWord | PartSmart | PartVox, 10},
    {{F::Nq1, F::Nq5r}, PartFeatureWord | PartBasic | PartVox, 6},
    {{F::Nq3}, PartFeatureWord | PartVox, 0},
    {{F::Tkv3Fm, F::Tkv3Kx, F::Wpr6kFm}, PartFeatureWord, 10},
    {{F::Tkv8, F::Tkv8n, F::Tkv3, F::Polylink, F::Wpr6t, F::Frostline, F::Widen, F::Bqr6, F::Tkv2, F::QLinq, F::Verra},
     PartFeatureWord, 0},
    {{F::Gzr6}, PartGainTimeout, 0},
};

// ---------------------------------------------------------------------------
// Feature word: the switch bits, then the setting words that some models add.

struct SwitchBit {
    int Bit;
    int DeviceSettings::*Switch;
};
constexpr SwitchBit kSwitchBits[] = {
    {0, &DeviceSettings::HandsfreeVOX}, {1, &DeviceSettings::IntercomVOX}, {2, &DeviceSettings::EDR},
    {3, &DeviceSettings::VoicePrompt},  {4, &DeviceSettings::PLC},         {5, &DeviceSettings::BitpoolRate},
    {6, &DeviceSettings::MicrophoneBoost}, {8, &DeviceSettings::Sidetone}, {9, &DeviceSettings::Calmweave},
    {10, &DeviceSettings::AutoGainControl},
};

struct WordBitRule {
    int Bit;
    int Word;
    bool FromFirmware11;  // only when the record's firmware is 1.1 or later
    SettingsFamilies Families;
};

// HD voice is setting word 24 on these, word 21 (bit 13) on the others.
constexpr SettingsFamilies kHdVoiceWord24 = {F::Nq1, F::Nq5r, F::Nq3};

constexpr WordBitRule kWordBitRules[] = {
    {10, 18, false,
     {F::Yt1, F::Yt2, F::Kc5, F::Kr5, F::ThunderKr5, F::VantorMini, F::Ks5, F::Feral, F::M7xHelm, F::Lvra, F::Lvr7,
      F::Grittalk, F::Ostrel, F::Nq1, F::Nq5r, F::M7xpad}},
    {11, 19, false,
     {F::Yt1, F::Yt2, F::VantorMini, F::Ks5, F::Feral, F::Lvra, F::Lvr7, F::Grittalk, F::Ostrel, F::Nq1, F::Nq5r,
      F::M7xpad}},
    {11, 19, true, {F::Kc5, F::Kr5, F::M7xHelm}},
    {12, 20, false,
     {F::Z9, F::Yt1, F::Yt2, F::Kc5, F::Kr5, F::ThunderKr5, F::VantorMini, F::Ks5, F::Feral, F::Ostrel, F::M7xpad}},
    {13, 24, false, kHdVoiceWord24},
    {14, 22, false, {F::Yt1, F::Yt2}},
    {15, 23, false, {F::Yt1, F::Yt2}},
};

// Sign of a - b without overflow.
int Sign(int a, int b) { return (a > b) - (a < b); }

// a - b, clamped to the int range instead of overflowing.
int Difference(int a, int b)
{
    const long long d = static_cast<long long>(a) - b;
    return static_cast<int>(std::clamp<long long>(d, INT_MIN, INT_MAX));
}

int CompareWordRange(const DeviceSettings& a, const DeviceSettings& b, int first, int last)
{
    for (int i = first; i <= last; ++i) {
        if (a.SettingWords[i] != b.SettingWords[i])
            return Sign(a.SettingWords[i], b.SettingWords[i]);
    }
    return 0;
}

// Level patterns of a three-bit field: 0-5 as themselves, 6 and 7 as 3.
constexpr int kLevelOfPattern[8] = {0, 1, 2, 3, 4, 5, 3, 3};

}  // namespace

// ---------------------------------------------------------------------------
// Record operations

void DeviceSettings::CopyFrom(const DeviceSettings& source, int withVersions)
{
    ManagerVersionMajor = source.ManagerVersionMajor;
    ManagerVersionMinor = source.ManagerVersionMinor;
    ProductId = source.ProductId;
    BluetoothAddress = source.BluetoothAddress;
    DeviceName = source.DeviceName;
    ArchiveTime = source.ArchiveTime;
    HandsfreeVOX = source.HandsfreeVOX;
    IntercomVOX = source.IntercomVOX;
    EDR = source.EDR;
    VoicePrompt = source.VoicePrompt;
    PLC = source.PLC;
    BitpoolRate = source.BitpoolRate;
    MicrophoneBoost = source.MicrophoneBoost;
    Sidetone = source.Sidetone;
    Calmweave = source.Calmweave;
    AutoGainControl = source.AutoGainControl;
    RadioTransmitGain = source.RadioTransmitGain;
    AudioChannelTimeout = source.AudioChannelTimeout;
    std::copy(std::begin(source.SettingWords), std::end(source.SettingWords), SettingWords);
    FmRegion = source.FmRegion;
    FmMagic = source.FmMagic;
    FmCurrentFrequency = source.FmCurrentFrequency;
    FmCurrentPreset = source.FmCurrentPreset;
    std::copy(std::begin(source.FmPresets), std::end(source.FmPresets), FmPresets);
    FmRds = source.FmRds;
    for (int i = 0; i < kSpeedDialCount; ++i)
        SpeedDialNumbers[i] = source.SpeedDialNumbers[i];

    if (withVersions) {
        // The build numbers stay the target's.
        VersionGroup* const mine[] = {&Firmware, &FirstInterface, &SecondInterface};
        const VersionGroup* const theirs[] = {&source.Firmware, &source.FirstInterface, &source.SecondInterface};
        for (int g = 0; g < 3; ++g) {
            mine[g]->Major = theirs[g]->Major;
            mine[g]->Minor = theirs[g]->Minor;
            mine[g]->SecondaryType = theirs[g]->SecondaryType;
            mine[g]->SecondaryVersion = theirs[g]->SecondaryVersion;
        }
    }
}

void DeviceSettings::SetDefaults(int productId, int major, int minor)
{
    std::fill_n(SettingWords, 16, 0);
    if (const DefaultsRow* row = FindFamilyRow(kDefaultsTable, productId)) {
        if (row->Fm.PresetCount)
            ResetFmBlock(*this, row->Fm);
        Apply(*this, kGroupValues[static_cast<int>(row->Switches)]);
        Apply(*this, row->Values);
        ApplyBands(*this, *row->Bands, major, minor);
        ApplyBands(*this, *row->MoreBands, major, minor);
    }
    ResetSpeedDial();
}

void DeviceSettings::ResetFmRadio(int productId, int major, int minor)
{
    FmRegion = (SettingsFamilyOf(productId) == SettingsFamily::V40 && CompareVersion(major, minor, 1, 1) >= 0) ? 1 : 0;
    std::fill(std::begin(FmPresets), std::end(FmPresets), 0);
    FmRds = 0;
}

void DeviceSettings::ResetSpeedDial()
{
    for (CString& number : SpeedDialNumbers)
        number.Empty();
}

int DeviceSettings::CompareBasicWords(const DeviceSettings& other) const { return CompareWordRange(*this, other, 0, 9); }
int DeviceSettings::CompareCameraWords(const DeviceSettings& other) const { return CompareWordRange(*this, other, 10, 13); }
int DeviceSettings::CompareVoxSensitivityWords(const DeviceSettings& other) const { return CompareWordRange(*this, other, 14, 15); }
int DeviceSettings::CompareSmartVolumeWords(const DeviceSettings& other) const { return CompareWordRange(*this, other, 16, 17); }

int DeviceSettings::GetFeatureWord() const
{
    int word = 0;
    for (const SwitchBit& sb : kSwitchBits) {
        if (this->*sb.Switch)
            word |= 1 << sb.Bit;
    }
    const bool from11 = CompareFirmwareVersion(1, 1) >= 0;
    const SettingsFamily family = SettingsFamilyOf(ProductId);
    for (const WordBitRule& rule : kWordBitRules) {
        if (SettingWords[rule.Word] && (!rule.FromFirmware11 || from11) && rule.Families.Has(family))
            word |= 1 << rule.Bit;
    }
    if (SettingWords[21] && !kHdVoiceWord24.Has(family))
        word |= 1 << 13;
    return word;
}

void DeviceSettings::SetSwitchesFromFeatureWord(int word)
{
    for (const SwitchBit& sb : kSwitchBits) this->*sb.Switch = (word >> sb.Bit) & 1;
}

int DeviceSettings::Differs(const DeviceSettings& other, int withFmBlock) const
{
    const DiffersRow* row = FindFamilyRow(kDiffersTable, ProductId);
    if (!row)
        return 0;

    const uint8_t parts = row->Parts;
    const bool from11 = CompareFirmwareVersion(1, 1) >= 0;
    if (((parts & PartFeatureWord) && ((GetFeatureWord() ^ other.GetFeatureWord()) & 0xFFFF)) ||
        ((parts & PartBasic) && CompareBasicWords(other)) ||
        ((parts & PartCamera) && CompareCameraWords(other)) ||
        ((parts & PartVox) && CompareVoxSensitivityWords(other)) ||
        ((parts & PartVoxFrom11) && from11 && CompareVoxSensitivityWords(other)) ||
        ((parts & PartSmart) && CompareSmartVolumeWords(other)) ||
        ((parts & PartGainTimeout) &&
         (RadioTransmitGain != other.RadioTransmitGain || AudioChannelTimeout != other.AudioChannelTimeout)))
        return 1;

    if (row->FmPresets && withFmBlock) {
        if (FmRegion != other.FmRegion || FmMagic != other.FmMagic || FmCurrentFrequency != other.FmCurrentFrequency ||
            FmCurrentPreset != other.FmCurrentPreset || FmRds != other.FmRds ||
            !std::equal(FmPresets, FmPresets + row->FmPresets, other.FmPresets))
            return 1;
    }
    return 0;
}

int DeviceSettings::CompareFirmwareVersion(int major, int minor) const
{
    return CompareVersion(Firmware.Major, Firmware.Minor, major, minor);
}

int DeviceSettings::CompareFirmwareVersionEx(int major, int minor, int type, int version) const
{
    return CompareVersionEx(Firmware.Major, Firmware.Minor, Firmware.SecondaryType, Firmware.SecondaryVersion,
                            major, minor, type, version, ProductId == kActionCameraProductId ? 1 : 0);
}

int DeviceSettings::SetFirmwareVersionText(const CString& text)
{
    return ParseVersion2(text, &Firmware.Major, &Firmware.Minor);
}

// ---------------------------------------------------------------------------
// Accessors

void DeviceSettings::SetBit(int word, int bit, int value)
{
    if (value)
        SettingWords[word] |= 1 << bit;
    else
        SettingWords[word] &= ~(1 << bit);
}

int DeviceSettings::GetThreeWay(int word, int lowBit) const
{
    const int pattern = (SettingWords[word] >> lowBit) & 3;
    return pattern == 3 ? 0 : pattern;
}

void DeviceSettings::SetThreeWay(int word, int lowBit, int value)
{
    SetField(word, lowBit, 3 << lowBit, value, 2);
}

int DeviceSettings::GetLevel(int word, int lowBit) const
{
    return kLevelOfPattern[(SettingWords[word] >> lowBit) & 7];
}

void DeviceSettings::SetLevel(int word, int lowBit, int value)
{
    SetField(word, lowBit, 7 << lowBit, value, 5);
}

int DeviceSettings::GetTwoBits(int word, int lowBit, int overrideMask, int overrideValue) const
{
    const int w = SettingWords[word];
    return (w & overrideMask) ? overrideValue : (w >> lowBit) & 3;
}

void DeviceSettings::SetField(int word, int lowBit, int clearMask, int value, int maxValue)
{
    if (value < 0 || value > maxValue)
        return;
    SettingWords[word] = (SettingWords[word] & ~clearMask) | (value << lowBit);
}

int DeviceSettings::GetBasicWord1Bits0To2() const { return GetLevel(1, 0); }
void DeviceSettings::SetBasicWord1Bits0To2(int value) { SetLevel(1, 0, value); }
int DeviceSettings::GetBasicWord1Bits7To9() const { return GetLevel(1, 7); }
void DeviceSettings::SetBasicWord1Bits7To9(int value) { SetLevel(1, 7, value); }

// Bit 5 set reads as 3; the setter clears it.
int DeviceSettings::GetBasicWord1Bits3To5() const { return GetTwoBits(1, 3, 0x20, 3); }
void DeviceSettings::SetBasicWord1Bits3To5(int value) { SetField(1, 3, 0x38, value, 3); }

int DeviceSettings::GetBasicWord2Bits0To1() const { return SettingWords[2] & 3; }

void DeviceSettings::SetBasicWord2Bits0To1(int value)
{
    const int pattern = (value >= 1 && value <= 3) ? value : 0;
    SettingWords[2] = (SettingWords[2] & ~3) | pattern;
}

// Bit 3 or 4 set reads as 0; the setter clears both.
int DeviceSettings::GetBasicWord2Bits1To4() const { return GetTwoBits(2, 1, 0x18, 0); }
void DeviceSettings::SetBasicWord2Bits1To4(int value) { SetField(2, 1, 0x1E, value, 3); }

int DeviceSettings::GetBasicWord2Bits2To3() const
{
    switch ((SettingWords[2] >> 2) & 3) {
    case 1: return 1;
    case 3: return 3;
    default: return 2;
    }
}

void DeviceSettings::SetBasicWord2Bits2To3(int value)
{
    const int pattern = value == 1 ? 1 : value == 3 ? 3 : 2;
    SettingWords[2] = (SettingWords[2] & ~0x0C) | (pattern << 2);
}

int DeviceSettings::GetCameraVideoMode() const
{
    return CompareFirmwareVersion(2, 0) < 0 ? GetBit(10, 1) : GetThreeWay(12, 6);
}

void DeviceSettings::SetCameraVideoMode(int value)
{
    if (CompareFirmwareVersion(2, 0) < 0)
        SetBit(10, 1, value);
    else
        SetThreeWay(12, 6, value);
}

// ---------------------------------------------------------------------------
// Free functions

int CompareVersion(int aMajor, int aMinor, int bMajor, int bMinor)
{
    return aMajor != bMajor ? Difference(aMajor, bMajor) : Difference(aMinor, bMinor);
}

int CompareVersion3(int aMajor, int aMinor, int aThird, int bMajor, int bMinor, int bThird)
{
    const int r = CompareVersion(aMajor, aMinor, bMajor, bMinor);
    return r != 0 ? r : Difference(aThird, bThird);
}

int CompareVersionEx(int aMajor, int aMinor, int aType, int aVersion,
                     int bMajor, int bMinor, int bType, int bVersion, int cameraOrder)
{
    if (cameraOrder) {
        const int r = CompareVersion(aType, aVersion, bType, bVersion);
        return r != 0 ? r : CompareVersion(aMajor, aMinor, bMajor, bMinor);
    }
    const int r = CompareVersion(aMajor, aMinor, bMajor, bMinor);
    if (r != 0)
        return r;
    if (aType != bType) {
        // Type 1 ranks below every other type.
        const int a = aType == 1 ? -1 : aType;
        const int b = bType == 1 ? -1 : bType;
        if (b < a)
            return 1;
        if (a < b)
            return -1;
    }
    return Sign(aVersion, bVersion);
}

int ParseVersion2(const CString& text, int* major, int* minor)
{
    *major = 0;
    *minor = 0;
    const int point = text.Find(L'.');
    if (point <= 0)
        return 0;
    // StrToInt skips leading blanks and stops at the first non-digit, so the
    // parts need no trimmed copies.
    *major = StrToInt(text.GetString());
    *minor = StrToInt(text.GetString() + point + 1);
    return 1;
}

int ParseVersion4(const CString& text, int* a, int* b, int* c, int* d)
{
    int* const parts[] = {a, b, c, d};
    for (int* part : parts)
        *part = 0;
    const wchar_t* rest = text.GetString();
    for (int i = 0; i < 3; ++i) {
        const wchar_t* point = wcschr(rest, L'.');
        if (!point || point == rest)
            return 0;
        *parts[i] = StrToInt(rest);
        rest = point + 1;
    }
    *parts[3] = StrToInt(rest);
    return 1;
}

void ResetBasicSettingsFrom(DeviceSettings& target, const DeviceSettings& source)
{
    target.CopyFrom(source, 1);
    target.SetDefaults(source.ProductId, source.Firmware.Major, source.Firmware.Minor);
}

void ResetFmRadioSettingsFrom(DeviceSettings& target, const DeviceSettings& source)
{
    target.CopyFrom(source, 1);
    target.ResetFmRadio(source.ProductId, source.Firmware.Major, source.Firmware.Minor);
}

void ResetSpeedDialSettingsFrom(DeviceSettings& target, const DeviceSettings& source)
{
    target.CopyFrom(source, 1);
    target.ResetSpeedDial();
}

const FmRegionRange FmRegionTable[kFmRegionCount] = {
    {7600, 10800, 10},  // Worldwide
    {8750, 10790, 20},  // Americas
    {8750, 10800, 10},  // Asia
    {8750, 10790, 20},  // Australia
    {8750, 10800, 10},  // Europe
    {7600, 9500, 10},   // Japan
};

int ValidateFmFrequency(int region, int frequency)
{
    const FmRegionRange& r = FmRegionTable[SafeFmRegion(region)];
    if (frequency < r.Minimum || frequency > r.Maximum)
        return 1;
    return (frequency - r.Minimum) % r.Step == 0 ? 0 : 2;
}

int RadioTransmitGainToChoice(int gain)
{
    return gain == 12 ? 0 : gain == 17 ? 2 : 1;
}

int DecodeDeviceName(CString* out, const uint16_t words[kDeviceNameWordCount])
{
    char bytes[kDeviceNameWordCount];
    int length = 0;
    while (length < kDeviceNameWordCount && (words[length] & 0xFF) != 0) {
        bytes[length] = static_cast<char>(words[length] & 0xFF);
        ++length;
    }
    *out = CString::FromAnsi(bytes, length);
    return out->GetLength();
}

int EncodeDeviceName(uint16_t words[kDeviceNameWordCount], const CString& text)
{
    const int length = std::min(text.GetLength(), kDeviceNameWordCount);
    const wchar_t* units = text.GetString();
    for (int i = 0; i < kDeviceNameWordCount; ++i)
        words[i] = i < length ? static_cast<uint16_t>(units[i]) : 0;
    return 2 * length;
}
