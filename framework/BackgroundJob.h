// BackgroundJob: one piece of work run on a detached worker thread
// (StartDetachedThread) while the user-interface thread goes on. The worker
// computes a result and then calls done (on the worker: done should only post
// a message); the user-interface thread takes the result once the worker has
// ended. The result is the one hand-over: the worker writes it before it
// raises the finished flag, the user-interface thread reads it only after.
// That state is shared with the worker, so the job object may go away while
// the worker still runs; nobody joins the worker.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "framework/Diagnostics.h"
#include "framework/Sync.h"

template <typename Result>
class BackgroundJob {
public:
    // what names the work where a debugger is told of an exception it stopped.
    explicit BackgroundJob(const wchar_t* what = L"a background job") : m_what(what) {}

    // Starts the worker; false when one runs already or it cannot start. A work
    // that throws ends with a default Result, which must read as a failure.
    bool Start(std::function<Result()> work, std::function<void()> done = nullptr)
    {
        if (m_shared) return false;
        auto shared = std::make_shared<Shared>();
        const bool started = StartDetachedThread(
            [shared, what = m_what, work = std::move(work), done = std::move(done)] {
                try {
                    shared->result = work();
                } catch (...) {
                    // Still a result, so the user-interface thread never waits on a worker that has gone.
                    ReportCaughtException(what);
                    shared->result = Result{};
                }
                shared->finished = true;
                if (done) done();
            },
            m_what);
        if (!started) return false;
        m_shared = std::move(shared);
        return true;
    }

    // True from Start until the result has been taken.
    bool Running() const { return m_shared != nullptr; }
    // True once the worker has ended (the result waits to be taken).
    bool Finished() const { return m_shared && m_shared->finished.load(); }

    // The result once the worker has ended, and the job is over; nothing while
    // it runs or when no job was started.
    std::optional<Result> Take()
    {
        if (!Finished()) return std::nullopt;
        std::optional<Result> result(std::move(m_shared->result));
        m_shared.reset();
        return result;
    }

    // Forgets a running job: its result is never taken, and done may still be
    // called once the worker ends.
    void Abandon() { m_shared.reset(); }

private:
    struct Shared {
        std::atomic<bool> finished{false};
        Result result{};
    };
    const wchar_t* m_what;
    std::shared_ptr<Shared> m_shared;
};
