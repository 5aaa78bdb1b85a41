// The label tables: every table present in its place with eleven usable
// entries, the English texts exactly as the program must show them, and an
// accessor that cannot be made to read outside a table.
#include "settingslist/LabelTables.h"

#include <gtest/gtest.h>

#include <climits>
#include <cwctype>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct ExpectedTable {
    const char* name;
    std::vector<std::wstring_view> english;   // one text, or the items in order
};

// The tables in the order they are built, with their English texts.
const std::vector<ExpectedTable>& Expected()
{
    static const std::vector<ExpectedTable> tables = {
        { "LowMediumHighLabels", { L"Low", L"Medium", L"High" } },
        { "FmRegionLabels", { L"Worldwide", L"Americas", L"Asia", L"Australia", L"Europe", L"Japan" } },
        { "DateLabels", { L"Date" } },
        { "VoxIntercomLabels", { L"VOX Intercom" } },
        { "VoxPhoneLabels", { L"VOX Phone" } },
        { "EdrLabels", { L"EDR (Enhanced Data Rate)" } },
        { "EdrShortLabels", { L"EDR" } },
        { "VoicePromptLabels", { L"Voice Prompt" } },
        { "PlcLabels", { L"PLC (Packet Loss Concealment)" } },
        { "HighQualityA2dpLabels", { L"High Quality A2DP" } },
        { "MicrophoneBoostingLabels", { L"Microphone Boosting" } },
        { "SidetoneLabels", { L"Sidetone" } },
        { "CalmweaveLabels", { L"Calmweave\u2122" } },
        { "AutoGainControlLabels", { L"Auto Gain Control" } },
        { "RadioTransmitGainLabels", { L"Radio Transmit Gain" } },
        { "AudioChannelTimeoutLabels", { L"Audio Channel Timeout" } },
        { "AudioBoostLabels", { L"Audio Boost" } },
        { "RadioRegionLabels", { L"Radio Region" } },
        { "RegionLabels", { L"Region" } },
        { "FmRadioPresetsLabels", { L"FM Radio Presets" } },
        { "FmRadioLabels", { L"FM Radio" } },
        { "PresetsLabels", { L"Presets" } },
        { "BasicLabels", { L"Basic" } },
        { "SpeedDialLabels", { L"Speed Dial" } },
        { "MoreLabels", { L"More..." } },
        { "EmptyLabels", { L"Empty" } },
        { "RdsAfLabels", { L"RDS AF (Alternative Frequencies)" } },
        { "MotionSensorSensitivityLabels", { L"Motion Sensor Sensitivity" } },
        { "BlendcastLabels", { L"Blendcast\u2122" } },
        { "IntercomOverlaySensitivityLabels", { L"Intercom-Layerly Sensitivity" } },
        { "NavigationAppSupportLabels", { L"Navigation App Support" } },
        { "VoxSensitivityLabels", { L"VOX Sensitivity" } },
        { "HdIntercomLabels", { L"HD Intercom" } },
        { "EightWayIntercomLabels", { L"Eight-way Intercom" } },
        { "PhotoModeLabels", { L"Photo Mode" } },
        { "SingleShotLabels", { L"Single Shot" } },
        { "BurstShotLabels", { L"Burst Shot" } },
        { "VideoModeLabels", { L"Video Mode" } },
        { "TimelapseModeLabels", { L"Timelapse Mode" } },
        { "LoopRecordingModeLabels", { L"Loop Recording Mode" } },
        { "VideoResolutionLabels", { L"Video Resolution" } },
        { "Resolution1080p30Labels", { L"1080p/30fps" } },
        { "Resolution720p60Labels", { L"720p/60fps" } },
        { "Resolution720p30Labels", { L"720p/30fps" } },
        { "TimelapseIntervalLabels", { L"Timelapse Interval" } },
        { "VideoTaggingIntervalLabels", { L"Video Tagging Interval" } },
        { "LoopRecordingIntervalLabels", { L"Loop Recording Interval" } },
        { "VideoMicrophoneGainLabels", { L"Video Microphone Gain" } },
        { "Interval1MinLabels", { L"1 min" } },
        { "Interval3MinLabels", { L"3 mins" } },
        { "Interval5MinLabels", { L"5 mins" } },
        { "Interval1SecLabels", { L"1 sec" } },
        { "Interval10SecLabels", { L"10 secs" } },
        { "DateCaptionLabels", { L"Date Caption" } },
        { "SpeakerSoundRecordingLabels", { L"Speaker Sound Recording" } },
        { "SourceMusicLabels", { L"\u25B6 Music" } },
        { "SourceFmRadioLabels", { L"\u25B6 FM Radio" } },
        { "SourceIntercomLabels", { L"\u25B6 Intercom" } },
        { "SourcePhoneLabels", { L"\u25B6 Phone" } },
        { "AutoCameraSleepLabels", { L"Auto Camera Sleep" } },
        { "SmartVolumeControlLabels", { L"Smart Volume Control" } },
        { "FmStationGuideLabels", { L"FM Station Guide" } },
        { "HdVoiceLabels", { L"HD Voice" } },
        { "AudioSourcePriorityLabels", { L"Audio Source Priority" } },
        { "LayerlyLabels", { L"Layerly\u2122" } },
        { "SmartNaviSystemLabels", { L"Zizuz Adad Udovid" } },
        { "MusicLabels", { L"Music" } },
        { "IntercomLabels", { L"Intercom" } },
        { "GuestModeLabels", { L"Guest Mode" } },
        { "VoiceCommandLabels", { L"Voice Command" } },
        { "LayerlyVolumeManagementLabels", { L"Layerly Volume Management" } },
        { "LevelLabels", { L"Level 1", L"Level 2", L"Level 3", L"Level 4", L"Level 5",
                           L"Level 6", L"Level 7", L"Level 8", L"Level 9", L"Level 10" } },
        { "EssStatusLabels", { L"ESS STATUS" } },
        { "EssOnLabels", { L"ESS ON" } },
        { "EssOffLabels", { L"ESS OFF" } },
        { "PositionLightEssOnLabels", { L"Position Light + ESS ON" } },
        { "FogLightEssOnLabels", { L"Fog Light + ESS ON" } },
        { "EssSensitivityLabels", { L"ESS Sensitivity" } },
        { "MicGainLabels", { L"Mic Gain" } },
    };
    return tables;
}

