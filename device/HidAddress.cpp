#include "device/HidAddress.h"

#include <initializer_list>

namespace {

// A text of six hexadecimal digits as a number; at most six characters count.
unsigned long LapValue(const CString& text) { return StrToHex(text.Left(6)); }

struct LapThreshold {
    std::initializer_list<int> productIds;
    const wchar_t* threshold;
};

const LapThreshold kModelThresholds[] = {
    {{0x4D05, 0x4D35, 0x4D55}, L"2DD49E"},
    {{0x4D15, 0x4D45, 0x4D65, 0x5040, 0x5050}, L"2DE43E"},
    {{0x4D85}, L"2E037E"},
    {{0x4D10, 0x4D30, 0x4D40}, L"2C9BD1"},
    {{0x4D20, 0x4D50}, L"2CAF59"},
    {{0x6110}, L"34FD7D"},
    {{0x6120}, L"358E08"},
};

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
    for (const LapThreshold& row : kModelThresholds) {
        for (int id : row.productIds) {
            if (id == targetProductId) return LapValue(lap) > LapValue(row.threshold) ? 1 : 0;
        }
    }
    return 0;
}

int IsTmWpr6Address(int targetProductId, const CString& lap)
{
    return targetProductId == 0x5060 ? InAnyRange(lap, {{L"3323F1", L"333584"}}) : 0;
}

int IsV40Item5FixRange(int targetProductId, const CString& lap)
{
    return targetProductId == 0x4210 ? InAnyRange(lap, {{L"333D55", L"334B7D"}, {L"2E9057", L"2E90BA"}}) : 0;
}
