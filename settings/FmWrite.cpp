#include "settings/FmWrite.h"

#include <algorithm>
#include <cstring>

#include "device/ProductIdList.h"

namespace {

struct FmFormRow {
    ProductIdList<24> Ids;
    FmBlockForm Form;
};

const FmFormRow kFmForms[] = {
    {{0x4210, 0x4310, 0x4330, 0x4430, 0x4410, 0x4510}, {FmBlockRoad::Hid, 2, kFmPresetCount, kFmMagicWritten}},
    {{0x5412, 0x5414, 0x5416}, {FmBlockRoad::Hid, 1, kFmPresetCount, kFmMagicDefault}},
    {{0x5610, 0x5611, 0x5612, 0x5620, 0x5621, 0x5510, 0x5520, 0x5526, 0x5720, 0x5530, 0x5550, 0x3110, 0x5710,
      0x5623, 0x5622, 0x5624, 0x5524, 0x5522, 0x3030, 0x3050, 0x3040, 0x6210, 0x5910, 0x5920},
     {FmBlockRoad::Hid, 1, kFmPresetCount, kFmMagicWritten}},
    {{0x6010, 0x6018, 0x6012, 0x6014, 0x6016}, {FmBlockRoad::Hid, 1, kFmElevenWordPresets, kFmMagicDefault}},
    {{0x4D15, 0x4D45, 0x4D65, 0x4D85, 0x5040, 0x5050},
     {FmBlockRoad::PersistentStore, 1, kFmPresetCount, kFmMagicWritten}},
};

}  // namespace

FmBlockForm FmBlockFormOf(int productId)
{
    const FmFormRow* row = FindProductRow(kFmForms, productId);
    return row ? row->Form : FmBlockForm{};
}

void BuildFmBlockKey(const DeviceSettings& settings, uint8_t bytes[kPsFmBlockLength])
{
    uint16_t words[kFmBlockWordCount] = {};
    FmBlockWords(settings, kFmMagicWritten, kFmPresetCount, words);
    // The byte image of the words: Windows keeps them low byte first.
    std::memcpy(bytes, words, sizeof words);
}

bool FmWriteBody::WriteHid(int productId, HidSettingsRequests& requests)
{
    const FmBlockForm form = FmBlockFormOf(productId);
    if (form.road != FmBlockRoad::Hid) return true;
    uint16_t words[kFmBlockWordCount] = {};
    const int count = BuildFmBlock(m_working, form, words);
    int values[kFmBlockWordCount] = {};
    std::copy(words, words + count, values);
    return requests.Set(form.interfaceNumber, kFmBlockItem, std::span<const int>(values, static_cast<size_t>(count)));
}

bool FmWriteBody::WriteKeys(int productId, const PsKeyWriter& writeKey)
{
    if (FmBlockFormOf(productId).road != FmBlockRoad::PersistentStore) return true;
    uint8_t bytes[kPsFmBlockLength] = {};
    BuildFmBlockKey(m_working, bytes);
    return writeKey(PsKeyFmBlock, bytes, kPsFmBlockLength);
}
