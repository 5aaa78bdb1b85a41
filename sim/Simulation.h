// The simulated hardware: one scenario (sim/README.md) read from a file or a
// text, the simulated seams built on it, and the journal they append to.
//
// The scenario file is re-read at every enumeration (and when a device is
// opened or connected), so a test can unplug and replug devices by rewriting
// it. What the program writes to the simulated devices (HID items, persistent-
// store keys) is kept across re-reads until Reset.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "sim/Scenario.h"

class SimHidDevices;
class SimChips;
class SimDrives;
class SimUsbDevices;
class SimFtdi;

class Simulation {
public:
    static Simulation& Instance();

    // Reads the scenario from a file (path as Windows names it); false when
    // the file cannot be read.
    bool LoadFile(const std::wstring& path);
    // Takes the scenario from a text; it is not re-read.
    void LoadText(const std::string& text);
    // Re-reads the scenario file when its content changed.
    void Refresh();

    // Installs the simulated HID devices, DFU chips, drives, USB device list
    // and serial bridge library as the program's seams; Uninstall restores the real ones.
    void Install();
    void Uninstall();
    // Forgets what was written to the devices and the journal in memory.
    void Reset();

    // Appends a line to the journal: in memory and, when the scenario names a
    // journal file, to that file.
    void Journal(const std::string& line);
    std::vector<std::string> JournalLines();

    // The scenario as last read. Hold the lock while using it.
    const Scenario& Current() const { return m_scenario; }
    std::recursive_mutex& Lock() { return m_mutex; }

    SimHidDevices& Hid() { return *m_hid; }
    SimChips& Chips() { return *m_chips; }
    SimDrives& DriveSet() { return *m_drives; }
    SimUsbDevices& Usb() { return *m_usb; }

private:
    Simulation();
    ~Simulation();
    void Apply(const std::string& text);

    std::recursive_mutex m_mutex;
    Scenario m_scenario;
    std::wstring m_file;
    std::string m_text;
    std::vector<std::string> m_journal;
    std::unique_ptr<SimHidDevices> m_hid;
    std::unique_ptr<SimChips> m_chips;
    std::unique_ptr<SimDrives> m_drives;
    std::unique_ptr<SimUsbDevices> m_usb;
    std::unique_ptr<SimFtdi> m_ftdi;
};

// Reads a whole file as bytes; false when it cannot be opened.
bool ReadWholeFile(const std::wstring& path, std::string& out);
// UTF-8 <-> UTF-16 for scenario values.
std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);
