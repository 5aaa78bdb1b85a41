// The diagnostic log: its name, the exact lines of each block and the save step.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/Configuration.h"
#include "app/ui/DiagnosticLog.h"
#include "support/TempFolder.h"
#include "device/UsbDeviceList.h"
#include "framework/File.h"
#include "framework/FileDialog.h"

#undef GetCurrentTime

namespace {

class FakeUsbList : public IUsbDeviceList {
public:
    FakeUsbList(bool available, std::vector<std::string> ids) : m_available(available), m_ids(std::move(ids)) {}
    bool GetHardwareIds(std::vector<std::string>& ids) override
    {
        ids = m_ids;
        return m_available;
    }

private:
    bool m_available;
    std::vector<std::string> m_ids;
};

const wchar_t FreshManagerBlock[] =
    L"[Manager Information]\nStatus: Press NEXT to proceed.\nVersion: 1.0.1\n\n[Device Information]\n"
    L"Recognized: 0\nTarget Device: 0000\nUSB Status: 0000\nRecognized Device: 0000\nBD Address: \n"
    L"HardwareVersion: \nDevice Name: \nDevice Version: 0.0\nSecondary Version Type: 0\nSecondary Version: 0\n\n"
    L"[Windows Information]\n";

WindowsVersionInfo Windows7()
{
    WindowsVersionInfo info;
    info.versionKnown = info.extendedQuery = true;
    info.platformId = VER_PLATFORM_WIN32_NT;
    info.major = 6;
    info.minor = 1;
    info.build = 7601;
    info.servicePack = L"Service Pack 1";
    info.is64Bit = true;
    return info;
}

TEST(DiagnosticLog, FileNameIsTheLocalTime)
{
    TIME_ZONE_INFORMATION zone{};
    DWORD mode = ::GetTimeZoneInformation(&zone);
    CString name = DiagnosticLogFileName(CTime(1387899000));  // 2013-12-24 15:30:00 UTC
    ASSERT_EQ(name.GetLength(), 14 + 23);
    EXPECT_EQ(name.Mid(14), L"_DiagnosticLog.wqlnxlog");
    EXPECT_EQ(name.Left(14).SpanExcluding(L"_").FindOneOf(L"abcdefghijklmnopqrstuvwxyz-: "), -1);
    if (mode != TIME_ZONE_ID_INVALID && zone.Bias == 0 && zone.StandardBias == 0) {
        EXPECT_EQ(name, L"20131224153000_DiagnosticLog.wqlnxlog");
    }
}

TEST(DiagnosticLog, ManagerBlockOfAFreshStart)
{
    DiagnosticLogState state;
    state.status = L"Press NEXT to proceed.";
    EXPECT_EQ(DiagnosticManagerBlock(state), FreshManagerBlock);
    DeviceSettings fresh;
    state.device = &fresh;
    EXPECT_EQ(DiagnosticManagerBlock(state), FreshManagerBlock);
}

TEST(DiagnosticLog, DeviceLinesAndVersionBlocks)
{
    DeviceSettings device;
    device.BluetoothAddress = L"0012:6f:a1b2c3";
    device.HardwareVersionText = L"   |   H/W v1.2";
    device.DeviceName = L"My Headset";
    device.Firmware = {2, 3, 4, 5, 9};
    device.FirstInterface = {1, 4, 2, 7, 9};
    device.SecondInterface = {3, 0, 1, 8, 9};
    DiagnosticLogState state;
    state.status = L"Device recognized successfully. Ready";
    state.recognized = 1;
    state.targetProductId = 0x4D10;
    state.usbStatus = 0x8D10;
    state.device = &device;

    struct Case {
        int productId;
        const wchar_t* productLine;
        const wchar_t* versionBlock;
    };
    const Case cases[] = {
        {0x4D10, L"Recognized Device: 4D10\n",
         L"Device Version: 2.3\nSecondary Version Type: 4\nSecondary Version: 5\n\n"},
        {0x12, L"Recognized Device: 0012\n", L"Device Version: 2.3\nSecondary Version Type: 4\nSecondary Version: 5\n\n"},
        {0x4210, L"Recognized Device: 4210\n",
         L"Device Version 01: 1.4\nSecondary Version Type 01: 2\nSecondary Version 01: 7\n"
         L"Device Version 02: 3.0\nSecondary Version Type 02: 1\nSecondary Version 02: 8\n\n"},
        {0x4410, L"Recognized Device: 4410\n", L"Device Version 01: 1.4\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.productId);
        device.ProductId = c.productId;
        CString block = DiagnosticManagerBlock(state);
        EXPECT_NE(block.Find(L"Status: Device recognized successfully. Ready\n"), -1);
        EXPECT_NE(block.Find(L"Recognized: 1\nTarget Device: 4D10\nUSB Status: 8D10\n"), -1);
        EXPECT_NE(block.Find(c.productLine), -1);
        EXPECT_NE(block.Find(L"BD Address: 0012:6f:a1b2c3\nHardwareVersion:    |   H/W v1.2\nDevice Name: My Headset\n"),
                  -1);
        EXPECT_NE(block.Find(CString(c.versionBlock)), -1) << block.ToUtf8();
        EXPECT_EQ(block.Find(L"Build"), -1);
    }
}

TEST(DiagnosticLog, WindowsKinds)
{
    struct Case {
        DWORD platform;
        DWORD major;
        DWORD minor;
        bool extended;
        const wchar_t* name;
        int number;
    };
    const Case cases[] = {
        {VER_PLATFORM_WIN32_WINDOWS, 4, 0, true, L"Windows95", 1},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 10, true, L"Windows98", 2},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 90, true, L"WindowsME", 3},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 20, true, L"???", 0},
        {VER_PLATFORM_WIN32_NT, 3, 51, false, L"WindowsNT", 4},
        {VER_PLATFORM_WIN32_NT, 4, 0, true, L"WindowsNT", 4},
        {VER_PLATFORM_WIN32_NT, 5, 0, true, L"Windows2000", 5},
        {VER_PLATFORM_WIN32_NT, 5, 1, true, L"WindowsXP", 6},
        {VER_PLATFORM_WIN32_NT, 10, 0, true, L"WindowsXP", 6},
        {VER_PLATFORM_WIN32_NT, 6, 1, false, L"???", 0},
        {VER_PLATFORM_WIN32s, 3, 1, true, L"???", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.platform << " " << c.major << "." << c.minor);
        WindowsVersionInfo info;
        info.versionKnown = true;
        info.extendedQuery = c.extended;
        info.platformId = c.platform;
        info.major = c.major;
        info.minor = c.minor;
        WindowsKind kind = ClassifyWindows(info);
        EXPECT_STREQ(kind.name, c.name);
        EXPECT_EQ(kind.number, c.number);
    }
}

