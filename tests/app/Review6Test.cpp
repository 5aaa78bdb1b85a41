// Second look at the main window and its boxes: the window's shape and start-up,
// the skin colours of its controls, the square buttons, the refusals while the
// section list is open, the about box, and the message box's close box, cursor,
// camera hold and message pump.
#include "MainWindowFixture.h"

#include <vector>

#include "app/AboutDlg.h"
#include "app/DialogMessageBox.h"
#include "app/SkinButtons.h"
#include "framework/Clock.h"

namespace {

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

// ---------------------------------------------------------------------------
// The window itself

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

    // The pages wait, hidden inside the page area, until timer 1 fires once.
    EXPECT_EQ(PageNone, main.currentPage);
    for (CWnd* page : {static_cast<CWnd*>(&main.selectionPage), static_cast<CWnd*>(&main.recognitionPage),
                       static_cast<CWnd*>(&main.firmwareUpdatePage), static_cast<CWnd*>(&main.firmwareRestorePage),
                       static_cast<CWnd*>(&main.deviceSettingPage), static_cast<CWnd*>(&main.deviceSettingSecondPage),
                       static_cast<CWnd*>(&main.speedDialPage)}) {
        EXPECT_EQ(main.pageArea.m_hWnd, ::GetParent(page->m_hWnd));
        EXPECT_FALSE(page->GetStyle() & WS_VISIBLE);
    }
    EXPECT_TRUE(PumpMessagesUntil([&] { return main.currentPage == PageWelcome; }, 3000));
    EXPECT_TRUE(main.selectionPage.GetStyle() & WS_VISIBLE);
    main.DestroyWindow();
}

// ---------------------------------------------------------------------------
// Skin colours

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

// ---------------------------------------------------------------------------
// Square buttons: title-bar buttons and tabs

TEST(SkinSquareButtons, FaceEdgeTextAndFocusByState)
{
    struct Case {
        int id;
        UINT state;
        COLORREF fill;
        COLORREF text;
        bool edge;
    };
    const COLORREF black = RGB(0, 0, 0);
    const Case cases[] = {
        {IDOK, ODS_SELECTED, RGB(236, 236, 216), black, true},
        {IDOK, ODS_SELECTED | ODS_DISABLED, RGB(224, 224, 214), RGB(141, 141, 127), false},
        {IDOK, 0, RGB(255, 255, 255), black, true},
        {IDOK, ODS_DISABLED, RGB(244, 244, 234), RGB(161, 161, 147), false},
        {IDC_STATUS_DETAILS, ODS_DISABLED, RGB(244, 244, 234), RGB(161, 161, 147), false},
        {IDC_TAB_RECOGNITION, ODS_SELECTED, RGB(236, 236, 216), black, true},
        {IDC_TAB_RECOGNITION, 0, RGB(255, 255, 246), black, true},
        {IDC_TAB_RECOGNITION, ODS_DISABLED, RGB(244, 244, 234), RGB(161, 161, 147), false},
    };
    HDC screen = ::GetDC(nullptr);
    const CRect item(0, 0, 160, 40);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.id << " state " << c.state);
        for (bool focus : {false, true}) {
            CMemoryDC dc(screen, item.Width(), item.Height());
            ASSERT_TRUE(DrawSkinButton(dc, c.id, item, c.state | (focus ? ODS_FOCUS : 0), L"WELCOME"));
            EXPECT_EQ(c.fill, dc.GetPixel(6, 20));
            EXPECT_EQ(c.edge, dc.GetPixel(0, 0) != c.fill);
            EXPECT_EQ(c.edge, dc.GetPixel(item.right - 1, item.bottom - 1) != c.fill);
            // The caption is centred.
            int centre = 0, side = 0;
            for (int y = 8; y < 32; ++y) {
                for (int x = 50; x < 110; ++x) centre += dc.GetPixel(x, y) == c.text ? 1 : 0;
                for (int x = 8; x < 25; ++x) side += dc.GetPixel(x, y) == c.text ? 1 : 0;
            }
            EXPECT_GT(centre, 0);
            EXPECT_EQ(0, side);
            // The focus rectangle runs 3 pixels inside, on enabled buttons only.
            int focusLine = 0;
            for (int y = 8; y < 32; ++y) focusLine += dc.GetPixel(3, y) != c.fill ? 1 : 0;
            const bool enabled = (c.state & ODS_DISABLED) == 0;
            EXPECT_EQ(focus && enabled, focusLine > 0) << "focus " << focus;
        }
    }
    ::ReleaseDC(nullptr, screen);
}

// ---------------------------------------------------------------------------
// Refusals while the section list is open

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

// ---------------------------------------------------------------------------
// Status-details and build-version boxes: OK only, the icon by the status look

