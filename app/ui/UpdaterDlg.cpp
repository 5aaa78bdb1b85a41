#include "app/ui/UpdaterDlg.h"
#include "device/ProductCatalogue.h"

#include <clocale>

#include "app/ui/AboutDlg.h"
#include "app/Configuration.h"
#include "app/ui/DiagnosticLog.h"
#include "app/DeviceLine.h"
#include "app/ui/DialogLanguageManager.h"
#include "app/ui/DialogMessageBox.h"
#include "app/ui/SkinButtons.h"
#include "app/SkinColours.h"
#include "device/HidDevices.h"
#include "device/HidDiscovery.h"
#include "framework/StartupTrace.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CUpdaterDlg, CDialog)
    ON_WM_CTLCOLOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_DRAWITEM()
    ON_WM_SETCURSOR()
    ON_MESSAGE(WM_MOUSEMOVE, OnMouseMoveDefault)
    ON_WM_TIMER()
    ON_WM_CLOSE()
    ON_WM_ACTIVATE()
    ON_WM_SETFOCUS()
    ON_WM_CONTEXTMENU()
    ON_BN_CLICKED(IDC_ABOUT_BUTTON, OnBnClickedAbout)
    ON_BN_CLICKED(IDC_NEXT, OnBnClickedNext)
    ON_BN_CLICKED(IDC_BACK, OnBnClickedBack)
    ON_BN_CLICKED(IDC_TAB_WELCOME, OnBnClickedTabWelcome)
    ON_BN_CLICKED(IDC_TAB_RECOGNITION, OnBnClickedTabRecognition)
    ON_BN_CLICKED(IDC_TAB_FIRMWARE_UPDATE, OnBnClickedTabFirmwareUpdate)
    ON_BN_CLICKED(IDC_TAB_FIRMWARE_RESTORE, OnBnClickedTabFirmwareRestore)
    ON_BN_CLICKED(IDC_TAB_DEVICE_SETTING, OnBnClickedTabDeviceSetting)
    ON_BN_CLICKED(IDC_BACK_TO_UPDATE, OnBnClickedTabFirmwareUpdate)
    ON_BN_CLICKED(IDC_ON_TO_RESTORE, OnBnClickedTabFirmwareRestore)
    ON_BN_CLICKED(IDC_ACTION, OnBnClickedAction)
    ON_COMMAND(ID_MENU_ABOUT, OnMenuAbout)
    ON_COMMAND(ID_MENU_ONLINE_HELP, OnMenuOnlineHelp)
    ON_COMMAND(ID_MENU_MANAGER_LANGUAGE, OnManagerLanguage)
    ON_STN_CLICKED(IDC_LANGUAGE_FLAG, OnManagerLanguage)
    ON_COMMAND(ID_MENU_DIAGNOSTIC_LOG, OnMenuDiagnosticLog)
    ON_COMMAND(ID_MENU_CLOSE, OnMenuClose)
    ON_BN_CLICKED(IDC_SECTION_FIRST, OnBnClickedBasic)
    ON_BN_CLICKED(IDC_SECTION_DROPDOWN, OnBnClickedSectionDropdown)
    ON_LBN_SELCHANGE(IDC_SECTION_LIST, OnLbnSelchangeSectionList)
    ON_BN_CLICKED(IDC_STATUS_DETAILS, OnBnClickedStatusDetails)
    ON_STN_CLICKED(IDC_DEVICE_TEXT, DoNothing)
    ON_STN_DBLCLK(IDC_DEVICE_TEXT, OnStnDblclkDeviceText)
END_MESSAGE_MAP()

namespace {

// The variants of the 0x4210 headset by its item-5 byte.
const wchar_t* VariantName(int variant)
{
    switch (variant) {
    case 0: return L"V40";
    case 11: return L"Thunder Audio V40";
    case 16: return L"V40 NX";
    case 27: return L"Thunder Audio V40 NX";
    default: return nullptr;
    }
}

}  // namespace

