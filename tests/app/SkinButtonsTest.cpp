// The owner-drawn buttons drawn into a memory DC: the pen, brush and text
// colours of ACTION and NEXT in their four states, the tab faces and the
// square buttons.
#include <gtest/gtest.h>

#include "app/ui/SkinButtons.h"
#include "framework/BitmapButton.h"
#include "res/resource.h"

namespace {

constexpr COLORREF kBackdrop = RGB(10, 200, 30);

struct Canvas {
    Canvas() : screen(::GetDC(nullptr)), dc(screen, 160, 40) { dc.FillSolidRect(CRect(0, 0, 160, 40), kBackdrop); }
    ~Canvas() { ::ReleaseDC(nullptr, screen); }
    int Count(const CRect& r, COLORREF colour) const
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += dc.GetPixel(x, y) == colour ? 1 : 0;
        return n;
    }
    HDC screen;
    CMemoryDC dc;
};

TEST(SkinButtons, RoundButtonsInTheirFourStates)
{
    struct Case {
        int id;
        UINT state;
        COLORREF pen;
        COLORREF brush;
        COLORREF text;
    };
    const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255);
    const Case cases[] = {
        {IDC_ACTION, ODS_SELECTED, RGB(141, 141, 127), RGB(161, 161, 147), black},
        {IDC_ACTION, ODS_SELECTED | ODS_DISABLED, white, white, RGB(141, 141, 127)},
        {IDC_ACTION, 0, RGB(161, 161, 147), RGB(224, 224, 214), black},
        {IDC_ACTION, ODS_DISABLED, white, white, RGB(161, 161, 147)},
        {IDC_NEXT, ODS_SELECTED, RGB(236, 236, 216), RGB(236, 236, 216), black},
        {IDC_NEXT, ODS_SELECTED | ODS_DISABLED, white, white, RGB(141, 141, 127)},
        {IDC_NEXT, 0, white, white, black},
        {IDC_NEXT, ODS_DISABLED, white, white, RGB(161, 161, 147)},
    };
    const CRect item(0, 0, 150, 28);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.id << " state " << c.state);
        Canvas canvas;
        ASSERT_TRUE(DrawSkinButton(canvas.dc, c.id, item, c.state, L"NEXT"));
        const CRect shape = RoundButtonRect(item);
        EXPECT_EQ(CRect(5, 5, 145, 23), shape);
        const int midY = (shape.top + shape.bottom) / 2;
        // The 3-pixel pen on the left edge, the brush just inside it; the corners
        // outside the rounded shape keep the backdrop.
        EXPECT_EQ(c.pen, canvas.dc.GetPixel(shape.left + 1, midY));
        EXPECT_EQ(c.brush, canvas.dc.GetPixel(shape.left + 12, shape.top + 3));
        EXPECT_EQ(kBackdrop, canvas.dc.GetPixel(2, 2));
        EXPECT_EQ(kBackdrop, canvas.dc.GetPixel(shape.left, shape.top));
        // The caption: centred on ACTION, right-aligned on NEXT.
        const CRect left(shape.left + 8, shape.top + 3, shape.left + 40, shape.bottom - 3);
        const CRect right(shape.right - 40, shape.top + 3, shape.right - 8, shape.bottom - 3);
        const CRect middle(shape.left + 50, shape.top + 3, shape.right - 50, shape.bottom - 3);
        if (c.id == IDC_ACTION) {
            EXPECT_GT(canvas.Count(middle, c.text), 0);
            EXPECT_EQ(0, canvas.Count(left, c.text));
        } else {
            EXPECT_GT(canvas.Count(right, c.text), 0);
            EXPECT_EQ(0, canvas.Count(middle, c.text));
        }
    }
}

TEST(SkinButtons, FocusOnAnEnabledRoundButtonIsDotted)
{
    Canvas plain, focused;
    const CRect item(0, 0, 150, 28);
    DrawSkinButton(plain.dc, IDC_ACTION, item, 0, L"");
    DrawSkinButton(focused.dc, IDC_ACTION, item, ODS_FOCUS, L"");
    EXPECT_GT(focused.Count(item, RGB(0, 0, 0)), plain.Count(item, RGB(0, 0, 0)));
    Canvas disabled;
    DrawSkinButton(disabled.dc, IDC_ACTION, item, ODS_FOCUS | ODS_DISABLED, L"");
    EXPECT_EQ(0, disabled.Count(item, RGB(0, 0, 0)));
}

// The section tabs and the help marks are keyboard stops too: each shows
// when it has the focus.
TEST(SkinButtons, SectionTabsAndHelpMarksShowTheFocus)
{
    const CRect item(0, 0, 150, 40);
    Canvas plain, focused;
    DrawSkinButton(plain.dc, IDC_SECTION_FIRST, item, 0, L"");
    DrawSkinButton(focused.dc, IDC_SECTION_FIRST, item, ODS_FOCUS, L"");
    const COLORREF face = RGB(224, 224, 214);
    EXPECT_LT(focused.Count(item, face), plain.Count(item, face));

    CBitmapButton help;
    ASSERT_TRUE(help.LoadBitmaps(IDB_HELP_MARK));
    Canvas mark[2];
    for (int focus = 0; focus < 2; ++focus) {
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_BUTTON;
        dis.itemState = focus ? ODS_FOCUS : 0;
        dis.hDC = mark[focus].dc;
        dis.rcItem = CRect(0, 0, 20, 20);
        help.DrawItem(&dis);
    }
    EXPECT_LT(mark[1].Count(CRect(0, 0, 20, 20), kBackdrop), mark[0].Count(CRect(0, 0, 20, 20), kBackdrop));
}

