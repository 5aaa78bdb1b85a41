// What a row shows of the working copy and what a click or a choice stores:
// one case per value source, polarity and combo mapping, then the gates, the
// camera's couplings and the help boxes.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>

#include "app/Texts.h"
#include "device/ProductCatalogue.h"
#include "settingslist/SettingsRows.h"

namespace {

DeviceSettings MainRecord(int productId, int major, int minor)
{
    DeviceSettings record;
    record.ProductId = productId;
    record.Firmware.Major = major;
    record.Firmware.Minor = minor;
    return record;
}

SettingsRows RowsOf(int productId, int major = 9, int minor = 9)
{
    return ResolveSettingsRows(productId, MainRecord(productId, major, minor));
}

using Field = std::function<int&(DeviceSettings&)>;
Field WordOf(int word)
{
    return [word](DeviceSettings& s) -> int& { return s.SettingWords[word]; };
}
Field SwitchOf(int DeviceSettings::*field)
{
    return [field](DeviceSettings& s) -> int& { return s.*field; };
}

// A check box: the state shown for a field value, and the value each half
// stores (from a field that holds `before`).
struct CheckCase {
    const char* what;
    int productId, major, minor, row;
    Field field;
    int value;            // the field before
    bool shownDisable;    // the cell's state for that value
    int afterEnable;      // the field after a store of the Enable half
    int afterDisable;     // ... of the Disable half
};

TEST(SettingsRowStore, CheckBoxes)
{
    const CheckCase cases[] = {
        // Feature switches: VOX Phone holds 1 for on, Voice Prompt and
        // Calmweave hold 1 for off; any non-zero value counts as set.
        {"VOX Phone switch off", 0x5520, 2, 0, 1, SwitchOf(&DeviceSettings::HandsfreeVOX), 0, true, 1, 0},
        {"VOX Phone switch 2", 0x5520, 2, 0, 1, SwitchOf(&DeviceSettings::HandsfreeVOX), 2, false, 1, 0},
        {"Voice Prompt switch 0", 0x5520, 2, 0, 5, SwitchOf(&DeviceSettings::VoicePrompt), 0, false, 0, 1},
        {"Calmweave switch 1", 0x5610, 1, 1, 7, SwitchOf(&DeviceSettings::Calmweave), 1, true, 0, 1},
        // Whole words: audio boost holds 1 for off, the others 1 for on.
        {"Audio Boost word 18", 0x6010, 1, 2, 1, WordOf(18), 0, false, 0, 1},
        {"FM Station Guide word 20 = 5", 0x5530, 1, 4, 6, WordOf(20), 5, false, 1, 0},
        {"HD Voice word 21", 0x5530, 1, 4, 3, WordOf(21), 1, false, 1, 0},
        {"navigation word 24", 0x6020, 1, 0, 0, WordOf(24), 0, true, 1, 0},
        {"Layerly word 23", 0x5410, 1, 0, 3, WordOf(23), 7, false, 1, 0},
        // Bits of word 2 through the record's accessors, all 1 for on: the
        // same labels as above, other fields and polarities.
        {"Voice Prompt bit 10", 0x4210, 1, 5, 9, WordOf(2), 0x0400, false, 0x0400, 0},
        {"Audio Boost bit 7", 0x4310, 1, 0, 3, WordOf(2), 0xFFFF, false, 0xFFFF, 0xFF7F},
        {"Calmweave bit 8", 0x4410, 1, 0, 10, WordOf(2), 0, true, 0x0100, 0},
        {"VOX Phone bit 15 with bit 0", 0x4210, 1, 0, 0, WordOf(2), 0x0001, true, 0x8001, 0x0001},
        // Bits of words 0 and 1, read and written in place.
        {"Guest Mode word 0 bit 15", 0x3110, 1, 0, 9, WordOf(0), 0x1C21, true, 0x9C21, 0x1C21},
        {"Voice Prompt word 0 bit 3", 0x3110, 1, 0, 4, WordOf(0), 0x1C21, false, 0x1C21, 0x1C29},
        {"Audio Boost word 0 bit 10", 0x3110, 1, 0, 0, WordOf(0), 0x1C21, true, 0x1821, 0x1C21},
        {"VOX Phone word 0 bit 0", 0x3110, 1, 0, 1, WordOf(0), 0x1C21, false, 0x1C21, 0x1C20},
        {"Voice Command word 1 bit 10", 0x3110, 1, 0, 14, WordOf(1), 0x0583, false, 0x0583, 0x0183},
        // Camera bits of word 10.
        {"Date Caption bit 5", 0x5510, 2, 2, 16, WordOf(10), 0, true, 0x0020, 0},
        {"Auto Camera Sleep bit 7", 0x5510, 1, 0, 17, WordOf(10), 0x0080, false, 0x0080, 0},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.what);
        const SettingsRows rows = RowsOf(c.productId, c.major, c.minor);
        ASSERT_TRUE(rows.IsCheckBox(c.row));
        DeviceSettings working;
        c.field(working) = c.value;
        EXPECT_EQ(rows.ShownCheck(c.row, working), c.shownDisable);

        DeviceSettings enabled = working;
        EXPECT_TRUE(rows.StoreCheck(c.row, enabled, false));
        EXPECT_EQ(c.field(enabled), c.afterEnable);
        EXPECT_FALSE(rows.ShownCheck(c.row, enabled));

        DeviceSettings disabled = working;
        EXPECT_TRUE(rows.StoreCheck(c.row, disabled, true));
        EXPECT_EQ(c.field(disabled), c.afterDisable);
        EXPECT_TRUE(rows.ShownCheck(c.row, disabled));
    }
}

