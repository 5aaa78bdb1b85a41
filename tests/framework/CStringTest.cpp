#include <gtest/gtest.h>

#include "framework/CString.h"

TEST(CStringFormat, WideStringsNumbersAndPadding)
{
    struct Case { CString got; const wchar_t* expected; };
    const Case cases[] = {
        {CString::Formatted(L"%s-%d", L"a", 5), L"a-5"},
        {CString::Formatted(L"[%5s|%-5s]", L"ab", L"cd"), L"[   ab|cd   ]"},
        {CString::Formatted(L"%.2s", L"abcdef"), L"ab"},
        {CString::Formatted(L"%02X%04X", 0xAu, 0x3E1Fu), L"0A3E1F"},
        {CString::Formatted(L"%04x", 0xd340u), L"d340"},
        {CString::Formatted(L"%d%%", 42), L"42%"},
        {CString::Formatted(L"%c%c", L'é', L'x'), L"éx"},
        {CString::Formatted(L"%d %u %ld", -7, 4000000000u, -123456L), L"-7 4000000000 -123456"},
        {CString::Formatted(L"%I64d|%lld", -5000000000LL, 9000000000LL), L"-5000000000|9000000000"},
        {CString::Formatted(L"%S", "narrow"), L"narrow"},
        {CString::Formatted(L"%s", L"日本語"), L"日本語"},
        {CString::Formatted(L"%*d|%-4d|", 4, 7, 3), L"   7|3   |"},
        {CString::Formatted(L"%.1f", 2.25), L"2.2"},
        {CString::Formatted(L"no args"), L"no args"},
        {CString::Formatted(L"trailing %"), L"trailing %"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.got.str(), std::wstring(c.expected));
}

TEST(CStringFormat, PlaceholderIsFilledLiterally)
{
    // A value holding format characters is copied as it stands.
    CString t(L"Ready for %s. Next");
    EXPECT_TRUE(t.FillPlaceholder(L"100% %d %s"));
    EXPECT_EQ(t, L"Ready for 100% %d %s. Next");
    CString none(L"nothing here");
    EXPECT_FALSE(none.FillPlaceholder(L"x"));
    EXPECT_EQ(CString::FillPlaceholders(L"%s and %s and %s", {L"a", L"%s"}), L"a and %s and %s");
}

TEST(CStringConversion, WholeBufferCodePages)
{
    // Japanese in code page 932: double-byte characters survive the round trip.
    const CString jp(L"設定ファイル\\フォルダ");
    std::string bytes = jp.ToCodePage(932);
    EXPECT_GT(bytes.size(), static_cast<size_t>(jp.GetLength()));
    EXPECT_EQ(CString::FromCodePage(932, bytes.data(), static_cast<int>(bytes.size())), jp);
    // UTF-8 both ways, and the ANSI code page for plain ASCII.
    const CString mixed(L"Größe – Ярлык – 固件");
    EXPECT_EQ(CString::FromUtf8(mixed.ToUtf8()), mixed);
    EXPECT_EQ(CString::FromAnsi("keyManagerLanguage=English"), L"keyManagerLanguage=English");
    EXPECT_TRUE(CString::FromAnsi("").IsEmpty());
}

TEST(CStringEditing, SearchExtractTrimCase)
{
    CString s(L"  Key = Value \r\n");
    s.Trim();
    EXPECT_EQ(s, L"Key = Value");
    EXPECT_EQ(s.Find(L'='), 4);
    EXPECT_EQ(s.Find(L"Val"), 6);
    EXPECT_EQ(s.Find(L'x'), -1);
    EXPECT_EQ(s.ReverseFind(L'e'), 10);
    EXPECT_EQ(s.Left(3), L"Key");
    EXPECT_EQ(s.Mid(6), L"Value");
    EXPECT_EQ(s.Mid(6, 2), L"Va");
    EXPECT_EQ(s.Right(5), L"Value");
    // Out-of-range arguments are clamped, never thrown.
    EXPECT_EQ(s.Mid(100), L"");
    EXPECT_EQ(s.Left(-1), L"");
    EXPECT_EQ(s.Right(100), s);
    EXPECT_EQ(s.Find(L'K', 99), -1);
    CString u(L"Finnish");
    EXPECT_EQ(u.MakeUpper(), L"FINNISH");
    EXPECT_EQ(u.CompareNoCase(L"finnish"), 0);
    EXPECT_NE(u.CompareNoCase(L"finnis"), 0);
    CString r(L"a.b.c");
    EXPECT_EQ(r.Replace(L".", L"::"), 2);
    EXPECT_EQ(r, L"a::b::c");
}

TEST(CStringEditing, BufferAndParsing)
{
    CString s;
    wchar_t* p = s.GetBuffer(10);
    wcscpy(p, L"abc");
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 3);
    EXPECT_EQ(StrToInt(L"  -42abc"), -42);
    EXPECT_EQ(StrToInt(L"x1"), 0);
    EXPECT_EQ(StrToInt(L"99999999999"), 2147483647);
    EXPECT_EQ(StrToInt(L"-99999999999"), -2147483647 - 1);
    EXPECT_EQ(StrToHex(L"0x3E1F"), 0x3E1Fu);
    EXPECT_EQ(StrToHex(L"d340z"), 0xD340u);
}
