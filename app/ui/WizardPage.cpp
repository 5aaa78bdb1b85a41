#include "app/ui/WizardPage.h"

#include "app/ui/PageHost.h"

BEGIN_MESSAGE_MAP(CWizardPage, CDialog)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CWizardPage::CWizardPage(UINT templateId, CWnd* parent) : CDialog(templateId, parent)
{
    m_skinUnits = true;
}

CPageHost* CWizardPage::MainDialog() const
{
    return m_hWnd ? GetMainDialog(this) : nullptr;
}

bool CWizardPage::MainRefuses() const
{
    const CPageHost* main = MainDialog();
    return main && main->Refuses();
}

BOOL CWizardPage::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    const CPageHost* main = MainDialog();
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
    const CPageHost* main = MainDialog();
    return main ? main->PageBrush() : base;
}