// A combo: its items, the index shown for a value, and what a choice stores.
struct ComboCase {
    const char* what;
    int productId, major, minor, row;
    Field field;
    int value;
    const wchar_t* items;   // English, one per line
    int shown;              // -1: blank
    int choice;
    int stored;             // the field after the choice
};

TEST(SettingsRowStore, Combos)
{
    const ComboCase cases[] = {
        // 10 minus the value: "Level n" stores 11 - n.
        {"overlay 10 shows Level 1", 0x4210, 1, 5, 1, WordOf(0), 10,
         L"Level 1\nLevel 2\nLevel 3\nLevel 4\nLevel 5\nLevel 6\nLevel 7\nLevel 8\nLevel 9\nLevel 10", 0, 9, 1},
        {"overlay Level 3 stores 8", 0x4310, 1, 0, 1, WordOf(0), 1, nullptr, 9, 2, 8},
        {"overlay 0 is blank", 0x4210, 1, 0, 3, WordOf(0), 0, nullptr, -1, 0, 10},
        {"overlay 11 is blank", 0x4210, 1, 1, 4, WordOf(0), 11, nullptr, -1, 4, 6},
        {"overlay far out of range", 0x4210, 1, 1, 4, WordOf(0), INT_MIN, nullptr, -1, 4, 6},
        // The value minus 1.
        {"VOX sensitivity level 3", 0x5520, 1, 0, 3, WordOf(14), 3,
         L"Level 1\nLevel 2\nLevel 3\nLevel 4\nLevel 5", 2, 0, 1},
        {"VOX sensitivity 0 is blank", 0x6020, 1, 0, 2, WordOf(14), 0, nullptr, -1, 4, 5},
        {"VOX sensitivity above 5 is blank", 0x5412, 1, 0, 7, WordOf(14), 6, nullptr, -1, 2, 3},
        {"VOX sensitivity Medium", 0x5622, 1, 1, 5, WordOf(14), 2, L"Low\nMedium\nHigh", 1, 1, 2},
        {"VOX sensitivity Low/Medium/High 0 is blank", 0x5623, 1, 1, 4, WordOf(14), 0, nullptr, -1, 2, 3},
        {"motion sensor Low", 0x4210, 1, 2, 4, WordOf(3), 2, L"Disable\nLow\nHigh", 1, 2, 3},
        {"motion sensor Disable stores 1", 0x4210, 1, 1, 2, WordOf(3), 3, nullptr, 2, 0, 1},
        {"ESS sensitivity neither bit is Medium", 0x6010, 1, 0, 10, WordOf(2), 0, L"Low\nMedium\nHigh", 1, 1, 0x8},
        {"ESS sensitivity High keeps bits 0-1", 0x6012, 1, 2, 11, WordOf(2), 0x3, nullptr, 1, 2, 0xF},
        {"VOX level 5 in word 1", 0x3110, 1, 0, 10, WordOf(1), 0x0583, nullptr, 2, 4, 0x0585},
        {"overlay level in word 1", 0x3110, 1, 0, 13, WordOf(1), 0x0583, nullptr, 2, 0, 0x0483},
        {"no level bits in word 1 is blank", 0x3110, 1, 0, 10, WordOf(1), 0, nullptr, -1, 0, 1},
        // The value itself.
        {"smart volume word 16", 0x5410, 1, 0, 1, WordOf(16), 0, L"Disable\nLow\nMedium\nHigh", 0, 3, 3},
        {"smart volume word 16 out of range", 0x5622, 1, 0, 1, WordOf(16), 4, nullptr, -1, 0, 0},
        {"smart volume word 2 keeps voice command", 0x4310, 1, 0, 4, WordOf(2), 0x0005, nullptr, 2, 0, 0x0001},
        {"smart volume word 2 bit 3 reads Disable", 0x4210, 1, 5, 4, WordOf(2), 0x000A, nullptr, 0, 1, 0x0002},
        {"smart volume word 1 High", 0x3110, 1, 0, 11, WordOf(1), 0x0020, L"Disable\nLow\nMedium\nHigh", 3, 3,
         0x0018},
        {"ESS status both bits is ESS OFF", 0x6010, 1, 0, 9, WordOf(2), 0xF,
         L"ESS ON\nPosition Light + ESS ON\nFog Light + ESS ON\nESS OFF", 3, 1, 0xD},
        {"audio source priority Music", 0x5416, 1, 0, 4, WordOf(22), 1, L"Intercom\nMusic", 1, 0, 0},
        {"audio source priority 2 is blank", 0x5412, 1, 0, 5, WordOf(22), 2, nullptr, -1, 1, 1},
        {"photo mode", 0x5510, 2, 2, 9, WordOf(10), 0x0001, L"Single Shot\nBurst Shot", 1, 0, 0},
        {"video resolution 720p/60fps", 0x5510, 2, 2, 11, WordOf(10), 0x000C,
         L"1080p/30fps\n720p/60fps\n720p/30fps", 0, 1, 0x0004},
        {"timelapse interval", 0x5510, 1, 9, 10, WordOf(10), 0, L"1 sec\n10 secs", 0, 1, 0x0010},
        {"video tagging interval", 0x5510, 2, 0, 12, WordOf(12), 0x0002, L"1 min\n3 mins\n5 mins", 2, 0, 0},
        {"loop recording interval", 0x5510, 2, 2, 14, WordOf(12), 0, nullptr, 0, 2, 0x0008},
        {"microphone gain", 0x5510, 2, 1, 14, WordOf(12), 0x0010, L"Low\nMedium\nHigh", 1, 2, 0x0020},
    };
    for (const ComboCase& c : cases) {
        SCOPED_TRACE(c.what);
        const SettingsRows rows = RowsOf(c.productId, c.major, c.minor);
        ASSERT_TRUE(rows.IsCombo(c.row));
        if (c.items) {
            EXPECT_EQ(rows.ComboText(c.row, 0), c.items);
        }
        DeviceSettings working;
        c.field(working) = c.value;
        EXPECT_EQ(rows.ShownIndex(c.row, working), c.shown);
        EXPECT_TRUE(rows.StoreChoice(c.row, working, c.choice));
        EXPECT_EQ(c.field(working), c.stored);
        EXPECT_EQ(rows.ShownIndex(c.row, working), c.choice);
    }
}

