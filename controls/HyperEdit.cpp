#include "controls/HyperEdit.h"

#include <algorithm>
#include <mutex>

#include "framework/Shell.h"

namespace {

// The last selection the timer saw, shared by all hyperlink edits.
struct {
    WORD start = 0;
    WORD end = 0;
} g_lastSelection;

std::mutex g_runHookMutex;
ProgramRunHook g_runHook;

UINT RunProgram(const std::string& commandLine, int show)
{
    ProgramRunHook hook;
    {
        std::lock_guard<std::mutex> lock(g_runHookMutex);
        hook = g_runHook;
    }
    if (hook) return hook(commandLine, show);
    return ::WinExec(commandLine.c_str(), static_cast<UINT>(show));
}

}  // namespace

void SetProgramRunHook(ProgramRunHook hook)
{
    std::lock_guard<std::mutex> lock(g_runHookMutex);
    g_runHook = std::move(hook);
}

LONG ReadRegistryDefaultValue(HKEY root, const wchar_t* subKey, CString& value)
{
    HKEY key = nullptr;
    LONG result = ::RegOpenKeyExW(root, subKey, 0, KEY_QUERY_VALUE, &key);
    if (result != ERROR_SUCCESS) return result;
    DWORD type = 0;
    DWORD bytes = 0;
    result = ::RegQueryValueExW(key, nullptr, nullptr, &type, nullptr, &bytes);
    if (result == ERROR_SUCCESS && type != REG_SZ && type != REG_EXPAND_SZ) result = ERROR_INVALID_DATA;
    if (result == ERROR_SUCCESS) {
        std::wstring buffer(bytes / sizeof(wchar_t) + 1, L'\0');
        DWORD size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        result = ::RegQueryValueExW(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &size);
        if (result == ERROR_SUCCESS) value = CString(buffer.c_str());
    }
    ::RegCloseKey(key);
    return result;
}

CString BuildOpenCommand(const CString& command, const CString& address)
{
    int cut = command.Find(L"\"%1\"");
    if (cut < 0) cut = command.Find(L"%1");
    CString line = cut < 0 ? command : command.Left(cut);
    return line + L" " + address;
}

INT_PTR OpenUrl(const wchar_t* address, int show)
{
    INT_PTR result = ShellOpen(L"open", address, nullptr, show);
    if (result > 32) return result;
    CString handler;
    if (ReadRegistryDefaultValue(HKEY_CLASSES_ROOT, L".htm", handler) != ERROR_SUCCESS) return result;
    CString command;
    if (ReadRegistryDefaultValue(HKEY_CLASSES_ROOT, handler + L"\\shell\\open\\command", command) != ERROR_SUCCESS)
        return result;
    return RunProgram(BuildOpenCommand(command, address).ToCodePage(CP_THREAD_ACP), show);
}

// ---------------------------------------------------------------- CHyperEdit

BEGIN_MESSAGE_MAP(CHyperEdit, CEdit)
    ON_CONTROL_REFLECT(EN_CHANGE, OnChange)
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CHyperEdit::~CHyperEdit()
{
    if (m_ownsHandCursor && m_handCursor) ::DestroyCursor(m_handCursor);
}

BOOL CHyperEdit::IsLink(const CString& word) const
{
    if (word.GetLength() < 4 || IsSeparator(word.GetAt(0))) return FALSE;
    return word.Left(4).MakeLower() == L"www.";
}

void CHyperEdit::PreSubclassWindow()
{
    CEdit::PreSubclassWindow();
    HFONT font = GetFontHandle();
    LOGFONTW lf{};
    ::GetObjectW(font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(SYSTEM_FONT), sizeof lf, &lf);
    lf.lfUnderline = TRUE;
    m_linkFont.CreateFontIndirect(&lf);
    LoadHandCursor();
    {
        CClientDC dc(this);
        CSelectObject select(dc, font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(SYSTEM_FONT));
        CRect r;
        dc.DrawText(L"Test Line", r, DT_CALCRECT | DT_SINGLELINE);
        m_lineHeight = r.Height();
    }
    m_timer = SetTimer(kTimerId, 10);
}

// The help program's hand cursor when it has one, else the system's.
void CHyperEdit::LoadHandCursor()
{
    if (m_handCursor) return;
    wchar_t folder[MAX_PATH] = {};
    UINT n = ::GetWindowsDirectoryW(folder, MAX_PATH);
    if (n > 0 && n < MAX_PATH) {
        CString path = CString(folder) + L"\\winhlp32.exe";
        if (HMODULE module = ::LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
            if (HCURSOR cursor = ::LoadCursorW(module, MAKEINTRESOURCEW(106))) {
                m_handCursor = reinterpret_cast<HCURSOR>(::CopyIcon(reinterpret_cast<HICON>(cursor)));
                m_ownsHandCursor = m_handCursor != nullptr;
            }
            ::FreeLibrary(module);
        }
    }
    if (!m_handCursor) m_handCursor = ::LoadCursorW(nullptr, IDC_HAND);
}

