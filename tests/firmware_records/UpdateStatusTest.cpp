// The update record: construction and reset, voice-prompt entries, version
// parsing, the hand-over of status texts between threads, and the prompt.
#include <gtest/gtest.h>

#include <atomic>

#include "firmware/UpdateStatus.h"
#include "framework/Sync.h"

namespace {

// A prompt that counts what the record does with it.
class FakePrompt : public UpdatePrompt {
public:
    FakePrompt(int* closed, int* deleted) : m_closed(closed), m_deleted(deleted) {}
    ~FakePrompt() override { ++*m_deleted; }
    void ClosePrompt() override { ++*m_closed; }

private:
    int* m_closed;
    int* m_deleted;
};

TEST(UpdateStatus, FreshRecord)
{
    UpdateStatus status;
    EXPECT_EQ(UpdateStateIdle, status.State);
    EXPECT_EQ(kNoPercent, status.Percent);
    EXPECT_EQ(-10, kNoPercent);
    EXPECT_EQ(20, status.EntryCapacity());
    EXPECT_EQ(0, status.EntryCount());
    EXPECT_EQ(nullptr, status.Prompt());
    EXPECT_TRUE(status.BackupFound);
    EXPECT_FALSE(status.Finished);
    EXPECT_EQ(UpdateErrorNone, status.Error);
    for (int language = 0; language < LanguageCount; ++language) EXPECT_TRUE(status.PeekStatusText(language).IsEmpty());
}

TEST(UpdateStatus, ResetByMode)
{
    struct Case {
        int mode;
        int state;
        bool offeredCleared;
        bool backupFound;
    };
    const Case cases[] = {
        {UpdateResetModeUpdatePage, UpdateStateReady, true, false},  // BackupFound keeps false
        {UpdateResetModeRestorePage, UpdateStateIdle, false, true},
        {0, UpdateStateIdle, false, true},  // every mode but the update page's acts alike
    };
    for (const Case& c : cases) {
        UpdateStatus status;
        status.State = UpdateStateWriting;
        status.OfferedMajor = 3;
        status.OfferedMinor = 4;
        status.OfferedSecondaryType = 5;
        status.OfferedSecondaryVersion = 6;
        status.BackupFound = false;
        status.ChosenFile = L"V40_v1.2.img";
        status.AddEntry(L"a.img", L"English");
        status.Percent = 55;
        status.Finished = true;
        status.Error = UpdateErrorWrongDevice;
        status.PackagePath = L"C:\\x.img";
        status.DeviceRestarting = true;
        status.PromptTicks = 7;
        status.PhaseTicks = 8;
        status.SetStatusTexts([](LanguageIndex) { return CString(L"text"); });

        status.Reset(c.mode);
        EXPECT_EQ(c.state, status.State) << c.mode;
        EXPECT_EQ(c.offeredCleared ? 0 : 3, status.OfferedMajor) << c.mode;
        EXPECT_EQ(c.offeredCleared ? 0 : 6, status.OfferedSecondaryVersion) << c.mode;
        EXPECT_EQ(c.backupFound, status.BackupFound) << c.mode;
        // Cleared by both.
        EXPECT_TRUE(status.ChosenFile.IsEmpty());
        EXPECT_EQ(0, status.EntryCount());
        EXPECT_EQ(20, status.EntryCapacity());
        EXPECT_EQ(kNoPercent, status.Percent);
        EXPECT_FALSE(status.Finished);
        EXPECT_TRUE(status.PeekStatusText(LanguageKorean).IsEmpty());
        // Kept by both.
        EXPECT_EQ(UpdateErrorWrongDevice, status.Error);
        EXPECT_EQ(L"C:\\x.img", status.PackagePath);
        EXPECT_TRUE(status.DeviceRestarting);
        EXPECT_EQ(7, status.PromptTicks);
        EXPECT_EQ(8, status.PhaseTicks);
    }
}

TEST(UpdateStatus, EntriesGrowByTwentyAndKeepTheirOrder)
{
    UpdateStatus status;
    for (int i = 0; i < 41; ++i) {
        status.AddEntry(CString::Formatted(L"file%d.img", i), CString::Formatted(L"language%d", i));
        const int expectedCapacity = i < 20 ? 20 : i < 40 ? 40 : 60;
        ASSERT_EQ(expectedCapacity, status.EntryCapacity()) << "after entry " << i;
    }
    ASSERT_EQ(41, status.EntryCount());
    for (int i = 0; i < 41; ++i) {
        EXPECT_EQ(CString::Formatted(L"file%d.img", i), status.EntryFile(i));
        EXPECT_EQ(CString::Formatted(L"language%d", i), status.EntryLanguage(i));
    }
    EXPECT_TRUE(status.EntryFile(41).IsEmpty());
    EXPECT_TRUE(status.EntryLanguage(-1).IsEmpty());
}

TEST(UpdateStatus, FindEntrySearchesLanguagesIgnoringCase)
{
    UpdateStatus status;
    EXPECT_EQ(-1, status.FindEntry(L"English"));
    status.AddEntry(L"English.img", L"German");  // files are not searched
    status.AddEntry(L"a.img", L"English");
    status.AddEntry(L"b.img", L"ENGLISH");
    EXPECT_EQ(1, status.FindEntry(L"english"));
    EXPECT_EQ(0, status.FindEntry(L"GERMAN"));
    EXPECT_EQ(-1, status.FindEntry(L"French"));
    EXPECT_EQ(-1, status.FindEntry(nullptr));
}

TEST(UpdateStatus, ParseVersion)
{
    struct Case {
        const wchar_t* text;
        int result;
        int major;
        int minor;
    };
    const Case cases[] = {
        {L"3", 0, 0, 0},       {L".3", 0, 0, 0},      {L"4.1.1", 1, 4, 1},
        {L"1.2.3", 1, 1, 2},   {L" 2 . 10 ", 1, 2, 10}, {L"x.y", 1, 0, 0},
        {L"-1.5", 1, -1, 5},   {L"", 0, 0, 0},
    };
    for (const Case& c : cases) {
        UpdateStatus status;
        status.OfferedMajor = status.OfferedMinor = 99;
        EXPECT_EQ(c.result, status.ParseVersion(c.text)) << CString(c.text).ToUtf8();
        EXPECT_EQ(c.major, status.OfferedMajor) << CString(c.text).ToUtf8();
        EXPECT_EQ(c.minor, status.OfferedMinor) << CString(c.text).ToUtf8();
    }
}

TEST(UpdateStatus, ParseVersion4ReadsSecondaryFirst)
{
    struct Case {
        const wchar_t* text;
        int result;
        int type, version, major, minor;
    };
    const Case cases[] = {
        {L"1.0.2.5", 1, 1, 0, 2, 5},
        {L"1.2.3", 0, 1, 2, 0, 0},
        {L".1.2.3", 0, 0, 0, 0, 0},
        {L"1..2.3", 0, 1, 0, 0, 0},
        {L" 3 . 4 . 5 . 6.7", 1, 3, 4, 5, 6},
    };
    for (const Case& c : cases) {
        UpdateStatus status;
        status.OfferedMajor = status.OfferedMinor = status.OfferedSecondaryType = status.OfferedSecondaryVersion = 99;
        EXPECT_EQ(c.result, status.ParseVersion4(c.text)) << CString(c.text).ToUtf8();
        EXPECT_EQ(c.type, status.OfferedSecondaryType) << CString(c.text).ToUtf8();
        EXPECT_EQ(c.version, status.OfferedSecondaryVersion) << CString(c.text).ToUtf8();
        EXPECT_EQ(c.major, status.OfferedMajor) << CString(c.text).ToUtf8();
        EXPECT_EQ(c.minor, status.OfferedMinor) << CString(c.text).ToUtf8();
    }
}

TEST(UpdateStatus, OnlyTheLastTextsWrittenBetweenTwoTakesAreSeen)
{
    UpdateStatus status;
    status.SetStatusTexts([](LanguageIndex language) { return CString::Formatted(L"first %d", language); });
    status.SetStatusTexts([](LanguageIndex language) { return CString::Formatted(L"second %d", language); });
    const auto taken = status.TakeStatusTexts();
    for (int language = 0; language < LanguageCount; ++language)
        EXPECT_EQ(CString::Formatted(L"second %d", language), taken[static_cast<size_t>(language)]);
    for (const CString& text : status.TakeStatusTexts()) EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(L"", status.PeekStatusText(99));
}

TEST(UpdateStatus, TextsTakenWhileAThreadWritesAreNeverMixed)
{
    UpdateStatus status;
    std::atomic<bool> done{false};
    HANDLE writer = StartThread([&] {
        for (int round = 1; round <= 20000; ++round) {
            status.SetStatusTexts([round](LanguageIndex language) { return CString::Formatted(L"%d/%d", round, language); });
            status.State = round;
        }
        done = true;
    });
    ASSERT_NE(nullptr, writer);
    int sets = 0;
    while (!done || sets == 0) {
        const auto taken = status.TakeStatusTexts();
        if (taken[0].IsEmpty()) continue;
        ++sets;
        const int round = StrToInt(taken[0]);
        for (int language = 0; language < LanguageCount; ++language)
            ASSERT_EQ(CString::Formatted(L"%d/%d", round, language), taken[static_cast<size_t>(language)]);
    }
    EXPECT_TRUE(WaitThread(writer, 10000));
    ::CloseHandle(writer);
    EXPECT_EQ(20000, status.State);
    EXPECT_GT(sets, 0);
}

TEST(UpdateStatus, PromptIsClosedOnceAndNeverReachedAfterItWent)
{
    int closed = 0, deleted = 0;
    {
        UpdateStatus status;
        status.SetPrompt(new FakePrompt(&closed, &deleted));
        ASSERT_NE(nullptr, status.Prompt());
        status.CloseMessageBox();
        status.CloseMessageBox();  // the second call finds no prompt
        EXPECT_EQ(1, closed);
        EXPECT_EQ(1, deleted);
        EXPECT_EQ(nullptr, status.Prompt());

        // A prompt that went by itself leaves the record.
        auto* gone = new FakePrompt(&closed, &deleted);
        status.SetPrompt(gone);
        delete gone;
        EXPECT_EQ(nullptr, status.Prompt());
        status.CloseMessageBox();
        EXPECT_EQ(1, closed);
        EXPECT_EQ(2, deleted);

        // A new prompt closes the one before; Reset and the destructor close the last.
        status.SetPrompt(new FakePrompt(&closed, &deleted));
        status.SetPrompt(new FakePrompt(&closed, &deleted));
        EXPECT_EQ(2, closed);
        status.Reset(UpdateResetModeRestorePage);
        EXPECT_EQ(3, closed);
        status.SetPrompt(new FakePrompt(&closed, &deleted));
    }
    EXPECT_EQ(4, closed);
    EXPECT_EQ(5, deleted);
}

TEST(UpdateStatus, PromptHandedToAnotherRecordIsOwnedOnce)
{
    int closed = 0, deleted = 0;
    UpdateStatus update, restore;
    auto* prompt = new FakePrompt(&closed, &deleted);
    update.SetPrompt(prompt);
    restore.SetPrompt(prompt);
    EXPECT_EQ(nullptr, update.Prompt());
    EXPECT_EQ(prompt, restore.Prompt());
    update.CloseMessageBox();
    EXPECT_EQ(0, deleted);
    restore.CloseMessageBox();
    EXPECT_EQ(1, deleted);
}

}  // namespace
