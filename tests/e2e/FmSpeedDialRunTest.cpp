// The real program saving FM presets and speed-dial numbers to a simulated
// headset: recognized with NEXT, the pages reached with the section chooser,
// edited on their controls, saved with ACTION and read back by the automatic
// recognition; then a write the headset refuses, which ends with one box on
// the welcome page.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "framework/File.h"
#include "support/ProgramRunner.h"
#include "support/ProgramWindows.h"
#include "support/TempFolder.h"

namespace {

constexpr int kTabSettings = 1011;
constexpr int kSectionDropdown = 1027;
constexpr int kSectionList = 1171;
// Controls of the FM radio page and of the speed-dial page.
constexpr int kRegion = 1142;
constexpr int kCheck2 = 1095;
constexpr int kPreset2 = 1130;
constexpr int kSpin2 = 1093;
constexpr int kFmDefault = 1082;
constexpr int kNumber1 = 1175;

constexpr wchar_t kSaved[] = L"Device setting saved successfully";

const std::string kOstrel =
    "hid.o.pid=0x5910\nhid.o.name=Torvik Ostrel\nhid.o.version=1.2.0.0.17\nusb.1=USB\\VID_3E1F&PID_5910\n"
    "hid.o.item.0x15=0x66E9, 9310, 2, 8750, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 4\nhid.o.item.0x5A=text:112\n";

// The visible page of the main window that holds a control of this id.
HWND PageWith(HWND main, int id)
{
    struct Search {
        int id;
        HWND found;
    } search{id, nullptr};
    ::EnumChildWindows(
        main,
        [](HWND child, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            if (::GetDlgCtrlID(child) != s->id || !::IsWindowVisible(child)) return TRUE;
            s->found = ::GetParent(child);
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Command(HWND window, int id)
{
    ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(window, id)));
}

class FmSpeedDialRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        scenario = folder / L"scenario.txt";
        journal = folder / L"journal.txt";
        ASSERT_TRUE(Scenario(""));
        program = std::make_unique<ProgramRunner>(
            L"fmrun", std::map<CString, CString>{{L"TORVIK_SIM", scenario}, {L"TORVIK_SERVER", L"http://127.0.0.1:1"}});
        ASSERT_TRUE(program->Started());
        main = program->WaitForWindow(L"TORVIK Bluetooth Device Manager", 30000);
        ASSERT_NE(main, nullptr);
    }
    void TearDown() override
    {
        if (main) EXPECT_EQ(program->CloseAndWait(main, 30000), 0);
    }

    bool Scenario(const std::string& lines)
    {
        return WriteWholeFile(scenario, "journal=" + journal.ToUtf8() + "\n" + lines);
    }
    std::string Journal()
    {
        std::string lines;
        ReadWholeFile(journal, lines);
        return lines;
    }

    // NEXT on the welcome page (once the start-up check lets it), NEXT on the
    // recognition page, and the firmware update page with the headset.
    void Recognize()
    {
        ASSERT_TRUE(WaitFor(
            [&] {
                if (!Idle(main)) return false;
                if (PressedTab(main) == 2) return true;
                DWORD_PTR ignored = 0;
                ::SendMessageTimeoutW(main, WM_COMMAND, kNext, 0, SMTO_NORMAL, 10000, &ignored);
                return false;
            },
            30000));
        ::PostMessageW(main, WM_COMMAND, kNext, 0);
        ASSERT_TRUE(WaitFor([&] { return PressedTab(main) == 3 && Idle(main); }, 30000))
            << ItemText(main, kStatusText).ToUtf8();
    }

    // The settings tab, then the chooser's list at a section (0 basic, 1 speed
    // dial, 2 FM radio for this headset); the page that shows.
    HWND Section(int index, int controlOfThePage)
    {
        Command(main, kTabSettings);
        Command(main, kSectionDropdown);
        const HWND list = ::GetDlgItem(main, kSectionList);
        ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        ::SendMessageW(main, WM_COMMAND, MAKEWPARAM(kSectionList, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        HWND page = nullptr;
        WaitFor([&] { return (page = PageWith(main, controlOfThePage)) != nullptr; }, 10000);
        return page;
    }

    void SaveAndWaitForTheReadBack()
    {
        ::PostMessageW(main, WM_COMMAND, kAction, 0);
        EXPECT_TRUE(WaitFor([&] { return ItemText(main, kStatusText) == CString(kSaved) && Idle(main); }, 30000))
            << ItemText(main, kStatusText).ToUtf8();
        EXPECT_EQ(Box(*program, main), nullptr);
    }

    TempFolder folder{L"fmrun"};
    CString scenario;
    CString journal;
    std::unique_ptr<ProgramRunner> program;
    HWND main = nullptr;
};

TEST_F(FmSpeedDialRun, PresetsAndNumbersSavedAndReadBackThenARefusedWrite)
{
    ASSERT_TRUE(Scenario(kOstrel));
    Recognize();

    // FM radio: a second preset from the first one, one click up.
    HWND fm = Section(2, kRegion);
    ASSERT_NE(fm, nullptr);
    ::SendMessageW(::GetDlgItem(fm, kCheck2), BM_CLICK, 0, 0);
    const HWND spin = ::GetDlgItem(fm, kSpin2);
    RECT r{};
    ::GetClientRect(spin, &r);
    const LPARAM up = MAKELPARAM((r.right - r.left) / 2, (r.bottom - r.top) / 4);
    ::SendMessageW(spin, WM_LBUTTONDOWN, MK_LBUTTON, up);
    ::SendMessageW(spin, WM_LBUTTONUP, 0, up);
    EXPECT_EQ(ItemText(fm, kPreset2), CString(L"87.6"));
    SaveAndWaitForTheReadBack();
    EXPECT_NE(Journal().find("hid o 04 15 66E9 245E 0002 222E 2238 0000"), std::string::npos) << Journal();
    EXPECT_EQ(PressedTab(main), 5);
    EXPECT_EQ(ItemText(PageWith(main, kRegion), kPreset2), CString(L"87.6"));

    // Speed dial: a pasted number keeps what a phone dials.
    HWND dial = Section(1, kNumber1);
    ASSERT_NE(dial, nullptr);
    ::SendMessageW(::GetDlgItem(dial, kNumber1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"+49 (0) 30"));
    EXPECT_EQ(ItemText(dial, kNumber1), CString(L"+49030"));
    SaveAndWaitForTheReadBack();
    EXPECT_NE(Journal().find("hid o 04 5A 002B 0034 0039 0030 0033 0030\n"), std::string::npos) << Journal();
    EXPECT_EQ(ItemText(PageWith(main, kNumber1), kNumber1), CString(L"+49030"));

    // The headset refuses the FM block: one box, then the welcome page.
    ASSERT_TRUE(Scenario(kOstrel + "hid.o.status.4.0x15=2\n"));
    fm = Section(2, kRegion);
    ASSERT_NE(fm, nullptr);
    Command(fm, kFmDefault);
    ::PostMessageW(main, WM_COMMAND, kAction, 0);
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = Box(*program, main)) != nullptr; }, 30000)) << "no box";
    EXPECT_EQ(ItemText(box, kBoxText).Left(36), CString(L"Recognized device is not connected o"));
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(box, IDOK)));
    EXPECT_TRUE(WaitFor([&] { return PressedTab(main) == 1 && Idle(main); }, 30000));
    ::Sleep(500);
    EXPECT_EQ(Box(*program, main), nullptr) << "a second box after the failure";
}

}  // namespace
