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

bool SpeedDialWriteBody::WriteHid(int productId, HidSettingsRequests& requests)
{
    const int minimumWords = HidSettingsFamilyOf(productId) == HidSettingsFamily::TwoInterfaces ? 0 : 1;
    for (int n = 0; n < kSpeedDialCount; ++n) {
        uint16_t words[kDeviceNameWordCount] = {};
        const int count = BuildSpeedDialRequestWords(m_working.SpeedDialNumbers[n], minimumWords, words);
        int values[kDeviceNameWordCount] = {};
        std::copy(words, words + count, values);
        if (!requests.Set(1, kSpeedDialItems[n], std::span<const int>(values, static_cast<size_t>(count))))
            return false;
    }
    return true;
}

bool SpeedDialWriteBody::WriteKeys(int productId, const PsKeyWriter& writeKey)
{
    for (int n = 0; n < kSpeedDialCount; ++n) {
        uint8_t bytes[kPsSpeedDialLength] = {};
        BuildSpeedDialKey(m_working.SpeedDialNumbers[n], bytes);
        if (!writeKey(static_cast<uint16_t>(PsKeySpeedDial + n), bytes, kPsSpeedDialLength)) return false;
    }
    return true;
}
