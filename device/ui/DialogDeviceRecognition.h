// Page 2: how to connect the headset by USB; NEXT runs the recognition pass
// and the page shows its outcome (status line, message box, next page).
#pragma once

#include "app/Texts.h"
#include "app/ui/WizardPage.h"
#include "controls/HyperEdit.h"
#include "device/DeviceSettings.h"
#include "device/Recognition.h"

// The page's HID poll timer (nothing starts it; see OnTimer).
constexpr UINT_PTR kRecognitionPollTimer = 2000;
constexpr UINT kRecognitionPollMs = 500;

class CDialogDeviceRecognition : public CWizardPage {
public:
    explicit CDialogDeviceRecognition(CWnd* parent = nullptr);

    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    // Page mode 1: the first connection step asks to unplug the cable; 0: to
    // disconnect Bluetooth devices. Also hides the progress bar and refreshes
    // the texts.
    void SetMode(int mode);
    // The instructions in the current language; the help buttons, the hidden
    // edit and the warning static stay hidden.
    void RefreshTexts();
    void OnLanguageChanged() override { RefreshTexts(); }
    // The recognition pass: saved settings to write back (or null) and whether
    // the user pressed NEXT; applies the outcome to the main window and
    // returns it.
    RecognitionOutcome Recognize(const DeviceSettings* saved, int fromNext);

    void OnMakerProductsHelp();
    void OnOemProductsHelp();
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    // Timer 2000: one HID poll; armed again while the headset is not complete.
    void OnTimer(UINT_PTR id);

    // Texts of the page in the main window's current language.
    CString GetPressButtonStepText(int step) const;
    CString GetUsbConnectStepsText() const;
    CString GetOemProductStepsText() const;
    CString GetMakerProductStepsText() const;
    CString GetOemProductListText() const;
    CString GetActivatedMessageText() const;
    CString GetSupportMailText() const;
    CString GetUsbInterfaceCountText(int obtained, RecognitionOutcome outcome) const;
    CString GetUsbInterfaceProblemText() const;
    CString GetOtherDeviceText() const;

    int pageMode = 0;
    int pollTimerId = 0;
    // 0 for an interactive pass, else the page of the operation that asked for
    // an automatic pass (3 to 7), or 100 plus the page to return to.
    int autoRunCode = 0;

    CStatic stepsStatic;          // 1024
    CHyperEdit makerStepsEdit;    // 1183
    CStatic warningStatic;        // 1184
    CButton makerProductsButton;  // 1203
    CButton oemProductsButton;    // 1204

    DECLARE_MESSAGE_MAP()

private:
    LanguageIndex Language() const;
    // The status line, the box and the page that follow the outcome.
    void ShowOutcome(RecognitionOutcome outcome, bool fromNext);
    void ShowRecognized(RecognitionOutcome outcome);
    // Every language's status := compose(language), shown in the current one.
    template <typename Compose>
    void ShowEveryStatus(Compose&& compose, int warning);
    // "<failure of the page>. <reason>" in every language, shown as a warning.
    template <typename Reason>
    void ShowFailure(Reason&& reason, const wchar_t* format = L"%s. %s");
    // A box with OK and SEND Email; the second opens the support address.
    void ShowSupportBox(const CString& text);

    CFont m_boldFont;
};
