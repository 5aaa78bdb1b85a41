#include "framework/CString.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cwctype>

namespace {

CString FromMultiByte(unsigned codePage, const char* s, int len)
{
    if (!s) return CString();
    if (len < 0) len = static_cast<int>(strlen(s));
    if (len == 0) return CString();
    int n = MultiByteToWideChar(codePage, 0, s, len, nullptr, 0);
    if (n <= 0) return CString();
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, s, len, out.data(), n);
    return CString(std::move(out));
}

std::string ToMultiByte(unsigned codePage, const std::wstring& s)
{
    if (s.empty()) return std::string();
    int n = WideCharToMultiByte(codePage, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
    if (n <= 0) return std::string();
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr, nullptr);
    return out;
}

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\v' || c == L'\f'; }

void AppendPadded(std::wstring& out, std::wstring_view text, int width, bool left)
{
    int pad = width - static_cast<int>(text.size());
    if (pad > 0 && !left) out.append(static_cast<size_t>(pad), L' ');
    out.append(text);
    if (pad > 0 && left) out.append(static_cast<size_t>(pad), L' ');
}

// One numeric conversion, rendered by the narrow snprintf (digits are ASCII).
template <typename T>
void AppendNumber(std::wstring& out, const std::string& spec, T value)
{
    char buf[128];
    int n = snprintf(buf, sizeof buf, spec.c_str(), value);
    if (n < 0) return;
    if (n >= static_cast<int>(sizeof buf)) n = sizeof buf - 1;
    for (int i = 0; i < n; ++i) out += static_cast<wchar_t>(static_cast<unsigned char>(buf[i]));
}

