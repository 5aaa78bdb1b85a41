// Status families, button captions and the eleven-language status line.
#include <gtest/gtest.h>

#include "app/StatusLine.h"

namespace {

TEST(StatusTexts, EnglishFamiliesPerPage)
{
    struct Case {
        int page;
        const wchar_t* ready;
        const wchar_t* progress;
        const wchar_t* success;
        const wchar_t* failure;
    };
    const Case cases[] = {
        {0, L"", L"", L"", L""},
        {1, L"Press NEXT to proceed.", L"On selecting device.", L"%s selected. %s", L""},
        {2, L"Ready for DEVICE RECOGNITION", L"On recognizing device.", L"Device recognized successfully. %s",
         L"Failed to recognize device"},
        {3, L"Ready for FIRMWARE UPDATE", L"On updating firmware.", L"Firmware updated successfully",
         L"Failed to update firmware"},
        {4, L"Ready for FIRMWARE RESTORE", L"On restoring firmware.", L"Firmware restored successfully",
         L"Failed to restore firmware"},
        {5, L"Ready for DEVICE SETTING", L"On saving device setting.", L"Device setting saved successfully",
         L"Failed to save device setting"},
        {6, L"Ready for DEVICE SETTING", L"On saving device setting.", L"Device setting saved successfully",
         L"Failed to save device setting"},
        {7, L"Ready for DEVICE SETTING", L"On saving device setting.", L"Device setting saved successfully",
         L"Failed to save device setting"},
        {8, L"", L"", L"", L""},
        {-1, L"", L"", L"", L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        // The USB status word only matters to the ready text of pages 3 and 4.
        for (int usbStatus : {0, 0x4D10}) {
            EXPECT_EQ(StatusReadyFormat(c.page, usbStatus, LanguageEnglish), c.ready);
            EXPECT_EQ(StatusInProgressText(c.page, 0x8000, LanguageEnglish), c.progress);
            EXPECT_EQ(StatusSuccessText(c.page, 0x8000, LanguageEnglish), c.success);
            EXPECT_EQ(StatusFailureText(c.page, 0x8000, LanguageEnglish), c.failure);
        }
        for (int language = 0; language < LanguageCount; ++language) {
            EXPECT_EQ(StatusFailureText(c.page, 0, language).IsEmpty(), *c.failure == L'\0');
            EXPECT_EQ(StatusInProgressText(c.page, 0, language).IsEmpty(), *c.progress == L'\0');
        }
    }
}

TEST(StatusTexts, ReadyInUpdateMode)
{
    EXPECT_EQ(StatusReadyFormat(3, 0x8000, LanguageEnglish), L"Ready for FIRMWARE UPDATE. Cannot make backup firmware");
    EXPECT_EQ(StatusReadyFormat(3, 0x7FFF, LanguageEnglish), L"Ready for FIRMWARE UPDATE");
    EXPECT_EQ(StatusReadyFormat(4, 0xCD10, LanguageEnglish), L"Ready for FIRMWARE RESTORE. Cannot make backup firmware");
    EXPECT_EQ(StatusReadyFormat(2, 0x8000, LanguageEnglish), L"Ready for DEVICE RECOGNITION");
    EXPECT_EQ(StatusReadyFormat(1, 0x8000, LanguageEnglish), L"Press NEXT to proceed.");
    EXPECT_EQ(StatusReadyFormat(3, 0x8000, 11), StatusReadyFormat(3, 0x8000, LanguageEnglish));
    // Both the title and the reason are filled in every language, nothing left as a field.
    for (int language = 0; language < LanguageCount; ++language) {
        SCOPED_TRACE(language);
        const CString ready = StatusReadyFormat(3, 0x8000, language);
        EXPECT_NE(ready.Find(PageTitle(3, language)), -1);
        EXPECT_NE(ready.Find(TextCannotCreateBackup(language)), -1);
        EXPECT_EQ(ready.Find(L'%'), -1);
        EXPECT_NE(StatusReadyFormat(1, 0, language).Find(TextNext(language)), -1);
        EXPECT_EQ(StatusReadyFormat(5, 0, language).Find(L'%'), -1);
    }
}

// Every page, USB state and language: the ready text names its page (page 1 its
// NEXT word), and only the firmware pages in update mode add why no backup can be made.
TEST(StatusTexts, ReadyTextOfEveryPageAndState)
{
    for (int language = 0; language < LanguageCount; ++language) {
        const CString reason = TextCannotCreateBackup(language);
        for (int page = 0; page <= 8; ++page) {
            for (int usbStatus : {0, 0x4D10, 0x7FFF, 0x8000, 0xCD10, 0xFFFF}) {
                SCOPED_TRACE(::testing::Message() << "language " << language << " page " << page << " usb "
                                                  << std::hex << usbStatus);
                const CString ready = StatusReadyFormat(page, usbStatus, language);
                if (page < 1 || page > 7) {
                    EXPECT_TRUE(ready.IsEmpty());
                    continue;
                }
                EXPECT_EQ(ready.Find(L'%'), -1);
                EXPECT_NE(ready.Find(page == 1 ? TextNext(language) : PageTitle(page, language)), -1);
                const bool explainsBackup = (page == 3 || page == 4) && usbStatus >= 0x8000;
                EXPECT_EQ(ready.Find(reason) != -1, explainsBackup);
            }
        }
    }
}

TEST(Captions, EnglishAndTranslated)
{
    struct Case {
        CString actual;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {NextCaption(LanguageEnglish), L"NEXT        >  "},
        {BackCaption(LanguageEnglish), L"  <       BACK"},
        {NewDeviceCaption(LanguageEnglish), L"NEW DEVICE  >  "},
        {UpdateTabCaption(LanguageEnglish), L"  <  FIRMWARE UPDATE"},
        {RestoreTabCaption(LanguageEnglish), L"FIRMWARE RESTORE  >  "},
        {UpdateActionCaption(LanguageEnglish), L"UPDATE"},
        {RestoreActionCaption(LanguageEnglish), L"RESTORE"},
        {TextSaveChangesQuestion(LanguageEnglish), L"Would you like to save DEVICE SETTING changes?"},
        {NextCaption(LanguageGerman), L"WEITER        >  "},
        {BackCaption(LanguageFrench), L"  <       RETOUR"},
        {UpdateActionCaption(LanguageGerman), L"UPDATE"},
        {NextCaption(-2), L"NEXT        >  "},
    };
    for (const Case& c : cases) EXPECT_EQ(c.actual, c.expected);
    EXPECT_NE(TextSaveChangesQuestion(LanguageItalian).Find(PageTitle(5, LanguageItalian)), -1);
}

TEST(StatusLineModel, StartsEmptyAndOrdinary)
{
    StatusLine line;
    for (int language = 0; language < LanguageCount; ++language) EXPECT_TRUE(line.Get(language).IsEmpty());
    EXPECT_EQ(line.LastStatusNotWarning(), 1);
}

TEST(StatusLineModel, ComposeFillsEveryLanguage)
{
    StatusLine line;
    EXPECT_EQ(line.ComposeReady(3, 0x8000, LanguageEnglish), L"Ready for FIRMWARE UPDATE. Cannot make backup firmware");
    for (int language = 0; language < LanguageCount; ++language) {
        EXPECT_EQ(line.Get(language), StatusReadyFormat(3, 0x8000, language)) << language;
    }
    EXPECT_EQ(line.ComposeProgress(2, 0, LanguageGerman), L"Gerät wird erkannt.");
    EXPECT_EQ(line.Get(LanguageEnglish), L"On recognizing device.");
    // A change of language shows the stored entry of the new language without recomposing.
    EXPECT_EQ(line.Get(LanguageFrench), L"Reconnaissance de l'appareil en cours.");
    EXPECT_EQ(line.Get(-1), line.Get(LanguageEnglish));
    EXPECT_EQ(line.Get(11), line.Get(LanguageEnglish));
}

TEST(StatusLineModel, SetAndFill)
{
    StatusLine line;
    line.Fill([](LanguageIndex language) { return JoinStatus(StatusFailureText(4, 0, language), TextCannotOpenFile(language)); });
    EXPECT_EQ(line.Get(LanguageEnglish), L"Failed to restore firmware. Cannot open file");
    EXPECT_EQ(line.Get(LanguageDutch), L"Firmware herstellen mislukt. Kan bestand niet openen");
    line.Set(L"eigen", LanguageDutch);
    line.Set(L"ignored", 11);
    line.Set(L"ignored", -1);
    EXPECT_EQ(line.Get(LanguageDutch), L"eigen");
    EXPECT_EQ(line.Get(LanguageEnglish), L"Failed to restore firmware. Cannot open file");
    // A joined text is taken as it is, "%s" included.
    EXPECT_EQ(JoinStatus(L"100%s", L"%d"), L"100%s. %d");
}

TEST(StatusLineModel, ComposePage)
{
    StatusLine line;
    line.MarkShown(true);
    EXPECT_EQ(line.LastStatusNotWarning(), 0);
    EXPECT_EQ(line.ComposePage(2, 0, 0, LanguageEnglish), L"Ready for DEVICE RECOGNITION");
    EXPECT_EQ(line.LastStatusNotWarning(), 1);
    EXPECT_EQ(line.ComposePage(2, 3, 0, LanguageEnglish), L"Firmware updated successfully. Ready for DEVICE RECOGNITION");
    EXPECT_EQ(line.Get(LanguageGerman), L"Firmware erfolgreich aktualisiert. Bereit für GERÄTEERKENNUNG");
    EXPECT_EQ(line.ComposePage(2, 5, 0, LanguageEnglish), L"Device setting saved successfully. Ready for DEVICE RECOGNITION");
    // The automatic-pass operation only counts on the recognition page.
    EXPECT_EQ(line.ComposePage(3, 3, 0x8000, LanguageEnglish), L"Ready for FIRMWARE UPDATE. Cannot make backup firmware");
    EXPECT_EQ(line.ComposePage(1, 0, 0, LanguageKorean), StatusReadyFormat(1, 0, LanguageKorean));
    EXPECT_EQ(line.Get(LanguageEnglish), L"Press NEXT to proceed.");
}

} // namespace
