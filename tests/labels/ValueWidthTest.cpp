// The labels of the settings grid fit their columns in every language: a text
// wider than its room is cut to "..." by the cell, so a setting reads as
// "Deaktivi..." or "Mode enregistrement en b...". Measured as drawn, in the
// very font the grid's cells draw with.
#include "settingslist/LabelTables.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>

#include "app/Texts.h"
#include "controls/CellCtrl.h"
#include "framework/Gdi.h"
#include "support/DrawnText.h"

namespace {

// The grid's columns: setting name and value (310 and 170 pixels; 280 and 200
// on one model in Russian, so the name column is never wider than 280).
constexpr int kNameColumn = 280;
constexpr int kValueColumn = 170;
// The check mark in front of each half of a two-option check-box cell.
constexpr int kCheckMark = 20;

// The grid's cell font; widths as drawn (DrawnWidth), not as measured.
class CellFont {
public:
    CellFont() { CreateCellFont(m_font); }
    int Width(const wchar_t* text) const { return DrawnWidth(m_font, text); }

private:
    CFont m_font;
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

// English texts that the program must show as they stand, in the value column
// as wide as it is: the cell cuts them with "...".
struct KnownException {
    const char* table;
    int language;
};
constexpr KnownException kTooWideAsGiven[] = {
    {"PositionLightEssOnLabels", 0},  // "Position Light + ESS ON"
};

bool IsKnownException(const char* table, int language)
{
    for (const KnownException& known : kTooWideAsGiven)
        if (std::string(table) == known.table && language == known.language)
            return true;
    return false;
}

int Metric(int index) { return ::GetSystemMetrics(index); }

// The room of an item's text: in the cell, beside the arrow; in the popup's
// rows, inside its frame, and beside its scroll bar when the items need one.
int ComboTextRoom(int itemCount)
{
    const int inCell = kValueColumn - 2 * Metric(SM_CXDLGFRAME) - Metric(SM_CXVSCROLL);
    CCellComboBox combo;
    const int bar = itemCount > combo.GetVisibleRows() ? Metric(SM_CXVSCROLL) : 0;
    const int inPopup = kValueColumn - 2 * Metric(SM_CXBORDER) - bar - 2 * Metric(SM_CXDLGFRAME);
    return std::min(inCell, inPopup);
}

TEST(LabelWidths, ComboItemsFitTheirCellAndPopup)
{
    const CellFont font;
    for (const char* name : kComboItemTables) {
        const LabelTableInfo* table = FindTable(name);
        ASSERT_NE(table, nullptr) << name;
        const int room = ComboTextRoom(table->itemCount);
        for (int language = 0; language < kLabelLanguageCount; ++language) {
            for (int item = 0; item < table->itemCount; ++item) {
                const wchar_t* text = table->text(language, item);
                const int width = font.Width(text);
                if (IsKnownException(name, language)) {
                    // Too wide in Tahoma; the face another locale gives the
                    // dialog face may fit it.
                    if (DialogFaceIsTahoma()) {
                        EXPECT_GT(width, room) << name << " fits now: no longer a known exception";
                    }
                    continue;
                }
                EXPECT_LE(width, room) << name << " language " << language << ": " << Utf8(text);
            }
        }
    }
    // "Disable" is the first item of several combos too.
    const int room = ComboTextRoom(2);
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
