// CButtonCritSect: a critical-section lock object with one spare integer.
#pragma once

#include "framework/Sync.h"

class CButtonCritSect : public CCriticalSection {
public:
    CButtonCritSect() = default;
    virtual ~CButtonCritSect() = default;

    // Lock objects' interface: the time-out is not used, the section is entered.
    virtual BOOL Lock(DWORD /*timeoutMs*/ = INFINITE) { CCriticalSection::Lock(); return TRUE; }
    virtual BOOL Unlock() { CCriticalSection::Unlock(); return TRUE; }
    // The counted unlock of semaphores: nothing to do for a critical section.
    virtual BOOL Unlock(LONG /*count*/, LONG* /*previous*/ = nullptr) { return TRUE; }

    int m_value = 0;
};

// Guards the pressed flag shared by the drop-down cells of the settings grid.
extern CButtonCritSect DropDownPressedLock;
