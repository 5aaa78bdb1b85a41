#include "firmware/DialogFirmwareUpdate.h"

#include "app/PageHost.h"
#include "res/resource.h"

int OfferArmed = 1;

BEGIN_MESSAGE_MAP(CDialogFirmwareUpdate, CWizardPage)
    ON_WM_SETCURSOR()
    ON_WM_TIMER()
END_MESSAGE_MAP()

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
    ReturnTimer = 0;
    RestartSeen = 0;
    return TRUE;
}

void CDialogFirmwareUpdate::ShowPage()
{
    CPageHost* main = MainDialog();
    if (!main) return;
    main->transferPercent = -1;
    NewerOffered = 0;
    PageStatus.Reset(UpdateResetModeUpdatePage);
    fileEdit.SetWindowText(L"");
    languageCombo.ResetContent();
    main->SetBusy(true);
    RefreshLabels();
    SetTimer(kIndexTimer, 500);
}

void CDialogFirmwareUpdate::BeginUpdate() { BeginUpdateWith(false); }
void CDialogFirmwareUpdate::BeginUpdateConfirmed() { BeginUpdateWith(true); }

void CDialogFirmwareUpdate::BeginUpdateWith(bool confirmed)
{
    CPageHost* main = MainDialog();
    if (!main) return;
    if (ReturnTimer) {
        KillTimer(static_cast<UINT_PTR>(ReturnTimer));
        ReturnTimer = 0;
    }
    RestartSeen = 0;
    PageStatus.State = UpdateStateStarted;
    PageStatus.ClearStatusTexts();
    main->SetBusy(true);
    RefreshLabels();
    int choice = languageCombo.GetCurSel();
    if (languageCombo.GetCount() > 0 && choice >= 0 && choice < PageStatus.EntryCount())
        main->firmwareLanguage = PageStatus.EntryLanguage(choice);
    PageStatus.PackagePath = fileEdit.GetWindowText();
    if (confirmed) StartUpdateConfirmed();
    else StartUpdate();
    SetTimer(kProgressTimer, 1000);
}

void CDialogFirmwareUpdate::StartRestoredUpdate()
{
    StartUpdate();
    SetTimer(kProgressTimer, 1000);
}

void CDialogFirmwareUpdate::OnTimer(UINT_PTR id)
{
    CPageHost* main = MainDialog();
    if (main && (id == kIndexTimer || (id == kProgressTimer && PageStatus.Finished))) {
        // Until the index reader and the update roads are built, both end at
        // once: nothing offered, nothing written.
        KillTimer(id);
        if (id == kProgressTimer) PageStatus.State = UpdateStateIdle;
        main->SetBusy(false);
        RefreshLabels();
    }
    CWnd::OnTimer(id);
}

// Not built yet: the labels and version line, and the update roads.
void CDialogFirmwareUpdate::RefreshLabels() {}

void CDialogFirmwareUpdate::StartUpdate()
{
    PageStatus.Error = UpdateErrorFailed;
    PageStatus.Finished = true;
}

void CDialogFirmwareUpdate::StartUpdateConfirmed() { StartUpdate(); }
