// CImageList over COMCTL32 image lists.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/Gdi.h"

class CImageList {
public:
    CImageList() = default;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;
    ~CImageList() { DeleteImageList(); }
    HIMAGELIST m_hImageList = nullptr;
    operator HIMAGELIST() const { return m_hImageList; }
    // Builds the list from a bitmap resource cut into images of width cx, with
    // the given mask colour.
    bool Create(UINT bitmapId, int cx, int grow, COLORREF mask)
    {
        DeleteImageList();
        m_hImageList = ImageList_LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmapId), cx, grow, mask, IMAGE_BITMAP, LR_CREATEDIBSECTION);
        return m_hImageList != nullptr;
    }
    bool Create(int cx, int cy, UINT flags, int initial, int grow)
    {
        DeleteImageList();
        m_hImageList = ImageList_Create(cx, cy, flags, initial, grow);
        return m_hImageList != nullptr;
    }
    int Add(HBITMAP bitmap, COLORREF mask) { return ImageList_AddMasked(m_hImageList, bitmap, mask); }
    bool Draw(HDC dc, int image, POINT p, UINT style) const { return ImageList_Draw(m_hImageList, image, dc, p.x, p.y, style) != FALSE; }
    int GetImageCount() const { return m_hImageList ? ImageList_GetImageCount(m_hImageList) : 0; }
    bool GetIconSize(int& cx, int& cy) const { return ImageList_GetIconSize(m_hImageList, &cx, &cy) != FALSE; }
    bool DeleteImageList()
    {
        if (!m_hImageList) return false;
        ImageList_Destroy(m_hImageList);
        m_hImageList = nullptr;
        return true;
    }
};
