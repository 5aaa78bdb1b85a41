// The real program saves a setting of a simulated headset: the rider goes from
// the welcome page through recognition to the basic settings page, changes a
// row (a radio button of a BlueCore headset, a row of the settings grid of a
// HID headset) and saves; the key or the report reaches the headset, the
// automatic recognition reads it back, and the failures end on the welcome page.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/SettingsSaveFixture.h"
#include "support/RemoteListView.h"

namespace {

// A HID headset 0x5910 at firmware 1.2, every switch of its feature word off.
const std::string kOstrel =
    "usb.1=USB\\VID_3E1F&PID_5910&REV_0100\n"
    "hid.o.pid=0x5910\n"
    "hid.o.name=Torvik Ostrel\n"
    "hid.o.version=1.2.0.0.17\n"
    "hid.o.item.4=0\n";

constexpr wchar_t kSaved[] = L"Device setting saved successfully";

TEST_F(SettingsSave, VoxPhoneIsWrittenAndReadBack)
{
    Start(kTkv8);
    GoToSettingsPage();
    ASSERT_TRUE(Checked(IDC_VOX_PHONE_DISABLE));
    ASSERT_TRUE(ClickOnPage(IDC_VOX_PHONE_ENABLE));
    ASSERT_TRUE(Press(IDC_ACTION));
    ASSERT_TRUE(WaitFor([&] { return Status().rfind(kSaved, 0) == 0; })) << "status: " << Status().c_str();
    EXPECT_EQ(Journal("ps-write"), std::vector<std::string>{"ps-write c 0299 01 00"});
    Sync();
    page = PageWith(IDC_SETTINGS_GRID);
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(Checked(IDC_VOX_PHONE_ENABLE)) << "the value read back";
    EXPECT_FALSE(Checked(IDC_VOX_PHONE_DISABLE));
}

TEST_F(SettingsSave, RadioGainIsWrittenAndReadBack)
{
    Start(kRadio);
    GoToSettingsPage();
    ASSERT_TRUE(Checked(IDC_GAIN_MEDIUM));
    ASSERT_TRUE(ClickOnPage(IDC_GAIN_HIGH));
    ASSERT_TRUE(Press(IDC_ACTION));
    ASSERT_TRUE(WaitFor([&] { return Status().rfind(kSaved, 0) == 0; })) << "status: " << Status().c_str();
    EXPECT_EQ(Journal("ps-write"), std::vector<std::string>{"ps-write c 02AC 11 00"});
    Sync();
    page = PageWith(IDC_SETTINGS_GRID);
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(Checked(IDC_GAIN_HIGH));
    EXPECT_EQ(TextOf(::GetDlgItem(page, IDC_TIMEOUT_EDIT)), L"5");
}

// Voice Prompt off in the grid of a HID headset: the feature word with its
// bit 3 reaches the headset, and the grid shows the row off again after the
// automatic recognition.
TEST_F(SettingsSave, GridRowIsWrittenAndReadBack)
{
    Start(kOstrel);
    GoToSettingsPage();
    const HWND gridWindow = ::GetDlgItem(page, IDC_SETTINGS_GRID);
    RemoteListView grid(program->ProcessId(), gridWindow);
    ASSERT_TRUE(grid.IsOpen());
    const int row = grid.FindRow(1, L"Voice Prompt");
    ASSERT_GE(row, 0);
    ASSERT_EQ(grid.ItemText(row, 2), L"0") << "the Enable half";

    ASSERT_TRUE(ClickDisableHalf(gridWindow, grid, row));
    ASSERT_EQ(grid.ItemText(row, 2), L"1");

    ASSERT_TRUE(Press(IDC_ACTION));
    ASSERT_TRUE(WaitFor([&] { return Status().rfind(kSaved, 0) == 0; })) << "status: " << Status().c_str();
    EXPECT_EQ(Journal("hid o 04"), std::vector<std::string>{"hid o 04 04 0008 0000"});
    Sync();
    page = PageWith(IDC_SETTINGS_GRID);
    ASSERT_NE(page, nullptr);
    RemoteListView readBack(program->ProcessId(), ::GetDlgItem(page, IDC_SETTINGS_GRID));
    EXPECT_EQ(readBack.ItemText(row, 1), L"Voice Prompt");
    EXPECT_EQ(readBack.ItemText(row, 2), L"1") << "the value read back";
}

// One rider's roads in one run: NO and YES of the save prompt, a headset
// swapped for another between recognition and save, and a key the chip
// refuses; the failures show their status and box and end on the welcome page.
TEST_F(SettingsSave, SavePromptAndFailures)
{
    Start(kTkv8);
    GoToSettingsPage();

    // NO: the change is dropped and the update page follows at once.
    ASSERT_TRUE(ClickOnPage(IDC_VOX_PHONE_ENABLE));
    ASSERT_TRUE(Press(IDC_TAB_FIRMWARE_UPDATE));
    EXPECT_EQ(AnswerTheBox(IDCANCEL), L"Would you like to save DEVICE SETTING changes?");
    EXPECT_TRUE(WaitFor([&] { return PageWith(IDC_FW_STEPS) != nullptr; }));
    EXPECT_TRUE(Journal("ps-write").empty());

    // YES: written, recognized again, then the update page.
    ASSERT_TRUE(PressUntilPage(IDC_NEXT, IDC_SETTINGS_GRID));
    page = PageWith(IDC_SETTINGS_GRID);
    ASSERT_TRUE(ClickOnPage(IDC_VOX_PHONE_ENABLE));
    ASSERT_TRUE(Press(IDC_TAB_FIRMWARE_UPDATE));
    EXPECT_EQ(AnswerTheBox(IDOK), L"Would you like to save DEVICE SETTING changes?");
    EXPECT_TRUE(WaitFor([&] { return PageWith(IDC_FW_STEPS) != nullptr; }));
    EXPECT_EQ(Journal("ps-write"), std::vector<std::string>{"ps-write c 0299 01 00"});

    const std::string swapped =
        "usb.1=USB\\VID_3E1F&PID_4D20&REV_0100\ndfu.c.pid=0x4D20\ndfu.c.ps.0x02A3=words:0x4D20\n";
    const std::string refused = "dfu.c.refused=0x0299\n";
    for (const std::string& change : {swapped, refused}) {
        SCOPED_TRACE(change);
        // From the update page (after YES) or from the welcome page (after a failure).
        if (::GetDlgItem(ShownPage(), IDC_FW_STEPS)) ASSERT_TRUE(PressUntilPage(IDC_NEXT, IDC_SETTINGS_GRID));
        else GoToSettingsPage();
        page = PageWith(IDC_SETTINGS_GRID);
        ASSERT_NE(page, nullptr);
        ASSERT_TRUE(Checked(IDC_VOX_PHONE_ENABLE));
        WriteScenario(kTkv8 + change);
        ASSERT_TRUE(ClickOnPage(IDC_VOX_PHONE_DISABLE));
        ASSERT_TRUE(Press(IDC_ACTION));
        ASSERT_TRUE(WaitFor([&] { return Box() != nullptr; }, false));
        EXPECT_EQ(Status(), L"Failed to save device setting. Not the recognized device");
        EXPECT_EQ(AnswerTheBox(IDOK),
                  L"Recognized device is not connected or is not the same as the connected device.\n"
                  L"Select appropriate device.\n");
        EXPECT_TRUE(WaitFor([&] { return PageWith(IDC_SELECTION_START) != nullptr; }, false));
        EXPECT_EQ(Box(), nullptr) << "no save prompt after the failure";
        EXPECT_EQ(Journal("ps-write").size(), 1u);
        WriteScenario(kTkv8);
    }
}

}  // namespace
