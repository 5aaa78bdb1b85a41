#include "device/HidDiscovery.h"

#include "device/DeviceSettings.h"
#include "device/HidDevices.h"
#include "device/HidTransport.h"
#include "framework/CString.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <vector>

namespace {

// Walks the present HID interfaces, opening each one by its wide path and
// reading its attributes; visit(handle, attributes, path) returns true to stop.
// An interface that cannot be opened is skipped; every opened handle is closed.
template <typename Visit>
void ForEachOpenedInterface(Visit visit)
{
    std::vector<HidInterfacePath> interfaces;
    if (!HidDevices().ListInterfaces(interfaces)) return;
    for (const HidInterfacePath& entry : interfaces) {
        HANDLE device = HidDevices().Open(entry.path.c_str());
        if (!device) continue;
        HidAttributes attributes;
        bool stop = HidDevices().GetAttributes(device, attributes) && visit(device, attributes, entry.path);
        CloseHidHandle(device);
        if (stop) return;
    }
}

// The hexadecimal number after the first `tag` from the sixth character of the
// formatted path, or -1 when the tag is absent.
long PathNumber(const char* formatted, const char* tag)
{
    if (std::strlen(formatted) < 5) return -1;
    const char* found = std::strstr(formatted + 5, tag);
    return found ? static_cast<long>(std::strtoul(found + 4, nullptr, 16)) : -1;
}

// Discovery by path parsing: for each interface of the maker whose 8-bit path
// fits the path buffer and names one of the product ids, opens it and calls
// visit(handle, productId); visit takes the handle and returns true to stop.
// Returns the result of the visit that stopped, else false.
template <typename Visit>
bool ForEachMakerInterface(std::initializer_list<int> productIds, Visit visit)
{
    std::vector<HidInterfacePath> interfaces;
    if (!HidDevices().ListInterfaces(interfaces)) return false;
    for (const HidInterfacePath& entry : interfaces) {
        char formatted[kHidPathSize];
        if (FormatHidPath(formatted, "%s\n", entry.pathA.c_str()) < 0) continue;
        if (PathNumber(formatted, "vid_") != kMakerVendorId) continue;
        long productId = PathNumber(formatted, "pid_");
        bool wanted = false;
        for (int id : productIds) wanted = wanted || productId == id;
        if (!wanted) continue;
        HANDLE device = HidDevices().Open(CString::FromAnsi(entry.pathA).GetString());
        if (!device) continue;
        if (visit(device, static_cast<int>(productId))) return true;
    }
    return false;
}

// Puts a newly opened handle into a slot, closing what the slot held.
void StoreHandle(HANDLE& slot, HANDLE device)
{
    if (slot != device) CloseHidHandle(slot);
    slot = device;
}

// The version query (report id 1, command 1) into one version group:
// major, minor, secondary type 2, secondary version, build.
VersionGroup QueryPollVersion(HANDLE* device)
{
    uint8_t request[kHidRequestSize] = {};
    uint8_t reply[kHidReplySize] = {};
    request[0] = kHidReportId;
    request[1] = kHidGroupInformation;
    if (!HidTransact(device, request, reply)) return {1, 0, 2, 0, 0};
    return {reply[3], reply[4], 2, reply[5], reply[6]};
}

void SendCommand(HANDLE* device, uint8_t command)
{
    uint8_t request[kHidRequestSize] = {};
    uint8_t reply[kHidReplySize] = {};
    request[0] = kHidReportId;
    request[1] = command;
    HidTransact(device, request, reply);
}

constexpr uint8_t kPollFollowUpCommand = 0x30;

}  // namespace

int FormatHidPath(char buffer[kHidPathSize], const char* format, ...)
{
    va_list args;
    va_start(args, format);
    int length = std::vsnprintf(buffer, kHidPathSize, format, args);
    va_end(args);
    if (length < 0 || length >= kHidPathSize) {
        buffer[0] = '\0';
        return -1;
    }
    return length;
}

