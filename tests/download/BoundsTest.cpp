// HttpDownload against a server that misbehaves: every transfer ends within its
// bounds as a failure, a slow but moving file download is never cut off, and
// redirects are followed only so far. The bounds are shortened here (the test
// hook); the manager's check meets the real ones in tests/welcome.
#include <gtest/gtest.h>
#include <windows.h>

#include <tlhelp32.h>

#include <set>
#include <string>
#include <vector>

#include "app/HttpDownload.h"
#include "download/ShortLimits.h"
#include "fixtures/server/TestServer.h"
#include "framework/Sync.h"
#include "support/TempFolder.h"

namespace {

constexpr DWORD kShortDeadlineMs = 2000;
constexpr DWORD kShortIdleMs = 2000;
// How much later than its bound a failure may come (thread starts, a busy machine).
constexpr DWORD kLateness = 3000;
// How long an abandoned fetch's thread may take to end after its bound.
constexpr DWORD kThreadEndMs = 10000;

struct Outcome {
    int result = 1234;
    int status = -1;
    bool bufferNull = false;
    int32_t done = 0;
    DWORD elapsedMs = 0;
};

// One download: into memory, or into file in the test's folder.
struct Case {
    const char* name;
    const wchar_t* pathAndQuery;
    bool toFile;
    const wchar_t* file;
    int size = 0;  // of a body that arrives whole
};

// Runs one download per case at once, each on a thread of its own, and waits
// (bounded) for all of them.
std::vector<Outcome> RunAll(const std::vector<Case>& cases, const TempFolder& folder)
{
    std::vector<Outcome> outcomes(cases.size());
    std::vector<HANDLE> threads;
    for (size_t i = 0; i < cases.size(); ++i) {
        threads.push_back(StartThread([&, i] {
            const Case& c = cases[i];
            Outcome& o = outcomes[i];
            DownloadProgress progress;
            const DWORD start = ::GetTickCount();
            CString url = testserver::HttpBase() + c.pathAndQuery;
            if (c.toFile) {
                o.result = HttpDownload(url, nullptr, folder / c.file, &progress, &o.status);
            } else {
                char* raw = reinterpret_cast<char*>(1);
                o.result = HttpDownload(url, &raw, nullptr, nullptr, &o.status);
                o.bufferNull = raw == nullptr;
                std::free(raw);
            }
            o.elapsedMs = ::GetTickCount() - start;
            o.done = progress.done.load();
        }));
    }
    for (HANDLE thread : threads) {
        EXPECT_TRUE(WaitThread(thread, 60000)) << "a download did not end";
        ::CloseHandle(thread);
    }
    return outcomes;
}

TEST(HttpDownloadBounds, MisbehavingServersEndAsFailuresWithinTheBounds)
{
    REQUIRE_TEST_SERVER();
    ShortLimits limits(kShortDeadlineMs, kShortIdleMs);
    TempFolder folder(L"bounds");
    const std::vector<Case> cases = {
        {"no answer, memory", L"/gen?size=100&stall=before", false, nullptr},
        {"no answer, file", L"/gen?size=100&stall=before", true, L"before.bin"},
        {"headers then nothing, memory", L"/gen?size=100&stall=after", false, nullptr},
        {"headers then nothing, file", L"/gen?size=100&stall=after", true, L"after.bin"},
        // A byte every half second is never quiet for long, but a text file
        // must arrive whole within the deadline.
        {"slow drip, memory", L"/gen?size=100&drip=0.5", false, nullptr},
        {"drip slower than the idle limit, file", L"/gen?size=100&drip=3", true, L"drip.bin"},
        {"redirect to itself, memory", L"/gen?size=100&loop=1", false, nullptr},
        {"redirect to itself, file", L"/gen?size=100&loop=1", true, L"loop.bin"},
        // A byte every 0.2 s: never quiet for long, but far less than a block
        // in the idle limit.
        {"trickle, file", L"/gen?size=100&drip=0.2", true, L"trickle.bin"},
    };
    std::vector<Outcome> outcomes = RunAll(cases, folder);
    for (size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        const Outcome& o = outcomes[i];
        SCOPED_TRACE(c.name);
        EXPECT_EQ(o.result, kHttpDownloadCannotOpenUrl);
        EXPECT_LT(o.elapsedMs, (c.toFile ? kShortIdleMs : kShortDeadlineMs) + kLateness);
        if (c.toFile) {
            EXPECT_FALSE(CFile::Exists(folder / c.file));  // nothing half-written is left
            EXPECT_NE(o.done, kDownloadProgressTotal);
        } else {
            EXPECT_TRUE(o.bufferNull);
        }
    }
}

TEST(HttpDownloadBounds, SlowButMovingAndRedirectedTransfersComplete)
{
    REQUIRE_TEST_SERVER();
    ShortLimits limits(kShortDeadlineMs, kShortIdleMs);
    TempFolder folder(L"bounds");
    const std::vector<Case> cases = {
        // 8 blocks, one every 0.6 s: longer than the idle limit as a whole.
        {"slow but moving file", L"/gen?size=8192&drip=0.6&drip_bytes=1024", true, L"slow.bin", 8192},
        {"redirected three times, memory", L"/gen?size=5000&redirects=3", false, nullptr, 5000},
        {"redirected to the limit, file", L"/gen?size=5000&redirects=10", true, L"redirected.bin", 5000},
    };
    std::vector<Outcome> outcomes = RunAll(cases, folder);
    for (size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        const Outcome& o = outcomes[i];
        SCOPED_TRACE(c.name);
        EXPECT_EQ(o.result, c.size);
        EXPECT_EQ(o.status, 200);
        if (c.toFile) {
            std::string bytes;
            EXPECT_TRUE(ReadWholeFile(folder / c.file, bytes));
            EXPECT_EQ(bytes.size(), static_cast<size_t>(c.size));
            EXPECT_EQ(o.done, kDownloadProgressTotal);
        }
    }
    EXPECT_GT(outcomes[0].elapsedMs, kShortIdleMs);

    // One redirect more than the limit is refused: the count of redirects, not
    // a time-out, ends a redirect loop.
    char* raw = nullptr;
    EXPECT_EQ(HttpDownload(testserver::HttpBase() + L"/gen?size=10&redirects=11", &raw, nullptr, nullptr),
              kHttpDownloadCannotOpenUrl);
    EXPECT_EQ(raw, nullptr);
}

// The ids of this process's threads.
std::set<DWORD> ThreadIds()
{
    std::set<DWORD> ids;
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return ids;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Thread32First(snapshot, &entry); more; more = ::Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID == ::GetCurrentProcessId()) ids.insert(entry.th32ThreadID);
    }
    ::CloseHandle(snapshot);
    return ids;
}

