// A list view of another process (the real program's settings grid), read by
// messages: the pointers those messages carry must point into that process,
// so the buffers are allocated there.
#pragma once

#include <windows.h>

#include "framework/CString.h"
#include "framework/Geometry.h"

class RemoteListView {
public:
    RemoteListView(DWORD processId, HWND list);
    ~RemoteListView();
    RemoteListView(const RemoteListView&) = delete;
    RemoteListView& operator=(const RemoteListView&) = delete;

    bool IsOpen() const { return m_remote != nullptr; }
    int ItemCount() const;
    // The text of a sub-item; empty when it cannot be read.
    CString ItemText(int row, int column) const;
    // The first row whose sub-item text is the text, -1 when none.
    int FindRow(int column, const wchar_t* text) const;
    // The label rectangle of a sub-item in the list's client coordinates;
    // empty when it cannot be read.
    CRect SubItemRect(int row, int column) const;

private:
    bool Exchange(UINT message, WPARAM wParam, const void* in, size_t inSize, void* out, size_t outSize) const;

    HANDLE m_process = nullptr;
    HWND m_list;
    void* m_remote = nullptr;
};
