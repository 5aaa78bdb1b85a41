// The grid as the page builds it: for every product with rows and every
// firmware band one row per setting, with its label, its value from the
// working copy, its help mark and its gate; an empty grid for the other
// products; the band of the headset's record; a language change.
#include "settings_grid/GridFixture.h"

namespace {

struct Version {
    int major, minor;
};

// The lowest firmware of each band of a family.
std::vector<Version> BandStarts(const RowFamilyInfo& family)
{
    std::vector<Version> starts{{0, 1}};
    for (const RowBand& band : family.bands) {
        if (band.belowMajor >= 0) starts.push_back({band.belowMajor, band.belowMinor});
    }
    return starts;
}

// Settings that differ from row to row and from one record to the other.
DeviceSettings Mixed(int productId, Version version, bool inverted)
{
    DeviceSettings record = RecordOf(productId, version.major, version.minor);
    const int set = inverted ? 0 : 1;
    record.HandsfreeVOX = set;
    record.VoicePrompt = set;
    record.Sidetone = set;
    record.IntercomVOX = 1 - set;
    record.BitpoolRate = 1 - set;
    record.Calmweave = 1 - set;
    for (int i = 0; i < kSettingWordCount; ++i)
        record.SettingWords[i] = inverted ? (~(0x5A53 >> (i % 4)) & 0xFFFF) : (0x5A53 >> (i % 4)) & 0xFFFF;
    record.SettingWords[22] = set;  // the audio source priority: a combo over the whole word
    return record;
}

TEST_F(GridTest, EveryProductAndBandShowsItsRowsFromTheWorkingCopy)
{
    for (const RowFamilyInfo& family : AllRowFamilies()) {
        for (int productId : family.products) {
            for (Version version : BandStarts(family)) {
                for (bool inverted : {false, true}) {
                    SCOPED_TRACE(testing::Message() << std::hex << "0x" << productId << std::dec << " at "
                                                    << version.major << "." << version.minor
                                                    << (inverted ? ", inverted" : ""));
                    const DeviceSettings record = Mixed(productId, version, inverted);
                    const LanguageIndex language = inverted ? LanguageFinnish : LanguageEnglish;
                    OpenRecord(record, language);
                    const SettingsRows rows = ResolveSettingsRows(productId, record);
                    ASSERT_FALSE(rows.IsEmpty());
                    ASSERT_EQ(Grid().GetItemCount(), rows.Count());
                    EXPECT_TRUE(Shown(Grid()));
                    for (int row = 0; row < rows.Count(); ++row) {
                        SCOPED_TRACE(testing::Message() << "row " << row);
                        EXPECT_EQ(Grid().GetItemText(row, 1), rows.Label(row, language));
                        if (rows.IsCheckBox(row)) {
                            ASSERT_NE(CellAt<CCellCheckBox>(row, 2), nullptr);
                            EXPECT_EQ(Value(row), rows.ShownCheck(row, record) ? L"1" : L"0");
                        } else {
                            auto* combo = CellAt<CCellComboBox>(row, 2);
                            ASSERT_NE(combo, nullptr);
                            EXPECT_EQ(combo->GetCurSel(), rows.ShownIndex(row, record));
                            EXPECT_EQ(combo->GetItemCount(), rows.ComboItemCount(row));
                        }
                        EXPECT_EQ(CellAt<CCellPushButton>(row, 0) != nullptr, rows.Kind(row)->help != kNoHelp);
                        EXPECT_EQ(Disabled(row), rows.IsDisabled(row, record));
                    }
                    EXPECT_FALSE(ActionEnabled());
                }
            }
        }
    }
}

TEST_F(GridTest, ProductWithoutRowsLeavesTheGridEmpty)
{
    OpenRecord(RecordOf(0x5910, 1, 2));
    ASSERT_GT(Grid().GetItemCount(), 0);
    for (int productId : {0x4D10, 0x4111, 0x5210, 0x7777}) {
        SCOPED_TRACE(productId);
        OpenRecord(RecordOf(productId, 4, 3));
        EXPECT_EQ(Grid().GetItemCount(), 0);
        EXPECT_EQ(Grid().GetTabOrder().Count(), 0u) << "cells of the rows before are left bound";
        EXPECT_FALSE(Shown(Grid()));
        // A click where the rows were changes nothing.
        const DeviceSettings before = Working();
        ClickAt(CPoint(400, 10));
        EXPECT_TRUE(SameSettings(before, Working()));
    }
}

// A change of the working copy's firmware does not move the grid to another
// band: the band is the headset's.
TEST_F(GridTest, BandFollowsTheHeadsetsRecord)
{
    OpenRecord(RecordOf(0x5510, 1, 9));
    ASSERT_EQ(Grid().GetItemCount(), 18);
    Working().Firmware = {2, 2, 0, 0, 0};
    Page().FillSettingsList();
    EXPECT_EQ(Grid().GetItemCount(), 18);
    EXPECT_EQ(Grid().GetItemText(7, 1), L"Photo Mode");
    EXPECT_EQ(CellAt<CCellComboBox>(8, 2)->GetItemCount(), 2) << "Video Mode without loop recording";
}

// A language change rebuilds the grid in the new language with the values of
// the working copy, edits included.
TEST_F(GridTest, LanguageChangeKeepsTheEditedValues)
{
    DeviceSettings record = RecordOf(0x4210, 1, 5);
    record.SetBasicBlendcast(1);  // the overlay sensitivity is enabled
    OpenRecord(record);
    ClickHalf(6, false);  // VOX Phone: Enable
    Choose(1, 2);         // the overlay sensitivity: Level 3
    ASSERT_TRUE(ActionEnabled());
    main->ApplyLanguage(LanguageGerman, main->applyToFirmwareLanguage);
    Paint();
    EXPECT_EQ(Grid().GetItemText(3, 1), L"Audioverstärkung");
    EXPECT_EQ(Grid().GetItemText(6, 1), L"VOX-Telefon");
    EXPECT_EQ(Value(6), L"0") << "the Enable half";
    EXPECT_EQ(Value(1), L"Stufe 3");
    EXPECT_EQ(CellAt<CCellComboBox>(1, 2)->GetCurSel(), 2);
    EXPECT_TRUE(ActionEnabled());
}

}  // namespace
