// The common ground of the seven wizard pages: a modeless child dialog inside
// the main window's page area, drawn at the skin's scale, on which Enter and
// Escape do nothing.
#pragma once

#include "framework/Framework.h"

class CPageHost;

class CWizardPage : public CDialog {
public:
    explicit CWizardPage(UINT templateId, CWnd* parent = nullptr);

    // The main window that holds the page; null before the page is created.
    CPageHost* MainDialog() const;

    // Enter and Escape never close a page.
    void OnOK() override {}
    void OnCancel() override {}

    // What the frame asks of the current page.
    // The control that takes the keyboard when the page is entered; null for
    // the main window's NEXT.
    virtual CWnd* EntryControl() { return nullptr; }
    // The language changed: the page shows itself in the new one.
    virtual void OnLanguageChanged() {}
    // ACTION was pressed.
    virtual void OnAction() {}

    // The wait cursor while the main window is busy; else the default handling.
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    // Transparent text over the main window's page brush.
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);

    // True while the main window is busy or its section list is open.
    bool MainRefuses() const;

    DECLARE_MESSAGE_MAP()
};
