#include "settings/LegacyLayout.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "device/ProductIdList.h"
#include "settings/HidSettingsProducts.h"

namespace {

using R = LegacyRow;

// ---------------------------------------------------------------------------
// Row sets, each with its slot count and margin

constexpr PlacedRow RowsVoxEdrNote[] = {{R::VoxPhone, 1}, {R::VoxIntercom, 2}, {R::Edr, 3}, {R::OnboardNote, 4},
                                        {R::RestartNote, 7}};
constexpr PlacedRow RowsVoxEdrNotePlc[] = {{R::VoxPhone, 1}, {R::VoxIntercom, 2},    {R::Edr, 3},
                                           {R::OnboardNote, 4}, {R::Plc, 5.5}, {R::RestartNote, 7}};
constexpr PlacedRow RowsVoxEdrNotePlcA2dp[] = {{R::VoxPhone, 1}, {R::VoxIntercom, 2},        {R::Edr, 3},
                                               {R::OnboardNote, 4}, {R::Plc, 5.5},        {R::HighQualityA2dp, 6.5},
                                               {R::RestartNote, 7.5}};
constexpr PlacedRow RowsVoxEdrNotePlcA2dpMic[] = {{R::VoxPhone, 1},          {R::VoxIntercom, 2}, {R::Edr, 3},
                                                  {R::OnboardNote, 4},       {R::Plc, 5.5},       {R::HighQualityA2dp, 6.5},
                                                  {R::MicrophoneBoost, 7.5}, {R::RestartNote, 8.5}};
constexpr PlacedRow RowsVoxEdrA2dp[] = {{R::VoxPhone, 1}, {R::VoxIntercom, 2}, {R::Edr, 3}, {R::HighQualityA2dp, 4},
                                        {R::RestartNote, 7}};
constexpr PlacedRow RowsVoxEdrA2dpMic[] = {{R::VoxPhone, 1},         {R::VoxIntercom, 2},        {R::Edr, 3},
                                           {R::HighQualityA2dp, 4},  {R::MicrophoneBoost, 5},    {R::RestartNote, 7}};
constexpr PlacedRow RowsVoxEdrA2dpSidetone[] = {{R::VoxPhone, 1},        {R::VoxIntercom, 2}, {R::Edr, 3},
                                                {R::HighQualityA2dp, 4}, {R::Sidetone, 5},    {R::RestartNote, 7}};
constexpr PlacedRow RowsVoxEdrA2dpSidetoneMic[] = {{R::VoxPhone, 1},        {R::VoxIntercom, 2},
                                                   {R::Edr, 3},             {R::HighQualityA2dp, 4},
                                                   {R::Sidetone, 5},        {R::MicrophoneBoost, 6},
                                                   {R::RestartNote, 7}};
constexpr PlacedRow RowsVoxEdrA2dpSidetoneCalmweave[] = {{R::VoxPhone, 1},        {R::VoxIntercom, 2}, {R::Edr, 3},
                                                         {R::HighQualityA2dp, 4}, {R::Sidetone, 5},    {R::Calmweave, 6},
                                                         {R::RestartNote, 7}};
constexpr PlacedRow RowsSidetone[] = {{R::Sidetone, 1}, {R::RestartNote, 7}};
constexpr PlacedRow RowsEdrA2dpSidetoneCalmweave[] = {{R::Edr, 1}, {R::HighQualityA2dp, 2}, {R::Sidetone, 3},
                                                      {R::Calmweave, 4}, {R::RestartNote, 5}};
constexpr PlacedRow RowsEdrA2dp[] = {{R::Edr, 1}, {R::HighQualityA2dp, 2}, {R::RestartNote, 7}};
constexpr PlacedRow RowsEdrA2dpSidetoneCalmweaveAgc[] = {{R::Edr, 1},       {R::HighQualityA2dp, 2},
                                                         {R::Sidetone, 3},  {R::Calmweave, 4},
                                                         {R::AutoGainControl, 5}, {R::RestartNote, 7}};
constexpr PlacedRow RowsPhoneEdrNotePlc[] = {{R::VoxPhone, 1}, {R::Edr, 2}, {R::OnboardNote, 3}, {R::Plc, 4.5},
                                             {R::RestartNote, 7}};
constexpr PlacedRow RowsPhoneEdrA2dp[] = {{R::VoxPhone, 1}, {R::Edr, 2}, {R::HighQualityA2dp, 3}, {R::RestartNote, 7}};
constexpr PlacedRow RowsPhoneEdrA2dpSidetone[] = {{R::VoxPhone, 1}, {R::Edr, 2}, {R::HighQualityA2dp, 3},
                                                  {R::Sidetone, 4}, {R::RestartNote, 7}};
constexpr PlacedRow RowsRadio[] = {{R::RadioTransmitGain, TemplatePosition},
                                   {R::AudioChannelTimeout, TemplatePosition},
                                   {R::RestartNote, 7}};

constexpr LegacyLayout Old{6.5, 5, true, RowsVoxEdrNote};
constexpr LegacyLayout Plc40{7.5, 5, true, RowsVoxEdrNotePlc};
constexpr LegacyLayout A2dp41{9.5, 2, true, RowsVoxEdrNotePlcA2dp};
constexpr LegacyLayout A2dp41Short{8.5, 2, true, RowsVoxEdrNotePlcA2dp};
constexpr LegacyLayout Mic41{9.5, 2, true, RowsVoxEdrNotePlcA2dpMic};
constexpr LegacyLayout A2dp42{8, 5, true, RowsVoxEdrA2dp};
constexpr LegacyLayout A2dp42Short{7, 5, true, RowsVoxEdrA2dp};
constexpr LegacyLayout Mic42{8, 5, true, RowsVoxEdrA2dpMic};
constexpr LegacyLayout Sidetone50{8, 5, true, RowsVoxEdrA2dpSidetone};
constexpr LegacyLayout Mic50{8, 5, true, RowsVoxEdrA2dpSidetoneMic};
constexpr LegacyLayout Sidetone{7, 5, true, RowsVoxEdrA2dpSidetone};
constexpr LegacyLayout SidetoneCalmweave{7, 5, true, RowsVoxEdrA2dpSidetoneCalmweave};
constexpr LegacyLayout SidetoneOnly{7, 5, true, RowsSidetone};
constexpr LegacyLayout EdrCalmweave{7, 5, true, RowsEdrA2dpSidetoneCalmweave};
constexpr LegacyLayout EdrA2dp{7, 5, true, RowsEdrA2dp};
constexpr LegacyLayout EdrAgc{7, 5, true, RowsEdrA2dpSidetoneCalmweaveAgc};
constexpr LegacyLayout PhonePlc{6.5, 5, true, RowsPhoneEdrNotePlc};
constexpr LegacyLayout PhoneA2dp{6, 2, true, RowsPhoneEdrA2dp};
constexpr LegacyLayout PhoneSidetone{6, 2, true, RowsPhoneEdrA2dpSidetone};
constexpr LegacyLayout Radio{4, 5, true, RowsRadio};
// The grid models: only DEFAULT and CANCEL are placed, or nothing at all.
constexpr LegacyLayout Grid{7, 5, true, {}};
constexpr LegacyLayout Grid4210Old{4, 5, true, {}};
constexpr LegacyLayout Grid4210Mid{6, 5, true, {}};
constexpr LegacyLayout GridUnplaced{7, 5, false, {}};

// ---------------------------------------------------------------------------
// Models and firmware bands: a band runs from its version to the next band's.

struct LayoutBand {
    int fromMajor;
    int fromMinor;
    const LegacyLayout* layout;
};

constexpr LayoutBand BandsMic[] = {{0, 0, &Old}, {4, 0, &Plc40}, {4, 1, &Mic41}, {4, 2, &Mic42}, {5, 0, &Mic50}};
constexpr LayoutBand BandsA2dp[] = {{0, 0, &Old}, {4, 0, &Plc40}, {4, 1, &A2dp41}, {4, 2, &A2dp42}, {5, 0, &Sidetone50}};
constexpr LayoutBand BandsShort[] = {{0, 0, &Old}, {4, 0, &Plc40}, {4, 1, &A2dp41Short}, {4, 2, &A2dp42Short}};
constexpr LayoutBand BandsSidetone[] = {{0, 0, &Sidetone}};
constexpr LayoutBand BandsCalmweave[] = {{0, 0, &Sidetone}, {1, 1, &SidetoneCalmweave}};
constexpr LayoutBand BandsSidetoneOnly[] = {{0, 0, &SidetoneOnly}};
constexpr LayoutBand BandsEdrCalmweave[] = {{0, 0, &EdrCalmweave}};
constexpr LayoutBand BandsEdrA2dp[] = {{0, 0, &EdrA2dp}};
constexpr LayoutBand BandsEdrAgc[] = {{0, 0, &EdrAgc}};
constexpr LayoutBand BandsPhone[] = {{0, 0, &PhonePlc}, {1, 2, &PhoneA2dp}, {2, 0, &PhoneSidetone}};
constexpr LayoutBand BandsPhoneSidetone[] = {{0, 0, &PhoneSidetone}};
constexpr LayoutBand BandsPhoneA2dp[] = {{0, 0, &PhoneA2dp}};
constexpr LayoutBand BandsRadio[] = {{0, 0, &Radio}};
constexpr LayoutBand BandsGrid4210[] = {{0, 0, &Grid4210Old}, {1, 1, &Grid4210Mid}, {1, 2, &Grid}};
constexpr LayoutBand BandsGridUnplaced[] = {{0, 0, &GridUnplaced}};
constexpr LayoutBand BandsGrid[] = {{0, 0, &Grid}};

struct LayoutFamily {
    ProductIdList<9> Ids;
    std::span<const LayoutBand> bands;
};

const LayoutFamily LayoutFamilies[] = {
    {{0x4D10, 0x4D30, 0x4D40}, BandsMic},
    {{0x4D20, 0x4D50, 0x5010, 0x5030, 0x5040, 0x5050, 0x5060, 0x5061, 0x5080}, BandsA2dp},
    {{0x5020, 0x5070}, BandsShort},
    {{0x4D75, 0x5011}, BandsSidetone},
    {{0x2020}, BandsCalmweave},
    {{0x4040}, BandsSidetoneOnly},
    {{0x6110, 0x6111, 0x6120, 0x6121}, BandsEdrCalmweave},
    {{0x4110, 0x4111}, BandsEdrA2dp},
    {{0x4120}, BandsEdrAgc},
    {{0x4D05, 0x4D15, 0x4D35, 0x4D45, 0x4D55, 0x4D65}, BandsPhone},
    {{0x4D85}, BandsPhoneSidetone},
    {{0x2010, 0x2011, 0x2110, 0x2210, 0x2310, 0x4010, 0x4020, 0x4021, 0x4030}, BandsPhoneA2dp},
    {{0x5210}, BandsRadio},
    {{0x4210}, BandsGrid4210},
    {{0x4310, 0x4330, 0x4410, 0x4430, 0x4510, 0x5410, 0x5412, 0x5414, 0x5416}, BandsGridUnplaced},
};

// ---------------------------------------------------------------------------
// What each row shows and edits

constexpr LegacyRowKind RowKinds[LegacyRowCount] = {
    LegacyRowKind::Switch, LegacyRowKind::Switch, LegacyRowKind::Switch,  LegacyRowKind::Note,
    LegacyRowKind::Switch, LegacyRowKind::Switch, LegacyRowKind::Switch,  LegacyRowKind::Switch,
    LegacyRowKind::Switch, LegacyRowKind::Switch, LegacyRowKind::Gain,    LegacyRowKind::Timeout,
    LegacyRowKind::Switch, LegacyRowKind::List,   LegacyRowKind::Switch,  LegacyRowKind::List,
    LegacyRowKind::Switch, LegacyRowKind::Note,
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

constexpr SwitchField NoField{nullptr, nullptr, false};
constexpr SwitchField SwitchFields[LegacyRowCount] = {
    {MEMBER_FIELD(HandsfreeVOX), false},     // VoxPhone
    {MEMBER_FIELD(IntercomVOX), false},      // VoxIntercom
    {MEMBER_FIELD(EDR), true},               // Edr: the switch holds 1 for EDR off
    NoField,                                 // OnboardNote
    {MEMBER_FIELD(PLC), false},              // Plc
    {MEMBER_FIELD(BitpoolRate), false},      // HighQualityA2dp
    {MEMBER_FIELD(MicrophoneBoost), false},  // MicrophoneBoost
    {MEMBER_FIELD(Sidetone), false},         // Sidetone
    {MEMBER_FIELD(Calmweave), true},         // Calmweave
    {MEMBER_FIELD(AutoGainControl), true},   // AutoGainControl
    NoField,                                 // RadioTransmitGain
    NoField,                                 // AudioChannelTimeout
    {MEMBER_FIELD(SettingWords[18]), true},  // AudioBoost
    NoField,                                 // MotionSensor
    {ACCESSOR_FIELD(BasicBlendcast), false}, // Blendcast
    NoField,                                 // OverlaySensitivity
    {ACCESSOR_FIELD(BasicWord2Bit9), false}, // NavAppSupport
    NoField,                                 // RestartNote
};
// The two-interface headsets keep VOX Phone and Sidetone in setting word 2.
constexpr SwitchField WordTwoVoxPhone{ACCESSOR_FIELD(BasicVoxPhone), false};
constexpr SwitchField WordTwoSidetone{ACCESSOR_FIELD(BasicSidetone), false};

#undef MEMBER_FIELD
#undef ACCESSOR_FIELD

constexpr ProductIdList<6> WordTwoProducts = {0x4210, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510};
// Below firmware 4.0 these headsets hold 1 in the EDR switch for EDR on.
constexpr ProductIdList<14> EdrOnWhenSetProducts = {0x4D10, 0x4D20, 0x4D30, 0x4D40, 0x4D50, 0x5010, 0x5020,
                                                    0x5030, 0x5040, 0x5050, 0x5060, 0x5061, 0x5070, 0x5080};

SwitchField FieldOf(LegacyRow row, const DeviceSettings& device)
{
    if (ListHasProduct(WordTwoProducts, device.ProductId)) {
        if (row == R::VoxPhone) return WordTwoVoxPhone;
        if (row == R::Sidetone) return WordTwoSidetone;
    }
    SwitchField field = SwitchFields[static_cast<int>(row)];
    if (row == R::Edr && ListHasProduct(EdrOnWhenSetProducts, device.ProductId) &&
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
constexpr ListField MotionSensorList{3, 1, -1};
// Overlay sensitivity: items " 1" to "10" for word 0 = 10 down to 1.
constexpr ListField OverlaySensitivityList{0, -1, 10};

const ListField* ListFieldOf(LegacyRow row)
{
    if (row == R::MotionSensor) return &MotionSensorList;
    if (row == R::OverlaySensitivity) return &OverlaySensitivityList;
    return nullptr;
}

constexpr double MinimumSlotCount = 8.0;

}  // namespace

LegacyRowKind KindOf(LegacyRow row)
{
    const int index = static_cast<int>(row);
    return index >= 0 && index < LegacyRowCount ? RowKinds[index] : LegacyRowKind::Note;
}

const PlacedRow* LegacyLayout::Find(LegacyRow row) const
{
    auto it = std::find_if(rows.begin(), rows.end(), [row](const PlacedRow& placed) { return placed.row == row; });
    return it == rows.end() ? nullptr : &*it;
}

const LegacyLayout* FindLegacyLayout(int productId, const DeviceSettings& device)
{
    const LayoutFamily* family = FindProductRow(LayoutFamilies, productId);
    if (!family) return IsHidSettingsProduct(productId) ? &Grid : nullptr;
    const LegacyLayout* layout = family->bands.front().layout;
    for (const LayoutBand& band : family->bands) {
        if (device.CompareFirmwareVersion(band.fromMajor, band.fromMinor) >= 0) layout = band.layout;
    }
    return layout;
}

int SlotTop(int areaTop, int areaHeight, double slotCount, int margin, double slot, int controlHeight)
{
    const double n = std::max(slotCount, MinimumSlotCount);
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
    if (const ListField* list = ListFieldOf(row)) working.SettingWords[list->word] = list->sign * (index - list->offset);
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
