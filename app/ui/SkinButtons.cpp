#include "app/ui/SkinButtons.h"

#include <algorithm>

#include "app/SkinColours.h"
#include "res/resource.h"

namespace {

// State index: pressed-enabled, pressed-disabled, released-enabled, released-disabled.
int StateIndex(bool pressed, bool disabled) { return (pressed ? 0 : 2) + (disabled ? 1 : 0); }

struct SquareLook {
    COLORREF fill;
    COLORREF text;
    UINT edge;  // 0: none
};

// The close, about and status-details buttons; the tabs differ only in the
// face of a released enabled tab.
constexpr SquareLook kSquareLooks[4] = {
    {Skin::kPressedFace, Skin::kBlack, EDGE_SUNKEN},
    {Skin::kBarGrey, Skin::kDarkGrey, 0},
    {Skin::kWhite, Skin::kBlack, EDGE_RAISED},
    {Skin::kPaleFace, Skin::kMidGrey, 0},
};

constexpr RoundButtonColours kActionColours[4] = {
    {Skin::kDarkGrey, Skin::kMidGrey, Skin::kBlack},
    {Skin::kWhite, Skin::kWhite, Skin::kDarkGrey},
    {Skin::kMidGrey, Skin::kBarGrey, Skin::kBlack},
    {Skin::kWhite, Skin::kWhite, Skin::kMidGrey},
};
constexpr RoundButtonColours kNavigationColours[4] = {
    {Skin::kPressedFace, Skin::kPressedFace, Skin::kBlack},
    {Skin::kWhite, Skin::kWhite, Skin::kDarkGrey},
    {Skin::kWhite, Skin::kWhite, Skin::kBlack},
    {Skin::kWhite, Skin::kWhite, Skin::kMidGrey},
};

enum class Kind { None, Square, Tab, Round, Section };

Kind KindOf(int id)
{
    switch (id) {
    case IDOK: case IDC_ABOUT_BUTTON: case IDC_STATUS_DETAILS: return Kind::Square;
    case IDC_TAB_WELCOME: case IDC_TAB_RECOGNITION: case IDC_TAB_FIRMWARE_UPDATE:
    case IDC_TAB_FIRMWARE_RESTORE: case IDC_TAB_DEVICE_SETTING: return Kind::Tab;
    case IDC_BACK: case IDC_NEXT: case IDC_ACTION: case IDC_BACK_TO_UPDATE: case IDC_ON_TO_RESTORE: return Kind::Round;
    case IDC_SECTION_FIRST: case IDC_SECTION_DROPDOWN: return Kind::Section;
    default: return Kind::None;
    }
}

void DrawCaption(CDC& dc, const CString& text, CRect rect, UINT align, COLORREF colour)
{
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(colour);
    dc.DrawText(text.Left(260), rect, align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void DrawSquare(CDC& dc, Kind kind, const CRect& item, bool pressed, bool disabled, bool focused, const CString& text)
{
    SquareLook look = kSquareLooks[StateIndex(pressed, disabled)];
    if (kind == Kind::Tab && !pressed && !disabled) look.fill = Skin::kTabFace;
    dc.FillSolidRect(item, look.fill);
    CRect edge = item;
    if (look.edge) dc.DrawEdge(edge, look.edge, BF_RECT);
    if (focused && !disabled) {
        CRect focus = item;
        focus.DeflateRect(3, 3);
        dc.DrawFocusRect(focus);
    }
    DrawCaption(dc, text, item, DT_CENTER, look.text);
}

void DrawRound(CDC& dc, int id, const CRect& item, bool pressed, bool disabled, bool focused, const CString& text)
{
    const RoundButtonColours colours = RoundButtonColoursFor(id, pressed, disabled);
    const CRect shape = RoundButtonRect(item);
    const int corner = std::max(0, shape.Height() - 3);
    {
        CPen pen(PS_SOLID, 3, colours.pen);
        CBrush brush(colours.brush);
        CSelectObject selectPen(dc, pen.GetSafeHandle());
        CSelectObject selectBrush(dc, brush.GetSafeHandle());
        dc.RoundRect(shape, CPoint(corner, corner));
    }
    if (focused && !disabled) {
        CPen dotted(PS_DOT, 1, Skin::kBlack);
        CSelectObject selectPen(dc, dotted.GetSafeHandle());
        CSelectObject selectBrush(dc, ::GetStockObject(NULL_BRUSH));
        dc.RoundRect(shape, CPoint(corner, corner));
    }
    UINT align = DT_CENTER;
    if (id == IDC_BACK || id == IDC_BACK_TO_UPDATE) align = DT_LEFT;
    if (id == IDC_NEXT || id == IDC_ON_TO_RESTORE) align = DT_RIGHT;
    DrawCaption(dc, text, shape, align, colours.text);
}

void DrawSection(CDC& dc, const CRect& item, bool disabled, bool focused, const CString& text)
{
    // An enabled section tab leads to another section; the disabled one is the
    // section shown, open towards the page below.
    dc.FillSolidRect(item, disabled ? Skin::kWhite : Skin::kBarGrey);
    const int w = 2;
    dc.FillSolidRect(CRect(item.left, item.top, item.left + w, item.bottom), Skin::kDarkGrey);
    dc.FillSolidRect(CRect(item.right - w, item.top, item.right, item.bottom), Skin::kDarkGrey);
    dc.FillSolidRect(CRect(item.left, item.top, item.right, item.top + w), Skin::kDarkGrey);
    if (!disabled) dc.FillSolidRect(CRect(item.left, item.bottom - w, item.right, item.bottom), Skin::kDarkGrey);
    if (focused && !disabled) {
        CRect focus = item;
        focus.DeflateRect(w + 1, w + 1);
        dc.DrawFocusRect(focus);
    }
    DrawCaption(dc, text, item, DT_CENTER, disabled ? Skin::kBlack : Skin::kDarkGrey);
}

}  // namespace

RoundButtonColours RoundButtonColoursFor(int id, bool pressed, bool disabled)
{
    const RoundButtonColours* table = id == IDC_ACTION ? kActionColours : kNavigationColours;
    return table[StateIndex(pressed, disabled)];
}

CRect RoundButtonRect(const CRect& item)
{
    CRect shape = item;
    shape.DeflateRect(5, 5);
    return shape;
}

bool DrawSkinButton(CDC& dc, int id, const CRect& item, UINT itemState, const CString& text)
{
    const bool pressed = (itemState & ODS_SELECTED) != 0;
    const bool disabled = (itemState & ODS_DISABLED) != 0;
    const bool focused = (itemState & ODS_FOCUS) != 0;
    switch (const Kind kind = KindOf(id)) {
    case Kind::Square:
    case Kind::Tab: DrawSquare(dc, kind, item, pressed, disabled, focused, text); return true;
    case Kind::Round: DrawRound(dc, id, item, pressed, disabled, focused, text); return true;
    case Kind::Section: DrawSection(dc, item, disabled, focused, text); return true;
    case Kind::None: break;
    }
    return false;
}
