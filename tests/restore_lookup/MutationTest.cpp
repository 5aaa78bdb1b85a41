// Damaged revisions indexes and settings archives: each is read to a defined
// result or refused, and whatever the page then shows of it is sound.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "firmware/SettingsArchive.h"
#include "framework/File.h"
#include "restore/ArchivedSettings.h"
#include "restore/RevisionsIndex.h"
#include "support/TempFolder.h"

namespace {

constexpr int kMutations = 300;

// Cuts, inserts, replaces and repeats pieces of text, favouring the
// characters that the readers split on and names that must not pass.
std::wstring Mutate(std::wstring text, std::mt19937& random)
{
    using namespace std::literals;
    static const std::wstring kInteresting = L":\n\r \t=v.\\/0123456789-\0xyz\u00E9..?#%\x01"s;
    static const size_t longest = static_cast<size_t>(LongestPlainFileName());
    static const std::wstring kNames[] = {L":NUL", L":con.img", L":LPT9", std::wstring(longest, L'n'),
                                          std::wstring(longest + 1, L'n')};
    const int steps = 1 + static_cast<int>(random() % 4);
    for (int step = 0; step < steps; ++step) {
        const size_t at = text.empty() ? 0 : random() % (text.size() + 1);
        const wchar_t ch = kInteresting[random() % kInteresting.size()];
        switch (random() % 7) {
        case 0: text.insert(at, 1, ch); break;
        case 1: if (at < text.size()) text[at] = ch; break;
        case 2: text.erase(at, random() % 8); break;
        case 3: text.insert(at, text.substr(random() % (text.size() + 1), random() % 40)); break;
        case 4: text.insert(at, std::to_wstring(static_cast<int>(random()))); break;
        case 5: text.resize(at); break;
        case 6: text.insert(at, kNames[random() % std::size(kNames)]); break;
        }
    }
    return text;
}

TEST(Mutation, RevisionsIndexesReadToADefinedResult)
{
    const std::wstring index =
        L"V40:v4.1:V40_4_1.img\r\n"
        L"Other:v4.2:English:other.img\r\n"
        L"V40:v4.2:English:V40_4_2_en.img\r\n"
        L"V40:v4.2:French:V40_4_2_fr.img\r\n"
        L"V40:v4.2:German:V40_4_2_de.img\r\n"
        L"V40:v4.3:V40_4_3.img\r\n";
    RevisionsQuery query;
    query.modelName = L"V40";
    query.archived.Major = 4;
    query.archived.Minor = 2;
    query.firmwareLanguage = L"French";
    query.interfaceLanguage = L"German";

    std::mt19937 random(20240611);
    int found = 0;
    for (int i = 0; i < kMutations; ++i) {
        const std::wstring text = Mutate(index, random);
        SCOPED_TRACE(CString(text).ToUtf8());
        const RevisionsMatch match = ParseRevisionsIndex(text, query);
        if (!match.found) {
            EXPECT_TRUE(match.entries.empty());
            EXPECT_EQ(-1, match.selection);
            continue;
        }
        ++found;
        EXPECT_TRUE(IsPlainFileName(match.chosenFile));
        EXPECT_EQ(4, match.offered.Major);
        EXPECT_EQ(2, match.offered.Minor);
        if (match.entries.empty()) {
            EXPECT_EQ(-1, match.selection);
            continue;
        }
        ASSERT_GE(match.selection, 0);
        ASSERT_LT(match.selection, static_cast<int>(match.entries.size()));
        EXPECT_EQ(match.entries[static_cast<size_t>(match.selection)].file, match.chosenFile);
        for (size_t a = 0; a < match.entries.size(); ++a) {
            EXPECT_TRUE(IsPlainFileName(match.entries[a].file));
            for (size_t b = a + 1; b < match.entries.size(); ++b)
                EXPECT_NE(0, match.entries[a].language.CompareNoCase(match.entries[b].language));
        }
    }
    // The damage leaves enough indexes whole that the match itself is exercised.
    EXPECT_GT(found, kMutations / 10);
}

TEST(Mutation, ArchivesReadToADefinedResultAndShowSoundTexts)
{
    TempFolder folder(L"restore_mutation");
    const CString imgFolder = folder.Path() + L"\\";
    std::mt19937 random(7);
    const int products[] = {0x4D10, 0x5510, 0x5210, 0x6010, 0x3110, 0x4210, 0x3020};
    int restorable = 0;
    for (int i = 0; i < kMutations; ++i) {
        const int product = products[static_cast<size_t>(i) % std::size(products)];
        DeviceSettings source;
        source.SetDefaults(product, 4, 2);
        source.ProductId = product;
        source.Firmware.Major = 4;
        source.Firmware.Minor = 2;
        source.SpeedDialNumbers[0] = L"0123";
        const std::wstring text = Mutate(SettingsArchiveText(source).str(), random);
        SCOPED_TRACE(CString(text).ToUtf8());
        ASSERT_TRUE(WriteWholeFile(SettingsArchivePath(imgFolder, product), CString(text).ToAnsi()));

        // A value of an earlier read that no archive sets never survives.
        DeviceSettings archived;
        archived.SettingWords[kSettingWordCount - 1] = 12345;
        const int result = LoadSettingsArchive(product, archived, imgFolder);
        ASSERT_TRUE(result == 0 || result == 1);
        EXPECT_EQ(IsRestorableArchive(archived), result);
        restorable += result;
        EXPECT_EQ(0, archived.SettingWords[kSettingWordCount - 1]);
        EXPECT_GE(archived.FmRegion, 0);
        EXPECT_LE(archived.FmRegion, 5);

        const LanguageIndex language = static_cast<LanguageIndex>(random() % LanguageCount);
        for (int section = 0; section <= kSectionFmRadio; ++section) {
            const ArchivedLabels labels = BuildArchivedLabels(product, archived, section, i % 3, language);
            EXPECT_FALSE(labels.title.IsEmpty());
            EXPECT_FALSE(labels.version.IsEmpty());
            for (int n = 0; n < kArchivedPairCount; ++n) {
                if (!((labels.shownPairs >> n) & 1u)) continue;
                EXPECT_FALSE(labels.names[n].IsEmpty()) << n;
                EXPECT_FALSE(labels.values[n].IsEmpty()) << n;
            }
            const ArchivedList list = BuildArchivedList(product, archived, archived, section, language);
            for (const ArchivedListRow& row : list.rows) {
                EXPECT_FALSE(row.label.IsEmpty());
                EXPECT_FALSE(row.value.IsEmpty());
            }
        }
    }
    EXPECT_GT(restorable, 0);
}

}  // namespace
