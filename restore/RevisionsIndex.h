// The server's revisions index ("Revisions"): the older firmware versions of
// every model, read to find the file of exactly the version that a settings
// archive recorded. Plain text, one entry per line, fields separated by ":"
// and each trimmed:
//   model:vVERSION:file            the model's firmware of that version
//   model:vVERSION:language:file   one voice-prompt variant of it
// The first character of VERSION (the "v") is dropped; the rest is
// "major.minor", or "type.version.major.minor" for the action camera. A
// fourth ":" and what follows belong to the file.
#pragma once

#include <string_view>
#include <vector>

#include "device/DeviceSettings.h"
#include "firmware/UpdateStatus.h"
#include "framework/CString.h"

// What the lookup looks for.
struct RevisionsQuery {
    // The model's file-name form, compared case-sensitively; an empty name
    // matches no line.
    CString modelName;
    // The action camera: four-part versions.
    bool fourPartVersion = false;
    // The archived firmware version.
    VersionGroup archived;
    // The main window's voice-prompt language (an English name): a further
    // variant in this language becomes the selection.
    CString firmwareLanguage;
    // With the apply-to-firmware-language option on, the English name of the
    // user-interface language: the variant in it is selected at the end.
    // Empty when the option is off.
    CString interfaceLanguage;
};

struct RevisionsEntry {
    CString file;
    CString language;  // an English language name, as the index gives it
};

// What the index holds for the archived version.
struct RevisionsMatch {
    bool found = false;
    // The file of the matching line, or of the selected variant.
    CString chosenFile;
    // The version of the matching line (the secondary parts only for four-part versions).
    VersionGroup offered;
    // The voice-prompt variants in index order, one per language (compared ignoring case).
    std::vector<RevisionsEntry> entries;
    // The selected variant; -1 without variants.
    int selection = -1;
};

// Reads the index for the query. The text ends at its first NUL; lines end at
// LF (a CR before it goes with the trimming), and a line that begins with LF is
// dropped a character at a time, the parse ending when fewer than two
// characters are left. Lines are read in order:
// - a three-field line of the model with the archived version is the match
//   and ends the parse; one with another version is passed over;
// - a run of four-field lines of the model with the archived version gives the
//   variants (a language already listed is skipped), the first one selected,
//   a later one in the firmware language selected instead, and the one in the
//   interface language, when there is one, at the end;
// - after such a run any other line ends the parse (a three-field line of any
//   model, another model's or version's line, a line of fewer fields);
//   before it, such lines are passed over.
// A line whose file is not a plain file name (empty, a folder, a drive, "..")
// counts as a line of fewer fields: no name from the server becomes a path.
RevisionsMatch ParseRevisionsIndex(std::wstring_view text, const RevisionsQuery& query);

// The 8-bit index as the server sent it (up to its first NUL), in the user's code page.
CString RevisionsIndexText(const char* bytes, int count);

// The match into the restore page's record (reset before): the chosen file,
// the offered version (the secondary parts only for four-part versions) and
// the variants. Nothing is stored for no match.
void StoreRevisionsMatch(const RevisionsMatch& match, bool fourPartVersion, UpdateStatus& status);
