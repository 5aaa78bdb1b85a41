#include "settings/SettingsWriter.h"

#include <algorithm>
#include <cstring>

#include "app/AppState.h"
#include "device/FirmwareVersionKey.h"
#include "device/HidDevices.h"
#include "device/HidDiscovery.h"
#include "device/ProductCatalogue.h"
#include "dfu/DFUTransport.h"
#include "settings/HidSettingsProducts.h"

namespace {

constexpr uint16_t PsKeyProductId = 0x02A3;
constexpr int kPsKeyBufferSize = 512;
// A chip whose product-id key cannot be read counts as this product.
constexpr int kUnreadProductIdStandIn = kTkv8ProductId;
// The generic ids a BlueCore chip may be attached under.
// The one product that is written as two chips.

bool SameVersion(const VersionGroup& a, const VersionGroup& b)
{
    return CompareVersionEx(a.Major, a.Minor, a.SecondaryType, a.SecondaryVersion, b.Major, b.Minor, b.SecondaryType,
                            b.SecondaryVersion, 0) == 0;
}

// The recognition's discovery, asked for the caller's own handle pair.
HidHeadsetFinder RecognitionFinder(AppState& state)
{
    return [&state](int& productId, HANDLE& handle) {
        HidMainState main{state.hidHandle1, state.hidHandle2, state.targetProductId, state.deviceSettings};
        HANDLE pair[2] = {nullptr, nullptr};
        const int found = FindHidDevice(main, 0, &productId, pair);
        CloseHidHandle(pair[1]);
        handle = pair[0];
        if (found) return true;
        CloseHidHandle(handle);
        return false;
    };
}

// The attached headset is still the recognized one: its interface is found
// under the target product id, and the versions its interfaces report on the
// main window's handles are those of the record.
bool IsSameHidHeadset(AppState& state, HidSettingsFamily family, const HidHeadsetFinder& find)
{
    int productId = 0;
    HANDLE found = nullptr;
    const bool present = find(productId, found);
    // The handle only proved that the headset is there.
    CloseHidHandle(found);
    if (!present || productId != state.targetProductId) return false;

    const DeviceSettings& record = state.deviceSettings;
    switch (family) {
    case HidSettingsFamily::TwoInterfaces:
        return SameVersion(QueryInterfaceVersion(&state.hidHandle1), record.FirstInterface) &&
               SameVersion(QueryInterfaceVersion(&state.hidHandle2), record.SecondInterface);
    case HidSettingsFamily::Single3110:
        return SameVersion(QueryInterfaceVersion(&state.hidHandle1), record.FirstInterface);
    default: return SameVersion(QueryInterfaceVersion(&state.hidHandle1), record.Firmware);
    }
}

SettingsWriteOutcome WriteOverHid(AppState& state, HidSettingsFamily family, SettingsWriteBody& body,
                                  const HidHeadsetFinder& find)
{
    if (!IsSameHidHeadset(state, family, find ? find : RecognitionFinder(state)))
        return SettingsWriteOutcome::NotSameDevice;
    const int productId = state.targetProductId;
    HidSettingsRequests requests(&state.hidHandle1, &state.hidHandle2, body.WantsApply(productId));
    const bool written = body.WriteHid(productId, requests);
    return written && !requests.Failed() ? SettingsWriteOutcome::Written : SettingsWriteOutcome::WriteFailed;
}

// The USB scan shows the product under which the headset was recognized (two
// of it for the two-chip product).
bool UsbScanShowsHeadset(const AppState& state)
{
    int ids[2] = {};
    const int count = EnumerateUsbProducts(ids, 2);
    if (state.targetProductId == kTwoChipHeadsetProductId)
        return count >= 2 && ids[0] == state.usbStatus && ids[1] == state.usbStatus;
    return count >= 1 && ids[0] == state.usbStatus;
}

bool IsMakerChipPath(int vendorId, int productId)
{
    return vendorId == kMakerVendorId && (productId == kGenericChipProductId ||
                                          productId == kUnconnectedChipProductId || IsKnownUsbProductId(productId));
}

// A connected chip holds the record's product id and firmware version.
bool IsSameChip(DFUTransportCOM& chip, const DeviceSettings& record)
{
    const PsKeyReader readKey = [&chip](uint16_t key, uint8_t* buffer, int length) {
        return static_cast<bool>(chip.BCCMDGetPS(key, buffer, static_cast<uint16_t>(length), nullptr));
    };
    uint8_t idKey[2] = {};
    const int productId = readKey(PsKeyProductId, idKey, 2) ? (idKey[0] | (idKey[1] << 8)) : kUnreadProductIdStandIn;
    if (productId != record.ProductId) return false;
    const VersionGroup version = ReadFirmwareVersion(productId, readKey);
    return record.CompareFirmwareVersionEx(version.Major, version.Minor, version.SecondaryType,
                                           version.SecondaryVersion) == 0;
}

// Stops the DFU library on every way out of the device loop.
struct DfuSession {
    DfuSession() { DFUTransportUSB::init(); }
    ~DfuSession() { DFUTransportUSB::deinit(); }
    DfuSession(const DfuSession&) = delete;
    DfuSession& operator=(const DfuSession&) = delete;
};

SettingsWriteOutcome WriteOverPersistentStore(AppState& state, SettingsWriteBody& body)
{
    if (!UsbScanShowsHeadset(state)) return SettingsWriteOutcome::NotSameDevice;

    DfuSession session;
    CStringListX devices;
    DFURequestsUSB::EnumerateDevices(devices);
    DFUTransportCOM chip;
    const int limit = state.targetProductId == kTwoChipHeadsetProductId ? 2 : 1;
    int matching = 0;
    int written = 0;
    for (CStringListX::Position position = devices.GetHeadPosition(); static_cast<CStringX*>(position);) {
        const CStringX& name = devices.GetNext(position);
        int vendorId = 0;
        int productId = 0;
        ParseDevicePathIds(DFUTransportUSB::PathInternal(name).GetBuffer(), &vendorId, &productId);
        if (!IsMakerChipPath(vendorId, productId)) continue;
        // One chip is written (two for the two-chip product); a further one ends the write.
        if (++matching > limit) break;
        if (productId == kUnconnectedChipProductId) continue;
        if (!DFURequestsUSB::ConnectDevice(name, chip)) continue;
        if (!IsSameChip(chip, state.deviceSettings)) return SettingsWriteOutcome::NotSameDevice;

        const PsKeyWriter writeKey = [&chip](uint16_t key, const uint8_t* data, int length) {
            uint8_t buffer[kPsKeyBufferSize] = {};
            if (length < 0 || length > kPsKeyBufferSize) return false;
            std::memcpy(buffer, data, static_cast<size_t>(length));
            return static_cast<bool>(chip.BCCMDSetPS(key, buffer, static_cast<uint16_t>(length)));
        };
        if (!body.WriteKeys(state.targetProductId, writeKey)) return SettingsWriteOutcome::WriteFailed;
        ++written;
    }
    // A list in which no chip passed the check wrote nothing: that is no success.
    return written > 0 ? SettingsWriteOutcome::Written : SettingsWriteOutcome::NotSameDevice;
}

}  // namespace

