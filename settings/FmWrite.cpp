#include "settings/FmWrite.h"

#include <algorithm>
#include <cstring>

#include "device/ProductCatalogue.h"

namespace {

using F = SettingsFamily;

struct FmFormRow {
    SettingsFamilies Families;
    FmBlockForm Form;
};

const FmFormRow kFmForms[] = {
    {{F::V40, F::Vantor}, {FmBlockRoad::Hid, 2, kFmPresetCount, kFmMagicWritten}},
    {{F::Yt2}, {FmBlockRoad::Hid, 1, kFmPresetCount, kFmMagicDefault}},
    {{F::M7xHelm, F::Kc5, F::Kr5, F::VantorMini, F::Ks5, F::Feral, F::V60, F::Grittalk, F::Lvr7, F::Lvra,
      F::ThunderKr5, F::Z9, F::M7xpad, F::Ostrel},
     {FmBlockRoad::Hid, 1, kFmPresetCount, kFmMagicWritten}},
    {{F::Nq1, F::Nq5r}, {FmBlockRoad::Hid, 1, kFmElevenWordPresets, kFmMagicDefault}},
    {{F::Tkv3Fm, F::Tkv3Kx, F::Wpr6kFm},
     {FmBlockRoad::PersistentStore, 1, kFmPresetCount, kFmMagicWritten}},
};

}  // namespace

FmBlockForm FmBlockFormOf(int productId)
{
    const FmFormRow* row = FindFamilyRow(kFmForms, productId);
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
