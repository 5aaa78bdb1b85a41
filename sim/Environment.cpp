#include "sim/Environment.h"

#include "sim/Simulation.h"

#include <windows.h>

bool InstallDeviceSeamsFromEnvironment()
{
    Simulation& simulation = Simulation::Instance();
    wchar_t path[MAX_PATH + 1] = {};
    DWORD length = GetEnvironmentVariableW(L"TORVIK_SIM", path, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH || !simulation.LoadFile(path)) {
        simulation.Uninstall();
        return false;
    }
    simulation.Install();
    return true;
}
