// Simulated drives: folders posing as drives of a given type. The drive letters
// of the scenario replace the machine's own.
#pragma once

#include "device/SeamsDrives.h"

class Simulation;

class SimDrives final : public IDrives {
public:
    explicit SimDrives(Simulation& simulation) : m_sim(simulation) {}
    DWORD LogicalDrives() override;
    UINT DriveType(const wchar_t* root) override;
    CString ResolvePath(const wchar_t* path) override;

private:
    Simulation& m_sim;
};
