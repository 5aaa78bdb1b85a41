// The headsets whose settings travel as HID reports (the others keep theirs in
// the persistent store of a BlueCore chip), by the family that decides how the
// settings writer proves that the attached headset is still the recognized one.
#pragma once

enum class HidSettingsFamily {
    None,           // not a HID headset: persistent store
    TwoInterfaces,  // 0x4210, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510: both interfaces' versions
    Single3110,     // 0x3110: the first interface's version
    Single,         // every other HID headset: the firmware version
};

HidSettingsFamily HidSettingsFamilyOf(int productId);

// The 42 HID headsets; the basic settings page shows their settings in the grid.
inline bool IsHidSettingsProduct(int productId) { return HidSettingsFamilyOf(productId) != HidSettingsFamily::None; }

// The headsets that take a set request only with an apply request after it.
bool HidSettingsWantApply(int productId);
