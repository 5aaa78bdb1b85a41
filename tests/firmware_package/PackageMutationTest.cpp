// Mutated packages: bit flips, truncation, huge counts and wrapped offsets.
// Each is refused or read with a defined result; an accepted one only hands
// out image bytes inside its buffer that match their digests.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "PackageBuilder.h"
#include "firmware/FirmwarePackage.h"

namespace {

constexpr int kProduct = 0x5910;

std::vector<uint8_t> Mutate(std::vector<uint8_t> bytes, std::mt19937& random, size_t imageCount)
{
    auto pick = [&](size_t bound) { return bound ? static_cast<size_t>(random() % bound) : 0; };
    const uint32_t huge[] = {0xFFFFFFFFu, 0x80000000u, 0x7FFFFFFFu, 0xFFFFFF00u, 0x10000000u};
    switch (random() % 6) {
    case 0:  // flip a few bits anywhere
        for (int i = 0, flips = 1 + static_cast<int>(random() % 4); i < flips; ++i)
            bytes[pick(bytes.size())] ^= static_cast<uint8_t>(1u << (random() % 8));
        break;
    case 1:  // cut the file short
        bytes.resize(pick(bytes.size()));
        break;
    case 2:  // a huge or slightly wrong image count
        PutWord(bytes, 0x20, random() % 2 ? huge[pick(std::size(huge))] : static_cast<uint32_t>(imageCount + 1 + pick(3)));
        break;
    case 3:  // an offset or size that wraps 32 bits, in either table
    case 4: {
        const size_t i = pick(imageCount);
        const size_t entry = random() % 2 ? ShortEntryAt(i) : ImageEntryAt(imageCount, i);
        PutWord(bytes, entry + (random() % 2 ? 8 : 12), huge[pick(std::size(huge))]);
        break;
    }
    default:  // an offset moved within the file
    {
        const size_t i = pick(imageCount);
        const size_t entry = random() % 2 ? ShortEntryAt(i) : ImageEntryAt(imageCount, i);
        PutWord(bytes, entry + 8, static_cast<uint32_t>(pick(bytes.size() + 16)));
        break;
    }
    }
    return bytes;
}

TEST(PackageMutation, EveryMutantIsRefusedOrReadWithinItsBuffer)
{
    const std::vector<BuiltImage> images = {
        {0, 1, PatternBytes(11, 700)}, {2, 2, PatternBytes(12, 1)}, {1, 3, PatternBytes(13, 2100)}, {0, 4, {}}};
    const std::vector<uint8_t> original = BuildPackage(kProduct, images);
    std::mt19937 random(20240521);
    int accepted = 0, refused = 0;
    for (int round = 0; round < 400; ++round) {
        const std::vector<uint8_t> mutant = Mutate(original, random, images.size());
        for (PackageTable table : {PackageTable::Short, PackageTable::Image}) {
            FirmwarePackage package;
            if (package.LoadBytes(mutant) != PackageResult::Ok) {
                ++refused;
                continue;
            }
            PackageRules rules;
            rules.table = table;
            rules.targetProductId = kProduct;
            rules.minimumImages = 3;
            const PackageResult result = package.Check(rules);
            if (result != PackageResult::Ok) {
                ++refused;
                EXPECT_FALSE(package.Checked());
                continue;
            }
            ++accepted;
            const std::span<const uint8_t> all = package.Bytes();
            for (uint32_t i = 0; i < package.ImageCount(); ++i) {
                const PackageEntry entry = package.Entry(i);
                const std::span<const uint8_t> image = package.ImageBytes(entry);
                ASSERT_EQ(entry.size, image.size()) << "round " << round;
                if (!image.empty()) {
                    ASSERT_GE(image.data(), all.data());
                    ASSERT_LE(image.data() + image.size(), all.data() + all.size());
                }
                uint8_t digest[kMd5DigestSize];
                Md5Digest(image.data(), image.size(), digest);
                ASSERT_EQ(0, std::memcmp(digest, entry.digest, kMd5DigestSize)) << "round " << round;
            }
        }
    }
    // The mutations reach both outcomes: they test the checks, not one refusal.
    EXPECT_GT(accepted, 20);
    EXPECT_GT(refused, 200);
}

}  // namespace
