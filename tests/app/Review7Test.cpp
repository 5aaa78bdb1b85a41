// Second look at the frame: the device line of a camera headset, the section
// chooser across settings pages and on the restore page, the bold fonts of a
// language, a language change that keeps the user's edits, the automatic
// recognition's retry and every triple of the language dialog.
#include "MainWindowFixture.h"

#include <cstdlib>

#include "app/DeviceLine.h"
#include "app/DialogLanguageManager.h"
#include "app/DialogMessageBox.h"
#include "settingslist/LabelTables.h"

namespace {

TEST(DeviceLineReview, CameraHeadsetShowsItsFirstInterfaceVersionAlone)
{
    DeviceSettings s;
    s.ProductId = 0x3110;
    s.Firmware = {9, 9, 0, 0};
    s.FirstInterface = {2, 1, 2, 4};
    s.SecondInterface = {3, 0, 0, 0};
    // Its version is its first interface's; the second is never appended.
    EXPECT_EQ(CString(L"v2.1.4"), DeviceVersionText(s));
}

class FrameReviewTest : public MainWindowTest {
protected:
    void SetSections(std::initializer_list<int> kinds)
    {
        main->sectionCount = static_cast<int>(kinds.size());
        int i = 0;
        for (int kind : kinds) main->sectionKinds[i++] = kind;
    }

