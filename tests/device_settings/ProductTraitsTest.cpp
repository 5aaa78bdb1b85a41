// The product traits against the product lists that the code kept in each
// subsystem before the catalogue held them: every answer, for every id from 0
// to 0xFFFF (update-mode ids included), is the one those lists gave.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <set>
#include <string>
#include <vector>

#include "app/DeviceLine.h"
#include "app/Texts.h"
#include "app/ui/DialogMessageBox.h"
#include "app/ui/UpdaterDlg.h"
#include "device/DeviceSettings.h"
#include "device/FirmwareVersionKey.h"
#include "device/HidAddress.h"
#include "device/ProductCatalogue.h"
#include "device/Recognition.h"
#include "device/RecognitionHid.h"
#include "firmware/FirmwareIndex.h"
#include "firmware/HidWriters.h"
#include "firmware/SettingsArchive.h"
#include "firmware/UpdateProgress.h"
#include "restore/ArchivedSettings.h"
#include "settings/BasicSettingsBody.h"
#include "settings/FmWrite.h"
#include "settings/HelpTexts.h"
#include "settings/HidSettingsProducts.h"
#include "settingslist/SettingsRows.h"

namespace {

using Ids = std::set<int>;

// One question, the ids for which the old lists answered yes, and today's answer.
struct Question {
    const char* name;
    Ids yes;
    std::function<bool(int)> answer;
};

const ProductTraits& T(int id) { return ProductTraitsOf(id); }

Ids Spans(std::initializer_list<std::pair<int, int>> spans)
{
    Ids ids;
    for (auto [first, last] : spans)
        for (int id = first; id <= last; ++id) ids.insert(id);
    return ids;
}

// The lists as they stood.
const Ids kPackageWriter = {0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x5410, 0x5412, 0x5414, 0x5416};
const Ids kDriveWriter = {0x5510, 0x5520, 0x5522, 0x5524, 0x5526, 0x5530, 0x5550, 0x5610, 0x5611,
                          0x5612, 0x5620, 0x5621, 0x5622, 0x5623, 0x5624, 0x5710, 0x5720, 0x5320,
                          0x5330, 0x5910, 0x5920, 0x3030, 0x3040, 0x3050, 0x6210};
const Ids kDualWriter = {0x4310, 0x4330, 0x4410, 0x4430, 0x4510};
const Ids kHidReturnTargets = {
    0x4210, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510, 0x3110, 0x3030, 0x3040, 0x3050, 0x5320, 0x5330, 0x5410, 0x5412,
    0x5414, 0x5416, 0x5510, 0x5520, 0x5522, 0x5524, 0x5526, 0x5530, 0x5550, 0x5610, 0x5611, 0x5612, 0x5620, 0x5621,
    0x5622, 0x5623, 0x5624, 0x5710, 0x5720, 0x5910, 0x5920, 0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6210};
const Ids kNoContinuationTargets = {
    0x3030, 0x3040, 0x3050, 0x3110, 0x4210, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510, 0x5320,
    0x5330, 0x5345, 0x5410, 0x5412, 0x5414, 0x5416, 0x5510, 0x5520, 0x5522, 0x5524, 0x5526,
    0x5530, 0x5550, 0x5610, 0x5611, 0x5612, 0x5620, 0x5621, 0x5622, 0x5623, 0x5624, 0x5710,
    0x5720, 0x5910, 0x5920, 0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6020, 0x6022, 0x6024, 0x6210};
const Ids kHidRecognitionProducts = {
    0x4210, 0x4310, 0x4330, 0x4510, 0x4410, 0x4430, 0x5345, 0x5610, 0x5611, 0x5612, 0x5620, 0x5621,
    0x5510, 0x6210, 0x5520, 0x5526, 0x5720, 0x5530, 0x5550, 0x3110, 0x5710, 0x5623, 0x5622, 0x5624,
    0x5524, 0x5522, 0x3030, 0x3050, 0x3040, 0x5320, 0x5330, 0x5910, 0x5920, 0x6010, 0x6018, 0x6020,
    0x6022, 0x6024, 0x6012, 0x6014, 0x6016, 0x5410, 0x5412, 0x5414, 0x5416};
const Ids kDualHidRoad = {0x4210, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510};
const Ids kPackageHidRoad = {0x5320, 0x5330, 0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x5410, 0x5412, 0x5414, 0x5416};
const Ids kKeyHidRoad = {0x5510, 0x5520, 0x5522, 0x5524, 0x5526, 0x5530, 0x5550, 0x5610, 0x5611, 0x5612, 0x5620, 0x5621,
                         0x5622, 0x5623, 0x5624, 0x5710, 0x5720, 0x3030, 0x3040, 0x3050, 0x6210, 0x5910, 0x5920};
const Ids kCombinedChipIds = {0x5345, 0x5346};
const Ids kTwoInterfaceIds = {0x4210, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510};
const Ids kFirstInterface = {0x4210, 0x4310, 0x4330, 0x4430, 0x4510, 0x4410, 0x3110};
const Ids kRestartedIntoUpdateMode = {0x6020, 0x6022, 0x6024};
const Ids kNoPromptTargets = {0x5310, 0x3010, 0x4120, 0x6020, 0x6022, 0x6024, 0x3020};
const Ids kHoldingCameras = {0x3010, 0x3020};
const Ids kNoSettingsProducts = {0x5310, 0x5320, 0x5330, 0x3010, 0x3020, 0x5345};
const Ids kUsbModels = {0x4D10, 0x4D30, 0x4D40, 0x4D20, 0x4D50, 0x4040, 0x4D05, 0x4D35, 0x4D55, 0x4D15, 0x4D85, 0x4D45,
                        0x4D65, 0x4020, 0x4021, 0x4030, 0x4010, 0x5010, 0x5060, 0x5061, 0x5011, 0x5020, 0x5070, 0x5030,
                        0x5080, 0x4D75, 0x5040, 0x5050, 0x4110, 0x5210, 0x5310, 0x3010, 0x3020, 0x4120};
const Ids kMinusKey = Spans({{0x2010, 0x2011}, {0x2110, 0x2110}, {0x2210, 0x2210}, {0x2310, 0x2310}, {0x3030, 0x3030},
                             {0x3040, 0x3040}, {0x3050, 0x3050}, {0x4010, 0x4010}, {0x4020, 0x4021}, {0x4030, 0x4030},
                             {0x5520, 0x5520}, {0x5522, 0x5522}, {0x5524, 0x5524}, {0x5526, 0x5526}, {0x5610, 0x5612},
                             {0x5620, 0x5624}, {0x5720, 0x5720}, {0x5910, 0x5910}, {0x5920, 0x5920}, {0x6210, 0x6210}});
const Ids kCenterKey = Spans({{0x2020, 0x2020}, {0x4110, 0x4111}, {0x4120, 0x4120}, {0x4D20, 0x4D20}, {0x4D50, 0x4D50},
                              {0x6110, 0x6111}, {0x6120, 0x6121}});
const Ids kCenterPlusKeys = Spans({{0x2020, 0x2020}, {0x4110, 0x4111}, {0x4120, 0x4120}, {0x4D20, 0x4D20},
                                   {0x4D50, 0x4D50}, {0x5520, 0x5520}, {0x5526, 0x5526}, {0x5720, 0x5720},
                                   {0x5910, 0x5910}, {0x5920, 0x5920}, {0x6110, 0x6111}, {0x6120, 0x6121}});
const Ids kPlusMinusKeys = Spans({{0x2010, 0x2011}, {0x2110, 0x2110}, {0x2210, 0x2210}, {0x2310, 0x2310},
                                  {0x3030, 0x3030}, {0x3040, 0x3040}, {0x3050, 0x3050}, {0x4010, 0x4010},
                                  {0x4020, 0x4021}, {0x4030, 0x4030}, {0x5522, 0x5522}, {0x5524, 0x5524},
                                  {0x5610, 0x5612}, {0x5620, 0x5624}, {0x6210, 0x6210}});

// The list layouts, each by its products.
const std::vector<Ids> kLayouts = {
    {0x4210}, {0x4310, 0x4330, 0x4510}, {0x4410, 0x4430}, {0x5520}, {0x5526, 0x5720},
    {0x5610, 0x5611, 0x5612, 0x5620, 0x5621}, {0x5510}, {0x5530}, {0x5550}, {0x3110}, {0x5710}, {0x5623},
    {0x5622, 0x5624}, {0x5524}, {0x5522}, {0x3030, 0x3040, 0x3050}, {0x6210}, {0x5910, 0x5920}, {0x5410},
    {0x5412, 0x5414}, {0x5416}, {0x6010, 0x6012}, {0x6014, 0x6016}, {0x6018}, {0x6020, 0x6022, 0x6024}};

// The section sets: basic, speed dial (after which version), FM radio; the
// sections on firmware 1.2, 1.3 and 4.3.
struct SectionsReference {
    Ids ids;
    std::vector<std::vector<int>> onVersions;
};
const SectionsReference kSections[] = {
    {{0x4D10, 0x4D30, 0x4D40, 0x4D20, 0x4D50, 0x5010, 0x5060, 0x5061, 0x5020, 0x5070, 0x5030, 0x5080},
     {{1}, {1}, {1, 2}}},
    {{0x5040, 0x5050}, {{1, 3}, {1, 3}, {1, 2, 3}}},
    {{0x4D05, 0x4D35, 0x4D55}, {{1}, {1, 2}, {1, 2}}},
    {{0x4D15, 0x4D45, 0x4D65}, {{1, 3}, {1, 2, 3}, {1, 2, 3}}},
    {{0x4D75, 0x5011, 0x2020, 0x6110, 0x6111, 0x6120, 0x6121, 0x4110, 0x4120, 0x5410, 0x6020, 0x6022, 0x6024},
     {{1, 2}, {1, 2}, {1, 2}}},
    {{0x4111}, {{2}, {2}, {2}}},
    {{0x4D85, 0x4210, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510, 0x3110, 0x3030, 0x3040, 0x3050, 0x5412, 0x5414,
      0x5416, 0x5510, 0x5520, 0x5522, 0x5524, 0x5526, 0x5530, 0x5550, 0x5610, 0x5611, 0x5612, 0x5620, 0x5621,
      0x5622, 0x5623, 0x5710, 0x5720, 0x5910, 0x5920, 0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6210},
     {{1, 2, 3}, {1, 2, 3}, {1, 2, 3}}},
    {{0x4040, 0x4010, 0x4020, 0x4021, 0x4030, 0x2010, 0x2011, 0x2110, 0x2210, 0x2310, 0x5624, 0x5210, 0x3010,
      0x3020},
     {{1}, {1}, {1}}},
};

// The sibling pairs: the target accepts the sibling as its own.
const std::pair<int, int> kSiblingPairs[] = {
    {0x4D05, 0x4D35}, {0x4D05, 0x4D55}, {0x4D15, 0x4D45}, {0x4D15, 0x4D65}, {0x5040, 0x5050}, {0x4D10, 0x4D30},
    {0x4D10, 0x4D40}, {0x4D20, 0x4D50}, {0x5010, 0x5060}, {0x5010, 0x5061}, {0x5020, 0x5070}, {0x5030, 0x5080}};

// The defaults table's rows: the settings families, but 0x5020 and 0x5070,
// which share 0x4D20's defaults and differ on its settings page.
const std::vector<Ids> kDefaultsRows = {
    {0x4D10, 0x4D30, 0x4D40}, {0x4D20, 0x4D50, 0x5010, 0x5060, 0x5061, 0x5020, 0x5070, 0x5030, 0x5080},
    {0x5040, 0x5050}, {0x4D75, 0x5011}, {0x4040}, {0x2020}, {0x6110, 0x6111, 0x6120, 0x6121}, {0x4110, 0x4111},
    {0x4120}, {0x4D05, 0x4D35, 0x4D55}, {0x4D15, 0x4D45, 0x4D65}, {0x4D85},
    {0x4020, 0x4021, 0x2310, 0x2010, 0x2011, 0x2110, 0x2210, 0x4030, 0x4010}, {0x5210}, {0x4210},
    {0x4310, 0x4330, 0x4510, 0x4410, 0x4430}, {0x5610, 0x5611, 0x5612, 0x5620, 0x5621}, {0x5520}, {0x5526, 0x5720},
    {0x5510}, {0x5530}, {0x5550}, {0x3110}, {0x5710}, {0x5623}, {0x5622, 0x5624}, {0x5522, 0x5524},
    {0x3030, 0x3050, 0x3040}, {0x6210}, {0x5910, 0x5920}, {0x5410}, {0x5412, 0x5414, 0x5416}, {0x6010, 0x6012},
    {0x6014, 0x6016, 0x6018}, {0x6020, 0x6022, 0x6024}};
const std::vector<Ids> kSettingsFamilies = [] {
    std::vector<Ids> families = kDefaultsRows;
    for (int id : {0x5020, 0x5070}) families[1].erase(id);
    families.push_back({0x5020, 0x5070});
    families.push_back({0x5320, 0x5330, 0x5345});
    return families;
}();
// The FM block's forms, the EDR help's rows, the update's tick budgets, the
// default firmware versions and the address thresholds.
const std::vector<Ids> kFmForms = {
    {0x4210, 0x4310, 0x4330, 0x4430, 0x4410, 0x4510}, {0x5412, 0x5414, 0x5416},
    {0x5610, 0x5611, 0x5612, 0x5620, 0x5621, 0x5510, 0x5520, 0x5526, 0x5720, 0x5530, 0x5550, 0x3110, 0x5710,
     0x5623, 0x5622, 0x5624, 0x5524, 0x5522, 0x3030, 0x3050, 0x3040, 0x6210, 0x5910, 0x5920},
    {0x6010, 0x6018, 0x6012, 0x6014, 0x6016}, {0x4D15, 0x4D45, 0x4D65, 0x4D85, 0x5040, 0x5050}};
const std::vector<Ids> kEdrHelp = {
    {0x4D10, 0x4D20, 0x4D30, 0x4D40, 0x4D50, 0x5010, 0x5020, 0x5030, 0x5040, 0x5050, 0x5060, 0x5061, 0x5070, 0x5080},
    {0x4D05, 0x4D15, 0x4D35, 0x4D45, 0x4D55, 0x4D65},
    {0x2020, 0x4110, 0x4111, 0x4120, 0x4D75, 0x4D85, 0x5011, 0x6110, 0x6111, 0x6120, 0x6121},
    {0x2010, 0x2011, 0x2110, 0x2210, 0x2310, 0x4010, 0x4020, 0x4021, 0x4030}};
const std::vector<Ids> kBudgets = {
    {0x4D05, 0x4D15, 0x4D35, 0x4D45, 0x4D55, 0x4D65, 0x4D85, 0x4020, 0x4021, 0x2310, 0x2010, 0x2011, 0x2110, 0x2210,
     0x4030, 0x4010},
    {0x5210}, {0x5310}, {0x3010, 0x3020}, {0x4210, 0x4310, 0x4330, 0x4410, 0x4430, 0x4510}, {0x3110},
    {0x5610, 0x5611, 0x5612, 0x5620, 0x5621}, {0x5510},
    {0x5520, 0x5526, 0x5720, 0x5530, 0x5550, 0x5710, 0x5622, 0x5623, 0x5624, 0x5522, 0x5524, 0x3030, 0x3040, 0x3050,
     0x6210, 0x5320, 0x5330, 0x5910, 0x5920},
    {0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x5410, 0x5412, 0x5414, 0x5416}, {0x6020, 0x6022, 0x6024}};
const std::vector<Ids> kDefaultVersions = {
    {0x4D10}, {0x4D30, 0x4D20, 0x5060, 0x5070, 0x5080, 0x5040, 0x5050}, {0x4D40}, {0x4D50},
    {0x4D35, 0x4D15, 0x4D45, 0x2011, 0x2210}, {0x4D55, 0x4D65}, {0x5010}, {0x5061}, {0x5020}, {0x5030},
    {0x4040, 0x2020, 0x6110, 0x6111, 0x6120, 0x6121, 0x4D05, 0x4D85, 0x4020, 0x4021, 0x2310, 0x2010, 0x2110, 0x4030,
     0x4010, 0x5011, 0x4D75, 0x5210, 0x5310, 0x4110, 0x4111, 0x3010, 0x4120}};
const std::vector<Ids> kAddressThresholds = {{0x4D05, 0x4D35, 0x4D55}, {0x4D15, 0x4D45, 0x4D65, 0x5040, 0x5050},
                                             {0x4D85}, {0x4D10, 0x4D30, 0x4D40}, {0x4D20, 0x4D50}, {0x6110},
                                             {0x6120}};
// The DFU road's lists and the success box's.
const Ids kPreparedTargets = {0x4D10, 0x4D30, 0x4D40, 0x4D20, 0x4D50, 0x4040, 0x2020, 0x6110, 0x6111, 0x6120,
                              0x6121, 0x4D05, 0x4D35, 0x4D55, 0x4D15, 0x4D45, 0x4D65, 0x4D85, 0x4020, 0x4021,
                              0x2310, 0x2010, 0x2011, 0x2110, 0x2210, 0x4030, 0x4010, 0x5010, 0x5060, 0x5061,
                              0x5011, 0x5020, 0x5070, 0x5030, 0x5080, 0x4D75, 0x5040, 0x5050, 0x4110, 0x4120};
const Ids kVoxSwitchTargets = {0x4D10, 0x4D30, 0x4D40, 0x5010, 0x5060, 0x5061, 0x5020, 0x5070};
const Ids kClearPairing = {0x4D10, 0x4D30, 0x4D40, 0x5010, 0x5011, 0x5020, 0x5060, 0x5061, 0x5070};
const std::pair<Ids, int> kFirmwareSiblings[] = {
    {{0x5010, 0x5060}, 0x5061}, {{0x5020}, 0x5070}, {{0x5030}, 0x5080}, {{0x5050}, 0x5040},
    {{0x4D45, 0x4D65}, 0x4D15}, {{0x4D05, 0x4D55}, 0x4D35}, {{0x4D10, 0x4D40}, 0x4D30}, {{0x4D50}, 0x4D20}};
// The pictures of the device line, 0x4210 (pictures by variant) aside.
const std::pair<int, int> kPictures[] = {
    {0x2010, 222}, {0x2110, 222}, {0x2011, 312}, {0x2020, 223}, {0x2210, 345}, {0x2310, 364}, {0x3010, 224},
    {0x3020, 286}, {0x3030, 354}, {0x3040, 354}, {0x3050, 354}, {0x3110, 366}, {0x4010, 215}, {0x4020, 211},
    {0x4021, 288}, {0x4030, 219}, {0x4040, 289}, {0x4110, 216}, {0x4111, 216}, {0x4120, 230}, {0x4310, 360},
    {0x4410, 360}, {0x5526, 360}, {0x4330, 361}, {0x4430, 361}, {0x4510, 367}, {0x4D05, 177}, {0x4D35, 177},
    {0x4D55, 177}, {0x4D10, 178}, {0x4D30, 178}, {0x4D40, 178}, {0x4D15, 195}, {0x4D45, 195}, {0x4D65, 195},
    {0x4D20, 200}, {0x4D50, 200}, {0x4D75, 356}, {0x4D85, 297}, {0x5010, 179}, {0x5011, 179}, {0x5060, 179},
    {0x5061, 179}, {0x5020, 180}, {0x5070, 180}, {0x5030, 192}, {0x5080, 192}, {0x5040, 199}, {0x5050, 199},
    {0x5210, 181}, {0x5310, 193}, {0x5320, 319}, {0x5330, 320}, {0x5345, 355}, {0x5410, 368}, {0x5412, 369},
    {0x5414, 370}, {0x5416, 371}, {0x5510, 295}, {0x5520, 296}, {0x5522, 346}, {0x5524, 346}, {0x5530, 304},
    {0x5550, 378}, {0x5610, 294}, {0x5611, 294}, {0x5612, 294}, {0x5620, 294}, {0x5621, 294}, {0x5622, 353},
    {0x5624, 353}, {0x5623, 350}, {0x5710, 313}, {0x5720, 313}, {0x5910, 314}, {0x5920, 314}, {0x6010, 331},
    {0x6012, 333}, {0x6014, 329}, {0x6016, 332}, {0x6018, 357}, {0x6020, 375}, {0x6022, 376}, {0x6024, 377},
    {0x6110, 318}, {0x6111, 318}, {0x6120, 322}, {0x6121, 365}, {0x6210, 342}};

// A question whose answer is more than yes or no, and the groups of products
// that answered it alike in the old tables.
using Print = std::function<std::string(int)>;
struct Grouping {
    const char* name;
    std::vector<Ids> groups;
    Print print;
};

const int kVersions[][2] = {{0, 0}, {1, 0}, {1, 1}, {1, 2}, {1, 3}, {1, 4}, {1, 5}, {1, 6}, {2, 0}, {2, 2},
                            {3, 2}, {4, 0}, {4, 1}, {4, 2}, {4, 3}, {5, 0}};

DeviceSettings Record(int id, int major, int minor)
{
    DeviceSettings s;
    s.ProductId = id;
    s.Firmware = {major, minor, 2, 0, 0};
    return s;
}

std::string DefaultsPrint(int id)
{
    std::string text;
    for (auto [major, minor] : kVersions) {
        DeviceSettings s = Record(id, major, minor);
        s.SetDefaults(id, major, minor);
        for (int value : {s.HandsfreeVOX, s.IntercomVOX, s.EDR, s.VoicePrompt, s.PLC, s.BitpoolRate,
                          s.MicrophoneBoost, s.Sidetone, s.Calmweave, s.AutoGainControl, s.RadioTransmitGain,
                          s.AudioChannelTimeout, s.FmRegion, s.FmMagic, s.FmRds})
            text += std::to_string(value) + ",";
        for (int word : s.SettingWords) text += std::to_string(word) + ",";
    }
    return text;
}

std::string EdrHelpPrint(int id)
{
    std::string text;
    for (auto [major, minor] : kVersions) text += std::to_string(static_cast<int>(ChooseEdrHelp(id, Record(id, major, minor))));
    return text;
}

std::vector<int> Sections(int id, int major, int minor)
{
    int count = 0, kinds[kMaxSettingSections] = {}, current = 0;
    BuildSettingSections(id, major, minor, &count, kinds, &current);
    return std::vector<int>(kinds, kinds + count);
}

// The grid's bands of a product; null when it has none.
const RowBand* GridBands(int id)
{
    for (const RowFamilyInfo& family : AllRowFamilies()) {
        if (std::find(family.products.begin(), family.products.end(), id) != family.products.end())
            return family.bands.data();
    }
    return nullptr;
}

std::vector<Question> Questions()
{
    auto writer = [](WriterKind kind) { return [kind](int id) { return WriterForProduct(id) == kind; }; };
    auto road = [](ProgressRoad r) { return [r](int id) { return ProgressRoadOf(id) == r; }; };
    auto holdKey = [](TextId key) {
        const CString text = CString::FillPlaceholders(TextLiteral(TextId::HoldKeyTemplate, LanguageEnglish),
                                                       {TextLiteral(key, LanguageEnglish)});
        return [text](int id) { return TextHoldKey(LanguageEnglish, id) == text; };
    };
    auto holdKeys = [](TextId first, TextId second) {
        const CString text =
            CString::FillPlaceholders(TextLiteral(TextId::HoldTwoKeysTemplate, LanguageEnglish),
                                      {TextLiteral(first, LanguageEnglish), TextLiteral(second, LanguageEnglish)});
        return [text](int id) { return TextHoldTwoKeys(LanguageEnglish, id) == text; };
    };
    std::vector<Question> q = {
        {"package writer", kPackageWriter, writer(WriterKind::Package)},
        {"drive writer", kDriveWriter, writer(WriterKind::PackageAndDrive)},
        {"dual writer", kDualWriter, writer(WriterKind::Dual)},
        {"revision-checked writer", {0x4210}, writer(WriterKind::RevisionChecked)},
        {"two-stage writer", {0x3110}, writer(WriterKind::TwoStage)},
        {"combined-chip writer", {0x5345}, writer(WriterKind::CombinedChip)},
        // The combined chip came back by a test of its own beside the list.
        {"comes back over HID", [] {
             Ids ids = kHidReturnTargets;
             ids.insert(kCombinedChipProductId);
             return ids;
         }(),
         [](int id) { return T(id).writer != WriterKind::None; }},
        {"no OK continuation", kNoContinuationTargets, [](int id) { return IsOkContinuationExcluded(id); }},
        {"HID recognition", kHidRecognitionProducts, [](int id) { return IsHidRecognitionProduct(id); }},
        {"road dual HID", kDualHidRoad, road(ProgressRoad::DualHid)},
        {"road package HID", kPackageHidRoad, road(ProgressRoad::PackageHid)},
        {"road key HID", kKeyHidRoad, road(ProgressRoad::KeyHid)},
        {"road two-stage", {0x3110}, road(ProgressRoad::TwoStage)},
        {"road combined chip", kCombinedChipIds, road(ProgressRoad::CombinedChip)},
        {"three-part offered version", kCombinedChipIds, [](int id) { return SecondaryVersionSuffix(id, 0) == L".0"; }},
        {"two interfaces (recognition)", kTwoInterfaceIds, [](int id) { return IsTwoInterfaceFamily(id); }},
        {"two interfaces (settings)", kTwoInterfaceIds,
         [](int id) { return HidSettingsFamilyOf(id) == HidSettingsFamily::TwoInterfaces; }},
        {"two interfaces (device line, log)", kTwoInterfaceIds, [](int id) { return T(id).Has(kTwoInterfaces); }},
        {"first interface's version", kFirstInterface, [](int id) { return T(id).Has(kFirstInterfaceVersion); }},
        {"settings: first interface only", {0x3110},
         [](int id) { return HidSettingsFamilyOf(id) == HidSettingsFamily::Single3110; }},
        {"restarted into update mode", kRestartedIntoUpdateMode, [](int id) { return T(id).RestartsIntoUpdateMode(); }},
        {"no DFU prompts", kNoPromptTargets, [](int id) { return T(id).Has(kNoDfuPrompts); }},
        {"camera hold", kHoldingCameras, [](int id) { return T(id).Has(kCameraHold); }},
        {"no settings pages", kNoSettingsProducts, [](int id) { return CUpdaterDlg::IsNoSettingsProduct(id); }},
        {"USB scan", [] {
             Ids ids = {0x0001, 0xFFFF};
             for (int id : kUsbModels) ids.insert({id, id | kUpdateModeBit});
             return ids;
         }(),
         [](int id) { return IsKnownUsbProductId(id); }},
        {"hold minus key", kMinusKey, holdKey(TextId::TextMinusButton)},
        {"hold centre key", kCenterKey, holdKey(TextId::TextCenterButton)},
        {"hold left key", {0x4040}, holdKey(TextId::TextLeftButton)},
        {"hold pairing key", {0x5210}, holdKey(TextId::TextPairingButton)},
        {"hold centre and plus keys", kCenterPlusKeys, holdKeys(TextId::TextCenterButton, TextId::TextPlusButton)},
        {"hold plus and minus keys", kPlusMinusKeys, holdKeys(TextId::TextPlusButton, TextId::TextMinusButton)},
        {"hold left and right keys", {0x4040}, holdKeys(TextId::TextLeftButton, TextId::TextRightButton)},
        {"hold PTT and pairing keys", {0x5210}, holdKeys(TextId::TextPttButton, TextId::TextPairingButton)},
        {"settings rows", [] {
             Ids ids;
             for (const Ids& layout : kLayouts) ids.insert(layout.begin(), layout.end());
             return ids;
         }(),
         [](int id) { return HasSettingsRows(id); }},
    };
    auto flag = [](ProductFlag f) { return [f](int id) { return T(id).Has(f); }; };
    q.push_back({"old firmware version key", {0x4D10, 0x4D30, 0x4D40}, HasOldFirmwareVersionKey});
    q.push_back({"own EDR masks", {0x4111}, [](int id) { return LmpFeatureMask(id, true)[3] == 0xFE; }});
    q.push_back({"low address keys", {0x4D35, 0x4D55}, flag(kLowAddressKeys)});
    // The ranges of the old test also held ids no model has; only models reach it.
    q.push_back({"HID apply", {0x5410, 0x5412, 0x5414, 0x5416, 0x6010, 0x6012, 0x6014, 0x6016, 0x6018, 0x6020, 0x6022,
                               0x6024},
                 HidSettingsWantApply});
    q.push_back({"own id in update mode",
                 {0xCD35, 0xCD55, 0xCD45, 0xCD65, 0xD050, 0xCD30, 0xCD40, 0xD060, 0xD061, 0xD070, 0xD080},
                 [](int id) { return id >= kUpdateModeBit && T(id & 0x7FFF).Has(kOwnIdInUpdateMode); }});
    q.push_back({"restore floor 1.2", {0x4D35}, [](int id) {
                     return !IsRestorableArchive(Record(id, 1, 1)) && IsRestorableArchive(Record(id, 1, 2));
                 }});
    q.push_back({"restore floor 4.2", {0x4D30, 0x4D40, 0x5060, 0x5061, 0x5070, 0x5080}, [](int id) {
                     return !IsRestorableArchive(Record(id, 4, 1)) && IsRestorableArchive(Record(id, 4, 2));
                 }});
    q.push_back({"prepared for update", kPreparedTargets, flag(kPreparedForUpdate)});
    q.push_back({"VOX cleared for update", kVoxSwitchTargets, flag(kClearsVoxForUpdate)});
    q.push_back({"pairing cleared after update", kClearPairing, flag(kClearPairingAfterUpdate)});
    q.push_back({"tag carries the target", {0x4D45, 0x4D65, 0x5050}, flag(kTagCarriesTarget)});
    q.push_back({"takes 0x5060 files", {0x5010, 0x5060}, flag(kTakesTmWpr6Files)});
    q.push_back({"drive writer ends quietly", {0x3050, 0x5720}, flag(kQuietEnd)});
    for (const auto& [ids, sibling] : kFirmwareSiblings) {
        q.push_back({"takes a sibling's firmware", ids, [s = sibling](int id) { return T(id).takesFirmwareOf == s; }});
    }
    q.push_back({"picture of its own", [] {
                     Ids ids;
                     for (auto [id, picture] : kPictures) ids.insert(id);
                     return ids;
                 }(),
                 [](int id) {
                     for (auto [model, picture] : kPictures)
                         if (model == id) return DeviceImageIdFor(id, 0) == picture;
                     return false;
                 }});
    for (const Ids& layout : kLayouts) {
        const int lead = *layout.begin();
        q.push_back({"layout (grid, restore)", layout, [lead](int id) {
                         const ArchivedFamily* mine = FindArchivedFamily(id);
                         return mine && mine == FindArchivedFamily(lead) && GridBands(id) == GridBands(lead);
                     }});
    }
    for (const SectionsReference& s : kSections) {
        q.push_back({"sections", s.ids, [&s](int id) {
                         const std::vector<std::vector<int>> on = {Sections(id, 1, 2), Sections(id, 1, 3),
                                                                   Sections(id, 4, 3)};
                         return on == s.onVersions;
                     }});
    }
    for (auto [base, unused] : kSiblingPairs) {
        Ids accepted = {base};
        for (auto [target, sibling] : kSiblingPairs)
            if (target == base) accepted.insert(sibling);
        q.push_back({"accepted as the same device", accepted,
                     [base](int id) { return IsSameDeviceFamily(base, id) != 0; }});
    }
    return q;
}

std::vector<Grouping> Groupings()
{
    return {
        {"defaults", kDefaultsRows, DefaultsPrint},
        {"settings family", kSettingsFamilies, [](int id) { return std::to_string(int(SettingsFamilyOf(id))); }},
        {"FM block form", kFmForms,
         [](int id) {
             const FmBlockForm f = FmBlockFormOf(id);
             return std::to_string(int(f.road)) + std::to_string(f.interfaceNumber) + std::to_string(f.presets);
         }},
        {"EDR help", kEdrHelp, EdrHelpPrint},
        {"tick budget", kBudgets,
         [](int id) {
             const TickBudget b = TickBudgetOf(id);
             return std::to_string(b.preparation) + "," + std::to_string(b.writing) + "," + std::to_string(b.restart);
         }},
        {"default firmware version", kDefaultVersions,
         [](int id) { return std::to_string(DefaultFirmwareVersionByProduct(id)); }},
        {"address threshold", kAddressThresholds,
         [](int id) {
             std::string text;
             for (const wchar_t* lap : {L"2C9BD2", L"2CAF5A", L"2DD49F", L"2DE43F", L"2E037F", L"34FD7E", L"358E09"})
                 text += std::to_string(IsLapAboveModelThreshold(id, lap));
             return text;
         }},
    };
}

TEST(ProductTraits, AnswerAsTheListsDid)
{
    for (const Question& question : Questions()) {
        int wrong = 0;
        for (int id = 0; id <= 0xFFFF && wrong < 5; ++id) {
            const bool expected = question.yes.count(id) != 0;
            if (question.answer(id) != expected) {
                ++wrong;
                ADD_FAILURE() << question.name << ": 0x" << std::hex << id << (expected ? " missing" : " extra");
            }
        }
    }
}

// Products of one group answer alike and every other model answers as an
// unknown id does. Two groups may answer alike: the old tables had rows with
// equal values.
TEST(ProductTraits, GroupAsTheTablesDid)
{
    for (const Grouping& grouping : Groupings()) {
        Ids grouped;
        for (const Ids& group : grouping.groups) {
            const std::string lead = grouping.print(*group.begin());
            for (int id : group) {
                EXPECT_EQ(grouping.print(id), lead) << grouping.name << ": 0x" << std::hex << id;
                grouped.insert(id);
            }
        }
        const std::string unknown = grouping.print(0x1234);
        for (int id = 1; id < kUpdateModeBit; ++id) {
            if (T(id).productId && !grouped.count(id)) {
                EXPECT_EQ(grouping.print(id), unknown) << grouping.name << ": 0x" << std::hex << id;
            }
        }
    }
}

// Every named model has a row of its own, and the update-mode id of a model
// has no traits.
TEST(ProductTraits, RowsAreUniqueAndUpdateModeIdsHaveNone)
{
    std::set<int> seen;
    for (int id = 1; id < kUpdateModeBit; ++id) {
        if (T(id).productId == 0) continue;
        EXPECT_EQ(T(id).productId, id);
        EXPECT_TRUE(seen.insert(id).second);
        EXPECT_EQ(T(id | kUpdateModeBit).productId, 0) << std::hex << id;
    }
    EXPECT_EQ(seen.size(), 91u);  // 90 named models and the combined chip's second id
}

}  // namespace
