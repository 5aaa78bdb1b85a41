// What the speed-dial page writes to a headset: each of the three numbers as
// a HID set request (items 0x5A to 0x5C) or as a persistent-store key (0x2280
// to 0x2282), twenty UTF-16 units at most.
#pragma once

#include <cstdint>

#include "device/DeviceSettings.h"
#include "device/RecognitionStore.h"
#include "framework/CString.h"
#include "settings/SettingsWriter.h"

inline constexpr uint8_t kSpeedDialItems[kSpeedDialCount] = {0x5A, 0x5B, 0x5C};

// The words of a number's set request: one per character (20 at most), but
// never fewer than minimumWords, the missing ones zero. Returns the count.
int BuildSpeedDialRequestWords(const CString& number, int minimumWords, uint16_t words[kDeviceNameWordCount]);

// The key of a number: its 20 units, each low byte first, zeros after the text.
void BuildSpeedDialKey(const CString& number, uint8_t bytes[kPsSpeedDialLength]);

// The speed-dial page's body of the settings writer: the three numbers on
// every write, changed or not, as set requests on the first interface (an
// empty number as one zero word, but for the two-interface headsets) without
// apply requests, or as keys of each matched chip.
class SpeedDialWriteBody : public SettingsWriteBody {
public:
    // The page's working copy; it must outlive the body.
    explicit SpeedDialWriteBody(const DeviceSettings& working) : m_working(working) {}

    bool WriteHid(int productId, HidSettingsRequests& requests) override;
    bool WriteKeys(int productId, const PsKeyWriter& writeKey) override;
    bool WantsApply(int) const override { return false; }

private:
    const DeviceSettings& m_working;
};
