#include "firmware/DialogFirmwareUpdate.h"

#include "app/Configuration.h"
#include "app/PageHost.h"
#include "app/StatusLine.h"
#include "firmware/DialogNewUpdateFound.h"
#include "firmware/FirmwarePageTexts.h"
#include "firmware/UpdateMessages.h"
#include "res/resource.h"
#include "settingslist/LabelTables.h"

int OfferArmed = 1;

BEGIN_MESSAGE_MAP(CDialogFirmwareUpdate, CWizardPage)
    ON_WM_CTLCOLOR()
    ON_WM_SETCURSOR()
    ON_BN_CLICKED(IDC_FW_BROWSE, OnBrowse)
    ON_BN_CLICKED(IDC_FW_DOWNLOAD, OnDownload)
    ON_WM_TIMER()
    ON_MESSAGE(WM_FIRMWARE_INDEX_DONE, OnIndexFetched)
    ON_MESSAGE(WM_FIRMWARE_DOWNLOAD_DONE, OnDownloadEnded)
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

CDialogFirmwareUpdate::CDialogFirmwareUpdate(CWnd* parent) : CWizardPage(IDD_FIRMWARE_UPDATE, parent) {}

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
    RestartSeen = false;
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
    main->transferPercent = -1;
    engines.DfuPhase = 0;
    engines.PrimaryEngineOpen = false;
    engines.SecondaryEngineOpen = false;
    shared.NewerOffered = 0;
    PageStatus.Reset(UpdateResetModeUpdatePage);
    fileEdit.SetWindowText(L"");
    languageCombo.ResetContent();
    // A fetch still under way belongs to an earlier showing.
    m_indexFetch.Abandon();
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

    const bool offered = HasFirmwareOffer(PageStatus);
    const bool variants = offered && PageStatus.EntryCount() >= 2;
    if (!offered) downloadButton.EnableWindow(FALSE);
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
    versionStatic.SetWindowText(LatestVersionLine(PageStatus, main->targetProductId, language));
    SetRedraw(TRUE);
    Invalidate();
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

void CDialogFirmwareUpdate::BeginUpdateWith(bool confirmed)
{
    CPageHost* main = MainDialog();
    if (!main) return;
    if (shared.ReturnTimer) {
        KillTimer(static_cast<UINT_PTR>(shared.ReturnTimer.load()));
        shared.ReturnTimer = 0;
    }
    RestartSeen = false;
    PageStatus.State = UpdateStateStarted;
    PageStatus.ClearStatusTexts();
    main->SetBusy(true);
    RefreshLabels();
    const int entry = SelectedEntry();
    if (entry >= 0) main->firmwareLanguage = PageStatus.EntryLanguage(entry);
    PageStatus.PackagePath = fileEdit.GetWindowText();
    if (confirmed) StartUpdateConfirmed();
    else StartUpdate();
    SetTimer(kProgressTimer, 1000);
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
    SetTimer(kProgressTimer, 1000);
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
    if (main && id == kProgressTimer && PageStatus.Finished) {
        // Until the update roads are built, an update ends at once: nothing written.
        KillTimer(id);
        PageStatus.State = UpdateStateIdle;
        main->SetBusy(false);
        RefreshLabels();
    }
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
    // Not fetched: nothing is offered (the version stays 0.0.0.0).
    if (result.fetched) {
        StoreFirmwareOffer(result.offer, PageStatus);
        FillLanguageCombo(result.offer.selection);
    }
    if (OfferArmed) {
        shared.NewerOffered = IsNewerFirmwareOffered();
        if (shared.NewerOffered) {
            RefreshLabels();
            CDialogNewUpdateFound offer(main->HostWindow());
            if (offer.DoModal() == IDOK) {
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

CString CDialogFirmwareUpdate::FileDialogFolder() const
{
    const CPageHost* main = MainDialog();
    return main->currentPath.IsEmpty() ? ProgramImgFolder() : main->currentPath;
}

void CDialogFirmwareUpdate::KeepFolderOf(const CString& path)
{
    MainDialog()->currentPath = path.Left(path.ReverseFind(L'\\') + 1);
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
    open.m_initialDir = FileDialogFolder();
    if (open.DoModal() != IDOK) return;
    const CString path = open.GetPathName();
    KeepFolderOf(path);
    ShowPackagePath(path);
    main->ShowEveryStatus(TextPressUpdateButton, 0);
    PageStatus.Percent = -1;
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
    save.m_initialDir = FileDialogFolder();
    if (save.DoModal() != IDOK) {
        shared.NewerOffered = 0;
        main->SetBusy(false);
        RefreshLabels();
        return;
    }
    const CString path = save.GetPathName();
    KeepFolderOf(path);
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
    main->transferPercent = 0;
    main->UpdateNavigation();
    SetTimer(kDownloadTimer, kDownloadPollMs);
}

void CDialogFirmwareUpdate::PollDownload()
{
    CPageHost* main = MainDialog();
    const int percent = m_download.Percent();
    if (percent >= 0 && percent != main->transferPercent) {
        main->transferPercent = percent;
        main->UpdateNavigation();
    }
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
    main->transferPercent = -1;
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

void CDialogFirmwareUpdate::StartUpdate()
{
    PageStatus.Error = UpdateErrorFailed;
    PageStatus.Finished = true;
}

void CDialogFirmwareUpdate::StartUpdateConfirmed() { StartUpdate(); }
