// The transparent bitmap static: the picture over the background copy, the
// colour of its top-left pixel left out.
#include <gtest/gtest.h>

#include "controls/MyStatic.h"

namespace {

constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Green = RGB(0, 255, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);

class MyStaticTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.CreateEx(0, nullptr, L"Picture", WS_OVERLAPPED | WS_VISIBLE, CRect(0, 0, 200, 200), nullptr, 0));
        ASSERT_TRUE(picture.CreateEx(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_CENTERIMAGE,
                                     CRect(10, 10, 18, 18), &window, 1002));
    }
    // An 8 x 8 bitmap of one colour, with (x, y) -> colour exceptions.
    HBITMAP MakeBitmap(COLORREF fill, std::initializer_list<std::pair<POINT, COLORREF>> pixels = {})
    {
        CMemoryDC dc(screen, 8, 8);
        dc.FillSolidRect(CRect(0, 0, 8, 8), fill);
        for (const auto& [p, c] : pixels) dc.SetPixel(p.x, p.y, c);
        return static_cast<HBITMAP>(dc.Bitmap().Detach());
    }
    // Paints the control over a blue surface.
    void PaintOnBlue(CDC& dc)
    {
        dc.FillSolidRect(CRect(0, 0, 8, 8), Blue);
        picture.Paint(dc);
    }

    CClientDC screen{nullptr};
    CWnd window;
    CMyStatic picture;
};

TEST_F(MyStaticTest, WithoutAPictureNothingIsPainted)
{
    picture.m_background.Attach(MakeBitmap(Green));
    CMemoryDC dc(screen, 8, 8);
    PaintOnBlue(dc);
    EXPECT_EQ(dc.GetPixel(0, 0), Blue);
    EXPECT_EQ(dc.GetPixel(7, 7), Blue);
}

TEST_F(MyStaticTest, CornerColourShowsTheBackground)
{
    HBITMAP image = MakeBitmap(kWhite, {{{3, 3}, Red}, {{4, 3}, Red}});
    picture.SetBitmap(image);
    picture.m_background.Attach(MakeBitmap(Green));
    CMemoryDC dc(screen, 8, 8);
    PaintOnBlue(dc);
    EXPECT_EQ(dc.GetPixel(0, 0), Green);
    EXPECT_EQ(dc.GetPixel(6, 6), Green);
    EXPECT_EQ(dc.GetPixel(3, 3), Red);
    EXPECT_EQ(dc.GetPixel(4, 3), Red);
    picture.SetBitmap(nullptr);
    ::DeleteObject(image);
}

TEST_F(MyStaticTest, PictureAloneBeforeTheBackgroundCopy)
{
    HBITMAP image = MakeBitmap(kWhite, {{{2, 2}, Red}});
    picture.SetBitmap(image);
    CMemoryDC dc(screen, 8, 8);
    PaintOnBlue(dc);
    EXPECT_EQ(dc.GetPixel(0, 0), Blue);
    EXPECT_EQ(dc.GetPixel(2, 2), Red);
    picture.SetBitmap(nullptr);
    ::DeleteObject(image);
}

}  // namespace