CPageHost* GetMainDialog(const CWnd* page)
{
    if (!page || !page->m_hWnd) return nullptr;
    HWND area = ::GetParent(page->m_hWnd);
    return area ? dynamic_cast<CPageHost*>(CWnd::FromHandlePermanent(::GetParent(area))) : nullptr;
}

CUpdaterDlg::CUpdaterDlg(CWnd* parent) : CDialog(IDD_MAIN, parent)
{
    m_skinUnits = true;
    m_icon = ::LoadIconW(AppInstance(), MAKEINTRESOURCEW(IDR_MAINFRAME));
    // The device pictures and the flags are loaded when first shown.
    m_pageAreaBitmap.LoadBitmap(IDB_PAGE_AREA);
    m_whiteBrush.CreateSolidBrush(Skin::kWhite);
    m_tabFaceBrush.CreateSolidBrush(Skin::kTabFace);
    m_barGreyBrush.CreateSolidBrush(Skin::kBarGrey);
    m_statusBlueBrush.CreateSolidBrush(Skin::kStatusBlue);
    m_statusOrangeBrush.CreateSolidBrush(Skin::kStatusOrange);
    m_messageBoxBrush.CreateSolidBrush(MessageBoxColour(false));
    m_warningBoxBrush.CreateSolidBrush(MessageBoxColour(true));
}

CUpdaterDlg::~CUpdaterDlg()
{
    CloseDeviceHandles();
}

void CUpdaterDlg::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_BACKGROUND, backgroundStatic);
    DDX_Control(dx, IDC_DEVICE_PICTURE, devicePicture);
    DDX_Control(dx, IDC_DEVICE_CAPTION, deviceCaption);
    DDX_Control(dx, IDC_DEVICE_TEXT, deviceText);
    DDX_Control(dx, IDC_LANGUAGE_FLAG, languageFlag);
    DDX_Control(dx, IDC_PAGE_AREA, pageArea);
    DDX_Control(dx, IDC_PAGE_BAR, pageBar);
    DDX_Control(dx, IDC_STATUS_AREA, statusArea);
    DDX_Control(dx, IDC_STATUS_TEXT, statusText);
    DDX_Control(dx, IDC_PERCENT_NUMBER, percentNumber);
    DDX_Control(dx, IDC_PERCENT_SIGN, percentSign);
    DDX_Control(dx, IDC_ABOUT_BUTTON, aboutButton);
    DDX_Control(dx, IDOK, closeButton);
    for (int i = 0; i < kTabCount; ++i) DDX_Control(dx, IDC_TAB_WELCOME + i, tabButtons[i]);
    DDX_Control(dx, IDC_BACK, backButton);
    DDX_Control(dx, IDC_NEXT, nextButton);
    DDX_Control(dx, IDC_ACTION, actionButton);
    DDX_Control(dx, IDC_BACK_TO_UPDATE, backToUpdateButton);
    DDX_Control(dx, IDC_ON_TO_RESTORE, onToRestoreButton);
    DDX_Control(dx, IDC_STATUS_DETAILS, statusDetailsButton);
    DDX_Control(dx, IDC_SECTION_FIRST, sectionFirstButton);
    DDX_Control(dx, IDC_SECTION_DROPDOWN, sectionDropdownButton);
    DDX_Control(dx, IDC_SECTION_LIST, sectionList);
    DDX_Control(dx, IDC_PROGRESS, progress);
}

