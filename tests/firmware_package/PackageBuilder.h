// Builds firmware packages in memory, with every field under the test's control.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "firmware/FirmwarePackage.h"
#include "firmware/Md5.h"

struct BuiltImage {
    uint32_t target = 0;
    uint32_t type = 1;
    std::vector<uint8_t> bytes;
};

inline std::vector<uint8_t> PatternBytes(uint32_t seed, size_t size)
{
    std::vector<uint8_t> out(size);
    uint32_t state = seed * 2654435761u + 12345u;
    for (uint8_t& b : out) {
        state = state * 1103515245u + 12345u;
        b = static_cast<uint8_t>(state >> 16);
    }
    return out;
}

inline void PutWord(std::vector<uint8_t>& bytes, size_t offset, uint32_t value)
{
    for (int i = 0; i < 4; ++i) bytes[offset + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
}

// Header, short entries, image entries, then the images in order; both tables
// hold the true offsets, sizes and digests.
inline std::vector<uint8_t> BuildPackage(uint32_t productId, const std::vector<BuiltImage>& images)
{
    const size_t n = images.size();
    const size_t dataStart = kPackageHeaderSize + (kPackageShortEntrySize + kPackageImageEntrySize) * n;
    std::vector<uint8_t> out(dataStart);
    std::memcpy(out.data(), "TORVIK TEST", 11);
    PutWord(out, 0x1C, productId);
    PutWord(out, 0x20, static_cast<uint32_t>(n));
    size_t offset = dataStart;
    for (size_t i = 0; i < n; ++i) {
        const BuiltImage& image = images[i];
        uint8_t digest[kMd5DigestSize];
        Md5Digest(image.bytes.data(), image.bytes.size(), digest);
        const size_t shortAt = kPackageHeaderSize + kPackageShortEntrySize * i;
        const size_t imageAt = kPackageHeaderSize + kPackageShortEntrySize * n + kPackageImageEntrySize * i;
        for (size_t at : {shortAt, imageAt}) {
            PutWord(out, at, image.target);
            PutWord(out, at + 4, image.type);
            PutWord(out, at + 8, static_cast<uint32_t>(offset));
            PutWord(out, at + 12, static_cast<uint32_t>(image.bytes.size()));
        }
        PutWord(out, imageAt + 0x10, 2);
        PutWord(out, imageAt + 0x14, 7);
        std::memcpy(out.data() + shortAt + 0x10, digest, kMd5DigestSize);
        std::memcpy(out.data() + imageAt + 0x128, digest, kMd5DigestSize);
        offset += image.bytes.size();
    }
    for (const BuiltImage& image : images) out.insert(out.end(), image.bytes.begin(), image.bytes.end());
    return out;
}

// Offsets of the fields of entry i of a table in a package of n images.
inline size_t ShortEntryAt(size_t i) { return kPackageHeaderSize + kPackageShortEntrySize * i; }
inline size_t ImageEntryAt(size_t n, size_t i)
{
    return kPackageHeaderSize + kPackageShortEntrySize * n + kPackageImageEntrySize * i;
}
