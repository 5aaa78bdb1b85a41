// The real program under the keyboard and its page changes: Enter and Escape
// inside a page do nothing, Tab and the arrows reach the page's controls as in
// any dialog, and after a page change one page shows and the keyboard is on a
// control the rider can see.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "device/DeviceSettings.h"
#include "e2e/SettingsSaveFixture.h"
#include "firmware/SettingsArchive.h"
#include "fixtures/server/TestServer.h"

namespace {

// A HID headset 0x5910 with basic settings, speed dial and FM radio.
const std::string kOstrel =
    "usb.1=USB\\VID_3E1F&PID_5910&REV_0100\n"
    "hid.o.pid=0x5910\nhid.o.name=Torvik Ostrel\nhid.o.version=1.2.0.0.17\nhid.o.item.4=0\n"
    "hid.o.item.0x15=0x66E9, 9310, 2, 8750, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 4\nhid.o.item.0x5A=text:112\n";

class PageKeys : public SettingsSave {
protected:
    // The keyboard onto a control of the main window, as the dialog itself moves it.
    void FocusOn(HWND control)
    {
        ::PostMessageW(main, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
        Sync();
    }
    // Tab (Shift+Tab) pressed from the control with the keyboard until it is
    // back there: the controls it was on, in order; bounded.
    // Posted keys leave the key state as it is: Shift is held (let go) for the
    // program's thread through an input shared with it; false when it cannot.
    bool HoldShift(bool down)
    {
        const DWORD thread = ::GetWindowThreadProcessId(main, nullptr);
        if (down && !::AttachThreadInput(::GetCurrentThreadId(), thread, TRUE)) return false;
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        keys[VK_SHIFT] = down ? 0x80 : 0;
        ::SetKeyboardState(keys);
        if (!down) ::AttachThreadInput(::GetCurrentThreadId(), thread, FALSE);
        return true;
    }
    std::vector<HWND> TabCycle(bool backward = false)
    {
        const bool shared = backward && HoldShift(true);
        std::vector<HWND> reached;
        const HWND start = KeyboardFocus();
        for (int press = 0; press < 80 && PressKeys(KeyboardFocus(), {VK_TAB}); ++press) {
            const HWND focus = KeyboardFocus();
            if (focus == start) break;
            if (reached.empty() || reached.back() != focus) reached.push_back(focus);
        }
        if (shared) HoldShift(false);
        EXPECT_EQ(KeyboardFocus(), start) << "Tab did not come back";
        return reached;
    }
    // Tab from NEXT, once the page has ended what it started on entry (NEXT
    // waits for it).
    std::vector<HWND> TabCycleFromNext()
    {
        EXPECT_TRUE(WaitUntilPressable(::GetDlgItem(main, IDC_NEXT), true));
        Sync();
        FocusOn(::GetDlgItem(main, IDC_NEXT));
        EXPECT_EQ(KeyboardFocus(), ::GetDlgItem(main, IDC_NEXT));
        return TabCycle();
    }
    static bool Reached(const std::vector<HWND>& cycle, HWND control)
    {
        return std::find(cycle.begin(), cycle.end(), control) != cycle.end();
    }
    // Every control that took the keyboard could be seen and used.
    static void ExpectShownAndEnabled(const std::vector<HWND>& cycle)
    {
        for (HWND control : cycle) {
            EXPECT_TRUE(::IsWindowVisible(control)) << ::GetDlgCtrlID(control);
            EXPECT_TRUE(::IsWindowEnabled(control)) << ::GetDlgCtrlID(control);
        }
    }
};

// Enter and Escape in a control of every page: the program goes on, on the
// same page; a speed-dial number typed before them stays unsaved and changed.
TEST_F(PageKeys, EnterAndEscapeDoNothingOnEveryPage)
{
    Start(kOstrel);
    const auto keysDoNothing = [&](int pageControl, int target) {
        SCOPED_TRACE(target);
        // The page has ended what it started on entry (NEXT waits for it).
        ASSERT_TRUE(WaitUntilPressable(::GetDlgItem(main, IDC_NEXT), true));
        Sync();
        const HWND shown = PageWith(pageControl);
        ASSERT_NE(shown, nullptr);
        ASSERT_TRUE(PressKeys(target ? ::GetDlgItem(shown, target) : shown, {VK_RETURN, VK_ESCAPE}))
            << "the program ended";
        EXPECT_EQ(PageWith(pageControl), shown);
        EXPECT_EQ(Box(), nullptr);
    };
    ASSERT_TRUE(WaitFor([&] { return PageWith(IDC_SELECTION_START) && Enabled(IDC_NEXT); }));
    keysDoNothing(IDC_SELECTION_START, IDC_SELECTION_START);
    ASSERT_TRUE(PressUntilPage(IDC_NEXT, IDC_RECOGNITION_WARNING));
    keysDoNothing(IDC_RECOGNITION_WARNING, 0);
    ASSERT_TRUE(PressUntilPage(IDC_NEXT, IDC_FW_FILE));
    keysDoNothing(IDC_FW_FILE, IDC_FW_FILE);
    ASSERT_TRUE(PressUntilPage(IDC_TAB_FIRMWARE_RESTORE, IDC_RESTORE_LIST));
    keysDoNothing(IDC_RESTORE_LIST, IDC_RESTORE_LIST);
    ASSERT_TRUE(PressUntilPage(IDC_TAB_DEVICE_SETTING, IDC_SETTINGS_GRID));
    keysDoNothing(IDC_SETTINGS_GRID, IDC_SETTINGS_GRID);
    ASSERT_NE(Section(2, IDC_FM_REGION), nullptr);
    keysDoNothing(IDC_FM_REGION, IDC_FM_PRESET1);

    ASSERT_NE(Section(1, IDC_SPEED_DIAL_NUMBER1), nullptr);
    const HWND number = ::GetDlgItem(page, IDC_SPEED_DIAL_NUMBER1);
    ::PostMessageW(number, EM_SETSEL, 3, 3);
    ::PostMessageW(number, WM_CHAR, L'5', 1);
    keysDoNothing(IDC_SPEED_DIAL_NUMBER1, IDC_SPEED_DIAL_NUMBER1);
    EXPECT_EQ(TextOf(number), L"1125");
    EXPECT_TRUE(Enabled(IDC_ACTION)) << "the change is kept for saving";
    EXPECT_TRUE(Journal("hid o 04").empty()) << "nothing written";
}

// The headset leaves with the FM write while a chip 0x5210 is on USB: the
// read-back recognises the chip, and the FM page, which it has not, gives way
// to the basic settings page, alone.
TEST_F(PageKeys, OnePageShowsWhenTheReadBackFindsAnotherHeadset)
{
    Start(kOstrel);
    GoToSettingsPage();
    ASSERT_NE(Section(2, IDC_FM_REGION), nullptr);
    ASSERT_TRUE(ClickOnPage(IDC_FM_CHECK2));
    WriteScenario(kOstrel + "hid.o.on.4=leave\nusb.2=USB\\VID_3E1F&PID_5210&REV_0100\n"
                            "dfu.c.pid=0x5210\ndfu.c.ps.0x02A3=words:0x5210\n"
                            "dfu.c.ps.0x0108=text:Radio Demo\ndfu.c.ps.0x02A4=words:10, 0\n");
    ASSERT_TRUE(Press(IDC_ACTION));
    ASSERT_TRUE(WaitFor([&] { return PageWith(IDC_GAIN_HIGH) != nullptr && Enabled(IDC_NEXT); }))
        << "status: " << Status().c_str();
    Sync();
    EXPECT_EQ(ShownPages().size(), 1u);
}

// BACK from the basic settings page, whose grid had the keyboard: the
// keyboard goes with the page change, to NEXT or a control of the page shown.
TEST_F(PageKeys, KeyboardFollowsThePageChange)
{
    Start(kOstrel);
    ASSERT_TRUE(PressUntilPage(IDC_NEXT, IDC_RECOGNITION_WARNING));
    ASSERT_TRUE(PressUntilPage(IDC_NEXT, IDC_FW_STEPS));
    ASSERT_TRUE(PressUntilPage(IDC_TAB_DEVICE_SETTING, IDC_SETTINGS_GRID));
    EXPECT_EQ(KeyboardFocus(), ::GetDlgItem(PageWith(IDC_SETTINGS_GRID), IDC_SETTINGS_GRID));
    ASSERT_TRUE(PressUntilPage(IDC_BACK, IDC_FW_STEPS));
    ASSERT_TRUE(WaitUntilPressable(::GetDlgItem(main, IDC_NEXT), true));
    Sync();
    const HWND focus = KeyboardFocus();
    EXPECT_TRUE(::IsWindowVisible(focus));
    EXPECT_TRUE(focus == ::GetDlgItem(main, IDC_NEXT) || ::IsChild(PageWith(IDC_FW_STEPS), focus));
}

// Tab from NEXT on the update page goes through the page's file box and
// Browse (not Download, disabled without a server) and comes back to NEXT;
// Shift+Tab goes the same way back.
TEST_F(PageKeys, TabGoesThroughTheUpdatePageAndBack)
{
    Start(kOstrel);
    ASSERT_TRUE(PressUntilPage(IDC_NEXT, IDC_RECOGNITION_WARNING));
    ASSERT_TRUE(PressUntilPage(IDC_NEXT, IDC_FW_FILE));
    page = WaitForPage(IDC_FW_FILE);
    const std::vector<HWND> forward = TabCycleFromNext();
    for (int id : {IDC_FW_FILE, IDC_FW_BROWSE}) EXPECT_TRUE(Reached(forward, ::GetDlgItem(page, id))) << id;
    ExpectShownAndEnabled(forward);
    const std::vector<HWND> backward = TabCycle(true);
    EXPECT_TRUE(std::equal(forward.rbegin(), forward.rend(), backward.begin(), backward.end()));
}

// On the basic settings page of a HID headset Tab reaches DEFAULT, CANCEL, the
// grid and the section chooser of the frame, and comes back to NEXT; Space on
// the chooser opens its list with the keyboard in it, and Down there chooses
// the next section.
TEST_F(PageKeys, TabReachesTheSettingsPageAndTheSectionChooser)
{
    Start(kOstrel);
    GoToSettingsPage();
    const std::vector<HWND> cycle = TabCycleFromNext();
    for (int id : {IDC_SETTING_DEFAULT, IDC_SETTING_CANCEL, IDC_SETTINGS_GRID})
        EXPECT_TRUE(Reached(cycle, ::GetDlgItem(page, id))) << id;
    const HWND chooser = ::GetDlgItem(main, IDC_SECTION_DROPDOWN);
    ASSERT_TRUE(Reached(cycle, chooser));
    ExpectShownAndEnabled(cycle);

    FocusOn(chooser);
    ASSERT_TRUE(PressKeys(chooser, {VK_SPACE}));
    ASSERT_EQ(KeyboardFocus(), ::GetDlgItem(main, IDC_SECTION_LIST));
    ASSERT_TRUE(PressKeys(KeyboardFocus(), {VK_DOWN}));
    EXPECT_TRUE(WaitFor([&] { return PageWith(IDC_SPEED_DIAL_NUMBER1) != nullptr; }));
}

// The legacy rows: Tab stops on the help button and once on each Enable /
// Disable pair, at its checked radio; Up and Down move the check within the
// pair in one press.
TEST_F(PageKeys, ArrowsMoveWithinARadioPairAndTabStopsOncePerPair)
{
    Start(kTkv8);
    GoToSettingsPage();
    const std::vector<HWND> cycle = TabCycleFromNext();
    ExpectShownAndEnabled(cycle);
    EXPECT_TRUE(Reached(cycle, ::GetDlgItem(page, IDC_EDR_HELP)));
    for (auto [enable, disable] : {std::pair{IDC_VOX_PHONE_ENABLE, IDC_VOX_PHONE_DISABLE},
                                   std::pair{IDC_VOX_INTERCOM_ENABLE, IDC_VOX_INTERCOM_DISABLE},
                                   std::pair{IDC_EDR_ENABLE, IDC_EDR_DISABLE}}) {
        SCOPED_TRACE(enable);
        const HWND checked = ::GetDlgItem(page, Checked(enable) ? enable : disable);
        const HWND other = ::GetDlgItem(page, Checked(enable) ? disable : enable);
        EXPECT_TRUE(Reached(cycle, checked));
        EXPECT_FALSE(Reached(cycle, other));
    }

    ASSERT_TRUE(Checked(IDC_VOX_PHONE_DISABLE));
    FocusOn(::GetDlgItem(page, IDC_VOX_PHONE_DISABLE));
    ASSERT_TRUE(PressKeys(KeyboardFocus(), {VK_UP}));
    EXPECT_EQ(KeyboardFocus(), ::GetDlgItem(page, IDC_VOX_PHONE_ENABLE));
    EXPECT_TRUE(Checked(IDC_VOX_PHONE_ENABLE));
    EXPECT_FALSE(Checked(IDC_VOX_PHONE_DISABLE));
    ASSERT_TRUE(PressKeys(KeyboardFocus(), {VK_DOWN}));
    EXPECT_EQ(KeyboardFocus(), ::GetDlgItem(page, IDC_VOX_PHONE_DISABLE));
    EXPECT_TRUE(Checked(IDC_VOX_PHONE_DISABLE));
    EXPECT_FALSE(Checked(IDC_VOX_PHONE_ENABLE));
}

// The radio transmit gain of a headset 0x5210 is one group like the pairs:
// Tab stops once, on the checked Medium, and the arrows move the check among
// Low, Medium and High.
TEST_F(PageKeys, ArrowsChangeTheRadioTransmitGain)
{
    Start(kRadio);
    GoToSettingsPage();
    const HWND low = ::GetDlgItem(page, IDC_GAIN_LOW);
    const HWND medium = ::GetDlgItem(page, IDC_GAIN_MEDIUM);
    const HWND high = ::GetDlgItem(page, IDC_GAIN_HIGH);
    const std::vector<HWND> cycle = TabCycleFromNext();
    EXPECT_TRUE(Reached(cycle, medium));
    EXPECT_FALSE(Reached(cycle, low));
    EXPECT_FALSE(Reached(cycle, high));

    FocusOn(medium);
    ASSERT_TRUE(PressKeys(medium, {VK_DOWN}));
    EXPECT_EQ(KeyboardFocus(), high);
    EXPECT_TRUE(Checked(IDC_GAIN_HIGH));
    EXPECT_FALSE(Checked(IDC_GAIN_MEDIUM));
    for (int press = 0; press < 2; ++press) ASSERT_TRUE(PressKeys(KeyboardFocus(), {VK_UP}));
    EXPECT_EQ(KeyboardFocus(), low);
    EXPECT_TRUE(Checked(IDC_GAIN_LOW));
    EXPECT_FALSE(Checked(IDC_GAIN_HIGH));
}

// Each showing of the welcome page runs the manager's version check while the
// server does not answer; once it has ended, the keyboard is on NEXT.
TEST_F(PageKeys, TheKeyboardIsOnNextOnceTheVersionCheckHasEnded)
{
    Start(kTkv8);
    for (int showing = 0; showing < 2; ++showing) {
        SCOPED_TRACE(showing);
        if (showing) {
            ASSERT_TRUE(PressUntilPage(IDC_NEXT, IDC_RECOGNITION_WARNING));
            ASSERT_TRUE(PressUntilPage(IDC_BACK, IDC_SELECTION_START));
        }
        // The showing starts the check before it returns; NEXT waits for its end.
        ASSERT_TRUE(WaitFor([&] { return PageWith(IDC_SELECTION_START) != nullptr; }));
        Sync();
        ASSERT_TRUE(WaitUntilPressable(::GetDlgItem(main, IDC_NEXT), true));
        Sync();
        EXPECT_EQ(KeyboardFocus(), ::GetDlgItem(main, IDC_NEXT));
    }
}

// The keyboard is on a control that a page change has hidden when a box
// opens, as when the page changes before the main window is active again (a
// window manager that hands the activation back late): once the box has
// closed, the keyboard is not left on the hidden control.
TEST_F(PageKeys, TheKeyboardLeavesAHiddenControlWhenABoxCloses)
{
    Start(kOstrel);
    GoToSettingsPage();
    ASSERT_NE(Section(1, IDC_SPEED_DIAL_NUMBER1), nullptr);
    const HWND defaultButton = ::GetDlgItem(page, IDC_SPEED_DIAL_DEFAULT);
    ASSERT_TRUE(PressUntilPage(IDC_TAB_RECOGNITION, IDC_RECOGNITION_WARNING));
    FocusOn(defaultButton);
    ASSERT_EQ(KeyboardFocus(), defaultButton);
    ASSERT_FALSE(::IsWindowVisible(defaultButton));
    ASSERT_TRUE(Press(IDC_ABOUT_BUTTON));
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] { return (box = program->FindProcessWindow([this](HWND h) { return h != main && ::GetDlgItem(h, IDOK); })); },
        false));
    ASSERT_TRUE(PressKeys(::GetDlgItem(box, IDOK), {VK_RETURN}));
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(box); }, false));
    Sync();
    const HWND focus = KeyboardFocus();
    EXPECT_TRUE(::IsWindowVisible(focus)) << ::GetDlgCtrlID(focus);
    EXPECT_TRUE(focus == ::GetDlgItem(main, IDC_NEXT) || ::IsChild(PageWith(IDC_RECOGNITION_WARNING), focus))
        << ::GetDlgCtrlID(focus);
}

