// The help texts of the settings pages: every text in every language, the
// placeholders a caller fills, the texts composed by product and firmware, and
// what each help box is filled with.
#include "settings/HelpTexts.h"

#include <gtest/gtest.h>

#include "device/DeviceSettings.h"
#include "res/resource.h"

namespace {

std::string Utf8(const wchar_t* text) { return CString(text).ToUtf8(); }

DeviceSettings WithFirmware(int major, int minor)
{
    DeviceSettings device;
    device.Firmware.Major = major;
    device.Firmware.Minor = minor;
    return device;
}

bool IsNote(HelpTextId id) { return id == HelpTextId::OnboardAudioNoteText || id == HelpTextId::RestartNoteText; }

TEST(HelpTexts, EveryTextInEveryLanguageHasItsTitleAndNoMorePlaceholdersThanEnglish)
{
    ASSERT_EQ(static_cast<size_t>(kHelpTextIdCount), HelpTextTable().size());
    for (int index = 0; index < kHelpTextIdCount; ++index) {
        const HelpTextEntry& entry = HelpTextTable()[static_cast<size_t>(index)];
        SCOPED_TRACE(HelpTextName(entry.id));
        ASSERT_EQ(index, static_cast<int>(entry.id));
        const int english = CountPlaceholders(entry.text[LanguageEnglish]);
        for (int language = 0; language < LanguageCount; ++language) {
            const wchar_t* text = HelpTextLiteral(entry.id, language);
            SCOPED_TRACE(language);
            ASSERT_NE(nullptr, text);
            ASSERT_NE(L'\0', text[0]);
            // The caller fills as many values as the English text has; a
            // translation with fewer would drop one.
            EXPECT_EQ(english, CountPlaceholders(text)) << Utf8(text);
            if (!IsNote(entry.id)) {
                // "[Title]\nbody", the title not empty and on one line.
                const CString help(text);
                const int close = help.Find(L"]\n");
                EXPECT_EQ(L'[', help[0]) << Utf8(text);
                EXPECT_GT(close, 1) << Utf8(text);
                EXPECT_EQ(-1, help.Left(close).Find(L'\n')) << Utf8(text);
            }
            // A translation is not the English text left in place (the product
            // names in the titles are the same in every language).
            if (language != LanguageEnglish) { EXPECT_STRNE(Utf8(entry.text[LanguageEnglish]).c_str(), Utf8(text).c_str()); }
        }
    }
}

TEST(HelpTexts, LanguagesOutsideOneToTenReadEnglish)
{
    for (int index = 0; index < kHelpTextIdCount; ++index) {
        const auto id = static_cast<HelpTextId>(index);
        for (LanguageIndex language : {0, -1, 11, 100}) {
            EXPECT_EQ(HelpTextTable()[static_cast<size_t>(index)].text[0], HelpTextLiteral(id, language))
                << HelpTextName(id) << " " << language;
        }
    }
    EXPECT_STREQ(L"", HelpTextLiteral(HelpTextId::Count, LanguageFrench));
    EXPECT_STREQ(L"", HelpTextLiteral(static_cast<HelpTextId>(-1), LanguageFrench));
}

// The English texts that look like slips are the system's own and stay.
TEST(HelpTexts, EnglishTextsAsTheSystemHasThem)
{
    struct Case {
        HelpTextId id;
        const wchar_t* english;
    };
    const Case cases[] = {
        {HelpTextId::RestartNoteText, L"NOTE: Changes will be applied after device restarts."},
        {HelpTextId::HelpCalmweave, L"[Calmweave™]\n%s reduces the effects of ambient noise during intercom conversations."},
        {HelpTextId::HelpMicrophoneBoosting,
         L"[Microphone Boosting]\nThis option is related with microphone gain setup in handsfree call and enabled by "
         L"default. If the microphone boosting is disabled, you may need to speak more loudly However, the "
         L"environmental noise may become less along with the lowered microphone gain."},
        {HelpTextId::HelpVoxIntercom,
         L"[VOX Intercom]\nIf %s is enabled, you can initiate an intercom conversation with the last connected "
         L"intercom by voice. When you want to start intercom, say a word such as \"Hello\" loudly or blow air into "
         L"the microphone. If %s is disabled, you can start an intercom conversation only by tapping the Jog Dial."},
        {HelpTextId::HelpEssSensitivity,
         L"[ESS Sensitivity]\nLow: the stop signal turns on during sudden braking only.\nHigh: the stop signal turns "
         L"on during slight braking as well."},
    };
    for (const Case& c : cases) EXPECT_STREQ(c.english, HelpTextLiteral(c.id, LanguageEnglish)) << HelpTextName(c.id);
    EXPECT_NE(-1, HelpText(HelpTextId::HelpVideoModeThreeModes, LanguageEnglish).Find(L" Timelaspe mode records "));
    EXPECT_EQ(L"seconds (3 ~ 60)", FormatTimeoutRangeText(LanguageEnglish));
    EXPECT_EQ(L"seconds (3 ~ 60)", FormatTimeoutRangeText(-3));
}

TEST(HelpTexts, RecommendEnableTextCarriesTheSupportAddressInEveryLanguage)
{
    EXPECT_EQ(CString(L"[Enhanced Data Rate]\nIt is highly recommended to enable this option unless there are any "
                      L"Bluetooth compatibility problems. If there are such problems, please contact technical "
                      L"support (support@torvik.example) to disable the EDR setting.\n"),
              HelpEdrRecommendEnableText(LanguageEnglish));
    for (int language = 0; language < LanguageCount; ++language) {
        const CString text = HelpEdrRecommendEnableText(language);
        EXPECT_EQ(-1, text.Find(L"%s")) << language;
        EXPECT_NE(-1, text.Find(kSupportEmailAddress)) << language;
    }
    EXPECT_EQ(L"mailto:support@torvik.example", SupportMailLink());
}

TEST(HelpTexts, VideoModeNamesLoopRecordingFromFirmwareTwo)
{
    struct Case {
        int major, minor;
        HelpTextId expected;
    };
    const Case cases[] = {{0, 0, HelpTextId::HelpVideoModeTwoModes},
                          {1, 99, HelpTextId::HelpVideoModeTwoModes},
                          {2, 0, HelpTextId::HelpVideoModeThreeModes},
                          {3, 1, HelpTextId::HelpVideoModeThreeModes}};
    for (const Case& c : cases) EXPECT_EQ(c.expected, VideoModeHelp(WithFirmware(c.major, c.minor))) << c.major << "." << c.minor;
    for (HelpTextId id : {HelpTextId::HelpVideoModeTwoModes, HelpTextId::HelpVideoModeThreeModes}) {
        for (int language = 0; language < LanguageCount; ++language)
            EXPECT_EQ(-1, HelpText(id, language).Find(L'%')) << language;
    }
}

TEST(HelpTexts, EdrTextByProductAndFirmwareBand)
{
    struct Case {
        int productId, major, minor;
        EdrHelp expected;
    };
    const Case cases[] = {
        {0x4D10, 4, 1, EdrHelp::OnboardAudio},     {0x4D10, 4, 2, EdrHelp::RecommendDisable},
        {0x4D10, 4, 3, EdrHelp::RecommendEnable},  {0x5080, 5, 0, EdrHelp::RecommendEnable},
        {0x5020, 3, 9, EdrHelp::OnboardAudio},     // minors compare as numbers: 4.15 is above 4.3
        {0x4D10, 4, 15, EdrHelp::RecommendEnable}, {0x4D35, 1, 1, EdrHelp::OnboardAudio},
        {0x4D35, 1, 2, EdrHelp::RecommendDisable}, {0x4D65, 1, 3, EdrHelp::RecommendEnable},
        {0x4D05, 4, 2, EdrHelp::RecommendEnable},  {0x2020, 0, 0, EdrHelp::RecommendEnable},
        {0x6121, 9, 9, EdrHelp::RecommendEnable},  {0x4010, 9, 9, EdrHelp::RecommendDisable},
        {0x2310, 0, 1, EdrHelp::RecommendDisable}, {0x5210, 4, 3, EdrHelp::OnboardAudio},
        {0x0000, 4, 3, EdrHelp::OnboardAudio},     {0x7FFF, 1, 3, EdrHelp::OnboardAudio},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, ChooseEdrHelp(c.productId, WithFirmware(c.major, c.minor)))
            << std::hex << c.productId << std::dec << " " << c.major << "." << c.minor;
    }
}

