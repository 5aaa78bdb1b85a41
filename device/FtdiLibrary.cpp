#include "device/FtdiLibrary.h"

#include <windows.h>

#include <atomic>
#include <mutex>

namespace {

// The library's functions as it exports them.
using OpenFunction = unsigned long(WINAPI*)(int deviceIndex, void** handle);
using ComPortFunction = unsigned long(WINAPI*)(void* handle, long* port);
using CloseFunction = unsigned long(WINAPI*)(void* handle);

class RealFtdiLibrary final : public IFtdi {
public:
    unsigned long Open(int deviceIndex, void** handle) override
    {
        if (handle) *handle = nullptr;
        Load();
        return m_open && handle ? m_open(deviceIndex, handle) : kFtdiDeviceNotFound;
    }
    unsigned long GetComPortNumber(void* handle, long* port) override
    {
        Load();
        return m_comPort && port ? m_comPort(handle, port) : kFtdiDeviceNotFound;
    }
    unsigned long Close(void* handle) override
    {
        Load();
        return m_close ? m_close(handle) : kFtdiDeviceNotFound;
    }

private:
    // Loaded once and kept for the rest of the run; a library that lacks one of
    // the three functions counts as absent.
    void Load()
    {
        std::call_once(m_once, [this] {
            HMODULE module = ::LoadLibraryW(kFtdiLibraryName);
            if (!module) return;
            auto open = reinterpret_cast<OpenFunction>(::GetProcAddress(module, MAKEINTRESOURCEA(kFtdiOrdinalOpen)));
            auto comPort =
                reinterpret_cast<ComPortFunction>(::GetProcAddress(module, MAKEINTRESOURCEA(kFtdiOrdinalComPort)));
            auto close = reinterpret_cast<CloseFunction>(::GetProcAddress(module, MAKEINTRESOURCEA(kFtdiOrdinalClose)));
            if (!open || !comPort || !close) {
                ::FreeLibrary(module);
                return;
            }
            m_open = open;
            m_comPort = comPort;
            m_close = close;
        });
    }

    std::once_flag m_once;
    OpenFunction m_open = nullptr;
    ComPortFunction m_comPort = nullptr;
    CloseFunction m_close = nullptr;
};

std::atomic<IFtdi*> g_installed{nullptr};

}  // namespace

IFtdi& RealFtdi()
{
    static RealFtdiLibrary real;
    return real;
}

IFtdi& Ftdi()
{
    IFtdi* installed = g_installed.load();
    return installed ? *installed : RealFtdi();
}

void SetFtdi(IFtdi* ftdi) { g_installed = ftdi; }

FtdiPortResult ReadFtdiComPort(long* port)
{
    long number = -1;
    if (port) *port = -1;
    void* handle = nullptr;
    if (Ftdi().Open(0, &handle) != kFtdiOk) return FtdiPortResult::OpenFailed;
    const unsigned long status = Ftdi().GetComPortNumber(handle, &number);
    Ftdi().Close(handle);
    // A bridge without a COM port answers -1: no port to hand to the loader.
    if (status != kFtdiOk || number < 0) return FtdiPortResult::PortFailed;
    if (port) *port = number;
    return FtdiPortResult::Ok;
}
