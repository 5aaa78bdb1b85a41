// CombinedChipWriteThread: the 0x5345 headset, a Bluetooth chip beside a
// microcontroller. Its two images are written to files beside the program
// and flashed by two external programs: the chip's HID DFU tool for the
// Bluetooth image (the chip in update mode as 0xD340), the microcontroller's
// serial flash loader for the other, on the COM port of the headset's USB
// serial bridge. Between the steps the headset gets single-byte commands.
#include "firmware/CombinedChipWriter.h"

#include <algorithm>
#include <initializer_list>
#include <string>

#include "device/FtdiLibrary.h"
#include "device/HidDevices.h"
#include "device/HidDiscovery.h"
#include "device/ProductCatalogue.h"
#include "firmware/ConsoleTool.h"
#include "firmware/HidWriters.h"
#include "firmware/Md5.h"
#include "firmware/UpdateMessages.h"
#include "firmware/WriterRun.h"
#include "framework/Clock.h"
#include "framework/File.h"

namespace {

constexpr int kSecondProduct = kCombinedChipSecondProductId;

enum CombinedChipCommand : uint8_t {
    CombinedChipHello = 0x01,        // first request of both role queries; its answer is not used
    CombinedChipBack = 0x30,         // after the first tool run; in IdentifyHidInterfaces
    CombinedChipToUpdateMode = 0x31, // second request of the role query before the first tool run
    CombinedChipRole = 0x32,         // reply byte 3 decides the role
    CombinedChipChipDone = 0x33,     // after the second tool run, on the primary interface
    CombinedChipLoaderDone = 0x34,   // after the flash loader, on the primary interface; not checked
};

const wchar_t kBluetoothPartName[] = L"__zeph_bluetooth_fw__.dfu";
const wchar_t kMicrocontrollerPartName[] = L"__zeph_can_fw__.hex";
const wchar_t kDfuToolName[] = L"HidDfuCmd.exe";
const wchar_t kLoaderName[] = L"STMFlashLoader.exe";
const wchar_t kDfuToolArguments[] = L"HidDfuCmd.exe upgrade 3e1f d340 0 0 %s";
const wchar_t kLoaderArguments[] = L" -c --pn %d --br 115200 -i STM32F1_Med-density_128K -e --all -d --a 8000000 --fn ";
const wchar_t kDfuToolSuccess[] = L"upgrade succeeded";
const wchar_t kLoaderSuccess[] = L"DOWNLOADING";

constexpr int kOpenAttempts = 20;
constexpr int kDfuCountChecks = 15;
constexpr int kDfuToolRuns = 3;
constexpr unsigned kPauseMs = 1000;
constexpr unsigned kBeforeDfuToolMs = 2000;

// The progress shown at the milestones.
constexpr int kPercentAfterFirstRun = 36;
constexpr int kPercentAfterSecondRun = 66;
constexpr int kPercentAfterLoader = 89;

const wchar_t* PackageFailureFormatOf(PackageResult result)
{
    switch (result) {
    case PackageResult::CannotOpen: return L"%s. %s[2]";
    case PackageResult::TooShort: return L"%s. %s[3]";
    case PackageResult::TooLarge:
    case PackageResult::OutOfMemory: return L"%s. %s[4]";
    case PackageResult::ShortRead: return L"%s. %s[5]";
    case PackageResult::WrongProduct: return L"%s. %s[6]";
    case PackageResult::DigestMismatch: return L"%s. %s[8]";
    default: return L"%s. %s[7]";  // the tables or an image outside the file, too few images
    }
}

// Walks the present HID interfaces; collects the paths of the maker's vendor
// interfaces of the given products, no more than wanted.
int FindInterfaces(std::initializer_list<int> products, CString* path1, CString* path2, int wanted)
{
    CString* paths[] = {path1, path2};
    for (CString* path : paths) {
        if (path) path->Empty();
    }
    std::vector<HidInterfacePath> interfaces;
    if (wanted <= 0 || !HidDevices().ListInterfaces(interfaces)) return 0;
    int found = 0;
    for (const HidInterfacePath& entry : interfaces) {
        if (found >= wanted || found >= 2) break;
        HANDLE device = HidDevices().Open(entry.path.c_str());
        if (!device) continue;
        HidAttributes attributes;
        HidCaps caps;
        const bool matches = HidDevices().GetAttributes(device, attributes) && attributes.vendorId == kMakerVendorId &&
                             std::find(products.begin(), products.end(), attributes.productId) != products.end() &&
                             HidDevices().GetCaps(device, caps) && caps.usagePage == kVendorUsagePage &&
                             caps.usage == kVendorUsage;
        CloseHidHandle(device);
        if (!matches) continue;
        if (paths[found]) *paths[found] = CString(entry.path.c_str());
        ++found;
    }
    return found;
}

bool OpenInterfaces(std::initializer_list<int> products, HANDLE& handle1, HANDLE& handle2, int count)
{
    CloseHidHandle(handle1);
    CloseHidHandle(handle2);
    count = std::clamp(count, 1, 2);
    CString path1, path2;
    if (FindInterfaces(products, &path1, &path2, count) < count) return false;
    handle1 = HidDevices().Open(path1);
    if (count == 2) handle2 = HidDevices().Open(path2);
    return handle1 && (count == 1 || handle2);
}

class CombinedChipRun {
public:
    explicit CombinedChipRun(WriterRun& run) : m_run(run), m_c(run.c) {}

