#include "device/RecognitionStore.h"
#include "device/ProductCatalogue.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <string>

#include "device/FirmwareVersionKey.h"
#include "device/HidAddress.h"
#include "device/HidDevices.h"
#include "device/SeamsDrives.h"
#include "dfu/DFUTransport.h"

namespace {

using F = SettingsFamily;

constexpr int kTwoUnitUpdateMode = kTwoChipHeadsetProductId | kUpdateModeBit;
constexpr int kProductIdMask = 0x7FFF;

constexpr int kAddressLength = 8;
constexpr int kNameLength = 256;
constexpr int kWriteBufferSize = 512;
constexpr uint16_t kLowAddressKey = 0x0031;

const wchar_t kCameraDriveFile[] = L"lumen.bin";
const char kDefaultName[] = "TKV8";

// The link-manager masks (key 0x00EF).
constexpr uint8_t kMaskA[kPsLocalFeaturesLength] = {0xFF, 0xFE, 0x8F, 0x7E, 0x98, 0xFF, 0x59, 0x83};
constexpr uint8_t kMaskB[kPsLocalFeaturesLength] = {0xFF, 0xFE, 0x8F, 0x78, 0x18, 0x1E, 0x59, 0x83};
constexpr uint8_t kMaskWidenA[kPsLocalFeaturesLength] = {0xFF, 0xFE, 0x8F, 0xFE, 0x98, 0xFF, 0x59, 0x83};
constexpr uint8_t kMaskWidenB[kPsLocalFeaturesLength] = {0xFF, 0xFE, 0x8F, 0xF8, 0x18, 0x1E, 0x59, 0x83};

// ---------------------------------------------------------------------------
// Constant keys

// One key with a constant value.
struct KeyValue {
    uint16_t key;
    std::initializer_list<uint8_t> bytes;
};

// Written on units above their model's address threshold.
struct LapRangeRow {
    std::initializer_list<AddressThreshold> thresholds;
    std::initializer_list<KeyValue> keys;
};

const LapRangeRow kLapRangeKeys[] = {
    {{AddressThreshold::Tkv3Fm},
     {{0x0017, {0x10, 0x00}},
      {0x0021, {0x08, 0x00}},
      {0x0031, {0x00, 0x0B, 0x00, 0x00, 0x00, 0x11, 0x00, 0x00, 0x00, 0x00, 0x00, 0x16, 0x00, 0x00, 0x00,
                0x11, 0x00, 0x00, 0x00, 0x08, 0x00, 0x27, 0x00, 0x00, 0x00, 0x16, 0x00, 0x00, 0x00, 0x10}}}},
    {{AddressThreshold::Tkv3, AddressThreshold::Tkv3Kx},
     {{0x0017, {0x08, 0x00}},
      {0x0021, {0x08, 0x00}},
      {0x002D, {0x08, 0x00}},
      {0x0031, {0x00, 0x0B, 0x00, 0x00, 0x00, 0x11, 0x00, 0x00, 0x00, 0x00, 0x00, 0x12, 0x00, 0x00, 0x00,
                0x11, 0x00, 0x00, 0x00, 0x04, 0x00, 0x19, 0x00, 0x00, 0x00, 0x16, 0x00, 0x00, 0x00, 0x08}},
      {0x01F6, {0x27, 0x00}},
      {0x0209, {0x01, 0x00}},
      {0x0242, {0x00, 0x00}}}},
    {{AddressThreshold::Tkv8, AddressThreshold::Tkv8n},
     {{0x0017, {0x10, 0x00}},
      {0x0021, {0x0C, 0x00}},
      {0x002D, {0x10, 0x00}},
      {0x0031, {0x00, 0x16, 0x50, 0x00, 0x00, 0x19, 0x50, 0x00, 0x00, 0xFC, 0x00, 0x1E, 0x50, 0x00, 0x00,
                0x20, 0x50, 0x00, 0x00, 0x00, 0x00, 0x1C, 0x40, 0x00, 0x00, 0x1E, 0x40, 0x00, 0x00, 0x04,
                0x00, 0x1D, 0x30, 0x00, 0x00, 0x1F, 0x30, 0x00, 0x00, 0x08, 0x00, 0x1F, 0x20, 0x00, 0x00,
                0x21, 0x20, 0x00, 0x00, 0x0C, 0x00, 0x20, 0x00, 0x00, 0x00, 0x22, 0x00, 0x00, 0x00, 0x10}},
      {0x01F6, {0x27, 0x00}},
      {0x0209, {0x01, 0x00}},
      {0x0242, {0x00, 0x00}}}},
    {{AddressThreshold::Verra},
     {{0x0017, {0x0A, 0x00}},
      {0x0021, {0x0A, 0x00}},
      {0x002D, {0x10, 0x00}},
      {0x0031, {0x00, 0x05, 0x00, 0x00, 0x00, 0x06, 0x00, 0x00, 0x00, 0xFA, 0x00, 0x0A, 0x00, 0x00, 0x00,
                0x0A, 0x00, 0x00, 0x00, 0xFE, 0x00, 0x0F, 0x00, 0x00, 0x00, 0x11, 0x00, 0x00, 0x00, 0x02,
                0x00, 0x15, 0x00, 0x00, 0x00, 0x17, 0x00, 0x00, 0x00, 0x06, 0x00, 0x1C, 0x00, 0x00, 0x00,
                0x1E, 0x00, 0x00, 0x00, 0x0A}},
      {0x01F6, {0x27, 0x00}},
      {0x0209, {0x01, 0x00}},
      {0x0242, {0x00, 0x00}}}},
    {{AddressThreshold::Pavlo},
     {{0x0017, {0x0A, 0x00}},
      {0x0021, {0x0A, 0x00}},
      {0x002D, {0x0A, 0x00}},
      {0x0031, {0x00, 0x0F, 0x00, 0x00, 0x00, 0x11, 0x00, 0x00, 0x00, 0x02, 0x00, 0x15, 0x00, 0x00, 0x00,
                0x17, 0x00, 0x00, 0x00, 0x06, 0x00, 0x1C, 0x00, 0x00, 0x00, 0x1E, 0x00, 0x00, 0x00, 0x0A,
                0x00, 0x00, 0x00, 0x22, 0x00, 0x00, 0x00, 0x10}},
      {0x01F6, {0x27, 0x00}},
      {0x0209, {0x01, 0x00}},
      {0x0242, {0x00, 0x00}}}},
};

// Key 0x0031 of the 0x4D35 and 0x4D55 units at or below their threshold.
constexpr uint8_t kLowAddressTable[] = {
    0x00, 0x2A, 0x50, 0x00, 0x00, 0x31, 0x50, 0x00, 0x00, 0xFC, 0x00, 0x27, 0x40, 0x00, 0x00,
    0x2E, 0x40, 0x00, 0x00, 0x00, 0x00, 0x28, 0x30, 0x00, 0x00, 0x2E, 0x30, 0x00, 0x00, 0x04,
    0x00, 0x2B, 0x20, 0x00, 0x00, 0x31, 0x20, 0x00, 0x00, 0x08, 0x00, 0x2E, 0x10, 0x00, 0x00,
    0x36, 0x10, 0x00, 0x00, 0x0C, 0x00, 0x38, 0x00, 0x00, 0x00, 0x3A, 0x00, 0x00, 0x00, 0x10};

// The maker's USB identity, written to a chip attached under the generic id:
// vendor id, product id, its update-mode twin, then three keys of three words.
constexpr uint16_t kIdentityVendorKey = 0x02BE;
constexpr uint16_t kIdentityProductKey = 0x02BF;
constexpr uint16_t kIdentityUpdateModeKey = 0x02CB;
constexpr uint16_t kIdentityWordKeys[] = {0x02BD, 0x02C7, 0x02D4};
constexpr uint8_t kIdentityWords[] = {0xFF, 0x00, 0x01, 0x00, 0x01, 0x00};

// ---------------------------------------------------------------------------
// Key access

// The connected chip: key reads and writes over the library's transport.
class Chip {
public:
    explicit Chip(DFUTransportCOM& transport) : m_transport(transport) {}

