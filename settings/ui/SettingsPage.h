// What the three settings pages (basic settings, FM radio, speed dial) have in
// common for the main window: a working copy of the headset's settings that the
// user edits, the page to go on to after the save prompt, and the operations
// the frame calls when it enters, relabels, tests or leaves the page.
#pragma once

#include "app/ui/WizardPage.h"
#include "device/DeviceSettings.h"

class SettingsWriteBody;

class CSettingsPage : public CWizardPage {
public:
    CSettingsPage(UINT templateId, int page, CWnd* parent = nullptr);

    // Entered: the working copy takes the device values (the page's own part of
    // it reset to the model's defaults in defaultsCopy for DEFAULT), the frame
    // hides the progress bar and marks the page's section, and the page fills
    // itself.
    void LoadSettings();
    // Captions in the current language and the enabled state of the controls.
    virtual void RefreshTexts() = 0;
    // Non-zero while the working copy differs from the device values.
    virtual int IsModified() = 0;
    // The answer to the save prompt's question whether there are changes.
    int HasUnsavedChanges() { return IsModified(); }
    // Writes the working copy to the headset (ACTION, or YES in the save prompt).
    virtual int WriteToHeadset() = 0;
    void OnAction() override { WriteToHeadset(); }
    void OnLanguageChanged() override { RefreshTexts(); }
    // The working copy takes the device values again (CANCEL, a failed write)
    // and the controls show them.
    void RevertToDeviceSettings();

    DeviceSettings workingCopy;
    DeviceSettings defaultsCopy;
    // Page to show once the save prompt is answered; 0 while the page is shown.
    int targetPage = 0;

protected:
    // The write procedure of every settings page with the page's body: the
    // in-progress status under the busy flag, the write, then either the
    // success road (the record takes the working copy and an automatic
    // recognition reads the headset back, ending on this page or on the target
    // page) or the failure road (the page reverted, the failure status and box,
    // the welcome page). 1 on success.
    int WriteWithBody(SettingsWriteBody& body);
    // The failure road's revert (RevertToDeviceSettings unless the page has
    // its own).
    virtual void RevertAfterFailedWrite() { RevertToDeviceSettings(); }

    // The defaults of the page's part of the record, from the working copy.
    virtual void ResetToDefaults() = 0;
    // Shows the working copy in the page's controls.
    virtual void FillControls() = 0;
private:
    int m_page;
};

// NO in the save prompt: drops the page's changes and goes on to its target
// page without asking again.
void DiscardSettingsPageChanges(CSettingsPage& page);