    ~CombinedChipRun()
    {
        // The temporary parts never outlive the run.
        if (m_partsWritten) RemoveParts();
    }

    void Run()
    {
        if (!WriteParts()) return;
        UpdateStatus& status = m_c.WriterUpdateStatus;
        status.State = UpdateStateWriting;

        bool open = false;
        for (int attempt = 0; attempt < kOpenAttempts && !open; ++attempt) {
            if (attempt > 0) Clock::Sleep(kPauseMs);
            open = OpenHidInterfacesWithDfu(m_interfaces.handles[0], m_interfaces.handles[1], 2);
        }
        if (!open) return Fail(L"%s. %s[16]");

        // The role query: the interface whose reply says 0, or does not answer, is the primary one.
        for (int i = 0; i < 2; ++i) {
            HANDLE* device = &m_interfaces.handles[i];
            m_run.ExchangeCleared(device, CombinedChipHello);
            m_run.ExchangeCleared(device, CombinedChipToUpdateMode);
            if (!m_run.ExchangeCleared(device, CombinedChipRole) || m_run.reply[3] == 0) m_interfaces.PrimaryHidInterface = i;
            Clock::Sleep(kPauseMs);
        }
        for (int check = 0; check < kDfuCountChecks && CountHidDfuDevices(2) != 2; ++check) Clock::Sleep(kPauseMs);

        CString bluetoothPart;
        if (!ProgramFilePath(m_c, kBluetoothPartName, bluetoothPart) || !ProgramFilePath(m_c, kDfuToolName, m_dfuTool))
            return Fail(L"%s. %s[17]");
        m_dfuCommand = CString::FillPlaceholders(kDfuToolArguments, {L"\"" + bluetoothPart + L"\""});
        if (!FirstDfuRuns()) return;

        if (!RunTool(m_dfuCommand, m_dfuTool, kDfuToolSuccess)) return Fail(L"%s. %s[20]");
        status.SetPercent(kPercentAfterSecondRun);
        IdentifyHidInterfaces(m_run, m_interfaces);
        Clock::Sleep(kPauseMs);
        if (!m_run.ExchangeCleared(m_interfaces.Primary(), CombinedChipChipDone)) return Fail(L"%s. %s[21]");
        Clock::Sleep(kPauseMs);

        long port = -1;
        switch (ReadFtdiComPort(&port)) {
        case FtdiPortResult::Ok: break;
        case FtdiPortResult::OpenFailed: return Fail(L"%s. %s[24]");
        case FtdiPortResult::PortFailed: return Fail(L"%s. %s[23]");
        }
        CString loader, microcontrollerPart;
        if (!ProgramFilePath(m_c, kLoaderName, loader) ||
            !ProgramFilePath(m_c, kMicrocontrollerPartName, microcontrollerPart))
            return Fail(L"%s. %s[22]");
        CString arguments = kLoaderArguments;
        arguments.Replace(L"%d", CString(std::to_wstring(port).c_str()));
        const CString loaderCommand = L"\"" + loader + L"\"" + arguments + L"\"" + microcontrollerPart + L"\"";
        const bool loaded = RunTool(loaderCommand, loader, kLoaderSuccess);
        status.SetPercent(kPercentAfterLoader);
        if (!loaded) return Fail(L"%s. %s[25]");

        IdentifyHidInterfaces(m_run, m_interfaces);
        m_run.ExchangeCleared(m_interfaces.Primary(), CombinedChipLoaderDone);
        RemoveParts();
        m_partsWritten = false;
        m_interfaces.Close();
        m_c.RequestReturnTimer();
    }

private:
    // From the temporary parts on, a failure removes them before it is reported.
    void Fail(const wchar_t* format)
    {
        if (m_partsWritten) RemoveParts();
        m_c.Fail(format, TextFirmwareCorrupted);
    }

