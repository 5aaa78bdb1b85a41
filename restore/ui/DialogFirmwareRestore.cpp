#include "restore/ui/DialogFirmwareRestore.h"

#include "app/Configuration.h"
#include "app/ui/PageHost.h"
#include "app/StatusLine.h"
#include "firmware/FirmwareServer.h"
#include "firmware/SettingsArchive.h"
#include "firmware/UpdateMessages.h"
#include "res/resource.h"
#include "restore/BackupDownload.h"
#include "restore/RevisionsIndex.h"

BEGIN_MESSAGE_MAP(CDialogFirmwareRestore, CWizardPage)
    ON_WM_CTLCOLOR()
    ON_WM_SETCURSOR()
    ON_WM_TIMER()
    ON_MESSAGE(WM_REVISIONS_LOOKUP_DONE, OnRevisionsLookupDone)
    ON_MESSAGE(WM_BACKUP_DOWNLOAD_DONE, OnBackupDownloadDone)
END_MESSAGE_MAP()

namespace {

constexpr COLORREF kTitleColour = 0xD77538;

// The first name label; pair n's labels are kFirstPairName + 2(n-1) and the id after it.
constexpr int kFirstPairName = IDC_RESTORE_PAIR1_NAME;

void Show(CWnd& control, bool show) { control.ShowWindow(show ? SW_SHOW : SW_HIDE); }

// Left, centred or right-aligned text of a static.
void Align(CStatic& control, DWORD alignment)
{
    control.ModifyStyle(SS_LEFT | SS_CENTER | SS_RIGHT, alignment);
    control.Invalidate();
}

}  // namespace

CDialogFirmwareRestore::CDialogFirmwareRestore(CWnd* parent) : CWizardPage(IDD_FIRMWARE_RESTORE, parent) {}

void CDialogFirmwareRestore::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_RESTORE_TITLE, titleStatic);
    DDX_Control(dx, IDC_RESTORE_VERSION_LABEL, versionCaption);
    DDX_Control(dx, IDC_RESTORE_VERSION, versionStatic);
    DDX_Control(dx, IDC_RESTORE_LANGUAGE, languageCombo);
    DDX_Control(dx, IDC_RESTORE_DATE_LABEL, dateCaption);
    DDX_Control(dx, IDC_RESTORE_DATE, dateStatic);
    for (int n = 0; n < kArchivedPairCount; ++n) DDX_Control(dx, kFirstPairName + 2 * n, pairNames[n]);
    for (int n = 0; n < kArchivedPairCount; ++n) DDX_Control(dx, kFirstPairName + 2 * n + 1, pairValues[n]);
    DDX_Control(dx, IDC_RESTORE_LANGUAGE_LABEL, languageLabel);
    DDX_Control(dx, IDC_RESTORE_LIST, backupList);
}

BOOL CDialogFirmwareRestore::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    if (m_boldFont.CreateBoldOf(GetFontHandle())) {
        const HFONT bold = static_cast<HFONT>(m_boldFont);
        for (CWnd* control : {static_cast<CWnd*>(&titleStatic), static_cast<CWnd*>(&versionCaption),
                              static_cast<CWnd*>(&versionStatic), static_cast<CWnd*>(&languageCombo),
                              static_cast<CWnd*>(&dateCaption), static_cast<CWnd*>(&dateStatic),
                              static_cast<CWnd*>(&languageLabel), static_cast<CWnd*>(&backupList)}) {
            control->SetFont(bold);
        }
        for (int n = 0; n < kArchivedPairCount; ++n) {
            pairNames[n].SetFont(bold);
            pairValues[n].SetFont(bold);
        }
    }
    archiveRead = false;
    backupList.SetHost(this);
    for (int column = 0; column < static_cast<int>(std::size(kBackupListColumnWidths)); ++column)
        backupList.InsertColumn(column, L"", LVCFMT_LEFT);
    SetBackupListColumnWidths();
    return TRUE;
}

