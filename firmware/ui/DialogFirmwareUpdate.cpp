#include "firmware/ui/DialogFirmwareUpdate.h"

#include <algorithm>
#include <iterator>
#include <memory>

#include "app/Configuration.h"
#include "app/ui/DialogMessageBox.h"
#include "app/ui/PageHost.h"
#include "app/StatusLine.h"
#include "device/ProductCatalogue.h"
#include "firmware/ui/DialogNewUpdateFound.h"
#include "firmware/FirmwarePageTexts.h"
#include "firmware/UpdateMessages.h"
#include "framework/Clock.h"
#include "res/resource.h"
#include "settingslist/LabelTables.h"

int OfferArmed = 1;

namespace {

constexpr unsigned kCameraHoldMs = 10000;

}  // namespace

bool IsOkContinuationExcluded(int targetProductId)
{
    // The headsets recognized over HID: a writer of theirs that waits for the
    // OK goes on by itself once the OK releases it.
    return ProductTraitsOf(targetProductId).Has(kHidConnected);
}

void HoldForCamera(CPageHost& main, CDialogMessageBox& box)
{
    if (main.targetProductId != kActionCameraProductId || !main.cameraPending) return;
    main.cameraPending = false;
    box.HoldOpen(kCameraHoldMs);
}

BEGIN_MESSAGE_MAP(CDialogFirmwareUpdate, CWizardPage)
    ON_WM_CTLCOLOR()
    ON_WM_SETCURSOR()
    ON_BN_CLICKED(IDC_FW_BROWSE, OnBrowse)
    ON_BN_CLICKED(IDC_FW_DOWNLOAD, OnDownload)
    ON_WM_TIMER()
    ON_MESSAGE(WM_FIRMWARE_INDEX_DONE, OnIndexFetched)
    ON_MESSAGE(WM_FIRMWARE_DOWNLOAD_DONE, OnDownloadEnded)
    ON_MESSAGE(WM_DFU_CALLBACK, OnDfuCallback)
    ON_MESSAGE(WM_RETURN_TIMER_REQUEST, OnReturnTimerRequest)
END_MESSAGE_MAP()

namespace {

// The controls that take the page's bold font, in this order.
constexpr int kBoldControls[] = {IDC_FW_TITLE,    IDC_FW_FILE,     IDC_FW_BROWSE,         IDC_FW_VERSION,
                                 IDC_FW_DOWNLOAD, IDC_FW_LANGUAGE, IDC_FW_LANGUAGE_LABEL, IDC_FW_STEPS};

// "%s %s" and "%s. %s" of a title and a detail.
CString InProgress(const CString& title, const CString& detail)
{
    return CString::FillPlaceholders(L"%s %s", {title, detail});
}
CString Failure(const CString& title, const CString& detail)
{
    return CString::FillPlaceholders(L"%s. %s", {title, detail});
}

}  // namespace

UINT ClockPeriod(UINT milliseconds)
{
    return std::max<UINT>(USER_TIMER_MINIMUM, static_cast<UINT>(milliseconds * Clock::Scale()));
}

CDialogFirmwareUpdate::CDialogFirmwareUpdate(CWnd* parent)
    : CWizardPage(IDD_FIRMWARE_UPDATE, parent), driver(shared, engines, this, *this)
{
}

CDialogFirmwareUpdate::~CDialogFirmwareUpdate()
{
    // The engines stop before anything they call back into goes.
    engines.PrimaryEngine.Destroy();
    engines.SecondaryEngine.Destroy();
}

void CDialogFirmwareUpdate::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_FW_TITLE, titleStatic);
    DDX_Control(dx, IDC_FW_FILE, fileEdit);
    DDX_Control(dx, IDC_FW_BROWSE, browseButton);
    DDX_Control(dx, IDC_FW_VERSION, versionStatic);
    DDX_Control(dx, IDC_FW_DOWNLOAD, downloadButton);
    DDX_Control(dx, IDC_FW_LANGUAGE, languageCombo);
    DDX_Control(dx, IDC_FW_LANGUAGE_LABEL, languageLabel);
    DDX_Control(dx, IDC_FW_STEPS, stepsStatic);
}

