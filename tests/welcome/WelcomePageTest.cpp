// The welcome page on a real main window: the start button, the manager update
// check end to end against the local server, and the main window's use of the
// configuration file and the diagnostic log.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/Configuration.h"
#include "app/ui/DialogMessageBox.h"
#include "app/ui/UpdaterDlg.h"
#include "support/TempFolder.h"
#include "fixtures/server/TestServer.h"
#include "res/resource.h"

namespace {

const char kVersionFile[] = "malvobluetoothmanager/x64/Software";

// One answer of the message box hook and what the box showed.
struct Prompt {
    CString text;
    CString ok, cancel, third;
    int width = 0, height = 0, iconKind = -1;
};

class WelcomePageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (testserver::HttpBase().IsEmpty()) GTEST_SKIP() << "local test server not running (run through CTest)";
        ::SetEnvironmentVariableW(L"TORVIK_SERVER", testserver::HttpBase());
        ::DeleteFileW(ConfigurationFilePath());
        SetModalDialogHook([this](CDialog& dialog, UINT templateId) {
            auto* box = dynamic_cast<CDialogMessageBox*>(&dialog);
            if (templateId != IDD_MESSAGE_BOX || !box) {
                dialog.EndDialog(IDCANCEL);
                return;
            }
            prompts.push_back({box->text, box->okCaption, box->cancelCaption, box->thirdCaption, box->width,
                               box->height, box->iconKind});
            dialog.EndDialog(answerYes ? IDOK : IDCANCEL);
        });
        SetFileDialogHook([this](const CFileDialog& dialog) {
            saveDialogs.push_back({dialog.GetFileName(), dialog.m_initialDir, dialog.m_filter, dialog.m_flags});
            return savePath;
        });
        SetShellOpenHook([this](const CString& verb, const CString& target) -> INT_PTR {
            shellOpens.push_back(verb + L" " + target);
            return shellResult;
        });
    }

    void TearDown() override
    {
        SetModalDialogHook(nullptr);
        SetFileDialogHook(nullptr);
        SetShellOpenHook(nullptr);
        if (main && main->m_hWnd) main->DestroyWindow();
        main.reset();
        ::SetEnvironmentVariableW(L"TORVIK_SERVER", nullptr);
    }

    // The main window after start-up: the welcome page is shown and the check waits on timer 101.
    void Start()
    {
        main = std::make_unique<CUpdaterDlg>();
        ASSERT_TRUE(main->Create(IDD_MAIN, nullptr));
        main->ShowWindow(SW_SHOW);
        main->SendMessage(WM_TIMER, kStartupTimer);
        ASSERT_EQ(PageWelcome, main->currentPage);
    }

    void ServeVersionFile(const std::string& text) { ASSERT_TRUE(testserver::ServeFile(L"malvobluetoothmanager/x64/Software", text)); }
    // How the server answers for an installer it has no file of.
    void ServeInstallerAs(const char* name, const std::string& options)
    {
        ASSERT_TRUE(testserver::ServeFile(L"malvobluetoothmanager/" + CString::FromUtf8(name) + L".with", options));
    }
    void RemoveVersionFile() { ::DeleteFileW(testserver::StateFolder() + L"\\root\\malvobluetoothmanager\\x64\\Software"); }

    // Timer 101 starts the check on a worker; its result arrives as a posted
    // message, so messages are handled until the check is over (bounded).
    void RunCheck()
    {
        page().SendMessage(WM_TIMER, kManagerCheckTimer);
        DWORD deadline = ::GetTickCount() + 60000;
        while (page().versionCheck.Running() && ::GetTickCount() < deadline) {
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        }
        ASSERT_FALSE(page().versionCheck.Running()) << "the check did not end";
    }

    // Polls the download as timer 102 does until the check has ended (bounded).
    void RunDownload()
    {
        DWORD deadline = ::GetTickCount() + 30000;
        while (main->busy && ::GetTickCount() < deadline) {
            page().SendMessage(WM_TIMER, kManagerDownloadTimer);
            if (main->busy) ::Sleep(20);
        }
        ASSERT_EQ(main->busy, 0) << "download did not end";
    }

    CDialogDeviceSelection& page() { return main->selectionPage; }
    static bool Shown(const CWnd& wnd) { return (wnd.GetStyle() & WS_VISIBLE) != 0; }
    CString Status() const { return main->statusText.GetWindowText(); }

    struct SaveDialog {
        CString fileName, initialDir, filter;
        DWORD flags;
    };
    std::unique_ptr<CUpdaterDlg> main;
    std::vector<Prompt> prompts;
    std::vector<SaveDialog> saveDialogs;
    std::vector<CString> shellOpens;
    bool answerYes = true;
    CString savePath;
    INT_PTR shellResult = 42;
};

