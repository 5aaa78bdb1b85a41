// The main window: start-up, the skin colours of its controls, the refusals
// while busy or while the section list is open, closing, the popup menu, the
// about box, the build-version and status-details boxes, the device line and
// the change of language.
#include "MainWindowFixture.h"

#include <vector>

#include "app/ui/AboutDlg.h"
#include "app/ui/DialogLanguageManager.h"
#include "app/ui/DialogMessageBox.h"
#include "app/ui/SkinButtons.h"
#include "app/SkinColours.h"

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
    // The pages live in the page area of the main window, also one made when
    // another page first reaches it.
    EXPECT_EQ(main.get(), GetMainDialog(&main->FirmwareUpdatePage()));
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

COLORREF SolidColour(HBRUSH brush)
{
    LOGBRUSH lb{};
    ::GetObjectW(brush, sizeof lb, &lb);
    return lb.lbStyle == BS_SOLID ? lb.lbColor : CLR_INVALID;
}

UINT BrushStyle(HBRUSH brush)
{
    LOGBRUSH lb{};
    return ::GetObjectW(brush, sizeof lb, &lb) ? lb.lbStyle : ~0u;
}

int FontWeight(const CWnd& control)
{
    LOGFONTW font{};
    ::GetObjectW(control.GetFontHandle(), sizeof font, &font);
    return font.lfWeight;
}

TEST(MainWindowStart, SkinnedPopupOpensOnTheWelcomePageByItsOwnTimer)
{
    CUpdaterDlg main;
    ASSERT_TRUE(main.Create(IDD_MAIN, nullptr));
    main.selectionPage.updateCheckDone = 1;

    // A popup without caption bar, thin border and system menu, in the taskbar,
    // as large as the skin.
    const DWORD style = main.GetStyle();
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_TRUE(style & WS_BORDER);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_NE(static_cast<DWORD>(WS_CAPTION), style & WS_CAPTION);
    EXPECT_TRUE(main.GetExStyle() & WS_EX_APPWINDOW);
    EXPECT_EQ(CSize(728, 484), main.GetClientRect().Size());

    // The system menu ends in the untranslated about item, which nothing answers.
    HMENU system = main.GetSystemMenu(FALSE);
    ASSERT_NE(nullptr, system);
    const int count = ::GetMenuItemCount(system);
    ASSERT_GE(count, 2);
    EXPECT_EQ(static_cast<UINT>(IDM_ABOUTBOX), ::GetMenuItemID(system, count - 1));
    wchar_t item[64] = {};
    ::GetMenuStringW(system, count - 1, item, 64, MF_BYPOSITION);
    EXPECT_EQ(CString(L"&About Updater..."), CString(item));
    EXPECT_TRUE(::GetMenuState(system, count - 2, MF_BYPOSITION) & MF_SEPARATOR);

    EXPECT_NE(0, main.SendMessage(WM_GETICON, ICON_BIG));
    EXPECT_NE(0, main.SendMessage(WM_GETICON, ICON_SMALL));
    EXPECT_TRUE(main.toolTip.IsWindow());

    // The welcome page waits, hidden inside the page area, until timer 1 fires
    // once; the other pages are made when they are first needed.
    EXPECT_EQ(PageNone, main.currentPage);
    EXPECT_EQ(main.pageArea.m_hWnd, ::GetParent(main.selectionPage.m_hWnd));
    EXPECT_FALSE(main.selectionPage.GetStyle() & WS_VISIBLE);
    for (CWnd* page : {static_cast<CWnd*>(&main.recognitionPage), static_cast<CWnd*>(&main.firmwareUpdatePage),
                       static_cast<CWnd*>(&main.firmwareRestorePage), static_cast<CWnd*>(&main.deviceSettingPage),
                       static_cast<CWnd*>(&main.deviceSettingSecondPage), static_cast<CWnd*>(&main.speedDialPage)}) {
        EXPECT_EQ(nullptr, page->m_hWnd);
    }
    EXPECT_TRUE(PumpMessagesUntil([&] { return main.currentPage == PageWelcome; }, 3000));
    EXPECT_TRUE(main.selectionPage.GetStyle() & WS_VISIBLE);
    main.DestroyWindow();
}

