// Texts: exact English forms, the language index rules, the sharing rules, language
// names, and the integrity of every row of the text table.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "app/Texts.h"

namespace {

constexpr int kOutOfRangeLanguages[] = {0, -1, 11, 12, 100, INT_MIN, INT_MAX};

TEST(Texts, EveryTextAnswersOutOfRangeLanguagesInEnglish)
{
    for (const TextEntry& entry : TextTable()) {
        for (int language : kOutOfRangeLanguages) {
            EXPECT_EQ(LocalizedText(entry.id, language), entry.text[0])
                << TextName(entry.id) << " language " << language;
        }
    }
    EXPECT_EQ(TextOk(-1), L"OK");
    EXPECT_EQ(TextCancel(11), L"CANCEL");
    EXPECT_EQ(TextNext(0), L"NEXT");
    EXPECT_EQ(TextCancel(LanguageGerman), L"ABBRECHEN");
}

TEST(Texts, UnknownTextIdIsEmpty)
{
    EXPECT_STREQ(TextLiteral(TextId::Count, LanguageEnglish), L"");
    EXPECT_STREQ(TextLiteral(static_cast<TextId>(-1), LanguageFrench), L"");
    EXPECT_STREQ(TextName(TextId::Count), "");
    EXPECT_STREQ(TextName(TextId::TextOk), "TextOk");
}

TEST(Texts, ExactForms)
{
    struct Case {
        CString actual;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {TextManagerLanguage(0), L"Manager Software Language"},
        {TextSendEmail(0), L"SEND Email"},
        {TextYes(0), L"YES"},
        {TextNo(0), L"NO"},
        {TextNewDevice(0), L"NEW DEVICE"},
        {TextRestore(0), L"RESTORE"},
        {TextSave(0), L"SAVE"},
        {TextCheckSdCard(0), L"Check your SD Card."},
        {TextCannotCreateBackup(0), L"Cannot make backup firmware"},
        {TextWrongDevice(0),
         L"Recognized device is not connected or is not the same as the connected device.\nSelect appropriate device.\n"},
        {TextFirmwareNotSupported(0),
         L"Firmware version is not supported by the V40 NX. Update to the latest version of V40 NX firmware."},
        {TextAbout(0), L"About..."},
        {TextMoreSettings(0), L"MORE SETTINGS"},
        {TextPlusButton(0), L"[+] Button"},
        {TextPairingButton(0), L"Pairing Button"},
        {TextCannotConnectToServer(0), L"Cannot connect to the server"},
        {TextCannotOpenFile(0), L"Cannot open file"},
        {TextDownloadingManagerUpdate(0), L"Downloading the update file."},
        {TextManagerUpdateDownloaded(0), L"Successfully downloaded the update file."},
        {ManagerUpdateFileFilter(0), L"Manager Update Files(*.exe)|"},
        {TextApplyToVoicePromptLanguage(0), L"Apply To Voice Prompt Language"},
        {NoDeviceCaption(0), L"NO Device"},
        {ManagementCaption(0), L"Management"},
        {ProductCaption(), L"TORVIK Bluetooth Device Manager"},
        // The device line's words, as the frame has always shown them.
        {NoDeviceCaption(LanguageJapanese), L"デバイスが"},
        {RecognizedCaption(LanguageKorean), L"안됨"},
        {FirmwareCaption(LanguageGerman), L"Firmware-"},
        {ManagementCaption(LanguageFrench), L"du micrologiciel"},
        {RecognizedCaption(LanguageSpanish), L"recon."},
        {NoDeviceCaption(LanguageRussian), L"НЕТ Устройства"},
        // Date and time formats, English outside 1 to 10.
        {DateTimeFormat(LanguageEnglish), L"%m/%d/%Y %H:%M:%S"},
        {DateTimeFormat(LanguageFrench), L"%d/%m/%Y %H:%M:%S"},
        {DateTimeFormat(LanguageGerman), L"%d.%m.%Y %H:%M:%S"},
        {DateTimeFormat(LanguageJapanese), L"%Y/%m/%d %H:%M:%S"},
        {DateTimeFormat(LanguageKorean), L"%Y.%m.%d %H:%M:%S"},
        {DateTimeFormat(LanguageFinnish), L"%m/%d/%Y %H:%M:%S"},
        {DateTimeFormat(-1), L"%m/%d/%Y %H:%M:%S"},
        {DateTimeFormat(11), L"%m/%d/%Y %H:%M:%S"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.actual, c.expected);
}

TEST(Texts, PageTitles)
{
    const wchar_t* const expected[] = {L"MODE NOT AVAILABLE", L"WELCOME", L"DEVICE RECOGNITION",
                                       L"FIRMWARE UPDATE", L"FIRMWARE RESTORE", L"DEVICE SETTING",
                                       L"DEVICE SETTING", L"DEVICE SETTING", L"MODE NOT AVAILABLE"};
    for (int page = 0; page <= 8; ++page) EXPECT_EQ(PageTitle(page, LanguageEnglish), expected[page]) << page;
    EXPECT_EQ(PageTitle(0, LanguageGerman), L"MODE NOT AVAILABLE");
    EXPECT_EQ(PageTitle(-3, LanguageJapanese), L"MODE NOT AVAILABLE");
    EXPECT_EQ(PageTitle(3, LanguageGerman), L"FIRMWARE-UPDATE");
    EXPECT_EQ(PageTitle(7, LanguageFrench), PageTitle(5, LanguageFrench));
}

TEST(Texts, SharingRules)
{
    for (int language = 0; language < LanguageCount; ++language) {
        EXPECT_EQ(TextOk(language) == L"OK", language != LanguageKorean) << language;
        EXPECT_EQ(PageTitle(9, language), L"MODE NOT AVAILABLE");
        EXPECT_EQ(ManagerUpdateFileFilter(language), L"Manager Update Files(*.exe)|");
        EXPECT_EQ(ProductCaption(language), ProductCaption());
        EXPECT_EQ(CopyrightText(language), CopyrightText());
        // Every language reads the check box in its own words.
        EXPECT_EQ(TextApplyToVoicePromptLanguage(language) == L"Apply To Voice Prompt Language",
                  language == LanguageEnglish)
            << language;
        // The device line's words are empty in Finnish only.
        for (TextId caption : {TextId::NoDeviceCaption, TextId::RecognizedCaption, TextId::FirmwareCaption,
                               TextId::ManagementCaption}) {
            EXPECT_EQ(LocalizedText(caption, language).IsEmpty(), language == LanguageFinnish);
        }
    }
    EXPECT_EQ(TextUpdate(LanguageGerman), L"UPDATE");
    EXPECT_NE(TextUpdate(LanguageFrench), L"UPDATE");
    EXPECT_FALSE(CopyrightText().IsEmpty());
}

TEST(Texts, HoldKeyPrompts)
{
    struct Case {
        int productId;
        const wchar_t* oneKey;
        const wchar_t* twoKeys;
    };
    const Case cases[] = {
        {0x4D10, L"Phone Button", L"Jog Dial and Phone Button"},
        {0x4040, L"[L] Button", L"[L] Button and [R] Button"},
        {0x5910, L"[-] Button", L"Center Button and [+] Button"},
        {0x5210, L"Pairing Button", L"PTT Button and Pairing Button"},
        {0x4111, L"Center Button", L"Center Button and [+] Button"},
        {0x5611, L"[-] Button", L"[+] Button and [-] Button"},  // inside the range 0x5610 to 0x5612
        {0x5613, L"Phone Button", L"Jog Dial and Phone Button"},
        {0x2011, L"[-] Button", L"[+] Button and [-] Button"},
        {0x1234, L"Phone Button", L"Jog Dial and Phone Button"},  // not listed
        {0, L"Phone Button", L"Jog Dial and Phone Button"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TextHoldKey(LanguageEnglish, c.productId),
                  CString(L"Press and hold the ") + c.oneKey + L" until this message disappears.")
            << std::hex << c.productId;
        EXPECT_EQ(TextHoldTwoKeys(LanguageEnglish, c.productId),
                  CString(L"Press and hold the ") + c.twoKeys + L" until this message disappears.")
            << std::hex << c.productId;
    }
    EXPECT_EQ(TextHoldKey(LanguageGerman, 0x4040), L"Halten Sie die [L]-Taste gedrückt, bis diese Meldung verschwindet.");
    EXPECT_EQ(TextHoldKey(-5, 0x4040), TextHoldKey(LanguageEnglish, 0x4040));
}

TEST(Texts, BackupCreationFailed)
{
    EXPECT_EQ(TextBackupCreationFailed(LanguageEnglish),
              L"Creating a backup file for FIRMWARE RESTORE has failed. For FIRMWARE RESTORE, download the "
              L"previous firmware file from https://www.torvik.example, and update the file manually using the "
              L"Device Manager's FIRMWARE UPDATE. To continue, click the [OK] button below.");
    const CString korean = TextBackupCreationFailed(LanguageKorean);
    EXPECT_NE(korean.Find(L"[확인]"), -1);
    EXPECT_NE(korean.Find(PageTitle(3, LanguageKorean)), -1);
}

TEST(Texts, NewerManagerAvailable)
{
    EXPECT_EQ(TextNewerManagerAvailable(1, 0, 2, LanguageEnglish),
              L"Newer version of TORVIK Bluetooth Device Manager is available. Would you like to update TORVIK "
              L"Bluetooth Device Manager to v1.0.2?\n\nPressing the [YES] button will close this program, start "
              L"downloading the update and guide to installation.\nPressing the [NO] button will start TORVIK "
              L"Bluetooth Device Manager v1.0.1 without updating.");
    // No third number: nothing follows the minor number.
    const CString noThird = TextNewerManagerAvailable(2, 13, 0, LanguageEnglish);
    EXPECT_NE(noThird.Find(L"to v2.13?"), -1);
    EXPECT_NE(TextNewerManagerAvailable(2, 1, -4, LanguageGerman).Find(L"auf v2.1 aktualisieren?"), -1);
    EXPECT_NE(TextNewerManagerAvailable(1, 1, 0, LanguageSpanish).Find(L"[SÍ]"), -1);
}

// Every field of every translation is filled: no "%" is left in any language.
TEST(Texts, ComposedTextsLeaveNoFieldOpen)
{
    for (int language = 0; language < LanguageCount; ++language) {
        const CString texts[] = {TextHoldKey(language, 0x5910), TextHoldTwoKeys(language, 0x5910),
                                 TextBackupCreationFailed(language),
                                 TextNewerManagerAvailable(3, 4, 5, language)};
        for (const CString& text : texts) EXPECT_EQ(text.Find(L'%'), -1) << language << ": " << text.ToUtf8();
    }
}

TEST(LanguageNames, IndexFromName)
{
    struct Case {
        const wchar_t* name;
        int fallback;
        int expected;
    };
    const Case cases[] = {
        {L"FINNISH", 0, 10}, {L"finnish", 0, 10}, {L"English", 0, 0},  {L"gErMaN", 1, 2},
        {L"Chinese", 0, 9},  {L"Klingon", 0, -1}, {L"Klingon", 1, 0}, {L"", 0, -1},
        {L"French ", 0, -1}, {L"Français", 0, -1}, {nullptr, 0, -1},  {nullptr, 7, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LanguageIndexFromName(c.name, c.fallback), c.expected) << (c.name ? CString(c.name).ToUtf8() : "null");
    }
}

TEST(LanguageNames, NamesAndLocalizing)
{
    EXPECT_EQ(LocalizeLanguageName(L"German", LanguageFrench), L"Allemand");
    EXPECT_EQ(LocalizeLanguageName(L"german", LanguageJapanese), L"ドイツ語");
    EXPECT_EQ(LocalizeLanguageName(L"Swahili", LanguageFrench), L"Swahili");
    EXPECT_EQ(LocalizeLanguageName(L"English", LanguageEnglish), L"English");
    EXPECT_EQ(LanguageName(LanguageFinnish, LanguageFinnish), L"Suomi");
    EXPECT_EQ(LanguageName(-1, LanguageGerman), L"Englisch");   // index out of range: the word for English
    EXPECT_EQ(LanguageName(LanguageRussian, 11), L"Russian");   // display out of range: English names
    for (int index = -1; index <= 11; ++index) {
        const CString english = EnglishLanguageName(index);
        EXPECT_EQ(LanguageIndexFromName(english, 0), (index >= 1 && index <= 10) ? index : 0);
    }
}

// Which "%x" fields a text has, in order.
std::vector<std::wstring> Fields(const wchar_t* text)
{
    std::vector<std::wstring> fields;
    for (const wchar_t* p = text; *p; ++p) {
        if (*p == L'%') fields.emplace_back(p, p[1] ? 2 : 1);
        if (*p == L'%' && p[1]) ++p;
    }
    return fields;
}

int CountOf(const wchar_t* text, wchar_t ch)
{
    int count = 0;
    for (const wchar_t* p = text; *p; ++p) count += (*p == ch);
    return count;
}

// Whole UTF-16: every surrogate in a pair, no control character but the line feed.
bool IsCleanUtf16(const wchar_t* text)
{
    for (const wchar_t* p = text; *p; ++p) {
        const unsigned c = static_cast<unsigned>(*p);
        if (c >= 0xD800 && c <= 0xDBFF) {
            const unsigned next = static_cast<unsigned>(p[1]);
            if (next < 0xDC00 || next > 0xDFFF) return false;
            ++p;
        } else if ((c >= 0xDC00 && c <= 0xDFFF) || (c < 0x20 && c != L'\n') || c == 0xFFFD) {
            return false;
        }
    }
    return true;
}

TEST(TextTableIntegrity, EveryRowInEveryLanguage)
{
    const std::vector<TextId> finnishEmpty = {TextId::NoDeviceCaption, TextId::RecognizedCaption,
                                              TextId::FirmwareCaption, TextId::ManagementCaption};
    ASSERT_EQ(TextTable().size(), static_cast<size_t>(kTextIdCount));
    int index = 0;
    for (const TextEntry& entry : TextTable()) {
        SCOPED_TRACE(TextName(entry.id));
        EXPECT_EQ(static_cast<int>(entry.id), index++);
        const wchar_t* english = entry.text[0];
        ASSERT_NE(english, nullptr);
        for (int language = 0; language < LanguageCount; ++language) {
            SCOPED_TRACE(language);
            const wchar_t* text = entry.text[static_cast<size_t>(language)];
            ASSERT_NE(text, nullptr);
            const bool mayBeEmpty = language == LanguageFinnish &&
                std::find(finnishEmpty.begin(), finnishEmpty.end(), entry.id) != finnishEmpty.end();
            EXPECT_EQ(*text == L'\0', mayBeEmpty);
            EXPECT_EQ(Fields(text), Fields(english));
            EXPECT_EQ(CountOf(text, L'\n'), CountOf(english, L'\n'));
            EXPECT_EQ(CountOf(text, L'['), CountOf(english, L'['));
            EXPECT_TRUE(IsCleanUtf16(text));
            EXPECT_EQ(std::wstring(text).find(L"  "), std::wstring::npos) << "double blank";
        }
    }
}

TEST(TextTableIntegrity, LanguageNames)
{
    ASSERT_EQ(LanguageNameTable().size(), static_cast<size_t>(LanguageCount));
    for (int display = 0; display < LanguageCount; ++display) {
        const TextRow& row = LanguageNameTable()[static_cast<size_t>(display)];
        for (int index = 0; index < LanguageCount; ++index) {
            ASSERT_NE(row[static_cast<size_t>(index)], nullptr);
            EXPECT_NE(*row[static_cast<size_t>(index)], L'\0');
            EXPECT_TRUE(IsCleanUtf16(row[static_cast<size_t>(index)]));
            for (int other = 0; other < index; ++other) {
                EXPECT_NE(CString(row[static_cast<size_t>(index)]), row[static_cast<size_t>(other)])
                    << "display " << display << " repeats a name";
            }
        }
    }
}

} // namespace