    static LOGFONTW FontOf(const CWnd& control)
    {
        LOGFONTW font{};
        ::GetObjectW(control.GetFontHandle(), sizeof font, &font);
        return font;
    }
};

TEST_F(FrameReviewTest, SectionIndexOfEachPage)
{
    SetSections({SectionSpeedDial, SectionFmRadio, SectionBasic});
    EXPECT_EQ(2, main->SettingSectionIndexOfPage(PageDeviceSetting));
    EXPECT_EQ(1, main->SettingSectionIndexOfPage(PageDeviceSettingSecond));
    EXPECT_EQ(0, main->SettingSectionIndexOfPage(PageSpeedDial));
    EXPECT_EQ(-1, main->SettingSectionIndexOfPage(PageFirmwareRestore));
    main->sectionCount = 2;  // entries beyond the count do not count
    EXPECT_EQ(-1, main->SettingSectionIndexOfPage(PageDeviceSetting));
}

TEST_F(FrameReviewTest, LeavingAChangedPageForAnotherSectionCarriesOnAfterNo)
{
    Recognize(0x4D10);
    SetSections({SectionBasic, SectionFmRadio});
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

TEST_F(FrameReviewTest, RestorePageSwitchesItsOwnSectionsOnlyWhileARestoreIsPossible)
{
    Recognize(0x4D10);
    main->GoToFirmwareRestore(1);
    FinishPageTimers();
    ASSERT_EQ(PageFirmwareRestore, main->currentPage);
    CDialogFirmwareRestore& restore = main->firmwareRestorePage;
    // The main window's own sections play no part on page 4.
    SetSections({SectionBasic});

    restore.restoreStatus.BackupFound = 0;
    restore.sectionCount = 2;
    restore.sectionKinds[0] = SectionBasic;
    restore.sectionKinds[1] = SectionSpeedDial;
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

TEST_F(FrameReviewTest, LongTabTitlesGetAFontOneUnitSmaller)
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

TEST_F(FrameReviewTest, LanguageChangeOnASettingsPageKeepsTheEditsAndRelabelsTheFrame)
{
    Recognize(0x4D10);
    SetSections({SectionBasic, SectionSpeedDial, SectionFmRadio});
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
    EXPECT_EQ(GetLanguageTableText(SectionBasic, LanguageGerman), main->sectionFirstButton.GetWindowText());
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

TEST_F(FrameReviewTest, TabDeviceSettingFocusesTheGridOnlyOnTheBasicSettingsPage)
{
    main->ShowWindow(SW_SHOW);
    Recognize(0x4D10);
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

TEST_F(FrameReviewTest, AutomaticRecognitionThatFindsNothingPostsNext)
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

// Opens the language dialog on the main window with a language and runs a
// check inside it.
void WithLanguageDialog(CUpdaterDlg& main, LanguageIndex language, const std::function<void(CDialogLanguageManager&)>& check)
{
    main.language = language;
    SetModalDialogHook([&](CDialog& dialog, UINT templateId) {
        ASSERT_EQ(static_cast<UINT>(IDD_LANGUAGE_MANAGER), templateId);
        check(static_cast<CDialogLanguageManager&>(dialog));
        dialog.PressButton(IDCANCEL);
    });
    main.SendMessage(WM_COMMAND, ID_MENU_MANAGER_LANGUAGE);
    SetModalDialogHook(nullptr);
}

void ExpectShownIn(CDialogLanguageManager& dialog, LanguageIndex shown)
{
    const int column = TextColumn(shown);
    EXPECT_EQ(TextManagerLanguage(shown), dialog.groupBox.GetWindowText());
    EXPECT_EQ(TextOk(shown), dialog.okButton.GetWindowText());
    EXPECT_EQ(TextCancel(shown), dialog.cancelButton.GetWindowText());
    for (int i = 0; i < LanguageCount; ++i) {
        EXPECT_EQ(LanguageName(i, shown), dialog.names[i].GetWindowText()) << i;
        EXPECT_EQ(i == column ? BST_CHECKED : BST_UNCHECKED, dialog.IsDlgButtonChecked(LanguageChoices[i].radio)) << i;
    }
}

TEST_F(FrameReviewTest, EveryControlOfALanguageSelectsIt)
{
    WithLanguageDialog(*main, LanguageEnglish, [](CDialogLanguageManager& dialog) {
        for (int language = 0; language < LanguageCount; ++language) {
            const LanguageChoiceControls& choice = LanguageChoices[language];
            // The flag shows its bitmap.
            EXPECT_NE(0, ::SendDlgItemMessageW(dialog.m_hWnd, choice.flag, STM_GETIMAGE, IMAGE_BITMAP, 0)) << language;
            for (int control : {choice.radio, choice.flag, choice.name}) {
                SCOPED_TRACE(control);
                dialog.selectedLanguage = (language + 1) % LanguageCount;
                dialog.SendMessage(WM_COMMAND, MAKEWPARAM(control, BN_CLICKED),
                                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog.m_hWnd, control)));
                EXPECT_EQ(language, dialog.selectedLanguage);
                ExpectShownIn(dialog, language);
            }
        }
    });
}

TEST_F(FrameReviewTest, LanguageDialogStacksTheRadiosInItsOwnOrderWithBoldCaptions)
{
    const LanguageIndex order[] = {LanguageEnglish, LanguageFrench,  LanguageSpanish, LanguageItalian,
                                   LanguageGerman,  LanguageDutch,   LanguageRussian, LanguageChinese,
                                   LanguageKorean,  LanguageJapanese, LanguageFinnish};
    WithLanguageDialog(*main, LanguageEnglish, [&](CDialogLanguageManager& dialog) {
        int previousTop = -1;
        for (LanguageIndex language : order) {
            CRect rect;
            ::GetWindowRect(::GetDlgItem(dialog.m_hWnd, LanguageChoices[language].radio), &rect);
            EXPECT_GT(rect.top, previousTop) << language;
            previousTop = rect.top;
            EXPECT_EQ(FW_BOLD, FontOf(dialog.names[language]).lfWeight) << language;
        }
        for (const CWnd* control : {static_cast<const CWnd*>(&dialog.groupBox), static_cast<const CWnd*>(&dialog.applyCheck),
                                    static_cast<const CWnd*>(&dialog.okButton), static_cast<const CWnd*>(&dialog.cancelButton)}) {
            EXPECT_EQ(FW_BOLD, FontOf(*control).lfWeight);
        }
    });
}

TEST_F(FrameReviewTest, LanguageOutsideTheElevenOpensTheDialogInEnglish)
{
    WithLanguageDialog(*main, 42, [](CDialogLanguageManager& dialog) { ExpectShownIn(dialog, LanguageEnglish); });
    main->language = LanguageEnglish;
}

}  // namespace

namespace {

// Not a check: shows the language dialog for tools/screenshot, in the language
// TORVIK_SHOT_LANGUAGE (0 to 10).
TEST(Screenshot, DISABLED_LanguageDialog)
{
    const char* value = std::getenv("TORVIK_SHOT_LANGUAGE");
    CDialogLanguageManager dialog;
    dialog.selectedLanguage = value ? std::atoi(value) : LanguageEnglish;
    SetModalDialogHook([](CDialog& shown, UINT) {
        PumpMessagesUntil([] { return false; }, 8000);
        shown.EndDialog(IDCANCEL);
    });
    dialog.DoModal();
    SetModalDialogHook(nullptr);
}

}  // namespace
