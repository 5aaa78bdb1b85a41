#include "firmware/DfuRoad.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "device/FirmwareVersionKey.h"
#include "device/HidAddress.h"
#include "device/HidDevices.h"
#include "device/HidDiscovery.h"
#include "device/ProductCatalogue.h"
#include "framework/Clock.h"
#include "firmware/FirmwarePackage.h"
#include "firmware/UpdateMessages.h"
#include "framework/File.h"

namespace {

// Persistent-store keys of the road, with the lengths the chip is asked for.
constexpr uint16_t kKeyAddress = 0x0001;            // 8 bytes
constexpr uint16_t kKeyLocalFeatures = 0x00EF;      // 8 bytes
constexpr uint16_t kKeyVoxIntercom = 0x0298;        // 2 bytes, firmware below 4.0
constexpr uint16_t kKeyVoxPhone = 0x0299;           // 2 bytes, firmware below 4.0
constexpr uint16_t kKeyProductId = 0x02A3;          // 2 bytes
constexpr uint16_t kKeyUsbProductId = 0x02BF;       // 2 bytes
constexpr uint16_t kKeyUsbProductName = 0x02C2;     // 32 bytes, UTF-16
constexpr uint16_t kKeyUsbUpdateProductId = 0x02CB; // 2 bytes

// The link-manager feature mask with EDR on, as the settings writer sets it.
constexpr uint8_t kEdrOnFeatureMask[8] = {0xFF, 0xFE, 0x8F, 0x7E, 0x98, 0xFF, 0x59, 0x83};
constexpr int kUsbProductNameBytes = 32;

// What a headset's identity check reads of a firmware file.
constexpr size_t kCheckedFileBytes = 1648;
constexpr size_t kIdentityOffset = 16;

// When the server's version is offered, by the target and the recorded
// secondary type; the first matching row decides (0 matches any target, -1 any
// type). D compares the recorded major.minor with the offered one, R and O are
// the recorded and the offered secondary versions.
enum class OfferRule {
    SameOrNewer,          // D <= 0
    NewerOrLaterSecondary,  // D < 0, or D = 0 and R < O
    NewerOrAnySecondary,  // D < 0, or D = 0 and O > 0
};
struct OfferRow {
    int Target;
    int SecondaryType;
    OfferRule Rule;
};
constexpr int kAny = -1;
const OfferRow kOfferRows[] = {
    {kV60ProductId, 1, OfferRule::SameOrNewer},
    {kV60ProductId, 2, OfferRule::NewerOrLaterSecondary},
    {kV60ProductId, kAny, OfferRule::NewerOrAnySecondary},
    {0, 1, OfferRule::SameOrNewer},
    {0, kAny, OfferRule::NewerOrLaterSecondary},
};

DfuRoadResult Failure(DfuRoadOutcome outcome, const CString& tag, int error)
{
    DfuRoadResult result;
    result.outcome = outcome;
    result.tag = tag;
    result.error = error;
    return result;
}

bool ReadKey(DFUTransportCOM& transport, uint16_t key, uint8_t* buffer, int length)
{
    return static_cast<bool>(transport.BCCMDGetPS(key, buffer, static_cast<uint16_t>(length), nullptr));
}

bool WriteKey(DFUTransportCOM& transport, uint16_t key, const uint8_t* data, int length)
{
    return static_cast<bool>(transport.BCCMDSetPS(key, data, static_cast<uint16_t>(length)));
}

bool WriteWordKey(DFUTransportCOM& transport, uint16_t key, int value)
{
    const uint8_t word[2] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
    return WriteKey(transport, key, word, 2);
}

// The product id and firmware version a connected chip holds.
struct ChipIdentity {
    int productId = 0;
    VersionGroup firmware;
};

// The firmware version a connected chip holds, read as a chip of the product.
VersionGroup ReadChipFirmware(DFUTransportCOM& transport, int productId)
{
    return ReadFirmwareVersion(productId, [&](uint16_t key, uint8_t* buffer, int length) {
        return ReadKey(transport, key, buffer, length);
    });
}

ChipIdentity ReadChipIdentity(DFUTransportCOM& transport)
{
    ChipIdentity identity;
    uint8_t word[2] = {};
    identity.productId = ReadKey(transport, kKeyProductId, word, 2) ? word[0] | (word[1] << 8) : kTkv8ProductId;
    identity.firmware = ReadChipFirmware(transport, identity.productId);
    return identity;
}

bool IsRecognized(const ChipIdentity& identity, const DeviceSettings& recorded)
{
    const VersionGroup& v = identity.firmware;
    return identity.productId == recorded.ProductId &&
           recorded.CompareFirmwareVersionEx(v.Major, v.Minor, v.SecondaryType, v.SecondaryVersion) == 0;
}

// A 0x5060 of the 0x5011 batch that the file check has just turned into a
// 0x5011 (TakeVariantFile): still the recognized headset, its firmware read as
// the model it was recognized as.
bool IsConvertedBatchUnit(DFUTransportCOM& transport, const ChipIdentity& identity, const DeviceSettings& recorded)
{
    if (recorded.ProductId != kTmWpr6ProductId || identity.productId != kTmWpr6BatchProductId) return false;
    return IsRecognized({recorded.ProductId, ReadChipFirmware(transport, recorded.ProductId)}, recorded);
}

// Connects to an accepted device other than the generic 0xFFFF.
bool ConnectAccepted(const DfuRoadDevice& device, DFUTransportCOM& transport)
{
    return device.productId != kUnconnectedChipProductId && DFURequestsUSB::ConnectDevice(device.name, transport);
}

// "%s#%04X" of a model's file-name form and a product id.
std::string IdentityTag(int modelProductId, int id)
{
    char number[8];
    std::snprintf(number, sizeof(number), "#%04X", id & 0xFFFF);
    return GetModelName(modelProductId, 1).ToUtf8() + number;
}

// The identity text of a firmware file, read from its first 1648 bytes; false
// when the file is shorter or cannot be read. blankStart tells whether the
// text begins with a space.
bool ReadFileIdentity(const CString& path, std::string& identity, bool& blankStart)
{
    CFile file;
    if (CountFileBytes(path) < static_cast<int64_t>(kCheckedFileBytes) ||
        !file.Open(path, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary))
        return false;
    std::string block(kCheckedFileBytes, '\0');
    if (file.Read(block.data(), static_cast<UINT>(block.size())) != block.size()) return false;
    blankStart = block[kIdentityOffset] == ' ';
    identity = block.substr(kIdentityOffset, block.find('\0', kIdentityOffset) - kIdentityOffset);
    const char* space = " \t\r\n\v\f";
    const size_t first = identity.find_first_not_of(space);
    if (first == std::string::npos) identity.clear();
    else identity = identity.substr(first, identity.find_last_not_of(space) - first + 1);
    return true;
}

// A 0x5060 headset of the 0x5011 batch given a 0x5011 file: its identity keys
// are rewritten so that it becomes a 0x5011 unit. True when it was one and
// every key was written.
bool TakeVariantFile(int targetProductId, const std::string& identity)
{
    if (identity != IdentityTag(kTmWpr6BatchProductId, kTmWpr6BatchProductId)) return false;
    DfuLibrarySession library;
    DFUTransportCOM transport;
    CString lap;
    if (!library.ReadFirstAddress(transport, lap) || !IsTmWpr6Address(targetProductId, lap)) return false;
    uint8_t name[kUsbProductNameBytes] = {};
    const CString display = GetModelName(kTmWpr6BatchProductId, 0);
    for (int i = 0; i < display.GetLength() && 2 * i + 1 < kUsbProductNameBytes; ++i) {
        name[2 * i] = static_cast<uint8_t>(display[i]);
        name[2 * i + 1] = static_cast<uint8_t>(display[i] >> 8);
    }
    bool written = WriteWordKey(transport, kKeyProductId, kTmWpr6BatchProductId);
    written = WriteWordKey(transport, kKeyUsbProductId, kTmWpr6BatchProductId) && written;
    written = WriteWordKey(transport, kKeyUsbUpdateProductId, kTmWpr6BatchProductId | kUpdateModeBit) && written;
    return WriteKey(transport, kKeyUsbProductName, name, kUsbProductNameBytes) && written;
}

bool InNormalMode(int productId) { return productId >= 1 && productId < kUpdateModeBit; }

}  // namespace

