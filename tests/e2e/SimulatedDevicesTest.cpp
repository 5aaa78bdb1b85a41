// The real program against a simulation scenario: what it reports of the USB
// devices present comes from the scenario, through the same seam as real
// hardware. Driven through the popup menu's diagnostic log and the real save
// dialog.
#include <gtest/gtest.h>

#include <string>

#include "framework/File.h"
#include "support/ProgramRunner.h"
#include "support/TempFolder.h"

namespace {

// The save dialog is the one visible dialog of the program that holds the
// file-name box.
HWND WaitForSaveDialog(const ProgramRunner& program, DWORD timeoutMs)
{
    auto isSaveDialog = [](HWND hwnd) {
        wchar_t cls[64] = {};
        ::GetClassNameW(hwnd, cls, 64);
        return wcscmp(cls, L"#32770") == 0 && ::GetDlgItem(hwnd, 1148) != nullptr;
    };
    ULONGLONG end = ::GetTickCount64() + timeoutMs;
    while (::GetTickCount64() < end) {
        if (HWND found = program.FindProcessWindow(isSaveDialog)) return found;
        ::Sleep(100);
    }
    return nullptr;
}

}  // namespace

TEST(SimulatedDevices, DiagnosticLogListsTheScenarioUsbDevices)
{
    // The scenario lives beside the program copy.
    CString scenario = UniqueTempPath(L"torvik_scenario") + L".txt";
    ASSERT_TRUE(WriteWholeFile(scenario, std::string("usb.1=USB\\VID_3E1F&PID_4D10&REV_0100\n"
                                                     "usb.2=usb\\vid_3e1f&pid_5910\n"
                                                     "usb.3=USB\\VID_046D&PID_C52B\n")));
    ProgramRunner program(L"simlog", {{L"TORVIK_SIM", scenario}, {L"TORVIK_SERVER", L"http://127.0.0.1:1"}});
    ASSERT_TRUE(program.Started());
    HWND main = program.WaitForWindow(L"TORVIK Bluetooth Device Manager", 30000);
    ASSERT_NE(main, nullptr);

    // Popup menu: Diagnostic Log (refused while the start-up update check runs).
    ASSERT_TRUE(program.ChooseMenuItemUntilTaken(main, 32778, 30000));
    HWND save = WaitForSaveDialog(program, 30000);
    ASSERT_NE(save, nullptr) << "no save dialog";
    CString log = program.Folder() + L"\\diagnostic.wqlnxlog";
    ::SendMessageW(::GetDlgItem(save, 1148), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(log.GetString()));
    ASSERT_TRUE(CanPress(::GetDlgItem(save, IDOK)));
    ::PostMessageW(save, WM_COMMAND, IDOK, 0);

    std::string text;
    ULONGLONG end = ::GetTickCount64() + 30000;
    while (::GetTickCount64() < end && !(ReadWholeFile(log, text) && text.find("[USB Information]") != std::string::npos))
        ::Sleep(100);
    ::DeleteFileW(scenario);
    ASSERT_NE(text.find("[USB Information]"), std::string::npos) << text;
    std::string usb = text.substr(text.find("[USB Information]"));
    EXPECT_EQ(usb, "[USB Information]\r\nUSB\\VID_3E1F&PID_4D10&REV_0100\r\nusb\\vid_3e1f&pid_5910\r\nUSB\\VID_046D&PID_C52B\r\n");

    EXPECT_EQ(program.CloseAndWait(main, 30000), 0);
}
