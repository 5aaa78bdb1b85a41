// The USB serial bridge's library, loaded when first needed and reached by
// ordinal, behind a seam so that the simulation can stand in for it. Without
// the library there is no device: every call fails.
//
// The three calls the program makes, each returning the library's status
// (0 success):
//   ordinal 1   open the bridge of device index 0 into a handle
//   ordinal 80  read the COM port number of an open handle
//   ordinal 2   close the handle
#pragma once

#include <cstdint>

inline constexpr const wchar_t* kFtdiLibraryName = L"FTD2XX.dll";
inline constexpr int kFtdiOrdinalOpen = 1;
inline constexpr int kFtdiOrdinalComPort = 80;
inline constexpr int kFtdiOrdinalClose = 2;

// Status values the program tells apart.
inline constexpr unsigned long kFtdiOk = 0;
inline constexpr unsigned long kFtdiDeviceNotFound = 2;  // also: no library

class IFtdi {
public:
    virtual ~IFtdi() = default;
    virtual unsigned long Open(int deviceIndex, void** handle) = 0;
    virtual unsigned long GetComPortNumber(void* handle, long* port) = 0;
    virtual unsigned long Close(void* handle) = 0;
};

// The bridge library in use: the real one unless another was installed.
IFtdi& Ftdi();
// Installs another implementation (not owned); null restores the real one.
void SetFtdi(IFtdi* ftdi);
IFtdi& RealFtdi();

enum class FtdiPortResult {
    Ok,
    OpenFailed,  // no library, no bridge, or it cannot be opened
    PortFailed,  // the port number cannot be read, or the bridge has none
};

// Opens device index 0, reads its COM port number and closes it again; the
// port (from 0 up) when the result is Ok. The port stays -1 otherwise.
FtdiPortResult ReadFtdiComPort(long* port);
