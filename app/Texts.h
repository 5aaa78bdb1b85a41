// Every text the user sees, in the eleven user-interface languages.
//
// Each text is one row of eleven literals in LanguageIndex order (see TextTable.cpp),
// served by one resolver: languages 1 to 10 get their own literal, English (0) and
// any other value, negative or above 10, get the English one. Getters return a new
// string the caller owns.
#pragma once

#include <array>
#include <initializer_list>
#include <span>
#include <string_view>

#include "framework/CString.h"

// The user-interface language.
using LanguageIndex = int;

enum : LanguageIndex {
    LanguageEnglish, LanguageFrench, LanguageGerman, LanguageItalian, LanguageJapanese, LanguageKorean,
    LanguageSpanish, LanguageDutch, LanguageRussian, LanguageChinese, LanguageFinnish,
    LanguageCount
};

// The index a row of literals is read at: the language itself for 1 to 10, else English.
constexpr int TextColumn(LanguageIndex language)
{
    return (language >= 1 && language < LanguageCount) ? language : LanguageEnglish;
}

using TextRow = std::array<const wchar_t*, LanguageCount>;

// The resolver of a table of texts (entries with a TextRow `text`, indexed by
// their id): the literal of entry `index` in a language (English outside 1 to
// 10); an index outside the table gives an empty text.
template <typename Entry>
const wchar_t* TableLiteral(std::span<const Entry> table, int index, LanguageIndex language)
{
    if (index < 0 || static_cast<size_t>(index) >= table.size()) return L"";
    return table[static_cast<size_t>(index)].text[static_cast<size_t>(TextColumn(language))];
}

// Texts with a getter of the same name: CString Name(LanguageIndex language).
#define TORVIK_TEXT_GETTERS(X)                                                                  \
    X(TextManagerLanguage) X(TextOk) X(TextSendEmail) X(TextCancel) X(TextYes) X(TextNo)       \
    X(TextBack) X(TextNext) X(TextNewDevice) X(TextUpdate) X(TextRestore) X(TextSave)          \
    X(TextCannotOpenUsb) X(TextFirmwareManagementMode) X(TextCheckSdCard) X(TextTryAgain)      \
    X(TextCameraUpdateFailed) X(TextNotRecognizedDevice) X(TextCannotCreateBackup)             \
    X(TextFirmware) X(TextEnable) X(TextDisable) X(TextEnabled) X(TextDisabled)                \
    X(TextSeconds) X(TextWrongDevice) X(TextVersion) X(TextFirmwareNotSupported) X(TextAbout)  \
    X(TextOnlineHelp) X(TextDiagnosticLog) X(TextClose) X(TextDefault) X(TextMoreSettings)     \
    X(TextJogDial) X(TextPhoneButton) X(TextCenterButton) X(TextPlusButton)                    \
    X(TextMinusButton) X(TextLeftButton) X(TextRightButton) X(TextPttButton)                   \
    X(TextPairingButton) X(TextCannotConnectToServer) X(TextCannotOpenFile)                    \
    X(TextPathTooLong) X(TextNameNotValid) X(TextFolderNotFound)                               \
    X(TextDownloadingManagerUpdate) X(TextManagerUpdateDownloaded) X(ManagerUpdateFileFilter)  \
    X(TextApplyToVoicePromptLanguage) X(NoDeviceCaption) X(RecognizedCaption)                  \
    X(FirmwareCaption) X(ManagementCaption)

