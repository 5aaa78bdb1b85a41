// Whole-program runs over simulated devices: the real program in a folder of
// its own, its scenario file (rewritten whole as the simulation reads it
// again), its journal, and bounded waits for its pages, boxes and status line.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/File.h"
#include "res/resource.h"
#include "support/ProgramRunner.h"
#include "support/TempFolder.h"

class WholeProgramTest : public ::testing::Test {
protected:
    static constexpr DWORD kStepMs = 30000;

    // Starts the program on the scenario; server is the firmware server's
    // address (an address nobody answers by default).
    void Start(const std::string& scenario, const CString& server = L"http://127.0.0.1:1")
    {
        scenarioPath = folder.Path() + L"\\scenario.txt";
        journalPath = folder.Path() + L"\\journal.txt";
        ::DeleteFileW(journalPath);
        WriteScenario(scenario);
        program = std::make_unique<ProgramRunner>(
            L"wholeprogram", std::map<CString, CString>{{L"TORVIK_SIM", scenarioPath}, {L"TORVIK_SERVER", server}});
        ASSERT_TRUE(program->Started());
        main = program->WaitForWindow(L"TORVIK Bluetooth Device Manager", kStepMs);
        ASSERT_NE(main, nullptr);
    }

    void TearDown() override
    {
        if (program && main) {
            AnswerBoxes();
            EXPECT_EQ(program->CloseAndWait(main, kStepMs), 0) << "the program could not be closed";
        }
    }

    // Rewritten whole, as the simulation reads it again at every enumeration;
    // the rename waits while the program has the file open for a read.
    void WriteScenario(const std::string& scenario)
    {
        const std::string text = "journal=" + journalPath.ToAnsi() + "\ntime.scale=0.01\n" + scenario;
        const CString temporary = scenarioPath + L".new";
        ASSERT_TRUE(WriteWholeFile(temporary, text));
        ASSERT_TRUE(WaitFor([&] { return ::MoveFileExW(temporary, scenarioPath, MOVEFILE_REPLACE_EXISTING) != FALSE; },
                            false))
            << "the scenario could not be replaced: " << ::GetLastError();
    }