TEST(HelpTexts, EdrBoxesOnlyTheThirdOffersMail)
{
    struct Case {
        EdrHelp help;
        HelpTextId text;
        CSize size;
        bool mail;
    };
    const Case cases[] = {{EdrHelp::OnboardAudio, HelpTextId::HelpEdrOnboardAudio, {510, 160}, false},
                          {EdrHelp::RecommendDisable, HelpTextId::HelpEdrRecommendDisable, {510, 190}, false},
                          {EdrHelp::RecommendEnable, HelpTextId::HelpEdrRecommendEnable, {510, 200}, true}};
    for (const Case& c : cases) {
        for (LanguageIndex language : {LanguageEnglish, LanguageFinnish}) {
            const EdrHelpBox box = ComposeEdrHelpBox(c.help, language);
            EXPECT_EQ(c.size, box.size);
            EXPECT_EQ(c.mail, box.offersMail);
            EXPECT_EQ(c.mail ? HelpEdrRecommendEnableText(language) : HelpText(c.text, language), box.text);
        }
    }
}

TEST(HelpBoxes, EveryBoxFillsAsManyPlaceholdersAsItsTextHas)
{
    for (const HelpBox& box : HelpBoxTable()) {
        const wchar_t* text = box.text == HelpTextId::Count ? L"[%s]\n%s" : HelpTextLiteral(box.text, LanguageEnglish);
        EXPECT_EQ(CountPlaceholders(text), box.argumentCount) << box.buttonId;
        HelpContext context;
        context.targetProductId = 0x5210;
        context.restartNote = L"note";
        for (int language = 0; language < LanguageCount; ++language) {
            context.language = language;
            EXPECT_EQ(-1, ComposeHelpBoxText(box, context).Find(L"%s")) << box.buttonId << " " << language;
        }
    }
    EXPECT_EQ(nullptr, FindHelpBox(IDC_EDR_HELP));  // the EDR box is chosen by product and firmware
    EXPECT_EQ(nullptr, FindHelpBox(0));
}

