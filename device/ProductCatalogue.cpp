#include "device/ProductCatalogue.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "device/DeviceSettings.h"
#include "device/ProductIdList.h"
#include "device/UsbDeviceList.h"

namespace {

struct ModelName {
    int ProductId;
    const wchar_t* DisplayName;
    const wchar_t* FileName;  // null: the same as the display name
};

constexpr ModelName kModelNames[] = {
    {0x2010, L"ZR.LINQ", L"ZR-LINQ"},
    {0x2011, L"ZR.LINQ2", nullptr},
    {0x2020, L"Q-LINQ", nullptr},
    {0x2110, L"Clear Voice T", L"CVT"},
    {0x2210, L"Ridgewing", nullptr},
    {0x2310, L"J717T", nullptr},
    {0x3010, L"Bluetooth Sound Kit", L"KCQ6"},
    {0x3020, L"LUMEN", nullptr},
    {0x3030, L"Z9", nullptr},
    {0x3040, L"Z9 Pro", L"Z9_Pro"},
    {0x3050, L"Z5", nullptr},
    {0x3110, L"V60", nullptr},
    {0x4010, L"Singlet", nullptr},
    {0x4020, L"TKV2", nullptr},
    {0x4021, L"TKV2X", nullptr},
    {0x4030, L"TKV1", nullptr},
    {0x4040, L"Frostline", nullptr},
    {0x4110, L"WIDEN", nullptr},
    {0x4111, L"Thunder Audio WIDEN", L"T-M_WIDEN"},
    {0x4120, L"BQR6", nullptr},
    {0x4210, L"V40", nullptr},
    {0x4310, L"Vantor", nullptr},
    {0x4330, L"Vantor Max", L"Vantor_Max"},
    {0x4410, L"Vantor QN", L"Vantor_QN"},
    {0x4430, L"Vantor QNM", L"Vantor_QNM"},
    {0x4510, L"ZKR Helmline2", L"ZKR"},
    {0x4D05, L"TKV3", nullptr},
    {0x4D10, L"TKV8", nullptr},
    {0x4D15, L"TKV3-FM", nullptr},
    {0x4D20, L"TKV8N", nullptr},
    {0x4D30, L"TKV8", nullptr},
    {0x4D35, L"TKV3", nullptr},
    {0x4D40, L"TKV8", nullptr},
    {0x4D45, L"TKV3-FM", nullptr},
    {0x4D50, L"TKV8N", nullptr},
    {0x4D55, L"TKV3", nullptr},
    {0x4D65, L"TKV3-FM", nullptr},
    {0x4D75, L"TKV3_Polylink", nullptr},
    {0x4D85, L"TKV3-KX", nullptr},
    {0x5010, L"WPR6", nullptr},
    {0x5011, L"Thunder Audio WPR6", L"T-M_WPR6"},
    {0x5020, L"WPR6T", nullptr},
    {0x5030, L"WPR6K", nullptr},
    {0x5040, L"WPR6K-FM", nullptr},
    {0x5050, L"WPR6K-FM", nullptr},
    {0x5060, L"WPR6", nullptr},
    {0x5061, L"WPR6", nullptr},
    {0x5070, L"WPR6T", nullptr},
    {0x5080, L"WPR6K", nullptr},
    {0x5210, L"GZR6", nullptr},
    {0x5310, L"GZM6", nullptr},
    {0x5320, L"OpenLoop for Thunder Motors", L"OpenLoopTR"},
    {0x5330, L"OpenLoop for Kaito Tourer", L"OpenLoopKT"},
    {0x5345, L"ZEPH", nullptr},
    {0x5410, L"YT1", nullptr},
    {0x5412, L"YT2", nullptr},
    {0x5414, L"YT4", nullptr},
    {0x5416, L"WTK-07", L"WTK_07"},
    {0x5510, L"KC5", nullptr},
    {0x5520, L"KR5", nullptr},
    {0x5522, L"Thunder! Audio Q01 KR5", L"T-M_Lancer"},
    {0x5524, L"Lancer", nullptr},
    {0x5526, L"Vantor Mini", L"Vantor_Mini"},
    {0x5530, L"KS5", nullptr},
    {0x5550, L"Feral", nullptr},
    {0x5610, L"M7X Helm-G", L"M7X_Helm-G"},
    {0x5611, L"M7X Helm-N", L"M7X_Helm-N"},
    {0x5612, L"M7X Helm-J", L"M7X_Helm-J"},
    {0x5620, L"M7X Helm-S/SX", L"M7X_Helm-S_SX"},
    {0x5621, L"M7X Helm-A", L"M7X_Helm-A"},
    {0x5622, L"LVRA", nullptr},
    {0x5623, L"LVR7", nullptr},
    {0x5624, L"LVRS", nullptr},
    {0x5710, L"Grittalk", nullptr},
    {0x5720, L"Grittalk Mini", L"Grittalk_Mini"},
    {0x5910, L"Torvik Ostrel", L"TorvikOstrel"},
    {0x5920, L"Boreal Arrow", L"BorealArrow"},
    {0x6010, L"NQ1", nullptr},
    {0x6012, L"NQ5LR", L"NQL"},
    {0x6014, L"NQ5R", L"NQB"},
    {0x6016, L"NQ5K", L"NQA"},
    {0x6018, L"NQ5S", L"NQC"},
    {0x6020, L"NQ3R", L"NQ3_R"},
    {0x6022, L"NQ3S", L"NQ3_S"},
    {0x6024, L"NQ3X", L"NQ3_X"},
    {0x6110, L"Verra RT-3", L"Verra_RT-3"},
    {0x6111, L"Ottavo RT3-MAX", L"Verra_RT3-MAX"},
    {0x6120, L"PAVLO", nullptr},
    {0x6121, L"PVQIII", L"PAVLO2"},
    {0x6210, L"M7Xpad", nullptr},
};

// The models the USB scan accepts, each also with bit 15 set.
constexpr int kUsbModels[] = {
    0x4D10, 0x4D30, 0x4D40, 0x4D20, 0x4D50, 0x4040, 0x4D05, 0x4D35, 0x4D55, 0x4D15, 0x4D85, 0x4D45,
    0x4D65, 0x4020, 0x4021, 0x4030, 0x4010, 0x5010, 0x5060, 0x5061, 0x5011, 0x5020, 0x5070, 0x5030,
    0x5080, 0x4D75, 0x5040, 0x5050, 0x4110, 0x5210, 0x5310, 0x3010, 0x3020, 0x4120,
};
static_assert(2 + 2 * std::size(kUsbModels) == kKnownUsbProductIdCount);

constexpr std::array<int, kKnownUsbProductIdCount> MakeKnownUsbProductIds()
{
    std::array<int, kKnownUsbProductIdCount> ids{};
    ids[0] = 0x0001;
    ids[1] = 0xFFFF;
    std::size_t n = 2;
    for (int id : kUsbModels) {
        ids[n++] = id;
        ids[n++] = id | kUpdateModeBit;
    }
    return ids;
}

// The sections of a product, after the basic settings.
enum class SpeedDial : uint8_t { No, Yes, LaterThan };
struct SectionsRow {
    ProductIdList<38> Ids;
    bool Basic;
    SpeedDial Dial;
    int Major;  // with LaterThan: speed dial only when the firmware is later
    int Minor;
    bool FmRadio;
};

const SectionsRow kSectionsTable[] = {
    {{0x4D10, 0x4D30, 0x4D40, 0x4D20, 0x4D50, 0x5010, 0x5060, 0x5061, 0x5020, 0x5070, 0x5030, 0x5080},
     true, SpeedDial::LaterThan, 4, 2, false},
    {{0x5040, 0x5050}, true, SpeedDial::LaterThan, 4, 2, true},
    {{0x4D05, 0x4D35, 0x4D55}, true, SpeedDial::LaterThan, 1, 2, false},
    {{0x4D15, 0x4D45, 0x4D65}, true, SpeedDial::LaterThan, 1, 2, true},
    {{0x4D75, 0x5011, 0x2020, 0x6110, 0x6111, 0x6120, 0x6121, 0x4110, 0x4120, 0x5410, 0x6020, 0x6022, 0x6024},
     true, SpeedDial::Yes, 0, 0, false},
    {{0x4111}, false, SpeedDial::Yes, 0, 0, false},
    {{0x4D85, 0x4210, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510, 0x3110, 0x3030, 0x3040, 0x3050, 0x5412, 0x5414,
      0x5416, 0x5510, 0x5520, 0x5522, 0x5524, 0x5526, 0x5530, 0x5550, 0x5610, 0x5611, 0x5612, 0x5620, 0x5621,
      0x5622, 0x5623, 0x5710, 0x5720, 0x5910, 0x5920, 0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6210},
     true, SpeedDial::Yes, 0, 0, true},
    {{0x4040, 0x4010, 0x4020, 0x4021, 0x4030, 0x2010, 0x2011, 0x2110, 0x2210, 0x2310, 0x5624, 0x5210, 0x3010,
      0x3020},
     true, SpeedDial::No, 0, 0, false},
};

struct SiblingPair {
    int Base;
    int Sibling;
};
constexpr SiblingPair kSiblingPairs[] = {
    {0x4D05, 0x4D35}, {0x4D05, 0x4D55}, {0x4D15, 0x4D45}, {0x4D15, 0x4D65},
    {0x5040, 0x5050}, {0x4D10, 0x4D30}, {0x4D10, 0x4D40}, {0x4D20, 0x4D50},
    {0x5010, 0x5060}, {0x5010, 0x5061}, {0x5020, 0x5070}, {0x5030, 0x5080},
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
    for (const ModelName& m : kModelNames) {
        if (m.ProductId == productId)
            return CString(fileNameForm && m.FileName ? m.FileName : m.DisplayName);
    }
    return CString();
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
    const SectionsRow* row = FindProductRow(kSectionsTable, productId);
    if (!row)
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
    for (const SiblingPair& pair : kSiblingPairs) {
        if (pair.Base == targetProductId && pair.Sibling == productId)
            return 1;
    }
    return 0;
}
