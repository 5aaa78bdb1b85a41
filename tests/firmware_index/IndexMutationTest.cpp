// Mutated index files: whatever a damaged or hostile index holds, the parser
// ends, reads nothing past a line's end, and offers only what a line of the
// model says, with plain file names.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "firmware/FirmwareIndex.h"
#include "framework/File.h"

namespace {

const wchar_t kBase[] =
    L"V40:v1.2:V40_v1.2.img\n"
    L"V40:17\n"
    L"Z9:v2.0:English:Z9_v2.0_en.img\r\n"
    L"Z9:v2.0:French:Z9_v2.0_fr.img\r\n"
    L"Z9:v2.0:German:Z9_v2.0_de.img\r\n"
    L"Z9:3\n"
    L"TKV8:v4.3:TKV8_v4.3.img\n"
    L"LUMEN:v1.0.2.5:LUMEN.img\n";

// Pieces a mutation inserts: separators, line ends, names that must not pass
// (device names, characters an address or the system reads otherwise, names
// at the length limit and just over it).
const std::wstring kPieces[] = {L":", L"::", L"\n", L"\r", std::wstring(1, L'\0'), L"v", L"Z9", L"Z9:", L"English",
                                L"..", L"\\", L"/", L"C:", L" ", L"\t", L"\u00FF", L"\u30D5", L"9999999999999",
                                L"-1", L".img", L":NUL", L":com1.img", L":Aux.", L"?", L"#", L"%", L"\x01",
                                L":" + std::wstring(static_cast<size_t>(LongestPlainFileName()), L'n'),
                                L":" + std::wstring(static_cast<size_t>(LongestPlainFileName()) + 1, L'n')};

std::wstring Mutate(std::wstring text, std::mt19937& random)
{
    const int rounds = 1 + static_cast<int>(random() % 6);
    for (int r = 0; r < rounds; ++r) {
        const size_t at = text.empty() ? 0 : random() % (text.size() + 1);
        switch (random() % 6) {
        case 0:  // insert a piece
            text.insert(at, kPieces[random() % std::size(kPieces)]);
            break;
        case 1:  // drop a stretch
            text.erase(at, random() % 12);
            break;
        case 2:  // change one character
            if (at < text.size()) text[at] = static_cast<wchar_t>(random() % 0x3000);
            break;
        case 3:  // cut the text
            text.resize(at);
            break;
        case 4: {  // repeat a stretch
            const std::wstring copy = text.substr(at, random() % 40);
            text.insert(random() % (text.size() + 1), copy);
            break;
        }
        default:  // a very long line
            text.insert(at, std::wstring(kMaxIndexLineLength + random() % 64, L"a:\n"[random() % 3]));
            break;
        }
    }
    return text;
}

// The line of the text, cut at its first NUL, that holds a file as a field of its own.
bool SomeLineNames(const std::wstring& text, const CString& model, const CString& file)
{
    const std::wstring visible = text.substr(0, text.find(L'\0'));
    size_t pos = 0;
    while (pos <= visible.size()) {
        size_t end = visible.find(L'\n', pos);
        if (end == std::wstring::npos) end = visible.size();
        const std::wstring line = visible.substr(pos, end - pos);
        if (line.find(model.str()) != std::wstring::npos && line.find(file.str()) != std::wstring::npos) return true;
        pos = end + 1;
    }
    return false;
}

TEST(FirmwareIndexMutation, MutatedIndexesAreReadOrSkippedLineByLine)
{
    std::mt19937 random(20240611);
    const struct {
        const wchar_t* model;
        bool fourPart;
    } queries[] = {{L"Z9", false}, {L"TKV8", false}, {L"V40", false}, {L"LUMEN", true}};
    int offers = 0;
    for (int i = 0; i < 400; ++i) {
        const std::wstring text = Mutate(kBase, random);
        for (const auto& q : queries) {
            FirmwareIndexQuery query;
            query.modelName = q.model;
            query.fourPartVersion = q.fourPart;
            query.firmwareLanguage = L"German";
            query.interfaceLanguage = (i % 2) ? L"French" : L"";
            const FirmwareOffer offer = ParseFirmwareIndex(text, query);
            SCOPED_TRACE(testing::Message() << "mutation " << i << " model " << CString(q.model).ToUtf8());

            // Only plain names, each from a line of the model.
            if (!offer.chosenFile.IsEmpty()) {
                ++offers;
                EXPECT_TRUE(IsPlainFileName(offer.chosenFile));
                EXPECT_TRUE(SomeLineNames(text, query.modelName, offer.chosenFile));
            }
            for (size_t e = 0; e < offer.entries.size(); ++e) {
                EXPECT_TRUE(IsPlainFileName(offer.entries[e].file));
                EXPECT_FALSE(offer.entries[e].language.IsEmpty());
                EXPECT_TRUE(SomeLineNames(text, query.modelName, offer.entries[e].file));
                for (size_t f = 0; f < e; ++f) EXPECT_NE(0, offer.entries[e].language.CompareNoCase(offer.entries[f].language));
            }
            // A selection always names one of the variants, and its file is the one chosen.
            if (offer.entries.empty()) {
                EXPECT_EQ(offer.selection, -1);
            } else {
                ASSERT_GE(offer.selection, 0);
                ASSERT_LT(offer.selection, static_cast<int>(offer.entries.size()));
                EXPECT_EQ(offer.chosenFile, offer.entries[static_cast<size_t>(offer.selection)].file);
            }
            // Nothing matched: nothing offered.
            if (offer.chosenFile.IsEmpty()) {
                EXPECT_EQ(offer.major | offer.minor | offer.secondaryType | offer.secondaryVersion, 0);
            }
        }
    }
    // The mutations leave most indexes readable: the checks above saw offers.
    EXPECT_GT(offers, 400);
}

}  // namespace