BOOL CDialogFirmwareUpdate::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    shared.ReturnTimer = 0;
    // One bold copy of the dialog font, kept for the life of the page.
    if (m_boldFont.CreateBoldOf(GetFontHandle())) {
        for (int id : kBoldControls) {
            SendDlgItemMessageW(m_hWnd, id, WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(m_boldFont)),
                                id == IDC_FW_STEPS);
        }
    }
    return TRUE;
}

HBRUSH CDialogFirmwareUpdate::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor)
{
    HBRUSH brush = CWizardPage::OnCtlColor(dc, wnd, ctlColor);
    if (wnd && wnd->m_hWnd == versionStatic.m_hWnd) {
        dc->SetTextColor(HasFirmwareOffer(PageStatus) ? RGB(0, 0, 0) : kNoOfferColour);
    }
    return brush;
}

void CDialogFirmwareUpdate::ShowPage()
{
    CPageHost* main = MainDialog();
    if (!main) return;
    main->SetTransferPercent(-1);
    engines.DfuPhase = 0;
    engines.PrimaryEngineOpen = false;
    engines.SecondaryEngineOpen = false;
    shared.NewerOffered = 0;
    PageStatus.Reset(UpdateResetModeUpdatePage);
    fileEdit.SetWindowText(L"");
    languageCombo.ResetContent();
    // A fetch still under way belongs to an earlier showing.
    m_indexFetch.Abandon();
    m_indexPending = true;
    main->SetBusy(true);
    RefreshLabels();
    SetTimer(kIndexTimer, kIndexDelayMs);
}

void CDialogFirmwareUpdate::RefreshLabels()
{
    const CPageHost* main = MainDialog();
    if (!main) return;
    const LanguageIndex language = main->language;
    SetRedraw(FALSE);
    const CRect browse = browseButton.GetWindowRect();
    const CRect combo = languageCombo.GetWindowRect();
    CRect download = downloadButton.GetWindowRect();
    const int downloadTop = combo.top + (combo.Height() - download.Height()) / 2;
    download = CRect(download.left, downloadTop, download.right, downloadTop + browse.Height());

    titleStatic.SetWindowText(TextFirmwareToUpdate(language));
    browseButton.SetWindowText(TextBrowse(language));
    downloadButton.SetWindowText(TextDownload(language));
    stepsStatic.SetWindowText(TextVoicePromptSteps(language));
    const bool idle = !main->busy;
    browseButton.EnableWindow(idle);
    downloadButton.EnableWindow(idle);
    languageCombo.EnableWindow(idle);

    if (!HasFirmwareOffer(PageStatus)) downloadButton.EnableWindow(FALSE);
    const bool variants = ShowsVoicePromptChoice();
    if (variants) {
        FillLanguageCombo(languageCombo.GetCurSel());
        languageLabel.SetWindowText(GetLabelText(VoicePromptLabels, language));
        download.OffsetRect(0, combo.bottom - browse.bottom);
    }
    const int show = variants ? SW_SHOW : SW_HIDE;
    languageCombo.ShowWindow(show);
    languageLabel.ShowWindow(show);
    stepsStatic.ShowWindow(show);

    ScreenToClient(&download);
    downloadButton.MoveWindow(download);
    // Nothing has failed while the index is still on its way.
    versionStatic.SetWindowText(m_indexPending ? CString()
                                               : LatestVersionLine(PageStatus, main->targetProductId, language));
    SetRedraw(TRUE);
    Invalidate();
}

void CDialogFirmwareUpdate::OnLanguageChanged()
{
    const CPageHost* main = MainDialog();
    if (languageCombo.GetCount() > 0 && main && main->applyToFirmwareLanguage) {
        OfferArmed = 0;
        PageStatus.Reset(UpdateResetModeUpdatePage);
        languageCombo.ResetContent();
        m_indexPending = true;
        RefreshLabels();
        SetTimer(kIndexTimer, kIndexAfterLanguageMs);
    } else {
        RefreshLabels();
    }
}

bool CDialogFirmwareUpdate::ShowsVoicePromptChoice() const
{
    return HasFirmwareOffer(PageStatus) && PageStatus.EntryCount() >= 2;
}

