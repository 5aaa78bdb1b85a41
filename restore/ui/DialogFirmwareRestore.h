// Page 4: the settings archive of the targeted model (firmware version, date,
// archived settings one section at a time) and the restore of the firmware
// version it recorded, found in the server's revisions index, downloaded and
// handed to the firmware update.
#pragma once

#include "app/ui/PageHost.h"
#include "app/ui/WizardPage.h"
#include "controls/ConfigListCtrl.h"
#include "device/DeviceSettings.h"
#include "device/ProductCatalogue.h"
#include "firmware/UpdateStatus.h"
#include "framework/BackgroundJob.h"
#include "restore/ArchivedSettings.h"
#include "restore/BackupDownload.h"

// The lookup of the archive and the revisions index: once, 500 ms after the
// page opens, 10 ms after a language change.
constexpr UINT_PTR kLookupTimer = 202;
constexpr UINT kLookupDelayMs = 500;
constexpr UINT kLookupAfterLanguageMs = 10;

// The list's column widths in pixels: name, ":", value.
constexpr int kBackupListColumnWidths[] = {322, 11, 177};

class CDialogFirmwareRestore : public CWizardPage, public IUpdateWorkPage, public CConfigListHost {
public:
    explicit CDialogFirmwareRestore(CWnd* parent = nullptr);

    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    // The main window shows the page: blank and busy until the lookup timer
    // has read the archive and the revisions index.
    void OpenRestorePage(int composeStatus);
    // Writes the texts and shows the controls for the archived model and the
    // current section; only the title until the archive was looked for.
    void RefreshRestorePage();
    // The texts of the current section in the current language.
    void FillBackupInfoLabels();
    // The list of the archived basic settings of the newer models.
    void FillBackupInfoList();
    void HideRestorePageRows();
    void ShowSettingPairs(int show);
    void ShowBackupInfoList();
    void SetBackupListColumnWidths();
    // ACTION on page 4: downloads the chosen backup firmware on a worker,
    // which reports with WM_BACKUP_DOWNLOAD_DONE.
    void StartRestore();
    void OnAction() override { StartRestore(); }
    // A new language looks up again when it also chooses the voice prompts;
    // else the page is drawn again.
    void OnLanguageChanged() override;

    // Reads the archive into archivedSettings (cleared first): 1 when it was
    // read and its version can be restored.
    int LoadSettingsArchive();

    // As the page a restore's update works for: the restore's record, the page,
    // and the archived settings to write back.
    UpdateStatus& UpdateRecord() override { return restoreStatus; }
    void RefreshForUpdate() override { RefreshRestorePage(); }
    const DeviceSettings* SettingsToWriteBack() override { return &archivedSettings; }

    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    void OnTimer(UINT_PTR id);
    // True from the start of the revisions lookup until its result was taken.
    bool LookupRunning() const { return m_revisionsLookup.Running(); }
    // The revisions lookup's worker has ended.
    LRESULT OnRevisionsLookupDone(WPARAM, LPARAM);
    LRESULT OnBackupDownloadDone(WPARAM outcome, LPARAM);

    // Column 0 of the list is right-aligned while this page is current.
    bool IsFirstColumnRightAligned(const CConfigListCtrl& grid) const override;

    // The kind of the current setting section, 0 when there is none.
    int CurrentSectionKind() const;

    // Setting sections of the archived product and firmware version.
    int sectionCount = 0;
    int sectionKinds[kMaxSettingSections] = {};
    int currentSection = 0;
    // Cleared at each opening until the archive has been looked for.
    bool archiveRead = false;
    // The lookup leaves its request to press RESTORE in the status line.
    bool composeStatus = false;
    UpdateStatus restoreStatus;
    // The archive as read; every text of the page comes from it.
    DeviceSettings archivedSettings;
    // The folder of the archive and of the downloaded package; the program's
    // "IMG" folder unless a test gives another (ending with a backslash).
    CString archiveFolder;

    CStatic titleStatic;                        // 1012
    CStatic versionCaption;                     // 1013
    CStatic versionStatic;                      // 1014
    CComboBox languageCombo;                    // 1034
    CStatic dateCaption;                        // 1015
    CStatic dateStatic;                         // 1016
    CStatic pairNames[kArchivedPairCount];      // 1017, 1019 ... 1027
    CStatic pairValues[kArchivedPairCount];     // 1018, 1020 ... 1028
    CStatic languageLabel;                      // 1167
    CConfigListCtrl backupList;                 // 1202

    DECLARE_MESSAGE_MAP()

private:
    // Timer 202: reads the archive and, when there is one, starts the
    // revisions lookup on a worker; the page stays busy until it has ended.
    void RunLookup();
    // A status detail in a language.
    using DetailText = CString (*)(LanguageIndex);
    // The revisions the worker found into the record and the voice-prompt
    // choice: the detail of a failure, or null when the version was found.
    DetailText StoreRevisions(const RevisionsLookup& lookup);
    // The end of the lookup: status, sections, the busy flag released, the
    // page drawn again.
    void EndLookup(DetailText failure);
    // The folder that archiveFolder names, or the program's.
    CString Folder() const;
    // Every language's status := compose(language) on the main window.
    template <typename Compose>
    void SetEveryStatus(Compose&& compose);

    CFont m_boldFont;
    // The texts that FillBackupInfoLabels wrote last, and which pairs they fill.
    ArchivedLabels m_labels;
    // The server's revisions index is read on a worker, so the window keeps answering.
    BackgroundJob<RevisionsLookup> m_revisionsLookup{L"the revisions lookup"};
};
