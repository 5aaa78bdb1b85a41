// What the basic settings page writes: over HID every request of the model on
// each write, over the persistent store only the keys whose values changed.
#pragma once

#include "device/DeviceSettings.h"
#include "settings/SettingsWriter.h"

class BasicSettingsWriteBody : public SettingsWriteBody {
public:
    // The page's working copy and the record of the headset's values; both
    // must outlive the body. Firmware bands are the record's.
    BasicSettingsWriteBody(const DeviceSettings& working, const DeviceSettings& device)
        : m_working(working), m_device(device)
    {
    }

    bool WriteHid(int productId, HidSettingsRequests& requests) override;
    bool WriteKeys(int productId, const PsKeyWriter& writeKey) override;

private:
    const DeviceSettings& m_working;
    const DeviceSettings& m_device;
};

// The LMP feature mask a BlueCore headset gets with EDR on or off.
inline constexpr int kLmpFeatureMaskSize = 8;
const uint8_t* LmpFeatureMask(int productId, bool edrOn);
