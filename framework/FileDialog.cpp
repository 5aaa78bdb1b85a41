#include "framework/FileDialog.h"

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>
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
// is looked at there first, and a name that would make a path too long, that
// names no file, or whose folder is not there where the path must exist, is
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
            refused = reinterpret_cast<const CFileDialog*>(self)->RefusedName(dialog);
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

namespace {

// The edit control of the dialog's name box (a ComboBoxEx, a combo box or an edit).
HWND NameEdit(HWND dialog)
{
    const HWND combo = ::GetDlgItem(dialog, cmb13);
    if (!combo) return ::GetDlgItem(dialog, edt1);
    const HWND edit = reinterpret_cast<HWND>(::SendMessageW(combo, CBEM_GETEDITCONTROL, 0, 0));
    return edit ? edit : ::FindWindowExW(combo, nullptr, L"Edit", nullptr);
}

bool IsDriveLetter(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

// "X:name": a drive without a path from its root, which names a place
// below that drive's current folder.
bool IsDriveRelative(const CString& name)
{
    return name.GetLength() >= 2 && IsDriveLetter(name[0]) && name[1] == L':' && name[2] != L'\\';
}

// A name in the system's device or object namespace (\\.\, \\?\, \??\) names
// no file a user saves or opens here.
bool IsInDeviceNamespace(const CString& name)
{
    for (const wchar_t* prefix : {L"\\\\.\\", L"\\\\?\\", L"\\??\\"}) {
        if (wcsncmp(name, prefix, 4) == 0) return true;
    }
    return false;
}

// What follows the last backslash.
CString LastPart(const CString& name) { return name.Mid(name.ReverseFind(L'\\') + 1); }

// "." and "..", which name folders.
bool IsDotFolder(const CString& part) { return part == L"." || part == L".."; }

// A last part made only of spaces and dots names no file: the system drops
// them from the end of a name. "." and ".." stay, as the folders they name.
bool HasEmptyLastPart(const CString& name)
{
    const CString last = LastPart(name);
    if (last.IsEmpty() || IsDotFolder(last)) return false;
    for (int i = 0; i < last.GetLength(); ++i) {
        if (last[i] != L' ' && last[i] != L'.') return false;
    }
    return true;
}

// The name without the points and spaces that end it, which the system drops.
CString WithoutTrailingPointsAndSpaces(const CString& name)
{
    if (IsDotFolder(LastPart(name))) return name;
    int end = name.GetLength();
    while (end > 0 && (name[end - 1] == L'.' || name[end - 1] == L' ')) --end;
    return name.Left(end);
}

// The folder the dialog shows, or the current folder when it shows none.
CString ShownFolder(HWND dialog)
{
    wchar_t folder[MAX_PATH + 1] = {};
    if (::SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder)) <= 1 || !folder[0])
        ::GetCurrentDirectoryW(MAX_PATH, folder);
    return folder;
}

// The folder the dialog puts the file of the name in, as it joins a name to
// the folder shown (a path from the root to its root), or the folder a name
// that ends in a backslash goes into; empty when it cannot be read.
CString FolderOfName(const CString& name, const CString& shown)
{
    CString joined = name;
    if (::PathIsRelativeW(name)) {
        joined = shown + (shown.Right(1) == L"\\" ? L"" : L"\\") + name;
    } else if (name[0] == L'\\' && name[1] != L'\\') {
        wchar_t root[MAX_PATH + 1] = {};
        lstrcpynW(root, shown, MAX_PATH + 1);
        ::PathStripToRootW(root);
        joined = CString(root).TrimRight(L'\\') + name;
    }
    wchar_t full[kMaxPathLength + 2] = {};
    const DWORD length = ::GetFullPathNameW(joined, kMaxPathLength + 2, full, nullptr);
    if (length == 0 || length > kMaxPathLength) return CString();
    if (name.Right(1) != L"\\") ::PathRemoveFileSpecW(full);
    return full;
}

// True when the folder is there: a drive that is missing, or a share that
// cannot be reached, is not.
bool FolderExists(const CString& folder)
{
    const DWORD attributes = ::GetFileAttributesW(folder);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool CFileDialog::RefusedName(HWND dialog) const
{
    CString name;
    const int size = std::max(static_cast<int>(::SendMessageW(dialog, CDM_GETSPEC, 0, 0)), 1);
    ::SendMessageW(dialog, CDM_GETSPEC, static_cast<WPARAM>(size),
                   reinterpret_cast<LPARAM>(name.GetBufferSetLength(size)));
    name.ReleaseBuffer();
    // One name may come in quotes; several names, which the dialog would
    // answer with their folder alone, are no file's name.
    CString single = name;
    single.Trim();
    if (single.GetLength() >= 2 && single[0] == L'"' && single.Find(L'"', 1) == single.GetLength() - 1)
        name = single.Mid(1, single.GetLength() - 2);
    if (name.Find(L'"') >= 0) return Refuse(dialog, m_nameNotValidText);

    // The dialog knows only backslashes, and it loses its way on a name below
    // a drive's current folder (its next OK then crashes it): such a name goes
    // back into its box as the system resolves it, where the current folder
    // of the drive of the folder shown is that folder.
    CString resolved = name;
    resolved.Replace(L'/', L'\\');
    const CString folder = ShownFolder(dialog);
    if (IsDriveRelative(resolved)) {
        if (::PathGetDriveNumberW(folder) == ::PathGetDriveNumberW(resolved))
            resolved = folder + (folder.Right(1) == L"\\" ? L"" : L"\\") + resolved.Mid(2);
        wchar_t full[kMaxPathLength + 2] = {};
        const DWORD length = ::GetFullPathNameW(resolved, kMaxPathLength + 2, full, nullptr);
        if (length > kMaxPathLength) return Refuse(dialog, m_pathTooLongText);
        if (length == 0) return Refuse(dialog, m_nameNotValidText);
        resolved = full;
    }
    // A device's name is no file's in any folder, whatever follows it.
    if (IsInDeviceNamespace(resolved) || HasEmptyLastPart(resolved) || IsDeviceFileName(LastPart(resolved)))
        return Refuse(dialog, m_nameNotValidText);
    resolved = WithoutTrailingPointsAndSpaces(resolved);
    if (resolved != name) {
        ::SetWindowTextW(NameEdit(dialog), resolved);
        name = resolved;
    }

    // The path as the dialog builds it: a name is joined to the folder shown
    // (or to the current folder when it has none), a path from the root takes
    // the drive.
    int length = name.GetLength();
    if (::PathIsRelativeW(name)) {
        length += folder.GetLength() + (folder.Right(1) == L"\\" ? 0 : 1);
    } else if (::PathGetDriveNumberW(name) == -1) {
        length += 2;
    }
    if (!*::PathFindExtensionW(name)) length += AddedExtensionRoom();
    if (length > kMaxPathLength) return Refuse(dialog, m_pathTooLongText);

    // The system's dialog lets a folder on a missing drive through where the
    // path must exist.
    const bool pathMustExist = (m_flags & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST)) != 0;
    return pathMustExist && !FolderExists(FolderOfName(name, folder)) && Refuse(dialog, m_folderNotFoundText);
}

bool CFileDialog::Refuse(HWND dialog, const CString& text)
{
    wchar_t title[256] = {};
    ::GetWindowTextW(dialog, title, 256);
    ::MessageBoxW(dialog, text, title, MB_OK | MB_ICONEXCLAMATION);
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
