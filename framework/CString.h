// CString: the program's UTF-16 string, a thin value type over std::wstring.
//
// Format() is implemented here rather than on the C runtime: "%s" always takes a
// wide string and "%S" a narrow (ANSI code page) one, whatever stdio flavour the
// runtime was built with.
#pragma once

#include <cstdarg>
#include <initializer_list>
#include <string>
#include <string_view>

class CString {
public:
    CString() = default;
    CString(const wchar_t* s) : m_s(s ? s : L"") {}
    CString(const wchar_t* s, int len) : m_s(s ? std::wstring(s, static_cast<size_t>(len < 0 ? 0 : len)) : std::wstring()) {}
    CString(wchar_t ch, int repeat = 1) : m_s(static_cast<size_t>(repeat < 0 ? 0 : repeat), ch) {}
    CString(std::wstring s) : m_s(std::move(s)) {}
    CString(std::wstring_view s) : m_s(s) {}

    // 8-bit text in the ANSI code page (CP_ACP), converted as a whole.
    static CString FromAnsi(const char* s, int len = -1);
    static CString FromAnsi(const std::string& s) { return FromAnsi(s.data(), static_cast<int>(s.size())); }
    static CString FromCodePage(unsigned codePage, const char* s, int len = -1);
    static CString FromUtf8(const char* s, int len = -1);
    static CString FromUtf8(const std::string& s) { return FromUtf8(s.data(), static_cast<int>(s.size())); }
    std::string ToAnsi() const;
    std::string ToCodePage(unsigned codePage) const;
    std::string ToUtf8() const;

    // Access
    int GetLength() const { return static_cast<int>(m_s.size()); }
    bool IsEmpty() const { return m_s.empty(); }
    void Empty() { m_s.clear(); }
    wchar_t GetAt(int i) const { return (i >= 0 && i < GetLength()) ? m_s[static_cast<size_t>(i)] : L'\0'; }
    void SetAt(int i, wchar_t ch) { if (i >= 0 && i < GetLength()) m_s[static_cast<size_t>(i)] = ch; }
    wchar_t operator[](int i) const { return GetAt(i); }
    operator const wchar_t*() const { return m_s.c_str(); }
    const wchar_t* GetString() const { return m_s.c_str(); }
    const std::wstring& str() const { return m_s; }
    std::wstring& str() { return m_s; }

    // Raw buffer: GetBuffer(n) gives at least n+1 writable characters;
    // ReleaseBuffer(-1) takes the length up to the first NUL.
    wchar_t* GetBuffer(int minLength = 0);
    wchar_t* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    // Concatenation and comparison
    CString& operator=(const wchar_t* s) { m_s = s ? s : L""; return *this; }
    CString& operator=(wchar_t ch) { m_s.assign(1, ch); return *this; }
    CString& operator+=(const CString& s) { m_s += s.m_s; return *this; }
    CString& operator+=(const wchar_t* s) { if (s) m_s += s; return *this; }
    CString& operator+=(wchar_t ch) { m_s += ch; return *this; }
    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_s + b.m_s); }
    friend CString operator+(const CString& a, const wchar_t* b) { return CString(a.m_s + (b ? b : L"")); }
    friend CString operator+(const wchar_t* a, const CString& b) { return CString((a ? std::wstring(a) : std::wstring()) + b.m_s); }
    friend CString operator+(const CString& a, wchar_t b) { return CString(a.m_s + b); }
    friend bool operator==(const CString& a, const CString& b) { return a.m_s == b.m_s; }
    friend bool operator==(const CString& a, const wchar_t* b) { return a.m_s == (b ? b : L""); }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const wchar_t* b) { return !(a == b); }
    friend bool operator<(const CString& a, const CString& b) { return a.m_s < b.m_s; }
    int Compare(const wchar_t* s) const;
    int CompareNoCase(const wchar_t* s) const;

    // Searching: indexes are in characters, -1 when not found.
    int Find(wchar_t ch, int start = 0) const;
    int Find(const wchar_t* sub, int start = 0) const;
    int ReverseFind(wchar_t ch) const;
    int FindOneOf(const wchar_t* chars) const;

    // Extraction (out-of-range arguments are clamped, never thrown)
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;
    CString SpanExcluding(const wchar_t* chars) const;
    CString Tokenize(const wchar_t* delims, int& pos) const;

    // Editing
    CString& MakeUpper();
    CString& MakeLower();
    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();
    CString& Trim(wchar_t ch);
    CString& TrimLeft(wchar_t ch);
    CString& TrimRight(wchar_t ch);
    int Replace(const wchar_t* oldText, const wchar_t* newText);
    int Replace(wchar_t oldCh, wchar_t newCh);
    int Remove(wchar_t ch);
    int Insert(int index, const wchar_t* s);
    int Insert(int index, wchar_t ch);
    int Delete(int index, int count = 1);
    void Truncate(int length);

    // Formatting: printf-style with "%s" = wide string, "%S" = narrow string,
    // "%c" = wide character; d i u x X o with h/l/ll/I64 sizes; e f g; p; %%.
    void Format(const wchar_t* format, ...);
    void FormatV(const wchar_t* format, va_list args);
    void AppendFormat(const wchar_t* format, ...);
    static CString Formatted(const wchar_t* format, ...);

    // Fills the first "%s" of this text with value by literal replacement; the
    // result is never read as a format again. Returns false when there is no "%s".
    bool FillPlaceholder(const wchar_t* value);
    // Fills every "%s" in order with values (a missing value leaves "%s" as it is).
    static CString FillPlaceholders(const wchar_t* text, std::initializer_list<const wchar_t*> values);

private:
    std::wstring m_s;
};

// Like _wtoi: optional blanks, optional sign, decimal digits; stops at the first
// non-digit; 0 when nothing parses; saturates instead of overflowing.
int StrToInt(const wchar_t* s);
// Like wcstoul with base 16 ("0x" prefix optional); 0 when nothing parses.
unsigned long StrToHex(const wchar_t* s);
