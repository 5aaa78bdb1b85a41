// The real program under the mouse and the keyboard together: after a click
// the keyboard is where the click put it, so the next key goes on from there,
// and the arrows take it only where it shows and a key does something.
#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "app/ui/DialogLanguageManager.h"
#include "e2e/SettingsSaveFixture.h"
#include "fixtures/server/TestServer.h"
#include "support/RemoteListView.h"

namespace {

// A HID headset 0x5910 whose rows VOX Phone and VOX Intercom are on.
const std::string kOstrel =
    "usb.1=USB\\VID_3E1F&PID_5910&REV_0100\n"
    "hid.o.pid=0x5910\nhid.o.name=Torvik Ostrel\nhid.o.version=1.2.0.0.17\nhid.o.item.4=0x1D2F, 0\n";

class ClickKeys : public SettingsSave {
protected:
    // The welcome page once the version check that its showing starts has
    // ended (NEXT waits for it).
    void WaitForWelcome()
    {
        ASSERT_TRUE(WaitFor([&] { return PageWith(IDC_SELECTION_START) != nullptr; }));
        Sync();
        ASSERT_TRUE(WaitUntilPressable(::GetDlgItem(main, IDC_NEXT), true));
        Sync();
    }
    // The keyboard onto a control of the main window, as the dialog itself moves it.
    void FocusOn(HWND control)
    {
        ::PostMessageW(main, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
        Sync();
    }
    // The arrow pressed again and again from the control, Down then Up: each
    // press leaves the keyboard on a shown, enabled control that takes keys,
    // not on a label, a picture or a page.
    void ExpectArrowsLandOnInput(HWND from)
    {
        for (WPARAM key : {VK_DOWN, VK_UP}) {
            SCOPED_TRACE(key == VK_DOWN ? "Down" : "Up");
            FocusOn(from);
            ASSERT_EQ(KeyboardFocus(), from);
            for (int press = 0; press < 24; ++press) {
                ASSERT_TRUE(PressKeys(KeyboardFocus(), {key}));
                const HWND focus = KeyboardFocus();
                wchar_t cls[16] = {};
                ::GetClassNameW(focus, cls, 16);
                DWORD_PTR code = 0;
                ::SendMessageTimeoutW(focus, WM_GETDLGCODE, 0, 0, SMTO_NORMAL, 5000, &code);
                EXPECT_TRUE(::IsWindowVisible(focus) && ::IsWindowEnabled(focus) && !(code & DLGC_STATIC) &&
                            wcscmp(cls, L"#32770") != 0)
                    << "press " << press << " on " << ::GetDlgCtrlID(focus);
            }
        }
    }
};

// The Disable half of the VOX Phone row clicked while the keyboard is on
// NEXT: the keyboard is in the grid, so the Space after it is the grid's and
// not DEFAULT's, and the click is kept for saving.
TEST_F(ClickKeys, AClickOnAGridCellLeavesTheKeyboardInTheGrid)
{
    Start(kOstrel);
    GoToSettingsPage();
    const HWND gridWindow = ::GetDlgItem(page, IDC_SETTINGS_GRID);
    RemoteListView grid(program->ProcessId(), gridWindow);
    ASSERT_TRUE(grid.IsOpen());
    const int row = grid.FindRow(1, L"VOX Phone");
    ASSERT_GE(row, 0);
    ASSERT_EQ(grid.ItemText(row, 2), L"0") << "the Enable half";
    FocusOn(::GetDlgItem(main, IDC_NEXT));

    ASSERT_TRUE(ClickDisableHalf(gridWindow, grid, row));
    ASSERT_EQ(grid.ItemText(row, 2), L"1");
    EXPECT_EQ(KeyboardFocus(), gridWindow) << ::GetDlgCtrlID(KeyboardFocus());

    ASSERT_TRUE(PressKeys(KeyboardFocus(), {VK_SPACE}));
    EXPECT_EQ(grid.ItemText(row, 2), L"1") << "the click was undone";
    EXPECT_TRUE(Enabled(IDC_ACTION));
}

// The arrows from NEXT on the welcome page, and from Download and BACK on the
// update page (which offers the headset's own version in three voice-prompt
// languages), pass over the background, the flag, the device's labels and
// picture and the page's labels, and land on the next control that takes input.
TEST_F(ClickKeys, TheArrowsLandOnlyOnControlsThatTakeInput)
{
    if (testserver::HttpBase().IsEmpty()) GTEST_SKIP() << "local test server not running (run through CTest)";
    std::string index;
    for (const char* language : {"English", "French", "German"})
        index += std::string("TorvikOstrel:v1.2:") + language + ":ostrel_1_2_" + language + ".img\r\n";
    ASSERT_TRUE(testserver::ServeFile(L"malvobluetoothmanager/Firmware", index));
    Start(kOstrel, testserver::HttpBase());
    WaitForWelcome();
    // Down from NEXT passes the hidden and inert controls after it and goes
    // round, over the background picture, to the About button.
    FocusOn(::GetDlgItem(main, IDC_NEXT));
    ASSERT_TRUE(PressKeys(KeyboardFocus(), {VK_DOWN}));
    EXPECT_EQ(KeyboardFocus(), ::GetDlgItem(main, IDC_ABOUT_BUTTON)) << ::GetDlgCtrlID(KeyboardFocus());
    ExpectArrowsLandOnInput(::GetDlgItem(main, IDC_NEXT));

    ASSERT_TRUE(PressUntilPage(IDC_NEXT, IDC_RECOGNITION_WARNING));
    ASSERT_TRUE(PressUntilPage(IDC_NEXT, IDC_FW_FILE));
    const HWND download = ::GetDlgItem(WaitForPage(IDC_FW_FILE), IDC_FW_DOWNLOAD);
    ASSERT_TRUE(WaitFor([&] { return Enabled(IDC_NEXT) && ::IsWindowEnabled(download); })) << Status().c_str();
    Sync();
    ExpectArrowsLandOnInput(download);
    ExpectArrowsLandOnInput(::GetDlgItem(main, IDC_BACK));
}

// In the language dialog a click on German's name checks German and takes
// the keyboard onto its radio, as a click on the radio does: the Down after
// it checks Dutch, the language below German.
TEST_F(ClickKeys, AClickOnALanguagesNameTakesTheKeyboardWithTheCheck)
{
    Start(kOstrel);
    WaitForWelcome();
    ASSERT_TRUE(program->ChooseMenuItemUntilTaken(main, ID_MENU_MANAGER_LANGUAGE, kStepMs));
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] { return (dialog = program->FindProcessWindow([](HWND h) { return ::GetDlgItem(h, IDC_LANGUAGE_GROUP); })); },
        false));
    const auto checked = [&](LanguageIndex language) {
        DWORD_PTR result = 0;
        ::SendMessageTimeoutW(::GetDlgItem(dialog, LanguageChoices[language].radio), BM_GETCHECK, 0, 0, SMTO_NORMAL,
                              5000, &result);
        return result == BST_CHECKED;
    };
    const HWND name = ::GetDlgItem(dialog, LanguageChoices[LanguageGerman].name);
    RECT area{};
    ::GetClientRect(name, &area);
    ASSERT_TRUE(ClickAt(name, {area.right / 2, area.bottom / 2}));
    EXPECT_TRUE(checked(LanguageGerman));
    EXPECT_EQ(KeyboardFocus(), ::GetDlgItem(dialog, LanguageChoices[LanguageGerman].radio))
        << ::GetDlgCtrlID(KeyboardFocus());

    ASSERT_TRUE(PressKeys(KeyboardFocus(), {VK_DOWN}));
    EXPECT_TRUE(checked(LanguageDutch));
    EXPECT_FALSE(checked(LanguageGerman));
    ASSERT_TRUE(PressIn(dialog, IDCANCEL));
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }, false));
}

}  // namespace