BOOL CUpdaterDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    MarkStartup(L"main template");
    toolTip.Create(this);

    // The system menu's about item is the one text taken from the string table.
    wchar_t aboutItem[128] = {};
    if (HMENU systemMenu = GetSystemMenu(FALSE);
        systemMenu && ::LoadStringW(AppInstance(), IDS_ABOUTBOX, aboutItem, 128) > 0) {
        ::AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, aboutItem);
    }

    SetWindowText(ProductCaption(LanguageEnglish));
    if (m_icon) {
        SetIcon(m_icon, TRUE);
        SetIcon(m_icon, FALSE);
    }
    _wsetlocale(LC_ALL, L"");

    if (m_backgroundBitmap.LoadBitmap(IDB_BACKGROUND)) backgroundStatic.SetBitmap(m_backgroundBitmap);

    MarkStartup(L"caption, menu, background");

    // The welcome page comes first; every other page is made when it is first
    // needed (CreatePage), so a start costs none of them.
    CreatePage(PageWelcome);

    LoadConfiguration();
    SetToolTips();
    SetTimer(kStartupTimer, kStartupDelayMs);
    MarkStartup(L"configuration, tooltips");
    return TRUE;
}

void CUpdaterDlg::OnTimer(UINT_PTR id)
{
    if (id == kStartupTimer) {
        KillTimer(kStartupTimer);
        ApplyFonts();
        GoToWelcome();
        MarkStartup(L"welcome page shown");
    }
    CWnd::OnTimer(id);
}

LRESULT CUpdaterDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CDialog::WindowProc(message, wParam, lParam);
    if (message == WM_PAINT) MarkStartup(L"first paint");
    return result;
}

// ---------------------------------------------------------------------------
// Configuration and shutdown

void CUpdaterDlg::LoadConfiguration()
{
    currentPage = PageNone;
    recognized = false;
    ResetDeviceHandles();
    ResetSettingSections();
    language = LanguageEnglish;
    applyToFirmwareLanguage = true;
    targetProductId = 0;
    cameraPending = false;
    waitForUser = false;
    firmwareLanguage = EnglishLanguageName(LanguageEnglish);
    currentPath.Empty();
    usbStatus = 0;
    busy = false;
    statusLine.MarkShown(false);

    progress.ShowWindow(SW_HIDE);
    progress.SetRange(0, 100);
    progress.SendMessage(PBM_SETSTEP, 1);
    progress.SetPos(0);
    transferPercent = -1;
    percentSign.ShowWindow(SW_HIDE);
    percentNumber.ShowWindow(SW_HIDE);

    // The configuration file's values over the defaults; a missing file keeps them.
    ConfigurationValues values;
    ReadConfigurationFile(ConfigurationFilePath(), values);
    language = values.language;
    applyToFirmwareLanguage = values.applyToFirmwareLanguage;
    targetProductId = values.targetProductId;
    firmwareLanguage = values.firmwareLanguage;
    currentPath = values.currentPath;
}

int CUpdaterDlg::SaveConfiguration()
{
    if (Refused()) return 0;
    CloseDeviceHandles();
    // A file that cannot be written is not reported; the window closes all the same.
    ConfigurationValues values;
    values.language = language;
    values.applyToFirmwareLanguage = applyToFirmwareLanguage;
    values.targetProductId = targetProductId;
    values.firmwareLanguage = firmwareLanguage;
    values.currentPath = currentPath;
    WriteConfigurationFile(ConfigurationFilePath(), values);
    return 1;
}

void CUpdaterDlg::OnOK()
{
    if (SaveConfiguration()) EndDialog(IDOK);
}

void CUpdaterDlg::OnCancel()
{
    // Escape never closes the main window.
}

void CUpdaterDlg::OnClose()
{
    if (SaveConfiguration()) EndDialog(IDOK);
}

void CUpdaterDlg::OnMenuClose()
{
    if (Refused()) return;
    PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(closeButton.m_hWnd));
}

// ---------------------------------------------------------------------------
// Devices

void CUpdaterDlg::CloseDeviceHandles()
{
    for (HANDLE* handle : {&hidHandle1, &hidHandle2}) {
        if (*handle) CloseHidHandle(*handle);
        *handle = nullptr;
    }
}

void CUpdaterDlg::ResetDeviceHandles()
{
    CloseDeviceHandles();
    hidHandle1 = nullptr;
    hidHandle2 = nullptr;
}

void CUpdaterDlg::ResetSettingSections()
{
    ClearSettingSections(&sectionCount, sectionKinds, &currentSection);
    sectionListOpen = false;
}

