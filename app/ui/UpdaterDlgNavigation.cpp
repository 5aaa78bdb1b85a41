// The main window's navigation: the GoTo operations, NEXT, BACK, the tabs and
// ACTION, the save prompt, the frame refresh, the section chooser and the
// change of language.
#include <algorithm>
#include <optional>
#include <span>
#include <vector>

#include "app/DeviceLine.h"
#include "app/ui/DialogLanguageManager.h"
#include "app/ui/DialogMessageBox.h"
#include "app/ui/UpdaterDlg.h"
#include "device/ProductCatalogue.h"
#include "framework/StartupTrace.h"
#include "res/resource.h"
#include "settingslist/LabelTables.h"

namespace {

// A model whose only settings page is the speed dial's.
bool SpeedDialOnly(int productId) { return ProductTraitsOf(productId).sections == SectionSet::DialOnly; }
// The last left tab stands for the three settings pages.
constexpr int kSettingsTab = kTabCount - 1;

// The left tab of each page (pages 5 to 7 share the DEVICE SETTING tab).
int TabOfPage(int page)
{
    if (page >= PageWelcome && page <= PageFirmwareRestore) return page - 1;
    if (page >= PageDeviceSetting && page <= PageSpeedDial) return kSettingsTab;
    return -1;
}

void Enable(CWnd& control, bool enable) { control.EnableWindow(enable ? TRUE : FALSE); }
void Show(CWnd& control, bool show) { control.ShowWindow(show ? SW_SHOW : SW_HIDE); }
void EnableAndShow(CWnd& control, bool on)
{
    Enable(control, on);
    Show(control, on);
}

}  // namespace

bool CUpdaterDlg::IsNoSettingsProduct(int productId)
{
    return ProductTraitsOf(productId).Has(kNoSettingsPages);
}

CSettingsPage* CUpdaterDlg::CurrentSettingsPage()
{
    switch (currentPage) {
    case PageDeviceSetting: return &deviceSettingPage;
    case PageDeviceSettingSecond: return &deviceSettingSecondPage;
    case PageSpeedDial: return &speedDialPage;
    default: return nullptr;
    }
}

// ---------------------------------------------------------------------------
// GoTo operations

bool CUpdaterDlg::AskToLeaveSettingsPage(int destination)
{
    CSettingsPage* page = CurrentSettingsPage();
    if (!page || currentPage == destination) return false;
    page->targetPage = destination;
    if (!page->HasUnsavedChanges()) return false;
    CDialogMessageBox box(this);
    box.Setup(TextSaveChangesQuestion(language), 0, TextNo(language), TextYes(language), CSize(400, 130));
    // The page's answer goes on to the destination by itself.
    if (box.DoModal() == IDOK) page->WriteToHeadset();
    else DiscardSettingsPageChanges(*page);
    return true;
}

void CUpdaterDlg::ForgetDevice()
{
    recognized = false;
    ResetDeviceHandles();
    ResetSettingSections();
    usbStatus = 0;
    // Nothing of the previous headset survives: a fresh record, then defaults.
    deviceSettings = DeviceSettings();
    deviceSettings.SetDefaults(0, 0, 0);
    hidVariant = -1;
}

void CUpdaterDlg::GoToPage(int page)
{
    switch (page) {
    case PageWelcome: GoToWelcome(); break;
    case PageRecognition: GoToRecognition(1, nullptr, 0); break;
    case PageFirmwareUpdate: GoToFirmwareUpdate(1); break;
    case PageFirmwareRestore: GoToFirmwareRestore(1); break;
    case PageDeviceSetting: GoToDeviceSetting(1); break;
    case PageDeviceSettingSecond: GoToDeviceSettingSecond(1); break;
    case PageSpeedDial: GoToSpeedDial(1); break;
    default: break;
    }
}

void CUpdaterDlg::GoToPageUnasked(int page)
{
    // The settings page is no longer the one being left, so nothing asks.
    currentPage = page;
    GoToPage(page);
}

int CUpdaterDlg::GoToWelcome()
{
    if (AskToLeaveSettingsPage(PageWelcome)) return 0;
    currentPage = PageWelcome;
    ForgetDevice();
    ShowCurrentPage();
    selectionPage.ShowSelectionPage();
    ComposePageStatus();
    UpdateNavigation();
    return 1;
}

