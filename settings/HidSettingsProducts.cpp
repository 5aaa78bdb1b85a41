#include "settings/HidSettingsProducts.h"

#include "device/ProductIdList.h"

namespace {

struct FamilyRow {
    ProductIdList<32> Ids;
    HidSettingsFamily Family;
};

const FamilyRow kFamilies[] = {
    {{0x4210, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510}, HidSettingsFamily::TwoInterfaces},
    {{0x3110}, HidSettingsFamily::Single3110},
    {{0x3030, 0x3040, 0x3050, 0x5410, 0x5412, 0x5414, 0x5416, 0x5510, 0x5520, 0x5522, 0x5524,
      0x5526, 0x5530, 0x5550, 0x5610, 0x5611, 0x5612, 0x5620, 0x5621, 0x5622, 0x5623, 0x5624,
      0x5710, 0x5720, 0x5910, 0x5920, 0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6210},
     HidSettingsFamily::Single},
    {{0x6020, 0x6022, 0x6024}, HidSettingsFamily::Single},
};

}  // namespace

HidSettingsFamily HidSettingsFamilyOf(int productId)
{
    const FamilyRow* row = FindProductRow(kFamilies, productId);
    return row ? row->Family : HidSettingsFamily::None;
}

bool HidSettingsWantApply(int productId)
{
    return (productId >= 0x5410 && productId <= 0x5416) || (productId >= 0x6010 && productId <= 0x6018) ||
           (productId >= 0x6020 && productId <= 0x6024);
}