int CUpdaterDlg::CountHidDfuDevices(int maximum) { return ::CountHidDfuDevices(maximum); }


// ---------------------------------------------------------------------------
// Status line

CString CUpdaterDlg::GetStatusText() const { return statusLine.Get(language); }

void CUpdaterDlg::SetStatusText(const CString& text, LanguageIndex lang) { statusLine.Set(text, lang); }

namespace {

// The status area lies under the text and paints its colour over the whole
// line, so the text is repainted with it; else the line stays blank.
void PaintStatusLine(CStatic& area, CStatic& text, const CString& status)
{
    area.SetWindowText(L"");
    text.SetWindowText(status);
    area.Invalidate();
    text.Invalidate();
}

}  // namespace

void CUpdaterDlg::ShowStatus(const CString& text, int warning)
{
    statusLine.MarkShown(warning != 0);
    PaintStatusLine(statusArea, statusText, text);
}

CString CUpdaterDlg::ComposeReadyStatus() { return statusLine.ComposeReady(currentPage, usbStatus, language); }

CString CUpdaterDlg::ComposeProgressStatus() { return statusLine.ComposeProgress(currentPage, usbStatus, language); }

void CUpdaterDlg::ComposePageStatus()
{
    const int autoRun = currentPage == PageRecognition ? recognitionPage.autoRunCode : 0;
    ShowStatus(statusLine.ComposePage(currentPage, autoRun, usbStatus, language), 0);
}

void CUpdaterDlg::RefreshStatusLine()
{
    PaintStatusLine(statusArea, statusText, statusLine.Get(language));
}

// ---------------------------------------------------------------------------
// Skin

HBRUSH CUpdaterDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor)
{
    HBRUSH brush = CDialog::OnCtlColor(dc, wnd, ctlColor);
    const int id = wnd && wnd->m_hWnd != m_hWnd ? wnd->GetDlgCtrlID() : 0;
    switch (id) {
    case IDC_ABOUT_BUTTON: case IDOK: case IDC_NEXT: case IDC_ON_TO_RESTORE: case IDC_BACK:
    case IDC_BACK_TO_UPDATE: case IDC_ACTION: case IDC_PROGRESS: case IDC_PERCENT_NUMBER:
    case IDC_PERCENT_SIGN: case IDC_SECTION_LIST: case IDC_STATUS_DETAILS: case IDC_PAGE_AREA:
        dc->SetBkMode(TRANSPARENT);
        return m_whiteBrush;
    case IDC_TAB_WELCOME: case IDC_TAB_RECOGNITION: case IDC_TAB_FIRMWARE_UPDATE:
    case IDC_TAB_FIRMWARE_RESTORE: case IDC_TAB_DEVICE_SETTING:
        dc->SetBkMode(TRANSPARENT);
        return m_tabFaceBrush;
    case IDC_PAGE_BAR: case IDC_SECTION_FIRST: case IDC_SECTION_DROPDOWN:
        dc->SetBkMode(TRANSPARENT);
        return m_barGreyBrush;
    case IDC_STATUS_AREA: case IDC_STATUS_TEXT:
        dc->SetBkMode(TRANSPARENT);
        dc->SetTextColor(RGB(0, 0, 0));
        return LastStatusNotWarning() ? m_statusBlueBrush : m_statusOrangeBrush;
    case IDC_BACKGROUND:
        dc->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    case IDC_DEVICE_PICTURE: case IDC_DEVICE_CAPTION: case IDC_DEVICE_TEXT:
        dc->SetBkMode(TRANSPARENT);
        return FramePatternBrush(wnd);
    default:
        if (ctlColor == CTLCOLOR_STATIC) {
            dc->SetBkMode(TRANSPARENT);
            return m_whiteBrush;
        }
        return brush;
    }
}

