#include "app/ui/DialogDeviceSelection.h"
#include "device/ProductCatalogue.h"

#include "app/Configuration.h"
#include "app/ui/DialogMessageBox.h"
#include "app/ui/PageHost.h"
#include "res/resource.h"

namespace {

constexpr int kStartTarget = kTkv8ProductId;
const wchar_t kReleaseNotesCaption[] = L"Release Notes";
constexpr int kShellSuccess = 32;  // ShellExecute results above this one succeed

// "%s." filled with a failure text.
CString WithFullStop(const CString& text)
{
    return CString::FillPlaceholders(L"%s.", {text.GetString()});
}

}  // namespace

BEGIN_MESSAGE_MAP(CDialogDeviceSelection, CWizardPage)
    ON_WM_SETCURSOR()
    ON_WM_TIMER()
    ON_WM_CTLCOLOR()
    ON_BN_CLICKED(IDC_SELECTION_START, OnBnClickedStart)
    ON_MESSAGE(WM_MANAGER_CHECK_DONE, OnManagerCheckDone)
END_MESSAGE_MAP()

CDialogDeviceSelection::CDialogDeviceSelection(CWnd* parent) : CWizardPage(IDD_DEVICE_SELECTION, parent) {}

void CDialogDeviceSelection::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_SELECTION_START, startButton);
}

BOOL CDialogDeviceSelection::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    updateCheckDone = 0;
    if (m_startBitmap.LoadBitmap(IDB_START_BUTTON)) {
        startButton.SetBitmap(m_startBitmap);
        CSize size = m_startBitmap.GetSize();
        startButton.SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return TRUE;
}

void CDialogDeviceSelection::ShowSelectionPage()
{
    CPageHost* main = MainDialog();
    if (!main) return;
    main->SetTransferPercent(-1);
    RelayoutSelectionPage();
    main->FocusNext();
    if (!updateCheckDone) {
        main->SetBusy(true);
        RelayoutSelectionPage();
        SetTimer(kManagerCheckTimer, kManagerCheckDelayMs);
    }
}

void CDialogDeviceSelection::RelayoutSelectionPage()
{
    const CPageHost* main = MainDialog();
    bool downloading = main && main->busy && main->transferPercent >= 0;
    SetRedraw(FALSE);
    startButton.ShowWindow(downloading ? SW_HIDE : SW_SHOW);
    SetRedraw(TRUE);
    Invalidate();
}

void CDialogDeviceSelection::OnBnClickedStart()
{
    // Nothing while an operation (the update check or its download) runs.
    CPageHost* main = MainDialog();
    if (!main || MainRefuses()) return;
    main->SetTargetProduct(kStartTarget);
    main->GoToRecognition(1, nullptr, 0);
    main->FocusNext();
}

void CDialogDeviceSelection::OnTimer(UINT_PTR id)
{
    if (id == kManagerCheckTimer) CheckManagerVersion();
    if (id == kManagerDownloadTimer) PollInstallerDownload();
    CWnd::OnTimer(id);
}

HBRUSH CDialogDeviceSelection::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor)
{
    if (ctlColor == CTLCOLOR_DLG) return CWizardPage::OnCtlColor(dc, wnd, ctlColor);
    return CWnd::OnCtlColor(dc, wnd, ctlColor);
}

void CDialogDeviceSelection::CheckManagerVersion()
{
    KillTimer(kManagerCheckTimer);
    if (versionCheck.Running()) return;
    // The fetch runs on a worker, so the window keeps answering; the worker
    // only posts a message when it is done.
    HWND page = m_hWnd;
    if (!versionCheck.Start([page] { ::PostMessageW(page, WM_MANAGER_CHECK_DONE, 0, 0); })) EndManagerUpdate();
}

