#include "app/ui/DiagnosticLog.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "app/Configuration.h"
#include "app/Texts.h"
#include "device/ProductCatalogue.h"
#include "device/UsbDeviceList.h"
#include "framework/File.h"
#include "framework/FileDialog.h"

#undef GetCurrentTime  // winbase.h's alias of GetTickCount would hide CTime's

namespace {

const wchar_t kFailedToGetInformation[] = L"Failed to get information\n";

// The Windows 9x family by major and minor version.
struct Windows9xRow {
    DWORD major;
    DWORD minor;
    WindowsKind kind;
};
const Windows9xRow kWindows9xRows[] = {
    {4, 0, {L"Windows95", 1}},
    {4, 10, {L"Windows98", 2}},
    {4, 90, {L"WindowsME", 3}},
};
const WindowsKind kUnknownWindows = {L"???", 0};

CString VersionBlock(const DeviceSettings& device)
{
    // Products with two HID interfaces report a version group for each.
    if (ProductTraitsOf(device.ProductId).Has(kTwoInterfaces)) {
        const VersionGroup& a = device.FirstInterface;
        const VersionGroup& b = device.SecondInterface;
        return CString::Formatted(
            L"Device Version 01: %d.%d\nSecondary Version Type 01: %d\nSecondary Version 01: %d\n"
            L"Device Version 02: %d.%d\nSecondary Version Type 02: %d\nSecondary Version 02: %d\n\n",
            a.Major, a.Minor, a.SecondaryType, a.SecondaryVersion, b.Major, b.Minor, b.SecondaryType,
            b.SecondaryVersion);
    }
    const VersionGroup& f = device.Firmware;
    return CString::Formatted(L"Device Version: %d.%d\nSecondary Version Type: %d\nSecondary Version: %d\n\n",
                              f.Major, f.Minor, f.SecondaryType, f.SecondaryVersion);
}

bool IsWow64()
{
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    HMODULE kernel = ::GetModuleHandleW(L"kernel32");
    auto fn = kernel ? reinterpret_cast<IsWow64ProcessFn>(::GetProcAddress(kernel, "IsWow64Process")) : nullptr;
    BOOL wow64 = FALSE;
    return fn && fn(::GetCurrentProcess(), &wow64) && wow64;
}

}  // namespace

CString DiagnosticLogFileName(const CTime& time)
{
    return time.Format(L"%Y%m%d%H%M%S") + L"_DiagnosticLog.wqlnxlog";
}

WindowsKind ClassifyWindows(const WindowsVersionInfo& info)
{
    if (info.platformId == VER_PLATFORM_WIN32_WINDOWS) {
        for (const Windows9xRow& row : kWindows9xRows) {
            if (row.major == info.major && row.minor == info.minor) return row.kind;
        }
        return kUnknownWindows;
    }
    if (info.platformId == VER_PLATFORM_WIN32_NT) {
        if (info.major <= 4) return {L"WindowsNT", 4};
        if (info.major == 5 && info.minor == 0) return {L"Windows2000", 5};
        if (info.extendedQuery) return {L"WindowsXP", 6};
    }
    return kUnknownWindows;
}

WindowsVersionInfo QueryWindowsVersion()
{
    WindowsVersionInfo info;
    OSVERSIONINFOEXW extended{};
    extended.dwOSVersionInfoSize = sizeof extended;
    if (::GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&extended))) {
        info.versionKnown = info.extendedQuery = true;
    } else {
        extended.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
        info.versionKnown = ::GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&extended)) != FALSE;
    }
    if (info.versionKnown) {
        info.platformId = extended.dwPlatformId;
        info.major = extended.dwMajorVersion;
        info.minor = extended.dwMinorVersion;
        info.build = extended.dwBuildNumber;
        info.servicePack = extended.szCSDVersion;
    }
    // A 64-bit build only runs on 64-bit Windows.
    info.is64Bit = sizeof(void*) == 8 || IsWow64();
    return info;
}

CString DiagnosticManagerBlock(const DiagnosticLogState& state)
{
    static const DeviceSettings freshRecord;
    const DeviceSettings& device = state.device ? *state.device : freshRecord;
    return CString::Formatted(
        L"[Manager Information]\nStatus: %s\nVersion: %d.%d%s\n\n[Device Information]\nRecognized: %d\n"
        L"Target Device: %04X\nUSB Status: %04X\nRecognized Device: %04X\nBD Address: %s\nHardwareVersion: %s\n"
        L"Device Name: %s\n%s[Windows Information]\n",
        state.status.GetString(), kManagerVersionMajor, kManagerVersionMinor, kManagerVersionSuffix, state.recognized,
        state.targetProductId, state.usbStatus, device.ProductId, device.BluetoothAddress.GetString(),
        device.HardwareVersionText.GetString(), device.DeviceName.GetString(), VersionBlock(device).GetString());
}

CString DiagnosticWindowsBlock(const WindowsVersionInfo& info)
{
    if (!info.versionKnown) return kFailedToGetInformation;
    WindowsKind kind = ClassifyWindows(info);
    return CString::Formatted(
        L"OS: %s\nOS Version: %d\nMajor Version: %d\nMinor Version: %d\nBuild Number: %d\nCSD Version: %s\n"
        L"Windows: %s\nApp Installed: %s\n\n[USB Information]\n",
        kind.name, kind.number, static_cast<int>(info.major), static_cast<int>(info.minor),
        static_cast<int>(info.build), info.servicePack.GetString(), info.is64Bit ? L"64bits" : L"32bits", L"64bit");
}

CString DiagnosticUsbBlock(IUsbDeviceList& devices)
{
    std::vector<std::string> ids;
    if (!devices.GetHardwareIds(ids)) return kFailedToGetInformation;
    CString block;
    for (const std::string& id : ids) {
        block += CString::FromAnsi(id);
        block += L'\n';
    }
    return block;
}

CString DiagnosticLogText(const DiagnosticLogState& state, const WindowsVersionInfo& windows, IUsbDeviceList& devices)
{
    return DiagnosticManagerBlock(state) + DiagnosticWindowsBlock(windows) + DiagnosticUsbBlock(devices);
}

bool WriteDiagnosticLog(const wchar_t* path, const CString& text, UINT codePage)
{
    CString crlf(text);
    crlf.Replace(L"\n", L"\r\n");
    return WriteWholeFile(path, crlf.ToCodePage(codePage));
}

bool SaveDiagnosticLog(CWnd* parent, CString& currentPath, const DiagnosticLogState& state)
{
    CFileDialog dialog(FALSE, nullptr, DiagnosticLogFileName(CTime::GetCurrentTime()),
                       OFN_OVERWRITEPROMPT | OFN_CREATEPROMPT | OFN_PATHMUSTEXIST | OFN_LONGNAMES,
                       L"Diagnostic Log Files(*.wqlnxlog)|", parent);
    dialog.m_initialDir = currentPath.IsEmpty() ? ProgramImgFolder() : currentPath;
    dialog.m_pathTooLongText = TextPathTooLong(state.language);
    dialog.m_nameNotValidText = TextNameNotValid(state.language);
    dialog.m_folderNotFoundText = TextFolderNotFound(state.language);
    if (dialog.DoModal() != IDOK) return false;
    CString path = dialog.GetPathName();
    // A log that cannot be written is left out in silence; the folder is kept.
    WriteDiagnosticLog(path, DiagnosticLogText(state, QueryWindowsVersion(), UsbDeviceList()));
    currentPath = path.Left(path.ReverseFind(L'\\') + 1);
    return true;
}