std::wstring FormatImpl(const wchar_t* fmt, va_list args)
{
    std::wstring out;
    if (!fmt) return out;
    for (const wchar_t* p = fmt; *p; ++p) {
        if (*p != L'%') { out += *p; continue; }
        const wchar_t* start = p++;
        if (*p == L'%') { out += L'%'; continue; }
        std::string flags;
        while (*p == L'-' || *p == L'+' || *p == L' ' || *p == L'#' || *p == L'0') flags += static_cast<char>(*p++);
        int width = -1;
        if (*p == L'*') { width = va_arg(args, int); ++p; if (width < 0) { flags += '-'; width = -width; } }
        else if (iswdigit(*p)) { width = 0; while (iswdigit(*p)) width = width * 10 + (*p++ - L'0'); }
        int precision = -1;
        if (*p == L'.') {
            ++p; precision = 0;
            if (*p == L'*') { precision = va_arg(args, int); ++p; }
            else while (iswdigit(*p)) precision = precision * 10 + (*p++ - L'0');
        }
        enum { SizeInt, SizeShort, SizeChar, SizeLong, SizeLongLong, SizeSizeT } size = SizeInt;
        if (*p == L'h') { ++p; size = SizeShort; if (*p == L'h') { ++p; size = SizeChar; } }
        else if (*p == L'l') { ++p; size = SizeLong; if (*p == L'l') { ++p; size = SizeLongLong; } }
        else if (*p == L'I' && p[1] == L'6' && p[2] == L'4') { p += 3; size = SizeLongLong; }
        else if (*p == L'z') { ++p; size = SizeSizeT; }
        bool left = flags.find('-') != std::string::npos;
        std::string spec(1, '%');
        spec += flags;
        if (width >= 0) spec += std::to_string(width);
        if (precision >= 0) spec += "." + std::to_string(precision);
        wchar_t conv = *p;
        switch (conv) {
        case L's': {
            std::wstring_view v;
            if (size == SizeShort) {  // %hs: narrow
                const char* a = va_arg(args, const char*);
                std::wstring w = CString::FromAnsi(a ? a : "(null)").str();
                if (precision >= 0 && static_cast<int>(w.size()) > precision) w.resize(static_cast<size_t>(precision));
                AppendPadded(out, w, width, left);
                break;
            }
            const wchar_t* a = va_arg(args, const wchar_t*);
            v = a ? std::wstring_view(a) : std::wstring_view(L"(null)");
            if (precision >= 0 && static_cast<int>(v.size()) > precision) v = v.substr(0, static_cast<size_t>(precision));
            AppendPadded(out, v, width, left);
            break;
        }
        case L'S': {
            const char* a = va_arg(args, const char*);
            std::wstring w = CString::FromAnsi(a ? a : "(null)").str();
            if (precision >= 0 && static_cast<int>(w.size()) > precision) w.resize(static_cast<size_t>(precision));
            AppendPadded(out, w, width, left);
            break;
        }
        case L'c':
        case L'C': {
            wchar_t c = static_cast<wchar_t>(va_arg(args, int));
            AppendPadded(out, std::wstring_view(&c, 1), width, left);
            break;
        }
        case L'd': case L'i': case L'u': case L'x': case L'X': case L'o': {
            char c = static_cast<char>(conv);
            bool isSigned = (conv == L'd' || conv == L'i');
            switch (size) {
            case SizeLongLong:
                if (isSigned) AppendNumber(out, spec + "ll" + c, va_arg(args, long long));
                else AppendNumber(out, spec + "ll" + c, va_arg(args, unsigned long long));
                break;
            case SizeSizeT:
                AppendNumber(out, spec + "ll" + c, static_cast<unsigned long long>(va_arg(args, size_t)));
                break;
            case SizeLong:
                if (isSigned) AppendNumber(out, spec + "l" + c, va_arg(args, long));
                else AppendNumber(out, spec + "l" + c, va_arg(args, unsigned long));
                break;
            case SizeShort:
                if (isSigned) AppendNumber(out, spec + c, static_cast<int>(static_cast<short>(va_arg(args, int))));
                else AppendNumber(out, spec + c, static_cast<unsigned>(static_cast<unsigned short>(va_arg(args, unsigned))));
                break;
            case SizeChar:
                if (isSigned) AppendNumber(out, spec + c, static_cast<int>(static_cast<signed char>(va_arg(args, int))));
                else AppendNumber(out, spec + c, static_cast<unsigned>(static_cast<unsigned char>(va_arg(args, unsigned))));
                break;
            default:
                if (isSigned) AppendNumber(out, spec + c, va_arg(args, int));
                else AppendNumber(out, spec + c, va_arg(args, unsigned));
            }
            break;
        }
        case L'e': case L'E': case L'f': case L'F': case L'g': case L'G':
            AppendNumber(out, spec + static_cast<char>(conv), va_arg(args, double));
            break;
        case L'p':
            AppendNumber(out, std::string("%p"), va_arg(args, void*));
            break;
        default:
            // Unknown conversion: copy it as it stands.
            out.append(start, static_cast<size_t>(p - start + (*p ? 1 : 0)));
            if (!*p) return out;
            break;
        }
        if (!*p) break;
    }
    return out;
}

}  // namespace

CString CString::FromAnsi(const char* s, int len) { return FromMultiByte(CP_ACP, s, len); }
CString CString::FromCodePage(unsigned codePage, const char* s, int len) { return FromMultiByte(codePage, s, len); }
CString CString::FromUtf8(const char* s, int len) { return FromMultiByte(CP_UTF8, s, len); }
std::string CString::ToAnsi() const { return ToMultiByte(CP_ACP, m_s); }
std::string CString::ToCodePage(unsigned codePage) const { return ToMultiByte(codePage, m_s); }
std::string CString::ToUtf8() const { return ToMultiByte(CP_UTF8, m_s); }

wchar_t* CString::GetBuffer(int minLength)
{
    if (minLength > GetLength()) m_s.resize(static_cast<size_t>(minLength));
    return m_s.data();
}

wchar_t* CString::GetBufferSetLength(int length)
{
    m_s.resize(static_cast<size_t>(length < 0 ? 0 : length));
    return m_s.data();
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0) {
        size_t nul = m_s.find(L'\0');
        if (nul != std::wstring::npos) m_s.resize(nul);
    } else if (newLength <= GetLength()) {
        m_s.resize(static_cast<size_t>(newLength));
    }
}

