// The window-less cells of the settings grid. A cell keeps its value as text,
// draws itself inside one sub-item and reacts to the messages that the grid
// forwards while it is the active cell. A handler result of 1 tells the grid to
// run the list's default processing as well.
#pragma once

#include <windows.h>
#include <windowsx.h>

#include <memory>
#include <vector>

#include "framework/CString.h"
#include "framework/Gdi.h"
#include "framework/Geometry.h"
#include "framework/ImageList.h"

#undef SelectFont  // windowsx.h macro that clashes with CCellCtrl::SelectFont

class CConfigListCtrl;
class CListCtrlCellWnd;
class CPopUpScrollList;
class CWnd;

// Style bits of a cell: a class-wide word OR the cell's own state.
enum CellStyleBits : DWORD {
    CellStyleActiveFont = 0x1,       // the cell font is selected while active (the same font as inactive)
    CellStyleActiveOutline = 0x2,    // rectangle outline while active
    CellStyleActiveSunken = 0x4,     // sunken edge while active
    CellStyleDisabled = 0x8,         // never activated, skipped by Tab, drawn disabled
    CellStyleAlignRight = 0x10,
    CellStyleAlignCenter = 0x20,     // tested before right alignment
    CellStyleInactiveOutline = 0x40, // rectangle outline while inactive
    CellStyleInactiveSunken = 0x80,  // sunken edge while inactive
};

// The font of the grid's cells and of their popup lists: height -12, bold, in
// the dialog face (a font with no face would be whatever the host has, which
// under Wine lacks Chinese, Japanese and Korean glyphs). Label widths are
// measured in this font too.
bool CreateCellFont(CFont& font);

class CCellCtrl {
public:
    CCellCtrl() = default;
    CCellCtrl(const CCellCtrl&) = delete;
    CCellCtrl& operator=(const CCellCtrl&) = delete;
    virtual ~CCellCtrl() = default;

    virtual void Create(CConfigListCtrl* list, const int* enabled, const CString& initText);
    virtual void ResetHot() { m_hot = 0; }
    virtual CRect GetValueRect() const = 0;
    virtual CRect GetHitRect() const { return GetValueRect(); }
    virtual void Draw(CDC& dc, const CRect& rect, UINT itemState) = 0;
    virtual int GetPreferredWidth() = 0;
    virtual void Deactivate() { m_active = 0; }
    virtual void Activate() { m_active = 1; }
    virtual void OnRelayout() {}
    virtual void SetRect(const CRect&) {}
    virtual void BeginEdit(const CRect&) {}
    virtual BOOL OnChar(UINT, UINT, UINT) { return 1; }
    virtual BOOL OnKeyDown(UINT, UINT, UINT) { return 1; }
    virtual BOOL OnKeyUp(UINT, UINT, UINT) { return 1; }
    virtual BOOL OnLButtonDown(UINT, CPoint) { Activate(); return 1; }
    virtual BOOL OnLButtonUp(UINT, CPoint) { return 1; }
    virtual BOOL OnTimer(UINT_PTR) { return 1; }
    virtual BOOL OnVScroll(UINT, UINT, CWnd*) { return 1; }
    virtual BOOL OnHScroll(UINT, UINT, CWnd*) { return 1; }
    virtual BOOL OnMouseWheel(UINT, short, CPoint) { return 1; }
    virtual BOOL OnMouseMove(UINT, CPoint) { return 1; }
    virtual BOOL OnRButtonDown(UINT, CPoint) { return 1; }
    virtual BOOL OnCommand(WPARAM, LPARAM) { return TRUE; }
    virtual void OnKillFocus(CWnd*) {}
    virtual void OnSetFocus(CWnd*) {}
    virtual void RepositionPopup() {}
    virtual void OnHover(UINT, CPoint) {}
    virtual void OnAfterClick(UINT, CPoint) {}
    virtual void OnPopupResult(WPARAM, LPARAM) {}
    virtual void OnThemeChanged() {}

    DWORD GetStyle() const { return ClassStyle() | m_state; }
    DWORD AddState(DWORD bits) { return m_state |= bits; }
    DWORD RemoveState(DWORD bits) { return m_state &= ~bits; }
    DWORD AddClassStyle(DWORD bits) { return ClassStyle() |= bits; }
    DWORD RemoveClassStyle(DWORD bits) { return ClassStyle() &= ~bits; }

