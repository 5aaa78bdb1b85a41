#include "firmware/ui/DialogNewUpdateFound.h"

#include "app/ui/DialogMessageBox.h"
#include "app/ui/PageHost.h"
#include "firmware/FirmwarePageTexts.h"
#include "res/resource.h"
#include "settingslist/LabelTables.h"

namespace {

constexpr COLORREF kOfferTextColour = RGB(236, 236, 216);

// The controls that take the bold font (not the picture).
constexpr int kBoldControls[] = {IDC_OFFER_QUESTION, IDC_OFFER_CURRENT_LABEL, IDC_OFFER_CURRENT,
                                 IDC_OFFER_NEW_LABEL, IDC_OFFER_NEW,           IDC_OFFER_LANGUAGE,
                                 IDC_OFFER_LANGUAGE_LABEL, IDOK,               IDCANCEL};

}  // namespace

BEGIN_MESSAGE_MAP(CDialogNewUpdateFound, CDialog)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CDialogNewUpdateFound::CDialogNewUpdateFound(CWnd* parent, FirmwareOfferView view)
    : CDialog(IDD_NEW_UPDATE_FOUND, parent), m_view(std::move(view))
{
}

CPageHost* CDialogNewUpdateFound::Host() const { return dynamic_cast<CPageHost*>(m_parent); }

void CDialogNewUpdateFound::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_OFFER_LOGO, logoStatic);
    DDX_Control(dx, IDC_OFFER_QUESTION, questionStatic);
    DDX_Control(dx, IDC_OFFER_CURRENT_LABEL, currentLabel);
    DDX_Control(dx, IDC_OFFER_NEW_LABEL, newLabel);
    DDX_Control(dx, IDC_OFFER_CURRENT, currentVersion);
    DDX_Control(dx, IDC_OFFER_NEW, newVersion);
    DDX_Control(dx, IDC_OFFER_LANGUAGE, languageCombo);
    DDX_Control(dx, IDC_OFFER_LANGUAGE_LABEL, languageLabel);
    DDX_Control(dx, IDOK, yesButton);
    DDX_Control(dx, IDCANCEL, noButton);
}

BOOL CDialogNewUpdateFound::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_boldFont.CreateBoldOf(GetFontHandle())) {
        for (int id : kBoldControls) {
            SendDlgItemMessageW(m_hWnd, id, WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(m_boldFont)), TRUE);
        }
    }
    if (m_logo.LoadBitmap(IDB_LOGO_ICON)) logoStatic.SetBitmap(m_logo);

    CPageHost* main = Host();
    if (!main) return TRUE;
    const LanguageIndex language = main->language;
    questionStatic.SetWindowText(TextNewFirmwareAvailable(language));
    currentLabel.SetWindowText(TextCurrentVersion(language));
    newLabel.SetWindowText(TextNewVersion(language));
    yesButton.SetWindowText(TextYes(language));
    noButton.SetWindowText(TextNo(language));
    newVersion.SetWindowText(m_view.newVersion);
    currentVersion.SetWindowText(m_view.currentVersion);

    // The voice-prompt choice only when the firmware comes in several languages.
    languageCombo.ResetContent();
    const bool choice = m_view.voicePrompts.size() >= 2;
    if (choice) {
        for (const CString& name : m_view.voicePrompts) languageCombo.AddString(name);
        languageCombo.SetCurSel(m_view.selection);
        languageLabel.SetWindowText(GetLabelText(VoicePromptLabels, language));
    }
    languageCombo.EnableWindow(choice);
    languageCombo.ShowWindow(choice ? SW_SHOW : SW_HIDE);
    languageLabel.ShowWindow(choice ? SW_SHOW : SW_HIDE);
    return TRUE;
}

void CDialogNewUpdateFound::OnOK()
{
    chosenVoicePrompt = languageCombo.GetCount() > 0 ? languageCombo.GetCurSel() : -1;
    EndDialog(IDOK);
}

HBRUSH CDialogNewUpdateFound::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor)
{
    // The voice-prompt choice keeps the system's colours: light text on its
    // white field would not read.
    const bool choice = ctlColor == CTLCOLOR_LISTBOX || ctlColor == CTLCOLOR_EDIT ||
                        (wnd && wnd->m_hWnd == languageCombo.m_hWnd);
    if (choice) return CWnd::OnCtlColor(dc, wnd, ctlColor);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(kOfferTextColour);
    if (const CPageHost* main = Host()) return main->MessageBoxBrush(false);
    static CBrush fallback(MessageBoxColour(false));
    return fallback;
}
