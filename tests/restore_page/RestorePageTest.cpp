// The restore page in the real main window against the local server: the
// lookup's outcomes, what the page shows of an archive, the voice-prompt
// choice, and the download's outcomes up to the hand-over to the update.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "app/MainWindowFixture.h"
#include "firmware/SettingsArchive.h"
#include "fixtures/server/TestServer.h"
#include "framework/File.h"
#include "framework/Time.h"
#include "restore/BackupDownload.h"
#include "support/DrawnText.h"
#include "support/TempFolder.h"

namespace {

constexpr DWORD kDownloadWaitMs = 60000;

class RestorePageTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        if (testserver::HttpBase().IsEmpty()) GTEST_SKIP() << "local test server not running (run through CTest)";
        ::SetEnvironmentVariableW(L"TORVIK_SERVER", testserver::HttpBase());
        ::DeleteFileW(testserver::StateFolder() + L"\\root\\malvobluetoothmanager\\Revisions");
        MainWindowTest::SetUp();
        restore().archiveFolder = folder.Path() + L"\\";
    }

    void TearDown() override
    {
        MainWindowTest::TearDown();
        ::SetEnvironmentVariableW(L"TORVIK_SERVER", nullptr);
    }

    CDialogFirmwareRestore& restore() { return main->firmwareRestorePage; }

    // An archive of the product at a firmware version, as the update writes it.
    void Archive(DeviceSettings settings)
    {
        ASSERT_TRUE(WriteWholeFile(SettingsArchivePath(restore().archiveFolder, settings.ProductId),
                                   SettingsArchiveText(settings).ToAnsi()));
    }
    static DeviceSettings Settings(int productId, int major, int minor)
    {
        DeviceSettings s;
        s.SetDefaults(productId, major, minor);
        s.ProductId = productId;
        s.Firmware.Major = major;
        s.Firmware.Minor = minor;
        s.ArchiveTime = 1356994798;  // 12/31/2012 23:59:58 UTC
        return s;
    }
    static std::string Model(int productId) { return GetModelName(productId, 1).ToAnsi(); }

    void ServeRevisions(const std::string& text)
    {
        ASSERT_TRUE(testserver::ServeFile(L"malvobluetoothmanager/Revisions", text));
    }
    void ServeFirmware(const char* name, const std::string& bytes)
    {
        ASSERT_TRUE(testserver::ServeFile((CString(L"malvobluetoothmanager/") + CString::FromUtf8(name)), bytes));
    }

    // Page 4 for a recognized product, the lookup run.
    void Open(int productId)
    {
        Recognize(productId);
        main->GoToFirmwareRestore(1);
        ASSERT_EQ(PageFirmwareRestore, main->currentPage);
        EXPECT_TRUE(main->busy);
        Lookup();
    }

    // Timer 202, then the page's messages until its lookup has ended.
    void Lookup()
    {
        restore().SendMessage(WM_TIMER, kLookupTimer);
        ASSERT_TRUE(PumpMessagesUntil([this] { return !restore().LookupRunning(); }, 30000)) << "the lookup did not end";
    }

    // ACTION, then the page's messages until the download thread reported.
    int Restore()
    {
        Click(IDC_ACTION);
        statusAtStart = Status();
        const DWORD start = ::GetTickCount();
        while (::GetTickCount() - start < kDownloadWaitMs) {
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                const bool done = msg.message == WM_BACKUP_DOWNLOAD_DONE && msg.hwnd == restore().m_hWnd;
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
                if (done) return static_cast<int>(msg.wParam);
            }
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
        return -1;
    }

    CString Status() const { return main->GetStatusText(); }
    bool Warning() const { return main->LastStatusNotWarning() == 0; }

    // Only the title: neither archive rows, the voice-prompt choice nor the list.
    void ExpectOnlyTitle()
    {
        CDialogFirmwareRestore& page = restore();
        EXPECT_TRUE(Shown(page.titleStatic));
        for (const CWnd* control : {static_cast<const CWnd*>(&page.versionCaption), static_cast<const CWnd*>(&page.versionStatic),
                                    static_cast<const CWnd*>(&page.dateCaption), static_cast<const CWnd*>(&page.dateStatic),
                                    static_cast<const CWnd*>(&page.languageCombo), static_cast<const CWnd*>(&page.languageLabel),
                                    static_cast<const CWnd*>(&page.backupList)}) {
            EXPECT_FALSE(Shown(*control)) << control->GetDlgCtrlID();
        }
        for (int n = 0; n < kArchivedPairCount; ++n) EXPECT_FALSE(Shown(page.pairNames[n]) || Shown(page.pairValues[n]));
    }

    int ShownPairs()
    {
        int count = 0;
        for (int n = 0; n < kArchivedPairCount; ++n) {
            EXPECT_EQ(Shown(restore().pairNames[n]), Shown(restore().pairValues[n]));
            if (Shown(restore().pairNames[n])) count = n + 1;
        }
        return count;
    }

    TempFolder folder{L"restore_page"};
    // The status line right after ACTION.
    CString statusAtStart;
};