    // Reads a key; got (when given) receives the bytes read, never more than length.
    bool Read(uint16_t key, uint8_t* buffer, uint16_t length, uint16_t* got = nullptr)
    {
        uint16_t read = 0;
        const bool ok = static_cast<bool>(m_transport.BCCMDGetPS(key, buffer, length, &read));
        if (got) *got = std::min(read, length);
        return ok;
    }
    bool ReadWord(uint16_t key, int& value)
    {
        uint8_t bytes[2] = {};
        if (!Read(key, bytes, 2)) return false;
        value = bytes[0] | (bytes[1] << 8);
        return true;
    }
    // Writes a key from a cleared 512-byte buffer; the result is not examined.
    void Write(uint16_t key, const uint8_t* data, int length)
    {
        uint8_t buffer[kWriteBufferSize] = {};
        length = std::clamp(length, 0, kWriteBufferSize);
        if (length > 0) std::memcpy(buffer, data, static_cast<size_t>(length));
        m_transport.BCCMDSetPS(key, buffer, static_cast<uint16_t>(length));
    }
    void WriteWords(uint16_t key, std::initializer_list<int> words)
    {
        uint8_t bytes[16] = {};
        int length = 0;
        for (int word : words) {
            bytes[length++] = static_cast<uint8_t>(word);
            bytes[length++] = static_cast<uint8_t>(word >> 8);
        }
        Write(key, bytes, length);
    }
    PsKeyReader Reader()
    {
        return [this](uint16_t key, uint8_t* buffer, int length) {
            return Read(key, buffer, static_cast<uint16_t>(length));
        };
    }

private:
    DFUTransportCOM& m_transport;
};

// Starts the library and stops it on every road out.
struct LibrarySession {
    LibrarySession() { DFUTransportUSB::init(); }
    ~LibrarySession() { DFUTransportUSB::deinit(); }
    LibrarySession(const LibrarySession&) = delete;
    LibrarySession& operator=(const LibrarySession&) = delete;
};

// Asks Windows not to raise "no disk" boxes while empty drives are looked at.
struct QuietDriveErrors {
    UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    ~QuietDriveErrors() { SetErrorMode(previous); }
};

bool CameraDrivePresent()
{
    QuietDriveErrors quiet;
    return FindRemovableDriveWithFile(kCameraDriveFile) != 0;
}

// "%02X%02X%02X[%02X%02X%02X]" of address bytes 7, 6, 4, 0, 3, 2, and the
// lower address part of bytes 0, 3, 2.
bool ReadAddress(Chip& chip, CString& address, CString& lap)
{
    uint8_t b[kAddressLength] = {};
    if (!chip.Read(PsKeyAddress, b, kAddressLength)) return false;
    address = CString::Formatted(L"%02X%02X%02X[%02X%02X%02X]", b[7], b[6], b[4], b[0], b[3], b[2]);
    lap = CString::Formatted(L"%02X%02X%02X", b[0], b[3], b[2]);
    return true;
}

// The 8-bit text of a key up to its first zero, never past the bytes read.
bool ReadName(Chip& chip, std::string& name)
{
    uint8_t bytes[kNameLength] = {};
    uint16_t got = 0;
    if (!chip.Read(PsKeyName, bytes, kNameLength, &got)) return false;
    const uint8_t* end = std::find(bytes, bytes + got, 0);
    name.assign(reinterpret_cast<const char*>(bytes), static_cast<size_t>(end - bytes));
    return true;
}

enum class MaskState { A, B, Other };

MaskState ReadMaskState(Chip& chip, int productId)
{
    uint8_t mask[kPsLocalFeaturesLength] = {};
    if (!chip.Read(PsKeyLocalFeatures, mask, kPsLocalFeaturesLength)) return MaskState::Other;
    if (std::memcmp(mask, EdrFeatureMask(productId, false), kPsLocalFeaturesLength) == 0) return MaskState::A;
    if (std::memcmp(mask, EdrFeatureMask(productId, true), kPsLocalFeaturesLength) == 0) return MaskState::B;
    return MaskState::Other;
}

// ---------------------------------------------------------------------------
// Settings reads

enum class ReadKind {
    None,
    VoxKeys,       // IntercomVOX and HandsfreeVOX keys, EDR from the mask itself
    FeatureWord,   // key 0x028E decoded by the row's bits, with the mask rule
    TransmitGain,  // radio transmit gain and audio channel timeout
};

constexpr VersionBand kNever = Below(0, 0);

struct ReadRow {
    SettingsFamilies Families;
    VersionBand band;   // of the firmware just read
    ReadKind kind;
    uint16_t bits;      // FeatureWord: bits of key 0x028E decoded into switches
    uint16_t fallback;  // the switches when the key cannot be read
    int edrBand;        // EDR by band n (0: the fallback's own EDR bit)
    VersionBand speedDials;
    bool fmBlock;
    bool lowAddressFix;  // key 0x0031 of units at or below the threshold (models with kLowAddressKeys)
};

// The TKV8 and WPR6 models, and the TKV3 models.
constexpr SettingsFamilies kTkv8Families = {F::Tkv8, F::Tkv8n, F::Wpr6t, F::Wpr6kFm};
constexpr SettingsFamilies kTkv3Families = {F::Tkv3, F::Tkv3Fm};

// Feature-word bits: 0 HandsfreeVOX, 1 IntercomVOX, 2 EDR, 3 VoicePrompt,
// 4 PLC, 5 BitpoolRate, 6 MicrophoneBoost, 8 Sidetone, 9 Calmweave,
// 10 AutoGainControl.
constexpr uint16_t kBits0To6 = 0x007F;
constexpr uint16_t kBits0To5 = 0x003F;
constexpr uint16_t kSidetone = 0x0100;
constexpr uint16_t kCalmweave = 0x0200;
// HandsfreeVOX, PLC, BitpoolRate, MicrophoneBoost; and without the microphone.
constexpr uint16_t kFallbackWithMic = 0x0071;
constexpr uint16_t kFallbackNoMic = 0x0031;

// Every row whose families and band hold the device runs, in table order.
const ReadRow kReadRows[] = {
    {kTkv8Families, Below(4, 0), ReadKind::VoxKeys, 0, 0, 0, kNever, false, false},
    {kTkv8Families, Between(4, 0, 5, 0), ReadKind::FeatureWord, kBits0To6, kFallbackWithMic, 4, From(4, 3), false,
     false},
    {kTkv8Families, From(5, 0), ReadKind::FeatureWord, kBits0To6 | kSidetone, kFallbackWithMic, 4, kAnyVersion, false,
     false},
    {{F::Wpr6kFm}, kAnyVersion, ReadKind::None, 0, 0, 0, kNever, true, false},
    {{F::Polylink}, kAnyVersion, ReadKind::FeatureWord, kBits0To6 | kSidetone, kFallbackWithMic, 4, kAnyVersion, false,
     false},
    {{F::Frostline}, kAnyVersion, ReadKind::FeatureWord, kBits0To6 | kSidetone | kCalmweave, kFallbackWithMic, 0,
     kNever, false, false},
    {{F::QLinq}, Below(1, 1), ReadKind::FeatureWord, kBits0To6 | kSidetone, kFallbackWithMic, 4, kAnyVersion, false,
     false},
    {{F::QLinq}, From(1, 1), ReadKind::FeatureWord, kBits0To6 | kSidetone | kCalmweave, kFallbackWithMic, 4,
     kAnyVersion, false, false},
    {{F::Verra}, kAnyVersion, ReadKind::FeatureWord, 0x007C | kSidetone | kCalmweave, 0x0070, 0, kAnyVersion, false,
     false},
    {{F::Widen}, kAnyVersion, ReadKind::FeatureWord, kBits0To6, kFallbackWithMic, 0, kAnyVersion, false, false},
    {{F::Bqr6}, kAnyVersion, ReadKind::FeatureWord, kBits0To6 | kSidetone | kCalmweave | 0x0400, kFallbackWithMic, 0,
     kAnyVersion, false, false},
    {kTkv3Families, Below(2, 0), ReadKind::FeatureWord, kBits0To5, kFallbackNoMic, 1, From(1, 3), false, false},
    {kTkv3Families, From(2, 0), ReadKind::FeatureWord, kBits0To5 | kSidetone, kFallbackNoMic, 1, From(1, 3), false,
     false},
    {{F::Tkv3}, kAnyVersion, ReadKind::None, 0, 0, 0, kNever, false, true},
    {{F::Tkv3Fm}, kAnyVersion, ReadKind::None, 0, 0, 0, kNever, true, false},
    {{F::Tkv3Kx}, kAnyVersion, ReadKind::FeatureWord, kBits0To5 | kSidetone, kFallbackNoMic, 1, kAnyVersion, true,
     false},
    {{F::Tkv2}, kAnyVersion, ReadKind::FeatureWord, kBits0To5, 0x0035, 0, kNever, false, false},
    {{F::Gzr6}, kAnyVersion, ReadKind::TransmitGain, 0, 0, 0, kNever, false, false},
};

// EDR by band n: on from n.2 up to below n.3, off elsewhere.
int EdrByBand(int band, int major, int minor) { return Between(band, 2, band, 3).Contains(major, minor) ? 1 : 0; }

// The mask of key 0x00EF follows the EDR switch just decoded.
void ApplyMaskRule(Chip& chip, int productId, int edr)
{
    const MaskState state = ReadMaskState(chip, productId);
    const bool matches = (state == MaskState::A && edr == 0) || (state == MaskState::B && edr == 1);
    if (!matches) chip.Write(PsKeyLocalFeatures, EdrFeatureMask(productId, edr != 0), kPsLocalFeaturesLength);
}

void ReadSpeedDials(Chip& chip, DeviceSettings& s)
{
    for (int n = 0; n < kSpeedDialCount; ++n) {
        uint8_t bytes[kPsSpeedDialLength] = {};
        if (!chip.Read(static_cast<uint16_t>(PsKeySpeedDial + n), bytes, kPsSpeedDialLength)) continue;
        uint16_t words[kDeviceNameWordCount] = {};
        for (int i = 0; i < kDeviceNameWordCount; ++i) words[i] = static_cast<uint16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        DecodeDeviceName(&s.SpeedDialNumbers[n], words);
    }
}

void WriteFmBlock(Chip& chip, const DeviceSettings& s, int magic)
{
    uint16_t words[kFmBlockWordCount] = {};
    const int count = FmBlockWords(s, magic, kFmPresetCount, words);
    uint8_t bytes[kPsFmBlockLength] = {};
    for (int i = 0; i < count; ++i) {
        bytes[2 * i] = static_cast<uint8_t>(words[i]);
        bytes[2 * i + 1] = static_cast<uint8_t>(words[i] >> 8);
    }
    chip.Write(PsKeyFmBlock, bytes, kPsFmBlockLength);
}

void ResetFmBlock(DeviceSettings& s)
{
    s.FmMagic = kFmMagicDefault;
    s.FmCurrentFrequency = 0;
    s.FmCurrentPreset = 0;
    std::fill(std::begin(s.FmPresets), std::end(s.FmPresets), 0);
    s.FmRds = 0;
    s.FmRegion = 0;
}

// A block whose magic word is neither known one is reset on the headset.
void ReadFmBlock(Chip& chip, DeviceSettings& s)
{
    uint8_t bytes[kPsFmBlockLength] = {};
    if (!chip.Read(PsKeyFmBlock, bytes, kPsFmBlockLength)) {
        ResetFmBlock(s);
        return;
    }
    int words[kFmBlockWordCount] = {};
    for (int i = 0; i < kFmBlockWordCount; ++i) words[i] = bytes[2 * i] | (bytes[2 * i + 1] << 8);
    SetFmBlockFromWords(s, words, kFmBlockWordCount, kFmPresetCount);
    if (s.FmMagic != kFmMagicDefault && s.FmMagic != kFmMagicWritten) {
        ResetFmBlock(s);
        WriteFmBlock(chip, s, kFmMagicDefault);
    }
}

void ReadTransmitGain(Chip& chip, DeviceSettings& s)
{
    int gain = 0;
    if (!chip.ReadWord(PsKeyRadioTransmitGain, gain)) s.RadioTransmitGain = 15;
    else if (gain > 13) s.RadioTransmitGain = gain < 17 ? 15 : 17;
    else s.RadioTransmitGain = 12;

    int milliseconds = 0;
    const int seconds = chip.ReadWord(PsKeyAudioChannelTimeout, milliseconds) ? milliseconds / 1000 : 0;
    s.AudioChannelTimeout = (seconds < 3 || seconds > 60) ? 5 : seconds;
}

void ReadVoxKeys(Chip& chip, int productId, DeviceSettings& s)
{
    int value = 0;
    s.IntercomVOX = chip.ReadWord(PsKeyVoxIntercom, value) && value != 0 ? 1 : 0;
    s.HandsfreeVOX = chip.ReadWord(PsKeyVoxPhone, value) && value != 0 ? 1 : 0;
    // Below firmware 4.0 mask A means EDR on.
    s.EDR = ReadMaskState(chip, productId) == MaskState::B ? 0 : 1;
}

void FixLowAddress(Chip& chip, int targetProductId)
{
    CString address, lap;
    if (ReadAddress(chip, address, lap) && !IsLapAboveModelThreshold(targetProductId, lap))
        chip.Write(kLowAddressKey, kLowAddressTable, sizeof kLowAddressTable);
}

void ReadSettings(Chip& chip, int productId, int targetProductId, DeviceSettings& s)
{
    const int major = s.Firmware.Major;
    const int minor = s.Firmware.Minor;
    const SettingsFamily family = SettingsFamilyOf(productId);
    for (const ReadRow& row : kReadRows) {
        if (!row.Families.Has(family) || !row.band.Contains(major, minor)) continue;
        switch (row.kind) {
        case ReadKind::VoxKeys: ReadVoxKeys(chip, productId, s); break;
        case ReadKind::FeatureWord: {
            uint8_t bytes[4] = {};
            int word = 0;
            if (chip.Read(PsKeyConfigWord, bytes, 4)) {
                word = bytes[0] | (bytes[1] << 8);
            } else {
                word = row.fallback;
                if (row.edrBand) word |= EdrByBand(row.edrBand, major, minor) << 2;
            }
            s.SetSwitchesFromFeatureWord(word & row.bits);
            ApplyMaskRule(chip, productId, s.EDR);
            break;
        }
        case ReadKind::TransmitGain: ReadTransmitGain(chip, s); break;
        case ReadKind::None: break;
        }
        if (row.lowAddressFix && ProductTraitsOf(productId).Has(kLowAddressKeys)) FixLowAddress(chip, targetProductId);
        if (row.speedDials.Contains(major, minor)) ReadSpeedDials(chip, s);
        if (row.fmBlock) ReadFmBlock(chip, s);
    }
}

// ---------------------------------------------------------------------------
// Write-back

enum class StoreValue {
    VoxIntercom,
    VoxPhone,
    MaskByEdr,          // below 4.0: mask A for EDR on, B for off
    FeatureWord,        // the feature word and a zero word
    MaskByFeatureWord,  // mask B when the feature word's EDR bit is set, else A
    SpeedDials,         // keys 0x2280 to 0x2282
    FmBlock,            // with the record's own magic word
    TransmitGain,
    ChannelTimeout,     // in milliseconds
};

struct WriteRow {
    SettingsFamilies Families;
    VersionBand band;  // of the saved record's firmware
    std::initializer_list<StoreValue> values;
};

const WriteRow kWriteBack[] = {
    {kTkv8Families, Below(4, 0), {StoreValue::VoxIntercom, StoreValue::VoxPhone, StoreValue::MaskByEdr}},
    {kTkv8Families, From(4, 0), {StoreValue::FeatureWord, StoreValue::MaskByFeatureWord}},
    {kTkv8Families, From(4, 3), {StoreValue::SpeedDials}},
    {{F::Wpr6kFm}, kAnyVersion, {StoreValue::FmBlock}},
    {{F::Polylink, F::QLinq, F::Verra, F::Widen, F::Bqr6}, kAnyVersion,
     {StoreValue::FeatureWord, StoreValue::MaskByFeatureWord, StoreValue::SpeedDials}},
    {{F::Frostline}, kAnyVersion, {StoreValue::FeatureWord, StoreValue::MaskByFeatureWord}},
    {kTkv3Families, kAnyVersion, {StoreValue::FeatureWord, StoreValue::MaskByFeatureWord}},
    {kTkv3Families, From(1, 4), {StoreValue::SpeedDials}},
    {{F::Tkv3Fm}, kAnyVersion, {StoreValue::FmBlock}},
    {{F::Tkv3Kx}, kAnyVersion,
     {StoreValue::FeatureWord, StoreValue::MaskByFeatureWord, StoreValue::SpeedDials, StoreValue::FmBlock}},
    {{F::Tkv2}, kAnyVersion, {StoreValue::FeatureWord, StoreValue::MaskByFeatureWord}},
    {{F::Gzr6}, kAnyVersion, {StoreValue::TransmitGain, StoreValue::ChannelTimeout}},
};

void WriteValue(Chip& chip, int productId, StoreValue value, const DeviceSettings& saved)
{
    const int featureWord = saved.GetFeatureWord() & 0xFFFF;
    switch (value) {
    case StoreValue::VoxIntercom: chip.WriteWords(PsKeyVoxIntercom, {saved.IntercomVOX}); break;
    case StoreValue::VoxPhone: chip.WriteWords(PsKeyVoxPhone, {saved.HandsfreeVOX}); break;
    case StoreValue::MaskByEdr:
        chip.Write(PsKeyLocalFeatures, EdrFeatureMask(productId, saved.EDR == 0), kPsLocalFeaturesLength);
        break;
    case StoreValue::FeatureWord: chip.WriteWords(PsKeyConfigWord, {featureWord, 0}); break;
    case StoreValue::MaskByFeatureWord:
        chip.Write(PsKeyLocalFeatures, EdrFeatureMask(productId, (featureWord & 0x4) != 0), kPsLocalFeaturesLength);
        break;
    case StoreValue::SpeedDials:
        for (int n = 0; n < kSpeedDialCount; ++n) {
            uint16_t words[kDeviceNameWordCount] = {};
            EncodeDeviceName(words, saved.SpeedDialNumbers[n]);
            uint8_t bytes[kPsSpeedDialLength] = {};
            for (int i = 0; i < kDeviceNameWordCount; ++i) {
                bytes[2 * i] = static_cast<uint8_t>(words[i]);
                bytes[2 * i + 1] = static_cast<uint8_t>(words[i] >> 8);
            }
            chip.Write(static_cast<uint16_t>(PsKeySpeedDial + n), bytes, kPsSpeedDialLength);
        }
        break;
    case StoreValue::FmBlock: WriteFmBlock(chip, saved, saved.FmMagic); break;
    case StoreValue::TransmitGain: chip.WriteWords(PsKeyRadioTransmitGain, {saved.RadioTransmitGain}); break;
    case StoreValue::ChannelTimeout: chip.WriteWords(PsKeyAudioChannelTimeout, {saved.AudioChannelTimeout * 1000}); break;
    }
}

// ---------------------------------------------------------------------------
// The scan

// What the scan keeps from one device to the next.
struct ScanKept {
    std::string name;
    int major = 0;
    int minor = 0;
    CString address;
    bool productIdRead = true;
};

void WriteUsbIdentity(Chip& chip, int productId)
{
    chip.WriteWords(kIdentityVendorKey, {kMakerVendorId});
    chip.WriteWords(kIdentityProductKey, {productId});
    chip.WriteWords(kIdentityUpdateModeKey, {productId | kUpdateModeBit});
    for (uint16_t key : kIdentityWordKeys) chip.Write(key, kIdentityWords, sizeof kIdentityWords);
}

void WriteLapRangeKeys(Chip& chip, int productId)
{
    const AddressThreshold threshold = ProductTraitsOf(productId).addressThreshold;
    for (const LapRangeRow& row : kLapRangeKeys) {
        if (std::find(row.thresholds.begin(), row.thresholds.end(), threshold) == row.thresholds.end()) continue;
        for (const KeyValue& key : row.keys) chip.Write(key.key, key.bytes.begin(), static_cast<int>(key.bytes.size()));
        return;
    }
}

// One device of the library's list and the road through it.
class DeviceExamination {
public:
    DeviceExamination(RecognitionHost& host, const DeviceSettings* saved, RecognitionResult& result,
                      UsbScanCounts& counts, ScanKept& kept)
        : m_host(host), m_saved(saved), m_result(result), m_counts(counts), m_kept(kept)
    {
    }

