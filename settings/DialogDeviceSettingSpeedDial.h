// Page 7: the three speed-dial numbers.
#pragma once

#include "settings/SettingsPage.h"

class CDialogDeviceSettingSpeedDial : public CSettingsPage {
public:
    explicit CDialogDeviceSettingSpeedDial(CWnd* parent = nullptr);

    void RefreshTexts() override;
    int IsModified() override;
    int WriteToHeadset() override;

protected:
    void ResetToDefaults() override;
    // Puts the working copy's numbers into the controls.
    void FillControls() override;
};
