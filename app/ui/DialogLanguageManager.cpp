#include "app/ui/DialogLanguageManager.h"

#include "res/resource.h"

const LanguageChoiceControls LanguageChoices[LanguageCount] = {
    {1144, 1151, 1152, 203},  // English
    {1145, 1153, 1154, 204},  // French
    {1146, 1155, 1156, 205},  // German
    {1147, 1157, 1158, 206},  // Italian
    {1172, 1173, 1174, 207},  // Japanese
    {1169, 1170, 1171, 208},  // Korean
    {1150, 1163, 1164, 209},  // Spanish
    {1148, 1159, 1160, 291},  // Dutch
    {1149, 1161, 1162, 292},  // Russian
    {1166, 1167, 1168, 293},  // Chinese
    {1175, 1176, 1177, 352},  // Finnish
};

namespace {

// The frame's distance from the row's controls, in pixels: within the space
// between two rows.
constexpr int kRowFrameMargin = 2;

}  // namespace

BEGIN_MESSAGE_MAP(CDialogLanguageManager, CDialog)
    // Radios (1144-1150, 1166, 1169, 1172, 1175), flags and names all select.
    ON_COMMAND_RANGE(1144, 1177, OnSelectLanguage)
    ON_CONTROL_RANGE(BN_SETFOCUS, 1144, 1177, OnRadioFocus)
    ON_CONTROL_RANGE(BN_KILLFOCUS, 1144, 1177, OnRadioFocus)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CDialogLanguageManager::CDialogLanguageManager(CWnd* parent) : CDialog(IDD_LANGUAGE_MANAGER, parent) {}

void CDialogLanguageManager::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_LANGUAGE_GROUP, groupBox);
    DDX_Control(dx, IDC_LANGUAGE_APPLY, applyCheck);
    DDX_Control(dx, IDOK, okButton);
    DDX_Control(dx, IDCANCEL, cancelButton);
    for (int i = 0; i < LanguageCount; ++i) DDX_Control(dx, LanguageChoices[i].name, names[i]);
}

BOOL CDialogLanguageManager::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_boldFont.CreateBoldOf(GetFontHandle())) {
        HFONT bold = m_boldFont;
        for (CWnd* control : {static_cast<CWnd*>(&groupBox), static_cast<CWnd*>(&applyCheck),
                              static_cast<CWnd*>(&okButton), static_cast<CWnd*>(&cancelButton)}) {
            control->SetFont(bold);
        }
        for (CStatic& name : names) name.SetFont(bold);
    }
    for (int i = 0; i < LanguageCount; ++i) {
        if (m_flags[i].LoadBitmap(LanguageChoices[i].flagBitmap))
            SendDlgItemMessageW(m_hWnd, LanguageChoices[i].flag, STM_SETIMAGE, IMAGE_BITMAP,
                                reinterpret_cast<LPARAM>(static_cast<HBITMAP>(m_flags[i])));
    }
    Refresh();
    return TRUE;
}

void CDialogLanguageManager::Refresh()
{
    const LanguageIndex shown = selectedLanguage;
    groupBox.SetWindowText(TextManagerLanguage(shown));
    for (int i = 0; i < LanguageCount; ++i) names[i].SetWindowText(LanguageName(i, shown));
    okButton.SetWindowText(TextOk(shown));
    cancelButton.SetWindowText(TextCancel(shown));
    const int checked = TextColumn(shown);
    for (int i = 0; i < LanguageCount; ++i) CheckDlgButton(LanguageChoices[i].radio, i == checked ? BST_CHECKED : BST_UNCHECKED);
    applyCheck.SetWindowText(TextApplyToVoicePromptLanguage(shown));
    applyCheck.SetCheck(applyToFirmwareLanguage ? BST_CHECKED : BST_UNCHECKED);
}

void CDialogLanguageManager::OnSelectLanguage(UINT controlId)
{
    if (controlId == IDC_LANGUAGE_APPLY) {
        OnBnClickedApplyToFirmware();
        return;
    }
    for (int i = 0; i < LanguageCount; ++i) {
        const LanguageChoiceControls& choice = LanguageChoices[i];
        if (controlId == static_cast<UINT>(choice.radio) || controlId == static_cast<UINT>(choice.flag) ||
            controlId == static_cast<UINT>(choice.name)) {
            selectedLanguage = i;
            Refresh();
            // A click on the flag or the name takes the keyboard to the radio,
            // as a click on the radio itself does, so the arrows go on from there.
            if (controlId != static_cast<UINT>(choice.radio))
                SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(m_hWnd, choice.radio)), TRUE);
            return;
        }
    }
}

void CDialogLanguageManager::OnBnClickedApplyToFirmware()
{
    applyToFirmwareLanguage = applyCheck.GetCheck() == BST_CHECKED;
    Refresh();
}

CRect CDialogLanguageManager::RowFrame(int language)
{
    const LanguageChoiceControls& choice = LanguageChoices[language];
    CRect row;
    ::SetRectEmpty(&row);
    for (int id : {choice.radio, choice.flag, choice.name}) {
        if (CWnd* control = GetDlgItem(id)) {
            CRect r = control->GetWindowRect();
            ScreenToClient(&r);
            ::UnionRect(&row, &row, &r);
        }
    }
    row.InflateRect(kRowFrameMargin, kRowFrameMargin);
    return row;
}

void CDialogLanguageManager::OnRadioFocus(UINT controlId)
{
    for (int i = 0; i < LanguageCount; ++i) {
        if (LanguageChoices[i].radio != static_cast<int>(controlId)) continue;
        const CRect frame = RowFrame(i);
        InvalidateRect(&frame, TRUE);
    }
}

void CDialogLanguageManager::OnPaint()
{
    CPaintDC dc(this);
    const HWND focus = ::GetFocus();
    for (int i = 0; i < LanguageCount; ++i)
        if (focus && focus == ::GetDlgItem(m_hWnd, LanguageChoices[i].radio)) dc.DrawFocusRect(RowFrame(i));
}