// Titles and templates that the composing functions below fill.
#define TORVIK_TEXT_TEMPLATES(X)                                                                \
    X(TitleWelcome) X(TitleDeviceRecognition) X(TitleFirmwareUpdate) X(TitleFirmwareRestore)   \
    X(TitleDeviceSetting) X(TitleModeNotAvailable) X(HoldKeyTemplate) X(HoldTwoKeysTemplate)   \
    X(BackupCreationFailedTemplate) X(NewerManagerAvailableTemplate)                           \
    X(SaveChangesQuestionTemplate) X(ReadyPressTemplate) X(ReadyForTemplate)                   \
    X(ReadyForUpdateModeTemplate) X(StatusSelecting) X(StatusRecognizing)                      \
    X(StatusUpdating) X(StatusRestoring) X(StatusSaving) X(StatusSelectedTemplate)             \
    X(StatusRecognizedTemplate) X(StatusUpdated) X(StatusRestored) X(StatusSaved)              \
    X(StatusRecognizeFailed) X(StatusUpdateFailed) X(StatusRestoreFailed) X(StatusSaveFailed)

enum class TextId : int {
#define TORVIK_TEXT_ID(name) name,
    TORVIK_TEXT_GETTERS(TORVIK_TEXT_ID)
    TORVIK_TEXT_TEMPLATES(TORVIK_TEXT_ID)
#undef TORVIK_TEXT_ID
    Count
};

inline constexpr int kTextIdCount = static_cast<int>(TextId::Count);

struct TextEntry {
    TextId id;
    TextRow text;
};

// The whole table, one entry per TextId in TextId order.
std::span<const TextEntry> TextTable();
// The name of a text as the code spells it ("TextOk", "TitleWelcome"), for diagnostics.
const char* TextName(TextId id);

// Fills the "%s" and "%d" fields of a text in order, each by literal
// replacement, so that nothing a value holds is ever read as a field.
CString FillFields(const wchar_t* text, std::initializer_list<std::wstring_view> values);

// The resolver: the literal of a text in a language (English outside 1 to 10); an
// unknown id gives an empty text.
const wchar_t* TextLiteral(TextId id, LanguageIndex language);
inline CString LocalizedText(TextId id, LanguageIndex language) { return CString(TextLiteral(id, language)); }

#define TORVIK_TEXT_GETTER_DECLARATION(name) CString name(LanguageIndex language);
TORVIK_TEXT_GETTERS(TORVIK_TEXT_GETTER_DECLARATION)
#undef TORVIK_TEXT_GETTER_DECLARATION

// Language names.
// The 121 names: row = display language, column = language, both in LanguageIndex order.
std::span<const TextRow> LanguageNameTable();
// The name of language `index` written in `display`: a display language outside 1 to 10
// uses the English names, an index outside 1 to 10 gives the display language's word for English.
CString LanguageName(LanguageIndex index, LanguageIndex display);
// The configuration-file form of a language: its English name.
CString EnglishLanguageName(LanguageIndex index);
// The first of 0 to 10 whose English name equals `name` regardless of case; when none
// does, -1, or 0 when `fallbackToEnglish` is nonzero.
LanguageIndex LanguageIndexFromName(const wchar_t* name, int fallbackToEnglish);
// An English language name written in the display language; any other name unchanged.
CString LocalizeLanguageName(const wchar_t* name, LanguageIndex display);

// strftime-style date and time format of a language.
CString DateTimeFormat(LanguageIndex language);

// Page titles by page number 1 to 7; any other page is "MODE NOT AVAILABLE".
CString PageTitle(int page, LanguageIndex language);

// The same in every language.
CString ProductCaption(LanguageIndex language = LanguageEnglish);
CString CopyrightText(LanguageIndex language = LanguageEnglish);

// The running manager's version, 1.0.1, as its texts show it ("v%d.%d%s").
inline constexpr int kManagerVersionMajor = 1;
inline constexpr int kManagerVersionMinor = 0;
inline constexpr const wchar_t* kManagerVersionSuffix = L".1";

// "Press and hold the ... until this message disappears." with the key (or the two keys)
// that the target product uses to enter its update mode.
CString TextHoldKey(LanguageIndex language, int productId);
CString TextHoldTwoKeys(LanguageIndex language, int productId);
// The manual-update advice shown when the settings archive could not be written.
CString TextBackupCreationFailed(LanguageIndex language);
// The manager update prompt for the offered version major.minor.third.
CString TextNewerManagerAvailable(int major, int minor, int third, LanguageIndex language);