CString DfuRoadResult::Detail(LanguageIndex language) const
{
    switch (outcome) {
    case DfuRoadOutcome::Passed: break;
    case DfuRoadOutcome::NotRecognizedDevice: return TextNotRecognizedDevice(language);
    case DfuRoadOutcome::CannotGetDevice: return TextCannotGetDevice(language);
    case DfuRoadOutcome::UsbNotMatch: return TextUsbNotMatch(language);
    }
    return CString();
}

int AcceptedDfuProductId(const std::wstring& path)
{
    std::string upper(path.size(), '?');
    for (size_t i = 0; i < path.size(); ++i) {
        wchar_t c = path[i];
        if (c < 0x80) upper[i] = static_cast<char>(c >= L'a' && c <= L'z' ? c - L'a' + L'A' : c);
    }
    // "VID_" must follow something: a path never begins with it.
    const size_t vid = upper.find("VID_");
    int vendorId = 0;
    int productId = 0;
    if (vid == std::string::npos || vid == 0 || !ParseUsbVendorProduct(upper.c_str(), &vendorId, &productId) ||
        vendorId != kMakerVendorId || !IsKnownUsbProductId(productId))
        return -1;
    return productId;
}

DfuLibrarySession::DfuLibrarySession()
{
    DFUTransportUSB::init();
    CStringListX names;
    DFURequestsUSB::EnumerateDevices(names);
    CStringListX::Position position = names.GetHeadPosition();
    while (static_cast<CStringX*>(position)) {
        DfuRoadDevice device;
        device.name = names.GetNext(position);
        device.path = DFUTransportUSB::PathInternal(device.name);
        device.productId = AcceptedDfuProductId(device.path.str());
        if (device.productId >= 0) m_devices.push_back(std::move(device));
    }
}