TEST_F(RestorePageTest, TheLookupsFailuresLeaveOnlyTheTitle)
{
    struct Case {
        const char* name;
        bool archive;            // an archive of the targeted model
        bool otherArchive;       // an archive of another model
        const char* revisions;   // null: the server has none
        const wchar_t* status;
    };
    const std::string model = Model(0x4D10);
    const std::string otherVersion = model + ":v4.2:a.img\r\n";
    const Case cases[] = {
        {"no archive", false, false, nullptr, L"Failed to restore firmware. NO backup firmware"},
        {"an archive of another model", false, true, nullptr, L"Failed to restore firmware. NO backup firmware"},
        {"no revisions index", true, false, nullptr, L"Failed to restore firmware. Cannot connect to the server"},
        {"an empty revisions index", true, false, "", L"Failed to restore firmware. Cannot connect to the server"},
        {"no line of the version", true, false, otherVersion.c_str(),
         L"Failed to restore firmware. No backup firmware on the server"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder each(L"restore_case");
        restore().archiveFolder = each.Path() + L"\\";
        if (c.archive) Archive(Settings(0x4D10, 5, 0));
        if (c.otherArchive) Archive(Settings(0x4D20, 5, 0));
        ::DeleteFileW(testserver::StateFolder() + L"\\root\\malvobluetoothmanager\\Revisions");
        if (c.revisions) ServeRevisions(c.revisions);
        Open(0x4D10);
        EXPECT_EQ(CString(c.status), Status());
        EXPECT_TRUE(Warning());
        EXPECT_FALSE(main->busy);
        EXPECT_FALSE(restore().restoreStatus.BackupFound);
        EXPECT_FALSE(Enabled(main->actionButton));
        EXPECT_FALSE(Shown(main->sectionFirstButton));
        ExpectOnlyTitle();
    }
}

TEST_F(RestorePageTest, BeforeTheLookupThePageIsBusyAndBlank)
{
    Archive(Settings(0x4D10, 5, 0));
    Recognize(0x4D10);
    main->GoToFirmwareRestore(1);
    EXPECT_TRUE(main->busy);
    EXPECT_FALSE(Enabled(main->actionButton));
    ExpectOnlyTitle();
    // Navigation is refused meanwhile.
    Click(IDC_BACK);
    EXPECT_EQ(PageFirmwareRestore, main->currentPage);
}

TEST_F(RestorePageTest, AnOlderModelsArchiveShowsItsVersionDateAndPairs)
{
    DeviceSettings archived = Settings(0x4D10, 5, 0);
    archived.HandsfreeVOX = 1;
    archived.IntercomVOX = 0;
    Archive(archived);
    ServeRevisions(Model(0x4D10) + ":v4.9:old.img\r\n" + Model(0x4D10) + ":v5.0:" + Model(0x4D10) + "_5_0.img\r\n");
    Open(0x4D10);

    EXPECT_EQ(CString(L"Press the [RESTORE] button"), Status());
    EXPECT_FALSE(Warning());
    EXPECT_FALSE(main->busy);
    EXPECT_TRUE(Enabled(main->actionButton));
    EXPECT_EQ(GetModelName(0x4D10, 1) + L"_5_0.img", restore().restoreStatus.ChosenFile);
    EXPECT_FALSE(Shown(restore().languageCombo));
    EXPECT_FALSE(Shown(restore().backupList));
    EXPECT_EQ(CString(L"Version:"), restore().versionCaption.GetWindowText());
    EXPECT_EQ(CString(L"v5.0"), restore().versionStatic.GetWindowText());
    EXPECT_EQ(CTime(archived.ArchiveTime).Format(L"%m/%d/%Y %H:%M:%S"), restore().dateStatic.GetWindowText());
    EXPECT_EQ(6, ShownPairs());
    EXPECT_EQ(CString(L"VOX Phone:"), restore().pairNames[0].GetWindowText());
    EXPECT_EQ(CString(L"Enabled"), restore().pairValues[0].GetWindowText());
    EXPECT_EQ(CString(L"Disabled"), restore().pairValues[1].GetWindowText());
    EXPECT_EQ(CString(L"Microphone Boosting:"), restore().pairNames[5].GetWindowText());

    // The archived product's sections: basic settings, then speed dial.
    ASSERT_EQ(2, restore().sectionCount);
    EXPECT_EQ(kSectionSpeedDial, restore().sectionKinds[1]);
}

TEST_F(RestorePageTest, AnArchiveDateThatCannotBeReadShowsNoDate)
{
    std::string text = SettingsArchiveText(Settings(0x4D10, 5, 0)).ToAnsi();
    const size_t date = text.find("keyDateArchived=");
    ASSERT_NE(std::string::npos, date);
    text.replace(date, text.find('\n', date) - date, "keyDateArchived=someday");
    ASSERT_TRUE(WriteWholeFile(SettingsArchivePath(restore().archiveFolder, 0x4D10), text));
    ServeRevisions(Model(0x4D10) + ":v5.0:a.img\r\n");
    Open(0x4D10);
    ASSERT_TRUE(restore().restoreStatus.BackupFound);
    EXPECT_EQ(CString(L"v5.0"), restore().versionStatic.GetWindowText());
    EXPECT_EQ(CString(), restore().dateStatic.GetWindowText());
}

TEST_F(RestorePageTest, TheFmRadioSectionShowsRegionPresetsAndRds)
{
    DeviceSettings archived = Settings(0x5040, 5, 0);
    archived.FmRegion = 2;
    archived.FmPresets[0] = 8750;
    Archive(archived);
    ServeRevisions(Model(0x5040) + ":v5.0:a.img\r\n");
    Open(0x5040);
    ASSERT_TRUE(restore().restoreStatus.BackupFound);
    EXPECT_EQ(5, ShownPairs());
    EXPECT_EQ(static_cast<DWORD>(SS_RIGHT), restore().pairNames[0].GetStyle() & SS_RIGHT);

    const int* kinds = restore().sectionKinds;
    const int fm = static_cast<int>(std::find(kinds, kinds + restore().sectionCount, kSectionFmRadio) - kinds);
    ASSERT_LT(fm, restore().sectionCount);
    // As the frame's section chooser does it.
    restore().currentSection = fm;
    restore().FillBackupInfoLabels();
    restore().RefreshRestorePage();
    EXPECT_EQ(CString(L"Radio Region:"), restore().dateCaption.GetWindowText());
    EXPECT_EQ(CString(L"Asia"), restore().dateStatic.GetWindowText());
    EXPECT_EQ(6, ShownPairs());
    EXPECT_EQ(CString(L' ', 25) + L" 1:   87.5 MHz", restore().pairNames[0].GetWindowText());
    EXPECT_EQ(0u, restore().pairNames[0].GetStyle() & SS_RIGHT);
    EXPECT_EQ(CString(L"RDS AF (Alternative Frequencies):"), restore().pairNames[5].GetWindowText());
    // ... and back: the names are right-aligned again.
    restore().currentSection = 0;
    restore().RefreshRestorePage();
    EXPECT_EQ(static_cast<DWORD>(SS_RIGHT), restore().pairNames[0].GetStyle() & SS_RIGHT);
    EXPECT_EQ(CString(L"Date:"), restore().dateCaption.GetWindowText());
    EXPECT_EQ(5, ShownPairs());
}

TEST_F(RestorePageTest, ANewerModelsArchiveShowsItsList)
{
    DeviceSettings archived = Settings(0x5520, 1, 3);
    archived.SettingWords[14] = 7;
    Archive(archived);
    ServeRevisions(Model(0x5520) + ":v1.3:a.img\n");
    Open(0x5520);
    ASSERT_TRUE(restore().restoreStatus.BackupFound);
    EXPECT_TRUE(Shown(restore().backupList));
    EXPECT_EQ(0, ShownPairs());
    ASSERT_EQ(10, restore().backupList.GetItemCount());
    EXPECT_EQ(CString(L"VOX Sensitivity"), restore().backupList.GetItemText(4, 0));
    EXPECT_EQ(CString(L":"), restore().backupList.GetItemText(4, 1));
    EXPECT_EQ(CString(L"Level 7"), restore().backupList.GetItemText(4, 2));
    EXPECT_TRUE(restore().IsFirstColumnRightAligned(restore().backupList));

    // Another section: the list goes, the speed-dial pairs come, with no text of before.
    restore().currentSection = 1;
    ASSERT_EQ(kSectionSpeedDial, restore().CurrentSectionKind());
    restore().RefreshRestorePage();
    EXPECT_FALSE(Shown(restore().backupList));
    EXPECT_EQ(0, restore().backupList.GetItemCount());
    EXPECT_EQ(3, ShownPairs());
    EXPECT_EQ(CString(L"Speed Dial 1:"), restore().pairNames[0].GetWindowText());
}

// Drawn, every name of the list ends at its column's edge, next to the colon
// of the column beside it, whatever its letters: the names of 0x5910 in
// English, Finnish and German, some of whose letters Wine draws narrower than
// their measure.
TEST_F(RestorePageTest, TheNamesOfTheListEndEvenlyBeforeTheirColons)
{
    Archive(Settings(0x5910, 1, 2));
    ServeRevisions(Model(0x5910) + ":v1.2:a.img\n");
    for (LanguageIndex language : {LanguageEnglish, LanguageFinnish, LanguageGerman}) {
        SCOPED_TRACE(language);
        main->language = language;
        Open(0x5910);
        CConfigListCtrl& list = restore().backupList;
        const int rows = list.GetItemCount();
        ASSERT_GT(rows, 5);
        const CRect last = list.GetCellRect(rows - 1, 0);
        TextCanvas canvas(list.GetCellRect(0, 2).right, last.bottom + 1);
        ASSERT_TRUE(canvas.Ready());
        ::SelectObject(canvas.Dc(), reinterpret_cast<HFONT>(list.SendMessage(WM_GETFONT)));
        for (int row = 0; row < rows; ++row) {
            DRAWITEMSTRUCT dis{};
            dis.CtlType = ODT_LISTVIEW;
            dis.itemID = static_cast<UINT>(row);
            dis.hwndItem = list.m_hWnd;
            dis.hDC = canvas.Dc();
            list.DrawItem(&dis);
        }
        const std::vector<DWORD> pixels = canvas.Pixels();
        const int width = list.GetCellRect(0, 2).right;
        for (int row = 0; row < rows; ++row) {
            const CRect name = list.GetCellRect(row, 0);
            int inkEnd = name.left;
            for (int y = std::max(0, int(name.top)); y < name.bottom; ++y)
                for (int x = std::max(0, int(name.left)); x < name.right; ++x)
                    if ((pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF) != 0xFFFFFF) inkEnd = std::max(inkEnd, x + 1);
            EXPECT_LE(name.right - inkEnd, 2) << list.GetItemText(row, 0).ToUtf8();
        }
    }
}

TEST_F(RestorePageTest, VoicePromptVariantsAreOfferedInTheInterfaceLanguage)
{
    Archive(Settings(0x4D10, 5, 0));
    const std::string m = Model(0x4D10);
    ServeRevisions(m + ":v5.0:English:en.img\n" + m + ":v5.0:French:fr.img\n" + m + ":v5.0:German:de.img\nX:v1:y\n");
    main->firmwareLanguage = L"French";
    main->applyToFirmwareLanguage = false;
    Open(0x4D10);
    EXPECT_EQ(CString(L"Press the [RESTORE] button after selecting voice prompt language"), Status());
    ASSERT_EQ(3, restore().languageCombo.GetCount());
    EXPECT_TRUE(Shown(restore().languageCombo));
    EXPECT_TRUE(Shown(restore().languageLabel));
    EXPECT_EQ(CString(L"Voice Prompt"), restore().languageLabel.GetWindowText());
    EXPECT_EQ(1, restore().languageCombo.GetCurSel());
    EXPECT_EQ(CString(L"fr.img"), restore().restoreStatus.ChosenFile);
    EXPECT_EQ(CString(L"Version: v5.0"), restore().versionCaption.GetWindowText());
    EXPECT_TRUE(Enabled(restore().languageCombo));
    // While the frame's section list is open the choice cannot be changed.
    main->sectionListOpen = true;
    restore().RefreshRestorePage();
    EXPECT_FALSE(Enabled(restore().languageCombo));
    EXPECT_EQ(1, restore().languageCombo.GetCurSel());
    main->sectionListOpen = false;

    // A language change with the option set looks again and takes the new language's variant.
    main->ApplyLanguage(LanguageGerman, true);
    EXPECT_EQ(0, restore().languageCombo.GetCount());
    Lookup();
    ASSERT_EQ(3, restore().languageCombo.GetCount());
    EXPECT_EQ(2, restore().languageCombo.GetCurSel());
    EXPECT_EQ(CString(L"de.img"), restore().restoreStatus.ChosenFile);
    EXPECT_EQ(LocalizeLanguageName(L"English", LanguageGerman), restore().languageCombo.GetLBText(0));
    EXPECT_EQ(CString(GetLabelText(VoicePromptLabels, LanguageGerman)), restore().languageLabel.GetWindowText());
}

TEST_F(RestorePageTest, ASuccessfulDownloadHandsThePackageToTheUpdate)
{
    Archive(Settings(0x4D10, 5, 0));
    const std::string m = Model(0x4D10);
    ServeRevisions(m + ":v5.0:English:en_backup.img\n" + m + ":v5.0:German:de_backup.img\n");
    const std::string firmware(40000, 'G');
    ServeFirmware("de_backup.img", firmware);
    main->applyToFirmwareLanguage = false;
    Open(0x4D10);
    ASSERT_EQ(2, restore().languageCombo.GetCount());
    restore().languageCombo.SetCurSel(1);

    EXPECT_EQ(BackupDownloadOutcomeDone, Restore());
    EXPECT_EQ(CString(L"On restoring firmware. about to download backup firmware"), statusAtStart);
    // The choice at the moment of RESTORE decides the file and is remembered.
    EXPECT_EQ(CString(L"German"), main->firmwareLanguage);
    EXPECT_EQ(CString(L"de_backup.img"), restore().restoreStatus.ChosenFile);
    const CString package = restore().archiveFolder + GetModelName(0x4D10, 1) + L".img";
    EXPECT_EQ(package, restore().restoreStatus.PackagePath);
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(package, bytes));
    EXPECT_EQ(firmware, bytes);
    // The update has taken over: still busy, the restore page still current,
    // the update page (never shown) made to run it.
    EXPECT_TRUE(main->busy);
    EXPECT_EQ(PageFirmwareRestore, main->currentPage);
    EXPECT_TRUE(main->firmwareUpdatePage.IsWindow());
    EXPECT_FALSE(Shown(main->firmwareUpdatePage));
}

