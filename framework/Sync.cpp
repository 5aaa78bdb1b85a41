#include "framework/Sync.h"

#include "framework/Diagnostics.h"

#include <memory>

namespace {

// What a thread is started with; the thread deletes it.
struct ThreadStart {
    std::function<void()> fn;
    const wchar_t* what;
};

// The one thread function of the program: the exception boundary.
DWORD WINAPI ThreadEntry(void* param)
{
    std::unique_ptr<ThreadStart> start(static_cast<ThreadStart*>(param));
    try {
        start->fn();
    } catch (...) {
        ReportCaughtException(start->what);
    }
    return 0;
}

}  // namespace

HANDLE StartThread(std::function<void()> fn, const wchar_t* what)
{
    auto start = std::make_unique<ThreadStart>(ThreadStart{std::move(fn), what ? what : L"a worker thread"});
    HANDLE thread = ::CreateThread(nullptr, 0, &ThreadEntry, start.get(), 0, nullptr);
    if (thread) start.release();  // the thread's now
    return thread;
}

bool StartDetachedThread(std::function<void()> fn, const wchar_t* what)
{
    HANDLE thread = StartThread(std::move(fn), what);
    if (!thread) return false;
    ::CloseHandle(thread);
    return true;
}

bool WaitThread(HANDLE thread, DWORD timeoutMs)
{
    return thread && ::WaitForSingleObject(thread, timeoutMs) == WAIT_OBJECT_0;
}
