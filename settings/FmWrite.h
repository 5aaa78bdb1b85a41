// What the FM radio page writes to a headset: the FM block as a HID set
// request of item 0x15 or as the persistent-store key 0x029F, by product.
#pragma once

#include <cstdint>

#include "device/DeviceSettings.h"
#include "device/Recognition.h"
#include "device/RecognitionStore.h"
#include "settings/SettingsWriter.h"

inline constexpr uint8_t kFmBlockItem = 0x15;

enum class FmBlockRoad {
    None,              // the headset has no FM block to write
    Hid,               // a set request of item 0x15
    PersistentStore,   // key 0x029F of each matched chip
};

// How a product's FM block is written.
struct FmBlockForm {
    FmBlockRoad road = FmBlockRoad::None;
    int interfaceNumber = 1;       // HID: the main window's first or second handle
    int presets = kFmPresetCount;  // 10, or 6 in the eleven-word block
    int magic = kFmMagicWritten;
};

FmBlockForm FmBlockFormOf(int productId);

// The block of the settings in the form's size with the form's magic word
// (the region, presets and RDS AF as edited; current frequency and current
// preset as recorded). Returns the word count: 15, or 11 with six presets.
inline int BuildFmBlock(const DeviceSettings& settings, const FmBlockForm& form, uint16_t words[kFmBlockWordCount])
{
    return FmBlockWords(settings, form.magic, form.presets, words);
}

// Key 0x029F: the fifteen-word block with the magic word 0x66E9, each word
// low byte first.
void BuildFmBlockKey(const DeviceSettings& settings, uint8_t bytes[kPsFmBlockLength]);

// The FM radio page's body of the settings writer: the block of the working
// copy on every write, changed or not, on the products that have one; the
// apply request follows on the headsets that want it.
class FmWriteBody : public SettingsWriteBody {
public:
    // The page's working copy; it must outlive the body.
    explicit FmWriteBody(const DeviceSettings& working) : m_working(working) {}

    bool WriteHid(int productId, HidSettingsRequests& requests) override;
    bool WriteKeys(int productId, const PsKeyWriter& writeKey) override;

private:
    const DeviceSettings& m_working;
};
