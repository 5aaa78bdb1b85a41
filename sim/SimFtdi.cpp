#include "sim/SimFtdi.h"

#include <mutex>

#include "sim/Simulation.h"

namespace {

// The one handle the simulated bridge hands out.
int g_bridge;
void* const kBridgeHandle = &g_bridge;

constexpr unsigned long kFtdiIoError = 4;

}  // namespace

unsigned long SimFtdi::Open(int deviceIndex, void** handle)
{
    if (handle) *handle = nullptr;
    m_sim.Refresh();
    std::lock_guard<std::recursive_mutex> lock(m_sim.Lock());
    const Scenario& scenario = m_sim.Current();
    // No bridge in the scenario: as without the library.
    if (!scenario.Has("ftdi.port") || deviceIndex != 0 || !handle) {
        m_sim.Journal("ftdi open none");
        return kFtdiDeviceNotFound;
    }
    if (LowerKey(scenario.Get("ftdi.open")) == "fail") {
        m_sim.Journal("ftdi open fail");
        return kFtdiIoError;
    }
    m_sim.Journal("ftdi open");
    *handle = kBridgeHandle;
    return kFtdiOk;
}

unsigned long SimFtdi::GetComPortNumber(void* handle, long* port)
{
    std::lock_guard<std::recursive_mutex> lock(m_sim.Lock());
    const std::string value = LowerKey(m_sim.Current().Get("ftdi.port"));
    if (handle != kBridgeHandle || !port || value == "fail") {
        m_sim.Journal("ftdi port fail");
        return kFtdiIoError;
    }
    long number = -1;
    if (!ParseNumber(value, number)) number = -1;  // "none": a bridge without a port
    *port = number;
    m_sim.Journal("ftdi port " + std::to_string(number));
    return kFtdiOk;
}

unsigned long SimFtdi::Close(void* handle)
{
    std::lock_guard<std::recursive_mutex> lock(m_sim.Lock());
    m_sim.Journal("ftdi close");
    return handle == kBridgeHandle ? kFtdiOk : kFtdiIoError;
}
