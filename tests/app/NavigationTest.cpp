// NEXT, BACK and the tabs on every page, the frame that follows them, the save
// prompt when a changed settings page is left, and the section chooser.
#include "MainWindowFixture.h"

#include "app/ui/DialogMessageBox.h"
#include "settingslist/LabelTables.h"

namespace {

// Puts the window on a page with a recognized product.
void Enter(CUpdaterDlg& main, int page)
{
    main.GoToPage(page);
}

class NavigationTest : public MainWindowTest {};

TEST_F(NavigationTest, NextBackAndTabsLeadToThePageOfTheRules)
{
    struct Case {
        const char* name;
        int product;
        int usbStatus;
        int from;
        int control;
        int expected;
    };
    const Case cases[] = {
        {"BACK on the welcome page does nothing", 0x4D10, -1, PageWelcome, IDC_BACK, PageWelcome},
        {"NEXT on the welcome page aims at 0x4D10", 0, -1, PageWelcome, IDC_NEXT, PageRecognition},
        {"BACK on recognition", 0x4D10, -1, PageRecognition, IDC_BACK, PageWelcome},
        {"NEXT on update, settings product", 0x4D10, -1, PageFirmwareUpdate, IDC_NEXT, PageDeviceSetting},
        {"NEXT on update, 0x4111", 0x4111, -1, PageFirmwareUpdate, IDC_NEXT, PageSpeedDial},
        {"NEXT on update, no-settings 0x5310", 0x5310, -1, PageFirmwareUpdate, IDC_NEXT, PageWelcome},
        {"NEXT on update, update mode", 0x4D10, 0x8000 | 0x4D10, PageFirmwareUpdate, IDC_NEXT, PageWelcome},
        {"NEXT on restore, settings product", 0x4D10, -1, PageFirmwareRestore, IDC_NEXT, PageDeviceSetting},
        {"NEXT on restore, 0x3020", 0x3020, -1, PageFirmwareRestore, IDC_NEXT, PageWelcome},
        {"BACK on update", 0x4D10, -1, PageFirmwareUpdate, IDC_BACK, PageRecognition},
        {"BACK on restore", 0x4D10, -1, PageFirmwareRestore, IDC_BACK, PageRecognition},
        {"BACK on basic settings", 0x4D10, -1, PageDeviceSetting, IDC_BACK, PageFirmwareUpdate},
        {"BACK on speed dial", 0x4111, -1, PageSpeedDial, IDC_BACK, PageFirmwareUpdate},
        {"NEXT on FM radio", 0x5040, -1, PageDeviceSettingSecond, IDC_NEXT, PageWelcome},
        {"tab welcome", 0x4D10, -1, PageDeviceSetting, IDC_TAB_WELCOME, PageWelcome},
        {"tab recognition", 0x4D10, -1, PageFirmwareUpdate, IDC_TAB_RECOGNITION, PageRecognition},
        {"tab update", 0x4D10, -1, PageDeviceSetting, IDC_TAB_FIRMWARE_UPDATE, PageFirmwareUpdate},
        {"button 1020", 0x4D10, -1, PageFirmwareRestore, IDC_BACK_TO_UPDATE, PageFirmwareUpdate},
        {"tab restore", 0x4D10, -1, PageFirmwareUpdate, IDC_TAB_FIRMWARE_RESTORE, PageFirmwareRestore},
        {"button 1024", 0x4D10, -1, PageFirmwareUpdate, IDC_ON_TO_RESTORE, PageFirmwareRestore},
        {"tab settings, 0x4D10", 0x4D10, -1, PageFirmwareUpdate, IDC_TAB_DEVICE_SETTING, PageDeviceSetting},
        {"tab settings, 0x4111", 0x4111, -1, PageFirmwareUpdate, IDC_TAB_DEVICE_SETTING, PageSpeedDial},
        {"tab settings, no-settings product", 0x5345, -1, PageFirmwareUpdate, IDC_TAB_DEVICE_SETTING, PageFirmwareUpdate},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        main->GoToWelcome();
        Recognize(c.product, c.usbStatus);
        if (c.from != PageWelcome) Enter(*main, c.from);
        if (c.from == PageRecognition || c.from == PageWelcome) Recognize(c.product, c.usbStatus);
        FinishPageTimers();
        ASSERT_EQ(c.from, main->currentPage);
        Click(c.control);
        FinishPageTimers();
        EXPECT_EQ(c.expected, main->currentPage);
        if (c.control == IDC_NEXT && c.from == PageWelcome) {
            EXPECT_EQ(0x4D10, main->targetProductId);
        }
    }
}

TEST_F(NavigationTest, NoSettingsProductOnUpdatePageOffersANewDevice)
{
    Recognize(0x5310);
    main->GoToFirmwareUpdate(1);
    FinishPageTimers();
    EXPECT_EQ(CString(L"NEW DEVICE  >  "), main->nextButton.GetWindowText());
    EXPECT_FALSE(Enabled(main->tabButtons[4]));
    Click(IDC_NEXT);
    EXPECT_EQ(PageWelcome, main->currentPage);
    EXPECT_EQ(CString(L"NEXT        >  "), main->nextButton.GetWindowText());
}

TEST_F(NavigationTest, NothingMovesWhileBusyOrWhileTheSectionListIsOpen)
{
    Recognize(0x4D10);
    main->GoToFirmwareUpdate(1);
    ASSERT_EQ(1, main->busy);  // reading the firmware index
    for (int id : {IDC_NEXT, IDC_BACK, IDC_TAB_WELCOME, IDC_TAB_RECOGNITION, IDC_TAB_DEVICE_SETTING}) {
        Click(id);
        EXPECT_EQ(PageFirmwareUpdate, main->currentPage) << id;
    }
    FinishPageTimers();
    main->sectionListOpen = 1;
    Click(IDC_BACK);
    EXPECT_EQ(PageFirmwareUpdate, main->currentPage);
}

TEST_F(NavigationTest, PagesWithoutTargetOrRecognitionFallBack)
{
    main->targetProductId = 0;
    main->GoToFirmwareRestore(1);
    EXPECT_EQ(PageWelcome, main->currentPage);
    main->targetProductId = 0x4D10;
    main->GoToDeviceSetting(1);
    EXPECT_EQ(PageRecognition, main->currentPage);
}

TEST_F(NavigationTest, WelcomeForgetsTheHeadset)
{
    Recognize(0x4D10);
    main->deviceSettings.DeviceName = L"old headset";
    main->deviceSettings.BluetoothAddress = L"001122334455";
    main->deviceSettings.Firmware.Major = 5;
    main->hidVariant = 16;
    main->GoToWelcome();
    EXPECT_EQ(0, main->recognized);
    EXPECT_EQ(0, main->usbStatus);
    EXPECT_EQ(0, main->deviceSettings.ProductId);
    EXPECT_TRUE(main->deviceSettings.DeviceName.IsEmpty());
    EXPECT_TRUE(main->deviceSettings.BluetoothAddress.IsEmpty());
    EXPECT_EQ(0, main->deviceSettings.Firmware.Major);
    EXPECT_EQ(-1, main->hidVariant);
}

TEST_F(NavigationTest, FrameFollowsThePage)
{
    Recognize(0x4D10);
    main->GoToFirmwareUpdate(1);
    FinishPageTimers();
    EXPECT_EQ(static_cast<UINT>(BST_PUSHED), main->tabButtons[2].GetState() & BST_PUSHED);
    EXPECT_EQ(0u, main->tabButtons[0].GetState() & BST_PUSHED);
    EXPECT_EQ(CString(L"UPDATE"), main->actionButton.GetWindowText());
    EXPECT_FALSE(Enabled(main->actionButton));  // no firmware file chosen
    main->firmwareUpdatePage.fileEdit.SetWindowText(L"C:\\fw.img");
    main->UpdateNavigation();
    EXPECT_TRUE(Enabled(main->actionButton));
    EXPECT_TRUE(Shown(main->onToRestoreButton));
    EXPECT_FALSE(Shown(main->backToUpdateButton));

    // The progress bar and its number show exactly while a transfer runs.
    EXPECT_FALSE(Shown(main->progress));
    main->busy = 1;
    main->transferPercent = 42;
    main->UpdateNavigation();
    EXPECT_TRUE(Shown(main->progress));
    EXPECT_TRUE(Shown(main->percentNumber));
    EXPECT_EQ(CString(L"42"), main->percentNumber.GetWindowText());
    EXPECT_FALSE(Enabled(main->nextButton));
    EXPECT_FALSE(Shown(main->firmwareUpdatePage.stepsStatic));
    main->busy = 0;
    main->transferPercent = -1;
    main->UpdateNavigation();
    EXPECT_FALSE(Shown(main->progress));
    EXPECT_FALSE(Shown(main->percentSign));
}

TEST_F(NavigationTest, SettingsPageEnablesSaveOnlyWhileModified)
{
    Recognize(0x4D10);
    main->GoToDeviceSetting(1);
    EXPECT_EQ(CString(L"SAVE"), main->actionButton.GetWindowText());
    EXPECT_FALSE(Enabled(main->actionButton));
    main->deviceSettingPage.workingCopy.HandsfreeVOX ^= 1;
    ASSERT_NE(0, main->deviceSettingPage.IsModified());
    main->UpdateNavigation();
    EXPECT_TRUE(Enabled(main->actionButton));
}

TEST_F(NavigationTest, LeavingAChangedSettingsPageAsksToSave)
{
    Recognize(0x4D10);
    main->GoToDeviceSetting(1);
    main->deviceSettingPage.workingCopy.HandsfreeVOX ^= 1;
    ASSERT_NE(0, main->deviceSettingPage.IsModified());

    int asked = 0;
    CString question;
    CRect boxRect;
    SetModalDialogHook([&](CDialog& dialog, UINT templateId) {
        ++asked;
        if (templateId != IDD_MESSAGE_BOX) return;
        auto& box = static_cast<CDialogMessageBox&>(dialog);
        question = box.textStatic.GetWindowText();
        boxRect = box.GetWindowRect();
        EXPECT_EQ(CString(L"YES"), box.okButton.GetWindowText());
        EXPECT_EQ(CString(L"NO"), box.cancelButton.GetWindowText());
        dialog.PressButton(IDCANCEL);  // NO
    });
    Click(IDC_TAB_FIRMWARE_UPDATE);
    FinishPageTimers();
    EXPECT_EQ(1, asked);
    EXPECT_EQ(CString(L"Would you like to save DEVICE SETTING changes?"), question);
    EXPECT_EQ(400, boxRect.Width());
    EXPECT_EQ(130, boxRect.Height());
    // NO drops the changes and shows the page asked for.
    EXPECT_EQ(PageFirmwareUpdate, main->currentPage);
    EXPECT_EQ(0, main->deviceSettingPage.IsModified());

    // An unchanged page is left without a question.
    main->GoToDeviceSetting(1);
    Click(IDC_TAB_WELCOME);
    EXPECT_EQ(1, asked);
    EXPECT_EQ(PageWelcome, main->currentPage);
}

TEST_F(NavigationTest, TwoSectionsSwitchWithoutAList)
{
    // A headset with an FM radio page.
    Recognize(0x5040);
    main->sectionCount = 2;
    main->sectionKinds[0] = kSectionBasic;
    main->sectionKinds[1] = kSectionFmRadio;
    main->GoToDeviceSetting(1);
    EXPECT_EQ(CString(L"Basic"), main->sectionFirstButton.GetWindowText());
    EXPECT_EQ(CString(L"FM Radio"), main->sectionDropdownButton.GetWindowText());
    EXPECT_TRUE(Shown(main->sectionFirstButton));
    EXPECT_FALSE(Enabled(main->sectionFirstButton));
    EXPECT_TRUE(Enabled(main->sectionDropdownButton));

    Click(IDC_SECTION_DROPDOWN);
    EXPECT_EQ(PageDeviceSettingSecond, main->currentPage);
    EXPECT_EQ(0, main->sectionListOpen);
    EXPECT_TRUE(Enabled(main->sectionFirstButton));
    EXPECT_FALSE(Enabled(main->sectionDropdownButton));
    Click(IDC_SECTION_FIRST);
    EXPECT_EQ(PageDeviceSetting, main->currentPage);
}

class SectionListTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        Recognize(0x5040);
        main->sectionCount = 3;
        main->sectionKinds[0] = kSectionBasic;
        main->sectionKinds[1] = kSectionSpeedDial;
        main->sectionKinds[2] = kSectionFmRadio;
        main->GoToDeviceSetting(1);
    }

    BOOL PreTranslatePress(HWND target)
    {
        MSG msg{};
        msg.hwnd = target;
        msg.message = WM_LBUTTONDOWN;
        msg.wParam = MK_LBUTTON;
        return main->PreTranslateMessage(&msg);
    }
};

