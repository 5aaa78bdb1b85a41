// A value that a test hook may set in place of the real one, read and written
// from any thread.
#pragma once

#include <optional>

#include "framework/Sync.h"

template <typename T>
class HookedValue {
public:
    // value, or nothing (null) to give the real one back.
    void Set(const T* value)
    {
        CSingleLock hold(&m_lock, true);
        m_value = value ? std::optional<T>(*value) : std::nullopt;
    }
    // The hook's value when one is set, else real().
    template <typename Real>
    T Get(Real real)
    {
        {
            CSingleLock hold(&m_lock, true);
            if (m_value) return *m_value;
        }
        return real();
    }

private:
    CCriticalSection m_lock;
    std::optional<T> m_value;
};
