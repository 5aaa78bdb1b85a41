// The real program and the system's real save dialog (the diagnostic log's)
// under paths too long for the system, typed into the dialog's name box and
// confirmed with its Save button: the program lives, refuses each path in a
// box over the dialog, writes nothing, and saves once a path that fits is given.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>

#include "app/Texts.h"
#include "support/WholeProgram.h"

namespace {

constexpr int kSystemBoxText = 0xFFFF; // the text of the system's message box

class LongPathDialog : public WholeProgramTest {
protected:
    // The system's box over the dialog whose text begins with the words.
    HWND BoxOver(HWND dialog, const std::wstring& words)
    {
        return program->FindProcessWindow([&](HWND hwnd) {
            const HWND text = ::GetDlgItem(hwnd, kSystemBoxText);
            return ::GetWindow(hwnd, GW_OWNER) == dialog && text && TextOf(text).rfind(words, 0) == 0;
        });
    }
    // A path of the length in folders under the program's that do not exist.
    CString PathOfLength(int length)
    {
        CString path = program->Folder();
        while (path.GetLength() + 60 < length) path += L"\\a folder with a long name";
        path += L"\\support";
        while (path.GetLength() + 9 < length) path += L'x';
        return path + L".wqlnxlog";
    }
    // Every file and folder under the folder.
    static std::set<std::wstring> Contents(const CString& under)
    {
        std::set<std::wstring> names;
        WIN32_FIND_DATAW found{};
        const HANDLE find = ::FindFirstFileW(under + L"\\*", &found);
        if (find == INVALID_HANDLE_VALUE) return names;
        do {
            const CString name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            names.insert((under + L"\\" + name).str());
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) names.merge(Contents(under + L"\\" + name));
        } while (::FindNextFileW(find, &found));
        ::FindClose(find);
        return names;
    }
};

TEST_F(LongPathDialog, PathsTooLongAreRefusedAndTheDialogTakesOneThatFits)
{
    Start("usb.1=USB\\VID_3E1F&PID_4D10&REV_0100\n");
    // The popup menu's Diagnostic Log (refused while the start-up update check runs).
    ASSERT_TRUE(program->ChooseMenuItemUntilTaken(main, ID_MENU_DIAGNOSTIC_LOG, kStepMs));
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (dialog = FileDialog()) != nullptr; }, false)) << "no save dialog";
    const std::set<std::wstring> before = Contents(program->Folder());

    for (const int length : {400, kMaxPathLength + 1}) {
        SCOPED_TRACE(length);
        const CString tooLong = PathOfLength(length);
        ASSERT_EQ(tooLong.GetLength(), length);
        ASSERT_TRUE(TypeIntoFileDialog(dialog, tooLong)) << "the program ended";
        const HWND refusal = BoxOver(dialog, TextPathTooLong(LanguageEnglish).str());
        ASSERT_NE(refusal, nullptr) << "no box refused the path";
        ASSERT_TRUE(PressKeys(refusal, {VK_RETURN}));
        EXPECT_TRUE(::IsWindowVisible(dialog)) << "the save dialog closed";
        EXPECT_EQ(Contents(program->Folder()), before);
    }

    const CString fits = program->Folder() + L"\\support.wqlnxlog";
    ASSERT_TRUE(TypeIntoFileDialog(dialog, fits));
    std::string log;
    EXPECT_TRUE(WaitFor([&] { return ReadWholeFile(fits, log) && log.find("[USB Information]") != std::string::npos; }))
        << log;
}

}  // namespace
