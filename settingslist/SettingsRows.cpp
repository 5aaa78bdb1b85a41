// The families of the settings grid (list layouts, firmware bands and their rows),
// the resolver and what a row does. See SettingsRows.h.
#include "settingslist/SettingsRows.h"

#include <algorithm>
#include <array>

#include "app/Texts.h"
#include "device/ProductCatalogue.h"

// ---------------------------------------------------------------------------
// Values and texts

int ValueSource::Read(const DeviceSettings& record) const
{
    switch (m_kind) {
    case Kind::Switch:
        return record.*m_field;
    case Kind::Word:
        return record.SettingWords[m_word];
    case Kind::WordBit:
        return (record.SettingWords[m_word] >> m_bit) & 1;
    case Kind::Accessor:
        return (record.*m_get)();
    }
    return 0;
}

void ValueSource::Write(DeviceSettings& record, int value) const
{
    switch (m_kind) {
    case Kind::Switch:
        record.*m_field = value;
        break;
    case Kind::Word:
        record.SettingWords[m_word] = value;
        break;
    case Kind::WordBit:
        if (value)
            record.SettingWords[m_word] |= 1 << m_bit;
        else
            record.SettingWords[m_word] &= ~(1 << m_bit);
        break;
    case Kind::Accessor:
        (record.*m_set)(value);
        break;
    }
}

CString RowText::Text(int language, int productId) const
{
    switch (source) {
    case Source::None:
        break;
    case Source::Label:
        return GetLabelText(*label, language);
    case Source::LowMediumHigh:
        return GetLabelText(LowMediumHighLabels, language, item);
    case Source::Level:
        return GetLabelText(LevelLabels, language, item);
    case Source::Disable:
        return TextLiteral(TextId::TextDisable, language);
    case Source::ModelName:
        return GetModelName(productId, 0);
    }
    return CString();
}

// ---------------------------------------------------------------------------
// Families

