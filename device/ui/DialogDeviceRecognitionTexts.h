// The texts of the recognition page and of the boxes and statuses the
// recognition pass shows, in the eleven languages (English for a language
// outside 1 to 10).
#pragma once

#include "app/Texts.h"
#include "device/Recognition.h"
#include "settings/HelpTexts.h"  // the support address and its link

// Box titles and status details.
CString GetActivatedTitleText(LanguageIndex language);
// "less USB interface(s)" after outcomes 5 and 7, "more ..." after the others.
CString GetUsbInterfaceCountTitleText(RecognitionOutcome outcome, LanguageIndex language);
CString GetOddUsbInterfaceTitleText(LanguageIndex language);

// The step that asks for the NEXT button, numbered.
CString PressButtonStepText(int step, LanguageIndex language);
// The four connection steps; the first asks to unplug the cable in page mode
// 1, to disconnect the Bluetooth devices otherwise.
CString UsbConnectStepsText(int pageMode, LanguageIndex language);
// The instructions of the page: connection, the product's key, NEXT.
CString OemProductStepsText(LanguageIndex language);
// The maker's products and how each is connected, then NEXT (lines end with
// a carriage return and a line feed, for the edit control).
CString MakerProductStepsText(LanguageIndex language);
CString OemProductListText(LanguageIndex language);

// Box texts. The activated message keeps its "%s" for the connection steps,
// the other-device text its "%s" for the model name.
CString ActivatedMessageText(LanguageIndex language);
CString SupportMailText(LanguageIndex language);
// "USB interface(s) less than expected is(are) obtained." (obtained non-zero)
// or "... found.", then the support line.
CString UsbInterfaceCountText(int obtained, RecognitionOutcome outcome, LanguageIndex language);
CString UsbInterfaceProblemText(LanguageIndex language);
CString OtherDeviceText(LanguageIndex language);
