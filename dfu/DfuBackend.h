// What lies below the DFU library's classes: the chips it can reach. The
// shipped backend reaches none; the simulation installs chips of its own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dfu/DFUEngine.h"
#include "dfu/DfuFile.h"

struct DfuDeviceEntry {
    std::wstring name;  // the library's name of the device
    std::wstring path;  // its internal path, holding "VID_xxxx" and "PID_xxxx"
};

// The steps of a firmware update as a chip takes them.
enum class DfuChipStep {
    Reconfigure,  // switch from normal mode into update mode
    CheckDevice,  // the first request to the chip in update mode
    Download,     // receive the image
    Manifest,     // take the image and restart into normal mode
};

// A chip's answer when asked how its step goes.
struct DfuChipAnswer {
    enum class Kind {
        Busy,      // nothing new
        Activity,  // value: an activity code of DFUEngine::Status
        Progress,  // value: percent of the download
        Done,      // the step succeeded
        Failed,    // value: a result code of DFUEngine::Result
    };
    Kind kind = Kind::Busy;
    int value = 0;
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

    // The chip side of a firmware update, driven by an engine of the library.
    // The name of a present device named by its name, path or canonical path
    // (any case), in normal or in update mode.
    virtual bool FindDevice(const std::wstring& nameOrPath, std::wstring& deviceName) { return false; }
    // Starts a step on the device; false when the chip does not take it (gone,
    // refusing, or a manifest without a finished download). switchMode asks a
    // chip in normal mode to switch itself (Reconfigure); image is the file a
    // Download sends.
    virtual bool BeginStep(const std::wstring& deviceName, DfuChipStep step, bool switchMode,
                           const DfuFileInfo* image)
    {
        return false;
    }
    // How the running step goes; asked every poll interval of the engine.
    virtual DfuChipAnswer PollStep(const std::wstring& deviceName)
    {
        return {DfuChipAnswer::Kind::Failed, DFUEngine::Result::NoUpdateModeDevice};
    }
    // The engine gave up the step or the device (timed out or destroyed).
    virtual void AbortStep(const std::wstring& deviceName) {}
};

// The backend in use: the shipped one unless another was installed.
IDfuBackend& DfuBackend();
// Installs another backend (not owned); null restores the shipped one.
void SetDfuBackend(IDfuBackend* backend);