void CDialogFirmwareRestore::SetBackupListColumnWidths()
{
    for (int column = 0; column < static_cast<int>(std::size(kBackupListColumnWidths)); ++column)
        backupList.SetColumnWidth(column, kBackupListColumnWidths[column]);
}

CString CDialogFirmwareRestore::Folder() const { return archiveFolder.IsEmpty() ? ProgramImgFolder() : archiveFolder; }

int CDialogFirmwareRestore::CurrentSectionKind() const
{
    if (sectionCount < 1 || sectionCount > kMaxSettingSections) return 0;
    if (currentSection < 0 || currentSection >= sectionCount) return 0;
    return sectionKinds[currentSection];
}

bool CDialogFirmwareRestore::IsFirstColumnRightAligned(const CConfigListCtrl&) const
{
    const CPageHost* main = MainDialog();
    return main && main->currentPage == PageFirmwareRestore;
}

template <typename Compose>
void CDialogFirmwareRestore::SetEveryStatus(Compose&& compose)
{
    CPageHost* main = MainDialog();
    for (int language = 0; language < LanguageCount; ++language) main->SetStatusText(compose(language), language);
}

// ---------------------------------------------------------------------------
// Opening and refreshing

void CDialogFirmwareRestore::OpenRestorePage(int compose)
{
    CPageHost* main = MainDialog();
    if (!main) return;
    archiveRead = false;
    composeStatus = compose != 0;
    main->SetTransferPercent(-1);
    ClearSettingSections(&sectionCount, sectionKinds, &currentSection);
    main->CloseSectionList();
    restoreStatus.Reset(UpdateResetModeRestorePage);
    restoreStatus.BackupFound = true;
    languageCombo.ResetContent();
    // A lookup still under way belongs to an earlier showing.
    m_revisionsLookup.Abandon();
    main->SetBusy(true);
    SetRedraw(FALSE);
    RefreshRestorePage();
    SetTimer(kLookupTimer, kLookupDelayMs);
}

void CDialogFirmwareRestore::HideRestorePageRows()
{
    for (CWnd* control : {static_cast<CWnd*>(&versionCaption), static_cast<CWnd*>(&versionStatic),
                          static_cast<CWnd*>(&dateCaption), static_cast<CWnd*>(&dateStatic)}) {
        Show(*control, false);
    }
    ShowSettingPairs(0);
    Show(backupList, false);
}

void CDialogFirmwareRestore::ShowSettingPairs(int show)
{
    for (int n = 0; n < kArchivedPairCount; ++n) {
        Show(pairNames[n], show != 0);
        Show(pairValues[n], show != 0);
    }
}

void CDialogFirmwareRestore::ShowBackupInfoList() { Show(backupList, restoreStatus.BackupFound); }

void CDialogFirmwareRestore::OnLanguageChanged()
{
    const CPageHost* main = MainDialog();
    if (languageCombo.GetCount() > 0 && main && main->applyToFirmwareLanguage) {
        restoreStatus.Reset(UpdateResetModeRestorePage);
        restoreStatus.BackupFound = true;
        languageCombo.ResetContent();
        SetTimer(kLookupTimer, kLookupAfterLanguageMs);
    } else {
        RefreshRestorePage();
    }
}

