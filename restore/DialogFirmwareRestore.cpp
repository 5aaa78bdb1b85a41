#include "restore/DialogFirmwareRestore.h"

#include "app/PageHost.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CDialogFirmwareRestore, CWizardPage)
    ON_WM_CTLCOLOR()
    ON_WM_SETCURSOR()
    ON_WM_TIMER()
END_MESSAGE_MAP()

namespace {
// The rows below the title: version, date, the six name/value pairs and the list.
constexpr int kRowIds[] = {IDC_RESTORE_VERSION_LABEL, IDC_RESTORE_VERSION, IDC_RESTORE_DATE_LABEL, IDC_RESTORE_DATE,
                           IDC_RESTORE_PAIR1_NAME, IDC_RESTORE_PAIR1_VALUE, IDC_RESTORE_PAIR2_NAME,
                           IDC_RESTORE_PAIR2_VALUE, IDC_RESTORE_PAIR3_NAME, IDC_RESTORE_PAIR3_VALUE,
                           IDC_RESTORE_PAIR4_NAME, IDC_RESTORE_PAIR4_VALUE, IDC_RESTORE_PAIR5_NAME,
                           IDC_RESTORE_PAIR5_VALUE, IDC_RESTORE_PAIR6_NAME, IDC_RESTORE_PAIR6_VALUE,
                           IDC_RESTORE_LIST};
constexpr COLORREF kTitleColour = 0xD77538;
}  // namespace

CDialogFirmwareRestore::CDialogFirmwareRestore(CWnd* parent) : CWizardPage(IDD_FIRMWARE_RESTORE, parent) {}

void CDialogFirmwareRestore::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_RESTORE_TITLE, titleStatic);
    DDX_Control(dx, IDC_RESTORE_LANGUAGE, languageCombo);
    DDX_Control(dx, IDC_RESTORE_LANGUAGE_LABEL, languageLabel);
    DDX_Control(dx, IDC_RESTORE_LIST, backupList);
}

BOOL CDialogFirmwareRestore::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    archiveRead = false;
    return TRUE;
}

void CDialogFirmwareRestore::OpenRestorePage(int compose)
{
    CPageHost* main = MainDialog();
    if (!main) return;
    archiveRead = false;
    composeStatus = compose != 0;
    main->transferPercent = -1;
    ClearSettingSections(&sectionCount, sectionKinds, &currentSection);
    main->sectionListOpen = false;
    restoreStatus.Reset(UpdateResetModeRestorePage);
    restoreStatus.BackupFound = true;
    languageCombo.ResetContent();
    main->SetBusy(true);
    SetRedraw(FALSE);
    RefreshRestorePage();
    SetTimer(kLookupTimer, 500);
}

void CDialogFirmwareRestore::RefreshRestorePage()
{
    if (!archiveRead) {
        HideRestorePageRows();
        return;
    }
    SetRedraw(FALSE);
    FillBackupInfoLabels();
    SetRedraw(TRUE);
    Invalidate();
}

void CDialogFirmwareRestore::HideRestorePageRows()
{
    for (int id : kRowIds) {
        if (HWND row = ::GetDlgItem(m_hWnd, id)) ::ShowWindow(row, SW_HIDE);
    }
}

HBRUSH CDialogFirmwareRestore::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor)
{
    HBRUSH brush = CWizardPage::OnCtlColor(dc, wnd, ctlColor);
    if (wnd && wnd->GetDlgCtrlID() == IDC_RESTORE_TITLE) dc->SetTextColor(kTitleColour);
    return brush;
}

void CDialogFirmwareRestore::OnTimer(UINT_PTR id)
{
    CPageHost* main = MainDialog();
    if (main && id == kLookupTimer) {
        // Until the archive and the revisions index are read, the lookup finds
        // no backup firmware.
        KillTimer(id);
        restoreStatus.State = UpdateStateIdle;
        restoreStatus.BackupFound = false;
        SetRedraw(TRUE);
        Invalidate();
        main->SetBusy(false);
    }
    CWnd::OnTimer(id);
}

// Not built yet: the archived-settings labels and list, and the restore itself.
void CDialogFirmwareRestore::FillBackupInfoLabels() {}
void CDialogFirmwareRestore::StartRestore() {}
