#include "restore/RevisionsIndex.h"

#include "firmware/FirmwareIndex.h"
#include "firmware/FirmwareServer.h"
#include "framework/File.h"

namespace {

constexpr std::wstring_view kWhiteSpace = L" \t\r\n\v\f";

std::wstring_view Trimmed(std::wstring_view s)
{
    const size_t first = s.find_first_not_of(kWhiteSpace);
    if (first == std::wstring_view::npos) return {};
    return s.substr(first, s.find_last_not_of(kWhiteSpace) - first + 1);
}

// One line taken apart at up to three ":". A ":" at the first place of what
// remains ends the splitting, so no field before a ":" is empty untrimmed.
struct IndexLine {
    int fields = 1;  // 3 or 4 for an entry
    std::wstring_view model;
    std::wstring_view version;
    std::wstring_view language;
    std::wstring_view file;
};

IndexLine SplitLine(std::wstring_view rest)
{
    IndexLine line;
    size_t colon = rest.find(L':');
    if (colon == std::wstring_view::npos || colon == 0) return line;
    line.model = Trimmed(rest.substr(0, colon));
    rest.remove_prefix(colon + 1);

    colon = rest.find(L':');
    if (colon == std::wstring_view::npos || colon == 0) return line;
    line.version = Trimmed(rest.substr(0, colon));
    rest.remove_prefix(colon + 1);
    line.file = Trimmed(rest);
    line.fields = 3;

    colon = rest.find(L':');
    if (colon == std::wstring_view::npos || colon == 0) return line;
    line.language = Trimmed(rest.substr(0, colon));
    line.file = Trimmed(rest.substr(colon + 1));
    line.fields = 4;
    return line;
}

// The version field without its leading character ("v4.2" reads 4.2; "4.2"
// loses its 4 and reads 0.0).
VersionGroup ReadVersion(std::wstring_view field, bool fourParts)
{
    VersionGroup v;
    const CString text(field.empty() ? field : field.substr(1));
    if (fourParts) ParseVersion4(text, &v.SecondaryType, &v.SecondaryVersion, &v.Major, &v.Minor);
    else ParseVersion2(text, &v.Major, &v.Minor);
    return v;
}

bool SameMajorMinor(const VersionGroup& a, const VersionGroup& b) { return a.Major == b.Major && a.Minor == b.Minor; }

bool SameFourParts(const VersionGroup& a, const VersionGroup& b)
{
    return SameMajorMinor(a, b) && a.SecondaryType == b.SecondaryType && a.SecondaryVersion == b.SecondaryVersion;
}

}  // namespace

RevisionsMatch ParseRevisionsIndex(std::wstring_view text, const RevisionsQuery& query)
{
    RevisionsMatch match;
    text = text.substr(0, text.find(L'\0'));
    const std::wstring_view model = query.modelName.str();
    const bool fourParts = query.fourPartVersion;
    // Set once the first variant of the archived version is read: the run of
    // variants then ends at the first line that is not one.
    bool inVariantRun = false;
    VariantLanguages languages;

    size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] == L'\n') {
            if (text.size() - pos < 2) break;
            ++pos;
            continue;
        }
        const size_t feed = text.find(L'\n', pos);
        const size_t end = feed == std::wstring_view::npos ? text.size() : feed;
        IndexLine line = SplitLine(text.substr(pos, end - pos));
        pos = feed == std::wstring_view::npos ? text.size() : feed + 1;
        if (line.fields > 1 && !IsPlainFileName(CString(line.file))) line.fields = 1;
        const bool ours = line.fields > 1 && !model.empty() && line.model == model;

        if (line.fields == 3) {
            if (inVariantRun) break;
            if (!ours) continue;
            const VersionGroup version = ReadVersion(line.version, fourParts);
            // The action camera's three-field lines match on major and minor alone.
            if (!SameMajorMinor(version, query.archived)) continue;
            match.found = true;
            match.chosenFile = CString(line.file);
            match.offered = version;
            break;
        }

        if (line.fields == 4 && ours) {
            const VersionGroup version = ReadVersion(line.version, fourParts);
            const bool same = fourParts ? SameFourParts(version, query.archived) : SameMajorMinor(version, query.archived);
            if (!same) {
                if (inVariantRun) break;
                continue;
            }
            const CString language(line.language);
            if (!languages.Add(language)) continue;
            match.entries.push_back({CString(line.file), language});
            if (!inVariantRun) {
                inVariantRun = true;
                match.found = true;
                match.offered = version;
                match.selection = 0;
                match.chosenFile = CString(line.file);
            } else if (language.CompareNoCase(query.firmwareLanguage) == 0) {
                match.selection = static_cast<int>(match.entries.size()) - 1;
                match.chosenFile = CString(line.file);
            }
            continue;
        }

        if (inVariantRun) break;
    }

    if (match.found && !match.entries.empty() && !query.interfaceLanguage.IsEmpty()) {
        const int preferred = languages.Find(query.interfaceLanguage);
        if (preferred >= 0) {
            match.selection = preferred;
            match.chosenFile = match.entries[static_cast<size_t>(preferred)].file;
        }
    }
    return match;
}

CString RevisionsIndexText(const char* bytes, int count) { return ServerIndexText(bytes, count); }

void StoreRevisionsMatch(const RevisionsMatch& match, bool fourPartVersion, UpdateStatus& status)
{
    if (!match.found) return;
    status.ChosenFile = match.chosenFile;
    status.OfferedMajor = match.offered.Major;
    status.OfferedMinor = match.offered.Minor;
    if (fourPartVersion) {
        status.OfferedSecondaryType = match.offered.SecondaryType;
        status.OfferedSecondaryVersion = match.offered.SecondaryVersion;
    }
    for (const RevisionsEntry& entry : match.entries) status.AddEntry(entry.file, entry.language);
}