// The printf conversions of a text ("%s", "%d", "%%", ...), in order.
std::vector<std::wstring> Placeholders(std::wstring_view text)
{
    std::vector<std::wstring> found;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'%')
            continue;
        size_t end = i + 1;
        while (end < text.size() && !std::iswalpha(text[end]) && text[end] != L'%')
            ++end;
        found.emplace_back(text.substr(i, end + 1 - i));
        i = end;
    }
    return found;
}

// The runs of ASCII digits of a text, in order ("1080p/30fps" -> 1080, 30).
std::vector<std::wstring> Numbers(std::wstring_view text)
{
    std::vector<std::wstring> found;
    std::wstring run;
    for (wchar_t c : text) {
        if (c >= L'0' && c <= L'9') {
            run += c;
        } else if (!run.empty()) {
            found.push_back(run);
            run.clear();
        }
    }
    if (!run.empty())
        found.push_back(run);
    return found;
}

bool EndsWith(std::wstring_view text, std::wstring_view tail)
{
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

const LabelTableInfo* FindTable(std::string_view name)
{
    for (const LabelTableInfo& info : AllLabelTables())
        if (name == info.name)
            return &info;
    return nullptr;
}

} // namespace

TEST(LabelTables, AllTablesInTheirOrderWithTheirEnglishTexts)
{
    const auto tables = AllLabelTables();
    const auto& expected = Expected();
    ASSERT_EQ(tables.size(), 79u);
    ASSERT_EQ(expected.size(), 79u);
    for (size_t t = 0; t < tables.size(); ++t) {
        SCOPED_TRACE(expected[t].name);
        EXPECT_STREQ(tables[t].name, expected[t].name);
        ASSERT_EQ(tables[t].itemCount, static_cast<int>(expected[t].english.size()));
        for (int item = 0; item < tables[t].itemCount; ++item)
            EXPECT_EQ(std::wstring(tables[t].text(0, item)), std::wstring(expected[t].english[item]));
    }
}

