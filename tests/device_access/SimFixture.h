// Test fixture: the simulated devices installed from a scenario text, every
// wait recorded instead of spent.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Clock.h"
#include "sim/SimHid.h"
#include "sim/Simulation.h"

class SimFixture : public testing::Test {
protected:
    void SetUp() override
    {
        Simulation::Instance().Reset();
        Simulation::Instance().LoadText("");
        Simulation::Instance().Install();
        Clock::SetSleepHook([this](unsigned ms) { sleeps.push_back(ms); });
    }
    void TearDown() override
    {
        Clock::SetSleepHook(nullptr);
        Simulation::Instance().Uninstall();
        Simulation::Instance().LoadText("");
        Simulation::Instance().Reset();
    }
    static void Load(const std::string& text) { Simulation::Instance().LoadText(text); }
    static std::vector<std::string> Journal() { return Simulation::Instance().JournalLines(); }
    static int OpenHandles() { return Simulation::Instance().Hid().OpenHandleCount(); }

    std::vector<unsigned> sleeps;
};
