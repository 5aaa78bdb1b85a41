// Page 3: the firmware file to write, the newest version the server offers,
// and the start of a firmware update.
#pragma once

#include "app/WizardPage.h"
#include "dfu/DFUEngine.h"
#include "firmware/UpdateStatus.h"

// While 1, reading the firmware index may offer a newer firmware; a language
// change clears it once so the same offer is not made twice.
extern int OfferArmed;

// Timers of the page.
constexpr UINT_PTR kIndexTimer = 201;
constexpr UINT_PTR kProgressTimer = 203;

class CDialogFirmwareUpdate : public CWizardPage, public DFUEngine::Callback {
public:
    explicit CDialogFirmwareUpdate(CWnd* parent = nullptr);

    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    // The main window shows the page: reset the record, clear the file and the
    // voice-prompt list, and read the server's firmware index.
    void ShowPage();
    // Captions and the version line in the current language.
    void RefreshLabels();
    // ACTION on page 3, and the same start after the user confirmed it in a box.
    void BeginUpdate();
    void BeginUpdateConfirmed();
    // The restore hands over its downloaded package (PackagePath of the restore
    // page's record): the update starts with page 4 current and the progress
    // timer takes it from there.
    void StartRestoredUpdate();

    void OnTimer(UINT_PTR id);

    UpdateStatus PageStatus;
    int NewerOffered = 0;
    int ReturnTimer = 0;
    int RestartSeen = 0;

    CStatic titleStatic;      // 1027
    CEdit fileEdit;           // 1028
    CButton browseButton;     // 1029
    CStatic versionStatic;    // 1030
    CButton downloadButton;   // 1031
    CComboBox languageCombo;  // 1032
    CStatic languageLabel;    // 1035
    CStatic stepsStatic;      // 1207

    DECLARE_MESSAGE_MAP()

private:
    void BeginUpdateWith(bool confirmed);
    void StartUpdate();
    void StartUpdateConfirmed();
};
