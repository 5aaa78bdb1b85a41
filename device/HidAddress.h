// Tests on the lower 24 bits of a headset's Bluetooth address (the lower
// address part, given as six hexadecimal digits) that tell production batches
// of one model apart.
#pragma once

#include "framework/CString.h"

// 1 when the address part lies strictly above the threshold of the model;
// 0 at or below it and for models without a threshold.
int IsLapAboveModelThreshold(int targetProductId, const CString& lap);
// 1 for a 0x5060 unit in the range of the 0x5011 variant, ends included.
int IsTmWpr6Address(int targetProductId, const CString& lap);
// 1 for a 0x4210 unit whose item 5 needs the correction, ends included.
int IsV40Item5FixRange(int targetProductId, const CString& lap);
