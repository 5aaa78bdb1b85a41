// The labels of the settings grid fit their columns in every language: a text
// wider than its room is cut to "..." by the cell, so a setting reads as
// "Deaktivi..." or "Mode enregistrement en b...". Measured in the font the
// grid's cells draw with (12 pixels, bold, the default face).
#include "settingslist/LabelTables.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/Texts.h"
#include "framework/Gdi.h"

namespace {

// The grid's columns: setting name and value (310 and 170 pixels; 280 and 200
// on one model in Russian, so the name column is never wider than 280).
constexpr int kNameColumn = 280;
constexpr int kValueColumn = 170;
// The check mark in front of each half of a two-option check-box cell.
constexpr int kCheckMark = 20;

class CellFont {
public:
    CellFont() : m_dc(::CreateCompatibleDC(nullptr))
    {
        m_font.CreateFont(-12, FW_BOLD, nullptr);
        m_old = ::SelectObject(m_dc, m_font);
    }
    ~CellFont()
    {
        ::SelectObject(m_dc, m_old);
        ::DeleteDC(m_dc);
    }
    int Width(const wchar_t* text) const
    {
        SIZE size{};
        ::GetTextExtentPoint32W(m_dc, text, lstrlenW(text), &size);
        return size.cx;
    }

private:
    HDC m_dc;
    CFont m_font;
    HGDIOBJ m_old = nullptr;
};

std::string Utf8(const wchar_t* text)
{
    return CString(text).ToUtf8();
}

// The items of the grid's combo cells.
const char* const kComboItemTables[] = {
    "LowMediumHighLabels", "LevelLabels", "EssOnLabels", "EssOffLabels", "PositionLightEssOnLabels",
    "FogLightEssOnLabels", "MusicLabels", "IntercomLabels", "SingleShotLabels", "BurstShotLabels",
    "VideoModeLabels", "TimelapseModeLabels", "LoopRecordingModeLabels", "Resolution1080p30Labels",
    "Resolution720p60Labels", "Resolution720p30Labels", "Interval1SecLabels", "Interval10SecLabels",
    "Interval1MinLabels", "Interval3MinLabels", "Interval5MinLabels"};

const LabelTableInfo* FindTable(const char* name)
{
    for (const LabelTableInfo& info : AllLabelTables())
        if (std::string(name) == info.name)
            return &info;
    return nullptr;
}

TEST(LabelWidths, ComboItemsFitBesideTheArrow)
{
    const CellFont font;
    const int room = kValueColumn - ::GetSystemMetrics(SM_CXEDGE) -
                     (::GetSystemMetrics(SM_CXVSCROLL) + ::GetSystemMetrics(SM_CXEDGE));
    for (const char* name : kComboItemTables) {
        const LabelTableInfo* table = FindTable(name);
        ASSERT_NE(table, nullptr) << name;
        for (int language = 0; language < kLabelLanguageCount; ++language) {
            for (int item = 0; item < table->itemCount; ++item) {
                const wchar_t* text = table->text(language, item);
                EXPECT_LE(font.Width(text), room) << name << " language " << language << ": " << Utf8(text);
            }
        }
    }
    // "Disable" is the first item of several combos too.
    for (int language = 0; language < LanguageCount; ++language)
        EXPECT_LE(font.Width(TextDisable(language)), room) << language;
}

TEST(LabelWidths, CheckBoxHalvesFitBesideTheirMark)
{
    const CellFont font;
    const int room = kValueColumn / 2 - kCheckMark;
    for (int language = 0; language < LanguageCount; ++language) {
        for (const CString& text : {TextEnable(language), TextDisable(language)})
            EXPECT_LE(font.Width(text), room) << language << ": " << text.ToUtf8();
    }
}

TEST(LabelWidths, SettingNamesFitTheNameColumn)
{
    const CellFont font;
    const int room = kNameColumn - 2 * ::GetSystemMetrics(SM_CXEDGE);
    for (const LabelTableInfo& table : AllLabelTables()) {
        for (int language = 0; language < kLabelLanguageCount; ++language) {
            for (int item = 0; item < table.itemCount; ++item) {
                const wchar_t* text = table.text(language, item);
                EXPECT_LE(font.Width(text), room) << table.name << " language " << language << ": " << Utf8(text);
            }
        }
    }
}

} // namespace
