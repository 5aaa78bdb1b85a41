// The texts of the firmware update page and of the new-firmware offer, in the
// eleven user-interface languages (English outside 1 to 10).
#pragma once

#include <span>

#include "app/Texts.h"
#include "framework/CString.h"

// Texts with a getter of the same name: CString Name(LanguageIndex language).
#define TORVIK_FIRMWARE_PAGE_TEXTS(X)                                                            \
    X(TextBrowse) X(TextDownload) X(TextLatestVersion) X(TextFirmwareToUpdate)                 \
    X(TextFirmwareFileFilter) X(TextVoicePromptSteps) X(TextClearPairingAdvice)                \
    X(TextCameraUpdateSteps) X(TextNewFirmwareAvailable) X(TextCurrentVersion) X(TextNewVersion)

enum class FirmwarePageTextId : int {
#define TORVIK_FIRMWARE_PAGE_TEXT_ID(name) name,
    TORVIK_FIRMWARE_PAGE_TEXTS(TORVIK_FIRMWARE_PAGE_TEXT_ID)
#undef TORVIK_FIRMWARE_PAGE_TEXT_ID
    PowerCycleToApplyTemplate,
    Count
};

struct FirmwarePageTextEntry {
    FirmwarePageTextId id;
    const char* name;  // as the code spells it, for diagnostics
    TextRow text;
};

// The whole table, one entry per id in id order.
std::span<const FirmwarePageTextEntry> FirmwarePageTextTable();

#define TORVIK_FIRMWARE_PAGE_TEXT_DECLARATION(name) CString name(LanguageIndex language);
TORVIK_FIRMWARE_PAGE_TEXTS(TORVIK_FIRMWARE_PAGE_TEXT_DECLARATION)
#undef TORVIK_FIRMWARE_PAGE_TEXT_DECLARATION

// "%s.\nPower off and power on GZM6 to apply new firmware." with the success text.
CString TextPowerCycleToApply(const wchar_t* successText, LanguageIndex language);

// The filter of the Browse dialog.
inline constexpr const wchar_t* kBrowseFileFilter = L"*.img|*.IMG|";