void CDialogFirmwareUpdate::FillLanguageCombo(int selection)
{
    const CPageHost* main = MainDialog();
    const LanguageIndex language = main ? main->language : LanguageEnglish;
    languageCombo.ResetContent();
    for (int i = 0; i < PageStatus.EntryCount(); ++i) {
        languageCombo.AddString(LocalizeLanguageName(PageStatus.EntryLanguage(i), language));
    }
    if (selection >= 0 && selection < PageStatus.EntryCount()) languageCombo.SetCurSel(selection);
}

int CDialogFirmwareUpdate::SelectedEntry() const
{
    const int selection = languageCombo.GetCurSel();
    return (selection >= 0 && selection < languageCombo.GetCount() && selection < PageStatus.EntryCount()) ? selection
                                                                                                          : -1;
}

void CDialogFirmwareUpdate::BeginUpdate() { BeginUpdateWith(false); }
void CDialogFirmwareUpdate::BeginUpdateConfirmed() { BeginUpdateWith(true); }

void CDialogFirmwareUpdate::ContinueAfterBackupNotice()
{
    CPageHost* main = MainDialog();
    if (!main || !main->waitForUser) return;
    main->ReleaseWaitingWriter();
    if (!IsOkContinuationExcluded(main->targetProductId)) BeginUpdateConfirmed();
}

void CDialogFirmwareUpdate::BeginUpdateWith(bool confirmed)
{
    CPageHost* main = MainDialog();
    if (!main) return;
    if (shared.ReturnTimer) KillReturnTimer();
    PageStatus.State = UpdateStateStarted;
    PageStatus.ClearStatusTexts();
    main->SetBusy(true);
    RefreshLabels();
    const int entry = SelectedEntry();
    if (entry >= 0) main->ChooseFirmwareLanguage(PageStatus.EntryLanguage(entry));
    PageStatus.PackagePath = fileEdit.GetWindowText();
    if (confirmed) StartUpdateConfirmed();
    else StartUpdate();
    SetTimer(kProgressTimer, ClockPeriod(kProgressPeriodMs));
}

int CDialogFirmwareUpdate::IsNewerFirmwareOffered()
{
    const CPageHost* main = MainDialog();
    // Nothing matched in the index: nothing to offer, whatever the model.
    if (!main || !HasFirmwareOffer(PageStatus)) return 0;
    return ::IsNewerFirmwareOffered(*main, PageStatus) ? 1 : 0;
}

void CDialogFirmwareUpdate::StartRestoredUpdate()
{
    StartUpdate();
    SetTimer(kProgressTimer, ClockPeriod(kProgressPeriodMs));
}

void CDialogFirmwareUpdate::OnTimer(UINT_PTR id)
{
    CPageHost* main = MainDialog();
    if (main && id == kIndexTimer) StartIndexFetch();
    if (main && id == kDownloadTimer) {
        if (DownloadRunning()) PollDownload();
        else if (m_downloadPending) StartDownload();
        else KillTimer(id);
    }
    if (main && id == kProgressTimer) ProgressTimerTick();
    if (main && id == kReturnTimer) ReturnTimerTick();
    CWnd::OnTimer(id);
}

void CDialogFirmwareUpdate::StartIndexFetch()
{
    KillTimer(kIndexTimer);
    CPageHost* main = MainDialog();
    if (IndexFetchRunning()) return;
    // The page stays busy until the fetch has ended.
    if (!main->busy) main->SetBusy(true);
    FirmwareIndexQuery query;
    query.modelName = IndexModelName(main->targetProductId);
    query.fourPartVersion = main->targetProductId == kActionCameraProductId;
    query.firmwareLanguage = main->firmwareLanguage;
    if (main->applyToFirmwareLanguage) query.interfaceLanguage = EnglishLanguageName(main->language);
    // The fetch runs on a worker, so the window keeps answering; the worker
    // only posts a message when it is done.
    const HWND page = m_hWnd;
    const bool started = m_indexFetch.Start([query] { return FetchFirmwareIndex(query); },
                                            [page] { ::PostMessageW(page, WM_FIRMWARE_INDEX_DONE, 0, 0); });
    if (!started) EndIndexFetch(FirmwareIndexResult{});
}

