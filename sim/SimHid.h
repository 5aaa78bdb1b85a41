// Simulated HID headsets: interfaces with paths, attributes and capabilities
// that answer the headset's report protocol, with busy replies, failure
// statuses, failing reads and writes, silence, unplug and return.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "device/HidDevices.h"
#include "sim/SimHidFlash.h"

class Scenario;
class Simulation;

class SimHidDevices final : public IHidDevices {
public:
    explicit SimHidDevices(Simulation& simulation) : m_sim(simulation) {}
    ~SimHidDevices() override;

    bool ListInterfaces(std::vector<HidInterfacePath>& out) override;
    HANDLE Open(const wchar_t* path) override;
    bool GetAttributes(HANDLE device, HidAttributes& out) override;
    bool GetCaps(HANDLE device, HidCaps& out) override;
    bool Write(HANDLE device, const uint8_t* data, unsigned size) override;
    bool Read(HANDLE device, uint8_t* data, unsigned size, unsigned timeoutMs) override;
    void Close(HANDLE device) override;

    // Forgets the items written by set requests.
    void Reset();
    // Called with the simulation's lock held after every (re-)read of the
    // scenario: handles of a device that is gone now, or was plugged in again
    // (a new "plug" number), stay dead for good, as on a real bus.
    void ScenarioApplied();
    // How many handles are open (tests check that discovery closes what it opens).
    int OpenHandleCount();
    // What the headsets do when they are flashed (lock held while using it).
    SimHidFlash& Flash() { return m_flash; }

private:
    using Reply = std::array<uint8_t, 67>;  // one input report
    struct Exchange {
        bool pending = false;  // a reply is owed
        long busyLeft = 0;     // busy replies before it; -1 for ever
        int reads = 0;         // reads since the last write
        Reply reply{};
    };
    struct OpenDevice {
        std::string id;
        long plug = 0;      // the device's "plug" number when it was opened
        long generation = 0;  // its identity when it was opened (SimHidFlash::Generation)
        bool gone = false;  // the device was unplugged since: the handle is dead
        Exchange exchange;
    };

    // Write under the simulation's lock; latencyUs: how long the write takes.
    bool WriteLocked(HANDLE device, const uint8_t* data, unsigned size, long& latencyUs);
    // The present device's id for an open handle; empty when unknown, unplugged,
    // or unplugged at any time since the handle was opened.
    std::string PresentId(HANDLE device);
    // Marks the handle dead when its device is absent, was plugged in again or
    // left or changed its identity since.
    void CheckStillPlugged(const Scenario& scenario, OpenDevice& open);
    // The product id the interface enumerates with just now.
    long ProductIdNow(const Scenario& scenario, const std::string& id);
    // forcedStatus: the status the scenario gives this request, -1 for none.
    Reply Answer(const std::string& id, const uint8_t* request, unsigned size, int forcedStatus);
    std::vector<uint16_t> ItemWords(const std::string& id, int item, bool& known);

    Simulation& m_sim;
    SimHidFlash m_flash{m_sim};
    std::map<HANDLE, OpenDevice> m_open;
    std::map<std::pair<std::string, int>, std::vector<uint16_t>> m_written;
    // Requests written per device, group and item (for status sequences).
    std::map<std::tuple<std::string, int, int>, int> m_requests;
    // Interface lists made per device since the scenario was (re-)read.
    std::map<std::string, int> m_listings;
};

// The device path a simulated HID interface gets when the scenario names none.
std::string DefaultHidPath(const std::string& id, long vendorId, long productId);
