#include "firmware/Md5.h"

#include <bit>
#include <cstring>
#include <vector>

#include "framework/File.h"

namespace {

constexpr uint8_t kPadding[64] = {0x80};

inline uint32_t RotateLeft(uint32_t value, int bits) { return std::rotl(value, bits); }

// The four rounds. G is written as a sum of two disjoint masks so that both
// halves can be computed side by side; the value is that of RFC 1321.
#define MD5_F(x, y, z) ((z) ^ ((x) & ((y) ^ (z))))
#define MD5_H(x, y, z) ((x) ^ (y) ^ (z))
#define MD5_I(x, y, z) ((y) ^ ((x) | ~(z)))

#define MD5_STEP_F(a, b, c, d, word, constant, shift)            \
    a += MD5_F(b, c, d) + (word) + (constant);                  \
    a = RotateLeft(a, shift) + (b)
#define MD5_STEP_G(a, b, c, d, word, constant, shift)            \
    a += ((c) & ~(d)) + (word) + (constant);                    \
    a += (b) & (d);                                             \
    a = RotateLeft(a, shift) + (b)
#define MD5_STEP_H(a, b, c, d, word, constant, shift)            \
    a += MD5_H(b, c, d) + (word) + (constant);                  \
    a = RotateLeft(a, shift) + (b)
#define MD5_STEP_I(a, b, c, d, word, constant, shift)            \
    a += MD5_I(b, c, d) + (word) + (constant);                  \
    a = RotateLeft(a, shift) + (b)

void TransformBlocks(uint32_t state[4], const uint8_t* blocks, size_t count)
{
    uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    for (; count > 0; --count, blocks += 64) {
        uint32_t x[16];
        std::memcpy(x, blocks, 64);
        Md5ByteReverse(x, 16);
        const uint32_t aa = a, bb = b, cc = c, dd = d;

        MD5_STEP_F(a, b, c, d, x[0], 0xd76aa478, 7);
        MD5_STEP_F(d, a, b, c, x[1], 0xe8c7b756, 12);
        MD5_STEP_F(c, d, a, b, x[2], 0x242070db, 17);
        MD5_STEP_F(b, c, d, a, x[3], 0xc1bdceee, 22);
        MD5_STEP_F(a, b, c, d, x[4], 0xf57c0faf, 7);
        MD5_STEP_F(d, a, b, c, x[5], 0x4787c62a, 12);
        MD5_STEP_F(c, d, a, b, x[6], 0xa8304613, 17);
        MD5_STEP_F(b, c, d, a, x[7], 0xfd469501, 22);
        MD5_STEP_F(a, b, c, d, x[8], 0x698098d8, 7);
        MD5_STEP_F(d, a, b, c, x[9], 0x8b44f7af, 12);
        MD5_STEP_F(c, d, a, b, x[10], 0xffff5bb1, 17);
        MD5_STEP_F(b, c, d, a, x[11], 0x895cd7be, 22);
        MD5_STEP_F(a, b, c, d, x[12], 0x6b901122, 7);
        MD5_STEP_F(d, a, b, c, x[13], 0xfd987193, 12);
        MD5_STEP_F(c, d, a, b, x[14], 0xa679438e, 17);
        MD5_STEP_F(b, c, d, a, x[15], 0x49b40821, 22);

        MD5_STEP_G(a, b, c, d, x[1], 0xf61e2562, 5);
        MD5_STEP_G(d, a, b, c, x[6], 0xc040b340, 9);
        MD5_STEP_G(c, d, a, b, x[11], 0x265e5a51, 14);
        MD5_STEP_G(b, c, d, a, x[0], 0xe9b6c7aa, 20);
        MD5_STEP_G(a, b, c, d, x[5], 0xd62f105d, 5);
        MD5_STEP_G(d, a, b, c, x[10], 0x02441453, 9);
        MD5_STEP_G(c, d, a, b, x[15], 0xd8a1e681, 14);
        MD5_STEP_G(b, c, d, a, x[4], 0xe7d3fbc8, 20);
        MD5_STEP_G(a, b, c, d, x[9], 0x21e1cde6, 5);
        MD5_STEP_G(d, a, b, c, x[14], 0xc33707d6, 9);
        MD5_STEP_G(c, d, a, b, x[3], 0xf4d50d87, 14);
        MD5_STEP_G(b, c, d, a, x[8], 0x455a14ed, 20);
        MD5_STEP_G(a, b, c, d, x[13], 0xa9e3e905, 5);
        MD5_STEP_G(d, a, b, c, x[2], 0xfcefa3f8, 9);
        MD5_STEP_G(c, d, a, b, x[7], 0x676f02d9, 14);
        MD5_STEP_G(b, c, d, a, x[12], 0x8d2a4c8a, 20);

        MD5_STEP_H(a, b, c, d, x[5], 0xfffa3942, 4);
        MD5_STEP_H(d, a, b, c, x[8], 0x8771f681, 11);
        MD5_STEP_H(c, d, a, b, x[11], 0x6d9d6122, 16);
        MD5_STEP_H(b, c, d, a, x[14], 0xfde5380c, 23);
        MD5_STEP_H(a, b, c, d, x[1], 0xa4beea44, 4);
        MD5_STEP_H(d, a, b, c, x[4], 0x4bdecfa9, 11);
        MD5_STEP_H(c, d, a, b, x[7], 0xf6bb4b60, 16);
        MD5_STEP_H(b, c, d, a, x[10], 0xbebfbc70, 23);
        MD5_STEP_H(a, b, c, d, x[13], 0x289b7ec6, 4);
        MD5_STEP_H(d, a, b, c, x[0], 0xeaa127fa, 11);
        MD5_STEP_H(c, d, a, b, x[3], 0xd4ef3085, 16);
        MD5_STEP_H(b, c, d, a, x[6], 0x04881d05, 23);
        MD5_STEP_H(a, b, c, d, x[9], 0xd9d4d039, 4);
        MD5_STEP_H(d, a, b, c, x[12], 0xe6db99e5, 11);
        MD5_STEP_H(c, d, a, b, x[15], 0x1fa27cf8, 16);
        MD5_STEP_H(b, c, d, a, x[2], 0xc4ac5665, 23);

        MD5_STEP_I(a, b, c, d, x[0], 0xf4292244, 6);
        MD5_STEP_I(d, a, b, c, x[7], 0x432aff97, 10);
        MD5_STEP_I(c, d, a, b, x[14], 0xab9423a7, 15);
        MD5_STEP_I(b, c, d, a, x[5], 0xfc93a039, 21);
        MD5_STEP_I(a, b, c, d, x[12], 0x655b59c3, 6);
        MD5_STEP_I(d, a, b, c, x[3], 0x8f0ccc92, 10);
        MD5_STEP_I(c, d, a, b, x[10], 0xffeff47d, 15);
        MD5_STEP_I(b, c, d, a, x[1], 0x85845dd1, 21);
        MD5_STEP_I(a, b, c, d, x[8], 0x6fa87e4f, 6);
        MD5_STEP_I(d, a, b, c, x[15], 0xfe2ce6e0, 10);
        MD5_STEP_I(c, d, a, b, x[6], 0xa3014314, 15);
        MD5_STEP_I(b, c, d, a, x[13], 0x4e0811a1, 21);
        MD5_STEP_I(a, b, c, d, x[4], 0xf7537e82, 6);
        MD5_STEP_I(d, a, b, c, x[11], 0xbd3af235, 10);
        MD5_STEP_I(c, d, a, b, x[2], 0x2ad7d2bb, 15);
        MD5_STEP_I(b, c, d, a, x[9], 0xeb86d391, 21);

        a += aa;
        b += bb;
        c += cc;
        d += dd;
    }
    state[0] = a;
    state[1] = b;
    state[2] = c;
    state[3] = d;
}

#undef MD5_F
#undef MD5_H
#undef MD5_I
#undef MD5_STEP_F
#undef MD5_STEP_G
#undef MD5_STEP_H
#undef MD5_STEP_I

}  // namespace

