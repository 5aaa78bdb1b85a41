// Page 5: the basic settings of the recognized headset, as fixed rows of
// radio buttons (older models) or in the settings grid (newer models).
#pragma once

#include "controls/CellCtrl.h"
#include "controls/ConfigListCtrl.h"
#include "settings/SettingsPage.h"

class CDialogDeviceSetting : public CSettingsPage {
public:
    explicit CDialogDeviceSetting(CWnd* parent = nullptr);

    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    void RefreshTexts() override;
    int IsModified() override;
    int WriteToHeadset() override;

    // Bold captions (and the smaller Japanese note) in the current language.
    void ApplyBoldCaptions();
    // Places the rows of the model and sets them from the working copy, then
    // rebuilds the settings grid.
    void LayoutLegacyControls();
    void FillSettingsList();
    // The grid's columns: help mark, setting name, value.
    void SetListColumnWidths();
    // The working copy takes the device values again (CANCEL, a failed write).
    void RevertToDeviceSettings();

    // The settings grid: whether a drop-down popup of one of its cells is open,
    // and ending the cell editing (the main window closes the popup on a click
    // elsewhere).
    bool IsCellPopupOpen() const;
    void EndCellEdit();

    CConfigListCtrl settingsGrid;  // control 1201
    CButton defaultButton;  // control 1035
    CButton cancelButton;   // control 1036

    DECLARE_MESSAGE_MAP()

protected:
    void ResetToDefaults() override;
    void FillControls() override;
};
