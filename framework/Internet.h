// CInternetSession and CHttpFile: an uncached HTTP/1.1 GET of an http or https
// address, read in blocks, the HTTP status and redirect target of the answer,
// and an abort that another thread may call while a call waits.
//
// The connection is our own: a socket, and for https the system's secure
// channel, the server's certificate checked against the machine's trusted
// roots and the address's host name; through the proxy that the system's
// internet settings name, when they name one. So the answer's framing is read
// here too, and a body ends only where its framing says it ends: after its
// Content-Length, at the terminating chunk of a chunked answer, or, with
// neither, over https where the server ends the secure channel (TLS's
// close_notify: a connection closed without it may have been cut), over http
// where it closes the connection. Every wait (connect, send, receive) is
// bounded by the session's time-out and ends at once when Abort is called, so
// a blocked call never outlives its caller's bound and always closes its
// connection.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/CString.h"

// Shared by a session and the files it opened: Abort's signal.
struct InternetAbort;
// One answer on its connection (Internet.cpp).
class HttpAnswer;

class CHttpFile {
public:
    ~CHttpFile();
    CHttpFile(const CHttpFile&) = delete;
    CHttpFile& operator=(const CHttpFile&) = delete;
    // Waits until body bytes have arrived and reads at most count of them,
    // never waiting for more than the first that come. Returns the count; 0
    // once the whole body has been read; -1 when it cannot be whole (the
    // connection or the secure channel ended before the body's length or its
    // terminating chunk, an https connection closed without close_notify, a
    // chunk's size or framing is broken), on a failed read, at the time-out,
    // or once the session was aborted. No byte past the body's end is ever
    // returned, so bytes a server sends beyond its Content-Length are not
    // part of the body.
    int Read(void* buffer, UINT count);
    // The HTTP status code of the answer.
    DWORD GetStatusCode() const;
    // The Content-Length the server announced, -1 when it gave none (a
    // chunked answer, or one that ends with its connection or, over https,
    // its secure channel).
    long long GetContentLength() const;
    // The Location header of a redirect answer, empty when there is none.
    CString GetLocation() const;
    void Close();

private:
    friend class CInternetSession;
    explicit CHttpFile(std::unique_ptr<HttpAnswer> answer);
    std::unique_ptr<HttpAnswer> m_answer;
};

class CInternetSession {
public:
    // agent, when given, is sent as the User-Agent.
    explicit CInternetSession(const wchar_t* agent = L"TORVIK Bluetooth Device Manager");
    ~CInternetSession();
    CInternetSession(const CInternetSession&) = delete;
    CInternetSession& operator=(const CInternetSession&) = delete;
    // Opens an http or https address for an uncached GET and waits for the
    // answer's headers. Null when it cannot be reached, the secure channel or
    // the certificate fails, the answer does not begin with an HTTP/1.x status
    // line and headers (bytes that are no HTTP answer at all), its framing
    // headers are malformed, or once aborted. Redirects are not followed: a
    // redirect answer is returned as it is (its status and GetLocation tell
    // where it points).
    std::unique_ptr<CHttpFile> OpenURL(const wchar_t* url);
    // The bound of each connect, send and receive of the addresses opened
    // from now on (0 keeps the default of 15 seconds).
    void SetTimeouts(DWORD milliseconds);
    // Callable from any thread at any time: ends every wait of this session's
    // calls at once and makes every later call fail.
    void Abort();

private:
    CString m_agent;
    DWORD m_timeoutMs;
    std::shared_ptr<InternetAbort> m_abort;
};

// An address relative to base made absolute (a redirect's Location); empty
// when the two cannot be combined.
CString CombineUrl(const wchar_t* base, const wchar_t* relative);

// The proxy the system's internet settings name for an address: the access
// type and the proxy and bypass lists in the platform's notation
// ("host:port", or "http=host:port https=host:port"; bypass entries with
// wildcards and "<local>" separated by semicolons or spaces).
struct InternetProxySettings {
    bool useProxy = false;
    CString proxy;
    CString bypass;
};
// Test hook: every later connection takes these settings instead of the
// system's (null restores the system's).
void SetInternetProxyHook(const InternetProxySettings* settings);
