// The FM radio page on its real controls inside the main window: what it
// shows of the record, spin clicks, typed presets and their warnings, check
// boxes, the region, DEFAULT, CANCEL, the busy lock and the languages.
#include <algorithm>
#include <string>
#include <vector>

#include "app/ui/DialogMessageBox.h"
#include "app/MainWindowFixture.h"
#include "settings/FmRules.h"
#include "settings/FmTexts.h"
#include "settingslist/LabelTables.h"

namespace {

class FmPageTest : public MainWindowTest {
protected:
    void TearDown() override
    {
        SetModalDialogHook(nullptr);
        MainWindowTest::TearDown();
    }

    // The FM page of a recognized headset whose record holds the block.
    void Open(int productId, int region, std::vector<int> presets, int major = 1, int minor = 0)
    {
        main->deviceSettings = DeviceSettings();
        Recognize(productId);
        DeviceSettings& record = main->deviceSettings;
        record.Firmware = {major, minor, 0, 0, 0};
        record.FmMagic = kFmMagicWritten;
        record.FmCurrentFrequency = 9310;
        record.FmCurrentPreset = 2;
        record.FmRegion = region;
        record.FmRds = 1;
        for (size_t i = 0; i < presets.size() && i < kFmPresetCount; ++i) record.FmPresets[i] = presets[i];
        main->GoToDeviceSettingSecond(1);
    }

    CDialogDeviceSettingSecond& Page() { return main->deviceSettingSecondPage; }
    CDialogDeviceSettingSecond::PresetRow& Row(int i) { return Page().rows[i]; }
    CString Shown(int i) { return Row(i).preset.GetWindowText(); }
    bool Checked(int i) { return Row(i).check.GetCheck() == BST_CHECKED; }
    bool ActionEnabled() { return main->actionButton.IsWindowEnabled(); }

    // A click of the row's check box, as the user makes it.
    void ClickCheck(int i) { Row(i).check.SendMessage(BM_CLICK); }
    // A press and release on the upper (up) or lower (down) arrow of a row's spin.
    void ClickSpin(int i, bool up)
    {
        CRect r;
        ::GetClientRect(Row(i).spin.m_hWnd, &r);
        const LPARAM at = MAKELPARAM(r.Width() / 2, up ? r.Height() / 4 : r.Height() * 3 / 4);
        Row(i).spin.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        Row(i).spin.SendMessage(WM_LBUTTONUP, 0, at);
    }
    // Text typed into a preset edit, then the focus leaves it.
    void Type(int i, const wchar_t* text)
    {
        Row(i).preset.SetFocus();
        ASSERT_EQ(::GetFocus(), Row(i).preset.m_hWnd);
        Row(i).preset.SetWindowText(text);
        Page().defaultButton.SetFocus();
    }
    void ChooseRegion(int region)
    {
        Page().regionCombo.SetCurSel(region);
        Page().SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FM_REGION, CBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(Page().regionCombo.m_hWnd));
    }

    // Answers every box with OK and keeps its text and size.
    void RecordBoxes()
    {
        SetModalDialogHook([this](CDialog& dialog, UINT templateId) {
            ASSERT_EQ(templateId, static_cast<UINT>(IDD_MESSAGE_BOX));
            auto& box = static_cast<CDialogMessageBox&>(dialog);
            boxes.push_back({box.text, box.iconKind, box.hasCancel, box.width, box.height});
            dialog.PressButton(IDOK);
        });
    }
    struct Box {
        CString text;
        int iconKind;
        bool hasCancel;
        int width;
        int height;
    };
    std::vector<Box> boxes;
};

