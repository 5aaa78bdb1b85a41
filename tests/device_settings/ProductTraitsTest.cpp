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

#include "app/Texts.h"
#include "app/ui/DialogMessageBox.h"
#include "app/ui/UpdaterDlg.h"
#include "device/ProductCatalogue.h"
#include "device/Recognition.h"
#include "device/RecognitionHid.h"
#include "firmware/FirmwareIndex.h"
#include "firmware/HidWriters.h"
#include "firmware/UpdateProgress.h"
#include "restore/ArchivedSettings.h"
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
        // The message box's own list stays where it is until the box asks the catalogue.
        {"no OK continuation", kNoContinuationTargets, [](int id) { return IsOkContinuationExcluded(id); }},
        {"no OK continuation: HID headsets", kNoContinuationTargets, [](int id) { return T(id).Has(kHidConnected); }},
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
