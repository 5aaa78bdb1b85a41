// MD5 (RFC 1321) in the classic init, update, final form: the digest that every
// image of a firmware package carries. Nothing is added to the algorithm.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr int kMd5DigestSize = 16;

struct Md5Context {
    uint32_t state[4];     // the four chaining values
    uint32_t bitCount[2];  // message bits absorbed so far, low word first
    uint8_t buffer[64];    // a partial block not yet transformed
};

// Starts a digest: the RFC 1321 initial chaining values and no bits.
void Md5Init(Md5Context* context);
// Absorbs length bytes; whole 64-byte blocks are transformed at once, a
// remainder waits in the buffer.
void Md5Update(Md5Context* context, const void* bytes, size_t length);
// Pads, transforms the last block or blocks and writes the 16-byte digest in the
// byte order of RFC 1321 (the order a package stores it). The context is
// cleared afterwards.
void Md5Final(uint8_t digest[kMd5DigestSize], Md5Context* context);
// The compression of one 64-byte block into the four chaining values.
void Md5Transform(uint32_t state[4], const uint8_t block[64]);
// Turns count 32-bit words into the little-endian order the transform reads;
// on a little-endian processor it changes nothing.
void Md5ByteReverse(uint32_t* words, size_t count);

// The digest of a byte range in one call.
void Md5Digest(const void* bytes, size_t length, uint8_t digest[kMd5DigestSize]);
// The digest of a whole file, read in large blocks; false when the file cannot
// be opened or read to its end.
bool Md5DigestOfFile(const wchar_t* path, uint8_t digest[kMd5DigestSize]);
