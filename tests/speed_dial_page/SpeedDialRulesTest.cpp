// The speed-dial numbers' edit rule and their forms on the headset.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/SpeedDialRules.h"
#include "settings/SpeedDialWrite.h"

namespace {

TEST(SpeedDialEditRule, DropsCharactersAndCapsTheLength)
{
    const std::wstring digits25(25, L'7');
    const std::wstring digits20(20, L'7');
    struct Case {
        std::wstring text;
        int selStart, selEnd;
        std::wstring number;
        bool refill;
        int expectedStart, expectedEnd;
    };
    const Case cases[] = {
        {L"+49#123*", 8, 8, L"+49#123*", false, 0, 0},   // all allowed: nothing to do
        {L"", 0, 0, L"", false, 0, 0},
        {L"12a", 3, 3, L"12", true, 2, 2},               // a typed letter
        {L"1 2", 2, 2, L"12", true, 1, 1},               // a space
        {L"x12", 1, 1, L"12", true, 0, 0},
        {L"1a2b3", 5, 5, L"123", true, 4, 4},            // one place back, however many dropped
        {L"0,5", 0, 3, L"05", true, 0, 2},               // a selection moves as a whole
        {L"a", 0, 0, L"", true, 0, 0},                   // never before the start
        {digits25, 25, 25, digits20, true, 25, 25},      // pasted 25 digits: the first 20, selection kept
        {digits20, 20, 20, digits20, false, 0, 0},
        {L"\uFF11\u0661", 2, 2, L"", true, 1, 1},        // other scripts' digits are not dialled
    };
    for (const Case& c : cases) {
        const SpeedDialEdit edit = ApplySpeedDialEditRule(c.text.c_str(), c.selStart, c.selEnd);
        EXPECT_EQ(edit.number.str(), c.number) << c.text.size();
        EXPECT_EQ(edit.refill, c.refill) << edit.number.GetString();
        if (c.refill) {
            EXPECT_EQ(edit.selStart, c.expectedStart) << edit.number.GetString();
            EXPECT_EQ(edit.selEnd, c.expectedEnd) << edit.number.GetString();
        }
    }
}

// A paste with a letter among more than 20 digits keeps the digits first; the
// refill's own change notification then cuts them to 20.
TEST(SpeedDialEditRule, DroppedCharacterAndOverlengthTakeTwoChanges)
{
    const std::wstring pasted = std::wstring(12, L'1') + L"x" + std::wstring(12, L'2');
    const SpeedDialEdit first = ApplySpeedDialEditRule(pasted.c_str(), 25, 25);
    ASSERT_TRUE(first.refill);
    EXPECT_EQ(first.number.GetLength(), 24);
    const SpeedDialEdit second = ApplySpeedDialEditRule(first.number, 24, 24);
    ASSERT_TRUE(second.refill);
    EXPECT_EQ(second.number.str(), std::wstring(12, L'1') + std::wstring(8, L'2'));
}

TEST(SpeedDialForms, RequestWordsByLengthAndFamily)
{
    struct Case {
        std::wstring number;
        int minimumWords;
        int count;
    };
    const Case cases[] = {
        {L"", 0, 0},                       // an empty number on the two-interface family
        {L"", 1, 1},                       // and on every other HID headset: one zero word
        {L"112", 1, 3},
        {std::wstring(20, L'9'), 0, 20},
        {std::wstring(25, L'9'), 1, 20},   // never beyond the 20 words
    };
    for (const Case& c : cases) {
        uint16_t words[kDeviceNameWordCount];
        std::fill(std::begin(words), std::end(words), 0xFFFF);
        ASSERT_EQ(BuildSpeedDialRequestWords(c.number.c_str(), c.minimumWords, words), c.count) << c.number.size();
        for (int i = 0; i < c.count; ++i)
            EXPECT_EQ(words[i], i < static_cast<int>(c.number.size()) ? c.number[i] : 0) << i;
    }
}

TEST(SpeedDialForms, KeyIsTwentyUnitsLowByteFirstWithoutTerminator)
{
    uint8_t bytes[kPsSpeedDialLength];
    std::fill(std::begin(bytes), std::end(bytes), 0xAA);
    BuildSpeedDialKey(L"+4#", bytes);
    std::vector<uint8_t> expected(kPsSpeedDialLength, 0);
    expected[0] = '+';
    expected[2] = '4';
    expected[4] = '#';
    EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + kPsSpeedDialLength), expected);

    BuildSpeedDialKey(std::wstring(20, L'5').c_str(), bytes);
    for (int i = 0; i < kPsSpeedDialLength; ++i) EXPECT_EQ(bytes[i], i % 2 == 0 ? '5' : 0) << i;

    BuildSpeedDialKey(L"", bytes);
    EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + kPsSpeedDialLength), std::vector<uint8_t>(kPsSpeedDialLength, 0));
}

}  // namespace