bool CUpdaterDlg::CopyBackgroundBehind(CWnd* control, CBitmap& out)
{
    CRect rect = control->GetClientRect();
    control->MapWindowPoints(this, &rect);
    CClientDC screen(this);
    if (rect.IsRectEmpty() || !out.CreateCompatibleBitmap(screen, rect.Width(), rect.Height())) return false;
    CDC target;
    target.CreateCompatibleDC(screen);
    HGDIOBJ oldTarget = target.SelectObject(out);
    target.FillSolidRect(CRect(0, 0, rect.Width(), rect.Height()), Skin::kWhite);
    if (m_backgroundBitmap.GetSafeHandle()) {
        // The background picture is drawn unscaled at the client origin, so the
        // control's rectangle is also its rectangle in the picture.
        CDC source;
        source.CreateCompatibleDC(screen);
        HGDIOBJ oldSource = source.SelectObject(m_backgroundBitmap);
        target.BitBlt(0, 0, rect.Width(), rect.Height(), source, rect.left, rect.top, SRCCOPY);
        source.SelectObject(oldSource);
        source.DeleteDC();
    }
    target.SelectObject(oldTarget);
    target.DeleteDC();
    return true;
}

HBRUSH CUpdaterDlg::FramePatternBrush(CWnd* control)
{
    const int id = control->GetDlgCtrlID();
    auto found = m_patternBrushes.find(id);
    if (found != m_patternBrushes.end()) return found->second;
    // Made once per control from the background picture (never from the screen,
    // which may not be painted yet); the brush keeps its own copy of the pixels.
    CBrush& brush = m_patternBrushes[id];
    CBitmap pattern;
    if (!CopyBackgroundBehind(control, pattern)) {
        brush.CreateSolidBrush(Skin::kWhite);
        return brush;
    }
    brush.CreatePatternBrush(pattern);
    // The device picture draws over the same pixels.
    if (id == IDC_DEVICE_PICTURE && !devicePicture.m_background.GetSafeHandle())
        devicePicture.m_background = std::move(pattern);
    return brush;
}

void CUpdaterDlg::OnDrawItem(int id, LPDRAWITEMSTRUCT dis)
{
    if (dis->CtlType == ODT_BUTTON) {
        CDC dc(dis->hDC);
        wchar_t caption[261] = {};
        ::GetWindowTextW(dis->hwndItem, caption, 261);
        if (DrawSkinButton(dc, id, CRect(dis->rcItem), dis->itemState, CString(caption))) return;
    }
    CWnd::OnDrawItem(id, dis);
}

BOOL CUpdaterDlg::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    if (busy) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
    }
    return CWnd::OnSetCursor(wnd, hitTest, message);
}

void CUpdaterDlg::OnLButtonDown(UINT flags, CPoint point)
{
    CWnd::OnLButtonDown(flags, point);
    // The window has no caption bar: a press on any free spot drags it.
    SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
}

BOOL CUpdaterDlg::PreTranslateMessage(MSG* msg)
{
    toolTip.RelayEvent(msg);
    if (msg->message == WM_LBUTTONDOWN) {
        if (sectionListOpen && msg->hwnd != sectionDropdownButton.m_hWnd && msg->hwnd != sectionList.m_hWnd) {
            // A press anywhere else closes the section list and goes no further.
            SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SECTION_DROPDOWN, BN_CLICKED),
                        reinterpret_cast<LPARAM>(sectionDropdownButton.m_hWnd));
            return TRUE;
        }
        if (deviceSettingPage.IsCellPopupOpen() && (msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd))) {
            deviceSettingPage.EndCellEdit();
            return TRUE;
        }
    }
    return CDialog::PreTranslateMessage(msg);
}

// ---------------------------------------------------------------------------
// Menu, boxes and dialogs

