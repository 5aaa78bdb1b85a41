// CAboutDlg: the product caption, the manager's version and the rights line.
#pragma once

#include "app/Texts.h"
#include "framework/Framework.h"

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(LanguageIndex language = 0, CWnd* parent = nullptr);

    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOnlineHelp();

    CStatic logoStatic;     // 1025
    CStatic versionStatic;  // 1018
    CStatic rightsStatic;   // 1019
    CButton okButton;       // 1
    CButton helpButton;     // 57670

    DECLARE_MESSAGE_MAP()

private:
    LanguageIndex m_language;
    CFont m_boldFont;
    CBitmap m_logo;
};

// "TORVIK Bluetooth Device Manager Version 1.0.1" in a language.
CString AboutVersionLine(LanguageIndex language);
// Opens the online help page in the browser.
void OpenOnlineHelp();
