// Clicks and popup choices in the grid of the basic settings page: what each
// kind of value stores in the working copy, the rows a gate enables and
// disables at once, the camera's sound recording and its sources, what a click
// that changes nothing leaves alone, ACTION, and the help boxes of column 0.
#include "settings_grid/GridFixture.h"

#include <functional>

#include "device/ProductCatalogue.h"

namespace {

using Field = std::function<int(const DeviceSettings&)>;

Field Word(int word) { return [word](const DeviceSettings& s) { return s.SettingWords[word]; }; }
Field Bit(int word, int bit) { return [word, bit](const DeviceSettings& s) { return (s.SettingWords[word] >> bit) & 1; }; }
Field Switch(int DeviceSettings::*field) { return [field](const DeviceSettings& s) { return s.*field; }; }

// A check-box row of each value source and polarity (Voice Prompt in each of
// its three places): a click on one half
// stores that half's value; a click on the other half stores the former value
// again, and the page has no change left.
TEST_F(GridTest, CheckBoxStoresItsHalfUnderTheFieldsPolarity)
{
    struct Case {
        const char* what;
        int productId, major, minor, row;
        bool disableHalf;
        Field field;
        int stored;
    };
    const Case cases[] = {
        {"Voice Prompt switch: 1 for Disable", 0x5910, 1, 2, 4, true, Switch(&DeviceSettings::VoicePrompt), 1},
        {"VOX Phone switch: 1 for Enable", 0x5910, 1, 2, 1, false, Switch(&DeviceSettings::HandsfreeVOX), 1},
        {"Audio Boost word 18: 1 for Disable", 0x5910, 1, 2, 0, true, Word(18), 1},
        {"HD Intercom word 19: 1 for Enable", 0x5910, 1, 2, 3, false, Word(19), 1},
        {"VOX Phone in word 2 bit 15", 0x4210, 1, 5, 6, false, Bit(2, 15), 1},
        {"Voice Prompt in word 2 bit 10: 1 for Enable", 0x4210, 1, 5, 9, false, Bit(2, 10), 1},
        {"Voice Prompt in word 0 bit 3: 1 for Disable", 0x3110, 1, 0, 4, true, Bit(0, 3), 1},
        {"Guest Mode in word 0 bit 15", 0x3110, 1, 0, 9, false, Bit(0, 15), 1},
        {"Date Caption in word 10 bit 5", 0x5510, 2, 2, 16, false, Bit(10, 5), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OpenRecord(RecordOf(c.productId, c.major, c.minor));
        const DeviceSettings before = Working();
        ASSERT_EQ(c.field(before), 1 - c.stored);
        ASSERT_FALSE(ActionEnabled());

        ClickHalf(c.row, c.disableHalf);
        EXPECT_EQ(c.field(Working()), c.stored);
        EXPECT_EQ(Value(c.row), c.disableHalf ? L"1" : L"0");
        EXPECT_NE(Page().IsModified(), 0);
        EXPECT_TRUE(ActionEnabled());

        ClickHalf(c.row, !c.disableHalf);
        EXPECT_EQ(c.field(Working()), 1 - c.stored);
        EXPECT_EQ(Page().IsModified(), 0);
        EXPECT_FALSE(ActionEnabled());
        EXPECT_EQ(Grid().GetItemCount(), Rows().Count()) << "a click rebuilt nothing";
    }
}

// A gate enables or disables its rows at once, without a rebuild; a reversed
// gate disables them while it is on.
TEST_F(GridTest, GatesEnableAndDisableTheirRowsAtOnce)
{
    struct Case {
        const char* what;
        int productId, major, minor;
        int gate;
        std::vector<int> gated;
        bool reversed;
    };
    const Case cases[] = {
        {"Blendcast and what mixes into it", 0x4210, 1, 5, 0, {1, 2}, false},
        {"Blendcast and the Layerly volume", 0x4430, 1, 0, 0, {1, 2}, false},
        {"Layerly leaves no room for a priority or HD intercom", 0x5412, 1, 0, 4, {5, 6}, true},
        {"sound recording and its sources", 0x5510, 2, 0, 16, {17, 18, 19, 20}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DeviceSettings record = RecordOf(c.productId, c.major, c.minor);
        record.SettingWords[10] = 0x0100;  // a camera source, so that the coupling has nothing to add
        OpenRecord(record);
        CCellCtrl* const firstGated = Grid().GetCell(c.gated.front(), 2);
        for (int row : c.gated) EXPECT_EQ(Disabled(row), !c.reversed) << row;

        ClickHalf(c.gate, false);  // on
        for (int row : c.gated) EXPECT_EQ(Disabled(row), c.reversed) << row;
        ClickHalf(c.gate, true);  // off
        for (int row : c.gated) EXPECT_EQ(Disabled(row), !c.reversed) << row;
        EXPECT_EQ(Grid().GetCell(c.gated.front(), 2), firstGated) << "the cells were made anew";
    }
}

// A click that does not flip a check box stores nothing: on a disabled row,
// and on the half already selected. A stored 2 (read as set) stays 2 and the
// page has no change to save.
TEST_F(GridTest, ClickThatFlipsNothingStoresNothing)
{
    DeviceSettings record = RecordOf(0x5412, 1, 0);
    record.SettingWords[23] = 1;  // Layerly on: HD Intercom (row 6) disabled
    record.SettingWords[19] = 2;
    OpenRecord(record);
    ASSERT_TRUE(Disabled(6));
    ASSERT_EQ(Value(6), L"0");
    ClickHalf(6, true);
    EXPECT_EQ(Value(6), L"0");
    EXPECT_EQ(Working().SettingWords[19], 2);
    EXPECT_EQ(Grid().GetActiveCell(), nullptr) << "a disabled cell was activated";

    record.SettingWords[23] = 0;
    OpenRecord(record);
    ASSERT_FALSE(Disabled(6));
    ClickHalf(6, false);  // Enable, already selected
    EXPECT_EQ(Value(6), L"0");
    EXPECT_EQ(Working().SettingWords[19], 2);
    EXPECT_EQ(Page().IsModified(), 0);
    EXPECT_FALSE(ActionEnabled());
}

// The camera's sound recording and its four sources keep each other
// consistent, and the cells show it at once.
TEST_F(GridTest, SoundRecordingAndItsSources)
{
    constexpr int kRecording = 1 << 6;
    OpenRecord(RecordOf(0x5510, 2, 2));  // recording off, no source
    const int s = 17;
    for (int row = s + 1; row <= s + 4; ++row) ASSERT_TRUE(Disabled(row));
    ClickHalf(s + 1, false);  // a disabled source: nothing
    EXPECT_EQ(Working().SettingWords[10], 0);

    // Recording on with no source chooses music, FM radio and intercom.
    ClickHalf(s, false);
    EXPECT_EQ(Working().SettingWords[10], kRecording | 0x0700);
    EXPECT_EQ(Value(s + 1) + Value(s + 2) + Value(s + 3) + Value(s + 4), L"0001");
    for (int row = s + 1; row <= s + 4; ++row) EXPECT_FALSE(Disabled(row)) << row;

    // Recording off and on again leaves the sources as they were.
    ClickHalf(s, true);
    ClickHalf(s, false);
    EXPECT_EQ(Working().SettingWords[10], kRecording | 0x0700);

    // Switching the last source off switches recording off.
    ClickHalf(s + 1, true);
    ClickHalf(s + 2, true);
    EXPECT_EQ(Working().SettingWords[10], kRecording | 0x0400);
    ClickHalf(s + 3, true);
    EXPECT_EQ(Working().SettingWords[10], 0);
    EXPECT_EQ(Value(s), L"1") << "recording shows Disable";
    for (int row = s + 1; row <= s + 4; ++row) EXPECT_TRUE(Disabled(row)) << row;
    EXPECT_EQ(Page().IsModified(), 0);
}

// A popup's choice stores the item's value by the row's mapping; a click on
// a combo stores nothing before it.
TEST_F(GridTest, PopupChoiceStoresTheItemsValue)
{
    struct Case {
        const char* what;
        int productId, major, minor, row, index;
        Field field;
        int stored;
        const wchar_t* shown;
    };
    const Case cases[] = {
        {"overlay sensitivity: Level 3 stores 11 - 3", 0x4210, 1, 5, 1, 2, Word(0), 8, L"Level 3"},
        {"overlay sensitivity: Level 10 stores 1", 0x4210, 1, 5, 1, 9, Word(0), 1, L"Level 10"},
        {"motion sensor: Disable stores 1", 0x4210, 1, 5, 5, 0, Word(3), 1, L"Disable"},
        {"smart volume in word 2 bits 1 to 4", 0x4310, 1, 0, 4, 3, Field([](const DeviceSettings& s) {
             return s.GetBasicWord2Bits1To4();
         }), 3, L"High"},
        {"audio source priority: the index", 0x5416, 1, 0, 4, 1, Word(22), 1, L"Music"},
        {"ESS sensitivity in word 2 bits 2 and 3", 0x6010, 1, 2, 11, 2, Field([](const DeviceSettings& s) {
             return s.GetBasicWord2Bits2To3();
         }), 3, L"High"},
        {"Video Resolution 720p/60fps: bit 2 set, bit 3 clear", 0x5510, 2, 2, 11, 1, Field([](const DeviceSettings& s) {
             return s.SettingWords[10] & 0x000C;
         }), 0x0004, L"720p/60fps"},
        {"Loop Recording Mode: bit 6 clear, bit 7 set", 0x5510, 2, 2, 10, 2, Field([](const DeviceSettings& s) {
             return s.SettingWords[12] & 0x00C0;
         }), 0x0080, L"Loop Recording Mode"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DeviceSettings record = RecordOf(c.productId, c.major, c.minor);
        record.SettingWords[2] = 0x0800;  // Blendcast on where the row is gated by it
        OpenRecord(record);
        const DeviceSettings before = Working();
        ClickCell(c.row, 2);
        EXPECT_TRUE(CellAt<CCellComboBox>(c.row, 2)->IsPopupOpen());
        EXPECT_TRUE(SameSettings(before, Working())) << "the click stored something";
        Grid().SendMessage(WM_CELL_POPUP_SELECT, kCellPopupChosen, c.index);
        EXPECT_EQ(c.field(Working()), c.stored);
        EXPECT_EQ(Value(c.row), c.shown);
        EXPECT_TRUE(ActionEnabled());
    }
}

// The popup as the rider uses it: a click on one of its rows. The keyboard
// is in the popup while it is open, and in the grid again after the choice.
TEST_F(GridTest, ClickOnAPopupRowChoosesIt)
{
    OpenRecord(RecordOf(0x5622, 1, 1));  // VOX sensitivity (row 5): Low, Medium, High
    ClickCell(5, 2);
    CPopUpScrollList& popup = *CellAt<CCellComboBox>(5, 2)->GetPopupList();
    ASSERT_TRUE(popup.IsWindowVisible());
    EXPECT_EQ(::GetFocus(), popup.m_hWnd);
    popup.UpdateWindow();
    const CPoint p = popup.GetRowRect(2 - popup.GetScrollPosition()).CenterPoint();
    popup.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    EXPECT_EQ(Working().SettingWords[14], 3);
    EXPECT_EQ(Value(5), L"High");
    EXPECT_TRUE(ActionEnabled());
    EXPECT_EQ(::GetFocus(), Grid().m_hWnd);
}

// A popup closed without a choice stores the item it shows again, which
// leaves the value as it was; a blank combo (a value with no item) stores
// nothing, so no -1 reaches the record.
TEST_F(GridTest, PopupClosedWithoutAChoice)
{
    DeviceSettings record = RecordOf(0x5412, 1, 0);
    record.SettingWords[22] = 1;
    record.SettingWords[14] = 4;
    OpenRecord(record);
    CloseWithoutChoice(5);  // the audio source priority
    EXPECT_EQ(Working().SettingWords[22], 1);
    EXPECT_EQ(Value(5), L"Music");
    CloseWithoutChoice(7);  // VOX sensitivity
    EXPECT_EQ(Working().SettingWords[14], 4);
    EXPECT_EQ(Page().IsModified(), 0);

    record.SettingWords[22] = 5;  // no such item
    record.SettingWords[14] = 0;
    OpenRecord(record);
    for (int row : {5, 7}) {
        EXPECT_EQ(CellAt<CCellComboBox>(row, 2)->GetCurSel(), -1) << row;
        EXPECT_EQ(Value(row), L"") << row;
        CloseWithoutChoice(row);
    }
    EXPECT_EQ(Working().SettingWords[22], 5);
    EXPECT_EQ(Working().SettingWords[14], 0);
    EXPECT_EQ(Page().IsModified(), 0);
    EXPECT_FALSE(ActionEnabled());
}

// Column 0 opens the row's help box: 520 pixels wide and as high as the row
// says, the logo and OK only, the text filled in the current language. A row
// without a help button, and the label column, open nothing.
TEST_F(GridTest, HelpBoxes)
{
    struct Case {
        int productId, major, minor, row;
        LanguageIndex language;
        int height;
        CString text;
    };
    const CString model = GetModelName(0x4210, 0);
    const Case cases[] = {
        {0x5510, 2, 2, 17, LanguageEnglish, 190,
         CString::FillPlaceholders(HelpTextLiteral(HelpTextId::HelpSpeakerSoundRecording, LanguageEnglish),
                                   {L"Speaker Sound Recording", L"Speaker Sound Recording"})},
        {0x5510, 2, 2, 8, LanguageGerman, 160,
         CString::FillPlaceholders(HelpTextLiteral(HelpTextId::HelpCalmweave, LanguageGerman), {L"Calmweave\u2122"})},
        {0x5510, 1, 9, 8, LanguageEnglish, 190, HelpText(HelpTextId::HelpVideoModeTwoModes, LanguageEnglish)},
        {0x5510, 2, 0, 9, LanguageEnglish, 250, HelpText(HelpTextId::HelpVideoModeThreeModes, LanguageEnglish)},
        {0x4210, 1, 5, 5, LanguageEnglish, 170,
         CString::FillPlaceholders(HelpTextLiteral(HelpTextId::HelpMotionSensorSensitivity, LanguageEnglish),
                                   {model})},
        {0x4210, 1, 5, 0, LanguageSpanish, 260,
         CString::FillPlaceholders(HelpTextLiteral(HelpTextId::HelpBlendcast, LanguageSpanish),
                                   {L"Blendcast\u2122", L"Radio FM"})},
    };
    RecordBoxes();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.productId << std::dec << " row " << c.row);
        OpenRecord(RecordOf(c.productId, c.major, c.minor), c.language);
        boxes.clear();
        ClickCell(c.row, 0);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, c.text);
        EXPECT_EQ(boxes[0].text.Find(L"%s"), -1);
        EXPECT_EQ(boxes[0].iconKind, 0);
        EXPECT_TRUE(boxes[0].onlyOk);
        EXPECT_EQ(boxes[0].width, 520);
        EXPECT_EQ(boxes[0].height, c.height);
        EXPECT_FALSE(ActionEnabled());
    }
    boxes.clear();
    OpenRecord(RecordOf(0x5510, 2, 2));
    ClickCell(18, 0);  // a sound source: no help button
    ClickCell(3, 1);   // a label
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(Page().IsModified(), 0);
}

// The Video Mode rows name the help text that the headset's firmware calls
// for: loop recording from 2.0 on.
TEST(GridRows, VideoModeHelpFollowsTheHeadsetsFirmware)
{
    for (const auto& [major, minor] : {std::pair{1, 0}, {1, 9}, {2, 0}, {2, 1}, {2, 2}, {3, 0}}) {
        const DeviceSettings record = RecordOf(0x5510, major, minor);
        const SettingsRows rows = ResolveSettingsRows(0x5510, record);
        int row = 0;
        while (row < rows.Count() && rows.Label(row, LanguageEnglish) != L"Video Mode") ++row;
        ASSERT_LT(row, rows.Count());
        EXPECT_EQ(rows.Help(row, LanguageEnglish, 0x5510).id, VideoModeHelp(record)) << major << "." << minor;
    }
}

}  // namespace
