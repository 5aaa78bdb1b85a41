// UpdateStatus: the progress record of one firmware update or restore. Each
// firmware page holds one; the page's handlers and timers and the writer
// thread work on the record of the running operation (the DFU library's
// callbacks reach it through the page's queue, on the user-interface thread).
// It is the one hand-over from a writer thread to the page: the integers that
// threads share are atomic, the eleven status texts are written and taken
// whole under the record's lock, and everything else (file names, entries,
// offered version, prompt) belongs to the user-interface thread; a writer gets
// its copy of the package path when it starts.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "app/Texts.h"
#include "framework/CString.h"
#include "framework/Sync.h"

// State codes (State). 8 and 10 are not used.
enum UpdateState : int {
    UpdateStateIdle = 0,              // nothing running
    UpdateStateReady = 1,             // the update page was reset for a new index lookup
    UpdateStateDownloading = 2,       // a firmware file comes from the server
    UpdateStateStarted = 3,           // the user started the update or restore
    UpdateStatePackageRead = 4,       // the package was read and fits this headset
    UpdateStatePackageVerified = 5,   // product id and image digests checked, archive written where due
    UpdateStateDfuDownload = 6,       // the DFU library's download runs
    UpdateStateWriting = 7,           // the images go to the headset
    UpdateStateRestarting = 9,        // written; the headset restarts and is awaited
    UpdateStateWaitingForUser = 11,   // the settings archive failed; a box waits for OK
};

// Reset modes: the update page's and the restore page's. Every mode other
// than the update page's behaves as the restore page's.
enum UpdateResetMode : int {
    UpdateResetModeUpdatePage = 3,
    UpdateResetModeRestorePage = 4,
};

// Outcome codes (Error).
enum UpdateError : int {
    UpdateErrorNone = 0,
    UpdateErrorFailed = 1,        // also the value from the start until writing begins
    UpdateErrorWrongDevice = 2,   // the headset is not the package's model
};

// Percent when there is no progress to show (after construction and Reset).
inline constexpr int kNoPercent = -10;
// The entry arrays start with and grow by this many slots.
inline constexpr int kEntryCapacityStep = 20;

class UpdateStatus;

// A prompt that an update keeps open while it waits for the user (the request
// to hold a key, the backup-failed notice). The page layer implements it with
// its message box and hands it to a record, which then owns it. User-interface
// thread only.
class UpdatePrompt {
public:
    UpdatePrompt() = default;
    UpdatePrompt(const UpdatePrompt&) = delete;
    UpdatePrompt& operator=(const UpdatePrompt&) = delete;
    // A prompt deleted by anyone but its record leaves the record first, so the
    // record never reaches a prompt that is gone.
    virtual ~UpdatePrompt();

    // Closes the prompt's window when it is still open; a window that already
    // went away is not touched.
    virtual void ClosePrompt() = 0;

private:
    friend class UpdateStatus;
    UpdateStatus* m_owner = nullptr;
};

class UpdateStatus {
public:
    UpdateStatus();
    ~UpdateStatus();
    UpdateStatus(const UpdateStatus&) = delete;
    UpdateStatus& operator=(const UpdateStatus&) = delete;

    // Prepares the record for a new lookup and operation. Update page's mode:
    // State 1 and no offered version. Any other mode: State 0 and BackupFound
    // set; the offered version stays. Both: no chosen file, no entries (the
    // capacity stays), Percent kNoPercent, not finished, no status texts, and
    // the prompt closed. Error, PackagePath, DeviceRestarting and the tick
    // counters keep their values.
    void Reset(int mode);

    // Voice-prompt variants of the offered firmware: (file, language) pairs in
    // the order they were added. No duplicate check; ask FindEntry first.
    void AddEntry(const CString& file, const CString& language);
    // Index of the first entry whose language equals language ignoring case; -1 when none.
    int FindEntry(const wchar_t* language) const;
    int EntryCount() const { return static_cast<int>(m_entryFiles.size()); }
    int EntryCapacity() const { return m_entryCapacity; }
    // The file and language of entry i; empty outside 0 to EntryCount() - 1.
    CString EntryFile(int i) const;
    CString EntryLanguage(int i) const;

