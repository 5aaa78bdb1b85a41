// The resolver of the text table, language names, and the texts composed from
// several rows.
#include "app/Texts.h"

#include <initializer_list>
#include <string>
#include <string_view>

#include "device/ProductCatalogue.h"

namespace {

const char* const kTextNames[] = {
#define TORVIK_TEXT_NAME(name) #name,
    TORVIK_TEXT_GETTERS(TORVIK_TEXT_NAME)
    TORVIK_TEXT_TEMPLATES(TORVIK_TEXT_NAME)
#undef TORVIK_TEXT_NAME
};
static_assert(std::size(kTextNames) == static_cast<size_t>(kTextIdCount));

constexpr const wchar_t* kProductCaption = L"TORVIK Bluetooth Device Manager";
constexpr const wchar_t* kCopyright = L"Copyright \u00A9 2024 TORVIK. All rights reserved.";

constexpr TextRow kDateTimeFormats = {
    L"%m/%d/%Y %H:%M:%S", L"%d/%m/%Y %H:%M:%S", L"%d.%m.%Y %H:%M:%S", L"%d/%m/%Y %H:%M:%S",
    L"%Y/%m/%d %H:%M:%S", L"%Y.%m.%d %H:%M:%S", L"%d/%m/%Y %H:%M:%S", L"%m/%d/%Y %H:%M:%S",
    L"%m/%d/%Y %H:%M:%S", L"%m/%d/%Y %H:%M:%S", L"%m/%d/%Y %H:%M:%S"};

// Titles of pages 1 to 7; the three settings pages share one.
constexpr TextId kPageTitles[] = {
    TextId::TitleWelcome,       TextId::TitleDeviceRecognition, TextId::TitleFirmwareUpdate,
    TextId::TitleFirmwareRestore, TextId::TitleDeviceSetting,   TextId::TitleDeviceSetting,
    TextId::TitleDeviceSetting};

// The texts of the keys that put a product into its update mode: the key held
// alone, and the two keys held together.
struct UpdateKeyTexts {
    UpdateModeKeys keys;
    TextId key;
    TextId firstOfTwo;
    TextId secondOfTwo;
};

constexpr UpdateKeyTexts kUpdateKeyTexts[] = {
    {UpdateModeKeys::Phone, TextId::TextPhoneButton, TextId::TextJogDial, TextId::TextPhoneButton},
    {UpdateModeKeys::Minus, TextId::TextMinusButton, TextId::TextPlusButton, TextId::TextMinusButton},
    {UpdateModeKeys::MinusCenterPlus, TextId::TextMinusButton, TextId::TextCenterButton, TextId::TextPlusButton},
    {UpdateModeKeys::Center, TextId::TextCenterButton, TextId::TextCenterButton, TextId::TextPlusButton},
    {UpdateModeKeys::LeftRight, TextId::TextLeftButton, TextId::TextLeftButton, TextId::TextRightButton},
    {UpdateModeKeys::Pairing, TextId::TextPairingButton, TextId::TextPttButton, TextId::TextPairingButton},
};

const UpdateKeyTexts& UpdateKeyTextsOf(int productId)
{
    const UpdateModeKeys keys = ProductTraitsOf(productId).updateKeys;
    for (const UpdateKeyTexts& texts : kUpdateKeyTexts) {
        if (texts.keys == keys) return texts;
    }
    return kUpdateKeyTexts[0];
}

} // namespace

// Fills the "%s" and "%d" fields of a text in order, each by literal replacement, so
// that nothing a value holds is ever read as a field.
CString FillFields(const wchar_t* text, std::initializer_list<std::wstring_view> values)
{
    std::wstring out;
    std::wstring_view in(text);
    auto next = values.begin();
    size_t pos = 0;
    while (pos < in.size()) {
        size_t hit = in.find(L'%', pos);
        if (hit == std::wstring_view::npos || hit + 1 >= in.size() || next == values.end()) break;
        const wchar_t kind = in[hit + 1];
        out.append(in.substr(pos, hit - pos));
        if (kind == L's' || kind == L'd') {
            out.append(*next++);
        } else {
            out.append(in.substr(hit, 2));
        }
        pos = hit + 2;
    }
    if (pos < in.size()) out.append(in.substr(pos));
    return CString(std::move(out));
}

