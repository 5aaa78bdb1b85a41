// The hyperlink edit: link finding, clicks that open links through the shell
// seam, and the ".htm" handler fallback.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GridTestPage.h"
#include "controls/HyperEdit.h"
#include "framework/Shell.h"

namespace {

TEST(HyperEditLinks, WordsBeginningWwwAreLinks)
{
    CHyperEdit edit;
    struct Case { const wchar_t* word; bool link; };
    const Case cases[] = {
        {L"www.example.com", true}, {L"WWW.Example.COM", true}, {L"Www.x", true}, {L"www.", true},
        {L"http://www.example.com", false}, {L"www", false}, {L"wwwx.com", false}, {L"", false},
        {L" www.x", false}, {L"\twww.x", false},
    };
    for (const Case& c : cases) EXPECT_EQ(edit.IsLink(c.word) != FALSE, c.link) << CString(c.word).ToUtf8();
}

TEST(HyperEditLinks, OpenCommandCutsAtThePlaceholder)
{
    struct Case { const wchar_t* command; const wchar_t* line; };
    const Case cases[] = {
        {L"\"C:\\Browser\\browser.exe\" \"%1\"", L"\"C:\\Browser\\browser.exe\"  www.x.com"},
        {L"\"C:\\Browser\\browser.exe\" -url \"%1\" -new", L"\"C:\\Browser\\browser.exe\" -url  www.x.com"},
        {L"C:\\browser.exe %1", L"C:\\browser.exe  www.x.com"},
        {L"C:\\browser.exe -nohome", L"C:\\browser.exe -nohome www.x.com"},
        {L"browser.exe %1 \"%1\"", L"browser.exe %1  www.x.com"},
    };
    for (const Case& c : cases) EXPECT_EQ(BuildOpenCommand(c.command, L"www.x.com"), c.line);
}

class HyperEditTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.CreateEx(0, nullptr, L"Instructions", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE,
                                    CRect(60, 60, 560, 360), nullptr, 0));
        ASSERT_TRUE(edit.CreateEx(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                                  CRect(10, 10, 410, 210), &window, 1183));
        SetShellOpenHook([this](const CString& verb, const CString& target) {
            opened.push_back(verb + L" " + target);
            return shellResult;
        });
        SetProgramRunHook([this](const std::string& line, int show) {
            runs.push_back(line);
            return 33u;
        });
    }
    void TearDown() override
    {
        SetShellOpenHook(nullptr);
        SetProgramRunHook(nullptr);
    }
    void SetText(const wchar_t* text)
    {
        edit.SetWindowText(text);
        edit.Invalidate(TRUE);
        edit.UpdateWindow();
    }
    // A point on the middle of character index.
    CPoint OnChar(int index) const
    {
        CPoint p = edit.PosFromChar(static_cast<UINT>(index));
        return CPoint(p.x + 2, p.y + 4);
    }
    void Press(CPoint p) { edit.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y)); }
    void Release(CPoint p) { edit.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y)); }

    CWnd window;
    CHyperEdit edit;
    std::vector<CString> opened;
    std::vector<std::string> runs;
    INT_PTR shellResult = 42;
};

TEST_F(HyperEditTest, FindsOnlyTheLinkWords)
{
    SetText(L"one www.example.com three");
    ASSERT_EQ(edit.GetLinks().size(), 1u);
    EXPECT_EQ(edit.GetLinks()[0].start, 4);
    EXPECT_EQ(edit.GetLinks()[0].length, 15);

    SetText(L"Visit WWW.TORVIK.EXAMPLE or http://www.torvik.example\r\nwww.help.example\tend");
    ASSERT_EQ(edit.GetLinks().size(), 2u);
    EXPECT_EQ(edit.GetLinks()[0].start, 6);
    EXPECT_EQ(edit.GetLinks()[0].length, 18);
    EXPECT_EQ(edit.GetLinks()[1].start, 55);
    EXPECT_EQ(edit.GetLinks()[1].length, 16);
}

TEST_F(HyperEditTest, DrawsLinksUnderlinedInTheLinkColourOutsideTheSelection)
{
    SetText(L"one www.example.com three");
    const COLORREF link = RGB(92, 92, 154);
    EXPECT_EQ(edit.GetLinkColour(), link);
    CClientDC screen(nullptr);
    CRect client = edit.GetClientRect();
    CMemoryDC dc(screen, client.Width(), client.Height());
    auto draw = [&] {
        dc.FillSolidRect(client, RGB(255, 255, 255));
        edit.DrawLinks(dc);
    };
    // The pixel rows of characters [first, last).
    auto span = [&](int first, int last) {
        CPoint from = edit.PosFromChar(static_cast<UINT>(first));
        return CRect(from.x, from.y, edit.PosFromChar(static_cast<UINT>(last)).x, from.y + 24);
    };
    auto has = [&](const CRect& r) {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (dc.GetPixel(x, y) == link) return true;
        return false;
    };
    // Some pixel row runs in the link colour under the whole word.
    auto underlined = [&](const CRect& r) {
        for (int y = r.top; y < r.bottom; ++y) {
            int x = r.left;
            while (x < r.right && dc.GetPixel(x, y) == link) ++x;
            if (x == r.right) return true;
        }
        return false;
    };

    draw();
    EXPECT_TRUE(has(span(4, 19)));
    EXPECT_TRUE(underlined(span(4, 19)));
    EXPECT_FALSE(has(span(0, 4))) << "plain words are left to the edit";
    EXPECT_FALSE(has(span(19, 24)));

    edit.SetSel(4, 8, TRUE);
    draw();
    EXPECT_FALSE(has(span(4, 8))) << "selected characters keep the selection look";
    EXPECT_TRUE(has(span(8, 19)));
}