TEST(DiagnosticLog, WindowsBlockLines)
{
    EXPECT_EQ(DiagnosticWindowsBlock(Windows7()),
              L"OS: WindowsXP\nOS Version: 6\nMajor Version: 6\nMinor Version: 1\nBuild Number: 7601\n"
              L"CSD Version: Service Pack 1\nWindows: 64bits\nApp Installed: 64bit\n\n[USB Information]\n");
    WindowsVersionInfo thirtyTwo = Windows7();
    thirtyTwo.is64Bit = false;
    EXPECT_NE(DiagnosticWindowsBlock(thirtyTwo).Find(L"Windows: 32bits\nApp Installed: 64bit\n"), -1);
    EXPECT_EQ(DiagnosticWindowsBlock(WindowsVersionInfo{}), L"Failed to get information\n");

    // This build is 64-bit: the running system always reports 64 bits.
    WindowsVersionInfo running = QueryWindowsVersion();
    EXPECT_TRUE(running.versionKnown);
    EXPECT_TRUE(running.is64Bit);
}

TEST(DiagnosticLog, UsbBlock)
{
    FakeUsbList two(true, {"USB\\VID_3E1F&PID_4D10&REV_0100", "USB\\ROOT_HUB20"});
    EXPECT_EQ(DiagnosticUsbBlock(two), L"USB\\VID_3E1F&PID_4D10&REV_0100\nUSB\\ROOT_HUB20\n");
    FakeUsbList none(true, {});
    EXPECT_EQ(DiagnosticUsbBlock(none), L"");
    FakeUsbList unavailable(false, {});
    EXPECT_EQ(DiagnosticUsbBlock(unavailable), L"Failed to get information\n");
}

