#include "firmware/FirmwareIndex.h"

#include "device/HidAddress.h"
#include "device/ProductCatalogue.h"
#include "firmware/FirmwarePageTexts.h"
#include "firmware/DfuRoad.h"
#include "firmware/FirmwareServer.h"
#include "framework/File.h"

namespace {

constexpr int kMaxFields = 4;

// One index line cut into its fields, each trimmed. A line without usable
// fields has a count of 1.
struct IndexLine {
    int count = 0;
    CString fields[kMaxFields];
};

CString Trimmed(std::wstring_view text)
{
    CString field(text);
    field.Trim();
    return field;
}

// Cuts at most four fields; a separator at the first place of the remaining
// text does not count, and the last field keeps any colons.
IndexLine SplitLine(std::wstring_view line)
{
    IndexLine out;
    if (line.size() > static_cast<size_t>(kMaxIndexLineLength)) {
        out.count = 1;
        return out;
    }
    std::wstring_view rest = line;
    while (out.count < kMaxFields - 1) {
        const size_t colon = rest.size() > 1 ? rest.find(L':', 1) : std::wstring_view::npos;
        if (colon == std::wstring_view::npos) break;
        out.fields[out.count++] = Trimmed(rest.substr(0, colon));
        rest = rest.substr(colon + 1);
    }
    out.fields[out.count++] = Trimmed(rest);
    // A file that may not become a file name, or a variant without a
    // language, makes the line unusable.
    const bool badFile = (out.count == 3 || out.count == 4) && !IsPlainFileName(out.fields[out.count - 1]);
    const bool noLanguage = out.count == 4 && out.fields[2].IsEmpty();
    if (badFile || noLanguage) out.count = 1;
    return out;
}

void ReadVersion(const CString& field, bool fourPart, FirmwareOffer& offer)
{
    const CString version = field.Mid(1);  // without its "v"
    if (fourPart) {
        ParseVersion4(version, &offer.secondaryType, &offer.secondaryVersion, &offer.major, &offer.minor);
    } else {
        ParseVersion2(version, &offer.major, &offer.minor);
    }
}

void Select(FirmwareOffer& offer, int entry)
{
    if (entry < 0 || entry >= static_cast<int>(offer.entries.size())) return;
    offer.selection = entry;
    offer.chosenFile = offer.entries[static_cast<size_t>(entry)].file;
}

// Reads the lines until one ends the parse.
void ReadLines(std::wstring_view text, const FirmwareIndexQuery& query, FirmwareOffer& offer,
               VariantLanguages& languages)
{
    bool threeFieldMatch = false;
    bool fourFieldMatch = false;
    size_t pos = 0;
    while (text.size() - pos >= 2) {
        if (text[pos] == L'\n') {
            ++pos;
            continue;
        }
        size_t end = text.find(L'\n', pos);
        if (end == std::wstring_view::npos) end = text.size();
        const IndexLine line = SplitLine(text.substr(pos, end - pos));
        pos = end;

        const bool matched = threeFieldMatch || fourFieldMatch;
        const bool ours = !query.modelName.IsEmpty() && line.fields[0] == query.modelName;
        switch (line.count) {
        case 3:
            if (matched) return;
            if (!ours) continue;
            threeFieldMatch = true;
            ReadVersion(line.fields[1], query.fourPartVersion, offer);
            offer.chosenFile = line.fields[2];
            continue;
        case 4: {
            if (threeFieldMatch) return;
            if (!ours) {
                if (fourFieldMatch) return;
                continue;
            }
            const CString& language = line.fields[2];
            if (!languages.Add(language)) continue;
            offer.entries.push_back({line.fields[3], language});
            if (!fourFieldMatch) {
                fourFieldMatch = true;
                ReadVersion(line.fields[1], query.fourPartVersion, offer);
                Select(offer, 0);
            } else if (language.CompareNoCase(query.firmwareLanguage) == 0) {
                Select(offer, languages.Find(LocalizeLanguageName(language, LanguageEnglish)));
            }
            continue;
        }
        case 2:
            if (!matched) continue;
            if (ours) offer.secondaryVersion = StrToInt(line.fields[1]);
            return;
        default:
            if (matched) return;
            continue;
        }
    }
}

}  // namespace

