// The USB road of the recognition pass: BlueCore headsets and the action
// camera reached through the chip vendor's DFU library, read and written key
// by key in their persistent store; and the write-back of a saved record as
// persistent-store keys.
#pragma once

#include <cstdint>

#include "device/Recognition.h"

class DFUTransportCOM;

// Persistent-store keys of the headset's identity and settings.
inline constexpr uint16_t PsKeyAddress = 0x0001;
inline constexpr uint16_t PsKeyLocalFeatures = 0x00EF;
inline constexpr uint16_t PsKeyName = 0x0108;
inline constexpr uint16_t PsKeyConfigWord = 0x028E;
inline constexpr uint16_t PsKeyVoxIntercom = 0x0298;
inline constexpr uint16_t PsKeyVoxPhone = 0x0299;
inline constexpr uint16_t PsKeyFmBlock = 0x029F;
inline constexpr uint16_t PsKeyProductId = 0x02A3;
inline constexpr uint16_t PsKeyAudioChannelTimeout = 0x02AA;
inline constexpr uint16_t PsKeyRadioTransmitGain = 0x02AC;
inline constexpr uint16_t PsKeySpeedDial = 0x2280;  // numbers 1 to 3: 0x2280 to 0x2282
inline constexpr int kPsSpeedDialLength = 40;
inline constexpr int kPsFmBlockLength = 30;
inline constexpr int kPsLocalFeaturesLength = 8;

// The link-manager feature mask of key 0x00EF for EDR on or off: mask B for
// on and mask A for off (product 0x4111 has a pair of its own).
const uint8_t* EdrFeatureMask(int productId, bool edrOn);

// The USB road (the HID handles are closed first): lists the library's
// devices and the system's, examines each matching device and leaves the
// outcome and the record in result, the counts for the count checks in counts.
// The library is started and stopped within.
void RecognizeOverStore(RecognitionHost& host, const DeviceSettings* saved, RecognitionResult& result,
                        UsbScanCounts& counts);

// Writes the settings of a saved record as persistent-store keys to a chip of
// productId in the firmware band of the record. Nothing is written when the
// record is of another product. Write results are not examined.
void WriteBackOverStore(int productId, DFUTransportCOM& transport, const DeviceSettings& saved);