TEST_F(RestorePageTest, AFailedDownloadIsReportedAndCanBeTriedAgain)
{
    struct Case {
        const char* name;
        bool folderInTheWay;
        BackupDownloadOutcome outcome;
        const wchar_t* status;
    };
    const Case cases[] = {
        {"the server has no such file", false, BackupDownloadOutcomeCannotConnect,
         L"Failed to download latest firmware. Cannot connect to the server"},
        {"the package cannot be created", true, BackupDownloadOutcomeCannotOpenFile,
         L"Failed to download latest firmware. Cannot open file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder each(L"restore_fail");
        restore().archiveFolder = each.Path() + L"\\";
        Archive(Settings(0x4D10, 5, 0));
        ServeRevisions(Model(0x4D10) + ":v5.0:absent_" + std::to_string(c.outcome) + ".img\n");
        if (c.folderInTheWay) {
            ServeFirmware(("absent_" + std::to_string(c.outcome) + ".img").c_str(), "x");
            ASSERT_TRUE(EnsureFolder(restore().archiveFolder + GetModelName(0x4D10, 1) + L".img"));
        }
        Open(0x4D10);
        ASSERT_TRUE(Enabled(main->actionButton));
        for (int attempt = 0; attempt < 2; ++attempt) {
            EXPECT_EQ(c.outcome, Restore());
            EXPECT_EQ(CString(c.status), Status());
            EXPECT_TRUE(Warning());
            EXPECT_FALSE(main->busy);
            EXPECT_EQ(UpdateStateDownloading, restore().restoreStatus.State);
            EXPECT_TRUE(restore().restoreStatus.BackupFound);
            EXPECT_TRUE(Enabled(main->actionButton));
        }
    }
}

}  // namespace