TEST_F(FmPageTest, ShowsTheRecordsPresetsAndEmptiesWhatTheRegionRefuses)
{
    // Europe: 87.6 is on its grid, 76.0 below its band, 88.05 between channels.
    Open(0x5910, 4, {8760, 0, 7600, 10800, 8805});
    EXPECT_EQ(main->currentPage, PageDeviceSettingSecond);
    EXPECT_EQ(Page().regionCombo.GetCurSel(), 4);
    const wchar_t* shown[] = {L"87.6", L"Empty", L"Empty", L"108.0", L"Empty"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(Shown(i), CString(shown[i])) << i;
    for (int i = 0; i < 5; ++i) EXPECT_EQ(Checked(i), i == 0 || i == 3) << i;
    // The refused presets are emptied in the working copy, which now differs.
    EXPECT_EQ(Page().workingCopy.FmPresets[2], 0);
    EXPECT_TRUE(ActionEnabled());
    EXPECT_TRUE(Page().rdsEnable.GetCheck() == BST_CHECKED);
    // Only set rows take input.
    EXPECT_TRUE(Row(0).preset.IsWindowEnabled());
    EXPECT_FALSE(Row(1).preset.IsWindowEnabled());
    EXPECT_TRUE(Row(1).check.IsWindowEnabled());
}

TEST_F(FmPageTest, RecordOnTheBandAsksNothing)
{
    Open(0x5910, 1, {8750, 10790});
    EXPECT_FALSE(ActionEnabled());
    EXPECT_EQ(Shown(1), CString(L"107.9"));
}

// A region outside the table shows as Worldwide and counts as a change.
TEST_F(FmPageTest, UnknownRegionIsShownAsWorldwide)
{
    for (int region : {6, -1, 0x7FFF}) {
        Open(0x5910, region, {7600});
        EXPECT_EQ(Page().regionCombo.GetCurSel(), 0) << region;
        EXPECT_EQ(Page().workingCopy.FmRegion, 0) << region;
        EXPECT_EQ(Shown(0), CString(L"76.0")) << region;
        EXPECT_TRUE(ActionEnabled()) << region;
    }
}

// The spin writes its position into the buddy without a thousands separator,
// so the preset read back is the one written.
TEST_F(FmPageTest, BuddyHoldsThePlainNumber)
{
    Open(0x5910, 4, {8750, 10800});
    EXPECT_EQ(Row(0).buddy.GetWindowText(), CString(L"8750"));
    EXPECT_EQ(Row(1).buddy.GetWindowText(), CString(L"10800"));
    EXPECT_EQ(Row(1).spin.GetPos32(), 10800);
}

TEST_F(FmPageTest, SpinClicksMoveOneChannelAndWrap)
{
    struct Case {
        int region;
        int preset;
        bool up;
        const wchar_t* shown;
    };
    const Case cases[] = {
        {4, 8750, true, L"87.6"},   // Europe: 0.1 MHz a click
        {1, 8750, true, L"87.7"},   // Americas: 0.2 MHz a click
        {3, 9010, false, L"89.9"},  // Australia, downwards
        {4, 10800, true, L"87.5"},  // beyond the maximum: the minimum
        {1, 8750, false, L"107.9"}, // below the minimum: the maximum
        {5, 9500, true, L"76.0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        Open(0x5910, c.region, {c.preset});
        ClickSpin(0, c.up);
        EXPECT_EQ(Shown(0), CString(c.shown));
        EXPECT_EQ(Page().workingCopy.FmPresets[0], PresetFromText(c.shown));
        EXPECT_TRUE(ActionEnabled());
    }
}

TEST_F(FmPageTest, TypedPresetsAreRoundedOrRefusedWithTheRegionsBand)
{
    RecordBoxes();
    Open(0x5910, 1, {8750});
    struct Case {
        const wchar_t* typed;
        int preset;        // the preset afterwards
        const wchar_t* shown;
        int box;           // 0 none, 1 range, 2 not on the grid
    };
    const Case cases[] = {
        {L"88.15", 8750, L"87.5", 2},   // 88.2 is not an Americas channel
        {L"88.1", 8810, L"88.1", 0},
        {L"88.14", 8810, L"88.1", 0},  // the same channel: shown as the preset again
        {L"88.0", 8810, L"88.1", 2},
        {L"107.94", 10790, L"107.9", 0},
        {L"abc", 10790, L"107.9", 1},
        {L"1e12", 10790, L"107.9", 1},
        {L"nan", 10790, L"107.9", 1},
        {L"inf", 10790, L"107.9", 1},
        {L"108.1", 10790, L"107.9", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::wstring(c.typed).c_str());
        boxes.clear();
        Type(0, c.typed);
        EXPECT_EQ(Page().workingCopy.FmPresets[0], c.preset);
        EXPECT_EQ(Shown(0), CString(c.shown));
        ASSERT_EQ(boxes.size(), c.box ? 1u : 0u);
        if (!c.box) continue;
        EXPECT_EQ(boxes[0].text, c.box == 1 ? GetFmPresetRangeErrorText(LanguageEnglish, 1)
                                            : CString(L"FM Radio preset is not valid. Enter valid value again."));
        EXPECT_NE(boxes[0].iconKind, 0) << "the warning picture";
        EXPECT_FALSE(boxes[0].hasCancel);
        EXPECT_EQ(boxes[0].width, 415);
        EXPECT_EQ(boxes[0].height, 130);
    }
    // In Europe the same 88.15 becomes 88.2 without a word.
    ChooseRegion(4);
    boxes.clear();
    Type(0, L"88.15");
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(Page().workingCopy.FmPresets[0], 8820);
    EXPECT_EQ(Shown(0), CString(L"88.2"));
}

TEST_F(FmPageTest, RangeMessageIsInTheCurrentLanguage)
{
    RecordBoxes();
    main->language = LanguageGerman;
    Open(0x5910, 5, {8000});
    Type(0, L"100");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, GetFmPresetRangeErrorText(LanguageGerman, 5));
    EXPECT_NE(boxes[0].text.Find(L"95.0"), -1);
}

TEST_F(FmPageTest, CheckedRowTakesItsNeighboursFrequency)
{
    Open(0x5910, 4, {0, 9000, 0, 0, 9500});
    ClickCheck(3);  // nearest lower set row: row 1
    EXPECT_EQ(Page().workingCopy.FmPresets[3], 9000);
    EXPECT_EQ(Shown(3), CString(L"90.0"));
    EXPECT_TRUE(Row(3).preset.IsWindowEnabled());
    ClickCheck(0);  // none lower: row 1 again, the nearest higher
    EXPECT_EQ(Page().workingCopy.FmPresets[0], 9000);

    ClickCheck(1);  // cleared
    EXPECT_EQ(Page().workingCopy.FmPresets[1], 0);
    EXPECT_EQ(Shown(1), CString(L"Empty"));
    EXPECT_FALSE(Row(1).preset.IsWindowEnabled());

    Open(0x5910, 5, {});
    ClickCheck(6);  // no set row at all: the region's minimum
    EXPECT_EQ(Page().workingCopy.FmPresets[6], 7600);
}

TEST_F(FmPageTest, JapanEmptiesThePresetsAboveItsBand)
{
    Open(0x5910, 0, {7600, 9500, 9510, 10800, 8000});
    ChooseRegion(5);
    EXPECT_EQ(Page().workingCopy.FmRegion, 5);
    const int expected[] = {7600, 9500, 0, 0, 8000};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(Page().workingCopy.FmPresets[i], expected[i]) << i;
    EXPECT_EQ(Shown(2), CString(L"Empty"));
    EXPECT_FALSE(Checked(3));
    // A choice the combo cannot name changes nothing.
    Page().regionCombo.SetCurSel(-1);
    Page().SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FM_REGION, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(Page().regionCombo.m_hWnd));
    EXPECT_EQ(Page().workingCopy.FmRegion, 5);
}

