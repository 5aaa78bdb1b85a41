// The DFU library's USB device list, connection and persistent-store access
// (BCCMD) over the installed backend.
//
// Calling order: DFUTransportUSB::init; DFURequestsUSB::EnumerateDevices;
// PathInternal of a name; ConnectDevice with a DFUTransportCOM; BCCMDGetPS and
// BCCMDSetPS on the connected transport; DFUTransportUSB::deinit.
#pragma once

#include <cstdint>

#include "dfu/CStringX.h"
#include "dfu/DFUEngine.h"

class DFUTransportCOM {
public:
    DFUTransportCOM() = default;

    // Reads a key into buffer (length in bytes); lengthOut, when given, gets
    // the bytes read. Values are 16-bit words, low byte first.
    DFUEngine::Result BCCMDGetPS(uint16_t key, uint8_t* buffer, uint16_t length, uint16_t* lengthOut);
    // Writes a key from data (length in bytes).
    DFUEngine::Result BCCMDSetPS(uint16_t key, const uint8_t* data, uint16_t length);

    bool IsConnected() const { return !m_device.empty(); }

private:
    friend class DFURequestsUSB;
    std::wstring m_device;  // the backend's name of the connected device
};

class DFUTransportUSB {
public:
    // Start and stop the library; calls nest, and only a started library
    // lists or connects devices.
    static void init();
    static void deinit();
    // How many init calls are not yet matched by deinit.
    static int InitDepth();
    // The internal path of a device name; empty for an unknown name.
    static CStringX PathInternal(const CStringX& name);
};

class DFURequestsUSB {
public:
    // Fills the list (emptied first) with one name per USB device of the
    // library; the count.
    static int EnumerateDevices(CStringListX& devices);
    // Connects the transport to the device named by a name or path; true when
    // connected (a device in update mode does not connect).
    static DFUEngine::Result ConnectDevice(const CStringX& path, DFUTransportCOM& transport);
};

class Device {
public:
    // The canonical form of a device path (upper case), which ConnectDevice
    // also takes.
    static CStringX Canonicalise(const CStringX& path, bool usb);
};
