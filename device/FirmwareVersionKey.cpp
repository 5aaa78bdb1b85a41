#include "device/FirmwareVersionKey.h"
#include "device/ProductCatalogue.h"

#include "device/ProductIdList.h"

namespace {


struct DefaultVersionRow {
    ProductIdList<23> Ids;
    int Value;
};

const DefaultVersionRow kDefaultVersions[] = {
    {{0x4D10}, 30},
    {{0x4D30}, 42},
    {{0x4D40}, 43},
    {{0x4D20, 0x5060, 0x5070, 0x5080, 0x5040, 0x5050}, 42},
    {{0x4D50}, 50},
    {{0x4D35, 0x4D15, 0x4D45, 0x2011, 0x2210}, 12},
    {{0x4D55, 0x4D65}, 20},
    {{0x5010}, 32},
    {{0x5061}, 52},
    {{0x5020}, 33},
    {{0x5030}, 41},
    {{0x4040, 0x2020, 0x6110, 0x6111, 0x6120, 0x6121, 0x4D05, 0x4D85, 0x4020, 0x4021, 0x2310, 0x2010, 0x2110,
      0x4030, 0x4010, 0x5011, 0x4D75, 0x5210, 0x5310, 0x4110, 0x4111, 0x3010, 0x4120},
     10},
};

}  // namespace

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
    return productId == 0x4D10 || productId == 0x4D30 || productId == 0x4D40;
}

int DefaultFirmwareVersionByProduct(int productId)
{
    const DefaultVersionRow* row = FindProductRow(kDefaultVersions, productId);
    return row ? row->Value : 0;
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
