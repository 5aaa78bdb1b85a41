// The legacy layout of the basic settings page, window-free: the fixed rows a
// BlueCore headset shows, the slot of each row per model and firmware band,
// and how each row's radios or list read and write the page's working copy.
#pragma once

#include <span>

#include "device/DeviceSettings.h"

enum class LegacyRow : int {
    VoxPhone,
    VoxIntercom,
    Edr,
    OnboardNote,
    Plc,
    HighQualityA2dp,
    MicrophoneBoost,
    Sidetone,
    Calmweave,
    AutoGainControl,
    RadioTransmitGain,
    AudioChannelTimeout,
    AudioBoost,
    MotionSensor,
    Blendcast,
    OverlaySensitivity,
    NavAppSupport,
    RestartNote,
    Count
};
inline constexpr int kLegacyRowCount = static_cast<int>(LegacyRow::Count);

// What a row shows its value with.
enum class LegacyRowKind {
    Switch,   // an Enable / Disable radio pair
    Gain,     // three radios Low, Medium, High
    Timeout,  // a number with an up-down control
    List,     // a drop-down list
    Note,     // a text only
};
LegacyRowKind KindOf(LegacyRow row);

// A row of a layout in its slot; the slot may be fractional. A row at
// kTemplatePosition is shown where the dialog template has it.
struct PlacedRow {
    LegacyRow row;
    double slot;
};
inline constexpr double kTemplatePosition = -1.0;

struct LegacyLayout {
    double slotCount;        // the page's height divided into this many slots (at least 8 are used)
    int margin;              // pixels above and below the slots
    bool placesPageButtons;  // DEFAULT and CANCEL go to slot 0
    std::span<const PlacedRow> rows;

    const PlacedRow* Find(LegacyRow row) const;
};

// The layout of a headset by its product id and the record's firmware
// version. The 42 HID headsets get a layout without rows (their settings are
// in the grid); null for a product that has neither.
const LegacyLayout* FindLegacyLayout(int productId, const DeviceSettings& device);

// The top of a control of the given height centred in a slot of an area:
// slotCount is taken as at least 8, the slots fill the area's height less the
// margin above and below.
int SlotTop(int areaTop, int areaHeight, double slotCount, int margin, double slot, int controlHeight);

// Switch rows: whether the working copy has the row on (the Enable radio
// checked), and the change of the Enable (on) or Disable radio. device is the
// record of the recognized headset: its product id and firmware decide which
// field a row edits and with which polarity.
bool IsLegacySwitchOn(LegacyRow row, const DeviceSettings& working, const DeviceSettings& device);
void SetLegacySwitch(LegacyRow row, bool on, DeviceSettings& working, const DeviceSettings& device);

// List rows: the item shown for the working copy, and the choice of an item.
int LegacyListIndex(LegacyRow row, const DeviceSettings& working);
void SetLegacyListIndex(LegacyRow row, int index, DeviceSettings& working);

// The radio transmit gain of the three radios Low, Medium, High.
inline constexpr int kRadioTransmitGains[3] = {12, 15, 17};

// DEFAULT of the basic settings page: the working copy with its basic
// settings at the model's defaults; the FM block and the speed-dial numbers
// stay the headset's, as they are not the page's to reset.
void BuildBasicDefaults(DeviceSettings& defaults, const DeviceSettings& working);
