#include "framework/Internet.h"

#include <cwchar>
#include <vector>

namespace {

// A text header of the answer, empty when it has none.
CString QueryTextHeader(HINTERNET handle, DWORD query)
{
    if (!handle) return CString();
    std::vector<wchar_t> text(256);
    for (int attempt = 0; attempt < 2; ++attempt) {
        DWORD size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        if (::HttpQueryInfoW(handle, query, text.data(), &size, nullptr)) {
            return CString(text.data());
        }
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
        text.resize(size / sizeof(wchar_t) + 2);
    }
    return CString();
}

}  // namespace

bool InternetCallGuard::Enter(HINTERNET handle)
{
    CSingleLock hold(&lock, true);
    if (aborted) return false;
    inCall = handle;
    return true;
}

bool InternetCallGuard::Leave()
{
    CSingleLock hold(&lock, true);
    inCall = nullptr;
    return !aborted;
}

bool InternetCallGuard::ClosedByAbort(HINTERNET handle)
{
    CSingleLock hold(&lock, true);
    return handle && handle == closed;
}

int CHttpFile::Read(void* buffer, UINT count)
{
    if (!m_handle || (m_guard && !m_guard->Enter(m_handle))) return -1;
    DWORD got = 0;
    BOOL ok = ::InternetReadFile(m_handle, buffer, count, &got);
    if (m_guard && !m_guard->Leave()) {
        if (m_guard->ClosedByAbort(m_handle)) m_handle = nullptr;
        return -1;
    }
    return ok ? static_cast<int>(got) : -1;
}

int CHttpFile::ReadAvailable(void* buffer, UINT count)
{
    if (!m_handle || (m_guard && !m_guard->Enter(m_handle))) return -1;
    DWORD available = 0;
    BOOL ok = ::InternetQueryDataAvailable(m_handle, &available, 0, 0);
    if (m_guard && !m_guard->Leave()) {
        if (m_guard->ClosedByAbort(m_handle)) m_handle = nullptr;
        return -1;
    }
    if (!ok) return -1;
    if (available == 0) return 0;
    return Read(buffer, available < count ? available : count);
}

DWORD CHttpFile::GetStatusCode() const
{
    DWORD status = 0, size = sizeof status;
    if (!m_handle || !::HttpQueryInfoW(m_handle, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr)) return 0;
    return status;
}

long long CHttpFile::GetContentLength() const
{
    CString text = QueryTextHeader(m_handle, HTTP_QUERY_CONTENT_LENGTH);
    if (text.IsEmpty()) return -1;
    wchar_t* end = nullptr;
    long long length = std::wcstoll(text.GetString(), &end, 10);
    return (end == text.GetString() || length < 0) ? -1 : length;
}

bool CHttpFile::HasStatusLine() const
{
    const DWORD status = GetStatusCode();
    if (QueryTextHeader(m_handle, HTTP_QUERY_VERSION).Left(7) != L"HTTP/1." || status < 100 || status > 599) return false;
    // The status line, then a line per header, then an empty line.
    const CString headers = QueryTextHeader(m_handle, HTTP_QUERY_RAW_HEADERS_CRLF);
    const int lineEnd = headers.Find(L"\r\n");
    return lineEnd > 0 && headers[lineEnd + 2] != L'\r' && headers[lineEnd + 2] != L'\0';
}

CString CHttpFile::GetLocation() const
{
    return QueryTextHeader(m_handle, HTTP_QUERY_LOCATION);
}

void CHttpFile::Close()
{
    if (m_handle && !(m_guard && m_guard->ClosedByAbort(m_handle))) ::InternetCloseHandle(m_handle);
    m_handle = nullptr;
}

CInternetSession::CInternetSession(const wchar_t* agent)
{
    m_session = ::InternetOpenW(agent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    SetTimeouts(15000);  // no connection, send or receive waits for ever
}

void CInternetSession::SetTimeouts(DWORD milliseconds)
{
    if (!m_session) return;
    const DWORD options[] = {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT};
    for (DWORD option : options) {
        ::InternetSetOptionW(m_session, option, &milliseconds, sizeof milliseconds);
    }
}

std::unique_ptr<CHttpFile> CInternetSession::OpenURL(const wchar_t* url, bool followRedirects)
{
    if (!m_session || !m_guard->Enter(m_session)) return nullptr;
    DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_UI;
    if (!followRedirects) flags |= INTERNET_FLAG_NO_AUTO_REDIRECT;
    HINTERNET h = ::InternetOpenUrlW(m_session, url, nullptr, 0, flags, 0);
    if (!m_guard->Leave()) {
        // Aborted while opening: the session's handle went, and its child with it.
        if (m_guard->ClosedByAbort(m_session)) m_session = nullptr;
        return nullptr;
    }
    if (!h) return nullptr;
    return std::make_unique<CHttpFile>(h, m_guard);
}

void CInternetSession::Abort()
{
    CSingleLock hold(&m_guard->lock, true);
    m_guard->aborted = true;
    if (m_guard->inCall) {
        ::InternetCloseHandle(m_guard->inCall);
        m_guard->closed = m_guard->inCall;
        m_guard->inCall = nullptr;
    }
}

void CInternetSession::Close()
{
    if (m_session && !m_guard->ClosedByAbort(m_session)) ::InternetCloseHandle(m_session);
    m_session = nullptr;
}

CString CombineUrl(const wchar_t* base, const wchar_t* relative)
{
    std::vector<wchar_t> text(INTERNET_MAX_URL_LENGTH + 1);
    for (int attempt = 0; attempt < 2; ++attempt) {
        DWORD length = static_cast<DWORD>(text.size());
        if (::InternetCombineUrlW(base, relative, text.data(), &length, ICU_NO_ENCODE)) {
            return CString(text.data());
        }
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
        text.resize(length + 2);
    }
    return CString();
}
