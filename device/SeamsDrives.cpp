#include "device/SeamsDrives.h"

#include <atomic>

namespace {

class RealDriveSet final : public IDrives {
public:
    DWORD LogicalDrives() override { return GetLogicalDrives(); }
    UINT DriveType(const wchar_t* root) override { return GetDriveTypeW(root); }
    CString ResolvePath(const wchar_t* path) override { return CString(path); }
};

std::atomic<IDrives*> g_installed{nullptr};

}  // namespace

bool IDrives::FileExists(const wchar_t* path)
{
    DWORD attributes = GetFileAttributesW(ResolvePath(path));
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

IDrives& RealDrives()
{
    static RealDriveSet real;
    return real;
}

IDrives& Drives()
{
    IDrives* installed = g_installed.load();
    return installed ? *installed : RealDrives();
}

void SetDrives(IDrives* drives) { g_installed = drives; }

DriveErrorBoxesOff::DriveErrorBoxesOff()
{
    m_set = SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &m_previous) != FALSE;
}

DriveErrorBoxesOff::~DriveErrorBoxesOff()
{
    if (m_set) SetThreadErrorMode(m_previous, nullptr);
}

wchar_t FindRemovableDriveWithFile(const wchar_t* fileName)
{
    DriveErrorBoxesOff quiet;
    IDrives& drives = Drives();
    DWORD present = drives.LogicalDrives();
    for (int n = 0; n < 26; ++n) {
        if (!(present & (1u << n))) continue;
        CString root;
        root.Format(L"%c:\\", static_cast<wchar_t>(L'A' + n));
        if (drives.DriveType(root) == DRIVE_REMOVABLE && drives.FileExists(root + fileName))
            return static_cast<wchar_t>(L'A' + n);
    }
    return 0;
}
