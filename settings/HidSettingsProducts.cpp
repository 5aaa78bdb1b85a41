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
    using F = SettingsFamily;
    constexpr SettingsFamilies kWithApply = {F::Yt1, F::Yt2, F::Nq1, F::Nq5r, F::Nq3};
    return kWithApply.Has(SettingsFamilyOf(productId));
}
