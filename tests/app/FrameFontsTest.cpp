// The frame's texts in every language: the tab captions fit inside a pressed
// tab's edge and focus frame, measured in the tab's own font, and the status
// line is drawn again after a change of language.
#include "MainWindowFixture.h"

#include "app/Texts.h"
#include "support/DrawnText.h"

namespace {

class FrameFontsTest : public MainWindowTest {};

// A pressed tab draws a sunken edge and, with the focus, a dotted frame 3 pixels
// inside its rectangle; the caption, centred as the skin draws it, keeps its
// ink inside that frame.
TEST_F(FrameFontsTest, TabCaptionsFitAPressedTab)
{
    constexpr int kFocusInset = 3 + 1;
    for (int language = 0; language < LanguageCount; ++language) {
        main->ApplyLanguage(static_cast<LanguageIndex>(language), main->applyToFirmwareLanguage);
        for (int tab = 0; tab < kTabCount; ++tab) {
            const CButton& button = main->tabButtons[tab];
            const CString caption = button.GetWindowText();
            EXPECT_EQ(caption, PageTitle(tab + 1, static_cast<LanguageIndex>(language)));
            const int width = button.GetClientRect().Width();
            const DrawnSpan span = DrawTextSpan(button.GetFontHandle(), caption, width, DT_CENTER | DT_VCENTER | DT_NOPREFIX);
            EXPECT_GE(span.left, kFocusInset) << "language " << language << ": " << caption.ToUtf8();
            EXPECT_LE(span.right, width - kFocusInset) << "language " << language << ": " << caption.ToUtf8();
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
