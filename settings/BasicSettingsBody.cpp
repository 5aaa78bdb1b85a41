#include "settings/BasicSettingsBody.h"

#include <array>

#include "device/ProductIdList.h"
#include "device/Recognition.h"

namespace {

// ---------------------------------------------------------------------------
// HID requests

// A word of a request: a setting word of the working copy (0 to 31), its
// feature word, or zero.
constexpr int8_t kFeatureWord = -1;
constexpr int8_t kZero = -2;

struct HidStep {
    uint8_t item;
    std::array<int8_t, 10> words;
    int count;
    VersionBand band = kAnyVersion;
    bool reuseReport = false;
};

constexpr std::array<int8_t, 10> kAllTen{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};

constexpr HidStep kSteps4210[] = {
    {4, kAllTen, 3, Below(1, 1)},
    {4, kAllTen, 4, Between(1, 1, 1, 2)},
    {4, kAllTen, 10, From(1, 2)},
};
constexpr HidStep kStepsTenWords[] = {{4, kAllTen, 10}};
constexpr HidStep kSteps3110[] = {{4, {0, 1}, 2}};
constexpr HidStep kStepsFeature[] = {{4, {kFeatureWord, kZero}, 2}};
constexpr HidStep kStepsFeatureVox[] = {{4, {kFeatureWord, kZero}, 2}, {0x14, {14}, 1}};
constexpr HidStep kSteps5510[] = {{4, {kFeatureWord, kZero}, 2}, {7, {10, 11}, 2}, {0x1C, {12, 13}, 2, From(2, 0)}};
constexpr HidStep kSteps5622[] = {{4, {kFeatureWord, kZero}, 2}, {3, {16}, 1}, {0x14, {14}, 1, From(1, 1)}};
constexpr HidStep kSteps5623[] = {{4, {kFeatureWord, kZero}, 2}, {0x14, {14}, 1, From(1, 1)}};
constexpr HidStep kSteps5410[] = {{4, {kFeatureWord, kZero}, 2}, {0x14, {14}, 1, kAnyVersion, true}, {3, {16}, 1}};
constexpr HidStep kSteps6020[] = {{4, {kFeatureWord, kZero, kZero, kZero}, 4}, {0x12, {14}, 1, kAnyVersion, true}};
constexpr HidStep kSteps6010[] = {{4, {kFeatureWord, kZero, 2, kZero}, 4}, {0x14, {14}, 1, kAnyVersion, true}};

struct HidBodyRow {
    ProductIdList<16> Ids;
    int interfaceNumber;
    std::span<const HidStep> steps;
};

const HidBodyRow kHidBodies[] = {
    {{0x4210}, 2, kSteps4210},
    {{0x4310, 0x4330, 0x4510, 0x4410, 0x4430}, 2, kStepsTenWords},
    {{0x3110}, 1, kSteps3110},
    {{0x5520, 0x5526, 0x5720}, 1, kStepsFeatureVox},
    {{0x5510}, 1, kSteps5510},
    {{0x5622, 0x5624}, 1, kSteps5622},
    {{0x5623}, 1, kSteps5623},
    {{0x5610, 0x5611, 0x5612, 0x5620, 0x5621, 0x5530, 0x5550, 0x5710, 0x5524, 0x5522, 0x3030, 0x3050, 0x3040, 0x6210,
      0x5910, 0x5920},
     1,
     kStepsFeature},
    {{0x5410, 0x5412, 0x5414, 0x5416}, 1, kSteps5410},
    {{0x6020, 0x6022, 0x6024}, 1, kSteps6020},
    {{0x6010, 0x6012, 0x6014, 0x6016, 0x6018}, 1, kSteps6010},
};

// ---------------------------------------------------------------------------
// Persistent-store keys

constexpr uint16_t PsKeyConfigWord = 0x028E;
constexpr uint16_t PsKeyLocalFeatures = 0x00EF;
constexpr uint16_t PsKeyVoxIntercom = 0x0298;
constexpr uint16_t PsKeyVoxPhone = 0x0299;
constexpr uint16_t PsKeyRadioTransmitGain = 0x02AC;
constexpr uint16_t PsKeyAudioChannelTimeout = 0x02AA;

// Mask A has the EDR bits of the LMP feature mask set, mask B clear.
struct EdrMaskRow {
    int productId;  // 0: every other product
    uint8_t edrOn[kLmpFeatureMaskSize];
    uint8_t edrOff[kLmpFeatureMaskSize];
};
constexpr EdrMaskRow EdrFeatureMaskTable[] = {
    {0x4111, {0xFF, 0xFE, 0x8F, 0xFE, 0x98, 0xFF, 0x59, 0x83}, {0xFF, 0xFE, 0x8F, 0xF8, 0x18, 0x1E, 0x59, 0x83}},
    {0, {0xFF, 0xFE, 0x8F, 0x7E, 0x98, 0xFF, 0x59, 0x83}, {0xFF, 0xFE, 0x8F, 0x78, 0x18, 0x1E, 0x59, 0x83}},
};

// The BlueCore headsets that keep the VOX switches and EDR in keys of their
// own below firmware 4.0, and the feature word from 4.0.
constexpr ProductIdList<14> kSwitchKeyProducts = {0x4D10, 0x4D30, 0x4D40, 0x4D20, 0x4D50, 0x5010, 0x5060,
                                                  0x5061, 0x5020, 0x5070, 0x5030, 0x5080, 0x5040, 0x5050};
// The BlueCore headsets that keep the feature word at any firmware.
constexpr ProductIdList<27> kFeatureWordProducts = {
    0x4D75, 0x5011, 0x4040, 0x2020, 0x6110, 0x6111, 0x6120, 0x6121, 0x4110, 0x4111, 0x4120, 0x4D05, 0x4D35, 0x4D55,
    0x4D15, 0x4D45, 0x4D65, 0x4D85, 0x4020, 0x4021, 0x2310, 0x2010, 0x2011, 0x2110, 0x2210, 0x4030, 0x4010};
constexpr int kRadioProduct = 0x5210;
constexpr int kFeatureWordEdrBit = 1 << 2;
constexpr int kMillisecondsPerSecond = 1000;

bool WriteWordKey(const PsKeyWriter& writeKey, uint16_t key, int value)
{
    const uint8_t bytes[2] = {static_cast<uint8_t>(value & 0xFF), static_cast<uint8_t>((value >> 8) & 0xFF)};
    return writeKey(key, bytes, 2);
}

}  // namespace

