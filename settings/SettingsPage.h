// What the three settings pages (basic settings, FM radio, speed dial) have in
// common for the main window: a working copy of the headset's settings that the
// user edits, the page to go on to after the save prompt, and the operations
// the frame calls when it enters, relabels, tests or leaves the page.
#pragma once

#include "app/WizardPage.h"
#include "device/DeviceSettings.h"

class CSettingsPage : public CWizardPage {
public:
    using CWizardPage::CWizardPage;

    // Entered: the working copy takes the device values and the page fills itself.
    virtual void LoadSettings() = 0;
    // Captions in the current language and the enabled state of the controls.
    virtual void RefreshTexts() = 0;
    // Non-zero while the working copy differs from the device values.
    virtual int IsModified() = 0;
    // The answer to the save prompt's question whether there are changes.
    int HasUnsavedChanges() { return IsModified(); }
    // Writes the working copy to the headset (ACTION, or YES in the save prompt).
    virtual int WriteToHeadset() = 0;

    DeviceSettings workingCopy;
    DeviceSettings defaultsCopy;
    // Page to show once the save prompt is answered; 0 while the page is shown.
    int targetPage = 0;
};

// NO in the save prompt: drops the page's changes and goes on to its target
// page without asking again.
void DiscardSettingsPageChanges(CSettingsPage& page);