    static std::wstring TextOf(HWND hwnd)
    {
        wchar_t text[1024] = {};
        ::SendMessageTimeoutW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 2000, nullptr);
        return text;
    }

    // The program's message box: a window besides the main window that shows
    // a box's text; null when none is open.
    HWND Box()
    {
        const HWND except = main;
        return program->FindProcessWindow(
            [except](HWND hwnd) { return hwnd != except && ::GetDlgItem(hwnd, IDC_MESSAGE_TEXT) != nullptr; });
    }
    // The program's box whose button a rider can press; null when none is open.
    HWND BoxToAnswer(int button)
    {
        const HWND except = main;
        return program->FindProcessWindow([except, button](HWND hwnd) {
            return hwnd != except && ::GetDlgItem(hwnd, IDC_MESSAGE_TEXT) != nullptr &&
                   CanPress(::GetDlgItem(hwnd, button));
        });
    }
    // Presses the button of each open box that shows it enabled (a box
    // without it, or holding it disabled, is left open), one box after the
    // other; returns how many were pressed.
    int AnswerBoxes(int button = IDOK)
    {
        int count = 0;
        for (HWND box; count < 5 && (box = BoxToAnswer(button)) != nullptr; ++count) {
            ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(box, button)));
            WaitFor([box] { return !::IsWindowVisible(box); }, false, 5000);
        }
        return count;
    }
    // The box whose text begins with the words; null when none is open.
    HWND BoxSaying(const std::wstring& words)
    {
        const HWND except = main;
        return program->FindProcessWindow([except, &words](HWND hwnd) {
            HWND text = ::GetDlgItem(hwnd, IDC_MESSAGE_TEXT);
            return hwnd != except && text && TextOf(text).rfind(words, 0) == 0;
        });
    }
    // Waits for the box that says the words (other boxes are left open) and
    // presses its button once it can be pressed; false when it did not come.
    bool AnswerBoxSaying(const std::wstring& words, int button = IDOK)
    {
        HWND box = nullptr;
        if (!WaitFor([&] { return (box = BoxSaying(words)) != nullptr; }, false)) return false;
        return PressIn(box, button);
    }
    // Waits for a box, presses its button and returns its text (empty when
    // none came, or its button could not be pressed).
    std::wstring AnswerTheBox(int button = IDOK)
    {
        HWND box = nullptr;
        if (!WaitFor([&] { return (box = Box()) != nullptr; }, false)) return L"";
        const std::wstring text = TextOf(::GetDlgItem(box, IDC_MESSAGE_TEXT));
        return PressIn(box, button) ? text : L"";
    }

    // The pages of the main window that are visible (one, but for a fault).
    std::vector<HWND> ShownPages()
    {
        std::vector<HWND> pages;
        ::EnumChildWindows(
            main,
            [](HWND hwnd, LPARAM param) -> BOOL {
                wchar_t cls[16] = {};
                ::GetClassNameW(hwnd, cls, 16);
                if (::IsWindowVisible(hwnd) && wcscmp(cls, L"#32770") == 0)
                    reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&pages));
        return pages;
    }
    // The shown page of the main window when it holds the control, else null.
    // A page that turns its redrawing off while it draws itself again (after
    // a dialog it opened has closed, once a fetch it started has ended) is
    // hidden meanwhile: after what the program does on its own, WaitForPage.
    HWND PageWith(int controlId)
    {
        const std::vector<HWND> pages = ShownPages();
        return !pages.empty() && ::GetDlgItem(pages.front(), controlId) ? pages.front() : nullptr;
    }
    // Waits (bounded) until the shown page holds the control; the page, or
    // null when it does not come.
    HWND WaitForPage(int controlId)
    {
        HWND page = nullptr;
        WaitFor([&] { return (page = PageWith(controlId)) != nullptr; }, false);
        return page;
    }
    // The page the main window shows once it shows one (a page is hidden
    // while its redrawing is off); null when none comes.
    HWND ShownPage()
    {
        std::vector<HWND> pages;
        WaitFor([&] { return !(pages = ShownPages()).empty(); }, false);
        return pages.empty() ? nullptr : pages.front();
    }
    // The window of the program that has the keyboard focus; null when none.
    HWND KeyboardFocus()
    {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return ::GetGUIThreadInfo(::GetWindowThreadProcessId(main, nullptr), &info) ? info.hwndFocus : nullptr;
    }

    // Posts the keys (each down and up) to a window of the program: true once
    // the program has handled them all, false when it ended on the way.
    bool PressKeys(HWND to, std::initializer_list<WPARAM> keys)
    {
        for (WPARAM key : keys) {
            const LPARAM scan = static_cast<LPARAM>(::MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC)) << 16;
            ::PostMessageW(to, WM_KEYDOWN, key, 1 | scan);
            ::PostMessageW(to, WM_KEYUP, key, 1 | scan | static_cast<LPARAM>(0xC0000000u));
        }
        return Sync();
    }

    // Waits (bounded) for the condition; boxes on the way are answered with
    // OK unless a box is what the caller waits for.
    bool WaitFor(const std::function<bool()>& done, bool answerBoxes = true, DWORD timeoutMs = kStepMs)
    {
        const ULONGLONG end = ::GetTickCount64() + timeoutMs;
        while (::GetTickCount64() < end) {
            if (done()) return true;
            if (answerBoxes) AnswerBoxes();
            ::Sleep(50);
        }
        return done();
    }

    // Returns once the program's window thread has handled every message
    // posted to it so far: a marker posted behind them (the step of the
    // frame's progress bar, which nothing steps) must be reached. A sent
    // message would not do: a busy thread takes it before the posted ones.
    // False when the program ended on the way.
    bool Sync()
    {
        const HWND bar = ::GetDlgItem(main, IDC_PROGRESS);
        const auto step = [bar] {
            DWORD_PTR result = 0;
            ::SendMessageTimeoutW(bar, PBM_GETSTEP, 0, 0, SMTO_NORMAL, 5000, &result);
            return result;
        };
        const DWORD_PTR marker = step() == 41 ? 42 : 41;
        ::PostMessageW(bar, PBM_SETSTEP, marker, 0);
        return WaitFor([&] { return !::IsWindow(main) || step() == marker; }, false) && ::IsWindow(main);
    }

    // Waits (bounded) until a rider can press the control (CanPress), after
    // all that was posted to the program; boxes on the way are answered with
    // OK when asked to. False, with the test failed and the control named,
    // when it stays disabled or hidden. A control still disabled or hidden
    // while the frame is idle (it shows a page and its close button can be
    // pressed: not busy, no box over it), after all that was posted, waits
    // for the rider, who does not come: that fails at once.
    bool WaitUntilPressable(HWND control, bool answerBoxes = false)
    {
        const auto idle = [&] { return !ShownPages().empty() && CanPress(::GetDlgItem(main, IDOK)); };
        bool waitsForTheRider = false;
        if (WaitFor(
                [&] {
                    if (CanPress(control) && Sync() && CanPress(control)) return true;
                    waitsForTheRider = idle() && !CanPress(control) && Sync() && idle() && !CanPress(control);
                    return waitsForTheRider;
                },
                answerBoxes) &&
            !waitsForTheRider)
            return true;
        ADD_FAILURE() << "a rider cannot press the control " << ::GetDlgCtrlID(control) << " \"" << TextOf(control)
                      << "\": it is " << (!::IsWindow(control)            ? "gone"
                                           : !::IsWindowVisible(control)   ? "hidden"
                                           : !::IsWindowEnabled(control)   ? "disabled"
                                                                           : "in a disabled window (a box is over it)")
                      << (waitsForTheRider ? " while the program waits for the rider" : "");
        return false;
    }
    // Presses the button of a window of the program (a page's, a box's) as a
    // rider presses it: once it can be pressed; never when it cannot (false).
    bool PressIn(HWND window, int button)
    {
        const HWND control = ::GetDlgItem(window, button);
        if (!WaitUntilPressable(control)) return false;
        ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(control));
        return true;
    }
    // A button of the main window, pressed as PressIn presses it.
    bool Press(int button) { return PressIn(main, button); }

    // Presses a button of the main window until the shown page holds the
    // control, and lets the page settle. The frame takes a press once it
    // shows its first page and only while it is not busy, when it shows the
    // button enabled: each press waits for that (boxes on the way get OK),
    // and a press that the frame refused as it became busy is made again once
    // the button can be pressed, until the page comes. False (never pressing)
    // when the button stays disabled or hidden, or the page does not come.
    bool PressUntilPage(int button, int controlId)
    {
        const HWND control = ::GetDlgItem(main, button);
        const ULONGLONG end = ::GetTickCount64() + kStepMs;
        while (::GetTickCount64() < end) {
            if (!WaitFor([&] { return !ShownPages().empty(); }) || !WaitUntilPressable(control, true)) return false;
            ::PostMessageW(main, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(control));
            // The page, or the button ready for another press.
            WaitFor([&] { return PageWith(controlId) || (Sync() && (PageWith(controlId) || CanPress(control))); });
            // Pressed again only when another page is shown, not while the
            // page hides to draw itself again.
            if (Sync() && ::GetDlgItem(ShownPage(), controlId)) return true;
        }
        ADD_FAILURE() << "the page with the control " << controlId << " did not come after pressing " << button;
        return false;
    }

    // The system's open or save dialog of the program: the dialog that holds
    // the file name box; null when none is open.
    static constexpr int kFileNameBox = 1148;  // a ComboBoxEx
    HWND FileDialog()
    {
        return program->FindProcessWindow([](HWND hwnd) { return ::GetDlgItem(hwnd, kFileNameBox) != nullptr; });
    }
    // Types the path into the file dialog's name box in place of what it
    // holds and clicks its Open or Save button; false when the button cannot
    // be pressed or the program ended on the way.
    bool TypeIntoFileDialog(HWND dialog, const CString& path)
    {
        DWORD_PTR edit = 0;
        ::SendMessageTimeoutW(::GetDlgItem(dialog, kFileNameBox), CBEM_GETEDITCONTROL, 0, 0, SMTO_NORMAL, 5000, &edit);
        const HWND box = reinterpret_cast<HWND>(edit);
        ::PostMessageW(box, EM_SETSEL, 0, -1);
        for (int i = 0; i < path.GetLength(); ++i) ::PostMessageW(box, WM_CHAR, path[i], 1);
        const HWND confirm = ::GetDlgItem(dialog, IDOK);
        RECT rect{};
        ::GetClientRect(confirm, &rect);
        return ClickAt(confirm, {rect.right / 2, rect.bottom / 2});
    }
    // A left click at a point of a window's client area, pressed and released
    // once a rider can click it; false when it cannot or the program ended.
    bool ClickAt(HWND window, POINT at)
    {
        if (!WaitUntilPressable(window)) return false;
        const LPARAM where = MAKELPARAM(at.x, at.y);
        ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
        ::PostMessageW(window, WM_LBUTTONUP, 0, where);
        return Sync();
    }

    std::wstring Status() { return TextOf(::GetDlgItem(main, IDC_STATUS_TEXT)); }
    bool Enabled(int controlId) { return ::IsWindowEnabled(::GetDlgItem(main, controlId)) != FALSE; }

    // The journal's lines that begin with the prefix.
    std::vector<std::string> Journal(const std::string& prefix = "")
    {
        std::string text;
        ReadWholeFile(journalPath, text);
        std::vector<std::string> lines;
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            std::string line = text.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.rfind(prefix, 0) == 0) lines.push_back(line);
            start = end + 1;
        }
        return lines;
    }

    TempFolder folder{L"wholeprogram"};
    CString scenarioPath;
    CString journalPath;
    std::unique_ptr<ProgramRunner> program;
    HWND main = nullptr;
};
