// The real program recognising simulated headsets: one run of the .exe goes
// through the scenarios one after another (the scenario file is read again at
// every search), pressing NEXT on the recognition page each time and checking
// the status line, the box, the page shown, the device line and the keys and
// requests the journal shows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/File.h"
#include "support/ProgramRunner.h"
#include "support/TempFolder.h"

namespace {

constexpr int kNext = 1018;
constexpr int kTabRecognition = 1008;
constexpr int kStatusText = 1016;
constexpr int kDeviceCaption = 1003;
constexpr int kDeviceText = 1004;
constexpr int kBoxText = 1026;
constexpr int kTabs[] = {1007, 1008, 1009, 1010, 1011};

CString ItemText(HWND window, int id)
{
    wchar_t text[1024] = {};
    ::GetDlgItemTextW(window, id, text, 1024);
    return CString(text);
}

// The page whose tab is pressed, 1 to 5 (5 for the settings pages); 0 when none.
int PressedTab(HWND main)
{
    for (int i = 0; i < 5; ++i) {
        if (::SendMessageW(::GetDlgItem(main, kTabs[i]), BM_GETSTATE, 0, 0) & BST_PUSHED) return i + 1;
    }
    return 0;
}

bool Idle(HWND main) { return CanPress(::GetDlgItem(main, kNext)); }

// The program's message box (the one window that holds the box's text).
HWND Box(const ProgramRunner& program, HWND main)
{
    return program.FindProcessWindow([main](HWND hwnd) { return hwnd != main && ::GetDlgItem(hwnd, kBoxText) != nullptr; });
}

template <typename Done>
bool WaitFor(Done done, DWORD timeoutMs)
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    while (::GetTickCount64() < end) {
        if (done()) return true;
        ::Sleep(50);
    }
    return done();
}

struct Case {
    const char* name;
    std::string scenario;
    const wchar_t* box;            // the beginning of the box's text; null: no box
    const wchar_t* statusWithBox;  // the status while the box is open
    const wchar_t* status;         // the status at the end
    int page;
    const wchar_t* caption;  // device line; null: not checked
    const wchar_t* version;
    std::vector<std::string> journal;  // lines the journal must hold
};

const wchar_t kWelcomeStatus[] = L"Press NEXT to proceed.";
const wchar_t kRecognized[] = L"Device recognized successfully. Ready for FIRMWARE UPDATE";

std::string Usb(const char* pid, int n = 1)
{
    return "usb." + std::to_string(n) + "=USB\\VID_3E1F&PID_" + pid + "&REV_0100\n";
}

