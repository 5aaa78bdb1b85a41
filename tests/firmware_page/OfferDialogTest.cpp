// The new-firmware offer: when the page makes it, what it shows for the
// model's version forms, the voice-prompt choice it hands back, the download
// and update an accepted offer sets off, and no second offer after a language
// change.
#include "FirmwarePageFixture.h"

#include "app/Texts.h"
#include "firmware/FirmwarePageTexts.h"
#include "framework/File.h"

namespace {

const std::string kOstrel = ModelNameOf(0x5910);

std::string Variants(const std::string& model, const char* version, int count)
{
    const char* const languages[] = {"English", "French", "German"};
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += model + ":v" + version + ":" + languages[i] + ":" + model + "_" + languages[i] + ".img\n";
    }
    return text;
}

TEST_F(FirmwarePageTest, NewerFirmwareIsOfferedWithBothVersions)
{
    const struct {
        const char* name;
        int product;
        VersionGroup recorded;
        std::string index;
        const wchar_t* current;
        const wchar_t* offered;
    } cases[] = {
        {"a release candidate", 0x5910, {2, 1, 1, 0}, kOstrel + ":v2.1:a.img\n", L"2.1rc", L"2.1"},
        {"a secondary version", 0x5910, {4, 0, 0, 0}, kOstrel + ":v4.1:a.img\n" + kOstrel + ":2\n", L"4.0", L"4.1.2"},
        {"three parts always", 0x5345, {4, 0, 2, 0}, ModelNameOf(0x5345) + ":v4.1:z.img\n", L"4.0.0", L"4.1.0"},
        {"the action camera", 0x3020, {2, 5, 1, 0}, ModelNameOf(0x3020) + ":v1.1.2.5:c.img\n", L"1.0.2.5",
         L"1.1.2.5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        offers.clear();
        Recognize(c.product, c.recorded);
        ServeIndex(c.index);
        Open();
        ASSERT_EQ(offers.size(), 1u);
        const OfferSeen& seen = offers[0];
        EXPECT_EQ(seen.question, TextNewFirmwareAvailable(LanguageEnglish));
        EXPECT_EQ(seen.currentLabel, L"Current version: v");
        EXPECT_EQ(seen.newLabel, L"New version: v");
        EXPECT_EQ(seen.currentVersion, c.current);
        EXPECT_EQ(seen.newVersion, c.offered);
        EXPECT_EQ(seen.yes, L"YES");
        EXPECT_EQ(seen.no, L"NO");
        EXPECT_FALSE(seen.comboShown);
        // NO: the offer is withdrawn and nothing is fetched.
        EXPECT_FALSE(page().shared.NewerOffered);
        EXPECT_TRUE(fileDialogs.empty());
        EXPECT_FALSE(main->busy);
    }
}

TEST_F(FirmwarePageTest, OfferSpeaksTheInterfaceLanguage)
{
    Recognize(0x5910, {1, 0, 0, 0});
    ServeIndex(Variants(kOstrel, "1.1", 2));
    main->language = LanguageFinnish;
    Open();
    ASSERT_EQ(offers.size(), 1u);
    EXPECT_EQ(offers[0].currentLabel, L"Nykyinen versio\uFF1Av");
    EXPECT_EQ(offers[0].yes, TextYes(LanguageFinnish));
    EXPECT_EQ(offers[0].languageLabel, L"Ääniopastus");
    ASSERT_EQ(offers[0].languages.size(), 2u);
    EXPECT_EQ(offers[0].languages[1], LocalizeLanguageName(L"French", LanguageFinnish));
}

TEST_F(FirmwarePageTest, NoOfferForTheSameOrAnOlderVersion)
{
    const struct {
        VersionGroup recorded;
        const char* offered;
    } cases[] = {{{1, 3, 0, 0}, "1.3"}, {{1, 3, 0, 0}, "1.2"}, {{2, 0, 0, 4}, "2.0"}};
    for (const auto& c : cases) {
        Recognize(0x5910, c.recorded);
        ServeIndex(kOstrel + ":v" + c.offered + ":a.img\n");
        Open();
        EXPECT_TRUE(offers.empty()) << c.offered;
    }
}

TEST_F(FirmwarePageTest, VoicePromptChoiceGoesBackOnYesOnly)
{
    TempFolder folder(L"fwoffer");
    Recognize(0x5910, {1, 0, 0, 0});
    ServeIndex(Variants(kOstrel, "1.1", 3));
    main->firmwareLanguage = L"French";  // the second variant is preselected
    main->applyToFirmwareLanguage = false;
    offerChoice = 2;
    answerYes = false;
    Open();
    ASSERT_EQ(offers.size(), 1u);
    EXPECT_TRUE(offers[0].comboShown);
    EXPECT_EQ(offers[0].languages.size(), 3u);
    EXPECT_EQ(offers[0].selection, 1);
    EXPECT_EQ(page().languageCombo.GetCurSel(), 1);  // NO leaves the page's choice

    answerYes = true;
    chosenPath.Empty();  // the save dialog is cancelled
    Open();
    ASSERT_EQ(offers.size(), 2u);
    EXPECT_EQ(page().languageCombo.GetCurSel(), 2);
    ASSERT_EQ(fileDialogs.size(), 1u);
    EXPECT_EQ(fileDialogs[0].fileName, CString::FromUtf8(kOstrel + "_German.img"));
    EXPECT_FALSE(page().shared.NewerOffered);
    EXPECT_FALSE(main->busy);
}

TEST_F(FirmwarePageTest, OneVariantOfferLeavesThePageChoiceAlone)
{
    Recognize(0x5910, {1, 0, 0, 0});
    ServeIndex(Variants(kOstrel, "1.1", 1));
    answerYes = true;
    offerChoice = 0;
    chosenPath.Empty();
    Open();
    ASSERT_EQ(offers.size(), 1u);
    EXPECT_FALSE(offers[0].comboShown);
    EXPECT_TRUE(offers[0].languages.empty());
    EXPECT_EQ(page().languageCombo.GetCurSel(), 0);
}

TEST_F(FirmwarePageTest, AcceptedOfferDownloadsAndStartsTheUpdate)
{
    TempFolder folder(L"fwoffer");
    const std::string package(150000, 'P');
    ServePackage(L"Ostrel_v1.3.img", package);
    Recognize(0x5910, {1, 2, 0, 0});
    ServeIndex(kOstrel + ":v1.3:Ostrel_v1.3.img\n");
    answerYes = true;
    chosenPath = folder / L"Ostrel.img";
    Open();
    ASSERT_EQ(offers.size(), 1u);
    ASSERT_EQ(fileDialogs.size(), 1u);
    EXPECT_EQ(fileDialogs[0].fileName, L"Ostrel_v1.3.img");
    EXPECT_TRUE(page().shared.NewerOffered);
    EXPECT_TRUE(main->busy);
    RunDownload();
    std::string saved;
    ASSERT_TRUE(ReadWholeFile(chosenPath, saved));
    EXPECT_EQ(saved, package);
    EXPECT_EQ(page().fileEdit.GetWindowText(), chosenPath);
    // ACTION was pressed for the user: the update started with the file.
    EXPECT_EQ(page().PageStatus.State, UpdateStateStarted);
    EXPECT_EQ(page().PageStatus.PackagePath, chosenPath);
    EXPECT_TRUE(main->busy);
}

TEST_F(FirmwarePageTest, FailedDownloadOfAnAcceptedOfferStartsNothing)
{
    TempFolder folder(L"fwoffer");
    Recognize(0x5910, {1, 2, 0, 0});
    ServeIndex(kOstrel + ":v1.3:Absent.img\n");
    answerYes = true;
    chosenPath = folder / L"Ostrel.img";
    Open();
    RunDownload();
    EXPECT_EQ(page().PageStatus.State, UpdateStateIdle);
    EXPECT_FALSE(main->busy);
    EXPECT_EQ(main->LastStatusNotWarning(), 0);
}

TEST_F(FirmwarePageTest, LanguageChangeReadsTheIndexAgainWithoutASecondOffer)
{
    Recognize(0x5910, {1, 0, 0, 0});
    ServeIndex(Variants(kOstrel, "1.1", 2));
    main->applyToFirmwareLanguage = true;
    Open();
    EXPECT_EQ(offers.size(), 1u);
    EXPECT_EQ(OfferArmed, 1);
    EXPECT_EQ(page().languageCombo.GetCurSel(), 0);

    main->ApplyLanguage(LanguageFrench, true);
    EXPECT_EQ(OfferArmed, 0);
    FetchIndex();
    EXPECT_EQ(offers.size(), 1u);  // not offered again
    EXPECT_EQ(OfferArmed, 1);
    EXPECT_FALSE(main->busy);
    EXPECT_EQ(VersionLine(), L"Dernière version: v1.1");
    EXPECT_EQ(page().languageCombo.GetLBText(0), LocalizeLanguageName(L"English", LanguageFrench));
    EXPECT_EQ(page().languageCombo.GetCurSel(), 1);  // the new interface language

    // Opening the page again offers it again.
    main->GoToFirmwareUpdate(1);
    FetchIndex();
    EXPECT_EQ(offers.size(), 2u);
}

}  // namespace
