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

// Starts a worker thread running fn; no exception escapes it. Returns the
// thread's handle (the caller closes it) or null when it cannot start.
HANDLE StartThread(std::function<void()> fn);
// Waits for a thread at most timeoutMs; true when it ended.
bool WaitThread(HANDLE thread, DWORD timeoutMs);
