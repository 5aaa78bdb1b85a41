#include "settings/SpeedDialWrite.h"

#include <algorithm>
#include <cstring>

int BuildSpeedDialRequestWords(const CString& number, int minimumWords, uint16_t words[kDeviceNameWordCount])
{
    const int used = EncodeDeviceName(words, number) / 2;
    return std::clamp(std::max(used, minimumWords), 0, kDeviceNameWordCount);
}

void BuildSpeedDialKey(const CString& number, uint8_t bytes[kPsSpeedDialLength])
{
    uint16_t words[kDeviceNameWordCount] = {};
    EncodeDeviceName(words, number);
    // The byte image of the words: Windows keeps them low byte first.
    std::memcpy(bytes, words, sizeof words);
}
