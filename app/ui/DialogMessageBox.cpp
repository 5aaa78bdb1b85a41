#include "app/ui/DialogMessageBox.h"

#include "app/HttpDownload.h"
#include "app/ui/PageHost.h"
#include "framework/Clock.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CDialogMessageBox, CDialog)
    ON_WM_CTLCOLOR()
    ON_WM_SETCURSOR()
    ON_BN_CLICKED(IDC_MESSAGE_THIRD, OnBnClickedReleaseNotes)
END_MESSAGE_MAP()

namespace {

constexpr COLORREF kBoxTextColour = RGB(236, 236, 216);
const wchar_t* kHelpPath = L"/malvobluetoothmanager/MalvoBluetoothDeviceManagerForWindowsHelp/Contents/Resources/English/";

}  // namespace

CString ReleaseNotesAddress() { return ServerBaseAddress() + kHelpPath + L"release_notes.html"; }
CString OnlineHelpAddress() { return ServerBaseAddress() + kHelpPath + L"overview.html"; }

COLORREF MessageBoxColour(bool warning) { return warning ? RGB(112, 36, 24) : RGB(44, 52, 62); }

void PumpMessagesFor(unsigned milliseconds)
{
    const DWORD scaled = static_cast<DWORD>(milliseconds * Clock::Scale());
    PumpMessagesUntil([] { return false; }, scaled);
}

MessageBoxLayout ComputeMessageBoxLayout(int width, int height, bool anyButton)
{
    const int buttonTop = height - 44;
    auto button = [&](int left) { return CRect(left, buttonTop, left + 115, buttonTop + 24); };
    MessageBoxLayout layout;
    layout.icon = CRect(20, 20, 84, 84);
    layout.text = CRect(104, 20, 104 + (width - 124), 20 + (anyButton ? height - 84 : height - 40));
    layout.ok = button(width - 135);
    layout.cancel = button(width - 251);
    layout.third = button(width - 366);
    return layout;
}

CDialogMessageBox::CDialogMessageBox(CWnd* parent) : CDialog(IDD_MESSAGE_BOX, parent) {}

CDialogMessageBox::~CDialogMessageBox()
{
    if (m_hWnd) DestroyWindow();
}

void CDialogMessageBox::Setup(const wchar_t* message, int icon, const wchar_t* cancel, const wchar_t* ok, CSize size)
{
    SetupFull(message, icon, nullptr, cancel, ok, size, 0);
}

void CDialogMessageBox::Setup(const wchar_t* message, int icon, const wchar_t* third, const wchar_t* cancel,
                              const wchar_t* ok, CSize size)
{
    SetupFull(message, icon, third, cancel, ok, size, 0);
}

void CDialogMessageBox::SetupFull(const wchar_t* message, int icon, const wchar_t* third, const wchar_t* cancel,
                                  const wchar_t* ok, CSize size, int depth)
{
    text = message;
    iconKind = icon;
    auto store = [](const wchar_t* caption, CString& into, bool& flag) {
        flag = caption != nullptr;
        into = caption ? caption : L"";
    };
    store(third, thirdCaption, hasThird);
    store(cancel, cancelCaption, hasCancel);
    store(ok, okCaption, hasOk);
    width = size.cx;
    height = size.cy;
    ownerDepth = depth;
}

BOOL CDialogMessageBox::CreateModeless(CWnd* parent) { return Create(IDD_MESSAGE_BOX, parent); }

void CDialogMessageBox::ClosePrompt()
{
    if (m_hWnd) DestroyWindow();
}

CPageHost* CDialogMessageBox::MainWindow() const
{
    // The parent given (or its parent, by the setup's owner depth), then up the
    // chain of parents and owners to the main window.
    HWND from = m_parent ? m_parent->m_hWnd : (m_hWnd ? ::GetParent(m_hWnd) : nullptr);
    if (from && ownerDepth) from = ::GetParent(from) ? ::GetParent(from) : from;
    for (HWND h = from; h; h = ::GetParent(h)) {
        if (auto* main = dynamic_cast<CPageHost*>(CWnd::FromHandlePermanent(h))) return main;
    }
    return nullptr;
}

