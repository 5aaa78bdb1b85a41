// The texts of the FM radio page and the speed-dial page fit their controls in
// every language, measured in the font each control draws with.
#include <string>

#include "app/MainWindowFixture.h"

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

}  // namespace