namespace {

using K = RowKindId;

// Below firmware a.b; the last band of a family has no upper end.
constexpr RowBand Below(int major, int minor, std::span<const K> rows) { return {major, minor, rows}; }
constexpr RowBand Rest(std::span<const K> rows) { return {-1, 0, rows}; }

// 0x4210
constexpr K k4210Below11[] = {K::VoxPhoneW2, K::SidetoneW2, K::BlendcastW2, K::OverlaySensitivity10};
constexpr K k4210Below12[] = {K::VoxPhoneW2, K::SidetoneW2, K::MotionSensorSensitivity,
                              K::BlendcastW2, K::OverlaySensitivity10, K::NavigationAppSupportW2};
constexpr K k4210Below15[] = {K::BlendcastW2, K::OverlaySensitivity10, K::NavigationAppSupportW2, K::AudioBoostW2,
                              K::MotionSensorSensitivity, K::VoxPhoneW2, K::HdIntercomW2, K::EightWayIntercomW2,
                              K::VoicePromptW2, K::SidetoneW2, K::CalmweaveW2};
constexpr K k4210[] = {K::BlendcastW2, K::OverlaySensitivity10, K::NavigationAppSupportW2, K::AudioBoostW2,
                       K::SmartVolumeW2, K::MotionSensorSensitivity, K::VoxPhoneW2, K::HdIntercomW2,
                       K::EightWayIntercomW2, K::VoicePromptW2, K::FmStationGuideW2, K::SidetoneW2, K::CalmweaveW2};
constexpr RowBand k4210Bands[] = {Below(1, 1, k4210Below11), Below(1, 2, k4210Below12), Below(1, 5, k4210Below15),
                                  Rest(k4210)};

// 0x4310, 0x4330, 0x4510; 0x4410 and 0x4430 without VOX Phone
constexpr K k4310[] = {K::BlendcastW2, K::OverlaySensitivity10, K::LayerlyVolumeManagementW2, K::AudioBoostW2,
                       K::SmartVolumeW2, K::VoxPhoneW2, K::HdIntercomW2, K::EightWayIntercomW2, K::VoicePromptW2,
                       K::FmStationGuideW2, K::SidetoneW2, K::CalmweaveW2, K::VoiceCommandW2};
constexpr K k4410[] = {K::BlendcastW2, K::OverlaySensitivity10, K::LayerlyVolumeManagementW2, K::AudioBoostW2,
                       K::SmartVolumeW2, K::HdIntercomW2, K::EightWayIntercomW2, K::VoicePromptW2,
                       K::FmStationGuideW2, K::SidetoneW2, K::CalmweaveW2, K::VoiceCommandW2};
constexpr RowBand k4310Bands[] = {Rest(k4310)};
constexpr RowBand k4410Bands[] = {Rest(k4410)};

// 0x5520, 0x5526, 0x5720
constexpr K k5520Below11[] = {K::AudioBoost, K::VoxPhone, K::VoxIntercom, K::VoxSensitivityLevels5Default3,
                              K::VoicePrompt, K::HighQualityA2dp, K::Sidetone, K::Calmweave};
constexpr K k5520Below13[] = {K::AudioBoost, K::VoxPhone, K::VoxIntercom, K::HdIntercom,
                              K::VoxSensitivityLevels5Default3, K::VoicePrompt, K::HighQualityA2dp, K::Sidetone,
                              K::Calmweave};
constexpr K k5520[] = {K::AudioBoost, K::VoxPhone, K::VoxIntercom, K::HdIntercom, K::VoxSensitivityLevels5Default3,
                       K::VoicePrompt, K::FmStationGuide, K::HighQualityA2dp, K::Sidetone, K::Calmweave};
constexpr RowBand k5520Bands[] = {Below(1, 1, k5520Below11), Below(1, 3, k5520Below13), Rest(k5520)};
constexpr RowBand k5526Bands[] = {Rest(k5520)};

// 0x5610 to 0x5621, 0x5530, 0x5550
constexpr K k5610Below11[] = {K::AudioBoost, K::VoxPhone, K::VoxIntercom, K::VoicePrompt,
                              K::HighQualityA2dp, K::Sidetone, K::Calmweave};
constexpr K k5610[] = {K::AudioBoost, K::VoxPhone, K::VoxIntercom, K::HdIntercom,
                       K::VoicePrompt, K::HighQualityA2dp, K::Sidetone, K::Calmweave};
constexpr K k5530[] = {K::AudioBoost, K::VoxPhone, K::VoxIntercom, K::HdVoice, K::HdIntercom,
                       K::VoicePrompt, K::FmStationGuide, K::HighQualityA2dp, K::Sidetone, K::Calmweave};
constexpr K k5550[] = {K::AudioBoost, K::HdIntercom, K::VoicePrompt, K::FmStationGuide, K::HighQualityA2dp,
                       K::Calmweave};
constexpr RowBand k5610Bands[] = {Below(1, 1, k5610Below11), Rest(k5610)};
constexpr RowBand k5530Bands[] = {Below(1, 4, k5610), Rest(k5530)};
constexpr RowBand k5550Bands[] = {Rest(k5550)};

// 0x5510, the headset with a camera
constexpr K k5510Below20[] = {K::AudioBoost, K::VoxPhone, K::VoxIntercom, K::VoicePrompt, K::HighQualityA2dp,
                              K::Sidetone, K::Calmweave, K::PhotoMode, K::VideoMode2, K::VideoResolution,
                              K::TimelapseInterval, K::DateCaption, K::SpeakerSoundRecording, K::SourceMusic,
                              K::SourceFmRadio, K::SourceIntercom, K::SourcePhone, K::AutoCameraSleep};
constexpr K k5510Below22[] = {K::AudioBoost, K::VoxPhone, K::VoxIntercom, K::HdIntercom, K::VoicePrompt,
                              K::HighQualityA2dp, K::Sidetone, K::Calmweave, K::PhotoMode, K::VideoMode3,
                              K::VideoResolution, K::TimelapseInterval, K::VideoTaggingInterval,
                              K::LoopRecordingInterval, K::VideoMicrophoneGain, K::DateCaption,
                              K::SpeakerSoundRecording, K::SourceMusic, K::SourceFmRadio, K::SourceIntercom,
                              K::SourcePhone, K::AutoCameraSleep};
constexpr K k5510[] = {K::AudioBoost, K::VoxPhone, K::VoxIntercom, K::HdIntercom, K::VoicePrompt,
                       K::FmStationGuide, K::HighQualityA2dp, K::Sidetone, K::Calmweave, K::PhotoMode,
                       K::VideoMode3, K::VideoResolution, K::TimelapseInterval, K::VideoTaggingInterval,
                       K::LoopRecordingInterval, K::VideoMicrophoneGain, K::DateCaption, K::SpeakerSoundRecording,
                       K::SourceMusic, K::SourceFmRadio, K::SourceIntercom, K::SourcePhone, K::AutoCameraSleep};
constexpr RowBand k5510Bands[] = {Below(2, 0, k5510Below20), Below(2, 2, k5510Below22), Rest(k5510)};

// 0x3110, settings in words 0 and 1
constexpr K k3110[] = {K::AudioBoostW0, K::VoxPhoneW0, K::VoxIntercomW0, K::HdIntercomW0, K::VoicePromptW0,
                       K::HighQualityA2dpW0, K::SidetoneW0, K::CalmweaveW0, K::FmStationGuideW0, K::GuestModeW0,
                       K::VoxSensitivityW1, K::SmartVolumeW1, K::LayerlyVolumeManagementW1,
                       K::OverlaySensitivityW1, K::VoiceCommandW1};
constexpr RowBand k3110Bands[] = {Rest(k3110)};

// 0x5710, 0x5622 to 0x5624, 0x5522, 0x5524
constexpr K k5710[] = {K::AudioBoost, K::VoxPhone, K::VoxIntercom, K::HdIntercom,
                       K::VoicePrompt, K::HighQualityA2dp, K::Sidetone, K::Calmweave};
constexpr K k5623[] = {K::AudioBoost, K::VoxPhone, K::VoxIntercom, K::HdIntercom, K::VoxSensitivityLowMedHigh,
                       K::VoicePrompt, K::HighQualityA2dp, K::Sidetone, K::Calmweave};
constexpr K k5622Below11[] = {K::AudioBoost, K::SmartVolume, K::VoxPhone, K::VoxIntercom,
                              K::HdIntercom, K::VoicePrompt, K::HighQualityA2dp, K::Calmweave};
constexpr K k5622[] = {K::AudioBoost, K::SmartVolume, K::VoxPhone, K::VoxIntercom, K::HdIntercom,
                       K::VoxSensitivityLowMedHigh, K::VoicePrompt, K::HighQualityA2dp, K::Calmweave};
constexpr K k5524Below11[] = {K::AudioBoost, K::VoicePrompt, K::HighQualityA2dp, K::Calmweave};
constexpr K k5522[] = {K::AudioBoost, K::VoicePrompt, K::FmStationGuide, K::HighQualityA2dp, K::Calmweave};
constexpr RowBand k5710Bands[] = {Rest(k5710)};
constexpr RowBand k5623Bands[] = {Below(1, 1, k5710), Rest(k5623)};
constexpr RowBand k5622Bands[] = {Below(1, 1, k5622Below11), Rest(k5622)};
constexpr RowBand k5524Bands[] = {Below(1, 1, k5524Below11), Rest(k5522)};
constexpr RowBand k5522Bands[] = {Rest(k5522)};

// 0x3030 to 0x3050, 0x6210, 0x5910, 0x5920
constexpr K k3030[] = {K::VoicePrompt, K::FmStationGuide, K::Calmweave};
constexpr K k6210[] = {K::AudioBoost, K::VoxPhone, K::VoxIntercom, K::HdIntercom,
                       K::VoicePrompt, K::FmStationGuide, K::HighQualityA2dp, K::Calmweave};
constexpr K k5910[] = {K::AudioBoost, K::VoxPhone, K::VoxIntercom, K::HdIntercom, K::VoicePrompt,
                       K::FmStationGuide, K::HighQualityA2dp, K::Sidetone, K::Calmweave};
constexpr RowBand k3030Bands[] = {Rest(k3030)};
constexpr RowBand k6210Bands[] = {Rest(k6210)};
constexpr RowBand k5910Bands[] = {Below(1, 1, k5710), Rest(k5910)};

// 0x5410 to 0x5416
constexpr K k5410[] = {K::AudioBoost, K::SmartVolume, K::VoxPhone, K::LayerlyGps,
                       K::VoxSensitivityLevels5Default3, K::VoicePrompt, K::Sidetone, K::Calmweave};
constexpr K k5412[] = {K::AudioBoost, K::SmartVolume, K::VoxPhone, K::VoxIntercom, K::Layerly,
                       K::AudioSourcePriority, K::HdIntercom, K::VoxSensitivityLevels5Default3, K::VoicePrompt,
                       K::FmStationGuide, K::Sidetone, K::Calmweave};
constexpr K k5416[] = {K::AudioBoost, K::SmartVolume, K::VoxPhone, K::VoxIntercom, K::AudioSourcePriority,
                       K::HdIntercom, K::VoxSensitivityLevels5Default3, K::VoicePrompt, K::FmStationGuide,
                       K::Sidetone, K::Calmweave};
constexpr RowBand k5410Bands[] = {Rest(k5410)};
constexpr RowBand k5412Bands[] = {Rest(k5412)};
constexpr RowBand k5416Bands[] = {Rest(k5416)};

// 0x6010 to 0x6024; the later band adds the navigation system as row 0
constexpr K k6010Below12[] = {K::AudioBoost, K::VoxPhone, K::VoxIntercom, K::HdIntercom,
                              K::VoxSensitivityLevels5Default2, K::VoicePrompt, K::HighQualityA2dp, K::Sidetone,
                              K::Calmweave, K::EssStatus, K::EssSensitivity};
constexpr K k6010[] = {K::SmartNaviSystem, K::AudioBoost, K::VoxPhone, K::VoxIntercom, K::HdIntercom,
                       K::VoxSensitivityLevels5Default2, K::VoicePrompt, K::HighQualityA2dp, K::Sidetone,
                       K::Calmweave, K::EssStatus, K::EssSensitivity};
constexpr K k6014Early[] = {K::AudioBoost, K::VoxPhone, K::VoxIntercom, K::HdIntercom,
                            K::VoxSensitivityLevels5Default2, K::VoicePrompt, K::HighQualityA2dp, K::Sidetone,
                            K::Calmweave};
constexpr K k6014[] = {K::SmartNaviSystem, K::AudioBoost, K::VoxPhone, K::VoxIntercom, K::HdIntercom,
                       K::VoxSensitivityLevels5Default2, K::VoicePrompt, K::HighQualityA2dp, K::Sidetone,
                       K::Calmweave};
constexpr K k6020[] = {K::SmartNaviSystem, K::VoxPhone, K::VoxSensitivityLevels5Default2,
                       K::VoicePrompt, K::Sidetone, K::Calmweave};
constexpr RowBand k6010Bands[] = {Below(1, 2, k6010Below12), Rest(k6010)};
constexpr RowBand k6014Bands[] = {Below(1, 2, k6014Early), Rest(k6014)};
constexpr RowBand k6018Bands[] = {Below(1, 1, k6014Early), Rest(k6014)};
constexpr RowBand k6020Bands[] = {Rest(k6020)};


// The bands of each list layout, in the layouts' order.
struct LayoutBands {
    ListLayout layout;
    std::span<const RowBand> bands;
};

constexpr LayoutBands kLayoutBands[] = {
    {ListLayout::V40, k4210Bands},        {ListLayout::Vantor, k4310Bands},   {ListLayout::VantorQn, k4410Bands},
    {ListLayout::Kr5, k5520Bands},        {ListLayout::VantorMini, k5526Bands}, {ListLayout::M7xHelm, k5610Bands},
    {ListLayout::Kc5, k5510Bands},        {ListLayout::Ks5, k5530Bands},      {ListLayout::Feral, k5550Bands},
    {ListLayout::V60, k3110Bands},        {ListLayout::Grittalk, k5710Bands}, {ListLayout::Lvr7, k5623Bands},
    {ListLayout::Lvra, k5622Bands},       {ListLayout::Lancer, k5524Bands},   {ListLayout::ThunderKr5, k5522Bands},
    {ListLayout::Z9, k3030Bands},         {ListLayout::M7xpad, k6210Bands},   {ListLayout::Ostrel, k5910Bands},
    {ListLayout::Yt1, k5410Bands},        {ListLayout::Yt2, k5412Bands},      {ListLayout::Wtk07, k5416Bands},
    {ListLayout::Nq1, k6010Bands},        {ListLayout::Nq5r, k6014Bands},     {ListLayout::Nq5s, k6018Bands},
    {ListLayout::Nq3, k6020Bands},
};

constexpr bool LayoutsWellFormed()
{
    if (std::size(kLayoutBands) != kListLayoutCount - 1)
        return false;
    for (std::size_t i = 0; i < std::size(kLayoutBands); ++i) {
        const std::span<const RowBand> bands = kLayoutBands[i].bands;
        if (static_cast<std::size_t>(kLayoutBands[i].layout) != i + 1)
            return false;
        if (bands.empty() || bands.back().belowMajor >= 0)
            return false;
        for (const RowBand& band : bands.first(bands.size() - 1)) {
            if (band.belowMajor < 0)
                return false;
        }
    }
    return true;
}
static_assert(LayoutsWellFormed(), "every layout, in order, ends in one band without an upper end");

// The bands of a product's layout; empty for a product without rows.
std::span<const RowBand> BandsOf(int productId)
{
    const ListLayout layout = ProductTraitsOf(productId).listLayout;
    if (layout == ListLayout::None)
        return {};
    return kLayoutBands[static_cast<std::size_t>(layout) - 1].bands;
}

// A check box's cell state for a value, and the value of a cell state.
bool CheckOfValue(Polarity polarity, int value)
{
    return polarity == Polarity::DisableTrue ? value != 0 : value == 0;
}
int ValueOfCheck(Polarity polarity, bool disableHalf)
{
    return (polarity == Polarity::DisableTrue) == disableHalf ? 1 : 0;
}

// Worked out in 64 bits: the value is whatever the headset reported.
long long IndexOfValue(IndexMapping mapping, int value)
{
    switch (mapping) {
    case IndexMapping::Value:
        return value;
    case IndexMapping::ValueMinusOne:
        return static_cast<long long>(value) - 1;
    case IndexMapping::TenMinusValue:
        return 10 - static_cast<long long>(value);
    }
    return -1;
}
int ValueOfIndex(IndexMapping mapping, int index)
{
    switch (mapping) {
    case IndexMapping::Value:
        return index;
    case IndexMapping::ValueMinusOne:
        return index + 1;
    case IndexMapping::TenMinusValue:
        return 10 - index;
    }
    return 0;
}

} // namespace

