// Page 4: the settings archive of the connected model and the restore of the
// firmware version it recorded.
#pragma once

#include "app/WizardPage.h"
#include "controls/CellCtrl.h"
#include "controls/ConfigListCtrl.h"
#include "device/DeviceSettings.h"
#include "device/ProductCatalogue.h"
#include "firmware/UpdateStatus.h"

constexpr UINT_PTR kLookupTimer = 202;

class CDialogFirmwareRestore : public CWizardPage {
public:
    explicit CDialogFirmwareRestore(CWnd* parent = nullptr);

    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    // The main window shows the page: clear it, then load the archive and the
    // revisions index half a second later.
    void OpenRestorePage(int composeStatus);
    // Shows or hides the rows for the archived model and the current section.
    void RefreshRestorePage();
    // The texts of the current section in the current language.
    void FillBackupInfoLabels();
    void HideRestorePageRows();
    // ACTION on page 4: downloads the archived firmware and flashes it.
    void StartRestore();

    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    void OnTimer(UINT_PTR id);

    // Setting sections of the archived product.
    int sectionCount = 0;
    int sectionKinds[kMaxSettingSections] = {};
    int currentSection = 0;
    bool archiveRead = false;
    bool composeStatus = false;
    UpdateStatus restoreStatus;
    DeviceSettings archivedSettings;

    CStatic titleStatic;      // 1012
    CComboBox languageCombo;  // 1034
    CStatic languageLabel;    // 1167
    CConfigListCtrl backupList;  // 1202

    DECLARE_MESSAGE_MAP()
};
