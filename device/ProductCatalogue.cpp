#include "device/ProductCatalogue.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "device/UsbDeviceList.h"

namespace {

using W = WriterKind;
using List = ListLayout;
using S = SectionSet;
using F = SettingsFamily;
using A = AddressThreshold;
using U = UpdateBudget;
using Keys = UpdateModeKeys;

// One row per model, by product id: names (display, file), writer, list layout,
// settings family, address threshold, update budget, sections, update-mode
// keys, the model whose target also accepts this one as its own (one-way, see
// IsSameDeviceFamily), the model whose firmware files it also takes, the
// default firmware version, the oldest restorable archive version, the
// picture, and the flags of ProductFlag.
// 0x5346 is the combined chip's second id; it has no name of its own.
constexpr ProductTraits kProducts[] = {
    {0x2010, L"ZR.LINQ",                     L"ZR-LINQ",       W::None,            List::None,       F::Tkv2,          A::None,    U::Tkv3,     S::Basic,              Keys::Minus,           0,      0,      10, 0,  222, kPreparedForUpdate},
    {0x2011, L"ZR.LINQ2",                    nullptr,          W::None,            List::None,       F::Tkv2,          A::None,    U::Tkv3,     S::Basic,              Keys::Minus,           0,      0,      12, 0,  312, kPreparedForUpdate},
    {0x2020, L"Q-LINQ",                      nullptr,          W::None,            List::None,       F::QLinq,         A::None,    U::Default,  S::BasicDial,          Keys::Center,          0,      0,      10, 0,  223, kPreparedForUpdate},
    {0x2110, L"Clear Voice T",               L"CVT",           W::None,            List::None,       F::Tkv2,          A::None,    U::Tkv3,     S::Basic,              Keys::Minus,           0,      0,      10, 0,  222, kPreparedForUpdate},
    {0x2210, L"Ridgewing",                   nullptr,          W::None,            List::None,       F::Tkv2,          A::None,    U::Tkv3,     S::Basic,              Keys::Minus,           0,      0,      12, 0,  345, kPreparedForUpdate},
    {0x2310, L"J717T",                       nullptr,          W::None,            List::None,       F::Tkv2,          A::None,    U::Tkv3,     S::Basic,              Keys::Minus,           0,      0,      10, 0,  364, kPreparedForUpdate},
    {0x3010, L"Bluetooth Sound Kit",         L"KCQ6",          W::None,            List::None,       F::None,          A::None,    U::Camera,   S::Basic,              Keys::Phone,           0,      0,      10, 0,  224, kUsbScan | kNoSettingsPages | kNoDfuPrompts | kCameraHold},
    {0x3020, L"LUMEN",                       nullptr,          W::None,            List::None,       F::None,          A::None,    U::Camera,   S::Basic,              Keys::Phone,           0,      0,      0,  0,  286, kUsbScan | kNoSettingsPages | kNoDfuPrompts | kCameraHold},
    {0x3030, L"Z9",                          nullptr,          W::PackageAndDrive, List::Z9,         F::Z9,            A::None,    U::Kr5,      S::BasicDialFm,        Keys::Minus,           0,      0,      0,  0,  354, kHidConnected},
    {0x3040, L"Z9 Pro",                      L"Z9_Pro",        W::PackageAndDrive, List::Z9,         F::Z9,            A::None,    U::Kr5,      S::BasicDialFm,        Keys::Minus,           0,      0,      0,  0,  354, kHidConnected},
    {0x3050, L"Z5",                          nullptr,          W::PackageAndDrive, List::Z9,         F::Z9,            A::None,    U::Kr5,      S::BasicDialFm,        Keys::Minus,           0,      0,      0,  0,  354, kHidConnected | kQuietEnd},
    {0x3110, L"V60",                         nullptr,          W::TwoStage,        List::V60,        F::V60,           A::None,    U::V60,      S::BasicDialFm,        Keys::Phone,           0,      0,      0,  0,  366, kHidConnected | kFirstInterfaceVersion},
    {0x4010, L"Singlet",                     nullptr,          W::None,            List::None,       F::Tkv2,          A::None,    U::Tkv3,     S::Basic,              Keys::Minus,           0,      0,      10, 0,  215, kUsbScan | kPreparedForUpdate},
    {0x4020, L"TKV2",                        nullptr,          W::None,            List::None,       F::Tkv2,          A::None,    U::Tkv3,     S::Basic,              Keys::Minus,           0,      0,      10, 0,  211, kUsbScan | kPreparedForUpdate},
    {0x4021, L"TKV2X",                       nullptr,          W::None,            List::None,       F::Tkv2,          A::None,    U::Tkv3,     S::Basic,              Keys::Minus,           0,      0,      10, 0,  288, kUsbScan | kPreparedForUpdate},
    {0x4030, L"TKV1",                        nullptr,          W::None,            List::None,       F::Tkv2,          A::None,    U::Tkv3,     S::Basic,              Keys::Minus,           0,      0,      10, 0,  219, kUsbScan | kPreparedForUpdate},
    {0x4040, L"Frostline",                   nullptr,          W::None,            List::None,       F::Frostline,     A::None,    U::Default,  S::Basic,              Keys::LeftRight,       0,      0,      10, 0,  289, kUsbScan | kPreparedForUpdate},
    {0x4110, L"WIDEN",                       nullptr,          W::None,            List::None,       F::Widen,         A::None,    U::Default,  S::BasicDial,          Keys::Center,          0,      0,      10, 0,  216, kUsbScan | kPreparedForUpdate},
    {0x4111, L"Thunder Audio WIDEN",         L"T-M_WIDEN",     W::None,            List::None,       F::Widen,         A::None,    U::Default,  S::DialOnly,           Keys::Center,          0,      0,      10, 0,  216, kOwnEdrMasks},
    {0x4120, L"BQR6",                        nullptr,          W::None,            List::None,       F::Bqr6,          A::None,    U::Default,  S::BasicDial,          Keys::Center,          0,      0,      10, 0,  230, kUsbScan | kNoDfuPrompts | kPreparedForUpdate},
    {0x4210, L"V40",                         nullptr,          W::RevisionChecked, List::V40,        F::V40,           A::None,    U::V40,      S::BasicDialFm,        Keys::Phone,           0,      0,      0,  0,  0,   kHidConnected | kTwoInterfaces | kFirstInterfaceVersion},
    {0x4310, L"Vantor",                      nullptr,          W::Dual,            List::Vantor,     F::Vantor,        A::None,    U::V40,      S::BasicDialFm,        Keys::Phone,           0,      0,      0,  0,  360, kHidConnected | kTwoInterfaces | kFirstInterfaceVersion},
    {0x4330, L"Vantor Max",                  L"Vantor_Max",    W::Dual,            List::Vantor,     F::Vantor,        A::None,    U::V40,      S::BasicDialFm,        Keys::Phone,           0,      0,      0,  0,  361, kHidConnected | kTwoInterfaces | kFirstInterfaceVersion},
    {0x4410, L"Vantor QN",                   L"Vantor_QN",     W::Dual,            List::VantorQn,   F::Vantor,        A::None,    U::V40,      S::BasicDialFm,        Keys::Phone,           0,      0,      0,  0,  360, kHidConnected | kTwoInterfaces | kFirstInterfaceVersion},
    {0x4430, L"Vantor QNM",                  L"Vantor_QNM",    W::Dual,            List::VantorQn,   F::Vantor,        A::None,    U::V40,      S::BasicDialFm,        Keys::Phone,           0,      0,      0,  0,  361, kHidConnected | kTwoInterfaces | kFirstInterfaceVersion},
    {0x4510, L"ZKR Helmline2",               L"ZKR",           W::Dual,            List::Vantor,     F::Vantor,        A::None,    U::V40,      S::BasicDialFm,        Keys::Phone,           0,      0,      0,  0,  367, kHidConnected | kTwoInterfaces | kFirstInterfaceVersion},
    {0x4D05, L"TKV3",                        nullptr,          W::None,            List::None,       F::Tkv3,          A::Tkv3,    U::Tkv3,     S::BasicDialAfter12,   Keys::Phone,           0,      0x4D35, 10, 0,  177, kUsbScan | kPreparedForUpdate},
    {0x4D10, L"TKV8",                        nullptr,          W::None,            List::None,       F::Tkv8,          A::Tkv8,    U::Default,  S::BasicDialAfter42,   Keys::Phone,           0,      0x4D30, 30, 0,  178, kUsbScan | kPreparedForUpdate | kClearsVoxForUpdate | kClearPairingAfterUpdate | kOldFirmwareVersionKey},
    {0x4D15, L"TKV3-FM",                     nullptr,          W::None,            List::None,       F::Tkv3Fm,        A::Tkv3Fm,  U::Tkv3,     S::BasicDialAfter12Fm, Keys::Phone,           0,      0,      12, 0,  195, kUsbScan | kPreparedForUpdate},
    {0x4D20, L"TKV8N",                       nullptr,          W::None,            List::None,       F::Tkv8n,         A::Tkv8n,   U::Default,  S::BasicDialAfter42,   Keys::Center,          0,      0,      42, 0,  200, kUsbScan | kPreparedForUpdate},
    {0x4D30, L"TKV8",                        nullptr,          W::None,            List::None,       F::Tkv8,          A::Tkv8,    U::Default,  S::BasicDialAfter42,   Keys::Phone,           0x4D10, 0,      42, 42, 178, kUsbScan | kOwnIdInUpdateMode | kPreparedForUpdate | kClearsVoxForUpdate | kClearPairingAfterUpdate | kOldFirmwareVersionKey},
    {0x4D35, L"TKV3",                        nullptr,          W::None,            List::None,       F::Tkv3,          A::Tkv3,    U::Tkv3,     S::BasicDialAfter12,   Keys::Phone,           0x4D05, 0,      12, 12, 177, kUsbScan | kLowAddressKeys | kOwnIdInUpdateMode | kPreparedForUpdate},
    {0x4D40, L"TKV8",                        nullptr,          W::None,            List::None,       F::Tkv8,          A::Tkv8,    U::Default,  S::BasicDialAfter42,   Keys::Phone,           0x4D10, 0x4D30, 43, 42, 178, kUsbScan | kOwnIdInUpdateMode | kPreparedForUpdate | kClearsVoxForUpdate | kClearPairingAfterUpdate | kOldFirmwareVersionKey},
    {0x4D45, L"TKV3-FM",                     nullptr,          W::None,            List::None,       F::Tkv3Fm,        A::Tkv3Fm,  U::Tkv3,     S::BasicDialAfter12Fm, Keys::Phone,           0x4D15, 0x4D15, 12, 0,  195, kUsbScan | kOwnIdInUpdateMode | kPreparedForUpdate | kTagCarriesTarget},
    {0x4D50, L"TKV8N",                       nullptr,          W::None,            List::None,       F::Tkv8n,         A::Tkv8n,   U::Default,  S::BasicDialAfter42,   Keys::Center,          0x4D20, 0x4D20, 50, 0,  200, kUsbScan | kPreparedForUpdate},
    {0x4D55, L"TKV3",                        nullptr,          W::None,            List::None,       F::Tkv3,          A::Tkv3,    U::Tkv3,     S::BasicDialAfter12,   Keys::Phone,           0x4D05, 0x4D35, 20, 0,  177, kUsbScan | kLowAddressKeys | kOwnIdInUpdateMode | kPreparedForUpdate},
    {0x4D65, L"TKV3-FM",                     nullptr,          W::None,            List::None,       F::Tkv3Fm,        A::Tkv3Fm,  U::Tkv3,     S::BasicDialAfter12Fm, Keys::Phone,           0x4D15, 0x4D15, 20, 0,  195, kUsbScan | kOwnIdInUpdateMode | kPreparedForUpdate | kTagCarriesTarget},
    {0x4D75, L"TKV3_Polylink",               nullptr,          W::None,            List::None,       F::Polylink,      A::None,    U::Default,  S::BasicDial,          Keys::Phone,           0,      0,      10, 0,  356, kUsbScan | kPreparedForUpdate},
    {0x4D85, L"TKV3-KX",                     nullptr,          W::None,            List::None,       F::Tkv3Kx,        A::Tkv3Kx,  U::Tkv3,     S::BasicDialFm,        Keys::Phone,           0,      0,      10, 0,  297, kUsbScan | kPreparedForUpdate},
    {0x5010, L"WPR6",                        nullptr,          W::None,            List::None,       F::Tkv8n,         A::None,    U::Default,  S::BasicDialAfter42,   Keys::Phone,           0,      0x5061, 32, 0,  179, kUsbScan | kPreparedForUpdate | kClearsVoxForUpdate | kClearPairingAfterUpdate | kTakesTmWpr6Files},
    {0x5011, L"Thunder Audio WPR6",          L"T-M_WPR6",      W::None,            List::None,       F::Polylink,      A::None,    U::Default,  S::BasicDial,          Keys::Phone,           0,      0,      10, 0,  179, kUsbScan | kPreparedForUpdate | kClearPairingAfterUpdate},
    {0x5020, L"WPR6T",                       nullptr,          W::None,            List::None,       F::Wpr6t,         A::None,    U::Default,  S::BasicDialAfter42,   Keys::Phone,           0,      0x5070, 33, 0,  180, kUsbScan | kPreparedForUpdate | kClearsVoxForUpdate | kClearPairingAfterUpdate},
    {0x5030, L"WPR6K",                       nullptr,          W::None,            List::None,       F::Tkv8n,         A::None,    U::Default,  S::BasicDialAfter42,   Keys::Phone,           0,      0x5080, 41, 0,  192, kUsbScan | kPreparedForUpdate},
    {0x5040, L"WPR6K-FM",                    nullptr,          W::None,            List::None,       F::Wpr6kFm,       A::Tkv3Fm,  U::Default,  S::BasicDialAfter42Fm, Keys::Phone,           0,      0,      42, 0,  199, kUsbScan | kPreparedForUpdate},
    {0x5050, L"WPR6K-FM",                    nullptr,          W::None,            List::None,       F::Wpr6kFm,       A::Tkv3Fm,  U::Default,  S::BasicDialAfter42Fm, Keys::Phone,           0x5040, 0x5040, 42, 0,  199, kUsbScan | kOwnIdInUpdateMode | kPreparedForUpdate | kTagCarriesTarget},
    {0x5060, L"WPR6",                        nullptr,          W::None,            List::None,       F::Tkv8n,         A::None,    U::Default,  S::BasicDialAfter42,   Keys::Phone,           0x5010, 0x5061, 42, 42, 179, kUsbScan | kOwnIdInUpdateMode | kPreparedForUpdate | kClearsVoxForUpdate | kClearPairingAfterUpdate | kTakesTmWpr6Files},
    {0x5061, L"WPR6",                        nullptr,          W::None,            List::None,       F::Tkv8n,         A::None,    U::Default,  S::BasicDialAfter42,   Keys::Phone,           0x5010, 0,      52, 42, 179, kUsbScan | kOwnIdInUpdateMode | kPreparedForUpdate | kClearsVoxForUpdate | kClearPairingAfterUpdate},
    {0x5070, L"WPR6T",                       nullptr,          W::None,            List::None,       F::Wpr6t,         A::None,    U::Default,  S::BasicDialAfter42,   Keys::Phone,           0x5020, 0,      42, 42, 180, kUsbScan | kOwnIdInUpdateMode | kPreparedForUpdate | kClearsVoxForUpdate | kClearPairingAfterUpdate},
    {0x5080, L"WPR6K",                       nullptr,          W::None,            List::None,       F::Tkv8n,         A::None,    U::Default,  S::BasicDialAfter42,   Keys::Phone,           0x5030, 0,      42, 42, 192, kUsbScan | kOwnIdInUpdateMode | kPreparedForUpdate},
    {0x5210, L"GZR6",                        nullptr,          W::None,            List::None,       F::Gzr6,          A::None,    U::Gzr6,     S::Basic,              Keys::Pairing,         0,      0,      10, 0,  181, kUsbScan},
    {0x5310, L"GZM6",                        nullptr,          W::None,            List::None,       F::None,          A::None,    U::Gzm6,     S::None,               Keys::Phone,           0,      0,      10, 0,  193, kUsbScan | kNoSettingsPages | kNoDfuPrompts},
    {0x5320, L"OpenLoop for Thunder Motors", L"OpenLoopTR",    W::PackageAndDrive, List::None,       F::HidNoSettings, A::None,    U::Kr5,      S::None,               Keys::Phone,           0,      0,      0,  0,  319, kHidConnected | kNoSettingsPages | kNoRestartKey},
    {0x5330, L"OpenLoop for Kaito Tourer",   L"OpenLoopKT",    W::PackageAndDrive, List::None,       F::HidNoSettings, A::None,    U::Kr5,      S::None,               Keys::Phone,           0,      0,      0,  0,  320, kHidConnected | kNoSettingsPages | kNoRestartKey},
    {0x5345, L"ZEPH",                        nullptr,          W::CombinedChip,    List::None,       F::HidNoSettings, A::None,    U::Default,  S::None,               Keys::Phone,           0,      0,      0,  0,  355, kHidConnected | kCombinedChip | kNoSettingsPages},
    {0x5346, nullptr,                        nullptr,          W::None,            List::None,       F::None,          A::None,    U::Default,  S::None,               Keys::Phone,           0,      0,      0,  0,  0,   kCombinedChip},
    {0x5410, L"YT1",                         nullptr,          W::Package,         List::Yt1,        F::Yt1,           A::None,    U::Nq1,      S::BasicDial,          Keys::Phone,           0,      0,      0,  0,  368, kHidConnected},
    {0x5412, L"YT2",                         nullptr,          W::Package,         List::Yt2,        F::Yt2,           A::None,    U::Nq1,      S::BasicDialFm,        Keys::Phone,           0,      0,      0,  0,  369, kHidConnected},
    {0x5414, L"YT4",                         nullptr,          W::Package,         List::Yt2,        F::Yt2,           A::None,    U::Nq1,      S::BasicDialFm,        Keys::Phone,           0,      0,      0,  0,  370, kHidConnected},
    {0x5416, L"WTK-07",                      L"WTK_07",        W::Package,         List::Wtk07,      F::Yt2,           A::None,    U::Nq1,      S::BasicDialFm,        Keys::Phone,           0,      0,      0,  0,  371, kHidConnected},
    {0x5510, L"KC5",                         nullptr,          W::PackageAndDrive, List::Kc5,        F::Kc5,           A::None,    U::Kc5,      S::BasicDialFm,        Keys::Phone,           0,      0,      0,  0,  295, kHidConnected},
    {0x5520, L"KR5",                         nullptr,          W::PackageAndDrive, List::Kr5,        F::Kr5,           A::None,    U::Kr5,      S::BasicDialFm,        Keys::MinusCenterPlus, 0,      0,      0,  0,  296, kHidConnected},
    {0x5522, L"Thunder! Audio Q01 KR5",      L"T-M_Lancer",    W::PackageAndDrive, List::ThunderKr5, F::ThunderKr5,    A::None,    U::Kr5,      S::BasicDialFm,        Keys::Minus,           0,      0,      0,  0,  346, kHidConnected},
    {0x5524, L"Lancer",                      nullptr,          W::PackageAndDrive, List::Lancer,     F::ThunderKr5,    A::None,    U::Kr5,      S::BasicDialFm,        Keys::Minus,           0,      0,      0,  0,  346, kHidConnected},
    {0x5526, L"Vantor Mini",                 L"Vantor_Mini",   W::PackageAndDrive, List::VantorMini, F::VantorMini,    A::None,    U::Kr5,      S::BasicDialFm,        Keys::MinusCenterPlus, 0,      0,      0,  0,  360, kHidConnected},
    {0x5530, L"KS5",                         nullptr,          W::PackageAndDrive, List::Ks5,        F::Ks5,           A::None,    U::Kr5,      S::BasicDialFm,        Keys::Phone,           0,      0,      0,  0,  304, kHidConnected},
    {0x5550, L"Feral",                       nullptr,          W::PackageAndDrive, List::Feral,      F::Feral,         A::None,    U::Kr5,      S::BasicDialFm,        Keys::Phone,           0,      0,      0,  0,  378, kHidConnected},
    {0x5610, L"M7X Helm-G",                  L"M7X_Helm-G",    W::PackageAndDrive, List::M7xHelm,    F::M7xHelm,       A::None,    U::M7xHelm,  S::BasicDialFm,        Keys::Minus,           0,      0,      0,  0,  294, kHidConnected},
    {0x5611, L"M7X Helm-N",                  L"M7X_Helm-N",    W::PackageAndDrive, List::M7xHelm,    F::M7xHelm,       A::None,    U::M7xHelm,  S::BasicDialFm,        Keys::Minus,           0,      0,      0,  0,  294, kHidConnected},
    {0x5612, L"M7X Helm-J",                  L"M7X_Helm-J",    W::PackageAndDrive, List::M7xHelm,    F::M7xHelm,       A::None,    U::M7xHelm,  S::BasicDialFm,        Keys::Minus,           0,      0,      0,  0,  294, kHidConnected},
    {0x5620, L"M7X Helm-S/SX",               L"M7X_Helm-S_SX", W::PackageAndDrive, List::M7xHelm,    F::M7xHelm,       A::None,    U::M7xHelm,  S::BasicDialFm,        Keys::Minus,           0,      0,      0,  0,  294, kHidConnected},
    {0x5621, L"M7X Helm-A",                  L"M7X_Helm-A",    W::PackageAndDrive, List::M7xHelm,    F::M7xHelm,       A::None,    U::M7xHelm,  S::BasicDialFm,        Keys::Minus,           0,      0,      0,  0,  294, kHidConnected},
    {0x5622, L"LVRA",                        nullptr,          W::PackageAndDrive, List::Lvra,       F::Lvra,          A::None,    U::Kr5,      S::BasicDialFm,        Keys::Minus,           0,      0,      0,  0,  353, kHidConnected},
    {0x5623, L"LVR7",                        nullptr,          W::PackageAndDrive, List::Lvr7,       F::Lvr7,          A::None,    U::Kr5,      S::BasicDialFm,        Keys::Minus,           0,      0,      0,  0,  350, kHidConnected},
    {0x5624, L"LVRS",                        nullptr,          W::PackageAndDrive, List::Lvra,       F::Lvra,          A::None,    U::Kr5,      S::Basic,              Keys::Minus,           0,      0,      0,  0,  353, kHidConnected},
    {0x5710, L"Grittalk",                    nullptr,          W::PackageAndDrive, List::Grittalk,   F::Grittalk,      A::None,    U::Kr5,      S::BasicDialFm,        Keys::Phone,           0,      0,      0,  0,  313, kHidConnected},
    {0x5720, L"Grittalk Mini",               L"Grittalk_Mini", W::PackageAndDrive, List::VantorMini, F::VantorMini,    A::None,    U::Kr5,      S::BasicDialFm,        Keys::MinusCenterPlus, 0,      0,      0,  0,  313, kHidConnected | kQuietEnd},
    {0x5910, L"Torvik Ostrel",               L"TorvikOstrel",  W::PackageAndDrive, List::Ostrel,     F::Ostrel,        A::None,    U::Kr5,      S::BasicDialFm,        Keys::MinusCenterPlus, 0,      0,      0,  0,  314, kHidConnected},
    {0x5920, L"Boreal Arrow",                L"BorealArrow",   W::PackageAndDrive, List::Ostrel,     F::Ostrel,        A::None,    U::Kr5,      S::BasicDialFm,        Keys::MinusCenterPlus, 0,      0,      0,  0,  314, kHidConnected},
    {0x6010, L"NQ1",                         nullptr,          W::Package,         List::Nq1,        F::Nq1,           A::None,    U::Nq1,      S::BasicDialFm,        Keys::Phone,           0,      0,      0,  0,  331, kHidConnected},
    {0x6012, L"NQ5LR",                       L"NQL",           W::Package,         List::Nq1,        F::Nq1,           A::None,    U::Nq1,      S::BasicDialFm,        Keys::Phone,           0,      0,      0,  0,  333, kHidConnected},
    {0x6014, L"NQ5R",                        L"NQB",           W::Package,         List::Nq5r,       F::Nq5r,          A::None,    U::Nq1,      S::BasicDialFm,        Keys::Phone,           0,      0,      0,  0,  329, kHidConnected},
    {0x6016, L"NQ5K",                        L"NQA",           W::Package,         List::Nq5r,       F::Nq5r,          A::None,    U::Nq1,      S::BasicDialFm,        Keys::Phone,           0,      0,      0,  0,  332, kHidConnected},
    {0x6018, L"NQ5S",                        L"NQC",           W::Package,         List::Nq5s,       F::Nq5r,          A::None,    U::Nq1,      S::BasicDialFm,        Keys::Phone,           0,      0,      0,  0,  357, kHidConnected},
    {0x6020, L"NQ3R",                        L"NQ3_R",         W::None,            List::Nq3,        F::Nq3,           A::None,    U::Nq3,      S::BasicDial,          Keys::Phone,           0,      0,      0,  0,  375, kHidConnected | kNoDfuPrompts},
    {0x6022, L"NQ3S",                        L"NQ3_S",         W::None,            List::Nq3,        F::Nq3,           A::None,    U::Nq3,      S::BasicDial,          Keys::Phone,           0,      0,      0,  0,  376, kHidConnected | kNoDfuPrompts},
    {0x6024, L"NQ3X",                        L"NQ3_X",         W::None,            List::Nq3,        F::Nq3,           A::None,    U::Nq3,      S::BasicDial,          Keys::Phone,           0,      0,      0,  0,  377, kHidConnected | kNoDfuPrompts},
    {0x6110, L"Verra RT-3",                  L"Verra_RT-3",    W::None,            List::None,       F::Verra,         A::Verra,   U::Default,  S::BasicDial,          Keys::Center,          0,      0,      10, 0,  318, kPreparedForUpdate},
    {0x6111, L"Ottavo RT3-MAX",              L"Verra_RT3-MAX", W::None,            List::None,       F::Verra,         A::None,    U::Default,  S::BasicDial,          Keys::Center,          0,      0,      10, 0,  318, kPreparedForUpdate},
    {0x6120, L"PAVLO",                       nullptr,          W::None,            List::None,       F::Verra,         A::Pavlo,   U::Default,  S::BasicDial,          Keys::Center,          0,      0,      10, 0,  322, kPreparedForUpdate},
    {0x6121, L"PVQIII",                      L"PAVLO2",        W::None,            List::None,       F::Verra,         A::None,    U::Default,  S::BasicDial,          Keys::Center,          0,      0,      10, 0,  365, kPreparedForUpdate},
    {0x6210, L"M7Xpad",                      nullptr,          W::PackageAndDrive, List::M7xpad,     F::M7xpad,        A::None,    U::Kr5,      S::BasicDialFm,        Keys::Minus,           0,      0,      0,  0,  342, kHidConnected},
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

std::span<const ProductTraits> AllProductTraits() { return kProducts; }

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
        (row->Dial == SpeedDial::LaterThan && std::pair(major, minor) > std::pair(row->Major, row->Minor)))
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
