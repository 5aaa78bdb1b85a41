// CFileDialog: the open/save dialogs of COMDLG32, with a filter of "|" pairs
// ("Description|pattern|...|"). Tests answer it through a hook. A name the
// user confirms that would make a path longer than kMaxPathLength is refused
// with m_pathTooLongText, one that names no file (a device among them) with
// m_nameNotValidText, and, where the path must exist, one whose folder is not
// there with m_folderNotFoundText; the dialog stays open.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <functional>
#include <string>

#include "framework/Wnd.h"

class CFileDialog {
public:
    CFileDialog(BOOL openDialog, const wchar_t* defaultExt = nullptr, const wchar_t* fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const wchar_t* filter = nullptr, CWnd* parent = nullptr);
    // IDOK when the user chose a file, else IDCANCEL.
    INT_PTR DoModal();
    CString GetPathName() const { return m_path; }
    CString GetFileName() const;
    CString GetFolderPath() const;
    CString m_initialDir;      // folder shown first (may be empty)
    CString m_title;
    CString m_pathTooLongText;  // the box that refuses a path too long
    CString m_nameNotValidText; // the box that refuses a name of no file (a device, only spaces or dots)
    CString m_folderNotFoundText; // the box that refuses a folder not there (OFN_PATHMUSTEXIST)

    // The filter as COMDLG32 wants it: pairs separated by NULs. A description
    // with no pattern gets the pattern it names in parentheses, or "*.*".
    static std::wstring BuildFilter(const wchar_t* filter);

    const BOOL m_open;
    const CString m_defaultExt;
    const CString m_filter;
    const DWORD m_flags;

private:
    // The path the suggested name makes in the folder the dialog opens.
    CString SuggestedPath() const;
    // Room the system's dialog takes for the extension it adds to a name without one.
    int AddedExtensionRoom() const;
    // True when the name in the name box of the system's dialog names no
    // file, would make a path too long, or lies in a folder that is not there
    // where the path must exist; a message box over the dialog has then told
    // the user so. A name the dialog would mistake is put back into its box as
    // the system reads it.
    bool RefusedName(HWND dialog) const;
    // Shows the text in a box over the dialog; true.
    static bool Refuse(HWND dialog, const CString& text);
    static UINT_PTR CALLBACK HookProc(HWND child, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK GuardProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self);

    CString m_path;
    CWnd* m_parent;
};

// Test hook: answers every file dialog. Returns the chosen path, or an empty
// text for Cancel. The dialog is passed so the test can check its settings.
using FileDialogHook = std::function<CString(const CFileDialog& dialog)>;
void SetFileDialogHook(FileDialogHook hook);
