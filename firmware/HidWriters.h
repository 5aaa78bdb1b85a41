// The firmware writer threads of the models flashed over HID, and their one
// entry: the update's start (UpdateDriver) takes the writer's inputs, makes a
// WriterContext of them and starts the writer of the target product with it.
//
//   HidPackageWriteThread           0x6010 to 0x6018, 0x5410 to 0x5416
//   HidAndDriveWriteThread          0x55xx, 0x56xx, 0x57xx, 0x5320, 0x5330, 0x5910,
//                                   0x5920, 0x3030 to 0x3050, 0x6210 (0x5510: camera drive)
//   DualHidWriteThread              0x4310, 0x4330, 0x4410, 0x4430, 0x4510
//   RevisionCheckedHidWriteThread   0x4210
//   TwoStageHidWriteThread          0x3110 (second stage on 0x3120, CRC-16 checked)
//   CombinedChipWriteThread         0x5345 (external flashing programs)
//
// Each writes the state codes 4, 5, (11), 7 and 9 of the operation's record;
// a failure fills its eleven status texts, sets the error and finished flags
// and clears the page's newer-firmware offer. A run that flashed leaves the
// end to the page's device-return check.
#pragma once

#include <windows.h>

#include <memory>

#include "device/ProductCatalogue.h"
#include "firmware/WriterContext.h"

using WriterProcedure = void (*)(WriterContext& context);

// The writer of a product, by the product catalogue.
WriterKind WriterForProduct(int productId);
// The procedure of a writer; null for None.
WriterProcedure WriterProcedureOf(WriterKind kind);

// Runs a writer on the calling thread: an exception ends the run as a failure
// rather than leaving the page waiting.
void RunWriter(WriterProcedure procedure, WriterContext& context);
// Starts the writer of the context's target product on a thread of its own
// (StartThread), which owns the context from then on. The thread's handle (the
// caller closes it; nobody needs to wait for the thread, which reports through
// its context), or null when the product has no writer or no thread can be
// started.
HANDLE StartWriterThread(std::unique_ptr<WriterContext> context);

void HidPackageWriteThread(WriterContext& context);
void HidAndDriveWriteThread(WriterContext& context);
void DualHidWriteThread(WriterContext& context);
void RevisionCheckedHidWriteThread(WriterContext& context);
void TwoStageHidWriteThread(WriterContext& context);
void CombinedChipWriteThread(WriterContext& context);

// The version in a package's file name as the 0x4210 writer reads it: the
// name after the last backslash, without trailing ".", "i", "m" and "g",
// without a tail "-..." or "_..." that begins in its last three characters,
// from after its last "v". False when that text holds no "." (not checked);
// else its first three dot-separated fields as numbers (0 when missing).
bool PackageNameVersion(const CString& packagePath, int* major, int* minor, int* build);
