// The diagnostic log: a snapshot for support of the manager's state, the
// connected headset, the Windows version and the USB devices present.
#pragma once

#include <windows.h>

#include "app/Texts.h"
#include "device/DeviceSettings.h"
#include "framework/CString.h"
#include "framework/Time.h"

class CWnd;
class IUsbDeviceList;

// What the manager knows at the moment the log is taken.
struct DiagnosticLogState {
    CString status;               // status text shown now
    int recognized = 0;
    int targetProductId = 0;
    int usbStatus = 0;
    const DeviceSettings* device = nullptr;   // null reads as a fresh record
    LanguageIndex language = LanguageEnglish; // of the save dialog's refusals
};

// What the system reports of itself; versionKnown is false when neither
// version query answered.
struct WindowsVersionInfo {
    bool versionKnown = false;
    bool extendedQuery = false;   // the extended version record was answered
    DWORD platformId = 0;
    DWORD major = 0;
    DWORD minor = 0;
    DWORD build = 0;
    CString servicePack;
    bool is64Bit = false;
};

// "%Y%m%d%H%M%S_DiagnosticLog.wqlnxlog" in local time.
CString DiagnosticLogFileName(const CTime& time);

// OS name and number of a Windows version ("???" and 0 when unknown).
struct WindowsKind {
    const wchar_t* name;
    int number;
};
WindowsKind ClassifyWindows(const WindowsVersionInfo& info);
// Asks the system: the extended version record, else the plain one; 64 bits
// when this is a 64-bit build or the process runs under WOW64.
WindowsVersionInfo QueryWindowsVersion();

// The blocks of the log, lines ending in "\n".
CString DiagnosticManagerBlock(const DiagnosticLogState& state);
CString DiagnosticWindowsBlock(const WindowsVersionInfo& info);
CString DiagnosticUsbBlock(IUsbDeviceList& devices);
// The whole log from the state, the system's version and the USB device list.
CString DiagnosticLogText(const DiagnosticLogState& state, const WindowsVersionInfo& windows, IUsbDeviceList& devices);

// Writes text in text mode (each "\n" as "\r\n") in the code page, replacing
// the file whole; false when it cannot be written.
bool WriteDiagnosticLog(const wchar_t* path, const CString& text, UINT codePage = CP_ACP);

// The menu command: asks for a file name in currentPath (else the program's
// "IMG" folder), writes the log there and remembers the chosen folder in
// currentPath. False when the user cancelled.
bool SaveDiagnosticLog(CWnd* parent, CString& currentPath, const DiagnosticLogState& state);
