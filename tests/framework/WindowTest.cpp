// Message maps, reflection, the modal loop and the modal-dialog hook.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/Diagnostics.h"
#include "framework/Framework.h"

namespace {

std::vector<std::string> g_events;

// An owner-drawn button that draws itself through reflection.
class ReflectingButton : public CButton {
public:
    int drawn = 0;
    void DrawItem(LPDRAWITEMSTRUCT) override { ++drawn; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(ReflectingButton, CButton)
    ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

// An edit that records its pre-translation.
class RecordingEdit : public CEdit {
public:
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN) g_events.push_back("edit");
        return FALSE;
    }
};

class TestDialog : public CDialog {
public:
    TestDialog() : CDialog(9001) {}
    RecordingEdit edit;
    ReflectingButton button;
    int timerFired = 0;
    int clicks = 0;
    LRESULT custom = 0;
    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Control(dx, 100, edit);
        DDX_Control(dx, 101, button);
    }
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN) g_events.push_back("dialog");
        return CDialog::PreTranslateMessage(msg);
    }
    void OnOK() override
    {
        g_events.push_back("ok");
        CDialog::OnOK();
    }
    void OnTimer(UINT_PTR id) { if (id == 7) ++timerFired; }
    void OnClickedButton() { ++clicks; }
    LRESULT OnCustom(WPARAM w, LPARAM l) { custom = static_cast<LRESULT>(w + l); return 99; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(TestDialog, CDialog)
    ON_WM_TIMER()
    ON_BN_CLICKED(101, OnClickedButton)
    ON_MESSAGE(WM_APP + 5, OnCustom)
END_MESSAGE_MAP()

class ChildPage : public CDialog {
public:
    ChildPage() : CDialog(9002) {}
};

struct HookReset {
    ~HookReset() { SetModalDialogHook(nullptr); }
};

}  // namespace

TEST(MessageMap, DispatchesByMessageAndControl)
{
    TestDialog dlg;
    ASSERT_TRUE(dlg.Create(9001, nullptr));
    EXPECT_EQ(CWnd::FromHandlePermanent(dlg.m_hWnd), &dlg);
    EXPECT_EQ(dynamic_cast<RecordingEdit*>(CWnd::FromHandle(::GetDlgItem(dlg.m_hWnd, 100))), &dlg.edit);

    dlg.SendMessage(WM_TIMER, 7);
    dlg.SendMessage(WM_TIMER, 8);
    EXPECT_EQ(dlg.timerFired, 1);
    dlg.PressButton(101);
    EXPECT_EQ(dlg.clicks, 1);
    EXPECT_EQ(dlg.SendMessage(WM_APP + 5, 2, 3), 99);
    EXPECT_EQ(dlg.custom, 5);
    // An unhandled message goes to the default procedure.
    dlg.SetWindowText(L"changed");
    EXPECT_EQ(dlg.GetWindowText(), L"changed");
    dlg.DestroyWindow();
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST(MessageMap, DrawItemIsReflectedToTheChildObject)
{
    TestDialog dlg;
    ASSERT_TRUE(dlg.Create(9001, nullptr));
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = 101;
    dis.hwndItem = dlg.button.m_hWnd;
    dis.hDC = ::GetDC(dlg.button.m_hWnd);
    dlg.SendMessage(WM_DRAWITEM, 101, reinterpret_cast<LPARAM>(&dis));
    ::ReleaseDC(dlg.button.m_hWnd, dis.hDC);
    EXPECT_EQ(dlg.button.drawn, 1);
    dlg.DestroyWindow();
}

TEST(Dialog, ModelessChildInsideParent)
{
    TestDialog parent;
    ASSERT_TRUE(parent.Create(9001, nullptr));
    CWnd* area = parent.GetDlgItem(102);
    ChildPage page;
    ASSERT_TRUE(page.Create(9002, area));
    EXPECT_TRUE(page.GetStyle() & WS_CHILD);
    EXPECT_EQ(::GetParent(page.m_hWnd), area->m_hWnd);
    EXPECT_TRUE(::IsChild(parent.m_hWnd, page.m_hWnd));
    // The inner button's parent chain reaches the parent dialog.
    HWND inner = ::GetDlgItem(page.m_hWnd, 200);
    EXPECT_EQ(::GetAncestor(inner, GA_ROOT), parent.m_hWnd);
    page.DestroyWindow();
    parent.DestroyWindow();
}

TEST(Dialog, ModalLoopPreTranslatesAlongTheParentChainBeforeDialogKeys)
{
    g_events.clear();
    HookReset reset;
    SetModalDialogHook([](CDialog& dlg, UINT id) {
        ASSERT_EQ(id, 9001u);
        HWND edit = ::GetDlgItem(dlg.m_hWnd, 100);
        ::SetFocus(edit);
        // Enter in the edit: pre-translated by the edit, then the dialog,
        // whose IsDialogMessage turns it into IDOK.
        ::PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    });
    TestDialog dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    ASSERT_GE(g_events.size(), 3u);
    EXPECT_EQ(g_events[0], "edit");
    EXPECT_EQ(g_events[1], "dialog");
    EXPECT_EQ(g_events[2], "ok");
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST(Dialog, ModalHookPressesButtons)
{
    HookReset reset;
    UINT seen = 0;
    SetModalDialogHook([&](CDialog& dlg, UINT id) { seen = id; dlg.PressButton(IDCANCEL); });
    TestDialog dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(seen, 9001u);
    SetModalDialogHook([](CDialog& dlg, UINT) { dlg.PressButton(IDOK); });
    TestDialog again;
    EXPECT_EQ(again.DoModal(), IDOK);
}

TEST(Dialog, PumpMessagesUntilRunsTimersAndStops)
{
    TestDialog dlg;
    ASSERT_TRUE(dlg.Create(9001, nullptr));
    dlg.SetTimer(7, 10);
    EXPECT_TRUE(PumpMessagesUntil([&] { return dlg.timerFired >= 2; }, 5000));
    dlg.KillTimer(7);
    DWORD start = ::GetTickCount();
    EXPECT_FALSE(PumpMessagesUntil([] { return false; }, 100));
    EXPECT_LT(::GetTickCount() - start, 2000u);
    dlg.DestroyWindow();
}

// An exception stopped at a boundary of the system's callbacks or of a worker
// thread is reported to the debugger output, and the program goes on.
TEST(Boundaries, StoppedExceptionsAreReportedToTheDebuggerOutput)
{
    std::vector<std::wstring> reported;
    SetDebugOutputHook([&](const wchar_t* text) { reported.emplace_back(text); });

    class Throwing : public CDialog {
    public:
        Throwing() : CDialog(9001) {}
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_APP + 9) throw std::runtime_error("grid row out of range");
            return CDialog::WindowProc(message, wParam, lParam);
        }
    } window;
    ASSERT_TRUE(window.Create(9001, nullptr));
    EXPECT_EQ(0, window.SendMessage(WM_APP + 9));
    window.DestroyWindow();

    HANDLE worker = StartThread([] { throw 42; });
    ASSERT_NE(nullptr, worker);
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(worker, 5000));
    ::CloseHandle(worker);
    SetDebugOutputHook(nullptr);

    ASSERT_EQ(2u, reported.size());
    EXPECT_NE(std::wstring::npos, reported[0].find(L"window procedure: grid row out of range"));
    EXPECT_NE(std::wstring::npos, reported[1].find(L"worker thread: not a standard exception"));
}