LRESULT CDialogFirmwareUpdate::OnIndexFetched(WPARAM, LPARAM)
{
    if (std::optional<FirmwareIndexResult> result = m_indexFetch.Take()) EndIndexFetch(*result);
    return 0;
}

void CDialogFirmwareUpdate::EndIndexFetch(const FirmwareIndexResult& result)
{
    CPageHost* main = MainDialog();
    if (!main) return;
    m_indexPending = false;
    // Not fetched: nothing is offered (the version stays 0.0.0.0).
    if (result.fetched) {
        StoreFirmwareOffer(result.offer, PageStatus);
        FillLanguageCombo(result.offer.selection);
    }
    if (OfferArmed) {
        shared.NewerOffered = IsNewerFirmwareOffered();
        if (shared.NewerOffered) {
            RefreshLabels();
            CDialogNewUpdateFound offer(main->HostWindow(), OfferView());
            if (offer.DoModal() == IDOK) {
                const int chosen = offer.chosenVoicePrompt;
                if (chosen >= 0 && chosen < languageCombo.GetCount()) languageCombo.SetCurSel(chosen);
                PostMessage(WM_COMMAND, MAKEWPARAM(IDC_FW_DOWNLOAD, BN_CLICKED),
                            reinterpret_cast<LPARAM>(downloadButton.m_hWnd));
            } else {
                shared.NewerOffered = 0;
            }
        }
    } else {
        OfferArmed = 1;
    }
    PageStatus.State = UpdateStateIdle;
    main->SetBusy(false);
    RefreshLabels();
}

FirmwareOfferView CDialogFirmwareUpdate::OfferView() const
{
    const CPageHost* main = MainDialog();
    const int target = main->targetProductId;
    FirmwareOfferView view;
    view.newVersion = OfferedVersionText(target, PageStatus.OfferedMajor, PageStatus.OfferedMinor,
                                         PageStatus.OfferedSecondaryType, PageStatus.OfferedSecondaryVersion);
    view.currentVersion = CurrentVersionText(target, main->deviceSettings.Firmware);
    for (int i = 0; i < languageCombo.GetCount(); ++i) view.voicePrompts.push_back(languageCombo.GetLBText(i));
    view.selection = languageCombo.GetCurSel();
    return view;
}

void CDialogFirmwareUpdate::ShowPackagePath(const CString& path)
{
    fileEdit.SetWindowText(path);
    fileEdit.SetSel(path.GetLength(), path.GetLength());
}

void CDialogFirmwareUpdate::OnBrowse()
{
    CPageHost* main = MainDialog();
    if (!main || main->busy) return;
    CFileDialog open(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, kBrowseFileFilter, main->HostWindow());
    open.m_initialDir = main->FileDialogFolder();
    open.m_pathTooLongText = TextPathTooLong(main->language);
    open.m_nameNotValidText = TextNameNotValid(main->language);
    if (open.DoModal() != IDOK) return;
    const CString path = open.GetPathName();
    main->KeepFolderOf(path);
    ShowPackagePath(path);
    main->ShowEveryStatus(TextPressUpdateButton, 0);
    PageStatus.SetPercent(-1);
    PageStatus.Finished = false;
    main->UpdateNavigation();
    RefreshLabels();
}

void CDialogFirmwareUpdate::OnDownload()
{
    CPageHost* main = MainDialog();
    if (!main || main->busy) return;
    if (languageCombo.GetCount() > 0) {
        const int entry = SelectedEntry();
        if (entry >= 0) PageStatus.ChosenFile = PageStatus.EntryFile(entry);
    }
    // Nothing offered: there is no file to fetch (never the bare folder).
    if (!HasFirmwareOffer(PageStatus)) return;
    PageStatus.State = UpdateStateDownloading;
    main->SetBusy(true);
    RefreshLabels();

    CFileDialog save(FALSE, nullptr, PageStatus.ChosenFile,
                     OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_CREATEPROMPT | OFN_LONGNAMES,
                     TextFirmwareFileFilter(main->language), main->HostWindow());
    save.m_initialDir = main->FileDialogFolder();
    save.m_pathTooLongText = TextPathTooLong(main->language);
    save.m_nameNotValidText = TextNameNotValid(main->language);
    save.m_folderNotFoundText = TextFolderNotFound(main->language);
    if (save.DoModal() != IDOK) {
        shared.NewerOffered = 0;
        main->SetBusy(false);
        RefreshLabels();
        return;
    }
    const CString path = save.GetPathName();
    main->KeepFolderOf(path);
    PageStatus.PackagePath = path;
    const int page = main->currentPage;
    const int usbStatus = main->usbStatus;
    auto compose = [page, usbStatus](LanguageIndex language) {
        return InProgress(StatusInProgressText(page, usbStatus, language), TextAboutToDownloadLatestFirmware(language));
    };
    PageStatus.SetStatusTexts(compose);
    main->ShowEveryStatus(compose, 0);
    m_downloadPending = true;
    SetTimer(kDownloadTimer, kDownloadDelayMs);
}

