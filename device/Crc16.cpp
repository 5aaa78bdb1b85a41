#include "device/Crc16.h"

#include <array>

namespace {

constexpr uint16_t kPolynomial = 0x1021;

// The standard 256-entry table of the polynomial: entry n is the CRC register
// after shifting the byte n through it from a zero register.
constexpr std::array<uint16_t, 256> MakeTable()
{
    std::array<uint16_t, 256> table{};
    for (int n = 0; n < 256; ++n) {
        uint16_t crc = static_cast<uint16_t>(n << 8);
        for (int bit = 0; bit < 8; ++bit) {
            crc = static_cast<uint16_t>((crc & 0x8000) ? (crc << 1) ^ kPolynomial : crc << 1);
        }
        table[static_cast<size_t>(n)] = crc;
    }
    return table;
}

constexpr std::array<uint16_t, 256> kTable = MakeTable();

}  // namespace

uint16_t Crc16XmodemUpdate(uint16_t crc, const uint8_t* bytes, int length)
{
    if (!bytes) return crc;
    for (int i = 0; i < length; ++i) {
        crc = static_cast<uint16_t>((crc << 8) ^ kTable[static_cast<size_t>(((crc >> 8) ^ bytes[i]) & 0xFF)]);
    }
    return crc;
}

uint16_t Crc16Xmodem(const uint8_t* bytes, int length) { return Crc16XmodemUpdate(0, bytes, length); }