TEST_F(SectionListTest, ThreeSectionsOpenTheList)
{
    EXPECT_EQ(CString(L"Basic"), main->sectionFirstButton.GetWindowText());
    EXPECT_EQ(CString(L"More..."), main->sectionDropdownButton.GetWindowText());
    EXPECT_FALSE(Enabled(main->sectionFirstButton));
    Click(IDC_SECTION_DROPDOWN);
    ASSERT_EQ(1, main->sectionListOpen);
    EXPECT_TRUE(Shown(main->sectionList));
    EXPECT_EQ(3, main->sectionList.GetCount());
    EXPECT_FALSE(Shown(main->deviceSettingPage));

    // The frame refuses everything while the list is open.
    Click(IDC_NEXT);
    EXPECT_EQ(PageDeviceSetting, main->currentPage);
    EXPECT_EQ(0, main->SaveConfiguration());

    main->sectionList.SetCurSel(2);
    main->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SECTION_LIST, LBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(main->sectionList.m_hWnd));
    EXPECT_EQ(0, main->sectionListOpen);
    EXPECT_EQ(PageDeviceSettingSecond, main->currentPage);
    EXPECT_EQ(2, main->currentSection);
}

TEST_F(SectionListTest, APressElsewhereClosesTheListAndIsSwallowed)
{
    Click(IDC_SECTION_DROPDOWN);
    ASSERT_EQ(1, main->sectionListOpen);
    EXPECT_FALSE(PreTranslatePress(main->sectionList.m_hWnd));
    EXPECT_FALSE(PreTranslatePress(main->sectionDropdownButton.m_hWnd));
    EXPECT_EQ(1, main->sectionListOpen);

    EXPECT_TRUE(PreTranslatePress(main->nextButton.m_hWnd));
    EXPECT_EQ(0, main->sectionListOpen);
    EXPECT_FALSE(Shown(main->sectionList));
    EXPECT_TRUE(Shown(main->deviceSettingPage));
    EXPECT_EQ(PageDeviceSetting, main->currentPage);

    // Without the list a press goes on as usual.
    EXPECT_FALSE(PreTranslatePress(main->nextButton.m_hWnd));
}

}  // namespace

