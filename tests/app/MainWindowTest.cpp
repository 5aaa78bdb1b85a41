// The main window: start-up, the refusals while busy, closing, the popup
// menu, the about box, the build-version and status-details boxes, the device
// line and the change of language.
#include "MainWindowFixture.h"

#include <vector>

#include "app/AboutDlg.h"
#include "app/DialogLanguageManager.h"
#include "app/DialogMessageBox.h"

namespace {

std::vector<CString> g_menuItems;

void RecordMenu(HMENU menu, HWND)
{
    g_menuItems.clear();
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        wchar_t text[128] = {};
        ::GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
        g_menuItems.emplace_back(text);
    }
}

TEST_F(MainWindowTest, StartsOnTheWelcomePage)
{
    EXPECT_TRUE(Shown(main->selectionPage));
    EXPECT_FALSE(Shown(main->recognitionPage));
    EXPECT_EQ(CString(L"TORVIK Bluetooth Device Manager"), main->GetWindowText());
    EXPECT_EQ(CString(L"Press NEXT to proceed."), main->statusText.GetWindowText());
    EXPECT_EQ(CString(L"WELCOME"), main->tabButtons[0].GetWindowText());
    EXPECT_FALSE(Enabled(main->backButton));
    EXPECT_FALSE(Shown(main->actionButton));
    // The pages live in the page area of the main window.
    EXPECT_EQ(main.get(), GetMainDialog(&main->speedDialPage));
}

TEST_F(MainWindowTest, EscapeNeverClosesEnterAndCloseDo)
{
    main->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(Shown(*main) || main->IsWindow());
    EXPECT_TRUE(main->IsWindow());
    main->ShowWindow(SW_SHOW);
    Click(IDOK);
    EXPECT_FALSE(main->IsWindowVisible());  // a modeless dialog hides when it ends
}

TEST_F(MainWindowTest, BusyRefusesCloseMenuAboutAndShowsTheWaitCursor)
{
    main->ShowWindow(SW_SHOW);
    main->busy = 1;
    int dialogs = 0;
    SetModalDialogHook([&](CDialog& dialog, UINT) {
        ++dialogs;
        dialog.EndDialog(IDCANCEL);
    });
    g_menuItems.clear();
    SetPopupMenuHook(&RecordMenu);
    main->SendMessage(WM_CLOSE);
    Click(IDOK);
    main->SendMessage(WM_COMMAND, ID_MENU_CLOSE);
    main->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(main->m_hWnd), MAKELPARAM(10, 10));
    Click(IDC_ABOUT_BUTTON);
    main->SendMessage(WM_COMMAND, ID_MENU_MANAGER_LANGUAGE);
    EXPECT_TRUE(PumpMessagesUntil([] { return false; }, 50) || true);
    EXPECT_TRUE(main->IsWindowVisible());
    EXPECT_EQ(0, dialogs);
    EXPECT_TRUE(g_menuItems.empty());
    EXPECT_EQ(0, main->SaveConfiguration());

    HCURSOR wait = ::LoadCursorW(nullptr, IDC_WAIT);
    EXPECT_TRUE(main->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(main->m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(wait, ::GetCursor());
    EXPECT_TRUE(main->selectionPage.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(main->selectionPage.m_hWnd),
                                                MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));

    // Idle again: the about box opens and the menu closes the window.
    main->busy = 0;
    Click(IDC_ABOUT_BUTTON);
    EXPECT_EQ(1, dialogs);
    main->SendMessage(WM_COMMAND, ID_MENU_CLOSE);
    PumpMessagesUntil([&] { return !main->IsWindowVisible(); }, 2000);
    EXPECT_FALSE(main->IsWindowVisible());
}

