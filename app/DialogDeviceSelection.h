// Page 1, the welcome page: one large button that starts the recognition of
// the manager's target model.
#pragma once

#include "app/WizardPage.h"

class CDialogDeviceSelection : public CWizardPage {
public:
    explicit CDialogDeviceSelection(CWnd* parent = nullptr);

    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    // The main window shows the page.
    void ShowSelectionPage();
    // Shows the start button unless a download runs.
    void RelayoutSelectionPage();
    void OnBnClickedStart();
    void OnTimer(UINT_PTR id);

    int updateCheckDone = 0;
    CString installerFileName;
    CString installerPath;
    CButton startButton;  // 1032

    DECLARE_MESSAGE_MAP()

private:
    CBitmap m_startBitmap;
};