    void RemoveParts()
    {
        for (const wchar_t* name : {kBluetoothPartName, kMicrocontrollerPartName}) {
            CString path;
            if (ProgramFilePath(m_c, name, path)) CFile::Remove(path);
        }
    }

    // Image entries 0 and 1 as files beside the program, each written whole
    // through a temporary name, read back and compared by digest and size.
    // Parts of an earlier run go first, so nothing stale is ever flashed.
    bool WriteParts()
    {
        CString paths[2];
        if (!ProgramFilePath(m_c, kBluetoothPartName, paths[0]) ||
            !ProgramFilePath(m_c, kMicrocontrollerPartName, paths[1])) {
            Fail(L"%s. %s[10]");
            return false;
        }
        m_partsWritten = true;
        RemoveParts();
        for (uint32_t i = 0; i < 2; ++i) {
            const PackageEntry entry = m_run.package.Entry(i);
            const std::span<const uint8_t> bytes = m_run.package.ImageBytes(entry);
            if (!WriteWholeFile(paths[i], bytes.data(), bytes.size())) {
                Fail(L"%s. %s[11]");
                return false;
            }
            uint8_t digest[kMd5DigestSize];
            if (!Md5DigestOfFile(paths[i], digest)) {
                Fail(L"%s. %s[12]");
                return false;
            }
            if (!std::equal(std::begin(digest), std::end(digest), entry.digest)) {
                Fail(L"%s. %s[13]");
                return false;
            }
            if (CountFileBytes(paths[i]) != static_cast<int64_t>(entry.size)) {
                Fail(L"%s. %s[14]");
                return false;
            }
        }
        CString check;
        if (!ProgramFilePath(m_c, kBluetoothPartName, check)) {
            Fail(L"%s. %s[15]");
            return false;
        }
        return true;
    }

    // A tool run that ended by itself and printed its success text.
    bool RunTool(const CString& command, const CString& application, const wchar_t* success)
    {
        ConsoleToolOutcome outcome;
        const CString log = RunConsoleTool(m_c.UpdatePage, command, application, m_c.inputs.limits.toolMs, &outcome);
        return outcome.started && !outcome.timedOut && log.Find(success) >= 0;
    }

