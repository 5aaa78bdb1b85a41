// CHyperEdit: an edit control that underlines the words beginning "www." in
// its visible text, shows a hand cursor over them and opens a clicked one in
// the browser. It never changes its text.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/Controls.h"
#include "framework/Gdi.h"

class CHyperEdit : public CEdit {
public:
    struct Link {
        int start;
        int length;
    };
    static constexpr UINT_PTR kTimerId = 0x6969;

    CHyperEdit() = default;
    ~CHyperEdit() override;

    // Whether a word (a run of characters between separators) is a link.
    virtual BOOL IsLink(const CString& word) const;
    static bool IsSeparator(wchar_t ch) { return ch == L' ' || ch == L'\r' || ch == L'\n' || ch == L'\t'; }

    // Collects the links among the characters first to last; the end of the
    // text ends a word, and nothing past it is read.
    void FindLinks(int first, int last);
    // Finds the links of the visible text and draws them over the edit's painting
    // (into dc: a device context of the control's client area).
    void DrawLinks();
    void DrawLinks(CDC& dc);
    const std::vector<Link>& GetLinks() const { return m_links; }
    // The link under a client point, or "" (also below the last text line).
    CString LinkAtPoint(CPoint point) const;
    HCURSOR GetHandCursor() const { return m_handCursor; }
    COLORREF GetLinkColour() const { return m_linkColour; }
    COLORREF GetHoverColour() const { return m_hoverColour; }

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnChange();
    void OnHScroll(UINT code, UINT position, CWnd* scrollBar);
    void OnVScroll(UINT code, UINT position, CWnd* scrollBar);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnTimer(UINT_PTR id);
    void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    void LoadHandCursor();
    bool IsBelowLastLine(int y) const;
    // The link whose range holds the character at the point, or "".
    CString LinkAtChar(int index) const;

    UINT_PTR m_timer = 0;
    int m_lineHeight = 0;
    CFont m_linkFont;
    CString m_pressedLink;
    HCURSOR m_handCursor = nullptr;
    bool m_ownsHandCursor = false;
    std::vector<Link> m_links;
    CString m_linksText;  // the text the links were found in
    COLORREF m_linkColour = RGB(92, 92, 154);
    COLORREF m_hoverColour = RGB(168, 168, 230);
};

// Opens an address in the browser: through the shell, or, when that fails,
// with the open command of the ".htm" handler from the registry. Returns the
// result of the last call made.
INT_PTR OpenUrl(const wchar_t* address, int show);
// Reads the default value of a registry key; ERROR_SUCCESS (0) on success.
LONG ReadRegistryDefaultValue(HKEY root, const wchar_t* subKey, CString& value);
// The command line that opens address with a handler's open command: the
// command up to its "%1" (before the opening quote of a quoted "%1"), a space
// and the address.
CString BuildOpenCommand(const CString& command, const CString& address);

// Test hook: replaces WinExec; receives the 8-bit command line and the show
// command, returns the result to report.
using ProgramRunHook = std::function<UINT(const std::string& commandLine, int show)>;
void SetProgramRunHook(ProgramRunHook hook);