const char* TextName(TextId id)
{
    const int index = static_cast<int>(id);
    return (index >= 0 && index < kTextIdCount) ? kTextNames[index] : "";
}

const wchar_t* TextLiteral(TextId id, LanguageIndex language)
{
    return TableLiteral(TextTable(), static_cast<int>(id), language);
}

#define TORVIK_TEXT_GETTER_DEFINITION(name) \
    CString name(LanguageIndex language) { return LocalizedText(TextId::name, language); }
TORVIK_TEXT_GETTERS(TORVIK_TEXT_GETTER_DEFINITION)
#undef TORVIK_TEXT_GETTER_DEFINITION

CString LanguageName(LanguageIndex index, LanguageIndex display)
{
    return CString(LanguageNameTable()[static_cast<size_t>(TextColumn(display))][static_cast<size_t>(TextColumn(index))]);
}

CString EnglishLanguageName(LanguageIndex index)
{
    return LanguageName(index, LanguageEnglish);
}

LanguageIndex LanguageIndexFromName(const wchar_t* name, int fallbackToEnglish)
{
    if (name) {
        const CString wanted(name);
        const TextRow& englishNames = LanguageNameTable()[LanguageEnglish];
        for (int index = 0; index < LanguageCount; ++index) {
            if (wanted.CompareNoCase(englishNames[static_cast<size_t>(index)]) == 0) return index;
        }
    }
    return fallbackToEnglish ? LanguageEnglish : -1;
}

CString LocalizeLanguageName(const wchar_t* name, LanguageIndex display)
{
    const LanguageIndex index = LanguageIndexFromName(name, 0);
    return index < 0 ? CString(name) : LanguageName(index, display);
}

CString DateTimeFormat(LanguageIndex language)
{
    return CString(kDateTimeFormats[static_cast<size_t>(TextColumn(language))]);
}

CString PageTitle(int page, LanguageIndex language)
{
    const bool known = page >= 1 && page <= static_cast<int>(std::size(kPageTitles));
    return LocalizedText(known ? kPageTitles[page - 1] : TextId::TitleModeNotAvailable, language);
}

CString ProductCaption(LanguageIndex)
{
    return CString(kProductCaption);
}

CString CopyrightText(LanguageIndex)
{
    return CString(kCopyright);
}

CString TextHoldKey(LanguageIndex language, int productId)
{
    const UpdateKeyTexts& keys = UpdateKeyTextsOf(productId);
    return CString::FillPlaceholders(TextLiteral(TextId::HoldKeyTemplate, language),
                                     {TextLiteral(keys.key, language)});
}

CString TextHoldTwoKeys(LanguageIndex language, int productId)
{
    const UpdateKeyTexts& keys = UpdateKeyTextsOf(productId);
    return CString::FillPlaceholders(TextLiteral(TextId::HoldTwoKeysTemplate, language),
                                     {TextLiteral(keys.firstOfTwo, language), TextLiteral(keys.secondOfTwo, language)});
}

CString TextBackupCreationFailed(LanguageIndex language)
{
    const CString restoreTitle = PageTitle(4, language);
    return CString::FillPlaceholders(TextLiteral(TextId::BackupCreationFailedTemplate, language),
                                     {restoreTitle, restoreTitle, TextLiteral(TextId::TextFirmware, language),
                                      PageTitle(3, language), TextLiteral(TextId::TextOk, language)});
}

CString TextNewerManagerAvailable(int major, int minor, int third, LanguageIndex language)
{
    const std::wstring thirdSuffix = third > 0 ? L"." + std::to_wstring(third) : std::wstring();
    return FillFields(TextLiteral(TextId::NewerManagerAvailableTemplate, language),
                      {kProductCaption, kProductCaption, std::to_wstring(major), std::to_wstring(minor),
                       thirdSuffix, TextLiteral(TextId::TextYes, language),
                       TextLiteral(TextId::TextNo, language), kProductCaption,
                       std::to_wstring(kManagerVersionMajor), std::to_wstring(kManagerVersionMinor),
                       kManagerVersionSuffix});
}
