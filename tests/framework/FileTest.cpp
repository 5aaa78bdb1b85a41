// Files: whole writes through a temporary name, 8-bit text lines, filters.
#include <gtest/gtest.h>

#include "framework/Framework.h"
#include "support/TempFolder.h"


TEST(Files, WholeFileWriteReplacesAtomically)
{
    TempFolder temp(L"torvik_files");
    const CString& folder = temp.Path();
    CString path = folder + L"\\IMG\\sub\\a.txt";
    ASSERT_TRUE(EnsureFolder(folder + L"\\IMG\\sub"));
    ASSERT_TRUE(WriteWholeFile(path, std::string("first")));
    ASSERT_TRUE(WriteWholeFile(path, std::string("second, longer")));
    std::string back;
    ASSERT_TRUE(ReadWholeFile(path, back));
    EXPECT_EQ(back, "second, longer");
    EXPECT_FALSE(CFile::Exists(path + L".tmp"));
    // A folder that cannot exist: the write fails and leaves nothing.
    EXPECT_FALSE(WriteWholeFile(folder + L"\\missing\\x.txt", std::string("x")));
}

TEST(Files, OnlyPlainNamesThatFitTheProgramsFolder)
{
    const int longest = LongestPlainFileName();
    // The longest name, downloaded into "IMG" through its partial file, meets the system's limit.
    EXPECT_EQ(PartialFilePath(ProgramImgFolder() + CString(L'a', longest)).GetLength(), kMaxPathLength);
    const struct {
        CString name;
        bool plain;
    } cases[] = {
        {L"V40_v1.2.img", true},
        {L"Setup 3.4 (x64) & more=1.EXE", true},
        {L"\u30D5\u30A1\u30FC\u30E0.img", true},
        {CString(L'a', longest), true},
        {CString(L'a', longest + 1), false},
        {CString(L'a', 300), false},
        {L"", false},
        {L".", false},
        {L"..", false},
        {L"..\\evil.img", false},
        {L"IMG\\a.img", false},
        {L"a/b.img", false},
        {L"C:a.img", false},
        {L"a.img:stream", false},
        {L"CON", false},
        {L"con.img", false},
        {L"Nul.tar.gz", false},
        {L"NUL .img", false},
        {L"aux", false},
        {L"PRN.exe", false},
        {L"COM1", false},
        {L"com9.img", false},
        {L"LPT1.bin", false},
        {L"lpt5", false},
        {L"CONIN$", false},
        {L"COM10.img", true},
        {L"CONSOLE.img", true},
        {L"NULL.img", true},
        {L"my.con", true},
        {L"a?b.img", false},
        {L"a#b.img", false},
        {L"100%.img", false},
        {L"a*.img", false},
        {L"a<b>.img", false},
        {L"a|b.img", false},
        {L"\"a\".img", false},
        {L"a\tb.img", false},
        {L"a\nb.img", false},
        {CString(L"a\x01.img"), false},
        {L"a\x7F.img", false},
        {L"a.img.", false},
        {L"a.img ", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsPlainFileName(c.name), c.plain) << c.name.ToUtf8();
}

TEST(Files, LeftoversOfStoppedRunsAreRemoved)
{
    TempFolder temp(L"torvik_leftovers");
    // A program that is still running: its write may be about to be renamed.
    // It is held before its first step and has no console, whose host would
    // start beside it and could outlive it, holding the test's output open.
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION other{};
    wchar_t command[] = L"cmd.exe /c pause";
    ASSERT_TRUE(::CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, CREATE_SUSPENDED | DETACHED_PROCESS,
                                 nullptr, nullptr, &startup, &other));
    const CString running = CString::Formatted(L"a.cfg.%lx-1.tmp", other.dwProcessId);
    const struct {
        CString name;
        bool removed;
    } cases[] = {
        {L"TORVIK.wqlnxconf.fffffff0-1.tmp", true},
        {CString::Formatted(L"TORVIK.wqlnxarch.%lx-2a.tmp", ::GetCurrentProcessId()), true},
        {L"fw.img.part", true},
        {running, false},
        {L"a.1-2.TMP", false},
        {L"a.1-.tmp", false},
        {L".1-2.tmp", false},
        {L"a.x1-2.tmp", false},
        {L"a.123456789-2.tmp", false},
        {L"notes.tmp", false},
        {L".part", false},
        {L"fw.img", false},
        {L"TORVIK.wqlnxconf", false},
    };
    for (const auto& c : cases) ASSERT_TRUE(WriteWholeFile(temp / c.name, std::string("x")));
    CFile open;
    ASSERT_TRUE(open.Open(temp / L"downloading.img.part", CFile::modeCreate | CFile::modeWrite));
    ASSERT_TRUE(EnsureFolder(temp / L"folder.part"));

    EXPECT_EQ(RemoveLeftoverTemporaries(temp.Path()), 3);
    for (const auto& c : cases) EXPECT_EQ(CFile::Exists(temp / c.name), !c.removed) << c.name.ToUtf8();
    EXPECT_TRUE(CFile::Exists(temp / L"downloading.img.part"));
    ::TerminateProcess(other.hProcess, 0);
    ::WaitForSingleObject(other.hProcess, 5000);
    ::CloseHandle(other.hProcess);
    ::CloseHandle(other.hThread);
    // Once that program has ended, its write is a leftover too.
    EXPECT_EQ(RemoveLeftoverTemporaries(temp.Path() + L"\\"), 1);
    EXPECT_FALSE(CFile::Exists(temp / running));
}

