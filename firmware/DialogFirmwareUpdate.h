// Page 3: the firmware file to write, the newest version the server offers,
// and the start of a firmware update.
#pragma once

#include <list>
#include <memory>

#include "app/WizardPage.h"
#include "dfu/DFUEngine.h"
#include "firmware/DfuRoad.h"
#include "firmware/FirmwareIndex.h"
#include "firmware/FirmwareServer.h"
#include "firmware/UpdateStatus.h"
#include "firmware/WriterContext.h"
#include "framework/BackgroundJob.h"
#include "framework/Sync.h"

// While 1, reading the firmware index may offer a newer firmware; a language
// change clears it once so the same offer is not made twice.
extern int OfferArmed;

// Timers of the page.
constexpr UINT_PTR kIndexTimer = 201;
constexpr UINT kIndexDelayMs = 500;
constexpr UINT kIndexAfterLanguageMs = 10;
constexpr UINT_PTR kProgressTimer = 203;
constexpr UINT_PTR kReturnTimer = 205;
// The download of the chosen server file: once after kDownloadDelayMs, then
// every kDownloadPollMs for its progress until it ends.
constexpr UINT_PTR kDownloadTimer = 206;
constexpr UINT kDownloadDelayMs = 500;
constexpr UINT kDownloadPollMs = 250;

// The colour of the version line when nothing is offered.
constexpr COLORREF kNoOfferColour = 0x0070FF;

class CDialogFirmwareUpdate : public CWizardPage, public DFUEngine::Callback {
public:
    // One callback of the DFU library, queued on the library's thread for the
    // user-interface thread.
    struct CCallbackData {
        enum Kind : int { Notify = 1, StateChange = 2, OperationDone = 3 };
        int kind = Notify;
        int value = 0;
        DFUEngine::Status status;
    };

    explicit CDialogFirmwareUpdate(CWnd* parent = nullptr);

    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    // The main window shows the page: reset the record, clear the file and the
    // voice-prompt list, and read the server's firmware index.
    void ShowPage();
    // Captions, the place of Download and the version line in the current language.
    void RefreshLabels();
    // ACTION on page 3, and the same start after the user confirmed it in a box.
    void BeginUpdate();
    void BeginUpdateConfirmed();
    // The restore hands over its downloaded package (PackagePath of the restore
    // page's record): the update starts with page 4 current and the progress
    // timer takes it from there.
    void StartRestoredUpdate();
    // 1 when the offered version is to be offered to the user as an update.
    int IsNewerFirmwareOffered();

    // Browse: a local package.
    void OnBrowse();
    // Download: the offered file to a place the user chooses.
    void OnDownload();
    void OnTimer(UINT_PTR id);
    // The version line in orange while nothing is offered.
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    LRESULT OnIndexFetched(WPARAM, LPARAM);
    LRESULT OnDownloadEnded(WPARAM, LPARAM);

    // True while the index is being fetched.
    bool IndexFetchRunning() const { return m_indexFetch.Running(); }
    // True while the chosen server file is being downloaded.
    bool DownloadRunning() const { return m_download.Running(); }

    // DFU callbacks waiting for the user-interface thread, under QueueLock.
    std::list<std::shared_ptr<CCallbackData>> CallbackQueue;
    CCriticalSection QueueLock;
    // The DFU library's two engines (the second for the second device, or the
    // second attempt), whether each holds a device, and DfuPhase: 0 no
    // DFU-library update runs, 1 the first reconfiguration was started, 2 the
    // second engine took over.
    DfuEngines engines;
    UpdateStatus PageStatus;
    // The fields the writer threads share with the page: NewerOffered (1
    // while the server offers a version newer than the headset's),
    // DfuWaitEvents (DFU state events that came while the headset was not yet
    // back in normal USB mode), DfuStepActive (1 after a DFU step was started,
    // 0 after a state event), ReturnTimer (the running device-return timer
    // 205, 0 when none) and the ToolLog of the external flashing programs.
    UpdatePageState shared;

    CStatic titleStatic;      // 1027
    CEdit fileEdit;           // 1028
    CButton browseButton;     // 1029
    CStatic versionStatic;    // 1030
    CButton downloadButton;   // 1031
    CComboBox languageCombo;  // 1032
    CStatic languageLabel;    // 1035

    // Ticks at 98 percent at the end of a DFU-library update.
    int FinalTicks = 0;
    // Set once the DFU library reported that the device restarts.
    bool RestartSeen = false;

    CStatic stepsStatic;      // 1207

    DECLARE_MESSAGE_MAP()

private:
    void BeginUpdateWith(bool confirmed);
    void StartUpdate();
    void StartUpdateConfirmed();
    // Timer 201: the index fetch starts on a worker.
    void StartIndexFetch();
    // The fetch's end: the offer into the record and the list, the new-firmware
    // offer, and the page idle again.
    void EndIndexFetch(const FirmwareIndexResult& result);
    // The voice-prompt list from the record's variants, the given one selected.
    void FillLanguageCombo(int selection);
    // The variant chosen in the list, -1 when the list has no usable selection.
    int SelectedEntry() const;
    // Timer 206: the download starts, then its progress.
    void StartDownload();
    void PollDownload();
    void EndDownload(FirmwareFileDownload::Outcome outcome);
    // The folder a file dialog opens in.
    CString FileDialogFolder() const;
    // The folder of a chosen path becomes the main window's current folder.
    void KeepFolderOf(const CString& path);
    // The file box shows the path with its end in view.
    void ShowPackagePath(const CString& path);

    CFont m_boldFont;
    BackgroundJob<FirmwareIndexResult> m_indexFetch;
    FirmwareFileDownload m_download;
    // Set from the save dialog's OK until timer 206 starts the download.
    bool m_downloadPending = false;
};