// In the language dialog the arrows from OK and Cancel stay on the buttons,
// never on the group box or a flag or name.
TEST_F(PageKeys, ArrowsInTheLanguageDialogStayOnItsButtons)
{
    Start(kTkv8);
    ASSERT_TRUE(WaitFor([&] { return PageWith(IDC_SELECTION_START) != nullptr; }));
    Sync();
    ASSERT_TRUE(WaitUntilPressable(::GetDlgItem(main, IDC_NEXT), true));
    ASSERT_TRUE(program->ChooseMenuItemUntilTaken(main, ID_MENU_MANAGER_LANGUAGE, kStepMs));
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] { return (dialog = program->FindProcessWindow([](HWND h) { return ::GetDlgItem(h, IDC_LANGUAGE_GROUP); })); },
        false));
    const HWND ok = ::GetDlgItem(dialog, IDOK);
    const HWND cancel = ::GetDlgItem(dialog, IDCANCEL);
    ::PostMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(ok), TRUE);
    ASSERT_TRUE(Sync());
    ASSERT_EQ(KeyboardFocus(), ok);
    for (WPARAM key : {VK_UP, VK_UP, VK_DOWN, VK_DOWN, VK_DOWN}) {
        ASSERT_TRUE(PressKeys(KeyboardFocus(), {key}));
        const HWND focus = KeyboardFocus();
        EXPECT_TRUE(focus == ok || focus == cancel) << key << ": " << ::GetDlgCtrlID(focus);
    }
    ASSERT_TRUE(PressIn(dialog, IDCANCEL));
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }, false));
}

