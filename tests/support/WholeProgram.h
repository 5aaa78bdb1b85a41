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
    // Presses a button of every box that is open; returns how many there were.
    int AnswerBoxes(int button = IDOK)
    {
        int count = 0;
        for (HWND box; (box = Box()) != nullptr && count < 5; ++count) {
            ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
            ::Sleep(200);
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
    // presses its button; false when it did not come.
    bool AnswerBoxSaying(const std::wstring& words, int button = IDOK)
    {
        HWND box = nullptr;
        if (!WaitFor([&] { return (box = BoxSaying(words)) != nullptr; }, false)) return false;
        ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        return true;
    }
    // Waits for a box, presses its button and returns its text (empty when none came).
    std::wstring AnswerTheBox(int button = IDOK)
    {
        HWND box = nullptr;
        if (!WaitFor([&] { return (box = Box()) != nullptr; }, false)) return L"";
        const std::wstring text = TextOf(::GetDlgItem(box, IDC_MESSAGE_TEXT));
        ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        return text;
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
    HWND PageWith(int controlId)
    {
        const std::vector<HWND> pages = ShownPages();
        return !pages.empty() && ::GetDlgItem(pages.front(), controlId) ? pages.front() : nullptr;
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

    // Presses a button of the main window until the shown page holds the
    // control, and lets the page settle. The frame takes a press once it
    // shows its first page and only while it is not busy, when it shows the
    // button disabled: each press waits for the button to be enabled after
    // what the program was posted (a while only: a button that the page's
    // rules keep disabled is pressed all the same), or for the page that a
    // press before it brings.
    bool PressUntilPage(int button, int controlId)
    {
        const ULONGLONG end = ::GetTickCount64() + kStepMs;
        for (bool pressed = false; ::GetTickCount64() < end; pressed = true) {
            const auto ready = [&] { return !ShownPages().empty() && Enabled(button) && Sync() && Enabled(button); };
            WaitFor([&] { return (pressed && PageWith(controlId)) || ready(); }, true, 3000);
            if (pressed && Sync() && PageWith(controlId)) return true;
            DWORD_PTR result = 0;
            const bool handled = ::SendMessageTimeoutW(main, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0,
                                                       SMTO_NORMAL, 3000, &result) != 0;
            if (!handled) AnswerBoxes();
            if (WaitFor([&] { return PageWith(controlId) != nullptr; }, true, 3000) && Sync() && PageWith(controlId))
                return true;
        }
        return false;
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
