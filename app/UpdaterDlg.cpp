#include "app/UpdaterDlg.h"

#include "res/resource.h"

BEGIN_MESSAGE_MAP(CUpdaterDlg, CDialog)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CUpdaterDlg::CUpdaterDlg(CWnd* parent) : CDialog(IDD_MAIN, parent)
{
    m_skinUnits = true;
    m_icon = ::LoadIconW(AppInstance(), MAKEINTRESOURCEW(IDR_MAINFRAME));
}

BOOL CUpdaterDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(L"TORVIK Bluetooth Device Manager");
    if (m_icon) {
        SetIcon(m_icon, TRUE);
        SetIcon(m_icon, FALSE);
    }
    m_background.SubclassDlgItem(IDC_BACKGROUND, this);
    if (m_backgroundBitmap.LoadBitmap(IDB_BACKGROUND)) m_background.SetBitmap(m_backgroundBitmap);
    return TRUE;
}

int CUpdaterDlg::SaveConfiguration()
{
    if (busy || sectionListOpen) return 0;
    return 1;
}

void CUpdaterDlg::OnOK()
{
    if (SaveConfiguration()) EndDialog(IDOK);
}

void CUpdaterDlg::OnCancel()
{
    // Escape never closes the main window.
}

void CUpdaterDlg::OnClose()
{
    if (SaveConfiguration()) EndDialog(IDOK);
}