    // The value as text.
    const CString& GetText() const { return m_text; }
    bool IsActive() const { return m_active != 0; }
    // Drawn disabled: the grid is disabled or the cell has the disabled bit.
    bool IsDrawnDisabled() const { return (m_enabled && !*m_enabled) || (GetStyle() & CellStyleDisabled); }

protected:
    // The class-wide style word of the concrete class.
    virtual DWORD& ClassStyle() const = 0;
    UINT GetAlignment() const;
    void SelectFont(CDC& dc) const;
    void DrawFrame(CDC& dc, CRect rect) const;
    void InvalidateListRect(const CRect& rect, BOOL erase) const;
    // Width of text followed by "i" in the cell font.
    int MeasureText(const CString& text) const;

    CString m_text;
    CConfigListCtrl* m_list = nullptr;
    int m_active = 0;
    int m_hot = 0;
    DWORD m_state = 0;
    CFont m_font;  // CreateCellFont
    const int* m_enabled = nullptr;
};

// A cell with a button rectangle, the part that reacts to clicks.
class CCellButton : public CCellCtrl {
public:
    void ResetHot() override { CCellCtrl::ResetHot(); m_buttonHot = 0; }
    BOOL OnLButtonDown(UINT flags, CPoint point) override;
    void OnHover(UINT flags, CPoint point) override;
    // A click inside the button rectangle.
    virtual void OnButtonClick(UINT flags, CPoint point) = 0;
    const CRect& GetButtonRect() const { return m_buttonRect; }

protected:
    // Press and release of cells that show the held button (push button, drop-down).
    BOOL PressButton(UINT flags, CPoint point);
    BOOL ReleaseButton();

    CRect m_buttonRect;  // empty until the cell is laid out or drawn
    int m_buttonHot = 0;
};

// A check box ("1" set, "0" clear, then the label), or a two-option toggle
// when an off text is given.
class CCellCheckBox : public CCellButton {
public:
    CCellCheckBox() { m_state = CellStyleAlignCenter; }

    void Create(CConfigListCtrl* list, const int* enabled, const CString& initText) override;
    CRect GetValueRect() const override { return m_buttonRect; }
    CRect GetHitRect() const override { return m_cellRect; }
    void Draw(CDC& dc, const CRect& rect, UINT itemState) override;
    int GetPreferredWidth() override;
    void OnButtonClick(UINT flags, CPoint point) override;

    void SetOffText(const CString& text) { m_offText = text; }
    void SetOnText(const CString& text) { m_onText = text; }
    BOOL GetCheck() const { return m_text.GetAt(0) == L'1'; }
    void SetCheck(BOOL check) { m_text.SetAt(0, check ? L'1' : L'0'); }
    // Loads the shared check-box images once; false when the bitmap is missing.
    static bool LoadImages();

protected:
    DWORD& ClassStyle() const override;

private:
    void DrawImage(CDC& dc, int image, int x, int y) const;

    CRect m_cellRect;
    CString m_offText;
    CString m_onText;
};

// Images of all check-box cells (bitmap IDB_CHECK_BOX_IMAGES, four 20 x 20
// images): clear, set, clear disabled, set disabled.
extern CImageList CheckBoxImageList;

// A push button that posts a message to a window; shows a caption or a bitmap.
class CCellPushButton : public CCellButton {
public:
    CCellPushButton(HWND target, UINT message, WPARAM wParam, LPARAM lParam);

    CRect GetValueRect() const override { return m_buttonRect; }
    CRect GetHitRect() const override { return m_cellRect; }
    void Draw(CDC& dc, const CRect& rect, UINT itemState) override;
    int GetPreferredWidth() override;
    BOOL OnLButtonDown(UINT flags, CPoint point) override { return PressButton(flags, point); }
    BOOL OnLButtonUp(UINT, CPoint) override { return ReleaseButton(); }
    void OnButtonClick(UINT flags, CPoint point) override;
    void SetBitmapId(UINT id);

protected:
    DWORD& ClassStyle() const override;

private:
    CRect m_cellRect;  // last drawn, deflated
    HWND m_target;
    UINT m_message;
    WPARAM m_wParam;
    LPARAM m_lParam;
    UINT m_bitmapId = 0;  // 0: draw the caption
    CBitmap m_bitmap;     // loaded once from m_bitmapId
};

