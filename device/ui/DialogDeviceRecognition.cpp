#include "device/ui/DialogDeviceRecognition.h"

#include "app/ui/DialogMessageBox.h"
#include "app/ui/PageHost.h"
#include "device/ui/DialogDeviceRecognitionTexts.h"
#include "device/HidDiscovery.h"
#include "framework/Shell.h"
#include "res/resource.h"

namespace {

// Text colour of the warning static.
constexpr COLORREF kWarningOrange = RGB(255, 112, 0);

// Box sizes in pixels.
const CSize kActivatedBoxSize(550, 290);
const CSize kSupportBoxSize(520, 180);
const CSize kOtherDeviceBoxSize(440, 130);
const CSize kMakerHelpBoxSize(840, 260);
const CSize kOemHelpBoxSize(700, 180);
const CSize kOemHelpBoxSizeJapanese(900, 180);

constexpr int kIconLogo = 0;
constexpr int kIconWarning = 1;

// Shows the wait cursor while the pass blocks the window.
class WaitCursor {
public:
    WaitCursor() : m_previous(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { ::SetCursor(m_previous); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR m_previous;
};

}  // namespace

BEGIN_MESSAGE_MAP(CDialogDeviceRecognition, CWizardPage)
    ON_BN_CLICKED(IDC_RECOGNITION_MAKER_HELP, OnMakerProductsHelp)
    ON_BN_CLICKED(IDC_RECOGNITION_OEM_HELP, OnOemProductsHelp)
    ON_WM_CTLCOLOR()
    ON_WM_SETCURSOR()
    ON_WM_TIMER()
END_MESSAGE_MAP()

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
    // The dialog's font in bold, one unit larger in its height value.
    LOGFONTW font{};
    if (::GetObjectW(GetFontHandle(), sizeof font, &font)) {
        font.lfWeight = FW_BOLD;
        font.lfHeight += 1;
        if (m_boldFont.CreateFontIndirect(&font)) {
            for (CWnd* control : {static_cast<CWnd*>(&stepsStatic), static_cast<CWnd*>(&warningStatic),
                                  static_cast<CWnd*>(&makerProductsButton), static_cast<CWnd*>(&oemProductsButton)}) {
                control->SetFont(&m_boldFont);
            }
        }
    }
    return TRUE;
}

LanguageIndex CDialogDeviceRecognition::Language() const
{
    const CPageHost* main = MainDialog();
    return main ? main->language : LanguageEnglish;
}

void CDialogDeviceRecognition::SetMode(int mode)
{
    pageMode = mode;
    if (CPageHost* main = MainDialog()) main->SetTransferPercent(-1);
    RefreshTexts();
}

void CDialogDeviceRecognition::RefreshTexts()
{
    stepsStatic.SetWindowText(GetOemProductStepsText());
    makerStepsEdit.SetWindowText(GetMakerProductStepsText());
    for (CWnd* hidden : {static_cast<CWnd*>(&warningStatic), static_cast<CWnd*>(&makerProductsButton),
                         static_cast<CWnd*>(&oemProductsButton), static_cast<CWnd*>(&makerStepsEdit)}) {
        hidden->ShowWindow(SW_HIDE);
    }
    makerProductsButton.EnableWindow(FALSE);
    oemProductsButton.EnableWindow(FALSE);
}

HBRUSH CDialogDeviceRecognition::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor)
{
    const int id = wnd && wnd->m_hWnd != m_hWnd ? wnd->GetDlgCtrlID() : 0;
    const bool onPage = ctlColor == CTLCOLOR_DLG || id == IDC_RECOGNITION_STEPS || id == IDC_RECOGNITION_WARNING ||
                        id == IDC_RECOGNITION_MAKER_STEPS;
    if (!onPage) return CWnd::OnCtlColor(dc, wnd, ctlColor);
    HBRUSH brush = CWizardPage::OnCtlColor(dc, wnd, ctlColor);
    if (id == IDC_RECOGNITION_WARNING) dc->SetTextColor(kWarningOrange);
    return brush;
}

void CDialogDeviceRecognition::OnMakerProductsHelp()
{
    CPageHost* main = MainDialog();
    if (!main || MainRefuses()) return;
    CDialogMessageBox box(main->HostWindow());
    box.Setup(GetMakerProductStepsText(), kIconLogo, nullptr, TextOk(Language()), kMakerHelpBoxSize);
    box.DoModal();
}

