#include "firmware/WriterRun.h"

#include <algorithm>
#include <cstring>

#include "device/HidDevices.h"
#include "device/HidDiscovery.h"
#include "firmware/UpdateMessages.h"
#include "framework/Clock.h"

namespace {

constexpr unsigned kArchiveFailedPauseMs = 5000;
constexpr unsigned kUserPollMs = 1000;
constexpr unsigned kNotReadyPauseMs = 500;
constexpr unsigned kOpenAttemptPauseMs = 1000;

}  // namespace

void OwnHidHandle::Close() { CloseHidHandle(m_handle); }

bool WriterRun::ReadPackage(const PackageRules& rules, PackageFailureFormat format)
{
    UpdateStatus& status = c.WriterUpdateStatus;
    PackageResult result = package.Load(c.inputs.packagePath);
    if (result == PackageResult::Ok) {
        status.State = UpdateStatePackageRead;
        result = package.Check(rules);
    }
    if (result != PackageResult::Ok) {
        c.Fail(format ? format(result) : L"%s. %s", TextFirmwareCorrupted);
        return false;
    }
    status.State = UpdateStatePackageVerified;
    return true;
}

void WriterRun::BackUpSettings(const wchar_t* format)
{
    if (c.inputs.pageIndex != PageFirmwareUpdate) return;  // a restore keeps the archive it restores
    c.Compose(format, {[this](LanguageIndex l) { return c.InProgressTitle(l); }, TextAboutToMakeBackupFirmware});
    DeviceSettings& settings = c.inputs.deviceSettings;
    const bool written = c.writeSettingsArchive && c.writeSettingsArchive(settings, c.inputs.targetProductId);
    // The time stamped on the archive goes back to the main window's settings
    // through the record; the user-interface thread stores it.
    c.WriterUpdateStatus.ArchiveTime = settings.ArchiveTime;
    if (written) return;
    // The page shows its backup-failed box in state 11; its OK clears the flag.
    c.WriterUpdateStatus.State = UpdateStateWaitingForUser;
    c.waitForUser = true;
    Clock::Sleep(kArchiveFailedPauseMs);
    while (c.waitForUser) Clock::Sleep(kUserPollMs);
}

void WriterRun::BeginWriting(bool enterWritingState)
{
    UpdateStatus& status = c.WriterUpdateStatus;
    c.Compose(L"%s", {[this](LanguageIndex l) { return c.InProgressTitle(l); }});
    status.Error = UpdateErrorNone;
    c.UpdatePage.DfuWaitEvents = 0;
    c.UpdatePage.DfuStepActive = 1;
    status.PromptTicks = 0;
    status.PhaseTicks = 0;
    if (enterWritingState) status.State = UpdateStateWriting;
}

bool WriterRun::Exchange(HANDLE* device, uint8_t command)
{
    report[0] = kHidReportId;
    report[1] = command;
    return HidTransact(device, report.data(), reply.data()) != 0;
}

bool WriterRun::ExchangeCleared(HANDLE* device, uint8_t command, uint8_t byte2)
{
    report.fill(0);
    report[2] = byte2;
    return Exchange(device, command);
}

bool WriterRun::BeginImage(HANDLE* device, uint8_t type, const wchar_t* format)
{
    report[2] = type;
    if (Exchange(device, HidImageCommandBegin)) return true;
    c.Fail(format, TextFirmwareCorrupted);
    return false;
}

bool WriterRun::SendChunk(HANDLE* device, const uint8_t* chunk, int length, const wchar_t* dataFormat,
                          const wchar_t* statusFormat)
{
    report[0] = kHidReportId;
    report[1] = HidImageCommandData;
    report[2] = static_cast<uint8_t>(length >> 8);
    report[3] = static_cast<uint8_t>(length);
    std::memcpy(report.data() + 4, chunk, static_cast<size_t>(length));
    if (!WriteHidReport(device, report.data())) {
        c.Fail(dataFormat, TextFirmwareCorrupted);
        return false;
    }
    if (!ReadHidReportStatus(device)) {
        c.Fail(statusFormat, TextFirmwareCorrupted);
        return false;
    }
    return true;
}

bool WriterRun::SendData(HANDLE* device, std::span<const uint8_t> bytes, int chunkLimit, const wchar_t* dataFormat,
                         const wchar_t* statusFormat)
{
    const size_t limit = static_cast<size_t>(std::clamp(chunkLimit, 1, kMostChunkBytes));
    for (size_t done = 0; done < bytes.size();) {
        const size_t length = std::min(bytes.size() - done, limit);
        if (!SendChunk(device, bytes.data() + done, static_cast<int>(length), dataFormat, statusFormat)) return false;
        done += length;
    }
    return true;
}

bool WriterRun::EndImage(HANDLE* device, const wchar_t* format)
{
    if (Exchange(device, HidImageCommandEnd)) return true;
    c.Fail(format, TextFirmwareCorrupted);
    return false;
}

bool WriterRun::SendImage(HANDLE* device, const PackageEntry& entry, const ImageFailureFormats& formats, int chunkLimit)
{
    return BeginImage(device, static_cast<uint8_t>(entry.type), formats.begin) &&
           SendData(device, package.ImageBytes(entry), chunkLimit, formats.data, formats.status) &&
           EndImage(device, formats.end);
}

bool WriterRun::SendImages(uint32_t count, const ImageFailureFormats& formats, bool* targetZeroSent)
{
    if (targetZeroSent) *targetZeroSent = false;
    for (uint32_t i = 0; i < count && i < package.ImageCount(); ++i) {
        const PackageEntry entry = package.Entry(i);
        HANDLE* device = ImageGoesToFirstInterface(entry.target) ? &c.inputs.hidHandle1 : &c.inputs.hidHandle2;
        if (!SendImage(device, entry, formats)) return false;
        if (targetZeroSent && entry.target == kImageTargetFirstWithFinish) *targetZeroSent = true;
    }
    return true;
}

bool WriterRun::AwaitReadiness(HANDLE* first, const wchar_t* timeoutFormat)
{
    c.WriterUpdateStatus.DeviceRestarting = true;
    const uint64_t deadline = Clock::Now() + c.inputs.limits.readinessMs;
    for (;;) {
        const bool answered = Exchange(first, HidImageCommandReadiness);
        if (answered && reply[3] != 0) return true;
        if (Clock::Now() >= deadline) {
            c.Fail(timeoutFormat, TextCannotGetStatus);
            return false;
        }
        // A headset that does not answer (gone, or restarting) is asked again after a pause.
        Clock::Sleep(answered ? kNotReadyPauseMs : c.inputs.limits.failedPollPauseMs);
    }
}

bool WriterRun::Finish(HANDLE* device, const wchar_t* format)
{
    report[2] = 0;
    if (Exchange(device, HidImageCommandFinish)) return true;
    c.Fail(format, TextFirmwareCorrupted);
    return false;
}

void WriterRun::HandOver(int deviceRestarting)
{
    c.WriterUpdateStatus.State = UpdateStateRestarting;
    if (deviceRestarting >= 0) c.WriterUpdateStatus.DeviceRestarting = deviceRestarting != 0;
    // The last use of the main window's handles lies behind: from the request
    // on, its device-return check closes and reopens them.
    c.RequestReturnTimer();
}

HANDLE WriterRun::OpenWithAttempts(int productId, int attempts)
{
    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (attempt > 0) Clock::Sleep(kOpenAttemptPauseMs);
        if (HANDLE device = OpenHidDevice(productId)) return device;
    }
    return nullptr;
}
