// Which rows of the basic settings page show for each model and firmware band,
// where they sit, and that their texts fit.
#include <map>
#include <vector>

#include "settings_page/PageFixture.h"

namespace {

enum Row { VoxPhone, VoxIntercom, Edr, Note, Plc, A2dp, Mic, Sidetone, Calmweave, Agc, Gain, Timeout, Restart };

// The controls of each row in the template.
const std::map<Row, std::vector<int>> kRowControls = {
    {VoxPhone, {IDC_VOX_PHONE_CAPTION, IDC_VOX_PHONE_ENABLE, IDC_VOX_PHONE_DISABLE}},
    {VoxIntercom, {IDC_VOX_INTERCOM_CAPTION, IDC_VOX_INTERCOM_ENABLE, IDC_VOX_INTERCOM_DISABLE}},
    {Edr, {IDC_EDR_CAPTION, IDC_EDR_HELP, IDC_EDR_ENABLE, IDC_EDR_DISABLE}},
    {Note, {IDC_ONBOARD_AUDIO_NOTE}},
    {Plc, {IDC_PLC_CAPTION, IDC_PLC_HELP, IDC_PLC_ENABLE, IDC_PLC_DISABLE}},
    {A2dp, {IDC_A2DP_CAPTION, IDC_A2DP_HELP, IDC_A2DP_ENABLE, IDC_A2DP_DISABLE}},
    {Mic, {IDC_MIC_BOOST_CAPTION, IDC_MIC_BOOST_HELP, IDC_MIC_BOOST_ENABLE, IDC_MIC_BOOST_DISABLE}},
    {Sidetone, {IDC_SIDETONE_CAPTION, IDC_SIDETONE_HELP, IDC_SIDETONE_ENABLE, IDC_SIDETONE_DISABLE}},
    {Calmweave, {IDC_CALMWEAVE_CAPTION, IDC_CALMWEAVE_HELP, IDC_CALMWEAVE_ENABLE, IDC_CALMWEAVE_DISABLE}},
    {Agc, {IDC_AGC_CAPTION, IDC_AGC_HELP, IDC_AGC_ENABLE, IDC_AGC_DISABLE}},
    {Gain, {IDC_GAIN_CAPTION, IDC_GAIN_HELP, IDC_GAIN_LOW, IDC_GAIN_MEDIUM, IDC_GAIN_HIGH}},
    {Timeout, {IDC_TIMEOUT_CAPTION, IDC_TIMEOUT_HELP, IDC_TIMEOUT_EDIT, IDC_TIMEOUT_SPIN, IDC_TIMEOUT_UNIT}},
    {Restart, {IDC_RESTART_NOTE}},
};

struct LayoutCase {
    int productId;
    int major;
    int minor;
    std::vector<Row> rows;  // top to bottom
};

const LayoutCase kLayoutCases[] = {
    {0x4D10, 3, 9, {VoxPhone, VoxIntercom, Edr, Note, Restart}},
    {0x4D30, 4, 0, {VoxPhone, VoxIntercom, Edr, Note, Plc, Restart}},
    {0x4D10, 4, 1, {VoxPhone, VoxIntercom, Edr, Note, Plc, A2dp, Mic, Restart}},
    {0x4D20, 4, 1, {VoxPhone, VoxIntercom, Edr, Note, Plc, A2dp, Restart}},
    {0x4D40, 4, 2, {VoxPhone, VoxIntercom, Edr, A2dp, Mic, Restart}},
    // 4.15 lies above 4.2.
    {0x4D10, 4, 15, {VoxPhone, VoxIntercom, Edr, A2dp, Mic, Restart}},
    {0x4D10, 5, 0, {VoxPhone, VoxIntercom, Edr, A2dp, Sidetone, Mic, Restart}},
    {0x5061, 5, 2, {VoxPhone, VoxIntercom, Edr, A2dp, Sidetone, Restart}},
    {0x5070, 4, 1, {VoxPhone, VoxIntercom, Edr, Note, Plc, A2dp, Restart}},
    {0x5020, 4, 2, {VoxPhone, VoxIntercom, Edr, A2dp, Restart}},
    {0x5020, 5, 0, {VoxPhone, VoxIntercom, Edr, A2dp, Restart}},
    {0x4D75, 1, 0, {VoxPhone, VoxIntercom, Edr, A2dp, Sidetone, Restart}},
    {0x2020, 1, 0, {VoxPhone, VoxIntercom, Edr, A2dp, Sidetone, Restart}},
    {0x2020, 1, 1, {VoxPhone, VoxIntercom, Edr, A2dp, Sidetone, Calmweave, Restart}},
    {0x4040, 1, 0, {Sidetone, Restart}},
    {0x6121, 1, 0, {Edr, A2dp, Sidetone, Calmweave, Restart}},
    {0x4110, 1, 0, {Edr, A2dp, Restart}},
    {0x4120, 1, 0, {Edr, A2dp, Sidetone, Calmweave, Agc, Restart}},
    {0x4D35, 1, 1, {VoxPhone, Edr, Note, Plc, Restart}},
    {0x4D15, 1, 2, {VoxPhone, Edr, A2dp, Restart}},
    {0x4D65, 2, 0, {VoxPhone, Edr, A2dp, Sidetone, Restart}},
    {0x4D85, 1, 0, {VoxPhone, Edr, A2dp, Sidetone, Restart}},
    {0x2310, 1, 0, {VoxPhone, Edr, A2dp, Restart}},
    {0x5210, 1, 0, {Gain, Timeout, Restart}},
    {0x5910, 1, 0, {}},
    {0x4310, 1, 0, {}},
    {0x1234, 1, 0, {}},
};

class LayoutTest : public SettingsPageTest {
protected:
    CRect RowRect(Row row)
    {
        CRect united;
        for (int id : kRowControls.at(row)) {
            CRect r = Control(id).GetWindowRect();
            Page().ScreenToClient(&r);
            united = united.IsRectEmpty() ? r
                                          : CRect(std::min(united.left, r.left), std::min(united.top, r.top),
                                                  std::max(united.right, r.right), std::max(united.bottom, r.bottom));
        }
        return united;
    }
};

TEST_F(LayoutTest, EachModelAndBandShowsExactlyItsRows)
{
    for (LanguageIndex language : {LanguageEnglish, LanguageRussian}) {
        for (const LayoutCase& c : kLayoutCases) {
            SCOPED_TRACE(testing::Message() << "product 0x" << std::hex << c.productId << std::dec << " firmware "
                                            << c.major << "." << c.minor << " language " << language);
            Open(c.productId, c.major, c.minor, language);
            std::set<int> expected = {IDC_SETTING_DEFAULT, IDC_SETTING_CANCEL};
            for (Row row : c.rows) expected.insert(kRowControls.at(row).begin(), kRowControls.at(row).end());
            // The note's "..." button in French, Dutch and Russian.
            if (language == LanguageRussian && !c.rows.empty()) expected.insert(IDC_NOTE_MORE);
            if (c.productId == 0x5910 || c.productId == 0x4310) expected.insert(IDC_SETTINGS_GRID);
            EXPECT_EQ(ShownControls(), expected);

            // Rows in their order, none over another, all on the page.
            const CRect page = Page().GetClientRect();
            for (size_t i = 0; i < c.rows.size(); ++i) {
                const CRect r = RowRect(c.rows[i]);
                EXPECT_GE(r.top, page.top);
                EXPECT_LE(r.bottom, page.bottom);
                if (i > 0) {
                    EXPECT_LE(RowRect(c.rows[i - 1]).bottom, r.top) << "row " << i << " overlaps the row above";
                }
            }
            // Shown rows can be used; the grid only for the grid models.
            for (int id : expected) EXPECT_TRUE(Enabled(Control(id))) << id;
            EXPECT_EQ(Enabled(Page().settingsGrid), expected.count(IDC_SETTINGS_GRID) == 1);
        }
    }
}

// Nine and a half slots of a 2-pixel margin for 0x4D10 at 4.1: without the
// Microphone Boosting row of 0x4D10, the restart note of 0x4D20 sits one slot higher.
TEST_F(LayoutTest, RowsSitInTheirSlots)
{
    auto restartTop = [this](int productId) {
        Open(productId, 4, 1);
        CRect r = Control(IDC_RESTART_NOTE).GetWindowRect();
        Page().ScreenToClient(&r);
        return r.top;
    };
    const double slot = (Page().GetWindowRect().Height() - 2 * 2) / 9.5;
    EXPECT_NEAR(restartTop(0x4D10) - restartTop(0x4D20), slot, 1.0);
    // DEFAULT and CANCEL share slot 0 with the page's top.
    CRect defaultRect = Control(IDC_SETTING_DEFAULT).GetWindowRect();
    CRect cancelRect = Control(IDC_SETTING_CANCEL).GetWindowRect();
    EXPECT_EQ(defaultRect.top, cancelRect.top);
    Page().ScreenToClient(&defaultRect);
    EXPECT_LT(defaultRect.bottom, static_cast<int>(slot) + 2);

    // Fewer than eight slots count as eight: the rows stay near the top.
    Open(0x4110, 1, 0);
    CRect edr = Control(IDC_EDR_CAPTION).GetWindowRect();
    Page().ScreenToClient(&edr);
    const double eighth = (Page().GetWindowRect().Height() - 2 * 5) / 8.0;
    EXPECT_NEAR(edr.CenterPoint().y, 5 + eighth * 1.5, 1.0);
}

// Every caption, radio and unit text fits its control in every language.
TEST_F(LayoutTest, TextsFitTheirControlsInEveryLanguage)
{
    for (LanguageIndex language = 0; language < LanguageCount; ++language) {
        for (const LayoutCase& c : {kLayoutCases[2], kLayoutCases[13], kLayoutCases[17], kLayoutCases[23]}) {
            Open(c.productId, c.major, c.minor, language);
            for (int id : ShownControls()) {
                CWnd& control = Control(id);
                const CString text = control.GetWindowText();
                if (text.IsEmpty() || id == IDC_SETTINGS_GRID || id == IDC_TIMEOUT_EDIT) continue;
                CClientDC dc(&control);
                CSelectObject font(dc, control.GetFontHandle());
                SIZE size{};
                ::GetTextExtentPoint32W(dc, text, text.GetLength(), &size);
                const bool radio = (control.GetStyle() & 0x0F) == BS_AUTORADIOBUTTON;
                const bool note = id == IDC_ONBOARD_AUDIO_NOTE;
                // A radio's text begins after its mark; the onboard-audio note has two lines.
                const int room = control.GetClientRect().Width() * (note ? 2 : 1) - (radio ? 16 : 0);
                EXPECT_LE(size.cx, room) << "language " << language << " control " << id << " \"" << text.str().c_str()
                                         << "\"";
            }
        }
    }
}

}  // namespace
