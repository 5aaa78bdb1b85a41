// CPageHost: what a page, a box or a dialog of the program may ask of the main
// window. The main window implements it; pages include this header, never the
// main window's, so that a page compiles and is tested without the whole frame.
#pragma once

#include "app/AppState.h"
#include "framework/Framework.h"

class DeviceSettings;
class UpdateStatus;
struct RecognitionResult;

// The page whose record a running firmware update works on: the update page
// for an update, the restore page for a restore (run by the update page).
class IUpdateWorkPage {
public:
    // The record the update reads and writes.
    virtual UpdateStatus& UpdateRecord() = 0;
    // Draws the page again for the record's state.
    virtual void RefreshForUpdate() = 0;
    // The settings to write to the headset once it is back; null: read it afresh.
    virtual const DeviceSettings* SettingsToWriteBack() = 0;

protected:
    ~IUpdateWorkPage() = default;
};

class CPageHost : public AppState {
public:
    virtual ~CPageHost() = default;

    // The main window itself, as the owner of boxes and the target of messages.
    virtual CWnd* HostWindow() = 0;

    // Gives the focus to NEXT.
    virtual void FocusNext() = 0;
    // Closes the program as the close button does (refused while busy).
    virtual void CloseProgram() = 0;

    // Refreshes the frame for the current page and state.
    virtual void UpdateNavigation() = 0;
    // Sets or clears the busy flag and refreshes the frame.
    void SetBusy(bool on)
    {
        busy = on;
        UpdateNavigation();
    }

    // The transfer's percentage on the frame's bar (-1 hides it): set for the
    // next refresh, or shown at once.
    void SetTransferPercent(int percent) { transferPercent = percent; }
    void ShowTransferPercent(int percent)
    {
        SetTransferPercent(percent);
        UpdateNavigation();
    }

    // What the pages decide for the whole program.
    // The headset a recognition pass found (a failed pass leaves none).
    void TakeRecognition(const RecognitionResult& result);
    // The product the user aims at.
    void SetTargetProduct(int productId) { targetProductId = productId; }
    // The voice-prompt language for the next lookups and updates, by its English name.
    void ChooseFirmwareLanguage(const CString& name) { firmwareLanguage = name; }
    // The folder file dialogs open in, and the folder of a chosen file taking its place.
    CString FileDialogFolder() const;
    void KeepFolderOf(const CString& path);
    // A writer thread that waits for the user goes on.
    void ReleaseWaitingWriter() { waitForUser = false; }

    // Skin brushes: the pages' background and the message boxes'.
    virtual HBRUSH PageBrush() const = 0;
    virtual HBRUSH MessageBoxBrush(bool warning) const = 0;

    // Status line.
    virtual CString GetStatusText() const = 0;
    virtual void SetStatusText(const CString& text, LanguageIndex lang) = 0;
    virtual void ShowStatus(const CString& text, int warning) = 0;
    virtual CString ComposeReadyStatus() = 0;
    virtual CString ComposeProgressStatus() = 0;
    virtual void ComposePageStatus() = 0;
    int LastStatusNotWarning() const { return statusLine.LastStatusNotWarning(); }
    // Every language's status := compose(language), then the current one shown.
    template <typename Compose>
    void ShowEveryStatus(Compose&& compose, int warning)
    {
        for (LanguageIndex language = 0; language < LanguageCount; ++language) {
            SetStatusText(compose(language), language);
        }
        ShowStatus(GetStatusText(), warning);
    }

    // Navigation.
    virtual void GoToPage(int page) = 0;
    // GoToPage without the save prompt: the settings page left has nothing to save.
    virtual void GoToPageUnasked(int page) = 0;
    virtual int GoToWelcome() = 0;
    virtual void GoToRecognition(int composeStatus, const DeviceSettings* settings, int autoRun) = 0;
    virtual void GoToFirmwareUpdate(int composeStatus) = 0;
    virtual void GoToFirmwareRestore(int composeStatus) = 0;
    virtual void GoToDeviceSetting(int composeStatus) = 0;
    virtual void GoToDeviceSettingSecond(int composeStatus) = 0;
    virtual void GoToSpeedDial(int composeStatus) = 0;
    virtual void ShowCurrentPage() = 0;

    // Device handles and setting sections.
    virtual void CloseDeviceHandles() = 0;
    virtual void ResetSettingSections() = 0;
    // The section chooser marks the section of a settings page.
    void MarkSectionOfPage(int page) { currentSection = SettingSectionIndexOfPage(page); }
    // The section list counts as closed (a page entered with sections of its own).
    void CloseSectionList() { sectionListOpen = false; }

    // The update and the restore.
    // The page a running update works for: the update page while it is
    // current, else the restore page.
    virtual IUpdateWorkPage& UpdateWorkPage() = 0;
    // The restore hands its downloaded package to the update page, whose
    // timers run the update while the restore page stays current.
    virtual void StartRestoredUpdate() = 0;

    // Texts that depend on the current language and the target product.
    CString TextHoldKey() const { return ::TextHoldKey(language, targetProductId); }
    CString TextHoldTwoKeys() const { return ::TextHoldTwoKeys(language, targetProductId); }
    CString TextBackupCreationFailed() const { return ::TextBackupCreationFailed(language); }
    // True when productId is the target product or a sibling of it.
    bool IsSameDeviceFamily(int productId) const { return ::IsSameDeviceFamily(targetProductId, productId) != 0; }
};

// The main window of a page (the parent of the page's parent window); null for
// a window that is not inside the main window.
CPageHost* GetMainDialog(const CWnd* page);