TEST(HelpBoxes, FilledWithNamesOfTheLanguageAndTheModel)
{
    struct Case {
        int button;
        LanguageIndex language;
        int productId;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {IDC_CALMWEAVE_HELP, LanguageGerman, 0x2020,
         L"[Calmweave™]\nCalmweave™ verringert die Auswirkungen von Umgebungsgeräuschen bei Intercom-Gesprächen."},
        {IDC_AUDIO_BOOST_HELP, LanguageEnglish, 0x5210,
         L"[Audio Boost]\nWhen Audio Boost is enabled, you can hear audio at a louder maximum volume level."},
        {IDC_MOTION_SENSOR_HELP, LanguageEnglish, 0x5210,
         L"[Motion Sensor Sensitivity]\nThis setting determines the sensitivity when you double tap on the surface "
         L"of the GZR6 to enter the voice command mode."},
        // A product the catalogue does not list: an empty name where it stands.
        {IDC_MOTION_SENSOR_HELP, LanguageEnglish, 0x7777,
         L"[Motion Sensor Sensitivity]\nThis setting determines the sensitivity when you double tap on the surface "
         L"of the  to enter the voice command mode."},
        {IDC_BLENDCAST_HELP, LanguageSpanish, 0x5210,
         L"[Blendcast™]\nBlendcast™ le permite mantener una conversación por intercomunicador mientras escucha "
         L"música, la Radio FM o las indicaciones del GPS. Cuando empieza una conversación por intercomunicador, "
         L"las demás fuentes de audio suenan de fondo a menor volumen. Al terminar la conversación, vuelven al "
         L"volumen normal. Si esta función está desactivada, cualquier transmisión de intercomunicador entrante o "
         L"saliente interrumpe la reproducción de audio."},
    };
    for (const Case& c : cases) {
        const HelpBox* box = FindHelpBox(c.button);
        ASSERT_NE(nullptr, box) << c.button;
        HelpContext context;
        context.language = c.language;
        context.targetProductId = c.productId;
        EXPECT_EQ(CString(c.expected), ComposeHelpBoxText(*box, context)) << c.button;
    }
    const CString unknown = ComposeHelpBoxText(*FindHelpBox(IDC_GAIN_HELP), HelpContext{});
    EXPECT_NE(-1, unknown.Find(L" audio out from  to connected two-way radio."));
    EXPECT_NE(-1, unknown.Find(L" mobile phone connected to ."));
}

TEST(HelpBoxes, NoteBoxShowsTheTitleOfThePageAndTheNoteAsShown)
{
    HelpContext context;
    context.currentPage = 5;
    context.restartNote = L"NOTE: Changes will be applied after device restarts.";
    EXPECT_EQ(L"[DEVICE SETTING]\nNOTE: Changes will be applied after device restarts.",
              ComposeHelpBoxText(*FindHelpBox(IDC_NOTE_MORE), context));
}

TEST(HelpBoxes, MicrophoneBoxIsLargerInJapaneseOnly)
{
    const HelpBox& box = *FindHelpBox(IDC_MIC_BOOST_HELP);
    for (int language = -1; language <= LanguageCount; ++language)
        EXPECT_EQ(language == LanguageJapanese ? CSize(550, 250) : CSize(510, 210), HelpBoxSize(box, language)) << language;
    EXPECT_EQ(CSize(520, 160), HelpBoxSize(*FindHelpBox(IDC_SIDETONE_HELP), LanguageJapanese));
}

}  // namespace
