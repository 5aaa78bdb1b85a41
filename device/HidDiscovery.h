// Finding the headset's HID interfaces among the present devices and opening
// them. The main window and the recognition page call these through thin
// members of their own; the window state they fill is passed as HidMainState.
#pragma once

#include <windows.h>

#include <cstdint>

#include "device/ProductCatalogue.h"

class DeviceSettings;

constexpr uint16_t kVendorUsagePage = 0xFF00;
constexpr uint16_t kVendorUsage = 1;
constexpr int kHidPathSize = 260;

// Product ids the finders look for.
constexpr int kHidHeadsetProductId = 0x5910;        // FindHidDevice

// The main-window members that discovery reads and writes.
struct HidMainState {
    HANDLE& hidHandle1;
    HANDLE& hidHandle2;
    int& targetProductId;
    DeviceSettings& deviceSettings;
};

// Discovery by attributes: the maker's interface with the product id (low 16
// bits) on the vendor usage page 0xFF00, usage 1. 1 and its path (when path is
// given, at most kHidPathSize characters) when found, else 0.
int FindHidDevicePath(wchar_t* path, int productId);
// FindHidDevicePath, then opens the interface for reading and writing; null
// when it is not found or cannot be opened.
HANDLE OpenHidDevice(int productId);

// Discovery of the headset 0x5910 by path parsing. With toMainWindow non-zero
// the handle goes into hidHandle1 and targetProductId becomes 0x5910; else
// into pair[0] and 0x5910 into productIdOut. 1 when found.
int FindHidDevice(HidMainState& main, int toMainWindow, int* productIdOut, HANDLE pair[2]);
// Discovery of the combined-chip headset (0x5345, 0x5346, update mode 0xD340):
// opens up to two interfaces into hidHandle1 and hidHandle2 and reads their
// versions into the version groups of deviceSettings. 1 when both are open.
int PollHidInterfaces(HidMainState& main);
// How many present HID interfaces are the maker's 0xD340, counting no further
// than maximum.
int CountHidDfuDevices(int maximum);

// Formats into a buffer of kHidPathSize bytes; the length written, or -1 when
// the text does not fit (the buffer then holds an empty text).
int FormatHidPath(char buffer[kHidPathSize], const char* format, ...);

// Item 5 of the headset on hidHandle1 (low byte of its first word), asked twice
// at most; 0 when both exchanges fail.
int ReadHidItem5(HANDLE* hidHandle1);
// The same, -1 when both exchanges fail (for callers that tell a failed read
// from the value 0).
int ReadHidItem5OrNone(HANDLE* hidHandle1);
