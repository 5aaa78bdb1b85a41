// The restore page's texts of the older models: the label pairs of each group
// and band, the speed-dial and FM radio sections, the version and date, and
// which pairs each section shows.
#include <gtest/gtest.h>

#include <vector>

#include "device/ProductCatalogue.h"
#include "framework/Time.h"
#include "restore/ArchivedSettings.h"

namespace {

DeviceSettings Record(int productId, int major, int minor)
{
    DeviceSettings s;
    s.ProductId = productId;
    s.Firmware.Major = major;
    s.Firmware.Minor = minor;
    return s;
}

ArchivedLabels Labels(int productId, const DeviceSettings& archived, int section = kSectionBasic, int items = 0,
                      LanguageIndex language = LanguageEnglish)
{
    return BuildArchivedLabels(productId, archived, section, items, language);
}

// The names of the shown pairs, '|' between them.
CString ShownNames(const ArchivedLabels& labels)
{
    CString out;
    for (int n = 0; n < kArchivedPairCount; ++n) {
        if (!((labels.shownPairs >> n) & 1u)) continue;
        if (!out.IsEmpty()) out += L"|";
        out += labels.names[n];
    }
    return out;
}

#define VP L"VOX Phone:"
#define VI L"VOX Intercom:"
#define EDR L"EDR (Enhanced Data Rate):"
#define PLC L"PLC (Packet Loss Concealment):"
#define HQ L"High Quality A2DP:"
#define MB L"Microphone Boosting:"
#define ST L"Sidetone:"
#define CW L"Calmweave\u2122:"
#define AGC L"Auto Gain Control:"
#define S "|"

TEST(ArchivedLabels, BasicPairsOfEachGroupAndBand)
{
    struct Case {
        std::vector<int> products;
        int major, minor;
        const wchar_t* names;
    };
    const Case cases[] = {
        {{0x4D10, 0x4D30, 0x4D40, 0x4D20, 0x5010, 0x5060, 0x5020, 0x5070}, 3, 9, VP S VI S EDR},
        {{0x4D10, 0x4D50, 0x5080, 0x5020}, 4, 0, VP S VI S EDR S PLC},
        {{0x4D10, 0x4D40}, 4, 1, VP S VI S EDR S PLC S HQ S MB},
        {{0x4D20, 0x5050, 0x5070}, 4, 1, VP S VI S EDR S PLC S HQ},
        {{0x4D30}, 4, 9, VP S VI S EDR S HQ S MB},
        {{0x4D20, 0x5040, 0x5020}, 4, 2, VP S VI S EDR S HQ},
        {{0x4D10}, 5, 0, VP S VI S EDR S HQ S ST S MB},
        {{0x4D20, 0x5010, 0x5061}, 5, 1, VP S VI S EDR S HQ S ST},
        {{0x5020, 0x5070}, 5, 1, VP S VI S EDR S HQ},
        {{0x4D75, 0x5011}, 1, 0, VP S VI S EDR S HQ S ST},
        {{0x4040}, 1, 0, ST},
        {{0x2020}, 1, 0, VP S VI S EDR S HQ S ST},
        {{0x2020}, 1, 1, VP S VI S EDR S HQ S ST S CW},
        {{0x6110, 0x6111, 0x6120, 0x6121}, 1, 0, EDR S HQ S ST S CW},
        {{0x4110, 0x4111}, 1, 0, EDR S HQ},
        {{0x4120}, 1, 0, EDR S HQ S ST S CW S AGC},
        {{0x4D05, 0x4D35, 0x4D55, 0x4D15, 0x4D45, 0x4D65}, 1, 1, VP S EDR S PLC},
        {{0x4D05}, 1, 2, VP S EDR S HQ},
        {{0x4D65}, 2, 0, VP S EDR S HQ S ST},
        {{0x4D85}, 0, 1, VP S EDR S HQ S ST},
        {{0x4020, 0x4021, 0x2310, 0x2010, 0x2011, 0x2110, 0x2210, 0x4030, 0x4010}, 1, 0, VP S EDR S HQ},
        {{0x5210}, 1, 0, L"Radio Transmit Gain:" S L"Audio Channel Timeout :"},
        // The list's products, and those the page knows nothing of, have no basic pairs.
        {{0x4210, 0x5520, 0x6010, 0x6020, 0x3020, 0x5345, 0x5310, 0x3010, 0x0000}, 1, 0, L""},
    };
    for (const Case& c : cases) {
        for (int product : c.products) {
            SCOPED_TRACE(CString::Formatted(L"0x%04X at %d.%d", product, c.major, c.minor).ToUtf8());
            const ArchivedLabels labels = Labels(product, Record(product, c.major, c.minor));
            EXPECT_EQ(CString(c.names), ShownNames(labels));
            EXPECT_FALSE(labels.namesLeftAligned);
            // A pair that is not shown holds no text.
            for (int n = 0; n < kArchivedPairCount; ++n) {
                if ((labels.shownPairs >> n) & 1u) continue;
                EXPECT_TRUE(labels.names[n].IsEmpty() && labels.values[n].IsEmpty()) << n;
            }
        }
    }
}

#undef VP
#undef VI
#undef EDR
#undef PLC
#undef HQ
#undef MB
#undef ST
#undef CW
#undef AGC

TEST(ArchivedLabels, PairValues)
{
    struct Case {
        int product, major, minor;
        int DeviceSettings::*field;
        int value;
        int pair;  // 0-based
        const wchar_t* text;
    };
    using D = DeviceSettings;
    const Case cases[] = {
        // EDR reads the other way round below 4.0.
        {0x4D10, 3, 9, &D::EDR, 1, 2, L"Enabled"},
        {0x4D10, 4, 0, &D::EDR, 1, 2, L"Disabled"},
        {0x4D10, 4, 0, &D::EDR, 0, 2, L"Enabled"},
        {0x4D10, 4, 0, &D::PLC, 0, 3, L"Disabled"},
        {0x2020, 1, 1, &D::Calmweave, 1, 5, L"Disabled"},
        {0x2020, 1, 1, &D::Calmweave, 0, 5, L"Enabled"},
        {0x2020, 1, 1, &D::Calmweave, 2, 5, L"Enabled"},
        {0x4120, 1, 0, &D::AutoGainControl, 1, 4, L"Disabled"},
        {0x4120, 1, 0, &D::AutoGainControl, 0, 4, L"Enabled"},
        {0x5210, 1, 0, &D::RadioTransmitGain, 12, 0, L"Low"},
        {0x5210, 1, 0, &D::RadioTransmitGain, 17, 0, L"High"},
        {0x5210, 1, 0, &D::RadioTransmitGain, 15, 0, L"Medium"},
        {0x5210, 1, 0, &D::RadioTransmitGain, 0, 0, L"Medium"},
        {0x5210, 1, 0, &D::AudioChannelTimeout, 5, 1, L"5 seconds"},
    };
    for (const Case& c : cases) {
        DeviceSettings archived = Record(c.product, c.major, c.minor);
        archived.*c.field = c.value;
        EXPECT_EQ(CString(c.text), Labels(c.product, archived).values[c.pair])
            << std::hex << c.product << std::dec << " pair " << c.pair << " value " << c.value;
    }
}

TEST(ArchivedLabels, SpeedDialFillsThreePairs)
{
    DeviceSettings archived = Record(0x4D10, 5, 0);
    archived.SpeedDialNumbers[0] = L"+49 30 1234";
    archived.SpeedDialNumbers[2] = L"112";
    for (int product : {0x4D10, 0x5020, 0x4D75, 0x5520, 0x6020}) {
        const ArchivedLabels labels = Labels(product, archived, kSectionSpeedDial);
        EXPECT_EQ(CString(L"Speed Dial 1:" S L"Speed Dial 2:" S L"Speed Dial 3:"), ShownNames(labels)) << product;
        EXPECT_EQ(CString(L"+49 30 1234"), labels.values[0]);
        EXPECT_EQ(CString(L"Empty"), labels.values[1]);
        EXPECT_EQ(CString(L"112"), labels.values[2]);
    }
    // 0x4040 has no speed-dial texts: nothing shown, nothing left over.
    EXPECT_EQ(0u, Labels(0x4040, archived, kSectionSpeedDial).shownPairs);
}

TEST(ArchivedLabels, FmRadioSection)
{
    DeviceSettings archived = Record(0x4D10, 5, 0);
    archived.FmRegion = 4;
    archived.FmPresets[0] = 8750;
    archived.FmPresets[1] = 10000;
    archived.FmPresets[9] = 10790;
    archived.FmRds = 1;
    const ArchivedLabels labels = Labels(0x4D10, archived, kSectionFmRadio);
    EXPECT_TRUE(labels.namesLeftAligned);
    EXPECT_EQ(kAllArchivedPairs, labels.shownPairs);
    EXPECT_EQ(CString(L"Radio Region:"), labels.dateCaption);
    EXPECT_EQ(CString(L"Europe"), labels.date);
    EXPECT_EQ(CString(L' ', 25) + L" 1:   87.5 MHz", labels.names[0]);
    EXPECT_EQ(CString(L" 2: 100.0 MHz"), labels.values[0]);
    EXPECT_EQ(CString(L" 4: Empty"), labels.values[1]);
    EXPECT_EQ(CString(L' ', 25) + L" 9: Empty", labels.names[4]);
    EXPECT_EQ(CString(L"10: 107.9 MHz"), labels.values[4]);
    EXPECT_EQ(CString(L"RDS AF (Alternative Frequencies):"), labels.names[5]);
    EXPECT_EQ(CString(L"Enabled"), labels.values[5]);

    // A region outside the table shows its number, never another entry.
    archived.FmRegion = 6;
    EXPECT_EQ(CString(L"6"), Labels(0x4D10, archived, kSectionFmRadio).date);
    archived.FmRegion = -1;
    EXPECT_EQ(CString(L"-1"), Labels(0x4D10, archived, kSectionFmRadio).date);

    // Presets 1 to 6 and RDS on the 0x6010 to 0x6018 products; none on 0x6020.
    EXPECT_EQ(0x27u, Labels(0x6016, archived, kSectionFmRadio).shownPairs);
    EXPECT_EQ(0u, Labels(0x6022, archived, kSectionFmRadio).shownPairs);
    EXPECT_EQ(kAllArchivedPairs, Labels(0x5520, archived, kSectionFmRadio).shownPairs);
    // Models without an FM section of their own write nothing there.
    for (int product : {0x4D75, 0x5011, 0x2020, 0x4040, 0x6110}) {
        const ArchivedLabels none = Labels(product, archived, kSectionFmRadio);
        EXPECT_EQ(0u, none.shownPairs) << product;
        EXPECT_FALSE(none.namesLeftAligned);
        EXPECT_EQ(CString(L"Date:"), none.dateCaption);
    }
}

TEST(ArchivedLabels, SomeModelsShowTheSamePairsInEverySection)
{
    for (int product : {0x4010, 0x5210}) {
        const CString basic = ShownNames(Labels(product, Record(product, 1, 0), kSectionBasic));
        for (int section : {0, kSectionSpeedDial, kSectionFmRadio, 9})
            EXPECT_EQ(basic, ShownNames(Labels(product, Record(product, 1, 0), section))) << product << " " << section;
    }
    // Any other group shows nothing for a section it does not know.
    EXPECT_EQ(0u, Labels(0x4D10, Record(0x4D10, 5, 0), 0).shownPairs);
    EXPECT_EQ(0u, Labels(0x4D10, Record(0x4D10, 5, 0), 4).shownPairs);
}

TEST(ArchivedLabels, VersionAndDate)
{
    struct Case {
        int product;
        int items;
        const wchar_t* caption;
        bool centred;
        const wchar_t* version;
    };
    const Case cases[] = {
        {0x4D10, 0, L"Version:", false, L"v2.1"},
        {0x4D10, 1, L"Version: v2.1", true, L"v2.1"},
        {0x3020, 0, L"Version:", false, L"v7.8.2.1"},
        {0x3020, 2, L"Version: v7.8.2.1", true, L"v7.8.2.1"},
        {0x5345, 0, L"Version:", false, L"v2.1.8"},
        {0x5346, 0, L"Version:", false, L"v2.1.8"},
    };
    for (const Case& c : cases) {
        DeviceSettings archived = Record(c.product, 2, 1);
        archived.Firmware.SecondaryType = 7;
        archived.Firmware.SecondaryVersion = 8;
        const ArchivedLabels labels = Labels(c.product, archived, kSectionBasic, c.items);
        EXPECT_EQ(CString(c.caption), labels.versionCaption) << c.product;
        EXPECT_EQ(c.centred, labels.versionCaptionCentred);
        EXPECT_EQ(CString(c.version), labels.version);
        EXPECT_EQ(CString(L"Date:"), labels.dateCaption);
        EXPECT_EQ(CString(L"Backup Firmware Information"), labels.title);
    }

    DeviceSettings archived = Record(0x4D10, 5, 0);
    archived.ArchiveTime = CTime::GetCurrentTime().GetTime();
    for (LanguageIndex language : {LanguageEnglish, LanguageGerman, LanguageJapanese}) {
        const ArchivedLabels labels = Labels(0x4D10, archived, kSectionBasic, 0, language);
        EXPECT_EQ(CTime(archived.ArchiveTime).Format(DateTimeFormat(language)).Trim(), labels.date);
        EXPECT_EQ(TextRestorePageTitle(language), labels.title);
    }
    EXPECT_EQ(CString(L"Backup-Firmware-Infos"), TextRestorePageTitle(LanguageGerman));
    EXPECT_EQ(CString(L"Info. micrologiciel de sauvegarde"), TextRestorePageTitle(LanguageFrench));
    EXPECT_EQ(CString(L"Backup Firmware Information"), TextRestorePageTitle(11));
}

TEST(ArchivedLabels, EveryLanguageHasItsOwnTitle)
{
    std::vector<CString> seen;
    for (int language = 0; language < LanguageCount; ++language) {
        const CString title = TextRestorePageTitle(language);
        EXPECT_FALSE(title.IsEmpty());
        for (const CString& other : seen) EXPECT_NE(other, title) << language;
        seen.push_back(title);
    }
}

}  // namespace