void CUpdaterDlg::GoToRecognition(int composeStatus, const DeviceSettings* settings, int autoRun)
{
    if (AskToLeaveSettingsPage(PageRecognition)) return;
    // The record to write back may be the one about to be reset: keep a copy.
    std::optional<DeviceSettings> kept;
    if (settings) kept = *settings;
    currentPage = PageRecognition;
    ForgetDevice();
    if (targetProductId == 0) {
        GoToWelcome();
        return;
    }
    ShowCurrentPage();
    recognitionPage.autoRunCode = autoRun;
    recognitionPage.SetMode(0);
    if (composeStatus) ComposePageStatus();
    UpdateNavigation();
    if (autoRun) {
        const RecognitionOutcome outcome = recognitionPage.Recognize(kept ? &*kept : nullptr, 0);
        if (RecognitionAsksForRetry(outcome))
            PostMessage(WM_COMMAND, MAKEWPARAM(IDC_NEXT, BN_CLICKED), reinterpret_cast<LPARAM>(nextButton.m_hWnd));
    }
}

bool CUpdaterDlg::EnterDevicePage(int page)
{
    if (AskToLeaveSettingsPage(page)) return false;
    currentPage = page;
    if (CSettingsPage* settingsPage = CurrentSettingsPage()) settingsPage->targetPage = 0;
    // Pages 3 to 7 need a target product and a recognized headset.
    if (targetProductId == 0) {
        GoToWelcome();
        return false;
    }
    if (!recognized) {
        GoToRecognition(1, nullptr, 0);
        return false;
    }
    ShowCurrentPage();
    return true;
}

void CUpdaterDlg::EndPageEntry(int composeStatus)
{
    if (composeStatus) ComposePageStatus();
    UpdateNavigation();
}

void CUpdaterDlg::GoToFirmwareUpdate(int composeStatus)
{
    if (!EnterDevicePage(PageFirmwareUpdate)) return;
    firmwareUpdatePage.ShowPage();
    EndPageEntry(composeStatus);
}

void CUpdaterDlg::GoToFirmwareRestore(int composeStatus)
{
    if (!EnterDevicePage(PageFirmwareRestore)) return;
    firmwareRestorePage.OpenRestorePage(composeStatus);
    EndPageEntry(composeStatus);
}

void CUpdaterDlg::GoToSettingsPage(int page, int composeStatus)
{
    if (!EnterDevicePage(page)) return;
    CurrentSettingsPage()->LoadSettings();
    EndPageEntry(composeStatus);
}

void CUpdaterDlg::GoToDeviceSetting(int composeStatus) { GoToSettingsPage(PageDeviceSetting, composeStatus); }
void CUpdaterDlg::GoToDeviceSettingSecond(int composeStatus) { GoToSettingsPage(PageDeviceSettingSecond, composeStatus); }
void CUpdaterDlg::GoToSpeedDial(int composeStatus) { GoToSettingsPage(PageSpeedDial, composeStatus); }

CWizardPage* CUpdaterDlg::Page(int page)
{
    CWizardPage* pages[] = {&selectionPage, &recognitionPage, &firmwareUpdatePage, &firmwareRestorePage,
                            &deviceSettingPage, &deviceSettingSecondPage, &speedDialPage};
    return page >= PageWelcome && page <= PageSpeedDial ? pages[page - 1] : nullptr;
}

void CUpdaterDlg::CreatePage(int page)
{
    static const wchar_t* const traceNames[] = {L"welcome page",        L"recognition page",   L"firmware update page",
                                                L"firmware restore page", L"basic settings page", L"FM radio page",
                                                L"speed dial page"};
    CWizardPage* wanted = Page(page);
    if (!wanted || wanted->m_hWnd || !m_hWnd) return;
    wanted->Create(wanted->GetTemplateId(), &pageArea);
    MarkStartup(traceNames[page - PageWelcome]);
}

IUpdateWorkPage& CUpdaterDlg::UpdateWorkPage()
{
    if (currentPage == PageFirmwareUpdate) return firmwareUpdatePage;
    return FirmwareRestorePage();
}

void CUpdaterDlg::ShowCurrentPage()
{
    for (int page = PageWelcome; page <= PageSpeedDial; ++page) {
        if (Page(page)->m_hWnd) Page(page)->ShowWindow(SW_HIDE);
    }
    CreatePage(currentPage);
    CWizardPage* shown = Page(currentPage);
    if (!shown) return;
    pageArea.SetBitmap(m_pageAreaBitmap);
    shown->EnableWindow(TRUE);
    shown->ShowWindow(SW_SHOW);
}