int FindHidDevicePath(wchar_t* path, int productId)
{
    bool found = false;
    ForEachOpenedInterface([&](HANDLE device, const HidAttributes& attributes, const std::wstring& devicePath) {
        if (attributes.vendorId != kMakerVendorId || attributes.productId != (productId & 0xFFFF)) return false;
        HidCaps caps;
        if (!HidDevices().GetCaps(device, caps) || caps.usagePage != kVendorUsagePage || caps.usage != kVendorUsage)
            return false;
        if (path) {
            if (devicePath.size() >= static_cast<size_t>(kHidPathSize)) return false;
            wcscpy(path, devicePath.c_str());
        }
        found = true;
        return true;
    });
    return found ? 1 : 0;
}

HANDLE OpenHidDevice(int productId)
{
    wchar_t path[kHidPathSize] = {};
    if (!FindHidDevicePath(path, productId)) return nullptr;
    return HidDevices().Open(path);
}

int FindHidDevice(HidMainState& main, int toMainWindow, int* productIdOut, HANDLE pair[2])
{
    HANDLE scratch[2] = {nullptr, nullptr};
    HANDLE* slots = toMainWindow ? nullptr : (pair ? pair : scratch);
    HANDLE& first = toMainWindow ? main.hidHandle1 : slots[0];
    HANDLE& second = toMainWindow ? main.hidHandle2 : slots[1];
    bool found = ForEachMakerInterface({kHidHeadsetProductId}, [&](HANDLE device, int productId) {
        StoreHandle(first, device);
        return first && !second && productId == kHidHeadsetProductId;
    });
    if (found) {
        if (toMainWindow) main.targetProductId = kHidHeadsetProductId;
        else if (productIdOut) *productIdOut = kHidHeadsetProductId;
    }
    // A caller that gave no pair only asks whether the headset is there.
    CloseHidHandle(scratch[0]);
    return found ? 1 : 0;
}

int PollHidInterfaces(HidMainState& main)
{
    bool done = ForEachMakerInterface(
        {kCombinedChipProductId, kCombinedChipSecondProductId, kCombinedChipDfuProductId},
        [&](HANDLE device, int productId) {
            bool isFirst = main.hidHandle1 == nullptr;
            HANDLE& slot = isFirst ? main.hidHandle1 : main.hidHandle2;
            StoreHandle(slot, device);
            VersionGroup version{1, 0, 2, 0, 0};
            if (productId != kCombinedChipDfuProductId) {
                version = QueryPollVersion(&slot);
                SendCommand(&slot, kPollFollowUpCommand);
            }
            if (isFirst) {
                main.deviceSettings.Firmware = version;
                main.deviceSettings.FirstInterface = version;
            } else {
                main.deviceSettings.SecondInterface = version;
            }
            return main.hidHandle1 && main.hidHandle2;
        });
    return done ? 1 : 0;
}

int CountHidDfuDevices(int maximum)
{
    int count = 0;
    if (maximum <= 0) return 0;
    ForEachOpenedInterface([&](HANDLE, const HidAttributes& attributes, const std::wstring&) {
        if (attributes.vendorId == kMakerVendorId && attributes.productId == kCombinedChipDfuProductId) ++count;
        return count >= maximum;
    });
    return count;
}

int ReadHidItem5(HANDLE* hidHandle1) { return std::max(ReadHidItem5OrNone(hidHandle1), 0); }

int ReadHidItem5OrNone(HANDLE* hidHandle1)
{
    uint8_t request[kHidRequestSize] = {};
    uint8_t reply[kHidReplySize] = {};
    request[0] = kHidReportId;
    request[1] = kHidGroupGet;
    request[2] = 5;
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (HidTransact(hidHandle1, request, reply)) {
            SwapReplyWords(reply);
            return reply[5];
        }
    }
    return -1;
}
