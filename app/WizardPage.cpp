#include "app/WizardPage.h"

#include "app/UpdaterDlg.h"

BEGIN_MESSAGE_MAP(CWizardPage, CDialog)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CWizardPage::CWizardPage(UINT templateId, CWnd* parent) : CDialog(templateId, parent)
{
    m_skinUnits = true;
}

CUpdaterDlg* CWizardPage::MainDialog() const
{
    return m_hWnd ? GetMainDialog(this) : nullptr;
}

bool CWizardPage::MainRefuses() const
{
    const CUpdaterDlg* main = MainDialog();
    return main && (main->busy || main->sectionListOpen);
}

BOOL CWizardPage::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    const CUpdaterDlg* main = MainDialog();
    if (main && main->busy) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
    }
    return CWnd::OnSetCursor(wnd, hitTest, message);
}

HBRUSH CWizardPage::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor)
{
    HBRUSH base = CWnd::OnCtlColor(dc, wnd, ctlColor);
    dc->SetBkMode(TRANSPARENT);
    const CUpdaterDlg* main = MainDialog();
    return main ? main->PageBrush() : base;
}