// ---------------------------------------------------------------------------
// NEXT, BACK, tabs and ACTION

void CUpdaterDlg::OnBnClickedNext()
{
    if (Refused()) return;
    switch (currentPage) {
    case PageWelcome:
        targetProductId = kTkv8ProductId;
        GoToRecognition(1, nullptr, 0);
        break;
    case PageRecognition: recognitionPage.Recognize(nullptr, 1); break;
    case PageFirmwareUpdate:
    case PageFirmwareRestore:
        if (IsUpdateModeStatus(usbStatus) || IsNoSettingsProduct(targetProductId)) GoToWelcome();
        else if (SpeedDialOnly(targetProductId)) GoToSpeedDial(1);
        else GoToDeviceSetting(1);
        break;
    case PageDeviceSetting:
    case PageDeviceSettingSecond:
    case PageSpeedDial: GoToWelcome(); break;
    default: break;
    }
}

void CUpdaterDlg::OnBnClickedBack()
{
    if (Refused()) return;
    switch (currentPage) {
    case PageRecognition: GoToWelcome(); break;
    case PageFirmwareUpdate:
    case PageFirmwareRestore: GoToRecognition(1, nullptr, 0); break;
    case PageDeviceSetting:
    case PageDeviceSettingSecond:
    case PageSpeedDial: GoToFirmwareUpdate(1); break;
    default: break;
    }
}

void CUpdaterDlg::OnBnClickedTabWelcome()
{
    if (!Refused()) GoToWelcome();
}

void CUpdaterDlg::OnBnClickedTabRecognition()
{
    if (!Refused()) GoToRecognition(1, nullptr, 0);
}

void CUpdaterDlg::OnBnClickedTabFirmwareUpdate()
{
    if (!Refused()) GoToFirmwareUpdate(1);
}

void CUpdaterDlg::OnBnClickedTabFirmwareRestore()
{
    if (!Refused()) GoToFirmwareRestore(1);
}

void CUpdaterDlg::OnBnClickedTabDeviceSetting()
{
    if (Refused() || IsNoSettingsProduct(targetProductId)) return;
    if (SpeedDialOnly(targetProductId)) GoToSpeedDial(1);
    else GoToDeviceSetting(1);
    if (currentPage == PageDeviceSetting) {
        if (CWnd* grid = deviceSettingPage.EntryControl()) grid->SetFocus();
    }
}

void CUpdaterDlg::OnBnClickedAction()
{
    if (Refused()) return;
    if (CWizardPage* page = Page(currentPage)) page->OnAction();
}

// ---------------------------------------------------------------------------
// The frame

bool CUpdaterDlg::SectionFields(int*& count, int*& kinds, int*& current)
{
    if (currentPage == PageFirmwareRestore) {
        count = &firmwareRestorePage.sectionCount;
        kinds = firmwareRestorePage.sectionKinds;
        current = &firmwareRestorePage.currentSection;
        return true;
    }
    if (CurrentSettingsPage()) {
        count = &sectionCount;
        kinds = sectionKinds;
        current = &currentSection;
        return true;
    }
    return false;
}

