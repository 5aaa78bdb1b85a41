#include "device/ProductCatalogue.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "device/DeviceSettings.h"
#include "device/UsbDeviceList.h"

namespace {

using W = WriterKind;
using List = ListLayout;
using S = SectionSet;
using Keys = UpdateModeKeys;

// One row per model, by product id: names (display, file), writer, list layout,
// sections, update-mode keys, the model whose target also accepts this one as
// its own (one-way, see IsSameDeviceFamily), and the flags of ProductFlag.
// 0x5346 is the combined chip's second id; it has no name of its own.
constexpr ProductTraits kProducts[] = {
    {0x2010, L"ZR.LINQ",                     L"ZR-LINQ",       W::None,            List::None,       S::Basic,              Keys::Minus,           0,      0},
    {0x2011, L"ZR.LINQ2",                    nullptr,          W::None,            List::None,       S::Basic,              Keys::Minus,           0,      0},
    {0x2020, L"Q-LINQ",                      nullptr,          W::None,            List::None,       S::BasicDial,          Keys::Center,          0,      0},
    {0x2110, L"Clear Voice T",               L"CVT",           W::None,            List::None,       S::Basic,              Keys::Minus,           0,      0},
    {0x2210, L"Ridgewing",                   nullptr,          W::None,            List::None,       S::Basic,              Keys::Minus,           0,      0},
    {0x2310, L"J717T",                       nullptr,          W::None,            List::None,       S::Basic,              Keys::Minus,           0,      0},
    {0x3010, L"Bluetooth Sound Kit",         L"KCQ6",          W::None,            List::None,       S::Basic,              Keys::Phone,           0,      kUsbScan | kNoSettingsPages | kNoDfuPrompts | kCameraHold},
    {0x3020, L"LUMEN",                       nullptr,          W::None,            List::None,       S::Basic,              Keys::Phone,           0,      kUsbScan | kNoSettingsPages | kNoDfuPrompts | kCameraHold},
    {0x3030, L"Z9",                          nullptr,          W::PackageAndDrive, List::Z9,         S::BasicDialFm,        Keys::Minus,           0,      kHidConnected},
    {0x3040, L"Z9 Pro",                      L"Z9_Pro",        W::PackageAndDrive, List::Z9,         S::BasicDialFm,        Keys::Minus,           0,      kHidConnected},
    {0x3050, L"Z5",                          nullptr,          W::PackageAndDrive, List::Z9,         S::BasicDialFm,        Keys::Minus,           0,      kHidConnected},
    {0x3110, L"V60",                         nullptr,          W::TwoStage,        List::V60,        S::BasicDialFm,        Keys::Phone,           0,      kHidConnected | kFirstInterfaceVersion},
    {0x4010, L"Singlet",                     nullptr,          W::None,            List::None,       S::Basic,              Keys::Minus,           0,      kUsbScan},
    {0x4020, L"TKV2",                        nullptr,          W::None,            List::None,       S::Basic,              Keys::Minus,           0,      kUsbScan},
    {0x4021, L"TKV2X",                       nullptr,          W::None,            List::None,       S::Basic,              Keys::Minus,           0,      kUsbScan},
    {0x4030, L"TKV1",                        nullptr,          W::None,            List::None,       S::Basic,              Keys::Minus,           0,      kUsbScan},
    {0x4040, L"Frostline",                   nullptr,          W::None,            List::None,       S::Basic,              Keys::LeftRight,       0,      kUsbScan},
    {0x4110, L"WIDEN",                       nullptr,          W::None,            List::None,       S::BasicDial,          Keys::Center,          0,      kUsbScan},
    {0x4111, L"Thunder Audio WIDEN",         L"T-M_WIDEN",     W::None,            List::None,       S::DialOnly,           Keys::Center,          0,      0},
    {0x4120, L"BQR6",                        nullptr,          W::None,            List::None,       S::BasicDial,          Keys::Center,          0,      kUsbScan | kNoDfuPrompts},
    {0x4210, L"V40",                         nullptr,          W::RevisionChecked, List::V40,        S::BasicDialFm,        Keys::Phone,           0,      kHidConnected | kTwoInterfaces | kFirstInterfaceVersion},
    {0x4310, L"Vantor",                      nullptr,          W::Dual,            List::Vantor,     S::BasicDialFm,        Keys::Phone,           0,      kHidConnected | kTwoInterfaces | kFirstInterfaceVersion},
    {0x4330, L"Vantor Max",                  L"Vantor_Max",    W::Dual,            List::Vantor,     S::BasicDialFm,        Keys::Phone,           0,      kHidConnected | kTwoInterfaces | kFirstInterfaceVersion},
    {0x4410, L"Vantor QN",                   L"Vantor_QN",     W::Dual,            List::VantorQn,   S::BasicDialFm,        Keys::Phone,           0,      kHidConnected | kTwoInterfaces | kFirstInterfaceVersion},
    {0x4430, L"Vantor QNM",                  L"Vantor_QNM",    W::Dual,            List::VantorQn,   S::BasicDialFm,        Keys::Phone,           0,      kHidConnected | kTwoInterfaces | kFirstInterfaceVersion},
    {0x4510, L"ZKR Helmline2",               L"ZKR",           W::Dual,            List::Vantor,     S::BasicDialFm,        Keys::Phone,           0,      kHidConnected | kTwoInterfaces | kFirstInterfaceVersion},
    {0x4D05, L"TKV3",                        nullptr,          W::None,            List::None,       S::BasicDialAfter12,   Keys::Phone,           0,      kUsbScan},
    {0x4D10, L"TKV8",                        nullptr,          W::None,            List::None,       S::BasicDialAfter42,   Keys::Phone,           0,      kUsbScan},
    {0x4D15, L"TKV3-FM",                     nullptr,          W::None,            List::None,       S::BasicDialAfter12Fm, Keys::Phone,           0,      kUsbScan},
    {0x4D20, L"TKV8N",                       nullptr,          W::None,            List::None,       S::BasicDialAfter42,   Keys::Center,          0,      kUsbScan},
    {0x4D30, L"TKV8",                        nullptr,          W::None,            List::None,       S::BasicDialAfter42,   Keys::Phone,           0x4D10, kUsbScan},
    {0x4D35, L"TKV3",                        nullptr,          W::None,            List::None,       S::BasicDialAfter12,   Keys::Phone,           0x4D05, kUsbScan},
    {0x4D40, L"TKV8",                        nullptr,          W::None,            List::None,       S::BasicDialAfter42,   Keys::Phone,           0x4D10, kUsbScan},
    {0x4D45, L"TKV3-FM",                     nullptr,          W::None,            List::None,       S::BasicDialAfter12Fm, Keys::Phone,           0x4D15, kUsbScan},
    {0x4D50, L"TKV8N",                       nullptr,          W::None,            List::None,       S::BasicDialAfter42,   Keys::Center,          0x4D20, kUsbScan},
    {0x4D55, L"TKV3",                        nullptr,          W::None,            List::None,       S::BasicDialAfter12,   Keys::Phone,           0x4D05, kUsbScan},
    {0x4D65, L"TKV3-FM",                     nullptr,          W::None,            List::None,       S::BasicDialAfter12Fm, Keys::Phone,           0x4D15, kUsbScan},
    {0x4D75, L"TKV3_Polylink",               nullptr,          W::None,            List::None,       S::BasicDial,          Keys::Phone,           0,      kUsbScan},
    {0x4D85, L"TKV3-KX",                     nullptr,          W::None,            List::None,       S::BasicDialFm,        Keys::Phone,           0,      kUsbScan},
    {0x5010, L"WPR6",                        nullptr,          W::None,            List::None,       S::BasicDialAfter42,   Keys::Phone,           0,      kUsbScan},
    {0x5011, L"Thunder Audio WPR6",          L"T-M_WPR6",      W::None,            List::None,       S::BasicDial,          Keys::Phone,           0,      kUsbScan},
    {0x5020, L"WPR6T",                       nullptr,          W::None,            List::None,       S::BasicDialAfter42,   Keys::Phone,           0,      kUsbScan},
    {0x5030, L"WPR6K",                       nullptr,          W::None,            List::None,       S::BasicDialAfter42,   Keys::Phone,           0,      kUsbScan},
    {0x5040, L"WPR6K-FM",                    nullptr,          W::None,            List::None,       S::BasicDialAfter42Fm, Keys::Phone,           0,      kUsbScan},
    {0x5050, L"WPR6K-FM",                    nullptr,          W::None,            List::None,       S::BasicDialAfter42Fm, Keys::Phone,           0x5040, kUsbScan},
    {0x5060, L"WPR6",                        nullptr,          W::None,            List::None,       S::BasicDialAfter42,   Keys::Phone,           0x5010, kUsbScan},
    {0x5061, L"WPR6",                        nullptr,          W::None,            List::None,       S::BasicDialAfter42,   Keys::Phone,           0x5010, kUsbScan},
    {0x5070, L"WPR6T",                       nullptr,          W::None,            List::None,       S::BasicDialAfter42,   Keys::Phone,           0x5020, kUsbScan},
    {0x5080, L"WPR6K",                       nullptr,          W::None,            List::None,       S::BasicDialAfter42,   Keys::Phone,           0x5030, kUsbScan},
    {0x5210, L"GZR6",                        nullptr,          W::None,            List::None,       S::Basic,              Keys::Pairing,         0,      kUsbScan},
    {0x5310, L"GZM6",                        nullptr,          W::None,            List::None,       S::None,               Keys::Phone,           0,      kUsbScan | kNoSettingsPages | kNoDfuPrompts},
    {0x5320, L"OpenLoop for Thunder Motors", L"OpenLoopTR",    W::PackageAndDrive, List::None,       S::None,               Keys::Phone,           0,      kHidConnected | kNoSettingsPages | kNoRestartKey},
    {0x5330, L"OpenLoop for Kaito Tourer",   L"OpenLoopKT",    W::PackageAndDrive, List::None,       S::None,               Keys::Phone,           0,      kHidConnected | kNoSettingsPages | kNoRestartKey},
    {0x5345, L"ZEPH",                        nullptr,          W::CombinedChip,    List::None,       S::None,               Keys::Phone,           0,      kHidConnected | kCombinedChip | kNoSettingsPages},
    {0x5346, nullptr,                        nullptr,          W::None,            List::None,       S::None,               Keys::Phone,           0,      kCombinedChip},
    {0x5410, L"YT1",                         nullptr,          W::Package,         List::Yt1,        S::BasicDial,          Keys::Phone,           0,      kHidConnected},
    {0x5412, L"YT2",                         nullptr,          W::Package,         List::Yt2,        S::BasicDialFm,        Keys::Phone,           0,      kHidConnected},
    {0x5414, L"YT4",                         nullptr,          W::Package,         List::Yt2,        S::BasicDialFm,        Keys::Phone,           0,      kHidConnected},
    {0x5416, L"WTK-07",                      L"WTK_07",        W::Package,         List::Wtk07,      S::BasicDialFm,        Keys::Phone,           0,      kHidConnected},
    {0x5510, L"KC5",                         nullptr,          W::PackageAndDrive, List::Kc5,        S::BasicDialFm,        Keys::Phone,           0,      kHidConnected},
    {0x5520, L"KR5",                         nullptr,          W::PackageAndDrive, List::Kr5,        S::BasicDialFm,        Keys::MinusCenterPlus, 0,      kHidConnected},
    {0x5522, L"Thunder! Audio Q01 KR5",      L"T-M_Lancer",    W::PackageAndDrive, List::ThunderKr5, S::BasicDialFm,        Keys::Minus,           0,      kHidConnected},
    {0x5524, L"Lancer",                      nullptr,          W::PackageAndDrive, List::Lancer,     S::BasicDialFm,        Keys::Minus,           0,      kHidConnected},
    {0x5526, L"Vantor Mini",                 L"Vantor_Mini",   W::PackageAndDrive, List::VantorMini, S::BasicDialFm,        Keys::MinusCenterPlus, 0,      kHidConnected},
    {0x5530, L"KS5",                         nullptr,          W::PackageAndDrive, List::Ks5,        S::BasicDialFm,        Keys::Phone,           0,      kHidConnected},
    {0x5550, L"Feral",                       nullptr,          W::PackageAndDrive, List::Feral,      S::BasicDialFm,        Keys::Phone,           0,      kHidConnected},
    {0x5610, L"M7X Helm-G",                  L"M7X_Helm-G",    W::PackageAndDrive, List::M7xHelm,    S::BasicDialFm,        Keys::Minus,           0,      kHidConnected},
    {0x5611, L"M7X Helm-N",                  L"M7X_Helm-N",    W::PackageAndDrive, List::M7xHelm,    S::BasicDialFm,        Keys::Minus,           0,      kHidConnected},
    {0x5612, L"M7X Helm-J",                  L"M7X_Helm-J",    W::PackageAndDrive, List::M7xHelm,    S::BasicDialFm,        Keys::Minus,           0,      kHidConnected},
    {0x5620, L"M7X Helm-S/SX",               L"M7X_Helm-S_SX", W::PackageAndDrive, List::M7xHelm,    S::BasicDialFm,        Keys::Minus,           0,      kHidConnected},
    {0x5621, L"M7X Helm-A",                  L"M7X_Helm-A",    W::PackageAndDrive, List::M7xHelm,    S::BasicDialFm,        Keys::Minus,           0,      kHidConnected},
    {0x5622, L"LVRA",                        nullptr,          W::PackageAndDrive, List::Lvra,       S::BasicDialFm,        Keys::Minus,           0,      kHidConnected},
    {0x5623, L"LVR7",                        nullptr,          W::PackageAndDrive, List::Lvr7,       S::BasicDialFm,        Keys::Minus,           0,      kHidConnected},
    {0x5624, L"LVRS",                        nullptr,          W::PackageAndDrive, List::Lvra,       S::Basic,              Keys::Minus,           0,      kHidConnected},
    {0x5710, L"Grittalk",                    nullptr,          W::PackageAndDrive, List::Grittalk,   S::BasicDialFm,        Keys::Phone,           0,      kHidConnected},
    {0x5720, L"Grittalk Mini",               L"Grittalk_Mini", W::PackageAndDrive, List::VantorMini, S::BasicDialFm,        Keys::MinusCenterPlus, 0,      kHidConnected},
    {0x5910, L"Torvik Ostrel",               L"TorvikOstrel",  W::PackageAndDrive, List::Ostrel,     S::BasicDialFm,        Keys::MinusCenterPlus, 0,      kHidConnected},
    {0x5920, L"Boreal Arrow",                L"BorealArrow",   W::PackageAndDrive, List::Ostrel,     S::BasicDialFm,        Keys::MinusCenterPlus, 0,      kHidConnected},
    {0x6010, L"NQ1",                         nullptr,          W::Package,         List::Nq1,        S::BasicDialFm,        Keys::Phone,           0,      kHidConnected},
    {0x6012, L"NQ5LR",                       L"NQL",           W::Package,         List::Nq1,        S::BasicDialFm,        Keys::Phone,           0,      kHidConnected},
    {0x6014, L"NQ5R",                        L"NQB",           W::Package,         List::Nq5r,       S::BasicDialFm,        Keys::Phone,           0,      kHidConnected},
    {0x6016, L"NQ5K",                        L"NQA",           W::Package,         List::Nq5r,       S::BasicDialFm,        Keys::Phone,           0,      kHidConnected},
    {0x6018, L"NQ5S",                        L"NQC",           W::Package,         List::Nq5s,       S::BasicDialFm,        Keys::Phone,           0,      kHidConnected},
    {0x6020, L"NQ3R",                        L"NQ3_R",         W::None,            List::Nq3,        S::BasicDial,          Keys::Phone,           0,      kHidConnected | kNoDfuPrompts},
    {0x6022, L"NQ3S",                        L"NQ3_S",         W::None,            List::Nq3,        S::BasicDial,          Keys::Phone,           0,      kHidConnected | kNoDfuPrompts},
    {0x6024, L"NQ3X",                        L"NQ3_X",         W::None,            List::Nq3,        S::BasicDial,          Keys::Phone,           0,      kHidConnected | kNoDfuPrompts},
    {0x6110, L"Verra RT-3",                  L"Verra_RT-3",    W::None,            List::None,       S::BasicDial,          Keys::Center,          0,      0},
    {0x6111, L"Ottavo RT3-MAX",              L"Verra_RT3-MAX", W::None,            List::None,       S::BasicDial,          Keys::Center,          0,      0},
    {0x6120, L"PAVLO",                       nullptr,          W::None,            List::None,       S::BasicDial,          Keys::Center,          0,      0},
    {0x6121, L"PVQIII",                      L"PAVLO2",        W::None,            List::None,       S::BasicDial,          Keys::Center,          0,      0},
    {0x6210, L"M7Xpad",                      nullptr,          W::PackageAndDrive, List::M7xpad,     S::BasicDialFm,        Keys::Minus,           0,      kHidConnected},
};

constexpr ProductTraits kUnknownProduct = {};

constexpr std::size_t CountUsbModels()
{
    std::size_t n = 0;
    for (const ProductTraits& p : kProducts) n += p.Has(kUsbScan) ? 1 : 0;
    return n;
}
static_assert(2 + 2 * CountUsbModels() == kKnownUsbProductIdCount);

constexpr std::array<int, kKnownUsbProductIdCount> MakeKnownUsbProductIds()
{
    std::array<int, kKnownUsbProductIdCount> ids{};
    ids[0] = kGenericChipProductId;
    ids[1] = kUnconnectedChipProductId;
    std::size_t n = 2;
    for (const ProductTraits& p : kProducts) {
        if (!p.Has(kUsbScan)) continue;
        ids[n++] = p.productId;
        ids[n++] = p.productId | kUpdateModeBit;
    }
    return ids;
}

// The sections of each set, after the basic settings.
enum class SpeedDial : uint8_t { No, Yes, LaterThan };
struct SectionsRow {
    SectionSet Set;
    bool Basic;
    SpeedDial Dial;
    int Major;  // with LaterThan: speed dial only when the firmware is later
    int Minor;
    bool FmRadio;
};

constexpr SectionsRow kSectionsTable[] = {
    {S::Basic, true, SpeedDial::No, 0, 0, false},
    {S::BasicDial, true, SpeedDial::Yes, 0, 0, false},
    {S::BasicDialFm, true, SpeedDial::Yes, 0, 0, true},
    {S::BasicDialAfter42, true, SpeedDial::LaterThan, 4, 2, false},
    {S::BasicDialAfter42Fm, true, SpeedDial::LaterThan, 4, 2, true},
    {S::BasicDialAfter12, true, SpeedDial::LaterThan, 1, 2, false},
    {S::BasicDialAfter12Fm, true, SpeedDial::LaterThan, 1, 2, true},
    {S::DialOnly, false, SpeedDial::Yes, 0, 0, false},
};

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The hexadecimal number at text (0 when there is none), saturating; at most
// maxDigits digits are read when maxDigits is positive.
int ReadHex(const char* text, int maxDigits = 0)
{
    long long value = 0;
    for (int d, n = 0; (maxDigits <= 0 || n < maxDigits) && (d = HexDigit(*text)) >= 0; ++text, ++n)
        value = std::min(value * 16 + d, 0x7FFFFFFFLL);
    return static_cast<int>(value);
}

char ToUpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Case-insensitive search of an upper-case ASCII tag.
const char* FindTag(const char* text, const char* tag)
{
    const std::size_t n = std::strlen(tag);
    for (; *text; ++text) {
        std::size_t i = 0;
        while (i < n && text[i] && ToUpperAscii(text[i]) == tag[i])
            ++i;
        if (i == n)
            return text;
    }
    return nullptr;
}

// "VID_" and then "PID_" after it, each followed by a hexadecimal number of
// at most maxDigits digits (0: any number).
bool ReadTaggedIds(const char* text, int maxDigits, int* vendorId, int* productId)
{
    const char* vid = FindTag(text, "VID_");
    if (!vid)
        return false;
    const char* pid = FindTag(vid + 4, "PID_");
    if (!pid)
        return false;
    *vendorId = ReadHex(vid + 4, maxDigits);
    *productId = ReadHex(pid + 4, maxDigits);
    return true;
}

}  // namespace