void CDialogFirmwareUpdate::StartDownload()
{
    KillTimer(kDownloadTimer);
    m_downloadPending = false;
    CPageHost* main = MainDialog();
    const HWND page = m_hWnd;
    if (!m_download.Start(PageStatus.ChosenFile, PageStatus.PackagePath,
                          [page] { ::PostMessageW(page, WM_FIRMWARE_DOWNLOAD_DONE, 0, 0); })) {
        EndDownload(FirmwareFileDownload::Outcome::CannotConnect);
        return;
    }
    main->ShowTransferPercent(0);
    SetTimer(kDownloadTimer, kDownloadPollMs);
}

void CDialogFirmwareUpdate::PollDownload()
{
    CPageHost* main = MainDialog();
    const int percent = m_download.Percent();
    if (percent >= 0 && percent != main->transferPercent) main->ShowTransferPercent(percent);
}

LRESULT CDialogFirmwareUpdate::OnDownloadEnded(WPARAM, LPARAM)
{
    const FirmwareFileDownload::Outcome outcome = m_download.TakeOutcome();
    if (outcome != FirmwareFileDownload::Outcome::Running) EndDownload(outcome);
    return 0;
}

void CDialogFirmwareUpdate::EndDownload(FirmwareFileDownload::Outcome outcome)
{
    using Outcome = FirmwareFileDownload::Outcome;
    KillTimer(kDownloadTimer);
    CPageHost* main = MainDialog();
    const bool downloaded = outcome == Outcome::Downloaded;
    if (downloaded) ShowPackagePath(PageStatus.PackagePath);
    PageStatus.State = UpdateStateIdle;
    main->SetTransferPercent(-1);
    main->SetBusy(false);
    RefreshLabels();
    if (downloaded && shared.NewerOffered) {
        main->ShowStatus(main->ComposeProgressStatus(), 0);
    } else if (downloaded) {
        main->ShowEveryStatus(TextPressUpdateButton, 0);
    } else {
        const auto detail = outcome == Outcome::CannotOpenFile ? TextCannotOpenFile : TextCannotConnectToServer;
        auto failure = [detail](LanguageIndex language) {
            return Failure(TextFailedToDownloadLatestFirmware(language), detail(language));
        };
        main->ShowEveryStatus(failure, 1);
    }
    // An accepted offer goes on to the update by itself.
    if (shared.NewerOffered && downloaded) {
        CWnd* action = main->HostWindow()->GetDlgItem(IDC_ACTION);
        main->HostWindow()->PostMessage(WM_COMMAND, MAKEWPARAM(IDC_ACTION, BN_CLICKED),
                                        reinterpret_cast<LPARAM>(action ? action->m_hWnd : nullptr));
    }
}

// ---------------------------------------------------------------------------
// The update