// The menu command end to end: the dialog's settings, the file in text mode,
// and the folder remembered for the next dialog.
TEST(DiagnosticLog, SaveAsksForAFileWritesItAndRemembersTheFolder)
{
    TempFolder folder(L"diaglog");
    FakeUsbList usb(true, {"USB\\VID_3E1F&PID_4D10"});
    SetUsbDeviceList(&usb);
    DiagnosticLogState state;
    state.status = L"Press NEXT to proceed.";

    struct Case {
        const char* name;
        CString currentPath;
        CString expectedInitialDir;
    };
    const Case cases[] = {
        {"no folder yet", CString(), ProgramImgFolder()},
        {"last folder", folder.Path() + L"\\", folder.Path() + L"\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CString seenFile, seenDir;
        std::wstring seenFilter;
        DWORD seenFlags = 0;
        BOOL seenOpen = TRUE;
        CString chosen = folder / L"support.wqlnxlog";
        SetFileDialogHook([&](const CFileDialog& dialog) {
            seenFile = dialog.GetFileName();
            seenDir = dialog.m_initialDir;
            seenFilter = CFileDialog::BuildFilter(dialog.m_filter);
            seenFlags = dialog.m_flags;
            seenOpen = dialog.m_open;
            return chosen;
        });
        // An existing, longer file is replaced whole.
        ASSERT_TRUE(WriteWholeFile(chosen, std::string(100000, 'x')));
        CString currentPath = c.currentPath;
        EXPECT_TRUE(SaveDiagnosticLog(nullptr, currentPath, state));
        EXPECT_FALSE(seenOpen);
        EXPECT_EQ(seenDir, c.expectedInitialDir);
        EXPECT_EQ(seenFile.Mid(14), L"_DiagnosticLog.wqlnxlog");
        // The description alone gets its pattern.
        const wchar_t filter[] = L"Diagnostic Log Files(*.wqlnxlog)\0*.wqlnxlog\0";
        EXPECT_EQ(seenFilter, std::wstring(filter, std::size(filter)));
        EXPECT_EQ(seenFlags & (OFN_OVERWRITEPROMPT | OFN_CREATEPROMPT | OFN_PATHMUSTEXIST | OFN_LONGNAMES),
                  static_cast<DWORD>(OFN_OVERWRITEPROMPT | OFN_CREATEPROMPT | OFN_PATHMUSTEXIST | OFN_LONGNAMES));
        EXPECT_EQ(currentPath, folder.Path() + L"\\");

        std::string bytes;
        ASSERT_TRUE(ReadWholeFile(chosen, bytes));
        CString expected = CString(FreshManagerBlock) + DiagnosticWindowsBlock(QueryWindowsVersion()) +
                           L"USB\\VID_3E1F&PID_4D10\n";
        expected.Replace(L"\n", L"\r\n");
        EXPECT_EQ(bytes, expected.ToAnsi());
    }

    // Cancel writes nothing and keeps the folder.
    SetFileDialogHook([](const CFileDialog&) { return CString(); });
    CString currentPath = L"C:\\kept\\";
    EXPECT_FALSE(SaveDiagnosticLog(nullptr, currentPath, state));
    EXPECT_EQ(currentPath, L"C:\\kept\\");

    // A file that cannot be written is silent; the folder is remembered all the same.
    SetFileDialogHook([&](const CFileDialog&) { return folder / L"missing\\x.wqlnxlog"; });
    EXPECT_TRUE(SaveDiagnosticLog(nullptr, currentPath, state));
    EXPECT_EQ(currentPath, folder / L"missing\\");
    EXPECT_FALSE(CFile::Exists(folder / L"missing\\x.wqlnxlog"));

    SetFileDialogHook(nullptr);
    SetUsbDeviceList(nullptr);
}

}  // namespace