void CDialogFirmwareRestore::RefreshRestorePage()
{
    CPageHost* main = MainDialog();
    if (!main) return;
    if (!archiveRead) {
        // Only the title until the lookup, which brings redrawing back.
        HideRestorePageRows();
        Show(languageCombo, false);
        Show(languageLabel, false);
        return;
    }
    SetRedraw(FALSE);
    FillBackupInfoLabels();
    languageCombo.EnableWindow(!main->Refuses());

    for (CWnd* control : {static_cast<CWnd*>(&versionCaption), static_cast<CWnd*>(&versionStatic),
                          static_cast<CWnd*>(&dateCaption), static_cast<CWnd*>(&dateStatic)}) {
        Show(*control, true);
    }
    ShowSettingPairs(1);
    FillBackupInfoList();
    Show(backupList, false);

    // The voice-prompt choice, offered only for two variants or more, in the
    // current language.
    if (languageCombo.GetCount() < 2) {
        Show(languageCombo, false);
        Show(languageLabel, false);
    } else {
        const int selection = languageCombo.GetCurSel();
        languageCombo.ResetContent();
        for (int i = 0; i < restoreStatus.EntryCount(); ++i)
            languageCombo.AddString(LocalizeLanguageName(restoreStatus.EntryLanguage(i), main->language));
        languageCombo.SetCurSel(selection);
        Show(languageCombo, true);
        languageLabel.SetWindowText(GetLabelText(VoicePromptLabels, main->language));
        Show(languageLabel, true);
    }

    if (!restoreStatus.BackupFound) {
        // Only the title.
        Show(languageCombo, false);
        Show(languageLabel, false);
        HideRestorePageRows();
    } else {
        // Exactly the pairs written for this section, or the list.
        for (int n = 0; n < kArchivedPairCount; ++n) {
            const bool shown = (m_labels.shownPairs >> n) & 1u;
            Show(pairNames[n], shown);
            Show(pairValues[n], shown);
        }
        if (FindArchivedFamily(main->targetProductId) && CurrentSectionKind() == kSectionBasic) ShowBackupInfoList();
    }
    SetRedraw(TRUE);
    Invalidate();
}

void CDialogFirmwareRestore::FillBackupInfoLabels()
{
    const CPageHost* main = MainDialog();
    if (!main) return;
    m_labels = BuildArchivedLabels(main->targetProductId, archivedSettings, CurrentSectionKind(),
                                   languageCombo.GetCount(), main->language);
    const ArchivedLabels& labels = m_labels;
    titleStatic.SetWindowText(labels.title);
    Align(versionCaption, labels.versionCaptionCentred ? SS_CENTER : SS_RIGHT);
    versionCaption.SetWindowText(labels.versionCaption);
    versionStatic.SetWindowText(labels.version);
    dateCaption.SetWindowText(labels.dateCaption);
    dateStatic.SetWindowText(labels.date);
    // The name of pair 6 keeps its right alignment in every section.
    for (int n = 0; n < kArchivedPairCount; ++n) {
        if (n < kArchivedPairCount - 1) Align(pairNames[n], labels.namesLeftAligned ? SS_LEFT : SS_RIGHT);
        pairNames[n].SetWindowText(labels.names[n]);
        pairValues[n].SetWindowText(labels.values[n]);
    }
}

void CDialogFirmwareRestore::FillBackupInfoList()
{
    const CPageHost* main = MainDialog();
    if (!main) return;
    if (backupList.GetItemCount() > 0) backupList.DeleteAllItems();
    const ArchivedList list = BuildArchivedList(main->targetProductId, archivedSettings, main->deviceSettings,
                                                CurrentSectionKind(), main->language);
    if (list.hidden) {
        Show(backupList, false);
        return;
    }
    const int count = static_cast<int>(list.rows.size());
    for (int row = 0; row < count; ++row) {
        backupList.InsertItem(row, L"");
        backupList.SetItem(row, 1, LVIF_TEXT, L":");
    }
    for (int row = 0; row < count; ++row) {
        backupList.SetItem(row, 0, LVIF_TEXT, list.rows[static_cast<size_t>(row)].label);
        backupList.SetItem(row, 2, LVIF_TEXT, list.rows[static_cast<size_t>(row)].value);
    }
}

