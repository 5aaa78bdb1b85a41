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

TEST(Time, FormatsLocalTime)
{
    SetCurrentTimeHook(86400 * 365);
    CString s = CTime::GetCurrentTime().Format(L"%Y%m%d%H%M%S");
    EXPECT_EQ(s.GetLength(), 14);
    EXPECT_EQ(s.Left(3), L"197");
    SetCurrentTimeHook(0);
}
