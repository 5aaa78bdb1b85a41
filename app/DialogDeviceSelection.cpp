#include "app/DialogDeviceSelection.h"

#include "app/UpdaterDlg.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CDialogDeviceSelection, CWizardPage)
    ON_WM_SETCURSOR()
    ON_WM_TIMER()
    ON_BN_CLICKED(IDC_SELECTION_START, OnBnClickedStart)
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
    CUpdaterDlg* main = MainDialog();
    if (!main) return;
    main->transferPercent = -1;
    RelayoutSelectionPage();
    main->nextButton.SetFocus();
}

void CDialogDeviceSelection::RelayoutSelectionPage()
{
    const CUpdaterDlg* main = MainDialog();
    bool downloading = main && main->busy && main->transferPercent >= 0;
    SetRedraw(FALSE);
    startButton.ShowWindow(downloading ? SW_HIDE : SW_SHOW);
    SetRedraw(TRUE);
    Invalidate();
}

void CDialogDeviceSelection::OnBnClickedStart()
{
    CUpdaterDlg* main = MainDialog();
    if (!main || main->busy) return;
    main->targetProductId = 0x4D10;
    main->GoToRecognition(1, nullptr, 0);
    main->nextButton.SetFocus();
}

void CDialogDeviceSelection::OnTimer(UINT_PTR id) { CWnd::OnTimer(id); }
