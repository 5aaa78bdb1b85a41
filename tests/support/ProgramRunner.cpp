#include "support/ProgramRunner.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "framework/File.h"
#include "framework/Sync.h"
#include "support/TempFolder.h"

CString WindowsPathOf(const char* unixPath)
{
    CString p = CString::FromUtf8(unixPath);
    if (p.GetLength() > 1 && p[1] == L':') return p;
    p.Replace(L'/', L'\\');
    return L"Z:" + p;
}

namespace {

// Kept for a look at what the program left: its files, "IMG", its logs.
void SayFolderIsKept(const CString& folder)
{
    using UnixFileName = char*(CDECL*)(const wchar_t*);
    const auto unixFileName = reinterpret_cast<UnixFileName>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name"));
    char* unixPath = unixFileName ? unixFileName(folder) : nullptr;
    std::printf("The failed test's program folder is kept: %s%s%s\n", folder.ToUtf8().c_str(), unixPath ? " = " : "",
                unixPath ? unixPath : "");
    std::fflush(stdout);
    if (unixPath) ::HeapFree(::GetProcessHeap(), 0, unixPath);
}

// A crash of the program fails the test at once, whatever the test waits for:
// a thread of the test waits for the program's end, and when its exit code is
// an exception's (0xc0000005 for an access violation) it says so and ends the
// test. Wine has already written the crash's address to the output the
// program shares with the test (the test prefix starts no debugger).
void EndTheTestShouldTheProgramCrash(HANDLE process, DWORD pid, const CString& folder)
{
    HANDLE watched = nullptr;
    if (!::DuplicateHandle(::GetCurrentProcess(), process, ::GetCurrentProcess(), &watched, 0, FALSE,
                           DUPLICATE_SAME_ACCESS))
        return;
    StartDetachedThread(
        [watched, pid, folder] {
            ::WaitForSingleObject(watched, INFINITE);
            DWORD code = 0;
            ::GetExitCodeProcess(watched, &code);
            ::CloseHandle(watched);
            if (code < 0x80000000u) return;
            std::fflush(stdout);
            std::fprintf(stderr, "The program under test (process %lu) crashed: exception %08lx; the test ends here\n",
                         static_cast<unsigned long>(pid), static_cast<unsigned long>(code));
            std::fflush(stderr);
            SayFolderIsKept(folder);
            ::TerminateProcess(::GetCurrentProcess(), 1);
        },
        L"the watch for the program's crash");
}

}  // namespace

ProgramRunner::ProgramRunner(const wchar_t* folderTag, const std::map<CString, CString>& env,
                             const char* programPath)
{
    m_folder = UniqueTempPath(L"torvik_" + CString(folderTag));
    EnsureFolder(m_folder);
    const CString source = WindowsPathOf(programPath ? programPath : TORVIK_PROGRAM_PATH);
    CString exe = m_folder + L"\\" + source.Mid(source.ReverseFind(L'\\') + 1);
    if (!::CopyFileW(source, exe, FALSE)) {
        std::printf("The program could not be copied to %s: error %lu\n", exe.ToUtf8().c_str(), ::GetLastError());
        return;
    }

    // Environment block: ours plus the extra variables.
    std::wstring block;
    wchar_t* current = ::GetEnvironmentStringsW();
    for (const wchar_t* p = current; *p; p += wcslen(p) + 1) {
        CString entry(p);
        int eq = entry.Find(L'=', 1);
        if (eq > 0 && env.count(entry.Left(eq))) continue;
        block += p;
        block += L'\0';
    }
    ::FreeEnvironmentStringsW(current);
    for (const auto& [key, value] : env) {
        block += (key + L"=" + value).str();
        block += L'\0';
    }
    block += L'\0';

    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    CString cmd = L"\"" + exe + L"\"";
    ::QueryPerformanceCounter(&m_startCounter);
    if (::CreateProcessW(exe, cmd.GetBuffer(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT, block.data(),
                         m_folder, &si, &pi)) {
        ::CloseHandle(pi.hThread);
        m_process = pi.hProcess;
        m_pid = pi.dwProcessId;
        EndTheTestShouldTheProgramCrash(m_process, m_pid, m_folder);
    } else {
        std::printf("The program could not be started from %s: error %lu\n", exe.ToUtf8().c_str(), ::GetLastError());
    }
}

ProgramRunner::~ProgramRunner()
{
    if (m_process) {
        if (::WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT) ::TerminateProcess(m_process, 9);
        ::WaitForSingleObject(m_process, 5000);
        ::CloseHandle(m_process);
    }
    RemoveFolder();
}

void ProgramRunner::RemoveFolder()
{
    if (m_folder.IsEmpty()) return;
    if (testing::Test::HasFailure()) {
        SayFolderIsKept(m_folder);
        return;
    }
    // The files of a process that has just ended may stay locked a moment.
    const std::filesystem::path folder(m_folder.str());
    for (int attempt = 0; attempt < 20; ++attempt) {
        std::error_code error;
        std::filesystem::remove_all(folder, error);
        if (!std::filesystem::exists(folder, error)) return;
        ::Sleep(100);
    }
    std::printf("The program folder %s could not be removed\n", m_folder.ToUtf8().c_str());
}

namespace {
struct FindData {
    DWORD pid;
    const std::function<bool(HWND)>* match;
    HWND found;
};

BOOL CALLBACK FindTopLevel(HWND hwnd, LPARAM param)
{
    auto* data = reinterpret_cast<FindData*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid != data->pid || !::IsWindowVisible(hwnd) || !(*data->match)(hwnd)) return TRUE;
    data->found = hwnd;
    return FALSE;
}
}  // namespace