int CString::Compare(const wchar_t* s) const
{
    int r = m_s.compare(s ? s : L"");
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::CompareNoCase(const wchar_t* s) const
{
    const wchar_t* other = s ? s : L"";
    int r = CompareStringOrdinal(m_s.c_str(), GetLength(), other, static_cast<int>(wcslen(other)), TRUE);
    if (r == 0) {  // not available: fall back to a simple fold
        r = _wcsicmp(m_s.c_str(), other);
        return r < 0 ? -1 : (r > 0 ? 1 : 0);
    }
    return r - CSTR_EQUAL;
}

int CString::Find(wchar_t ch, int start) const
{
    if (start < 0) start = 0;
    if (start >= GetLength()) return -1;
    size_t i = m_s.find(ch, static_cast<size_t>(start));
    return i == std::wstring::npos ? -1 : static_cast<int>(i);
}

int CString::Find(const wchar_t* sub, int start) const
{
    if (!sub) return -1;
    if (start < 0) start = 0;
    if (start > GetLength()) return -1;
    size_t i = m_s.find(sub, static_cast<size_t>(start));
    return i == std::wstring::npos ? -1 : static_cast<int>(i);
}

int CString::ReverseFind(wchar_t ch) const
{
    size_t i = m_s.rfind(ch);
    return i == std::wstring::npos ? -1 : static_cast<int>(i);
}

int CString::FindOneOf(const wchar_t* chars) const
{
    if (!chars) return -1;
    size_t i = m_s.find_first_of(chars);
    return i == std::wstring::npos ? -1 : static_cast<int>(i);
}

CString CString::Mid(int first) const { return Mid(first, INT_MAX); }

CString CString::Mid(int first, int count) const
{
    if (first < 0) first = 0;
    if (count < 0) count = 0;
    if (first >= GetLength()) return CString();
    return CString(m_s.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString CString::Left(int count) const { return Mid(0, count); }

CString CString::Right(int count) const
{
    if (count < 0) count = 0;
    if (count >= GetLength()) return *this;
    return CString(m_s.substr(m_s.size() - static_cast<size_t>(count)));
}

CString CString::SpanExcluding(const wchar_t* chars) const
{
    int i = FindOneOf(chars);
    return i < 0 ? *this : Left(i);
}

CString CString::Tokenize(const wchar_t* delims, int& pos) const
{
    if (pos < 0 || pos >= GetLength() || !delims) { pos = -1; return CString(); }
    size_t b = m_s.find_first_not_of(delims, static_cast<size_t>(pos));
    if (b == std::wstring::npos) { pos = -1; return CString(); }
    size_t e = m_s.find_first_of(delims, b);
    if (e == std::wstring::npos) e = m_s.size();
    pos = static_cast<int>(e) + 1;
    return CString(m_s.substr(b, e - b));
}

CString& CString::MakeUpper()
{
    if (!m_s.empty()) CharUpperBuffW(m_s.data(), static_cast<DWORD>(m_s.size()));
    return *this;
}

CString& CString::MakeLower()
{
    if (!m_s.empty()) CharLowerBuffW(m_s.data(), static_cast<DWORD>(m_s.size()));
    return *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }

CString& CString::TrimLeft()
{
    size_t i = 0;
    while (i < m_s.size() && IsSpace(m_s[i])) ++i;
    m_s.erase(0, i);
    return *this;
}

CString& CString::TrimRight()
{
    while (!m_s.empty() && IsSpace(m_s.back())) m_s.pop_back();
    return *this;
}

CString& CString::Trim(wchar_t ch) { return TrimRight(ch).TrimLeft(ch); }

CString& CString::TrimLeft(wchar_t ch)
{
    size_t i = 0;
    while (i < m_s.size() && m_s[i] == ch) ++i;
    m_s.erase(0, i);
    return *this;
}

CString& CString::TrimRight(wchar_t ch)
{
    while (!m_s.empty() && m_s.back() == ch) m_s.pop_back();
    return *this;
}

int CString::Replace(const wchar_t* oldText, const wchar_t* newText)
{
    if (!oldText || !*oldText) return 0;
    std::wstring_view from(oldText);
    std::wstring_view to(newText ? newText : L"");
    int count = 0;
    size_t pos = 0;
    while ((pos = m_s.find(from, pos)) != std::wstring::npos) {
        m_s.replace(pos, from.size(), to);
        pos += to.size();
        ++count;
    }
    return count;
}

int CString::Replace(wchar_t oldCh, wchar_t newCh)
{
    int count = 0;
    for (auto& c : m_s) if (c == oldCh) { c = newCh; ++count; }
    return count;
}

int CString::Remove(wchar_t ch)
{
    size_t before = m_s.size();
    m_s.erase(std::remove(m_s.begin(), m_s.end(), ch), m_s.end());
    return static_cast<int>(before - m_s.size());
}

int CString::Insert(int index, const wchar_t* s)
{
    if (index < 0) index = 0;
    if (index > GetLength()) index = GetLength();
    if (s) m_s.insert(static_cast<size_t>(index), s);
    return GetLength();
}

int CString::Insert(int index, wchar_t ch)
{
    wchar_t s[2] = {ch, 0};
    return Insert(index, s);
}

int CString::Delete(int index, int count)
{
    if (index < 0) index = 0;
    if (count > 0 && index < GetLength()) m_s.erase(static_cast<size_t>(index), static_cast<size_t>(count));
    return GetLength();
}

void CString::Truncate(int length)
{
    if (length >= 0 && length < GetLength()) m_s.resize(static_cast<size_t>(length));
}

void CString::FormatV(const wchar_t* format, va_list args) { m_s = FormatImpl(format, args); }

void CString::Format(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    m_s = FormatImpl(format, args);
    va_end(args);
}

void CString::AppendFormat(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    m_s += FormatImpl(format, args);
    va_end(args);
}

CString CString::Formatted(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    CString s(FormatImpl(format, args));
    va_end(args);
    return s;
}

bool CString::FillPlaceholder(const wchar_t* value)
{
    size_t pos = m_s.find(L"%s");
    if (pos == std::wstring::npos) return false;
    m_s.replace(pos, 2, value ? value : L"");
    return true;
}

CString CString::FillPlaceholders(const wchar_t* text, std::initializer_list<const wchar_t*> values)
{
    std::wstring out;
    std::wstring_view in(text ? text : L"");
    auto next = values.begin();
    size_t pos = 0;
    while (pos < in.size()) {
        size_t hit = in.find(L"%s", pos);
        if (hit == std::wstring_view::npos || next == values.end()) { out.append(in.substr(pos)); break; }
        out.append(in.substr(pos, hit - pos));
        out.append(*next ? *next : L"");
        ++next;
        pos = hit + 2;
    }
    return CString(std::move(out));
}

int StrToInt(const wchar_t* s)
{
    if (!s) return 0;
    while (IsSpace(*s)) ++s;
    bool negative = false;
    if (*s == L'+' || *s == L'-') negative = (*s++ == L'-');
    long long v = 0;
    while (*s >= L'0' && *s <= L'9') {
        v = v * 10 + (*s++ - L'0');
        if (v > static_cast<long long>(INT_MAX) + 1) { v = static_cast<long long>(INT_MAX) + 1; }
    }
    if (negative) v = -v;
    if (v > INT_MAX) v = INT_MAX;
    if (v < INT_MIN) v = INT_MIN;
    return static_cast<int>(v);
}

unsigned long StrToHex(const wchar_t* s)
{
    if (!s) return 0;
    while (IsSpace(*s)) ++s;
    if (s[0] == L'0' && (s[1] == L'x' || s[1] == L'X')) s += 2;
    unsigned long long v = 0;
    for (;; ++s) {
        int d;
        if (*s >= L'0' && *s <= L'9') d = *s - L'0';
        else if (*s >= L'a' && *s <= L'f') d = *s - L'a' + 10;
        else if (*s >= L'A' && *s <= L'F') d = *s - L'A' + 10;
        else break;
        v = v * 16 + static_cast<unsigned>(d);
        if (v > 0xFFFFFFFFull) v = 0xFFFFFFFFull;
    }
    return static_cast<unsigned long>(v);
}