DfuLibrarySession::~DfuLibrarySession() { DFUTransportUSB::deinit(); }

bool DfuLibrarySession::ReadFirstAddress(DFUTransportCOM& transport, CString& lap) const
{
    uint8_t address[8] = {};
    if (m_devices.empty() || !DFURequestsUSB::ConnectDevice(m_devices.front().name, transport) ||
        !ReadKey(transport, kKeyAddress, address, sizeof(address)))
        return false;
    lap = CString::Formatted(L"%02X%02X%02X", address[0], address[3], address[2]);
    return true;
}

DfuRoadResult CheckDfuIdentity(const DeviceSettings& recorded)
{
    DfuLibrarySession library;
    for (const DfuRoadDevice& device : library.Devices()) {
        DFUTransportCOM transport;
        if (!ConnectAccepted(device, transport)) continue;
        const ChipIdentity identity = ReadChipIdentity(transport);
        if (identity.productId != recorded.ProductId)
            return Failure(DfuRoadOutcome::NotRecognizedDevice, L"[9][3]", UpdateErrorWrongDevice);
        if (!IsRecognized(identity, recorded))
            return Failure(DfuRoadOutcome::NotRecognizedDevice, L"[9][4]", UpdateErrorWrongDevice);
    }
    return DfuRoadResult();
}

int WriteDfuPreparation(int targetProductId, const DeviceSettings& recorded)
{
    const ProductTraits& target = ProductTraitsOf(targetProductId);
    if (!target.Has(kPreparedForUpdate)) return 0;
    const bool clearVox = target.Has(kClearsVoxForUpdate);
    const bool clearVersion = clearVox && recorded.Firmware.Major == 3 && recorded.Firmware.Minor == 2;
    const uint8_t zeros[kFirmwareVersionKeyLength] = {};
    int refused = 0;
    DfuLibrarySession library;
    for (const DfuRoadDevice& device : library.Devices()) {
        DFUTransportCOM transport;
        // Only the recognized headset is written to, also once its file has
        // made it a unit of its batch's model.
        if (!ConnectAccepted(device, transport)) continue;
        const ChipIdentity identity = ReadChipIdentity(transport);
        if (!IsRecognized(identity, recorded) && !IsConvertedBatchUnit(transport, identity, recorded)) continue;
        if (clearVersion) refused += !WriteKey(transport, PsKeyFirmwareVersion, zeros, kFirmwareVersionKeyLength);
        if (clearVox) {
            refused += !WriteKey(transport, kKeyVoxIntercom, zeros, 2);
            refused += !WriteKey(transport, kKeyVoxPhone, zeros, 2);
        }
        refused += !WriteKey(transport, kKeyLocalFeatures, kEdrOnFeatureMask, sizeof(kEdrOnFeatureMask));
    }
    return refused;
}

