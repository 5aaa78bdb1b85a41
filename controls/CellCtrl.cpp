#include "controls/CellCtrl.h"

#include <algorithm>

#include "controls/ButtonCritSect.h"
#include "controls/ConfigListCtrl.h"
#include "controls/PopUpScrollList.h"
#include "framework/Sync.h"
#include "res/resource.h"

CImageList CheckBoxImageList;

namespace {

constexpr int kCheckImageSize = 20;
constexpr UINT kCellTextFormat = DT_END_ELLIPSIS | DT_BOTTOM;

COLORREF SysColor(int index) { return ::GetSysColor(index); }
int Metric(int index) { return ::GetSystemMetrics(index); }

// The pressed flag shared by all drop-down cells is the value guarded by
// DropDownPressedLock.
int ReadPressed()
{
    CSingleLock lock(&DropDownPressedLock, true);
    return DropDownPressedLock.m_value;
}

// Stores the pressed flag; true when it changed.
bool WritePressed(int pressed)
{
    CSingleLock lock(&DropDownPressedLock, true);
    bool changed = DropDownPressedLock.m_value != pressed;
    DropDownPressedLock.m_value = pressed;
    return changed;
}

// Re-checks the button 200 ms after a popup opened: the arrow keeps its pressed
// look only while the left button is still held where it was pressed. Runs on a
// worker thread, so the button is read with GetAsyncKeyState.
void PressedStateWorker(HWND list, CPoint point, CRect arrow)
{
    ::Sleep(200);
    int pressed = ((::GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0 && arrow.PtInRect(point)) ? 1 : 0;
    if (WritePressed(pressed)) ::InvalidateRect(list, &arrow, FALSE);
}

}  // namespace

bool CreateCellFont(CFont& font)
{
    return font.CreateFont(-12, FW_BOLD, kDialogFace);
}

// ---------------------------------------------------------------- CCellCtrl

void CCellCtrl::Create(CConfigListCtrl* list, const int* enabled, const CString& initText)
{
    m_list = list;
    m_enabled = enabled;
    m_text = initText;
    CreateCellFont(m_font);
}

UINT CCellCtrl::GetAlignment() const
{
    DWORD style = GetStyle();
    if (style & CellStyleAlignCenter) return DT_CENTER;
    if (style & CellStyleAlignRight) return DT_RIGHT;
    return DT_LEFT;
}

void CCellCtrl::SelectFont(CDC& dc) const
{
    if (m_font.GetSafeHandle()) dc.SelectObject(m_font);
}

void CCellCtrl::DrawFrame(CDC& dc, CRect rect) const
{
    DWORD style = GetStyle();
    bool sunken = style & (m_active ? CellStyleActiveSunken : CellStyleInactiveSunken);
    bool outline = style & (m_active ? CellStyleActiveOutline : CellStyleInactiveOutline);
    if (sunken) {
        dc.DrawEdge(rect, EDGE_SUNKEN, BF_RECT);
    } else if (outline) {
        HGDIOBJ old = dc.SelectStockObject(HOLLOW_BRUSH);
        dc.Rectangle(rect);
        dc.SelectObject(old);
    }
}

void CCellCtrl::InvalidateListRect(const CRect& rect, BOOL erase) const
{
    if (m_list && m_list->m_hWnd) ::InvalidateRect(m_list->m_hWnd, &rect, erase);
}

int CCellCtrl::MeasureText(const CString& text) const
{
    CClientDC dc(m_list);
    int saved = dc.SaveDC();
    SelectFont(dc);
    int width = dc.GetTextExtent(text + L"i").cx;
    dc.RestoreDC(saved);
    return width;
}

// ---------------------------------------------------------------- CCellButton

BOOL CCellButton::OnLButtonDown(UINT flags, CPoint point)
{
    Activate();
    if (m_buttonRect.PtInRect(point)) OnButtonClick(flags, point);
    return 1;
}

BOOL CCellButton::PressButton(UINT flags, CPoint point)
{
    m_active = 1;
    if (m_buttonRect.PtInRect(point)) OnButtonClick(flags, point);
    return 0;
}

BOOL CCellButton::ReleaseButton()
{
    m_active = 0;
    InvalidateListRect(m_buttonRect, FALSE);
    return 0;
}

void CCellButton::OnHover(UINT, CPoint point)
{
    int hot = m_buttonRect.PtInRect(point) ? 1 : 0;
    if (hot == m_buttonHot) return;
    m_buttonHot = hot;
    InvalidateListRect(m_buttonRect, FALSE);
}

// ---------------------------------------------------------------- CCellCheckBox

DWORD& CCellCheckBox::ClassStyle() const
{
    static DWORD style = 0;
    return style;
}

bool CCellCheckBox::LoadImages()
{
    if (CheckBoxImageList.m_hImageList) return true;
    return CheckBoxImageList.Create(IDB_CHECK_BOX_IMAGES, kCheckImageSize, 20, RGB(255, 0, 255));
}

void CCellCheckBox::Create(CConfigListCtrl* list, const int* enabled, const CString& initText)
{
    wchar_t first = initText.GetAt(0);
    CCellCtrl::Create(list, enabled, (first == L'0' || first == L'1') ? initText : L"0" + initText);
    m_offText.Empty();
    m_onText.Empty();
    LoadImages();
}

void CCellCheckBox::OnButtonClick(UINT, CPoint)
{
    SetCheck(!GetCheck());
}

void CCellCheckBox::DrawImage(CDC& dc, int image, int x, int y) const
{
    if (CheckBoxImageList.m_hImageList) CheckBoxImageList.Draw(dc, image, CPoint(x, y), ILD_NORMAL);
}

void CCellCheckBox::Draw(CDC& dc, const CRect& rect, UINT)
{
    int saved = dc.SaveDC();
    m_buttonRect.SetRectEmpty();
    m_cellRect = rect;
    dc.FillSolidRect(rect, SysColor(COLOR_WINDOW));
    bool disabled = IsDrawnDisabled();
    dc.SetTextColor(SysColor(disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
    dc.SetBkMode(TRANSPARENT);
    SelectFont(dc);
    int disabledOffset = disabled ? 2 : 0;
    bool checked = GetCheck() != FALSE;

    if (!m_offText.IsEmpty()) {
        // Two options side by side; the half that is not selected takes the click.
        int half = rect.Width() / 2;
        CRect left(rect.left, rect.top, rect.left + half, rect.bottom);
        CRect right(rect.left + half, rect.top, rect.left + 2 * half, rect.bottom);
        const struct { CRect box; bool selected; const CString& text; } halves[] = {
            {left, !checked, m_offText}, {right, checked, m_onText}};
        for (const auto& h : halves) {
            DrawImage(dc, (h.selected ? 1 : 0) + disabledOffset, h.box.left, h.box.top + 1);
            CRect textRect(h.box.left + kCheckImageSize, h.box.top + 3, h.box.right, h.box.bottom);
            dc.DrawText(h.text, textRect, kCellTextFormat);
        }
        m_buttonRect = checked ? left : right;
    } else {
        CString label = m_text.Mid(1);
        int w = dc.GetTextExtent(label).cx + kCheckImageSize;
        DWORD style = GetStyle();
        int x0 = rect.left;
        CRect labelRect(rect.left + kCheckImageSize, rect.top, rect.right, rect.bottom);
        if (rect.Width() >= w) {
            if (style & CellStyleAlignCenter) {
                x0 = rect.left + (rect.Width() - w) / 2;
                labelRect.SetRect(x0 + kCheckImageSize, rect.top, x0 + w + 1, rect.bottom);
            } else if (style & CellStyleAlignRight) {
                if (label.IsEmpty()) {
                    x0 = rect.right - kCheckImageSize;
                    labelRect.SetRectEmpty();
                } else {
                    x0 = rect.right - w - 21;
                    labelRect.SetRect(rect.right - w - 1, rect.top, rect.right, rect.bottom);
                }
            } else {
                labelRect.SetRect(x0 + kCheckImageSize, rect.top, x0 + w + 1, rect.bottom);
            }
        }
        if (rect.Width() < kCheckImageSize) {
            CRect all = rect;
            dc.DrawText(label, all, kCellTextFormat | DT_CENTER);
        } else {
            DrawImage(dc, (checked ? 1 : 0) + disabledOffset, x0, rect.top);
            dc.DrawText(label, labelRect, kCellTextFormat | DT_CENTER);
            m_buttonRect.SetRect(x0, rect.top, x0 + kCheckImageSize, rect.top + kCheckImageSize);
        }
    }
    dc.RestoreDC(saved);
}

int CCellCheckBox::GetPreferredWidth()
{
    CString label = m_text.Mid(1);
    return (label.IsEmpty() ? 0 : MeasureText(label)) + kCheckImageSize;
}

// ---------------------------------------------------------------- CCellPushButton

CCellPushButton::CCellPushButton(HWND target, UINT message, WPARAM wParam, LPARAM lParam)
    : m_target(target), m_message(message), m_wParam(wParam), m_lParam(lParam)
{
    m_state = CellStyleAlignCenter;
}

DWORD& CCellPushButton::ClassStyle() const
{
    static DWORD style = 0;
    return style;
}

void CCellPushButton::SetBitmapId(UINT id)
{
    m_bitmapId = id;
    if (id) m_bitmap.LoadBitmap(id);
    else m_bitmap.DeleteObject();
}

void CCellPushButton::OnButtonClick(UINT, CPoint)
{
    if (m_target) ::PostMessageW(m_target, m_message, m_wParam, m_lParam);
}

void CCellPushButton::Draw(CDC& dc, const CRect& rect, UINT)
{
    int saved = dc.SaveDC();
    m_buttonRect.SetRectEmpty();
    CRect cell = rect;
    cell.DeflateRect(15, 15);
    m_cellRect = cell;
    bool disabled = IsDrawnDisabled();
    dc.SetTextColor(SysColor(disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
    dc.SetBkMode(TRANSPARENT);
    SelectFont(dc);
    if (!cell.IsRectEmpty()) {
        dc.FillSolidRect(cell, SysColor(disabled ? COLOR_BTNFACE : COLOR_WINDOW));
        m_buttonRect = cell;
        m_buttonRect.right -= Metric(SM_CXEDGE);
        CBrush face(SysColor(COLOR_BTNFACE));
        HGDIOBJ oldBrush = dc.SelectObject(face);
        dc.Rectangle(m_buttonRect);
        dc.SelectObject(oldBrush);
    }
    if (!m_text.IsEmpty() && !cell.IsRectEmpty()) {
        CRect edge = m_buttonRect;
        CRect caption = cell;
        if (m_active && !disabled) {
            dc.DrawEdge(edge, EDGE_ETCHED, BF_RECT);
            caption.OffsetRect(Metric(SM_CXBORDER), Metric(SM_CYBORDER));
        } else {
            dc.DrawEdge(edge, EDGE_RAISED, BF_RECT);
        }
        dc.DrawText(m_text, caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    } else if (m_bitmap.GetSafeHandle()) {
        dc.DrawBitmap(m_bitmap, rect.left + 3, rect.top + 2, RGB(255, 255, 255));
    }
    dc.RestoreDC(saved);
}

int CCellPushButton::GetPreferredWidth()
{
    return (m_text.IsEmpty() ? 0 : MeasureText(m_text)) + 20;
}

// ---------------------------------------------------------------- CCellDropDown

CCellDropDown::CCellDropDown() : m_arrowWidth(Metric(SM_CXVSCROLL) + Metric(SM_CXEDGE)) {}

CCellDropDown::~CCellDropDown() = default;

void CCellDropDown::SetPopupOpen(bool open)
{
    m_open = open;
    if (m_list) m_list->SetPopupOpen(open);
}

void CCellDropDown::Deactivate()
{
    m_active = 0;
    DismissPopup();
}

void CCellDropDown::OnRelayout()
{
    m_textRect = m_cellRect;
    m_textRect.DeflateRect(Metric(SM_CXEDGE), Metric(SM_CYEDGE), m_arrowWidth, Metric(SM_CYEDGE));
}

void CCellDropDown::SetRect(const CRect& rect)
{
    m_cellRect = rect;
    m_tooNarrow = m_arrowWidth >= rect.Width();
    OnRelayout();
}

void CCellDropDown::BeginEdit(const CRect& rect)
{
    m_cellRect = rect;
    OnRelayout();
    m_arrowRect.SetRect(rect.right - m_arrowWidth, rect.top, rect.right, rect.bottom);
    m_buttonRect = m_wholeCell ? m_cellRect : m_arrowRect;
}

BOOL CCellDropDown::OnKeyDown(UINT key, UINT, UINT)
{
    if (key == VK_F4) OnButtonClick(0, CPoint(0, 0));
    return 1;
}

BOOL CCellDropDown::OnVScroll(UINT, UINT, CWnd*)
{
    // The popup no longer sits at the cell; it stays open until the next click.
    if (m_popup && m_popup->m_hWnd) m_popup->ShowWindow(SW_HIDE);
    return 1;
}

BOOL CCellDropDown::OnHScroll(UINT code, UINT position, CWnd* scrollBar)
{
    return OnVScroll(code, position, scrollBar);
}

void CCellDropDown::OnKillFocus(CWnd* newFocus)
{
    if (!m_popup || !m_popup->m_hWnd) return;
    bool toPopup = newFocus && newFocus->m_hWnd == m_popup->m_hWnd;
    if (!toPopup && m_popup->IsWindowVisible()) {
        DismissPopup();
        InvalidateListRect(m_arrowRect, FALSE);
    }
}

void CCellDropDown::RepositionPopup()
{
    if (!m_open || !m_list || !m_popup || !m_popup->m_hWnd) return;
    CRect r = GetPopupRect(m_cellRect, true);
    m_list->ClientToScreen(&r);
    m_popup->SetWindowPos(nullptr, r.left, r.top, r.Width(), r.Height(), SWP_SHOWWINDOW);
}

void CCellDropDown::OnPopupResult(WPARAM code, LPARAM index)
{
    switch (code) {
    case kCellPopupChosen:
        SelectItem(static_cast<int>(index));
        HidePopup();
        break;
    case kCellPopupReserved:
        OnReservedPopupCode(index);
        InvalidateListRect(m_textRect, TRUE);
        break;
    case kCellPopupClosed:
        HidePopup();
        break;
    default:
        break;
    }
}

void CCellDropDown::HidePopup()
{
    SetPopupOpen(false);
    if (m_popup && m_popup->m_hWnd) m_popup->ShowWindow(SW_HIDE);
    InvalidateListRect(m_textRect, FALSE);
    InvalidateListRect(m_cellRect, FALSE);
    if (m_list && m_list->m_hWnd) m_list->SetFocus();
}

void CCellDropDown::DismissPopup()
{
    if (m_popup && m_popup->m_hWnd) m_popup->ShowWindow(SW_HIDE);
    SetPopupOpen(false);
}

void CCellDropDown::ClosePopup()
{
    if (!m_open) return;
    SetPopupOpen(false);
    if (m_popup && m_popup->m_hWnd) m_popup->Hide();
    InvalidateListRect(m_textRect, FALSE);
    InvalidateListRect(m_arrowRect, FALSE);
}

void CCellDropDown::CancelPopup()
{
    if (!m_open) return;
    ::ReleaseCapture();
    HidePopup();
}

void CCellDropDown::OnButtonClick(UINT, CPoint point)
{
    if (m_tooNarrow || !m_list || !m_popup || !m_popup->m_hWnd) return;
    if (m_open) {
        m_popup->ShowWindow(SW_HIDE);
        SetPopupOpen(false);
        return;
    }
    // Below the cell, or above it when the list would leave the screen.
    CRect screen(0, 0, Metric(SM_CXFULLSCREEN), Metric(SM_CYFULLSCREEN));
    CRect r = GetPopupRect(m_cellRect, true);
    m_list->ClientToScreen(&r);
    if (!IsRectInside(r, screen)) {
        r = GetPopupRect(m_cellRect, false);
        m_list->ClientToScreen(&r);
    }
    m_popup->SetWindowPos(nullptr, r.left, r.top, r.Width(), r.Height(), SWP_SHOWWINDOW);
    SyncPopup();
    m_popup->SetFocus();
    SetPopupOpen(true);
    WritePressed(1);
    InvalidateListRect(m_arrowRect, FALSE);
    if (m_drawn) {
        HWND list = m_list->m_hWnd;
        CRect arrow = m_arrowRect;
        StartDetachedThread([list, point, arrow] { PressedStateWorker(list, point, arrow); },
                            L"the pressed-state worker");
    }
}

int CCellDropDown::GetPressed() { return ReadPressed(); }

void CCellDropDown::TrackPressed(UINT flags, CPoint point)
{
    int pressed = ((flags & MK_LBUTTON) && m_arrowRect.PtInRect(point)) ? 1 : 0;
    if (WritePressed(pressed)) InvalidateListRect(m_arrowRect, FALSE);
}

void CCellDropDown::Draw(CDC& dc, const CRect& rect, UINT)
{
    int saved = dc.SaveDC();
    DrawFrame(dc, rect);
    m_tooNarrow = m_arrowWidth >= rect.Width();
    if (!m_tooNarrow) {
        CRect arrow(rect.right - Metric(SM_CXEDGE) - Metric(SM_CXVSCROLL), rect.top + Metric(SM_CYEDGE),
                    rect.right - Metric(SM_CXEDGE), rect.bottom - Metric(SM_CYEDGE));
        bool pressed = m_drawn ? GetPressed() != 0 : m_open;
        UINT state = DFCS_SCROLLCOMBOBOX;
        if (IsDrawnDisabled()) state |= DFCS_INACTIVE;
        else if (pressed && m_active) state |= DFCS_FLAT;
        dc.DrawFrameControl(arrow, DFC_SCROLL, state);
    }
    dc.RestoreDC(saved);
}

// ---------------------------------------------------------------- CCellComboBox

CCellComboBox::CCellComboBox()
{
    m_popup = std::make_unique<CPopUpScrollList>();
    m_wholeCell = true;
}

DWORD& CCellComboBox::ClassStyle() const
{
    static DWORD style = CellStyleActiveSunken | CellStyleInactiveSunken;
    return style;
}

CPopUpScrollList* CCellComboBox::GetPopupList() const { return static_cast<CPopUpScrollList*>(m_popup.get()); }

void CCellComboBox::Create(CConfigListCtrl* list, const int* enabled, const CString& initText)
{
    CCellCtrl::Create(list, enabled, initText);
    m_items.clear();
    int start = 0;
    for (;;) {
        int end = initText.Find(L'\n', start);
        m_items.push_back(initText.Mid(start, (end < 0 ? initText.GetLength() : end) - start));
        if (end < 0) break;
        start = end + 1;
    }
    // Line 0 is the wanted value; when a later line repeats it, that item is the
    // current one and line 0 goes.
    auto match = std::find_if(m_items.begin() + 1, m_items.end(),
                              [&](const CString& item) { return item.CompareNoCase(m_items.front()) == 0; });
    if (match != m_items.end()) {
        m_curSel = static_cast<int>(match - m_items.begin()) - 1;
        m_items.erase(m_items.begin());
        m_text = m_items[static_cast<size_t>(m_curSel)];
    } else {
        m_curSel = -1;
        m_text.Empty();
    }
    if (list) GetPopupList()->Create(list, this);
}

void CCellComboBox::SelectItem(int index)
{
    if (index < 0 || index >= GetItemCount()) return;
    m_curSel = index;
    m_text = m_items[static_cast<size_t>(index)];
}

BOOL CCellComboBox::SetCurSel(int index)
{
    if (index < 0 || index >= GetItemCount()) return FALSE;
    SelectItem(index);
    OnRelayout();
    if (m_list && m_list->m_hWnd) {
        m_list->Invalidate(TRUE);
        m_list->SetTextForCell(this, m_text);
    }
    return TRUE;
}

void CCellComboBox::SyncPopup()
{
    GetPopupList()->ShowItem(m_curSel);
}

CRect CCellComboBox::GetPopupRect(const CRect& cell, bool below) const
{
    int rows = std::min(m_visibleRows, GetItemCount());
    int height = Metric(SM_CYVTHUMB);
    if (rows > 0) {
        CClientDC dc(m_list);
        height = rows * dc.GetTextExtent(L"M").cy + 2 * Metric(SM_CYBORDER);
    }
    CRect r = cell;
    if (below) {
        r.top = cell.bottom;
        r.bottom = cell.bottom + height;
    } else {
        r.bottom = cell.top;
        r.top = cell.top - height;
    }
    return r;
}

void CCellComboBox::DrawItem(CDC& dc, const CRect& rect, const CString& text, bool disabled) const
{
    dc.SetTextColor(SysColor(disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
    dc.SetBkMode(TRANSPARENT);
    CRect r = rect;
    dc.DrawText(text, r, GetAlignment() | kCellTextFormat);
}

void CCellComboBox::Draw(CDC& dc, const CRect& rect, UINT itemState)
{
    int saved = dc.SaveDC();
    bool disabled = IsDrawnDisabled();
    dc.FillSolidRect(rect, SysColor(disabled ? COLOR_BTNFACE : COLOR_WINDOW));
    CRect textRect = rect;
    textRect.DeflateRect(Metric(SM_CXDLGFRAME), Metric(SM_CYDLGFRAME));
    textRect.right -= Metric(SM_CXVSCROLL);
    SelectFont(dc);
    DrawItem(dc, textRect, m_text, disabled);
    CCellDropDown::Draw(dc, rect, itemState);
    m_drawn = true;
    dc.RestoreDC(saved);
}

int CCellComboBox::GetPreferredWidth()
{
    return MeasureText(m_text) + m_arrowWidth;
}

BOOL CCellComboBox::OnMouseMove(UINT flags, CPoint point)
{
    TrackPressed(flags, point);
    return 1;
}
