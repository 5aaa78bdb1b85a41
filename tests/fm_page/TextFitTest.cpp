// The texts of the FM radio page and the speed-dial page fit their controls in
// every language, measured in the font each control draws with; the FM page's
// warnings and help fit their boxes.
#include <string>

#include "app/ui/DialogMessageBox.h"
#include "app/MainWindowFixture.h"
#include "settings/FmTexts.h"

namespace {

class PageTextFitTest : public MainWindowTest {
protected:
    // Every shown control of the page with a text, and the text wider than its room.
    void ExpectTextsFit(CWnd& page, LanguageIndex language)
    {
        for (HWND child = ::GetWindow(page.m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            if (!(::GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE)) continue;
            CWnd* control = CWnd::FromHandle(child);
            const CString text = control->GetWindowText();
            if (text.IsEmpty()) continue;
            CClientDC dc(control);
            CSelectObject font(dc, control->GetFontHandle());
            SIZE size{};
            ::GetTextExtentPoint32W(dc, text, text.GetLength(), &size);
            const DWORD kind = control->GetStyle() & 0x0F;
            const bool marked = kind == BS_AUTORADIOBUTTON || kind == BS_AUTOCHECKBOX;
            const bool button = kind == BS_PUSHBUTTON && ::GetDlgCtrlID(child) != 0 &&
                                CString(L"Button") == ClassName(child);
            // A radio's or check box's text begins after its mark; a push button has borders.
            const int room = control->GetClientRect().Width() - (marked ? 16 : 0) - (button ? 4 : 0);
            EXPECT_LE(size.cx, room) << "language " << language << " control " << ::GetDlgCtrlID(child) << " \""
                                     << text.ToUtf8() << "\"";
        }
    }

    static CString ClassName(HWND window)
    {
        wchar_t name[64] = {};
        ::GetClassNameW(window, name, 64);
        return name;
    }
};

TEST_F(PageTextFitTest, FmAndSpeedDialPagesInEveryLanguage)
{
    Recognize(0x5910);
    main->deviceSettings.FmRegion = 0;
    main->deviceSettings.FmPresets[0] = 10800;
    main->deviceSettings.FmPresets[9] = 10800;
    for (LanguageIndex language = 0; language < LanguageCount; ++language) {
        main->language = language;
        main->GoToDeviceSettingSecond(1);
        ASSERT_EQ(main->currentPage, PageDeviceSettingSecond);
        ExpectTextsFit(main->deviceSettingSecondPage, language);
        main->GoToSpeedDial(1);
        ASSERT_EQ(main->currentPage, PageSpeedDial);
        ExpectTextsFit(main->speedDialPage, language);
    }
}

// Wrapped as the box's text control wraps it, in its font, within the text
// area of a box of that size.
TEST(FmBoxFit, WarningsAndHelpFitTheirBoxes)
{
    CDialogMessageBox box;
    box.Setup(L"", 1, nullptr, L"OK", CSize(415, 130));
    ASSERT_TRUE(box.CreateModeless(nullptr));
    CClientDC dc(&box.textStatic);
    CSelectObject font(dc, box.textStatic.GetFontHandle());
    const auto expectFits = [&dc](const CString& text, CSize size) {
        const CRect area = ComputeMessageBoxLayout(size.cx, size.cy, true).text;
        RECT needed = {0, 0, area.Width(), 0};
        ::DrawTextW(dc, text, -1, &needed, DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS | DT_CALCRECT);
        EXPECT_LE(needed.right, area.Width()) << text.ToUtf8();
        EXPECT_LE(needed.bottom, area.Height()) << text.ToUtf8();
    };
    for (LanguageIndex language = 0; language < LanguageCount; ++language) {
        for (int region = 0; region < kFmRegionCount; ++region)
            expectFits(GetFmPresetRangeErrorText(language, region), CSize(415, 130));
        expectFits(GetFmPresetInvalidText(language), CSize(415, 130));
        expectFits(GetHelpRdsAf(language), CSize(540, 195));
    }
    box.DestroyWindow();
}

}  // namespace
