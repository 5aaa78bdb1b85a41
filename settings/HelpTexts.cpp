// The resolver of the help texts and the texts their getters compose.
#include "settings/HelpTexts.h"

#include <iterator>
#include <string_view>

#include "device/DeviceSettings.h"

namespace {

const char* const kHelpTextNames[] = {
#define TORVIK_HELP_TEXT_NAME(name) #name,
    TORVIK_HELP_TEXTS(TORVIK_HELP_TEXT_NAME)
#undef TORVIK_HELP_TEXT_NAME
};
static_assert(std::size(kHelpTextNames) == static_cast<size_t>(HelpTextIdCount));

constexpr const wchar_t* kTimeoutRangeTemplate = L"%s (3 ~ 60)";

}  // namespace

const char* HelpTextName(HelpTextId id)
{
    const int index = static_cast<int>(id);
    return (index >= 0 && index < HelpTextIdCount) ? kHelpTextNames[index] : "";
}

const wchar_t* HelpTextLiteral(HelpTextId id, LanguageIndex language)
{
    const int index = static_cast<int>(id);
    if (index < 0 || index >= HelpTextIdCount) return L"";
    return HelpTextTable()[static_cast<size_t>(index)].text[static_cast<size_t>(TextColumn(language))];
}

CString HelpEdrRecommendEnableText(LanguageIndex language)
{
    return CString::FillPlaceholders(HelpTextLiteral(HelpTextId::HelpEdrRecommendEnable, language),
                                     {kSupportEmailAddress});
}

HelpTextId VideoModeHelp(const DeviceSettings& device)
{
    return device.CompareFirmwareVersion(2, 0) < 0 ? HelpTextId::HelpVideoModeTwoModes
                                                   : HelpTextId::HelpVideoModeThreeModes;
}

CString FormatTimeoutRangeText(LanguageIndex language)
{
    return CString::FillPlaceholders(kTimeoutRangeTemplate, {TextSeconds(language).GetString()});
}

int CountPlaceholders(const wchar_t* text)
{
    const std::wstring_view view(text ? text : L"");
    int count = 0;
    for (size_t at = view.find(L"%s"); at != std::wstring_view::npos; at = view.find(L"%s", at + 2)) ++count;
    return count;
}
