// Shortened transfer bounds for as long as the object lives (the test hook),
// so that a test sees a transfer end at its bound without waiting long.
#pragma once

#include <windows.h>

#include "app/HttpDownload.h"

class ShortLimits {
public:
    ShortLimits(DWORD deadlineMs, DWORD idleLimitMs)
    {
        HttpDownloadLimits limits;
        limits.deadlineMs = deadlineMs;
        limits.idleLimitMs = idleLimitMs;
        SetHttpDownloadLimitsHook(&limits);
    }
    ~ShortLimits() { SetHttpDownloadLimitsHook(nullptr); }
    ShortLimits(const ShortLimits&) = delete;
    ShortLimits& operator=(const ShortLimits&) = delete;
};
