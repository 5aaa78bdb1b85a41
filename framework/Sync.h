// Critical sections, scoped locks and worker threads.
#pragma once

#include <windows.h>

#include <functional>

class CCriticalSection {
public:
    CCriticalSection() { ::InitializeCriticalSection(&m_cs); }
    ~CCriticalSection() { ::DeleteCriticalSection(&m_cs); }
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;
    bool Lock() { ::EnterCriticalSection(&m_cs); return true; }
    bool Unlock() { ::LeaveCriticalSection(&m_cs); return true; }

private:
    CRITICAL_SECTION m_cs;
};

class CSingleLock {
public:
    explicit CSingleLock(CCriticalSection* cs, bool lockNow = false) : m_cs(cs) { if (lockNow) Lock(); }
    ~CSingleLock() { Unlock(); }
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;
    void Lock() { if (m_cs && !m_locked) { m_cs->Lock(); m_locked = true; } }
    void Unlock() { if (m_cs && m_locked) { m_cs->Unlock(); m_locked = false; } }
    bool IsLocked() const { return m_locked; }

private:
    CCriticalSection* m_cs;
    bool m_locked = false;
};

// Worker threads. Every thread of the program starts here, so there is one
// exception boundary: fn runs on the new thread, and an exception that leaves
// it is reported to the debugger output under what (a literal, e.g. "a
// firmware writer") and ends that thread only, never the process. fn owns what
// it captured; it is destroyed on the thread when fn returns.
//
// Who holds the thread:
//   StartThread          the caller gets the thread's handle and owns it: it
//                        may wait for the thread (WaitThread) and closes the
//                        handle, which leaves the thread running on its own.
//   StartDetachedThread  nobody: the handle is closed at once, and the thread
//                        reports only through what it captured (a shared
//                        record, a posted message).
HANDLE StartThread(std::function<void()> fn, const wchar_t* what = L"a worker thread");
// False when the thread cannot start (fn then never runs).
bool StartDetachedThread(std::function<void()> fn, const wchar_t* what = L"a worker thread");
// Waits for a thread at most timeoutMs; true when it ended.
bool WaitThread(HANDLE thread, DWORD timeoutMs);