TEST(Files, StdioLinesWithMixedBreaks)
{
    TempFolder temp(L"torvik_lines");
    const CString& folder = temp.Path();
    CString path = folder + L"\\lines.txt";
    ASSERT_TRUE(WriteWholeFile(path, std::string("a=1\r\nb=2\nlast")));
    CStdioFile f;
    ASSERT_TRUE(f.Open(path, CFile::modeRead));
    CString line;
    std::vector<CString> lines;
    while (f.ReadString(line)) lines.push_back(line);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], L"a=1");
    EXPECT_EQ(lines[1], L"b=2");
    EXPECT_EQ(lines[2], L"last");
    f.Close();

    CStdioFile w;
    ASSERT_TRUE(w.Open(path, CFile::modeCreate | CFile::modeWrite));
    ASSERT_TRUE(w.WriteString(L"x=1\ny=2\n"));
    w.Close();
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(path, bytes));
    EXPECT_EQ(bytes, "x=1\r\ny=2\r\n");
}

TEST(Files, FilterPairsAreCompleted)
{
    using namespace std::string_literals;
    EXPECT_EQ(CFileDialog::BuildFilter(L"Manager Update Files(*.exe)|"), L"Manager Update Files(*.exe)\0*.exe\0\0"s);
    EXPECT_EQ(CFileDialog::BuildFilter(L"Logs|*.wqlnxlog|All|*.*||"), L"Logs\0*.wqlnxlog\0All\0*.*\0\0"s);
    EXPECT_EQ(CFileDialog::BuildFilter(L"Anything|"), L"Anything\0*.*\0\0"s);
}

TEST(Files, FileDialogHookAnswers)
{
    SetFileDialogHook([](const CFileDialog& d) { return d.m_open ? CString() : CString(L"C:\\x\\y.exe"); });
    CFileDialog save(FALSE, L"exe", L"setup.exe", 0, L"Files(*.exe)|");
    EXPECT_EQ(save.DoModal(), IDOK);
    EXPECT_EQ(save.GetPathName(), L"C:\\x\\y.exe");
    EXPECT_EQ(save.GetFolderPath(), L"C:\\x");
    EXPECT_EQ(save.GetFileName(), L"y.exe");
    CFileDialog open(TRUE);
    EXPECT_EQ(open.DoModal(), IDCANCEL);
    SetFileDialogHook(nullptr);
}

// The system's dialog overruns its buffers on a longer path: a suggested name
// that would not fit the folder the dialog opens in is left out.
TEST(Files, FileDialogSuggestsOnlyANameThatFitsItsFolder)
{
    CString suggested;
    SetFileDialogHook([&suggested](const CFileDialog& d) {
        suggested = d.GetFileName();
        return CString();
    });
    const CString folder = L"C:\\" + CString(L'f', 100) + L"\\";
    const CString fits(L'n', kMaxPathLength - folder.GetLength());
    for (const CString& name : {fits, fits + L"n"}) {
        CFileDialog save(FALSE, nullptr, name, 0, L"Files(*.img)|");
        save.m_initialDir = folder;
        save.DoModal();
        EXPECT_EQ(suggested, name == fits ? fits : CString()) << name.GetLength();
    }
    SetFileDialogHook(nullptr);
}

TEST(Time, FormatsLocalTime)
{
    SetCurrentTimeHook(86400 * 365);
    CString s = CTime::GetCurrentTime().Format(L"%Y%m%d%H%M%S");
    EXPECT_EQ(s.GetLength(), 14);
    EXPECT_EQ(s.Left(3), L"197");
    SetCurrentTimeHook(0);
}
