// CInternetSession and CHttpFile over WinINet: uncached GET of a URL, read in
// blocks, the HTTP status and redirect target of the answer, and an abort that
// another thread may call while a call is blocked. Every request goes through
// a connection handle of its own that carries the session's time-outs: Wine
// applies the receive and send time-outs of a connection, not those of a
// session, and ends a blocked call only at its time-out, not when its handle
// is closed.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <functional>
#include <memory>

#include "framework/CString.h"
#include "framework/Sync.h"

// What a session and the files it opened share so that Abort can end the one
// blocking call that runs: the handle that call is in, under a lock.
struct InternetCallGuard {
    CCriticalSection lock;
    bool aborted = false;
    HINTERNET inCall = nullptr;  // the handle a blocking call is running on
    HINTERNET closed = nullptr;  // the handle Abort closed (its owner must not close it again)

    // Marks the start of a blocking call on handle; false once aborted.
    bool Enter(HINTERNET handle);
    // Marks its end; false when Abort ran meanwhile (the call's result is void).
    bool Leave();
    // True when Abort closed this handle, so its owner must forget it.
    bool ClosedByAbort(HINTERNET handle);
};

class CHttpFile {
public:
    // handle is the request; connection, when given, the connection it was
    // opened on, closed after it.
    CHttpFile(HINTERNET handle, std::shared_ptr<InternetCallGuard> guard = nullptr, HINTERNET connection = nullptr)
        : m_handle(handle), m_connection(connection), m_guard(std::move(guard)) {}
    ~CHttpFile() { Close(); }
    CHttpFile(const CHttpFile&) = delete;
    CHttpFile& operator=(const CHttpFile&) = delete;
    // Reads up to count bytes; returns the count (0 at the end), or -1 on a
    // read failure or when the session was aborted.
    int Read(void* buffer, UINT count);
    // Waits until bytes have arrived and reads at most count of them, never
    // waiting for more than the first that come; the count (0 at the end), or
    // -1 as Read.
    int ReadAvailable(void* buffer, UINT count);
    // Sends the request and waits for the answer's headers; false when no
    // answer came or the session was aborted.
    bool Send();
    // The HTTP status code of the answer (0 when unknown, e.g. not HTTP).
    DWORD GetStatusCode() const;
    // True when the answer began with an HTTP/1.x status line. Bytes without
    // one are called HTTP/0.9 by Windows and "HTTP/1.0 200 OK" by Wine; either
    // way they carry no header at all, which no answer of an HTTP/1.x server
    // lacks.
    bool HasStatusLine() const;
    // The Content-Length the server announced, -1 when it gave none.
    long long GetContentLength() const;
    // The Location header of a redirect answer, empty when there is none.
    CString GetLocation() const;
    void Close();

private:
    // Runs call, which blocks on the request, under the guard; FALSE when it
    // cannot start or Abort ran meanwhile (its result is then void).
    BOOL CallGuarded(const std::function<BOOL(HINTERNET)>& call);

    HINTERNET m_handle;
    HINTERNET m_connection;
    std::shared_ptr<InternetCallGuard> m_guard;
};

class CInternetSession {
public:
    explicit CInternetSession(const wchar_t* agent = L"TORVIK Bluetooth Device Manager");
    ~CInternetSession() { Close(); }
    CInternetSession(const CInternetSession&) = delete;
    CInternetSession& operator=(const CInternetSession&) = delete;
    // Opens an http or https URL for an uncached GET (reload, no cache
    // write) and waits for the answer's headers; null on failure or once
    // aborted. Without followRedirects a redirect answer is returned as it is
    // (its status and GetLocation tell where it points).
    std::unique_ptr<CHttpFile> OpenURL(const wchar_t* url, bool followRedirects = true);
    // The connect, send and receive time-outs of the session's calls, for
    // the URLs opened from now on.
    void SetTimeouts(DWORD milliseconds);
    // Callable from any thread at any time: closes the request a blocking
    // OpenURL or Read of this session runs on, which ends that call where the
    // platform ends a call whose handle is closed (else the call ends at its
    // time-out), and makes every later call fail. Each handle is still closed
    // exactly once.
    void Abort();
    void Close();
    bool IsOpen() const { return m_session != nullptr; }

private:
    HINTERNET m_session = nullptr;
    DWORD m_timeoutMs = 0;
    std::shared_ptr<InternetCallGuard> m_guard = std::make_shared<InternetCallGuard>();
};

// An address relative to base made absolute (a redirect's Location); empty
// when the two cannot be combined.
CString CombineUrl(const wchar_t* base, const wchar_t* relative);