FirmwareOffer ParseFirmwareIndex(std::wstring_view text, const FirmwareIndexQuery& query)
{
    FirmwareOffer offer;
    VariantLanguages languages;
    text = text.substr(0, text.find(L'\0'));
    ReadLines(text, query, offer, languages);
    if (!offer.entries.empty() && !query.interfaceLanguage.IsEmpty()) {
        Select(offer, languages.Find(query.interfaceLanguage));
    }
    return offer;
}

std::wstring VariantLanguages::Key(const CString& language)
{
    // The system's upper-case table is the one that CompareNoCase compares by.
    CString key(language);
    return key.MakeUpper().str();
}

int VariantLanguages::Find(const CString& language) const
{
    const auto found = m_places.find(Key(language));
    return found == m_places.end() ? -1 : found->second;
}

bool VariantLanguages::Add(const CString& language)
{
    return m_places.emplace(Key(language), static_cast<int>(m_places.size())).second;
}

void StoreFirmwareOffer(const FirmwareOffer& offer, UpdateStatus& status)
{
    status.OfferedMajor = offer.major;
    status.OfferedMinor = offer.minor;
    status.OfferedSecondaryType = offer.secondaryType;
    status.OfferedSecondaryVersion = offer.secondaryVersion;
    status.ChosenFile = offer.chosenFile;
    for (const FirmwareIndexEntry& entry : offer.entries) status.AddEntry(entry.file, entry.language);
}

bool HasFirmwareOffer(const UpdateStatus& status)
{
    const bool someVersion = status.OfferedMajor || status.OfferedMinor || status.OfferedSecondaryType ||
                             status.OfferedSecondaryVersion;
    return someVersion && IsPlainFileName(status.ChosenFile);
}

CString SecondaryVersionSuffix(int productId, int secondaryVersion)
{
    if (secondaryVersion != 0) return CString::Formatted(L".%d", secondaryVersion);
    // The combined chip's offered version always shows its third part.
    return ProductTraitsOf(productId).Has(kCombinedChip) ? CString(L".0") : CString();
}

CString OfferedVersionText(int productId, int major, int minor, int secondaryType, int secondaryVersion)
{
    if (productId == kActionCameraProductId) {
        return CString::Formatted(L"%d.%d.%d.%d", secondaryType, secondaryVersion, major, minor);
    }
    return CString::Formatted(L"%d.%d", major, minor) + SecondaryVersionSuffix(productId, secondaryVersion);
}

CString CurrentVersionText(int productId, const VersionGroup& version)
{
    if (productId == kActionCameraProductId) {
        return OfferedVersionText(productId, version.Major, version.Minor, version.SecondaryType,
                                  version.SecondaryVersion);
    }
    CString text = CString::Formatted(L"%d.%d", version.Major, version.Minor);
    switch (version.SecondaryType) {
    case 1:
        text += L"rc";
        if (version.SecondaryVersion != 0) text.AppendFormat(L"%d", version.SecondaryVersion);
        return text;
    case 2:
        return text + SecondaryVersionSuffix(productId, version.SecondaryVersion);
    default:
        return text;
    }
}

CString LatestVersionLine(const UpdateStatus& status, int productId, LanguageIndex language)
{
    if (!HasFirmwareOffer(status)) return TextCannotConnectToServer(language);
    const CString version = OfferedVersionText(productId, status.OfferedMajor, status.OfferedMinor,
                                               status.OfferedSecondaryType, status.OfferedSecondaryVersion);
    const CString title = TextLatestVersion(language);
    if (status.EntryCount() < 2) {
        return CString::FillPlaceholders(L"%s: v%s (%s)", {title, version, status.ChosenFile});
    }
    return CString::FillPlaceholders(L"%s: v%s", {title, version});
}

CString IndexModelName(int targetProductId)
{
    if (targetProductId != kTmWpr6ProductId) return GetModelName(targetProductId, 1);
    DfuLibrarySession library;
    DFUTransportCOM transport;
    CString lap;
    if (!library.ReadFirstAddress(transport, lap)) return CString();
    return GetModelName(IsTmWpr6Address(targetProductId, lap) ? kTmWpr6BatchProductId : kTmWpr6ProductId, 1);
}

FirmwareIndexResult FetchFirmwareIndex(const FirmwareIndexQuery& query)
{
    FirmwareIndexResult result;
    CString text;
    result.fetched = FetchServerIndex(FirmwareIndexUrl(), text);
    if (result.fetched) result.offer = ParseFirmwareIndex(std::wstring_view(text.str()), query);
    return result;
}
