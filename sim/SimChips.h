// Simulated BlueCore chips behind the DFU library: a name and an internal path
// with "VID_xxxx" and "PID_xxxx", normal mode (connectable) or update mode,
// and a persistent store of keys, some unreadable or refusing writes. Every
// key written is journalled.
//
// A chip also plays its side of a firmware update: it switches into update
// mode (after a key press when the scenario says so), answers the check,
// receives the image with progress, takes its version in the manifest, is
// absent while it restarts and comes back in normal mode; the scenario can make
// every step refuse, fail or never end (sim/README.md).
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
    bool FindDevice(const std::wstring& nameOrPath, std::wstring& deviceName) override;
    bool BeginStep(const std::wstring& deviceName, DfuChipStep step, bool switchMode,
                   const DfuFileInfo* image) override;
    DfuChipAnswer PollStep(const std::wstring& deviceName) override;
    void AbortStep(const std::wstring& deviceName) override;

    // Forgets the keys written and the connections.
    void Reset();
    // Called with the simulation's lock held after every (re-)read of the
    // scenario: a connection to a chip that is gone now, or was plugged in
    // again (a new "plug" number), is lost for good.
    void ScenarioApplied();
    // The value of a key as the chip holds it now; false when it has none.
    bool StoredValue(const std::string& id, uint16_t key, std::vector<uint8_t>& value);
    // Appends the USB hardware id of each present chip with "usb=1", under the
    // product id it shows now (bit 15 set in update mode).
    void AddUsbHardwareIds(std::vector<std::string>& ids);
    // How many times an engine has asked a chip how its step goes, and
    // whether a step runs now: a test that advances the clock itself lets an
    // engine that follows a step ask first.
    unsigned long StepPolls();
    bool StepRunning();

private:
    struct Chip {
        std::string id;
        std::wstring name;
        std::wstring path;
        long productId = 0;  // as the chip shows it on USB now
    };
    // What a firmware update changed of a chip, kept until Reset.
    struct Update {
        bool modeChanged = false;  // the mode below replaces the scenario's
        bool updateMode = false;
        bool restarting = false;   // absent after a manifest
        uint64_t backAt = 0;
        // The step an engine runs.
        bool running = false;
        DfuChipStep step = DfuChipStep::Reconfigure;
        bool switchMode = false;
        bool found = false;        // a reconfigure reported the update mode
        int polls = 0;
        uint64_t startedAt = 0;
        int percent = -1;
        bool downloaded = false;
        DfuFileInfo image;
        std::map<DfuChipStep, long> failures;
    };
    // The scenario's chips; present ones only (not unplugged, not restarting)
    // unless all is set.
    std::vector<Chip> PresentChips(bool all = false);
    std::string IdOfName(const std::wstring& name, bool all = false);
    const Chip* FindChip(const std::vector<Chip>& chips, const std::wstring& nameOrPath);
    bool InUpdateMode(const std::string& id);
    // True while the chip restarts; a chip whose time is up comes back.
    bool Restarting(const std::string& id);
    void EnterMode(const std::string& id, bool updateMode);
    // The result code with which the scenario fails the step, 0 for none.
    long FailureCode(const std::string& id, DfuChipStep step);
    DfuChipAnswer EndStep(Update& update, DfuChipAnswer answer);
    DfuChipAnswer Reconfigure(const std::string& id, Update& update);
    DfuChipAnswer Download(const std::string& id, Update& update);
    DfuChipAnswer Manifest(const std::string& id, Update& update);
    // The id of a connected chip that still answers; empty when the connection
    // was lost (unplugged, plugged in again, or the library stopped).
    std::string ConnectedId(const std::wstring& name);
    bool StillPlugged(const std::string& id, long plug);

    Simulation& m_sim;
    std::map<std::pair<std::string, uint16_t>, std::vector<uint8_t>> m_written;
    std::map<std::string, long> m_connected;  // chip id -> its "plug" number when connected
    std::map<std::string, Update> m_updates;
    unsigned long m_stepPolls = 0;
};

// A persistent-store value as the scenario writes it: "words:..." (16-bit
// numbers, stored low byte first), "text:..." (8-bit text with a closing zero,
// padded to whole words), "utf16:..." (one word per UTF-16 unit) or
// hexadecimal bytes.
std::vector<uint8_t> ParseKeyValue(const std::string& text);
