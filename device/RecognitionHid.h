// The HID road of the recognition pass: the report exchanges that identify a
// headset and read its name, versions, address, hardware version and settings,
// and the write-back of a saved record over HID.
//
// The HID finder reports product 0x5910 only; every other HID product is
// reached by giving its product id and open handles here.
#pragma once

#include <windows.h>

#include "device/Recognition.h"

// The families whose second HID interface answers the name, second version,
// settings, FM and second address requests.
bool IsTwoInterfaceFamily(int productId);

// Reads the headset of the product on its handles (hidHandle2 for the two-
// interface families and 0x5345) into result: the record, the USB status word
// of the HID products, the 0x4210 variant byte. A saved record of the same
// product is written back after the versions are read. A failed exchange only
// selects its fallback; the road always recognizes.
void RecognizeOverHid(int productId, HANDLE& hidHandle1, HANDLE& hidHandle2, const DeviceSettings* saved,
                      RecognitionResult& result);

// Writes the settings of a saved record as set requests (with apply requests
// on the models that need them) to a headset of productId, in the firmware
// band of the record. Nothing is written when the record is of another product.
// Results are not examined: the read-back that follows shows what took.
void WriteBackOverHid(int productId, HANDLE* hidHandle1, HANDLE* hidHandle2, const DeviceSettings& saved);
