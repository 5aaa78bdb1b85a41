// CListCtrl and CHeaderCtrl: thin wrappers over the list view and its header.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/Wnd.h"

class CHeaderCtrl : public CWnd {
public:
    int GetItemCount() const { return static_cast<int>(SendMessage(HDM_GETITEMCOUNT)); }
    bool GetItemRect(int index, RECT* r) const { return SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(r)) != 0; }
    // HDM_HITTEST at a client point; the item index (or -1) and the hit flags.
    int HitTest(CPoint p, UINT* flags = nullptr) const
    {
        HDHITTESTINFO info{};
        info.pt = p;
        int item = static_cast<int>(SendMessage(HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
        if (flags) *flags = info.flags;
        return item;
    }
};

class CListCtrl : public CWnd {
public:
    bool Create(DWORD style, const RECT& r, CWnd* parent, UINT id) { return CWnd::Create(WC_LISTVIEWW, L"", style, r, parent, id); }

    // Rows and columns
    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    int InsertItem(int row, const wchar_t* text);
    bool DeleteItem(int row) { return SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(row)) != 0; }
    bool DeleteAllItems() { return SendMessage(LVM_DELETEALLITEMS) != 0; }
    int InsertColumn(int column, const wchar_t* heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
    bool DeleteColumn(int column) { return SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(column)) != 0; }
    int GetColumnWidth(int column) const { return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column))); }
    bool SetColumnWidth(int column, int width) { return SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0)) != 0; }

    // Items
    bool SetItem(int row, int column, UINT mask, const wchar_t* text, int image, UINT state, UINT stateMask, LPARAM data);
    bool SetItemText(int row, int column, const wchar_t* text);
    CString GetItemText(int row, int column) const;
    bool SetItemState(int row, UINT state, UINT mask);
    UINT GetItemState(int row, UINT mask) const { return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(row), mask)); }
    int GetStringWidth(const wchar_t* text) const { return static_cast<int>(SendMessage(LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text))); }

    // Geometry
    bool GetItemRect(int row, RECT* r, UINT code) const;
    bool GetSubItemRect(int row, int column, int code, RECT* r) const;
    // LVM_SUBITEMHITTEST at a client point; the row (or -1), with the column.
    int SubItemHitTest(LVHITTESTINFO* info) const { return static_cast<int>(SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(info))); }
    int GetTopIndex() const { return static_cast<int>(SendMessage(LVM_GETTOPINDEX)); }
    bool EnsureVisible(int row, BOOL partialOk) { return SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), partialOk) != 0; }

    DWORD GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
    DWORD SetExtendedStyle(DWORD style) { return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style)); }
    HWND GetHeaderHandle() const { return reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER)); }

    // Owner-drawn lists override these; the parent reflects the messages.
    virtual void DrawItem(LPDRAWITEMSTRUCT) {}
    virtual void MeasureItem(LPMEASUREITEMSTRUCT) {}
};
