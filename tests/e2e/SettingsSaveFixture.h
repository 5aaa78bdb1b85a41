// The real program over a simulation scenario, driven as a rider drives it:
// started in a folder of its own, its pages found by their controls, buttons
// pressed until the frame takes them, boxes answered, and the journal of what
// reached the simulated headset read back.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/File.h"
#include "res/resource.h"
#include "support/ProgramRunner.h"
#include "support/TempFolder.h"

inline constexpr DWORD kStepMs = 30000;
inline constexpr wchar_t kCaption[] = L"TORVIK Bluetooth Device Manager";

struct FindState {
    HWND found;
};

// The page of the main window that is shown (a visible child dialog).
inline BOOL CALLBACK FindPage(HWND hwnd, LPARAM param)
{
    auto* state = reinterpret_cast<FindState*>(param);
    wchar_t cls[16] = {};
    ::GetClassNameW(hwnd, cls, 16);
    if (::IsWindowVisible(hwnd) && wcscmp(cls, L"#32770") == 0) {
        state->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

inline std::wstring TextOf(HWND hwnd)
{
    wchar_t text[512] = {};
    ::SendMessageTimeoutW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 2000, nullptr);
    return text;
}

class SettingsSave : public ::testing::Test {
protected:
    void Start(const std::string& scenario)
    {
        scenarioPath = folder.Path() + L"\\scenario.txt";
        journalPath = folder.Path() + L"\\journal.txt";
        ::DeleteFileW(journalPath);
        WriteScenario(scenario);
        program = std::make_unique<ProgramRunner>(
            L"settingssave", std::map<CString, CString>{{L"TORVIK_SIM", scenarioPath},
                                                        {L"TORVIK_SERVER", L"http://127.0.0.1:1"}});
        ASSERT_TRUE(program->Started());
        main = program->WaitForWindow(kCaption, kStepMs);
        ASSERT_NE(main, nullptr);
    }

    void TearDown() override
    {
        if (program && main) {
            AnswerBoxes();
            EXPECT_EQ(program->CloseAndWait(main, kStepMs), 0);
        }
    }

    // Rewritten whole, as the simulation reads it again at every enumeration.
    void WriteScenario(const std::string& scenario)
    {
        const std::string text = "journal=" + journalPath.ToAnsi() + "\ntime.scale=0.01\n" + scenario;
        const CString temporary = scenarioPath + L".new";
        ASSERT_TRUE(WriteWholeFile(temporary, text));
        ASSERT_TRUE(::MoveFileExW(temporary, scenarioPath, MOVEFILE_REPLACE_EXISTING));
    }

    // The program's message box: the one window besides the main window that
    // shows a box's text.
    HWND Box()
    {
        const HWND except = main;
        return program->FindProcessWindow(
            [except](HWND hwnd) { return hwnd != except && ::GetDlgItem(hwnd, IDC_MESSAGE_TEXT) != nullptr; });
    }
    // Presses a button of every box that is open (boxes of the server that
    // cannot be reached, on the way); returns how many there were.
    int AnswerBoxes(int button = IDOK)
    {
        int count = 0;
        for (HWND box; (box = Box()) != nullptr && count < 5; ++count) {
            ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
            ::Sleep(200);
        }
        return count;
    }

    // The shown page holds this control.
    HWND PageWith(int controlId)
    {
        FindState state{nullptr};
        ::EnumChildWindows(main, &FindPage, reinterpret_cast<LPARAM>(&state));
        return state.found && ::GetDlgItem(state.found, controlId) ? state.found : nullptr;
    }

    // Waits (bounded) for the condition; boxes on the way are answered with
    // OK unless a box is what the caller waits for.
    bool WaitFor(const std::function<bool()>& done, bool answerBoxes = true, DWORD timeoutMs = kStepMs)
    {
        const ULONGLONG end = ::GetTickCount64() + timeoutMs;
        while (::GetTickCount64() < end) {
            if (done()) return true;
            if (answerBoxes) AnswerBoxes();
            ::Sleep(100);
        }
        return done();
    }

    // Returns once the program's window thread has finished what it was
    // doing (a sent message waits for the thread's message loop).
    bool Sync()
    {
        DWORD_PTR result = 0;
        return ::SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, kStepMs, &result) != 0;
    }

    // Presses a button of the main window until the shown page holds the
    // control (the frame refuses while busy), and lets the page finish
    // filling itself.
    bool PressUntilPage(int button, int controlId)
    {
        const ULONGLONG end = ::GetTickCount64() + kStepMs;
        while (::GetTickCount64() < end) {
            DWORD_PTR result = 0;
            // Returns once the press is handled, or times out while a box is open.
            const bool handled = ::SendMessageTimeoutW(main, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0,
                                                       SMTO_NORMAL, 3000, &result) != 0;
            if (!handled) AnswerBoxes();
            if (WaitFor([&] { return PageWith(controlId) != nullptr; }, true, 3000) && Sync() && PageWith(controlId))
                return true;
        }
        return false;
    }

    // Welcome, recognition (NEXT runs the pass), firmware update, then the
    // basic settings page.
    void GoToSettingsPage()
    {
        ASSERT_TRUE(PressUntilPage(IDC_NEXT, IDC_RECOGNITION_WARNING)) << "no recognition page";
        ASSERT_TRUE(PressUntilPage(IDC_NEXT, IDC_FW_STEPS)) << "recognition did not go on to the update page";
        ASSERT_TRUE(PressUntilPage(IDC_NEXT, IDC_SETTINGS_GRID)) << "no basic settings page";
        page = PageWith(IDC_SETTINGS_GRID);
    }

    void ClickOnPage(int controlId)
    {
        ::SendMessageTimeoutW(::GetDlgItem(page, controlId), BM_CLICK, 0, 0, SMTO_NORMAL, 5000, nullptr);
    }
    bool Checked(int controlId)
    {
        DWORD_PTR result = 0;
        ::SendMessageTimeoutW(::GetDlgItem(page, controlId), BM_GETCHECK, 0, 0, SMTO_NORMAL, 5000, &result);
        return result == BST_CHECKED;
    }
    std::wstring Status() { return TextOf(::GetDlgItem(main, IDC_STATUS_TEXT)); }

    std::vector<std::string> Journal(const std::string& prefix)
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

    // The box that is open now: its text, after which the button is pressed.
    std::wstring AnswerTheBox(int button)
    {
        HWND box = nullptr;
        if (!WaitFor([&] { return (box = Box()) != nullptr; }, false)) return L"";
        const std::wstring text = TextOf(::GetDlgItem(box, IDC_MESSAGE_TEXT));
        ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        return text;
    }

    TempFolder folder{L"settingssave"};
    CString scenarioPath;
    CString journalPath;
    std::unique_ptr<ProgramRunner> program;
    HWND main = nullptr;
    HWND page = nullptr;
};

