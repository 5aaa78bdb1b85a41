// The product catalogue: model names by product id, the USB product ids the
// USB scan accepts, the setting sections a product offers, and the sibling ids
// that count as the same device.
#pragma once

#include <array>

#include "framework/CString.h"

// The maker's USB vendor id.
inline constexpr int kMakerVendorId = 0x3E1F;

// Bit 15 of a product id: the same model in firmware-update mode. A USB status
// word with it set means the headset is attached in update mode.
inline constexpr int kUpdateModeBit = 0x8000;
constexpr bool IsUpdateModeStatus(int usbStatus) { return usbStatus >= kUpdateModeBit; }

// Products that the code treats apart by name.
inline constexpr int kActionCameraProductId = 0x3020;     // four-part version, camera package
inline constexpr int kTwoChipHeadsetProductId = 0x5310;   // two BlueCore units written one after the other
inline constexpr int kCombinedChipProductId = 0x5345;     // Bluetooth chip and microcontroller
inline constexpr int kCombinedChipDfuProductId = 0xD340;  // its Bluetooth chip in update mode
// The generic ids a BlueCore chip may be attached under before its USB
// identity is written, and when it cannot be connected.
inline constexpr int kGenericChipProductId = 0x0001;
inline constexpr int kUnconnectedChipProductId = 0xFFFF;

// The display name (fileNameForm 0) or the file-name form (non-zero) of a
// model; empty for an id missing from the catalogue. Give the id with bit 15
// clear.
CString* GetModelName(CString* out, int productId, int fileNameForm);
CString GetModelName(int productId, int fileNameForm);

// The 70 product ids of the maker's vendor id that the USB scans accept: the
// generic ids 0x0001 and 0xFFFF and each listed model with its update-mode twin.
inline constexpr int kKnownUsbProductIdCount = 70;
extern const std::array<int, kKnownUsbProductIdCount> KnownUsbProductIds;
bool IsKnownUsbProductId(int productId);

// Reads the vendor and product id from a USB hardware id or device path
// ("...VID_3E1F&PID_4D10..."); the text is compared without regard to case.
// False when "VID_" or "PID_" is missing.
bool ParseUsbVendorProduct(const char* text, int* vendorId, int* productId);

// Reads the vendor and product id from a device path of the DFU library:
// "VID_" after the path's first character, then "PID_" after it, each
// followed by at most four hexadecimal digits (reading stops at the first
// other character). Compared without regard to case; false when a tag is
// missing.
bool ParseDevicePathIds(const char* path, int* vendorId, int* productId);
// The same for a path as the DFU library gives it (wide; its paths are ASCII).
bool ParseDevicePathIds(const wchar_t* path, int* vendorId, int* productId);

// The USB scan: stores the product ids (bit 15 included) of the present
// devices of the maker that are known, at most capacity of them, and returns
// how many there are (which may exceed capacity); 0 when the device list
// cannot be obtained.
int EnumerateUsbProducts(int ids[], int capacity);

// Setting sections: kinds 1 basic settings, 2 speed dial, 3 FM radio.
inline constexpr int kSectionBasic = 1;
inline constexpr int kSectionSpeedDial = 2;
inline constexpr int kSectionFmRadio = 3;
inline constexpr int kMaxSettingSections = 3;

void ClearSettingSections(int* count, int kinds[kMaxSettingSections], int* current);
// The sections of a product at a firmware version; current is 0 afterwards.
void BuildSettingSections(int productId, int major, int minor, int* count, int kinds[kMaxSettingSections],
                          int* current);

// 1 when productId is the target or one of the target's sibling ids. The
// relation is one-way: a sibling as target does not accept its base id.
int IsSameDeviceFamily(int targetProductId, int productId);
