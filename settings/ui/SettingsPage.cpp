#include "settings/ui/SettingsPage.h"

#include "app/ui/DialogMessageBox.h"
#include "app/ui/PageHost.h"
#include "app/StatusLine.h"
#include "settings/SettingsWriter.h"

CSettingsPage::CSettingsPage(UINT templateId, int page, CWnd* parent) : CWizardPage(templateId, parent), m_page(page) {}

void CSettingsPage::LoadSettings()
{
    CPageHost* main = MainDialog();
    if (!main) return;
    workingCopy.CopyFrom(main->deviceSettings, 1);
    ResetToDefaults();
    main->SetTransferPercent(-1);
    main->MarkSectionOfPage(m_page);
    FillControls();
    // Filling may have gone on to another page (the FM page for a headset
    // without FM): this page is then hidden and stays as it is.
    if (main->currentPage != m_page) return;
    RefreshTexts();
    if (CWnd* entry = EntryControl()) entry->SetFocus();
}

void DiscardSettingsPageChanges(CSettingsPage& page)
{
    CPageHost* main = page.MainDialog();
    if (!main) return;
    page.workingCopy.CopyFrom(main->deviceSettings, 0);
    main->GoToPageUnasked(AutoRunPage(page.targetPage));
}

int CSettingsPage::WriteWithBody(SettingsWriteBody& body)
{
    CPageHost* main = MainDialog();
    if (!main) return 0;
    main->ShowStatus(main->ComposeProgressStatus(), 0);
    main->SetBusy(true);
    RefreshTexts();

    const SettingsWriteOutcome outcome = WriteSettingsToHeadset(*main, body);

    if (outcome == SettingsWriteOutcome::Written) {
        main->SetBusy(false);
        RefreshTexts();
        main->deviceSettings.CopyFrom(workingCopy, 0);
        // Read the headset back, then come back here or go on to the page the
        // user was leaving for.
        const int autoRun = targetPage != PageNone ? AutoRunGoingOnTo(targetPage) : main->currentPage;
        main->GoToRecognition(0, nullptr, autoRun);
        return 1;
    }

    RevertAfterFailedWrite();
    for (LanguageIndex language = 0; language < LanguageCount; ++language) {
        main->SetStatusText(JoinStatus(StatusFailureText(main->currentPage, main->usbStatus, language),
                                       TextNotRecognizedDevice(language)),
                            language);
    }
    main->ShowStatus(main->GetStatusText(), 1);
    main->SetBusy(false);
    RefreshTexts();
    CDialogMessageBox box(main->HostWindow());
    box.Setup(TextWrongDevice(main->language), 1, nullptr, TextOk(main->language), CSize(400, 165));
    box.DoModal();
    // The page holds the device values again, so the welcome page asks
    // nothing: a page that shows the device values in its own way (the FM page
    // empties presets off the band) would still count as changed.
    main->GoToPageUnasked(PageWelcome);
    return 0;
}

void CSettingsPage::RevertToDeviceSettings()
{
    CPageHost* main = MainDialog();
    if (!main) return;
    workingCopy.CopyFrom(main->deviceSettings, 0);
    main->UpdateNavigation();
    FillControls();
    RefreshTexts();
}