// The video mode follows the working copy's own firmware: one bit of word 10
// below 2.0, a pair of bits of word 12 from 2.0 on.
TEST(SettingsRowStore, VideoModeByFirmware)
{
    DeviceSettings working = MainRecord(0x5510, 2, 0);
    const SettingsRows rows = RowsOf(0x5510, 2, 2);
    EXPECT_EQ(rows.ComboText(10, 0), L"Video Mode\nTimelapse Mode\nLoop Recording Mode");
    working.SettingWords[12] = 0x00C0;
    EXPECT_EQ(rows.ShownIndex(10, working), 0);
    EXPECT_TRUE(rows.StoreChoice(10, working, 2));
    EXPECT_EQ(working.SettingWords[12], 0x0080);
    EXPECT_TRUE(rows.StoreChoice(10, working, 0));
    EXPECT_EQ(working.SettingWords[12], 0);

    DeviceSettings old = MainRecord(0x5510, 1, 9);
    const SettingsRows oldRows = RowsOf(0x5510, 1, 9);
    EXPECT_EQ(oldRows.ComboText(8, 0), L"Video Mode\nTimelapse Mode");
    EXPECT_TRUE(oldRows.StoreChoice(8, old, 1));
    EXPECT_EQ(old.SettingWords[10], 0x0002);
    EXPECT_EQ(old.SettingWords[12], 0);
}

