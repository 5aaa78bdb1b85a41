// The new-firmware offer: the headset's version and the newer one the server
// offers, the voice-prompt language when the firmware comes in several, and
// YES or NO. YES leaves the chosen language for whoever opened the offer.
#pragma once

#include <vector>

#include "framework/Framework.h"

class CPageHost;

// What the offer shows, given when it is opened: the two versions and the
// voice-prompt languages with the one selected (a choice only for two or more).
struct FirmwareOfferView {
    CString currentVersion;
    CString newVersion;
    std::vector<CString> voicePrompts;
    int selection = -1;
};

class CDialogNewUpdateFound : public CDialog {
public:
    // parent: the main window, whose language and brush the dialog uses.
    CDialogNewUpdateFound(CWnd* parent, FirmwareOfferView view);

    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    // YES and Enter: the chosen voice-prompt language is kept in chosenVoicePrompt.
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

    // After YES: the index of the voice prompt chosen in view.voicePrompts, -1 for none.
    int chosenVoicePrompt = -1;

    DECLARE_MESSAGE_MAP()

private:
    CPageHost* Host() const;

    FirmwareOfferView m_view;

    CFont m_boldFont;
    CBitmap m_logo;
};