void Md5ByteReverse(uint32_t* words, size_t count)
{
    if constexpr (std::endian::native == std::endian::little) {
        (void)words;
        (void)count;
    } else {
        for (size_t i = 0; i < count; ++i) {
            const uint32_t w = words[i];
            words[i] = (w >> 24) | ((w >> 8) & 0xFF00u) | ((w << 8) & 0xFF0000u) | (w << 24);
        }
    }
}

void Md5Transform(uint32_t state[4], const uint8_t block[64])
{
    TransformBlocks(state, block, 1);
}

void Md5Init(Md5Context* context)
{
    context->state[0] = 0x67452301;
    context->state[1] = 0xefcdab89;
    context->state[2] = 0x98badcfe;
    context->state[3] = 0x10325476;
    context->bitCount[0] = 0;
    context->bitCount[1] = 0;
}

void Md5Update(Md5Context* context, const void* bytes, size_t length)
{
    if (length == 0) return;  // bytes may be null then
    const uint8_t* in = static_cast<const uint8_t*>(bytes);
    const size_t held = (context->bitCount[0] >> 3) & 63;
    const uint64_t bits = (static_cast<uint64_t>(context->bitCount[1]) << 32 | context->bitCount[0]) +
                          (static_cast<uint64_t>(length) << 3);
    context->bitCount[0] = static_cast<uint32_t>(bits);
    context->bitCount[1] = static_cast<uint32_t>(bits >> 32);

    if (held) {
        const size_t room = 64 - held;
        if (length < room) {
            std::memcpy(context->buffer + held, in, length);
            return;
        }
        std::memcpy(context->buffer + held, in, room);
        TransformBlocks(context->state, context->buffer, 1);
        in += room;
        length -= room;
    }
    // Whole blocks straight from the caller's bytes: no copy of the input.
    TransformBlocks(context->state, in, length / 64);
    in += length & ~static_cast<size_t>(63);
    length &= 63;
    if (length) std::memcpy(context->buffer, in, length);
}