// A fetch given up at its bound keeps neither its thread nor its connection
// (the server would hold a stalled answer for minutes), over http and over
// https, where the peer may never answer the handshake.
TEST(HttpDownloadBounds, AbandonedFetchesLeaveNoThreadAndNoConnection)
{
    REQUIRE_TEST_SERVER();
    TempFolder folder(L"bounds");
    const CString base = testserver::HttpBase();
    char* raw = nullptr;
    // Threads that the platform starts once, if any, start here.
    ASSERT_EQ(HttpDownload(base + L"/gen?size=10", &raw, nullptr, nullptr), 10);
    std::free(raw);
    const std::set<DWORD> before = ThreadIds();
    {
        ShortLimits limits(kShortDeadlineMs, kShortIdleMs);
        EXPECT_EQ(HttpDownload(base + L"/gen?size=100&stall=before", &raw, nullptr, nullptr),
                  kHttpDownloadCannotOpenUrl);
        EXPECT_EQ(HttpDownload(base + L"/gen?size=100&stall=after", nullptr, folder / L"after.bin", nullptr),
                  kHttpDownloadCannotOpenUrl);
        const CString silent = testserver::SilentHttpsBase() + L"/malvobluetoothmanager/Firmware.txt";
        for (int visit = 0; visit < 3; ++visit) {
            EXPECT_EQ(HttpDownload(silent, &raw, nullptr, nullptr), kHttpDownloadCannotOpenUrl);
        }
        EXPECT_EQ(HttpDownload(silent, nullptr, folder / L"silent.bin", nullptr), kHttpDownloadCannotOpenUrl);
    }
    for (DWORD id : ThreadIds()) {
        if (before.count(id)) continue;
        HANDLE thread = ::OpenThread(SYNCHRONIZE, FALSE, id);
        if (!thread) continue;  // gone already
        EXPECT_EQ(::WaitForSingleObject(thread, kThreadEndMs), WAIT_OBJECT_0) << "thread " << id << " still runs";
        ::CloseHandle(thread);
    }
    // The server answers once no other connection is open, or says how many are.
    const int result = HttpDownload(base + L"/connections?at_most=0", &raw, nullptr, nullptr);
    DownloadBuffer open(raw);
    ASSERT_GT(result, 0);
    EXPECT_STREQ(open.get(), "0\n");
}

TEST(HttpDownloadBounds, TextFilesAboveTheMemoryLimitAreRefused)
{
    REQUIRE_TEST_SERVER();
    TempFolder folder(L"bounds");
    struct SizeCase {
        const char* name;
        int size;
        bool announced;
        int result;
    };
    const int limit = kHttpDownloadMemoryLimit;
    const SizeCase cases[] = {
        {"at the limit", limit, true, limit},
        {"one byte more", limit + 1, true, kHttpDownloadCannotOpenUrl},
        {"far more", 20 * 1024 * 1024, true, kHttpDownloadCannotOpenUrl},
        // Without a length the body is read up to the limit, then refused.
        {"far more, no length announced", 20 * 1024 * 1024, false, kHttpDownloadCannotOpenUrl},
    };
    for (const SizeCase& c : cases) {
        SCOPED_TRACE(c.name);
        char* raw = nullptr;
        CString url = testserver::HttpBase() +
                      CString::Formatted(L"/gen?size=%d%s", c.size, c.announced ? L"" : L"&nolength=1");
        const DWORD start = ::GetTickCount();
        int result = HttpDownload(url, &raw, nullptr, nullptr);
        DownloadBuffer buffer(raw);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(raw == nullptr, result < 0);
        EXPECT_LT(::GetTickCount() - start, kHttpDownloadDeadlineMs);
    }
    // A file download has no such limit.
    const int big = limit + 100000;
    EXPECT_EQ(HttpDownload(testserver::HttpBase() + CString::Formatted(L"/gen?size=%d", big), nullptr,
                           folder / L"big.bin", nullptr),
              big);
}

}  // namespace
