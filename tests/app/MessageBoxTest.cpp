// The skinned message box: layout for one, two and three buttons, Escape and
// Enter, the close box, the release-notes button, the wait-for-user
// continuation, the action camera's hold with its wait cursor, and the message
// pump.
#include <gtest/gtest.h>

#include <vector>

#include "MainWindowFixture.h"
#include "app/ui/DialogMessageBox.h"
#include "framework/Clock.h"

namespace {

CRect ClientRectOf(const CWnd& control, const CWnd& parent)
{
    CRect r = control.GetWindowRect();
    parent.ScreenToClient(&r);
    return r;
}

TEST(MessageBox, LayoutForOneTwoAndThreeButtons)
{
    struct Case {
        const wchar_t* third;
        const wchar_t* cancel;
        const wchar_t* ok;
        int width;
        int height;
    };
    const Case cases[] = {
        {nullptr, nullptr, L"OK", 520, 150},
        {nullptr, L"NO", L"YES", 400, 130},
        {L"Release Notes", L"NO", L"YES", 530, 230},
        {nullptr, nullptr, nullptr, 400, 110},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        CDialogMessageBox box;
        box.Setup(L"text", 0, c.third, c.cancel, c.ok, CSize(c.width, c.height));
        CRect outer, text, ok, cancel, third, icon;
        bool okShown = false, cancelShown = false, thirdShown = false;
        SetModalDialogHook([&](CDialog& dialog, UINT) {
            auto& b = static_cast<CDialogMessageBox&>(dialog);
            outer = b.GetWindowRect();
            icon = ClientRectOf(b.iconStatic, b);
            text = ClientRectOf(b.textStatic, b);
            ok = ClientRectOf(b.okButton, b);
            cancel = ClientRectOf(b.cancelButton, b);
            third = ClientRectOf(b.thirdButton, b);
            okShown = b.okButton.IsWindowVisible();
            cancelShown = b.cancelButton.IsWindowVisible();
            thirdShown = b.thirdButton.IsWindowVisible();
            b.EndDialog(IDOK);
        });
        box.DoModal();
        SetModalDialogHook(nullptr);

        const bool anyButton = c.ok || c.cancel || c.third;
        EXPECT_EQ(c.width, outer.Width());
        EXPECT_EQ(c.height, outer.Height());
        EXPECT_EQ(CRect(20, 20, 84, 84), icon);
        EXPECT_EQ(CRect(104, 20, c.width - 20, 20 + c.height - (anyButton ? 84 : 40)), text);
        EXPECT_EQ(c.ok != nullptr, okShown);
        EXPECT_EQ(c.cancel != nullptr, cancelShown);
        EXPECT_EQ(c.third != nullptr, thirdShown);
        EXPECT_EQ(CRect(c.width - 135, c.height - 44, c.width - 20, c.height - 20), ok);
        EXPECT_EQ(CRect(c.width - 251, c.height - 44, c.width - 136, c.height - 20), cancel);
        EXPECT_EQ(CRect(c.width - 366, c.height - 44, c.width - 251, c.height - 20), third);
    }
}

// Runs a box whose hook sends the given commands in order; returns the result
// and whether the box was still open after each command but the last.
INT_PTR RunBox(CDialogMessageBox& box, const std::vector<int>& commands, std::vector<bool>* openAfter = nullptr)
{
    SetModalDialogHook([&](CDialog& dialog, UINT) {
        for (size_t i = 0; i < commands.size(); ++i) {
            dialog.SendMessage(WM_COMMAND, MAKEWPARAM(commands[i], BN_CLICKED), 0);
            if (openAfter && i + 1 < commands.size()) openAfter->push_back(dialog.IsModal());
        }
    });
    INT_PTR result = box.DoModal();
    SetModalDialogHook(nullptr);
    return result;
}

TEST(MessageBox, OkOnlyIgnoresEscapeAndTheCloseBox)
{
    CDialogMessageBox box;
    box.Setup(L"text", 1, nullptr, L"OK", CSize(300, 120));
    std::vector<bool> open;
    EXPECT_EQ(IDOK, RunBox(box, {IDCANCEL, IDOK}, &open));
    EXPECT_EQ(std::vector<bool>{true}, open);
}

TEST(MessageBox, YesAndNoAnswerOneAndTwo)
{
    CDialogMessageBox yes;
    yes.Setup(L"?", 0, L"NO", L"YES", CSize(400, 130));
    EXPECT_EQ(IDOK, RunBox(yes, {IDOK}));
    CDialogMessageBox no;
    no.Setup(L"?", 0, L"NO", L"YES", CSize(400, 130));
    EXPECT_EQ(IDCANCEL, RunBox(no, {IDCANCEL}));
}

TEST(MessageBox, CancelOnlyIgnoresEnter)
{
    CDialogMessageBox box;
    box.Setup(L"text", 0, L"CANCEL", nullptr, CSize(300, 120));
    std::vector<bool> open;
    EXPECT_EQ(IDCANCEL, RunBox(box, {IDOK, IDCANCEL}, &open));
    EXPECT_EQ(std::vector<bool>{true}, open);
}

TEST(MessageBox, ReleaseNotesOpenThePageAndKeepTheBoxOpen)
{
    std::vector<CString> opened;
    SetShellOpenHook([&](const CString& verb, const CString& target) -> INT_PTR {
        opened.push_back(verb + L" " + target);
        return 42;
    });
    CDialogMessageBox box;
    box.Setup(L"A newer manager is available.", 0, L"Release Notes", L"NO", L"YES", CSize(530, 230));
    std::vector<bool> open;
    EXPECT_EQ(IDCANCEL, RunBox(box, {IDC_MESSAGE_THIRD, IDCANCEL}, &open));
    SetShellOpenHook(nullptr);
    EXPECT_EQ(std::vector<bool>{true}, open);
    ASSERT_EQ(1u, opened.size());
    EXPECT_EQ(0, opened[0].Find(L"open http"));
    EXPECT_NE(-1, opened[0].Find(
        L"/malvobluetoothmanager/MalvoBluetoothDeviceManagerForWindowsHelp/Contents/Resources/English/release_notes.html"));
}

TEST(MessageBox, ExcludedTargetsOfTheContinuation)
{
    for (int id : {0x3110, 0x4210, 0x5345, 0x5611, 0x5623, 0x5910, 0x6018, 0x6210}) EXPECT_TRUE(IsOkContinuationExcluded(id)) << id;
    for (int id : {0x4D10, 0x3020, 0x5613, 0x5010, 0x6110, 0}) EXPECT_FALSE(IsOkContinuationExcluded(id)) << id;
}

class MessageBoxOnMainTest : public MainWindowTest {
protected:
    // A box whose OK goes on as the update page's backup-failed notice does.
    INT_PTR RunOkBox()
    {
        CDialogMessageBox box(main.get());
        box.Setup(L"Press OK", 1, nullptr, L"OK", CSize(400, 110));
        box.okContinuation = [this](CDialogMessageBox&) { main->firmwareUpdatePage.ContinueAfterBackupNotice(); };
        return RunBox(box, {IDOK});
    }
};

TEST_F(MessageBoxOnMainTest, WaitForUserContinuesTheUpdateOfDfuModels)
{
    Recognize(0x4D10);
    main->GoToFirmwareUpdate(1);
    FinishPageTimers();
    ASSERT_EQ(UpdateStateIdle, main->firmwareUpdatePage.PageStatus.State);
    main->waitForUser = 1;
    EXPECT_EQ(IDOK, RunOkBox());
    EXPECT_EQ(0, main->waitForUser);
    EXPECT_EQ(3, main->firmwareUpdatePage.PageStatus.State);  // the update was started
    EXPECT_EQ(1, main->busy);
}

TEST_F(MessageBoxOnMainTest, WaitForUserOnlyReleasesTheWorkerOfHidModels)
{
    Recognize(0x5910);
    main->GoToFirmwareUpdate(1);
    FinishPageTimers();
    main->waitForUser = 1;
    EXPECT_EQ(IDOK, RunOkBox());
    EXPECT_EQ(0, main->waitForUser);
    EXPECT_EQ(UpdateStateIdle, main->firmwareUpdatePage.PageStatus.State);  // nothing started
    EXPECT_EQ(0, main->busy);
}

TEST_F(MessageBoxOnMainTest, ActionCameraHoldsTheBoxWithOkDisabled)
{
    Clock::SetScale(0.01);  // the ten seconds pass in a tenth
    main->targetProductId = 0x3020;
    main->cameraPending = 1;
    static int busyDuringHold = -1;
    static int okEnabledDuringHold = -1;
    static HWND okButton = nullptr;
    busyDuringHold = okEnabledDuringHold = -1;
    static CUpdaterDlg* owner = nullptr;
    owner = main.get();
    CDialogMessageBox box(main.get());
    box.Setup(L"Camera", 0, nullptr, L"OK", CSize(400, 110));
    box.okContinuation = [this](CDialogMessageBox& b) { HoldForCamera(*main, b); };
    SetModalDialogHook([&](CDialog& dialog, UINT) {
        okButton = ::GetDlgItem(dialog.m_hWnd, IDOK);
        ::SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR id, DWORD) {
            ::KillTimer(nullptr, id);
            busyDuringHold = owner->busy;
            okEnabledDuringHold = ::IsWindowEnabled(okButton) ? 1 : 0;
        });
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    const ULONGLONG start = ::GetTickCount64();
    EXPECT_EQ(IDOK, box.DoModal());
    const ULONGLONG elapsed = ::GetTickCount64() - start;
    SetModalDialogHook(nullptr);
    Clock::SetScale(1.0);
    EXPECT_GE(elapsed, 90u);
    EXPECT_EQ(1, busyDuringHold);
    EXPECT_EQ(0, okEnabledDuringHold);
    EXPECT_EQ(0, main->cameraPending);
    EXPECT_EQ(0, main->busy);
}

}  // namespace