void CUpdaterDlg::OnContextMenu(CWnd*, CPoint point)
{
    if (Refused()) return;
    // The keyboard's menu (Shift+F10, the Apps key) comes without a position:
    // it opens below the control with the keyboard, else at the window.
    if (point.x == -1 && point.y == -1) {
        const HWND focus = ::GetFocus();
        RECT place{};
        if (focus && ::IsChild(m_hWnd, focus) && ::IsWindowVisible(focus)) {
            ::GetWindowRect(focus, &place);
            point = CPoint(place.left, place.bottom);
        } else {
            ::GetClientRect(m_hWnd, &place);
            point = CPoint(place.left, place.top);
            ClientToScreen(&point);
        }
    }
    CMenu menu;
    if (!menu.LoadMenu(IDR_POPUP_MENU)) return;
    CMenu popup;
    popup.Attach(menu.GetSubMenuHandle(0));
    struct Item {
        UINT id;
        CString (*text)(LanguageIndex);
    };
    static const Item items[] = {{ID_MENU_ABOUT, TextAbout}, {ID_MENU_ONLINE_HELP, TextOnlineHelp},
                                 {ID_MENU_MANAGER_LANGUAGE, TextManagerLanguage},
                                 {ID_MENU_DIAGNOSTIC_LOG, TextDiagnosticLog}, {ID_MENU_CLOSE, TextClose}};
    for (const Item& item : items) popup.ModifyMenu(item.id, MF_BYCOMMAND | MF_STRING, item.id, item.text(language));
    popup.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}

void CUpdaterDlg::OnMenuAbout()
{
    if (Refused()) return;
    PostMessage(WM_COMMAND, MAKEWPARAM(IDC_ABOUT_BUTTON, BN_CLICKED), reinterpret_cast<LPARAM>(aboutButton.m_hWnd));
}

void CUpdaterDlg::OnMenuOnlineHelp() { OpenOnlineHelp(); }

// The diagnostic log: a snapshot of the state, saved where the user chooses.
void CUpdaterDlg::OnMenuDiagnosticLog()
{
    if (Refused()) return;
    DiagnosticLogState state;
    state.status = statusText.GetWindowText();
    state.recognized = recognized;
    state.targetProductId = targetProductId;
    state.usbStatus = usbStatus;
    state.device = &deviceSettings;
    state.language = language;
    SaveDiagnosticLog(this, currentPath, state);
}

void CUpdaterDlg::OnBnClickedAbout()
{
    if (Refused()) return;
    CAboutDlg about(language);
    about.DoModal();
}

void CUpdaterDlg::OnManagerLanguage()
{
    if (Refused()) return;
    CDialogLanguageManager dialog;
    dialog.selectedLanguage = language;
    dialog.applyToFirmwareLanguage = applyToFirmwareLanguage;
    if (dialog.DoModal() != IDOK) return;
    ApplyLanguage(dialog.selectedLanguage, dialog.applyToFirmwareLanguage);
    SetToolTips();
}

void CUpdaterDlg::OnBnClickedStatusDetails()
{
    const CString details =
        CString::FillPlaceholders(L"[%s]\n%s", {PageTitle(currentPage, language), GetStatusText()});
    CDialogMessageBox box(this);
    box.Setup(details, LastStatusNotWarning() ? 0 : 1, nullptr, TextOk(language), CSize(510, 160));
    box.DoModal();
}

CString CUpdaterDlg::BuildVersionText(CSize* boxSize) const
{
    const int build = deviceSettings.Firmware.BuildNumber;
    CString text;
    if (targetProductId == kV40ProductId) {
        const wchar_t* variant = VariantName(hidVariant);
        text = variant ? CString(variant) + L" Build Version" : CString();
        text += CString::Formatted(L" %d", build);
        *boxSize = CSize(400, 100);
    } else if (targetProductId == kV60ProductId) {
        text.Format(L"Build Version %d", build);
        *boxSize = CSize(250, 100);
    }
    return text;
}

void CUpdaterDlg::OnStnDblclkDeviceText()
{
    CSize size;
    const CString text = BuildVersionText(&size);
    if (text.IsEmpty()) return;
    CDialogMessageBox box(this);
    box.Setup(text, LastStatusNotWarning() ? 0 : 1, nullptr, TextOk(language), size);
    box.DoModal();
}
