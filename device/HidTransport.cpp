#include "device/HidTransport.h"

#include "device/HidDevices.h"
#include "framework/Clock.h"

#include <algorithm>
#include <utility>

namespace {

bool IsOpen(HANDLE* device) { return device && *device; }

// One read into the reply with the status preset, so that a read that fails
// or brings nothing leaves a failure status rather than a stale one.
bool ReadReply(HANDLE device, uint8_t reply[kHidReplySize])
{
    reply[2] = kHidStatusNone;
    if (HidDevices().Read(device, reply, kHidReplySize, kHidReadTimeoutMs)) return true;
    reply[2] = kHidStatusNone;
    return false;
}

// The busy rule: after a first read that succeeded, read again while the
// status is busy. A failed re-read ends with the failure status; so does a
// headset that stays busy beyond the cap. True when the final status is 0.
bool ReadUntilSettled(HANDLE device, uint8_t reply[kHidReplySize])
{
    if (!ReadReply(device, reply)) return false;
    const uint64_t deadline = Clock::Now() + kHidMaxBusyMs;
    for (int busyReads = 0; reply[2] == kHidStatusBusy; ++busyReads) {
        if (busyReads >= kHidMaxBusyReads || Clock::Now() > deadline) {
            reply[2] = kHidStatusNone;
            break;
        }
        ReadReply(device, reply);
    }
    return reply[2] == kHidStatusSuccess;
}

}  // namespace

int HidTransact(HANDLE* device, const uint8_t request[kHidRequestSize], uint8_t reply[kHidReplySize])
{
    if (!request || !reply) return 0;
    reply[2] = kHidStatusNone;
    if (!IsOpen(device) || !HidDevices().Write(*device, request, kHidRequestSize)) return 0;
    if (!ReadUntilSettled(*device, reply)) return 0;
    // A get reply counts its words in byte 4; a count the reply cannot hold is
    // a corrupt reply, not a success.
    if (request[1] == kHidGroupGet && reply[4] > kHidReplyMaxWords) return 0;
    return 1;
}

int WriteHidReport(HANDLE* device, const uint8_t request[kHidRequestSize])
{
    return request && IsOpen(device) && HidDevices().Write(*device, request, kHidRequestSize) ? 1 : 0;
}

int ReadHidReportStatus(HANDLE* device)
{
    uint8_t reply[kHidReplySize] = {};
    return IsOpen(device) && ReadUntilSettled(*device, reply) ? 1 : 0;
}

void SwapWordBytes(int count, uint8_t* words)
{
    if (!words) return;
    for (int i = 0; i < count; ++i) std::swap(words[2 * i], words[2 * i + 1]);
}

void SwapRequestWords(uint8_t request[kHidRequestSize])
{
    SwapWordBytes(std::min<int>(request[3], kHidRequestMaxWords), request + 4);
}

void SwapReplyWords(uint8_t reply[kHidReplySize])
{
    SwapWordBytes(ReplyWordCount(reply), reply + 5);
}

int ReplyWordCount(const uint8_t reply[kHidReplySize])
{
    return std::min<int>(reply[4], kHidReplyMaxWords);
}

int ReplyWord(const uint8_t reply[kHidReplySize], int index)
{
    if (index < 0 || index >= ReplyWordCount(reply)) return 0;
    return reply[5 + 2 * index] | (reply[6 + 2 * index] << 8);
}

int CopyReplyWords(const uint8_t reply[kHidReplySize], int* dest, int destCount)
{
    if (!dest) return 0;
    int count = std::min(ReplyWordCount(reply), std::max(destCount, 0));
    for (int i = 0; i < count; ++i) dest[i] = ReplyWord(reply, i);
    return count;
}
