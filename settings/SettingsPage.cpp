#include "settings/SettingsPage.h"

#include "app/PageHost.h"

CSettingsPage::CSettingsPage(UINT templateId, int page, CWnd* parent) : CWizardPage(templateId, parent), m_page(page) {}

void CSettingsPage::LoadSettings()
{
    CPageHost* main = MainDialog();
    if (!main) return;
    workingCopy.CopyFrom(main->deviceSettings, 1);
    ResetToDefaults();
    main->transferPercent = -1;
    main->currentSection = main->SettingSectionIndexOfPage(m_page);
    FillControls();
    RefreshTexts();
}

void DiscardSettingsPageChanges(CSettingsPage& page)
{
    CPageHost* main = page.MainDialog();
    if (!main) return;
    page.workingCopy.CopyFrom(main->deviceSettings, 0);
    // The page is no longer the one being left, so the page change does not ask again.
    main->currentPage = page.targetPage;
    main->GoToPage(AutoRunPage(page.targetPage));
}
