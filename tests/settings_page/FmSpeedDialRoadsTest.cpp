// The FM radio and speed-dial pages' writes through the main window, end to
// end against simulated headsets: recognized by NEXT, reached with the section
// chooser, edited on the page's controls, written with ACTION or YES in the
// save prompt and read back by the automatic recognition; a refused write ends
// on the welcome page without a second prompt.
#include <algorithm>
#include <vector>

#include "app/ui/DialogMessageBox.h"
#include "settings_page/PageFixture.h"

namespace {

// " 00" as many times as given: the zero bytes of a key.
std::string Zeros(int count)
{
    std::string zeros;
    for (int i = 0; i < count; ++i) zeros += " 00";
    return zeros;
}

// An Ostrel (HID 0x5910) in Europe with 87.5 in its first preset and a number.
const std::string kOstrel =
    "hid.o.pid=0x5910\nhid.o.name=Torvik Ostrel\nhid.o.version=1.2.0.0.17\n"
    "hid.o.item.0x15=0x66E9, 9310, 2, 8750, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 4\n"
    "hid.o.item.0x5A=text:112\n";

// A TKV3 FM (BlueCore 0x4D15 at 2.0) in Asia with 90.0 in its first preset.
const std::string kTkv3 =
    "usb.1=USB\\VID_3E1F&PID_4D15&REV_0100\ndfu.t.pid=0x4D15\ndfu.t.ps.0x02A3=words:0x4D15\n"
    "dfu.t.ps.0x0108=text:TKV3\ndfu.t.ps.0x02A4=words:20, 0\n"
    "dfu.t.ps.0x029F=words:0x66E9, 0, 0, 9000, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2\n"
    "dfu.t.ps.0x2280=utf16:0800\n";

class FmSpeedDialRoadsTest : public SettingsPageTest {
protected:
    // The headset of the scenario recognized as the rider does it: NEXT on the
    // welcome page, NEXT on the recognition page.
    void RecognizeHeadset(const std::string& scenario)
    {
        Load(scenario);
        Click(IDC_NEXT);
        ASSERT_EQ(main->currentPage, PageRecognition);
        Click(IDC_NEXT);
        FinishPageTimers();
        ASSERT_TRUE(main->recognized);
        ASSERT_EQ(main->currentPage, PageFirmwareUpdate);
    }

    // Back to the welcome page with a new scenario and nothing written, and
    // its headset recognized.
    void StartOver(const std::string& scenario)
    {
        SetModalDialogHook(nullptr);
        main->GoToWelcome();
        Simulation::Instance().Reset();
        boxes.clear();
        RecognizeHeadset(scenario);
    }

    // A section of the settings tab: the tab, then the chooser's list.
    void ChooseSection(int kind)
    {
        Click(IDC_TAB_DEVICE_SETTING);
        ASSERT_EQ(main->sectionCount, 3);
        Click(IDC_SECTION_DROPDOWN);
        ASSERT_TRUE(main->sectionListOpen);
        const int* kinds = main->sectionKinds;
        const int index = static_cast<int>(std::find(kinds, kinds + 3, kind) - kinds);
        ::SendMessageW(main->GetDlgItem(IDC_SECTION_LIST)->m_hWnd, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        main->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SECTION_LIST, LBN_SELCHANGE),
                          reinterpret_cast<LPARAM>(main->GetDlgItem(IDC_SECTION_LIST)->m_hWnd));
    }

    // Answers every box with the button given and keeps its text.
    void AnswerBoxes(int button)
    {
        SetModalDialogHook([this, button](CDialog& dialog, UINT) {
            boxes.push_back(static_cast<CDialogMessageBox&>(dialog).text);
            dialog.PressButton(button);
        });
    }

    CDialogDeviceSettingSecond& Fm() { return main->deviceSettingSecondPage; }
    CDialogDeviceSettingSpeedDial& SpeedDial() { return main->speedDialPage; }
    CString Status() { return main->statusText.GetWindowText(); }
    CString Preset(int row) { return Fm().rows[row].preset.GetWindowText(); }
    bool ActionEnabled() { return main->actionButton.IsWindowEnabled(); }

