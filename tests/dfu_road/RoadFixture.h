// Fixture of the DFU road's tests: the simulated chips, USB list and HID
// devices installed from a scenario, the application state and update record
// the road reads, and the waits of the test's own thread recorded instead of
// spent (an engine's thread skips its waits too).
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

#include "app/AppState.h"
#include "device/HidDevices.h"
#include "dfu/DFUTransport.h"
#include "firmware/UpdateStatus.h"
#include "framework/Clock.h"
#include "sim/Simulation.h"

class RoadFixture : public testing::Test {
protected:
    void SetUp() override
    {
        Simulation::Instance().Reset();
        Simulation::Instance().LoadText("");
        Simulation::Instance().Install();
        const DWORD self = GetCurrentThreadId();
        Clock::SetSleepHook([this, self](unsigned ms) {
            if (GetCurrentThreadId() != self) return;
            std::lock_guard<std::mutex> lock(m_sleepMutex);
            m_sleeps.push_back(ms);
        });
    }
    void TearDown() override
    {
        CloseHidHandle(app.hidHandle1);
        CloseHidHandle(app.hidHandle2);
        Clock::SetSleepHook(nullptr);
        Simulation::Instance().Uninstall();
        Simulation::Instance().LoadText("");
        Simulation::Instance().Reset();
        EXPECT_EQ(DFUTransportUSB::InitDepth(), 0);  // every init was matched by a deinit
    }

    static void Load(const std::string& text)
    {
        Simulation::Instance().Reset();
        Simulation::Instance().LoadText(text);
    }
    static std::vector<std::string> Journal() { return Simulation::Instance().JournalLines(); }
    // The journal's persistent-store writes, in order.
    static std::vector<std::string> KeyWrites()
    {
        std::vector<std::string> writes;
        for (const std::string& line : Journal()) {
            if (line.rfind("ps-", 0) == 0) writes.push_back(line);
        }
        return writes;
    }
    std::vector<unsigned> Sleeps()
    {
        std::lock_guard<std::mutex> lock(m_sleepMutex);
        return m_sleeps;
    }
    void ClearSleeps()
    {
        std::lock_guard<std::mutex> lock(m_sleepMutex);
        m_sleeps.clear();
    }

    // The recognized headset: product id and firmware version.
    void Recognized(int productId, int major, int minor, int type = 0, int version = 0)
    {
        app.deviceSettings = DeviceSettings();
        app.deviceSettings.ProductId = productId;
        app.deviceSettings.Firmware = {major, minor, type, version};
        app.targetProductId = productId;
    }

    AppState app;
    UpdateStatus status;

private:
    std::mutex m_sleepMutex;
    std::vector<unsigned> m_sleeps;
};