namespace {

TEST_F(MessageBoxOnMainTest, ModelessPromptIsOwnedAndClosedByTheUpdateRecord)
{
    UpdateStatus& status = main->firmwareUpdatePage.PageStatus;
    auto* prompt = new CDialogMessageBox();
    prompt->Setup(TextHoldKey(LanguageEnglish, 0x4D10), 1, nullptr, nullptr, CSize(400, 110));
    ASSERT_TRUE(prompt->CreateModeless(main.get()));
    EXPECT_FALSE(prompt->IsWindowVisible());  // the caller places and shows it
    EXPECT_EQ(CSize(400, 110), prompt->GetWindowRect().Size());
    EXPECT_EQ(main.get(), prompt->MainWindow());
    // Without buttons neither Enter nor Escape closes it.
    prompt->SendMessage(WM_COMMAND, IDOK);
    prompt->SendMessage(WM_COMMAND, IDCANCEL);
    EXPECT_TRUE(prompt->IsWindow());
    status.SetPrompt(prompt);
    const HWND window = prompt->m_hWnd;
    status.Reset(UpdateResetModeUpdatePage);
    EXPECT_EQ(nullptr, status.Prompt());
    EXPECT_FALSE(::IsWindow(window));
    status.CloseMessageBox();  // a second close finds nothing
}

TEST_F(MessageBoxOnMainTest, OwnerDepthReachesTheMainWindowFromAPageControl)
{
    Recognize(0x4D10);
    main->GoToFirmwareUpdate(1);
    FinishPageTimers();
    CDialogMessageBox box(&main->firmwareUpdatePage.fileEdit);
    box.SetupFull(L"Help", 0, nullptr, nullptr, L"OK", CSize(520, 150), 1);
    CPageHost* found = nullptr;
    box.okContinuation = [&](CDialogMessageBox& b) { found = b.MainWindow(); };
    EXPECT_EQ(IDOK, RunBox(box, {IDOK}));
    EXPECT_EQ(main.get(), found);
}

TEST(MessageBoxClose, TheCloseBoxActsAsCancel)
{
    for (bool withCancel : {false, true}) {
        SCOPED_TRACE(withCancel);
        CDialogMessageBox box;
        box.Setup(L"text", 0, withCancel ? L"NO" : nullptr, L"YES", CSize(400, 130));
        bool openAfterClose = false;
        SetModalDialogHook([&](CDialog& dialog, UINT) {
            dialog.SendMessage(WM_CLOSE);
            PumpMessagesUntil([&] { return !dialog.IsModal(); }, 300);
            openAfterClose = dialog.IsModal();
            if (openAfterClose) dialog.PressButton(IDOK);
        });
        const INT_PTR result = box.DoModal();
        SetModalDialogHook(nullptr);
        EXPECT_EQ(!withCancel, openAfterClose);
        EXPECT_EQ(withCancel ? IDCANCEL : IDOK, result);
    }
}

TEST(MessageBoxPump, DispatchesForTheTimeWithoutSpinning)
{
    static int ticks = 0;
    ticks = 0;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) { ++ticks; });
    const ULONGLONG start = ::GetTickCount64();
    PumpMessagesFor(400);
    const ULONGLONG elapsed = ::GetTickCount64() - start;
    // The pump tests its condition after each message and each wait (at most
    // 50 ms): some eighty times in 400 ms of ticks every 10 ms, however busy
    // the machine, where a pump that does not wait tests it a thousand times
    // or more.
    int rounds = 0;
    PumpMessagesUntil([&] { return ++rounds, false; }, 400);
    ::KillTimer(nullptr, timer);
    EXPECT_GE(elapsed, 400u);
    EXPECT_LT(elapsed, 4000u);  // a hang guard: ten times the pump's own 400 ms
    EXPECT_GT(ticks, 0);
    EXPECT_LT(rounds, 300);
}