TEST(RecognitionRun, ScenariosOneAfterAnother)
{
    TempFolder folder(L"recrun");
    const CString scenario = folder / L"scenario.txt";
    const CString journal = folder / L"journal.txt";
    const std::string journalLine = "journal=" + journal.ToUtf8() + "\n";
    const CString lumen = folder / L"camera";
    ASSERT_TRUE(EnsureFolder(lumen));
    ASSERT_TRUE(WriteWholeFile(lumen + L"\\lumen.bin", std::string("x")));
    const std::string cameraDrive = "drive.f.type=removable\ndrive.f.folder=" + lumen.ToUtf8() + "\n";

    const Case cases[] = {
        {"Ostrel over HID", "hid.o.pid=0x5910\nhid.o.name=Torvik Ostrel\nhid.o.version=1.2.0.0.17\n" + Usb("5910"),
         nullptr, nullptr, kRecognized, 3, L"Torvik Ostrel", L"v1.2", {"hid o 03 1D", "hid o 01 00", "hid o 03 04"}},
        {"TKV8 below 4.0", "dfu.a.pid=0x4D10\ndfu.a.ps.0x02A3=words:0x4D10\ndfu.a.ps.0x0108=text:TKV8\n"
                           "dfu.a.ps.0x02A4=20\ndfu.a.ps.0x0298=words:1\n" + Usb("4D10"),
         nullptr, nullptr, kRecognized, 3, L"TKV8", L"v3.2", {"dfu connect a ok", "dfu deinit"}},
        {"TKV8 from 4.0, its stale mask put right", "dfu.b.pid=0x4D10\ndfu.b.ps.0x02A3=words:0x4D10\n"
                                                   "dfu.b.ps.0x0108=text:TKV8\ndfu.b.ps.0x02A4=2B\n"
                                                   "dfu.b.ps.0x028E=words:4 0\n" + Usb("4D10"),
         nullptr, nullptr, kRecognized, 3, L"TKV8", L"v4.3", {"ps-write b 00EF FF FE 8F 78 18 1E 59 83"}},
        {"GZR6", "dfu.c.pid=0x5210\ndfu.c.ps.0x02A3=words:0x5210\ndfu.c.ps.0x0108=text:GZR6\n" + Usb("5210"),
         nullptr, nullptr, kRecognized, 3, L"GZR6", L"v1.0", {"dfu connect c ok"}},
        {"GZM6 pair", "dfu.d.pid=0x5310\ndfu.d.ps.0x02A3=words:0x5310\ndfu.d.ps.0x0108=text:GZM6\n"
                      "dfu.e.pid=0x5310\ndfu.e.ps.0x02A3=words:0x5310\ndfu.e.ps.0x0108=text:GZM6\n" +
                          Usb("5310") + Usb("5310", 2),
         nullptr, nullptr, kRecognized, 3, L"GZM6", L"v1.0", {"dfu connect d ok", "dfu connect e ok"}},
        {"camera with lumen.bin", "dfu.f.pid=0x3020\ndfu.f.ps.0x02A3=words:0x3020\ndfu.f.ps.0x0108=text:LUMEN\n"
                                  "dfu.f.ps.0x02A4=04 03 02 01\n" + Usb("3020") + cameraDrive,
         nullptr, nullptr, kRecognized, 3, L"LUMEN", L"v3.4.1.2", {}},
        {"camera without lumen.bin", "dfu.g.pid=0x3020\ndfu.g.ps.0x02A3=words:0x3020\n" + Usb("3020"), nullptr,
         nullptr, L"Failed to recognize device. Check your SD Card.", 2, nullptr, nullptr, {"dfu deinit"}},
        {"update mode", "dfu.h.pid=0xCD10\ndfu.h.mode=update\n" + Usb("CD10"), nullptr, nullptr,
         L"Firmware management mode. Ready for FIRMWARE UPDATE", 3, L"Firmware", L"Management",
         {"dfu connect h refused"}},
        {"activated", "dfu.i.pid=0x0001\ndfu.i.ps.0x02A3=words:0x4D10\ndfu.i.ps.0x0108=text:TKV8\n" + Usb("0001"),
         L"Device has successfully been activated upon recognition.\nFollow the instructions to recognize the device "
         L"again.\n\n1. Unplug the USB cable from PC.",
         L"Ready for DEVICE RECOGNITION. Device activated", L"Ready for DEVICE RECOGNITION. Device activated", 2,
         nullptr, nullptr, {"ps-write i 02BE 1F 3E", "ps-write i 02BF 10 4D", "ps-write i 02CB 10 CD"}},
        {"more interfaces than the system should list", "dfu.j.pid=0x4D10\ndfu.j.ps.0x02A3=words:0x4D10\n" +
                                                            Usb("4D10") + Usb("4D10", 2),
         L"USB interface(s) more than expected is(are) obtained.", L"Failed to recognize device. more USB interface(s)",
         kWelcomeStatus, 1, nullptr, nullptr, {}},
        {"fewer interfaces than a pair has", "dfu.k.pid=0x5310\ndfu.k.ps.0x02A3=words:0x5310\n" + Usb("5310"),
         L"USB interface(s) less than expected is(are) obtained.", L"Failed to recognize device. less USB interface(s)",
         kWelcomeStatus, 1, nullptr, nullptr, {}},
        {"a headset of another family", "dfu.l.pid=0x4D10\ndfu.l.ps.0x02A3=words:0x5010\n" + Usb("4D10"),
         L"A device other than the TKV8 is recognized. Select the appropriate device.", L"On recognizing device.",
         kWelcomeStatus, 1, nullptr, nullptr, {}},
        {"nothing", "", nullptr, nullptr, L"Failed to recognize device. Cannot open USB", 2, L"NO Device",
         L"Recognized", {}},
    };

    ASSERT_TRUE(WriteWholeFile(scenario, journalLine));
    ProgramRunner program(L"recrun", {{L"TORVIK_SIM", scenario}, {L"TORVIK_SERVER", L"http://127.0.0.1:1"}});
    ASSERT_TRUE(program.Started());
    HWND main = program.WaitForWindow(L"TORVIK Bluetooth Device Manager", 30000);
    ASSERT_NE(main, nullptr);

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ::DeleteFileW(journal);
        // The rename into place waits while the program reads the scenario.
        ASSERT_TRUE(WaitFor([&] { return WriteWholeFile(scenario, journalLine + c.scenario); }, 30000));

        // To the recognition page: its tab, or NEXT on the welcome page (which
        // sets the target), pressed once they can be; both are refused while
        // the program is busy, and the welcome page checks for a newer manager
        // each time it is entered.
        ASSERT_TRUE(WaitFor(
            [&] {
                if (!Idle(main)) return false;
                const int tab = PressedTab(main);
                if (tab == 2) return true;
                const int button = tab == 1 ? kNext : kTabRecognition;
                DWORD_PTR ignored = 0;
                if (CanPress(::GetDlgItem(main, button)))
                    ::SendMessageTimeoutW(main, WM_COMMAND, button, 0, SMTO_NORMAL, 10000, &ignored);
                return false;
            },
            30000))
            << "not on the recognition page: tab " << PressedTab(main);

        ASSERT_TRUE(CanPress(::GetDlgItem(main, kNext)));
        ::PostMessageW(main, WM_COMMAND, kNext, 0);
        if (c.box) {
            HWND box = nullptr;
            ASSERT_TRUE(WaitFor([&] { return (box = Box(program, main)) != nullptr; }, 30000)) << "no box";
            EXPECT_EQ(ItemText(box, kBoxText).Left(static_cast<int>(wcslen(c.box))), CString(c.box));
            EXPECT_EQ(ItemText(main, kStatusText), CString(c.statusWithBox));
            ASSERT_TRUE(WaitFor([&] { return CanPress(::GetDlgItem(box, IDOK)); }, 10000));
            ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(box, IDOK)));
            ASSERT_TRUE(WaitFor([&] { return Box(program, main) == nullptr; }, 10000));
        }
        EXPECT_TRUE(WaitFor([&] { return ItemText(main, kStatusText) == CString(c.status) && PressedTab(main) == c.page; },
                            20000))
            << ItemText(main, kStatusText).ToUtf8() << " on page " << PressedTab(main);
        if (!c.box) {
            EXPECT_EQ(Box(program, main), nullptr);
        }
        if (c.caption) {
            EXPECT_EQ(ItemText(main, kDeviceCaption), CString(c.caption));
            EXPECT_EQ(ItemText(main, kDeviceText), CString(c.version));
        }
        std::string lines;
        ReadWholeFile(journal, lines);
        for (const std::string& line : c.journal) EXPECT_NE(lines.find(line + "\n"), std::string::npos) << line;
    }
    EXPECT_EQ(program.CloseAndWait(main, 30000), 0);
}

}  // namespace