    // False when the scan stops here.
    bool Run(const CStringX& path, int usbProductId, DFUTransportCOM& transport)
    {
        const int index = m_counts.libraryCount - 1;
        m_systemId = index < 2 ? m_counts.systemIds[index] : 0;
        const bool connected = usbProductId != kUnconnectedChipProductId &&
                               static_cast<bool>(DFURequestsUSB::ConnectDevice(path, transport));
        const bool goOn = connected ? ExamineConnected(transport) : ExamineUnconnected();
        if (goOn) Store();
        return goOn;
    }

private:
    int& Target() { return m_host.targetProductId; }

    bool ExamineConnected(DFUTransportCOM& transport)
    {
        Chip chip(transport);
        ++m_counts.connectedCount;
        int productId = 0;
        const bool productIdKeyRead = chip.ReadWord(PsKeyProductId, productId);
        if (!productIdKeyRead) {
            productId = kTkv8ProductId;
            m_kept.productIdRead = false;
        }
        if (Target() == kGenericChipProductId || Target() == kUnconnectedChipProductId) Target() = productId;

        if (productId == kActionCameraProductId && !CameraDrivePresent()) {
            m_result.outcome = RecognitionOutcome::NoCameraDrive;
            return false;
        }

        CString lap;
        if (!ReadAddress(chip, m_kept.address, lap)) m_kept.address.Empty();
        else if (IsLapAboveModelThreshold(Target(), lap)) WriteLapRangeKeys(chip, Target());

        if (ReadName(chip, m_kept.name)) {
            if (!productIdKeyRead) {
                if (m_kept.name.find("TKV8") != std::string::npos) {
                    productId = kTkv8ProductId;
                    m_kept.productIdRead = true;
                } else if (m_kept.name.find("WPR6") != std::string::npos) {
                    productId = kWpr6ProductId;
                    m_kept.productIdRead = true;
                }
            }
        } else {
            m_kept.name = kDefaultName;
            m_kept.productIdRead = false;
        }

        const FirmwareVersionReading reading = ReadFirmwareVersionKeys(productId, chip.Reader());
        if (reading.ClearNewKey) {
            const uint8_t zeros[kFirmwareVersionKeyLength] = {};
            chip.Write(PsKeyFirmwareVersion, zeros, kFirmwareVersionKeyLength);
        }
        m_kept.major = reading.Version.Major;
        m_kept.minor = reading.Version.Minor;
        m_device.Firmware = reading.Version;

        if (m_saved) WriteBackOverStore(productId, transport, *m_saved);
        ReadSettings(chip, productId, Target(), m_device);

        if (!IsSameDeviceFamily(Target(), productId)) {
            m_result.outcome = RecognitionOutcome::OtherFamily;
            return false;
        }
        m_result.outcome = RecognitionOutcome::NormalMode;
        if (m_systemId == kGenericChipProductId && m_kept.productIdRead) {
            WriteUsbIdentity(chip, productId);
            m_result.outcome = RecognitionOutcome::Activated;
            return false;
        }
        m_productId = productId;
        m_usbStatus = m_systemId;
        if (Target() == kTwoChipHeadsetProductId && m_counts.libraryCount == 2) CompareWithFirstUnit();
        return true;
    }