class SkinColourTest : public MainWindowTest {
protected:
    // Sends the control's colour message to the main window; returns the brush
    // and leaves background mode and text colour in the DC.
    HBRUSH Colour(UINT message, HWND control)
    {
        return reinterpret_cast<HBRUSH>(
            main->SendMessage(message, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), reinterpret_cast<LPARAM>(control)));
    }
    ~SkinColourTest() override { ::ReleaseDC(nullptr, screen); }

    HDC screen = ::GetDC(nullptr);
    CMemoryDC dc{screen, 4, 4};
};

TEST_F(SkinColourTest, ControlsGetTheBrushesOfTheSkin)
{
    struct Case {
        int id;
        UINT message;
        COLORREF brush;
    };
    const COLORREF white = RGB(255, 255, 255), tab = RGB(255, 255, 246), bar = RGB(224, 224, 214);
    const Case cases[] = {
        {IDC_ABOUT_BUTTON, WM_CTLCOLORBTN, white}, {IDOK, WM_CTLCOLORBTN, white},
        {IDC_NEXT, WM_CTLCOLORBTN, white}, {IDC_ON_TO_RESTORE, WM_CTLCOLORBTN, white},
        {IDC_BACK, WM_CTLCOLORBTN, white}, {IDC_BACK_TO_UPDATE, WM_CTLCOLORBTN, white},
        {IDC_ACTION, WM_CTLCOLORBTN, white}, {IDC_PROGRESS, WM_CTLCOLORSTATIC, white},
        {IDC_PERCENT_NUMBER, WM_CTLCOLORSTATIC, white}, {IDC_PERCENT_SIGN, WM_CTLCOLORSTATIC, white},
        {IDC_SECTION_LIST, WM_CTLCOLORLISTBOX, white}, {IDC_STATUS_DETAILS, WM_CTLCOLORBTN, white},
        {IDC_PAGE_AREA, WM_CTLCOLORSTATIC, white}, {IDC_LANGUAGE_FLAG, WM_CTLCOLORSTATIC, white},
        {IDC_TAB_WELCOME, WM_CTLCOLORBTN, tab}, {IDC_TAB_DEVICE_SETTING, WM_CTLCOLORBTN, tab},
        {IDC_PAGE_BAR, WM_CTLCOLORSTATIC, bar}, {IDC_SECTION_FIRST, WM_CTLCOLORBTN, bar},
        {IDC_SECTION_DROPDOWN, WM_CTLCOLORBTN, bar},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        ::SetBkMode(dc.GetSafeHdc(), OPAQUE);
        EXPECT_EQ(c.brush, SolidColour(Colour(c.message, main->GetDlgItem(c.id)->m_hWnd)));
        EXPECT_EQ(TRANSPARENT, ::GetBkMode(dc.GetSafeHdc()));
    }
    EXPECT_EQ(::GetStockObject(WHITE_BRUSH), Colour(WM_CTLCOLORSTATIC, main->backgroundStatic.m_hWnd));
}

TEST_F(SkinColourTest, StatusColoursFollowTheLookOfTheLastStatus)
{
    for (int warning : {0, 1, 0}) {
        SCOPED_TRACE(warning);
        main->ShowStatus(L"status", warning);
        for (HWND control : {main->statusArea.m_hWnd, main->statusText.m_hWnd}) {
            ::SetTextColor(dc.GetSafeHdc(), RGB(1, 2, 3));
            EXPECT_EQ(warning ? RGB(255, 142, 0) : RGB(181, 213, 255), SolidColour(Colour(WM_CTLCOLORSTATIC, control)));
            EXPECT_EQ(RGB(0, 0, 0), ::GetTextColor(dc.GetSafeHdc()));
            EXPECT_EQ(TRANSPARENT, ::GetBkMode(dc.GetSafeHdc()));
        }
    }
}

