// The real program over a simulation scenario, driven as a rider drives it to
// its settings pages (tests/support/WholeProgram.h starts it, finds its pages,
// presses its buttons, answers its boxes and reads the journal).
#pragma once

#include "support/WholeProgram.h"

class SettingsSave : public WholeProgramTest {
protected:
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
    HWND page = nullptr;
};