// Every entry of every language is usable as a list item, a combo line and an
// argument of a format string, and keeps what must not be translated away.
TEST(LabelTables, EveryEntryIsUsableInEveryLanguage)
{
    for (const LabelTableInfo& table : AllLabelTables()) {
        for (int item = 0; item < table.itemCount; ++item) {
            const std::wstring_view english = table.text(0, item);
            for (int language = 0; language < kLabelLanguageCount; ++language) {
                SCOPED_TRACE(std::string(table.name) + " language " + std::to_string(language) + " item " + std::to_string(item));
                const wchar_t* raw = table.text(language, item);
                ASSERT_NE(raw, nullptr);
                const std::wstring_view text = raw;
                ASSERT_FALSE(text.empty());
                // A line break would split a combo cell's item list.
                EXPECT_EQ(text.find_first_of(L"\r\n\t"), std::wstring_view::npos);
                EXPECT_FALSE(std::iswspace(text.front()) || std::iswspace(text.back()));
                EXPECT_EQ(Placeholders(text), Placeholders(english));
                if (!Numbers(english).empty()) {
                    EXPECT_EQ(Numbers(text), Numbers(english));
                }
                if (EndsWith(english, L"...")) {
                    EXPECT_TRUE(EndsWith(text, L"..."));
                }
            }
        }
    }
}

// A copied English column would pass every check above; a translated language
// keeps only the odd entry that reads the same (names, abbreviations).
TEST(LabelTables, EveryLanguageIsTranslated)
{
    for (int language = 1; language < kLabelLanguageCount; ++language) {
        int entries = 0;
        int sameAsEnglish = 0;
        for (const LabelTableInfo& table : AllLabelTables()) {
            for (int item = 0; item < table.itemCount; ++item) {
                ++entries;
                if (std::wstring_view(table.text(language, item)) == table.text(0, item))
                    ++sameAsEnglish;
            }
        }
        EXPECT_LT(sameAsEnglish * 5, entries) << "language " << language;
    }
}

TEST(LabelTables, NamesThatAreNotTranslated)
{
    const struct {
        const LabelTable* table;
        const wchar_t* text;
    } names[] = {
        { &CalmweaveLabels, L"Calmweave\u2122" },
        { &BlendcastLabels, L"Blendcast\u2122" },
        { &LayerlyLabels, L"Layerly\u2122" },
        { &SmartNaviSystemLabels, L"Zizuz Adad Udovid" },
    };
    for (const auto& name : names)
        for (int language = 0; language < kLabelLanguageCount; ++language)
            EXPECT_STREQ(GetLabelText(*name.table, language), name.text) << "language " << language;

    for (const LabelTable* source : { &SourceMusicLabels, &SourceFmRadioLabels, &SourceIntercomLabels, &SourcePhoneLabels })
        for (int language = 0; language < kLabelLanguageCount; ++language)
            EXPECT_EQ(std::wstring(GetLabelText(*source, language)).substr(0, 2), L"\u25B6 ") << "language " << language;
}

TEST(LabelTables, TranslationsTheProgramIsKnownBy)
{
    const wchar_t* const lowMediumHigh[kLabelLanguageCount][3] = {
        { L"Low", L"Medium", L"High" },
        { L"Faible", L"Moyen", L"\u00C9lev\u00E9" },
        { L"Niedrig", L"Mittel", L"Hoch" },
        { L"Basso", L"Medio", L"Alto" },
        { L"\u4F4E", L"\u4E2D", L"\u9AD8" },
        { L"\uB0AE\uC74C", L"\uBCF4\uD1B5", L"\uB192\uC74C" },
        { L"Baja", L"Media", L"Alta" },
        { L"Laag", L"Gemiddeld", L"Hoog" },
        { L"\u041D\u0438\u0437\u043A\u0438\u0439", L"\u0421\u0440\u0435\u0434\u043D\u0438\u0439", L"\u0412\u044B\u0441\u043E\u043A\u0438\u0439" },
        { L"\u4F4E", L"\u4E2D", L"\u9AD8" },
        { L"Matala", L"Keskisuuri", L"Korkea" },
    };
    const wchar_t* const sourceMusic[kLabelLanguageCount] = {
        L"\u25B6 Music", L"\u25B6 Musique", L"\u25B6 Musik", L"\u25B6 Musica",
        L"\u25B6 \u97F3\u697D", L"\u25B6 \uC74C\uC545", L"\u25B6 M\u00FAsica", L"\u25B6 Muziek",
        L"\u25B6 \u041C\u0443\u0437\u044B\u043A\u0430", L"\u25B6 \u97F3\u4E50", L"\u25B6 Musiikki",
    };
    for (int language = 0; language < kLabelLanguageCount; ++language) {
        SCOPED_TRACE(language);
        for (int item = 0; item < 3; ++item)
            EXPECT_STREQ(GetLabelText(LowMediumHighLabels, language, item), lowMediumHigh[language][item]);
        EXPECT_STREQ(GetLabelText(SourceMusicLabels, language), sourceMusic[language]);
    }
}

