// The rows of every product with a settings grid in every firmware band: the
// English labels in order, which rows are combos, and which rows their gates
// disable while every setting is off and while every setting is on.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "settingslist/SettingsRows.h"

namespace {

struct Version {
    int major, minor;
};

struct BandCase {
    std::vector<int> products;
    std::vector<Version> versions;    // each selects this band
    const wchar_t* labels;            // English, '|' between rows
    std::vector<int> combos;
    std::vector<int> disabledWhenOff;
    std::vector<int> disabledWhenOn;
};

// The short labels of the shared lists.
#define AB L"Audio Boost"
#define VP L"VOX Phone"
#define VI L"VOX Intercom"
#define HD L"HD Intercom"
#define VS L"VOX Sensitivity"
#define PR L"Voice Prompt"
#define FG L"FM Station Guide"
#define HQ L"High Quality A2DP"
#define ST L"Sidetone"
#define CW L"Calmweave\u2122"
#define SV L"Smart Volume Control"
#define NV L"Zizuz Adad Udovid"
#define S "|"

const std::vector<BandCase>& Cases()
{
    static const std::vector<BandCase> cases = {
        // 0x4210, four bands; Blendcast gates the overlay sensitivity and,
        // from band 2 on, navigation app support.
        {{0x4210}, {{0, 9}, {1, 0}},
         VP S ST S L"Blendcast\u2122" S L"Intercom-Layerly Sensitivity", {3}, {3}, {}},
        {{0x4210}, {{1, 1}},
         VP S ST S L"Motion Sensor Sensitivity" S L"Blendcast\u2122" S L"Intercom-Layerly Sensitivity" S
         L"Navigation App Support", {2, 4}, {4, 5}, {}},
        {{0x4210}, {{1, 2}, {1, 4}},
         L"Blendcast\u2122" S L"Intercom-Layerly Sensitivity" S L"Navigation App Support" S AB S
         L"Motion Sensor Sensitivity" S VP S HD S L"Eight-way Intercom" S PR S ST S CW, {1, 4}, {1, 2}, {}},
        {{0x4210}, {{1, 5}, {3, 0}},
         L"Blendcast\u2122" S L"Intercom-Layerly Sensitivity" S L"Navigation App Support" S AB S SV S
         L"Motion Sensor Sensitivity" S VP S HD S L"Eight-way Intercom" S PR S FG S ST S CW, {1, 4, 5}, {1, 2}, {}},
        // 0x4310 family: one list, 0x4410 and 0x4430 without VOX Phone.
        {{0x4310, 0x4330, 0x4510}, {{0, 0}, {1, 0}, {9, 9}},
         L"Blendcast\u2122" S L"Intercom-Layerly Sensitivity" S L"Layerly Volume Management" S AB S SV S VP S HD S
         L"Eight-way Intercom" S PR S FG S ST S CW S L"Voice Command", {1, 4}, {1, 2}, {}},
        {{0x4410, 0x4430}, {{0, 0}, {1, 0}, {9, 9}},
         L"Blendcast\u2122" S L"Intercom-Layerly Sensitivity" S L"Layerly Volume Management" S AB S SV S HD S
         L"Eight-way Intercom" S PR S FG S ST S CW S L"Voice Command", {1, 4}, {1, 2}, {}},
        // 0x5520 three bands; 0x5526 and 0x5720 the full list always.
        {{0x5520}, {{1, 0}},
         AB S VP S VI S VS S PR S HQ S ST S CW, {3}, {}, {}},
        {{0x5520}, {{1, 1}, {1, 2}},
         AB S VP S VI S HD S VS S PR S HQ S ST S CW, {4}, {}, {}},
        {{0x5520}, {{1, 3}, {2, 0}},
         AB S VP S VI S HD S VS S PR S FG S HQ S ST S CW, {4}, {}, {}},
        {{0x5526, 0x5720}, {{0, 0}, {1, 0}, {9, 9}},
         AB S VP S VI S HD S VS S PR S FG S HQ S ST S CW, {4}, {}, {}},
        // 0x5610 group, 0x5530, 0x5550: check boxes only.
        {{0x5610, 0x5611, 0x5612, 0x5620, 0x5621}, {{1, 0}},
         AB S VP S VI S PR S HQ S ST S CW, {}, {}, {}},
        {{0x5610, 0x5611, 0x5612, 0x5620, 0x5621}, {{1, 1}, {2, 0}},
         AB S VP S VI S HD S PR S HQ S ST S CW, {}, {}, {}},
        {{0x5530}, {{1, 3}},
         AB S VP S VI S HD S PR S HQ S ST S CW, {}, {}, {}},
        {{0x5530}, {{1, 4}, {2, 0}},
         AB S VP S VI S L"HD Voice" S HD S PR S FG S HQ S ST S CW, {}, {}, {}},
        {{0x5550}, {{0, 0}, {1, 0}, {9, 9}},
         AB S HD S PR S FG S HQ S CW, {}, {}, {}},
        // 0x5510 with its camera; sound recording gates its four sources.
        {{0x5510}, {{1, 9}},
         AB S VP S VI S PR S HQ S ST S CW S L"Photo Mode" S L"Video Mode" S L"Video Resolution" S
         L"Timelapse Interval" S L"Date Caption" S L"Speaker Sound Recording" S L"\u25B6 Music" S
         L"\u25B6 FM Radio" S L"\u25B6 Intercom" S L"\u25B6 Phone" S L"Auto Camera Sleep",
         {7, 8, 9, 10}, {13, 14, 15, 16}, {}},
        {{0x5510}, {{2, 0}, {2, 1}},
         AB S VP S VI S HD S PR S HQ S ST S CW S L"Photo Mode" S L"Video Mode" S L"Video Resolution" S
         L"Timelapse Interval" S L"Video Tagging Interval" S L"Loop Recording Interval" S L"Video Microphone Gain" S
         L"Date Caption" S L"Speaker Sound Recording" S L"\u25B6 Music" S L"\u25B6 FM Radio" S
         L"\u25B6 Intercom" S L"\u25B6 Phone" S L"Auto Camera Sleep",
         {8, 9, 10, 11, 12, 13, 14}, {17, 18, 19, 20}, {}},
        {{0x5510}, {{2, 2}, {3, 0}},
         AB S VP S VI S HD S PR S FG S HQ S ST S CW S L"Photo Mode" S L"Video Mode" S L"Video Resolution" S
         L"Timelapse Interval" S L"Video Tagging Interval" S L"Loop Recording Interval" S L"Video Microphone Gain" S
         L"Date Caption" S L"Speaker Sound Recording" S L"\u25B6 Music" S L"\u25B6 FM Radio" S
         L"\u25B6 Intercom" S L"\u25B6 Phone" S L"Auto Camera Sleep",
         {9, 10, 11, 12, 13, 14, 15}, {18, 19, 20, 21}, {}},
        // 0x3110, settings in words 0 and 1.
        {{0x3110}, {{0, 0}, {1, 0}, {9, 9}},
         AB S VP S VI S HD S PR S HQ S ST S CW S FG S L"Guest Mode" S VS S SV S L"Layerly Volume Management" S
         L"Intercom-Layerly Sensitivity" S L"Voice Command", {10, 11, 13}, {}, {}},
        // 0x5710, 0x5622 to 0x5624, 0x5522, 0x5524.
        {{0x5710}, {{0, 0}, {1, 0}, {9, 9}},
         AB S VP S VI S HD S PR S HQ S ST S CW, {}, {}, {}},
        {{0x5623}, {{1, 0}},
         AB S VP S VI S HD S PR S HQ S ST S CW, {}, {}, {}},
        {{0x5623}, {{1, 1}, {2, 0}},
         AB S VP S VI S HD S VS S PR S HQ S ST S CW, {4}, {}, {}},
        {{0x5622, 0x5624}, {{1, 0}},
         AB S SV S VP S VI S HD S PR S HQ S CW, {1}, {}, {}},
        {{0x5622, 0x5624}, {{1, 1}, {2, 0}},
         AB S SV S VP S VI S HD S VS S PR S HQ S CW, {1, 5}, {}, {}},
        {{0x5524}, {{1, 0}},
         AB S PR S HQ S CW, {}, {}, {}},
        {{0x5524}, {{1, 1}, {2, 0}},
         AB S PR S FG S HQ S CW, {}, {}, {}},
        {{0x5522}, {{0, 0}, {1, 0}, {9, 9}},
         AB S PR S FG S HQ S CW, {}, {}, {}},
        // 0x3030 to 0x3050, 0x6210, 0x5910, 0x5920.
        {{0x3030, 0x3040, 0x3050}, {{0, 0}, {1, 0}, {9, 9}},
         PR S FG S CW, {}, {}, {}},
        {{0x6210}, {{0, 0}, {1, 0}, {9, 9}},
         AB S VP S VI S HD S PR S FG S HQ S CW, {}, {}, {}},
        {{0x5910, 0x5920}, {{1, 0}},
         AB S VP S VI S HD S PR S HQ S ST S CW, {}, {}, {}},
        {{0x5910, 0x5920}, {{1, 1}, {2, 0}},
         AB S VP S VI S HD S PR S FG S HQ S ST S CW, {}, {}, {}},
        // 0x5410 to 0x5416; Layerly disables two rows while it is on.
        {{0x5410}, {{0, 0}, {1, 0}, {9, 9}},
         AB S SV S VP S L"Layerly\u2122" S VS S PR S ST S CW, {1, 4}, {}, {}},
        {{0x5412, 0x5414}, {{0, 0}, {1, 0}, {9, 9}},
         AB S SV S VP S VI S L"Layerly\u2122" S L"Audio Source Priority" S HD S VS S PR S FG S ST S CW,
         {1, 5, 7}, {}, {5, 6}},
        {{0x5416}, {{0, 0}, {1, 0}, {9, 9}},
         AB S SV S VP S VI S L"Audio Source Priority" S HD S VS S PR S FG S ST S CW, {1, 4, 6}, {}, {}},
        // 0x6010 to 0x6024.
        {{0x6010, 0x6012}, {{1, 1}},
         AB S VP S VI S HD S VS S PR S HQ S ST S CW S L"ESS STATUS" S L"ESS Sensitivity", {4, 9, 10}, {}, {}},
        {{0x6010, 0x6012}, {{1, 2}, {2, 0}},
         NV S AB S VP S VI S HD S VS S PR S HQ S ST S CW S L"ESS STATUS" S L"ESS Sensitivity", {5, 10, 11}, {}, {}},
        {{0x6014, 0x6016}, {{1, 1}},
         AB S VP S VI S HD S VS S PR S HQ S ST S CW, {4}, {}, {}},
        {{0x6014, 0x6016}, {{1, 2}, {2, 0}},
         NV S AB S VP S VI S HD S VS S PR S HQ S ST S CW, {5}, {}, {}},
        {{0x6018}, {{1, 0}},
         AB S VP S VI S HD S VS S PR S HQ S ST S CW, {4}, {}, {}},
        {{0x6018}, {{1, 1}, {2, 0}},
         NV S AB S VP S VI S HD S VS S PR S HQ S ST S CW, {5}, {}, {}},
        {{0x6020, 0x6022, 0x6024}, {{0, 0}, {1, 0}, {9, 9}},
         NV S VP S VS S PR S ST S CW, {2}, {}, {}},
    };
    return cases;
}

// The 42 products whose basic settings page is the grid.
const std::set<int> kGridProducts = {
    0x3030, 0x3040, 0x3050, 0x3110, 0x4210, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510, 0x5410, 0x5412, 0x5414, 0x5416,
    0x5510, 0x5520, 0x5522, 0x5524, 0x5526, 0x5530, 0x5550, 0x5610, 0x5611, 0x5612, 0x5620, 0x5621, 0x5622, 0x5623,
    0x5624, 0x5710, 0x5720, 0x5910, 0x5920, 0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6020, 0x6022, 0x6024, 0x6210,
};

DeviceSettings Record(int productId, Version version, bool everythingOn)
{
    DeviceSettings record;
    record.ProductId = productId;
    record.Firmware.Major = version.major;
    record.Firmware.Minor = version.minor;
    if (everythingOn) {
        for (int* field : {&record.HandsfreeVOX, &record.IntercomVOX, &record.VoicePrompt, &record.BitpoolRate,
                           &record.Sidetone, &record.Calmweave})
            *field = 1;
        for (int& word : record.SettingWords)
            word = 0xFFFF;
    }
    return record;
}

std::wstring Labels(const SettingsRows& rows)
{
    std::wstring text;
    for (int row = 0; row < rows.Count(); ++row) {
        if (row)
            text += L'|';
        text += rows.Label(row, 0).str();
    }
    return text;
}

std::vector<int> RowsWhere(const SettingsRows& rows, auto predicate)
{
    std::vector<int> found;
    for (int row = 0; row < rows.Count(); ++row) {
        if (predicate(row))
            found.push_back(row);
    }
    return found;
}

std::string Name(int productId, Version version)
{
    char text[32];
    std::snprintf(text, sizeof text, "0x%04X at %d.%d", productId, version.major, version.minor);
    return text;
}

TEST(SettingsRowTable, EveryProductAndBand)
{
    for (const BandCase& band : Cases()) {
        for (int productId : band.products) {
            for (Version version : band.versions) {
                SCOPED_TRACE(Name(productId, version));
                const DeviceSettings off = Record(productId, version, false);
                const DeviceSettings on = Record(productId, version, true);
                const SettingsRows rows = ResolveSettingsRows(productId, off);
                EXPECT_EQ(Labels(rows), band.labels);
                EXPECT_EQ(RowsWhere(rows, [&](int row) { return rows.IsCombo(row); }), band.combos);
                EXPECT_EQ(RowsWhere(rows, [&](int row) { return rows.IsDisabled(row, off); }), band.disabledWhenOff);
                EXPECT_EQ(RowsWhere(rows, [&](int row) { return rows.IsDisabled(row, on); }), band.disabledWhenOn);
            }
        }
    }
}

TEST(SettingsRowTable, CoversExactlyTheGridProducts)
{
    std::set<int> tested;
    for (const BandCase& band : Cases())
        tested.insert(band.products.begin(), band.products.end());
    EXPECT_EQ(tested, kGridProducts);

    for (int productId = 0; productId <= 0xFFFF; ++productId)
        EXPECT_EQ(HasSettingsRows(productId), kGridProducts.count(productId) == 1) << std::hex << productId;
}

// Every band of every family is reached by some case above.
TEST(SettingsRowTable, EveryBandTested)
{
    for (const RowFamilyInfo& family : AllRowFamilies()) {
        for (const RowBand& band : family.bands) {
            bool reached = false;
            for (const BandCase& c : Cases()) {
                for (Version version : c.versions) {
                    const int productId = c.products.front();
                    if (ResolveSettingsRows(productId, Record(productId, version, false)).Count() ==
                            static_cast<int>(band.rows.size()) &&
                        std::find(family.products.begin(), family.products.end(), productId) != family.products.end())
                        reached = true;
                }
            }
            EXPECT_TRUE(reached) << "family of 0x" << std::hex << family.products.front() << " band below "
                                 << band.belowMajor << "." << band.belowMinor;
        }
    }
}

TEST(SettingsRowTable, ProductsWithoutRows)
{
    for (int productId : {0x4D10, 0x5210, 0x4111, 0x2010, 0x6110, 0x0000, 0xFFFF, 0x5510 | 0x8000}) {
        const SettingsRows rows = ResolveSettingsRows(productId, Record(productId, {9, 9}, false));
        EXPECT_TRUE(rows.IsEmpty()) << std::hex << productId;
        EXPECT_EQ(rows.Kind(0), nullptr);
        DeviceSettings working;
        EXPECT_FALSE(rows.StoreCheck(0, working, true));
        EXPECT_FALSE(rows.StoreChoice(0, working, 0));
        EXPECT_EQ(rows.Help(0, 0, productId).id, kNoHelp);
    }
}

// The labels, combo items and help arguments exist in every language.
TEST(SettingsRowTable, TextsInEveryLanguage)
{
    for (int kind = 0; kind < kRowKindCount; ++kind) {
        const RowKindId id = static_cast<RowKindId>(kind);
        const SettingsRows one(std::span<const RowKindId>(&id, 1));
        for (int language = 0; language < 11; ++language) {
            SCOPED_TRACE(testing::Message() << "kind " << kind << ", language " << language);
            EXPECT_FALSE(one.Label(0, language).IsEmpty());
            if (one.IsCombo(0)) {
                const CString text = one.ComboText(0, language);
                int lines = 1;
                for (int i = 0; i < text.GetLength(); ++i)
                    lines += text[i] == L'\n';
                EXPECT_EQ(lines, one.ComboItemCount(0));
                EXPECT_EQ(text.Find(L"\n\n"), -1);
                EXPECT_NE(text[0], L'\n');
            }
            const RowHelp help = one.Help(0, language, 0x4210);
            for (int i = 0; i < help.argumentCount; ++i)
                EXPECT_FALSE(help.arguments[i].IsEmpty());
        }
    }
}

} // namespace
