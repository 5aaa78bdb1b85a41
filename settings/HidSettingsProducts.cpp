#include "settings/HidSettingsProducts.h"

#include "device/ProductCatalogue.h"
#include "settingslist/SettingsRows.h"

HidSettingsFamily HidSettingsFamilyOf(int productId)
{
    // The HID headsets are those whose basic settings the grid shows.
    if (!HasSettingsRows(productId)) return HidSettingsFamily::None;
    // The two-interface headsets check both interfaces; 0x3110 its first one only;
    // every other headset of the grid its firmware version.
    const ProductTraits& traits = ProductTraitsOf(productId);
    if (traits.Has(kTwoInterfaces)) return HidSettingsFamily::TwoInterfaces;
    if (traits.Has(kFirstInterfaceVersion)) return HidSettingsFamily::Single3110;
    return HidSettingsFamily::Single;
}

bool HidSettingsWantApply(int productId)
{
    return (productId >= 0x5410 && productId <= 0x5416) || (productId >= 0x6010 && productId <= 0x6018) ||
           (productId >= 0x6020 && productId <= 0x6024);
}