DfuRoadResult StartDfuReconfigure(DfuEngines& engines, DFUEngine::Callback* callback, int targetProductId,
                                  const UpdateStatus& status)
{
    Clock::Sleep(3000);
    const bool restarted = ProductTraitsOf(targetProductId).RestartsIntoUpdateMode();
    CStringListX names;
    int answer = 0;
    // A headset restarted into update mode takes its time to show up.
    for (int call = 0; call < (restarted ? 600 : 1); ++call) {
        answer = DFUEngine::GetUSBDeviceNames(names);
        if (answer == 1 || !restarted) break;
        Clock::Sleep(1000);
    }
    if (answer == 0)
        return Failure(DfuRoadOutcome::CannotGetDevice, restarted ? L"[8][0]" : L"[8][2]", UpdateErrorFailed);

    int kept = 0;
    CStringListX::Position position = names.GetHeadPosition();
    while (static_cast<CStringX*>(position)) {
        const CStringX& name = names.GetNext(position);
        if (AcceptedDfuProductId(DFUTransportUSB::PathInternal(name).str()) < 0) continue;
        DFUEngine& engine = kept == 0 ? engines.PrimaryEngine : engines.SecondaryEngine;
        engine.CreateUSB(name);
        (kept == 0 ? engines.PrimaryEngineOpen : engines.SecondaryEngineOpen) = true;
        engine.SetCallback(callback);
        ++kept;
    }
    if (kept != (targetProductId == kTwoChipHeadsetProductId ? 2 : 1))
        return Failure(DfuRoadOutcome::UsbNotMatch, CString::Formatted(L"(%d)", kept), UpdateErrorFailed);
    if (!engines.PrimaryEngine.StartReconfigure(false, true, CStringX(status.PackagePath)))
        return Failure(DfuRoadOutcome::CannotGetDevice, restarted ? L"[8][1]" : L"[8][3]", UpdateErrorFailed);
    engines.DfuPhase = 1;
    return DfuRoadResult();
}

bool IsImageForDevice(const AppState& app, const UpdateStatus& status)
{
    const int productId = app.deviceSettings.ProductId;
    const std::string tag =
        IdentityTag(productId, ProductTraitsOf(productId).Has(kTagCarriesTarget) ? app.targetProductId : productId);
    std::string identity;
    bool blankStart = false;
    if (!ReadFileIdentity(status.PackagePath, identity, blankStart)) return false;
    if (identity == tag || (blankStart && tag.rfind("TKV8", 0) == 0)) return true;
    if (app.targetProductId == kTmWpr6ProductId && TakeVariantFile(app.targetProductId, identity)) return true;
    const ProductTraits& product = ProductTraitsOf(productId);
    if (product.takesFirmwareOf && identity == IdentityTag(productId, product.takesFirmwareOf)) return true;
    return product.Has(kTakesTmWpr6Files) && identity == IdentityTag(productId, kTmWpr6ProductId);
}

bool IsNewerFirmwareOffered(const AppState& app, const UpdateStatus& status)
{
    const DeviceSettings& recorded = app.deviceSettings;
    const int target = app.targetProductId;
    if (target == kActionCameraProductId)
        return recorded.CompareFirmwareVersionEx(status.OfferedMajor, status.OfferedMinor, status.OfferedSecondaryType,
                                                 status.OfferedSecondaryVersion) < 0;
    if (target == kTmWpr6ProductId) {
        // The 0x5011 batch is offered every version; a headset the library
        // cannot reach, none.
        DfuLibrarySession library;
        DFUTransportCOM transport;
        CString lap;
        if (!library.ReadFirstAddress(transport, lap)) return false;
        if (IsTmWpr6Address(target, lap)) return true;
    }
    const int d = recorded.CompareFirmwareVersion(status.OfferedMajor, status.OfferedMinor);
    const int type = recorded.Firmware.SecondaryType;
    for (const OfferRow& row : kOfferRows) {
        if ((row.Target != 0 && row.Target != target) || (row.SecondaryType != kAny && row.SecondaryType != type))
            continue;
        switch (row.Rule) {
        case OfferRule::SameOrNewer: return d <= 0;
        case OfferRule::NewerOrLaterSecondary:
            return d < 0 || (d == 0 && recorded.Firmware.SecondaryVersion < status.OfferedSecondaryVersion);
        case OfferRule::NewerOrAnySecondary: return d < 0 || (d == 0 && status.OfferedSecondaryVersion > 0);
        }
    }
    return false;
}

bool IsDeviceBack(AppState& app, int dfuPhase)
{
    const int target = app.targetProductId;
    // A model of a HID writer comes back over HID.
    if (ProductTraitsOf(target).writer != WriterKind::None) {
        // The handles are the main window's again: a writer that was lent them
        // has handed over before this check runs (WriterInputs).
        CloseHidHandle(app.hidHandle1);
        CloseHidHandle(app.hidHandle2);
        HidMainState main{app.hidHandle1, app.hidHandle2, app.targetProductId, app.deviceSettings};
        const bool found =
            (target == kCombinedChipProductId ? PollHidInterfaces(main) : FindHidDevice(main, 1, nullptr, nullptr)) != 0;
        if (!found) {
            CloseHidHandle(app.hidHandle1);
            CloseHidHandle(app.hidHandle2);
        }
        return found;
    }
    int ids[2] = {};
    const int present = EnumerateUsbProducts(ids, 2);
    if (target == kTwoChipHeadsetProductId) return present >= 2 && InNormalMode(ids[dfuPhase == 2 ? 1 : 0]);
    return present >= 1 && InNormalMode(ids[0]);
}