class MessageBoxHoldTest : public MainWindowTest {
protected:
    void TearDown() override
    {
        Clock::SetScale(1.0);
        MainWindowTest::TearDown();
    }
};

TEST_F(MessageBoxHoldTest, WaitCursorWhileTheMainWindowIsBusy)
{
    CDialogMessageBox box(main.get());
    box.Setup(L"text", 0, nullptr, L"OK", CSize(300, 120));
    LRESULT busyAnswer = 0;
    HCURSOR busyCursor = nullptr;
    SetModalDialogHook([&](CDialog& dialog, UINT) {
        const WPARAM self = reinterpret_cast<WPARAM>(dialog.m_hWnd);
        ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
        main->busy = 1;
        busyAnswer = dialog.SendMessage(WM_SETCURSOR, self, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        busyCursor = ::GetCursor();
        main->busy = 0;
        dialog.PressButton(IDOK);
    });
    box.DoModal();
    EXPECT_TRUE(busyAnswer);
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_WAIT), busyCursor);
}

TEST_F(MessageBoxHoldTest, OkDuringTheCameraHoldIsIgnored)
{
    Clock::SetScale(0.02);  // the ten seconds pass in a fifth of a second
    main->targetProductId = 0x3020;
    main->cameraPending = 1;
    static CDialog* running = nullptr;
    static int openAfterSecondOk = -1;
    openAfterSecondOk = -1;
    CDialogMessageBox box(main.get());
    box.Setup(L"Camera", 0, nullptr, L"OK", CSize(400, 110));
    box.okContinuation = [this](CDialogMessageBox& b) { HoldForCamera(*main, b); };
    SetModalDialogHook([&](CDialog& dialog, UINT) {
        running = &dialog;
        ::SetTimer(nullptr, 0, 30, [](HWND, UINT, UINT_PTR id, DWORD) {
            ::KillTimer(nullptr, id);
            running->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            openAfterSecondOk = running->IsModal() ? 1 : 0;
        });
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    EXPECT_EQ(IDOK, box.DoModal());
    EXPECT_EQ(1, openAfterSecondOk);
    EXPECT_EQ(0, main->busy);
}

TEST_F(MessageBoxHoldTest, NoHoldForOtherTargetsOrWithoutThePendingCamera)
{
    struct Case {
        int target;
        int pending;
    };
    for (const Case& c : {Case{0x4D10, 1}, Case{0x3020, 0}}) {
        SCOPED_TRACE(c.target);
        main->targetProductId = c.target;
        main->cameraPending = c.pending;
        CDialogMessageBox box(main.get());
        box.Setup(L"Done", 0, nullptr, L"OK", CSize(400, 110));
        box.okContinuation = [this](CDialogMessageBox& b) { HoldForCamera(*main, b); };
        SetModalDialogHook([](CDialog& dialog, UINT) { dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); });
        const ULONGLONG start = ::GetTickCount64();
        EXPECT_EQ(IDOK, box.DoModal());
        EXPECT_LT(::GetTickCount64() - start, 3000u);
        EXPECT_EQ(c.pending, main->cameraPending);  // only the camera's hold clears it
        EXPECT_EQ(0, main->busy);
    }
}

}  // namespace