const std::array<int, kKnownUsbProductIdCount> KnownUsbProductIds = MakeKnownUsbProductIds();

CString* GetModelName(CString* out, int productId, int fileNameForm)
{
    *out = GetModelName(productId, fileNameForm);
    return out;
}

CString GetModelName(int productId, int fileNameForm)
{
    for (const ProductTraits& p : kProducts) {
        if (p.productId == productId && p.displayName)
            return CString(fileNameForm && p.fileName ? p.fileName : p.displayName);
    }
    return CString();
}

const ProductTraits& ProductTraitsOf(int productId)
{
    for (const ProductTraits& p : kProducts) {
        if (p.productId == productId) return p;
    }
    return kUnknownProduct;
}

std::span<const uint16_t> ProductsOfLayout(ListLayout layout)
{
    // Built once, on first use, for every layout.
    static const auto products = [] {
        std::array<std::vector<uint16_t>, kListLayoutCount> byLayout;
        for (const ProductTraits& p : kProducts) {
            if (p.listLayout != ListLayout::None)
                byLayout[static_cast<std::size_t>(p.listLayout)].push_back(static_cast<uint16_t>(p.productId));
        }
        return byLayout;
    }();
    const auto index = static_cast<std::size_t>(layout);
    if (layout == ListLayout::None || index >= products.size()) return {};
    return products[index];
}

