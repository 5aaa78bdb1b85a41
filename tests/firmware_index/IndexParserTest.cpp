// The firmware index parser: which lines of the model it reads, where it stops,
// the voice-prompt variants and their preselection, and the lines and names it
// refuses.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "firmware/FirmwareIndex.h"
#include "framework/File.h"
#include "support/HeapWork.h"

namespace {

struct Entry {
    const wchar_t* file;
    const wchar_t* language;
};

struct Expected {
    int major, minor, secondaryType, secondaryVersion;
    const wchar_t* chosenFile;
    std::vector<Entry> entries;
    int selection;
};

struct Case {
    const char* name;
    std::wstring text;
    FirmwareIndexQuery query;
    Expected expected;
};

FirmwareIndexQuery Model(const wchar_t* name, const wchar_t* firmwareLanguage = L"", const wchar_t* ui = L"",
                         bool fourPart = false)
{
    FirmwareIndexQuery query;
    query.modelName = name;
    query.firmwareLanguage = firmwareLanguage;
    query.interfaceLanguage = ui;
    query.fourPartVersion = fourPart;
    return query;
}

const Expected kNothing = {0, 0, 0, 0, L"", {}, -1};

void ExpectOffer(const Case& c)
{
    SCOPED_TRACE(c.name);
    const FirmwareOffer offer = ParseFirmwareIndex(c.text, c.query);
    EXPECT_EQ(offer.major, c.expected.major);
    EXPECT_EQ(offer.minor, c.expected.minor);
    EXPECT_EQ(offer.secondaryType, c.expected.secondaryType);
    EXPECT_EQ(offer.secondaryVersion, c.expected.secondaryVersion);
    EXPECT_EQ(offer.chosenFile, c.expected.chosenFile);
    ASSERT_EQ(offer.entries.size(), c.expected.entries.size());
    for (size_t i = 0; i < offer.entries.size(); ++i) {
        EXPECT_EQ(offer.entries[i].file, c.expected.entries[i].file) << i;
        EXPECT_EQ(offer.entries[i].language, c.expected.entries[i].language) << i;
    }
    EXPECT_EQ(offer.selection, c.expected.selection);
}

TEST(FirmwareIndexParser, ThreeFieldLines)
{
    const Case cases[] = {
        {"the model's first line wins; the next three-field line ends the parse",
         L"TKV8:v4.3:a.img\nTKV8:v4.1:b.img\n", Model(L"TKV8"), {4, 3, 0, 0, L"a.img", {}, -1}},
        {"other models before it are skipped", L"V40:v9.9:x.img\nWPR6:v1.0:y.img\nTKV8:v4.3:a.img\n", Model(L"TKV8"),
         {4, 3, 0, 0, L"a.img", {}, -1}},
        {"the model is compared exactly", L"tkv8:v4.3:a.img\nTKV8 Pro:v4.3:b.img\n", Model(L"TKV8"), kNothing},
        {"fields are trimmed, a CR before the LF too", L"  TKV8 :\tv4.3 : a.img \r\n", Model(L"TKV8"),
         {4, 3, 0, 0, L"a.img", {}, -1}},
        {"a two-field line right after sets the secondary version and ends the parse",
         L"TKV8:v4.3:a.img\nTKV8:3\nTKV8:9\n", Model(L"TKV8"), {4, 3, 0, 3, L"a.img", {}, -1}},
        {"a two-field line of another model ends the parse and changes nothing",
         L"TKV8:v4.3:a.img\nV40:3\nTKV8:9\n", Model(L"TKV8"), {4, 3, 0, 0, L"a.img", {}, -1}},
        {"a two-field line before any match is skipped", L"TKV8:7\nTKV8:v4.3:a.img\n", Model(L"TKV8"),
         {4, 3, 0, 0, L"a.img", {}, -1}},
        {"a line without a colon ends the parse after a match", L"TKV8:v4.3:a.img\nnothing here\nTKV8:5\n",
         Model(L"TKV8"), {4, 3, 0, 0, L"a.img", {}, -1}},
        {"a line without a colon before a match is skipped", L"nothing here\nTKV8:v4.3:a.img\n", Model(L"TKV8"),
         {4, 3, 0, 0, L"a.img", {}, -1}},
        {"a separator in the first place does not count", L":TKV8:v4.3:a.img\n", Model(L"TKV8"), kNothing},
        {"the action camera's four-part version", L"LUMEN:v1.0.2.5:c.img\n", Model(L"LUMEN", L"", L"", true),
         {2, 5, 1, 0, L"c.img", {}, -1}},
        {"a version that does not read leaves 0.0 with the file", L"TKV8:vX:a.img\n", Model(L"TKV8"),
         {0, 0, 0, 0, L"a.img", {}, -1}},
        {"an empty model name matches nothing, not even an empty model", L" :v1.0:a.img\nTKV8:v4.3:b.img\n", Model(L""),
         kNothing},
        {"blank lines and leading line feeds are skipped", L"\n\n\nTKV8:v4.3:a.img", Model(L"TKV8"),
         {4, 3, 0, 0, L"a.img", {}, -1}},
        {"the text ends at its first NUL", std::wstring(L"V40:v1.0:x.img\n\0TKV8:v4.3:a.img\n", 32), Model(L"TKV8"),
         kNothing},
        {"an empty index", L"", Model(L"TKV8"), kNothing},
    };
    for (const Case& c : cases) ExpectOffer(c);
}

TEST(FirmwareIndexParser, VoicePromptVariants)
{
    const std::wstring z9 = L"Z9:v2.0:English:e.img\nZ9:v2.0:French:f.img\nZ9:v2.0:English:x.img\n";
    const Case cases[] = {
        {"a language seen before is skipped", z9, Model(L"Z9"),
         {2, 0, 0, 0, L"e.img", {{L"e.img", L"English"}, {L"f.img", L"French"}}, 0}},
        {"the first variant's version counts", L"Z9:v2.0:English:e.img\nZ9:v3.0:German:g.img\n", Model(L"Z9"),
         {2, 0, 0, 0, L"e.img", {{L"e.img", L"English"}, {L"g.img", L"German"}}, 0}},
        {"a later variant in the firmware language is preselected", z9, Model(L"Z9", L"french"),
         {2, 0, 0, 0, L"f.img", {{L"e.img", L"English"}, {L"f.img", L"French"}}, 1}},
        {"the interface language wins at the end", z9 + L"Z9:v2.0:German:g.img\n", Model(L"Z9", L"German", L"French"),
         {2, 0, 0, 0, L"f.img", {{L"e.img", L"English"}, {L"f.img", L"French"}, {L"g.img", L"German"}}, 1}},
        {"an interface language without a variant leaves the choice",
         z9, Model(L"Z9", L"", L"Finnish"), {2, 0, 0, 0, L"e.img", {{L"e.img", L"English"}, {L"f.img", L"French"}}, 0}},
        {"other models before the block are skipped; the first after it ends the parse",
         L"Y1:v1.0:English:y.img\nZ9:v2.0:English:e.img\nY1:v1.0:French:y.img\nZ9:v2.0:French:f.img\n", Model(L"Z9"),
         {2, 0, 0, 0, L"e.img", {{L"e.img", L"English"}}, 0}},
        {"a three-field line of the model after the variants ends the parse",
         L"Z9:v2.0:English:e.img\nZ9:v5.0:t.img\nZ9:v2.0:French:f.img\n", Model(L"Z9"),
         {2, 0, 0, 0, L"e.img", {{L"e.img", L"English"}}, 0}},
        {"a variant after a three-field match ends the parse", L"Z9:v5.0:t.img\nZ9:v2.0:French:f.img\n", Model(L"Z9"),
         {5, 0, 0, 0, L"t.img", {}, -1}},
        {"a two-field line after the variants sets the secondary version",
         L"Z9:v2.0:English:e.img\nZ9:v2.0:French:f.img\nZ9:3\n", Model(L"Z9"),
         {2, 0, 0, 3, L"e.img", {{L"e.img", L"English"}, {L"f.img", L"French"}}, 0}},
        {"the fourth field is the rest of the line", L"Z9:v2.0:English:e.img  \r\n", Model(L"Z9"),
         {2, 0, 0, 0, L"e.img", {{L"e.img", L"English"}}, 0}},
    };
    for (const Case& c : cases) ExpectOffer(c);
}

TEST(FirmwareIndexParser, RefusedLinesAndNames)
{
    const std::wstring longLine = L"TKV8:v9.9:" + std::wstring(kMaxIndexLineLength, L'a') + L".img\n";
    // The longest name whose file fits the path limit in the program's folder.
    const std::wstring atLimit(static_cast<size_t>(LongestPlainFileName()), L'n');
    const Case cases[] = {
        {"a name at the length limit", L"TKV8:v4.3:" + atLimit + L"\n", Model(L"TKV8"),
         {4, 3, 0, 0, atLimit.c_str(), {}, -1}},
        {"a name one over it", L"TKV8:v9.9:" + atLimit + L"n\nTKV8:v4.3:a.img\n", Model(L"TKV8"),
         {4, 3, 0, 0, L"a.img", {}, -1}},
        {"a device name", L"TKV8:v9.9:NUL\nTKV8:v9.8:com1.img\nTKV8:v4.3:a.img\n", Model(L"TKV8"),
         {4, 3, 0, 0, L"a.img", {}, -1}},
        {"a query, a fragment, an escape", L"TKV8:v9.9:a?b.img\nTKV8:v9.8:a#b\nTKV8:v9.7:a%20b\nTKV8:v4.3:a.img\n",
         Model(L"TKV8"), {4, 3, 0, 0, L"a.img", {}, -1}},
        {"a file in a folder, before the match: skipped", L"TKV8:v9.9:../up.img\nTKV8:v4.3:a.img\n", Model(L"TKV8"),
         {4, 3, 0, 0, L"a.img", {}, -1}},
        {"a drive", L"TKV8:v9.9:C:\\fw.img\nTKV8:v4.3:a.img\n", Model(L"TKV8"), {4, 3, 0, 0, L"a.img", {}, -1}},
        {"a backslash", L"TKV8:v9.9:a\\b.img\nTKV8:v4.3:a.img\n", Model(L"TKV8"), {4, 3, 0, 0, L"a.img", {}, -1}},
        {"a slash", L"TKV8:v9.9:a/b.img\nTKV8:v4.3:a.img\n", Model(L"TKV8"), {4, 3, 0, 0, L"a.img", {}, -1}},
        {"no file at all", L"TKV8:v9.9:\nTKV8:v4.3:a.img\n", Model(L"TKV8"), {4, 3, 0, 0, L"a.img", {}, -1}},
        {"a colon in the rest of a variant line", L"Z9:v2.0:English:a:b.img\nZ9:v2.0:French:f.img\n", Model(L"Z9"),
         {2, 0, 0, 0, L"f.img", {{L"f.img", L"French"}}, 0}},
        {"a variant without a language", L"Z9:v2.0: :e.img\nZ9:v2.0:French:f.img\n", Model(L"Z9"),
         {2, 0, 0, 0, L"f.img", {{L"f.img", L"French"}}, 0}},
        {"a refused name after a match ends the parse", L"Z9:v2.0:English:e.img\nZ9:v2.0:French:..\\f.img\n"
                                                        L"Z9:v2.0:German:g.img\n",
         Model(L"Z9"), {2, 0, 0, 0, L"e.img", {{L"e.img", L"English"}}, 0}},
        {"an overlong line counts as a line without a colon", longLine + L"TKV8:v4.3:a.img\n", Model(L"TKV8"),
         {4, 3, 0, 0, L"a.img", {}, -1}},
    };
    for (const Case& c : cases) ExpectOffer(c);
}

// An index of as many variants as the text has lines, read and stored.
FirmwareOffer ReadVariants(int variants, UpdateStatus& status)
{
    std::wstring text;
    for (int i = 0; i < variants; ++i) {
        text += L"Z9:v2.0:Language" + std::to_wstring(i) + L":z9_" + std::to_wstring(i) + L".img\n";
    }
    const std::wstring last = L"language" + std::to_wstring(variants - 1);
    const std::wstring middle = L"Language" + std::to_wstring(variants / 2);
    const FirmwareOffer offer = ParseFirmwareIndex(text, Model(L"Z9", last.c_str(), middle.c_str()));
    StoreFirmwareOffer(offer, status);
    return offer;
}

// No limit on the variants; how long they take is tools/bench/index's.
TEST(FirmwareIndexParser, FortyThousandVariantsAreAllListed)
{
    UpdateStatus status;
    const FirmwareOffer offer = ReadVariants(40000, status);
    ASSERT_EQ(status.EntryCount(), 40000);
    EXPECT_EQ(offer.selection, 20000);
    EXPECT_EQ(status.ChosenFile, L"z9_20000.img");
}

// A hostile index of many variants costs as much again per line, however many
// came before it.
TEST(FirmwareIndexParser, ItsCostGrowsWithTheVariants)
{
    ExpectHeapWorkGrowsWithTheLines(
        [](int variants) {
            UpdateStatus status;
            ReadVariants(variants, status);
            ASSERT_EQ(status.EntryCount(), variants);
        },
        2500);
}

TEST(FirmwareIndexParser, OfferGoesIntoTheRecord)
{
    const FirmwareOffer offer =
        ParseFirmwareIndex(L"Z9:v2.0:English:e.img\nZ9:v2.0:French:f.img\nZ9:4\n", Model(L"Z9", L"French"));
    UpdateStatus status;
    status.Reset(UpdateResetModeUpdatePage);
    EXPECT_FALSE(HasFirmwareOffer(status));
    StoreFirmwareOffer(offer, status);
    EXPECT_TRUE(HasFirmwareOffer(status));
    EXPECT_EQ(status.OfferedMajor, 2);
    EXPECT_EQ(status.OfferedSecondaryVersion, 4);
    EXPECT_EQ(status.ChosenFile, L"f.img");
    ASSERT_EQ(status.EntryCount(), 2);
    EXPECT_EQ(status.EntryLanguage(1), L"French");
    EXPECT_EQ(status.EntryFile(1), L"f.img");
}

}  // namespace
