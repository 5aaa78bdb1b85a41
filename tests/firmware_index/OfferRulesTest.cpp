// What the page and the offer show of a version, and the page's texts.
#include <gtest/gtest.h>

#include "app/Texts.h"
#include "firmware/FirmwareIndex.h"
#include "firmware/FirmwarePageTexts.h"

namespace {

TEST(OfferedVersion, FormsByProduct)
{
    const struct {
        int product, major, minor, type, version;
        const wchar_t* text;
    } cases[] = {
        {0x5910, 4, 1, 0, 0, L"4.1"},
        {0x5910, 1, 5, 0, 3, L"1.5.3"},
        {0x5345, 4, 1, 0, 0, L"4.1.0"},
        {0x5346, 1, 5, 0, 0, L"1.5.0"},
        {0x5345, 1, 5, 0, 2, L"1.5.2"},
        {0x3020, 2, 5, 1, 0, L"1.0.2.5"},  // secondary type and version first
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OfferedVersionText(c.product, c.major, c.minor, c.type, c.version), c.text) << CString(c.text).ToUtf8();
    }
}

TEST(CurrentVersion, FormsBySecondaryType)
{
    const struct {
        int product;
        VersionGroup version;
        const wchar_t* text;
    } cases[] = {
        {0x4D10, {2, 1, 1, 0}, L"2.1rc"},
        {0x4D10, {2, 1, 1, 3}, L"2.1rc3"},
        {0x4D10, {2, 1, 2, 3}, L"2.1.3"},
        {0x4D10, {2, 1, 2, 0}, L"2.1"},
        {0x5345, {2, 1, 2, 0}, L"2.1.0"},
        {0x4D10, {2, 1, 0, 7}, L"2.1"},  // other types show major.minor alone
        {0x3020, {2, 5, 1, 0}, L"1.0.2.5"},
    };
    for (const auto& c : cases) EXPECT_EQ(CurrentVersionText(c.product, c.version), c.text) << CString(c.text).ToUtf8();
}

// A record offering major.minor with a secondary version, and variants.
void Offer(UpdateStatus& status, int major, int minor, int type, int version, int variants)
{
    status.Reset(UpdateResetModeUpdatePage);
    status.OfferedMajor = major;
    status.OfferedMinor = minor;
    status.OfferedSecondaryType = type;
    status.OfferedSecondaryVersion = version;
    status.ChosenFile = L"fw_en.img";
    const wchar_t* const languages[] = {L"English", L"French", L"German"};
    for (int i = 0; i < variants; ++i) status.AddEntry(L"fw.img", languages[i]);
}

TEST(LatestVersionLine, NamesTheFileUnlessThereIsAChoice)
{
    UpdateStatus status;
    Offer(status, 1, 5, 0, 0, 1);
    EXPECT_EQ(LatestVersionLine(status, 0x5910, LanguageEnglish), L"Latest Version: v1.5 (fw_en.img)");
    EXPECT_EQ(LatestVersionLine(status, 0x5345, LanguageEnglish), L"Latest Version: v1.5.0 (fw_en.img)");
    EXPECT_EQ(LatestVersionLine(status, 0x5910, LanguageGerman), L"Neueste Version: v1.5 (fw_en.img)");
    Offer(status, 2, 5, 1, 0, 0);
    EXPECT_EQ(LatestVersionLine(status, 0x3020, LanguageEnglish), L"Latest Version: v1.0.2.5 (fw_en.img)");
    Offer(status, 1, 5, 0, 3, 2);
    EXPECT_EQ(LatestVersionLine(status, 0x5910, LanguageEnglish), L"Latest Version: v1.5.3");
    // A name that an address would read as escapes is no file to fetch.
    Offer(status, 1, 5, 0, 0, 0);
    status.ChosenFile = L"%s%d.img";
    EXPECT_EQ(LatestVersionLine(status, 0x5910, LanguageEnglish), L"Cannot connect to the server");
}

TEST(LatestVersionLine, NothingOfferedReadsAsNoConnection)
{
    UpdateStatus status;
    status.Reset(UpdateResetModeUpdatePage);
    EXPECT_FALSE(HasFirmwareOffer(status));
    EXPECT_EQ(LatestVersionLine(status, 0x5910, LanguageFrench), TextCannotConnectToServer(LanguageFrench));
    // A version without a file to fetch is no offer either.
    status.OfferedMajor = 2;
    EXPECT_FALSE(HasFirmwareOffer(status));
    EXPECT_EQ(LatestVersionLine(status, 0x5910, LanguageEnglish), L"Cannot connect to the server");
}

TEST(FirmwarePageTexts, EveryTextInEveryLanguageWithItsPlaceholders)
{
    for (const FirmwarePageTextEntry& entry : FirmwarePageTextTable()) {
        const CString english(entry.text[LanguageEnglish]);
        for (int language = 0; language < LanguageCount; ++language) {
            const CString text(entry.text[static_cast<size_t>(language)]);
            SCOPED_TRACE(std::string(entry.name) + " in language " + std::to_string(language));
            ASSERT_FALSE(text.IsEmpty());
            EXPECT_EQ(text.Find(L"%s") >= 0, english.Find(L"%s") >= 0);
            // The English text is the only untranslated one where the table says so.
            const bool sameEverywhere = entry.id == FirmwarePageTextId::TextFirmwareFileFilter;
            const bool englishAllowed = sameEverywhere || (entry.id == FirmwarePageTextId::TextDownload &&
                                                           language == LanguageItalian);
            if (language != LanguageEnglish && !englishAllowed) {
                EXPECT_NE(text, english);
            }
        }
    }
    EXPECT_EQ(TextPowerCycleToApply(L"Firmware updated successfully", LanguageEnglish),
              L"Firmware updated successfully.\nPower off and power on GZM6 to apply new firmware.");
}

}  // namespace
