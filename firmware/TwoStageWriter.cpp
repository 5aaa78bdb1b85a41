// TwoStageHidWriteThread: the 0x3110 headset takes its first two images over
// its first HID interface like every HID headset; then, on a command, a
// second function of the headset enumerates (0x3120) and takes the third
// image in 58-byte blocks, on newer headsets each block and the whole image
// checked by CRC-16/XMODEM. At the end the headset gets the voice-prompt
// language of the user interface.
#include <algorithm>

#include "device/Crc16.h"
#include "device/ProductCatalogue.h"
#include "device/DeviceSettings.h"
#include "firmware/HidWriters.h"
#include "firmware/UpdateMessages.h"
#include "firmware/WriterRun.h"
#include "framework/Clock.h"

namespace {

constexpr int kControlProduct = kV60ProductId;
constexpr int kStageTwoProduct = 0x3120;
constexpr uint32_t kStageTwoImage = 2;
constexpr int kOpenAttempts = 100;
constexpr int kBlockBytes = 58;
// The image check may fail this often before the run fails.
constexpr int kImageCheckRetries = 5;

constexpr unsigned kRestartWaitMs = 65000;
constexpr unsigned kBeforeStageTwoMs = 6000;
constexpr unsigned kBeforeReopenMs = 8000;

enum StageTwoCommand : uint8_t {
    StageTwoInformation = 0x01,   // byte 2: 0; reply bytes 3 to 6: major, minor, type, build
    StageTwoStart = 0x50,         // on the control handle: start the second function
    StageTwoDone = 0x52,          // on the control handle; its answer is not used
    StageTwoVoicePrompt = 0x59,   // byte 2: the voice-prompt language code
    StageTwoBlockCheck = 0x5A,    // bytes 2-3: 0x0002; bytes 4-5: the block's CRC, low byte first
    StageTwoImageCheck = 0x5B,    // the same with the CRC of the image so far
};

// The second function's version: major, minor, type, build.
struct StageTwoVersion {
    int major, minor, type, build;
};
// Headsets from this version on check blocks and image by CRC.
constexpr StageTwoVersion kCrcFromVersion{1, 0, 2, 1};

constexpr ImageFailureFormats kFirstStageFailures = {L"%s. %s[0]", L"%s. %s[1]", L"%s. %s[2]", L"%s. %s[3]"};

class TwoStageRun {
public:
    explicit TwoStageRun(WriterRun& run) : m_run(run), m_c(run.c) {}

