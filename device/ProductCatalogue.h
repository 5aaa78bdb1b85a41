// The product catalogue: one row of traits per model (its names, how it is
// connected and updated, its settings sections and list layout, the keys that
// put it into update mode), the USB product ids the USB scan accepts, and the
// sibling ids that count as the same device.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>

#include "framework/CString.h"

// The maker's USB vendor id.
inline constexpr int kMakerVendorId = 0x3E1F;

// Bit 15 of a product id: the same model in firmware-update mode. A USB status
// word with it set means the headset is attached in update mode.
inline constexpr int kUpdateModeBit = 0x8000;
constexpr bool IsUpdateModeStatus(int usbStatus) { return usbStatus >= kUpdateModeBit; }

// Products that the code treats apart by name.
inline constexpr int kV40ProductId = 0x4210;              // two interfaces, item-5 variants, address fix-up
inline constexpr int kV60ProductId = 0x3110;              // second interface opened on request
// The chip a BlueCore headset is taken for when its product id key cannot be
// read; its name may still tell the other model.
inline constexpr int kTkv8ProductId = 0x4D10;
inline constexpr int kWpr6ProductId = 0x5010;
// The 0x5011 batch: units of 0x5060 whose identity is rewritten to 0x5011.
inline constexpr int kTmWpr6ProductId = 0x5060;
inline constexpr int kTmWpr6BatchProductId = 0x5011;
inline constexpr int kActionCameraProductId = 0x3020;     // four-part version, camera package
inline constexpr int kTwoChipHeadsetProductId = 0x5310;   // two BlueCore units written one after the other
inline constexpr int kCombinedChipProductId = 0x5345;     // Bluetooth chip and microcontroller
inline constexpr int kCombinedChipDfuProductId = 0xD340;  // its Bluetooth chip in update mode
inline constexpr int kCombinedChipSecondProductId = 0x5346;  // its microcontroller's own id
// The generic ids a BlueCore chip may be attached under before its USB
// identity is written, and when it cannot be connected.
inline constexpr int kGenericChipProductId = 0x0001;
inline constexpr int kUnconnectedChipProductId = 0xFFFF;

// ---------------------------------------------------------------------------
// Product traits: what the code asks of a model. Each subsystem keeps its own
// data per family (a layout's rows, a writer's procedure) and finds the
// family here; the catalogue knows only the families' names.

// The HID writer thread that flashes a model; None: the DFU road.
enum class WriterKind : uint8_t {
    None,
    Package,
    PackageAndDrive,
    Dual,
    RevisionChecked,
    TwoStage,
    CombinedChip,
};

// The list layout of a HID headset's settings, named by its lead model: the
// settings grid's rows and the restore page's archived settings each keep
// their firmware bands per layout.
enum class ListLayout : uint8_t {
    None,
    V40,         // 0x4210
    Vantor,      // 0x4310, 0x4330, 0x4510
    VantorQn,    // 0x4410, 0x4430
    Kr5,         // 0x5520
    VantorMini,  // 0x5526, 0x5720
    M7xHelm,     // 0x5610 to 0x5621
    Kc5,         // 0x5510
    Ks5,         // 0x5530
    Feral,       // 0x5550
    V60,         // 0x3110
    Grittalk,    // 0x5710
    Lvr7,        // 0x5623
    Lvra,        // 0x5622, 0x5624
    Lancer,      // 0x5524
    ThunderKr5,  // 0x5522
    Z9,          // 0x3030, 0x3040, 0x3050
    M7xpad,      // 0x6210
    Ostrel,      // 0x5910, 0x5920
    Yt1,         // 0x5410
    Yt2,         // 0x5412, 0x5414
    Wtk07,       // 0x5416
    Nq1,         // 0x6010, 0x6012
    Nq5r,        // 0x6014, 0x6016
    Nq5s,        // 0x6018
    Nq3,         // 0x6020, 0x6022, 0x6024
};
inline constexpr std::size_t kListLayoutCount = static_cast<std::size_t>(ListLayout::Nq3) + 1;

// The setting sections a model offers: basic settings, speed dial (always, or
// only on firmware later than 4.2 or 1.2) and FM radio.
enum class SectionSet : uint8_t {
    None,
    Basic,
    BasicDial,
    BasicDialFm,
    BasicDialAfter42,
    BasicDialAfter42Fm,
    BasicDialAfter12,
    BasicDialAfter12Fm,
    DialOnly,
};