SettingsRows ResolveSettingsRows(int productId, const DeviceSettings& deviceRecord)
{
    for (const RowBand& band : BandsOf(productId)) {
        if (band.belowMajor < 0 || deviceRecord.CompareFirmwareVersion(band.belowMajor, band.belowMinor) < 0)
            return SettingsRows(band.rows);
    }
    return SettingsRows();
}

bool HasSettingsRows(int productId) { return !BandsOf(productId).empty(); }

std::span<const RowFamilyInfo> AllRowFamilies()
{
    static const auto families = [] {
        std::array<RowFamilyInfo, std::size(kLayoutBands)> all{};
        for (std::size_t i = 0; i < all.size(); ++i)
            all[i] = {ProductsOfLayout(kLayoutBands[i].layout), kLayoutBands[i].bands};
        return all;
    }();
    return families;
}

// ---------------------------------------------------------------------------
// Rows

const RowKind* SettingsRows::Kind(int row) const
{
    if (row < 0 || row >= Count())
        return nullptr;
    return &GetRowKind(m_rows[static_cast<size_t>(row)]);
}

bool SettingsRows::IsCheckBox(int row) const
{
    const RowKind* kind = Kind(row);
    return kind && kind->cell == CellKind::CheckBox;
}

bool SettingsRows::IsCombo(int row) const
{
    const RowKind* kind = Kind(row);
    return kind && kind->cell == CellKind::Combo;
}