const uint8_t* LmpFeatureMask(int productId, bool edrOn)
{
    for (const EdrMaskRow& row : EdrFeatureMaskTable) {
        if (row.productId == productId || row.productId == 0) return edrOn ? row.edrOn : row.edrOff;
    }
    return nullptr;
}

bool BasicSettingsWriteBody::WriteHid(int productId, HidSettingsRequests& requests)
{
    const HidBodyRow* row = FindProductRow(kHidBodies, productId);
    if (!row) return true;
    for (const HidStep& step : row->steps) {
        if (!step.band.Contains(m_device.Firmware.Major, m_device.Firmware.Minor)) continue;
        std::array<int, 10> words{};
        for (int i = 0; i < step.count; ++i) {
            const int8_t source = step.words[static_cast<size_t>(i)];
            words[static_cast<size_t>(i)] = source == kFeatureWord ? m_working.GetFeatureWord()
                                            : source == kZero      ? 0
                                                                   : m_working.SettingWords[source];
        }
        if (!requests.Set(row->interfaceNumber, step.item,
                          std::span<const int>(words.data(), static_cast<size_t>(step.count)), step.reuseReport))
            return false;
    }
    return true;
}

bool BasicSettingsWriteBody::WriteKeys(int productId, const PsKeyWriter& writeKey)
{
    const bool switchKeys = ListHasProduct(kSwitchKeyProducts, productId) && m_device.CompareFirmwareVersion(4, 0) < 0;
    if (switchKeys) {
        if (m_working.IntercomVOX != m_device.IntercomVOX &&
            !WriteWordKey(writeKey, PsKeyVoxIntercom, m_working.IntercomVOX))
            return false;
        if (m_working.HandsfreeVOX != m_device.HandsfreeVOX &&
            !WriteWordKey(writeKey, PsKeyVoxPhone, m_working.HandsfreeVOX))
            return false;
        // Below 4.0 the EDR switch holds 1 for EDR on.
        if (m_working.EDR != m_device.EDR &&
            !writeKey(PsKeyLocalFeatures, LmpFeatureMask(productId, m_working.EDR != 0), kLmpFeatureMaskSize))
            return false;
        return true;
    }
    if (ListHasProduct(kSwitchKeyProducts, productId) || ListHasProduct(kFeatureWordProducts, productId)) {
        const int feature = m_working.GetFeatureWord() & 0xFFFF;
        if (feature == (m_device.GetFeatureWord() & 0xFFFF)) return true;
        const uint8_t configWord[4] = {static_cast<uint8_t>(feature & 0xFF), static_cast<uint8_t>(feature >> 8), 0, 0};
        if (!writeKey(PsKeyConfigWord, configWord, 4)) return false;
        // In the feature word the EDR bit means EDR off.
        return writeKey(PsKeyLocalFeatures, LmpFeatureMask(productId, (feature & kFeatureWordEdrBit) == 0),
                        kLmpFeatureMaskSize);
    }
    if (productId == kRadioProduct) {
        if (m_working.RadioTransmitGain != m_device.RadioTransmitGain &&
            !WriteWordKey(writeKey, PsKeyRadioTransmitGain, m_working.RadioTransmitGain))
            return false;
        if (m_working.AudioChannelTimeout != m_device.AudioChannelTimeout &&
            !WriteWordKey(writeKey, PsKeyAudioChannelTimeout, m_working.AudioChannelTimeout * kMillisecondsPerSecond))
            return false;
    }
    return true;
}
