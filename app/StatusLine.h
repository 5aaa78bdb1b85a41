// The status line at the bottom of the main window, kept in all eleven languages at
// once so that a change of language shows the same status without repeating the
// operation; the per-page status texts it is composed from; and the captions of the
// frame's buttons, built from the same page titles.
//
// Page numbers: 1 welcome, 2 device recognition, 3 firmware update, 4 firmware
// restore, 5 to 7 the settings pages. The USB status word is the product id under
// which the headset is attached; 0x8000 and above means firmware-update mode.
#pragma once

#include <array>

#include "app/Texts.h"
#include "framework/CString.h"

// Status families. Any other page number gives an empty text; the USB status word
// only matters to the ready text of pages 3 and 4.
CString StatusReadyFormat(int page, int usbStatus, LanguageIndex language);
CString StatusInProgressText(int page, int usbStatus, LanguageIndex language);
// Pages 1 and 2 still hold placeholders ("%s selected. %s", "... successfully. %s")
// that their callers fill.
CString StatusSuccessText(int page, int usbStatus, LanguageIndex language);
CString StatusFailureText(int page, int usbStatus, LanguageIndex language);

// A status of a title and a detail: "title. detail".
CString JoinStatus(const wchar_t* title, const wchar_t* detail);

// Captions of the frame's buttons and the question asked when a changed settings
// page is left.
CString NextCaption(LanguageIndex language);
CString BackCaption(LanguageIndex language);
CString NewDeviceCaption(LanguageIndex language);
CString UpdateTabCaption(LanguageIndex language);
CString RestoreTabCaption(LanguageIndex language);
CString UpdateActionCaption(LanguageIndex language);
CString RestoreActionCaption(LanguageIndex language);
CString TextSaveChangesQuestion(LanguageIndex language);

// The eleven status texts and how the last one was shown. Windows-free: the main
// window puts the text of its current language on its status controls.
class StatusLine {
public:
    // The entry of a language (English for a value outside 0 to 10).
    const CString& Get(LanguageIndex language) const;
    // Stores the entry of one language, 0 to 10; any other value is ignored.
    void Set(const CString& text, LanguageIndex language);
    // Sets every language's entry to compose(language).
    template <typename Compose>
    void Fill(Compose&& compose)
    {
        for (int language = 0; language < LanguageCount; ++language) {
            m_texts[static_cast<size_t>(language)] = compose(language);
        }
    }

    // Every entry := the ready text of the page; returns the entry of `current`.
    const CString& ComposeReady(int page, int usbStatus, LanguageIndex current);
    // Every entry := the in-progress text of the page; returns the entry of `current`.
    const CString& ComposeProgress(int page, int usbStatus, LanguageIndex current);
    // The status of a page just entered: on the recognition page after an automatic
    // pass (autoRunOperation nonzero) "<success of that operation>. <ready>", else the
    // page's ready text. Marks it shown as ordinary and returns the entry of `current`.
    const CString& ComposePage(int page, int autoRunOperation, int usbStatus, LanguageIndex current);

    // Records how a status was shown: as a warning (failures) or as ordinary.
    void MarkShown(bool warning) { m_lastStatusNotWarning = warning ? 0 : 1; }
    // 1 when the last status was shown as ordinary, 0 after a warning.
    int LastStatusNotWarning() const { return m_lastStatusNotWarning; }

private:
    std::array<CString, LanguageCount> m_texts;
    int m_lastStatusNotWarning = 1;
};