void CUpdaterDlg::UpdateNavigation()
{
    // 1. Flag, tab titles and the device line.
    languageFlag.SetBitmap(LanguageFlag(language));
    SetTabCaptions();
    ShowDeviceImage();

    // 2. Captions of BACK and of the two firmware-page buttons.
    backButton.SetWindowText(BackCaption(language));
    backToUpdateButton.SetWindowText(UpdateTabCaption(language));
    onToRestoreButton.SetWindowText(RestoreTabCaption(language));

    // 3. Section chooser captions; hidden until the page rules below show it.
    int *count = nullptr, *kinds = nullptr, *current = nullptr;
    if (SectionFields(count, kinds, current)) {
        const int n = *count;
        const int shownIndex = (*current >= 0 && *current < kMaxSettingSections) ? *current : 0;
        if (n == 2) {
            sectionFirstButton.SetWindowText(GetLanguageTableText(kinds[0], language));
            sectionDropdownButton.SetWindowText(GetLanguageTableText(kinds[1], language));
        } else if (n > 2) {
            sectionFirstButton.SetWindowText(GetLanguageTableText(kinds[shownIndex], language));
            sectionDropdownButton.SetWindowText(GetLabelText(MoreLabels, language));
        }
    }
    for (CWnd* part : {static_cast<CWnd*>(&sectionFirstButton), static_cast<CWnd*>(&sectionDropdownButton),
                       static_cast<CWnd*>(&sectionList)}) {
        EnableAndShow(*part, false);
    }

    // 4. The pressed tab and the NEXT caption.
    const int pressedTab = TabOfPage(currentPage);
    for (int i = 0; i < kTabCount; ++i) tabButtons[i].SetState(i == pressedTab);
    const bool leadsToNewDevice = IsUpdateModeStatus(usbStatus) || IsNoSettingsProduct(targetProductId);
    const bool newDevice = currentPage >= PageDeviceSetting ||
                           ((currentPage == PageFirmwareUpdate || currentPage == PageFirmwareRestore) && leadsToNewDevice);
    nextButton.SetWindowText(newDevice ? NewDeviceCaption(language) : NextCaption(language));

    CButton* tabs = tabButtons;
    if (busy) {
        // 5. Everything that starts something waits.
        for (CWnd* control : {static_cast<CWnd*>(&aboutButton), static_cast<CWnd*>(&closeButton),
                              static_cast<CWnd*>(&statusDetailsButton), static_cast<CWnd*>(&backButton),
                              static_cast<CWnd*>(&backToUpdateButton), static_cast<CWnd*>(&actionButton),
                              static_cast<CWnd*>(&nextButton), static_cast<CWnd*>(&onToRestoreButton)}) {
            Enable(*control, false);
        }
        for (int i = 0; i < kTabCount; ++i) Enable(tabs[i], false);
    } else {
        // 6. Idle: everything enabled, then the rules of the page.
        Enable(aboutButton, true);
        Enable(closeButton, true);
        EnableAndShow(statusDetailsButton, false);
        for (int i = 0; i < kTabCount; ++i) Enable(tabs[i], true);
        Enable(backButton, true);
        Enable(backToUpdateButton, true);
        EnableAndShow(actionButton, true);
        Enable(nextButton, true);
        Enable(onToRestoreButton, true);
        Show(progress, false);
        // The voice-prompt steps only beside their choice.
        if (firmwareUpdatePage.stepsStatic.m_hWnd)
            Show(firmwareUpdatePage.stepsStatic, firmwareUpdatePage.ShowsVoicePromptChoice());
        Show(percentSign, false);
        Show(percentNumber, false);

        switch (currentPage) {
        case PageWelcome:
            for (int i = PageRecognition - 1; i < kTabCount; ++i) Enable(tabs[i], false);
            Enable(backButton, false);
            EnableAndShow(actionButton, false);
            EnableAndShow(backToUpdateButton, false);
            EnableAndShow(onToRestoreButton, false);
            break;
        case PageRecognition:
            for (int i = PageFirmwareUpdate - 1; i < kTabCount; ++i) Enable(tabs[i], recognized);
            EnableAndShow(actionButton, false);
            EnableAndShow(backToUpdateButton, false);
            EnableAndShow(onToRestoreButton, false);
            break;
        case PageFirmwareUpdate:
            if (leadsToNewDevice) Enable(tabs[kSettingsTab], false);
            actionButton.SetWindowText(UpdateActionCaption(language));
            Enable(actionButton, firmwareUpdatePage.fileEdit.GetWindowTextLength() > 0);
            EnableAndShow(backToUpdateButton, false);
            EnableAndShow(onToRestoreButton, true);
            break;
        case PageFirmwareRestore: {
            if (leadsToNewDevice) Enable(tabs[kSettingsTab], false);
            const bool restorePossible = firmwareRestorePage.restoreStatus.BackupFound;
            actionButton.SetWindowText(RestoreActionCaption(language));
            Enable(actionButton, restorePossible);
            EnableAndShow(backToUpdateButton, true);
            EnableAndShow(onToRestoreButton, false);
            if (restorePossible) UpdateSectionChooser();
            break;
        }
        case PageDeviceSetting:
        case PageDeviceSettingSecond:
        case PageSpeedDial:
            actionButton.SetWindowText(TextSave(language));
            Enable(actionButton, CurrentSettingsPage()->IsModified() != 0);
            EnableAndShow(backToUpdateButton, false);
            EnableAndShow(onToRestoreButton, false);
            UpdateSectionChooser();
            break;
        default: break;
        }
    }

    // 7. Transfer progress, also while busy. The bar lies over the page, which
    // may just have been repainted: repaint the bar and its number after it.
    if (transferPercent >= 0) {
        Show(progress, true);
        progress.SetPos(transferPercent);
        Show(percentSign, true);
        percentNumber.SetWindowText(CString::Formatted(L"%d", transferPercent));
        Show(percentNumber, true);
        if (firmwareUpdatePage.stepsStatic.m_hWnd) Show(firmwareUpdatePage.stepsStatic, false);
        for (CWnd* part : {static_cast<CWnd*>(&progress), static_cast<CWnd*>(&percentSign),
                           static_cast<CWnd*>(&percentNumber)}) {
            part->Invalidate();
        }
    }

    // 8. The page area and the keyboard.
    SettlePageArea();
}

