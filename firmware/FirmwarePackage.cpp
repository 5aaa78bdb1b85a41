#include "firmware/FirmwarePackage.h"
#include "device/ProductCatalogue.h"

#include <cstring>
#include <new>

#include "framework/File.h"

namespace {

constexpr uint64_t kProductIdOffset = 0x1C;
constexpr uint64_t kImageCountOffset = 0x20;
constexpr uint64_t kShortDigestOffset = 0x10;
constexpr uint64_t kImageVersionOffset = 0x10;
constexpr uint64_t kImageDigestOffset = 0x128;

// The first byte past the table, in 64 bits: N is a 32-bit count, so neither
// product can wrap.
uint64_t TableEnd(PackageTable table, uint32_t count)
{
    const uint64_t n = count;
    return table == PackageTable::Short ? kPackageHeaderSize + kPackageShortEntrySize * n
                                        : kPackageHeaderSize + (kPackageShortEntrySize + kPackageImageEntrySize) * n;
}

}  // namespace

int64_t CountFileBytes(const wchar_t* path)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) return -1;
    std::vector<uint8_t> block(64 * 1024);
    int64_t count = 0;
    for (;;) {
        const UINT got = file.Read(block.data(), static_cast<UINT>(block.size()));
        if (got == 0) break;
        count += got;
    }
    return count;
}

bool PackageProductAccepted(PackageProductRule rule, uint32_t packageProductId, int targetProductId)
{
    switch (rule) {
    case PackageProductRule::EqualsTarget:
        return targetProductId >= 0 && packageProductId == static_cast<uint32_t>(targetProductId);
    case PackageProductRule::RevisionChecked:
        return packageProductId == 0 || packageProductId == kV40ProductId || packageProductId == 0x4220;
    case PackageProductRule::NotChecked:
        return true;
    }
    return false;
}

PackageResult FirmwarePackage::Load(const wchar_t* path)
{
    m_bytes.clear();
    m_loaded = m_checked = false;
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) return PackageResult::CannotOpen;
    const ULONGLONG size = file.GetLength();
    if (size > kPackageMaximumSize) return PackageResult::TooLarge;
    std::vector<uint8_t> bytes;
    try {
        bytes.resize(static_cast<size_t>(size));
    } catch (const std::bad_alloc&) {
        return PackageResult::OutOfMemory;
    }
    size_t done = 0;
    while (done < bytes.size()) {
        const UINT got = file.Read(bytes.data() + done, static_cast<UINT>(bytes.size() - done));
        if (got == 0) break;
        done += got;
    }
    if (done != bytes.size()) return PackageResult::ShortRead;
    return LoadBytes(std::move(bytes));
}

PackageResult FirmwarePackage::LoadBytes(std::vector<uint8_t> bytes)
{
    m_bytes = std::move(bytes);
    m_checked = false;
    m_loaded = m_bytes.size() >= kPackageHeaderSize;
    return m_loaded ? PackageResult::Ok : PackageResult::TooShort;
}

uint32_t FirmwarePackage::Word(uint64_t offset) const
{
    if (offset + 4 > m_bytes.size()) return 0;
    const uint8_t* p = m_bytes.data() + offset;
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

uint32_t FirmwarePackage::ProductId() const { return Word(kProductIdOffset); }
uint32_t FirmwarePackage::ImageCount() const { return Word(kImageCountOffset); }

PackageEntry FirmwarePackage::ReadEntry(PackageTable table, uint32_t i) const
{
    // Callers have made sure the table lies inside the buffer.
    PackageEntry entry;
    const uint64_t base = table == PackageTable::Short
                              ? kPackageHeaderSize + uint64_t{kPackageShortEntrySize} * i
                              : TableEnd(PackageTable::Short, ImageCount()) + uint64_t{kPackageImageEntrySize} * i;
    entry.target = Word(base);
    entry.type = Word(base + 4);
    entry.offset = Word(base + 8);
    entry.size = Word(base + 12);
    const uint64_t digestAt = base + (table == PackageTable::Short ? kShortDigestOffset : kImageDigestOffset);
    if (table == PackageTable::Image) {
        entry.versionMajor = Word(base + kImageVersionOffset);
        entry.versionMinor = Word(base + kImageVersionOffset + 4);
    }
    std::memcpy(entry.digest, m_bytes.data() + digestAt, kMd5DigestSize);
    return entry;
}

PackageResult FirmwarePackage::Check(const PackageRules& rules)
{
    m_checked = false;
    if (!m_loaded) return PackageResult::NotLoaded;
    const uint32_t count = ImageCount();
    if (TableEnd(rules.table, count) > m_bytes.size()) return PackageResult::TableOutsideFile;
    bool anyBytes = false;
    for (uint32_t i = 0; i < count; ++i) {
        const PackageEntry entry = ReadEntry(rules.table, i);
        if (uint64_t{entry.offset} + entry.size > m_bytes.size()) return PackageResult::ImageOutsideFile;
        anyBytes = anyBytes || entry.size > 0;
        uint8_t digest[kMd5DigestSize];
        Md5Digest(m_bytes.data() + entry.offset, entry.size, digest);
        if (std::memcmp(digest, entry.digest, kMd5DigestSize) != 0) return PackageResult::DigestMismatch;
    }
    if (!PackageProductAccepted(rules.product, ProductId(), rules.targetProductId)) return PackageResult::WrongProduct;
    if (count < rules.minimumImages) return PackageResult::TooFewImages;
    if (!anyBytes) return PackageResult::NoImageBytes;
    m_table = rules.table;
    m_checked = true;
    return PackageResult::Ok;
}

PackageEntry FirmwarePackage::Entry(uint32_t i) const
{
    if (!m_checked || i >= ImageCount()) return PackageEntry{};
    return ReadEntry(m_table, i);
}

std::span<const uint8_t> FirmwarePackage::ImageBytes(const PackageEntry& entry) const
{
    if (!m_checked || uint64_t{entry.offset} + entry.size > m_bytes.size()) return {};
    return {m_bytes.data() + entry.offset, entry.size};
}

bool FirmwarePackage::HasTarget(uint32_t target) const
{
    for (uint32_t i = 0; m_checked && i < ImageCount(); ++i) {
        if (ReadEntry(m_table, i).target == target) return true;
    }
    return false;
}

PackageResult SplitCameraPackage(const wchar_t* packagePath, const CString& folder, CString* bluetoothPartPath)
{
    // Parts of an earlier split never stand in for this one, whatever comes of it.
    const CString parts[] = {folder + kCameraBluetoothPartName, folder + kCameraFirmwarePartName};
    for (const CString& part : parts) CFile::Remove(part);

    FirmwarePackage package;
    PackageResult result = package.Load(packagePath);
    if (result != PackageResult::Ok) return result;
    PackageRules rules;
    rules.table = PackageTable::Short;
    rules.product = PackageProductRule::EqualsTarget;
    rules.targetProductId = kActionCameraProductId;
    rules.minimumImages = 2;
    result = package.Check(rules);
    if (result != PackageResult::Ok) return result;

    EnsureFolder(folder);
    for (uint32_t i = 0; i < 2; ++i) {
        const std::span<const uint8_t> image = package.ImageBytes(package.Entry(i));
        if (!WriteWholeFile(parts[i], image.data(), image.size())) {
            for (const CString& part : parts) CFile::Remove(part);
            return PackageResult::CannotWritePart;
        }
    }
    if (bluetoothPartPath) *bluetoothPartPath = parts[0];
    return PackageResult::Ok;
}
