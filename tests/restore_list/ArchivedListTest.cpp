// The restore page's list of archived basic settings: the English rows of
// every family in every firmware band, the value texts at their edges, the
// section gate and the language.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <set>
#include <vector>

#include "device/ProductCatalogue.h"
#include "restore/ArchivedSettings.h"

namespace {

struct Version {
    int major, minor;
};

DeviceSettings Record(int productId, Version v)
{
    DeviceSettings s;
    s.ProductId = productId;
    s.Firmware.Major = v.major;
    s.Firmware.Minor = v.minor;
    return s;
}

CString JoinedLabels(const ArchivedList& list)
{
    CString out;
    for (const ArchivedListRow& row : list.rows) {
        if (!out.IsEmpty()) out += L"|";
        out += row.label;
    }
    return out;
}

ArchivedList List(int productId, const DeviceSettings& archived, int section = kSectionBasic,
                  LanguageIndex language = LanguageEnglish, Version connected = {1, 0})
{
    return BuildArchivedList(productId, archived, Record(productId, connected), section, language);
}

#define AB L"Audio Boost"
#define VP L"VOX Phone"
#define VI L"VOX Intercom"
#define HD L"HD Intercom"
#define HV L"HD Voice"
#define VS L"VOX Sensitivity"
#define PR L"Voice Prompt"
#define FG L"FM Station Guide"
#define HQ L"High Quality A2DP"
#define ST L"Sidetone"
#define CW L"Calmweave\u2122"
#define SV L"Smart Volume Control"
#define NV L"Zizuz Adad Udovid"
#define BC L"Blendcast\u2122"
#define OS L"Intercom-Layerly Sensitivity"
#define MS L"Motion Sensor Sensitivity"
#define NA L"Navigation App Support"
#define EW L"Eight-way Intercom"
#define LV L"Layerly Volume Management"
#define VC L"Voice Command"
#define S "|"
#define EIGHT AB S VP S VI S HD S PR S HQ S ST S CW
#define CAMERA_OLD                                                                                    \
    L"Photo Mode" S L"Video Mode" S L"Video Resolution" S L"Timelapse Interval" S L"Date Caption" S \
        L"Speaker Sound Recording" S L"\u25B6 Music" S L"\u25B6 FM Radio" S L"\u25B6 Intercom" S   \
            L"\u25B6 Phone" S L"Auto Camera Sleep"
#define CAMERA_NEW                                                                                    \
    L"Photo Mode" S L"Video Mode" S L"Video Resolution" S L"Timelapse Interval" S                   \
        L"Video Tagging Interval" S L"Loop Recording Interval" S L"Video Microphone Gain" S          \
            L"Date Caption" S L"Speaker Sound Recording" S L"\u25B6 Music" S L"\u25B6 FM Radio" S   \
                L"\u25B6 Intercom" S L"\u25B6 Phone" S L"Auto Camera Sleep"

struct BandCase {
    std::vector<int> products;
    std::vector<Version> versions;  // each of them selects this band
    const wchar_t* labels;          // English, '|' between rows
    Version connected = {1, 0};     // the connected headset's firmware
};

const std::vector<BandCase>& BandCases()
{
    static const std::vector<BandCase> cases = {
        {{0x4210}, {{0, 0}, {1, 0}}, VP S ST S BC S OS},
        {{0x4210}, {{1, 1}}, VP S ST S MS S BC S OS S NA},
        {{0x4210}, {{1, 2}, {1, 4}}, BC S OS S NA S AB S MS S VP S HD S EW S PR S ST S CW},
        {{0x4210}, {{1, 5}, {2, 0}}, BC S OS S NA S AB S SV S MS S VP S HD S EW S PR S FG S ST S CW},
        {{0x4310, 0x4330, 0x4510}, {{0, 0}, {9, 9}}, BC S OS S LV S AB S SV S VP S HD S EW S PR S FG S ST S CW S VC},
        {{0x4410, 0x4430}, {{1, 0}}, BC S OS S LV S AB S SV S HD S EW S PR S FG S ST S CW S VC},
        {{0x5520}, {{1, 0}}, AB S VP S VI S VS S PR S HQ S ST S CW},
        {{0x5520}, {{1, 1}, {1, 2}}, AB S VP S VI S HD S VS S PR S HQ S ST S CW},
        {{0x5520}, {{1, 3}}, AB S VP S VI S HD S VS S PR S FG S HQ S ST S CW},
        {{0x5526, 0x5720}, {{0, 0}, {1, 0}}, AB S VP S VI S HD S VS S PR S FG S HQ S ST S CW},
        {{0x5610, 0x5611, 0x5612, 0x5620, 0x5621}, {{1, 0}}, AB S VP S VI S PR S HQ S ST S CW},
        {{0x5610, 0x5611, 0x5612, 0x5620, 0x5621}, {{1, 1}}, EIGHT},
        {{0x5510}, {{1, 9}}, AB S VP S VI S PR S HQ S ST S CW S CAMERA_OLD},
        {{0x5510}, {{2, 0}, {2, 1}}, EIGHT S CAMERA_NEW},
        {{0x5510}, {{2, 2}}, AB S VP S VI S HD S PR S FG S HQ S ST S CW S CAMERA_NEW},
        {{0x5530}, {{1, 3}}, EIGHT},
        {{0x5530}, {{1, 4}}, AB S VP S VI S HV S HD S PR S FG S HQ S ST S CW},
        {{0x5550}, {{1, 0}}, AB S HD S PR S FG S HQ S CW},
        {{0x3110}, {{1, 0}},
         AB S VP S VI S HD S PR S HQ S ST S CW S FG S L"Guest Mode" S VS S SV S LV S OS S VC},
        {{0x5710}, {{0, 1}, {5, 0}}, EIGHT},
        {{0x5623}, {{1, 0}}, EIGHT},
        {{0x5623}, {{1, 1}}, AB S VP S VI S HD S VS S PR S HQ S ST S CW},
        {{0x5622, 0x5624}, {{1, 0}}, AB S SV S VP S VI S HD S PR S HQ S CW},
        {{0x5622, 0x5624}, {{1, 1}}, AB S SV S VP S VI S HD S VS S PR S HQ S CW},
        {{0x5524}, {{1, 0}}, AB S PR S HQ S CW},
        {{0x5524}, {{1, 1}}, AB S PR S FG S HQ S CW},
        {{0x5522}, {{0, 0}, {1, 0}, {2, 0}}, AB S PR S FG S HQ S CW},
        {{0x3030, 0x3040, 0x3050}, {{1, 0}}, PR S FG S CW},
        {{0x6210}, {{1, 0}}, AB S VP S VI S HD S PR S FG S HQ S CW},
        {{0x5910, 0x5920}, {{1, 0}}, EIGHT},
        {{0x5910, 0x5920}, {{1, 1}}, AB S VP S VI S HD S PR S FG S HQ S ST S CW},
        {{0x5410}, {{1, 0}}, AB S SV S VP S L"Layerly\u2122" S VS S PR S ST S CW},
        {{0x5412, 0x5414}, {{1, 0}},
         AB S SV S VP S VI S L"Layerly\u2122" S L"Audio Source Priority" S HD S VS S PR S FG S ST S CW},
        {{0x5416}, {{1, 0}}, AB S SV S VP S VI S L"Audio Source Priority" S HD S VS S PR S FG S ST S CW},
        // These three band on the connected headset: an archive of 1.3 beside a headset at 1.1.
        {{0x6010, 0x6012}, {{1, 3}}, AB S VP S VI S HD S VS S PR S HQ S ST S CW S L"ESS STATUS" S L"ESS Sensitivity",
         {1, 1}},
        {{0x6010, 0x6012}, {{1, 0}},
         NV S AB S VP S VI S HD S VS S PR S HQ S ST S CW S L"ESS STATUS" S L"ESS Sensitivity", {1, 2}},
        {{0x6014, 0x6016}, {{1, 3}}, AB S VP S VI S HD S VS S PR S HQ S ST S CW, {1, 1}},
        {{0x6014, 0x6016}, {{1, 0}}, NV S AB S VP S VI S HD S VS S PR S HQ S ST S CW, {1, 2}},
        {{0x6018}, {{1, 3}}, AB S VP S VI S HD S VS S PR S HQ S ST S CW, {1, 0}},
        {{0x6018}, {{1, 0}}, NV S AB S VP S VI S HD S VS S PR S HQ S ST S CW, {1, 1}},
        {{0x6020, 0x6022, 0x6024}, {{1, 0}}, NV S VP S VS S PR S ST S CW},
    };
    return cases;
}

TEST(ArchivedList, EveryFamilyShowsItsRowsInOrderForEachBand)
{
    for (const BandCase& c : BandCases()) {
        for (int product : c.products) {
            for (Version v : c.versions) {
                SCOPED_TRACE(CString::Formatted(L"0x%04X at %d.%d", product, v.major, v.minor).ToUtf8());
                const ArchivedList list = List(product, Record(product, v), kSectionBasic, LanguageEnglish, c.connected);
                EXPECT_FALSE(list.hidden);
                EXPECT_EQ(CString(c.labels), JoinedLabels(list));
            }
        }
    }
}

TEST(ArchivedList, EveryProductWithAListIsCoveredAndNoOtherHasOne)
{
    std::set<int> covered;
    for (const BandCase& c : BandCases()) covered.insert(c.products.begin(), c.products.end());
    std::set<int> listed;
    for (const ArchivedFamily& family : AllArchivedFamilies()) {
        for (uint16_t id : family.products) EXPECT_TRUE(listed.insert(id).second) << "twice: " << id;
        // Bands ascend and the last has no upper end.
        ASSERT_FALSE(family.bands.empty());
        EXPECT_LT(family.bands.back().belowMajor, 0);
        for (size_t i = 0; i + 1 < family.bands.size(); ++i) {
            EXPECT_GE(family.bands[i].belowMajor, 0);
            if (i > 0) {
                EXPECT_LT(CompareVersion(family.bands[i - 1].belowMajor, family.bands[i - 1].belowMinor,
                                         family.bands[i].belowMajor, family.bands[i].belowMinor), 0);
            }
        }
    }
    EXPECT_EQ(covered, listed);
    // The older models show their basic settings as label pairs, and unknown ids nothing.
    for (int product : {0x2010, 0x2020, 0x4010, 0x4111, 0x4D10, 0x4D85, 0x5011, 0x5060, 0x5210, 0x6121, 0x3020,
                        0x5345, 0x0000, 0x7777}) {
        const ArchivedList list = List(product, Record(product, {9, 9}));
        EXPECT_TRUE(list.rows.empty()) << product;
        EXPECT_FALSE(list.hidden) << product;
    }
}

TEST(ArchivedList, OtherSectionsHideTheListAndAddNoRow)
{
    for (const ArchivedFamily& family : AllArchivedFamilies()) {
        for (int section : {0, kSectionSpeedDial, kSectionFmRadio, 7}) {
            const ArchivedList list = List(family.products[0], Record(family.products[0], {1, 5}), section);
            EXPECT_TRUE(list.hidden) << family.products[0] << " section " << section;
            EXPECT_TRUE(list.rows.empty());
        }
    }
}

// A value of one row: the product and version, what the archive holds, the
// row and its English text.
struct ValueCase {
    int product;
    Version version;
    std::function<void(DeviceSettings&)> archive;
    int row;
    const wchar_t* text;
};

TEST(ArchivedList, ValuesReadAsTheirRenderingSays)
{
    auto word = [](int n, int value) { return [=](DeviceSettings& s) { s.SettingWords[n] = value; }; };
    auto field = [](int DeviceSettings::*f, int value) { return [=](DeviceSettings& s) { s.*f = value; }; };
    const ValueCase cases[] = {
        // Intercom-Layerly Sensitivity shows eleven minus word 0.
        {0x4210, {1, 0}, word(0, 1), 3, L"10"},
        {0x4210, {1, 0}, word(0, 10), 3, L"1"},
        {0x4210, {1, 0}, word(0, 0), 3, L"11"},
        // Motion sensor sensitivity from word 3; "Medium" is never shown.
        {0x4210, {1, 1}, word(3, 1), 2, L"Disable"},
        {0x4210, {1, 1}, word(3, 2), 2, L"Low"},
        {0x4210, {1, 1}, word(3, 3), 2, L"High"},
        {0x4210, {1, 1}, word(3, 0), 2, L"High"},
        // Smart volume from word 2 bits 1 to 4: bit 3 or 4 switches it off.
        {0x4310, {1, 0}, word(2, 0x02), 4, L"Low"},
        {0x4310, {1, 0}, word(2, 0x06), 4, L"High"},
        {0x4310, {1, 0}, word(2, 0x0E), 4, L"Disabled"},
        {0x4310, {1, 0}, word(2, 0x12), 4, L"Disabled"},
        {0x4310, {1, 0}, word(2, 0x80), 3, L"Enabled"},
        {0x4310, {1, 0}, word(2, 0), 3, L"Disabled"},
        // Fields that hold 1 for off, and those that hold 0 for off.
        {0x5520, {1, 3}, word(18, 1), 0, L"Disabled"},
        {0x5520, {1, 3}, word(18, 0), 0, L"Enabled"},
        {0x5520, {1, 3}, word(18, 2), 0, L"Enabled"},
        {0x5520, {1, 3}, field(&DeviceSettings::VoicePrompt, 1), 5, L"Disabled"},
        {0x5520, {1, 3}, field(&DeviceSettings::VoicePrompt, 2), 5, L"Enabled"},
        {0x5520, {1, 3}, field(&DeviceSettings::Calmweave, 0), 9, L"Enabled"},
        {0x5520, {1, 3}, field(&DeviceSettings::HandsfreeVOX, 0), 1, L"Disabled"},
        {0x5520, {1, 3}, field(&DeviceSettings::HandsfreeVOX, 2), 1, L"Enabled"},
        {0x5520, {1, 3}, word(19, 0), 3, L"Disabled"},
        {0x5520, {1, 3}, word(20, 5), 6, L"Enabled"},
        // VOX sensitivity as a level; outside 1 to 10 the plain number.
        {0x5520, {1, 3}, word(14, 1), 4, L"Level 1"},
        {0x5520, {1, 3}, word(14, 10), 4, L"Level 10"},
        {0x5520, {1, 3}, word(14, 0), 4, L"0"},
        {0x5520, {1, 3}, word(14, 11), 4, L"11"},
        {0x5520, {1, 3}, word(14, -3), 4, L"-3"},
        // The same word as three levels on 0x5622 to 0x5624; outside 1 to 3 the number.
        {0x5623, {1, 1}, word(14, 3), 4, L"High"},
        {0x5622, {1, 1}, word(14, 1), 5, L"Low"},
        {0x5624, {1, 1}, word(14, 0), 5, L"0"},
        {0x5624, {1, 1}, word(14, 4), 5, L"4"},
        // Smart volume from word 16.
        {0x5410, {1, 0}, word(16, 0), 1, L"Disabled"},
        {0x5410, {1, 0}, word(16, 2), 1, L"Medium"},
        {0x5410, {1, 0}, word(16, 3), 1, L"High"},
        {0x5410, {1, 0}, word(16, 7), 1, L"High"},
        // Audio source priority.
        {0x5412, {1, 0}, word(22, 0), 5, L"Intercom"},
        {0x5412, {1, 0}, word(22, 1), 5, L"Music"},
        {0x5412, {1, 0}, word(22, 7), 5, L"Music"},
        // The ESS lights from word 2.
        {0x6010, {1, 0}, word(2, 0x3), 9, L"ESS OFF"},
        {0x6010, {1, 0}, word(2, 0x0), 9, L"ESS ON"},
        {0x6010, {1, 0}, word(2, 0x1), 9, L"Position Light + ESS ON"},
        {0x6010, {1, 0}, word(2, 0x2), 9, L"Fog Light + ESS ON"},
        {0x6010, {1, 0}, word(2, 0x0), 10, L"Medium"},
        {0x6010, {1, 0}, word(2, 0x4), 10, L"Low"},
        {0x6010, {1, 0}, word(2, 0xC), 10, L"High"},
        // The camera: word 12 is not archived, so the rows that read it show their first texts.
        {0x5510, {2, 2}, word(12, 0), 10, L"Video Mode"},
        {0x5510, {2, 2}, word(12, 0), 13, L"1 min"},
        {0x5510, {2, 2}, word(12, 0), 15, L"Low"},
        {0x5510, {2, 2}, word(12, 0x80), 10, L"Loop Recording Mode"},
        {0x5510, {2, 2}, word(12, 0x08), 14, L"5 mins"},
        {0x5510, {2, 2}, word(12, 0x20), 15, L"High"},
        // Below 2.0 the video mode is one bit of word 10: never the loop mode.
        {0x5510, {1, 9}, word(10, 0x2), 8, L"Timelapse Mode"},
        {0x5510, {1, 9}, word(10, 0xFFFF), 8, L"Timelapse Mode"},
        {0x5510, {1, 9}, word(10, 0x1), 7, L"Burst Shot"},
        {0x5510, {1, 9}, word(10, 0x8), 9, L"720p/30fps"},
        {0x5510, {1, 9}, word(10, 0xC), 9, L"1080p/30fps"},
        {0x5510, {1, 9}, word(10, 0x10), 10, L"10 secs"},
        // Sound recording off leaves the four sources with their own values.
        {0x5510, {1, 9}, word(10, 0x100), 12, L"Disabled"},
        {0x5510, {1, 9}, word(10, 0x100), 13, L"Enabled"},
    };
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(CString::Formatted(L"0x%04X row %d", c.product, c.row).ToUtf8());
        DeviceSettings archived = Record(c.product, c.version);
        c.archive(archived);
        const ArchivedList list = List(c.product, archived);
        ASSERT_LT(c.row, static_cast<int>(list.rows.size()));
        EXPECT_EQ(CString(c.text), list.rows[static_cast<size_t>(c.row)].value);
    }
}

