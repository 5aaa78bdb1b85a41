// The texts of the FM radio page in the eleven languages: the two warnings of
// a typed preset and the help of the RDS AF switch. One row of eleven literals
// per text in LanguageIndex order, read through TableLiteral.
#pragma once

#include <span>

#include "app/Texts.h"

enum class FmTextId : int {
    PresetRangeError,  // "FM Radio preset should be between %0.1f MHz and %0.1f MHz. ..."
    PresetInvalid,     // "FM Radio preset is not valid. Enter valid value again."
    HelpRdsAf,         // the help box of the RDS AF switch
    Count
};

struct FmTextEntry {
    FmTextId id;
    TextRow text;
};

// The whole table, one entry per FmTextId in FmTextId order.
std::span<const FmTextEntry> FmTextTable();
// A text as it stands in a language (English outside 1 to 10).
CString FmText(FmTextId id, LanguageIndex language);

// The range warning with the region's minimum and maximum in place of the two
// numbers.
CString GetFmPresetRangeErrorText(LanguageIndex language, int region);
CString GetFmPresetInvalidText(LanguageIndex language);
CString GetHelpRdsAf(LanguageIndex language);
