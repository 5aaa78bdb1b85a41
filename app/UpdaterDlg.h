// The main window: the skinned frame that hosts the seven pages.
#pragma once

#include "framework/Framework.h"

class CUpdaterDlg : public CDialog {
public:
    explicit CUpdaterDlg(CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    // Saves the configuration; 0 refuses the close (busy, list open).
    int SaveConfiguration();

    int busy = 0;
    int sectionListOpen = 0;

    DECLARE_MESSAGE_MAP()

protected:
    void OnClose();

    CStatic m_background;
    CBitmap m_backgroundBitmap;
    HICON m_icon = nullptr;
};