std::string VersionLines(const char* version, const char* installer, const char* third)
{
    std::string text = std::string("TORVIKBluetoothDeviceManagerForWindows:") + version + ":" + installer + "\n";
    if (third) text += std::string("TORVIKBluetoothDeviceManagerForWindows:") + third + "\n";
    return text;
}

TEST_F(WelcomePageTest, FirstShowingIsBusyUntilTheVersionFileIsFetched)
{
    RemoveVersionFile();
    Start();
    EXPECT_EQ(main->busy, 1);
    EXPECT_EQ(page().updateCheckDone, 0);
    RunCheck();
    // Not fetched: silent, and tried again on the next showing.
    EXPECT_EQ(main->busy, 0);
    EXPECT_EQ(page().updateCheckDone, 0);
    EXPECT_TRUE(prompts.empty());
    main->GoToWelcome();
    EXPECT_EQ(main->busy, 1);

    ServeVersionFile(VersionLines("v1.0", "Setup.exe", "1"));
    RunCheck();
    EXPECT_EQ(main->busy, 0);
    EXPECT_EQ(page().updateCheckDone, 1);
    EXPECT_TRUE(prompts.empty());
    // Once fetched, a later showing neither checks again nor sets busy.
    main->GoToWelcome();
    EXPECT_EQ(main->busy, 0);
}