bool IsKnownUsbProductId(int productId)
{
    return std::find(KnownUsbProductIds.begin(), KnownUsbProductIds.end(), productId) != KnownUsbProductIds.end();
}

bool ParseUsbVendorProduct(const char* text, int* vendorId, int* productId)
{
    return ReadTaggedIds(text, 0, vendorId, productId);
}

bool ParseDevicePathIds(const char* path, int* vendorId, int* productId)
{
    return path && *path && ReadTaggedIds(path + 1, 4, vendorId, productId);
}

bool ParseDevicePathIds(const wchar_t* path, int* vendorId, int* productId)
{
    if (!path) return false;
    std::string narrow;
    for (const wchar_t* p = path; *p; ++p) narrow += *p > 0 && *p < 0x80 ? static_cast<char>(*p) : '?';
    return ParseDevicePathIds(narrow.c_str(), vendorId, productId);
}

int EnumerateUsbProducts(int ids[], int capacity)
{
    std::vector<std::string> hardwareIds;
    if (!UsbDeviceList().GetHardwareIds(hardwareIds))
        return 0;

    int count = 0;
    for (const std::string& hardwareId : hardwareIds) {
        int vendorId = 0;
        int productId = 0;
        if (!ParseUsbVendorProduct(hardwareId.c_str(), &vendorId, &productId) || vendorId != kMakerVendorId ||
            !IsKnownUsbProductId(productId))
            continue;
        if (ids && count < capacity)
            ids[count] = productId;
        ++count;
    }
    return count;
}

