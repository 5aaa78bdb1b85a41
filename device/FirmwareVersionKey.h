// The firmware version of a BlueCore headset as its persistent store holds it.
//
// Key 0x02A4 (4 bytes): byte 0 = 10 * major + minor, byte 2 = secondary
// version, byte 3 = secondary type. The action camera (0x3020) keeps major,
// minor, secondary type and secondary version in bytes 3, 2, 1 and 0.
// Products 0x4D10, 0x4D30 and 0x4D40 also have the older key 0x0293, whose
// byte 0 is read like byte 0 of 0x02A4.
//
// Recognition, the settings writer and the firmware update all decode the key
// here.
#pragma once

#include <cstdint>
#include <functional>

#include "device/DeviceSettings.h"

inline constexpr uint16_t PsKeyFirmwareVersion = 0x02A4;
inline constexpr uint16_t PsKeyFirmwareVersionOld = 0x0293;
inline constexpr int kFirmwareVersionKeyLength = 4;

// Decodes the four bytes of key 0x02A4 read from a headset of the product.
// False when the key holds no version (byte 0 is 0 on any product but the
// camera); out is then left alone.
bool DecodeFirmwareVersionKey(int productId, const uint8_t key[kFirmwareVersionKeyLength], VersionGroup& out);

// Major and minor of a version value 10 * major + minor; the other parts 0.
VersionGroup FirmwareVersionFromValue(int value);

// 1 for the products that keep the older version key 0x0293.
bool HasOldFirmwareVersionKey(int productId);

// The version value (10 * major + minor) assumed when the keys give none; 0
// for a product without a default.
int DefaultFirmwareVersionByProduct(int productId);

// Reads one persistent-store key of the connected chip into buffer; false when
// the read fails.
using PsKeyReader = std::function<bool(uint16_t key, uint8_t* buffer, int length)>;

// The headset's firmware version as recognition, the settings writer and the
// firmware update all read it, so that all three reach the same version for
// the same chip. Key 0x02A4 holds it; on the products with the older key
// 0x0293, a readable older key decides:
// - 0x02A4 holds a version V: the secondary parts are 0, and the older value
//   L (4 to 31) replaces V unless V is 32; such a chip's 0x02A4 is stale;
// - 0x02A4 is unreadable or empty: the version is L (a chip whose L lies in 4
//   to 31 has a stale 0x02A4 too), or the product's default when 0x0293
//   cannot be read either.
// Any other product without a version in 0x02A4 gets its default. The
// camera's version is 1.0.1.0 when the key cannot be read.
struct FirmwareVersionReading {
    VersionGroup Version;
    // True when key 0x02A4 is stale and recognition clears it (four zero
    // bytes); reading alone never writes.
    bool ClearNewKey = false;
};
FirmwareVersionReading ReadFirmwareVersionKeys(int productId, const PsKeyReader& readKey);
// The version of ReadFirmwareVersionKeys.
VersionGroup ReadFirmwareVersion(int productId, const PsKeyReader& readKey);
