// The firmware update page on a real main window against the local server:
// the version line after the index fetch, the voice-prompt choice, a server
// that cannot give the index, Browse, and Download to a chosen file with its
// progress and failures.
#include "FirmwarePageFixture.h"

#include "app/Configuration.h"
#include "app/HttpDownload.h"
#include "firmware/FirmwarePageTexts.h"
#include "framework/File.h"
#include "sim/Simulation.h"

namespace {

const std::string kOstrel = ModelNameOf(0x5910);

std::string OstrelVariants(const char* version)
{
    return kOstrel + ":v" + version + ":English:Ostrel_en.img\n" + kOstrel + ":v" + version +
           ":French:Ostrel_fr.img\n" + kOstrel + ":v" + version + ":German:Ostrel_de.img\n";
}

TEST_F(FirmwarePageTest, OneVariantNamesItsFileInTheVersionLine)
{
    Recognize(0x5910, {1, 3, 0, 0});
    ServeIndex("V40:v9.0:V40.img\n" + kOstrel + ":v1.3:English:Ostrel_en.img\n");
    main->GoToFirmwareUpdate(1);
    // Busy, with nothing offered yet, until the fetch has ended.
    EXPECT_TRUE(main->busy);
    EXPECT_FALSE(Enabled(page().browseButton));
    FetchIndex();
    EXPECT_FALSE(main->busy);
    EXPECT_TRUE(offers.empty());  // the headset has this version
    EXPECT_EQ(VersionLine(), L"Latest Version: v1.3 (Ostrel_en.img)");
    EXPECT_EQ(VersionColour(), RGB(0, 0, 0));
    EXPECT_TRUE(Enabled(page().downloadButton));
    EXPECT_TRUE(Enabled(page().browseButton));
    EXPECT_FALSE(Shown(page().languageCombo));
    EXPECT_FALSE(Shown(page().languageLabel));
    EXPECT_FALSE(Shown(page().stepsStatic));
    EXPECT_EQ(page().titleStatic.GetWindowText(), L"Firmware To Update");
    EXPECT_EQ(page().PageStatus.State, UpdateStateIdle);
    // Download sits level with the (hidden) choice, beside the version line.
    const CRect combo = page().languageCombo.GetWindowRect();
    const CRect download = page().downloadButton.GetWindowRect();
    EXPECT_EQ(download.top, combo.top + (combo.Height() - download.Height()) / 2);
}

TEST_F(FirmwarePageTest, SeveralVariantsShowTheChoiceInTheInterfaceLanguage)
{
    Recognize(0x5910, {1, 3, 0, 0});
    ServeIndex(OstrelVariants("1.3"));
    main->language = LanguageGerman;
    main->applyToFirmwareLanguage = false;
    Open();
    EXPECT_EQ(VersionLine(), L"Neueste Version: v1.3");
    ASSERT_EQ(page().languageCombo.GetCount(), 3);
    EXPECT_EQ(page().languageCombo.GetLBText(1), LocalizeLanguageName(L"French", LanguageGerman));
    EXPECT_EQ(page().languageCombo.GetCurSel(), 0);
    EXPECT_TRUE(Shown(page().languageCombo));
    EXPECT_TRUE(Shown(page().stepsStatic));
    EXPECT_EQ(page().languageLabel.GetWindowText(), L"Sprachansage");
    EXPECT_EQ(page().downloadButton.GetWindowText(), L"Herunterladen.");
    // Download moves under the choice.
    EXPECT_GE(page().downloadButton.GetWindowRect().top, page().languageCombo.GetWindowRect().bottom);

    // Opening the page again clears the file and the list first.
    page().fileEdit.SetWindowText(L"C:\\fw.img");
    main->GoToFirmwareUpdate(1);
    EXPECT_EQ(page().fileEdit.GetWindowTextLength(), 0);
    EXPECT_EQ(page().languageCombo.GetCount(), 0);
    FetchIndex();
    EXPECT_EQ(page().languageCombo.GetCount(), 3);
}

TEST_F(FirmwarePageTest, VoicePromptLanguagePreselection)
{
    Recognize(0x5910, {1, 3, 0, 0});
    ServeIndex(OstrelVariants("1.3"));
    // The voice-prompt language of the last update.
    main->firmwareLanguage = L"German";
    main->applyToFirmwareLanguage = false;
    Open();
    EXPECT_EQ(page().languageCombo.GetCurSel(), 2);
    EXPECT_EQ(page().PageStatus.ChosenFile, L"Ostrel_de.img");
    // With the option on, the interface language wins.
    main->applyToFirmwareLanguage = true;
    main->language = LanguageFrench;
    main->GoToFirmwareUpdate(1);
    FetchIndex();
    EXPECT_EQ(page().languageCombo.GetCurSel(), 1);
    EXPECT_EQ(page().PageStatus.ChosenFile, L"Ostrel_fr.img");
}

// Until this visit's index has come, nothing has failed: the version line
// says nothing, on the first visit as on the next.
TEST_F(FirmwarePageTest, VersionLineWaitsForTheIndex)
{
    Recognize(0x5910, {1, 3, 0, 0});
    ServeIndex(kOstrel + ":v1.3:Ostrel.img\n");
    for (int visit = 1; visit <= 2; ++visit) {
        SCOPED_TRACE(visit);
        main->GoToFirmwareUpdate(1);
        EXPECT_EQ(VersionLine(), L"");
        EXPECT_FALSE(Enabled(page().downloadButton));
        FetchIndex();
        EXPECT_EQ(VersionLine(), L"Latest Version: v1.3 (Ostrel.img)");
    }
}

TEST_F(FirmwarePageTest, NothingOfferedWhenTheIndexCannotBeHad)
{
    Recognize(0x5910, {1, 0, 0, 0});
    ServeIndex(kOstrel + ":v1.3:Ostrel.img\n");
    const CString base = testserver::HttpBase();
    // A base address that shapes the server's answers to the paths below it.
    auto shaped = [&](const wchar_t* options) { return base + L"/with/" + options; };
    const struct {
        const char* name;
        CString server;
    } cases[] = {
        {"server unreachable", L"http://127.0.0.1:9"},
        {"index missing (404)", base + L"/elsewhere"},
        {"error answer", shaped(L"status=500")},
        {"connection dropped", shaped(L"drop=8")},
        {"no line of the model", base + L"/other"},
    };
    ASSERT_TRUE(testserver::ServeFile(L"other/malvobluetoothmanager/Firmware", "V40:v9.0:V40.img\n"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ::SetEnvironmentVariableW(L"TORVIK_SERVER", c.server);
        Open();
        EXPECT_FALSE(main->busy);
        EXPECT_TRUE(offers.empty());
        EXPECT_FALSE(page().shared.NewerOffered);
        EXPECT_EQ(VersionLine(), L"Cannot connect to the server");
        EXPECT_EQ(VersionColour(), kNoOfferColour);
        EXPECT_FALSE(Enabled(page().downloadButton));
        EXPECT_FALSE(Shown(page().languageCombo));
        // Download asked anyway fetches nothing: there is no file to ask for.
        page().OnDownload();
        EXPECT_TRUE(fileDialogs.empty());
        EXPECT_FALSE(main->busy);
    }
    // The same server answering again: the line follows.
    ::SetEnvironmentVariableW(L"TORVIK_SERVER", base);
    answerYes = false;
    Open();
    EXPECT_EQ(VersionLine(), L"Latest Version: v1.3 (Ostrel.img)");
    EXPECT_EQ(offers.size(), 1u);
}

TEST_F(FirmwarePageTest, TmWpr6BatchIsOfferedOnlyWhatTheIndexNames)
{
    Simulation& sim = Simulation::Instance();
    sim.Reset();
    sim.Install();
    const std::string batchName = ModelNameOf(0x5011);
    const std::string plainName = ModelNameOf(0x5060);
    const struct {
        const char* name;
        const char* address;  // key 1: bytes 0, 3 and 2 are the address part
        std::string index;
        size_t offers;
        const wchar_t* line;
    } cases[] = {
        {"the batch is offered even an older version", "33 00 00 24 00 00 00 00",
         plainName + ":v9.0:wpr6.img\n" + batchName + ":v1.0:batch.img\n", 1, L"Latest Version: v1.0 (batch.img)"},
        {"other headsets by the usual rules", "11 00 00 22 00 00 00 00",
         plainName + ":v1.0:wpr6.img\n" + batchName + ":v1.0:batch.img\n", 0, L"Latest Version: v1.0 (wpr6.img)"},
        {"the batch without a line of its own: nothing", "33 00 00 24 00 00 00 00", plainName + ":v9.0:wpr6.img\n", 0,
         L"Cannot connect to the server"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sim.LoadText(std::string("dfu.w.pid=0x5060\ndfu.w.ps.0x0001=") + c.address + "\n");
        Recognize(0x5060, {2, 0, 0, 0});
        ServeIndex(c.index);
        offers.clear();
        Open();
        EXPECT_EQ(offers.size(), c.offers);
        EXPECT_EQ(VersionLine(), c.line);
    }
    // No device behind the library: no model, nothing matches.
    sim.LoadText("");
    ServeIndex(plainName + ":v9.0:wpr6.img\n");
    Open();
    EXPECT_EQ(VersionLine(), L"Cannot connect to the server");
    sim.Uninstall();
    sim.Reset();
}

TEST_F(FirmwarePageTest, BrowseKeepsTheFolderAndAsksForUpdate)
{
    Recognize(0x5910, {1, 3, 0, 0});
    ServeIndex(kOstrel + ":v1.3:Ostrel.img\n");
    main->currentPath.Empty();
    main->GoToFirmwareUpdate(1);
    chosenPath = L"C:\\Rides\\fw\\TorvikOstrel_v1.3.img";
    page().OnBrowse();  // busy: refused in silence
    EXPECT_TRUE(fileDialogs.empty());
    FetchIndex();

    chosenPath.Empty();  // Cancel
    page().PressButton(IDC_FW_BROWSE);
    ASSERT_EQ(fileDialogs.size(), 1u);
    EXPECT_TRUE(fileDialogs[0].open);
    EXPECT_EQ(fileDialogs[0].initialDir, ProgramImgFolder());
    EXPECT_EQ(fileDialogs[0].filter, L"*.img|*.IMG|");
    EXPECT_TRUE(fileDialogs[0].flags & OFN_HIDEREADONLY);
    EXPECT_EQ(page().fileEdit.GetWindowTextLength(), 0);

    chosenPath = L"C:\\Rides\\fw\\TorvikOstrel_v1.3.img";
    page().PressButton(IDC_FW_BROWSE);
    EXPECT_EQ(page().fileEdit.GetWindowText(), chosenPath);
    EXPECT_EQ(main->currentPath, L"C:\\Rides\\fw\\");
    EXPECT_EQ(Status(), L"Press the [UPDATE] button");
    EXPECT_EQ(main->LastStatusNotWarning(), 1);
    EXPECT_EQ(page().PageStatus.Percent, -1);
    EXPECT_TRUE(Enabled(main->actionButton));
    // The next dialog opens where the last file was.
    page().PressButton(IDC_FW_BROWSE);
    EXPECT_EQ(fileDialogs.back().initialDir, L"C:\\Rides\\fw\\");
}

TEST_F(FirmwarePageTest, AnUpdateEndingBesideOneVariantLeavesTheVoicePromptStepsHidden)
{
    // No headset answers: the update fails at its first check.
    Simulation& sim = Simulation::Instance();
    sim.Reset();
    sim.Install();
    Recognize(0x5910, {1, 3, 0, 0});
    ServeIndex(kOstrel + ":v1.3:English:Ostrel_en.img\n");
    Open();
    chosenPath = L"C:\\Rides\\fw\\Ostrel_en.img";
    page().PressButton(IDC_FW_BROWSE);
    main->PressButton(IDC_ACTION);
    EXPECT_TRUE(main->busy);
    for (int tick = 0; tick < 5 && main->busy; ++tick) page().SendMessage(WM_TIMER, kProgressTimer);
    EXPECT_FALSE(main->busy);
    EXPECT_EQ(Status(), L"Failed to update firmware. Not the recognized device");
    EXPECT_FALSE(Shown(page().languageCombo));
    EXPECT_FALSE(Shown(page().stepsStatic));
    sim.Uninstall();
    sim.Reset();
}

TEST_F(FirmwarePageTest, DownloadToAChosenFileWithProgress)
{
    TempFolder folder(L"fwpage");
    const int before = 102 * 1024 * 11;  // about one percent of the fixed total
    const std::string file = "Gated.img";
    testserver::Gate gate(L"fwpage");
    ASSERT_TRUE(testserver::ServeFile(L"malvobluetoothmanager/Gated.img.with",
                                      "size=" + std::to_string(before + 1000) + "&pause_after=" +
                                          std::to_string(before) + "&gate=fwpage"));
    Recognize(0x5910, {1, 3, 0, 0});
    ServeIndex(kOstrel + ":v1.3:" + file + "\n");
    Open();
    chosenPath = folder / L"Ostrel.img";
    page().PressButton(IDC_FW_DOWNLOAD);
    ASSERT_EQ(fileDialogs.size(), 1u);
    EXPECT_FALSE(fileDialogs[0].open);
    EXPECT_EQ(fileDialogs[0].fileName, CString::FromUtf8(file));
    const wchar_t filter[] = L"Firmware Files(*.img)\0*.img\0";
    EXPECT_EQ(CFileDialog::BuildFilter(fileDialogs[0].filter), std::wstring(filter, std::size(filter)));
    EXPECT_EQ(fileDialogs[0].flags & (OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_CREATEPROMPT | OFN_LONGNAMES),
              static_cast<DWORD>(OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_CREATEPROMPT | OFN_LONGNAMES));
    EXPECT_TRUE(main->busy);
    EXPECT_EQ(page().PageStatus.State, UpdateStateDownloading);
    EXPECT_EQ(Status(), L"On updating firmware. about to download latest firmware");
    EXPECT_EQ(main->currentPath, folder.Path() + L"\\");

    // The bar follows the bytes while they arrive.
    page().SendMessage(WM_TIMER, kDownloadTimer);
    EXPECT_TRUE(PumpMessagesUntil([this] { return main->transferPercent >= 1; }, 20000));
    EXPECT_TRUE(Shown(main->progress));
    EXPECT_EQ(main->percentNumber.GetWindowText(), L"1");
    EXPECT_TRUE(main->busy);
    gate.Open();
    ASSERT_TRUE(PumpMessagesUntil([this] { return !page().DownloadRunning(); }, 20000));
    Settle();

    std::string saved;
    ASSERT_TRUE(ReadWholeFile(chosenPath, saved));
    EXPECT_EQ(saved.size(), static_cast<size_t>(before + 1000));
    EXPECT_EQ(page().fileEdit.GetWindowText(), chosenPath);
    EXPECT_EQ(Status(), L"Press the [UPDATE] button");
    EXPECT_EQ(main->LastStatusNotWarning(), 1);
    EXPECT_FALSE(main->busy);
    EXPECT_EQ(main->transferPercent, -1);
    EXPECT_FALSE(Shown(main->progress));
    EXPECT_EQ(page().PageStatus.State, UpdateStateIdle);
    // Not an accepted offer: the update waits for the user.
    EXPECT_NE(page().PageStatus.State, UpdateStateStarted);
}

TEST_F(FirmwarePageTest, FailedDownloadsWarnAndLeaveNoFile)
{
    TempFolder folder(L"fwpage");
    ASSERT_TRUE(WriteWholeFile(folder / L"kept.img", std::string("older package")));
    ASSERT_TRUE(WriteWholeFile(folder / L"locked.img", std::string("read-only package")));
    ASSERT_TRUE(::SetFileAttributesW(folder / L"locked.img", FILE_ATTRIBUTE_READONLY));
    const struct {
        const char* name;
        const char* file;
        const wchar_t* target;
        const wchar_t* status;
    } cases[] = {
        {"not on the server (404)", "Absent.img", L"a.img", L"Failed to download latest firmware. Cannot connect to the server"},
        {"connection dropped", "Dropped.img", L"b.img", L"Failed to download latest firmware. Cannot connect to the server"},
        {"folder missing", "Small.img", L"missing\\c.img", L"Failed to download latest firmware. Cannot open file"},
        {"an existing file stays as it was", "Absent.img", L"kept.img",
         L"Failed to download latest firmware. Cannot connect to the server"},
        // Chosen in the save dialog and confirmed for replacing.
        {"a read-only file is not replaced", "Small.img", L"locked.img",
         L"Failed to download latest firmware. Cannot open file"},
    };
    ASSERT_TRUE(testserver::ServeFile(L"malvobluetoothmanager/Dropped.img.with", "size=200000&drop=50000"));
    ASSERT_TRUE(testserver::ServeFile(L"malvobluetoothmanager/Small.img.with", "size=100"));
    Recognize(0x5910, {1, 3, 0, 0});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ServeIndex(kOstrel + ":v1.3:" + c.file + "\n");
        Open();
        chosenPath = folder / c.target;
        page().PressButton(IDC_FW_DOWNLOAD);
        RunDownload();
        EXPECT_EQ(Status(), c.status);
        EXPECT_EQ(main->LastStatusNotWarning(), 0);
        EXPECT_FALSE(main->busy);
        EXPECT_EQ(main->transferPercent, -1);
        EXPECT_EQ(page().fileEdit.GetWindowTextLength(), 0);
        EXPECT_EQ(page().PageStatus.State, UpdateStateIdle);
    }
    EXPECT_FALSE(CFile::Exists(folder / L"a.img"));
    EXPECT_FALSE(CFile::Exists(folder / L"b.img"));
    std::string kept;
    ASSERT_TRUE(ReadWholeFile(folder / L"kept.img", kept));
    EXPECT_EQ(kept, "older package");
    ASSERT_TRUE(ReadWholeFile(folder / L"locked.img", kept));
    EXPECT_EQ(kept, "read-only package");
    EXPECT_TRUE(::GetFileAttributesW(folder / L"locked.img") & FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(CFile::Exists(PartialFilePath(folder / L"locked.img")));
    ::SetFileAttributesW(folder / L"locked.img", FILE_ATTRIBUTE_NORMAL);

    // The server gone between the index and the download.
    ServeIndex(kOstrel + ":v1.3:Ostrel.img\n");
    Open();
    ::SetEnvironmentVariableW(L"TORVIK_SERVER", L"http://127.0.0.1:9");
    chosenPath = folder / L"d.img";
    page().PressButton(IDC_FW_DOWNLOAD);
    RunDownload();
    EXPECT_EQ(Status(), L"Failed to download latest firmware. Cannot connect to the server");
    EXPECT_FALSE(CFile::Exists(folder / L"d.img"));
}

TEST_F(FirmwarePageTest, DownloadUsesOnlyARealSelectionOfTheChoice)
{
    Recognize(0x5910, {1, 3, 0, 0});
    ServeIndex(OstrelVariants("1.3"));
    main->applyToFirmwareLanguage = false;
    Open();
    page().languageCombo.SetCurSel(2);
    chosenPath.Empty();  // Cancel: the page is idle again and the offer withdrawn
    page().PressButton(IDC_FW_DOWNLOAD);
    ASSERT_EQ(fileDialogs.size(), 1u);
    EXPECT_EQ(fileDialogs[0].fileName, L"Ostrel_de.img");
    EXPECT_FALSE(main->busy);
    EXPECT_FALSE(page().shared.NewerOffered);
    EXPECT_EQ(page().PageStatus.State, UpdateStateDownloading);  // as it was left

    // No selection: the file chosen before stays.
    page().languageCombo.SetCurSel(-1);
    page().PressButton(IDC_FW_DOWNLOAD);
    ASSERT_EQ(fileDialogs.size(), 2u);
    EXPECT_EQ(fileDialogs[1].fileName, L"Ostrel_de.img");
}

}  // namespace
