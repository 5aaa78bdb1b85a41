#include "device/HidDevices.h"

#include <setupapi.h>
extern "C" {
#include <hidsdi.h>
#include <hidpi.h>
}

#include <atomic>
#include <memory>

namespace {

// Frees a SetupAPI device list whatever path leaves the scope.
struct DeviceListGuard {
    HDEVINFO list;
    ~DeviceListGuard()
    {
        if (list != INVALID_HANDLE_VALUE) SetupDiDestroyDeviceInfoList(list);
    }
};

// Reads one interface's detail (size first, then the detail) in the wide or
// 8-bit form; false when either call fails.
template <typename Detail, typename Char, typename GetDetail>
bool ReadInterfacePath(HDEVINFO list, SP_DEVICE_INTERFACE_DATA& data, GetDetail getDetail,
                       std::basic_string<Char>& out)
{
    DWORD size = 0;
    getDetail(list, &data, nullptr, 0, &size, nullptr);
    if (size < sizeof(Detail)) return false;
    std::unique_ptr<uint8_t[]> buffer(new uint8_t[size]());
    auto* detail = reinterpret_cast<Detail*>(buffer.get());
    detail->cbSize = sizeof(Detail);
    if (!getDetail(list, &data, detail, size, nullptr, nullptr)) return false;
    out = detail->DevicePath;
    return true;
}

// Runs one overlapped transfer on a handle opened for overlapped I/O and waits
// for it at most timeoutMs; a transfer that does not finish in time is
// cancelled and counts as failed.
template <typename Start>
bool OverlappedTransfer(HANDLE device, unsigned size, unsigned timeoutMs, Start start)
{
    OVERLAPPED overlapped{};
    overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!overlapped.hEvent) return false;
    DWORD done = 0;
    bool ok = start(&overlapped, &done) != FALSE;
    if (!ok && GetLastError() == ERROR_IO_PENDING) {
        if (WaitForSingleObject(overlapped.hEvent, timeoutMs) == WAIT_OBJECT_0) {
            ok = GetOverlappedResult(device, &overlapped, &done, FALSE) != FALSE;
        } else {
            CancelIo(device);
            GetOverlappedResult(device, &overlapped, &done, TRUE);  // the cancel completes it
            ok = false;
        }
    } else if (ok) {
        ok = GetOverlappedResult(device, &overlapped, &done, FALSE) != FALSE;
    }
    CloseHandle(overlapped.hEvent);
    return ok && done == size;
}

class RealHid final : public IHidDevices {
public:
    bool ListInterfaces(std::vector<HidInterfacePath>& out) override
    {
        out.clear();
        GUID hidGuid;
        HidD_GetHidGuid(&hidGuid);
        DeviceListGuard guard{SetupDiGetClassDevsW(&hidGuid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE)};
        if (guard.list == INVALID_HANDLE_VALUE) return false;
        SP_DEVICE_INTERFACE_DATA data{};
        data.cbSize = sizeof(data);
        for (DWORD index = 0; SetupDiEnumDeviceInterfaces(guard.list, nullptr, &hidGuid, index, &data); ++index) {
            HidInterfacePath entry;
            bool wide = ReadInterfacePath<SP_DEVICE_INTERFACE_DETAIL_DATA_W, wchar_t>(
                guard.list, data, SetupDiGetDeviceInterfaceDetailW, entry.path);
            bool narrow = ReadInterfacePath<SP_DEVICE_INTERFACE_DETAIL_DATA_A, char>(
                guard.list, data, SetupDiGetDeviceInterfaceDetailA, entry.pathA);
            if (wide || narrow) out.push_back(std::move(entry));
        }
        return true;
    }

    HANDLE Open(const wchar_t* path) override
    {
        if (!path || !*path) return nullptr;
        HANDLE device = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED, nullptr);
        return device == INVALID_HANDLE_VALUE ? nullptr : device;
    }

    bool GetAttributes(HANDLE device, HidAttributes& out) override
    {
        HIDD_ATTRIBUTES attributes{};
        attributes.Size = sizeof(attributes);
        if (!device || !HidD_GetAttributes(device, &attributes)) return false;
        out.vendorId = attributes.VendorID;
        out.productId = attributes.ProductID;
        out.versionNumber = attributes.VersionNumber;
        return true;
    }

    bool GetCaps(HANDLE device, HidCaps& out) override
    {
        PHIDP_PREPARSED_DATA preparsed = nullptr;
        if (!device || !HidD_GetPreparsedData(device, &preparsed)) return false;
        HIDP_CAPS caps{};
        bool ok = HidP_GetCaps(preparsed, &caps) == HIDP_STATUS_SUCCESS;
        HidD_FreePreparsedData(preparsed);
        if (!ok) return false;
        out.usage = caps.Usage;
        out.usagePage = caps.UsagePage;
        out.inputReportLength = caps.InputReportByteLength;
        out.outputReportLength = caps.OutputReportByteLength;
        return true;
    }

    bool Write(HANDLE device, const uint8_t* data, unsigned size) override
    {
        if (!device) return false;
        return OverlappedTransfer(device, size, kWriteTimeoutMs, [&](OVERLAPPED* overlapped, DWORD* done) {
            return WriteFile(device, data, size, done, overlapped);
        });
    }

    bool Read(HANDLE device, uint8_t* data, unsigned size, unsigned timeoutMs) override
    {
        if (!device) return false;
        return OverlappedTransfer(device, size, timeoutMs, [&](OVERLAPPED* overlapped, DWORD* done) {
            return ReadFile(device, data, size, done, overlapped);
        });
    }

    void Close(HANDLE device) override
    {
        if (device && device != INVALID_HANDLE_VALUE) CloseHandle(device);
    }

private:
    static constexpr unsigned kWriteTimeoutMs = 5000;
};

std::atomic<IHidDevices*> g_installed{nullptr};

}  // namespace

IHidDevices& RealHidDevices()
{
    static RealHid real;
    return real;
}

IHidDevices& HidDevices()
{
    IHidDevices* installed = g_installed.load();
    return installed ? *installed : RealHidDevices();
}

void SetHidDevices(IHidDevices* devices) { g_installed = devices; }

void CloseHidHandle(HANDLE& device)
{
    if (device) HidDevices().Close(device);
    device = nullptr;
}
