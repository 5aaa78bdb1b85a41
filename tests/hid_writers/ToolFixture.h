// Stand-in flashing programs in the writer's program folder.
#pragma once

#include "hid_writers/WriterFixture.h"
#include "support/ProgramRunner.h"

class ToolFixture : public WriterFixture {
protected:
    // Copies the stand-in into the folder as name ("HidDfuCmd.exe") with the
    // script it plays, one line per run.
    void InstallTool(const wchar_t* name, const std::string& script)
    {
        const CString target = folder / name;
        ASSERT_TRUE(::CopyFileW(WindowsPathOf(TORVIK_STANDIN_TOOL), target, FALSE));
        ASSERT_TRUE(WriteWholeFile(Beside(name, L".script"), script));
    }

    // The command lines the stand-in was started with.
    std::vector<std::string> ToolRuns(const wchar_t* name) const
    {
        std::string text;
        ReadWholeFile(Beside(name, L".log"), text);
        std::vector<std::string> lines;
        for (size_t start = 0; start < text.size();) {
            size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            lines.push_back(text.substr(start, end - start));
            start = end + 1;
        }
        return lines;
    }

    CString Beside(const wchar_t* name, const wchar_t* extension) const
    {
        CString path = folder / name;
        return path.Left(path.ReverseFind(L'.')) + extension;
    }

    std::string FolderUtf8() const { return folder.Path().ToUtf8(); }
};