LRESULT CHyperEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        CEdit::WindowProc(message, wParam, lParam);
        DrawLinks();
        return 1;
    }
    return CEdit::WindowProc(message, wParam, lParam);
}

void CHyperEdit::FindLinks(int first, int last)
{
    m_links.clear();
    m_linksText = GetWindowText();
    int length = m_linksText.GetLength();
    // The end of the text is the last separator; nothing past it is read.
    int end = last >= length - 1 ? length : last;
    int start = std::max(first, 0);
    CString word;
    for (int i = start; i <= end; ++i) {
        if (i == length || IsSeparator(m_linksText.GetAt(i))) {
            if (IsLink(word)) m_links.push_back({start, i - start});
            word.Empty();
            start = i + 1;
        } else {
            word += m_linksText.GetAt(i);
        }
    }
}

bool CHyperEdit::IsBelowLastLine(int y) const
{
    int length = GetWindowTextLength();
    if (length <= 0) return true;
    return PosFromChar(static_cast<UINT>(length - 1)).y + m_lineHeight < y;
}

CString CHyperEdit::LinkAtChar(int index) const
{
    for (const Link& link : m_links)
        if (index >= link.start && index < link.start + link.length) return m_linksText.Mid(link.start, link.length);
    return CString();
}

CString CHyperEdit::LinkAtPoint(CPoint point) const
{
    if (IsBelowLastLine(point.y)) return CString();
    return LinkAtChar(LOWORD(CharFromPos(point)));
}

void CHyperEdit::DrawLinks()
{
    if (!m_hWnd) return;
    CClientDC dc(this);
    DrawLinks(dc);
}

void CHyperEdit::DrawLinks(CDC& dc)
{
    if (!m_hWnd) return;
    CRect format;
    SendMessage(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    int saved = dc.SaveDC();
    dc.SelectObject(m_linkFont);
    dc.SetBkMode(TRANSPARENT);
    ::IntersectClipRect(dc, format.left, format.top, format.right, format.bottom);

    int first = LOWORD(CharFromPos(format.TopLeft()));
    int last = LOWORD(CharFromPos(format.BottomRight()));
    FindLinks(first, last);

    DWORD pos = ::GetMessagePos();
    CPoint cursor(GET_X_LPARAM(pos), GET_Y_LPARAM(pos));
    ScreenToClient(&cursor);
    CString hovered = LinkAtChar(LOWORD(CharFromPos(cursor)));
    bool cursorOnText = !IsBelowLastLine(cursor.y);
    int selStart = 0;
    int selEnd = 0;
    GetSel(selStart, selEnd);

    for (const Link& link : m_links) {
        CString text = m_linksText.Mid(link.start, link.length);
        dc.SetTextColor(cursorOnText && hovered == text ? m_hoverColour : m_linkColour);
        for (int i = link.start; i < link.start + link.length; ++i) {
            // Selected characters keep the edit's own selection look.
            if (selStart != selEnd && i >= selStart && i < selEnd) continue;
            CPoint at = PosFromChar(static_cast<UINT>(i));
            dc.TextOut(at.x, at.y, CString(m_linksText.GetAt(i)));
        }
    }
    dc.RestoreDC(saved);
}

void CHyperEdit::OnChange()
{
    DrawLinks();
}

void CHyperEdit::OnHScroll(UINT, UINT, CWnd*)
{
    Default();
    DrawLinks();
}

void CHyperEdit::OnVScroll(UINT, UINT, CWnd*)
{
    Default();
    DrawLinks();
}

void CHyperEdit::OnMouseMove(UINT, CPoint point)
{
    Default();
    if (m_handCursor && !LinkAtPoint(point).IsEmpty()) ::SetCursor(m_handCursor);
    DrawLinks();
}

void CHyperEdit::OnLButtonDown(UINT, CPoint point)
{
    m_pressedLink = LinkAtPoint(point);
    Default();
}

// Opens the link under the release when the press was on the same link and
// no text was selected.
void CHyperEdit::OnLButtonUp(UINT, CPoint point)
{
    Default();
    int selStart = 0;
    int selEnd = 0;
    GetSel(selStart, selEnd);
    if (selStart != selEnd) return;
    CString link = LinkAtPoint(point);
    if (!link.IsEmpty() && link == m_pressedLink) OpenUrl(link, SW_SHOW);
}

void CHyperEdit::OnTimer(UINT_PTR id)
{
    if (id == kTimerId) {
        int selStart = 0;
        int selEnd = 0;
        GetSel(selStart, selEnd);
        if (selStart != g_lastSelection.start || selEnd != g_lastSelection.end) DrawLinks();
        g_lastSelection.start = static_cast<WORD>(selStart);
        g_lastSelection.end = static_cast<WORD>(selEnd);
    }
    Default();
}

void CHyperEdit::OnDestroy()
{
    Default();
    if (m_timer) KillTimer(kTimerId);
    m_timer = 0;
}