// The light choices of the ESS combo switch ESS on: in every language they end
// with the very words of the plain "ESS ON" choice, never with its opposite.
TEST(LabelTables, EssLightChoicesSayEssIsOn)
{
    for (int language = 0; language < kLabelLanguageCount; ++language) {
        SCOPED_TRACE(language);
        const std::wstring on = GetLabelText(EssOnLabels, language);
        const std::wstring off = GetLabelText(EssOffLabels, language);
        EXPECT_NE(on, off);
        for (const LabelTable* light : { &PositionLightEssOnLabels, &FogLightEssOnLabels }) {
            const std::wstring text = GetLabelText(*light, language);
            EXPECT_TRUE(EndsWith(text, L" + " + on)) << ::testing::PrintToString(text);
        }
    }
}

// Each level keeps its own number in every language, so the ten items cannot
// be shifted or swapped.
TEST(LabelTables, LevelItemsCarryTheirNumber)
{
    for (int language = 0; language < kLabelLanguageCount; ++language)
        for (int item = 0; item < 10; ++item)
            EXPECT_EQ(Numbers(GetLabelText(LevelLabels, language, item)), std::vector<std::wstring>{ std::to_wstring(item + 1) })
                << "language " << language << " item " << item;
}

TEST(LabelTables, LanguageOutsideTheTablesGivesEnglish)
{
    for (int language : { -1, 11, 12, INT_MIN, INT_MAX }) {
        SCOPED_TRACE(language);
        EXPECT_STREQ(GetLabelText(SpeedDialLabels, language), L"Speed Dial");
        EXPECT_STREQ(GetLabelText(FmRegionLabels, language, 5), L"Japan");
        EXPECT_STREQ(GetLabelText(LevelLabels, language, 9), L"Level 10");
        EXPECT_STREQ(FindTable("MoreLabels")->text(language, 0), L"More...");
    }
    EXPECT_STREQ(GetLabelText(SpeedDialLabels, 10), L"Pikavalinta");
    EXPECT_STREQ(GetLabelText(FmRegionLabels, 2, 0), L"Weltweit");
}

TEST(LabelTables, ItemOutsideTheTableGivesAnEmptyText)
{
    for (int language : { 0, 4, 10, -1, 11 }) {
        for (int item : { -1, INT_MIN, INT_MAX }) {
            SCOPED_TRACE(std::to_string(language) + " / " + std::to_string(item));
            EXPECT_STREQ(GetLabelText(LowMediumHighLabels, language, item), L"");
            EXPECT_STREQ(GetLabelText(FmRegionLabels, language, item), L"");
            EXPECT_STREQ(GetLabelText(LevelLabels, language, item), L"");
        }
        EXPECT_STREQ(GetLabelText(LowMediumHighLabels, language, 3), L"");
        EXPECT_STREQ(GetLabelText(FmRegionLabels, language, 6), L"");
        EXPECT_STREQ(GetLabelText(LevelLabels, language, 10), L"");
        // The walk over all tables treats a plain table as one item.
        EXPECT_STREQ(FindTable("BasicLabels")->text(language, 1), L"");
        EXPECT_STREQ(FindTable("BasicLabels")->text(language, -1), L"");
    }
}