// The restore page of a headset 0x5910 whose archive the server knows: Tab
// reaches its list, which shows where the keyboard is (a row focused and
// selected, drawn highlighted and framed), and Down moves it.
TEST_F(PageKeys, TheRestoreListShowsWhereTheKeyboardIs)
{
    if (testserver::HttpBase().IsEmpty()) GTEST_SKIP() << "local test server not running (run through CTest)";
    ASSERT_TRUE(testserver::ServeFile(L"malvobluetoothmanager/Revisions", "TorvikOstrel:v1.2:ostrel_1_2.img\n"));
    Start(kOstrel, testserver::HttpBase());
    DeviceSettings archived;
    archived.SetDefaults(0x5910, 1, 2);
    archived.ProductId = 0x5910;
    archived.Firmware = {1, 2};
    const CString img = program->Folder() + L"\\IMG\\";
    ASSERT_TRUE(EnsureFolder(img));
    ASSERT_TRUE(WriteWholeFile(SettingsArchivePath(img, 0x5910), SettingsArchiveText(archived).ToAnsi()));
    ASSERT_TRUE(PressUntilPage(IDC_NEXT, IDC_RECOGNITION_WARNING));
    ASSERT_TRUE(PressUntilPage(IDC_NEXT, IDC_FW_STEPS));
    ASSERT_TRUE(PressUntilPage(IDC_TAB_FIRMWARE_RESTORE, IDC_RESTORE_LIST));
    const HWND list = ::GetDlgItem(WaitForPage(IDC_RESTORE_LIST), IDC_RESTORE_LIST);
    ASSERT_TRUE(WaitFor([&] { return Enabled(IDC_NEXT) && ::IsWindowVisible(list); })) << Status().c_str();
    const auto keyboardRow = [&] {
        DWORD_PTR row = 0;
        ::SendMessageTimeoutW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED | LVNI_SELECTED,
                              SMTO_NORMAL, 5000, &row);
        return static_cast<int>(static_cast<LRESULT>(row));
    };
    FocusOn(::GetDlgItem(main, IDC_NEXT));
    for (int press = 0; press < 40 && KeyboardFocus() != list; ++press) ASSERT_TRUE(PressKeys(KeyboardFocus(), {VK_TAB}));
    ASSERT_EQ(KeyboardFocus(), list);
    EXPECT_EQ(keyboardRow(), 0);
    ASSERT_TRUE(PressKeys(list, {VK_DOWN}));
    EXPECT_EQ(keyboardRow(), 1);
}