namespace {

// The box after a successful update, by target product.
enum class SuccessBox { None, ClearPairing, PowerCycle, CameraSteps };

SuccessBox SuccessBoxOf(int targetProductId)
{
    if (ProductTraitsOf(targetProductId).Has(kClearPairingAfterUpdate)) return SuccessBox::ClearPairing;
    if (targetProductId == kTwoChipHeadsetProductId) return SuccessBox::PowerCycle;
    if (targetProductId == kActionCameraProductId) return SuccessBox::CameraSteps;
    return SuccessBox::None;
}

constexpr int kWarningIcon = 1;
constexpr int kLogoIcon = 0;

// A modal box of the program with an OK button, and what its OK does first.
void ShowOkBox(CPageHost* main, const CString& text, int icon, CSize size,
               std::function<void(CDialogMessageBox&)> okContinuation = nullptr)
{
    CDialogMessageBox box(main->HostWindow());
    const CString ok = TextOk(main->language);
    box.Setup(text, icon, nullptr, ok, size);
    box.okContinuation = std::move(okContinuation);
    box.DoModal();
}

}  // namespace

AppState& CDialogFirmwareUpdate::MainState() { return *MainDialog(); }

UpdateStatus& CDialogFirmwareUpdate::WorkingStatus()
{
    CPageHost* main = MainDialog();
    return main ? main->UpdateWorkPage().UpdateRecord() : PageStatus;
}

void CDialogFirmwareUpdate::StartUpdate() { driver.Start(false); }

void CDialogFirmwareUpdate::StartUpdateConfirmed() { driver.Start(true); }

void CDialogFirmwareUpdate::OnDfuNotify(int value, const DFUEngine::Status& status)
{
    driver.QueueCallback(CCallbackData::Notify, value, status);
}

void CDialogFirmwareUpdate::OnDfuStateChange(int value, const DFUEngine::Status& status)
{
    driver.QueueStateChange(value, status);
}

void CDialogFirmwareUpdate::OnDfuOperationDone(int value, const DFUEngine::Status& status)
{
    driver.QueueCallback(CCallbackData::OperationDone, value, status);
}

LRESULT CDialogFirmwareUpdate::OnDfuCallback(WPARAM, LPARAM)
{
    if (MainDialog()) driver.HandleQueuedCallback();
    return 0;
}

void CDialogFirmwareUpdate::ContinueDfuStep(const DFUEngine::Status& status) { driver.ContinueDfuStep(status); }

LRESULT CDialogFirmwareUpdate::OnReturnTimerRequest(WPARAM, LPARAM)
{
    if (MainDialog()) driver.OnReturnTimerRequest();
    return 0;
}

void CDialogFirmwareUpdate::ProgressTimerTick()
{
    CPageHost* main = MainDialog();
    UpdateStatus& status = WorkingStatus();
    if (status.Finished) {
        EndUpdate(main, status);
        return;
    }
    if (status.Percent >= 0) main->SetTransferPercent(driver.ProgressTick(status));
    ShowRecordStatus(main, status);
}

void CDialogFirmwareUpdate::ShowRecordStatus(CPageHost* main, UpdateStatus& status)
{
    const std::array<CString, LanguageCount> texts = status.TakeStatusTexts();
    for (LanguageIndex language = 0; language < LanguageCount; ++language) {
        if (!texts[static_cast<size_t>(language)].IsEmpty()) main->SetStatusText(texts[static_cast<size_t>(language)], language);
    }
    main->ShowStatus(main->GetStatusText(), status.Error != UpdateErrorNone);
    main->UpdateNavigation();
}

void CDialogFirmwareUpdate::EndUpdate(CPageHost* main, UpdateStatus& status)
{
    shared.NewerOffered = 0;
    KillTimer(kProgressTimer);
    driver.Release(status);
    status.State = UpdateStateIdle;
    main->SetBusy(false);
    IUpdateWorkPage& work = main->UpdateWorkPage();
    work.RefreshForUpdate();
    status.PromptTicks = 0;
    status.PhaseTicks = 0;
    const int page = main->currentPage;
    if (status.Percent == 100) {
        const int usbStatus = main->usbStatus;
        status.SetStatusTexts([&](LanguageIndex language) { return StatusSuccessText(page, usbStatus, language); });
        main->SetTransferPercent(100);
        ShowSuccessBox(main);
        // Recognition runs at once: after an update it reads the headset afresh,
        // after a restore it writes the archived settings to it.
        main->GoToRecognition(0, work.SettingsToWriteBack(), page);
        return;
    }
    if (status.Error == UpdateErrorWrongDevice) {
        ShowOkBox(main, TextWrongDevice(main->language), kWarningIcon, CSize(400, 165));
        main->GoToWelcome();
    }
    // The failure texts stand in the record.
    ShowRecordStatus(main, status);
}

