#include "device/FirmwareVersionKey.h"

#include "device/ProductCatalogue.h"

bool DecodeFirmwareVersionKey(int productId, const uint8_t key[kFirmwareVersionKeyLength], VersionGroup& out)
{
    if (productId == kActionCameraProductId) {
        out = {key[3], key[2], key[1], key[0]};
        return true;
    }
    if (key[0] == 0)
        return false;
    out = FirmwareVersionFromValue(key[0]);
    out.SecondaryVersion = key[2];
    out.SecondaryType = key[3];
    return true;
}

VersionGroup FirmwareVersionFromValue(int value)
{
    VersionGroup v;
    v.Major = value / 10;
    v.Minor = value % 10;
    return v;
}

bool HasOldFirmwareVersionKey(int productId)
{
    return ProductTraitsOf(productId).Has(kOldFirmwareVersionKey);
}

int DefaultFirmwareVersionByProduct(int productId)
{
    return ProductTraitsOf(productId).defaultFirmware;
}

namespace {

// An older-key value that names a version of its own (3 never does).
bool IsOldKeyVersion(int value) { return value >= 4 && value <= 31; }

// The version value that always stays in key 0x02A4, whatever the older key says.
constexpr int kKeptNewKeyValue = 32;

}  // namespace

FirmwareVersionReading ReadFirmwareVersionKeys(int productId, const PsKeyReader& readKey)
{
    uint8_t key[kFirmwareVersionKeyLength] = {};
    const bool read = readKey(PsKeyFirmwareVersion, key, kFirmwareVersionKeyLength);

    FirmwareVersionReading reading;
    if (productId == kActionCameraProductId) {
        if (read)
            DecodeFirmwareVersionKey(productId, key, reading.Version);
        else
            reading.Version = {1, 0, 1, 0};
        return reading;
    }
    const bool decoded = read && DecodeFirmwareVersionKey(productId, key, reading.Version);
    if (!HasOldFirmwareVersionKey(productId)) {
        if (!decoded)
            reading.Version = FirmwareVersionFromValue(DefaultFirmwareVersionByProduct(productId));
        return reading;
    }

    uint8_t old[kFirmwareVersionKeyLength] = {};
    if (!readKey(PsKeyFirmwareVersionOld, old, kFirmwareVersionKeyLength)) {
        if (!decoded)
            reading.Version = FirmwareVersionFromValue(DefaultFirmwareVersionByProduct(productId));
        return reading;
    }
    const int oldValue = old[0];
    if (!decoded) {
        reading.Version = FirmwareVersionFromValue(oldValue);
        reading.ClearNewKey = IsOldKeyVersion(oldValue);
        return reading;
    }
    const int newValue = key[0];
    if (newValue != kKeptNewKeyValue && IsOldKeyVersion(oldValue)) {
        reading.Version = FirmwareVersionFromValue(oldValue);
        reading.ClearNewKey = true;
    } else {
        reading.Version = FirmwareVersionFromValue(newValue);
    }
    return reading;
}

VersionGroup ReadFirmwareVersion(int productId, const PsKeyReader& readKey)
{
    return ReadFirmwareVersionKeys(productId, readKey).Version;
}
