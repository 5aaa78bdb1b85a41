// The write of a settings page to the headset, window-free: the same-device
// check that proves the attached headset is still the recognized one (over HID
// or over the persistent store of a BlueCore chip) and the page's body, the
// set requests or keys that carry its settings. Each settings page gives its
// body; the page shows the outcome (settings/SettingsPage.*).
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <span>

#include "device/DeviceSettings.h"
#include "device/HidTransport.h"
#include "settings/HidSettingsProducts.h"

struct AppState;

enum class SettingsWriteOutcome {
    Written,        // the check passed and the headset took every request or key
    NotSameDevice,  // no headset, another headset or another firmware version
    WriteFailed,    // the headset refused a request or a key
};

// The set requests of one write, each followed by its apply request on the
// headsets that want one. A set request carries its words high byte first;
// the apply request repeats the item and count with the words low byte first.
// After the first failure nothing more is sent.
class HidSettingsRequests {
public:
    HidSettingsRequests(HANDLE* firstInterface, HANDLE* secondInterface, bool withApply);

    // A set request of the item with the words, on interface 1 or 2. It starts
    // from a cleared report unless reuseReport, which leaves what the previous
    // request put beyond the new words. False when it or its apply failed, now
    // or before.
    bool Set(int interfaceNumber, uint8_t item, std::span<const int> words, bool reuseReport = false);
    bool Failed() const { return m_failed; }

private:
    bool Send(HANDLE* device);

    HANDLE* m_interfaces[2];
    bool m_withApply;
    bool m_failed = false;
    uint8_t m_report[kHidRequestSize] = {};
};

// Writes one persistent-store key of the connected chip (length in bytes,
// 16-bit values low byte first); false when the chip refuses it.
using PsKeyWriter = std::function<bool(uint16_t key, const uint8_t* data, int length)>;

// What a settings page writes, over either transport.
class SettingsWriteBody {
public:
    virtual ~SettingsWriteBody() = default;
    // The requests for a HID headset of the product; false at the first failure.
    virtual bool WriteHid(int productId, HidSettingsRequests& requests) = 0;
    // The keys for one BlueCore chip of the product; false at the first key
    // the chip refuses.
    virtual bool WriteKeys(int productId, const PsKeyWriter& writeKey) = 0;
    // Whether the body's set requests are followed by apply requests on a
    // product: on the headsets that want them, unless the body says otherwise.
    virtual bool WantsApply(int productId) const { return HidSettingsWantApply(productId); }
};

// Finds the headset's HID interface without touching the main window's
// handles: the product id it reports and a handle the caller closes. False
// when there is none.
using HidHeadsetFinder = std::function<bool(int& productId, HANDLE& handle)>;

// The write: by the state's targetProductId over HID (the headset is found by
// findHeadset, by default the discovery of recognition, and its interfaces'
// versions must be the record's; the body goes out on the state's two handles)
// or over the persistent store (the USB scan must show the attached product;
// the first matching chip of the DFU library's list, the first two for
// 0x5310, must hold the record's product id and firmware version, and gets
// the body). At least one chip must pass the check. Nothing of the state
// changes but what the HID exchange does to its handles.
SettingsWriteOutcome WriteSettingsToHeadset(AppState& state, SettingsWriteBody& body,
                                            const HidHeadsetFinder& findHeadset = nullptr);

// The version an interface reports to the information request: major, minor,
// secondary type and secondary version; 1.0.0.0 when the exchange fails.
VersionGroup QueryInterfaceVersion(HANDLE* device);
