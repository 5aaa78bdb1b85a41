// Simulated drives: folders posing as drives of a given type. The drive letters
// of the scenario replace the machine's own.
#pragma once

#include <string>

#include "device/SeamsDrives.h"

class Simulation;

class SimDrives final : public IDrives {
public:
    explicit SimDrives(Simulation& simulation) : m_sim(simulation) {}
    DWORD LogicalDrives() override;
    UINT DriveType(const wchar_t* root) override;
    CString ResolvePath(const wchar_t* path) override;

private:
    // The drive is in the scenario, present, and not kept by a headset.
    bool Shown(const std::string& id);

    Simulation& m_sim;
};
