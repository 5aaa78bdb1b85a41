// The device line of the main window's frame: the picture of the recognized
// model, its name and its firmware version text.
#pragma once

#include <vector>

#include "device/DeviceSettings.h"
#include "framework/CString.h"

// Bitmaps of the device picture that are not a model's own.
constexpr int kNoDevicePicture = 176;
constexpr int kLogoPicture = 186;

// The picture of a product id; variant is the 0x4210 headset's variant byte
// (-1 when it has not been read). Unknown products get the logo.
int DeviceImageIdFor(int productId, int variant);
// Every distinct picture the table names, in ascending order (for loading
// them once).
std::vector<int> DevicePictureIds();

// The device name as the frame shows it: cut before its last space when the
// name holds both a "." and a space.
CString DeviceNameCaption(const CString& name);
// "v1.2", "v1.2rc3", "v1.2.3", two groups joined with " / " ... by product.
CString DeviceVersionText(const DeviceSettings& settings);