void CDialogDeviceRecognition::OnOemProductsHelp()
{
    CPageHost* main = MainDialog();
    if (!main || MainRefuses()) return;
    CDialogMessageBox box(main->HostWindow());
    box.Setup(GetOemProductListText(), kIconLogo, nullptr, TextOk(Language()),
              Language() == LanguageJapanese ? kOemHelpBoxSizeJapanese : kOemHelpBoxSize);
    box.DoModal();
}

void CDialogDeviceRecognition::OnTimer(UINT_PTR id)
{
    CPageHost* main = MainDialog();
    if (id == kRecognitionPollTimer && main) {
        KillTimer(kRecognitionPollTimer);
        pollTimerId = 0;
        // The slots are cleared for a new search; what they held is closed.
        main->CloseDeviceHandles();
        HidMainState state{main->hidHandle1, main->hidHandle2, main->targetProductId, main->deviceSettings};
        if (!PollHidInterfaces(state) && pollTimerId == 0) {
            pollTimerId = static_cast<int>(kRecognitionPollTimer);
            SetTimer(kRecognitionPollTimer, kRecognitionPollMs);
        }
    }
    CWnd::OnTimer(id);
}

// ---------------------------------------------------------------------------
// The pass

RecognitionOutcome CDialogDeviceRecognition::Recognize(const DeviceSettings* saved, int fromNext)
{
    CPageHost* main = MainDialog();
    if (!main) return RecognitionOutcome::NothingFound;
    main->ShowStatus(main->ComposeProgressStatus(), 0);
    main->SetBusy(true);
    RefreshTexts();
    KillTimer(kRecognitionPollTimer);
    pollTimerId = 0;

    RecognitionResult result;
    {
        WaitCursor wait;
        RecognitionHost host{main->hidHandle1, main->hidHandle2, main->targetProductId};
        result = RunRecognitionPass(host, saved);
    }
    main->TakeRecognition(result);
    // The frame is unlocked before any box opens.
    main->SetBusy(false);
    RefreshTexts();
    ShowOutcome(result.outcome, fromNext != 0);
    return result.outcome;
}

template <typename Compose>
void CDialogDeviceRecognition::ShowEveryStatus(Compose&& compose, int warning)
{
    CPageHost* main = MainDialog();
    for (LanguageIndex language = 0; language < LanguageCount; ++language)
        main->SetStatusText(compose(language), language);
    main->ShowStatus(main->GetStatusText(), warning);
}

template <typename Reason>
void CDialogDeviceRecognition::ShowFailure(Reason&& reason, const wchar_t* format)
{
    const CPageHost* main = MainDialog();
    ShowEveryStatus(
        [&](LanguageIndex language) {
            return CString::FillPlaceholders(
                format, {StatusFailureText(main->currentPage, main->usbStatus, language), reason(language)});
        },
        1);
}

void CDialogDeviceRecognition::ShowSupportBox(const CString& text)
{
    CPageHost* main = MainDialog();
    const LanguageIndex language = Language();
    CDialogMessageBox box(main->HostWindow());
    box.Setup(text, kIconWarning, TextSendEmail(language), TextOk(language), kSupportBoxSize);
    // SEND Email is the box's Cancel button; a link the shell cannot open is let be.
    if (box.DoModal() == IDCANCEL) ShellOpen(L"open", SupportMailLink());
}

void CDialogDeviceRecognition::ShowOutcome(RecognitionOutcome outcome, bool fromNext)
{
    CPageHost* main = MainDialog();
    switch (outcome) {
    case RecognitionOutcome::NormalMode:
    case RecognitionOutcome::UpdateMode: ShowRecognized(outcome); return;
    case RecognitionOutcome::NothingFound: ShowFailure(TextCannotOpenUsb); return;
    case RecognitionOutcome::NoCameraDrive: ShowFailure(TextCheckSdCard); return;
    case RecognitionOutcome::Activated:
        if (fromNext) {
            ShowEveryStatus(
                [](LanguageIndex language) {
                    return JoinStatus(StatusReadyFormat(PageRecognition, 1, language), GetActivatedTitleText(language));
                },
                0);
        }
        // The user reconnects the headset: the steps begin with unplugging it.
        SetMode(1);
        if (fromNext) {
            CDialogMessageBox box(main->HostWindow());
            box.Setup(CString::FillPlaceholders(GetActivatedMessageText(), {GetUsbConnectStepsText()}), kIconLogo,
                      nullptr, TextOk(Language()), kActivatedBoxSize);
            box.DoModal();
        }
        return;
    case RecognitionOutcome::FewerInterfaces:
    case RecognitionOutcome::MoreInterfaces:
    case RecognitionOutcome::FewerLibraryDevices:
    case RecognitionOutcome::MoreLibraryDevices: {
        if (!fromNext) return;
        const bool library = outcome == RecognitionOutcome::FewerLibraryDevices ||
                             outcome == RecognitionOutcome::MoreLibraryDevices;
        ShowFailure([outcome](LanguageIndex language) { return GetUsbInterfaceCountTitleText(outcome, language); },
                    library ? L"%s. %s [2]" : L"%s. %s");
        ShowSupportBox(GetUsbInterfaceCountText(library ? 0 : 1, outcome));
        main->GoToWelcome();
        return;
    }
    case RecognitionOutcome::OddInterfaces:
        ShowFailure(GetOddUsbInterfaceTitleText);
        ShowSupportBox(GetUsbInterfaceProblemText());
        main->GoToWelcome();
        return;
    case RecognitionOutcome::OtherFamily:
    default: {
        CDialogMessageBox box(main->HostWindow());
        box.Setup(CString::FillPlaceholders(GetOtherDeviceText(), {GetModelName(main->targetProductId, 0)}),
                  kIconWarning, nullptr, TextOk(Language()), kOtherDeviceBoxSize);
        box.DoModal();
        main->GoToWelcome();
        return;
    }
    }
}

