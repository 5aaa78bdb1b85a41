// The main window: the skinned frame that hosts the seven wizard pages, owns
// the state every page reads and writes, and moves between the pages.
#pragma once

#include <atomic>
#include <map>

#include "app/ui/DialogDeviceSelection.h"
#include "app/ui/PageHost.h"
#include "app/StatusLine.h"
#include "app/ui/WizardPage.h"
#include "controls/MyStatic.h"
#include "device/DeviceSettings.h"
#include "device/ui/DialogDeviceRecognition.h"
#include "device/ProductCatalogue.h"
#include "dfu/DFUEngine.h"
#include "firmware/ui/DialogFirmwareUpdate.h"
#include "framework/Framework.h"
#include "restore/ui/DialogFirmwareRestore.h"
#include "settings/ui/DialogDeviceSetting.h"
#include "settings/ui/DialogDeviceSettingSecond.h"
#include "settings/ui/DialogDeviceSettingSpeedDial.h"

// Timer of the main window that shows the first page after start-up.
constexpr UINT_PTR kStartupTimer = 1;
constexpr UINT kStartupDelayMs = 100;

class CUpdaterDlg : public CDialog, public CPageHost, public DFUEngine::Callback {
public:
    explicit CUpdaterDlg(CWnd* parent = nullptr);
    ~CUpdaterDlg() override;

    void DoDataExchange(CDataExchange* dx) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    // Marks the first paint for the start-up trace.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    // The seven pages, created modeless inside the page area: the welcome page
    // at start, each other one when it is first shown or reached (CreatePage).
    CDialogDeviceSelection selectionPage;
    CDialogDeviceRecognition recognitionPage;
    CDialogFirmwareUpdate firmwareUpdatePage;
    CDialogFirmwareRestore firmwareRestorePage;
    CDialogDeviceSetting deviceSettingPage;
    CDialogDeviceSettingSecond deviceSettingSecondPage;
    CDialogDeviceSettingSpeedDial speedDialPage;

    // The page host.
    CWnd* HostWindow() override { return this; }
    HBRUSH PageBrush() const override { return m_whiteBrush; }
    HBRUSH MessageBoxBrush(bool warning) const override { return warning ? m_warningBoxBrush : m_messageBoxBrush; }
    // A page made first when not made yet.
    CDialogFirmwareUpdate& FirmwareUpdatePage() { return Made(firmwareUpdatePage, PageFirmwareUpdate); }
    CDialogFirmwareRestore& FirmwareRestorePage() { return Made(firmwareRestorePage, PageFirmwareRestore); }
    CDialogDeviceSetting& DeviceSettingPage() { return Made(deviceSettingPage, PageDeviceSetting); }
    IUpdateWorkPage& UpdateWorkPage() override;
    void StartRestoredUpdate() override { FirmwareUpdatePage().StartRestoredUpdate(); }
    void FocusNext() override { nextButton.SetFocus(); }
    void CloseProgram() override { OnOK(); }

    // Configuration file: defaults and reading at start; writing at close.
    // SaveConfiguration returns 0 when the close must be refused.
    void LoadConfiguration();
    int SaveConfiguration();

    // Device handles and sections.
    void CloseDeviceHandles() override;
    void ResetDeviceHandles();
    void ResetSettingSections() override;
    static int CountHidDfuDevices(int maximum);

    // Status line.
    CString GetStatusText() const override;
    void SetStatusText(const CString& text, LanguageIndex lang) override;
    void ShowStatus(const CString& text, int warning) override;
    CString ComposeReadyStatus() override;
    CString ComposeProgressStatus() override;
    void ComposePageStatus() override;
    void RefreshStatusLine();

    // Navigation.
    void GoToPage(int page) override;
    void GoToPageUnasked(int page) override;
    int GoToWelcome() override;
    void GoToRecognition(int composeStatus, const DeviceSettings* settings, int autoRun) override;
    void GoToFirmwareUpdate(int composeStatus) override;
    void GoToFirmwareRestore(int composeStatus) override;
    void GoToDeviceSetting(int composeStatus) override;
    void GoToDeviceSettingSecond(int composeStatus) override;
    void GoToSpeedDial(int composeStatus) override;
    void ShowCurrentPage() override;
    // Creates the window of a page (by number) unless it exists.
    void CreatePage(int page);
    template <class PageClass>
    PageClass& Made(PageClass& page, int number)
    {
        CreatePage(number);
        return page;
    }
    void UpdateNavigation() override;
    void ShowDeviceImage();
    int DeviceImageId() const;
    // A device picture by its bitmap id (null for an id that is none), and the
    // flag of a language: each loaded the first time it is asked for.
    HBITMAP DevicePicture(int id);
    HBITMAP LanguageFlag(LanguageIndex lang);
    void SetTabCaptions();
    void SetToolTips();
    void ApplyFonts();
    void ApplyLanguage(LanguageIndex newLanguage, bool newApplyToFirmwareLanguage);
    void CapturePageImage();