CString SettingsRows::Label(int row, int language) const
{
    const RowKind* kind = Kind(row);
    return kind ? CString(GetLabelText(*kind->label, language)) : CString();
}

bool SettingsRows::ShownCheck(int row, const DeviceSettings& working) const
{
    const RowKind* kind = Kind(row);
    return kind && kind->cell == CellKind::CheckBox && CheckOfValue(kind->polarity, kind->source.Read(working));
}

int SettingsRows::ShownIndex(int row, const DeviceSettings& working) const
{
    const RowKind* kind = Kind(row);
    if (!kind || kind->cell != CellKind::Combo)
        return -1;
    const long long index = IndexOfValue(kind->mapping, kind->source.Read(working));
    return (index >= 0 && index < static_cast<long long>(kind->items.size())) ? static_cast<int>(index) : -1;
}

int SettingsRows::ComboItemCount(int row) const
{
    const RowKind* kind = Kind(row);
    return kind && kind->cell == CellKind::Combo ? static_cast<int>(kind->items.size()) : 0;
}

CString SettingsRows::ComboText(int row, int language) const
{
    CString text;
    const RowKind* kind = Kind(row);
    if (!kind || kind->cell != CellKind::Combo)
        return text;
    for (const RowText& item : kind->items) {
        if (!text.IsEmpty())
            text += L'\n';
        text += item.Text(language);
    }
    return text;
}

