// Page 2: how to connect the headset by USB; NEXT runs the recognition pass.
#pragma once

#include "app/WizardPage.h"
#include "device/DeviceSettings.h"

// Outcomes of the recognition pass (codes 0 to 10); the ones after which an
// automatic pass hands over to the user with a posted NEXT.
constexpr int kRecognitionNothingFound = 2;
bool RecognitionAsksForRetry(int outcome);

class CDialogDeviceRecognition : public CWizardPage {
public:
    explicit CDialogDeviceRecognition(CWnd* parent = nullptr);

    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    // Page mode 1: the first step asks to unplug the cable; 0: to disconnect
    // Bluetooth devices. Also hides the progress bar and refreshes the texts.
    void SetMode(int mode);
    // The instructions in the current language.
    void RefreshTexts();
    // The recognition pass: saved settings to write back (or null) and whether
    // the user pressed NEXT; returns the outcome code.
    int Recognize(const DeviceSettings* saved, int fromNext);

    void OnTimer(UINT_PTR id);

    int pageMode = 0;
    int pollTimerId = 0;
    // 0 for an interactive pass, else the page of the operation that asked for
    // an automatic pass (3 to 7), or 100 plus the page to return to.
    int autoRunCode = 0;

    CStatic stepsStatic;          // 1024
    CEdit makerStepsEdit;         // 1183
    CStatic warningStatic;        // 1184
    CButton makerProductsButton;  // 1203
    CButton oemProductsButton;    // 1204

    DECLARE_MESSAGE_MAP()
};
