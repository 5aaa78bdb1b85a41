// The thread object and the HID DFU engine: error texts, closing, and the
// ways a thread is waited for, stopped and, when it will not stop, ended.
#include <gtest/gtest.h>

#include <atomic>

#include "firmware/HidDfuEngine.h"

namespace {

// A body that works until asked to stop, or that ignores the request.
class Worker : public Threadable {
public:
    explicit Worker(bool obeys) : m_obeys(obeys) { m_release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr); }
    ~Worker() override
    {
        ::SetEvent(m_release);
        Wait(5000);
        ::CloseHandle(m_release);
    }
    void Run() override
    {
        started = true;
        if (!m_obeys) {
            ::WaitForSingleObject(m_release, 30000);
            return;
        }
        while (KeepGoing()) ::Sleep(1);
    }
    std::atomic<bool> started{false};

private:
    bool m_obeys;
    HANDLE m_release;
};

// An engine whose thread holds it busy until released.
class BusyEngine : public CHidDfuEngine {
public:
    BusyEngine() { m_release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr); }
    ~BusyEngine() override
    {
        Release();
        Wait(5000);
        ::CloseHandle(m_release);
    }
    void Run() override { ::WaitForSingleObject(m_release, 30000); }
    void Release() { ::SetEvent(m_release); }

private:
    HANDLE m_release;
};

void WaitUntilStarted(const Worker& worker)
{
    for (int i = 0; i < 5000 && !worker.started; ++i) ::Sleep(1);
    ASSERT_TRUE(worker.started);
}

TEST(HidDfuEngine, ErrorTextsByCode)
{
    const struct {
        int code;
        const char* text;
    } cases[] = {
        {-14, "Busy, operation in progress"},
        {-18, "Unknown error code"},  // -17 to -19 have no text
        {0, ""},
        {-1, "Invalid sequence (hidDfuConnect must be called first)"},
        {-16, "Device firmware is corrupt"},
        {-20, "Unknown error"},
        {1, "Unknown error code"},
    };
    CHidDfuEngine engine;
    for (const auto& c : cases) {
        EXPECT_EQ(c.code, engine.GetErrorText(c.code));
        EXPECT_EQ(c.text, engine.LastErrorText()) << c.code;
    }
}

TEST(HidDfuEngine, CloseOfAFreshEngineChangesNothing)
{
    CHidDfuEngine engine;
    engine.GetErrorText(-3);
    EXPECT_EQ(0, engine.Close());
    EXPECT_EQ(INVALID_HANDLE_VALUE, engine.Device());
    EXPECT_EQ("Failed to open file", engine.LastErrorText());
    EXPECT_FALSE(HidDfuEngineInstance.IsRunning());
}

TEST(HidDfuEngine, CloseIsRefusedWhileTheThreadRuns)
{
    BusyEngine engine;
    ASSERT_TRUE(engine.Start());
    EXPECT_EQ(-14, engine.Close());
    EXPECT_EQ("Busy, operation in progress", engine.LastErrorText());
    engine.Release();
    EXPECT_TRUE(engine.Wait(5000));
    EXPECT_EQ(0, engine.Close());
}

TEST(Threadable, WithoutAThread)
{
    Worker worker(true);
    EXPECT_FALSE(worker.IsRunning());
    EXPECT_TRUE(worker.Wait(0));
    worker.Stop(10);
    EXPECT_TRUE(worker.StopRequested());
    EXPECT_FALSE(worker.KeepGoing());
    EXPECT_FALSE(worker.IsRunning());
}

TEST(Threadable, StopEndsAnObedientThreadWithinItsGrace)
{
    Worker worker(true);
    ASSERT_TRUE(worker.Start());
    WaitUntilStarted(worker);
    EXPECT_TRUE(worker.IsRunning());
    EXPECT_FALSE(worker.Start());  // one thread at a time
    EXPECT_FALSE(worker.Wait(20));
    worker.Stop(5000);
    EXPECT_FALSE(worker.IsRunning());
    EXPECT_FALSE(worker.KeepGoing());
    EXPECT_FALSE(worker.StopRequested());  // a thread was running
}

TEST(Threadable, StopEndsAThreadThatDoesNotListen)
{
    Worker worker(false);
    ASSERT_TRUE(worker.Start());
    WaitUntilStarted(worker);
    const DWORD start = ::GetTickCount();
    worker.Stop(50);
    EXPECT_LT(::GetTickCount() - start, 10000u);
    EXPECT_FALSE(worker.IsRunning());
    EXPECT_TRUE(worker.Wait(0));  // nothing left to wait for
}

TEST(Threadable, StartsAgainAfterTheThreadEnded)
{
    Worker worker(true);
    for (int run = 0; run < 3; ++run) {
        worker.started = false;
        ASSERT_TRUE(worker.Start()) << run;
        WaitUntilStarted(worker);
        worker.Stop(5000);
        EXPECT_FALSE(worker.IsRunning());
    }
}

}  // namespace
