// MD5: the RFC 1321 test suite, input split at every boundary, and files.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "firmware/Md5.h"
#include "framework/File.h"
#include "support/TempFolder.h"

namespace {

std::string Hex(const uint8_t digest[kMd5DigestSize])
{
    std::string out;
    char two[3];
    for (int i = 0; i < kMd5DigestSize; ++i) {
        std::snprintf(two, sizeof two, "%02x", digest[i]);
        out += two;
    }
    return out;
}

std::string DigestOf(const std::string& text)
{
    uint8_t digest[kMd5DigestSize];
    Md5Digest(text.data(), text.size(), digest);
    return Hex(digest);
}

// (i * 7 + i / 251) mod 256: long enough to cross the 32-bit bit count's low word.
std::vector<uint8_t> LongPattern(size_t size)
{
    std::vector<uint8_t> out(size);
    for (size_t i = 0; i < size; ++i) out[i] = static_cast<uint8_t>(i * 7 + i / 251);
    return out;
}

TEST(Md5, Rfc1321TestSuite)
{
    struct Case {
        const char* message;
        const char* digest;
    };
    const Case cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.digest, DigestOf(c.message)) << '"' << c.message << '"';
}

TEST(Md5, PaddingAroundTheBlockBoundary)
{
    // 55 and 56 bytes need one and two final blocks; 63, 64 and 65 straddle a block.
    const struct {
        size_t length;
        const char* digest;
    } cases[] = {
        {55, "ef1772b6dff9a122358552954ad0df65"},
        {56, "3b0c8ac703f828b04c6c197006d17218"},
        {63, "b06521f39153d618550606be297466d5"},
        {64, "014842d480b571495a4a0363793f7367"},
        {65, "c743a45e0d2e6a95cb859adae0248435"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.digest, DigestOf(std::string(c.length, 'a'))) << c.length;
}

TEST(Md5, SplitUpdatesGiveTheOneCallDigest)
{
    const std::vector<uint8_t> message = LongPattern(1000);
    uint8_t whole[kMd5DigestSize];
    Md5Digest(message.data(), message.size(), whole);
    for (size_t first = 0; first <= 200; ++first) {
        for (size_t second : {size_t{0}, size_t{1}, size_t{63}, size_t{64}, size_t{65}, size_t{130}}) {
            Md5Context context;
            Md5Init(&context);
            Md5Update(&context, message.data(), first);
            Md5Update(&context, message.data() + first, second);
            Md5Update(&context, message.data() + first + second, message.size() - first - second);
            uint8_t split[kMd5DigestSize];
            Md5Final(split, &context);
            ASSERT_EQ(Hex(whole), Hex(split)) << first << "+" << second;
        }
    }
}

TEST(Md5, LargeBufferAndItsFile)
{
    const std::vector<uint8_t> message = LongPattern(3000017);
    uint8_t digest[kMd5DigestSize];
    Md5Digest(message.data(), message.size(), digest);
    EXPECT_EQ("859a4f5f57056915d93fbc72ccd8c001", Hex(digest));

    TempFolder folder(L"md5");
    const CString path = folder / L"large.bin";
    ASSERT_TRUE(WriteWholeFile(path, message.data(), message.size()));
    uint8_t fileDigest[kMd5DigestSize] = {};
    ASSERT_TRUE(Md5DigestOfFile(path, fileDigest));
    EXPECT_EQ("859a4f5f57056915d93fbc72ccd8c001", Hex(fileDigest));
    EXPECT_FALSE(Md5DigestOfFile(folder / L"missing.bin", fileDigest));
}

}  // namespace
