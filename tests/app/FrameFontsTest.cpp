// The frame's texts in every language: the tab captions fit inside a pressed
// tab's edge and focus frame, measured in the tab's own font, and the status
// line is drawn again after a change of language.
#include "MainWindowFixture.h"

#include "app/Texts.h"
#include "framework/Gdi.h"

namespace {

class FrameFontsTest : public MainWindowTest {};

// The width of text in the font that control draws with.
int TextWidth(const CWnd& control, const CString& text)
{
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, control.GetFontHandle());
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text, text.GetLength(), &size);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return size.cx;
}

// A pressed tab draws a sunken edge and, with the focus, a dotted frame 3 pixels
// inside its rectangle: the caption keeps inside that frame.
TEST_F(FrameFontsTest, TabCaptionsFitAPressedTab)
{
    constexpr int kFocusInset = 3 + 1;
    for (int language = 0; language < LanguageCount; ++language) {
        main->ApplyLanguage(static_cast<LanguageIndex>(language), main->applyToFirmwareLanguage);
        for (int tab = 0; tab < kTabCount; ++tab) {
            const CButton& button = main->tabButtons[tab];
            const CString caption = button.GetWindowText();
            EXPECT_EQ(caption, PageTitle(tab + 1, static_cast<LanguageIndex>(language)));
            const int room = button.GetClientRect().Width() - 2 * kFocusInset;
            EXPECT_LE(TextWidth(button, caption), room) << "language " << language << ": " << caption.ToUtf8();
        }
    }
}

TEST_F(FrameFontsTest, StatusLineIsDrawnAgainAfterALanguageChange)
{
    main->ShowWindow(SW_SHOW);
    for (LanguageIndex language : {LanguageGerman, LanguageJapanese, LanguageEnglish}) {
        main->UpdateWindow();
        RECT pending{};
        ASSERT_FALSE(::GetUpdateRect(main->statusText.m_hWnd, &pending, FALSE));
        main->ApplyLanguage(language, main->applyToFirmwareLanguage);
        EXPECT_EQ(main->statusText.GetWindowText(), main->GetStatusText());
        EXPECT_FALSE(main->GetStatusText().IsEmpty());
        EXPECT_TRUE(::GetUpdateRect(main->statusText.m_hWnd, &pending, FALSE))
            << "the status text waits to be drawn again over the repainted status area";
    }
}

}  // namespace