TEST_F(HyperEditTest, LinkAtTheEndOfTheTextIsFound)
{
    SetText(L"see www.torvik.example");
    ASSERT_EQ(edit.GetLinks().size(), 1u);
    EXPECT_EQ(edit.GetLinks()[0].start, 4);
    EXPECT_EQ(edit.GetLinks()[0].length, 18);
}

TEST_F(HyperEditTest, LinkCutAtTheEndOfTheRangeIsNotFound)
{
    SetText(L"www.torvik.example tail");
    edit.FindLinks(0, 10);
    EXPECT_TRUE(edit.GetLinks().empty());
    edit.FindLinks(0, 18);
    EXPECT_EQ(edit.GetLinks().size(), 1u);
    // A range past the end of the text stops at the end.
    edit.FindLinks(19, 5000);
    EXPECT_TRUE(edit.GetLinks().empty());
    SetText(L"");
    edit.FindLinks(0, 100);
    EXPECT_TRUE(edit.GetLinks().empty());
}

TEST_F(HyperEditTest, ClickOnALinkOpensIt)
{
    SetText(L"one www.example.com three");
    Press(OnChar(8));
    Release(OnChar(10));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], L"open www.example.com");
    EXPECT_TRUE(runs.empty());
}

TEST_F(HyperEditTest, PressAndReleaseOnDifferentLinksOpenNothing)
{
    SetText(L"www.one.example www.two.example");
    Press(OnChar(2));
    Release(OnChar(20));
    EXPECT_TRUE(opened.empty());
    Press(OnChar(2));
    Release(OnChar(0));
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(HyperEditTest, ReleaseWithASelectionOpensNothing)
{
    SetText(L"one www.example.com three");
    Press(OnChar(8));
    edit.SetSel(4, 10, TRUE);
    Release(OnChar(8));
    EXPECT_TRUE(opened.empty());
}

TEST_F(HyperEditTest, ClickBelowTheLastLineOpensNothing)
{
    SetText(L"text ending with www.example.com");
    CPoint below = OnChar(25);
    below.y += 120;
    Press(below);
    Release(below);
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(edit.LinkAtPoint(below), L"");
    EXPECT_EQ(edit.LinkAtPoint(OnChar(25)), L"www.example.com");
}

// Sets the default value of a key below HKEY_CURRENT_USER.
void SetDefaultValue(const std::wstring& key, const std::wstring& value)
{
    HKEY h = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(h, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(h);
}

TEST_F(HyperEditTest, FailedShellFallsBackToTheHtmHandler)
{
    // The classes root of this test: a ".htm" handler with a quoted "%1".
    const std::wstring root = L"Software\\TorvikControlsTest\\Classes";
    SetDefaultValue(root + L"\\.htm", L"torvikpage");
    SetDefaultValue(root + L"\\torvikpage\\shell\\open\\command", L"\"C:\\Browser\\browser.exe\" \"%1\"");
    HKEY classes = nullptr;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, root.c_str(), 0, KEY_READ, &classes), ERROR_SUCCESS);
    if (::RegOverridePredefKey(HKEY_CLASSES_ROOT, classes) != ERROR_SUCCESS) {
        ::RegCloseKey(classes);
        GTEST_SKIP() << "the classes root cannot be redirected here";
    }
    shellResult = 2;
    INT_PTR result = OpenUrl(L"www.example.com", SW_SHOW);
    ::RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    ::RegCloseKey(classes);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\TorvikControlsTest");

    EXPECT_EQ(result, 33);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0], "\"C:\\Browser\\browser.exe\"  www.example.com");
}

TEST_F(HyperEditTest, ShellSuccessRunsNoHandler)
{
    shellResult = 42;
    EXPECT_EQ(OpenUrl(L"www.example.com", SW_SHOW), 42);
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_TRUE(runs.empty());
}

TEST(HyperEditRegistry, ReadsDefaultValues)
{
    const wchar_t* key = L"Software\\TorvikControlsTest\\shell\\open\\command";
    const std::wstring value = L"\"C:\\A long folder name\\that goes on and on\\and on for more than a hundred and thirty "
                               L"characters\\browser.exe\" \"%1\"";
    SetDefaultValue(key, value);
    CString read;
    EXPECT_EQ(ReadRegistryDefaultValue(HKEY_CURRENT_USER, key, read), ERROR_SUCCESS);
    EXPECT_EQ(read, value.c_str());
    EXPECT_NE(ReadRegistryDefaultValue(HKEY_CURRENT_USER, L"Software\\TorvikControlsTest\\missing", read), ERROR_SUCCESS);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\TorvikControlsTest");
}

TEST_F(HyperEditTest, HasAHandCursor)
{
    EXPECT_NE(edit.GetHandCursor(), nullptr);
}

}  // namespace
