// RunConsoleTool with the stand-in program: output captured whole, failures,
// a program that hangs past its limit, text in the 8-bit code page.
#include "firmware/ConsoleTool.h"
#include "hid_writers/ToolFixture.h"

namespace {

class ConsoleToolTest : public ToolFixture {
protected:
    CString Run(const std::string& script, unsigned limitMs = 10000)
    {
        InstallTool(L"Tool.exe", script);
        const CString application = folder / L"Tool.exe";
        return RunConsoleTool(page, L"Tool.exe first \"second arg\"", application, limitMs, &outcome);
    }

    ConsoleToolOutcome outcome;
};

TEST_F(ConsoleToolTest, CapturesBothStreamsAfterTheHeader)
{
    const CString log = Run("out hello | err world");
    EXPECT_EQ(std::wstring(log), L"[SUCCESS]\r\nhello\r\nworld\r\n");
    EXPECT_EQ(std::wstring(page.ToolLog()), std::wstring(log));
    EXPECT_TRUE(outcome.started);
    EXPECT_FALSE(outcome.timedOut);
    EXPECT_EQ(ToolRuns(L"Tool.exe"), (std::vector<std::string>{"Tool.exe first \"second arg\""}));
}

TEST_F(ConsoleToolTest, AFailingProgramStillHasItsOutputRead)
{
    const CString log = Run("out upgrade failed | exit 3");
    EXPECT_EQ(std::wstring(log), L"[SUCCESS]\r\nupgrade failed\r\n");
}

TEST_F(ConsoleToolTest, OutputLongerThanOnePieceIsReadWhole)
{
    const CString log = Run("big 30000 | out END");
    EXPECT_EQ(log.GetLength(), 11 + 30000 + 5);
    EXPECT_EQ(std::wstring(log.Right(5)), L"END\r\n");
}

TEST_F(ConsoleToolTest, AProgramThatCannotStartLeavesTheFailHeader)
{
    page.AppendToolLog(L"left from before");
    const CString log = RunConsoleTool(page, L"Missing.exe", folder / L"Missing.exe", 1000, &outcome);
    EXPECT_EQ(std::wstring(log), L"[FAIL]\r\n");
    EXPECT_FALSE(outcome.started);
}

TEST_F(ConsoleToolTest, AProgramThatHangsIsEndedAtItsLimit)
{
    const ULONGLONG start = ::GetTickCount64();
    const CString log = Run("out working | hang", 1500);
    const ULONGLONG elapsed = ::GetTickCount64() - start;
    EXPECT_TRUE(outcome.timedOut);
    EXPECT_EQ(std::wstring(log), L"[SUCCESS]\r\nworking\r\n");
    EXPECT_GE(elapsed, 1400u);
    EXPECT_LT(elapsed, 20000u);
}

TEST_F(ConsoleToolTest, TextInTheCodePageIsConvertedByItsLength)
{
    if (::GetACP() != 1252) GTEST_SKIP() << "needs the Western code page (LANG=en_US.UTF-8)";
    const CString log = Run("bytes 436166E90D0A");
    EXPECT_EQ(std::wstring(log), L"[SUCCESS]\r\nCaf\u00E9\r\n");
}

}  // namespace