void CDialogMessageBox::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_MESSAGE_ICON, iconStatic);
    DDX_Control(dx, IDC_MESSAGE_TEXT, textStatic);
    DDX_Control(dx, IDOK, okButton);
    DDX_Control(dx, IDCANCEL, cancelButton);
    DDX_Control(dx, IDC_MESSAGE_THIRD, thirdButton);
}

BOOL CDialogMessageBox::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_boldFont.CreateBoldOf(GetFontHandle())) {
        for (CWnd* control : {static_cast<CWnd*>(&textStatic), static_cast<CWnd*>(&okButton),
                              static_cast<CWnd*>(&cancelButton), static_cast<CWnd*>(&thirdButton)}) {
            control->SetFont(static_cast<HFONT>(m_boldFont));
        }
    }
    textStatic.SetWindowText(text);
    if (m_iconBitmap.LoadBitmap(iconKind ? IDB_WARNING_ICON : IDB_LOGO_ICON)) iconStatic.SetBitmap(m_iconBitmap);

    struct ButtonRule {
        CButton& button;
        bool shown;
        const CString& caption;
    };
    const ButtonRule buttons[] = {{okButton, hasOk, okCaption}, {cancelButton, hasCancel, cancelCaption},
                                  {thirdButton, hasThird, thirdCaption}};
    for (const ButtonRule& rule : buttons) {
        if (rule.shown) rule.button.SetWindowText(rule.caption);
        rule.button.EnableWindow(rule.shown);
        rule.button.ShowWindow(rule.shown ? SW_SHOW : SW_HIDE);
    }

    // The outer size is the caller's; the parts are laid out in the client area.
    SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const MessageBoxLayout layout = ComputeMessageBoxLayout(width, height, hasOk || hasCancel || hasThird);
    iconStatic.MoveWindow(layout.icon);
    textStatic.MoveWindow(layout.text);
    okButton.MoveWindow(layout.ok);
    cancelButton.MoveWindow(layout.cancel);
    thirdButton.MoveWindow(layout.third);
    return TRUE;
}

void CDialogMessageBox::OnOK()
{
    if (!hasOk) return;  // Enter does nothing without an OK button
    // An Enter pressed during a hold reaches us again through the pump; the
    // hold ends the box itself.
    if (m_holding) return;
    if (okContinuation) okContinuation(*this);
    EndDialog(IDOK);
}

void CDialogMessageBox::HoldOpen(unsigned milliseconds)
{
    CPageHost* main = MainWindow();
    okButton.EnableWindow(FALSE);
    if (main) main->busy = true;
    m_holding = true;
    PumpMessagesFor(milliseconds);
    m_holding = false;
    if (main) main->busy = false;
    if (okButton.m_hWnd) okButton.EnableWindow(TRUE);
}

void CDialogMessageBox::OnCancel()
{
    if (hasCancel) EndDialog(IDCANCEL);
}

void CDialogMessageBox::OnBnClickedReleaseNotes()
{
    if (hasThird) ShellOpen(L"open", ReleaseNotesAddress(), nullptr, SW_SHOWNORMAL);
}

HBRUSH CDialogMessageBox::OnCtlColor(CDC* dc, CWnd*, UINT)
{
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(kBoxTextColour);
    if (const CPageHost* main = MainWindow()) return main->MessageBoxBrush(iconKind != 0);
    static CBrush fallback[2] = {CBrush(MessageBoxColour(false)), CBrush(MessageBoxColour(true))};
    return fallback[iconKind != 0 ? 1 : 0];
}

BOOL CDialogMessageBox::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    const CPageHost* main = MainWindow();
    if (main && main->busy) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
    }
    return CWnd::OnSetCursor(wnd, hitTest, message);
}