void Md5Final(uint8_t digest[kMd5DigestSize], Md5Context* context)
{
    uint8_t lengthBytes[8];
    for (int i = 0; i < 4; ++i) {
        lengthBytes[i] = static_cast<uint8_t>(context->bitCount[0] >> (8 * i));
        lengthBytes[4 + i] = static_cast<uint8_t>(context->bitCount[1] >> (8 * i));
    }
    // The end marker and zeros up to 56 bytes into a block, then the length.
    const size_t held = (context->bitCount[0] >> 3) & 63;
    Md5Update(context, kPadding, held < 56 ? 56 - held : 120 - held);
    Md5Update(context, lengthBytes, 8);
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) digest[4 * i + j] = static_cast<uint8_t>(context->state[i] >> (8 * j));
    }
    std::memset(context, 0, sizeof *context);
}

void Md5Digest(const void* bytes, size_t length, uint8_t digest[kMd5DigestSize])
{
    Md5Context context;
    Md5Init(&context);
    Md5Update(&context, bytes, length);
    Md5Final(digest, &context);
}

bool Md5DigestOfFile(const wchar_t* path, uint8_t digest[kMd5DigestSize])
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) return false;
    constexpr UINT kBlock = 1 << 20;
    std::vector<uint8_t> block(kBlock);
    Md5Context context;
    Md5Init(&context);
    const ULONGLONG expected = file.GetLength();
    ULONGLONG done = 0;
    for (;;) {
        const UINT got = file.Read(block.data(), kBlock);
        if (got == 0) break;
        Md5Update(&context, block.data(), got);
        done += got;
    }
    Md5Final(digest, &context);
    // A read that stopped early is an error, not the digest of a shorter file.
    return done >= expected;
}