TEST(ArchivedList, TheBitSetProductReadsWordsZeroAndOne)
{
    DeviceSettings archived = Record(0x3110, {1, 0});
    archived.SettingWords[0] = 7201;
    archived.SettingWords[1] = 1411;
    const wchar_t* expected[] = {L"Disabled", L"Enabled", L"Disabled", L"Enabled", L"Enabled",
                                 L"Enabled",  L"Disabled", L"Enabled", L"Enabled", L"Disabled",
                                 L"Level 3",  L"Disabled", L"Disabled", L"3",      L"Enabled"};
    const ArchivedList list = List(0x3110, archived);
    ASSERT_EQ(std::size(expected), list.rows.size());
    for (size_t i = 0; i < list.rows.size(); ++i) EXPECT_EQ(CString(expected[i]), list.rows[i].value) << i;
    // No level bit set: the plain number.
    archived.SettingWords[1] = 0;
    EXPECT_EQ(CString(L"0"), List(0x3110, archived).rows[10].value);
}

TEST(ArchivedList, TheListFollowsTheLanguage)
{
    DeviceSettings archived = Record(0x5520, {1, 3});
    archived.SettingWords[14] = 4;
    archived.SettingWords[18] = 1;
    const ArchivedList german = List(0x5520, archived, kSectionBasic, LanguageGerman);
    const ArchivedList english = List(0x5520, archived, kSectionBasic, LanguageEnglish);
    ASSERT_EQ(english.rows.size(), german.rows.size());
    EXPECT_EQ(CString(GetLabelText(VoxSensitivityLabels, LanguageGerman)), german.rows[4].label);
    EXPECT_EQ(CString(GetLabelText(LevelLabels, LanguageGerman, 3)), german.rows[4].value);
    EXPECT_EQ(TextDisabled(LanguageGerman), german.rows[0].value);
    EXPECT_NE(english.rows[0].value, german.rows[0].value);
}

