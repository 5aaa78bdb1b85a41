// The device line of the frame: picture, name and firmware version text.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/DeviceLine.h"

namespace {

TEST(DeviceLine, PictureOfEachProduct)
{
    struct Case {
        int product;
        int variant;
        int bitmap;
    };
    const Case cases[] = {
        {0x2010, -1, 222}, {0x2110, -1, 222}, {0x4D10, -1, 178}, {0x5414, -1, 370}, {0x6018, -1, 357},
        {0x5526, -1, 360}, {0x4210, 0, 284},  {0x4210, 11, 284}, {0x4210, 16, 358}, {0x4210, 27, 358},
        {0x4210, 5, 360},  {0x4210, -1, 284}, {0x1234, -1, 186}, {0, -1, 186},
    };
    for (const Case& c : cases) EXPECT_EQ(c.bitmap, DeviceImageIdFor(c.product, c.variant)) << std::hex << c.product;
    const std::vector<int> ids = DevicePictureIds();
    EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
    EXPECT_EQ(ids.end(), std::adjacent_find(ids.begin(), ids.end()));
    EXPECT_NE(ids.end(), std::find(ids.begin(), ids.end(), 176));
}

TEST(DeviceLine, NameIsCutBeforeItsLastSpaceWhenItHoldsAPoint)
{
    EXPECT_EQ(CString(L"TKV8 v1.2"), DeviceNameCaption(L"TKV8 v1.2 0011"));
    EXPECT_EQ(CString(L"TKV8 headset"), DeviceNameCaption(L"TKV8 headset"));
    EXPECT_EQ(CString(L"v1.2"), DeviceNameCaption(L"v1.2"));
    EXPECT_EQ(CString(L""), DeviceNameCaption(L""));
}

DeviceSettings Record(int product, VersionGroup firmware, VersionGroup first = {}, VersionGroup second = {})
{
    DeviceSettings s;
    s.ProductId = product;
    s.Firmware = firmware;
    s.FirstInterface = first;
    s.SecondInterface = second;
    return s;
}

TEST(DeviceLine, VersionTextByTypeAndProduct)
{
    struct Case {
        DeviceSettings settings;
        const wchar_t* text;
    };
    const Case cases[] = {
        {Record(0x4D10, {4, 2, 0, 0}), L"v4.2"},
        {Record(0x4D10, {4, 2, 1, 3}), L"v4.2rc3"},
        {Record(0x4D10, {4, 2, 1, 0}), L"v4.2rc"},
        {Record(0x5910, {1, 0, 2, 5}), L"v1.0.5"},
        {Record(0x5910, {1, 0, 2, 0}), L"v1.0"},
        {Record(0x5910, {1, 0, 7, 5}), L"v1.0"},
        {Record(0x3020, {2, 5, 1, 0}), L"v1.0.2.5"},
        {Record(0x4310, {9, 9}, {1, 1, 2, 3}, {1, 1, 2, 3}), L"v1.1.3"},
        {Record(0x4310, {9, 9}, {1, 1, 2, 3}, {1, 2, 1, 0}), L"v1.1.3 / v1.2rc"},
        {Record(0x5345, {9, 9}, {1, 5, 0, 0}, {1, 5, 0, 0}), L"v1.5.0"},
        {Record(0x5345, {9, 9}, {1, 5, 0, 0}, {2, 0, 1, 0}), L"v1.5.0 / v2.0.0"},
    };
    for (const Case& c : cases) EXPECT_EQ(CString(c.text), DeviceVersionText(c.settings)) << CString(c.text).ToUtf8();
}

TEST(DeviceLine, CameraHeadsetShowsItsFirstInterfaceVersionAlone)
{
    DeviceSettings s;
    s.ProductId = 0x3110;
    s.Firmware = {9, 9, 0, 0};
    s.FirstInterface = {2, 1, 2, 4};
    s.SecondInterface = {3, 0, 0, 0};
    // Its version is its first interface's; the second is never appended.
    EXPECT_EQ(CString(L"v2.1.4"), DeviceVersionText(s));
}

}  // namespace