HBRUSH CDialogFirmwareRestore::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor)
{
    HBRUSH brush = CWizardPage::OnCtlColor(dc, wnd, ctlColor);
    if (wnd && wnd->GetDlgCtrlID() == IDC_RESTORE_TITLE) dc->SetTextColor(kTitleColour);
    // The main window's section list keeps the keyboard while it is open.
    CPageHost* main = MainDialog();
    if (main && main->sectionListOpen) {
        HWND list = ::GetDlgItem(main->HostWindow()->m_hWnd, IDC_SECTION_LIST);
        if (list && ::GetFocus() != list) ::SetFocus(list);
    }
    return brush;
}

// ---------------------------------------------------------------------------
// The lookup

int CDialogFirmwareRestore::LoadSettingsArchive()
{
    const CPageHost* main = MainDialog();
    const CString folder = Folder();
    archiveRead = true;
    return ::LoadSettingsArchive(main ? main->targetProductId : 0, archivedSettings, folder);
}

void CDialogFirmwareRestore::OnTimer(UINT_PTR id)
{
    if (id == kLookupTimer && MainDialog()) {
        KillTimer(id);
        RunLookup();
    }
    CWnd::OnTimer(id);
}

void CDialogFirmwareRestore::RunLookup()
{
    CPageHost* main = MainDialog();
    if (m_revisionsLookup.Running()) return;
    restoreStatus.State = UpdateStateIdle;
    restoreStatus.BackupFound = LoadSettingsArchive() != 0;
    if (!restoreStatus.BackupFound) {
        EndLookup(TextNoBackupFirmware);
        return;
    }
    restoreStatus.BackupFound = false;
    // The page stays busy until the lookup has ended (a language change starts it without).
    if (!main->busy) main->SetBusy(true);

    const int productId = main->targetProductId;
    RevisionsQuery query;
    query.modelName = GetModelName(productId, 1);
    query.fourPartVersion = productId == kActionCameraProductId;
    query.archived = archivedSettings.Firmware;
    query.firmwareLanguage = main->firmwareLanguage;
    if (main->applyToFirmwareLanguage) query.interfaceLanguage = EnglishLanguageName(main->language);
    // The worker only posts a message when it is done.
    const HWND page = m_hWnd;
    const bool started = m_revisionsLookup.Start([query] { return LookUpRevisions(query); },
                                                 [page] { ::PostMessageW(page, WM_REVISIONS_LOOKUP_DONE, 0, 0); });
    if (!started) {
        EndLookup(TextCannotConnectToServer);
        return;
    }
    // Only the title while the server is asked; the rows stay hidden until the end.
    titleStatic.SetWindowText(TextRestorePageTitle(main->language));
    SetRedraw(TRUE);
    Invalidate();
}

LRESULT CDialogFirmwareRestore::OnRevisionsLookupDone(WPARAM, LPARAM)
{
    const std::optional<RevisionsLookup> lookup = m_revisionsLookup.Take();
    if (lookup && MainDialog()) EndLookup(StoreRevisions(*lookup));
    return 0;
}

CDialogFirmwareRestore::DetailText CDialogFirmwareRestore::StoreRevisions(const RevisionsLookup& lookup)
{
    const CPageHost* main = MainDialog();
    if (!lookup.fetched) return TextCannotConnectToServer;
    const RevisionsMatch& match = lookup.match;
    StoreRevisionsMatch(match, main->targetProductId == kActionCameraProductId, restoreStatus);
    for (const RevisionsEntry& entry : match.entries)
        languageCombo.AddString(LocalizeLanguageName(entry.language, main->language));
    if (match.selection >= 0) languageCombo.SetCurSel(match.selection);
    restoreStatus.BackupFound = match.found;
    restoreStatus.Finished = match.found;
    return match.found ? nullptr : TextNoBackupFirmwareOnServer;
}

