#include "framework/FileDialog.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shlwapi.h>

#include <algorithm>
#include <cwchar>
#include <mutex>

#include "framework/Diagnostics.h"
#include "framework/File.h"

namespace {
std::mutex g_hookMutex;
FileDialogHook g_hook;
}  // namespace

void SetFileDialogHook(FileDialogHook hook)
{
    std::lock_guard<std::mutex> lock(g_hookMutex);
    g_hook = std::move(hook);
}

CFileDialog::CFileDialog(BOOL openDialog, const wchar_t* defaultExt, const wchar_t* fileName, DWORD flags,
                         const wchar_t* filter, CWnd* parent)
    : m_open(openDialog), m_defaultExt(defaultExt), m_filter(filter), m_flags(flags), m_path(fileName), m_parent(parent)
{
}

std::wstring CFileDialog::BuildFilter(const wchar_t* filter)
{
    std::wstring out;
    CString f(filter);
    int pos = 0;
    std::vector<CString> parts;
    while (pos < f.GetLength()) {
        int bar = f.Find(L'|', pos);
        if (bar < 0) bar = f.GetLength();
        parts.push_back(f.Mid(pos, bar - pos));
        pos = bar + 1;
    }
    while (!parts.empty() && parts.back().IsEmpty()) parts.pop_back();
    for (size_t i = 0; i < parts.size(); i += 2) {
        CString description = parts[i];
        CString pattern = i + 1 < parts.size() ? parts[i + 1] : CString();
        if (pattern.IsEmpty()) {
            int open = description.Find(L'(');
            int close = description.Find(L')', open + 1);
            pattern = (open >= 0 && close > open) ? description.Mid(open + 1, close - open - 1) : CString(L"*.*");
        }
        out += description.str();
        out += L'\0';
        out += pattern.str();
        out += L'\0';
    }
    out += L'\0';
    return out;
}

CString CFileDialog::SuggestedPath() const
{
    if (m_path.Find(L'\\') >= 0) return m_path;
    CString folder = m_initialDir;
    if (folder.IsEmpty()) {
        wchar_t current[MAX_PATH * 2] = {};
        folder = CString(current, static_cast<int>(::GetCurrentDirectoryW(MAX_PATH * 2, current)));
    }
    if (folder.Right(1) != L"\\") folder += L'\\';
    return folder + m_path;
}

// The system's dialog, at its OK command (the Save or Open button, Enter, a
// double click on a file), joins the folder it shows and the name in its box
// into a buffer of MAX_PATH characters without measuring them, and adds a
// default extension behind: a longer path overruns the buffer and the program
// dies, before any notification of a hook (CDN_FILEOK comes later). So the
// dialog gets a hook whose only work is to subclass the dialog; the OK command
// is looked at there first, and a name that would make a path too long is
// refused with a box while the dialog stays open for another name.
UINT_PTR CALLBACK CFileDialog::HookProc(HWND child, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        const auto* ofn = reinterpret_cast<const OPENFILENAMEW*>(lParam);
        ::SetWindowSubclass(::GetParent(child), &GuardProc, 0, static_cast<DWORD_PTR>(ofn->lCustData));
    }
    return 0;
}

LRESULT CALLBACK CFileDialog::GuardProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR self)
{
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        bool refused = true;  // the dialog's own code is not let near a name that could not be measured
        try {
            refused = reinterpret_cast<const CFileDialog*>(self)->RefusedTooLong(dialog);
        } catch (...) {
            ReportCaughtException(L"a file dialog's check of its name");
        }
        if (refused) return 0;
    }
    if (message == WM_NCDESTROY) ::RemoveWindowSubclass(dialog, &GuardProc, id);
    return ::DefSubclassProc(dialog, message, wParam, lParam);
}

int CFileDialog::AddedExtensionRoom() const
{
    // The extension of the chosen filter's pattern goes first, else the default one.
    if (m_defaultExt.IsEmpty()) return 0;
    size_t longest = static_cast<size_t>(m_defaultExt.GetLength());
    const std::wstring filter = BuildFilter(m_filter);
    for (const wchar_t* description = filter.c_str(); *description;) {
        const wchar_t* pattern = description + wcslen(description) + 1;
        longest = std::max(longest, wcslen(pattern));
        description = pattern + wcslen(pattern) + 1;
    }
    return 1 + static_cast<int>(longest);
}