LRESULT CDialogDeviceSelection::OnManagerCheckDone(WPARAM, LPARAM)
{
    bool fetched = false;
    ManagerVersionLine line;
    if (!versionCheck.TakeResult(fetched, line)) return 0;
    bool started = false;
    if (fetched) {
        updateCheckDone = 1;
        installerFileName = line.installerName;
        if (ShouldOfferManagerUpdate(line)) {
            started = OfferManagerUpdate(line);
        } else if (OffersNewerManager(line)) {
            WarnCannotOpenFile();  // no installer the manager may fetch and start
        }
    }
    if (!started) EndManagerUpdate();
    return 0;
}

void CDialogDeviceSelection::WarnCannotOpenFile()
{
    ShowEveryStatus([](LanguageIndex l) { return WithFullStop(TextCannotOpenFile(l)); }, 1);
}

bool CDialogDeviceSelection::OfferManagerUpdate(const ManagerVersionLine& line)
{
    CPageHost* main = MainDialog();
    const LanguageIndex language = main->language;
    CDialogMessageBox prompt(main->HostWindow());
    prompt.Setup(TextNewerManagerAvailable(line.major, line.minor, line.third, language), 0, kReleaseNotesCaption,
                 TextNo(language), TextYes(language), CSize(530, 230));
    if (prompt.DoModal() != IDOK) return false;

    // The filter's description alone: the file dialog completes it with "*.exe".
    CFileDialog save(FALSE, nullptr, installerFileName,
                     OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_CREATEPROMPT | OFN_LONGNAMES,
                     ManagerUpdateFileFilter(language), main->HostWindow());
    save.m_initialDir = main->FileDialogFolder();
    save.m_pathTooLongText = TextPathTooLong(language);
    save.m_nameNotValidText = TextNameNotValid(language);
    save.m_folderNotFoundText = TextFolderNotFound(language);
    if (save.DoModal() != IDOK) return false;

    installerPath = save.GetPathName();
    main->KeepFolderOf(installerPath);
    if (!HasInstallerExtension(installerPath)) {
        WarnCannotOpenFile();
        return false;
    }
    if (!installerDownload.Start(ManagerUpdateBaseFolder() + installerFileName, installerPath)) {
        ShowEveryStatus([](LanguageIndex l) { return WithFullStop(TextCannotConnectToServer(l)); }, 1);
        return false;
    }
    main->SetTransferPercent(0);
    ShowEveryStatus(TextDownloadingManagerUpdate, 0);
    main->UpdateNavigation();
    RelayoutSelectionPage();
    SetTimer(kManagerDownloadTimer, kManagerDownloadPollMs);
    return true;
}

void CDialogDeviceSelection::PollInstallerDownload()
{
    CPageHost* main = MainDialog();
    int percent = installerDownload.Percent();
    if (percent >= 0) {
        main->ShowTransferPercent(percent);
        RelayoutSelectionPage();
    }
    // The outcome is known only once the worker has ended, however far the
    // percentage has come.
    using Outcome = ManagerInstallerDownload::Outcome;
    const Outcome outcome = installerDownload.GetOutcome();
    if (outcome == Outcome::Running) return;
    KillTimer(kManagerDownloadTimer);
    if (outcome == Outcome::CannotOpenFile) {
        WarnCannotOpenFile();
    } else if (outcome == Outcome::CannotConnect) {
        ShowEveryStatus([](LanguageIndex l) { return WithFullStop(TextCannotConnectToServer(l)); }, 1);
    } else {
        ShowEveryStatus(TextManagerUpdateDownloaded, 0);
    }
    EndManagerUpdate();
    if (outcome != Outcome::Downloaded) return;
    // The manager closes only once the installer has really been started.
    if (ShellOpen(L"open", L"\"" + installerPath + L"\"", nullptr, SW_SHOWNORMAL) > kShellSuccess) {
        main->CloseProgram();
    } else {
        WarnCannotOpenFile();
    }
}

void CDialogDeviceSelection::EndManagerUpdate()
{
    CPageHost* main = MainDialog();
    main->SetTransferPercent(-1);
    main->SetBusy(false);
    RelayoutSelectionPage();
}

template <typename Compose>
void CDialogDeviceSelection::ShowEveryStatus(Compose&& compose, int warning)
{
    MainDialog()->ShowEveryStatus(compose, warning);
}
