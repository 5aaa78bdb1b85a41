#include "device/RecognitionHid.h"

#include <algorithm>
#include <initializer_list>
#include <string>

#include "device/HidAddress.h"
#include "device/HidDevices.h"
#include "device/HidDiscovery.h"
#include "device/HidTransport.h"
#include "device/ProductCatalogue.h"
#include "framework/Clock.h"

namespace {

using F = SettingsFamily;

constexpr int kV60SecondInterface = 0x3120;

// Items of the get and set requests.
constexpr uint8_t kItemSettings = 4;
constexpr uint8_t kItemV40Variant = 5;
constexpr uint8_t kItemHardwareVersion = 6;
constexpr uint8_t kItemFmBlock = 0x15;
constexpr uint8_t kItemName = 0x1D;
constexpr uint8_t kItemSpeedDials[kSpeedDialCount] = {0x5A, 0x5B, 0x5C};
// Information request sent to 0x3110 before its second interface is opened.
constexpr uint8_t kInfoOpenSecondInterface = 0x50;

// The item-5 value that the 0x4210 units of the fix-up ranges must hold.
constexpr int kV40FixedVariant = 11;

// The waits for the second interface of 0x3110.
constexpr unsigned kSecondInterfaceDelayMs = 6000;
constexpr int kSecondInterfaceTries = 20;
constexpr unsigned kSecondInterfaceRetryMs = 1000;

// A name reply is read as UTF-8 of at most this many bytes.
constexpr size_t kMaxNameBytes = 255;

const VersionGroup kNoVersion{1, 0, 0, 0, 0};

// ---------------------------------------------------------------------------
// Exchanges

// One exchange and its reply; the words of a get reply are converted.
struct Reply {
    bool ok = false;
    uint8_t bytes[kHidReplySize] = {};
    int Count() const { return ok ? ReplyWordCount(bytes) : 0; }
    int Word(int index) const { return ReplyWord(bytes, index); }
};

// A request of a group and an item, nothing else set.
Reply Ask(HANDLE* device, uint8_t group, uint8_t item = 0)
{
    uint8_t request[kHidRequestSize] = {};
    request[0] = kHidReportId;
    request[1] = group;
    request[2] = item;
    Reply reply;
    reply.ok = HidTransact(device, request, reply.bytes) != 0;
    if (reply.ok && group == kHidGroupGet) SwapReplyWords(reply.bytes);
    return reply;
}

// A set request of the words (host order), and when asked its apply request:
// the same buffer with its words converted once more, so that they go out
// low byte first. Results are not examined.
void Set(HANDLE* device, uint8_t item, const uint16_t* words, int count, bool apply)
{
    count = std::clamp(count, 0, kHidRequestMaxWords);
    uint8_t request[kHidRequestSize] = {};
    request[0] = kHidReportId;
    request[1] = kHidGroupSet;
    request[2] = item;
    request[3] = static_cast<uint8_t>(count);
    for (int i = 0; i < count; ++i) {
        request[4 + 2 * i] = static_cast<uint8_t>(words[i]);
        request[5 + 2 * i] = static_cast<uint8_t>(words[i] >> 8);
    }
    SwapRequestWords(request);
    uint8_t reply[kHidReplySize] = {};
    HidTransact(device, request, reply);
    if (!apply) return;
    request[1] = kHidGroupApply;
    SwapRequestWords(request);
    HidTransact(device, request, reply);
}

VersionGroup ReadVersion(HANDLE* device)
{
    const Reply reply = Ask(device, kHidGroupInformation);
    if (!reply.ok) return kNoVersion;
    const uint8_t* b = reply.bytes;
    return {b[3], b[4], b[5], b[6], b[7]};
}

// The address reply as "XXXXXX[XXXXXX]"; empty when the request failed.
CString ReadAddress(HANDLE* device, CString* lap = nullptr)
{
    const Reply reply = Ask(device, kHidGroupAddress);
    if (!reply.ok) return CString();
    const uint8_t* b = reply.bytes;
    if (lap) *lap = CString::Formatted(L"%02X%02X%02X", b[6], b[7], b[8]);
    return CString::Formatted(L"%02X%02X%02X[%02X%02X%02X]", b[3], b[4], b[5], b[6], b[7], b[8]);
}

// The interface 0x3120 of a 0x3110 headset, tried 20 times a second apart.
HANDLE OpenV60SecondInterface()
{
    for (int attempt = 0; attempt < kSecondInterfaceTries; ++attempt) {
        if (HANDLE device = OpenHidDevice(kV60SecondInterface)) return device;
        Clock::Sleep(kSecondInterfaceRetryMs);
    }
    return nullptr;
}

// The headset's name: the low bytes of reply words 1 to N-1 as UTF-8, up to
// the first zero; the model's name when the request fails or brings no word.
CString ReadName(int productId, HANDLE* device)
{
    if (productId == kCombinedChipProductId) return DefaultDeviceName(productId);
    const Reply reply = Ask(device, kHidGroupGet, kItemName);
    if (reply.Count() < 1) return DefaultDeviceName(productId);
    std::string utf8;
    for (int i = 1; i < reply.Count() && utf8.size() < kMaxNameBytes; ++i) {
        const char byte = static_cast<char>(reply.Word(i) & 0xFF);
        if (byte == '\0') break;
        utf8 += byte;
    }
    return CString::FromUtf8(utf8);
}

// Copies a get reply's words into setting words from `first` on, no further
// than the record holds; on failure the fallback words instead.
void ReadItemInto(HANDLE* device, uint8_t item, DeviceSettings& s, int first, std::initializer_list<int> fallback)
{
    const Reply reply = Ask(device, kHidGroupGet, item);
    if (reply.ok) {
        CopyReplyWords(reply.bytes, s.SettingWords + first, kSettingWordCount - first);
        return;
    }
    int index = first;
    for (int value : fallback) s.SettingWords[index++] = value;
}

// ---------------------------------------------------------------------------
// Settings item 4

// How a model's item 4 is read.
enum class Item4Kind {
    Packed,  // the reply's words are setting words 0 to N-1
    Bits,    // word 0 is the feature word, decoded by the row's bits
    None,    // no request; every switch 0
};

// A follow-up get request on success of item 4: item into setting words from
// `first`, with its fallback.
struct FollowUp {
    uint8_t item;
    int first;
    std::initializer_list<int> fallback;
};

// A setting word set when item 4 cannot be read.
struct FailureWord {
    int index;
    int value;
};

struct Item4Row {
    SettingsFamilies Families;
    Item4Kind kind;
    bool onSecond;                               // the request goes to hidHandle2
    uint16_t bits;                               // feature-word bits the row decodes
    uint16_t fallback;                           // feature word when the request fails
    std::initializer_list<int> packedFallback;   // setting words 0.. of a packed model
    int bit13Word;                               // the setting word bit 13 feeds
    bool replyWords2And3;                        // reply words 2 and 3 are setting words 2 and 3
    std::initializer_list<FollowUp> followUps;   // on success only
    std::initializer_list<FailureWord> onFailure;
};

// Feature-word bits: 0 HandsfreeVOX, 1 IntercomVOX, 2 EDR, 3 VoicePrompt,
// 5 BitpoolRate, 8 Sidetone, 9 Calmweave, 10 to 15 setting words 18 to 23
// (bit 13 word 21 or 24).
constexpr uint16_t kStandardBits = 0x1F2F;   // 0-3, 5, 8-12
constexpr uint16_t kNoBit12 = 0x0F2F;        // 0-3, 5, 8-11
constexpr uint16_t kStandardFallback = 0x1C21;  // HandsfreeVOX, BitpoolRate, bits 10-12

const Item4Row kItem4Rows[] = {
    {{F::Vantor}, Item4Kind::Packed, true, 0, 0, {5, 3, 0xED21, 2}, 0, false, {}, {}},
    {{F::HidNoSettings}, Item4Kind::None, false, 0, 0, {}, 0, false, {}, {}},
    {{F::V60}, Item4Kind::Packed, false, 0, 0, {7201, 1411}, 0, false, {}, {}},
    {{F::Ks5}, Item4Kind::Bits, false, kStandardBits | 0x2000, kStandardFallback, {}, 21, false, {}, {}},
    {{F::Feral}, Item4Kind::Bits, false, 0x1E2C, 0x1C20, {}, 0, false, {}, {}},
    {{F::Lvr7, F::Lvra}, Item4Kind::Bits, false, kNoBit12, 0x0C21, {}, 0, false, {}, {}},
    {{F::ThunderKr5, F::Z9}, Item4Kind::Bits, false, kStandardBits, 0x1821, {}, 0, false, {}, {}},
    {{F::Yt1}, Item4Kind::Bits, false, kStandardBits | 0xC000, kStandardFallback, {}, 0, false,
     {{0x14, 14, {3}}, {3, 16, {0, 0}}}, {{14, 2}, {16, 0}, {17, 0}}},
    {{F::Yt2}, Item4Kind::Bits, false, kStandardBits | 0xC000, kStandardFallback, {}, 0, false,
     {{0x14, 14, {3}}, {3, 16, {0, 0}}}, {{14, 3}, {16, 0}, {17, 0}}},
    {{F::Nq1}, Item4Kind::Bits, false, kNoBit12 | 0x2000, 0x0C21, {}, 24, true, {{0x14, 14, {2}}},
     {{2, 104}, {3, 0}, {14, 2}}},
    {{F::Nq5r}, Item4Kind::Bits, false, kNoBit12 | 0x2000, 0x0C21, {}, 24, true, {{0x14, 14, {2}}},
     {{2, 107}, {3, 0}, {14, 2}}},
    {{F::Nq3}, Item4Kind::Bits, false, kNoBit12 | 0x2000, 0x0C21, {}, 24, false, {{0x12, 14, {2}}},
     {{2, 107}, {3, 0}, {14, 2}}},
};

// Every other product, 0x4210 aside (its fallback depends on the firmware).
const Item4Row kOtherModelItem4{{}, Item4Kind::Bits, false, kStandardBits, kStandardFallback, {}, 0, false, {}, {}};

// Fallback of the 0x4210 basic words by firmware band.
struct V40FallbackRow {
    VersionBand band;
    std::initializer_list<int> words;
};
const V40FallbackRow kV40Fallbacks[] = {
    {Below(1, 1), {5, 3, 0xEC00}},
    {Below(1, 2), {5, 3, 0xEC00, 3}},
    {Below(1, 5), {5, 3, 0xED80, 3}},
    {Below(1, 6), {5, 3, 0xEDA0, 3}},
    {kAnyVersion, {5, 3, 0xED20, 2}},
};

// Switches and setting words 18 to 24 from the decoded bits of a feature
// word: over HID bit 10 is audio boost (word 18), not a switch.
void StoreFeatureBits(DeviceSettings& s, int word, const Item4Row& row)
{
    const int bits = word & row.bits;
    s.SetSwitchesFromFeatureWord(bits & 0x03FF);
    for (int bit = 10; bit <= 15; ++bit) {
        const int index = bit == 13 ? row.bit13Word : bit + 8;
        if (index) s.SettingWords[index] = (bits >> bit) & 1;
    }
}

void ReadSettingsItem(int productId, HANDLE* first, HANDLE* second, DeviceSettings& s)
{
    Item4Row v40{{F::V40}, Item4Kind::Packed, true, 0, 0, {}, 0, false, {}, {}};
    const Item4Row* row = FindFamilyRow(kItem4Rows, productId);
    if (productId == kV40ProductId) {
        for (const V40FallbackRow& band : kV40Fallbacks) {
            if (band.band.Contains(s.Firmware.Major, s.Firmware.Minor)) {
                v40.packedFallback = band.words;
                break;
            }
        }
        row = &v40;
    }
    if (!row) row = &kOtherModelItem4;
    if (row->kind == Item4Kind::None) return;

    HANDLE* device = row->onSecond ? second : first;
    const Reply reply = Ask(device, kHidGroupGet, kItemSettings);
    if (row->kind == Item4Kind::Packed) {
        if (reply.ok) {
            CopyReplyWords(reply.bytes, s.SettingWords, kSettingWordCount);
        } else {
            int index = 0;
            for (int value : row->packedFallback) s.SettingWords[index++] = value;
        }
        return;
    }
    if (!reply.ok) {
        StoreFeatureBits(s, row->fallback, *row);
        for (const FailureWord& word : row->onFailure) s.SettingWords[word.index] = word.value;
        return;
    }
    StoreFeatureBits(s, reply.Word(0), *row);
    if (row->replyWords2And3) {
        for (int index : {2, 3}) {
            if (index < reply.Count()) s.SettingWords[index] = reply.Word(index);
        }
    }
    for (const FollowUp& followUp : row->followUps) ReadItemInto(first, followUp.item, s, followUp.first, followUp.fallback);
}

// ---------------------------------------------------------------------------
// Further items, FM block, speed dials

struct FurtherItemRow {
    SettingsFamilies Families;
    VersionBand band;
    FollowUp read;
};
const FurtherItemRow kFurtherItems[] = {
    {{F::Kr5, F::VantorMini}, kAnyVersion, {0x14, 14, {3}}},
    {{F::Kc5}, kAnyVersion, {7, 10, {1984, 0}}},
    {{F::Kc5}, From(2, 0), {0x1C, 12, {20, 0}}},
    {{F::Lvra}, kAnyVersion, {3, 16, {0, 0}}},
    {{F::Lvra}, From(1, 1), {0x14, 14, {3}}},
    {{F::Lvr7}, From(1, 1), {0x14, 14, {3}}},
};

enum class FmRead { Fifteen, Eleven, None };
struct FmRow {
    SettingsFamilies Families;
    FmRead read;
    bool onSecond;
    bool prepare;        // a preparation request goes first
    int fallbackRds;
};
const FmRow kFmRows[] = {
    {{F::V40, F::Vantor}, FmRead::Fifteen, true, false, 0},
    {{F::Nq1, F::Nq5r}, FmRead::Eleven, false, true, 1},
    {{F::HidNoSettings, F::Yt1, F::Nq3}, FmRead::None, false, false, 0},
    {{F::Yt2}, FmRead::Fifteen, false, true, 0},
};
const FmRow kOtherModelFm{{}, FmRead::Fifteen, false, false, 0};

void ReadFmBlock(int productId, HANDLE* first, HANDLE* second, DeviceSettings& s)
{
    const FmRow* found = FindFamilyRow(kFmRows, productId);
    const FmRow& row = found ? *found : kOtherModelFm;
    if (row.read == FmRead::None) return;  // the block stays all zero
    if (row.prepare) Ask(first, kHidGroupPrepare, kItemFmBlock);
    const int presets = row.read == FmRead::Eleven ? kFmElevenWordPresets : kFmPresetCount;
    const Reply reply = Ask(row.onSecond ? second : first, kHidGroupGet, kItemFmBlock);
    if (reply.ok) {
        int words[kFmBlockWordCount] = {};
        const int count = CopyReplyWords(reply.bytes, words, kFmBlockWordCount);
        SetFmBlockFromWords(s, words, count, presets);
        return;
    }
    s.FmMagic = kFmMagicDefault;
    s.FmRds = row.fallbackRds;
    // 0x4210 tunes in the Americas from firmware 1.1 on.
    if (productId == kV40ProductId && s.CompareFirmwareVersion(1, 1) >= 0) s.FmRegion = 1;
}

constexpr SettingsFamilies kSpeedDialPreparers = {F::Nq1, F::Nq5r, F::Nq3, F::Yt1, F::Yt2};

void ReadSpeedDials(int productId, HANDLE* first, DeviceSettings& s)
{
    if (kSpeedDialPreparers.Has(SettingsFamilyOf(productId))) {
        for (uint8_t item : kItemSpeedDials) Ask(first, kHidGroupPrepare, item);
    }
    for (int n = 0; n < kSpeedDialCount; ++n) {
        const Reply reply = Ask(first, kHidGroupGet, kItemSpeedDials[n]);
        if (!reply.ok) continue;  // the number stays as it was
        uint16_t words[kDeviceNameWordCount] = {};
        for (int i = 0; i < reply.Count() && i < kDeviceNameWordCount; ++i) words[i] = static_cast<uint16_t>(reply.Word(i));
        DecodeDeviceName(&s.SpeedDialNumbers[n], words);
    }
}

struct PreparationRow {
    SettingsFamilies Families;
    std::initializer_list<uint8_t> items;
};
const PreparationRow kPreparations[] = {
    {{F::Nq1, F::Nq5r}, {4, 0x14}},
    {{F::Yt1, F::Yt2}, {4, 0x14, 3}},
    {{F::Nq3}, {4, 0x12}},
};

// ---------------------------------------------------------------------------
// Address and hardware version

void ReadHardwareVersion(HANDLE* first, DeviceSettings& s)
{
    const Reply reply = Ask(first, kHidGroupGet, kItemHardwareVersion);
    if (!reply.ok) {
        s.HardwareVersionMajor = 1;
        s.HardwareVersionMinor = 0;
        return;
    }
    s.HardwareVersionMajor = reply.Word(0) & 0xFF;
    s.HardwareVersionMinor = reply.Word(1) & 0xFF;
    s.HardwareVersionText = CString::Formatted(L"   |   H/W v%1d.%1d", s.HardwareVersionMajor, s.HardwareVersionMinor);
}

// Puts item 5 of a 0x4210 unit of the fix-up ranges right on both interfaces.
void FixV40Variant(const CString& lap, HANDLE* first, HANDLE* second)
{
    if (!IsV40Item5FixRange(kV40ProductId, lap)) return;
    const Reply reply = Ask(first, kHidGroupGet, kItemV40Variant);
    if (!reply.ok || (reply.Word(0) & 0xFF) == kV40FixedVariant) return;
    const uint16_t word = kV40FixedVariant;
    Set(first, kItemV40Variant, &word, 1, false);
    Set(second, kItemV40Variant, &word, 1, false);
}

void ReadAddresses(int productId, HANDLE* first, HANDLE* second, DeviceSettings& s)
{
    CString lap;
    CString address = ReadAddress(first, &lap);
    if (productId == kV40ProductId && !address.IsEmpty()) FixV40Variant(lap, first, second);
    s.BluetoothAddress = address;
    if (IsTwoInterfaceFamily(productId)) {
        s.BluetoothAddress += L" _ " + ReadAddress(second);
        ReadHardwareVersion(first, s);
    } else if (productId == kV60ProductId) {
        HANDLE device = OpenV60SecondInterface();
        s.BluetoothAddress += L" _ " + ReadAddress(&device);
        CloseHidHandle(device);
    } else if (productId == kCombinedChipProductId) {
        s.BluetoothAddress += L" _ " + ReadAddress(second);
        ReadHardwareVersion(first, s);
    }
}

// ---------------------------------------------------------------------------
// Versions

void ReadVersions(int productId, HANDLE* first, HANDLE* second, DeviceSettings& s)
{
    if (ProductTraitsOf(productId).Has(kCombinedChip)) return;
    s.Firmware = ReadVersion(first);
    s.FirstInterface = s.Firmware;
    if (productId == kV60ProductId) {
        Ask(first, kInfoOpenSecondInterface);
        Clock::Sleep(kSecondInterfaceDelayMs);
        HANDLE device = OpenV60SecondInterface();
        s.SecondInterface = ReadVersion(&device);
        CloseHidHandle(device);
        return;
    }
    if (!IsTwoInterfaceFamily(productId)) return;
    s.SecondInterface = ReadVersion(second);
    // The record shows the older of the two modules.
    const VersionGroup& other = s.SecondInterface;
    if (s.CompareFirmwareVersionEx(other.Major, other.Minor, other.SecondaryType, other.SecondaryVersion) > 0)
        s.Firmware = other;
}

// ---------------------------------------------------------------------------
// Write-back

// What a set request of the write-back carries.
enum class Words {
    Settings,        // setting words from `first`, `count` of them
    Feature,         // the feature word, then zeros up to `count`
    FeatureAndWord2, // feature word, 0, setting word 2, 0
    FmBlock,         // the FM block of `count` (15 or 11) words with `magic`
    SpeedDials,      // items 0x5A to 0x5C on hidHandle1, at least `count` words each
};

struct SetStep {
    uint8_t item;
    Words words;
    int first;
    int count;
    int magic;
    bool apply;
};

constexpr SetStep SetWords(uint8_t item, int first, int count, bool apply = false)
{
    return {item, Words::Settings, first, count, 0, apply};
}
constexpr SetStep SetFeature(int count, bool apply = false) { return {4, Words::Feature, 0, count, 0, apply}; }
constexpr SetStep SetFm(int count, int magic, bool apply = false) { return {0x15, Words::FmBlock, 0, count, magic, apply}; }
constexpr SetStep SpeedDials(int minimumWords) { return {0, Words::SpeedDials, 0, minimumWords, 0, false}; }

struct WriteBackRow {
    SettingsFamilies Families;
    VersionBand band;  // of the saved record's firmware
    bool onSecond;     // requests but the speed dials go to hidHandle2
    std::initializer_list<SetStep> steps;
};

// The headsets whose write-back is the feature word, then the FM block and the speed dials.
constexpr SettingsFamilies kFeatureWordHeadsets = {F::M7xHelm, F::Kc5,      F::Kr5,   F::VantorMini, F::Ks5,
                                                   F::Feral,   F::Grittalk, F::Lvr7,  F::Lvra,       F::ThunderKr5,
                                                   F::Z9,      F::M7xpad,   F::Ostrel};

// Every row whose families and band hold the record runs, in table order.
const WriteBackRow kWriteBack[] = {
    {{F::V40}, Below(1, 1), true, {SetWords(4, 0, 3), SetFm(15, kFmMagicWritten), SpeedDials(0)}},
    {{F::V40}, Between(1, 1, 1, 2), true, {SetWords(4, 0, 4), SetFm(15, kFmMagicWritten), SpeedDials(0)}},
    {{F::V40}, From(1, 2), true, {SetWords(4, 0, 10), SetFm(15, kFmMagicWritten), SpeedDials(0)}},
    {{F::Vantor}, kAnyVersion, true,
     {SetWords(4, 0, 10), SetFm(15, kFmMagicWritten), SpeedDials(0)}},
    {{F::V60}, kAnyVersion, false, {SetWords(4, 0, 2)}},
    {kFeatureWordHeadsets, kAnyVersion, false, {SetFeature(2)}},
    {{F::Kr5, F::VantorMini}, kAnyVersion, false, {SetWords(0x14, 14, 1)}},
    {{F::Lvr7, F::Lvra}, From(1, 1), false, {SetWords(0x14, 14, 1)}},
    {{F::Lvra}, kAnyVersion, false, {SetWords(3, 16, 1)}},
    {{F::Kc5}, kAnyVersion, false, {SetWords(7, 10, 2)}},
    {{F::Kc5}, From(2, 0), false, {SetWords(0x1C, 12, 2)}},
    {kFeatureWordHeadsets, kAnyVersion, false, {SetFm(15, kFmMagicWritten), SpeedDials(1)}},
    {{F::Yt1, F::Yt2}, kAnyVersion, false,
     {SetFeature(2, true), SetWords(0x14, 14, 1, true), SetWords(3, 16, 1, true)}},
    {{F::Yt2}, kAnyVersion, false, {SetFm(15, kFmMagicDefault, true)}},
    {{F::Yt1, F::Yt2}, kAnyVersion, false, {SpeedDials(1)}},
    {{F::Nq1, F::Nq5r}, kAnyVersion, false,
     {{4, Words::FeatureAndWord2, 0, 4, 0, true}, SetWords(0x14, 14, 1, true), SetFm(kFmBlockWordCountEleven, kFmMagicDefault, true),
      SpeedDials(1)}},
    {{F::Nq3}, kAnyVersion, false, {SetFeature(4, true), SetWords(0x12, 14, 1, true), SpeedDials(1)}},
};

void RunSetStep(const SetStep& step, HANDLE* device, HANDLE* first, const DeviceSettings& saved)
{
    uint16_t words[kFmBlockWordCount] = {};
    switch (step.words) {
    case Words::Settings:
        for (int i = 0; i < step.count; ++i) words[i] = static_cast<uint16_t>(saved.SettingWords[step.first + i]);
        break;
    case Words::Feature:
        words[0] = static_cast<uint16_t>(saved.GetFeatureWord());
        break;
    case Words::FeatureAndWord2:
        words[0] = static_cast<uint16_t>(saved.GetFeatureWord());
        words[2] = static_cast<uint16_t>(saved.SettingWords[2]);
        break;
    case Words::FmBlock:
        FmBlockWords(saved, step.magic, step.count == kFmBlockWordCountEleven ? kFmElevenWordPresets : kFmPresetCount,
                     words);
        break;
    case Words::SpeedDials:
        for (int n = 0; n < kSpeedDialCount; ++n) {
            uint16_t number[kDeviceNameWordCount] = {};
            const int count = std::max(EncodeDeviceName(number, saved.SpeedDialNumbers[n]) / 2, step.count);
            Set(first, kItemSpeedDials[n], number, count, false);
        }
        return;
    }
    Set(device, step.item, words, step.count, step.apply);
}

}  // namespace