TEST(ArchivedValues, EdgesOfEveryRendering)
{
    using V = ArchivedValueRendering;
    struct Case {
        V rendering;
        int value;
        const wchar_t* text;
    };
    const Case cases[] = {
        {V::OnWhenSet, 0, L"Disabled"},      {V::OnWhenSet, -1, L"Enabled"},
        {V::OffWhenSet, 0, L"Enabled"},      {V::OffWhenSet, 1, L"Disabled"},
        {V::OffWhenOne, -1, L"Enabled"},     {V::ElevenMinus, 12, L"-1"},
        {V::TransmitGainText, 12, L"Low"},   {V::TransmitGainText, 17, L"High"},
        {V::TransmitGainText, 15, L"Medium"}, {V::TransmitGainText, 0, L"Medium"},
        {V::SecondsText, 5, L"5 seconds"},   {V::PlainNumber, -7, L"-7"},
        {V::MicrophoneGainText, 2, L"High"}, {V::MicrophoneGainText, -1, L"High"},
        {V::VideoResolutionText, 1, L"720p/60fps"}, {V::IntervalMinutesText, 1, L"3 mins"},
        {V::TimelapseIntervalText, 0, L"1 sec"}, {V::PhotoModeText, 0, L"Single Shot"},
        {V::EssStatusText, 4, L"4"},         {V::EssSensitivityText, 0, L"0"},
        {V::LevelLabelText, INT_MIN, L"-2147483648"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CString(c.text), RenderArchivedValue(c.rendering, c.value, LanguageEnglish))
            << static_cast<int>(c.rendering) << " " << c.value;
    }
    // A language outside 0 to 10 reads English.
    EXPECT_EQ(CString(L"Enabled"), RenderArchivedValue(V::OnWhenSet, 1, 11));
    EXPECT_EQ(CString(L"Low"), RenderArchivedValue(V::SmartVolumeText, 1, -1));
}

}  // namespace
