#include "framework/ListCtrl.h"

int CListCtrl::InsertItem(int row, const wchar_t* text)
{
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<wchar_t*>(text ? text : L"");
    return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

int CListCtrl::InsertColumn(int column, const wchar_t* heading, int format, int width, int subItem)
{
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_FMT;
    col.fmt = format;
    col.pszText = const_cast<wchar_t*>(heading ? heading : L"");
    if (width >= 0) {
        col.mask |= LVCF_WIDTH;
        col.cx = width;
    }
    if (subItem >= 0) {
        col.mask |= LVCF_SUBITEM;
        col.iSubItem = subItem;
    }
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&col)));
}

bool CListCtrl::SetItem(int row, int column, UINT mask, const wchar_t* text, int image, UINT state, UINT stateMask, LPARAM data)
{
    LVITEMW item{};
    item.mask = mask;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text ? text : L"");
    item.iImage = image;
    item.state = state;
    item.stateMask = stateMask;
    item.lParam = data;
    return SendMessage(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

bool CListCtrl::SetItemText(int row, int column, const wchar_t* text)
{
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text ? text : L"");
    return SendMessage(LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) != 0;
}

CString CListCtrl::GetItemText(int row, int column) const
{
    // The list copies at most the buffer's size; grow until the text fits.
    CString text;
    for (int size = 256; size <= (1 << 20); size *= 4) {
        LVITEMW item{};
        item.iSubItem = column;
        item.cchTextMax = size;
        item.pszText = text.GetBufferSetLength(size);
        int got = static_cast<int>(SendMessage(LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        text.ReleaseBuffer(got < 0 ? 0 : got);
        if (got < size - 1) break;
    }
    return text;
}

bool CListCtrl::SetItemState(int row, UINT state, UINT mask)
{
    LVITEMW item{};
    item.state = state;
    item.stateMask = mask;
    return SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) != 0;
}

bool CListCtrl::GetItemRect(int row, RECT* r, UINT code) const
{
    r->left = static_cast<LONG>(code);
    return SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(r)) != 0;
}

bool CListCtrl::GetSubItemRect(int row, int column, int code, RECT* r) const
{
    r->top = column;
    r->left = code;
    return SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(r)) != 0;
}
