// CRC-16/XMODEM (polynomial 0x1021, initial value 0, most significant bit
// first, no reflection, no final XOR): the check value of the blocks and
// images that the second stage of the 0x3110 headset receives. Table driven.
#pragma once

#include <cstdint>

// The CRC of length bytes; 0 for a negative length or no bytes.
uint16_t Crc16Xmodem(const uint8_t* bytes, int length);
// Continues a CRC over further bytes, so that chaining it over consecutive
// blocks gives the CRC of their concatenation; a negative length changes nothing.
uint16_t Crc16XmodemUpdate(uint16_t crc, const uint8_t* bytes, int length);
