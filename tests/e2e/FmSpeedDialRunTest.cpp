// The real program saves FM presets and speed-dial numbers to a simulated
// headset: recognized with NEXT, the pages reached with the section chooser,
// edited on their controls, saved with ACTION and read back by the automatic
// recognition; then a write the headset refuses, which ends with one box on
// the welcome page.
#include <gtest/gtest.h>

#include <string>

#include "e2e/SettingsSaveFixture.h"

namespace {

const std::string kOstrel =
    "hid.o.pid=0x5910\nhid.o.name=Torvik Ostrel\nhid.o.version=1.2.0.0.17\nusb.1=USB\\VID_3E1F&PID_5910\n"
    "hid.o.item.0x15=0x66E9, 9310, 2, 8750, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 4\nhid.o.item.0x5A=text:112\n";

constexpr wchar_t kSaved[] = L"Device setting saved successfully";

class FmSpeedDialRun : public SettingsSave {
protected:
    void SaveAndWaitForTheReadBack()
    {
        ASSERT_TRUE(Press(IDC_ACTION));
        ASSERT_TRUE(WaitFor([&] { return Status() == kSaved; }, false)) << "status: " << Status().c_str();
        EXPECT_EQ(Box(), nullptr);
        Sync();
    }
    std::wstring Text(int controlId) { return TextOf(::GetDlgItem(page, controlId)); }
};

TEST_F(FmSpeedDialRun, PresetsAndNumbersSavedAndReadBackThenARefusedWrite)
{
    Start(kOstrel);
    GoToSettingsPage();

    // FM radio: a second preset from the first one, one click up.
    ASSERT_NE(Section(2, IDC_FM_REGION), nullptr);
    ASSERT_TRUE(ClickOnPage(IDC_FM_CHECK2));
    const HWND spin = ::GetDlgItem(page, IDC_FM_SPIN2);
    ASSERT_TRUE(WaitUntilPressable(spin));
    RECT r{};
    ::GetClientRect(spin, &r);
    const LPARAM up = MAKELPARAM((r.right - r.left) / 2, (r.bottom - r.top) / 4);
    ::SendMessageTimeoutW(spin, WM_LBUTTONDOWN, MK_LBUTTON, up, SMTO_NORMAL, 5000, nullptr);
    ::SendMessageTimeoutW(spin, WM_LBUTTONUP, 0, up, SMTO_NORMAL, 5000, nullptr);
    EXPECT_EQ(Text(IDC_FM_PRESET2), L"87.6");
    SaveAndWaitForTheReadBack();
    EXPECT_EQ(Journal("hid o 04 15"), std::vector<std::string>{"hid o 04 15 66E9 245E 0002 222E 2238 0000 0000 0000 "
                                                               "0000 0000 0000 0000 0000 0001 0004"});
    page = PageWith(IDC_FM_REGION);
    ASSERT_NE(page, nullptr) << "back on the FM page";
    EXPECT_EQ(Text(IDC_FM_PRESET2), L"87.6") << "the preset read back";

    // Speed dial: a pasted number keeps what a phone dials.
    ASSERT_TRUE(PressUntilPage(IDC_TAB_DEVICE_SETTING, IDC_SETTINGS_GRID));
    ASSERT_NE(Section(1, IDC_SPEED_DIAL_NUMBER1), nullptr);
    ::SendMessageTimeoutW(::GetDlgItem(page, IDC_SPEED_DIAL_NUMBER1), WM_SETTEXT, 0,
                          reinterpret_cast<LPARAM>(L"+49 (0) 30"), SMTO_NORMAL, 5000, nullptr);
    EXPECT_EQ(Text(IDC_SPEED_DIAL_NUMBER1), L"+49030");
    SaveAndWaitForTheReadBack();
    EXPECT_EQ(Journal("hid o 04 5A"), std::vector<std::string>{"hid o 04 5A 002B 0034 0039 0030 0033 0030"});
    page = PageWith(IDC_SPEED_DIAL_NUMBER1);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Text(IDC_SPEED_DIAL_NUMBER1), L"+49030");

    // The headset refuses the FM block: one box, then the welcome page.
    WriteScenario(kOstrel + "hid.o.status.4.0x15=2\n");
    ASSERT_TRUE(PressUntilPage(IDC_TAB_DEVICE_SETTING, IDC_SETTINGS_GRID));
    ASSERT_NE(Section(2, IDC_FM_REGION), nullptr);
    ASSERT_TRUE(ClickOnPage(IDC_FM_DEFAULT));
    ASSERT_TRUE(Press(IDC_ACTION));
    ASSERT_TRUE(WaitFor([&] { return Box() != nullptr; }, false));
    EXPECT_EQ(Status(), L"Failed to save device setting. Not the recognized device");
    EXPECT_EQ(AnswerTheBox(IDOK), L"Recognized device is not connected or is not the same as the connected device.\n"
                                  L"Select appropriate device.\n");
    EXPECT_TRUE(WaitFor([&] { return PageWith(IDC_SELECTION_START) != nullptr; }, false));
    Sync();
    EXPECT_EQ(Box(), nullptr) << "no save prompt after the failure";
}

}  // namespace
