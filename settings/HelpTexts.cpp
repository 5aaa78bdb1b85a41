// The resolver of the help texts, the texts their getters compose, and the help
// boxes of the basic settings page (which text, filled with what, how large).
#include "settings/HelpTexts.h"

#include <iterator>
#include <string_view>

#include "device/DeviceSettings.h"
#include "device/ProductCatalogue.h"
#include "res/resource.h"
#include "settingslist/LabelTables.h"

namespace {

using F = SettingsFamily;

const char* const kHelpTextNames[] = {
#define TORVIK_HELP_TEXT_NAME(name) #name,
    TORVIK_HELP_TEXTS(TORVIK_HELP_TEXT_NAME)
#undef TORVIK_HELP_TEXT_NAME
};
static_assert(std::size(kHelpTextNames) == static_cast<size_t>(kHelpTextIdCount));

constexpr const wchar_t* kTimeoutRangeTemplate = L"%s (3 ~ 60)";
constexpr const wchar_t* kNoteBoxTemplate = L"[%s]\n%s";

// The boxes by button. Sizes in pixels; the Japanese microphone text needs a
// larger box.
constexpr HelpBox kHelpBoxes[] = {
    {IDC_PLC_HELP, HelpTextId::HelpPacketLossConcealment, 0, {}, {510, 260}, -1, {}},
    {IDC_A2DP_HELP, HelpTextId::HelpHighQualityA2dp, 0, {}, {520, 160}, -1, {}},
    {IDC_MIC_BOOST_HELP, HelpTextId::HelpMicrophoneBoosting, 0, {}, {510, 210}, LanguageJapanese, {550, 250}},
    {IDC_SIDETONE_HELP, HelpTextId::HelpSidetone, 0, {}, {520, 160}, -1, {}},
    {IDC_CALMWEAVE_HELP, HelpTextId::HelpCalmweave, 1, {HelpArgument::CalmweaveName}, {520, 160}, -1, {}},
    {IDC_AGC_HELP, HelpTextId::HelpAutoGainControl, 0, {}, {510, 260}, -1, {}},
    {IDC_MOTION_SENSOR_HELP, HelpTextId::HelpMotionSensorSensitivity, 1, {HelpArgument::ModelName}, {520, 170}, -1,
     {}},
    {IDC_BLENDCAST_HELP, HelpTextId::HelpBlendcast, 2, {HelpArgument::BlendcastName, HelpArgument::FmRadioName},
     {520, 260}, -1, {}},
    {IDC_OVERLAY_HELP, HelpTextId::HelpOverlaySensitivity10, 1, {HelpArgument::BlendcastName},
     {520, 240}, -1, {}},
    {IDC_NAV_APP_HELP, HelpTextId::HelpNavigationAppSupport, 2,
     {HelpArgument::BlendcastName, HelpArgument::BlendcastName}, {520, 190}, -1, {}},
    {IDC_GAIN_HELP, HelpTextId::HelpRadioTransmitGain, 2,
     {HelpArgument::ModelName, HelpArgument::ModelName}, {510, 220}, -1, {}},
    {IDC_TIMEOUT_HELP, HelpTextId::HelpAudioChannelTimeout, 2,
     {HelpArgument::ModelName, HelpArgument::ModelName}, {510, 220}, -1, {}},
    {IDC_AUDIO_BOOST_HELP, HelpTextId::HelpAudioBoost, 1, {HelpArgument::AudioBoostName}, {520, 150}, -1, {}},
    // The note button "...": the page's title and the restart note as shown.
    {IDC_NOTE_MORE, HelpTextId::Count, 2, {HelpArgument::PageTitle, HelpArgument::RestartNote}, {510, 160}, -1, {}},
};

// EDR help: the firmware bands of the families whose text depends on the
// version, and the families that always get one text.
struct EdrBandRule {
    SettingsFamilies Families;
    int recommendDisableFrom[2];  // below this version: the onboard-audio text
    int recommendEnableFrom[2];   // from this version: the text that recommends EDR
};

constexpr EdrBandRule kEdrBandRules[] = {
    {{F::Tkv8, F::Tkv8n, F::Wpr6t, F::Wpr6kFm}, {4, 2}, {4, 3}},
    {{F::Tkv3, F::Tkv3Fm}, {1, 2}, {1, 3}},
};

struct EdrFixedRule {
    SettingsFamilies Families;
    EdrHelp help;
};

constexpr EdrFixedRule kEdrFixedRules[] = {
    {{F::QLinq, F::Widen, F::Bqr6, F::Polylink, F::Tkv3Kx, F::Verra}, EdrHelp::RecommendEnable},
    {{F::Tkv2}, EdrHelp::RecommendDisable},
};

struct EdrBox {
    HelpTextId text;
    SIZE size;
    bool offersMail;
};

constexpr EdrBox kEdrBoxes[] = {
    {HelpTextId::HelpEdrOnboardAudio, {510, 160}, false},
    {HelpTextId::HelpEdrRecommendDisable, {510, 190}, false},
    {HelpTextId::HelpEdrRecommendEnable, {510, 200}, true},
};

CString ArgumentText(HelpArgument argument, const HelpContext& context)
{
    const LanguageIndex language = context.language;
    switch (argument) {
    case HelpArgument::CalmweaveName: return GetLabelText(CalmweaveLabels, TextColumn(language));
    case HelpArgument::BlendcastName: return GetLabelText(BlendcastLabels, TextColumn(language));
    case HelpArgument::FmRadioName: return GetLabelText(FmRadioLabels, TextColumn(language));
    case HelpArgument::AudioBoostName: return GetLabelText(AudioBoostLabels, TextColumn(language));
    case HelpArgument::ModelName: return GetModelName(context.targetProductId, 0);
    case HelpArgument::PageTitle: return PageTitle(context.currentPage, language);
    case HelpArgument::RestartNote: return context.restartNote;
    }
    return CString();
}

}  // namespace

