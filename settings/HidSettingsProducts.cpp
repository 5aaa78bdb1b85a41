#include "settings/HidSettingsProducts.h"

#include "device/ProductIdList.h"
#include "settingslist/SettingsRows.h"

namespace {

// The two-interface headsets; 0x3110 checks its first interface only; every
// other headset of the grid checks its firmware version.
constexpr ProductIdList<6> kTwoInterfaceProducts = {0x4210, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510};
constexpr int kFirstInterfaceProduct = 0x3110;

}  // namespace

HidSettingsFamily HidSettingsFamilyOf(int productId)
{
    // The HID headsets are those whose basic settings the grid shows.
    if (!HasSettingsRows(productId)) return HidSettingsFamily::None;
    if (ListHasProduct(kTwoInterfaceProducts, productId)) return HidSettingsFamily::TwoInterfaces;
    if (productId == kFirstInterfaceProduct) return HidSettingsFamily::Single3110;
    return HidSettingsFamily::Single;
}

bool HidSettingsWantApply(int productId)
{
    return (productId >= 0x5410 && productId <= 0x5416) || (productId >= 0x6010 && productId <= 0x6018) ||
           (productId >= 0x6020 && productId <= 0x6024);
}
