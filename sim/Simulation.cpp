#include "sim/Simulation.h"

#include "framework/CString.h"

#include "dfu/DfuBackend.h"
#include "device/HidDevices.h"
#include "device/FtdiLibrary.h"
#include "device/SeamsDrives.h"
#include "device/UsbDeviceList.h"
#include "framework/Clock.h"
#include "sim/SimChips.h"
#include "sim/SimDrives.h"
#include "sim/SimFtdi.h"
#include "sim/SimHid.h"
#include "sim/SimUsb.h"

#include <windows.h>

#include <cstdlib>

Simulation& Simulation::Instance()
{
    static Simulation simulation;
    return simulation;
}

Simulation::Simulation()
    : m_hid(std::make_unique<SimHidDevices>(*this)),
      m_chips(std::make_unique<SimChips>(*this)),
      m_drives(std::make_unique<SimDrives>(*this)),
      m_usb(std::make_unique<SimUsbDevices>(*this)),
      m_ftdi(std::make_unique<SimFtdi>(*this))
{
}

Simulation::~Simulation() = default;

void Simulation::Apply(const std::string& text)
{
    m_text = text;
    m_scenario.Parse(text);
    std::string scale = m_scenario.Get("time.scale");
    if (!scale.empty()) Clock::SetScale(std::atof(scale.c_str()));
    m_hid->ScenarioApplied();
    m_chips->ScenarioApplied();
}

bool Simulation::LoadFile(const std::wstring& path)
{
    std::string text;
    if (!ReadWholeFile(path, text)) return false;
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_file = path;
    Apply(text);
    return true;
}

void Simulation::LoadText(const std::string& text)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_file.clear();
    Apply(text);
}

void Simulation::Refresh()
{
    std::wstring file;
    {
        std::lock_guard<std::recursive_mutex> lock(m_mutex);
        file = m_file;
    }
    std::string text;
    // A file that cannot be read just now (being replaced) keeps the last scenario.
    if (file.empty() || !ReadWholeFile(file, text)) return;
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    if (text != m_text) Apply(text);
}

void Simulation::Install()
{
    SetHidDevices(m_hid.get());
    SetDfuBackend(m_chips.get());
    SetDrives(m_drives.get());
    SetUsbDeviceList(m_usb.get());
    SetFtdi(m_ftdi.get());
}

void Simulation::Uninstall()
{
    SetHidDevices(nullptr);
    SetDfuBackend(nullptr);
    SetDrives(nullptr);
    SetUsbDeviceList(nullptr);
    SetFtdi(nullptr);
}

void Simulation::Reset()
{
    m_hid->Reset();
    m_chips->Reset();
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_journal.clear();
}

void Simulation::Journal(const std::string& line)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_journal.push_back(line);
    std::string path = m_scenario.Get("journal");
    if (path.empty()) return;
    HANDLE file = CreateFileW(WideFromUtf8(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

std::vector<std::string> Simulation::JournalLines()
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    return m_journal;
}

bool ReadWholeFile(const std::wstring& path, std::string& out)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart < (1 << 24);
    if (ok) {
        out.assign(static_cast<size_t>(size.QuadPart), '\0');
        DWORD read = 0;
        ok = out.empty() || (ReadFile(file, out.data(), static_cast<DWORD>(out.size()), &read, nullptr) &&
                             read == out.size());
    }
    CloseHandle(file);
    return ok;
}

std::wstring WideFromUtf8(const std::string& text) { return CString::FromUtf8(text).str(); }

std::string Utf8FromWide(const std::wstring& text) { return CString(text).ToUtf8(); }