    // The second unit of a 0x5310 pair: both addresses; units that disagree
    // are taken to firmware-update mode.
    void CompareWithFirstUnit()
    {
        const DeviceSettings& first = m_result.settings;
        m_kept.address = first.BluetoothAddress + L" _ " + m_kept.address;
        const VersionGroup& v = m_device.Firmware;
        const bool differ = first.DeviceName != CString::FromAnsi(m_kept.name) || first.Firmware.Major != v.Major ||
                            first.Firmware.Minor != v.Minor || first.Firmware.SecondaryType != v.SecondaryType ||
                            first.Firmware.SecondaryVersion != v.SecondaryVersion ||
                            m_result.usbStatus != m_systemId;
        if (!differ) return;
        m_counts.twoUnitMismatch = true;
        m_productId = Target();
        m_usbStatus = (m_systemId | kUpdateModeBit) & 0xFFFF;
        m_result.outcome = RecognitionOutcome::UpdateMode;
    }

    bool ExamineUnconnected()
    {
        ++m_counts.unconnectedCount;
        const int s = m_systemId;
        if (s != kUnconnectedChipProductId && !IsSameDeviceFamily(Target(), s & kProductIdMask)) {
            const bool firstIsPair = m_counts.systemIds[0] == kTwoUnitUpdateMode;
            const bool secondIsPair = m_counts.systemIds[1] == kTwoUnitUpdateMode;
            if (firstIsPair == secondIsPair) {
                m_result.outcome = RecognitionOutcome::OtherFamily;
                return false;
            }
            // One unit of a 0x5310 pair in update mode.
            m_productId = Target();
            m_usbStatus = Target();
        } else {
            const bool ownId =
                (s & ~kProductIdMask) == kUpdateModeBit && ProductTraitsOf(s & kProductIdMask).Has(kOwnIdInUpdateMode);
            m_productId = ownId ? (s & kProductIdMask) : Target();
            m_usbStatus = s;
        }
        m_result.outcome = RecognitionOutcome::UpdateMode;
        return true;
    }