// Shift+F10 opens the context menu beside the control with the keyboard (here
// NEXT), not in the screen's corner; Escape closes it.
TEST_F(PageKeys, TheKeyboardsMenuOpensBesideTheKeyboard)
{
    Start(kTkv8);
    ASSERT_TRUE(WaitFor([&] { return PageWith(IDC_SELECTION_START) != nullptr; }));
    Sync();
    ASSERT_TRUE(WaitUntilPressable(::GetDlgItem(main, IDC_NEXT), true));
    const HWND next = ::GetDlgItem(main, IDC_NEXT);
    FocusOn(next);
    ASSERT_EQ(KeyboardFocus(), next);
    const auto menu = [&] {
        return program->FindProcessWindow([](HWND hwnd) {
            wchar_t cls[16] = {};
            ::GetClassNameW(hwnd, cls, 16);
            return wcscmp(cls, L"#32768") == 0;
        });
    };
    ASSERT_TRUE(HoldShift(true));
    const LPARAM scan = static_cast<LPARAM>(::MapVirtualKeyW(VK_F10, MAPVK_VK_TO_VSC)) << 16;
    ::PostMessageW(next, WM_SYSKEYDOWN, VK_F10, 1 | scan);
    ::PostMessageW(next, WM_SYSKEYUP, VK_F10, 1 | scan | static_cast<LPARAM>(0xC0000000u));
    HWND opened = nullptr;
    const bool shown = WaitFor([&] { return (opened = menu()) != nullptr; }, false);
    HoldShift(false);
    ASSERT_TRUE(shown);
    RECT place{}, control{}, common{};
    ::GetWindowRect(opened, &place);
    ::GetWindowRect(next, &control);
    ::InflateRect(&place, 2, 2);
    EXPECT_TRUE(::IntersectRect(&common, &place, &control))
        << "menu at " << place.left << "," << place.top << ", NEXT at " << control.left << "," << control.top;
    ASSERT_TRUE(PressKeys(next, {VK_ESCAPE}));
    EXPECT_TRUE(WaitFor([&] { return menu() == nullptr; }, false));
}

}  // namespace