// The settings family of a model: the models whose settings have the same
// defaults, are compared, read and written back the same way, and laid out
// alike on the basic settings page, named by a lead model. The settings code
// keeps its tables per family (see SettingsFamilies).
enum class SettingsFamily : uint8_t {
    None,        // no settings of its own; also every id the catalogue does not know
    Tkv8,        // 0x4D10, 0x4D30, 0x4D40
    Tkv8n,       // 0x4D20, 0x4D50, 0x5010, 0x5060, 0x5061, 0x5030, 0x5080
    Wpr6t,       // 0x5020, 0x5070
    Wpr6kFm,     // 0x5040, 0x5050
    Polylink,    // 0x4D75, 0x5011
    Frostline,   // 0x4040
    QLinq,       // 0x2020
    Verra,       // 0x6110, 0x6111, 0x6120, 0x6121
    Widen,       // 0x4110, 0x4111
    Bqr6,        // 0x4120
    Tkv3,        // 0x4D05, 0x4D35, 0x4D55
    Tkv3Fm,      // 0x4D15, 0x4D45, 0x4D65
    Tkv3Kx,      // 0x4D85
    Tkv2,        // 0x2010, 0x2011, 0x2110, 0x2210, 0x2310, 0x4010, 0x4020, 0x4021, 0x4030
    Gzr6,        // 0x5210
    V40,         // 0x4210
    Vantor,      // 0x4310, 0x4330, 0x4410, 0x4430, 0x4510
    M7xHelm,     // 0x5610 to 0x5621
    Kr5,         // 0x5520
    VantorMini,  // 0x5526, 0x5720
    Kc5,         // 0x5510
    Ks5,         // 0x5530
    Feral,       // 0x5550
    V60,         // 0x3110
    Grittalk,    // 0x5710
    Lvr7,        // 0x5623
    Lvra,        // 0x5622, 0x5624
    ThunderKr5,  // 0x5522, 0x5524
    Z9,          // 0x3030, 0x3040, 0x3050
    M7xpad,      // 0x6210
    Ostrel,      // 0x5910, 0x5920
    Yt1,         // 0x5410
    Yt2,         // 0x5412, 0x5414, 0x5416
    Nq1,         // 0x6010, 0x6012
    Nq5r,        // 0x6014, 0x6016, 0x6018
    Nq3,         // 0x6020, 0x6022, 0x6024
    HidNoSettings,  // 0x5320, 0x5330, 0x5345: HID headsets without settings
};
inline constexpr std::size_t kSettingsFamilyCount = static_cast<std::size_t>(SettingsFamily::HidNoSettings) + 1;
static_assert(kSettingsFamilyCount <= 64);

// A set of settings families, as a row of a per-family table names them.
class SettingsFamilies {
public:
    constexpr SettingsFamilies() = default;
    constexpr SettingsFamilies(std::initializer_list<SettingsFamily> families)
    {
        for (SettingsFamily f : families) m_bits |= uint64_t{1} << static_cast<unsigned>(f);
    }
    constexpr bool Has(SettingsFamily family) const
    {
        return family != SettingsFamily::None && (m_bits >> static_cast<unsigned>(family)) & 1;
    }

private:
    uint64_t m_bits = 0;
};

// The Bluetooth address threshold of a BlueCore model, named by its lead
// model: units whose lower address part lies above it are of a later batch and
// take newer constant keys at recognition.
enum class AddressThreshold : uint8_t {
    None,
    Tkv3,    // 0x4D05, 0x4D35, 0x4D55
    Tkv3Fm,  // 0x4D15, 0x4D45, 0x4D65, 0x5040, 0x5050
    Tkv3Kx,  // 0x4D85
    Tkv8,    // 0x4D10, 0x4D30, 0x4D40
    Tkv8n,   // 0x4D20, 0x4D50
    Verra,   // 0x6110
    Pavlo,   // 0x6120
};
inline constexpr std::size_t kAddressThresholdCount = static_cast<std::size_t>(AddressThreshold::Pavlo) + 1;

// The tick budget of a model's firmware update (the update progress's
// preparation, writing and restart ticks), named by its lead model.
enum class UpdateBudget : uint8_t {
    Default,  // every model not named below
    Tkv3,     // the TKV3, TKV2 and ZR.LINQ models
    Gzr6,     // 0x5210
    Gzm6,     // 0x5310
    Camera,   // 0x3010, 0x3020
    V40,      // 0x4210 and the Vantor models
    V60,      // 0x3110
    M7xHelm,  // 0x5610 to 0x5621
    Kc5,      // 0x5510
    Kr5,      // the other drive writer's models
    Nq1,      // the package writer's models
    Nq3,      // 0x6020, 0x6022, 0x6024
};
inline constexpr std::size_t kUpdateBudgetCount = static_cast<std::size_t>(UpdateBudget::Nq3) + 1;

