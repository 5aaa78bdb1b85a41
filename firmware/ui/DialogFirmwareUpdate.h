// Page 3: the firmware file to write, the newest version the server offers,
// and the start of a firmware update.
#pragma once

#include <functional>

#include "app/ui/PageHost.h"
#include "app/ui/WizardPage.h"
#include "dfu/DFUEngine.h"
#include "firmware/DfuRoad.h"
#include "firmware/FirmwareIndex.h"
#include "firmware/FirmwareServer.h"
#include "firmware/UpdateDriver.h"
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
// Progress and end of an update, each second; the headset's return, every half
// second. Their seconds are the program's clock's, so a simulation's time
// scale runs them faster too.
constexpr UINT_PTR kProgressTimer = 203;
constexpr UINT kProgressPeriodMs = 1000;
constexpr UINT_PTR kReturnTimer = 205;
constexpr UINT kReturnPeriodMs = 500;
// A period of the program's clock in real milliseconds.
UINT ClockPeriod(UINT milliseconds);
// The download of the chosen server file: once after kDownloadDelayMs, then
// every kDownloadPollMs for its progress until it ends.
constexpr UINT_PTR kDownloadTimer = 206;
constexpr UINT kDownloadDelayMs = 500;
constexpr UINT kDownloadPollMs = 250;

// The colour of the version line when nothing is offered.
constexpr COLORREF kNoOfferColour = 0x0070FF;

class CDialogMessageBox;
struct FirmwareOfferView;

// Target products whose waiting writer needs no new start from the OK of the
// backup-failed notice (they are not updated through the DFU library).
bool IsOkContinuationExcluded(int targetProductId);

// OK of the action camera's success box: while the camera finishes its own
// update (cameraPending, cleared here), the box is held ten seconds.
void HoldForCamera(CPageHost& main, CDialogMessageBox& box);

class CDialogFirmwareUpdate : public CWizardPage,
                              public IUpdateWorkPage,
                              public DFUEngine::Callback,
                              private IUpdateWindow {
public:
    // One callback of the DFU library, queued on the library's thread for the
    // user-interface thread.
    using CCallbackData = DfuCallbackData;

    explicit CDialogFirmwareUpdate(CWnd* parent = nullptr);
    ~CDialogFirmwareUpdate() override;

    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    // The main window shows the page: reset the record, clear the file and the
    // voice-prompt list, and read the server's firmware index.
    void ShowPage();
    // Captions, the place of Download and the version line in the current language.
    void RefreshLabels();
    // ACTION on page 3, and the same start after the user confirmed it in a box.
    void BeginUpdate();
    void OnAction() override { BeginUpdate(); }
    // A new language reads the index again when it also chooses the voice
    // prompts (without offering the same firmware twice); else the labels.
    void OnLanguageChanged() override;
    void BeginUpdateConfirmed();
    // OK of the backup-failed notice: the waiting writer goes on, and a model
    // outside IsOkContinuationExcluded starts again as confirmed.
    void ContinueAfterBackupNotice();
    // The restore hands over its downloaded package (PackagePath of the restore
    // page's record): the update starts with page 4 current and the progress
    // timer takes it from there.
    void StartRestoredUpdate();
    // True when the offered firmware comes in two or more voice-prompt
    // languages: the page then shows the choice, its caption and the steps.
    bool ShowsVoicePromptChoice() const;
    // 1 when the offered version is to be offered to the user as an update.
    int IsNewerFirmwareOffered();
    // What the new-firmware offer shows: the versions and the page's voice-prompt list.
    FirmwareOfferView OfferView() const;
    // The start of an update on the working record (the update page's own on
    // page 3, the restore page's on page 4): by its road, or the DFU library
    // road that the user confirmed.
    void StartUpdate();
    void StartUpdateConfirmed();

    // The DFU library's reports, on an engine's thread: each is queued and the
    // page posts itself WM_DFU_CALLBACK (state changes only into an empty queue).
    void OnDfuNotify(int value, const DFUEngine::Status& status) override;
    void OnDfuStateChange(int value, const DFUEngine::Status& status) override;
    void OnDfuOperationDone(int value, const DFUEngine::Status& status) override;
    // WM_DFU_CALLBACK: one queued report on the user-interface thread.
    LRESULT OnDfuCallback(WPARAM, LPARAM);
    // The next DFU step after one that succeeded.
    void ContinueDfuStep(const DFUEngine::Status& status);
    // WM_RETURN_TIMER_REQUEST: a writer thread asks for timer 205.
    LRESULT OnReturnTimerRequest(WPARAM, LPARAM);
    // The record of the running operation.
    UpdateStatus& WorkingStatus() override;

    // As the page an update works for: its own record, its labels, no settings
    // to write back.
    UpdateStatus& UpdateRecord() override { return PageStatus; }
    void RefreshForUpdate() override { RefreshLabels(); }
    const DeviceSettings* SettingsToWriteBack() override { return nullptr; }

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

    CStatic stepsStatic;      // 1207

    // The running update: its start and roads, the DFU callbacks (its queue),
    // the ticks of timers 203 and 205 (RestartSeen and the ticks at 98
    // percent); it releases the engines before they go.
    UpdateDriver driver;

    DECLARE_MESSAGE_MAP()

private:
    void BeginUpdateWith(bool confirmed);
    // Timer 203: the progress of the working record, or the end of the update.
    void ProgressTimerTick();
    // The end: the page idle, then recognition (success), the welcome page
    // (another product) or the failure texts left on the status line.
    void EndUpdate(CPageHost* main, UpdateStatus& status);
    // The box shown after a successful update of some models.
    void ShowSuccessBox(CPageHost* main);
    // The record's pending texts into the status line, shown.
    void ShowRecordStatus(CPageHost* main, UpdateStatus& status);
    // Timer 205: the headset's return.
    void ReturnTimerTick();

    // IUpdateWindow: the main window's state, the prompts, timer 205, posted
    // messages, the wait cursor.
    AppState& MainState() override;
    void OpenPrompt(UpdateStatus& status, Prompt prompt) override;
    bool PromptAnswered(const UpdateStatus& status) override;
    void StartReturnTimer() override;
    void KillReturnTimer() override;
    void PostDfuCallback() override;
    std::function<void()> ReturnTimerRequest() override;
    void WaitCursor(bool on) override;
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
    // The file box shows the path with its end in view.
    void ShowPackagePath(const CString& path);

    CFont m_boldFont;
    BackgroundJob<FirmwareIndexResult> m_indexFetch;
    FirmwareFileDownload m_download;
    // Set from the save dialog's OK until timer 206 starts the download.
    bool m_downloadPending = false;
    // Set from the page's opening (or a language change that reads the index
    // again) until the fetch has ended: the version line says nothing yet.
    bool m_indexPending = false;
    HCURSOR m_cursorBeforeWait = nullptr;
};
