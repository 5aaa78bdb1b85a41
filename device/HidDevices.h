// The HID seam: everything the program asks of the HID class of Windows goes
// through IHidDevices, so that the simulated headsets can stand in for it.
//
// Handles are plain HANDLE values; null means "not open" (an open that fails
// yields null, never INVALID_HANDLE_VALUE). Close a handle that came from here
// with CloseHidHandle, never with CloseHandle.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// One present interface of the HID class, with its device path in both forms
// the system gives it (wide and 8-bit).
struct HidInterfacePath {
    std::wstring path;
    std::string pathA;
};

struct HidAttributes {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t versionNumber = 0;
};

struct HidCaps {
    uint16_t usage = 0;
    uint16_t usagePage = 0;
    uint16_t inputReportLength = 0;
    uint16_t outputReportLength = 0;
};

class IHidDevices {
public:
    virtual ~IHidDevices() = default;
    // Fills out with the present interfaces of the HID class; false when the
    // class list cannot be had.
    virtual bool ListInterfaces(std::vector<HidInterfacePath>& out) = 0;
    // Opens a device path for reading and writing, shared for both; null on failure.
    virtual HANDLE Open(const wchar_t* path) = 0;
    virtual bool GetAttributes(HANDLE device, HidAttributes& out) = 0;
    virtual bool GetCaps(HANDLE device, HidCaps& out) = 0;
    // One output report, written whole.
    virtual bool Write(HANDLE device, const uint8_t* data, unsigned size) = 0;
    // One input report; false when it fails or nothing arrives within timeoutMs.
    virtual bool Read(HANDLE device, uint8_t* data, unsigned size, unsigned timeoutMs) = 0;
    virtual void Close(HANDLE device) = 0;
};

// The HID devices in use: the real ones unless another set was installed.
IHidDevices& HidDevices();
// Installs another implementation (not owned); null restores the real one.
void SetHidDevices(IHidDevices* devices);
// The implementation over SetupAPI, HID and file I/O.
IHidDevices& RealHidDevices();

// Closes the handle when it is open and clears it.
void CloseHidHandle(HANDLE& device);
