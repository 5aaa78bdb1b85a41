#include "firmware/UpdateStatus.h"

#include "device/DeviceSettings.h"

UpdatePrompt::~UpdatePrompt()
{
    if (m_owner) m_owner->ForgetPrompt(this);
}

UpdateStatus::UpdateStatus()
{
    m_entryFiles.reserve(static_cast<size_t>(m_entryCapacity));
    m_entryLanguages.reserve(static_cast<size_t>(m_entryCapacity));
}

UpdateStatus::~UpdateStatus() { CloseMessageBox(); }

void UpdateStatus::Reset(int mode)
{
    if (mode == UpdateResetModeUpdatePage) {
        State = UpdateStateReady;
        OfferedMajor = OfferedMinor = OfferedSecondaryType = OfferedSecondaryVersion = 0;
    } else {
        State = UpdateStateIdle;
        BackupFound = true;
    }
    ChosenFile.Empty();
    m_entryFiles.clear();
    m_entryLanguages.clear();
    SetPercent(kNoPercent);
    Finished = false;
    ClearStatusTexts();
    CloseMessageBox();
}

void UpdateStatus::SetPercent(int percent)
{
    Percent = percent;
    if (percentRecorder) percentRecorder(percent);
}

void UpdateStatus::GrowEntries()
{
    // The arrays themselves grow geometrically as entries come, so a long
    // list of variants is not moved again for every 20 entries.
    m_entryCapacity += kEntryCapacityStep;
}

void UpdateStatus::AddEntry(const CString& file, const CString& language)
{
    if (EntryCount() + 1 > m_entryCapacity) GrowEntries();
    m_entryFiles.push_back(file);
    m_entryLanguages.push_back(language);
}

int UpdateStatus::FindEntry(const wchar_t* language) const
{
    for (int i = 0; i < EntryCount(); ++i) {
        if (m_entryLanguages[static_cast<size_t>(i)].CompareNoCase(language ? language : L"") == 0) return i;
    }
    return -1;
}

CString UpdateStatus::EntryFile(int i) const
{
    return (i >= 0 && i < EntryCount()) ? m_entryFiles[static_cast<size_t>(i)] : CString();
}

CString UpdateStatus::EntryLanguage(int i) const
{
    return (i >= 0 && i < EntryCount()) ? m_entryLanguages[static_cast<size_t>(i)] : CString();
}

int UpdateStatus::ParseVersion(const CString& text)
{
    return ParseVersion2(text, &OfferedMajor, &OfferedMinor);
}

int UpdateStatus::ParseVersion4(const CString& text)
{
    return ::ParseVersion4(text, &OfferedSecondaryType, &OfferedSecondaryVersion, &OfferedMajor, &OfferedMinor);
}

void UpdateStatus::StoreStatusTexts(std::array<CString, LanguageCount> texts)
{
    CSingleLock lock(&m_textLock, true);
    m_statusTexts.swap(texts);
}

std::array<CString, LanguageCount> UpdateStatus::TakeStatusTexts()
{
    std::array<CString, LanguageCount> taken;
    CSingleLock lock(&m_textLock, true);
    taken.swap(m_statusTexts);
    return taken;
}

CString UpdateStatus::PeekStatusText(LanguageIndex language) const
{
    CSingleLock lock(&m_textLock, true);
    return m_statusTexts[static_cast<size_t>(TextColumn(language))];
}

void UpdateStatus::SetPrompt(UpdatePrompt* prompt)
{
    if (prompt == m_prompt) return;
    CloseMessageBox();
    if (!prompt) return;
    // A prompt moves from another record rather than being owned twice.
    if (prompt->m_owner) prompt->m_owner->ForgetPrompt(prompt);
    prompt->m_owner = this;
    m_prompt = prompt;
}

void UpdateStatus::CloseMessageBox()
{
    UpdatePrompt* prompt = m_prompt;
    if (!prompt) return;
    // Out of the record before its window goes, so nothing that closing the
    // window sets off can reach it through the record.
    m_prompt = nullptr;
    prompt->m_owner = nullptr;
    prompt->ClosePrompt();
    delete prompt;
}

void UpdateStatus::ForgetPrompt(UpdatePrompt* prompt)
{
    if (m_prompt == prompt) m_prompt = nullptr;
    prompt->m_owner = nullptr;
}
