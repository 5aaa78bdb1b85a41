// HidAndDriveWriteThread: the HID package writer of the 0x55xx, 0x56xx and
// 0x57xx families and their kin, with the camera road of 0x5510, whose camera
// takes its firmware as a file on its own storage. The headset presents that
// storage to the PC as a removable drive on request; the thread writes the
// camera image there, hands the drive back so the camera takes it, asks for
// the drive again and reads the camera's version file until it shows the new
// version. Only then do the headset's own images go over HID.
#include <algorithm>

#include "app/Texts.h"
#include "device/DeviceSettings.h"
#include "device/ProductCatalogue.h"
#include "device/SeamsDrives.h"
#include "firmware/HidWriters.h"
#include "firmware/Md5.h"
#include "firmware/UpdateMessages.h"
#include "firmware/WriterRun.h"
#include "framework/Clock.h"
#include "framework/File.h"

namespace {

constexpr int kCameraProduct = 0x5510;
// The camera image is entry 2; entries 3 and later are not used.
constexpr uint32_t kCameraImageEntry = 2;

constexpr unsigned kRestartWaitMs = 65000;
constexpr unsigned kQuietEndPauseMs = 500;

// Requests of the camera road, on the first interface.
enum CameraDriveCommand : uint8_t {
    CameraDriveRequest = 0x20,  // present the camera storage as a removable drive
    CameraDriveRelease = 0x21,  // hand the drive back to the camera
    CameraDriveState = 0x22,    // reply byte 3 non-zero while the drive is presented
};

const wchar_t kVersionFileName[] = L"KC5.VER";
const wchar_t kTemporaryImageName[] = L"__kc5_firmware__.bin";
const wchar_t kCameraImageName[] = L"FWCARCAM.bin";

// Durations of the road.
constexpr int kLoopPasses = 30;
constexpr int kSixthPass = 5;
constexpr unsigned kLoopPassPauseMs = 1000;
constexpr unsigned kLoopFailedPassPauseMs = 500;
constexpr unsigned kBeforeSearchMs = 15000;
constexpr int kFirstSearchPasses = 70;
constexpr int kSecondSearchPasses = 200;
constexpr unsigned kSearchPassPauseMs = 1000;
constexpr unsigned kBeforeVersionReadMs = 2000;
constexpr unsigned kAfterCurrentReleaseMs = 10000;
constexpr unsigned kBeforeLastReleaseMs = 3000;
constexpr size_t kReadBackBlock = 1024;

// Ends of a wait loop.
enum class LoopEnd {
    Reached,
    RequestFailed,           // the loop's request failed after the awaited state
    RequestFailedSixthPass,  // ... after a failed sixth pass that counted as the awaited state
    Exhausted,               // 30 passes without the awaited state
};

// Status formats of a loop's failures ("%s. %s [x][y]. %s.").
struct LoopFormats {
    const wchar_t* requestFailed;
    const wchar_t* requestFailedSixthPass;
    const wchar_t* exhausted;
};

// The camera files a failure removes.
enum class CameraCleanUp { None, FinalFile, BothWhenPresent, TemporaryWhenPresent };

CString Root(wchar_t letter) { return CString::Formatted(L"%c:\\", letter); }

class CameraRoad {
public:
    CameraRoad(WriterRun& run) : m_run(run), m_c(run.c) {}

    bool Run()
    {
        DriveErrorBoxesOff quiet;
        const PackageEntry image = m_run.package.Entry(kCameraImageEntry);

        if (!Command(CameraDriveRequest)) return Fail(L"%s. %s [1][0]. %s.", TextCannotGetStatus);
        if (Loop(true, 0) != LoopEnd::Reached) return Fail(L"%s. %s [4][1]. %s.", TextCannotGetStatus);
        Clock::Sleep(kBeforeSearchMs);

        bool current = false;
        if (!FirstSearch(image, current)) {
            m_c.Fail(L"%s. %s", TextCheckSdCard);
            return false;
        }
        if (current) {
            if (!ReleaseLoop({L"%s. %s [3][2]. %s.", L"%s. %s [3][2]. %s.", L"%s. %s [4][2]. %s."}, CameraCleanUp::None))
                return false;
            Clock::Sleep(kAfterCurrentReleaseMs);
            return true;
        }

        if (!WriteImage(image)) return false;
        if (!ReleaseLoop({L"%s. %s [0][0]. %s.", L"%s. %s [3][2]. %s.", L"%s. %s [4][2]. %s."}, CameraCleanUp::FinalFile))
            return false;
        switch (Loop(false, CameraDriveRequest)) {
        case LoopEnd::Reached: break;
        case LoopEnd::RequestFailed: return Fail(L"%s. %s [3][3]. %s.", TextCannotGetStatus, CameraCleanUp::FinalFile);
        case LoopEnd::RequestFailedSixthPass:
            return Fail(L"%s. %s [1][1]. %s.", TextCannotGetStatus, CameraCleanUp::FinalFile);
        case LoopEnd::Exhausted: return Fail(L"%s. %s [4][3]. %s.", TextCannotGetStatus, CameraCleanUp::FinalFile);
        }
        Clock::Sleep(kBeforeSearchMs);

        bool confirmed = false;
        for (int pass = 0; pass < kSecondSearchPasses && !confirmed; ++pass) {
            if (const wchar_t drive = FindRemovableDriveWithFile(kVersionFileName)) {
                Clock::Sleep(kBeforeVersionReadMs);
                int major = 0, minor = 0;
                if (ReadVersion(drive, major, minor)) {
                    if (CompareVersion(major, minor, static_cast<int>(image.versionMajor),
                                       static_cast<int>(image.versionMinor)) != 0)
                        return Fail(L"%s. %s [2][2]. %s.", TextCameraUpdateFailed);
                    confirmed = true;
                }
            }
            if (!confirmed) Clock::Sleep(kSearchPassPauseMs);
        }
        if (!confirmed) return Fail(L"%s. %s [4][4]. %s.", TextCannotGetStatus);
        Clock::Sleep(kBeforeLastReleaseMs);
        if (!ReleaseLoop({L"%s. %s [3][4]. %s.", L"%s. %s [3][2]. %s.", L"%s. %s [4][4]. %s."}, CameraCleanUp::None))
            return false;
        if (Loop(false, 0) != LoopEnd::Reached) return Fail(L"%s. %s [4][5]. %s.", TextCannotGetStatus);
        return true;
    }

private:
    bool Command(uint8_t command) { return m_run.Exchange(&m_c.inputs.hidHandle1, command); }