TEST(SkinButtons, TabFacesAndTheSectionTabs)
{
    struct Case {
        int id;
        UINT state;
        COLORREF face;
    };
    const Case cases[] = {
        {IDC_TAB_WELCOME, 0, RGB(255, 255, 246)},
        {IDC_TAB_WELCOME, ODS_SELECTED, RGB(236, 236, 216)},
        {IDC_TAB_WELCOME, ODS_DISABLED, RGB(244, 244, 234)},
        {IDOK, 0, RGB(255, 255, 255)},
        {IDOK, ODS_SELECTED | ODS_DISABLED, RGB(224, 224, 214)},
        {IDC_SECTION_FIRST, 0, RGB(224, 224, 214)},
        {IDC_SECTION_FIRST, ODS_DISABLED, RGB(255, 255, 255)},
    };
    const CRect item(0, 0, 150, 40);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.id << " state " << c.state);
        Canvas canvas;
        ASSERT_TRUE(DrawSkinButton(canvas.dc, c.id, item, c.state, L""));
        EXPECT_EQ(c.face, canvas.dc.GetPixel(20, 20));
    }
    // The section shown stays open towards the page: no bottom frame.
    Canvas shown, other;
    DrawSkinButton(shown.dc, IDC_SECTION_DROPDOWN, item, ODS_DISABLED, L"");
    DrawSkinButton(other.dc, IDC_SECTION_DROPDOWN, item, 0, L"");
    EXPECT_EQ(RGB(255, 255, 255), shown.dc.GetPixel(20, 39));
    EXPECT_EQ(RGB(141, 141, 127), other.dc.GetPixel(20, 39));
    EXPECT_EQ(RGB(141, 141, 127), shown.dc.GetPixel(20, 0));
    EXPECT_FALSE(DrawSkinButton(shown.dc, 1234, item, 0, L""));
}

TEST(SkinSquareButtons, FaceEdgeTextAndFocusByState)
{
    struct Case {
        int id;
        UINT state;
        COLORREF fill;
        COLORREF text;
        bool edge;
    };
    const COLORREF black = RGB(0, 0, 0);
    const Case cases[] = {
        {IDOK, ODS_SELECTED, RGB(236, 236, 216), black, true},
        {IDOK, ODS_SELECTED | ODS_DISABLED, RGB(224, 224, 214), RGB(141, 141, 127), false},
        {IDOK, 0, RGB(255, 255, 255), black, true},
        {IDOK, ODS_DISABLED, RGB(244, 244, 234), RGB(161, 161, 147), false},
        {IDC_STATUS_DETAILS, ODS_DISABLED, RGB(244, 244, 234), RGB(161, 161, 147), false},
        {IDC_TAB_RECOGNITION, ODS_SELECTED, RGB(236, 236, 216), black, true},
        {IDC_TAB_RECOGNITION, 0, RGB(255, 255, 246), black, true},
        {IDC_TAB_RECOGNITION, ODS_DISABLED, RGB(244, 244, 234), RGB(161, 161, 147), false},
    };
    HDC screen = ::GetDC(nullptr);
    const CRect item(0, 0, 160, 40);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.id << " state " << c.state);
        for (bool focus : {false, true}) {
            CMemoryDC dc(screen, item.Width(), item.Height());
            ASSERT_TRUE(DrawSkinButton(dc, c.id, item, c.state | (focus ? ODS_FOCUS : 0), L"WELCOME"));
            EXPECT_EQ(c.fill, dc.GetPixel(6, 20));
            EXPECT_EQ(c.edge, dc.GetPixel(0, 0) != c.fill);
            EXPECT_EQ(c.edge, dc.GetPixel(item.right - 1, item.bottom - 1) != c.fill);
            // The caption is centred.
            int centre = 0, side = 0;
            for (int y = 8; y < 32; ++y) {
                for (int x = 50; x < 110; ++x) centre += dc.GetPixel(x, y) == c.text ? 1 : 0;
                for (int x = 8; x < 25; ++x) side += dc.GetPixel(x, y) == c.text ? 1 : 0;
            }
            EXPECT_GT(centre, 0);
            EXPECT_EQ(0, side);
            // The focus rectangle runs 3 pixels inside, on enabled buttons only.
            int focusLine = 0;
            for (int y = 8; y < 32; ++y) focusLine += dc.GetPixel(3, y) != c.fill ? 1 : 0;
            const bool enabled = (c.state & ODS_DISABLED) == 0;
            EXPECT_EQ(focus && enabled, focusLine > 0) << "focus " << focus;
        }
    }
    ::ReleaseDC(nullptr, screen);
}

}  // namespace
