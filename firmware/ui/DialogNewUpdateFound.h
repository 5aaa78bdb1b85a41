// The new-firmware offer: the headset's version and the newer one the server
// offers, the voice-prompt language when the firmware comes in several, and
// YES or NO. YES hands the chosen language back to the update page's list.
#pragma once

#include "framework/Framework.h"

class CPageHost;

class CDialogNewUpdateFound : public CDialog {
public:
    // parent: the main window, through which the dialog reads the language,
    // the target, the headset's version and the update page.
    explicit CDialogNewUpdateFound(CWnd* parent = nullptr);

    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    // YES and Enter: the chosen voice-prompt language goes to the update page.
    void OnOK() override;
    // Light text over the message boxes' dark brush.
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);

    CStatic logoStatic;       // 1025
    CStatic questionStatic;   // 1026
    CStatic currentLabel;     // 1027
    CStatic newLabel;         // 1028
    CStatic currentVersion;   // 1029
    CStatic newVersion;       // 1030
    CComboBox languageCombo;  // 1032
    CStatic languageLabel;    // 1168
    CButton yesButton;        // 1
    CButton noButton;         // 2

    DECLARE_MESSAGE_MAP()

private:
    CPageHost* Host() const;

    CFont m_boldFont;
    CBitmap m_logo;
};
