#include "settings/BasicSettingsBody.h"

#include <array>

#include "device/ProductCatalogue.h"
#include "device/Recognition.h"

namespace {

using F = SettingsFamily;

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
    SettingsFamilies Families;
    int interfaceNumber;
    std::span<const HidStep> steps;
};

const HidBodyRow kHidBodies[] = {
    {{F::V40}, 2, kSteps4210},
    {{F::Vantor}, 2, kStepsTenWords},
    {{F::V60}, 1, kSteps3110},
    {{F::Kr5, F::VantorMini}, 1, kStepsFeatureVox},
    {{F::Kc5}, 1, kSteps5510},
    {{F::Lvra}, 1, kSteps5622},
    {{F::Lvr7}, 1, kSteps5623},
    {{F::M7xHelm, F::Ks5, F::Feral, F::Grittalk, F::ThunderKr5, F::Z9, F::M7xpad, F::Ostrel},
     1,
     kStepsFeature},
    {{F::Yt1, F::Yt2}, 1, kSteps5410},
    {{F::Nq3}, 1, kSteps6020},
    {{F::Nq1, F::Nq5r}, 1, kSteps6010},
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
struct EdrMasks {
    uint8_t edrOn[kLmpFeatureMaskSize];
    uint8_t edrOff[kLmpFeatureMaskSize];
};
constexpr EdrMasks kStandardMasks = {{0xFF, 0xFE, 0x8F, 0x7E, 0x98, 0xFF, 0x59, 0x83},
                                     {0xFF, 0xFE, 0x8F, 0x78, 0x18, 0x1E, 0x59, 0x83}};
// The models with kOwnEdrMasks.
constexpr EdrMasks kOwnMasks = {{0xFF, 0xFE, 0x8F, 0xFE, 0x98, 0xFF, 0x59, 0x83},
                                {0xFF, 0xFE, 0x8F, 0xF8, 0x18, 0x1E, 0x59, 0x83}};

// The BlueCore headsets that keep the VOX switches and EDR in keys of their
// own below firmware 4.0, and the feature word from 4.0.
constexpr SettingsFamilies kSwitchKeyFamilies = {F::Tkv8, F::Tkv8n, F::Wpr6t, F::Wpr6kFm};
// The BlueCore headsets that keep the feature word at any firmware.
constexpr SettingsFamilies kFeatureWordFamilies = {F::Polylink, F::Frostline, F::QLinq, F::Verra, F::Widen,
                                                   F::Bqr6,     F::Tkv3,      F::Tkv3Fm, F::Tkv3Kx, F::Tkv2};
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
    const EdrMasks& masks = ProductTraitsOf(productId).Has(kOwnEdrMasks) ? kOwnMasks : kStandardMasks;
    return edrOn ? masks.edrOn : masks.edrOff;
}

bool BasicSettingsWriteBody::WriteHid(int productId, HidSettingsRequests& requests)
{
    const HidBodyRow* row = FindFamilyRow(kHidBodies, productId);
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
    const SettingsFamily family = SettingsFamilyOf(productId);
    const bool switchKeys = kSwitchKeyFamilies.Has(family) && m_device.CompareFirmwareVersion(4, 0) < 0;
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
    if (kSwitchKeyFamilies.Has(family) || kFeatureWordFamilies.Has(family)) {
        const int feature = m_working.GetFeatureWord() & 0xFFFF;
        if (feature == (m_device.GetFeatureWord() & 0xFFFF)) return true;
        const uint8_t configWord[4] = {static_cast<uint8_t>(feature & 0xFF), static_cast<uint8_t>(feature >> 8), 0, 0};
        if (!writeKey(PsKeyConfigWord, configWord, 4)) return false;
        // In the feature word the EDR bit means EDR off.
        return writeKey(PsKeyLocalFeatures, LmpFeatureMask(productId, (feature & kFeatureWordEdrBit) == 0),
                        kLmpFeatureMaskSize);
    }
    if (family == F::Gzr6) {
        if (m_working.RadioTransmitGain != m_device.RadioTransmitGain &&
            !WriteWordKey(writeKey, PsKeyRadioTransmitGain, m_working.RadioTransmitGain))
            return false;
        if (m_working.AudioChannelTimeout != m_device.AudioChannelTimeout &&
            !WriteWordKey(writeKey, PsKeyAudioChannelTimeout, m_working.AudioChannelTimeout * kMillisecondsPerSecond))
            return false;
    }
    return true;
}
