// CDialogMessageBox: the program's own skinned message box: a text, a logo or
// warning picture, up to three buttons with the caller's captions, and a size
// in pixels chosen by the caller. Run modally (OK returns 1, Cancel 2) or kept
// open modeless as a prompt while an operation waits, owned by its UpdateStatus.
#pragma once

#include <functional>

#include "firmware/UpdateStatus.h"
#include "framework/Framework.h"

class CPageHost;

class CDialogMessageBox : public CDialog, public UpdatePrompt {
public:
    explicit CDialogMessageBox(CWnd* parent = nullptr);
    ~CDialogMessageBox() override;

    // Icon kind 0 shows the logo, any other value the warning picture. A button
    // is shown only when it is given a caption (null: none).
    void Setup(const wchar_t* text, int iconKind, const wchar_t* cancelCaption, const wchar_t* okCaption, CSize size);
    void Setup(const wchar_t* text, int iconKind, const wchar_t* thirdCaption, const wchar_t* cancelCaption,
               const wchar_t* okCaption, CSize size);
    // ownerDepth 0: the box's parent stands for the main window; non-zero: the
    // parent's parent does. The main window is found from there in any case.
    void SetupFull(const wchar_t* text, int iconKind, const wchar_t* thirdCaption, const wchar_t* cancelCaption,
                   const wchar_t* okCaption, CSize size, int ownerDepth);

    // Modeless use: creates the box on template 184 (hidden until the caller
    // places and shows it).
    BOOL CreateModeless(CWnd* parent);
    // As an update's prompt: destroys the window unless it is already gone.
    void ClosePrompt() override;

    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnBnClickedReleaseNotes();
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);

    // Keeps the box open for the time given, OK disabled and the main window
    // busy (its wait cursor), pumping the messages; OK does nothing meanwhile.
    void HoldOpen(unsigned milliseconds);

    // The main window whose brush and busy flag the box uses (null when none).
    CPageHost* MainWindow() const;

    // What OK does before the box closes, given by whoever opens the box
    // (none: OK only closes it).
    std::function<void(CDialogMessageBox&)> okContinuation;

    CString text;
    int iconKind = 0;
    bool hasOk = false;
    bool hasCancel = false;
    bool hasThird = false;
    CString thirdCaption;
    CString cancelCaption;
    CString okCaption;
    int width = 0;
    int height = 0;
    int ownerDepth = 0;

    CStatic iconStatic;   // 1025
    CStatic textStatic;   // 1026
    CButton okButton;     // 1
    CButton cancelButton; // 2
    CButton thirdButton;  // 3

    DECLARE_MESSAGE_MAP()

private:
    CFont m_boldFont;
    CBitmap m_iconBitmap;
    // True while HoldOpen holds the box (OK must not run again).
    bool m_holding = false;
};

// Client rectangles of the box's parts for a box of width x height pixels.
struct MessageBoxLayout {
    CRect icon;
    CRect text;
    CRect ok;
    CRect cancel;
    CRect third;
};
MessageBoxLayout ComputeMessageBoxLayout(int width, int height, bool anyButton);

// Background of warning boxes and of other boxes: dark, so that the box's
// light text reads well.
COLORREF MessageBoxColour(bool warning);

// Runs the thread's window messages for the given time (scaled by the clock's
// time scale), waiting for messages between rounds.
void PumpMessagesFor(unsigned milliseconds);

// Address of the release-notes page and of the online help.
CString ReleaseNotesAddress();
CString OnlineHelpAddress();