    // 1 for the products without settings pages (the test is on targetProductId).
    static bool IsNoSettingsProduct(int productId);
    // The settings page shown (pages 5 to 7), else null.
    CSettingsPage* CurrentSettingsPage();

    // Message handlers (public so tests can drive them as the map does).
    void OnBnClickedNext();
    void OnBnClickedBack();
    void OnBnClickedTabWelcome();
    void OnBnClickedTabRecognition();
    void OnBnClickedTabFirmwareUpdate();
    void OnBnClickedTabFirmwareRestore();
    void OnBnClickedTabDeviceSetting();
    void OnBnClickedAction();
    void OnBnClickedAbout();
    void OnBnClickedBasic();
    void OnBnClickedSectionDropdown();
    void OnLbnSelchangeSectionList();
    void OnBnClickedStatusDetails();
    void OnStnDblclkDeviceText();
    void OnManagerLanguage();
    void OnMenuAbout();
    void OnMenuClose();
    void OnMenuDiagnosticLog();
    void OnContextMenu(CWnd* wnd, CPoint point);
    void OnClose();
    void OnActivate(UINT state, CWnd* other, BOOL minimized);
    void OnSetFocus(CWnd* oldFocus);
    void OnTimer(UINT_PTR id);
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    void OnDrawItem(int id, LPDRAWITEMSTRUCT dis);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnMenuOnlineHelp();
    void DoNothing() {}
    LRESULT OnMouseMoveDefault(WPARAM, LPARAM) { return ForwardToDefault(this); }

    // Text of the build-version box for the target product; empty when none.
    CString BuildVersionText(CSize* boxSize) const;

    // Controls bound to the template.
    CStatic backgroundStatic;
    CMyStatic devicePicture;
    CStatic deviceCaption;
    CStatic deviceText;
    CStatic languageFlag;
    CStatic pageArea;
    CStatic pageBar;
    CStatic statusArea;
    CStatic statusText;
    CStatic percentNumber;
    CStatic percentSign;
    CButton aboutButton;
    CButton closeButton;
    CButton tabButtons[kTabCount];
    CButton backButton;
    CButton nextButton;
    CButton actionButton;
    CButton backToUpdateButton;
    CButton onToRestoreButton;
    CButton statusDetailsButton;
    CButton sectionFirstButton;
    CButton sectionDropdownButton;
    CListBox sectionList;
    CProgressCtrl progress;
    CToolTipCtrl toolTip;

    DECLARE_MESSAGE_MAP()

private:
    // Each GoTo first asks to save a changed settings page being left; true when
    // it asked (the page's answer then carries on to the destination).
    bool AskToLeaveSettingsPage(int destination);
    // The resets of entering the welcome or the recognition page.
    void ForgetDevice();
    // Makes page 3 to 7 current after the save prompt and the fallbacks to the
    // welcome or recognition page; true when the page is to be shown.
    bool EnterDevicePage(int page);
    // Composes the status of the page entered (when asked) and refreshes the frame.
    void EndPageEntry(int composeStatus);
    void GoToSettingsPage(int page, int composeStatus);
    // Goes to the page of a section kind (1 basic, 2 speed dial, 3 FM radio).
    void GoToSectionKind(int kind);
    // Current page's section fields: the restore page's on page 4, else ours.
    bool SectionFields(int*& count, int*& kinds, int*& current);
    // Shows the section buttons (and the open list) by the section count.
    void UpdateSectionChooser();
    // The page object of a page number, null for another number.
    CWizardPage* Page(int page);
    // Only the current page shown, and the keyboard on a visible control.
    void SettlePageArea();
    // True when the focus window is a visible control of the frame or of the
    // shown page that takes keys.
    bool HoldsKeyboard(HWND focus);
    void EndSectionList();
    HBRUSH FramePatternBrush(CWnd* control);
    // A bitmap of the part of the background picture behind a control.
    bool CopyBackgroundBehind(CWnd* control, CBitmap& out);
    bool Refused() const { return Refuses(); }

    // Set while SettlePageArea gives the frame itself the keyboard.
    bool m_keyboardOnFrame = false;
    HICON m_icon = nullptr;
    CBitmap m_backgroundBitmap;
    CBitmap m_pageAreaBitmap;
    CBitmap m_pageSnapshot;
    CBitmap m_flags[LanguageCount];
    std::map<int, CBitmap> m_devicePictures;
    CBrush m_whiteBrush;
    CBrush m_tabFaceBrush;
    CBrush m_barGreyBrush;
    CBrush m_statusBlueBrush;
    CBrush m_statusOrangeBrush;
    CBrush m_messageBoxBrush;
    CBrush m_warningBoxBrush;
    // Pattern brushes of the device line over the background, made once each.
    std::map<int, CBrush> m_patternBrushes;
    CFont m_boldFont;
    CFont m_smallBoldFont;
};
