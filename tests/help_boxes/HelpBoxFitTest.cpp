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

#include "app/DialogMessageBox.h"
#include "app/MainWindowFixture.h"
#include "device/ProductCatalogue.h"
#include "settings/HelpTexts.h"
#include "settingslist/LabelTables.h"

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

// The settings grid's help boxes: 520 pixels wide, each text at its rows'
// height, filled with the labels the rows give (the model's name where a row
// names the model).
struct GridHelp {
    HelpTextId text;
    int height;
    std::vector<const LabelTable*> labels;  // in placeholder order; null: the model's name
};

const std::vector<GridHelp>& GridHelps()
{
    static const std::vector<GridHelp> helps = {
        {HelpTextId::HelpHighQualityA2dp, 160, {}},
        {HelpTextId::HelpSidetone, 160, {}},
        {HelpTextId::HelpCalmweave, 160, {&CalmweaveLabels}},
        {HelpTextId::HelpMotionSensorSensitivity, 170, {nullptr}},
        {HelpTextId::HelpNavigationAppSupport, 190, {&BlendcastLabels, &BlendcastLabels}},
        {HelpTextId::HelpBlendcast, 260, {&BlendcastLabels, &FmRadioLabels}},
        {HelpTextId::HelpOverlaySensitivity10, 240, {&BlendcastLabels}},
        {HelpTextId::HelpOverlaySensitivity5, 240, {}},
        {HelpTextId::HelpAudioBoost, 150, {&AudioBoostLabels}},
        {HelpTextId::HelpVoxSensitivityDefault3, 180, {}},
        {HelpTextId::HelpVoxSensitivityDefault2, 180, {}},
        {HelpTextId::HelpVoxSensitivityLowMedHigh, 180, {}},
        {HelpTextId::HelpVoxPhone, 150, {}},
        {HelpTextId::HelpHdIntercom, 160, {&HdIntercomLabels}},
        {HelpTextId::HelpEightWayIntercom, 190, {&EightWayIntercomLabels, &EightWayIntercomLabels}},
        {HelpTextId::HelpVoicePrompt, 130, {}},
        {HelpTextId::HelpVoxIntercom, 230, {&VoxIntercomLabels, &VoxIntercomLabels}},
        {HelpTextId::HelpPhotoMode, 170, {}},
        {HelpTextId::HelpVideoModeTwoModes, 190, {}},
        {HelpTextId::HelpVideoModeThreeModes, 250, {}},
        {HelpTextId::HelpVideoResolution, 160, {}},
        {HelpTextId::HelpTimelapseInterval, 160, {}},
        {HelpTextId::HelpVideoTaggingInterval, 160, {}},
        {HelpTextId::HelpLoopRecordingInterval, 160, {}},
        {HelpTextId::HelpVideoMicrophoneGain, 160, {}},
        {HelpTextId::HelpDateCaption, 170, {}},
        {HelpTextId::HelpSpeakerSoundRecording, 190, {&SpeakerSoundRecordingLabels, &SpeakerSoundRecordingLabels}},
        {HelpTextId::HelpAutoCameraSleep, 200, {&AutoCameraSleepLabels, &AutoCameraSleepLabels}},
        {HelpTextId::HelpSmartVolume, 170, {}},
        {HelpTextId::HelpFmStationGuide, 190, {}},
        {HelpTextId::HelpHdVoice, 160, {}},
        {HelpTextId::HelpAudioSourcePriority, 230, {}},
        {HelpTextId::HelpLayerlyFull, 280, {}},
        {HelpTextId::HelpLayerlyGps, 280, {}},
        {HelpTextId::HelpSmartNaviSystem, 180, {}},
        {HelpTextId::HelpGuestMode, 260, {}},
        {HelpTextId::HelpLayerlyVolumeManagement, 220, {}},
        {HelpTextId::HelpVoiceCommand, 180, {}},
        {HelpTextId::HelpEssStatus, 200, {}},
        {HelpTextId::HelpEssSensitivity, 200, {}},
    };
    return helps;
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

TEST_F(HelpBoxFit, TextsOfTheSettingsGridFitTheirBoxes)
{
    const CString model = WidestModelName(*measure);
    for (const GridHelp& help : GridHelps()) {
        for (int language = 0; language < LanguageCount; ++language) {
            std::vector<CString> values;
            for (const LabelTable* table : help.labels) values.push_back(table ? CString(GetLabelText(*table, language)) : model);
            values.resize(2);
            const CString text =
                CString::FillPlaceholders(HelpTextLiteral(help.text, language), {values[0], values[1]});
            const CSize size(520, help.height);
            if (language == LanguageEnglish && IsKnownEnglishException(help.text, size)) continue;
            EXPECT_TRUE(Fits(*measure, text, size)) << HelpTextName(help.text) << ", language " << language;
        }
    }
}

// The page's two notes in their statics, in the page's font in bold as the
// page sets it: the onboard-audio note on two lines, the restart note on one.
TEST_F(MainWindowTest, NotesFitTheirStaticsOnThePage)
{
    CDialogDeviceSetting& page = main->deviceSettingPage;
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