// A cell with an arrow that opens a popup list below (or above) it.
class CCellDropDown : public CCellButton {
public:
    CCellDropDown();
    ~CCellDropDown() override;

    CRect GetValueRect() const override { return m_textRect; }
    void Draw(CDC& dc, const CRect& rect, UINT itemState) override;
    int GetPreferredWidth() override { return m_arrowWidth; }
    void Deactivate() override;
    void OnRelayout() override;
    void SetRect(const CRect& rect) override;
    void BeginEdit(const CRect& rect) override;
    BOOL OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    BOOL OnLButtonDown(UINT flags, CPoint point) override { return PressButton(flags, point); }
    BOOL OnLButtonUp(UINT, CPoint) override { return ReleaseButton(); }
    BOOL OnVScroll(UINT, UINT, CWnd*) override;
    BOOL OnHScroll(UINT, UINT, CWnd*) override;
    void OnKillFocus(CWnd* newFocus) override;
    void RepositionPopup() override;
    void OnPopupResult(WPARAM code, LPARAM index) override;
    // Opens the popup when closed, closes it without a choice when open.
    void OnButtonClick(UINT flags, CPoint point) override;

    // Closes an open popup, committing what its list commits.
    virtual void ClosePopup();
    virtual void CancelPopup();
    // Puts the popup's scroll position and highlight on the current value.
    virtual void SyncPopup() = 0;
    virtual CRect GetPopupRect(const CRect& cell, bool below) const = 0;
    virtual void SelectItem(int index) = 0;
    // Reserved popup code 0xB000.
    virtual void OnReservedPopupCode(LPARAM) {}

    void HidePopup();
    void DismissPopup();
    bool IsPopupOpen() const { return m_open; }
    bool IsTooNarrow() const { return m_tooNarrow; }
    CListCtrlCellWnd* GetPopup() const { return m_popup.get(); }
    const CRect& GetArrowRect() const { return m_arrowRect; }
    const CRect& GetCellRect() const { return m_cellRect; }

    // The pressed look of the arrow while the left button is held on it.
    static int GetPressed();
    void TrackPressed(UINT flags, CPoint point);

protected:
    void SetPopupOpen(bool open);
    void DrawArrow(CDC& dc);

    std::unique_ptr<CListCtrlCellWnd> m_popup;
    bool m_wholeCell = false;  // the whole cell, not only the arrow, opens the popup
    bool m_drawn = false;      // painted once: the pressed-state worker may run
    CRect m_arrowRect;
    CRect m_cellRect;
    CRect m_textRect;
    int m_arrowWidth;
    bool m_tooNarrow = false;  // no room for the arrow: no arrow, no popup
    bool m_open = false;
};

// A drop-down list: created from a newline-separated text whose first line is
// the wanted value and whose further lines are the items.
class CCellComboBox : public CCellDropDown {
public:
    CCellComboBox();

    void Create(CConfigListCtrl* list, const int* enabled, const CString& initText) override;
    void Draw(CDC& dc, const CRect& rect, UINT itemState) override;
    int GetPreferredWidth() override;
    BOOL OnMouseMove(UINT flags, CPoint point) override;
    void SyncPopup() override;
    CRect GetPopupRect(const CRect& cell, bool below) const override;
    void SelectItem(int index) override;
    virtual void DrawItem(CDC& dc, const CRect& rect, const CString& text, bool disabled) const;

    BOOL SetCurSel(int index);
    int GetCurSel() const { return m_curSel; }
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    const CString& GetItem(int index) const { return m_items[static_cast<size_t>(index)]; }
    int GetVisibleRows() const { return m_visibleRows; }
    CPopUpScrollList* GetPopupList() const;

protected:
    DWORD& ClassStyle() const override;

private:
    int m_visibleRows = 6;
    int m_curSel = 0;
    std::vector<CString> m_items;
};