void CDialogFirmwareRestore::EndLookup(DetailText failure)
{
    CPageHost* main = MainDialog();
    if (!main) return;
    const int page = main->currentPage;
    const int usbStatus = main->usbStatus;
    if (failure) {
        SetEveryStatus([&](LanguageIndex language) {
            return JoinStatus(StatusFailureText(page, usbStatus, language), failure(language));
        });
    } else if (composeStatus) {
        if (languageCombo.GetCount() > 0) SetEveryStatus(TextPressRestoreAfterLanguage);
        else SetEveryStatus(TextPressRestoreButton);
    }

    BuildSettingSections(archivedSettings.ProductId, archivedSettings.Firmware.Major, archivedSettings.Firmware.Minor,
                         &sectionCount, sectionKinds, &currentSection);
    main->ShowStatus(main->GetStatusText(), restoreStatus.BackupFound ? 0 : 1);
    main->SetBusy(false);
    RefreshRestorePage();
    SetRedraw(TRUE);
    Invalidate();
}

// ---------------------------------------------------------------------------
// The restore

namespace {

// The download thread: fetches the backup firmware and reports its outcome to
// the page with one posted message; it touches nothing else of the page.
void DownloadBackupFirmwareThread(const CString& url, const CString& path, HWND page)
{
    const BackupDownloadOutcome outcome = DownloadBackupFirmware(url, path);
    ::PostMessageW(page, WM_BACKUP_DOWNLOAD_DONE, static_cast<WPARAM>(outcome), 0);
}

}  // namespace

void CDialogFirmwareRestore::StartRestore()
{
    CPageHost* main = MainDialog();
    if (!main) return;
    restoreStatus.State = UpdateStateStarted;
    restoreStatus.ClearStatusTexts();
    main->SetBusy(true);
    RefreshRestorePage();

    // The variant chosen now decides the file and is remembered for the next lookup.
    const int choice = languageCombo.GetCurSel();
    if (languageCombo.GetCount() > 0 && choice >= 0 && choice < restoreStatus.EntryCount()) {
        main->ChooseFirmwareLanguage(restoreStatus.EntryLanguage(choice));
        restoreStatus.ChosenFile = restoreStatus.EntryFile(choice);
    }

    const int page = main->currentPage;
    const int usbStatus = main->usbStatus;
    const auto starting = [&](LanguageIndex language) {
        return StatusInProgressText(page, usbStatus, language) + L" " + TextAboutToDownloadBackupFirmware(language);
    };
    SetEveryStatus(starting);
    restoreStatus.SetStatusTexts(starting);
    main->ShowStatus(main->GetStatusText(), 0);

    // The package path is the record's before the worker starts; the update reads it.
    const CString url = BackupFirmwareUrl(restoreStatus.ChosenFile);
    restoreStatus.PackagePath = BackupPackagePath(Folder(), main->targetProductId);
    const CString path = restoreStatus.PackagePath;
    restoreStatus.State = UpdateStateDownloading;
    const HWND window = m_hWnd;
    HANDLE thread = StartThread([url, path, window] { DownloadBackupFirmwareThread(url, path, window); });
    if (!thread) {
        OnBackupDownloadDone(BackupDownloadOutcomeCannotConnect, 0);
        return;
    }
    ::CloseHandle(thread);
}

LRESULT CDialogFirmwareRestore::OnBackupDownloadDone(WPARAM outcome, LPARAM)
{
    CPageHost* main = MainDialog();
    if (!main) return 0;
    if (outcome == BackupDownloadOutcomeDone) {
        // Flashing, progress and the end are the update's, on this page's record.
        main->StartRestoredUpdate();
        return 0;
    }
    const DetailText detail = outcome == BackupDownloadOutcomeCannotOpenFile ? TextCannotOpenFile
                                                                           : TextCannotConnectToServer;
    SetEveryStatus([&](LanguageIndex language) {
        return JoinStatus(TextFailedToDownloadLatestFirmware(language), detail(language));
    });
    main->ShowStatus(main->GetStatusText(), 1);
    // State stays at downloading and BackupFound set: RESTORE can be pressed again.
    main->SetBusy(false);
    RefreshRestorePage();
    return 0;
}