TEST_F(SkinColourTest, DeviceLineBrushesCopyTheBackgroundPictureOnce)
{
    CBitmap background;
    ASSERT_TRUE(background.LoadBitmap(IDB_BACKGROUND));
    CMemoryDC picture(dc.GetSafeHdc(), 1, 1);
    HGDIOBJ old = ::SelectObject(picture.GetSafeHdc(), background);
    for (CWnd* control : {static_cast<CWnd*>(&main->devicePicture), static_cast<CWnd*>(&main->deviceCaption),
                          static_cast<CWnd*>(&main->deviceText)}) {
        SCOPED_TRACE(control->GetDlgCtrlID());
        const HBRUSH brush = Colour(WM_CTLCOLORSTATIC, control->m_hWnd);
        EXPECT_EQ(static_cast<UINT>(BS_PATTERN), BrushStyle(brush));
        EXPECT_EQ(brush, Colour(WM_CTLCOLORSTATIC, control->m_hWnd));  // made once, kept

        // Painted with the brush, the control shows the picture behind it.
        CRect place = control->GetWindowRect();
        main->ScreenToClient(&place);
        CMemoryDC painted(dc.GetSafeHdc(), place.Width(), place.Height());
        ::SetBrushOrgEx(painted.GetSafeHdc(), 0, 0, nullptr);
        ::FillRect(painted.GetSafeHdc(), CRect(0, 0, place.Width(), place.Height()), brush);
        int differing = 0;
        for (int y = 0; y < place.Height(); y += 3)
            for (int x = 0; x < place.Width(); x += 7)
                differing += painted.GetPixel(x, y) != picture.GetPixel(place.left + x, place.top + y) ? 1 : 0;
        EXPECT_EQ(0, differing);
    }
    ::SelectObject(picture.GetSafeHdc(), old);
}

TEST_F(MainWindowTest, BusyOrOpenSectionListRefusesEveryWayToCloseAndEveryBox)
{
    static int opened = 0;
    SetModalDialogHook([](CDialog& dialog, UINT) {
        ++opened;
        dialog.EndDialog(IDCANCEL);
    });
    SetPopupMenuHook([](HMENU, HWND) { ++opened; });
    main->ShowWindow(SW_SHOW);
    const LPARAM flag = reinterpret_cast<LPARAM>(main->languageFlag.m_hWnd);
    for (bool* lock : {&main->busy, &main->sectionListOpen}) {
        opened = 0;
        *lock = true;
        main->SendMessage(WM_CLOSE);
        Click(IDOK);
        main->SendMessage(WM_COMMAND, ID_MENU_CLOSE);
        main->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(main->m_hWnd), MAKELPARAM(10, 10));
        main->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ABOUT_BUTTON, BN_CLICKED), 0);
        main->SendMessage(WM_COMMAND, ID_MENU_ABOUT);
        main->SendMessage(WM_COMMAND, ID_MENU_MANAGER_LANGUAGE);
        main->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LANGUAGE_FLAG, STN_CLICKED), flag);
        PumpMessagesUntil([] { return false; }, 100);
        EXPECT_TRUE(main->IsWindowVisible()) << (lock == &main->busy ? "busy" : "list");
        EXPECT_EQ(0, opened) << (lock == &main->busy ? "busy" : "list");
        *lock = false;
    }
}

TEST_F(MainWindowTest, MenuAboutOpensTheAboutBoxThroughTheButton)
{
    std::vector<UINT> templates;
    SetModalDialogHook([&](CDialog& dialog, UINT templateId) {
        templates.push_back(templateId);
        dialog.PressButton(IDOK);
    });
    main->SendMessage(WM_COMMAND, ID_MENU_ABOUT);
    EXPECT_TRUE(templates.empty());  // posted, not yet run
    PumpMessagesUntil([&] { return !templates.empty(); }, 2000);
    EXPECT_EQ(std::vector<UINT>{IDD_ABOUTBOX}, templates);
}