void CUpdaterDlg::SettlePageArea()
{
    // The current page alone, none while the section list covers the area. A
    // page that switched its redrawing off and on again has shown itself, also
    // when it was hidden.
    CWizardPage* shown = sectionListOpen ? nullptr : Page(currentPage);
    for (int page = PageWelcome; page <= PageSpeedDial; ++page) {
        CWizardPage* each = Page(page);
        if (!each->m_hWnd) continue;
        const bool visible = each->IsWindowVisible();
        if (each == shown && !visible) each->ShowWindow(SW_SHOW);
        else if (each != shown && visible) each->ShowWindow(SW_HIDE);
    }

    // Hiding or disabling the control with the focus leaves the keyboard on
    // nothing, or on a hidden control: it goes to the open section list, else
    // to the page's own control, else to NEXT; while that waits (busy), to the
    // frame itself until the next refresh. Not while another window (a box, a
    // popup list) is active.
    if (::GetActiveWindow() != m_hWnd || HoldsKeyboard(::GetFocus())) return;
    CWnd* target = sectionListOpen ? &sectionList : shown ? shown->EntryControl() : nullptr;
    if (!target) target = &nextButton;
    if (!target->IsWindowEnabled()) target = this;
    // The frame keeps the keyboard itself (OnSetFocus), or the next refresh
    // would find it on whatever control came first, where the rider never put it.
    m_keyboardOnFrame = target == this;
    target->SetFocus();
    m_keyboardOnFrame = false;
}

void CUpdaterDlg::OnActivate(UINT state, CWnd*, BOOL minimized)
{
    // The dialog gives the keyboard back to the control it was on when a box
    // took over; the page shown may have changed since (the box's own road,
    // or a late activation), so the page area's rule applies again.
    Default();
    if (state != WA_INACTIVE && !minimized) SettlePageArea();
}

void CUpdaterDlg::OnSetFocus(CWnd*)
{
    // A dialog hands the focus it is given on to a control of its own.
    if (!m_keyboardOnFrame) Default();
}

bool CUpdaterDlg::HoldsKeyboard(HWND focus)
{
    if (!focus || focus == m_hWnd || !::IsChild(m_hWnd, focus) || !::IsWindowVisible(focus)) return false;
    for (int page = PageWelcome; page <= PageSpeedDial; ++page) {
        if (focus == Page(page)->m_hWnd) return false;
    }
    // The statics of the frame (the page area among them) take no keys.
    return !(::SendMessageW(focus, WM_GETDLGCODE, 0, 0) & DLGC_STATIC);
}

void CUpdaterDlg::UpdateSectionChooser()
{
    int *count = nullptr, *kinds = nullptr, *current = nullptr;
    if (!SectionFields(count, kinds, current)) return;
    if (*count == 2) {
        // Only the button leading away from the section shown is enabled.
        Show(sectionFirstButton, true);
        Show(sectionDropdownButton, true);
        Enable(sectionFirstButton, *current != 0);
        Enable(sectionDropdownButton, *current == 0);
    } else if (*count > 2) {
        Show(sectionFirstButton, true);
        Enable(sectionFirstButton, false);
        EnableAndShow(sectionDropdownButton, true);
        EnableAndShow(sectionList, sectionListOpen);
    }
}