TEST_F(FmPageTest, DefaultEmptiesThePresetsAndKeepsTheCurrentFrequency)
{
    struct Case {
        int productId;
        int major, minor;
        int region;
    };
    const Case cases[] = {{0x5910, 1, 0, 0}, {0x4210, 1, 0, 0}, {0x4210, 1, 1, 1}};
    for (const Case& c : cases) {
        Open(c.productId, 4, {8750, 9000}, c.major, c.minor);
        Page().PressButton(IDC_FM_DEFAULT);
        const DeviceSettings& w = Page().workingCopy;
        EXPECT_EQ(w.FmRegion, c.region) << std::hex << c.productId;
        EXPECT_TRUE(std::all_of(std::begin(w.FmPresets), std::end(w.FmPresets), [](int p) { return p == 0; }));
        EXPECT_EQ(w.FmRds, 0);
        EXPECT_EQ(w.FmCurrentFrequency, 9310);
        EXPECT_EQ(w.FmCurrentPreset, 2);
        EXPECT_EQ(Shown(0), CString(L"Empty"));
        EXPECT_TRUE(Page().rdsDisable.GetCheck() == BST_CHECKED);
        EXPECT_TRUE(ActionEnabled());

        Page().PressButton(IDC_FM_CANCEL);
        EXPECT_EQ(Shown(1), CString(L"90.0"));
        EXPECT_FALSE(ActionEnabled());
    }
}