// Nothing reaches the record from a blank combo, a choice outside the items,
// a check-box row, a combo clicked as a check box, or a row outside the band.
TEST(SettingsRowStore, StoresNothingOutsideItsRows)
{
    const SettingsRows rows = RowsOf(0x4210, 1, 5);
    DeviceSettings working;
    working.SettingWords[0] = 0;
    working.SettingWords[2] = 0x1234;
    const DeviceSettings before = working;
    EXPECT_FALSE(rows.StoreChoice(1, working, -1));
    EXPECT_FALSE(rows.StoreChoice(1, working, 10));
    EXPECT_FALSE(rows.StoreChoice(0, working, 0));
    EXPECT_FALSE(rows.StoreCheck(1, working, true));
    EXPECT_FALSE(rows.StoreCheck(13, working, true));
    EXPECT_FALSE(rows.StoreCheck(-1, working, true));
    EXPECT_FALSE(rows.StoreChoice(13, working, 0));
    EXPECT_EQ(working.SettingWords[0], before.SettingWords[0]);
    EXPECT_EQ(working.SettingWords[2], before.SettingWords[2]);
    EXPECT_EQ(rows.Label(13, 0), L"");
    EXPECT_EQ(rows.ShownIndex(0, working), -1);
}

// Blendcast disables its dependent rows while off; Layerly (0x5412, 0x5414)
// disables its two while on; 0x5410's Layerly and 0x5416's rows have no gate.
TEST(SettingsRowStore, Gates)
{
    struct Case {
        const char* what;
        int productId, major, minor, gate;
        std::vector<int> dependents;
        bool disabledWhileOff;
    };
    const Case cases[] = {
        {"0x4210 band 1", 0x4210, 1, 0, 2, {3}, true},
        {"0x4210 band 2", 0x4210, 1, 1, 3, {4, 5}, true},
        {"0x4210 band 4", 0x4210, 1, 5, 0, {1, 2}, true},
        {"0x4430", 0x4430, 1, 0, 0, {1, 2}, true},
        {"0x5412", 0x5412, 1, 0, 4, {5, 6}, false},
        {"0x5414", 0x5414, 1, 0, 4, {5, 6}, false},
        {"0x5510 2.2", 0x5510, 2, 2, 17, {18, 19, 20, 21}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const SettingsRows rows = RowsOf(c.productId, c.major, c.minor);
        DeviceSettings working;
        working.SettingWords[10] = 0x0100;  // a sound source, so that no coupling runs
        for (int row = 0; row < rows.Count(); ++row) {
            const bool dependent = std::find(c.dependents.begin(), c.dependents.end(), row) != c.dependents.end();
            EXPECT_EQ(rows.GateRow(row), dependent ? c.gate : -1) << "row " << row;
        }
        // Switch the gate on and off through its own check box.
        ASSERT_TRUE(rows.StoreCheck(c.gate, working, false));
        for (int row : c.dependents)
            EXPECT_EQ(rows.IsDisabled(row, working), !c.disabledWhileOff) << "on, row " << row;
        ASSERT_TRUE(rows.StoreCheck(c.gate, working, true));
        for (int row : c.dependents)
            EXPECT_EQ(rows.IsDisabled(row, working), c.disabledWhileOff) << "off, row " << row;
    }
    for (int productId : {0x5410, 0x5416}) {
        const SettingsRows rows = RowsOf(productId);
        DeviceSettings working;
        working.SettingWords[23] = 1;
        for (int row = 0; row < rows.Count(); ++row) {
            EXPECT_EQ(rows.GateRow(row), -1) << std::hex << productId << " row " << row;
            EXPECT_FALSE(rows.IsDisabled(row, working));
        }
    }
}

// Sound recording and its four sources keep each other consistent.
TEST(SettingsRowStore, CameraSoundCoupling)
{
    enum { Music = 1 << 8, Fm = 1 << 9, Intercom = 1 << 10, Phone = 1 << 11, Recording = 1 << 6 };
    struct Case {
        const char* what;
        int row;            // in the band from 2.2: 17 recording, 18 to 21 the sources
        bool disableHalf;
        int before, after;  // setting word 10
    };
    const Case cases[] = {
        {"recording on, no source: music, FM and intercom", 17, false, 0, Recording | Music | Fm | Intercom},
        {"recording on, phone chosen: no change", 17, false, Phone, Recording | Phone},
        {"recording off keeps the sources", 17, true, Recording | Fm, Fm},
        {"last source off ends recording", 19, true, Recording | Fm, 0},
        {"one source of two off", 18, true, Recording | Music | Phone, Recording | Phone},
        {"a source on keeps recording off", 21, false, 0, Phone},
        {"last source off while not recording", 18, true, Music, 0},
    };
    const SettingsRows rows = RowsOf(0x5510, 2, 2);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DeviceSettings working;
        working.SettingWords[10] = c.before | 0x0020;  // the date caption is left alone
        EXPECT_TRUE(rows.StoreCheck(c.row, working, c.disableHalf));
        EXPECT_EQ(working.SettingWords[10], c.after | 0x0020);
        const bool recording = (c.after & Recording) != 0;
        for (int source = 18; source <= 21; ++source)
            EXPECT_EQ(rows.IsDisabled(source, working), !recording);
    }
}

