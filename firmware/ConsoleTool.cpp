#include "firmware/ConsoleTool.h"

#include <windows.h>

#include <string>
#include <vector>

#include "framework/Clock.h"

namespace {

constexpr DWORD kPipePiece = 10240;
constexpr DWORD kIdlePauseMs = 10;
constexpr DWORD kEndWaitMs = 5000;

// Closes a handle when it goes.
struct OwnHandle {
    HANDLE handle = nullptr;
    ~OwnHandle()
    {
        if (handle && handle != INVALID_HANDLE_VALUE) ::CloseHandle(handle);
    }
};

}  // namespace

CString RunConsoleTool(UpdatePageState& page, const CString& commandLine, const CString& application,
                       unsigned limitMs, ConsoleToolOutcome* outcome)
{
    ConsoleToolOutcome result;
    page.EmptyToolLog();

    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    OwnHandle readEnd, writeEnd;
    bool piped = ::CreatePipe(&readEnd.handle, &writeEnd.handle, &inheritable, 0) != FALSE;
    // Only the write end goes to the child: a child holding the read end too
    // would keep the pipe open, and the reading below would never end.
    piped = piped && ::SetHandleInformation(readEnd.handle, HANDLE_FLAG_INHERIT, 0) != FALSE;

    PROCESS_INFORMATION process{};
    if (piped) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_HIDE;
        startup.hStdInput = nullptr;
        startup.hStdOutput = writeEnd.handle;
        startup.hStdError = writeEnd.handle;
        std::wstring line = commandLine.str();  // CreateProcessW may write into it
        line.push_back(L'\0');
        result.started = ::CreateProcessW(application.IsEmpty() ? nullptr : application.GetString(), line.data(),
                                          nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                                          &process) != FALSE;
    }
    page.AppendToolLog(result.started ? L"[SUCCESS]\r\n" : L"[FAIL]\r\n");
    ::CloseHandle(writeEnd.handle);
    writeEnd.handle = nullptr;
    if (!result.started) {
        if (outcome) *outcome = result;
        return page.ToolLog();
    }
    OwnHandle processHandle{process.hProcess}, threadHandle{process.hThread};

    // Read until the pipe breaks (the program ended and its end is closed),
    // or until the time limit has passed.
    std::string output;
    std::vector<char> piece(kPipePiece);
    const uint64_t deadline = Clock::Now() + limitMs;
    for (;;) {
        DWORD available = 0;
        if (!::PeekNamedPipe(readEnd.handle, nullptr, 0, nullptr, &available, nullptr)) break;
        if (available) {
            DWORD got = 0;
            if (!::ReadFile(readEnd.handle, piece.data(), kPipePiece, &got, nullptr) || got == 0) break;
            output.append(piece.data(), got);
            continue;
        }
        if (Clock::Now() >= deadline) {
            ::TerminateProcess(process.hProcess, 1);
            ::WaitForSingleObject(process.hProcess, kEndWaitMs);
            result.timedOut = true;
            break;
        }
        if (::WaitForSingleObject(process.hProcess, kIdlePauseMs) == WAIT_OBJECT_0) ::Sleep(kIdlePauseMs);
    }
    // The whole output at once, by its exact length, so that no double-byte
    // character is split between two pieces.
    page.AppendToolLog(CString::FromAnsi(output.data(), static_cast<int>(output.size())));
    if (outcome) *outcome = result;
    return page.ToolLog();
}
