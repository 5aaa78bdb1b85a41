#include "dfu/DfuFile.h"

#include <array>
#include <cstring>

#include "framework/File.h"

namespace {

constexpr char kMagic[8] = {'T', 'V', 'K', 'D', 'F', 'U', '1', '\0'};
constexpr size_t kLengthOffset = 8;
constexpr size_t kCrcOffset = 12;
constexpr size_t kCrcStart = 16;
constexpr size_t kVersionOffset = 48;
constexpr size_t kProductOffset = 52;

constexpr std::array<uint32_t, 256> MakeCrcTable()
{
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

constexpr std::array<uint32_t, 256> kCrcTable = MakeCrcTable();

uint32_t ReadU32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }

}  // namespace

uint32_t DfuCrc32(const uint8_t* data, size_t size, uint32_t crc)
{
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) crc = kCrcTable[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

bool ParseDfuFile(const uint8_t* data, size_t size, DfuFileInfo* info)
{
    if (!data || size < kDfuFileHeaderSize || size > kDfuFileMaxSize) return false;
    if (std::memcmp(data, kMagic, sizeof(kMagic)) != 0 || ReadU32(data + kLengthOffset) != size) return false;
    if (DfuCrc32(data + kCrcStart, size - kCrcStart) != ReadU32(data + kCrcOffset)) return false;
    if (info) {
        const char* identity = reinterpret_cast<const char*>(data + kDfuFileIdentityOffset);
        info->identity.assign(identity, strnlen(identity, kDfuFileIdentitySize));
        info->major = data[kVersionOffset];
        info->minor = data[kVersionOffset + 1];
        info->secondaryType = data[kVersionOffset + 2];
        info->secondaryVersion = data[kVersionOffset + 3];
        info->productId = data[kProductOffset] | (data[kProductOffset + 1] << 8);
        info->size = size;
    }
    return true;
}

bool ReadDfuFile(const wchar_t* path, DfuFileInfo* info)
{
    CFile file;
    if (!path || !file.Open(path, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary)) return false;
    ULONGLONG length = file.GetLength();
    if (length < kDfuFileHeaderSize || length > kDfuFileMaxSize) return false;
    std::vector<uint8_t> bytes(static_cast<size_t>(length));
    if (file.Read(bytes.data(), static_cast<UINT>(bytes.size())) != bytes.size()) return false;
    return ParseDfuFile(bytes.data(), bytes.size(), info);
}
