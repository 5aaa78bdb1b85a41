// Page 7: the three speed-dial numbers.
#pragma once

#include "settings/SettingsPage.h"

class CDialogDeviceSettingSpeedDial : public CSettingsPage {
public:
    explicit CDialogDeviceSettingSpeedDial(CWnd* parent = nullptr);

    void LoadSettings() override;
    void RefreshTexts() override;
    int IsModified() override;
    int WriteToHeadset() override;
    // Puts the working copy's numbers into the three edits.
    void FillControls();

};