// The keys that put a model into update mode: the key held alone, and the two
// keys held together.
enum class UpdateModeKeys : uint8_t {
    Phone,            // phone key; jog dial and phone key
    Minus,            // minus key; plus and minus keys
    MinusCenterPlus,  // minus key; centre and plus keys
    Center,           // centre key; centre and plus keys
    LeftRight,        // left key; left and right keys
    Pairing,          // pairing key; PTT and pairing keys
};

// Yes-or-no traits, as flags of ProductTraits::flags.
enum ProductFlag : uint32_t {
    kUsbScan = 1 << 0,               // a BlueCore model the USB scan accepts
    kHidConnected = 1 << 1,          // recognized and updated over HID
    kTwoInterfaces = 1 << 2,         // two HID interfaces, each with a version group
    kFirstInterfaceVersion = 1 << 3, // its version is that of its first HID interface
    kCombinedChip = 1 << 4,          // Bluetooth chip and microcontroller, three-part versions
    kNoSettingsPages = 1 << 5,       // no settings pages at all
    kNoDfuPrompts = 1 << 6,          // the DFU road shows it no key prompts
    kCameraHold = 1 << 7,            // its DFU progress holds for the camera
    kNoRestartKey = 1 << 8,          // a drive writer's model that restarts without a key prompt
    kOwnEdrMasks = 1 << 9,           // link-manager masks of its own for EDR on and off
    kLowAddressKeys = 1 << 10,       // key 0x0031 rewritten on units at or below the address threshold
    // In update mode it reports its own id rather than its target's. The
    // siblings but 0x4D50, which reports its target's.
    kOwnIdInUpdateMode = 1 << 11,
    kOldFirmwareVersionKey = 1 << 12,  // the older version key 0x0293 beside 0x02A4
    kPreparedForUpdate = 1 << 13,      // the DFU road prepares the chip (EDR mask) before it is written
    // Of those, its VOX switches are cleared too. The success box's list below
    // differs by 0x5011, whose pairings are cleared but not its VOX switches.
    kClearsVoxForUpdate = 1 << 14,
    kClearPairingAfterUpdate = 1 << 15,  // the success box asks the rider to clear the pairings
    kTagCarriesTarget = 1 << 16,         // its firmware files are tagged with the target's id, not its own
    kTakesTmWpr6Files = 1 << 17,         // it also takes the files tagged 0x5060
    kQuietEnd = 1 << 18,                 // a drive writer's model that ends without a readiness poll or restart flag
};

struct ProductTraits {
    int productId;
    const wchar_t* displayName;  // null: not a named model
    const wchar_t* fileName;     // null: the same as the display name
    WriterKind writer;
    ListLayout listLayout;
    SettingsFamily settings;
    AddressThreshold addressThreshold;
    UpdateBudget updateBudget;
    SectionSet sections;
    UpdateModeKeys updateKeys;
    int sameDeviceAs;       // the target that also accepts this id as its own; 0: none
    int takesFirmwareOf;    // the model whose firmware files it also takes; 0: none
    int defaultFirmware;    // major * 10 + minor when the version key cannot be read; 0: none
    int restorableFrom;     // major * 10 + minor: settings archived below it are not restored; 0: any
    int picture;            // the bitmap the device line shows; 0: none of its own
    uint32_t flags;

    constexpr bool Has(ProductFlag flag) const { return (flags & flag) != 0; }
    // A HID headset without a HID writer: restarted into update mode over HID,
    // then written on the DFU road.
    constexpr bool RestartsIntoUpdateMode() const { return Has(kHidConnected) && writer == WriterKind::None; }
};

// The traits of a model, by its id with bit 15 clear. An id with bit 15 set
// (a model in update mode, see IsUpdateModeStatus) and an id the catalogue does
// not know have none: no names, WriterKind::None, no flags, every enum 0.
const ProductTraits& ProductTraitsOf(int productId);

// Every row of the catalogue, in product id order.
std::span<const ProductTraits> AllProductTraits();

inline SettingsFamily SettingsFamilyOf(int productId) { return ProductTraitsOf(productId).settings; }

// The first row of a per-family table whose Families hold the product's
// settings family; null when none does (always for SettingsFamily::None).
template <typename Row, std::size_t Count>
const Row* FindFamilyRow(const Row (&rows)[Count], int productId)
{
    const SettingsFamily family = SettingsFamilyOf(productId);
    for (const Row& row : rows) {
        if (row.Families.Has(family)) return &row;
    }
    return nullptr;
}

// The catalogue's models of a list layout, by product id; empty for None.
std::span<const uint16_t> ProductsOfLayout(ListLayout layout);

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