const char* HelpTextName(HelpTextId id)
{
    const int index = static_cast<int>(id);
    return (index >= 0 && index < kHelpTextIdCount) ? kHelpTextNames[index] : "";
}

const wchar_t* HelpTextLiteral(HelpTextId id, LanguageIndex language)
{
    return TableLiteral(HelpTextTable(), static_cast<int>(id), language);
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

std::span<const HelpBox> HelpBoxTable() { return kHelpBoxes; }

const HelpBox* FindHelpBox(int buttonId)
{
    for (const HelpBox& box : kHelpBoxes) {
        if (box.buttonId == buttonId) return &box;
    }
    return nullptr;
}

CSize HelpBoxSize(const HelpBox& box, LanguageIndex language)
{
    return CSize(language == box.largerIn ? box.largerSize : box.size);
}

CString ComposeHelpBoxText(const HelpBox& box, const HelpContext& context)
{
    const CString first = box.argumentCount > 0 ? ArgumentText(box.arguments[0], context) : CString();
    const CString second = box.argumentCount > 1 ? ArgumentText(box.arguments[1], context) : CString();
    const wchar_t* text =
        box.text == HelpTextId::Count ? kNoteBoxTemplate : HelpTextLiteral(box.text, context.language);
    return CString::FillPlaceholders(text, {first.GetString(), second.GetString()});
}

EdrHelp ChooseEdrHelp(int productId, const DeviceSettings& device)
{
    if (const EdrBandRule* rule = FindFamilyRow(kEdrBandRules, productId)) {
        if (device.CompareFirmwareVersion(rule->recommendDisableFrom[0], rule->recommendDisableFrom[1]) < 0)
            return EdrHelp::OnboardAudio;
        if (device.CompareFirmwareVersion(rule->recommendEnableFrom[0], rule->recommendEnableFrom[1]) < 0)
            return EdrHelp::RecommendDisable;
        return EdrHelp::RecommendEnable;
    }
    if (const EdrFixedRule* rule = FindFamilyRow(kEdrFixedRules, productId)) return rule->help;
    return EdrHelp::OnboardAudio;
}

EdrHelpBox ComposeEdrHelpBox(EdrHelp help, LanguageIndex language)
{
    const EdrBox& box = kEdrBoxes[static_cast<size_t>(help)];
    EdrHelpBox result;
    result.text = box.offersMail ? HelpEdrRecommendEnableText(language) : HelpText(box.text, language);
    result.size = CSize(box.size);
    result.offersMail = box.offersMail;
    return result;
}

CString SupportMailLink() { return CString(L"mailto:") + kSupportEmailAddress; }

int CountPlaceholders(const wchar_t* text)
{
    const std::wstring_view view(text ? text : L"");
    int count = 0;
    for (size_t at = view.find(L"%s"); at != std::wstring_view::npos; at = view.find(L"%s", at + 2)) ++count;
    return count;
}
