// Status texts, button captions and the eleven-language status line.
#include "app/StatusLine.h"
#include "device/ProductCatalogue.h"

namespace {

constexpr int kRecognitionPage = 2;

// The in-progress, success and failure texts of pages 1 to 7; TextId::Count stands
// for no text.
struct PageStatusTexts {
    TextId progress;
    TextId success;
    TextId failure;
};

constexpr PageStatusTexts kSettingsPageStatus = {TextId::StatusSaving, TextId::StatusSaved, TextId::StatusSaveFailed};

constexpr PageStatusTexts kPageStatus[] = {
    {TextId::StatusSelecting, TextId::StatusSelectedTemplate, TextId::Count},
    {TextId::StatusRecognizing, TextId::StatusRecognizedTemplate, TextId::StatusRecognizeFailed},
    {TextId::StatusUpdating, TextId::StatusUpdated, TextId::StatusUpdateFailed},
    {TextId::StatusRestoring, TextId::StatusRestored, TextId::StatusRestoreFailed},
    kSettingsPageStatus,
    kSettingsPageStatus,
    kSettingsPageStatus};

constexpr bool IsPage(int page)
{
    return page >= 1 && page <= static_cast<int>(std::size(kPageStatus));
}

CString PageStatus(int page, TextId PageStatusTexts::*family, LanguageIndex language)
{
    return IsPage(page) ? LocalizedText(kPageStatus[page - 1].*family, language) : CString();
}

CString FillOne(const wchar_t* format, const wchar_t* value)
{
    return CString::FillPlaceholders(format, {value});
}

} // namespace

CString StatusReadyFormat(int page, int usbStatus, LanguageIndex language)
{
    if (!IsPage(page)) return CString();
    if (page == 1) {
        return FillOne(TextLiteral(TextId::ReadyPressTemplate, language), TextNext(language));
    }
    const CString title = PageTitle(page, language);
    if ((page == 3 || page == 4) && IsUpdateModeStatus(usbStatus)) {
        // The title and the reason are both filled literally into one template, so
        // neither is ever read as a format.
        return CString::FillPlaceholders(TextLiteral(TextId::ReadyForUpdateModeTemplate, language),
                                         {title, TextLiteral(TextId::TextCannotCreateBackup, language)});
    }
    return FillOne(TextLiteral(TextId::ReadyForTemplate, language), title);
}

CString StatusInProgressText(int page, int, LanguageIndex language)
{
    return PageStatus(page, &PageStatusTexts::progress, language);
}

CString StatusSuccessText(int page, int, LanguageIndex language)
{
    return PageStatus(page, &PageStatusTexts::success, language);
}

CString StatusFailureText(int page, int, LanguageIndex language)
{
    return PageStatus(page, &PageStatusTexts::failure, language);
}

CString JoinStatus(const wchar_t* title, const wchar_t* detail)
{
    return CString::FillPlaceholders(L"%s. %s", {title, detail});
}

CString NextCaption(LanguageIndex language)
{
    return FillOne(L"%s        >  ", TextNext(language));
}

CString BackCaption(LanguageIndex language)
{
    return FillOne(L"  <       %s", TextBack(language));
}

CString NewDeviceCaption(LanguageIndex language)
{
    return FillOne(L"%s  >  ", TextNewDevice(language));
}

CString UpdateTabCaption(LanguageIndex language)
{
    return FillOne(L"  <  %s", PageTitle(3, language));
}

CString RestoreTabCaption(LanguageIndex language)
{
    return FillOne(L"%s  >  ", PageTitle(4, language));
}

CString UpdateActionCaption(LanguageIndex language)
{
    return TextUpdate(language);
}

CString RestoreActionCaption(LanguageIndex language)
{
    return TextRestore(language);
}

CString TextSaveChangesQuestion(LanguageIndex language)
{
    return FillOne(TextLiteral(TextId::SaveChangesQuestionTemplate, language), PageTitle(5, language));
}

const CString& StatusLine::Get(LanguageIndex language) const
{
    return m_texts[static_cast<size_t>(TextColumn(language))];
}

void StatusLine::Set(const CString& text, LanguageIndex language)
{
    if (language >= 0 && language < LanguageCount) m_texts[static_cast<size_t>(language)] = text;
}

const CString& StatusLine::ComposeReady(int page, int usbStatus, LanguageIndex current)
{
    Fill([&](LanguageIndex language) { return StatusReadyFormat(page, usbStatus, language); });
    return Get(current);
}

const CString& StatusLine::ComposeProgress(int page, int usbStatus, LanguageIndex current)
{
    Fill([&](LanguageIndex language) { return StatusInProgressText(page, usbStatus, language); });
    return Get(current);
}

const CString& StatusLine::ComposePage(int page, int autoRunOperation, int usbStatus, LanguageIndex current)
{
    if (page == kRecognitionPage && autoRunOperation != 0) {
        Fill([&](LanguageIndex language) {
            return JoinStatus(StatusSuccessText(autoRunOperation, usbStatus, language),
                              StatusReadyFormat(kRecognitionPage, usbStatus, language));
        });
    } else {
        ComposeReady(page, usbStatus, current);
    }
    MarkShown(false);
    return Get(current);
}
