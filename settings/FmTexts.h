// The texts of the FM radio page in the eleven languages: the two warnings of
// a typed preset and the help of the RDS AF switch. One row of eleven literals
// per text in LanguageIndex order, read through TextColumn.
#pragma once

#include "app/Texts.h"

// "FM Radio preset should be between %0.1f MHz and %0.1f MHz. ..." with the
// region's minimum and maximum in place of the two numbers.
CString GetFmPresetRangeErrorText(LanguageIndex language, int region);
// "FM Radio preset is not valid. Enter valid value again."
CString GetFmPresetInvalidText(LanguageIndex language);
// The help box of the RDS AF switch.
CString GetHelpRdsAf(LanguageIndex language);

// The rows themselves, for the checks that walk every language.
const TextRow& FmPresetRangeErrorTexts();
const TextRow& FmPresetInvalidTexts();
const TextRow& HelpRdsAfTexts();
