// The recognition pass: finds the headset over HID or through the chip
// vendor's DFU library, identifies its model and firmware, reads its settings
// and, after a firmware update, writes the settings kept from before it back.
//
// Window-free: the pass is given the main window's handles and target product
// and returns what it found; the recognition page shows the outcome. The HID
// road is RecognitionHid.*, the persistent-store road RecognitionStore.*.
#pragma once

#include <windows.h>

#include "device/DeviceSettings.h"
#include "device/ProductCatalogue.h"

// The outcome codes of a pass.
enum class RecognitionOutcome : int {
    NormalMode = 0,           // recognized; the headset runs its normal firmware
    UpdateMode = 1,           // recognized in (or due for) firmware-update mode
    NothingFound = 2,         // "Cannot open USB"
    OtherFamily = 3,          // a headset of another model family than the target
    Activated = 4,            // the maker's USB identity was written; reconnect
    FewerInterfaces = 5,      // fewer USB interfaces of the maker than expected
    MoreInterfaces = 6,       // more of them than expected
    FewerLibraryDevices = 7,  // the DFU library listed fewer than the system
    MoreLibraryDevices = 8,   // it listed more than the system, or than the model has
    OddInterfaces = 9,        // normal and update-mode interfaces do not match the devices
    NoCameraDrive = 10,       // the action camera without "lumen.bin" on a removable drive
};

// Outcomes 0 and 1: a headset was recognized.
constexpr bool IsRecognized(RecognitionOutcome outcome)
{
    return outcome == RecognitionOutcome::NormalMode || outcome == RecognitionOutcome::UpdateMode;
}
// The outcomes after which an automatic pass hands over to the user with a
// posted NEXT: nothing found and the four count failures.
bool RecognitionAsksForRetry(RecognitionOutcome outcome);

// The main-window members the pass reads and writes in place: the HID handles
// (opened by the HID finder, closed by the USB road) and the target product
// (set by both roads).
struct RecognitionHost {
    HANDLE& hidHandle1;
    HANDLE& hidHandle2;
    int& targetProductId;
};

// What a pass found; the page applies it to the main window when the outcome
// is 0 or 1.
struct RecognitionResult {
    RecognitionOutcome outcome = RecognitionOutcome::NothingFound;
    bool overHid = false;
    DeviceSettings settings;
    // The product id under which the headset is attached (bit 15: update mode).
    int usbStatus = 0;
    int sectionCount = 0;
    int sectionKinds[kMaxSettingSections] = {};
    int currentSection = 0;
    // Variant byte of a 0x4210 headset (item 5), -1 when not read.
    int hidVariant = -1;
};

// One pass: the HID finder, else the USB road with its count checks. saved is
// the record to write back (after a firmware update), or null; it is written
// only to a headset of its own product id.
RecognitionResult RunRecognitionPass(RecognitionHost& host, const DeviceSettings* saved);

// What the USB road counted, for the count checks.
struct UsbScanCounts {
    int libraryCount = 0;      // matching devices of the DFU library's list
    int connectedCount = 0;    // of those, the ones that connected
    int unconnectedCount = 0;  // and the ones that did not
    int systemCount = 0;       // the maker's known devices in the system's list
    int systemIds[2] = {};     // the first two of their product ids
    bool twoUnitMismatch = false;
};
// The count checks after a USB road that recognized a headset of the product:
// the outcome they leave (the given one when all counts agree).
RecognitionOutcome CheckDeviceCounts(const UsbScanCounts& counts, int productId, RecognitionOutcome outcome);

// The device name a HID headset gets when it gives none: the model's name for
// the HID products, empty for any other id.
CString DefaultDeviceName(int productId);
// True for the products the HID road knows (those with a default name); their
// product id becomes the USB status word.
bool IsHidRecognitionProduct(int productId);

// The FM block as the headsets hold it: magic word, current frequency,
// current preset, the presets (ten, or six in the eleven-word variant), RDS
// flag, region.
inline constexpr int kFmBlockWordCount = 15;
inline constexpr int kFmBlockWordCountEleven = 11;
inline constexpr int kFmElevenWordPresets = 6;
// Stores the first `count` words of a block with `presets` presets into the
// record's FM fields; the fields after them keep their values.
void SetFmBlockFromWords(DeviceSettings& s, const int* words, int count, int presets);
// The record's block with the given magic word; returns its word count.
int FmBlockWords(const DeviceSettings& s, int magic, int presets, uint16_t words[kFmBlockWordCount]);

// A firmware band: from one version (included) to below another. The default
// band holds every version.
struct VersionBand {
    int FromMajor = 0;
    int FromMinor = 0;
    int BelowMajor = 0x7FFF;
    int BelowMinor = 0;
    bool Contains(int major, int minor) const
    {
        return CompareVersion(major, minor, FromMajor, FromMinor) >= 0 &&
               CompareVersion(major, minor, BelowMajor, BelowMinor) < 0;
    }
};
constexpr VersionBand kAnyVersion{};
constexpr VersionBand Below(int major, int minor) { return {0, 0, major, minor}; }
constexpr VersionBand From(int major, int minor) { return {major, minor, 0x7FFF, 0}; }
constexpr VersionBand Between(int fromMajor, int fromMinor, int belowMajor, int belowMinor)
{
    return {fromMajor, fromMinor, belowMajor, belowMinor};
}