void ClearSettingSections(int* count, int kinds[kMaxSettingSections], int* current)
{
    *count = 0;
    std::fill_n(kinds, kMaxSettingSections, 0);
    *current = 0;
}

void BuildSettingSections(int productId, int major, int minor, int* count, int kinds[kMaxSettingSections],
                          int* current)
{
    ClearSettingSections(count, kinds, current);
    const SectionSet set = ProductTraitsOf(productId).sections;
    const auto row = std::find_if(std::begin(kSectionsTable), std::end(kSectionsTable),
                                  [set](const SectionsRow& r) { return r.Set == set; });
    if (row == std::end(kSectionsTable))
        return;
    if (row->Basic)
        kinds[(*count)++] = kSectionBasic;
    if (row->Dial == SpeedDial::Yes ||
        (row->Dial == SpeedDial::LaterThan && CompareVersion(major, minor, row->Major, row->Minor) > 0))
        kinds[(*count)++] = kSectionSpeedDial;
    if (row->FmRadio)
        kinds[(*count)++] = kSectionFmRadio;
}

int IsSameDeviceFamily(int targetProductId, int productId)
{
    if (targetProductId == productId)
        return 1;
    const int base = ProductTraitsOf(productId).sameDeviceAs;
    return base != 0 && base == targetProductId ? 1 : 0;
}