TEST_F(MainWindowTest, PopupMenuInTheCurrentLanguage)
{
    SetPopupMenuHook(&RecordMenu);
    main->ApplyLanguage(LanguageGerman, 1);
    main->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(main->m_hWnd), MAKELPARAM(10, 10));
    ASSERT_EQ(7u, g_menuItems.size());
    EXPECT_EQ(TextAbout(LanguageGerman), g_menuItems[0]);
    EXPECT_EQ(TextOnlineHelp(LanguageGerman), g_menuItems[1]);
    EXPECT_EQ(TextManagerLanguage(LanguageGerman), g_menuItems[3]);
    EXPECT_EQ(TextDiagnosticLog(LanguageGerman), g_menuItems[4]);
    EXPECT_EQ(TextClose(LanguageGerman), g_menuItems[6]);
}

TEST_F(MainWindowTest, AboutBoxShowsTheVersionLine)
{
    EXPECT_EQ(CString(L"TORVIK Bluetooth Device Manager Version 1.0.1"), AboutVersionLine(LanguageEnglish));
    CString line, ok;
    SetModalDialogHook([&](CDialog& dialog, UINT templateId) {
        if (templateId == IDD_ABOUTBOX) {
            auto& about = static_cast<CAboutDlg&>(dialog);
            line = about.versionStatic.GetWindowText();
            ok = about.okButton.GetWindowText();
        }
        dialog.PressButton(IDOK);
    });
    Click(IDC_ABOUT_BUTTON);
    EXPECT_EQ(CString(L"TORVIK Bluetooth Device Manager Version 1.0.1"), line);
    EXPECT_EQ(CString(L"OK"), ok);
}

TEST_F(MainWindowTest, BuildVersionBoxByProduct)
{
    struct Case {
        int target;
        int variant;
        const wchar_t* text;
        CSize size;
    };
    const Case cases[] = {
        {0x4210, 16, L"V40 NX Build Version 7", CSize(400, 100)},
        {0x4210, 11, L"Thunder Audio V40 Build Version 7", CSize(400, 100)},
        {0x4210, -1, L" 7", CSize(400, 100)},
        {0x4210, 3, L" 7", CSize(400, 100)},
        {0x3110, -1, L"Build Version 7", CSize(250, 100)},
        {0x4D10, -1, L"", CSize()},
    };
    main->deviceSettings.Firmware.BuildNumber = 7;
    for (const Case& c : cases) {
        main->targetProductId = c.target;
        main->hidVariant = c.variant;
        CSize size;
        EXPECT_EQ(CString(c.text), main->BuildVersionText(&size)) << c.target;
        EXPECT_EQ(c.size, size);
    }
    // A double click on the device text opens the box only for those two.
    int boxes = 0;
    SetModalDialogHook([&](CDialog& dialog, UINT) {
        ++boxes;
        dialog.PressButton(IDOK);
    });
    const LPARAM text = reinterpret_cast<LPARAM>(main->deviceText.m_hWnd);
    main->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_DEVICE_TEXT, STN_DBLCLK), text);
    EXPECT_EQ(0, boxes);
    main->targetProductId = 0x3110;
    main->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_DEVICE_TEXT, STN_DBLCLK), text);
    EXPECT_EQ(1, boxes);
}

TEST_F(MainWindowTest, StatusDetailsShowPageAndStatus)
{
    CString text;
    CRect rect;
    SetModalDialogHook([&](CDialog& dialog, UINT) {
        auto& box = static_cast<CDialogMessageBox&>(dialog);
        text = box.textStatic.GetWindowText();
        rect = box.GetWindowRect();
        EXPECT_EQ(0, box.iconKind);
        dialog.PressButton(IDOK);
    });
    Click(IDC_STATUS_DETAILS);
    EXPECT_EQ(CString(L"[WELCOME]\nPress NEXT to proceed."), text);
    EXPECT_EQ(CSize(510, 160), rect.Size());
}

