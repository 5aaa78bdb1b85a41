#include "settings/SettingsPage.h"

#include "app/UpdaterDlg.h"

void DiscardSettingsPageChanges(CSettingsPage& page)
{
    CUpdaterDlg* main = page.MainDialog();
    if (!main) return;
    page.workingCopy.CopyFrom(main->deviceSettings, 0);
    // The page is no longer the one being left, so the page change does not ask again.
    main->currentPage = page.targetPage;
    main->GoToPage(page.targetPage > 100 ? page.targetPage - 100 : page.targetPage);
}