void CDialogDeviceRecognition::ShowRecognized(RecognitionOutcome outcome)
{
    CPageHost* main = MainDialog();
    KillTimer(kRecognitionPollTimer);
    pollTimerId = 0;
    const int usbStatus = main->usbStatus;
    const int code = autoRunCode;
    if (IsAutoRunGoingOn(code)) {
        // The page the user asked for before the pass; in update mode it says so.
        main->GoToPage(AutoRunPage(code));
        if (IsUpdateModeStatus(usbStatus)) {
            const int page = main->currentPage;
            ShowEveryStatus(
                [&](LanguageIndex language) {
                    return CString::FillPlaceholders(StatusSuccessText(page, usbStatus, language),
                                                     {StatusReadyFormat(page + 1, usbStatus, language)});
                },
                1);
        }
        return;
    }
    if (code >= PageFirmwareUpdate && code <= PageSpeedDial) {
        // Back to the operation that asked for the pass, with its success.
        switch (code) {
        case PageFirmwareUpdate: main->GoToFirmwareUpdate(0); break;
        case PageFirmwareRestore: main->GoToFirmwareRestore(0); break;
        case PageDeviceSetting: main->GoToDeviceSetting(0); break;
        case PageDeviceSettingSecond: main->GoToDeviceSettingSecond(0); break;
        default: main->GoToSpeedDial(0); break;
        }
        ShowEveryStatus([&](LanguageIndex language) { return StatusSuccessText(code, usbStatus, language); }, 0);
        return;
    }
    // The user pressed NEXT: on to the firmware update page.
    const int page = main->currentPage;
    auto success = [&](LanguageIndex language) {
        const CString title = outcome == RecognitionOutcome::NormalMode
                                  ? StatusSuccessText(page, usbStatus, language)
                                  : JoinStatus(TextFirmwareManagementMode(language), L"%s");
        return CString::FillPlaceholders(title, {StatusReadyFormat(page + 1, 0, language)});
    };
    main->GoToFirmwareUpdate(0);
    ShowEveryStatus(success, IsUpdateModeStatus(usbStatus) ? 1 : 0);
}

// ---------------------------------------------------------------------------
// Texts in the current language

CString CDialogDeviceRecognition::GetPressButtonStepText(int step) const { return PressButtonStepText(step, Language()); }
CString CDialogDeviceRecognition::GetUsbConnectStepsText() const { return UsbConnectStepsText(pageMode, Language()); }
CString CDialogDeviceRecognition::GetOemProductStepsText() const { return OemProductStepsText(Language()); }
CString CDialogDeviceRecognition::GetMakerProductStepsText() const { return MakerProductStepsText(Language()); }
CString CDialogDeviceRecognition::GetOemProductListText() const { return OemProductListText(Language()); }
CString CDialogDeviceRecognition::GetActivatedMessageText() const { return ActivatedMessageText(Language()); }
CString CDialogDeviceRecognition::GetSupportMailText() const { return SupportMailText(Language()); }
CString CDialogDeviceRecognition::GetUsbInterfaceCountText(int obtained, RecognitionOutcome outcome) const
{
    return UsbInterfaceCountText(obtained, outcome, Language());
}
CString CDialogDeviceRecognition::GetUsbInterfaceProblemText() const { return UsbInterfaceProblemText(Language()); }
CString CDialogDeviceRecognition::GetOtherDeviceText() const { return OtherDeviceText(Language()); }