    // A click on the upper arrow of a preset row's spin.
    void ClickSpinUp(int row)
    {
        CWnd& spin = Fm().rows[row].spin;
        const CRect r = spin.GetClientRect();
        const LPARAM at = MAKELPARAM(r.Width() / 2, r.Height() / 4);
        spin.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        spin.SendMessage(WM_LBUTTONUP, 0, at);
    }
    void TypeNumber(int index, const wchar_t* text)
    {
        CEdit& edit = SpeedDial().numberEdits[index];
        edit.SetSel(0, -1);
        edit.SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    }

    static bool Journaled(const std::string& line)
    {
        const auto lines = Simulation::Instance().JournalLines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    static bool AnyWriteOf(const std::string& prefix)
    {
        const auto lines = Simulation::Instance().JournalLines();
        return std::any_of(lines.begin(), lines.end(),
                           [&prefix](const std::string& l) { return l.rfind(prefix, 0) == 0; });
    }

    std::vector<CString> boxes;
};

TEST_F(FmSpeedDialRoadsTest, FmPresetsSavedOverHidAndReadBack)
{
    RecognizeHeadset(kOstrel);
    ChooseSection(kSectionFmRadio);
    ASSERT_EQ(main->currentPage, PageDeviceSettingSecond);
    EXPECT_EQ(Preset(0), CString(L"87.5"));
    EXPECT_FALSE(ActionEnabled());

    Fm().rows[1].check.SendMessage(BM_CLICK);  // takes 87.5 from the row above
    ClickSpinUp(1);                            // 87.6
    Fm().PressButton(IDC_FM_RDS_DISABLE);
    ASSERT_TRUE(ActionEnabled());
    AnswerBoxes(IDOK);
    Click(IDC_ACTION);

    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(Journaled("hid o 04 15 66E9 245E 0002 222E 2238 0000 0000 0000 0000 0000 0000 0000 0000 0000 0004"));
    // The automatic recognition read the block back and came back to the page.
    EXPECT_EQ(main->currentPage, PageDeviceSettingSecond);
    EXPECT_EQ(Status(), CString(L"Device setting saved successfully"));
    EXPECT_EQ(main->deviceSettings.FmPresets[1], 8760);
    EXPECT_EQ(main->deviceSettings.FmRds, 0);
    EXPECT_EQ(Preset(1), CString(L"87.6"));
    EXPECT_FALSE(ActionEnabled());
}

TEST_F(FmSpeedDialRoadsTest, FmPresetsSavedInThePersistentStoreAndReadBack)
{
    RecognizeHeadset(kTkv3);
    ChooseSection(kSectionFmRadio);
    ASSERT_EQ(main->currentPage, PageDeviceSettingSecond);
    EXPECT_EQ(Preset(0), CString(L"90.0"));

    // Japan keeps 90.0; a new preset on row 3 takes it too.
    Fm().regionCombo.SetCurSel(5);
    Fm().SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FM_REGION, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Fm().regionCombo.m_hWnd));
    Fm().rows[3].check.SendMessage(BM_CLICK);
    AnswerBoxes(IDOK);
    Click(IDC_ACTION);

    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(Journaled("ps-write t 029F E9 66 00 00 00 00 28 23 00 00 00 00 28 23" + Zeros(14) + " 05 00"));
    EXPECT_EQ(main->currentPage, PageDeviceSettingSecond);
    EXPECT_EQ(Status(), CString(L"Device setting saved successfully"));
    EXPECT_EQ(main->deviceSettings.FmRegion, 5);
    EXPECT_EQ(main->deviceSettings.FmMagic, kFmMagicWritten);
    EXPECT_EQ(Fm().regionCombo.GetCurSel(), 5);
    EXPECT_EQ(Preset(3), CString(L"90.0"));
}