    // Up to three runs of the chip's tool; after a success the headset comes
    // back from update mode and gets command 0x30 on its first interface.
    bool FirstDfuRuns()
    {
        for (int run = 0; run < kDfuToolRuns; ++run) {
            Clock::Sleep(run == 0 ? kBeforeDfuToolMs : kPauseMs);
            if (!RunTool(m_dfuCommand, m_dfuTool, kDfuToolSuccess)) continue;
            m_c.WriterUpdateStatus.SetPercent(kPercentAfterFirstRun);
            bool open = false;
            for (int attempt = 0; attempt < kOpenAttempts && !open; ++attempt) {
                if (attempt > 0) Clock::Sleep(kPauseMs);
                open = OpenHidInterfaces(m_interfaces.handles[0], m_interfaces.handles[1], 1);
            }
            if (!m_run.ExchangeCleared(&m_interfaces.handles[0], CombinedChipBack)) {
                Fail(run == 0 ? L"%s. %s[18]" : L"%s. %s[1][18]");
                return false;
            }
            return true;
        }
        const CString command = m_dfuCommand;
        RemoveParts();
        m_c.FailComposed(L"%s. %s[1][19](%s)", {[this](LanguageIndex l) { return m_c.FailureTitle(l); },
                                                 TextFirmwareCorrupted,
                                                 [command](LanguageIndex) { return command; }});
        return false;
    }

    WriterRun& m_run;
    WriterContext& m_c;
    WriterHidInterfaces m_interfaces;
    bool m_partsWritten = false;
    CString m_dfuTool;
    CString m_dfuCommand;
};

}  // namespace

void WriterHidInterfaces::Close()
{
    CloseHidHandle(handles[0]);
    CloseHidHandle(handles[1]);
}

int FindHidInterfaces(CString* path1, CString* path2, int wanted)
{
    return FindInterfaces({kCombinedChipProductId, kSecondProduct}, path1, path2, wanted);
}

int FindHidInterfacesWithDfu(CString* path1, CString* path2, int wanted)
{
    return FindInterfaces({kCombinedChipDfuProductId, kCombinedChipProductId, kSecondProduct}, path1, path2, wanted);
}

bool OpenHidInterfaces(HANDLE& handle1, HANDLE& handle2, int count)
{
    return OpenInterfaces({kCombinedChipProductId, kSecondProduct}, handle1, handle2, count);
}

bool OpenHidInterfacesWithDfu(HANDLE& handle1, HANDLE& handle2, int count)
{
    return OpenInterfaces({kCombinedChipDfuProductId, kCombinedChipProductId, kSecondProduct}, handle1, handle2, count);
}

void IdentifyHidInterfaces(WriterRun& run, WriterHidInterfaces& interfaces)
{
    bool open = false;
    for (int attempt = 0; attempt < kOpenAttempts && !open; ++attempt) {
        if (attempt > 0) Clock::Sleep(kPauseMs);
        open = OpenHidInterfaces(interfaces.handles[0], interfaces.handles[1], 2);
    }
    // Opposite to the role query before the first tool run: here a non-zero
    // byte 3 marks the primary interface.
    for (int i = 0; i < 2; ++i) {
        HANDLE* device = &interfaces.handles[i];
        run.ExchangeCleared(device, CombinedChipHello);
        run.ExchangeCleared(device, CombinedChipBack);
        if (run.ExchangeCleared(device, CombinedChipRole) && run.reply[3] != 0) interfaces.PrimaryHidInterface = i;
        Clock::Sleep(kPauseMs);
    }
}

void CombinedChipWriteThread(WriterContext& c)
{
    WriterRun run(c);
    PackageRules rules;
    rules.targetProductId = c.inputs.targetProductId;
    rules.minimumImages = 2;  // the Bluetooth and the microcontroller image
    if (!run.ReadPackage(rules, PackageFailureFormatOf)) return;
    run.BackUpSettings(L"%s %s[9]");
    run.BeginWriting(false);  // state 7 once the parts are written
    CombinedChipRun(run).Run();
}
