// Simulated BlueCore chips behind the DFU library: a name and an internal path
// with "VID_xxxx" and "PID_xxxx", normal mode (connectable) or update mode,
// and a persistent store of keys, some unreadable or refusing writes. Every
// key written is journalled.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "dfu/DfuBackend.h"

class Simulation;

class SimChips final : public IDfuBackend {
public:
    explicit SimChips(Simulation& simulation) : m_sim(simulation) {}

    void Started() override;
    void Stopped() override;
    std::vector<DfuDeviceEntry> ListDevices() override;
    bool Connect(const std::wstring& nameOrPath, std::wstring& deviceName, bool& exists) override;
    bool GetPS(const std::wstring& deviceName, uint16_t key, uint8_t* buffer, uint16_t length,
               uint16_t& lengthOut) override;
    bool SetPS(const std::wstring& deviceName, uint16_t key, const uint8_t* data, uint16_t length) override;

    // Forgets the keys written and the connections.
    void Reset();
    // Called with the simulation's lock held after every (re-)read of the
    // scenario: a connection to a chip that is gone now, or was plugged in
    // again (a new "plug" number), is lost for good.
    void ScenarioApplied();
    // The value of a key as the chip holds it now; false when it has none.
    bool StoredValue(const std::string& id, uint16_t key, std::vector<uint8_t>& value);

private:
    struct Chip {
        std::string id;
        std::wstring name;
        std::wstring path;
    };
    std::vector<Chip> PresentChips();
    std::string IdOfName(const std::wstring& name);
    // The id of a connected chip that still answers; empty when the connection
    // was lost (unplugged, plugged in again, or the library stopped).
    std::string ConnectedId(const std::wstring& name);
    bool StillPlugged(const std::string& id, long plug);

    Simulation& m_sim;
    std::map<std::pair<std::string, uint16_t>, std::vector<uint8_t>> m_written;
    std::map<std::string, long> m_connected;  // chip id -> its "plug" number when connected
};

// A persistent-store value as the scenario writes it: "words:..." (16-bit
// numbers, stored low byte first), "text:..." (8-bit text with a closing zero,
// padded to whole words), "utf16:..." (one word per UTF-16 unit) or
// hexadecimal bytes.
std::vector<uint8_t> ParseKeyValue(const std::string& text);
