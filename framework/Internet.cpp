// Winsock's header comes before the window headers, which would bring its old one.
#include <winsock2.h>
#include <ws2tcpip.h>

#include "framework/Internet.h"

#define SECURITY_WIN32
#define SCHANNEL_USE_BLACKLISTS  // declares SCH_CREDENTIALS, which names UNICODE_STRING
#include <subauth.h>
#include <schannel.h>
#include <security.h>
#include <shlwapi.h>
#include <wincrypt.h>
#include <wininet.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <cwctype>
#include <string>
#include <vector>

#include "framework/HookedValue.h"

// Abort's signal, a manual-reset event that every wait of the session also
// waits for.
struct InternetAbort {
    HANDLE event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ~InternetAbort()
    {
        if (event) ::CloseHandle(event);
    }
    bool IsSet() const { return !event || ::WaitForSingleObject(event, 0) == WAIT_OBJECT_0; }
};

namespace {

constexpr DWORD kDefaultTimeoutMs = 15000;
// Bounds of what an answer may send before its body: the status line and
// headers together, one header or chunk-size line.
constexpr size_t kMaxHeadBytes = 64 * 1024;
constexpr size_t kMaxLineBytes = 8 * 1024;
// Bytes asked of the connection at once.
constexpr size_t kReceiveBlock = 16 * 1024;
// The secure channel's received bytes not yet taken (a handshake flight, a record).
constexpr size_t kMaxSecureBuffer = 256 * 1024;
// Chunk sizes beyond 15 significant hexadecimal digits are no size any body
// here has.
constexpr size_t kMaxChunkSizeDigits = 15;
// The content type of a TLS record that holds an alert (TLS 1.2 and before,
// the first byte of the record's header).
constexpr unsigned char kTlsAlertRecord = 21;

bool StartWinsock()
{
    static const bool started = [] {
        WSADATA data;
        return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

// A TCP connection whose every wait ends at the time-out or at Abort.
class Socket {
public:
    Socket(DWORD timeoutMs, std::shared_ptr<InternetAbort> abort) : m_timeoutMs(timeoutMs), m_abort(std::move(abort)) {}
    ~Socket() { Close(); }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;

    // Connects to the first address of host that answers.
    bool Connect(const CString& host, INTERNET_PORT port)
    {
        if (!StartWinsock() || m_abort->IsSet()) return false;
        ADDRINFOW hints = {};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        hints.ai_protocol = IPPROTO_TCP;
        ADDRINFOW* found = nullptr;
        if (::GetAddrInfoW(host, std::to_wstring(port).c_str(), &hints, &found) != 0) return false;
        bool connected = false;
        for (const ADDRINFOW* address = found; address && !connected; address = address->ai_next) {
            connected = ConnectTo(*address);
        }
        ::FreeAddrInfoW(found);
        return connected;
    }

    bool Send(const char* data, size_t size)
    {
        while (size > 0) {
            const int sent = ::send(m_socket, data, static_cast<int>(std::min<size_t>(size, 1 << 20)), 0);
            if (sent > 0) {
                data += sent;
                size -= static_cast<size_t>(sent);
            } else if (::WSAGetLastError() != WSAEWOULDBLOCK || !Wait()) {
                return false;
            }
        }
        return true;
    }

    // Waits for the first bytes and takes at most size of them: the count, 0
    // when the peer has closed, -1 on failure, at the time-out or on Abort.
    int Receive(char* buffer, size_t size)
    {
        for (;;) {
            if (m_abort->IsSet()) return -1;
            const int got = ::recv(m_socket, buffer, static_cast<int>(std::min<size_t>(size, INT_MAX)), 0);
            if (got >= 0) return got;
            if (::WSAGetLastError() != WSAEWOULDBLOCK || !Wait()) return -1;
        }
    }

private:
    bool ConnectTo(const ADDRINFOW& address)
    {
        Close();
        m_socket = ::socket(address.ai_family, address.ai_socktype, address.ai_protocol);
        if (m_socket == INVALID_SOCKET) return false;
        m_event = ::WSACreateEvent();
        // Also makes the socket non-blocking: every wait is one of ours.
        if (m_event == WSA_INVALID_EVENT ||
            ::WSAEventSelect(m_socket, m_event, FD_CONNECT | FD_READ | FD_WRITE | FD_CLOSE) != 0) {
            return false;
        }
        if (::connect(m_socket, address.ai_addr, static_cast<int>(address.ai_addrlen)) == 0) return true;
        if (::WSAGetLastError() != WSAEWOULDBLOCK) return false;
        for (;;) {
            WSANETWORKEVENTS happened = {};
            if (!Wait(&happened)) return false;
            if (happened.lNetworkEvents & FD_CONNECT) return happened.iErrorCode[FD_CONNECT_BIT] == 0;
        }
    }

    // Waits for the socket's next network event; false at the time-out, on
    // Abort or on failure. The caller tries its call again: an event that
    // was not the one it waits for costs one more try.
    bool Wait(WSANETWORKEVENTS* happened = nullptr)
    {
        if (m_abort->IsSet()) return false;
        const HANDLE events[] = {m_event, m_abort->event};
        if (::WaitForMultipleObjects(2, events, FALSE, m_timeoutMs) != WAIT_OBJECT_0 || m_abort->IsSet()) return false;
        WSANETWORKEVENTS seen = {};
        if (::WSAEnumNetworkEvents(m_socket, m_event, happened ? happened : &seen) != 0) return false;
        return true;
    }

    void Close()
    {
        if (m_socket != INVALID_SOCKET) ::closesocket(m_socket);
        m_socket = INVALID_SOCKET;
        if (m_event != WSA_INVALID_EVENT) ::WSACloseEvent(m_event);
        m_event = WSA_INVALID_EVENT;
    }

    const DWORD m_timeoutMs;
    const std::shared_ptr<InternetAbort> m_abort;
    SOCKET m_socket = INVALID_SOCKET;
    WSAEVENT m_event = WSA_INVALID_EVENT;
};

// TLS over a connected socket through the system's secure channel.
class SecureChannel {
public:
    explicit SecureChannel(Socket& socket) : m_socket(socket) {}
    ~SecureChannel()
    {
        if (m_haveContext) ::DeleteSecurityContext(&m_context);
        if (m_haveCredentials) ::FreeCredentialsHandle(&m_credentials);
    }
    SecureChannel(const SecureChannel&) = delete;
    SecureChannel& operator=(const SecureChannel&) = delete;

    // The handshake, then the server's certificate: trusted by the machine
    // and issued to host.
    bool Handshake(const CString& host)
    {
        m_host = host;
        return AcquireCredentials() && Negotiate() &&
               ::QueryContextAttributesW(&m_context, SECPKG_ATTR_STREAM_SIZES, &m_sizes) == SEC_E_OK &&
               m_sizes.cbMaximumMessage > 0 && CertificateTrusted(host);
    }

    bool Send(const char* data, size_t size)
    {
        std::vector<char> record(m_sizes.cbHeader + m_sizes.cbMaximumMessage + m_sizes.cbTrailer);
        while (size > 0) {
            const ULONG part = static_cast<ULONG>(std::min<size_t>(size, m_sizes.cbMaximumMessage));
            char* header = record.data();
            std::memcpy(header + m_sizes.cbHeader, data, part);
            SecBuffer buffers[4] = {{m_sizes.cbHeader, SECBUFFER_STREAM_HEADER, header},
                                    {part, SECBUFFER_DATA, header + m_sizes.cbHeader},
                                    {m_sizes.cbTrailer, SECBUFFER_STREAM_TRAILER, header + m_sizes.cbHeader + part},
                                    {0, SECBUFFER_EMPTY, nullptr}};
            SecBufferDesc desc = {SECBUFFER_VERSION, 4, buffers};
            if (::EncryptMessage(&m_context, 0, &desc, 0) != SEC_E_OK) return false;
            if (!m_socket.Send(header, buffers[0].cbBuffer + buffers[1].cbBuffer + buffers[2].cbBuffer)) return false;
            data += part;
            size -= part;
        }
        return true;
    }

    // As Socket::Receive, of the decrypted bytes; only the server's
    // close_notify ends them (0), at once, though the server may keep the
    // connection open until it has ours. A connection closed without it,
    // between records or within one, is a failure: that is what a broken
    // connection makes, and what anyone on the path can forge.
    int Receive(char* buffer, size_t size)
    {
        while (m_plainAt == m_plain.size()) {
            if (m_ended) return 0;
            if (m_inSize == 0 || m_needBytes) {
                if (!ReceiveMore()) return -1;
                m_needBytes = false;
            }
            SecBuffer buffers[4] = {{static_cast<ULONG>(m_inSize), SECBUFFER_DATA, m_in.data()},
                                    {0, SECBUFFER_EMPTY, nullptr},
                                    {0, SECBUFFER_EMPTY, nullptr},
                                    {0, SECBUFFER_EMPTY, nullptr}};
            SecBufferDesc desc = {SECBUFFER_VERSION, 4, buffers};
            const bool alert = static_cast<unsigned char>(m_in[0]) == kTlsAlertRecord;
            const SECURITY_STATUS status = ::DecryptMessage(&m_context, &desc, 0, nullptr);
            if (status == SEC_E_INCOMPLETE_MESSAGE) {
                m_needBytes = true;
                continue;
            }
            if (status == SEC_I_CONTEXT_EXPIRED) {
                m_ended = true;
                return 0;
            }
            if (status != SEC_E_OK && status != SEC_I_RENEGOTIATE) return -1;
            m_plain.clear();
            m_plainAt = 0;
            const SecBuffer* extra = nullptr;
            for (const SecBuffer& b : buffers) {
                if (b.BufferType == SECBUFFER_DATA && b.pvBuffer) {
                    const char* bytes = static_cast<const char*>(b.pvBuffer);
                    m_plain.insert(m_plain.end(), bytes, bytes + b.cbBuffer);
                } else if (b.BufferType == SECBUFFER_EXTRA) {
                    extra = &b;
                }
            }
            // Windows' secure channel reports the close_notify as
            // SEC_I_CONTEXT_EXPIRED, Wine's as an alert record that decrypts
            // to no data with SEC_E_OK. Nothing after it belongs to the answer.
            if (status == SEC_E_OK && alert && m_plain.empty()) {
                m_ended = true;
                return 0;
            }
            if (extra) {
                KeepExtra(*extra);
            } else {
                m_inSize = 0;
            }
            // Handshake messages after the handshake (TLS 1.3 sends its
            // session tickets so): the handshake call takes them.
            if (status == SEC_I_RENEGOTIATE && !Negotiate()) return -1;
        }
        const size_t taken = std::min(size, m_plain.size() - m_plainAt);
        std::memcpy(buffer, m_plain.data() + m_plainAt, taken);
        m_plainAt += taken;
        return static_cast<int>(taken);
    }

private:
    // Credentials for every protocol the system offers: in the current form
    // first, which alone offers TLS 1.3 on Windows, else in the older one.
    bool AcquireCredentials()
    {
        const DWORD flags = SCH_CRED_MANUAL_CRED_VALIDATION | SCH_CRED_NO_DEFAULT_CREDS;
        SCH_CREDENTIALS current = {};
        current.dwVersion = SCH_CREDENTIALS_VERSION;
        current.dwFlags = flags;
        SCHANNEL_CRED older = {};
        older.dwVersion = SCHANNEL_CRED_VERSION;
        older.dwFlags = flags;
        for (void* wanted : {static_cast<void*>(&current), static_cast<void*>(&older)}) {
            if (::AcquireCredentialsHandleW(nullptr, const_cast<wchar_t*>(UNISP_NAME_W), SECPKG_CRED_OUTBOUND, nullptr,
                                            wanted, nullptr, nullptr, &m_credentials, nullptr) == SEC_E_OK) {
                m_haveCredentials = true;
                return true;
            }
        }
        return false;
    }

    // Handshake messages, from the bytes received and not yet taken on, until
    // the secure channel stands: at the start, and again for those a server
    // sends later.
    bool Negotiate()
    {
        const ULONG requests = ISC_REQ_ALLOCATE_MEMORY | ISC_REQ_CONFIDENTIALITY | ISC_REQ_SEQUENCE_DETECT |
                               ISC_REQ_REPLAY_DETECT | ISC_REQ_USE_SESSION_KEY | ISC_REQ_MANUAL_CRED_VALIDATION;
        wchar_t* target = const_cast<wchar_t*>(m_host.GetString());
        bool needBytes = false;
        for (;;) {
            if (needBytes && !ReceiveMore()) return false;
            SecBuffer in[2] = {{static_cast<ULONG>(m_inSize), SECBUFFER_TOKEN, m_in.data()},
                               {0, SECBUFFER_EMPTY, nullptr}};
            SecBufferDesc inDesc = {SECBUFFER_VERSION, 2, in};
            SecBuffer out[1] = {{0, SECBUFFER_TOKEN, nullptr}};
            SecBufferDesc outDesc = {SECBUFFER_VERSION, 1, out};
            ULONG granted = 0;
            const bool first = !m_haveContext;
            const SECURITY_STATUS status = ::InitializeSecurityContextW(
                &m_credentials, first ? nullptr : &m_context, target, requests, 0, 0, first ? nullptr : &inDesc, 0,
                &m_context, &outDesc, &granted, nullptr);
            if (first) m_haveContext = status == SEC_I_CONTINUE_NEEDED || status == SEC_E_OK;
            if (out[0].pvBuffer) {
                const bool sent = m_socket.Send(static_cast<const char*>(out[0].pvBuffer), out[0].cbBuffer);
                ::FreeContextBuffer(out[0].pvBuffer);
                if (!sent) return false;
            }
            if (status == SEC_E_INCOMPLETE_MESSAGE) {
                needBytes = true;
                continue;
            }
            if (!first) KeepExtra(in[1]);
            if (status == SEC_E_OK) return true;
            if (status != SEC_I_CONTINUE_NEEDED) return false;
            needBytes = m_inSize == 0;
        }
    }

    // More bytes from the connection behind those not yet taken; false when
    // none came (the peer closed, a failure) or the buffer is full.
    bool ReceiveMore()
    {
        if (m_in.size() - m_inSize < kReceiveBlock) {
            if (m_in.size() >= kMaxSecureBuffer) return false;
            m_in.resize(m_in.size() + kReceiveBlock);
        }
        const int got = m_socket.Receive(m_in.data() + m_inSize, m_in.size() - m_inSize);
        if (got <= 0) return false;
        m_inSize += static_cast<size_t>(got);
        return true;
    }

    // The bytes a call did not take (the last ones it was given) stay for the next.
    void KeepExtra(const SecBuffer& extra)
    {
        if (extra.BufferType != SECBUFFER_EXTRA || extra.cbBuffer > m_inSize) {
            m_inSize = 0;
            return;
        }
        std::memmove(m_in.data(), m_in.data() + m_inSize - extra.cbBuffer, extra.cbBuffer);
        m_inSize = extra.cbBuffer;
    }

    bool CertificateTrusted(const CString& host)
    {
        PCCERT_CONTEXT certificate = nullptr;
        if (::QueryContextAttributesW(&m_context, SECPKG_ATTR_REMOTE_CERT_CONTEXT, &certificate) != SEC_E_OK ||
            !certificate) {
            return false;
        }
        LPSTR usage[] = {const_cast<LPSTR>(szOID_PKIX_KP_SERVER_AUTH)};
        CERT_CHAIN_PARA chainPara = {};
        chainPara.cbSize = sizeof chainPara;
        chainPara.RequestedUsage.dwType = USAGE_MATCH_TYPE_AND;
        chainPara.RequestedUsage.Usage.cUsageIdentifier = 1;
        chainPara.RequestedUsage.Usage.rgpszUsageIdentifier = usage;
        PCCERT_CHAIN_CONTEXT chain = nullptr;
        bool trusted = false;
        if (::CertGetCertificateChain(nullptr, certificate, nullptr, certificate->hCertStore, &chainPara, 0, nullptr,
                                      &chain)) {
            SSL_EXTRA_CERT_CHAIN_POLICY_PARA ssl = {};
            ssl.cbSize = sizeof ssl;
            ssl.dwAuthType = AUTHTYPE_SERVER;
            ssl.pwszServerName = const_cast<wchar_t*>(host.GetString());
            CERT_CHAIN_POLICY_PARA policy = {};
            policy.cbSize = sizeof policy;
            policy.pvExtraPolicyPara = &ssl;
            CERT_CHAIN_POLICY_STATUS verdict = {};
            verdict.cbSize = sizeof verdict;
            trusted = chain->TrustStatus.dwErrorStatus == CERT_TRUST_NO_ERROR &&
                      ::CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_SSL, chain, &policy, &verdict) &&
                      verdict.dwError == 0;
            ::CertFreeCertificateChain(chain);
        }
        ::CertFreeCertificateContext(certificate);
        return trusted;
    }

    Socket& m_socket;
    CString m_host;
    CredHandle m_credentials = {};
    bool m_haveCredentials = false;
    CtxtHandle m_context = {};
    bool m_haveContext = false;
    SecPkgContext_StreamSizes m_sizes = {};
    std::vector<char> m_in;  // received, not yet decrypted: m_inSize bytes
    size_t m_inSize = 0;
    bool m_needBytes = false;
    bool m_ended = false;
    std::vector<char> m_plain;  // decrypted, not yet read from m_plainAt on
    size_t m_plainAt = 0;
};

// An http or https address taken apart.
struct Address {
    bool secure = false;
    CString host;
    INTERNET_PORT port = 0;
    std::string path;  // path and query, as sent

    bool DefaultPort() const { return port == (secure ? INTERNET_DEFAULT_HTTPS_PORT : INTERNET_DEFAULT_HTTP_PORT); }
    // host[:port] as the Host header and a proxy's CONNECT name it.
    std::string Authority() const
    {
        std::string name = host.ToUtf8();
        if (name.find(':') != std::string::npos) name = "[" + name + "]";
        return DefaultPort() ? name : name + ":" + std::to_string(port);
    }
};

// A host name or address literal: nothing that could end a request line.
bool IsHostName(const CString& host)
{
    if (host.IsEmpty()) return false;
    for (int i = 0; i < host.GetLength(); ++i) {
        const wchar_t c = host[i];
        if (c > 0x7E || !(std::iswalnum(c) || c == L'-' || c == L'.' || c == L'_' || c == L':')) return false;
    }
    return true;
}

// The path and query as UTF-8, with spaces, controls and bytes above ASCII
// escaped, so that no character of an address can leave the request line.
std::string RequestPath(const CString& pathAndQuery)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string path;
    for (unsigned char c : pathAndQuery.ToUtf8()) {
        if (c <= 0x20 || c >= 0x7F) {
            path += '%';
            path += hex[c >> 4];
            path += hex[c & 15];
        } else {
            path += static_cast<char>(c);
        }
    }
    return path.empty() || path[0] != '/' ? "/" + path : path;
}

bool CrackAddress(const wchar_t* url, Address& address)
{
    if (!url) return false;
    URL_COMPONENTSW parts = {};
    parts.dwStructSize = sizeof parts;
    parts.dwHostNameLength = 1;  // asks for pointers into url and their lengths
    parts.dwUrlPathLength = 1;
    parts.dwExtraInfoLength = 1;
    if (!::InternetCrackUrlW(url, 0, 0, &parts)) return false;
    address.secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    if (!address.secure && parts.nScheme != INTERNET_SCHEME_HTTP) return false;
    address.host = CString(parts.lpszHostName, static_cast<int>(parts.dwHostNameLength));
    address.port = parts.nPort;
    address.path = RequestPath(CString(parts.lpszUrlPath, static_cast<int>(parts.dwUrlPathLength)) +
                               CString(parts.lpszExtraInfo, static_cast<int>(parts.dwExtraInfoLength)));
    return IsHostName(address.host) && address.port != 0;
}

HookedValue<InternetProxySettings>& TheProxyHook()
{
    static HookedValue<InternetProxySettings> hook;
    return hook;
}

// The system's internet settings, as the platform reads them.
InternetProxySettings SystemProxySettings()
{
    // The wide form of the platform's INTERNET_PROXY_INFO, whatever UNICODE says.
    struct ProxyInfo {
        DWORD dwAccessType;
        const wchar_t* lpszProxy;
        const wchar_t* lpszProxyBypass;
    };
    InternetProxySettings settings;
    DWORD size = 0;
    ::InternetQueryOptionW(nullptr, INTERNET_OPTION_PROXY, nullptr, &size);
    if (size < sizeof(ProxyInfo)) return settings;
    std::vector<BYTE> buffer(size);
    auto* info = reinterpret_cast<ProxyInfo*>(buffer.data());
    if (!::InternetQueryOptionW(nullptr, INTERNET_OPTION_PROXY, info, &size)) return settings;
    settings.useProxy = info->dwAccessType == INTERNET_OPEN_TYPE_PROXY && info->lpszProxy && *info->lpszProxy;
    if (info->lpszProxy) settings.proxy = info->lpszProxy;
    if (info->lpszProxyBypass) settings.bypass = info->lpszProxyBypass;
    return settings;
}

// The entries of a list separated by semicolons, commas or white space.
std::vector<CString> ListEntries(const CString& list)
{
    std::vector<CString> entries;
    CString entry;
    for (int i = 0; i <= list.GetLength(); ++i) {
        const wchar_t c = list[i];
        if (c == L'\0' || c == L';' || c == L',' || std::iswspace(c)) {
            if (!entry.IsEmpty()) entries.push_back(entry);
            entry.Empty();
        } else {
            entry += c;
        }
    }
    return entries;
}

// Where a connection to address goes: the proxy's host and port, or nothing
// (the address itself).
struct Route {
    bool viaProxy = false;
    CString host;
    INTERNET_PORT port = 0;
};

Route RouteTo(const Address& address)
{
    const InternetProxySettings settings = TheProxyHook().Get(SystemProxySettings);
    Route route;
    if (!settings.useProxy) return route;
    for (const CString& entry : ListEntries(settings.bypass)) {
        const bool local = entry.CompareNoCase(L"<local>") == 0 && address.host.Find(L'.') < 0;
        if (local || ::PathMatchSpecW(address.host, entry)) return route;
    }
    // "scheme=host:port" entries name the proxy of their scheme, a bare one
    // that of every scheme.
    const CString scheme = address.secure ? L"https=" : L"http=";
    CString chosen;
    for (const CString& entry : ListEntries(settings.proxy)) {
        if (entry.Left(scheme.GetLength()).CompareNoCase(scheme) == 0) {
            chosen = entry.Mid(scheme.GetLength());
            break;
        }
        if (entry.Find(L'=') < 0 && chosen.IsEmpty()) chosen = entry;
    }
    // The proxy's host and port, read as those of an address.
    Address proxy;
    if (chosen.IsEmpty() || !CrackAddress(chosen.Find(L"://") < 0 ? L"http://" + chosen : chosen, proxy)) return route;
    return Route{true, proxy.host, proxy.port};
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool StartsWithNoCase(const std::string& text, const char* prefix)
{
    const size_t n = std::strlen(prefix);
    return text.size() >= n && ::_strnicmp(text.c_str(), prefix, n) == 0;
}

std::string Trimmed(const std::string& text)
{
    const size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos) return std::string();
    return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

// The headers of an answer that the reading of its body and its caller need.
struct Head {
    DWORD status = 0;
    long long contentLength = -1;
    bool chunked = false;
    std::string location;
};

// The size on a chunk's size line (hexadecimal digits, any number of them
// leading zeros, then nothing or an extension after ';'); -1 when the line
// holds no such size.
long long ChunkSize(const std::string& line)
{
    size_t end = line.find_first_not_of('0');
    if (end == std::string::npos) end = line.size();
    const size_t firstSignificant = end;
    long long size = 0;
    for (; end < line.size() && std::isxdigit(static_cast<unsigned char>(line[end])); ++end) {
        if (end - firstSignificant >= kMaxChunkSizeDigits) return -1;
        const char c = line[end];
        size = size * 16 + (c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
    }
    if (end == 0) return -1;
    const std::string rest = Trimmed(line.substr(end));
    return rest.empty() || rest[0] == ';' ? size : -1;
}

}  // namespace

// One GET on a connection of its own: the request, the answer's head, and its
// body as its framing delimits it.
class HttpAnswer {
public:
    HttpAnswer(DWORD timeoutMs, std::shared_ptr<InternetAbort> abort) : m_socket(timeoutMs, std::move(abort)) {}

    bool Open(const Address& address, const CString& agent)
    {
        const Route route = RouteTo(address);
        if (!m_socket.Connect(route.viaProxy ? route.host : address.host, route.viaProxy ? route.port : address.port)) {
            return false;
        }
        if (address.secure) {
            if (route.viaProxy && !OpenTunnel(address)) return false;
            m_secure = std::make_unique<SecureChannel>(m_socket);
            if (!m_secure->Handshake(address.host)) return false;
        }
        const std::string target =
            route.viaProxy && !address.secure ? "http://" + address.Authority() + address.path : address.path;
        std::string request = "GET " + target + " HTTP/1.1\r\nHost: " + address.Authority() + "\r\n";
        if (!agent.IsEmpty()) {
            std::string name = agent.ToUtf8();
            name.erase(std::remove_if(name.begin(), name.end(), [](char c) { return c == '\r' || c == '\n'; }),
                       name.end());
            request += "User-Agent: " + name + "\r\n";
        }
        request += "Accept: */*\r\nCache-Control: no-cache\r\nPragma: no-cache\r\nConnection: close\r\n\r\n";
        if (!Send(request) || !ReadHead(m_head)) return false;
        // Answers that never carry a body.
        if (m_head.status == 204 || m_head.status == 304) {
            m_head.chunked = false;
            m_head.contentLength = 0;
        }
        m_remaining = m_head.contentLength;
        return true;
    }

    const Head& head() const { return m_head; }

    int Read(char* out, size_t count)
    {
        if (m_broken) return -1;
        if (count == 0) return 0;
        if (m_head.chunked) {
            if (!NextChunk()) return Broken();
            if (m_chunk == Chunk::Done) return 0;
        } else if (m_remaining == 0) {
            return 0;
        }
        const size_t wanted = m_remaining < 0 ? count : static_cast<size_t>(std::min<long long>(count, m_remaining));
        const int got = Take(out, wanted);
        // The connection's end (over https the server's close_notify alone)
        // ends only a body that announced no length.
        if (got < 0 || (got == 0 && m_remaining >= 0)) return Broken();
        if (m_remaining > 0) m_remaining -= got;
        if (m_head.chunked && m_remaining == 0) m_chunk = Chunk::DataEnd;
        return got;
    }

private:
    enum class Chunk { Size, Data, DataEnd, Done };

    int Broken()
    {
        m_broken = true;
        return -1;
    }

    bool Send(const std::string& bytes)
    {
        return m_secure ? m_secure->Send(bytes.data(), bytes.size()) : m_socket.Send(bytes.data(), bytes.size());
    }

    // More bytes into the empty buffer: their count, 0 at the connection's end, -1 on failure.
    int Fill()
    {
        m_at = m_end = 0;
        if (m_buffer.empty()) m_buffer.resize(kReceiveBlock);
        const int got = m_secure ? m_secure->Receive(m_buffer.data(), m_buffer.size())
                                 : m_socket.Receive(m_buffer.data(), m_buffer.size());
        if (got > 0) m_end = static_cast<size_t>(got);
        return got;
    }

    // At most count bytes, waiting only for the first.
    int Take(char* out, size_t count)
    {
        if (m_at == m_end) {
            const int got = Fill();
            if (got <= 0) return got;
        }
        const size_t taken = std::min(count, m_end - m_at);
        std::memcpy(out, m_buffer.data() + m_at, taken);
        m_at += taken;
        return static_cast<int>(taken);
    }

    // One line without its line break (CRLF or LF); false when the connection
    // ends or fails first or the line is longer than kMaxLineBytes.
    bool ReadLine(std::string& line)
    {
        line.clear();
        for (;;) {
            if (m_at == m_end && Fill() <= 0) return false;
            const char* begin = m_buffer.data() + m_at;
            const char* end = m_buffer.data() + m_end;
            const char* lf = std::find(begin, end, '\n');
            line.append(begin, lf);
            m_at = static_cast<size_t>(lf - m_buffer.data()) + (lf != end ? 1 : 0);
            if (line.size() > kMaxLineBytes) return false;
            if (lf != end) break;
        }
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return true;
    }

    // The status line and headers of an answer, after any interim (1xx)
    // answers; false when they are not those of an HTTP/1.x answer or their
    // framing headers contradict each other.
    bool ReadHead(Head& head)
    {
        std::string line;
        size_t total = 0;
        do {
            head = Head{};
            if (!ReadLine(line)) return false;
            // "HTTP/1.x NNN reason"
            if (line.size() < 12 || !StartsWithNoCase(line, "HTTP/1.") || !IsDigit(line[7]) || line[8] != ' ' ||
                !std::all_of(line.begin() + 9, line.begin() + 12, IsDigit) ||
                (line.size() > 12 && line[12] != ' ')) {
                return false;
            }
            head.status = static_cast<DWORD>(std::stoi(line.substr(9, 3)));
            std::vector<std::string> codings;
            for (;;) {
                if (!ReadLine(line)) return false;
                total += line.size() + 2;
                if (total > kMaxHeadBytes) return false;
                if (line.empty()) break;
                const size_t colon = line.find(':');
                if (colon == std::string::npos) continue;
                const std::string name = line.substr(0, colon);
                const std::string value = Trimmed(line.substr(colon + 1));
                if (::_stricmp(name.c_str(), "Content-Length") == 0) {
                    if (value.empty() || value.size() > 18 || !std::all_of(value.begin(), value.end(), IsDigit)) {
                        return false;
                    }
                    const long long length = std::stoll(value);
                    if (head.contentLength >= 0 && head.contentLength != length) return false;
                    head.contentLength = length;
                } else if (::_stricmp(name.c_str(), "Transfer-Encoding") == 0) {
                    codings.push_back(value);
                } else if (::_stricmp(name.c_str(), "Location") == 0) {
                    head.location = value;
                }
            }
            // The one transfer coding read here is chunked, alone.
            if (!codings.empty()) {
                if (codings.size() != 1 || ::_stricmp(codings[0].c_str(), "chunked") != 0) return false;
                head.chunked = true;
                head.contentLength = -1;
            }
        } while (head.status >= 100 && head.status < 200);
        return true;
    }

    // Through a proxy, a tunnel to the address for the secure channel.
    bool OpenTunnel(const Address& address)
    {
        const std::string authority = address.Authority();
        Head head;
        return Send("CONNECT " + authority + " HTTP/1.1\r\nHost: " + authority + "\r\n\r\n") && ReadHead(head) &&
               head.status / 100 == 2 && !head.chunked && head.contentLength <= 0 && m_at == m_end;
    }

    // Goes past the framing of a chunked body until body bytes or its end
    // come next; false when the framing is broken or the connection ends first.
    bool NextChunk()
    {
        std::string line;
        for (;;) {
            switch (m_chunk) {
            case Chunk::Data:
            case Chunk::Done:
                return true;
            case Chunk::DataEnd:
                // A chunk ends with a line break right after the bytes its size announced.
                if (!ReadLine(line) || !line.empty()) return false;
                m_chunk = Chunk::Size;
                break;
            case Chunk::Size: {
                if (!ReadLine(line)) return false;
                const long long size = ChunkSize(line);
                if (size < 0) return false;
                if (size > 0) {
                    m_remaining = size;
                    m_chunk = Chunk::Data;
                    break;
                }
                // The terminating chunk, its trailer, and the empty line that ends both.
                for (size_t total = 0; ReadLine(line); total += line.size() + 2) {
                    if (total > kMaxHeadBytes) return false;
                    if (line.empty()) {
                        m_chunk = Chunk::Done;
                        return true;
                    }
                }
                return false;
            }
            }
        }
    }

    Socket m_socket;
    std::unique_ptr<SecureChannel> m_secure;
    Head m_head;
    // Bytes received and not yet taken: m_buffer from m_at to m_end.
    std::vector<char> m_buffer;
    size_t m_at = 0;
    size_t m_end = 0;
    // Of the body (-1: it ends with the connection, over https at the
    // server's close_notify), or of the current chunk.
    long long m_remaining = -1;
    Chunk m_chunk = Chunk::Size;
    bool m_broken = false;
};

CHttpFile::CHttpFile(std::unique_ptr<HttpAnswer> answer) : m_answer(std::move(answer)) {}

CHttpFile::~CHttpFile() = default;

int CHttpFile::Read(void* buffer, UINT count)
{
    return m_answer ? m_answer->Read(static_cast<char*>(buffer), count) : -1;
}

DWORD CHttpFile::GetStatusCode() const
{
    return m_answer ? m_answer->head().status : 0;
}

long long CHttpFile::GetContentLength() const
{
    return m_answer ? m_answer->head().contentLength : -1;
}

CString CHttpFile::GetLocation() const
{
    return m_answer ? CString::FromUtf8(m_answer->head().location) : CString();
}

void CHttpFile::Close()
{
    m_answer.reset();
}

CInternetSession::CInternetSession(const wchar_t* agent)
    : m_agent(agent), m_timeoutMs(kDefaultTimeoutMs), m_abort(std::make_shared<InternetAbort>())
{
}

CInternetSession::~CInternetSession() = default;

void CInternetSession::SetTimeouts(DWORD milliseconds)
{
    m_timeoutMs = milliseconds ? milliseconds : kDefaultTimeoutMs;
}

std::unique_ptr<CHttpFile> CInternetSession::OpenURL(const wchar_t* url)
{
    Address address;
    if (m_abort->IsSet() || !CrackAddress(url, address)) return nullptr;
    auto answer = std::make_unique<HttpAnswer>(m_timeoutMs, m_abort);
    if (!answer->Open(address, m_agent)) return nullptr;
    return std::unique_ptr<CHttpFile>(new CHttpFile(std::move(answer)));
}

void CInternetSession::Abort()
{
    if (m_abort->event) ::SetEvent(m_abort->event);
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

void SetInternetProxyHook(const InternetProxySettings* settings)
{
    TheProxyHook().Set(settings);
}
