// The USB device list: the hardware ids of the present devices of the "USB"
// enumerator. The program reads them from SetupAPI; the simulator and the tests
// install a list of their own.
#pragma once

#include <string>
#include <vector>

class IUsbDeviceList {
public:
    virtual ~IUsbDeviceList() = default;

    // Replaces ids with the first hardware id (8-bit text) of each present
    // device, in enumeration order; a device whose id cannot be read is left
    // out. False when the device list cannot be obtained.
    virtual bool GetHardwareIds(std::vector<std::string>& ids) = 0;
};

// The list in use: the one installed last, or the SetupAPI one.
IUsbDeviceList& UsbDeviceList();
// Installs a list (not owned; it must outlive its use). Null restores the
// SetupAPI list.
void SetUsbDeviceList(IUsbDeviceList* list);