    // Polls the drive state until it is the awaited one, then sends the
    // loop's request (when it has one).
    LoopEnd Loop(bool awaitPresented, uint8_t request)
    {
        for (int pass = 0; pass < kLoopPasses; ++pass) {
            const bool answered = Command(CameraDriveState);
            // A failed sixth pass counts as the awaited state.
            const bool sixthPassCase = !answered && pass == kSixthPass;
            if ((answered && (m_run.reply[3] != 0) == awaitPresented) || sixthPassCase) {
                if (request && !Command(request))
                    return sixthPassCase ? LoopEnd::RequestFailedSixthPass : LoopEnd::RequestFailed;
                return LoopEnd::Reached;
            }
            Clock::Sleep(answered ? kLoopPassPauseMs : kLoopFailedPassPauseMs);
        }
        return LoopEnd::Exhausted;
    }

    // Waits for the drive and hands it back to the camera.
    bool ReleaseLoop(const LoopFormats& formats, CameraCleanUp cleanUp)
    {
        switch (Loop(true, CameraDriveRelease)) {
        case LoopEnd::Reached: return true;
        case LoopEnd::RequestFailed: return Fail(formats.requestFailed, TextCannotGetStatus, cleanUp);
        case LoopEnd::RequestFailedSixthPass: return Fail(formats.requestFailedSixthPass, TextCannotGetStatus, cleanUp);
        case LoopEnd::Exhausted: return Fail(formats.exhausted, TextCannotGetStatus, cleanUp);
        }
        return false;
    }

    // Up to 70 passes for the camera's drive; on it, a temporary image left
    // from an earlier run goes, and the version file tells whether the camera
    // already has the image's version. False when no drive came.
    bool FirstSearch(const PackageEntry& image, bool& current)
    {
        for (int pass = 0; pass < kFirstSearchPasses; ++pass) {
            if (const wchar_t drive = FindRemovableDriveWithFile(kVersionFileName)) {
                const CString temporary = Resolved(drive, kTemporaryImageName);
                if (CFile::Exists(temporary)) CFile::Remove(temporary);
                int major = 0, minor = 0;
                current = ReadVersion(drive, major, minor) &&
                          CompareVersion(major, minor, static_cast<int>(image.versionMajor),
                                         static_cast<int>(image.versionMinor)) == 0;
                return true;
            }
            Clock::Sleep(kSearchPassPauseMs);
        }
        return false;
    }

