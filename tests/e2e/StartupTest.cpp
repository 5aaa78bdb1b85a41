// The real program under Wine: it starts, shows its skinned main window and
// ends cleanly when closed.
#include <gtest/gtest.h>

#include "support/ProgramRunner.h"

TEST(Startup, MainWindowOpensWithTheSkinSizeAndClosesCleanly)
{
    ProgramRunner program(L"startup");
    ASSERT_TRUE(program.Started());
    HWND main = program.WaitForWindow(L"TORVIK Bluetooth Device Manager", 30000);
    ASSERT_NE(main, nullptr) << "no main window within 30 seconds";

    RECT client{};
    ::GetClientRect(main, &client);
    // 416 x 242 dialog units at the skin's 1.75 x 2 pixels a unit.
    EXPECT_EQ(client.right, 728);
    EXPECT_EQ(client.bottom, 484);
    EXPECT_FALSE(::GetWindowLongPtrW(main, GWL_STYLE) & WS_CAPTION & ~WS_BORDER);

    // Escape does not close it; a close does, with exit code 0.
    ::PostMessageW(main, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(program.WaitForExit(500), -1);
    EXPECT_EQ(program.CloseAndWait(main, 30000), 0);
}

TEST(Startup, TheRunnersFolderGoesWithTheRun)
{
    CString folder;
    {
        ProgramRunner program(L"startup");
        ASSERT_TRUE(program.Started());
        folder = program.Folder();
        ASSERT_NE(program.WaitForWindow(L"TORVIK Bluetooth Device Manager", 30000), nullptr);
        EXPECT_NE(::GetFileAttributesW(folder), INVALID_FILE_ATTRIBUTES);
    }
    EXPECT_EQ(::GetFileAttributesW(folder), INVALID_FILE_ATTRIBUTES) << folder.ToUtf8();
}
