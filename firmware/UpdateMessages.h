// The messages of the firmware update and the firmware restore in the eleven
// user-interface languages, and the headset's voice-prompt language code of
// each user-interface language.
//
// Every message is a row of eleven literals in LanguageIndex order; a language
// outside 1 to 10 reads English. The lower-case details follow an operation's
// in-progress title as "%s %s", the failures its failure title as "%s. %s".
// "Cannot connect to the server" and "Cannot open file" are the shell's own
// (TextCannotConnectToServer, TextCannotOpenFile in app/Texts.h).
#pragma once

#include <span>

#include "app/Texts.h"
#include "framework/CString.h"

// Messages with a getter of the same name: CString Name(LanguageIndex language).
#define TORVIK_UPDATE_MESSAGES(X)                                                                 \
    X(TextNoBackupFirmware) X(TextNoBackupFirmwareOnServer) X(TextCheckingFirmware)              \
    X(TextCheckingBackupFirmware) X(TextCannotGetStatus) X(TextFirmwareCorrupted)                \
    X(TextWithoutBackupFirmware) X(TextAboutToMakeBackupFirmware) X(TextCannotGetDevice)         \
    X(TextPressButtonFormat) X(TextFailedToDownloadLatestFirmware)                               \
    X(TextAboutToDownloadLatestFirmware) X(TextAboutToDownloadBackupFirmware) X(TextUsbNotMatch) \
    X(TextCannotUpdateFirmware)

// Templates that the composing functions below fill.
#define TORVIK_UPDATE_TEMPLATES(X) X(FirmwareNotForTemplate) X(PressAfterLanguageTemplate)

enum class UpdateMessageId : int {
#define TORVIK_UPDATE_MESSAGE_ID(name) name,
    TORVIK_UPDATE_MESSAGES(TORVIK_UPDATE_MESSAGE_ID)
    TORVIK_UPDATE_TEMPLATES(TORVIK_UPDATE_MESSAGE_ID)
#undef TORVIK_UPDATE_MESSAGE_ID
    Count
};

struct UpdateMessageEntry {
    UpdateMessageId id;
    const char* name;  // as the code spells it, for diagnostics
    TextRow text;
};

// The whole table, one entry per UpdateMessageId in id order.
std::span<const UpdateMessageEntry> UpdateMessageTable();
// The literal of a message in a language (English outside 1 to 10); empty for an unknown id.
const wchar_t* UpdateMessageLiteral(UpdateMessageId id, LanguageIndex language);

#define TORVIK_UPDATE_MESSAGE_DECLARATION(name) CString name(LanguageIndex language);
TORVIK_UPDATE_MESSAGES(TORVIK_UPDATE_MESSAGE_DECLARATION)
#undef TORVIK_UPDATE_MESSAGE_DECLARATION

// "Firmware not for %s" with the display name of the product (empty for a
// product the catalogue does not know).
CString TextFirmwareNotFor(int productId, LanguageIndex language);
// "Press the [UPDATE] button" and "Press the [RESTORE] button", the caption in
// the same language as the sentence.
CString TextPressUpdateButton(LanguageIndex language);
CString TextPressRestoreButton(LanguageIndex language);
// "Press the [RESTORE] button after selecting voice prompt language".
CString TextPressRestoreAfterLanguage(LanguageIndex language);

// The code the headset uses for the voice-prompt language that matches a
// user-interface language; 0 (English) for English and any value outside 1 to 10.
int VoicePromptLanguageCode(LanguageIndex language);
