// The rules of the FM radio page that need no window: which headsets have the
// page, how a typed preset is read and rounded, where a spin click lands on the
// region's band and channel grid, and which frequency a newly checked row
// takes. Frequencies are in units of 10 kHz (87.5 MHz is 8750).
#pragma once

#include <string_view>

#include "device/DeviceSettings.h"
#include "framework/CString.h"

// True for the headsets that have an FM radio page.
bool IsFmProduct(int productId);

// A preset typed in MHz, in units of 10 kHz rounded to 0.1 MHz (88.14 gives
// 8810, 88.15 gives 8820). The text is read as far as it is a decimal number,
// with a point or a comma before the decimals; a text that is no number, that
// is infinite or not a number, or whose value lies far beyond every band reads
// as 0, which no region accepts.
int PresetFromText(std::wstring_view text);

// A preset as the page shows it: "%0.1f" of the MHz.
CString PresetText(int preset);

// Where a checked row's spin lands when it shows position, the row's preset
// having been previous: on the 0.2 MHz grids a position between two channels
// moves on in the direction of the click; a position beyond one end of the
// band wraps round to the other end. The result is always on the region's
// band and grid.
int SpinPreset(int region, int position, int previous);

// The frequency a row takes when its check box is checked: the preset of the
// nearest lower-numbered row that is checked and holds a preset, else of the
// nearest higher-numbered one, else the region's minimum.
int NeighbourPreset(int row, const int presets[kFmPresetCount], const bool checked[kFmPresetCount], int region);

