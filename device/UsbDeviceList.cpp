#include "device/UsbDeviceList.h"

#include <atomic>

#include <windows.h>
#include <setupapi.h>

namespace {

// Present devices of the "USB" enumerator, all classes, through SetupAPI.
class SetupApiUsbDeviceList final : public IUsbDeviceList {
public:
    bool GetHardwareIds(std::vector<std::string>& ids) override
    {
        ids.clear();
        HDEVINFO list = SetupDiGetClassDevsW(nullptr, L"USB", nullptr, DIGCF_PRESENT | DIGCF_ALLCLASSES);
        if (list == INVALID_HANDLE_VALUE)
            return false;

        SP_DEVINFO_DATA info{};
        info.cbSize = sizeof(info);
        for (DWORD index = 0; SetupDiEnumDeviceInfo(list, index, &info); ++index) {
            // The property is a list of strings; the first one is the id.
            BYTE buffer[256] = {};
            if (!SetupDiGetDeviceRegistryPropertyA(list, &info, SPDRP_HARDWAREID, nullptr, buffer,
                                                   sizeof(buffer) - 1, nullptr))
                continue;
            ids.emplace_back(reinterpret_cast<const char*>(buffer));
        }
        SetupDiDestroyDeviceInfoList(list);
        return true;
    }
};

SetupApiUsbDeviceList g_setupApiList;
std::atomic<IUsbDeviceList*> g_installed{nullptr};

}  // namespace

IUsbDeviceList& UsbDeviceList()
{
    IUsbDeviceList* list = g_installed.load();
    return list ? *list : g_setupApiList;
}

void SetUsbDeviceList(IUsbDeviceList* list)
{
    g_installed.store(list);
}