TEST_F(MainWindowTest, DeviceLineCaptions)
{
    EXPECT_EQ(CString(L"NO Device"), main->deviceCaption.GetWindowText());
    EXPECT_EQ(CString(L"Recognized"), main->deviceText.GetWindowText());
    main->language = LanguageFinnish;
    main->UpdateNavigation();
    EXPECT_EQ(CString(L""), main->deviceCaption.GetWindowText());
    EXPECT_EQ(CString(L""), main->deviceText.GetWindowText());

    main->language = LanguageEnglish;
    main->recognized = 1;
    main->usbStatus = 0x8000 | 0x4D10;
    main->UpdateNavigation();
    EXPECT_EQ(CString(L"Firmware"), main->deviceCaption.GetWindowText());
    EXPECT_EQ(CString(L"Management"), main->deviceText.GetWindowText());

    main->usbStatus = 0x4D10;
    main->deviceSettings.ProductId = 0x4D10;
    main->deviceSettings.DeviceName = L"TKV8";
    main->deviceSettings.Firmware = {5, 1, 0, 0};
    main->UpdateNavigation();
    EXPECT_EQ(CString(L"TKV8"), main->deviceCaption.GetWindowText());
    EXPECT_EQ(CString(L"v5.1"), main->deviceText.GetWindowText());
    EXPECT_EQ(178, main->DeviceImageId());
}

TEST_F(MainWindowTest, LanguageChangeRerendersStatusAndCaptionsWithoutRepeating)
{
    for (int lang = 0; lang < LanguageCount; ++lang) main->SetStatusText(CString::Formatted(L"status %d", lang), lang);
    main->ShowStatus(main->GetStatusText(), 1);
    main->ApplyLanguage(LanguageGerman, 1);
    main->SetToolTips();
    EXPECT_EQ(CString(L"status 2"), main->statusText.GetWindowText());
    EXPECT_EQ(0, main->LastStatusNotWarning());  // the look of the status is kept
    for (int i = 0; i < 5; ++i) EXPECT_EQ(PageTitle(i + 1, LanguageGerman), main->tabButtons[i].GetWindowText());
    EXPECT_EQ(NextCaption(LanguageGerman), main->nextButton.GetWindowText());
    EXPECT_EQ(BackCaption(LanguageGerman), main->backButton.GetWindowText());
    EXPECT_EQ(NoDeviceCaption(LanguageGerman), main->deviceCaption.GetWindowText());
    EXPECT_EQ(TextManagerLanguage(LanguageGerman), main->toolTip.GetToolText(&main->languageFlag));
}

TEST_F(MainWindowTest, LanguageDialogFollowsTheChoiceAndCancelKeepsTheLanguage)
{
    CString group, englishName, ok;
    int checkedRadio = 0;
    SetModalDialogHook([&](CDialog& dialog, UINT templateId) {
        ASSERT_EQ(static_cast<UINT>(IDD_LANGUAGE_MANAGER), templateId);
        auto& languages = static_cast<CDialogLanguageManager&>(dialog);
        // A click on the German flag.
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(LanguageChoices[LanguageGerman].flag, STN_CLICKED), 0);
        group = languages.groupBox.GetWindowText();
        englishName = languages.names[LanguageEnglish].GetWindowText();
        ok = languages.okButton.GetWindowText();
        for (int i = 0; i < LanguageCount; ++i)
            if (dialog.IsDlgButtonChecked(LanguageChoices[i].radio)) checkedRadio = LanguageChoices[i].radio;
        dialog.PressButton(IDCANCEL);
    });
    main->SendMessage(WM_COMMAND, ID_MENU_MANAGER_LANGUAGE);
    EXPECT_EQ(TextManagerLanguage(LanguageGerman), group);
    EXPECT_EQ(LanguageName(LanguageEnglish, LanguageGerman), englishName);
    EXPECT_EQ(TextOk(LanguageGerman), ok);
    EXPECT_EQ(LanguageChoices[LanguageGerman].radio, checkedRadio);
    EXPECT_EQ(LanguageEnglish, main->language);

    // OK takes the choice over, whichever control chose it.
    SetModalDialogHook([&](CDialog& dialog, UINT) {
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(LanguageChoices[LanguageJapanese].name, STN_CLICKED), 0);
        dialog.PressButton(IDOK);
    });
    main->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LANGUAGE_FLAG, STN_CLICKED), 0);
    EXPECT_EQ(LanguageJapanese, main->language);
    EXPECT_EQ(PageTitle(1, LanguageJapanese), main->tabButtons[0].GetWindowText());
}

