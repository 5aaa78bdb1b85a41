// The simulated USB device list: the hardware ids of the scenario's "usb.<n>"
// lines, as the system lists them for devices of the "USB" enumerator.
#pragma once

#include <string>
#include <vector>

#include "device/UsbDeviceList.h"

class Simulation;

class SimUsbDevices final : public IUsbDeviceList {
public:
    explicit SimUsbDevices(Simulation& simulation) : m_sim(simulation) {}
    // The first hardware id of each present device, in scenario order.
    bool GetHardwareIds(std::vector<std::string>& ids) override;

private:
    Simulation& m_sim;
};
