// Helpers of the DFU library's tests: the simulated chips installed, the
// firmware files that tools/gen_dfu_file.py makes for them
// (tests/fixtures/dfu/dfu.cmake), and a callback that records what an engine
// reports.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "dfu/DFUEngine.h"
#include "dfu/DFUTransport.h"
#include "framework/CString.h"
#include "framework/Clock.h"
#include "sim/Simulation.h"

// The simulated devices installed for each test, from a scenario text; the
// clock back at real time afterwards. Engines made by a test must be gone
// before its TearDown.
class DfuSimulationTest : public testing::Test {
protected:
    void SetUp() override
    {
        Simulation::Instance().Reset();
        Simulation::Instance().LoadText("");
        Simulation::Instance().Install();
    }
    void TearDown() override
    {
        Simulation::Instance().Uninstall();
        Simulation::Instance().LoadText("");
        Simulation::Instance().Reset();
        Clock::SetScale(1);
        EXPECT_EQ(DFUTransportUSB::InitDepth(), 0);  // every init was matched by a deinit
    }
    // A fresh scenario: what the devices were given before is forgotten.
    static void Load(const std::string& text)
    {
        Simulation::Instance().Reset();
        Simulation::Instance().LoadText(text);
    }
    // The scenario changes (a chip unplugged, say); what the devices hold stays.
    static void Change(const std::string& text) { Simulation::Instance().LoadText(text); }
    static std::vector<std::string> Journal() { return Simulation::Instance().JournalLines(); }
    static bool Journalled(const std::string& line)
    {
        auto journal = Journal();
        return std::find(journal.begin(), journal.end(), line) != journal.end();
    }
    // The journal's persistent-store writes, in order.
    static std::vector<std::string> KeyWrites()
    {
        std::vector<std::string> writes;
        for (const std::string& line : Journal()) {
            if (line.rfind("ps-", 0) == 0) writes.push_back(line);
        }
        return writes;
    }
};

// The path of a generated firmware file by its name.
inline CString DfuFixture(const char* name)
{
    return CString(L"Z:") + CString::FromUtf8(std::string(TORVIK_BINARY_DIR) + "/fixtures/dfu/" + name);
}

// One report of an engine: its slot (1 notification, 2 state change, 3
// operation done), value, and the Status's operation, activity and result code.
struct DfuEvent {
    int slot = 0;
    int value = 0;
    int operation = 0;
    int activity = 0;
    int code = 0;
    bool operator==(const DfuEvent&) const = default;
};

class DfuRecorder : public DFUEngine::Callback {
public:
    void OnDfuNotify(int value, const DFUEngine::Status& status) override { Add(1, value, status); }
    void OnDfuStateChange(int value, const DFUEngine::Status& status) override { Add(2, value, status); }
    void OnDfuOperationDone(int value, const DFUEngine::Status& status) override { Add(3, value, status); }

    std::vector<DfuEvent> Events()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_events;
    }
    size_t Count()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_events.size();
    }
    // Waits at most timeoutMs of real time for the end of the next operation
    // not yet waited for; false when none came.
    bool WaitDone(DfuEvent* done, int timeoutMs = 10000)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        auto ready = [this] { return DoneAfter(m_waited) != m_events.size(); };
        if (!m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready)) return false;
        m_waited = DoneAfter(m_waited) + 1;
        if (done) *done = m_events[m_waited - 1];
        return true;
    }
    // Waits at most timeoutMs for a first report of the given slot.
    bool WaitSlot(int slot, int timeoutMs = 10000)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
            for (const DfuEvent& e : m_events) {
                if (e.slot == slot) return true;
            }
            return false;
        });
    }

private:
    void Add(int slot, int value, const DFUEngine::Status& status)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_events.push_back({slot, value, status.operation, status.activity, status.result.GetCode()});
        m_changed.notify_all();
    }
    size_t DoneAfter(size_t from) const
    {
        for (size_t i = from; i < m_events.size(); ++i) {
            if (m_events[i].slot == 3) return i;
        }
        return m_events.size();
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<DfuEvent> m_events;
    size_t m_waited = 0;
};
