// Page 6: the FM radio region, the ten presets and the RDS AF switch.
//
// Each preset row has a check box, an edit that shows the preset in MHz, a
// hidden buddy edit that holds the spin's position in units of 10 kHz, the
// spin and a "MHz" caption. A row is either empty (cleared, preset 0,
// "Empty") or set (checked, a preset on the region's band and grid).
#pragma once

#include "app/Texts.h"
#include "settings/ui/SettingsPage.h"

class CDialogDeviceSettingSecond : public CSettingsPage {
public:
    explicit CDialogDeviceSettingSecond(CWnd* parent = nullptr);

    void DoDataExchange(CDataExchange* dx) override;
    // Bold texts, the help button's picture and the spins' acceleration.
    BOOL OnInitDialog() override;

    // Captions, region names and the "Empty" presets in the current language,
    // and which controls take input.
    void RefreshTexts() override;
    // Non-zero while the FM block (or the model's basic settings) differs
    // from the headset's.
    int IsModified() override;
    // The settings writer with the FM block.
    int WriteToHeadset() override;

    // DEFAULT (region default, no presets, RDS AF off) and CANCEL (the
    // headset's values); neither waits for the frame.
    void OnBnClickedDefault();
    void OnBnClickedCancel();
    void OnBnClickedRdsOn();
    void OnBnClickedRdsOff();
    void OnBnClickedRdsHelp();
    // A region chosen: presets off the new region's band or grid are emptied.
    void OnCbnSelchangeRegion();

    // The row operations, row 0 to 9.
    // A check box clicked: a checked row takes its neighbour's frequency.
    void OnPresetCheck(int row);
    // The buddy edit changed (a spin click, or the page wrote it): the
    // preset follows the spin, kept on the band and grid.
    void OnPresetSpin(int row);
    // A typed preset is rounded to 0.1 MHz and taken when the region accepts
    // it; else a warning and the preset stays.
    void OnPresetKillFocus(int row);
    void OnPresetEditSetFocus(int row);
    void OnPresetEditChange(int row);

    struct PresetRow {
        CButton check;
        CEdit preset;
        CEdit buddy;
        CSpinButtonCtrl spin;
        CStatic mhz;
    };

    CButton defaultButton;      // control 1082
    CButton cancelButton;       // control 1083
    CStatic regionCaption;      // control 1139
    CComboBox regionCombo;      // control 1142
    CStatic presetsCaption;     // control 1112
    PresetRow rows[kFmPresetCount];
    CStatic rdsCaption;         // control 1085
    CBitmapButton rdsHelpButton;  // control 1084
    CButton rdsEnable;          // control 1088
    CButton rdsDisable;         // control 1087

    DECLARE_MESSAGE_MAP()

protected:
    void ResetToDefaults() override;
    // Puts the working copy into the controls; a headset without an FM page
    // is sent to the basic settings page instead.
    void FillControls() override;

private:
    // The preset edit of a row: the preset in MHz, or "Empty".
    void ShowPreset(int row);
    // The spin of a row at a position; its buddy edit follows, and the
    // buddy's change notification runs OnPresetSpin.
    void SetSpinPosition(int row, int position);
    // RDS AF on or off, and the radios that show it.
    void SetRds(bool on);
    int Region() const { return SafeFmRegion(workingCopy.FmRegion); }
    LanguageIndex Language() const;

    CFont m_boldFont;
};
