// The radios, lists and time-out of the legacy rows: what they show for the
// working copy and what a click stores, one test per kind of polarity; DEFAULT,
// CANCEL and the busy lock.
#include "settings/LegacyLayout.h"
#include "settings_page/PageFixture.h"

namespace {

using RowValuesTest = SettingsPageTest;

struct SwitchCase {
    const char* name;
    int productId;
    int major;
    int minor;
    int enableId;
    int disableId;
    int DeviceSettings::*field;
    int storedForEnable;
};

// Rows whose Enable radio stands for a non-zero field, for zero, and EDR,
// whose polarity turns with the firmware.
TEST_F(RowValuesTest, SwitchPolarities)
{
    const SwitchCase cases[] = {
        {"on when set", 0x4D10, 4, 0, IDC_PLC_ENABLE, IDC_PLC_DISABLE, &DeviceSettings::PLC, 1},
        {"on when clear", 0x2020, 1, 1, IDC_CALMWEAVE_ENABLE, IDC_CALMWEAVE_DISABLE, &DeviceSettings::Calmweave, 0},
        {"EDR below 4.0: on when set", 0x4D10, 3, 9, IDC_EDR_ENABLE, IDC_EDR_DISABLE, &DeviceSettings::EDR, 1},
        {"EDR from 4.0: on when clear", 0x4D10, 4, 0, IDC_EDR_ENABLE, IDC_EDR_DISABLE, &DeviceSettings::EDR, 0},
        {"EDR of a model without the old polarity", 0x4D35, 1, 0, IDC_EDR_ENABLE, IDC_EDR_DISABLE, &DeviceSettings::EDR,
         0},
    };
    for (const SwitchCase& c : cases) {
        SCOPED_TRACE(c.name);
        Open(c.productId, c.major, c.minor);
        main->deviceSettings.*c.field = c.storedForEnable;
        Page().LoadSettings();
        EXPECT_TRUE(Checked(c.enableId));
        EXPECT_FALSE(Checked(c.disableId));

        Press(c.disableId);
        EXPECT_EQ(Page().workingCopy.*c.field, 1 - c.storedForEnable);
        EXPECT_FALSE(Checked(c.enableId));
        EXPECT_TRUE(Checked(c.disableId));
        EXPECT_TRUE(Enabled(main->actionButton));

        Press(c.enableId);
        EXPECT_EQ(Page().workingCopy.*c.field, c.storedForEnable);
        EXPECT_TRUE(Checked(c.enableId));
        EXPECT_FALSE(Checked(c.disableId));
        EXPECT_FALSE(Enabled(main->actionButton));
    }
}

// The two-interface models keep VOX Phone and Sidetone in bits of setting
// word 2; the hidden rows write setting words.
TEST(LegacyRowFields, WordFieldsAndHiddenRows)
{
    DeviceSettings device;
    device.ProductId = 0x4310;
    DeviceSettings working;
    SetLegacySwitch(LegacyRow::VoxPhone, true, working, device);
    SetLegacySwitch(LegacyRow::Sidetone, true, working, device);
    EXPECT_EQ(working.SettingWords[2], 0x9000);
    EXPECT_EQ(working.HandsfreeVOX, 0);
    EXPECT_TRUE(IsLegacySwitchOn(LegacyRow::VoxPhone, working, device));

    device.ProductId = 0x4D10;
    SetLegacySwitch(LegacyRow::AudioBoost, true, working, device);
    EXPECT_EQ(working.SettingWords[18], 0);
    SetLegacySwitch(LegacyRow::AudioBoost, false, working, device);
    EXPECT_EQ(working.SettingWords[18], 1);
    SetLegacySwitch(LegacyRow::Blendcast, true, working, device);
    SetLegacySwitch(LegacyRow::NavAppSupport, true, working, device);
    EXPECT_EQ(working.SettingWords[2], 0x9000 | 0x0800 | 0x0200);
}

// The lists: motion sensor items Disable, Low, High for word 3 = 1, 2, 3;
// overlay sensitivity " 1" to "10" for word 0 = 10 down to 1.
TEST_F(RowValuesTest, ListMappings)
{
    Open(0x4D10, 4, 1);
    Choose(IDC_MOTION_SENSOR_LIST, 0);
    EXPECT_EQ(Page().workingCopy.SettingWords[3], 1);
    Choose(IDC_MOTION_SENSOR_LIST, 2);
    EXPECT_EQ(Page().workingCopy.SettingWords[3], 3);
    Choose(IDC_OVERLAY_LIST, 0);
    EXPECT_EQ(Page().workingCopy.SettingWords[0], 10);
    Choose(IDC_OVERLAY_LIST, 9);
    EXPECT_EQ(Page().workingCopy.SettingWords[0], 1);
    EXPECT_EQ(LegacyListIndex(LegacyRow::OverlaySensitivity, Page().workingCopy), 9);

    // The motion sensor list is rebuilt in the language, at the working copy's value.
    main->language = LanguageGerman;
    Page().RefreshTexts();
    EXPECT_EQ(Page().motionSensorList.GetCount(), 3);
    EXPECT_EQ(Page().motionSensorList.GetCurSel(), 2);
    EXPECT_EQ(Page().motionSensorList.GetLBText(0), TextDisable(LanguageGerman));
}

// The gain: 12 Low, 17 High, anything else Medium; Medium stores 15.
TEST_F(RowValuesTest, GainAndTimeout)
{
    Open(0x5210, 1, 0);
    for (auto [stored, shown] : {std::pair{12, IDC_GAIN_LOW}, {17, IDC_GAIN_HIGH}, {16, IDC_GAIN_MEDIUM}}) {
        main->deviceSettings.RadioTransmitGain = stored;
        Page().LoadSettings();
        for (int id : {IDC_GAIN_LOW, IDC_GAIN_MEDIUM, IDC_GAIN_HIGH}) EXPECT_EQ(Checked(id), id == shown) << stored;
    }
    Press(IDC_GAIN_MEDIUM);
    EXPECT_EQ(Page().workingCopy.RadioTransmitGain, 15);
    EXPECT_FALSE(Checked(IDC_GAIN_LOW));
    Press(IDC_GAIN_LOW);
    EXPECT_EQ(Page().workingCopy.RadioTransmitGain, 12);
    EXPECT_FALSE(Checked(IDC_GAIN_MEDIUM));

    main->deviceSettings.AudioChannelTimeout = 5;
    Page().LoadSettings();
    EXPECT_EQ(Page().timeoutEdit.GetWindowText(), CString(L"5"));
    EXPECT_EQ(Page().workingCopy.AudioChannelTimeout, 5);
    EXPECT_FALSE(Enabled(main->actionButton));
    // The up-down control sets the number; the number's change stores it.
    Page().timeoutSpin.SetPos32(42);
    EXPECT_EQ(Page().timeoutEdit.GetWindowText(), CString(L"42"));
    EXPECT_EQ(Page().workingCopy.AudioChannelTimeout, 42);
    EXPECT_TRUE(Enabled(main->actionButton));
    Page().timeoutSpin.SetPos32(99);
    EXPECT_EQ(Page().workingCopy.AudioChannelTimeout, 60);
}

TEST_F(RowValuesTest, DefaultKeepsVersionFmBlockAndSpeedDial)
{
    Open(0x4D15, 2, 0);
    main->deviceSettings.FmPresets[0] = 9010;
    main->deviceSettings.SpeedDialNumbers[1] = L"555";
    Page().LoadSettings();
    Press(IDC_SETTING_DEFAULT);
    const DeviceSettings& working = Page().workingCopy;
    EXPECT_EQ(working.Firmware.Major, 2);
    EXPECT_EQ(working.FmPresets[0], 9010);
    EXPECT_EQ(working.SpeedDialNumbers[1], CString(L"555"));

    // DEFAULT on a headset at its defaults leaves nothing to save.
    main->deviceSettings.CopyFrom(working, 0);
    Page().LoadSettings();
    Press(IDC_SETTING_DEFAULT);
    EXPECT_EQ(Page().IsModified(), 0);
    EXPECT_FALSE(Enabled(main->actionButton));
}

TEST_F(RowValuesTest, CancelRestoresEveryControl)
{
    Open(0x4D10, 4, 1);
    Press(IDC_VOX_PHONE_ENABLE);
    Press(IDC_PLC_ENABLE);
    Press(IDC_MIC_BOOST_ENABLE);
    ASSERT_TRUE(Enabled(main->actionButton));
    Press(IDC_SETTING_CANCEL);
    for (int id : {IDC_VOX_PHONE_DISABLE, IDC_PLC_DISABLE, IDC_MIC_BOOST_DISABLE}) EXPECT_TRUE(Checked(id)) << id;
    EXPECT_EQ(Page().IsModified(), 0);
    EXPECT_FALSE(Enabled(main->actionButton));
}

// While the frame is busy every row and the grid are disabled and clicks do
// nothing; the refresh after it enables them again.
TEST_F(RowValuesTest, BusyLocksThePage)
{
    Open(0x4D10, 4, 1);
    const std::set<int> shown = ShownControls();
    main->busy = true;
    Page().RefreshTexts();
    EXPECT_EQ(ShownControls(), shown);
    for (int id : {IDC_VOX_PHONE_ENABLE, IDC_EDR_HELP, IDC_A2DP_DISABLE}) EXPECT_FALSE(Enabled(Control(id))) << id;
    EXPECT_FALSE(Enabled(Page().settingsGrid));
    Press(IDC_VOX_PHONE_ENABLE);
    Press(IDC_SETTING_DEFAULT);
    EXPECT_EQ(Page().IsModified(), 0);

    main->busy = false;
    Page().RefreshTexts();
    for (int id : {IDC_VOX_PHONE_ENABLE, IDC_EDR_HELP, IDC_A2DP_DISABLE}) EXPECT_TRUE(Enabled(Control(id))) << id;

    Open(0x5910, 1, 0);
    EXPECT_TRUE(Enabled(Page().settingsGrid));
    main->sectionListOpen = true;
    Page().RefreshTexts();
    EXPECT_FALSE(Enabled(Page().settingsGrid));
    main->sectionListOpen = false;
}

// The note's "..." button shows in French, Dutch and Russian only.
TEST_F(RowValuesTest, NoteButtonByLanguage)
{
    for (LanguageIndex language = 0; language < LanguageCount; ++language) {
        Open(0x4D10, 4, 1, language);
        const bool shows = language == LanguageFrench || language == LanguageDutch || language == LanguageRussian;
        EXPECT_EQ(Shown(Control(IDC_NOTE_MORE)), shows) << language;
        EXPECT_EQ(Enabled(Control(IDC_NOTE_MORE)), shows) << language;
    }
    EXPECT_FALSE(Shown(Control(IDC_MORE_SETTINGS)));
}

// The GDI objects of this process. Where GetGuiResources counts none (Wine
// has it as a stub), the handle table is probed: the low word of a GDI handle
// is its index in the process's table, and GetObjectType names the live
// object at an index whatever the handle's high word.
DWORD GdiObjects()
{
    if (const DWORD counted = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS)) return counted;
    DWORD live = 0;
    for (UINT_PTR index = 1; index <= 0xFFFF; ++index) {
        if (::GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++live;
    }
    return live;
}

// Twenty rounds of language changes and clicks make no new GDI object (one
// object a round would show as twenty).
TEST_F(RowValuesTest, NoGdiObjectGrows)
{
    Open(0x4D10, 4, 1);
    auto round = [this](int i) {
        main->ApplyLanguage(i % 2 ? LanguageJapanese : LanguageFrench, 1);
        Press(i % 2 ? IDC_VOX_PHONE_ENABLE : IDC_VOX_PHONE_DISABLE);
        Press(IDC_SETTING_DEFAULT);
        Press(IDC_SETTING_CANCEL);
    };
    for (int i = 0; i < 4; ++i) round(i);
    const DWORD before = GdiObjects();
    ASSERT_GT(before, 0u) << "the GDI objects cannot be counted here";
    // The fonts the page sets are made once: the captions and the note show
    // at most two fonts over all the rounds.
    std::set<HFONT> fonts;
    for (int i = 0; i < 20; ++i) {
        round(i);
        fonts.insert(Control(IDC_VOX_PHONE_CAPTION).GetFontHandle());
        fonts.insert(Control(IDC_ONBOARD_AUDIO_NOTE).GetFontHandle());
    }
    EXPECT_LE(fonts.size(), 2u);
    EXPECT_LE(GdiObjects(), before);
}

}  // namespace