TEST_F(MainWindowTest, DetailsAndBuildBoxesHaveOnlyOkAndTheIconOfTheStatus)
{
    struct Seen {
        int iconKind = -1;
        bool ok = false, cancel = false, third = false;
        CString okCaption;
    } seen;
    SetModalDialogHook([&](CDialog& dialog, UINT) {
        auto& box = static_cast<CDialogMessageBox&>(dialog);
        seen = {box.iconKind, box.hasOk, box.hasCancel, box.hasThird, box.okButton.GetWindowText()};
        dialog.PressButton(IDOK);
    });
    main->language = LanguageKorean;
    main->targetProductId = 0x3110;
    const LPARAM text = reinterpret_cast<LPARAM>(main->deviceText.m_hWnd);
    for (int warning : {1, 0}) {
        for (bool details : {true, false}) {
            SCOPED_TRACE(testing::Message() << "warning " << warning << " details " << details);
            main->ShowStatus(L"status", warning);
            seen = {};
            if (details)
                Click(IDC_STATUS_DETAILS);
            else
                main->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_DEVICE_TEXT, STN_DBLCLK), text);
            EXPECT_EQ(warning, seen.iconKind);
            EXPECT_EQ(1, seen.ok);
            EXPECT_EQ(0, seen.cancel);
            EXPECT_EQ(0, seen.third);
            EXPECT_EQ(TextOk(LanguageKorean), seen.okCaption);
        }
    }
}

TEST(AboutBox, TextsInTheLanguageBoldAndOnlineHelpKeepsItOpen)
{
    std::vector<CString> opened;
    SetShellOpenHook([&](const CString& verb, const CString& target) -> INT_PTR {
        opened.push_back(verb + L" " + target);
        return 42;
    });
    for (LanguageIndex language : {LanguageEnglish, LanguageJapanese, LanguageKorean, LanguageFinnish}) {
        SCOPED_TRACE(language);
        opened.clear();
        CString version, rights, ok, help;
        bool bold = false, logo = false, openAfterHelp = false;
        SetModalDialogHook([&](CDialog& dialog, UINT templateId) {
            ASSERT_EQ(static_cast<UINT>(IDD_ABOUTBOX), templateId);
            auto& about = static_cast<CAboutDlg&>(dialog);
            version = about.versionStatic.GetWindowText();
            rights = about.rightsStatic.GetWindowText();
            ok = about.okButton.GetWindowText();
            help = about.helpButton.GetWindowText();
            bold = FontWeight(about.versionStatic) == FW_BOLD && FontWeight(about.rightsStatic) == FW_BOLD &&
                   FontWeight(about.okButton) == FW_BOLD && FontWeight(about.helpButton) == FW_BOLD;
            logo = about.logoStatic.SendMessage(STM_GETIMAGE, IMAGE_BITMAP) != 0;
            dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ABOUT_HELP, BN_CLICKED), 0);
            openAfterHelp = dialog.IsModal();
            dialog.PressButton(IDOK);
        });
        CAboutDlg about(language);
        EXPECT_EQ(IDOK, about.DoModal());
        EXPECT_EQ(CString(L"TORVIK Bluetooth Device Manager ") + TextVersion(language) + L" 1.0.1", version);
        EXPECT_EQ(CopyrightText(), rights);
        EXPECT_EQ(TextOk(language), ok);
        EXPECT_EQ(TextOnlineHelp(language), help);
        EXPECT_TRUE(bold);
        EXPECT_TRUE(logo);
        EXPECT_TRUE(openAfterHelp);
        ASSERT_EQ(1u, opened.size());
        EXPECT_EQ(0, opened[0].Find(L"open http"));
        EXPECT_NE(-1, opened[0].Find(L"/malvobluetoothmanager/MalvoBluetoothDeviceManagerForWindowsHelp/Contents/"
                                     L"Resources/English/overview.html"));
    }
    SetModalDialogHook(nullptr);
    SetShellOpenHook(nullptr);
}

}  // namespace