    // One scan for the drive; on it the image is written under the temporary
    // name, renamed to the name the camera takes, read back and measured. A
    // drive that is not found, or a file that cannot be created, writes
    // nothing and the road goes on (the second search then finds the old
    // version); an image file left from an earlier run goes first.
    bool WriteImage(const PackageEntry& image)
    {
        m_drive = FindRemovableDriveWithFile(kVersionFileName);
        if (!m_drive) return true;
        const CString temporary = Resolved(m_drive, kTemporaryImageName);
        const CString final = Resolved(m_drive, kCameraImageName);
        const std::span<const uint8_t> bytes = m_run.package.ImageBytes(image);
        {
            CFile file;
            if (!file.Open(temporary, CFile::modeCreate | CFile::modeWrite)) {
                // No image of an earlier run may stand in for this one when the drive is released.
                if (CFile::Exists(final)) CFile::Remove(final);
                return true;
            }
            const bool written = file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
            file.Close();
            if (!written) return Fail(L"%s. %s [2][0]. %s.", TextCannotGetStatus, CameraCleanUp::TemporaryWhenPresent);
        }
        // Never onto a file of that name: an old one makes the rename fail.
        if (!::MoveFileW(temporary, final))
            return Fail(L"%s. %s [2][1]. %s.", TextCameraUpdateFailed, CameraCleanUp::BothWhenPresent);

        CFile file;
        if (!file.Open(final, CFile::modeRead | CFile::shareDenyWrite))
            return Fail(L"%s. %s [2][9]. %s.", TextCannotGetStatus);
        Md5Context md5;
        Md5Init(&md5);
        uint8_t block[kReadBackBlock];
        for (UINT got; (got = file.Read(block, sizeof block)) != 0;) Md5Update(&md5, block, got);
        file.Close();
        uint8_t digest[kMd5DigestSize];
        Md5Final(digest, &md5);
        if (!std::equal(std::begin(digest), std::end(digest), image.digest))
            return Fail(L"%s. %s [2][10]. %s.", TextCannotGetStatus, CameraCleanUp::BothWhenPresent);
        if (!file.Open(final, CFile::modeRead | CFile::shareDenyWrite) || file.GetLength() != image.size)
            return Fail(L"%s. %s [2][4]. %s.", TextCannotGetStatus, CameraCleanUp::FinalFile);
        return true;
    }

    // The camera's version from its version file: its lines joined, the text
    // before the first "." the major, between the first and second the minor.
    bool ReadVersion(wchar_t drive, int& major, int& minor)
    {
        CStdioFile file;
        if (!file.Open(Resolved(drive, kVersionFileName), CFile::modeRead | CFile::shareDenyWrite)) return false;
        CString text, line;
        while (file.ReadString(line)) text += line;
        const int first = text.Find(L'.');
        const int second = first < 0 ? -1 : text.Find(L'.', first + 1);
        major = StrToInt(first < 0 ? text : text.Left(first));
        minor = first < 0 ? 0 : StrToInt(second < 0 ? text.Mid(first + 1) : text.Mid(first + 1, second - first - 1));
        return true;
    }

    CString Resolved(wchar_t drive, const wchar_t* name) { return Drives().ResolvePath(Root(drive) + name); }

    // A failure of the road: the camera files named go first (on the drive of
    // the write scan, when it found one), then the texts with "Try again".
    bool Fail(const wchar_t* format, CString (*detail)(LanguageIndex), CameraCleanUp cleanUp = CameraCleanUp::None)
    {
        if (m_drive) {
            const CString temporary = Resolved(m_drive, kTemporaryImageName);
            const CString final = Resolved(m_drive, kCameraImageName);
            switch (cleanUp) {
            case CameraCleanUp::None: break;
            case CameraCleanUp::FinalFile: CFile::Remove(final); break;
            case CameraCleanUp::TemporaryWhenPresent:
                if (CFile::Exists(temporary)) CFile::Remove(temporary);
                break;
            case CameraCleanUp::BothWhenPresent:
                if (CFile::Exists(temporary)) CFile::Remove(temporary);
                if (CFile::Exists(final)) CFile::Remove(final);
                break;
            }
        }
        m_c.Fail(format, detail, TextTryAgain);
        return false;
    }

    WriterRun& m_run;
    WriterContext& m_c;
    wchar_t m_drive = 0;  // the drive of the write scan
};

}  // namespace

void HidAndDriveWriteThread(WriterContext& c)
{
    const int target = c.inputs.targetProductId;
    const bool camera = target == kCameraProduct;
    // Its end needs no readiness poll, nor the restarting flag.
    const bool quietEnd = ProductTraitsOf(target).Has(kQuietEnd);
    WriterRun run(c);
    PackageRules rules;
    rules.targetProductId = target;
    // The camera road needs the camera image of entry 2.
    if (camera) rules.minimumImages = kCameraImageEntry + 1;
    if (!run.ReadPackage(rules)) return;
    run.BackUpSettings();
    run.BeginWriting();
    if (camera && !CameraRoad(run).Run()) return;

    const uint32_t images = camera ? kCameraImageEntry : run.package.ImageCount();
    bool finishFirst = false;
    if (!run.SendImages(images, kUntaggedImageFailures, &finishFirst)) return;
    if (quietEnd) {
        if (finishFirst && !run.Finish(&c.inputs.hidHandle1, L"%s. %s")) return;
        Clock::Sleep(kQuietEndPauseMs);
    } else {
        if (!run.AwaitReadiness(&c.inputs.hidHandle1, L"%s. %s")) return;
        if (finishFirst) {
            if (!run.Finish(&c.inputs.hidHandle1, L"%s. %s")) return;
            c.WriterUpdateStatus.DeviceRestarting = false;
        }
    }
    Clock::Sleep(kRestartWaitMs);
    run.HandOver(quietEnd ? 0 : 1);
}
