// The real program and the system's real save dialog (the diagnostic log's)
// under names typed into the dialog's name box and confirmed with its Save
// button: paths too long for the system and names of no file are refused in a
// box over the dialog, other forms of a path are saved where the system puts
// them, and the program lives through them all.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>

#include "app/Texts.h"
#include "support/WholeProgram.h"

namespace {

constexpr int kSystemBoxText = 0xFFFF; // the text of the system's message box

class TypedPathDialog : public WholeProgramTest {
protected:
    // The system's box over the dialog whose text begins with the words.
    HWND BoxOver(HWND dialog, const std::wstring& words)
    {
        return program->FindProcessWindow([&](HWND hwnd) {
            const HWND text = ::GetDlgItem(hwnd, kSystemBoxText);
            return ::GetWindow(hwnd, GW_OWNER) == dialog && text && TextOf(text).rfind(words, 0) == 0;
        });
    }
    // Opens the save dialog from the popup menu's Diagnostic Log (refused
    // while the start-up update check runs).
    HWND OpenSaveDialog()
    {
        HWND dialog = nullptr;
        if (program->ChooseMenuItemUntilTaken(main, ID_MENU_DIAGNOSTIC_LOG, kStepMs))
            WaitFor([&] { return (dialog = FileDialog()) != nullptr; }, false);
        return dialog;
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

TEST_F(TypedPathDialog, PathsTooLongAreRefusedAndTheDialogTakesOneThatFits)
{
    Start("usb.1=USB\\VID_3E1F&PID_4D10&REV_0100\n");
    const HWND dialog = OpenSaveDialog();
    ASSERT_NE(dialog, nullptr) << "no save dialog";
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

// Every form of a name a user may type or paste: each is saved where the
// system puts it, through the overwrite question where a file is there, or
// refused with a box while the dialog stays open; the program lives.
TEST_F(TypedPathDialog, EveryFormOfANameIsSavedWhereTheSystemPutsItOrRefused)
{
    Start("usb.1=USB\\VID_3E1F&PID_4D10&REV_0100\n");
    // The dialog shows here, which is the current folder while it is open.
    const CString shown = program->Folder() + L"\\IMG\\a\\b";
    ASSERT_TRUE(EnsureFolder(shown + L"\\c"));
    const CString drive = shown.Left(2);
    const CString kept = shown + L"\\kept.wqlnxlog";
    ASSERT_TRUE(WriteWholeFile(kept, std::string("kept")));
    CString slashed = shown;
    slashed.Replace(L'\\', L'/');

    const std::wstring notValid = TextNameNotValid(LanguageEnglish).str();
    struct Form {
        CString typed;
        CString savedAs;     // where the log goes; empty when refused
        std::wstring words;  // the refusing box's first words (empty: the system's own box)
    };
    const Form forms[] = {
        {drive + L"drive.wqlnxlog", shown + L"\\drive.wqlnxlog"},
        {L"\"" + drive + L"quoted.wqlnxlog\"", shown + L"\\quoted.wqlnxlog"},
        {drive + L"..\\up.wqlnxlog", program->Folder() + L"\\IMG\\a\\up.wqlnxlog"},
        {L"..\\..\\two.wqlnxlog", program->Folder() + L"\\IMG\\two.wqlnxlog"},
        {slashed + L"/c/slashed.wqlnxlog", shown + L"\\c\\slashed.wqlnxlog"},
        {L"c\\", L""},  // into the folder: nothing saved, no box
        {L"..\\in.wqlnxlog", shown + L"\\in.wqlnxlog"},
        {L"\\\\?\\" + shown + L"\\device.wqlnxlog", L"", notValid},
        {L"\\\\.\\x", L"", notValid},
        {L"//./x", L"", notValid},
        {L"   ", L"", notValid},
        {L"c\\. .", L"", notValid},
        {L"\"a.wqlnxlog\" \"b.wqlnxlog\"", L"", notValid},
        {L"%TEMP%\\x.wqlnxlog", L""},
        {drive + L"kept.wqlnxlog", L""},  // the overwrite question, answered No
        {L"\\\\nohost\\share\\x.wqlnxlog", L""},  // last: the dialog moves to the drive's root
    };
    HWND dialog = nullptr;
    for (const Form& form : forms) {
        SCOPED_TRACE(form.typed.ToUtf8());
        if (!dialog) {
            ASSERT_NE(dialog = OpenSaveDialog(), nullptr) << "no save dialog";
            ASSERT_TRUE(TypeIntoFileDialog(dialog, shown + L"\\")) << "the program ended";
        }
        const std::set<std::wstring> before = Contents(program->Folder());
        ASSERT_TRUE(TypeIntoFileDialog(dialog, form.typed)) << "the program ended";
        if (!form.savedAs.IsEmpty()) {
            std::string log;
            EXPECT_TRUE(WaitFor([&] { return ReadWholeFile(form.savedAs, log); }, false)) << "not saved";
            EXPECT_NE(log.find("[USB Information]"), std::string::npos) << log;
            dialog = nullptr;
            continue;
        }
        if (form.typed != L"c\\") {
            const HWND refusal = BoxOver(dialog, form.words);
            ASSERT_NE(refusal, nullptr) << "no box refused the name";
            ASSERT_TRUE(PressKeys(refusal, {VK_ESCAPE}));
        }
        EXPECT_TRUE(::IsWindowVisible(dialog)) << "the save dialog closed";
        EXPECT_EQ(Contents(program->Folder()), before);
    }
    std::string content;
    EXPECT_TRUE(ReadWholeFile(kept, content) && content == "kept") << content;
    ASSERT_TRUE(PressIn(dialog, IDCANCEL));
}

}  // namespace
