// The firmware package (".img"): one file that carries one or more firmware
// images for one model, each with its MD5 digest. All numbers little-endian.
//
//   0x00  24 bytes  text field (not examined)
//   0x18   4 bytes  not examined
//   0x1C  u32       product id the package is for
//   0x20  u32       N, the number of images
//   0x24            N short entries of 32 bytes:  target, type, offset, size, MD5
//   0x24 + 32 N     N image entries of 312 bytes: target, type, offset, size,
//                   version major, version minor, 272 bytes, MD5 at 0x128
//
// Offsets are from the start of the file; image bytes may lie anywhere in it.
// The action camera's split and the 0x4210 writer's revision rule read the short
// entries; the HID writers send the images of the image entries.
//
// Use: Load the file (one read, held whole in memory), then Check it with the
// writer's rules; only a checked package hands out entries and image bytes.
// Every bound is computed in 64 bits, so no count or offset from the file can
// wrap past the end of the buffer; a refused package is "Firmware corrupted"
// whatever the reason.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "device/ProductCatalogue.h"
#include "firmware/Md5.h"
#include "framework/CString.h"

inline constexpr uint32_t kPackageHeaderSize = 36;
inline constexpr uint32_t kPackageShortEntrySize = 32;
inline constexpr uint32_t kPackageImageEntrySize = 312;
inline constexpr uint32_t kPackageTextFieldSize = 24;
// Packages are a few megabytes; anything beyond this is refused before it is read.
inline constexpr uint64_t kPackageMaximumSize = 256ull << 20;

// The action camera, whose package is split into a Bluetooth part and a camera part.
inline constexpr const wchar_t* kCameraBluetoothPartName = L"__lumen_dfu_bluetooth__.img";
inline constexpr const wchar_t* kCameraFirmwarePartName = L"__lumen_firmware__.bin";

// Why a package was refused (the user sees "Firmware corrupted" for each).
enum class PackageResult {
    Ok,
    CannotOpen,        // the file cannot be opened
    TooLarge,          // larger than kPackageMaximumSize
    OutOfMemory,
    ShortRead,         // fewer bytes came than the file holds
    TooShort,          // no whole header
    NotLoaded,         // Check before a successful Load
    TableOutsideFile,  // the entry table ends past the end of the file
    ImageOutsideFile,  // an image ends past the end of the file
    DigestMismatch,    // an image's bytes do not give the stored MD5
    WrongProduct,      // the product id does not pass the writer's rule
    TooFewImages,      // fewer images than the reader needs
    NoImageBytes,      // every image is empty: there is nothing to write
    CannotWritePart,   // a split part cannot be created or written whole
};

// The entry table a reader uses.
enum class PackageTable {
    Short,  // 32-byte entries (camera split, 0x4210 revision rule)
    Image,  // 312-byte entries (HID writers)
};

// How a writer tests the header's product id.
enum class PackageProductRule {
    EqualsTarget,       // the target product id
    RevisionChecked,    // 0, 0x4210 or 0x4220
    NotChecked,
};

// The targets of image entries: 0 and 2 go to the first HID interface (0 also
// asks for the finish command there), 1 and any other value to the second.
inline constexpr uint32_t kImageTargetFirstWithFinish = 0;
inline constexpr uint32_t kImageTargetSecondWithFinish = 1;
inline constexpr uint32_t kImageTargetFirst = 2;
constexpr bool ImageGoesToFirstInterface(uint32_t target) { return target == 0 || target == 2; }

struct PackageEntry {
    uint32_t target = 0;
    uint32_t type = 0;
    uint32_t offset = 0;
    uint32_t size = 0;
    // Image entries only; 0 in short entries.
    uint32_t versionMajor = 0;
    uint32_t versionMinor = 0;
    uint8_t digest[kMd5DigestSize] = {};
};

// What a reader requires of a package.
struct PackageRules {
    PackageTable table = PackageTable::Image;
    PackageProductRule product = PackageProductRule::EqualsTarget;
    int targetProductId = 0;
    // The least number of images the reader takes (3 where it reads entry 2).
    // Every writer needs one at least, and one image with bytes among them: a
    // package of no image, or of empty images only, would flash nothing and
    // still end as a success.
    uint32_t minimumImages = 1;
};

class FirmwarePackage {
public:
    // Reads the whole file into memory in one pass.
    PackageResult Load(const wchar_t* path);
    // Takes bytes already in memory.
    PackageResult LoadBytes(std::vector<uint8_t> bytes);

    // In this order: the table lies inside the file, every image of it lies
    // inside the file and matches its digest, the product id passes the rule,
    // there are at least the images required, and one of them has bytes. The
    // result is kept:
    // entries and images are handed out only after an Ok.
    PackageResult Check(const PackageRules& rules);
    bool Checked() const { return m_checked; }

    // Header fields; 0 while fewer than 36 bytes are loaded.
    uint32_t ProductId() const;
    uint32_t ImageCount() const;

    // Entry i of the checked table; i must be below ImageCount().
    PackageEntry Entry(uint32_t i) const;
    // The bytes of an entry of the checked table, straight out of the buffer.
    std::span<const uint8_t> ImageBytes(const PackageEntry& entry) const;
    // True when some entry of the checked table has the given target.
    bool HasTarget(uint32_t target) const;

    std::span<const uint8_t> Bytes() const { return m_bytes; }
    uint64_t Size() const { return m_bytes.size(); }

private:
    PackageEntry ReadEntry(PackageTable table, uint32_t i) const;
    uint32_t Word(uint64_t offset) const;

    std::vector<uint8_t> m_bytes;
    PackageTable m_table = PackageTable::Image;
    bool m_loaded = false;
    bool m_checked = false;
};

// Bytes of a file as every package reader measures it; -1 when it cannot be opened.
int64_t CountFileBytes(const wchar_t* path);

// True when the product id of a package passes a writer's rule.
bool PackageProductAccepted(PackageProductRule rule, uint32_t packageProductId, int targetProductId);

// The action camera's split: removes the parts of an earlier split from
// folder, checks the package at packagePath by its short entries (every
// digest, product 0x3020, at least two images), writes short entry 0 whole to
// folder + kCameraBluetoothPartName and entry 1 to folder + kCameraFirmwarePartName
// (each through a temporary name), and gives the first part's full path. A part
// that cannot be written fails the split and no part is left behind. folder
// ends with a backslash and is created when missing.
PackageResult SplitCameraPackage(const wchar_t* packagePath, const CString& folder, CString* bluetoothPartPath);
