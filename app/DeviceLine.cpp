#include "app/DeviceLine.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "device/ProductCatalogue.h"

namespace {

struct PictureRow {
    int productId;
    int bitmap;
};

constexpr PictureRow kPictures[] = {
    {0x2010, 222}, {0x2110, 222}, {0x2011, 312}, {0x2020, 223}, {0x2210, 345}, {0x2310, 364},
    {0x3010, 224}, {0x3020, 286}, {0x3030, 354}, {0x3040, 354}, {0x3050, 354}, {0x3110, 366},
    {0x4010, 215}, {0x4020, 211}, {0x4021, 288}, {0x4030, 219}, {0x4040, 289}, {0x4110, 216},
    {0x4111, 216}, {0x4120, 230}, {0x4310, 360}, {0x4410, 360}, {0x5526, 360}, {0x4330, 361},
    {0x4430, 361}, {0x4510, 367}, {0x4D05, 177}, {0x4D35, 177}, {0x4D55, 177}, {0x4D10, 178},
    {0x4D30, 178}, {0x4D40, 178}, {0x4D15, 195}, {0x4D45, 195}, {0x4D65, 195}, {0x4D20, 200},
    {0x4D50, 200}, {0x4D75, 356}, {0x4D85, 297}, {0x5010, 179}, {0x5011, 179}, {0x5060, 179},
    {0x5061, 179}, {0x5020, 180}, {0x5070, 180}, {0x5030, 192}, {0x5080, 192}, {0x5040, 199},
    {0x5050, 199}, {0x5210, 181}, {0x5310, 193}, {0x5320, 319}, {0x5330, 320}, {0x5345, 355},
    {0x5410, 368}, {0x5412, 369}, {0x5414, 370}, {0x5416, 371}, {0x5510, 295}, {0x5520, 296},
    {0x5522, 346}, {0x5524, 346}, {0x5530, 304}, {0x5550, 378}, {0x5610, 294}, {0x5611, 294},
    {0x5612, 294}, {0x5620, 294}, {0x5621, 294}, {0x5622, 353}, {0x5624, 353}, {0x5623, 350},
    {0x5710, 313}, {0x5720, 313}, {0x5910, 314}, {0x5920, 314}, {0x6010, 331}, {0x6012, 333},
    {0x6014, 329}, {0x6016, 332}, {0x6018, 357}, {0x6020, 375}, {0x6022, 376}, {0x6024, 377},
    {0x6110, 318}, {0x6111, 318}, {0x6120, 322}, {0x6121, 365}, {0x6210, 342},
};

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
    if (productId == 0x4210) {
        if (variant == 16 || variant == 27) return 358;
        // A variant that could not be read counts as the base model.
        if (variant == 0 || variant == 11 || variant < 0) return 284;
        return 360;
    }
    const auto row = std::find_if(std::begin(kPictures), std::end(kPictures),
                                  [productId](const PictureRow& r) { return r.productId == productId; });
    return row != std::end(kPictures) ? row->bitmap : kLogoPicture;
}

std::vector<int> DevicePictureIds()
{
    std::vector<int> ids;
    for (const PictureRow& row : kPictures) ids.push_back(row.bitmap);
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
    if (product == 0x3020) {
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