TEST_F(WelcomePageTest, NothingOfferedWithoutANewerMatchingLine)
{
    struct Case {
        const char* name;
        std::string file;
    };
    const Case cases[] = {
        {"same version", VersionLines("v1.0", "Setup.exe", "1")},
        {"another product's line", "TORVIKBluetoothDeviceManagerForMac:v9.0:Setup.dmg\n"},
        {"name in other letter case", "torvikbluetoothdevicemanagerforwindows:v9.0:Setup.exe\n"},
        {"third number alone", "TORVIKBluetoothDeviceManagerForWindows:7\n"},
        {"empty answer", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ServeVersionFile(c.file);
        Start();
        CString status = Status();
        RunCheck();
        EXPECT_TRUE(prompts.empty());
        EXPECT_EQ(main->busy, 0);
        EXPECT_EQ(Status(), status);
        main->DestroyWindow();
    }
}

TEST_F(WelcomePageTest, NewerVersionIsOfferedAndDeclined)
{
    ServeVersionFile(VersionLines("v1.0", "TORVIKSetup.exe", "2"));
    Start();
    CString status = Status();
    answerYes = false;
    RunCheck();
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(prompts[0].text, TextNewerManagerAvailable(1, 0, 2, LanguageEnglish));
    EXPECT_NE(prompts[0].text.Find(L"v1.0.2?"), -1);
    EXPECT_EQ(prompts[0].ok, L"YES");
    EXPECT_EQ(prompts[0].cancel, L"NO");
    EXPECT_EQ(prompts[0].third, L"Release Notes");
    EXPECT_EQ(prompts[0].iconKind, 0);
    EXPECT_EQ(prompts[0].width, 530);
    EXPECT_EQ(prompts[0].height, 230);
    EXPECT_TRUE(saveDialogs.empty());
    EXPECT_EQ(main->busy, 0);
    EXPECT_EQ(Status(), status);
    EXPECT_EQ(page().updateCheckDone, 1);
}

TEST_F(WelcomePageTest, CancelledSaveDialogStartsNothing)
{
    ServeVersionFile(VersionLines("v2.0", "TORVIKSetup.exe", nullptr));
    Start();
    CString status = Status();
    savePath.Empty();
    RunCheck();
    ASSERT_EQ(saveDialogs.size(), 1u);
    EXPECT_EQ(saveDialogs[0].fileName, L"TORVIKSetup.exe");
    EXPECT_EQ(saveDialogs[0].initialDir, ProgramImgFolder());
    const wchar_t filter[] = L"Manager Update Files(*.exe)\0*.exe\0";
    EXPECT_EQ(CFileDialog::BuildFilter(saveDialogs[0].filter), std::wstring(filter, std::size(filter)));
    EXPECT_TRUE(saveDialogs[0].flags & OFN_OVERWRITEPROMPT);
    EXPECT_EQ(main->busy, 0);
    EXPECT_EQ(main->transferPercent, -1);
    EXPECT_EQ(Status(), status);
    EXPECT_TRUE(shellOpens.empty());
}

TEST_F(WelcomePageTest, YesDownloadsStartsTheInstallerAndCloses)
{
    TempFolder folder(L"welcome");
    std::string installer(150000, 'M');
    installer[0] = 'M';
    installer[1] = 'Z';
    ASSERT_TRUE(testserver::ServeFile(L"malvobluetoothmanager/TORVIKSetup_1.0.2.exe", installer));
    ServeVersionFile(VersionLines("v1.0", "TORVIKSetup_1.0.2.exe", "2"));
    Start();
    main->currentPath = folder.Path() + L"\\";
    savePath = folder / L"Setup.exe";
    RunCheck();
    ASSERT_EQ(saveDialogs.size(), 1u);
    EXPECT_EQ(saveDialogs[0].initialDir, folder.Path() + L"\\");
    EXPECT_EQ(main->busy, 1);
    EXPECT_EQ(main->transferPercent, 0);
    EXPECT_EQ(Status(), L"Downloading the update file.");
    EXPECT_FALSE(Shown(page().startButton));
    // The start button does nothing while the download runs.
    page().OnBnClickedStart();
    EXPECT_EQ(main->currentPage, PageWelcome);

    RunDownload();
    EXPECT_EQ(Status(), L"Successfully downloaded the update file.");
    ASSERT_EQ(shellOpens.size(), 1u);
    EXPECT_EQ(shellOpens[0], L"open \"" + savePath + L"\"");
    std::string saved;
    ASSERT_TRUE(ReadWholeFile(savePath, saved));
    EXPECT_EQ(saved, installer);
    // The manager closed through OK, saving the folder of the installer.
    EXPECT_FALSE(main->IsWindowVisible());
    ConfigurationValues values;
    ASSERT_TRUE(ReadConfigurationFile(ConfigurationFilePath(), values));
    EXPECT_EQ(values.currentPath, folder.Path() + L"\\");
}

TEST_F(WelcomePageTest, ProgressShowsWhileTheInstallerArrives)
{
    TempFolder folder(L"welcome");
    const int before = 102 * 1024 * 11;  // 1 percent of the fixed total
    testserver::Gate gate(L"welcome");
    ServeInstallerAs("Gated.exe", "size=" + std::to_string(before + 100) + "&pause_after=" + std::to_string(before) +
                                      "&gate=welcome");
    ServeVersionFile(VersionLines("v1.1", "Gated.exe", nullptr));
    Start();
    savePath = folder / L"Setup.exe";
    RunCheck();
    ASSERT_EQ(main->busy, 1);
    DWORD deadline = ::GetTickCount() + 20000;
    while (main->transferPercent < 1 && ::GetTickCount() < deadline) {
        page().SendMessage(WM_TIMER, kManagerDownloadTimer);
        ::Sleep(20);
    }
    EXPECT_EQ(main->transferPercent, 1);
    EXPECT_TRUE(Shown(main->progress));
    EXPECT_EQ(main->percentNumber.GetWindowText(), L"1");
    EXPECT_FALSE(Shown(page().startButton));
    EXPECT_TRUE(shellOpens.empty());
    gate.Open();
    RunDownload();
    EXPECT_EQ(shellOpens.size(), 1u);
}

TEST_F(WelcomePageTest, SlowServerKeepsTheProgressAtZeroUntilTheTransferBegins)
{
    TempFolder folder(L"welcome");
    testserver::Gate gate(L"slow");
    ServeInstallerAs("Slow.exe", "size=5000&gate=slow");
    ServeVersionFile(VersionLines("v1.1", "Slow.exe", nullptr));
    Start();
    savePath = folder / L"Setup.exe";
    RunCheck();
    ASSERT_EQ(main->busy, 1);
    // The server has not answered yet: no failure, the bar waits at 0.
    for (int i = 0; i < 5; ++i) {
        page().SendMessage(WM_TIMER, kManagerDownloadTimer);
        ::Sleep(100);
    }
    EXPECT_EQ(main->busy, 1);
    EXPECT_EQ(main->transferPercent, 0);
    EXPECT_TRUE(Shown(main->progress));
    EXPECT_EQ(main->percentNumber.GetWindowText(), L"0");
    EXPECT_EQ(Status(), L"Downloading the update file.");
    EXPECT_EQ(main->LastStatusNotWarning(), 1);
    gate.Open();
    RunDownload();
    EXPECT_EQ(Status(), L"Successfully downloaded the update file.");
    EXPECT_EQ(shellOpens.size(), 1u);
}

TEST_F(WelcomePageTest, FailedDownloadsWarnAndKeepTheManagerOpen)
{
    TempFolder folder(L"welcome");
    // A server that goes quiet fails after a short idle limit here.
    HttpDownloadLimits limits;
    limits.idleLimitMs = 1000;
    SetHttpDownloadLimitsHook(&limits);
    struct RestoreLimits {
        ~RestoreLimits() { SetHttpDownloadLimitsHook(nullptr); }
    } restoreLimits;
    struct Case {
        const char* name;
        const char* installer;
        const wchar_t* file;
        INT_PTR shellResult;
        const wchar_t* status;
    };
    const Case cases[] = {
        {"dropped connection", "Dropped.exe", L"a.exe", 42, L"Cannot connect to the server."},
        {"error answer", "Absent.exe", L"b.exe", 42, L"Cannot connect to the server."},
        {"server goes quiet", "Quiet.exe", L"e.exe", 42, L"Cannot connect to the server."},
        {"folder missing", "Small.exe", L"missing\\c.exe", 42, L"Cannot open file."},
        {"shell cannot start it", "Small.exe", L"d.exe", 2, L"Cannot open file."},
    };
    ServeInstallerAs("Dropped.exe", "size=200000&drop=50000");
    ServeInstallerAs("Quiet.exe", "size=200000&stall=after");
    ServeInstallerAs("Small.exe", "size=100");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        shellOpens.clear();
        shellResult = c.shellResult;
        ServeVersionFile(VersionLines("v1.1", c.installer, nullptr));
        Start();
        savePath = folder / c.file;
        RunCheck();
        RunDownload();
        EXPECT_EQ(Status(), c.status);
        EXPECT_EQ(main->LastStatusNotWarning(), 0);
        EXPECT_EQ(main->transferPercent, -1);
        EXPECT_TRUE(main->IsWindowVisible());
        EXPECT_TRUE(Shown(page().startButton));
        EXPECT_EQ(shellOpens.size(), c.shellResult == 42 ? 0u : 1u);
        main->DestroyWindow();
    }
    // Neither an error page nor half an installer is left behind.
    EXPECT_FALSE(CFile::Exists(folder / L"b.exe"));
    EXPECT_FALSE(CFile::Exists(folder / L"e.exe"));
}