bool IsTwoInterfaceFamily(int productId) { return ProductTraitsOf(productId).Has(kTwoInterfaces); }

void WriteBackOverHid(int productId, HANDLE* hidHandle1, HANDLE* hidHandle2, const DeviceSettings& saved)
{
    // Another model's settings are never written to a headset.
    if (saved.ProductId != productId) return;
    const int major = saved.Firmware.Major;
    const int minor = saved.Firmware.Minor;
    for (const WriteBackRow& row : kWriteBack) {
        if (!row.Families.Has(SettingsFamilyOf(productId)) || !row.band.Contains(major, minor)) continue;
        for (const SetStep& step : row.steps) RunSetStep(step, row.onSecond ? hidHandle2 : hidHandle1, hidHandle1, saved);
    }
}

void RecognizeOverHid(int productId, HANDLE& hidHandle1, HANDLE& hidHandle2, const DeviceSettings* saved,
                      RecognitionResult& result)
{
    HANDLE* first = &hidHandle1;
    HANDLE* second = &hidHandle2;
    // The two-interface families answer the name, settings and FM requests on
    // their second interface.
    HANDLE* family = IsTwoInterfaceFamily(productId) ? second : first;
    DeviceSettings& s = result.settings;
    s = DeviceSettings();
    s.ManagerVersionMajor = 1;
    s.ManagerVersionMinor = 0;
    s.ProductId = productId;

    s.DeviceName = ReadName(productId, family);
    ReadVersions(productId, first, second, s);
    if (saved) WriteBackOverHid(productId, first, second, *saved);
    ReadAddresses(productId, first, second, s);
    if (productId == kV40ProductId) result.hidVariant = ReadHidItem5OrNone(first);

    if (const PreparationRow* row = FindFamilyRow(kPreparations, productId)) {
        for (uint8_t item : row->items) Ask(first, kHidGroupPrepare, item);
    }
    ReadSettingsItem(productId, first, second, s);
    for (const FurtherItemRow& row : kFurtherItems) {
        if (row.Families.Has(SettingsFamilyOf(productId)) && row.band.Contains(s.Firmware.Major, s.Firmware.Minor))
            ReadItemInto(first, row.read.item, s, row.read.first, row.read.fallback);
    }
    ReadFmBlock(productId, first, second, s);
    ReadSpeedDials(productId, first, s);

    if (IsHidRecognitionProduct(productId)) result.usbStatus = productId;
    result.overHid = true;
    result.outcome = RecognitionOutcome::NormalMode;
}
