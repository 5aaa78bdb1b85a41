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

    LanguageIndex selectedLanguage = LanguageEnglish;
    bool applyToFirmwareLanguage = true;

    CButton groupBox;       // 1143
    CButton applyCheck;     // 1165
    CButton okButton;       // 1
    CButton cancelButton;   // 2
    CStatic names[LanguageCount];

    DECLARE_MESSAGE_MAP()

private:
    CFont m_boldFont;
    CBitmap m_flags[LanguageCount];
};
