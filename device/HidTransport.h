// The HID report exchange with a headset: one 1023-byte request (output report)
// and one 67-byte reply (input report), with the busy rule of the headset.
//
// Request: byte 0 report id 1, byte 1 command (group), byte 2 item, byte 3 word
// count N of a set request, bytes 4.. N words high byte first.
// Reply: byte 2 status (0 success, 1 busy: the answer follows in the next
// report, anything else failure); for get requests byte 4 word count N and
// bytes 5.. N words high byte first.
#pragma once

#include <windows.h>

#include <cstdint>

constexpr int kHidRequestSize = 1023;
constexpr int kHidReplySize = 67;
constexpr int kHidReportId = 1;

// Reply status values.
constexpr uint8_t kHidStatusSuccess = 0;
constexpr uint8_t kHidStatusBusy = 1;
constexpr uint8_t kHidStatusNone = 0xFF;  // preset before every read

// Groups (commands) of the headset protocol used by recognition and the writers.
constexpr uint8_t kHidGroupInformation = 1;
constexpr uint8_t kHidGroupAddress = 2;
constexpr uint8_t kHidGroupGet = 3;
constexpr uint8_t kHidGroupSet = 4;
constexpr uint8_t kHidGroupPrepare = 0x10;
constexpr uint8_t kHidGroupApply = 0x11;

// The most words a reply can carry: bytes 5 to 66.
constexpr int kHidReplyMaxWords = (kHidReplySize - 5) / 2;
// The most words a request can carry: bytes 4 to 1022.
constexpr int kHidRequestMaxWords = (kHidRequestSize - 4) / 2;

// Bounds of one exchange: a read that brings nothing within the time-out
// fails, and a headset that stays busy longer than the cap fails too.
constexpr unsigned kHidReadTimeoutMs = 5000;
constexpr int kHidMaxBusyReads = 500;
constexpr unsigned kHidMaxBusyMs = 30000;

// Writes the request, reads the reply and reads again while the headset is
// busy. 1 when the final status is 0, else 0 (failed write or read, failure
// status, time-out, busy beyond the cap, or a get reply whose word count does
// not fit in the reply).
int HidTransact(HANDLE* device, const uint8_t request[kHidRequestSize], uint8_t reply[kHidReplySize]);
// One write of a 1023-byte report; 1 on success.
int WriteHidReport(HANDLE* device, const uint8_t request[kHidRequestSize]);
// Reads a reply with the busy rule of HidTransact into a buffer of its own;
// 1 when the final status is 0.
int ReadHidReportStatus(HANDLE* device);

// Swap the two bytes of each 16-bit word in place: count words from words.
void SwapWordBytes(int count, uint8_t* words);
// The N words of a request from byte 4 (N = byte 3): host order <-> report order.
void SwapRequestWords(uint8_t request[kHidRequestSize]);
// The N words of a reply from byte 5 (N = byte 4, at most what the reply holds).
void SwapReplyWords(uint8_t reply[kHidReplySize]);

// The word count of a reply, limited to what the reply can hold.
int ReplyWordCount(const uint8_t reply[kHidReplySize]);
// Word index of a reply whose words were converted with SwapReplyWords;
// 0 for an index outside the reply's words.
int ReplyWord(const uint8_t reply[kHidReplySize], int index);
// Copies the converted words of a reply into dest, no more than destCount;
// returns the number copied.
int CopyReplyWords(const uint8_t reply[kHidReplySize], int* dest, int destCount);
