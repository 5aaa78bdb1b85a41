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

// The connect, receive and send time-outs of the calls on handle.
void ApplyTimeouts(HINTERNET handle, DWORD milliseconds)
{
    const DWORD options[] = {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT};
    for (DWORD option : options) {
        ::InternetSetOptionW(handle, option, &milliseconds, sizeof milliseconds);
    }
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

BOOL CHttpFile::CallGuarded(const std::function<BOOL(HINTERNET)>& call)
{
    if (!m_handle || (m_guard && !m_guard->Enter(m_handle))) return FALSE;
    const BOOL ok = call(m_handle);
    if (m_guard && !m_guard->Leave()) {
        if (m_guard->ClosedByAbort(m_handle)) m_handle = nullptr;
        return FALSE;
    }
    return ok;
}

bool CHttpFile::Send()
{
    return CallGuarded([](HINTERNET h) { return ::HttpSendRequestW(h, nullptr, 0, nullptr, 0); }) != FALSE;
}

int CHttpFile::Read(void* buffer, UINT count)
{
    DWORD got = 0;
    const BOOL ok = CallGuarded([&](HINTERNET h) { return ::InternetReadFile(h, buffer, count, &got); });
    return ok ? static_cast<int>(got) : -1;
}

int CHttpFile::ReadAvailable(void* buffer, UINT count)
{
    DWORD available = 0;
    if (!CallGuarded([&](HINTERNET h) { return ::InternetQueryDataAvailable(h, &available, 0, 0); })) return -1;
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
    if (m_connection) ::InternetCloseHandle(m_connection);
    m_connection = nullptr;
}

CInternetSession::CInternetSession(const wchar_t* agent)
{
    m_session = ::InternetOpenW(agent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    SetTimeouts(15000);  // no connection, send or receive waits for ever
}

void CInternetSession::SetTimeouts(DWORD milliseconds)
{
    m_timeoutMs = milliseconds;
    if (m_session) ApplyTimeouts(m_session, milliseconds);
}

std::unique_ptr<CHttpFile> CInternetSession::OpenURL(const wchar_t* url, bool followRedirects)
{
    if (!m_session || !url) return nullptr;
    URL_COMPONENTSW parts = {};
    parts.dwStructSize = sizeof parts;
    parts.dwHostNameLength = 1;  // asks for pointers into url and their lengths
    parts.dwUrlPathLength = 1;
    parts.dwExtraInfoLength = 1;
    if (!::InternetCrackUrlW(url, 0, 0, &parts)) return nullptr;
    const bool secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    if ((!secure && parts.nScheme != INTERNET_SCHEME_HTTP) || parts.dwHostNameLength == 0) return nullptr;
    const CString host(parts.lpszHostName, static_cast<int>(parts.dwHostNameLength));
    CString object = CString(parts.lpszUrlPath, static_cast<int>(parts.dwUrlPathLength)) +
                     CString(parts.lpszExtraInfo, static_cast<int>(parts.dwExtraInfoLength));
    if (object.GetAt(0) != L'/') object = L"/" + object;

    HINTERNET connection =
        ::InternetConnectW(m_session, host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0);
    if (!connection) return nullptr;
    if (m_timeoutMs) ApplyTimeouts(connection, m_timeoutMs);  // else the platform's own
    DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_UI;
    if (secure) flags |= INTERNET_FLAG_SECURE;
    if (!followRedirects) flags |= INTERNET_FLAG_NO_AUTO_REDIRECT;
    const wchar_t* accept[] = {L"*/*", nullptr};
    HINTERNET request = ::HttpOpenRequestW(connection, L"GET", object, nullptr, nullptr, accept, flags, 0);
    if (!request) {
        ::InternetCloseHandle(connection);
        return nullptr;
    }
    auto file = std::make_unique<CHttpFile>(request, m_guard, connection);
    if (!file->Send()) return nullptr;
    return file;
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
    if (m_session) ::InternetCloseHandle(m_session);
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
