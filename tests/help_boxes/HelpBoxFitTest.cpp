// Every help text fits the box that shows it, in every language: measured in
// the font of the message box's text (the dialog font in bold) and wrapped as
// the text control wraps it, against the text area of the box's size. A text
// taller than its area loses its last lines; a word wider than the area is cut.
#include <gtest/gtest.h>

#include <windows.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "app/ui/DialogMessageBox.h"
#include "app/MainWindowFixture.h"
#include "device/ProductCatalogue.h"
#include "settings/HelpTexts.h"
#include "settingslist/SettingsRows.h"

namespace {

std::string Utf8(const CString& text) { return text.ToUtf8(); }

// Measures texts in a font, as a text control wraps them.
class TextMeasure {
public:
    explicit TextMeasure(HFONT font) : m_dc(::CreateCompatibleDC(nullptr)) { m_old = ::SelectObject(m_dc, font); }
    ~TextMeasure()
    {
        ::SelectObject(m_dc, m_old);
        ::DeleteDC(m_dc);
    }
    TextMeasure(const TextMeasure&) = delete;
    TextMeasure& operator=(const TextMeasure&) = delete;

    // The rectangle the text takes when wrapped at the given width.
    CSize Extent(const CString& text, int width, UINT align = DT_LEFT) const
    {
        RECT r = {0, 0, width, 0};
        ::DrawTextW(m_dc, text, -1, &r, align | DT_WORDBREAK | DT_EXPANDTABS | DT_CALCRECT);
        return CSize(r.right - r.left, r.bottom - r.top);
    }
    int Width(const CString& text) const
    {
        SIZE size{};
        ::GetTextExtentPoint32W(m_dc, text, text.GetLength(), &size);
        return size.cx;
    }
    std::wstring Face() const
    {
        wchar_t face[LF_FACESIZE] = {};
        ::GetTextFaceW(m_dc, LF_FACESIZE, face);
        return face;
    }
    bool IsBold() const
    {
        TEXTMETRICW metrics{};
        ::GetTextMetricsW(m_dc, &metrics);
        return metrics.tmWeight >= FW_BOLD;
    }

private:
    HDC m_dc;
    HGDIOBJ m_old = nullptr;
};

// Whether a text fits a box of the given size; the failure names the text.
::testing::AssertionResult Fits(const TextMeasure& font, const CString& text, CSize box)
{
    const CRect area = ComputeMessageBoxLayout(box.cx, box.cy, true).text;
    const CSize extent = font.Extent(text, area.Width());
    if (extent.cx <= area.Width() && extent.cy <= area.Height()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "needs " << extent.cx << " x " << extent.cy << " of " << area.Width()
                                         << " x " << area.Height() << ": " << Utf8(text);
}

// The widest model name of the catalogue, for the texts that name the model.
CString WidestModelName(const TextMeasure& font)
{
    CString widest;
    for (int id : KnownUsbProductIds) {
        const CString name = GetModelName(id & ~kUpdateModeBit, 0);
        if (font.Width(name) > font.Width(widest)) widest = name;
    }
    return widest;
}

// English texts that the system fixes and that do not fit their box.
bool IsKnownEnglishException(HelpTextId id, CSize box)
{
    (void)id;
    (void)box;
    return false;
}

// Measures in the font of a message box's text.
class HelpBoxFit : public ::testing::Test {
protected:
    void SetUp() override
    {
        box.Setup(L"", 0, nullptr, L"OK", CSize(520, 160));
        ASSERT_TRUE(box.CreateModeless(nullptr));
        measure = std::make_unique<TextMeasure>(box.textStatic.GetFontHandle());
    }

    CDialogMessageBox box;
    std::unique_ptr<TextMeasure> measure;
};

TEST_F(HelpBoxFit, MeasuredInTheBoldDialogFont)
{
    EXPECT_TRUE(measure->IsBold());
    std::printf("measured in %s\n", CString(measure->Face()).ToUtf8().c_str());
}

TEST_F(HelpBoxFit, TextsOfTheHelpButtonsFitTheirBoxes)
{
    HelpContext context;
    context.currentPage = 5;
    const CString model = WidestModelName(*measure);
    for (int language = 0; language < LanguageCount; ++language) {
        context.language = language;
        context.restartNote = HelpText(HelpTextId::RestartNoteText, language);
        for (const HelpBox& box : HelpBoxTable()) {
            // Where the text names the model: the widest name of the catalogue.
            const CString text = box.argumentCount && box.arguments[0] == HelpArgument::ModelName
                                     ? CString::FillPlaceholders(HelpTextLiteral(box.text, language), {model, model})
                                     : ComposeHelpBoxText(box, context);
            const CSize size = HelpBoxSize(box, language);
            if (language == LanguageEnglish && IsKnownEnglishException(box.text, size)) continue;
            EXPECT_TRUE(Fits(*measure, text, size)) << "button " << box.buttonId << ", language " << language;
        }
        for (EdrHelp help : {EdrHelp::OnboardAudio, EdrHelp::RecommendDisable, EdrHelp::RecommendEnable}) {
            const EdrHelpBox box = ComposeEdrHelpBox(help, language);
            EXPECT_TRUE(Fits(*measure, box.text, box.size)) << "EDR text " << static_cast<int>(help) << ", language " << language;
        }
    }
}

// Every row kind's help box, filled with the labels the row gives (the widest
// model name where the row names the model).
TEST_F(HelpBoxFit, TextsOfTheSettingsGridFitTheirBoxes)
{
    const CString model = WidestModelName(*measure);
    for (int index = 0; index < kRowKindCount; ++index) {
        const RowKind& kind = GetRowKind(static_cast<RowKindId>(index));
        if (kind.help == kNoHelp) continue;
        for (int language = 0; language < LanguageCount; ++language) {
            CString values[kMaxHelpArguments];
            for (int i = 0; i < kMaxHelpArguments; ++i) {
                const RowText& argument = kind.helpArguments[i];
                values[i] = argument.source == RowText::Source::ModelName ? model : argument.Text(language);
            }
            const CString text =
                CString::FillPlaceholders(HelpTextLiteral(kind.help, language), {values[0], values[1]});
            EXPECT_EQ(-1, text.Find(L"%s")) << HelpTextName(kind.help) << " has more placeholders than arguments";
            const CSize size(kHelpBoxWidth, kind.helpHeight);
            if (language == LanguageEnglish && IsKnownEnglishException(kind.help, size)) continue;
            EXPECT_TRUE(Fits(*measure, text, size)) << HelpTextName(kind.help) << ", language " << language;
        }
    }
}

// The page's two notes in their statics, in the page's font in bold as the
// page sets it: the onboard-audio note on two lines, the restart note on one.
TEST_F(MainWindowTest, NotesFitTheirStaticsOnThePage)
{
    CDialogDeviceSetting& page = main->DeviceSettingPage();
    CFont bold;
    ASSERT_TRUE(bold.CreateBoldOf(page.GetFontHandle()));
    const TextMeasure font(bold);
    struct Note {
        int control;
        HelpTextId text;
    };
    for (const Note& note : {Note{1047, HelpTextId::OnboardAudioNoteText}, Note{IDC_RESTART_NOTE, HelpTextId::RestartNoteText}}) {
        const CRect area = page.GetDlgItem(note.control)->GetClientRect();
        for (int language = 0; language < LanguageCount; ++language) {
            const CString text = HelpText(note.text, language);
            const CSize extent = font.Extent(text, area.Width(), DT_CENTER);
            EXPECT_TRUE(extent.cx <= area.Width() && extent.cy <= area.Height())
                << "static " << note.control << ", language " << language << ": needs " << extent.cx << " x "
                << extent.cy << " of " << area.Width() << " x " << area.Height() << ": " << Utf8(text);
        }
    }
}

}  // namespace
