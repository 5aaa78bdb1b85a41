#include "support/Screenshot.h"

#include <cstdlib>

#include "app/ui/DialogMessageBox.h"
#include "res/resource.h"

namespace {
constexpr unsigned kHoldMs = 8000;
}  // namespace

int ShotNumber(const char* name, int fallback, int base)
{
    const char* value = std::getenv(name);
    return value ? static_cast<int>(std::strtol(value, nullptr, base)) : fallback;
}

bool OpenShotWindow(CUpdaterDlg& main)
{
    if (!main.Create(IDD_MAIN, nullptr)) return false;
    main.selectionPage.updateCheckDone = 1;
    main.SendMessage(WM_TIMER, kStartupTimer);
    main.ApplyLanguage(ShotNumber("TORVIK_SHOT_LANGUAGE", 0), true);
    return true;
}

void HoldForScreenshot(CUpdaterDlg& main)
{
    main.ShowWindow(SW_SHOW);
    PumpMessagesUntil([] { return false; }, kHoldMs);
    main.DestroyWindow();
}

void HoldBoxesForScreenshot()
{
    SetModalDialogHook([](CDialog& dialog, UINT) {
        PumpMessagesFor(kHoldMs);
        dialog.EndDialog(IDOK);
    });
}