TEST_F(MainWindowTest, LanguageDialogOpenedInDutch)
{
    main->language = LanguageDutch;
    CString apply;
    bool dutchChecked = false;
    SetModalDialogHook([&](CDialog& dialog, UINT) {
        auto& languages = static_cast<CDialogLanguageManager&>(dialog);
        apply = languages.applyCheck.GetWindowText();
        dutchChecked = dialog.IsDlgButtonChecked(LanguageChoices[LanguageDutch].radio) == BST_CHECKED;
        EXPECT_FALSE(languages.applyCheck.IsWindowVisible());
        dialog.PressButton(IDCANCEL);
    });
    main->SendMessage(WM_COMMAND, ID_MENU_MANAGER_LANGUAGE);
    EXPECT_EQ(TextApplyToVoicePromptLanguage(LanguageDutch), apply);
    EXPECT_TRUE(dutchChecked);
}

}  // namespace

namespace {

TEST_F(MainWindowTest, LanguageChangeMakesTheFirmwarePagesReadTheirIndexAgain)
{
    Recognize(0x4D10);
    main->GoToFirmwareUpdate(1);
    FinishPageTimers();
    CDialogFirmwareUpdate& update = main->firmwareUpdatePage;
    update.languageCombo.AddString(L"English");
    update.languageCombo.AddString(L"French");
    update.PageStatus.OfferedMajor = 3;
    OfferArmed = 1;
    main->ApplyLanguage(LanguageFrench, 1);
    EXPECT_EQ(0, OfferArmed);
    EXPECT_EQ(0, update.languageCombo.GetCount());
    EXPECT_EQ(0, update.PageStatus.OfferedMajor);
    EXPECT_EQ(1, update.PageStatus.State);
    OfferArmed = 1;

    // Without the apply flag only the labels follow.
    update.languageCombo.AddString(L"English");
    main->ApplyLanguage(LanguageGerman, 0);
    EXPECT_EQ(1, update.languageCombo.GetCount());

    main->GoToFirmwareRestore(1);
    FinishPageTimers();
    CDialogFirmwareRestore& restore = main->firmwareRestorePage;
    restore.languageCombo.AddString(L"English");
    restore.restoreStatus.BackupFound = 0;
    main->ApplyLanguage(LanguageItalian, 1);
    EXPECT_EQ(0, restore.languageCombo.GetCount());
    EXPECT_EQ(1, restore.restoreStatus.BackupFound);
    EXPECT_EQ(0, main->busy);
}

TEST_F(MainWindowTest, MessageBoxColoursComeFromTheMainWindow)
{
    for (int icon : {0, 1}) {
        HBRUSH brush = nullptr;
        COLORREF text = 0;
        SetModalDialogHook([&](CDialog& dialog, UINT) {
            auto& box = static_cast<CDialogMessageBox&>(dialog);
            HDC dc = ::GetDC(box.textStatic.m_hWnd);
            brush = reinterpret_cast<HBRUSH>(
                box.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(box.textStatic.m_hWnd)));
            text = ::GetTextColor(dc);
            ::ReleaseDC(box.textStatic.m_hWnd, dc);
            dialog.PressButton(IDOK);
        });
        CDialogMessageBox box(main.get());
        box.Setup(L"text", icon, nullptr, L"OK", CSize(300, 120));
        box.DoModal();
        EXPECT_EQ(main->MessageBoxBrush(icon != 0), brush);
        EXPECT_EQ(RGB(236, 236, 216), text);
    }
    EXPECT_NE(main->MessageBoxBrush(true), main->MessageBoxBrush(false));
}

}  // namespace
