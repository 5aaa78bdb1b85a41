#include "settings/LegacyLayout.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "device/ProductCatalogue.h"
#include "settings/HidSettingsProducts.h"

namespace {

using F = SettingsFamily;
using R = LegacyRow;

// ---------------------------------------------------------------------------
// Row sets, each with its slot count and margin

constexpr PlacedRow kRowsVoxEdrNote[] = {
    {R::VoxPhone, 1}, {R::VoxIntercom, 2}, {R::Edr, 3}, {R::OnboardNote, 4}, {R::RestartNote, 7}};
constexpr PlacedRow kRowsVoxEdrNotePlc[] = {{R::VoxPhone, 1},    {R::VoxIntercom, 2}, {R::Edr, 3},
                                            {R::OnboardNote, 4}, {R::Plc, 5.5},       {R::RestartNote, 7}};
constexpr PlacedRow kRowsVoxEdrNotePlcA2dp[] = {{R::VoxPhone, 1},     {R::VoxIntercom, 2}, {R::Edr, 3},
                                                {R::OnboardNote, 4},  {R::Plc, 5.5},       {R::HighQualityA2dp, 6.5},
                                                {R::RestartNote, 7.5}};
constexpr PlacedRow kRowsVoxEdrNotePlcA2dpMic[] = {
    {R::VoxPhone, 1},          {R::VoxIntercom, 2},       {R::Edr, 3},          {R::OnboardNote, 4}, {R::Plc, 5.5},
    {R::HighQualityA2dp, 6.5}, {R::MicrophoneBoost, 7.5}, {R::RestartNote, 8.5}};
constexpr PlacedRow kRowsVoxEdrA2dp[] = {
    {R::VoxPhone, 1}, {R::VoxIntercom, 2}, {R::Edr, 3}, {R::HighQualityA2dp, 4}, {R::RestartNote, 7}};
constexpr PlacedRow kRowsVoxEdrA2dpMic[] = {{R::VoxPhone, 1},        {R::VoxIntercom, 2},     {R::Edr, 3},
                                            {R::HighQualityA2dp, 4}, {R::MicrophoneBoost, 5}, {R::RestartNote, 7}};
constexpr PlacedRow kRowsVoxEdrA2dpSidetone[] = {{R::VoxPhone, 1},        {R::VoxIntercom, 2}, {R::Edr, 3},
                                                 {R::HighQualityA2dp, 4}, {R::Sidetone, 5},    {R::RestartNote, 7}};
constexpr PlacedRow kRowsVoxEdrA2dpSidetoneMic[] = {
    {R::VoxPhone, 1}, {R::VoxIntercom, 2},     {R::Edr, 3},        {R::HighQualityA2dp, 4},
    {R::Sidetone, 5}, {R::MicrophoneBoost, 6}, {R::RestartNote, 7}};
constexpr PlacedRow kRowsVoxEdrA2dpSidetoneCalmweave[] = {
    {R::VoxPhone, 1}, {R::VoxIntercom, 2}, {R::Edr, 3},        {R::HighQualityA2dp, 4},
    {R::Sidetone, 5}, {R::Calmweave, 6},   {R::RestartNote, 7}};
constexpr PlacedRow kRowsSidetone[] = {{R::Sidetone, 1}, {R::RestartNote, 7}};
constexpr PlacedRow kRowsEdrA2dpSidetoneCalmweave[] = {
    {R::Edr, 1}, {R::HighQualityA2dp, 2}, {R::Sidetone, 3}, {R::Calmweave, 4}, {R::RestartNote, 5}};
constexpr PlacedRow kRowsEdrA2dp[] = {{R::Edr, 1}, {R::HighQualityA2dp, 2}, {R::RestartNote, 7}};
constexpr PlacedRow kRowsEdrA2dpSidetoneCalmweaveAgc[] = {
    {R::Edr, 1},       {R::HighQualityA2dp, 2}, {R::Sidetone, 3},
    {R::Calmweave, 4}, {R::AutoGainControl, 5}, {R::RestartNote, 7}};
constexpr PlacedRow kRowsPhoneEdrNotePlc[] = {
    {R::VoxPhone, 1}, {R::Edr, 2}, {R::OnboardNote, 3}, {R::Plc, 4.5}, {R::RestartNote, 7}};
constexpr PlacedRow kRowsPhoneEdrA2dp[] = {{R::VoxPhone, 1}, {R::Edr, 2}, {R::HighQualityA2dp, 3}, {R::RestartNote, 7}};
constexpr PlacedRow kRowsPhoneEdrA2dpSidetone[] = {
    {R::VoxPhone, 1}, {R::Edr, 2}, {R::HighQualityA2dp, 3}, {R::Sidetone, 4}, {R::RestartNote, 7}};
constexpr PlacedRow kRowsRadio[] = {
    {R::RadioTransmitGain, kTemplatePosition}, {R::AudioChannelTimeout, kTemplatePosition}, {R::RestartNote, 7}};

constexpr LegacyLayout kLayoutOld{6.5, 5, true, kRowsVoxEdrNote};
constexpr LegacyLayout kLayoutPlc40{7.5, 5, true, kRowsVoxEdrNotePlc};
constexpr LegacyLayout kLayoutA2dp41{9.5, 2, true, kRowsVoxEdrNotePlcA2dp};
constexpr LegacyLayout kLayoutA2dp41Short{8.5, 2, true, kRowsVoxEdrNotePlcA2dp};
constexpr LegacyLayout kLayoutMic41{9.5, 2, true, kRowsVoxEdrNotePlcA2dpMic};
constexpr LegacyLayout kLayoutA2dp42{8, 5, true, kRowsVoxEdrA2dp};
constexpr LegacyLayout kLayoutA2dp42Short{7, 5, true, kRowsVoxEdrA2dp};
constexpr LegacyLayout kLayoutMic42{8, 5, true, kRowsVoxEdrA2dpMic};
constexpr LegacyLayout kLayoutSidetone50{8, 5, true, kRowsVoxEdrA2dpSidetone};
constexpr LegacyLayout kLayoutMic50{8, 5, true, kRowsVoxEdrA2dpSidetoneMic};
constexpr LegacyLayout kLayoutSidetone{7, 5, true, kRowsVoxEdrA2dpSidetone};
constexpr LegacyLayout kLayoutSidetoneCalmweave{7, 5, true, kRowsVoxEdrA2dpSidetoneCalmweave};
constexpr LegacyLayout kLayoutSidetoneOnly{7, 5, true, kRowsSidetone};
constexpr LegacyLayout kLayoutEdrCalmweave{7, 5, true, kRowsEdrA2dpSidetoneCalmweave};
constexpr LegacyLayout kLayoutEdrA2dp{7, 5, true, kRowsEdrA2dp};
constexpr LegacyLayout kLayoutEdrAgc{7, 5, true, kRowsEdrA2dpSidetoneCalmweaveAgc};
constexpr LegacyLayout kLayoutPhonePlc{6.5, 5, true, kRowsPhoneEdrNotePlc};
constexpr LegacyLayout kLayoutPhoneA2dp{6, 2, true, kRowsPhoneEdrA2dp};
constexpr LegacyLayout kLayoutPhoneSidetone{6, 2, true, kRowsPhoneEdrA2dpSidetone};
constexpr LegacyLayout kLayoutRadio{4, 5, true, kRowsRadio};
// The grid models: only DEFAULT and CANCEL are placed, or nothing at all.
constexpr LegacyLayout kLayoutGrid{7, 5, true, {}};
constexpr LegacyLayout kLayoutGrid4210Old{4, 5, true, {}};
constexpr LegacyLayout kLayoutGrid4210Mid{6, 5, true, {}};
constexpr LegacyLayout kLayoutGridUnplaced{7, 5, false, {}};

// ---------------------------------------------------------------------------
// Models and firmware bands: a band runs from its version to the next band's.

struct LayoutBand {
    int fromMajor;
    int fromMinor;
    const LegacyLayout* layout;
};

constexpr LayoutBand kBandsMic[] = {
    {0, 0, &kLayoutOld}, {4, 0, &kLayoutPlc40}, {4, 1, &kLayoutMic41}, {4, 2, &kLayoutMic42}, {5, 0, &kLayoutMic50}};
constexpr LayoutBand kBandsA2dp[] = {{0, 0, &kLayoutOld},
                                     {4, 0, &kLayoutPlc40},
                                     {4, 1, &kLayoutA2dp41},
                                     {4, 2, &kLayoutA2dp42},
                                     {5, 0, &kLayoutSidetone50}};
constexpr LayoutBand kBandsShort[] = {
    {0, 0, &kLayoutOld}, {4, 0, &kLayoutPlc40}, {4, 1, &kLayoutA2dp41Short}, {4, 2, &kLayoutA2dp42Short}};
constexpr LayoutBand kBandsSidetone[] = {{0, 0, &kLayoutSidetone}};
constexpr LayoutBand kBandsCalmweave[] = {{0, 0, &kLayoutSidetone}, {1, 1, &kLayoutSidetoneCalmweave}};
constexpr LayoutBand kBandsSidetoneOnly[] = {{0, 0, &kLayoutSidetoneOnly}};
constexpr LayoutBand kBandsEdrCalmweave[] = {{0, 0, &kLayoutEdrCalmweave}};
constexpr LayoutBand kBandsEdrA2dp[] = {{0, 0, &kLayoutEdrA2dp}};
constexpr LayoutBand kBandsEdrAgc[] = {{0, 0, &kLayoutEdrAgc}};
constexpr LayoutBand kBandsPhone[] = {
    {0, 0, &kLayoutPhonePlc}, {1, 2, &kLayoutPhoneA2dp}, {2, 0, &kLayoutPhoneSidetone}};
constexpr LayoutBand kBandsPhoneSidetone[] = {{0, 0, &kLayoutPhoneSidetone}};
constexpr LayoutBand kBandsPhoneA2dp[] = {{0, 0, &kLayoutPhoneA2dp}};
constexpr LayoutBand kBandsRadio[] = {{0, 0, &kLayoutRadio}};
constexpr LayoutBand kBandsGrid4210[] = {
    {0, 0, &kLayoutGrid4210Old}, {1, 1, &kLayoutGrid4210Mid}, {1, 2, &kLayoutGrid}};
constexpr LayoutBand kBandsGridUnplaced[] = {{0, 0, &kLayoutGridUnplaced}};
constexpr LayoutBand kBandsGrid[] = {{0, 0, &kLayoutGrid}};

struct LayoutFamily {
    SettingsFamilies Families;
    std::span<const LayoutBand> bands;
};

const LayoutFamily kLayoutFamilies[] = {
    {{F::Tkv8}, kBandsMic},
    {{F::Tkv8n, F::Wpr6kFm}, kBandsA2dp},
    {{F::Wpr6t}, kBandsShort},
    {{F::Polylink}, kBandsSidetone},
    {{F::QLinq}, kBandsCalmweave},
    {{F::Frostline}, kBandsSidetoneOnly},
    {{F::Verra}, kBandsEdrCalmweave},
    {{F::Widen}, kBandsEdrA2dp},
    {{F::Bqr6}, kBandsEdrAgc},
    {{F::Tkv3, F::Tkv3Fm}, kBandsPhone},
    {{F::Tkv3Kx}, kBandsPhoneSidetone},
    {{F::Tkv2}, kBandsPhoneA2dp},
    {{F::Gzr6}, kBandsRadio},
    {{F::V40}, kBandsGrid4210},
    {{F::Vantor, F::Yt1, F::Yt2}, kBandsGridUnplaced},
};

// ---------------------------------------------------------------------------
// What each row shows and edits

constexpr LegacyRowKind kRowKinds[kLegacyRowCount] = {
    LegacyRowKind::Switch, LegacyRowKind::Switch,  LegacyRowKind::Switch, LegacyRowKind::Note,   LegacyRowKind::Switch,
    LegacyRowKind::Switch, LegacyRowKind::Switch,  LegacyRowKind::Switch, LegacyRowKind::Switch, LegacyRowKind::Switch,
    LegacyRowKind::Gain,   LegacyRowKind::Timeout, LegacyRowKind::Switch, LegacyRowKind::List,   LegacyRowKind::Switch,
    LegacyRowKind::List,   LegacyRowKind::Switch,  LegacyRowKind::Note,
};

// The field a switch row edits, and whether the Enable radio stands for 0.
struct SwitchField {
    int (*get)(const DeviceSettings&);
    void (*set)(DeviceSettings&, int);
    bool onWhenZero;
};

#define MEMBER_FIELD(name) [](const DeviceSettings& s) { return s.name; }, [](DeviceSettings& s, int v) { s.name = v; }
#define ACCESSOR_FIELD(name) \
    [](const DeviceSettings& s) { return s.Get##name(); }, [](DeviceSettings& s, int v) { s.Set##name(v); }

constexpr SwitchField kNoField{nullptr, nullptr, false};
constexpr SwitchField kSwitchFields[kLegacyRowCount] = {
    {MEMBER_FIELD(HandsfreeVOX), false},      // VoxPhone
    {MEMBER_FIELD(IntercomVOX), false},       // VoxIntercom
    {MEMBER_FIELD(EDR), true},                // Edr: the switch holds 1 for EDR off
    kNoField,                                 // OnboardNote
    {MEMBER_FIELD(PLC), false},               // Plc
    {MEMBER_FIELD(BitpoolRate), false},       // HighQualityA2dp
    {MEMBER_FIELD(MicrophoneBoost), false},   // MicrophoneBoost
    {MEMBER_FIELD(Sidetone), false},          // Sidetone
    {MEMBER_FIELD(Calmweave), true},          // Calmweave
    {MEMBER_FIELD(AutoGainControl), true},    // AutoGainControl
    kNoField,                                 // RadioTransmitGain
    kNoField,                                 // AudioChannelTimeout
    {MEMBER_FIELD(SettingWords[18]), true},   // AudioBoost
    kNoField,                                 // MotionSensor
    {ACCESSOR_FIELD(BasicBlendcast), false},  // Blendcast
    kNoField,                                 // OverlaySensitivity
    {ACCESSOR_FIELD(BasicWord2Bit9), false},  // NavAppSupport
    kNoField,                                 // RestartNote
};
// The two-interface headsets keep VOX Phone and Sidetone in setting word 2.
constexpr SwitchField kWordTwoVoxPhone{ACCESSOR_FIELD(BasicVoxPhone), false};
constexpr SwitchField kWordTwoSidetone{ACCESSOR_FIELD(BasicSidetone), false};

#undef MEMBER_FIELD
#undef ACCESSOR_FIELD

constexpr SettingsFamilies kWordTwoFamilies = {F::V40, F::Vantor};
// Below firmware 4.0 these headsets hold 1 in the EDR switch for EDR on.
constexpr SettingsFamilies kEdrOnWhenSetFamilies = {F::Tkv8, F::Tkv8n, F::Wpr6t, F::Wpr6kFm};

SwitchField FieldOf(LegacyRow row, const DeviceSettings& device)
{
    if (kWordTwoFamilies.Has(SettingsFamilyOf(device.ProductId))) {
        if (row == R::VoxPhone) return kWordTwoVoxPhone;
        if (row == R::Sidetone) return kWordTwoSidetone;
    }
    SwitchField field = kSwitchFields[static_cast<int>(row)];
    if (row == R::Edr && kEdrOnWhenSetFamilies.Has(SettingsFamilyOf(device.ProductId)) &&
        device.CompareFirmwareVersion(4, 0) < 0)
        field.onWhenZero = false;
    return field;
}

// A list row shows item (sign * value + offset); a choice stores the value back.
struct ListField {
    int word;
    int sign;
    int offset;
};
// Motion sensor: items "Disable", "Low", "High" for word 3 = 1, 2, 3.
constexpr ListField kMotionSensorList{3, 1, -1};
// Overlay sensitivity: items " 1" to "10" for word 0 = 10 down to 1.
constexpr ListField kOverlaySensitivityList{0, -1, 10};

const ListField* ListFieldOf(LegacyRow row)
{
    if (row == R::MotionSensor) return &kMotionSensorList;
    if (row == R::OverlaySensitivity) return &kOverlaySensitivityList;
    return nullptr;
}

constexpr double kMinimumSlotCount = 8.0;

}  // namespace

LegacyRowKind KindOf(LegacyRow row)
{
    const int index = static_cast<int>(row);
    return index >= 0 && index < kLegacyRowCount ? kRowKinds[index] : LegacyRowKind::Note;
}

const PlacedRow* LegacyLayout::Find(LegacyRow row) const
{
    auto it = std::find_if(rows.begin(), rows.end(), [row](const PlacedRow& placed) { return placed.row == row; });
    return it == rows.end() ? nullptr : &*it;
}

const LegacyLayout* FindLegacyLayout(int productId, const DeviceSettings& device)
{
    const LayoutFamily* family = FindFamilyRow(kLayoutFamilies, productId);
    if (!family) return IsHidSettingsProduct(productId) ? &kLayoutGrid : nullptr;
    const LegacyLayout* layout = family->bands.front().layout;
    for (const LayoutBand& band : family->bands) {
        if (device.CompareFirmwareVersion(band.fromMajor, band.fromMinor) >= 0) layout = band.layout;
    }
    return layout;
}

int SlotTop(int areaTop, int areaHeight, double slotCount, int margin, double slot, int controlHeight)
{
    const double n = std::max(slotCount, kMinimumSlotCount);
    const double slotHeight = (areaHeight - 2.0 * margin) / n;
    const double gap = std::max(slotHeight - controlHeight, 0.0);
    return static_cast<int>(areaTop + margin + slotHeight * slot + gap / 2);
}

bool IsLegacySwitchOn(LegacyRow row, const DeviceSettings& working, const DeviceSettings& device)
{
    const SwitchField field = FieldOf(row, device);
    if (!field.get) return false;
    return (field.get(working) != 0) != field.onWhenZero;
}

void SetLegacySwitch(LegacyRow row, bool on, DeviceSettings& working, const DeviceSettings& device)
{
    const SwitchField field = FieldOf(row, device);
    if (field.set) field.set(working, on != field.onWhenZero ? 1 : 0);
}

int LegacyListIndex(LegacyRow row, const DeviceSettings& working)
{
    const ListField* list = ListFieldOf(row);
    return list ? list->sign * working.SettingWords[list->word] + list->offset : -1;
}

void SetLegacyListIndex(LegacyRow row, int index, DeviceSettings& working)
{
    if (const ListField* list = ListFieldOf(row))
        working.SettingWords[list->word] = list->sign * (index - list->offset);
}

void BuildBasicDefaults(DeviceSettings& defaults, const DeviceSettings& working)
{
    ResetBasicSettingsFrom(defaults, working);
    defaults.FmRegion = working.FmRegion;
    defaults.FmMagic = working.FmMagic;
    defaults.FmCurrentFrequency = working.FmCurrentFrequency;
    defaults.FmCurrentPreset = working.FmCurrentPreset;
    std::copy(std::begin(working.FmPresets), std::end(working.FmPresets), std::begin(defaults.FmPresets));
    defaults.FmRds = working.FmRds;
    std::copy(std::begin(working.SpeedDialNumbers), std::end(working.SpeedDialNumbers),
              std::begin(defaults.SpeedDialNumbers));
}
