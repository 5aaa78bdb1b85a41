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
        // The page is busy until its index fetch has ended; the end's handler
        // frees NEXT before it draws the page again, so it is let finish.
        ASSERT_TRUE(WaitUntilPressable(::GetDlgItem(main, IDC_NEXT), true)) << "the update page stays busy";
        ASSERT_TRUE(Sync());
    }

    // The package chosen with Browse: its path typed into the system's open
    // dialog in the Windows form, which the page's file box (read-only)
    // takes, and which enables ACTION; then ACTION.
    void UpdateWith(const CString& package)
    {
        HWND page = PageWith(IDC_FW_FILE);
        ASSERT_NE(page, nullptr);
        ASSERT_TRUE(PressIn(page, IDC_FW_BROWSE));
        HWND dialog = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (dialog = FileDialog()) != nullptr; }, false)) << "no open dialog";
        CString path = package;
        path.Replace(L'/', L'\\');
        ASSERT_TRUE(TypeIntoFileDialog(dialog, path));
        ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }, false)) << "the open dialog stays";
        ASSERT_EQ(TextOf(::GetDlgItem(page, IDC_FW_FILE)), path.str());
        ASSERT_TRUE(Press(IDC_ACTION));
        // Returns once the start has run (its checks, or the hand-over to the library or a writer).
        ASSERT_TRUE(Sync());
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