TEST_F(MainWindowTest, DetailsAndBuildBoxesHaveOnlyOkAndTheIconOfTheStatus)
{
    struct Seen {
        int iconKind = -1, ok = 0, cancel = 0, third = 0;
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

// ---------------------------------------------------------------------------
// About box

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

// ---------------------------------------------------------------------------
// Message box

TEST(MessageBoxClose, TheCloseBoxActsAsCancel)
{
    for (bool withCancel : {false, true}) {
        SCOPED_TRACE(withCancel);
        CDialogMessageBox box;
        box.Setup(L"text", 0, withCancel ? L"NO" : nullptr, L"YES", CSize(400, 130));
        bool openAfterClose = false;
        SetModalDialogHook([&](CDialog& dialog, UINT) {
            dialog.SendMessage(WM_CLOSE);
            PumpMessagesUntil([&] { return !dialog.IsModal(); }, 300);
            openAfterClose = dialog.IsModal();
            if (openAfterClose) dialog.PressButton(IDOK);
        });
        const INT_PTR result = box.DoModal();
        SetModalDialogHook(nullptr);
        EXPECT_EQ(!withCancel, openAfterClose);
        EXPECT_EQ(withCancel ? IDCANCEL : IDOK, result);
    }
}

TEST(MessageBoxPump, DispatchesForTheTimeWithoutSpinning)
{
    static int ticks = 0;
    ticks = 0;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) { ++ticks; });
    FILETIME created, exited, kernelBefore, userBefore, kernelAfter, userAfter;
    ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernelBefore, &userBefore);
    const ULONGLONG start = ::GetTickCount64();
    PumpMessagesFor(400);
    const ULONGLONG elapsed = ::GetTickCount64() - start;
    ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernelAfter, &userAfter);
    ::KillTimer(nullptr, timer);
    auto ms = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 10000; };
    const ULONGLONG cpu = ms(kernelAfter) - ms(kernelBefore) + ms(userAfter) - ms(userBefore);
    EXPECT_GE(elapsed, 400u);
    EXPECT_LT(elapsed, 3000u);
    EXPECT_GT(ticks, 0);
    EXPECT_LT(cpu, 200u);  // a spinning pump would burn the whole 400 ms
}

class MessageBoxHoldTest : public MainWindowTest {
protected:
    void TearDown() override
    {
        Clock::SetScale(1.0);
        MainWindowTest::TearDown();
    }
};

TEST_F(MessageBoxHoldTest, WaitCursorWhileTheMainWindowIsBusy)
{
    CDialogMessageBox box(main.get());
    box.Setup(L"text", 0, nullptr, L"OK", CSize(300, 120));
    LRESULT busyAnswer = 0;
    HCURSOR busyCursor = nullptr;
    SetModalDialogHook([&](CDialog& dialog, UINT) {
        const WPARAM self = reinterpret_cast<WPARAM>(dialog.m_hWnd);
        ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
        main->busy = 1;
        busyAnswer = dialog.SendMessage(WM_SETCURSOR, self, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        busyCursor = ::GetCursor();
        main->busy = 0;
        dialog.PressButton(IDOK);
    });
    box.DoModal();
    EXPECT_TRUE(busyAnswer);
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_WAIT), busyCursor);
}

TEST_F(MessageBoxHoldTest, OkDuringTheCameraHoldIsIgnored)
{
    Clock::SetScale(0.02);  // the ten seconds pass in a fifth of a second
    main->targetProductId = 0x3020;
    main->cameraPending = 1;
    static CDialog* running = nullptr;
    static int openAfterSecondOk = -1;
    openAfterSecondOk = -1;
    CDialogMessageBox box(main.get());
    box.Setup(L"Camera", 0, nullptr, L"OK", CSize(400, 110));
    SetModalDialogHook([&](CDialog& dialog, UINT) {
        running = &dialog;
        ::SetTimer(nullptr, 0, 30, [](HWND, UINT, UINT_PTR id, DWORD) {
            ::KillTimer(nullptr, id);
            running->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            openAfterSecondOk = running->IsModal() ? 1 : 0;
        });
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    EXPECT_EQ(IDOK, box.DoModal());
    EXPECT_EQ(1, openAfterSecondOk);
    EXPECT_EQ(0, main->busy);
}

TEST_F(MessageBoxHoldTest, NoHoldForOtherTargetsOrWithoutThePendingCamera)
{
    struct Case {
        int target;
        int pending;
    };
    for (const Case& c : {Case{0x4D10, 1}, Case{0x3020, 0}}) {
        SCOPED_TRACE(c.target);
        main->targetProductId = c.target;
        main->cameraPending = c.pending;
        CDialogMessageBox box(main.get());
        box.Setup(L"Done", 0, nullptr, L"OK", CSize(400, 110));
        SetModalDialogHook([](CDialog& dialog, UINT) { dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); });
        const ULONGLONG start = ::GetTickCount64();
        EXPECT_EQ(IDOK, box.DoModal());
        EXPECT_LT(::GetTickCount64() - start, 3000u);
        EXPECT_EQ(c.pending, main->cameraPending);  // only the camera's hold clears it
        EXPECT_EQ(0, main->busy);
    }
}

}  // namespace
