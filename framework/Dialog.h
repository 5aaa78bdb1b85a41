// CDialog: dialogs from resource templates, modeless (pages) or modal.
//
// DoModal runs the framework's own modal loop: the owner is disabled and each
// message goes to PreTranslateMessage of its window and each parent up to the
// top-level window (whose CDialog::PreTranslateMessage calls IsDialogMessage)
// before it is dispatched; a child dialog on the way answers Enter and Escape
// with its own OnOK and OnCancel.
#pragma once

#include <functional>

#include "framework/Wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* dlg, BOOL saveAndValidate) : m_pDlgWnd(dlg), m_bSaveAndValidate(saveAndValidate) {}
    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
};

// Binds a control of the template to a member object (once).
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDX_Text(CDataExchange* dx, int id, CString& value);
void DDX_Check(CDataExchange* dx, int id, int& value);

class CDialog : public CWnd {
public:
    CDialog() = default;
    explicit CDialog(UINT templateId, CWnd* parent = nullptr) : m_templateId(templateId), m_parent(parent) {}

    // Modeless: creates the dialog as a child (or owned window) of parent.
    virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
    virtual INT_PTR DoModal();
    void EndDialog(int result);
    bool IsModal() const { return m_inModalLoop; }
    UINT GetTemplateId() const { return m_templateId; }

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange*) {}
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    BOOL PreTranslateMessage(MSG* msg) override;

    // Presses a button of the dialog as a click would (BN_CLICKED to the dialog).
    void PressButton(int id);

    // Skin units: the skin's pictures are drawn at 7 x 16 pixels per dialog-unit
    // pair (1.75 by 2 pixels a unit), whatever font the template names. A dialog
    // that sets m_skinUnits has itself and its controls placed at that scale
    // before OnInitDialog, so it lines up with the pictures.
    static constexpr int kSkinBaseX = 7;
    static constexpr int kSkinBaseY = 16;
    static CRect SkinRect(int x, int y, int w, int h) { return CRect(x * kSkinBaseX / 4, y * kSkinBaseY / 8, (x + w) * kSkinBaseX / 4, (y + h) * kSkinBaseY / 8); }

    DECLARE_MESSAGE_MAP()

protected:
    UINT m_templateId = 0;
    CWnd* m_parent = nullptr;
    INT_PTR m_modalResult = -1;
    bool m_inModalLoop = false;
    bool m_skinUnits = false;

private:
    void ApplySkinUnits();
    BOOL MoveByArrow(MSG* msg);
    static INT_PTR CALLBACK StubDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void HandleOk() { OnOK(); }
    void HandleCancel() { OnCancel(); }
    LRESULT OnModalHook(WPARAM, LPARAM);
};

// Test hook: called for every modal dialog once its modal loop runs, with the
// dialog and its template id. The hook may press buttons or end the dialog.
using ModalDialogHook = std::function<void(CDialog& dialog, UINT templateId)>;
void SetModalDialogHook(ModalDialogHook hook);

// Runs the user-interface thread's messages (with pre-translation) until the
// predicate holds or the time-out passes; waits for messages in between rather
// than spinning. Returns the predicate's last value.
bool PumpMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs);