TEST(SettingsRowStore, HelpBoxes)
{
    struct Case {
        int productId, major, minor, row, language;
        HelpTextId id;
        int height;
        std::vector<std::wstring> arguments;
    };
    const std::wstring model4210 = GetModelName(0x4210, 0).str();
    const Case cases[] = {
        {0x4210, 1, 5, 0, 0, HelpTextId::HelpBlendcast, 260, {L"Blendcast\u2122", L"FM Radio"}},
        {0x4210, 1, 5, 0, 2, HelpTextId::HelpBlendcast, 260, {L"Blendcast\u2122", L"FM-Radio"}},
        {0x4210, 1, 5, 1, 0, HelpTextId::HelpOverlaySensitivity10, 240, {L"Blendcast\u2122"}},
        {0x4210, 1, 5, 2, 0, HelpTextId::HelpNavigationAppSupport, 190, {L"Blendcast\u2122", L"Blendcast\u2122"}},
        {0x4210, 1, 5, 5, 0, HelpTextId::HelpMotionSensorSensitivity, 170, {model4210}},
        {0x4310, 1, 0, 2, 0, HelpTextId::HelpLayerlyVolumeManagement, 220, {}},
        {0x4310, 1, 0, 5, 0, HelpTextId::HelpVoxPhone, 150, {}},
        {0x4410, 1, 0, 5, 0, HelpTextId::HelpHdIntercom, 160, {L"HD Intercom"}},
        {0x5520, 1, 3, 2, 0, HelpTextId::HelpVoxIntercom, 230, {L"VOX Intercom", L"VOX Intercom"}},
        {0x5520, 1, 3, 0, 0, HelpTextId::HelpAudioBoost, 150, {L"Audio Boost"}},
        {0x5520, 1, 3, 4, 0, HelpTextId::HelpVoxSensitivityDefault3, 180, {}},
        {0x6020, 1, 0, 2, 0, HelpTextId::HelpVoxSensitivityDefault2, 180, {}},
        {0x5622, 1, 1, 5, 0, HelpTextId::HelpVoxSensitivityLowMedHigh, 180, {}},
        {0x3030, 1, 0, 1, 0, HelpTextId::HelpFmStationGuide, 190, {}},
        {0x3110, 1, 0, 9, 0, HelpTextId::HelpGuestMode, 260, {}},
        {0x3110, 1, 0, 13, 0, HelpTextId::HelpOverlaySensitivity5, 240, {}},
        {0x5410, 1, 0, 3, 0, HelpTextId::HelpLayerlyGps, 280, {}},
        {0x5412, 1, 0, 4, 0, HelpTextId::HelpLayerlyFull, 280, {}},
        {0x5510, 1, 9, 8, 0, HelpTextId::HelpVideoModeTwoModes, 190, {}},
        {0x5510, 2, 0, 9, 0, HelpTextId::HelpVideoModeThreeModes, 250, {}},
        {0x5510, 2, 2, 17, 0, HelpTextId::HelpSpeakerSoundRecording, 190,
         {L"Speaker Sound Recording", L"Speaker Sound Recording"}},
        {0x5510, 2, 2, 18, 0, kNoHelp, 0, {}},  // the sources have no help button
        {0x5510, 2, 2, 21, 0, kNoHelp, 0, {}},
        {0x5510, 2, 2, 22, 0, HelpTextId::HelpAutoCameraSleep, 200, {L"Auto Camera Sleep", L"Auto Camera Sleep"}},
        {0x6010, 1, 2, 0, 0, HelpTextId::HelpSmartNaviSystem, 180, {}},
        {0x6010, 1, 2, 11, 0, HelpTextId::HelpEssSensitivity, 200, {}},
        {0x5610, 1, 1, 7, 0, HelpTextId::HelpCalmweave, 160, {L"Calmweave\u2122"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.productId << std::dec << " row " << c.row);
        const RowHelp help = RowsOf(c.productId, c.major, c.minor).Help(c.row, c.language, c.productId);
        EXPECT_STREQ(HelpTextName(help.id), HelpTextName(c.id));
        EXPECT_EQ(help.height, c.height);
        ASSERT_EQ(help.argumentCount, static_cast<int>(c.arguments.size()));
        for (int i = 0; i < help.argumentCount; ++i)
            EXPECT_EQ(help.arguments[i].str(), c.arguments[static_cast<size_t>(i)]);
        if (help.id != kNoHelp) {
            EXPECT_EQ(help.width, 520);
        }
    }
}

// The label, items and help follow the language; a language outside 0 to 10
// reads English.
TEST(SettingsRowStore, Languages)
{
    const SettingsRows rows = RowsOf(0x5622, 1, 1);
    EXPECT_EQ(rows.ComboText(1, 1), CString(TextLiteral(TextId::TextDisable, 1)) + L"\nFaible\nMoyen\n\u00C9lev\u00E9");
    EXPECT_EQ(rows.ComboText(1, 11), L"Disable\nLow\nMedium\nHigh");
    EXPECT_EQ(rows.ComboText(1, -1), L"Disable\nLow\nMedium\nHigh");
    EXPECT_EQ(rows.Label(0, 42), L"Audio Boost");
}

} // namespace
