#include <gtest/gtest.h>

#include "device/HidAddress.h"

namespace {

struct AddressCase {
    int productId;
    const wchar_t* lap;
    int expected;
};

TEST(HidAddress, LapAboveModelThreshold)
{
    const AddressCase cases[] = {
        {0x4D10, L"2C9BD1", 0}, {0x4D10, L"2C9BD2", 1}, {0x4D30, L"2C9BD0", 0}, {0x4D40, L"FFFFFF", 1},
        {0x4D05, L"2DD49E", 0}, {0x4D55, L"2DD49F", 1},
        {0x4D15, L"2DE43E", 0}, {0x5050, L"2DE43F", 1},
        {0x4D85, L"2E037E", 0}, {0x4D85, L"2E037F", 1},
        {0x4D20, L"2CAF59", 0}, {0x4D50, L"2caf5a", 1},  // lower case reads the same
        {0x6110, L"34FD7D", 0}, {0x6110, L"34FD7E", 1},
        {0x6120, L"358E08", 0}, {0x6120, L"358E09", 1},
        {0x5910, L"FFFFFF", 0},                          // no threshold for the model
        {0x4D10, L"2C9BD2FF", 1},                        // only six characters count
        {0x4D10, L"", 0},
    };
    for (const AddressCase& c : cases) {
        EXPECT_EQ(IsLapAboveModelThreshold(c.productId, c.lap), c.expected)
            << std::hex << c.productId << " " << CString(c.lap).ToUtf8();
    }
}

TEST(HidAddress, RangesIncludeTheirEnds)
{
    const AddressCase fixRange[] = {
        {0x4210, L"333D54", 0}, {0x4210, L"333D55", 1}, {0x4210, L"334B7D", 1}, {0x4210, L"334B7E", 0},
        {0x4210, L"2E9056", 0}, {0x4210, L"2E9057", 1}, {0x4210, L"2E90BA", 1}, {0x4210, L"2E90BB", 0},
        {0x4310, L"333D55", 0},
    };
    for (const AddressCase& c : fixRange) {
        EXPECT_EQ(IsV40Item5FixRange(c.productId, c.lap), c.expected) << CString(c.lap).ToUtf8();
    }
    const AddressCase wpr6[] = {
        {0x5060, L"3323F0", 0}, {0x5060, L"3323F1", 1}, {0x5060, L"333584", 1}, {0x5060, L"333585", 0},
        {0x5011, L"3323F1", 0},
    };
    for (const AddressCase& c : wpr6) {
        EXPECT_EQ(IsTmWpr6Address(c.productId, c.lap), c.expected) << CString(c.lap).ToUtf8();
    }
}

}  // namespace
