#include "app/ui/AboutDlg.h"

#include "app/ui/DialogMessageBox.h"
#include "app/Texts.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
    ON_BN_CLICKED(IDC_ABOUT_HELP, OnOnlineHelp)
END_MESSAGE_MAP()

CString AboutVersionLine(LanguageIndex language)
{
    CString line;
    line.Format(L"%s %s %d.%d%s", ProductCaption().GetString(), TextVersion(language).GetString(),
                kManagerVersionMajor, kManagerVersionMinor, kManagerVersionSuffix);
    return line;
}

void OpenOnlineHelp() { ShellOpen(L"open", OnlineHelpAddress(), nullptr, SW_SHOWNORMAL); }

CAboutDlg::CAboutDlg(LanguageIndex language, CWnd* parent) : CDialog(IDD_ABOUTBOX, parent), m_language(language) {}

void CAboutDlg::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_ABOUT_LOGO, logoStatic);
    DDX_Control(dx, IDC_ABOUT_VERSION, versionStatic);
    DDX_Control(dx, IDC_ABOUT_RIGHTS, rightsStatic);
    DDX_Control(dx, IDOK, okButton);
    DDX_Control(dx, IDC_ABOUT_HELP, helpButton);
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_boldFont.CreateBoldOf(GetFontHandle())) {
        for (CWnd* control : {static_cast<CWnd*>(&versionStatic), static_cast<CWnd*>(&rightsStatic),
                              static_cast<CWnd*>(&okButton), static_cast<CWnd*>(&helpButton)}) {
            control->SetFont(static_cast<HFONT>(m_boldFont));
        }
    }
    versionStatic.SetWindowText(AboutVersionLine(m_language));
    rightsStatic.SetWindowText(CopyrightText());
    okButton.SetWindowText(TextOk(m_language));
    helpButton.SetWindowText(TextOnlineHelp(m_language));
    if (m_logo.LoadBitmap(IDB_LOGO_ICON)) logoStatic.SetBitmap(m_logo);
    return TRUE;
}

void CAboutDlg::OnOnlineHelp() { OpenOnlineHelp(); }