void CDialogFirmwareUpdate::ShowSuccessBox(CPageHost* main)
{
    const LanguageIndex language = main->language;
    switch (SuccessBoxOf(main->targetProductId)) {
    case SuccessBox::None: break;
    case SuccessBox::ClearPairing:
        ShowOkBox(main, TextClearPairingAdvice(language), kWarningIcon, CSize(530, 160));
        break;
    case SuccessBox::PowerCycle: {
        const CString success = StatusSuccessText(main->currentPage, main->usbStatus, language);
        ShowOkBox(main, TextPowerCycleToApply(success, language), kLogoIcon, CSize(380, 145));
        break;
    }
    case SuccessBox::CameraSteps:
        // The box's OK holds the rider while the camera finishes its part.
        main->cameraPending = true;
        ShowOkBox(main, TextCameraUpdateSteps(language), kWarningIcon, CSize(550, 180),
                  [main](CDialogMessageBox& box) { HoldForCamera(*main, box); });
        break;
    }
}

void CDialogFirmwareUpdate::ReturnTimerTick()
{
    CPageHost* main = MainDialog();
    if (driver.ReturnTick() == ReturnTickResult::Waiting) return;
    main->ShowTransferPercent(WorkingStatus().Percent);
}

void CDialogFirmwareUpdate::OpenPrompt(UpdateStatus& status, Prompt prompt)
{
    CPageHost* main = MainDialog();
    if (!main) return;
    CString text;
    CString ok;
    CSize size(400, 110);
    switch (prompt) {
    case Prompt::HoldKey: text = main->TextHoldKey(); break;
    case Prompt::HoldTwoKeys: text = main->TextHoldTwoKeys(); break;
    case Prompt::BackupFailed:
        text = main->TextBackupCreationFailed();
        ok = TextOk(main->language);
        size = CSize(500, 180);
        break;
    }
    auto box = std::make_unique<CDialogMessageBox>(main->HostWindow());
    box->Setup(text, kWarningIcon, nullptr, ok.IsEmpty() ? nullptr : static_cast<const wchar_t*>(ok), size);
    if (prompt == Prompt::BackupFailed) box->okContinuation = [this](CDialogMessageBox&) { ContinueAfterBackupNotice(); };
    if (!box->CreateModeless(main->HostWindow())) return;
    // Centred on the main window.
    const CRect frame = main->HostWindow()->GetWindowRect();
    box->SetWindowPos(nullptr, frame.left + (frame.Width() - size.cx) / 2, frame.top + (frame.Height() - size.cy) / 2,
                      0, 0, SWP_NOSIZE | SWP_NOZORDER);
    box->ShowWindow(SW_SHOW);
    status.SetPrompt(box.release());
}

bool CDialogFirmwareUpdate::PromptAnswered(const UpdateStatus& status)
{
    // A prompt is answered by its OK, which hides the modeless box.
    const auto* box = dynamic_cast<const CDialogMessageBox*>(status.Prompt());
    return box && (!box->m_hWnd || !::IsWindowVisible(box->m_hWnd));
}

void CDialogFirmwareUpdate::StartReturnTimer()
{
    shared.ReturnTimer = static_cast<int>(SetTimer(kReturnTimer, ClockPeriod(kReturnPeriodMs)));
}

void CDialogFirmwareUpdate::KillReturnTimer()
{
    KillTimer(kReturnTimer);
    shared.ReturnTimer = 0;
}

void CDialogFirmwareUpdate::PostDfuCallback() { ::PostMessageW(m_hWnd, WM_DFU_CALLBACK, 0, 0); }

std::function<void()> CDialogFirmwareUpdate::ReturnTimerRequest()
{
    const HWND page = m_hWnd;
    return [page] { ::PostMessageW(page, WM_RETURN_TIMER_REQUEST, 0, 0); };
}

void CDialogFirmwareUpdate::WaitCursor(bool on)
{
    if (on) {
        m_cursorBeforeWait = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    } else {
        ::SetCursor(m_cursorBeforeWait);
        m_cursorBeforeWait = nullptr;
    }
}