TEST_F(WelcomePageTest, OnlyAnExeInstallerIsFetchedAndStarted)
{
    TempFolder folder(L"welcome");
    ServeInstallerAs("update.cmd", "size=100");
    ServeInstallerAs("Setup.EXE", "size=100");
    struct Case {
        const char* name;
        const char* installer;
        const wchar_t* chosen;  // in the save dialog
        bool started;
    };
    const Case cases[] = {
        {"a command file", "update.cmd", L"update.cmd", false},
        {"a device name", "NUL.exe", L"n.exe", false},
        {"an installer saved as a command file", "Setup.EXE", L"setup.cmd", false},
        {"an installer in capitals", "Setup.EXE", L"Setup.EXE", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        shellOpens.clear();
        ServeVersionFile(VersionLines("v1.1", c.installer, nullptr));
        Start();
        savePath = folder / c.chosen;
        RunCheck();
        RunDownload();
        EXPECT_EQ(shellOpens.size(), c.started ? 1u : 0u);
        EXPECT_EQ(CFile::Exists(savePath), c.started);
        if (!c.started) {
            EXPECT_EQ(Status(), L"Cannot open file.");
            EXPECT_EQ(main->LastStatusNotWarning(), 0);
            EXPECT_TRUE(main->IsWindowVisible());
        }
        main->DestroyWindow();
    }
}

TEST_F(WelcomePageTest, StartButtonGoesToRecognitionForTheTargetModel)
{
    ServeVersionFile(VersionLines("v1.0", "Setup.exe", "1"));
    Start();
    main->targetProductId = 0x5910;
    page().OnBnClickedStart();  // busy: the check has not run yet
    EXPECT_EQ(main->currentPage, PageWelcome);
    EXPECT_EQ(main->targetProductId, 0x5910);
    RunCheck();
    page().PressButton(IDC_SELECTION_START);
    EXPECT_EQ(main->targetProductId, 0x4D10);
    EXPECT_EQ(main->currentPage, PageRecognition);
}

TEST_F(WelcomePageTest, PageBackgroundTakesThePageBrushAndTheButtonKeepsItsDefault)
{
    ServeVersionFile(VersionLines("v1.0", "Setup.exe", "1"));
    Start();
    HDC dc = ::GetDC(page().m_hWnd);
    auto brushFor = [&](UINT message, HWND control) {
        return reinterpret_cast<HBRUSH>(page().SendMessage(message, reinterpret_cast<WPARAM>(dc),
                                                           reinterpret_cast<LPARAM>(control)));
    };
    EXPECT_EQ(brushFor(WM_CTLCOLORDLG, page().m_hWnd), main->PageBrush());
    EXPECT_NE(brushFor(WM_CTLCOLORBTN, page().startButton.m_hWnd), main->PageBrush());
    ::ReleaseDC(page().m_hWnd, dc);
}

TEST_F(WelcomePageTest, MainWindowReadsTheConfigurationAndWritesItOnClose)
{
    ServeVersionFile(VersionLines("v1.0", "Setup.exe", "1"));
    ConfigurationValues stored;
    stored.language = LanguageFrench;
    stored.applyToFirmwareLanguage = 0;
    stored.targetProductId = 0x4D10;
    stored.firmwareLanguage = L"German";
    stored.currentPath = L"C:\\Rides\\";
    ASSERT_TRUE(WriteConfigurationFile(ConfigurationFilePath(), stored));
    Start();
    EXPECT_EQ(main->language, LanguageFrench);
    EXPECT_EQ(main->applyToFirmwareLanguage, 0);
    EXPECT_EQ(main->targetProductId, 0x4D10);
    EXPECT_EQ(main->firmwareLanguage, L"German");
    EXPECT_EQ(main->currentPath, L"C:\\Rides\\");

    // Closing while busy writes nothing and keeps the window.
    ::DeleteFileW(ConfigurationFilePath());
    main->SendMessage(WM_CLOSE);
    EXPECT_FALSE(CFile::Exists(ConfigurationFilePath()));
    EXPECT_TRUE(main->IsWindowVisible());

    RunCheck();
    main->language = LanguageKorean;
    main->currentPath.Empty();
    main->SendMessage(WM_CLOSE);
    EXPECT_FALSE(main->IsWindowVisible());
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(ConfigurationFilePath(), bytes));
    EXPECT_EQ(bytes,
              "keyManagerVersion=v1.0.1\r\nkeyManagerLanguage=Korean\r\nkeyApplyToFirmwareLanguage=0\r\n"
              "keyDeviceTarget=19728\r\nkeyFirmwareLanguage=German\r\n");
}

TEST_F(WelcomePageTest, DiagnosticLogFromThePopupMenu)
{
    TempFolder folder(L"welcome");
    ServeVersionFile(VersionLines("v1.0", "Setup.exe", "1"));
    Start();
    savePath = folder / L"log.wqlnxlog";
    main->SendMessage(WM_COMMAND, ID_MENU_DIAGNOSTIC_LOG);  // busy: refused in silence
    EXPECT_TRUE(saveDialogs.empty());
    RunCheck();
    main->SendMessage(WM_COMMAND, ID_MENU_DIAGNOSTIC_LOG);
    ASSERT_EQ(saveDialogs.size(), 1u);
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(savePath, bytes));
    EXPECT_EQ(bytes.rfind("[Manager Information]\r\nStatus: Press NEXT to proceed.\r\nVersion: 1.0.1\r\n\r\n"
                          "[Device Information]\r\nRecognized: 0\r\nTarget Device: 0000\r\n",
                          0),
              0u);
    EXPECT_EQ(main->currentPath, folder.Path() + L"\\");
}

}  // namespace
