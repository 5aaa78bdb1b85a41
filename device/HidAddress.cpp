#include "device/HidAddress.h"

#include <initializer_list>
#include <iterator>

#include "device/ProductCatalogue.h"

namespace {

// A text of six hexadecimal digits as a number; at most six characters count.
unsigned long LapValue(const CString& text) { return StrToHex(text.Left(6)); }

// The threshold of each AddressThreshold, in its order; none for None.
constexpr const wchar_t* kThresholds[] = {nullptr, L"2DD49E", L"2DE43E", L"2E037E", L"2C9BD1", L"2CAF59", L"34FD7D",
                                          L"358E08"};
static_assert(std::size(kThresholds) == kAddressThresholdCount);

struct LapRange {
    const wchar_t* low;
    const wchar_t* high;
};

// 1 when the address part lies in one of the ranges, ends included.
int InAnyRange(const CString& lap, std::initializer_list<LapRange> ranges)
{
    unsigned long value = LapValue(lap);
    for (const LapRange& range : ranges) {
        if (value >= LapValue(range.low) && value <= LapValue(range.high)) return 1;
    }
    return 0;
}

}  // namespace

int IsLapAboveModelThreshold(int targetProductId, const CString& lap)
{
    const wchar_t* threshold = kThresholds[static_cast<std::size_t>(ProductTraitsOf(targetProductId).addressThreshold)];
    return threshold && LapValue(lap) > LapValue(threshold) ? 1 : 0;
}

int IsTmWpr6Address(int targetProductId, const CString& lap)
{
    return targetProductId == kTmWpr6ProductId ? InAnyRange(lap, {{L"3323F1", L"333584"}}) : 0;
}

int IsV40Item5FixRange(int targetProductId, const CString& lap)
{
    return targetProductId == kV40ProductId ? InAnyRange(lap, {{L"333D55", L"334B7D"}, {L"2E9057", L"2E90BA"}}) : 0;
}