HWND ProgramRunner::FindProcessWindow(const std::function<bool(HWND)>& match) const
{
    FindData data{m_pid, &match, nullptr};
    ::EnumWindows(&FindTopLevel, reinterpret_cast<LPARAM>(&data));
    return data.found;
}

HWND ProgramRunner::WaitForWindow(const wchar_t* caption, DWORD timeoutMs)
{
    auto hasCaption = [caption](HWND hwnd) {
        wchar_t text[256] = {};
        ::GetWindowTextW(hwnd, text, 256);
        return wcscmp(text, caption) == 0;
    };
    ULONGLONG end = ::GetTickCount64() + timeoutMs;
    while (::GetTickCount64() < end) {
        if (HWND found = FindProcessWindow(hasCaption)) return found;
        if (::WaitForSingleObject(m_process, 100) == WAIT_OBJECT_0) {
            std::printf("The program ended before its window \"%s\" showed, with exit code 0x%08x\n",
                        CString(caption).ToUtf8().c_str(), static_cast<unsigned>(WaitForExit(0)));
            return nullptr;
        }
    }
    return nullptr;
}

int ProgramRunner::WaitForExit(DWORD timeoutMs)
{
    if (!m_process || ::WaitForSingleObject(m_process, timeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    ::GetExitCodeProcess(m_process, &code);
    return static_cast<int>(code);
}

int ProgramRunner::CloseAndWait(HWND window, DWORD timeoutMs)
{
    ULONGLONG end = ::GetTickCount64() + timeoutMs;
    int code = -1;
    while (code == -1 && ::GetTickCount64() < end) {
        ::PostMessageW(window, WM_CLOSE, 0, 0);
        code = WaitForExit(250);
    }
    return code;
}

bool CanPress(HWND control)
{
    if (!control || !::IsWindowVisible(control)) return false;
    for (HWND window = control; window; window = ::GetAncestor(window, GA_PARENT)) {
        if (window == ::GetDesktopWindow()) break;
        if (!::IsWindowEnabled(window)) return false;
    }
    return true;
}

bool ProgramRunner::ChooseMenuItemUntilTaken(HWND window, UINT item, DWORD timeoutMs)
{
    const HWND close = ::GetDlgItem(window, IDOK);
    ULONGLONG end = ::GetTickCount64() + timeoutMs;
    while (::GetTickCount64() < end) {
        DWORD_PTR result = 0;
        if (CanPress(close) && !::SendMessageTimeoutW(window, WM_COMMAND, item, 0, SMTO_NORMAL, 2000, &result))
            return true;
        ::Sleep(250);
    }
    return false;
}