HidSettingsRequests::HidSettingsRequests(HANDLE* firstInterface, HANDLE* secondInterface, bool withApply)
    : m_interfaces{firstInterface, secondInterface}, m_withApply(withApply)
{
}

bool HidSettingsRequests::Set(int interfaceNumber, uint8_t item, std::span<const int> words, bool reuseReport)
{
    if (m_failed) return false;
    const size_t count = std::min<size_t>(words.size(), kHidRequestMaxWords);
    if (!reuseReport) std::fill(std::begin(m_report) + 2, std::end(m_report), uint8_t{0});
    m_report[0] = kHidReportId;
    m_report[1] = kHidGroupSet;
    m_report[2] = item;
    m_report[3] = static_cast<uint8_t>(count);
    for (size_t i = 0; i < count; ++i) {
        const uint16_t word = static_cast<uint16_t>(words[i]);
        std::memcpy(m_report + 4 + 2 * i, &word, sizeof word);
    }
    SwapRequestWords(m_report);
    HANDLE* device = m_interfaces[interfaceNumber == 2 ? 1 : 0];
    if (!Send(device)) return false;
    if (!m_withApply) return true;
    // The same report again as the apply request: its words swap back to low byte first.
    m_report[1] = kHidGroupApply;
    m_report[2] = item;
    SwapRequestWords(m_report);
    return Send(device);
}

bool HidSettingsRequests::Send(HANDLE* device)
{
    uint8_t reply[kHidReplySize] = {};
    if (!HidTransact(device, m_report, reply)) m_failed = true;
    return !m_failed;
}

VersionGroup QueryInterfaceVersion(HANDLE* device)
{
    uint8_t request[kHidRequestSize] = {};
    uint8_t reply[kHidReplySize] = {};
    request[0] = kHidReportId;
    request[1] = kHidGroupInformation;
    if (!HidTransact(device, request, reply)) return {1, 0, 0, 0, 0};
    return {reply[3], reply[4], reply[5], reply[6], 0};
}

SettingsWriteOutcome WriteSettingsToHeadset(AppState& state, SettingsWriteBody& body,
                                            const HidHeadsetFinder& findHeadset)
{
    const HidSettingsFamily family = HidSettingsFamilyOf(state.targetProductId);
    if (family != HidSettingsFamily::None) return WriteOverHid(state, family, body, findHeadset);
    return WriteOverPersistentStore(state, body);
}
