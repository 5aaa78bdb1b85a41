#include "device/DialogDeviceRecognition.h"

#include "app/PageHost.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CDialogDeviceRecognition, CWizardPage)
    ON_WM_SETCURSOR()
    ON_WM_TIMER()
END_MESSAGE_MAP()

bool RecognitionAsksForRetry(int outcome)
{
    switch (outcome) {
    case 2: case 5: case 6: case 7: case 8: case 9: return true;
    default: return false;
    }
}

CDialogDeviceRecognition::CDialogDeviceRecognition(CWnd* parent) : CWizardPage(IDD_DEVICE_RECOGNITION, parent) {}

void CDialogDeviceRecognition::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_RECOGNITION_STEPS, stepsStatic);
    DDX_Control(dx, IDC_RECOGNITION_MAKER_STEPS, makerStepsEdit);
    DDX_Control(dx, IDC_RECOGNITION_WARNING, warningStatic);
    DDX_Control(dx, IDC_RECOGNITION_MAKER_HELP, makerProductsButton);
    DDX_Control(dx, IDC_RECOGNITION_OEM_HELP, oemProductsButton);
}

BOOL CDialogDeviceRecognition::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    pollTimerId = 0;
    return TRUE;
}

void CDialogDeviceRecognition::SetMode(int mode)
{
    pageMode = mode;
    if (CPageHost* main = MainDialog()) main->transferPercent = -1;
    RefreshTexts();
}

void CDialogDeviceRecognition::RefreshTexts()
{
    for (CWnd* hidden : {static_cast<CWnd*>(&warningStatic), static_cast<CWnd*>(&makerProductsButton),
                         static_cast<CWnd*>(&oemProductsButton), static_cast<CWnd*>(&makerStepsEdit)}) {
        hidden->ShowWindow(SW_HIDE);
    }
    makerProductsButton.EnableWindow(FALSE);
    oemProductsButton.EnableWindow(FALSE);
}

// Not built yet: the recognition pass finds nothing.
int CDialogDeviceRecognition::Recognize(const DeviceSettings*, int) { return kRecognitionNothingFound; }

void CDialogDeviceRecognition::OnTimer(UINT_PTR id) { CWnd::OnTimer(id); }
