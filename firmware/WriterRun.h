// One run of a HID writer thread: the steps every writer shares (package read
// and check, settings archive, start of writing, the image commands, the
// readiness poll, finish and the hand-over to the page's device-return check).
// A step that fails reports through the context and returns false; the
// writer then returns, and the package, the report buffer and every handle of
// its own go with the run.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "device/HidTransport.h"
#include "firmware/FirmwarePackage.h"
#include "firmware/WriterContext.h"

// The HID flashing commands (byte 1 of a report; report id 1 in byte 0).
enum HidImageCommand : uint8_t {
    HidImageCommandBegin = 0x05,      // byte 2: low byte of the image type
    HidImageCommandData = 0x06,       // bytes 2-3: chunk length, big-endian; bytes 4 up: the chunk
    HidImageCommandEnd = 0x07,
    HidImageCommandFinish = 0x08,     // byte 2: 0
    HidImageCommandReadiness = 0x0D,  // reply byte 3 non-zero: ready
};

// The most bytes one data report carries: bytes 4 to 1022.
inline constexpr int kMostChunkBytes = kHidRequestSize - 4;

// The status formats of the image commands' failures, one per step.
struct ImageFailureFormats {
    const wchar_t* begin;
    const wchar_t* data;    // sending a data report
    const wchar_t* status;  // reading its status
    const wchar_t* end;
};

inline constexpr ImageFailureFormats kUntaggedImageFailures = {L"%s. %s", L"%s. %s", L"%s. %s", L"%s. %s"};

// Per package result, the status format of its failure.
using PackageFailureFormat = const wchar_t* (*)(PackageResult result);

class WriterRun {
public:
    explicit WriterRun(WriterContext& context) : c(context) {}
    WriterRun(const WriterRun&) = delete;
    WriterRun& operator=(const WriterRun&) = delete;

    // Reads the package whole (state 4) and checks it with the rules (state 5).
    bool ReadPackage(const PackageRules& rules, PackageFailureFormat format = nullptr);
    // The settings archive, written only on the update page: texts "%s %s" (or
    // format) of the in-progress title and "about to make backup firmware";
    // when it cannot be written, state 11 and the wait for the user's OK.
    void BackUpSettings(const wchar_t* format = L"%s %s");
    // In-progress texts, error flag 0, transfer started, tick counters 0, and
    // (unless the writer enters it later) state 7.
    void BeginWriting(bool enterWritingState = true);

    // An exchange of the report buffer as it stands, with the command in byte 1.
    bool Exchange(HANDLE* device, uint8_t command);
    // The same with every byte but the report id and the command cleared first.
    bool ExchangeCleared(HANDLE* device, uint8_t command, uint8_t byte2 = 0);

    // Begin image with the type byte, the data in chunks of at most chunkLimit
    // bytes each followed by a status read, end image.
    bool SendImage(HANDLE* device, const PackageEntry& entry, const ImageFailureFormats& formats,
                   int chunkLimit = kMostChunkBytes);
    // The first count image entries in file order, each on the interface of
    // its target (0 and 2 the first, any other the second); whether one of
    // them had target 0 (the finish command is owed on the first interface).
    bool SendImages(uint32_t count, const ImageFailureFormats& formats, bool* targetZeroSent = nullptr);
    bool BeginImage(HANDLE* device, uint8_t type, const wchar_t* format);
    bool SendData(HANDLE* device, std::span<const uint8_t> bytes, int chunkLimit, const wchar_t* dataFormat,
                  const wchar_t* statusFormat);
    bool EndImage(HANDLE* device, const wchar_t* format);
    // One data report of a chunk and its status read.
    bool SendChunk(HANDLE* device, const uint8_t* chunk, int length, const wchar_t* dataFormat,
                   const wchar_t* statusFormat);

    // Device-restarting flag 1, then polls the first interface until it
    // reports ready; a headset that never does fails after the bound with
    // "Cannot get status" in format.
    bool AwaitReadiness(HANDLE* first, const wchar_t* timeoutFormat);
    // Finish {1, 8, 0}.
    bool Finish(HANDLE* device, const wchar_t* format);
    // Hands the headset's return over to the page: state 9, the
    // device-restarting flag when given, the device-return timer.
    void HandOver(int deviceRestarting);

    // Attempts of an open, one second apart; the handle or null.
    static HANDLE OpenWithAttempts(int productId, int attempts);

    WriterContext& c;
    FirmwarePackage package;
    // One report buffer for the whole run: bytes a command does not name keep
    // what the previous one left.
    std::array<uint8_t, kHidRequestSize> report{};
    std::array<uint8_t, kHidReplySize> reply{};
};

// A HID handle of a writer's own, closed when it goes.
class OwnHidHandle {
public:
    OwnHidHandle() = default;
    explicit OwnHidHandle(HANDLE handle) : m_handle(handle) {}
    OwnHidHandle(const OwnHidHandle&) = delete;
    OwnHidHandle& operator=(const OwnHidHandle&) = delete;
    ~OwnHidHandle() { Close(); }

    void Reset(HANDLE handle)
    {
        Close();
        m_handle = handle;
    }
    void Close();
    HANDLE* Get() { return &m_handle; }
    bool IsOpen() const { return m_handle != nullptr; }

private:
    HANDLE m_handle = nullptr;
};
