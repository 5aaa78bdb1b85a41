// Fixture of the DFU road's tests: the simulated chips, USB list and HID
// devices, the application state and update record the road reads, and the
// waits of the test's own thread recorded instead of spent (an engine's thread
// skips its waits too).
#pragma once

#include <windows.h>

#include <mutex>
#include <vector>

#include "app/AppState.h"
#include "device/HidDevices.h"
#include "firmware/UpdateStatus.h"
#include "support/DfuFixtures.h"

class RoadFixture : public DfuSimulationTest {
protected:
    void SetUp() override
    {
        DfuSimulationTest::SetUp();
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
        DfuSimulationTest::TearDown();
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