TEST_F(FmPageTest, RdsSwitchIsAChange)
{
    Open(0x5910, 4, {});
    Page().PressButton(IDC_FM_RDS_DISABLE);
    EXPECT_EQ(Page().workingCopy.FmRds, 0);
    EXPECT_TRUE(ActionEnabled());
    Page().PressButton(IDC_FM_RDS_ENABLE);
    EXPECT_FALSE(ActionEnabled());

    RecordBoxes();
    Page().PressButton(IDC_FM_RDS_HELP);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, GetHelpRdsAf(LanguageEnglish));
    EXPECT_EQ(boxes[0].iconKind, 0);
    EXPECT_EQ(boxes[0].width, 540);
    EXPECT_EQ(boxes[0].height, 195);
}

// The six-preset headsets: rows 7 to 10 can be edited but are no change.
TEST_F(FmPageTest, SixPresetHeadsetsIgnoreTheLastFourRows)
{
    Open(0x6010, 4, {});
    ClickCheck(8);
    EXPECT_EQ(Page().workingCopy.FmPresets[8], 8750);
    EXPECT_FALSE(ActionEnabled());
    ClickCheck(5);
    EXPECT_TRUE(ActionEnabled());
}

TEST_F(FmPageTest, HeadsetWithoutFmPageGoesToTheBasicSettings)
{
    Open(0x4D10, 0, {});
    EXPECT_EQ(main->currentPage, PageDeviceSetting);
}

TEST_F(FmPageTest, BusyPageTakesNoInputButShowsAReverts)
{
    Open(0x5910, 4, {8750, 9000});
    ClickSpin(0, true);
    main->busy = true;
    Page().RefreshTexts();
    EXPECT_FALSE(Page().regionCombo.IsWindowEnabled());
    EXPECT_FALSE(Row(0).check.IsWindowEnabled());
    EXPECT_FALSE(Row(0).preset.IsWindowEnabled());
    EXPECT_FALSE(Page().rdsEnable.IsWindowEnabled());
    EXPECT_FALSE(Page().rdsHelpButton.IsWindowEnabled());
    EXPECT_TRUE(Page().defaultButton.IsWindowEnabled());
    // A check box clicked meanwhile changes nothing.
    Page().OnPresetCheck(5);
    EXPECT_EQ(Page().workingCopy.FmPresets[5], 0);
    // CANCEL works while busy (the write's failure road relies on it), and the
    // page shows the reverted presets.
    Page().PressButton(IDC_FM_CANCEL);
    EXPECT_EQ(Page().workingCopy.FmPresets[0], 8750);
    EXPECT_EQ(Shown(0), CString(L"87.5"));
    main->busy = false;
}

TEST_F(FmPageTest, TextsFollowTheLanguage)
{
    Open(0x5910, 2, {9000});
    for (LanguageIndex language = 0; language < LanguageCount; ++language) {
        main->language = language;
        Page().RefreshTexts();
        EXPECT_EQ(Page().regionCaption.GetWindowText(), CString(GetLabelText(RegionLabels, language)));
        EXPECT_EQ(Page().regionCombo.GetCount(), kFmRegionCount);
        EXPECT_EQ(Page().regionCombo.GetLBText(2), CString(GetLabelText(FmRegionLabels, language, 2)));
        EXPECT_EQ(Page().regionCombo.GetCurSel(), 2);
        EXPECT_EQ(Shown(1), CString(GetLabelText(EmptyLabels, language)));
        EXPECT_EQ(Page().defaultButton.GetWindowText(), TextDefault(language));
        EXPECT_EQ(Page().rdsDisable.GetWindowText(), TextDisable(language));
    }
}

}  // namespace
