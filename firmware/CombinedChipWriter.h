// The HID interfaces of the combined-chip headset (0x5345 and 0x5346, 0xD340
// while its Bluetooth chip is in update mode): finding, opening and telling
// apart the two interfaces that its writer holds.
#pragma once

#include <windows.h>

#include "device/ProductCatalogue.h"
#include "framework/CString.h"

class WriterRun;


// The two HID handles of the combined-chip headset that its writer holds
// alone, closed when they go; PrimaryHidInterface is the index (0 or 1) of
// the one the role query chose.
struct WriterHidInterfaces {
    WriterHidInterfaces() = default;
    WriterHidInterfaces(const WriterHidInterfaces&) = delete;
    WriterHidInterfaces& operator=(const WriterHidInterfaces&) = delete;
    ~WriterHidInterfaces() { Close(); }
    void Close();
    HANDLE* Primary() { return &handles[PrimaryHidInterface == 1 ? 1 : 0]; }

    HANDLE handles[2] = {nullptr, nullptr};
    int PrimaryHidInterface = 0;
};

// The paths of the first and second of the headset's vendor interfaces
// (vendor 0x3E1F, product 0x5345 or 0x5346, usage page 0xFF00, usage 1) in
// enumeration order, no more than wanted; the number found.
int FindHidInterfaces(CString* path1, CString* path2, int wanted);
// The same, also accepting the update mode's 0xD340.
int FindHidInterfacesWithDfu(CString* path1, CString* path2, int wanted);
// Closes both handles, then opens the first count (1 or 2) interfaces found
// for reading and writing, shared; true when all of them are open.
bool OpenHidInterfaces(HANDLE& handle1, HANDLE& handle2, int count);
bool OpenHidInterfacesWithDfu(HANDLE& handle1, HANDLE& handle2, int count);
// Up to 20 attempts, one second apart, to open both interfaces; then on each
// in turn the requests 1, 0x30 and 0x32, where a non-zero byte 3 of the last
// reply makes that interface the primary one; one second after each.
void IdentifyHidInterfaces(WriterRun& run, WriterHidInterfaces& interfaces);
