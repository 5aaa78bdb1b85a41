#include "sim/SimDrives.h"

#include "sim/SimHid.h"
#include "sim/Simulation.h"

#include <cwctype>
#include <mutex>

namespace {

struct DriveTypeName {
    const char* name;
    UINT type;
};

const DriveTypeName kDriveTypes[] = {
    {"removable", DRIVE_REMOVABLE}, {"fixed", DRIVE_FIXED}, {"remote", DRIVE_REMOTE},
    {"cdrom", DRIVE_CDROM},         {"ramdisk", DRIVE_RAMDISK},
};

// The drive's id in the scenario ("e" for "E:..."), or empty.
std::string DriveId(const wchar_t* path)
{
    if (!path || !std::iswalpha(path[0]) || path[1] != L':') return std::string();
    return std::string(1, static_cast<char>(std::towlower(path[0])));
}

std::string Key(const std::string& id, const char* field) { return "drive." + id + "." + field; }

bool Present(const Scenario& scenario, const std::string& id)
{
    return !id.empty() && scenario.Has(Key(id, "type")) && scenario.Number(Key(id, "present"), 1) != 0;
}

}  // namespace

bool SimDrives::Shown(const std::string& id)
{
    // A camera's drive is there only while its headset presents it.
    return Present(m_sim.Current(), id) && m_sim.Hid().Flash().DriveShown(static_cast<wchar_t>(id[0]));
}

DWORD SimDrives::LogicalDrives()
{
    m_sim.Refresh();
    std::lock_guard<std::recursive_mutex> lock(m_sim.Lock());
    DWORD drives = 0;
    for (const std::string& id : m_sim.Current().Ids("drive")) {
        if (id.size() == 1 && id[0] >= 'a' && id[0] <= 'z' && Shown(id)) drives |= 1u << (id[0] - 'a');
    }
    return drives;
}

UINT SimDrives::DriveType(const wchar_t* root)
{
    std::lock_guard<std::recursive_mutex> lock(m_sim.Lock());
    std::string id = DriveId(root);
    if (!Shown(id)) return DRIVE_NO_ROOT_DIR;
    std::string type = LowerKey(m_sim.Current().Get(Key(id, "type")));
    for (const DriveTypeName& known : kDriveTypes) {
        if (type == known.name) return known.type;
    }
    return static_cast<UINT>(m_sim.Current().Number(Key(id, "type"), DRIVE_UNKNOWN));
}

CString SimDrives::ResolvePath(const wchar_t* path)
{
    std::lock_guard<std::recursive_mutex> lock(m_sim.Lock());
    std::string id = DriveId(path);
    if (!Shown(id)) return CString(path);
    CString folder(WideFromUtf8(m_sim.Current().Get(Key(id, "folder"))));
    if (folder.IsEmpty()) return CString(path);
    CString rest(path + 2);
    if (folder[folder.GetLength() - 1] == L'\\' && rest[0] == L'\\') rest = rest.Mid(1);
    else if (folder[folder.GetLength() - 1] != L'\\' && rest[0] != L'\\') folder += L'\\';
    return folder + rest;
}