namespace {

TEST_F(SectionListTest, APressInTheFrameEndsTheGridsCellEditWhileAPopupIsOpen)
{
    main->deviceSettingPage.settingsGrid.SetPopupOpen(true);
    EXPECT_TRUE(PreTranslatePress(main->nextButton.m_hWnd));
    EXPECT_TRUE(PreTranslatePress(main->m_hWnd));
    EXPECT_EQ(PageDeviceSetting, main->currentPage);
    // The popup list is a top-level window of its own: its presses go through.
    CWnd popup;
    ASSERT_TRUE(popup.CreateEx(0, nullptr, L"popup", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    EXPECT_FALSE(PreTranslatePress(popup.m_hWnd));
    popup.DestroyWindow();
    main->deviceSettingPage.settingsGrid.SetPopupOpen(false);
    EXPECT_FALSE(PreTranslatePress(main->nextButton.m_hWnd));
}

TEST_F(FrameTest, SectionIndexOfEachPage)
{
    SetSections({kSectionSpeedDial, kSectionFmRadio, kSectionBasic});
    EXPECT_EQ(2, main->SettingSectionIndexOfPage(PageDeviceSetting));
    EXPECT_EQ(1, main->SettingSectionIndexOfPage(PageDeviceSettingSecond));
    EXPECT_EQ(0, main->SettingSectionIndexOfPage(PageSpeedDial));
    EXPECT_EQ(-1, main->SettingSectionIndexOfPage(PageFirmwareRestore));
    main->sectionCount = 2;  // entries beyond the count do not count
    EXPECT_EQ(-1, main->SettingSectionIndexOfPage(PageDeviceSetting));
}

TEST_F(FrameTest, LeavingAChangedPageForAnotherSectionCarriesOnAfterNo)
{
    Recognize(0x5040);
    SetSections({kSectionBasic, kSectionFmRadio});
    main->GoToDeviceSetting(1);
    main->deviceSettingPage.workingCopy.HandsfreeVOX ^= 1;
    int asked = 0;
    SetModalDialogHook([&](CDialog& dialog, UINT templateId) {
        ++asked;
        EXPECT_EQ(static_cast<UINT>(IDD_MESSAGE_BOX), templateId);
        dialog.PressButton(IDCANCEL);  // NO
    });
    Click(IDC_SECTION_DROPDOWN);
    EXPECT_EQ(1, asked);
    EXPECT_EQ(PageDeviceSettingSecond, main->currentPage);
    EXPECT_EQ(1, main->currentSection);
    EXPECT_EQ(0, main->deviceSettingPage.IsModified());
    EXPECT_TRUE(Shown(main->deviceSettingSecondPage));
    EXPECT_FALSE(Shown(main->deviceSettingPage));

    // A GoTo that only asked tells its caller so; the answer went on by itself.
    main->deviceSettingSecondPage.workingCopy.HandsfreeVOX ^= 1;
    ASSERT_NE(0, main->deviceSettingSecondPage.IsModified());
    EXPECT_EQ(0, main->GoToWelcome());
    EXPECT_EQ(2, asked);
    EXPECT_EQ(PageWelcome, main->currentPage);
    EXPECT_EQ(1, main->GoToWelcome());
}

TEST_F(FrameTest, RestorePageSwitchesItsOwnSectionsOnlyWhileARestoreIsPossible)
{
    Recognize(0x4D10);
    main->GoToFirmwareRestore(1);
    FinishPageTimers();
    ASSERT_EQ(PageFirmwareRestore, main->currentPage);
    CDialogFirmwareRestore& restore = main->firmwareRestorePage;
    // The main window's own sections play no part on page 4.
    SetSections({kSectionBasic});

    restore.restoreStatus.BackupFound = 0;
    restore.sectionCount = 2;
    restore.sectionKinds[0] = kSectionBasic;
    restore.sectionKinds[1] = kSectionSpeedDial;
    restore.currentSection = 0;
    main->UpdateNavigation();
    EXPECT_FALSE(Enabled(main->actionButton));
    EXPECT_FALSE(Shown(main->sectionFirstButton));
    EXPECT_FALSE(Shown(main->sectionDropdownButton));

    restore.restoreStatus.BackupFound = 1;
    main->UpdateNavigation();
    EXPECT_TRUE(Enabled(main->actionButton));
    EXPECT_EQ(CString(L"Basic"), main->sectionFirstButton.GetWindowText());
    EXPECT_EQ(CString(L"Speed Dial"), main->sectionDropdownButton.GetWindowText());
    EXPECT_TRUE(Shown(main->sectionFirstButton));
    EXPECT_FALSE(Enabled(main->sectionFirstButton));
    EXPECT_TRUE(Enabled(main->sectionDropdownButton));

    // The chooser changes the restore page's section, not the page.
    Click(IDC_SECTION_DROPDOWN);
    EXPECT_EQ(PageFirmwareRestore, main->currentPage);
    EXPECT_EQ(1, restore.currentSection);
    EXPECT_EQ(0, main->currentSection);
}

TEST_F(FrameTest, LongTabTitlesGetAFontOneUnitSmaller)
{
    struct Case {
        LanguageIndex language;
        std::initializer_list<int> smallerTabs;
    };
    const Case cases[] = {
        {LanguageFrench, {1, 3}},
        {LanguageGerman, {4}},
        {LanguageEnglish, {}},
        {LanguageJapanese, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        main->ApplyLanguage(c.language, main->applyToFirmwareLanguage);
        const LOGFONTW bold = FontOf(main->tabButtons[0]);
        EXPECT_EQ(FW_BOLD, bold.lfWeight);
        EXPECT_EQ(FW_BOLD, FontOf(main->nextButton).lfWeight);
        EXPECT_EQ(FW_BOLD, FontOf(main->deviceCaption).lfWeight);
        EXPECT_LT(bold.lfHeight, 0);
        for (int tab = 1; tab < 5; ++tab) {
            bool smaller = false;
            for (int t : c.smallerTabs) smaller = smaller || t == tab;
            const LOGFONTW font = FontOf(main->tabButtons[tab]);
            EXPECT_EQ(smaller ? bold.lfHeight + 1 : bold.lfHeight, font.lfHeight) << tab;
            EXPECT_EQ(FW_BOLD, font.lfWeight) << tab;
        }
    }
}

TEST_F(FrameTest, LanguageChangeOnASettingsPageKeepsTheEditsAndRelabelsTheFrame)
{
    Recognize(0x4D10);
    SetSections({kSectionBasic, kSectionSpeedDial, kSectionFmRadio});
    main->GoToDeviceSetting(1);
    main->deviceSettingPage.workingCopy.HandsfreeVOX ^= 1;
    main->UpdateNavigation();
    int asked = 0;
    SetModalDialogHook([&](CDialog& dialog, UINT) {
        ++asked;
        dialog.EndDialog(IDCANCEL);
    });
    main->ApplyLanguage(LanguageGerman, main->applyToFirmwareLanguage);
    EXPECT_EQ(0, asked);
    EXPECT_EQ(PageDeviceSetting, main->currentPage);
    EXPECT_NE(0, main->deviceSettingPage.IsModified());
    EXPECT_EQ(TextSave(LanguageGerman), main->actionButton.GetWindowText());
    EXPECT_TRUE(Enabled(main->actionButton));
    EXPECT_EQ(NewDeviceCaption(LanguageGerman), main->nextButton.GetWindowText());
    EXPECT_EQ(GetLanguageTableText(kSectionBasic, LanguageGerman), main->sectionFirstButton.GetWindowText());
    EXPECT_EQ(CString(GetLabelText(MoreLabels, LanguageGerman)), main->sectionDropdownButton.GetWindowText());
    EXPECT_EQ(UpdateTabCaption(LanguageGerman), main->backToUpdateButton.GetWindowText());
    EXPECT_EQ(RestoreTabCaption(LanguageGerman), main->onToRestoreButton.GetWindowText());

    // Tooltips are updated, not added again.
    main->SetToolTips();
    EXPECT_EQ(3, static_cast<int>(main->toolTip.SendMessage(TTM_GETTOOLCOUNT)));
    EXPECT_EQ(TextClose(LanguageGerman), main->toolTip.GetToolText(&main->closeButton));

    // The same choice again changes nothing, not even a caption put there by hand.
    main->nextButton.SetWindowText(L"unchanged");
    main->ApplyLanguage(LanguageGerman, main->applyToFirmwareLanguage);
    EXPECT_EQ(CString(L"unchanged"), main->nextButton.GetWindowText());
}

TEST_F(FrameTest, TabDeviceSettingFocusesTheGridOnlyOnTheBasicSettingsPage)
{
    main->ShowWindow(SW_SHOW);
    // A headset whose settings are in the grid (the radio-button models hide it).
    Recognize(0x5910);
    main->GoToFirmwareUpdate(1);
    FinishPageTimers();
    Click(IDC_TAB_DEVICE_SETTING);
    ASSERT_EQ(PageDeviceSetting, main->currentPage);
    EXPECT_EQ(main->deviceSettingPage.settingsGrid.m_hWnd, ::GetFocus());

    main->nextButton.SetFocus();
    Recognize(0x4111);
    main->GoToFirmwareUpdate(1);
    FinishPageTimers();
    main->nextButton.SetFocus();
    Click(IDC_TAB_DEVICE_SETTING);
    ASSERT_EQ(PageSpeedDial, main->currentPage);
    EXPECT_NE(main->deviceSettingPage.settingsGrid.m_hWnd, ::GetFocus());
}

TEST_F(FrameTest, AutomaticRecognitionThatFindsNothingPostsNext)
{
    // Any box the pass may show is answered at once.
    SetModalDialogHook([](CDialog& dialog, UINT) { dialog.EndDialog(IDOK); });
    main->targetProductId = 0x4D10;
    MSG msg{};
    while (::PeekMessageW(&msg, main->m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {}

    main->GoToRecognition(1, nullptr, 0);
    EXPECT_FALSE(::PeekMessageW(&msg, main->m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE));

    main->GoToRecognition(0, nullptr, PageFirmwareUpdate);
    EXPECT_EQ(PageRecognition, main->currentPage);
    ASSERT_TRUE(::PeekMessageW(&msg, main->m_hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(IDC_NEXT, LOWORD(msg.wParam));
    EXPECT_EQ(PageFirmwareUpdate, main->recognitionPage.autoRunCode);
}

}  // namespace
