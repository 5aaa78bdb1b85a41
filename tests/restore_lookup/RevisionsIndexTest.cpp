// The revisions index: which line gives the archived version's file, the
// voice-prompt variants and which of them is selected.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "framework/File.h"
#include "support/HeapWork.h"
#include "restore/RevisionsIndex.h"

namespace {

RevisionsQuery Query(int major, int minor, const wchar_t* firmwareLanguage = L"English")
{
    RevisionsQuery q;
    q.modelName = L"V40";
    q.archived.Major = major;
    q.archived.Minor = minor;
    q.firmwareLanguage = firmwareLanguage;
    return q;
}

CString Languages(const RevisionsMatch& match)
{
    CString out;
    for (const RevisionsEntry& e : match.entries) {
        if (!out.IsEmpty()) out += L",";
        out += e.language;
    }
    return out;
}

using namespace std::literals;

struct Case {
    const char* name;
    std::wstring_view text;
    RevisionsQuery query;
    bool found;
    const wchar_t* chosenFile;  // when found
    const wchar_t* languages;   // the variants, in order
    int selection;
};

RevisionsQuery WithInterface(RevisionsQuery q, const wchar_t* language)
{
    q.interfaceLanguage = language;
    return q;
}

RevisionsQuery Camera(int type, int version, int major, int minor)
{
    RevisionsQuery q = Query(major, minor);
    q.modelName = L"CAM";
    q.fourPartVersion = true;
    q.archived.SecondaryType = type;
    q.archived.SecondaryVersion = version;
    return q;
}

TEST(RevisionsIndex, FindsTheArchivedVersion)
{
    const Case cases[] = {
        {"a three-field line of the version", L"V40:v4.2:V40_4_2.img\n"sv, Query(4, 2), true, L"V40_4_2.img", L"", -1},
        {"other versions before it are passed over",
         L"V40:v4.0:a.img\r\nV40:v4.1:b.img\r\nOther:v4.2:c.img\r\nV40 : v4.2 : d.img \r\n"sv, Query(4, 2), true,
         L"d.img", L"", -1},
        {"the model is compared exactly", L"v40:v4.2:a.img\nV40X:v4.2:b.img\n"sv, Query(4, 2), false, L"", L"", -1},
        {"no line of the version", L"V40:v4.1:a.img\nV40:v5.0:b.img\n"sv, Query(4, 2), false, L"", L"", -1},
        {"the leading letter is dropped: 4.2 reads as 0.0", L"V40:4.2:a.img\n"sv, Query(4, 2), false, L"", L"", -1},
        {"... and so matches an archive of 0.0", L"V40:4.2:a.img\n"sv, Query(0, 0), true, L"a.img", L"", -1},
        {"a file with a colon in it is refused",
         L"V40:v4.2:English:a:b.img\n"sv, Query(4, 2), false, L"", L"", -1},
        {"variants in index order, the first selected",
         L"V40:v4.2:English:en.img\nV40:v4.2:French:fr.img\nV40:v4.2:German:de.img\nOther:v1.0:x.img\n"sv,
         Query(4, 2, L"Dutch"), true, L"en.img", L"English,French,German", 0},
        {"a later variant in the firmware language is selected",
         L"V40:v4.2:English:en.img\nV40:v4.2:French:fr.img\nV40:v4.2:German:de.img\n"sv, Query(4, 2, L"french"),
         true, L"fr.img", L"English,French,German", 1},
        {"the interface language wins at the end",
         L"V40:v4.2:English:en.img\nV40:v4.2:French:fr.img\nV40:v4.2:German:de.img\n"sv,
         WithInterface(Query(4, 2, L"French"), L"German"), true, L"de.img", L"English,French,German", 2},
        {"an interface language without a variant keeps the selection",
         L"V40:v4.2:English:en.img\nV40:v4.2:French:fr.img\n"sv, WithInterface(Query(4, 2, L"French"), L"Korean"),
         true, L"fr.img", L"English,French", 1},
        {"a language twice gives one entry", L"V40:v4.2:English:en.img\nV40:v4.2:ENGLISH:en2.img\n"sv,
         Query(4, 2), true, L"en.img", L"English", 0},
        {"a blank line ends the run",
         L"V40:v4.2:English:en.img\r\n\r\nV40:v4.2:French:fr.img\r\n"sv, Query(4, 2, L"French"), true, L"en.img",
         L"English", 0},
        {"an empty line between LF ends is skipped as the archive reader skips it",
         L"V40:v4.2:English:en.img\n\nV40:v4.2:French:fr.img\n"sv, Query(4, 2, L"French"), true, L"fr.img",
         L"English,French", 1},
        {"a three-field line after the run ends it",
         L"V40:v4.2:English:en.img\nV40:v4.2:late.img\nV40:v4.2:French:fr.img\n"sv, Query(4, 2), true, L"en.img",
         L"English", 0},
        {"another version after the run ends it",
         L"V40:v4.2:English:en.img\nV40:v4.1:French:fr.img\nV40:v4.2:German:de.img\n"sv, Query(4, 2), true,
         L"en.img", L"English", 0},
        {"variants of other versions before the run are passed over",
         L"V40:v4.1:English:old.img\nOther:v4.2:English:x.img\nV40:v4.2:German:de.img\n"sv, Query(4, 2), true,
         L"de.img", L"German", 0},
        {"a three-field line of the version before variants wins at once",
         L"V40:v4.2:plain.img\nV40:v4.2:English:en.img\n"sv, Query(4, 2), true, L"plain.img", L"", -1},
        {"the camera's four-field lines match on all four numbers",
         L"CAM:v1.2.3.4:English:a.img\nCAM:v7.8.3.4:English:b.img\n"sv, Camera(7, 8, 3, 4), true, L"b.img",
         L"English", 0},
        {"... its three-field lines on major and minor", L"CAM:v9.9.3.4:c.img\n"sv, Camera(7, 8, 3, 4), true,
         L"c.img", L"", -1},
        {"a text ends at its first NUL", L"V40:v4.1:a.img\n\0V40:v4.2:b.img\n"sv, Query(4, 2), false, L"", L"", -1},
        {"an empty model name matches nothing", L" :v4.2:a.img\n"sv, RevisionsQuery{}, false, L"", L"", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RevisionsMatch match = ParseRevisionsIndex(c.text, c.query);
        EXPECT_EQ(c.found, match.found);
        if (c.found) { EXPECT_EQ(CString(c.chosenFile), match.chosenFile); }
        EXPECT_EQ(CString(c.languages), Languages(match));
        EXPECT_EQ(c.selection, match.selection);
    }
}

// (A drive letter cannot come through: its colon makes the line one field longer.)
TEST(RevisionsIndex, NamesThatAreNotPlainFileNamesAreNotEntries)
{
    const CString overlong(L'n', LongestPlainFileName() + 1);
    for (const CString& file : {CString(L"../x.img"), CString(L"..\\x.img"), CString(L"a/b.img"),
                                CString(L"\\\\host\\x.img"), CString(L".."), CString(), CString(L"NUL"),
                                CString(L"Com1.img"), CString(L"a?b.img"), overlong}) {
        const CString plain = CString(L"V40:v4.2:") + file + L"\n";
        EXPECT_FALSE(ParseRevisionsIndex(plain.str(), Query(4, 2)).found) << CString(file).ToUtf8();
        // As a variant it ends nothing before the run and is no entry itself.
        const CString variant = CString(L"V40:v4.2:English:") + file + L"\nV40:v4.2:French:fr.img\n";
        const RevisionsMatch match = ParseRevisionsIndex(variant.str(), Query(4, 2));
        EXPECT_EQ(CString(L"French"), Languages(match)) << CString(file).ToUtf8();
        EXPECT_EQ(CString(L"fr.img"), match.chosenFile);
    }
}

TEST(RevisionsIndex, TheMatchGoesIntoTheRecord)
{
    UpdateStatus status;
    status.Reset(UpdateResetModeRestorePage);
    status.OfferedSecondaryType = 5;
    const RevisionsMatch match =
        ParseRevisionsIndex(L"V40:v4.2:English:en.img\nV40:v4.2:French:fr.img\n", Query(4, 2, L"French"));
    StoreRevisionsMatch(match, false, status);
    EXPECT_EQ(CString(L"fr.img"), status.ChosenFile);
    EXPECT_EQ(4, status.OfferedMajor);
    EXPECT_EQ(2, status.OfferedMinor);
    EXPECT_EQ(5, status.OfferedSecondaryType);  // two-part versions leave the secondary parts alone
    ASSERT_EQ(2, status.EntryCount());
    EXPECT_EQ(CString(L"en.img"), status.EntryFile(0));
    EXPECT_EQ(CString(L"French"), status.EntryLanguage(1));

    UpdateStatus camera;
    StoreRevisionsMatch(ParseRevisionsIndex(L"CAM:v7.8.3.4:c.img\n", Camera(0, 0, 3, 4)), true, camera);
    EXPECT_EQ(7, camera.OfferedSecondaryType);
    EXPECT_EQ(8, camera.OfferedSecondaryVersion);

    UpdateStatus none;
    StoreRevisionsMatch(ParseRevisionsIndex(L"V40:v1.0:a.img\n", Query(4, 2)), false, none);
    EXPECT_TRUE(none.ChosenFile.IsEmpty());
    EXPECT_EQ(0, none.EntryCount());
}

// An index of as many variants as the text has lines, read and stored.
RevisionsMatch ReadVariants(int variants, UpdateStatus& status)
{
    std::wstring text;
    for (int i = 0; i < variants; ++i)
        text += L"V40:v4.2:Language" + std::to_wstring(i) + L":v40_" + std::to_wstring(i) + L".img\n";
    const std::wstring last = L"language" + std::to_wstring(variants - 1);
    const std::wstring middle = L"Language" + std::to_wstring(variants / 2);
    const RevisionsMatch match = ParseRevisionsIndex(text, WithInterface(Query(4, 2, last.c_str()), middle.c_str()));
    status.Reset(UpdateResetModeRestorePage);
    StoreRevisionsMatch(match, false, status);
    return match;
}

// No limit on the variants; how long they take is tools/bench/index's.
TEST(RevisionsIndex, FortyThousandVariantsAreAllListed)
{
    UpdateStatus status;
    const RevisionsMatch match = ReadVariants(40000, status);
    ASSERT_EQ(status.EntryCount(), 40000);
    EXPECT_EQ(match.selection, 20000);
    EXPECT_EQ(status.ChosenFile, L"v40_20000.img");
}

// A hostile index of many variants costs as much again per line, however many
// came before it.
TEST(RevisionsIndex, ItsCostGrowsWithTheVariants)
{
    ExpectHeapWorkGrowsWithTheLines(
        [](int variants) {
            UpdateStatus status;
            ReadVariants(variants, status);
            ASSERT_EQ(status.EntryCount(), variants);
        },
        2500);
}

TEST(RevisionsIndex, TheServerTextEndsAtItsFirstNul)
{
    const char bytes[] = "V40:v4.2:a.img\n\0garbage";
    EXPECT_EQ(CString(L"V40:v4.2:a.img\n"), RevisionsIndexText(bytes, static_cast<int>(sizeof bytes)));
    EXPECT_EQ(CString(L"V40"), RevisionsIndexText(bytes, 3));
    EXPECT_TRUE(RevisionsIndexText(nullptr, 5).IsEmpty());
    EXPECT_TRUE(RevisionsIndexText(bytes, 0).IsEmpty());
}

}  // namespace