    void Store()
    {
        if (Target() == kTwoChipHeadsetProductId && m_counts.libraryCount == 2 && m_counts.systemIds[0] == kTwoUnitUpdateMode)
            return;
        DeviceSettings& s = m_result.settings;
        s = m_device;
        s.ManagerVersionMajor = 1;
        s.ManagerVersionMinor = 0;
        s.ProductId = m_productId;
        s.DeviceName = CString::FromAnsi(m_kept.name);
        s.Firmware.Major = m_kept.major;
        s.Firmware.Minor = m_kept.minor;
        s.Firmware.BuildNumber = 0;
        s.FirstInterface = VersionGroup();
        s.SecondInterface = VersionGroup();
        s.BluetoothAddress = m_kept.address;
        s.HardwareVersionText.Empty();
        m_result.usbStatus = m_usbStatus;
    }

    RecognitionHost& m_host;
    const DeviceSettings* m_saved;
    RecognitionResult& m_result;
    UsbScanCounts& m_counts;
    ScanKept& m_kept;
    // The device's own working values: switches, settings, FM block, speed
    // dials and the secondary parts of its version.
    DeviceSettings m_device;
    int m_systemId = 0;
    int m_productId = 0;
    int m_usbStatus = 0;
};

}  // namespace

const uint8_t* EdrFeatureMask(int productId, bool edrOn)
{
    if (ProductTraitsOf(productId).Has(kOwnEdrMasks)) return edrOn ? kMaskWidenB : kMaskWidenA;
    return edrOn ? kMaskB : kMaskA;
}

