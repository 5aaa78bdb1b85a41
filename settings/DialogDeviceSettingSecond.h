// Page 6: the FM radio region, the ten presets and the RDS AF switch.
#pragma once

#include "settings/SettingsPage.h"

class CDialogDeviceSettingSecond : public CSettingsPage {
public:
    explicit CDialogDeviceSettingSecond(CWnd* parent = nullptr);

    void LoadSettings() override;
    void RefreshTexts() override;
    int IsModified() override;
    int WriteToHeadset() override;
    // Puts the working copy into the controls.
    void FillControls();

};