    // "major.minor" into OfferedMajor and OfferedMinor (both 0 first): 1 when a
    // full stop stands after at least one character, else 0.
    int ParseVersion(const CString& text);
    // "type.version.major.minor" into the four offered fields, in that order
    // (all 0 first): 1 when complete; at the first missing or leading full stop
    // 0, with the parts read so far kept.
    int ParseVersion4(const CString& text);

    // The pending status texts, one per language 0 to 10; an empty text means
    // nothing new. Writers replace all eleven at once.
    template <typename Compose>
    void SetStatusTexts(Compose&& compose)
    {
        std::array<CString, LanguageCount> texts;
        for (int language = 0; language < LanguageCount; ++language) texts[static_cast<size_t>(language)] = compose(language);
        StoreStatusTexts(std::move(texts));
    }
    void ClearStatusTexts() { StoreStatusTexts({}); }
    // Takes the pending texts out, leaving them empty: of two writes between
    // two takes only the last one is seen.
    std::array<CString, LanguageCount> TakeStatusTexts();
    // A copy of one pending text (English outside 0 to 10), left in place.
    CString PeekStatusText(LanguageIndex language) const;

    // The open prompt, or null.
    UpdatePrompt* Prompt() const { return m_prompt; }
    // Takes ownership of an open prompt, closing the one open before.
    void SetPrompt(UpdatePrompt* prompt);
    // Closes and deletes the open prompt; nothing when there is none.
    void CloseMessageBox();

    std::atomic<int> State{UpdateStateIdle};
    // Server file chosen for download (update page: firmware index; restore page: revisions index).
    CString ChosenFile;
    // Full path of the package the update flashes; set before a worker starts.
    CString PackagePath;
    int OfferedMajor = 0;
    int OfferedMinor = 0;
    int OfferedSecondaryType = 0;
    int OfferedSecondaryVersion = 0;
    // Restore page: set while the archive is present and the server holds its version.
    std::atomic<bool> BackupFound{true};
    // 0 to 100 while an update runs (100 at the end: success); kNoPercent when
    // none. Written through SetPercent.
    std::atomic<int> Percent{kNoPercent};
    // Stores percent into Percent and hands it to percentRecorder, when set.
    void SetPercent(int percent);
    // Called with every value SetPercent stores, on the thread that stores it,
    // so that a test sees each milestone however briefly it stood. Set it
    // before a worker starts and leave it until the worker has ended.
    std::function<void(int)> percentRecorder;
    std::atomic<bool> Finished{false};
    std::atomic<int> Error{UpdateErrorNone};
    // Set while the headset applies its images or restarts, so its absence is expected.
    std::atomic<bool> DeviceRestarting{false};
    // Progress-timer ticks spent waiting for a prompt and in the current phase.
    std::atomic<int> PromptTicks{0};
    std::atomic<int> PhaseTicks{0};
    // The time (seconds since 1970) a writer thread stamped on the settings
    // archive it wrote, 0 when none: the user-interface thread takes it into
    // the main window's deviceSettings on its next tick.
    std::atomic<int64_t> ArchiveTime{0};

private:
    friend class UpdatePrompt;
    // Raises the capacity of both entry arrays by kEntryCapacityStep, keeping the entries in order.
    void GrowEntries();
    void StoreStatusTexts(std::array<CString, LanguageCount> texts);
    void ForgetPrompt(UpdatePrompt* prompt);

    std::vector<CString> m_entryFiles;
    std::vector<CString> m_entryLanguages;
    int m_entryCapacity = kEntryCapacityStep;

    mutable CCriticalSection m_textLock;
    std::array<CString, LanguageCount> m_statusTexts;

    UpdatePrompt* m_prompt = nullptr;
};