void CUpdaterDlg::ShowDeviceImage()
{
    int picture = kNoDevicePicture;
    if (!recognized) {
        deviceCaption.SetWindowText(NoDeviceCaption(language));
        deviceText.SetWindowText(RecognizedCaption(language));
    } else if (IsUpdateModeStatus(usbStatus)) {
        deviceCaption.SetWindowText(FirmwareCaption(language));
        deviceText.SetWindowText(ManagementCaption(language));
    } else {
        picture = DeviceImageId();
        deviceCaption.SetWindowText(DeviceNameCaption(deviceSettings.DeviceName));
        deviceText.SetWindowText(DeviceVersionText(deviceSettings));
    }
    devicePicture.SetBitmap(DevicePicture(picture));
}

namespace {

HBITMAP LoadedOnce(CBitmap& bitmap, UINT id)
{
    if (!bitmap.GetSafeHandle()) bitmap.LoadBitmap(id);
    return bitmap;
}

}  // namespace

HBITMAP CUpdaterDlg::DevicePicture(int id)
{
    const std::vector<int> ids = DevicePictureIds();
    if (!std::binary_search(ids.begin(), ids.end(), id)) return nullptr;
    return LoadedOnce(m_devicePictures[id], static_cast<UINT>(id));
}

HBITMAP CUpdaterDlg::LanguageFlag(LanguageIndex lang)
{
    const int column = TextColumn(lang);
    return LoadedOnce(m_flags[column], LanguageChoices[column].flagBitmap);
}

int CUpdaterDlg::DeviceImageId() const { return DeviceImageIdFor(deviceSettings.ProductId, hidVariant); }

void CUpdaterDlg::SetTabCaptions()
{
    for (int i = 0; i < kTabCount; ++i) tabButtons[i].SetWindowText(PageTitle(i + 1, language));
}

void CUpdaterDlg::SetToolTips()
{
    if (!toolTip.m_hWnd) return;
    toolTip.UpdateTipText(TextManagerLanguage(language), &languageFlag);
    toolTip.UpdateTipText(TextClose(language), &closeButton);
    toolTip.UpdateTipText(TextAbout(language), &aboutButton);
}

void CUpdaterDlg::ApplyFonts()
{
    CFont bold;
    if (!bold.CreateBoldOf(GetFontHandle())) return;
    static const int boldIds[] = {IDC_DEVICE_CAPTION, IDC_DEVICE_TEXT, IDC_ABOUT_BUTTON, IDOK, IDC_STATUS_DETAILS,
                                  IDC_TAB_WELCOME, IDC_TAB_RECOGNITION, IDC_TAB_FIRMWARE_UPDATE,
                                  IDC_TAB_FIRMWARE_RESTORE, IDC_TAB_DEVICE_SETTING, IDC_PAGE_BAR, IDC_STATUS_AREA,
                                  IDC_STATUS_TEXT, IDC_PERCENT_NUMBER, IDC_PERCENT_SIGN, IDC_BACK,
                                  IDC_BACK_TO_UPDATE, IDC_NEXT, IDC_ON_TO_RESTORE, IDC_ACTION, IDC_SECTION_FIRST,
                                  IDC_SECTION_DROPDOWN, IDC_SECTION_LIST};
    for (int id : boldIds) SendDlgItemMessageW(m_hWnd, id, WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(bold)), TRUE);

    // Long tab titles: one unit smaller (the height is negative).
    CFont smaller;
    static const int frenchTabs[] = {IDC_TAB_RECOGNITION, IDC_TAB_FIRMWARE_RESTORE};
    static const int germanTabs[] = {IDC_TAB_DEVICE_SETTING};
    std::span<const int> smallerTabs;
    if (language == LanguageFrench) smallerTabs = frenchTabs;
    else if (language == LanguageGerman) smallerTabs = germanTabs;
    LOGFONTW font{};
    if (!smallerTabs.empty() && bold.GetLogFont(&font)) {
        font.lfHeight += 1;
        smaller.CreateFontIndirect(&font);
        for (int id : smallerTabs)
            SendDlgItemMessageW(m_hWnd, id, WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(smaller)), TRUE);
    }
    // The controls now use the new fonts; the old ones can go.
    m_boldFont = std::move(bold);
    m_smallBoldFont = std::move(smaller);
}

