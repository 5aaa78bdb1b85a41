// Scaffolding of the screenshot helpers: disabled tests that show a window of
// the program for tools/screenshot, shaped by TORVIK_SHOT_* variables.
//   tools/screenshot OUT.png 6 build/tests/test_<suite>.exe --gtest_also_run_disabled_tests
//       --gtest_filter=Screenshot.*
#pragma once

#include "app/ui/UpdaterDlg.h"

// A TORVIK_SHOT_* variable as a number (base 16 for product ids), or fallback.
int ShotNumber(const char* name, int fallback, int base = 10);

// The main window past its start-up, without the manager's update check, in
// the language of TORVIK_SHOT_LANGUAGE; false when it cannot be created.
bool OpenShotWindow(CUpdaterDlg& main);

// Shows the window and keeps it up while the screenshot is taken, then closes it.
void HoldForScreenshot(CUpdaterDlg& main);

// A modal box opened now stays up while the screenshot is taken, then ends with OK.
void HoldBoxesForScreenshot();
