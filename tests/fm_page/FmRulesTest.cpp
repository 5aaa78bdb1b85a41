// The FM page's window-free rules: reading a typed preset, where spin clicks
// land on every region's band and grid, the neighbour of a newly checked row,
// the FM block in both sizes and as a key, and the texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "settings/FmRules.h"
#include "settings/FmTexts.h"
#include "settings/FmWrite.h"

namespace {

TEST(FmPresetText, TypedValuesAreRoundedToTenthsOfMegahertz)
{
    struct Case {
        const wchar_t* text;
        int expected;
    };
    const Case cases[] = {
        {L"88.14", 8810},   {L"88.15", 8820}, {L"88.149", 8810}, {L"87.5", 8750}, {L"108", 10800},
        {L"  95.0", 9500},  {L"+95", 9500},   {L"88,1", 8810},   {L"88.1MHz", 8810}, {L"107.96", 10800},
        {L"-88.1", -8810},  {L"76", 7600},    {L".5", 50},
    };
    for (const Case& c : cases) EXPECT_EQ(PresetFromText(c.text), c.expected) << std::wstring(c.text).c_str();
}

// Whatever is typed, nothing but a number on some band survives: a text that
// is no number, or that would overflow a preset, reads as 0 and is refused as
// out of the band in every region.
TEST(FmPresetText, NoNumberAndHugeNumbersAreOutOfEveryBand)
{
    const wchar_t* texts[] = {L"", L"abc", L"Empty", L"1e12", L"-1e12", L"nan", L"inf", L"-inf", L"infinity",
                              L"99999999999", L"1e39", L"\u0668\u0668"};
    for (const wchar_t* text : texts) {
        const int preset = PresetFromText(text);
        for (int region = 0; region < kFmRegionCount; ++region)
            EXPECT_EQ(ValidateFmFrequency(region, preset), 1) << std::wstring(text).c_str() << " region " << region;
    }
}

TEST(FmPresetText, ShownWithOneDecimal)
{
    EXPECT_EQ(PresetText(8750), CString(L"87.5"));
    EXPECT_EQ(PresetText(10800), CString(L"108.0"));
    EXPECT_EQ(PresetText(7600), CString(L"76.0"));
}

// One click of the spin moves its position by 10 (0.1 MHz) within the range
// the page gives it, one step beyond each end of the band.
int Click(int region, int preset, int delta)
{
    const FmRegionRange& band = FmRegionTable[region];
    const int position = std::clamp(preset + delta, band.Minimum - 1, band.Maximum + 1);
    return SpinPreset(region, position, preset);
}

// Clicking up from the minimum visits every channel of the region once, in
// order, and wraps round to the minimum; clicking down does the same in the
// other direction.
TEST(FmSpin, ClicksWalkEveryChannelOfEveryRegionAndWrap)
{
    for (int region = 0; region < kFmRegionCount; ++region) {
        SCOPED_TRACE(region);
        const FmRegionRange& band = FmRegionTable[region];
        std::vector<int> channels;
        for (int f = band.Minimum; f <= band.Maximum; f += band.Step) channels.push_back(f);

        int preset = band.Minimum;
        for (size_t i = 1; i <= channels.size(); ++i) {
            preset = Click(region, preset, 10);
            ASSERT_EQ(preset, channels[i % channels.size()]) << "click " << i;
        }
        preset = band.Minimum;
        for (size_t i = 1; i <= channels.size(); ++i) {
            preset = Click(region, preset, -10);
            ASSERT_EQ(preset, channels[(channels.size() - i) % channels.size()]) << "click " << i;
        }
    }
}

TEST(FmSpin, HeldSpinStaysOnTheGridAndWraps)
{
    struct Case {
        int region;
        int preset;
        int delta;
        int expected;
    };
    const Case cases[] = {
        {1, 8750, 100, 8850},     // Americas: 1 MHz steps keep the 0.2 MHz grid
        {1, 10750, 100, 8750},    // beyond the maximum: the minimum
        {3, 8750, -100, 10790},   // Australia: below the minimum, the maximum
        {4, 10800, 100, 8750},
        {5, 9500, 10, 7600},      // Japan's band ends at 95.0 MHz
        {0, 7600, -10, 10800},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Click(c.region, c.preset, c.delta), c.expected) << c.region << " " << c.preset;
}

// A position the spin holds off the grid (such as a preset typed for another
// region) is never kept.
TEST(FmSpin, PositionsOffTheGridEndOnAChannel)
{
    for (int region = 0; region < kFmRegionCount; ++region) {
        const FmRegionRange& band = FmRegionTable[region];
        for (int position = band.Minimum - 1; position <= band.Maximum + 1; position += 7) {
            for (int previous : {0, band.Minimum, band.Maximum, position})
                ASSERT_EQ(ValidateFmFrequency(region, SpinPreset(region, position, previous)), 0)
                    << region << " " << position << " " << previous;
        }
    }
}

TEST(FmNeighbour, LowerRowFirstThenHigherThenMinimum)
{
    const int presets[kFmPresetCount] = {8810, 0, 9000, 0, 0, 0, 10100, 0, 0, 0};
    struct Case {
        int row;
        std::vector<int> checked;
        int region;
        int expected;
    };
    const Case cases[] = {
        {4, {0, 2, 6}, 4, 9000},    // nearest lower row
        {1, {0, 2, 6}, 4, 8810},
        {0, {2, 6}, 4, 9000},       // none lower: nearest higher
        {8, {0, 6}, 4, 10100},
        {3, {}, 4, 8750},           // none at all: the region's minimum
        {3, {}, 5, 7600},
        {5, {1, 3, 7}, 1, 8750},    // checked rows without a preset do not count
        {3, {2}, 0, 9000},
    };
    for (const Case& c : cases) {
        bool checked[kFmPresetCount] = {};
        for (int i : c.checked) checked[i] = true;
        EXPECT_EQ(NeighbourPreset(c.row, presets, checked, c.region), c.expected) << "row " << c.row;
    }
}

DeviceSettings SampleBlock()
{
    DeviceSettings s;
    s.FmMagic = 0x1234;  // replaced by the writer's own
    s.FmCurrentFrequency = 9310;
    s.FmCurrentPreset = 3;
    for (int i = 0; i < kFmPresetCount; ++i) s.FmPresets[i] = 8750 + 100 * i;
    s.FmRds = 1;
    s.FmRegion = 4;
    return s;
}

TEST(FmBlock, FifteenAndElevenWords)
{
    const DeviceSettings s = SampleBlock();
    uint16_t words[kFmBlockWordCount] = {};
    ASSERT_EQ(BuildFmBlock(s, FmBlockFormOf(0x5910), words), 15);
    const std::vector<uint16_t> fifteen(words, words + 15);
    EXPECT_EQ(fifteen, (std::vector<uint16_t>{0x66E9, 9310, 3, 8750, 8850, 8950, 9050, 9150, 9250, 9350, 9450, 9550,
                                              9650, 1, 4}));

    std::fill(std::begin(words), std::end(words), 0xFFFF);
    ASSERT_EQ(BuildFmBlock(s, FmBlockFormOf(0x6012), words), 11);
    const std::vector<uint16_t> eleven(words, words + 11);
    EXPECT_EQ(eleven, (std::vector<uint16_t>{0x56E9, 9310, 3, 8750, 8850, 8950, 9050, 9150, 9250, 1, 4}));
}

TEST(FmBlock, KeyIsTheFifteenWordsLowByteFirst)
{
    uint8_t bytes[kPsFmBlockLength] = {};
    BuildFmBlockKey(SampleBlock(), bytes);
    const std::vector<uint8_t> key(bytes, bytes + kPsFmBlockLength);
    EXPECT_EQ(key, (std::vector<uint8_t>{0xE9, 0x66, 0x5E, 0x24, 0x03, 0x00, 0x2E, 0x22, 0x92, 0x22, 0xF6, 0x22,
                                         0x5A, 0x23, 0xBE, 0x23, 0x22, 0x24, 0x86, 0x24, 0xEA, 0x24, 0x4E, 0x25,
                                         0xB2, 0x25, 0x01, 0x00, 0x04, 0x00}));
}

TEST(FmTexts, RangeMessageNamesTheRegionsBand)
{
    EXPECT_EQ(GetFmPresetRangeErrorText(LanguageEnglish, 4),
              CString(L"FM Radio preset should be between 87.5 MHz and 108.0 MHz. Enter valid value again."));
    EXPECT_EQ(GetFmPresetRangeErrorText(99, 5),
              CString(L"FM Radio preset should be between 76.0 MHz and 95.0 MHz. Enter valid value again."));
    // A region the table does not know is Worldwide.
    EXPECT_EQ(GetFmPresetRangeErrorText(LanguageEnglish, 7), GetFmPresetRangeErrorText(LanguageEnglish, 0));
    for (LanguageIndex language = 0; language < LanguageCount; ++language) {
        const CString text = GetFmPresetRangeErrorText(language, 1);
        EXPECT_EQ(text.Find(L"%"), -1) << language;
        EXPECT_NE(text.Find(L"87.5"), -1) << language;
        EXPECT_GT(text.Find(L"107.9"), text.Find(L"87.5")) << language;
    }
}

TEST(FmTexts, EveryLanguageHasItsOwnTranslation)
{
    ASSERT_EQ(FmTextTable().size(), static_cast<size_t>(FmTextId::Count));
    for (size_t i = 0; i < FmTextTable().size(); ++i) {
        const FmTextEntry& entry = FmTextTable()[i];
        EXPECT_EQ(static_cast<size_t>(entry.id), i);
        for (LanguageIndex language = 1; language < LanguageCount; ++language) {
            ASSERT_NE(entry.text[language], nullptr);
            EXPECT_STRNE(entry.text[language], entry.text[0]) << language;
        }
    }
    EXPECT_EQ(GetFmPresetInvalidText(LanguageEnglish),
              CString(L"FM Radio preset is not valid. Enter valid value again."));
    for (LanguageIndex language = 0; language < LanguageCount; ++language) {
        const CString help = GetHelpRdsAf(language);
        EXPECT_EQ(help.Left(5), CString(L"[RDS ")) << language;
        EXPECT_EQ(std::count(help.str().begin(), help.str().end(), L'\n'), 1) << language;
    }
}

}  // namespace
