// The real program under the keyboard and its page changes: Enter and Escape
// inside a page do nothing, and after a page change one page shows and the
// keyboard is on a control the rider can see.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/SettingsSaveFixture.h"

namespace {

// A HID headset 0x5910 with basic settings, speed dial and FM radio.
const std::string kOstrel =
    "usb.1=USB\\VID_3E1F&PID_5910&REV_0100\n"
    "hid.o.pid=0x5910\nhid.o.name=Torvik Ostrel\nhid.o.version=1.2.0.0.17\nhid.o.item.4=0\n"
    "hid.o.item.0x15=0x66E9, 9310, 2, 8750, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 4\nhid.o.item.0x5A=text:112\n";

using PageKeys = SettingsSave;

// Enter and Escape in a control of every page: the program goes on, on the
// same page; a speed-dial number typed before them stays unsaved and changed.
TEST_F(PageKeys, EnterAndEscapeDoNothingOnEveryPage)
{
    Start(kOstrel);
    const auto keysDoNothing = [&](int pageControl, int target) {
        SCOPED_TRACE(target);
        // The page has ended what it started on entry (NEXT waits for it).
        ASSERT_TRUE(WaitFor([&] { return Enabled(IDC_NEXT); }));
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
    ClickOnPage(IDC_FM_CHECK2);
    WriteScenario(kOstrel + "hid.o.on.4=leave\nusb.2=USB\\VID_3E1F&PID_5210&REV_0100\n"
                            "dfu.c.pid=0x5210\ndfu.c.ps.0x02A3=words:0x5210\n"
                            "dfu.c.ps.0x0108=text:Radio Demo\ndfu.c.ps.0x02A4=words:10, 0\n");
    ::PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_ACTION, BN_CLICKED), 0);
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
    ASSERT_TRUE(WaitFor([&] { return Enabled(IDC_NEXT); }));
    Sync();
    const HWND focus = KeyboardFocus();
    EXPECT_TRUE(::IsWindowVisible(focus));
    EXPECT_TRUE(focus == ::GetDlgItem(main, IDC_NEXT) || ::IsChild(PageWith(IDC_FW_STEPS), focus));
}

}  // namespace
