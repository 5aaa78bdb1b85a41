#include "dfu/DFUTransport.h"

#include "dfu/DfuBackend.h"

#include <windows.h>

#include <mutex>

namespace {

std::mutex g_initMutex;
int g_initDepth = 0;

bool Started()
{
    std::lock_guard<std::mutex> lock(g_initMutex);
    return g_initDepth > 0;
}

using Result = DFUEngine::Result;

}  // namespace

void DFUTransportUSB::init()
{
    std::lock_guard<std::mutex> lock(g_initMutex);
    if (g_initDepth++ == 0) DfuBackend().Started();
}

void DFUTransportUSB::deinit()
{
    std::lock_guard<std::mutex> lock(g_initMutex);
    if (g_initDepth == 0) return;
    if (--g_initDepth == 0) DfuBackend().Stopped();
}

int DFUTransportUSB::InitDepth()
{
    std::lock_guard<std::mutex> lock(g_initMutex);
    return g_initDepth;
}

CStringX DFUTransportUSB::PathInternal(const CStringX& name)
{
    for (const DfuDeviceEntry& entry : DfuBackend().ListDevices()) {
        if (entry.name == name.str()) return CStringX(entry.path);
    }
    return CStringX();
}

int DFURequestsUSB::EnumerateDevices(CStringListX& devices)
{
    // The list holds the present devices afterwards, whatever it held before,
    // so a second enumeration into the same list never counts a device twice.
    devices.RemoveAll();
    if (!Started()) return 0;
    int count = 0;
    for (const DfuDeviceEntry& entry : DfuBackend().ListDevices()) {
        devices.AddTail(CStringX(entry.name));
        ++count;
    }
    return count;
}

Result DFURequestsUSB::ConnectDevice(const CStringX& path, DFUTransportCOM& transport)
{
    transport.m_device.clear();
    if (!Started()) return Result(Result::NotInitialised, L"library not started");
    std::wstring name;
    bool exists = false;
    if (!DfuBackend().Connect(path.str(), name, exists))
        return exists ? Result(Result::NotConnectable, L"device in update mode") : Result(Result::NoSuchDevice, L"no such device");
    transport.m_device = name;
    return Result();
}

Result DFUTransportCOM::BCCMDGetPS(uint16_t key, uint8_t* buffer, uint16_t length, uint16_t* lengthOut)
{
    uint16_t got = 0;
    if (lengthOut) *lengthOut = 0;
    if (!buffer || length == 0) return Result(Result::BadArgument);
    if (!IsConnected()) return Result(Result::NotConnected);
    if (!DfuBackend().GetPS(m_device, key, buffer, length, got)) return Result(Result::KeyFailed);
    if (lengthOut) *lengthOut = got;
    return Result();
}

Result DFUTransportCOM::BCCMDSetPS(uint16_t key, const uint8_t* data, uint16_t length)
{
    if (!data || length == 0) return Result(Result::BadArgument);
    if (!IsConnected()) return Result(Result::NotConnected);
    return DfuBackend().SetPS(m_device, key, data, length) ? Result() : Result(Result::KeyFailed);
}

CStringX Device::Canonicalise(const CStringX& path, bool)
{
    std::wstring canonical = path.str();
    if (!canonical.empty()) CharUpperBuffW(canonical.data(), static_cast<DWORD>(canonical.size()));
    return CStringX(std::move(canonical));
}
