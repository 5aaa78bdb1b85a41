// Page 7: the three speed-dial numbers.
#pragma once

#include "settings/ui/SettingsPage.h"

class CDialogDeviceSettingSpeedDial : public CSettingsPage {
public:
    explicit CDialogDeviceSettingSpeedDial(CWnd* parent = nullptr);

    void DoDataExchange(CDataExchange* dx) override;
    // Bold captions, buttons and numbers.
    BOOL OnInitDialog() override;

    // Button and row captions in the current language; the numbers can be
    // edited only while the frame does not refuse.
    void RefreshTexts() override;
    // 1 while a number differs from the headset's.
    int IsModified() override;
    // The settings writer with the three numbers.
    int WriteToHeadset() override;

    // DEFAULT empties the three numbers (not while the frame refuses); CANCEL
    // takes the headset's numbers back, also while busy.
    void OnBnClickedDefault();
    void OnBnClickedCancel();
    // A change of number edit 0 to 2: keeps only the characters a number may
    // hold, 20 at most (see ApplySpeedDialEditRule).
    void OnEnChangeNumber(int index);
    void OnEnChangeNumber1() { OnEnChangeNumber(0); }
    void OnEnChangeNumber2() { OnEnChangeNumber(1); }
    void OnEnChangeNumber3() { OnEnChangeNumber(2); }

    CButton defaultButton;                 // control 1172
    CButton cancelButton;                  // control 1173
    CStatic captions[kSpeedDialCount];     // controls 1174, 1176, 1178
    CEdit numberEdits[kSpeedDialCount];    // controls 1175, 1177, 1179

    DECLARE_MESSAGE_MAP()

protected:
    void ResetToDefaults() override;
    // Puts the working copy's numbers into the edits.
    void FillControls() override;

private:
    CFont m_boldFont;
};
