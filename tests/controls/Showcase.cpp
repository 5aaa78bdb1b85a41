// The test page as a window to look at: with TORVIK_CONTROLS_SHOWCASE set to a
// number of seconds, the grid with every cell kind stays open that long with
// the long combo's popup open, e.g.
//   TORVIK_CONTROLS_SHOWCASE=6 tools/screenshot grid.png 4 build/tests/test_controls.exe --gtest_filter=Showcase.*
#include <gtest/gtest.h>

#include <cstdlib>

#include "GridTestPage.h"
#include "controls/HyperEdit.h"
#include "framework/Dialog.h"

namespace {

TEST(Showcase, GridWithOpenPopup)
{
    const char* seconds = std::getenv("TORVIK_CONTROLS_SHOWCASE");
    if (!seconds) GTEST_SKIP() << "set TORVIK_CONTROLS_SHOWCASE to look at the grid";
    CGridTestPage page;
    ASSERT_TRUE(page.Create(40, 40, 200));
    page.FillRows();
    // A plain row on top: every cell moves one row down.
    page.m_grid.InsertItem(0, L"");
    page.m_grid.SetItem(0, 1, LVIF_TEXT, L"Plain text row");
    page.m_grid.SetItem(0, 2, LVIF_TEXT, L"value");
    page.Paint();
    page.Click(CGridTestPage::RowLongCombo + 1, 2);

    // The hyperlink edit beside it.
    CWnd window;
    ASSERT_TRUE(window.CreateEx(0, nullptr, L"Instructions", WS_OVERLAPPED | WS_VISIBLE, CRect(640, 40, 1000, 200), nullptr, 0));
    CHyperEdit edit;
    ASSERT_TRUE(edit.CreateEx(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY, CRect(10, 10, 340, 140),
                              &window, 1183));
    edit.SetFont(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
    edit.SetWindowText(L"Plug the headset in and visit www.torvik.example for help.\r\nManuals: WWW.TORVIK.EXAMPLE/manuals");
    PumpMessagesUntil(nullptr, static_cast<DWORD>(std::atoi(seconds)) * 1000);
}

}  // namespace
