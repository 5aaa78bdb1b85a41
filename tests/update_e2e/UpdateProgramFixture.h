// The real program updating simulated headsets: recognised from the welcome
// page, the package named on the update page, ACTION, and what the rider sees
// until the update has ended.
#pragma once

#include <string>

#include "support/DfuFixtures.h"
#include "support/WholeProgram.h"

// A 0x4D10 headset at firmware 4.2 as recognition and the update read it.
inline std::string Tkv8Headset(const std::string& id = "c", const std::string& extra = "")
{
    const std::string k = "dfu." + id + ".";
    return k + "pid=0x4D10\n" + k + "usb=1\n" + k + "ps.0x02A3=words:0x4D10\n" + k +
           "ps.0x0001=2C 00 00 90 5B 00 02 00\n" + k + "ps.0x0108=text:TKV8 Demo\n" + k + "ps.0x02A4=2A 00 00 00\n" +
           k + "ps.0x028E=words:0, 0\n" + k + "ps.0x00EF=FF FE 8F 7E 98 FF 59 83\n" + extra;
}

class UpdateProgramTest : public WholeProgramTest {
protected:
    // Welcome, recognition (NEXT runs the pass), then the update page.
    void GoToUpdatePage()
    {
        ASSERT_TRUE(PressUntilPage(IDC_NEXT, IDC_RECOGNITION_WARNING)) << "no recognition page";
        GoToUpdatePageFromRecognition();
    }
    void GoToUpdatePageFromRecognition()
    {
        ASSERT_TRUE(PressUntilPage(IDC_NEXT, IDC_FW_STEPS)) << "recognition did not go on to the update page";
        // The page is busy until its index fetch has ended.
        ASSERT_TRUE(WaitFor([&] { return Enabled(IDC_NEXT); })) << "the update page stays busy";
        // The page relabels itself after the frame has enabled NEXT, with its
        // redrawing (and so its visibility) off for a moment.
        Sync();
    }

    // The package in the page's file box, then ACTION.
    void UpdateWith(const CString& package)
    {
        HWND page = PageWith(IDC_FW_FILE);
        ASSERT_NE(page, nullptr);
        ::SendMessageTimeoutW(::GetDlgItem(page, IDC_FW_FILE), WM_SETTEXT, 0,
                              reinterpret_cast<LPARAM>(static_cast<const wchar_t*>(package)), SMTO_NORMAL, 5000,
                              nullptr);
        // Returns once the start has run (its checks, or the hand-over to the library or a writer).
        DWORD_PTR result = 0;
        ASSERT_TRUE(::SendMessageTimeoutW(main, WM_COMMAND, MAKEWPARAM(IDC_ACTION, BN_CLICKED), 0, SMTO_NORMAL,
                                          kStepMs, &result));
    }

    // Waits for the status line to begin with the text; boxes on the way get OK.
    bool WaitForStatus(const std::wstring& text, DWORD timeoutMs = kStepMs)
    {
        return WaitFor([&] { return Status().rfind(text, 0) == 0; }, true, timeoutMs);
    }

    // The frame's percentage as shown (-1 while hidden).
    int Percent()
    {
        HWND number = ::GetDlgItem(main, IDC_PERCENT_NUMBER);
        if (!::IsWindowVisible(number)) return -1;
        const std::wstring text = TextOf(number);
        return text.empty() ? -1 : std::stoi(text);
    }

    static CString Sample(const char* name)
    {
        CString path = L"Z:" + CString::FromUtf8(std::string(TORVIK_SAMPLE_PACKAGES) + "/" + name);
        path.Replace(L'/', L'\\');
        return path;
    }
    CString ImgFile(const wchar_t* name) { return program->Folder() + L"\\IMG\\" + name; }
};
