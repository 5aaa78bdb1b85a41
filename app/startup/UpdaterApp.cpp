#include "app/startup/UpdaterApp.h"

#include <commctrl.h>

#include "app/ui/UpdaterDlg.h"
#include "framework/File.h"
#include "framework/StartupTrace.h"
#include "sim/Environment.h"

CUpdaterApp theApp;

BOOL CUpdaterApp::InitInstance()
{
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof icc;
    icc.dwICC = 0xFF;
    ::InitCommonControlsEx(&icc);
    m_registryKey = L"Local AppWizard-Generated Applications";
    // What earlier runs, stopped before their rename, left of their saves and downloads.
    RemoveLeftoverTemporaries(ProgramImgFolder());

    CUpdaterDlg dlg(nullptr);
    MarkStartup(L"main window object");
    dlg.DoModal();
    return FALSE;
}

int RunApplication(HINSTANCE)
{
    // Real devices, or the simulated ones of the scenario named by TORVIK_SIM.
    InstallDeviceSeamsFromEnvironment();
    theApp.InitInstance();
    WriteStartupTrace();
    return 0;
}
