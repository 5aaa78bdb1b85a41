// The main window on the firmware update page against the local server: the
// server's index, the answers of the offer and the file dialogs, and bounded
// waits for the page's workers.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/ui/UpdaterDlg.h"
#include "device/ProductCatalogue.h"
#include "firmware/ui/DialogNewUpdateFound.h"
#include "fixtures/server/TestServer.h"
#include "res/resource.h"
#include "support/TempFolder.h"

// The file-name form of a product, as the index names it.
inline std::string ModelNameOf(int productId) { return GetModelName(productId, 1).ToUtf8(); }

// What the offer showed, read when it opened.
struct OfferSeen {
    CString question, currentLabel, currentVersion, newLabel, newVersion, yes, no, languageLabel;
    bool comboShown = false;
    std::vector<CString> languages;
    int selection = -1;
};

// What a file dialog was asked.
struct FileDialogSeen {
    bool open = false;
    CString fileName, initialDir, filter;
    DWORD flags = 0;
};

class FirmwarePageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (testserver::HttpBase().IsEmpty()) GTEST_SKIP() << "local test server not running (run through CTest)";
        ::SetEnvironmentVariableW(L"TORVIK_SERVER", testserver::HttpBase());
        OfferArmed = 1;
        SetModalDialogHook([this](CDialog& dialog, UINT templateId) {
            auto* offer = dynamic_cast<CDialogNewUpdateFound*>(&dialog);
            if (templateId != IDD_NEW_UPDATE_FOUND || !offer) {
                dialog.EndDialog(IDOK);
                return;
            }
            offers.push_back(Read(*offer));
            if (offerChoice >= 0) offer->languageCombo.SetCurSel(offerChoice);
            if (answerYes) offer->PressButton(IDOK);
            else offer->PressButton(IDCANCEL);
        });
        SetFileDialogHook([this](const CFileDialog& dialog) {
            fileDialogs.push_back({dialog.m_open != FALSE, dialog.GetFileName(), dialog.m_initialDir, dialog.m_filter,
                                   dialog.m_flags});
            return chosenPath;
        });
        main = std::make_unique<CUpdaterDlg>();
        ASSERT_TRUE(main->Create(IDD_MAIN, nullptr));
        main->selectionPage.updateCheckDone = 1;
        main->SendMessage(WM_TIMER, kStartupTimer);
        main->ShowWindow(SW_SHOW);
    }

    void TearDown() override
    {
        SetModalDialogHook(nullptr);
        SetFileDialogHook(nullptr);
        if (main && main->m_hWnd) main->DestroyWindow();
        main.reset();
        ::SetEnvironmentVariableW(L"TORVIK_SERVER", nullptr);
        OfferArmed = 1;
    }

    static OfferSeen Read(CDialogNewUpdateFound& offer)
    {
        OfferSeen seen{offer.questionStatic.GetWindowText(), offer.currentLabel.GetWindowText(),
                       offer.currentVersion.GetWindowText(), offer.newLabel.GetWindowText(),
                       offer.newVersion.GetWindowText(), offer.yesButton.GetWindowText(),
                       offer.noButton.GetWindowText(), offer.languageLabel.GetWindowText()};
        seen.comboShown = Shown(offer.languageCombo) && Shown(offer.languageLabel);
        for (int i = 0; i < offer.languageCombo.GetCount(); ++i) seen.languages.push_back(offer.languageCombo.GetLBText(i));
        seen.selection = offer.languageCombo.GetCurSel();
        return seen;
    }

    // A recognized headset of the product at a firmware version.
    void Recognize(int productId, VersionGroup firmware)
    {
        main->targetProductId = productId;
        main->recognized = true;
        main->usbStatus = productId;
        main->deviceSettings.ProductId = productId;
        main->deviceSettings.Firmware = firmware;
    }

    void ServeIndex(const std::string& text) { ASSERT_TRUE(testserver::ServeFile(L"malvobluetoothmanager/Firmware", text)); }
    void ServePackage(const wchar_t* name, const std::string& bytes)
    {
        ASSERT_TRUE(testserver::ServeFile(CString(L"malvobluetoothmanager/") + name, bytes));
    }

    // Opens page 3 and lets its index fetch end, as timer 201 and the worker would.
    void Open()
    {
        main->GoToFirmwareUpdate(1);
        ASSERT_EQ(main->currentPage, PageFirmwareUpdate);
        FetchIndex();
    }
    void FetchIndex()
    {
        page().SendMessage(WM_TIMER, kIndexTimer);
        ASSERT_TRUE(PumpMessagesUntil([this] { return !page().IndexFetchRunning(); }, 30000)) << "fetch did not end";
        Settle();
    }
    // Runs what the page posted to itself (an accepted offer's Download).
    static void Settle() { PumpMessagesUntil([] { return false; }, 50); }

    // Lets timer 206 start the download at once and waits for its end.
    void RunDownload()
    {
        page().SendMessage(WM_TIMER, kDownloadTimer);
        ASSERT_TRUE(PumpMessagesUntil([this] { return !page().DownloadRunning(); }, 30000)) << "download did not end";
        Settle();
    }

    CDialogFirmwareUpdate& page() { return main->firmwareUpdatePage; }
    CString Status() const { return main->statusText.GetWindowText(); }
    CString VersionLine() { return page().versionStatic.GetWindowText(); }
    static bool Shown(const CWnd& wnd) { return (wnd.GetStyle() & WS_VISIBLE) != 0; }
    static bool Enabled(const CWnd& wnd) { return (wnd.GetStyle() & WS_DISABLED) == 0; }

    // The text colour the page gives the version line.
    COLORREF VersionColour()
    {
        HDC dc = ::GetDC(page().m_hWnd);
        page().SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                           reinterpret_cast<LPARAM>(page().versionStatic.m_hWnd));
        const COLORREF colour = ::GetTextColor(dc);
        ::ReleaseDC(page().m_hWnd, dc);
        return colour;
    }

    std::unique_ptr<CUpdaterDlg> main;
    std::vector<OfferSeen> offers;
    std::vector<FileDialogSeen> fileDialogs;
    bool answerYes = false;
    int offerChoice = -1;
    CString chosenPath;
};