void WriteBackOverStore(int productId, DFUTransportCOM& transport, const DeviceSettings& saved)
{
    // Another model's settings are never written to a headset.
    if (saved.ProductId != productId) return;
    Chip chip(transport);
    const SettingsFamily family = SettingsFamilyOf(productId);
    for (const WriteRow& row : kWriteBack) {
        if (!row.Families.Has(family) || !row.band.Contains(saved.Firmware.Major, saved.Firmware.Minor))
            continue;
        for (StoreValue value : row.values) WriteValue(chip, productId, value, saved);
    }
}

void RecognizeOverStore(RecognitionHost& host, const DeviceSettings* saved, RecognitionResult& result,
                        UsbScanCounts& counts)
{
    CloseHidHandle(host.hidHandle1);
    CloseHidHandle(host.hidHandle2);
    LibrarySession library;
    CStringListX names;
    DFURequestsUSB::EnumerateDevices(names);
    counts.systemCount = EnumerateUsbProducts(counts.systemIds, 2);
    if (counts.systemCount == 0) {
        result.outcome = RecognitionOutcome::NothingFound;
        return;
    }

    host.targetProductId = 0;
    ScanKept kept;
    DFUTransportCOM transport;
    CStringListX::Position position = names.GetHeadPosition();
    while (static_cast<CStringX*>(position)) {
        const CStringX& name = names.GetNext(position);
        const CStringX path = DFUTransportUSB::PathInternal(name);
        int vendorId = 0;
        int productId = 0;
        if (!ParseDevicePathIds(path.GetBuffer(), &vendorId, &productId) || vendorId != kMakerVendorId ||
            !IsKnownUsbProductId(productId))
            continue;

        ++counts.libraryCount;
        if (host.targetProductId == 0) host.targetProductId = productId & kProductIdMask;
        const int most = host.targetProductId == kTwoChipHeadsetProductId ? 2 : 1;
        if (counts.libraryCount > most) {
            result.outcome = RecognitionOutcome::MoreLibraryDevices;
            break;
        }
        Device::Canonicalise(path, true);
        DeviceExamination device(host, saved, result, counts, kept);
        if (!device.Run(path, productId, transport)) break;
    }
}
