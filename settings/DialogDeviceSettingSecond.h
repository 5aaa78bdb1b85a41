// Page 6: the FM radio region, the ten presets and the RDS AF switch.
#pragma once

#include "settings/SettingsPage.h"

class CDialogDeviceSettingSecond : public CSettingsPage {
public:
    explicit CDialogDeviceSettingSecond(CWnd* parent = nullptr);

    void RefreshTexts() override;
    int IsModified() override;
    int WriteToHeadset() override;

protected:
    void ResetToDefaults() override;
    // Puts the working copy into the controls.
    void FillControls() override;
};
