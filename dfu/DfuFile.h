// The firmware file of the DFU library: one image for one chip, with a header
// that names the model it was made for. All numbers are little-endian.
//
// | offset | size | field                                                   |
// |--------|------|---------------------------------------------------------|
// | 0      | 8    | magic "TVKDFU1" and a zero byte                         |
// | 8      | 4    | length of the whole file in bytes                       |
// | 12     | 4    | CRC-32 (as zlib computes it) of bytes 16 to the end     |
// | 16     | 32   | identity text, 8-bit, "%s#%04X" (model, product id),    |
// |        |      | zero-padded                                             |
// | 48     | 4    | version: major, minor, secondary type, secondary version|
// | 52     | 2    | product id of the chip the image is for                 |
// | 54     | 10   | zero                                                    |
// | 64     | ...  | the image                                               |
//
// The library accepts any file whose magic, length and checksum hold; the files
// made for headsets are at least 1648 bytes long (tools/gen_dfu_file.py makes
// them).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline constexpr size_t kDfuFileHeaderSize = 64;
inline constexpr size_t kDfuFileIdentityOffset = 16;
inline constexpr size_t kDfuFileIdentitySize = 32;
// The largest file the library reads.
inline constexpr size_t kDfuFileMaxSize = 16u << 20;

struct DfuFileInfo {
    std::string identity;  // the identity field up to its first zero
    int major = 0;
    int minor = 0;
    int secondaryType = 0;
    int secondaryVersion = 0;
    int productId = 0;
    size_t size = 0;
};

// CRC-32 (reflected, polynomial 0xEDB88320), continued from crc (0 to start).
uint32_t DfuCrc32(const uint8_t* data, size_t size, uint32_t crc = 0);

// Checks the bytes of a whole file; fills info (when given) when they hold.
bool ParseDfuFile(const uint8_t* data, size_t size, DfuFileInfo* info);

// Reads and checks a file; false when it cannot be read whole, is larger than
// kDfuFileMaxSize or does not hold.
bool ReadDfuFile(const wchar_t* path, DfuFileInfo* info);
