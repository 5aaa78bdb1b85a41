// CInternetSession and CHttpFile over WinINet: uncached GET of a URL, read in
// blocks, and the HTTP status of the answer.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <memory>

#include "framework/CString.h"

class CHttpFile {
public:
    CHttpFile(HINTERNET handle) : m_handle(handle) {}
    ~CHttpFile() { Close(); }
    CHttpFile(const CHttpFile&) = delete;
    CHttpFile& operator=(const CHttpFile&) = delete;
    // Reads up to count bytes; returns the count (0 at the end), or -1 on a
    // read failure.
    int Read(void* buffer, UINT count);
    // The HTTP status code of the answer (0 when unknown, e.g. not HTTP).
    DWORD GetStatusCode() const;
    // The Content-Length the server announced, -1 when it gave none.
    long long GetContentLength() const;
    void Close();

private:
    HINTERNET m_handle;
};

class CInternetSession {
public:
    explicit CInternetSession(const wchar_t* agent = L"TORVIK Bluetooth Device Manager");
    ~CInternetSession() { Close(); }
    CInternetSession(const CInternetSession&) = delete;
    CInternetSession& operator=(const CInternetSession&) = delete;
    // Opens the URL for an uncached GET (reload, no cache write); null on failure.
    std::unique_ptr<CHttpFile> OpenURL(const wchar_t* url);
    void Close();
    bool IsOpen() const { return m_session != nullptr; }

private:
    HINTERNET m_session = nullptr;
};
