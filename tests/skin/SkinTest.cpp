// The skin's pictures and the application icon, as compiled into the module.
#include <gtest/gtest.h>
#include <windows.h>

#include <initializer_list>
#include <vector>

namespace {

struct Group {
    const char* what;
    int width;
    int height;
    std::vector<int> ids;
};

// Every bitmap id the program loads, grouped by its size in pixels.
const Group kGroups[] = {
    {"model pictures", 58, 39,
     {222, 312, 223, 345, 364, 224, 286, 354, 366, 215, 211, 288, 219, 289, 216, 230, 284, 358, 360, 361, 367,
      177, 178, 195, 200, 356, 297, 179, 180, 192, 199, 181, 193, 319, 320, 355, 368, 369, 370, 371, 295, 296,
      346, 304, 378, 294, 353, 350, 313, 314, 331, 333, 329, 332, 357, 375, 376, 377, 318, 322, 365, 342}},
    {"no-device picture", 57, 40, {176}},
    {"window-sized pictures", 730, 486, {334, 227, 324, 276}},
    {"large picture", 619, 402, {175}},
    {"welcome picture", 554, 310, {335}},
    {"page-area image", 67, 63, {218}},
    {"message-box icons", 64, 64, {186, 184}},
    {"help mark", 16, 16, {188}},
    {"check-box images", 80, 20, {303}},
    {"language flags", 16, 11, {203, 204, 205, 206, 207, 208, 209, 291, 292, 293, 352}},
};

HBITMAP LoadSkinBitmap(int id)
{
    return static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0,
                                             LR_CREATEDIBSECTION));
}

// Reads pixels of a bitmap through a memory device context.
class PixelReader {
public:
    explicit PixelReader(HBITMAP bitmap) : m_dc(::CreateCompatibleDC(nullptr)), m_old(::SelectObject(m_dc, bitmap)) {}
    ~PixelReader()
    {
        ::SelectObject(m_dc, m_old);
        ::DeleteDC(m_dc);
    }
    COLORREF At(int x, int y) const { return ::GetPixel(m_dc, x, y); }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

TEST(Skin, EveryBitmapLoadsWithItsSize)
{
    for (const Group& group : kGroups) {
        for (int id : group.ids) {
            SCOPED_TRACE(testing::Message() << group.what << ", bitmap " << id);
            HBITMAP bitmap = LoadSkinBitmap(id);
            ASSERT_NE(bitmap, nullptr);
            BITMAP info{};
            ASSERT_NE(::GetObjectW(bitmap, sizeof(info), &info), 0);
            EXPECT_EQ(info.bmWidth, group.width);
            EXPECT_EQ(info.bmHeight, group.height);
            ::DeleteObject(bitmap);
        }
    }
}

// Pictures drawn with a transparent colour keep that colour where the picture
// has no ink: the device picture takes its top-left pixel, the help mark is
// blitted with white as the transparent colour, the check-box image list masks
// magenta around each 20 x 20 image.
TEST(Skin, TransparentGroundsAreExact)
{
    struct Case {
        int id;
        COLORREF ground;
        std::vector<POINT> points;
    };
    std::vector<Case> cases;
    for (int id : kGroups[0].ids) cases.push_back({id, RGB(255, 255, 255), {{0, 0}, {57, 0}}});
    cases.push_back({176, RGB(255, 255, 255), {{0, 0}, {56, 0}}});
    cases.push_back({188, RGB(255, 255, 255), {{0, 0}, {15, 0}, {0, 15}, {15, 15}}});
    std::vector<POINT> boxCorners;
    for (int image = 0; image < 4; ++image) {
        for (POINT p : {POINT{0, 0}, POINT{19, 0}, POINT{0, 19}, POINT{19, 19}}) {
            boxCorners.push_back({image * 20 + p.x, p.y});
        }
    }
    cases.push_back({303, RGB(255, 0, 255), boxCorners});

    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "bitmap " << c.id);
        HBITMAP bitmap = LoadSkinBitmap(c.id);
        ASSERT_NE(bitmap, nullptr);
        {
            PixelReader reader(bitmap);
            for (POINT p : c.points) EXPECT_EQ(reader.At(p.x, p.y), c.ground) << "at " << p.x << "," << p.y;
        }
        ::DeleteObject(bitmap);
    }
}

// The help mark's letter must not be pure white, or the transparent blit
// would punch it out of the disc.
TEST(Skin, HelpMarkLetterIsNotTransparent)
{
    HBITMAP bitmap = LoadSkinBitmap(188);
    ASSERT_NE(bitmap, nullptr);
    {
        PixelReader reader(bitmap);
        int letter = 0;
        for (int y = 2; y < 14; ++y) {
            for (int x = 2; x < 14; ++x) {
                COLORREF c = reader.At(x, y);
                EXPECT_NE(c, RGB(255, 255, 255)) << "at " << x << "," << y;
                if (GetRValue(c) > 240 && GetGValue(c) > 240 && GetBValue(c) > 240) ++letter;
            }
        }
        EXPECT_GT(letter, 10);
    }
    ::DeleteObject(bitmap);
}

TEST(Skin, CheckBoxImagesAreTrueColour)
{
    HBITMAP bitmap = LoadSkinBitmap(303);
    ASSERT_NE(bitmap, nullptr);
    BITMAP info{};
    ASSERT_NE(::GetObjectW(bitmap, sizeof(info), &info), 0);
    EXPECT_EQ(info.bmBitsPixel, 24);
    ::DeleteObject(bitmap);
}

TEST(Skin, ApplicationIconInBothSizes)
{
    for (int size : {32, 16}) {
        SCOPED_TRACE(testing::Message() << "size " << size);
        HICON icon = static_cast<HICON>(
            ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(128), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr);
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(icon, &info));
        BITMAP colour{};
        ASSERT_NE(::GetObjectW(info.hbmColor, sizeof(colour), &colour), 0);
        EXPECT_EQ(colour.bmWidth, size);
        EXPECT_EQ(colour.bmHeight, size);
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
        ::DestroyIcon(icon);
    }
    EXPECT_NE(::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(128)), nullptr);
}

}  // namespace
