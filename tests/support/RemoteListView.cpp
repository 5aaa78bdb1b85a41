#include "support/RemoteListView.h"

#include <commctrl.h>

namespace {

constexpr size_t kRemoteSize = 4096;
constexpr int kTextChars = 512;
constexpr UINT kReplyMs = 5000;

}  // namespace

RemoteListView::RemoteListView(DWORD processId, HWND list) : m_list(list)
{
    m_process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (m_process) m_remote = ::VirtualAllocEx(m_process, nullptr, kRemoteSize, MEM_COMMIT, PAGE_READWRITE);
}

RemoteListView::~RemoteListView()
{
    if (m_remote) ::VirtualFreeEx(m_process, m_remote, 0, MEM_RELEASE);
    if (m_process) ::CloseHandle(m_process);
}

// Writes in to the remote buffer, sends the message with the buffer's address
// and reads out back from it.
bool RemoteListView::Exchange(UINT message, WPARAM wParam, const void* in, size_t inSize, void* out,
                              size_t outSize) const
{
    if (!m_remote || inSize > kRemoteSize || outSize > kRemoteSize) return false;
    if (!::WriteProcessMemory(m_process, m_remote, in, inSize, nullptr)) return false;
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(m_list, message, wParam, reinterpret_cast<LPARAM>(m_remote), SMTO_NORMAL, kReplyMs,
                               &result))
        return false;
    return ::ReadProcessMemory(m_process, m_remote, out, outSize, nullptr) != 0 && result != 0;
}

int RemoteListView::ItemCount() const
{
    DWORD_PTR count = 0;
    ::SendMessageTimeoutW(m_list, LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, kReplyMs, &count);
    return static_cast<int>(count);
}

CString RemoteListView::ItemText(int row, int column) const
{
    struct Request {
        LVITEMW item;
        wchar_t text[kTextChars];
    } request{};
    static_assert(sizeof(Request) <= kRemoteSize);
    request.item.mask = LVIF_TEXT;
    request.item.iItem = row;
    request.item.iSubItem = column;
    request.item.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(m_remote) + offsetof(Request, text));
    request.item.cchTextMax = kTextChars;
    Request reply{};
    // LVM_GETITEMTEXTW answers the text's length, 0 for an empty text.
    Exchange(LVM_GETITEMTEXTW, static_cast<WPARAM>(row), &request, sizeof request, &reply, sizeof reply);
    reply.text[kTextChars - 1] = L'\0';
    return CString(reply.text);
}

int RemoteListView::FindRow(int column, const wchar_t* text) const
{
    for (int row = 0, count = ItemCount(); row < count; ++row) {
        if (ItemText(row, column) == text) return row;
    }
    return -1;
}

CRect RemoteListView::SubItemRect(int row, int column) const
{
    RECT rect{LVIR_LABEL, column, 0, 0};
    RECT reply{};
    if (!Exchange(LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), &rect, sizeof rect, &reply, sizeof reply))
        return CRect();
    return CRect(reply);
}
