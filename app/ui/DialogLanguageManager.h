// CDialogLanguageManager: picks the user-interface language among the eleven.
// Its own captions follow the language being chosen, so the user reads the
// dialog in the language about to be selected.
#pragma once

#include "app/Texts.h"
#include "framework/Framework.h"

// The radio, flag and name controls of one language.
struct LanguageChoiceControls {
    int radio;
    int flag;
    int name;
    UINT flagBitmap;
};
// Indexed by LanguageIndex.
extern const LanguageChoiceControls LanguageChoices[LanguageCount];

class CDialogLanguageManager : public CDialog {
public:
    explicit CDialogLanguageManager(CWnd* parent = nullptr);

    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    // Every caption in the selected language, and the checks.
    void Refresh();
    // A click on a language's radio, flag or name.
    void OnSelectLanguage(UINT controlId);
    void OnBnClickedApplyToFirmware();
    // A language's radio took or lost the keyboard: its row is drawn again.
    void OnRadioFocus(UINT controlId);
    // The dotted frame round the row of the language whose radio has the
    // keyboard (the radios have no caption of their own to frame).
    void OnPaint();

    LanguageIndex selectedLanguage = LanguageEnglish;
    bool applyToFirmwareLanguage = true;

    CButton groupBox;       // 1143
    CButton applyCheck;     // 1165
    CButton okButton;       // 1
    CButton cancelButton;   // 2
    CStatic names[LanguageCount];

    DECLARE_MESSAGE_MAP()

private:
    // The row of a language (its radio, flag and name) with a margin for the frame.
    CRect RowFrame(int language);

    CFont m_boldFont;
    CBitmap m_flags[LanguageCount];
};