void CUpdaterDlg::ApplyLanguage(LanguageIndex newLanguage, bool newApplyToFirmwareLanguage)
{
    if (newLanguage == language && newApplyToFirmwareLanguage == applyToFirmwareLanguage) return;
    language = newLanguage;
    applyToFirmwareLanguage = newApplyToFirmwareLanguage;
    ApplyFonts();
    UpdateNavigation();
    RefreshStatusLine();
    if (CWizardPage* page = Page(currentPage)) page->OnLanguageChanged();
}

// ---------------------------------------------------------------------------
// Section chooser

void CUpdaterDlg::GoToSectionKind(int kind)
{
    if (currentPage == PageFirmwareRestore) {
        // The restore page shows another section of the archive instead.
        firmwareRestorePage.EnableWindow(TRUE);
        firmwareRestorePage.ShowWindow(SW_SHOW);
        firmwareRestorePage.FillBackupInfoLabels();
        firmwareRestorePage.RefreshRestorePage();
        UpdateNavigation();
        return;
    }
    switch (kind) {
    case kSectionBasic: GoToDeviceSetting(1); break;
    case kSectionSpeedDial: GoToSpeedDial(1); break;
    case kSectionFmRadio: GoToDeviceSettingSecond(1); break;
    default: break;
    }
}

void CUpdaterDlg::OnBnClickedBasic()
{
    if (busy) return;
    int *count = nullptr, *kinds = nullptr, *current = nullptr;
    if (!SectionFields(count, kinds, current) || *count != 2 || *current != 1) return;
    *current = 0;
    GoToSectionKind(kinds[0]);
}

void CUpdaterDlg::OnBnClickedSectionDropdown()
{
    if (busy) return;
    int *count = nullptr, *kinds = nullptr, *current = nullptr;
    if (!SectionFields(count, kinds, current)) return;
    if (*count == 2) {
        *current = 1;
        GoToSectionKind(kinds[1]);
        return;
    }
    if (*count < 3) return;
    if (sectionListOpen) {
        sectionListOpen = false;
        EndSectionList();
        return;
    }
    sectionListOpen = true;
    CapturePageImage();
    if (CWizardPage* page = Page(currentPage)) {
        page->EnableWindow(FALSE);
        page->ShowWindow(SW_HIDE);
    }
    sectionList.ResetContent();
    for (int i = 0; i < *count && i < kMaxSettingSections; ++i)
        sectionList.AddString(GetLanguageTableText(kinds[i], language));
    sectionList.SetCurSel(*current);
    UpdateNavigation();
}

void CUpdaterDlg::EndSectionList()
{
    pageArea.SetBitmap(m_pageAreaBitmap);
    if (CWizardPage* page = Page(currentPage)) {
        page->EnableWindow(TRUE);
        page->ShowWindow(SW_SHOW);
    }
    UpdateNavigation();
}

void CUpdaterDlg::OnLbnSelchangeSectionList()
{
    sectionListOpen = false;
    int *count = nullptr, *kinds = nullptr, *current = nullptr;
    const int chosen = sectionList.GetCurSel();
    if (SectionFields(count, kinds, current) && chosen >= 0 && chosen < *count && chosen < kMaxSettingSections &&
        chosen != *current) {
        *current = chosen;
        if (currentPage == PageFirmwareRestore) pageArea.SetBitmap(m_pageAreaBitmap);
        GoToSectionKind(kinds[chosen]);
        return;
    }
    EndSectionList();
}

void CUpdaterDlg::CapturePageImage()
{
    const CRect area = pageArea.GetClientRect();
    CClientDC areaDc(&pageArea);
    CBitmap snapshot;
    if (area.IsRectEmpty() || !snapshot.CreateCompatibleBitmap(areaDc, area.Width(), area.Height())) return;
    CDC memory;
    memory.CreateCompatibleDC(areaDc);
    HGDIOBJ old = memory.SelectObject(snapshot);
    memory.BitBlt(0, 0, area.Width(), area.Height(), areaDc, 0, 0, SRCCOPY);
    if (CWizardPage* page = Page(currentPage); page && page->m_hWnd) {
        const CRect client = page->GetClientRect();
        CClientDC pageDc(page);
        memory.BitBlt(0, 0, client.Width(), client.Height(), pageDc, 0, 0, SRCCOPY);
    }
    memory.SelectObject(old);
    memory.DeleteDC();
    pageArea.SetBitmap(snapshot);
    m_pageSnapshot = std::move(snapshot);
}
