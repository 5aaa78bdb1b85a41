// What lies below the DFU library's classes: the chips it can reach. The
// shipped backend reaches none; the simulation installs chips of its own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct DfuDeviceEntry {
    std::wstring name;  // the library's name of the device
    std::wstring path;  // its internal path, holding "VID_xxxx" and "PID_xxxx"
};

class IDfuBackend {
public:
    virtual ~IDfuBackend() = default;
    // The library was started or stopped (outermost init and deinit only).
    virtual void Started() {}
    virtual void Stopped() {}
    virtual std::vector<DfuDeviceEntry> ListDevices() = 0;
    // Connects to the present device named by its name, path or canonical
    // path (any case); its name in deviceName. False when there is no such
    // device or it does not take connections (update mode).
    virtual bool Connect(const std::wstring& nameOrPath, std::wstring& deviceName, bool& exists) = 0;
    // Persistent-store access on a connected device; lengths in bytes.
    virtual bool GetPS(const std::wstring& deviceName, uint16_t key, uint8_t* buffer, uint16_t length,
                       uint16_t& lengthOut) = 0;
    virtual bool SetPS(const std::wstring& deviceName, uint16_t key, const uint8_t* data, uint16_t length) = 0;
};

// The backend in use: the shipped one unless another was installed.
IDfuBackend& DfuBackend();
// Installs another backend (not owned); null restores the shipped one.
void SetDfuBackend(IDfuBackend* backend);
