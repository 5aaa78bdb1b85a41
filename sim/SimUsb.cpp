#include "sim/SimUsb.h"

#include "sim/SimChips.h"
#include "sim/Simulation.h"

#include <mutex>

bool SimUsbDevices::GetHardwareIds(std::vector<std::string>& ids)
{
    ids.clear();
    m_sim.Refresh();
    std::lock_guard<std::recursive_mutex> lock(m_sim.Lock());
    const Scenario& scenario = m_sim.Current();
    if (LowerKey(scenario.Get("usblist")) == "fail") return false;  // the device list cannot be had
    for (const std::string& id : scenario.Ids("usb")) {
        if (scenario.Number("usb." + id + ".present", 1) == 0) continue;
        std::string hardwareId = scenario.Get("usb." + id);
        if (!hardwareId.empty()) ids.push_back(hardwareId);
    }
    m_sim.Chips().AddUsbHardwareIds(ids);  // chips that show on USB as they are now
    return true;
}
