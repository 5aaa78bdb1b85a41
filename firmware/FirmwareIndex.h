// The server's firmware index ("Firmware"): the lines of the connected model,
// the version and file they offer, the voice-prompt variants and which of them
// is preselected; and the texts that show an offered version. Whether an offer
// is newer than the headset's firmware is the DFU road's decision
// (IsNewerFirmwareOffered, firmware/DfuRoad.h).
//
// Index lines have up to four fields separated by ":" (a separator at the
// first place of the remaining text does not count, so no field is empty
// before its colon), each trimmed of white space:
//   model:number                   the build number of the model matched just before
//   model:vVERSION:file            the model's firmware
//   model:vVERSION:language:file   one voice-prompt variant (file: the rest of the line)
// VERSION is "major.minor", or "type.version.major.minor" for the action camera.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "device/ProductCatalogue.h"
#include "device/DeviceSettings.h"
#include "firmware/UpdateStatus.h"
#include "framework/CString.h"

// The action camera: four-part versions, secondary type and version first.

// A line longer than this counts as a line without a usable colon.
inline constexpr int kMaxIndexLineLength = 4096;

// What the parse looks for.
struct FirmwareIndexQuery {
    // The model's file-name form; an empty name matches no line.
    CString modelName;
    // Four-part versions (the action camera).
    bool fourPartVersion = false;
    // The main window's voice-prompt language (an English name): a later
    // variant in this language becomes the preselection.
    CString firmwareLanguage;
    // With the apply-to-firmware-language option on, the English name of the
    // user-interface language: the variant in it is preselected at the end.
    // Empty when the option is off.
    CString interfaceLanguage;
};

struct FirmwareIndexEntry {
    CString file;
    CString language;  // an English language name
};

// What the index offers the model.
struct FirmwareOffer {
    int major = 0;
    int minor = 0;
    int secondaryType = 0;
    int secondaryVersion = 0;
    // The file of the model's line, or of the preselected variant.
    CString chosenFile;
    // The voice-prompt variants in index order, one per language.
    std::vector<FirmwareIndexEntry> entries;
    // The preselected variant; -1 without variants.
    int selection = -1;
};

// The languages of the voice-prompt variants read so far, each with its place
// in the list, compared ignoring case as CString::CompareNoCase does: a lookup
// takes the same time however many variants came before.
class VariantLanguages {
public:
    // The place of the language; -1 when it is not listed.
    int Find(const CString& language) const;
    // Lists the language at the next place; false when it is listed already.
    bool Add(const CString& language);

private:
    static std::wstring Key(const CString& language);
    std::unordered_map<std::wstring, int> m_places;
};

// Reads the lines of the query's model. Parse rules:
// - the text ends at its first NUL; lines end at LF; a line that begins with LF
//   is skipped a character at a time; fewer than two characters left end the parse;
// - three fields: ends the parse after any match; another model's line is
//   skipped; the model's line sets the version and the chosen file;
// - four fields: end the parse after a three-field match; another model's line
//   is skipped before the model's variants and ends the parse after them; a
//   language already listed is skipped; the first variant sets the version;
// - two fields: skipped before a match; after one, the model's line sets the
//   secondary version; ends the parse after a match either way;
// - one field (no usable colon, a line longer than kMaxIndexLineLength, a file
//   that is not a plain file name, or a variant without a language): skipped
//   before a match, ends the parse after one.
// At the end, with variants and an interface language given, the variant in
// that language is preselected.
FirmwareOffer ParseFirmwareIndex(std::wstring_view text, const FirmwareIndexQuery& query);

// The offer into the update page's record (reset before): version, chosen file
// and variants.
void StoreFirmwareOffer(const FirmwareOffer& offer, UpdateStatus& status);

// True when the record names a version and a file to fetch: nothing is offered
// when no line matched (0.0.0.0).
bool HasFirmwareOffer(const UpdateStatus& status);

// The suffix of a major.minor version: ".N" for a secondary version N other
// than 0, ".0" for 0 on the two models that always show three parts, else "".
CString SecondaryVersionSuffix(int productId, int secondaryVersion);
// The offered version as the page and the offer show it: "type.version.major.minor"
// for the action camera, else "major.minor" with the suffix.
CString OfferedVersionText(int productId, int major, int minor, int secondaryType, int secondaryVersion);
// The headset's version as the offer shows it: the action camera's four parts;
// secondary type 1 as "major.minorrcN" ("2.1rc" for 0), type 2 with the
// suffix, any other type "major.minor".
CString CurrentVersionText(int productId, const VersionGroup& version);

// The page's version line in a language: "Latest Version: v..." with the file
// in parentheses when fewer than two variants are listed; the text that the
// server cannot be reached when nothing is offered.
CString LatestVersionLine(const UpdateStatus& status, int productId, LanguageIndex language);

// The model name the index is searched for: for 0x5060 the first of the
// maker's devices behind the DFU library is asked for its Bluetooth address,
// which tells the 0x5011 batch apart (empty when no device answers); for every
// other product its file-name form.
CString IndexModelName(int targetProductId);

// What a fetch of the index gave: fetched is false when the server could not
// be reached, sent nothing, sent an error answer or broke off.
struct FirmwareIndexResult {
    bool fetched = false;
    FirmwareOffer offer;
};
// Fetches the index from the server and reads it for the query (blocking,
// within the bounds of HttpDownload: run it on a worker).
FirmwareIndexResult FetchFirmwareIndex(const FirmwareIndexQuery& query);