TEST_F(FmSpeedDialRoadsTest, SpeedDialsSavedOverBothTransportsAndReadBack)
{
    struct Case {
        const char* name;
        std::string scenario;
        const wchar_t* before;
        std::vector<std::string> journal;
    };
    const Case cases[] = {
        {"HID",
         kOstrel,
         L"112",
         {"hid o 04 5A 0031 0031 0032 0034", "hid o 04 5B 002B 0034 0039 0023", "hid o 04 5C 0000"}},
        {"persistent store", kTkv3, L"0800",
         {"ps-write t 2280 30 00 38 00 30 00 30 00 34 00" + Zeros(30),
          "ps-write t 2281 2B 00 34 00 39 00 23 00" + Zeros(32),
          "ps-write t 2282" + Zeros(40)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartOver(c.scenario);
        ChooseSection(kSectionSpeedDial);
        ASSERT_EQ(main->currentPage, PageSpeedDial);
        EXPECT_EQ(SpeedDial().numberEdits[0].GetWindowText(), CString(c.before));

        TypeNumber(0, (std::wstring(c.before) + L"4").c_str());
        TypeNumber(1, L"+49 (#)");
        AnswerBoxes(IDOK);
        Click(IDC_ACTION);

        EXPECT_TRUE(boxes.empty());
        for (const std::string& line : c.journal) EXPECT_TRUE(Journaled(line)) << line;
        EXPECT_EQ(main->currentPage, PageSpeedDial);
        EXPECT_EQ(Status(), CString(L"Device setting saved successfully"));
        EXPECT_EQ(main->deviceSettings.SpeedDialNumbers[1], CString(L"+49#"));
        EXPECT_EQ(SpeedDial().numberEdits[0].GetWindowText(), CString(c.before) + L"4");
        EXPECT_FALSE(ActionEnabled());
    }
}

// A refused write reverts the page and ends on the welcome page without a
// second save prompt, also when the page shows the headset's values in its own
// way (a preset off the region's band is shown empty, so the reverted page
// still differs from the record).
TEST_F(FmSpeedDialRoadsTest, RefusedWritesEndOnTheWelcomePageWithoutASecondPrompt)
{
    struct Case {
        const char* name;
        std::string scenario;
        int section;
        const wchar_t* firstPreset;
    };
    const Case cases[] = {
        {"FM block refused", kOstrel + "hid.o.status.4.0x15=2\n", kSectionFmRadio, L"87.5"},
        {"FM key refused, a preset off the band", kTkv3 + "dfu.t.refused=0x029F\n"
                                                          "dfu.t.ps.0x029F=words:0x66E9, 0, 0, 9000, 7600, 0, 0, 0, "
                                                          "0, 0, 0, 0, 0, 0, 2\n",
         kSectionFmRadio, L"90.0"},
        {"speed-dial key refused", kTkv3 + "dfu.t.refused=0x2281\n", kSectionSpeedDial, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartOver(c.scenario);
        ChooseSection(c.section);
        if (c.section == kSectionFmRadio) {
            Fm().PressButton(IDC_FM_DEFAULT);
        } else {
            TypeNumber(1, L"999");
        }
        ASSERT_TRUE(ActionEnabled());
        AnswerBoxes(IDOK);
        Click(IDC_ACTION);

        ASSERT_EQ(boxes.size(), 1u) << "one box, and no save prompt after it";
        EXPECT_EQ(boxes[0], TextWrongDevice(LanguageEnglish));
        EXPECT_EQ(main->currentPage, PageWelcome);
        EXPECT_FALSE(main->busy);
        // The pages show the headset's values again.
        if (c.section == kSectionFmRadio) {
            EXPECT_EQ(Preset(0), CString(c.firstPreset));
        } else {
            EXPECT_TRUE(SpeedDial().numberEdits[1].GetWindowText().IsEmpty());
        }
    }
}

TEST_F(FmSpeedDialRoadsTest, SavePromptWritesOrDiscardsWhenLeavingForAnotherPage)
{
    RecognizeHeadset(kOstrel);
    ChooseSection(kSectionFmRadio);
    Fm().PressButton(IDC_FM_RDS_DISABLE);
    AnswerBoxes(IDCANCEL);  // NO
    Click(IDC_TAB_FIRMWARE_UPDATE);
    FinishPageTimers();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(main->currentPage, PageFirmwareUpdate);
    EXPECT_FALSE(AnyWriteOf("hid o 04 15"));
    EXPECT_EQ(main->deviceSettings.FmRds, 1);

    boxes.clear();
    ChooseSection(kSectionFmRadio);
    Fm().PressButton(IDC_FM_RDS_DISABLE);
    AnswerBoxes(IDOK);  // YES
    Click(IDC_TAB_FIRMWARE_UPDATE);
    FinishPageTimers();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(AnyWriteOf("hid o 04 15"));
    // Read back by the automatic recognition, which goes on to the page asked for.
    EXPECT_EQ(main->currentPage, PageFirmwareUpdate);
    EXPECT_EQ(main->deviceSettings.FmRds, 0);
}

}  // namespace
