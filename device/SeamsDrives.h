// The drive seam: logical drives, their types and the files on them, so that
// folders can pose as the camera's removable drive in the simulation.
#pragma once

#include <windows.h>

#include "framework/CString.h"

class IDrives {
public:
    virtual ~IDrives() = default;
    // Bit n set for drive letter 'A' + n (as GetLogicalDrives).
    virtual DWORD LogicalDrives() = 0;
    // DRIVE_REMOVABLE, DRIVE_FIXED, ... of a root such as "E:\" (as GetDriveTypeW).
    virtual UINT DriveType(const wchar_t* root) = 0;
    // The path at which a file on a drive can really be opened.
    virtual CString ResolvePath(const wchar_t* path) = 0;
    // True when the path names an existing file (not a folder).
    bool FileExists(const wchar_t* path);
};

// The drives in use: the real ones unless another set was installed.
IDrives& Drives();
// Installs another implementation (not owned); null restores the real one.
void SetDrives(IDrives* drives);
IDrives& RealDrives();

// While it lives, the calling thread gets no "no disk" box from the system
// when it looks at a drive without a medium; the thread's mode before comes back.
class DriveErrorBoxesOff {
public:
    DriveErrorBoxesOff();
    ~DriveErrorBoxesOff();
    DriveErrorBoxesOff(const DriveErrorBoxesOff&) = delete;
    DriveErrorBoxesOff& operator=(const DriveErrorBoxesOff&) = delete;

private:
    DWORD m_previous = 0;
    bool m_set = false;
};

// The letter of the first removable drive, A to Z, whose root holds the file;
// 0 when none does. Drives without a medium raise no box.
wchar_t FindRemovableDriveWithFile(const wchar_t* fileName);