    void Run()
    {
        const bool finishFirst = m_run.package.Entry(0).target == kImageTargetFirstWithFinish ||
                                 m_run.package.Entry(1).target == kImageTargetFirstWithFinish;
        for (uint32_t i = 0; i < kStageTwoImage; ++i) {
            if (!m_run.SendImage(&m_c.inputs.hidHandle1, m_run.package.Entry(i), kFirstStageFailures)) return;
        }
        if (finishFirst && !m_run.Finish(&m_c.inputs.hidHandle1, L"%s. %s[4]")) return;
        Clock::Sleep(kRestartWaitMs);

        m_control.Reset(WriterRun::OpenWithAttempts(kControlProduct, kOpenAttempts));
        if (!m_control.IsOpen()) return Fail(L"%s. %s[5]");
        if (!m_run.ExchangeCleared(m_control.Get(), StageTwoStart)) return Fail(L"%s. %s[6]");
        Clock::Sleep(kBeforeStageTwoMs);
        m_stageTwo.Reset(WriterRun::OpenWithAttempts(kStageTwoProduct, kOpenAttempts));
        if (!m_stageTwo.IsOpen()) return Fail(L"%s. %s[7]");

        // A headset that does not tell its version counts as 1.0, type 0, build 0.
        StageTwoVersion version{1, 0, 0, 0};
        if (m_run.ExchangeCleared(m_stageTwo.Get(), StageTwoInformation, 0)) {
            const auto& reply = m_run.reply;
            version = {reply[3], reply[4], reply[5], reply[6]};
        }
        if (!m_run.BeginImage(m_stageTwo.Get(), 0, L"%s. %s[8]")) return;
        const std::span<const uint8_t> image = m_run.package.ImageBytes(m_run.package.Entry(kStageTwoImage));
        const bool checked = CompareVersionEx(version.major, version.minor, version.type, version.build,
                                              kCrcFromVersion.major, kCrcFromVersion.minor, kCrcFromVersion.type,
                                              kCrcFromVersion.build, 0) >= 0;
        if (checked ? !SendChecked(image)
                    : !m_run.SendData(m_stageTwo.Get(), image, kBlockBytes, L"%s. %s[9][1]", L"%s. %s[10][1]"))
            return;
        if (!m_run.EndImage(m_stageTwo.Get(), L"%s. %s[11]")) return;
        m_run.ExchangeCleared(m_control.Get(), StageTwoDone);
        if (!m_run.Finish(m_stageTwo.Get(), L"%s. %s[12]")) return;

        m_stageTwo.Close();
        Clock::Sleep(kRestartWaitMs);
        if (!m_run.ExchangeCleared(m_control.Get(), StageTwoStart)) return Fail(L"%s. %s[13]");
        Clock::Sleep(kBeforeReopenMs);
        m_stageTwo.Reset(WriterRun::OpenWithAttempts(kStageTwoProduct, kOpenAttempts));
        if (!m_stageTwo.IsOpen()) return Fail(L"%s. %s[14]");
        const uint8_t code = static_cast<uint8_t>(VoicePromptLanguageCode(m_c.inputs.language));
        if (!m_run.ExchangeCleared(m_control.Get(), StageTwoVoicePrompt, code))
            m_run.ExchangeCleared(m_control.Get(), StageTwoVoicePrompt, 0);

        m_stageTwo.Close();
        m_control.Close();
        m_run.HandOver(-1);
    }

private:
    void Fail(const wchar_t* format) { m_c.Fail(format, TextFirmwareCorrupted); }

    // Blocks of 58 bytes, each followed by its block check (a refused block is
    // sent again, a bounded number of times), then the image check; a refused
    // image is sent again from its first byte, five times at most.
    bool SendChecked(std::span<const uint8_t> image)
    {
        for (int attempt = 0;; ++attempt) {
            uint16_t running = 0;
            for (size_t offset = 0; offset < image.size();) {
                const int length = static_cast<int>(std::min<size_t>(image.size() - offset, kBlockBytes));
                const uint8_t* block = image.data() + offset;
                for (int resends = 0;; ++resends) {
                    if (!m_run.SendChunk(m_stageTwo.Get(), block, length, L"%s. %s[9][2]", L"%s. %s[10][2]"))
                        return false;
                    if (Check(StageTwoBlockCheck, Crc16Xmodem(block, length))) break;
                    if (resends >= m_c.inputs.limits.blockResends) {
                        Fail(L"%s. %s[10][4]");
                        return false;
                    }
                }
                offset += static_cast<size_t>(length);
                running = Crc16XmodemUpdate(running, block, length);
            }
            if (Check(StageTwoImageCheck, running)) return true;
            if (attempt >= kImageCheckRetries) {
                Fail(L"%s. %s[10][3]");
                return false;
            }
        }
    }

    bool Check(uint8_t command, uint16_t crc)
    {
        auto& report = m_run.report;
        report.fill(0);
        report[2] = 0x00;
        report[3] = 0x02;
        report[4] = static_cast<uint8_t>(crc);
        report[5] = static_cast<uint8_t>(crc >> 8);
        return m_run.Exchange(m_stageTwo.Get(), command);
    }

    WriterRun& m_run;
    WriterContext& m_c;
    OwnHidHandle m_control;
    OwnHidHandle m_stageTwo;
};

}  // namespace

void TwoStageHidWriteThread(WriterContext& c)
{
    WriterRun run(c);
    PackageRules rules;
    rules.targetProductId = c.inputs.targetProductId;
    rules.minimumImages = kStageTwoImage + 1;  // the second stage takes entry 2
    if (!run.ReadPackage(rules)) return;
    run.BackUpSettings();
    run.BeginWriting();
    TwoStageRun(run).Run();
}