int SettingsRows::GateRow(int row) const
{
    if (row < 0 || row >= Count())
        return -1;
    const RowKindId dependent = m_rows[static_cast<size_t>(row)];
    for (int gate = 0; gate < Count(); ++gate) {
        const std::span<const RowKindId> gated = GetRowKind(m_rows[static_cast<size_t>(gate)]).gates;
        if (std::find(gated.begin(), gated.end(), dependent) != gated.end())
            return gate;
    }
    return -1;
}

bool SettingsRows::IsDisabled(int row, const DeviceSettings& working) const
{
    const int gate = GateRow(row);
    if (gate < 0)
        return false;
    const RowKind& gateKind = *Kind(gate);
    const bool gateOn = gateKind.source.Read(working) != 0;
    return gateKind.gateReversed ? gateOn : !gateOn;
}

bool SettingsRows::StoreCheck(int row, DeviceSettings& working, bool disableHalf) const
{
    const RowKind* kind = Kind(row);
    if (!kind || kind->cell != CellKind::CheckBox)
        return false;
    kind->source.Write(working, ValueOfCheck(kind->polarity, disableHalf));
    if (kind->coupling)
        kind->coupling(working);
    return true;
}

bool SettingsRows::StoreChoice(int row, DeviceSettings& working, int index) const
{
    const RowKind* kind = Kind(row);
    if (!kind || kind->cell != CellKind::Combo || index < 0 || index >= static_cast<int>(kind->items.size()))
        return false;
    kind->source.Write(working, ValueOfIndex(kind->mapping, index));
    return true;
}

RowHelp SettingsRows::Help(int row, int language, int productId) const
{
    RowHelp help;
    const RowKind* kind = Kind(row);
    if (!kind || kind->help == kNoHelp)
        return help;
    help.id = kind->help;
    help.height = kind->helpHeight;
    for (const RowText& argument : kind->helpArguments) {
        if (argument.source == RowText::Source::None)
            break;
        help.arguments[help.argumentCount++] = argument.Text(language, productId);
    }
    return help;
}