bool CFileDialog::RefusedTooLong(HWND dialog) const
{
    // The path as the dialog builds it: a name is joined to the folder shown
    // (or to the current folder when it has none), a path from the root takes
    // the drive. Quotes around a single name are not part of it; several
    // quoted names are measured as they stand, which bounds what the dialog
    // then copies of them behind the folder.
    CString name;
    const int size = std::max(static_cast<int>(::SendMessageW(dialog, CDM_GETSPEC, 0, 0)), 1);
    ::SendMessageW(dialog, CDM_GETSPEC, static_cast<WPARAM>(size),
                   reinterpret_cast<LPARAM>(name.GetBufferSetLength(size)));
    name.ReleaseBuffer();
    if (name.GetLength() >= 2 && name[0] == L'"' && name.Find(L'"', 1) == name.GetLength() - 1)
        name = name.Mid(1, name.GetLength() - 2);

    int length = name.GetLength();
    if (::PathIsRelativeW(name)) {
        wchar_t folder[MAX_PATH + 1] = {};
        if (::SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder)) <= 1 || !folder[0])
            ::GetCurrentDirectoryW(MAX_PATH, folder);
        const size_t folderLength = wcslen(folder);
        length += static_cast<int>(folderLength) + (folderLength > 0 && folder[folderLength - 1] == L'\\' ? 0 : 1);
    } else if (::PathGetDriveNumberW(name) == -1) {
        length += 2;
    }
    if (!*::PathFindExtensionW(name)) length += AddedExtensionRoom();
    if (length <= kMaxPathLength) return false;

    wchar_t title[256] = {};
    ::GetWindowTextW(dialog, title, 256);
    ::MessageBoxW(dialog, m_pathTooLongText, title, MB_OK | MB_ICONEXCLAMATION);
    return true;
}

INT_PTR CFileDialog::DoModal()
{
    // The system's dialog overruns its buffers when the suggested name makes
    // the path longer than the limit in the folder it opens: it suggests none then.
    if (SuggestedPath().GetLength() > kMaxPathLength) m_path.Empty();
    FileDialogHook hook;
    {
        std::lock_guard<std::mutex> lock(g_hookMutex);
        hook = g_hook;
    }
    if (hook) {
        CString answer = hook(*this);
        if (answer.IsEmpty()) return IDCANCEL;
        m_path = answer;
        return IDOK;
    }
    std::wstring filter = BuildFilter(m_filter);
    wchar_t file[MAX_PATH * 4] = {};
    lstrcpynW(file, m_path, MAX_PATH * 4);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = m_parent ? m_parent->m_hWnd : ::GetActiveWindow();
    ofn.lpstrFilter = filter.size() > 1 ? filter.c_str() : nullptr;
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH * 4;
    ofn.lpstrInitialDir = m_initialDir.IsEmpty() ? nullptr : m_initialDir.GetString();
    ofn.lpstrDefExt = m_defaultExt.IsEmpty() ? nullptr : m_defaultExt.GetString();
    ofn.lpstrTitle = m_title.IsEmpty() ? nullptr : m_title.GetString();
    // With a hook the dialog is resizable only when it is asked to be, as it is without one.
    ofn.Flags = m_flags | OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_ENABLEHOOK | OFN_ENABLESIZING;
    ofn.lpfnHook = &HookProc;
    ofn.lCustData = reinterpret_cast<LPARAM>(this);
    BOOL ok = m_open ? ::GetOpenFileNameW(&ofn) : ::GetSaveFileNameW(&ofn);
    if (!ok) return IDCANCEL;
    m_path = file;
    return IDOK;
}

CString CFileDialog::GetFileName() const
{
    int slash = m_path.ReverseFind(L'\\');
    return slash < 0 ? m_path : m_path.Mid(slash + 1);
}

CString CFileDialog::GetFolderPath() const
{
    int slash = m_path.ReverseFind(L'\\');
    return slash < 0 ? CString() : m_path.Left(slash);
}
