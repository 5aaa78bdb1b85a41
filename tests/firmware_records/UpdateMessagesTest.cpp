// Update and restore messages: the English forms, the rows of the table, the
// composed texts in one language each, and the voice-prompt codes.
#include <gtest/gtest.h>

#include <climits>

#include "firmware/UpdateMessages.h"

namespace {

int Placeholders(const wchar_t* text)
{
    int count = 0;
    for (const wchar_t* p = text; (p = wcsstr(p, L"%s")) != nullptr; p += 2) ++count;
    return count;
}

TEST(UpdateMessages, EnglishForms)
{
    struct Case {
        CString actual;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {TextNoBackupFirmware(0), L"NO backup firmware"},
        {TextNoBackupFirmwareOnServer(0), L"No backup firmware on the server"},
        {TextCheckingFirmware(0), L"Checking firmware"},
        {TextCheckingBackupFirmware(0), L"Checking backup firmware"},
        {TextCannotGetStatus(0), L"Cannot get status"},
        {TextFirmwareCorrupted(0), L"Firmware corrupted"},
        {TextFirmwareNotFor(0x4210, 0), L"Firmware not for V40"},
        {TextWithoutBackupFirmware(0), L"without backup firmware"},
        {TextAboutToMakeBackupFirmware(0), L"about to make backup firmware"},
        {TextCannotGetDevice(0), L"Cannot get device"},
        {TextPressButtonFormat(0), L"Press the [%s] button"},
        {TextPressRestoreButton(0), L"Press the [RESTORE] button"},
        {TextPressRestoreAfterLanguage(0), L"Press the [RESTORE] button after selecting voice prompt language"},
        {TextPressUpdateButton(0), L"Press the [UPDATE] button"},
        {TextFailedToDownloadLatestFirmware(0), L"Failed to download latest firmware"},
        {TextAboutToDownloadLatestFirmware(0), L"about to download latest firmware"},
        {TextAboutToDownloadBackupFirmware(0), L"about to download backup firmware"},
        {TextUsbNotMatch(0), L"USB not match"},
        {TextCannotUpdateFirmware(0), L"Cannot update firmware"},
        {TextCannotConnectToServer(0), L"Cannot connect to the server"},
        {TextCannotOpenFile(0), L"Cannot open file"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, c.actual);
}

TEST(UpdateMessages, EveryRowHasElevenTranslationsWithTheSamePlaceholders)
{
    int index = 0;
    for (const UpdateMessageEntry& entry : UpdateMessageTable()) {
        EXPECT_EQ(index++, static_cast<int>(entry.id)) << entry.name;
        const int placeholders = Placeholders(entry.text[0]);
        for (int language = 1; language < LanguageCount; ++language) {
            const wchar_t* text = entry.text[static_cast<size_t>(language)];
            ASSERT_NE(nullptr, text) << entry.name;
            EXPECT_NE(0u, wcslen(text)) << entry.name << " " << language;
            EXPECT_EQ(placeholders, Placeholders(text)) << entry.name << " " << language;
            EXPECT_STRNE(entry.text[0], text) << entry.name << " " << language << " is not translated";
        }
        for (int language : {0, -1, 11, INT_MIN, INT_MAX})
            EXPECT_STREQ(entry.text[0], UpdateMessageLiteral(entry.id, language)) << entry.name;
    }
    EXPECT_STREQ(L"", UpdateMessageLiteral(UpdateMessageId::Count, 0));
}

TEST(UpdateMessages, ComposedTextsStayInOneLanguage)
{
    struct Case {
        CString actual;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {TextPressUpdateButton(LanguageFrench), L"Appuyez sur le bouton [METTRE À JOUR]"},
        {TextPressRestoreButton(LanguageKorean), L"[복원] 버튼을 누르세요"},
        {TextPressRestoreAfterLanguage(LanguageJapanese), L"音声プロンプト言語を選んで[復元]ボタンを押してください"},
        {TextPressRestoreAfterLanguage(LanguageChinese), L"选择语音提示语言后请按[恢复]按钮"},
        {TextPressRestoreAfterLanguage(LanguageGerman),
         L"Drücken Sie die Schaltfläche [WIEDERHERSTELLEN], nachdem Sie die Sprache der Sprachansagen gewählt haben"},
        {TextFirmwareNotFor(0x4210, LanguageGerman), L"Keine V40 Firmware"},
        // A product the catalogue does not know leaves the name empty.
        {TextFirmwareNotFor(0x0BAD, LanguageEnglish), L"Firmware not for "},
        {TextPressUpdateButton(42), L"Press the [UPDATE] button"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, c.actual);
}

TEST(UpdateMessages, VoicePromptLanguageCodes)
{
    // German and Spanish trade codes; English and anything outside 1 to 10 give 0.
    const struct {
        int language;
        int code;
    } cases[] = {{LanguageGerman, 4}, {LanguageSpanish, 2}, {LanguageJapanese, 6}, {LanguageFinnish, 10},
                 {LanguageEnglish, 0}, {11, 0}, {-1, 0}, {INT_MIN, 0}};
    for (const auto& c : cases) EXPECT_EQ(c.code, VoicePromptLanguageCode(c.language)) << c.language;
}

}  // namespace
