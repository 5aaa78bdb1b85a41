// Page 1, the welcome page: one large button that starts the recognition of
// the manager's target model. The first showing in a run also checks the
// maker's server for a newer manager (timers 101 and 102).
#pragma once

#include "app/ManagerUpdate.h"
#include "app/ui/WizardPage.h"

// Timers of the manager update check.
constexpr UINT_PTR kManagerCheckTimer = 101;
constexpr UINT kManagerCheckDelayMs = 100;
constexpr UINT_PTR kManagerDownloadTimer = 102;
constexpr UINT kManagerDownloadPollMs = 1000;

class CDialogDeviceSelection : public CWizardPage {
public:
    explicit CDialogDeviceSelection(CWnd* parent = nullptr);

    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    // The main window shows the page; the first showing starts the update check.
    void ShowSelectionPage();
    // Shows the start button unless a download runs.
    void RelayoutSelectionPage();
    void OnLanguageChanged() override { RelayoutSelectionPage(); }
    void OnBnClickedStart();
    void OnTimer(UINT_PTR id);
    // The page's own background over the main window's page brush; the start
    // button keeps the default colours.
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);

    // 1 once the version file has been fetched in this run.
    int updateCheckDone = 0;
    CString installerFileName;
    CString installerPath;
    ManagerVersionCheck versionCheck;
    ManagerInstallerDownload installerDownload;
    CButton startButton;  // 1032

    DECLARE_MESSAGE_MAP()

private:
    // Timer 101: starts fetching the version file on a worker.
    void CheckManagerVersion();
    // The worker has fetched the version file (or failed): offers a newer manager.
    LRESULT OnManagerCheckDone(WPARAM, LPARAM);
    // Asks the user and starts the installer download; false when nothing started.
    bool OfferManagerUpdate(const ManagerVersionLine& line);
    // "Cannot open file." as a warning, in every language.
    void WarnCannotOpenFile();
    // Timer 102: progress, then the result and the hand-over to the installer.
    void PollInstallerDownload();
    // Busy off, no progress bar, frame and page refreshed.
    void EndManagerUpdate();
    // Every language's status := compose(language), shown in the current one.
    template <typename Compose>
    void ShowEveryStatus(Compose&& compose, int warning);

    CBitmap m_startBitmap;
};
