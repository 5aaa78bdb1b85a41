// The real program and the system's real file dialogs (the diagnostic log's
// Save As above all) under names typed into the dialog's name box and
// confirmed with its Save or Open button: paths too long for the system, names
// of no file and folders that are not there are refused in a box over the
// dialog, other forms of a path are saved where the system puts them, and the
// program lives through them all.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <set>
#include <string>
#include <system_error>

#include "app/Texts.h"
#include "fixtures/server/TestServer.h"
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
    // Types each name into the dialog and confirms it: a box over the dialog
    // that begins with the words refuses it, and the dialog stays open
    // without a file made.
    void ExpectRefused(HWND dialog, std::initializer_list<CString> names, const std::wstring& words)
    {
        for (const CString& name : names) {
            SCOPED_TRACE(name.ToUtf8());
            const std::set<std::wstring> before = Contents(program->Folder());
            ASSERT_TRUE(TypeIntoFileDialog(dialog, name)) << "the program ended";
            const HWND refusal = BoxOver(dialog, words);
            ASSERT_NE(refusal, nullptr) << "no box refused the name";
            ASSERT_TRUE(PressKeys(refusal, {VK_ESCAPE}));
            EXPECT_TRUE(::IsWindowVisible(dialog)) << "the dialog closed";
            EXPECT_EQ(Contents(program->Folder()), before);
        }
    }
    // Cancels the file dialog and waits until it has gone.
    void CancelFileDialog(HWND dialog)
    {
        ASSERT_TRUE(PressIn(dialog, IDCANCEL));
        ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }, false)) << "the dialog stays";
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
    const std::wstring notFound = TextFolderNotFound(LanguageEnglish).str();
    // A drive that is not there.
    wchar_t letter = L'Q';
    while (letter < L'Z' && (::GetLogicalDrives() >> (letter - L'A') & 1)) ++letter;
    const CString missing = CString::Formatted(L"%c", letter);
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
        {L"%TEMP%\\x.wqlnxlog", L"", notFound},
        {missing + L":\\x.wqlnxlog", L"", notFound},
        {missing + L":x.wqlnxlog", L"", notFound},
        {L"\\\\nohost\\share\\x.wqlnxlog", L"", notFound},
        {drive + L"kept.wqlnxlog", L""},  // the overwrite question, answered No
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

// A device's name (CON, NUL, COM1, LPT1 and the like, whatever follows it) is
// refused in every file dialog: the installer's Save box and Download... (the
// local server offers both), the diagnostic log's Save As and Browse.... A
// name that ends in points and spaces is taken as the system reads it,
// without them.
TEST_F(TypedPathDialog, DeviceNamesAreRefusedInEveryFileDialog)
{
    REQUIRE_TEST_SERVER();
    // What the server offers goes with the test.
    struct Offers {
        ~Offers()
        {
            std::error_code ignored;
            std::filesystem::remove_all(std::filesystem::path(folder.str()), ignored);
        }
        CString folder;
    } offers{testserver::StateFolder() + L"\\root\\malvobluetoothmanager"};
    ASSERT_TRUE(testserver::ServeFile(L"malvobluetoothmanager/x64/Software",
                                      "TORVIKBluetoothDeviceManagerForWindows:v9.0:TORVIKSetup_9.0.exe\n"));
    ASSERT_TRUE(testserver::ServeFile(L"malvobluetoothmanager/Firmware",
                                      "TorvikOstrel:v1.3:English:TorvikOstrel_v1.3_English.img\n"));
    Start("usb.1=USB\\VID_3E1F&PID_5910&REV_0100\n"
          "hid.o.pid=0x5910\nhid.o.name=Torvik Ostrel\nhid.o.version=1.2.0.0.17\nhid.o.item.4=0\n",
          testserver::HttpBase());
    ASSERT_TRUE(EnsureFolder(program->Folder() + L"\\sub"));
    const std::wstring notValid = TextNameNotValid(LanguageEnglish).str();
    const auto devices = {CString(L"CON"), CString(L"NUL.img"), CString(L"Lpt1. .log"),
                          program->Folder() + L"\\sub\\com1.wqlnxlog"};
    HWND dialog = nullptr;

    // The installer's, after Yes to the newer manager.
    ASSERT_TRUE(WaitFor([&] { return (dialog = FileDialog()) != nullptr; })) << "no installer's save dialog";
    ASSERT_NO_FATAL_FAILURE(ExpectRefused(dialog, devices, notValid));
    ASSERT_NO_FATAL_FAILURE(CancelFileDialog(dialog));
    ASSERT_NE(dialog = OpenSaveDialog(), nullptr) << "no diagnostic log's save dialog";
    ASSERT_NO_FATAL_FAILURE(ExpectRefused(dialog, devices, notValid));
    ASSERT_NO_FATAL_FAILURE(CancelFileDialog(dialog));

    // Download..., after Yes to the newer firmware.
    ASSERT_TRUE(PressUntilPage(IDC_NEXT, IDC_RECOGNITION_WARNING)) << "no recognition page";
    ASSERT_TRUE(Press(IDC_NEXT));
    ASSERT_TRUE(WaitFor([&] { return (dialog = FileDialog()) != nullptr; })) << "no firmware's save dialog";
    ASSERT_NO_FATAL_FAILURE(ExpectRefused(dialog, devices, notValid));
    ASSERT_NO_FATAL_FAILURE(CancelFileDialog(dialog));

    // The page draws itself again once the dialog has closed.
    const HWND page = WaitForPage(IDC_FW_FILE);
    ASSERT_NE(page, nullptr) << "no update page";
    ASSERT_TRUE(PressIn(page, IDC_FW_BROWSE));
    ASSERT_TRUE(WaitFor([&] { return (dialog = FileDialog()) != nullptr; }, false)) << "no open dialog";
    ASSERT_NO_FATAL_FAILURE(ExpectRefused(dialog, devices, notValid));
    ASSERT_TRUE(TypeIntoFileDialog(dialog, program->Folder() + L"\\a.img.. "));
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }, false)) << "the open dialog stays";
    EXPECT_EQ(TextOf(::GetDlgItem(page, IDC_FW_FILE)), (program->Folder() + L"\\a.img").str());
}

}  // namespace
