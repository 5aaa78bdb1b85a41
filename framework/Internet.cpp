#include "framework/Internet.h"

#include <cwchar>

int CHttpFile::Read(void* buffer, UINT count)
{
    DWORD got = 0;
    if (!m_handle || !::InternetReadFile(m_handle, buffer, count, &got)) return -1;
    return static_cast<int>(got);
}

DWORD CHttpFile::GetStatusCode() const
{
    DWORD status = 0, size = sizeof status;
    if (!m_handle || !::HttpQueryInfoW(m_handle, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr)) return 0;
    return status;
}

long long CHttpFile::GetContentLength() const
{
    wchar_t text[32] = {};
    DWORD size = sizeof text;
    if (!m_handle || !::HttpQueryInfoW(m_handle, HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr)) return -1;
    wchar_t* end = nullptr;
    long long length = std::wcstoll(text, &end, 10);
    return (end == text || length < 0) ? -1 : length;
}

void CHttpFile::Close()
{
    if (m_handle) ::InternetCloseHandle(m_handle);
    m_handle = nullptr;
}

CInternetSession::CInternetSession(const wchar_t* agent)
{
    m_session = ::InternetOpenW(agent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (m_session) {
        DWORD timeout = 15000;  // no connection, send or receive waits for ever
        ::InternetSetOptionW(m_session, INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof timeout);
        ::InternetSetOptionW(m_session, INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof timeout);
        ::InternetSetOptionW(m_session, INTERNET_OPTION_SEND_TIMEOUT, &timeout, sizeof timeout);
    }
}

std::unique_ptr<CHttpFile> CInternetSession::OpenURL(const wchar_t* url)
{
    if (!m_session) return nullptr;
    DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_UI;
    HINTERNET h = ::InternetOpenUrlW(m_session, url, nullptr, 0, flags, 0);
    if (!h) return nullptr;
    return std::make_unique<CHttpFile>(h);
}

void CInternetSession::Close()
{
    if (m_session) ::InternetCloseHandle(m_session);
    m_session = nullptr;
}
