#include "device/Recognition.h"
#include "device/ProductCatalogue.h"

#include "device/HidDevices.h"
#include "device/HidDiscovery.h"
#include "device/RecognitionHid.h"
#include "device/RecognitionStore.h"

namespace {


// A system interface in normal mode has a product id from 1 to 0x7FFF.
bool IsNormalModeId(int productId) { return productId >= 1 && productId < kUpdateModeBit; }

}  // namespace

bool RecognitionAsksForRetry(RecognitionOutcome outcome)
{
    switch (outcome) {
    case RecognitionOutcome::NothingFound:
    case RecognitionOutcome::FewerInterfaces:
    case RecognitionOutcome::MoreInterfaces:
    case RecognitionOutcome::FewerLibraryDevices:
    case RecognitionOutcome::MoreLibraryDevices:
    case RecognitionOutcome::OddInterfaces: return true;
    default: return false;
    }
}

bool IsHidRecognitionProduct(int productId) { return ProductTraitsOf(productId).Has(kHidConnected); }

CString DefaultDeviceName(int productId)
{
    return IsHidRecognitionProduct(productId) ? GetModelName(productId, 0) : CString();
}

RecognitionOutcome CheckDeviceCounts(const UsbScanCounts& counts, int productId, RecognitionOutcome outcome)
{
    const int expected = productId == kTwoChipHeadsetProductId ? 2 : 1;
    if (counts.systemCount < expected) return RecognitionOutcome::FewerInterfaces;
    if (counts.systemCount > expected) return RecognitionOutcome::MoreInterfaces;
    int normalMode = 0;
    int updateMode = 0;
    for (int i = 0; i < expected; ++i) ++(IsNormalModeId(counts.systemIds[i]) ? normalMode : updateMode);
    if (counts.systemCount < counts.libraryCount) return RecognitionOutcome::MoreLibraryDevices;
    if (counts.libraryCount < counts.systemCount) return RecognitionOutcome::FewerLibraryDevices;
    if (!counts.twoUnitMismatch && (normalMode != counts.connectedCount || updateMode != counts.unconnectedCount))
        return RecognitionOutcome::OddInterfaces;
    return outcome;
}

RecognitionResult RunRecognitionPass(RecognitionHost& host, const DeviceSettings* saved)
{
    RecognitionResult result;
    // A search starts with both slots cleared; what they held is closed first.
    CloseHidHandle(host.hidHandle1);
    CloseHidHandle(host.hidHandle2);
    HidMainState hid{host.hidHandle1, host.hidHandle2, host.targetProductId, result.settings};
    if (FindHidDevice(hid, 1, nullptr, nullptr)) {
        RecognizeOverHid(host.targetProductId, host.hidHandle1, host.hidHandle2, saved, result);
    } else {
        UsbScanCounts counts;
        RecognizeOverStore(host, saved, result, counts);
        if (IsRecognized(result.outcome))
            result.outcome = CheckDeviceCounts(counts, host.targetProductId, result.outcome);
    }
    if (IsRecognized(result.outcome)) {
        const VersionGroup& firmware = result.settings.Firmware;
        BuildSettingSections(result.settings.ProductId, firmware.Major, firmware.Minor, &result.sectionCount,
                             result.sectionKinds, &result.currentSection);
    }
    return result;
}

void SetFmBlockFromWords(DeviceSettings& s, const int* words, int count, int presets)
{
    presets = presets < 0 ? 0 : (presets > kFmPresetCount ? kFmPresetCount : presets);
    int* fields[kFmBlockWordCount] = {&s.FmMagic, &s.FmCurrentFrequency, &s.FmCurrentPreset};
    int n = 3;
    for (int i = 0; i < presets; ++i) fields[n++] = &s.FmPresets[i];
    fields[n++] = &s.FmRds;
    fields[n++] = &s.FmRegion;
    for (int i = 0; i < count && i < n; ++i) *fields[i] = words[i];
}

int FmBlockWords(const DeviceSettings& s, int magic, int presets, uint16_t words[kFmBlockWordCount])
{
    presets = presets < 0 ? 0 : (presets > kFmPresetCount ? kFmPresetCount : presets);
    int n = 0;
    words[n++] = static_cast<uint16_t>(magic);
    words[n++] = static_cast<uint16_t>(s.FmCurrentFrequency);
    words[n++] = static_cast<uint16_t>(s.FmCurrentPreset);
    for (int i = 0; i < presets; ++i) words[n++] = static_cast<uint16_t>(s.FmPresets[i]);
    words[n++] = static_cast<uint16_t>(s.FmRds);
    words[n++] = static_cast<uint16_t>(s.FmRegion);
    return n;
}
