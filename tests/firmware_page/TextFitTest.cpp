// The texts of the update page and of the offer fit their controls in every
// language, measured in the fonts the controls draw with: a caption wider than
// its button or static is cut, a wrapped text taller than its static loses its
// last lines.
#include "FirmwarePageFixture.h"

#include "firmware/FirmwarePageTexts.h"
#include "support/DrawnText.h"

namespace {

// Room a button leaves its caption: the frame and the focus rectangle.
constexpr int kButtonMargin = 8;

int ClientWidth(const CWnd& control) { return control.GetClientRect().Width(); }

int Weight(const CWnd& control)
{
    LOGFONTW font{};
    ::GetObjectW(control.GetFontHandle(), sizeof font, &font);
    return font.lfWeight;
}

// Height of a text wrapped at the control's width in the control's font.
int WrappedHeight(const CWnd& control, const CString& text)
{
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, control.GetFontHandle());
    RECT r = {0, 0, ClientWidth(control), 0};
    ::DrawTextW(dc, text, -1, &r, DT_LEFT | DT_WORDBREAK | DT_CALCRECT);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return r.bottom - r.top;
}

// Every line of a text with explicit line breaks fits on its own.
void ExpectLinesFit(const CWnd& control, const CString& text, const char* what)
{
    int pos = 0;
    while (pos <= text.GetLength()) {
        int end = text.Find(L'\n', pos);
        if (end < 0) end = text.GetLength();
        const CString line = text.Mid(pos, end - pos);
        EXPECT_LE(DrawnWidth(control.GetFontHandle(), line), ClientWidth(control)) << what << ": " << line.ToUtf8();
        pos = end + 1;
    }
    EXPECT_LE(WrappedHeight(control, text), control.GetClientRect().Height()) << what;
}

void ExpectLineFits(const CWnd& control, int margin, const char* what)
{
    const CString text = control.GetWindowText();
    EXPECT_LE(DrawnWidth(control.GetFontHandle(), text), ClientWidth(control) - margin) << what << ": " << text.ToUtf8();
}

TEST_F(FirmwarePageTest, PageTextsFitInEveryLanguage)
{
    Recognize(0x5910, {1, 3, 0, 0});
    const std::string ostrel = ModelNameOf(0x5910);
    ServeIndex(ostrel + ":v1.3:English:a.img\n" + ostrel + ":v1.3:French:b.img\n");
    Open();
    for (LanguageIndex language = 0; language < LanguageCount; ++language) {
        SCOPED_TRACE(testing::Message() << "language " << language);
        main->language = language;
        page().RefreshLabels();
        EXPECT_EQ(Weight(page().titleStatic), FW_BOLD);
        EXPECT_EQ(Weight(page().stepsStatic), FW_BOLD);
        ExpectLineFits(page().titleStatic, 0, "title");
        ExpectLineFits(page().browseButton, kButtonMargin, "Browse");
        ExpectLineFits(page().downloadButton, kButtonMargin, "Download");
        ExpectLineFits(page().languageLabel, 0, "voice prompt label");
        ExpectLineFits(page().versionStatic, 0, "version line");
        ExpectLinesFit(page().stepsStatic, TextVoicePromptSteps(language), "steps");
    }
}

TEST_F(FirmwarePageTest, OfferTextsFitInEveryLanguage)
{
    Recognize(0x3020, {12, 15, 10, 11});  // the widest versions: four two-digit parts
    const std::string lumen = ModelNameOf(0x3020);
    ServeIndex(lumen + ":v10.11.12.25:English:a.img\n" + lumen + ":v10.11.12.25:French:b.img\n");
    for (LanguageIndex language = 0; language < LanguageCount; ++language) {
        SCOPED_TRACE(testing::Message() << "language " << language);
        main->language = language;
        int measured = 0;
        SetModalDialogHook([&](CDialog& dialog, UINT) {
            auto& offer = dynamic_cast<CDialogNewUpdateFound&>(dialog);
            for (const CWnd* control : {static_cast<const CWnd*>(&offer.questionStatic), static_cast<const CWnd*>(&offer.newVersion),
                                        static_cast<const CWnd*>(&offer.yesButton)}) {
                EXPECT_EQ(Weight(*control), FW_BOLD);
            }
            ExpectLineFits(offer.currentLabel, 0, "current label");
            ExpectLineFits(offer.newLabel, 0, "new label");
            ExpectLineFits(offer.currentVersion, 0, "current version");
            ExpectLineFits(offer.newVersion, 0, "new version");
            ExpectLineFits(offer.languageLabel, 0, "voice prompt label");
            ExpectLineFits(offer.yesButton, kButtonMargin, "YES");
            ExpectLineFits(offer.noButton, kButtonMargin, "NO");
            EXPECT_LE(WrappedHeight(offer.questionStatic, offer.questionStatic.GetWindowText()),
                      offer.questionStatic.GetClientRect().Height());
            ++measured;
            offer.PressButton(IDCANCEL);
        });
        Open();
        EXPECT_EQ(measured, 1);
    }
}

}  // namespace
