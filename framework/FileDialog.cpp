#include "framework/FileDialog.h"

#include <commdlg.h>

#include <mutex>

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
    ofn.Flags = m_flags | OFN_EXPLORER | OFN_NOCHANGEDIR;
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
