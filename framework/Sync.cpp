#include "framework/Sync.h"

#include "framework/Diagnostics.h"

#include <memory>

namespace {

DWORD WINAPI ThreadEntry(void* param)
{
    std::unique_ptr<std::function<void()>> fn(static_cast<std::function<void()>*>(param));
    try {
        (*fn)();
    } catch (...) {
        // A worker never lets an exception end the process.
        ReportCaughtException(L"a worker thread");
    }
    return 0;
}

}  // namespace

HANDLE StartThread(std::function<void()> fn)
{
    auto* heap = new std::function<void()>(std::move(fn));
    HANDLE h = ::CreateThread(nullptr, 0, &ThreadEntry, heap, 0, nullptr);
    if (!h) delete heap;
    return h;
}

bool WaitThread(HANDLE thread, DWORD timeoutMs)
{
    return thread && ::WaitForSingleObject(thread, timeoutMs) == WAIT_OBJECT_0;
}
