#include "app/DeviceLine.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "device/ProductCatalogue.h"

namespace {

// The variant pictures of 0x4210 and the two non-model pictures.
constexpr int kExtraPictures[] = {284, 358, 360, kNoDevicePicture, kLogoPicture};


CString GroupText(const VersionGroup& g, bool combinedChip)
{
    CString text;
    const int type = combinedChip ? 2 : g.SecondaryType;
    if (type == 1) {
        if (g.SecondaryVersion != 0) text.Format(L"v%d.%drc%d", g.Major, g.Minor, g.SecondaryVersion);
        else text.Format(L"v%d.%drc", g.Major, g.Minor);
    } else if (type == 2 && (g.SecondaryVersion != 0 || combinedChip)) {
        text.Format(L"v%d.%d.%d", g.Major, g.Minor, g.SecondaryVersion);
    } else {
        text.Format(L"v%d.%d", g.Major, g.Minor);
    }
    return text;
}

// The combined-chip modules compare with both types taken as 2.
bool GroupsDiffer(const VersionGroup& a, const VersionGroup& b, bool combinedChip)
{
    const int typeA = combinedChip ? 2 : a.SecondaryType;
    const int typeB = combinedChip ? 2 : b.SecondaryType;
    return CompareVersionEx(a.Major, a.Minor, typeA, a.SecondaryVersion, b.Major, b.Minor, typeB,
                            b.SecondaryVersion, 0) != 0;
}

}  // namespace

int DeviceImageIdFor(int productId, int variant)
{
    if (productId == kV40ProductId) {
        if (variant == 16 || variant == 27) return 358;
        // A variant that could not be read counts as the base model.
        if (variant == 0 || variant == 11 || variant < 0) return 284;
        return 360;
    }
    const int picture = ProductTraitsOf(productId).picture;
    return picture ? picture : kLogoPicture;
}

std::vector<int> DevicePictureIds()
{
    std::vector<int> ids;
    for (const ProductTraits& product : AllProductTraits()) {
        if (product.picture) ids.push_back(product.picture);
    }
    ids.insert(ids.end(), std::begin(kExtraPictures), std::end(kExtraPictures));
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
}

CString DeviceNameCaption(const CString& name)
{
    const int space = name.ReverseFind(L' ');
    if (name.Find(L'.') >= 0 && space >= 0) return name.Left(space);
    return name;
}

CString DeviceVersionText(const DeviceSettings& settings)
{
    const int product = settings.ProductId;
    const ProductTraits& traits = ProductTraitsOf(product);
    // A product with two interfaces shows the second one's version too when it differs.
    const bool twoInterfaces = traits.Has(kTwoInterfaces);
    const bool combinedChip = traits.Has(kCombinedChip);
    const bool firstInterface = combinedChip || traits.Has(kFirstInterfaceVersion);
    const VersionGroup& first = firstInterface ? settings.FirstInterface : settings.Firmware;
    CString text;
    if (product == kActionCameraProductId) {
        // The action camera writes its version type and secondary version first.
        text.Format(L"v%d.%d.%d.%d", first.SecondaryType, first.SecondaryVersion, first.Major, first.Minor);
        return text;
    }
    text = GroupText(first, combinedChip);
    if ((twoInterfaces || combinedChip) && GroupsDiffer(settings.FirstInterface, settings.SecondInterface, combinedChip)) {
        CString second;
        if (combinedChip) {
            const VersionGroup& g = settings.SecondInterface;
            second.Format(L"v%d.%d.%d", g.Major, g.Minor, g.SecondaryVersion);
        } else {
            second = GroupText(settings.SecondInterface, false);
        }
        text += L" / ";
        text += second;
    }
    return text;
}
