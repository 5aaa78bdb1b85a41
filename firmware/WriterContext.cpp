#include "firmware/WriterContext.h"

#include <vector>

#include "app/StatusLine.h"
#include "firmware/SettingsArchive.h"
#include "framework/File.h"

void UpdatePageState::EmptyToolLog()
{
    CSingleLock lock(&m_toolLogLock, true);
    m_toolLog.Empty();
}

void UpdatePageState::AppendToolLog(const CString& text)
{
    CSingleLock lock(&m_toolLogLock, true);
    m_toolLog += text;
}

CString UpdatePageState::ToolLog() const
{
    CSingleLock lock(&m_toolLogLock, true);
    return m_toolLog;
}

WriterInputs TakeWriterInputs(const AppState& app, const UpdateStatus& record)
{
    WriterInputs inputs;
    inputs.pageIndex = app.currentPage;
    inputs.usbStatus = app.usbStatus;
    inputs.targetProductId = app.targetProductId;
    inputs.language = app.language;
    inputs.hidHandle1 = app.hidHandle1;
    inputs.hidHandle2 = app.hidHandle2;
    inputs.deviceSettings = app.deviceSettings;
    inputs.packagePath = record.PackagePath;
    return inputs;
}

WriterContext::WriterContext(WriterInputs given, UpdateStatus& record, UpdatePageState& page,
                             std::atomic<bool>& waitForUserFlag)
    : inputs(std::move(given)),
      WriterUpdateStatus(record),
      UpdatePage(page),
      waitForUser(waitForUserFlag),
      writeSettingsArchive([](DeviceSettings& settings, int targetProductId) {
          return WriteSettingsArchive(settings, targetProductId, ProgramImgFolder());
      })
{
}

CString WriterContext::InProgressTitle(LanguageIndex language) const
{
    return StatusInProgressText(inputs.pageIndex, inputs.usbStatus, language);
}

CString WriterContext::FailureTitle(LanguageIndex language) const
{
    return StatusFailureText(inputs.pageIndex, inputs.usbStatus, language);
}

void WriterContext::Compose(const wchar_t* format, std::initializer_list<LocalizedTextOf> parts)
{
    WriterUpdateStatus.SetStatusTexts([&](LanguageIndex language) {
        std::vector<CString> texts;
        for (const LocalizedTextOf& part : parts) texts.push_back(part ? part(language) : CString());
        // Every placeholder is filled once, in order; what a part holds is
        // never read as a placeholder.
        switch (texts.size()) {
        case 0: return CString(format);
        case 1: return CString::FillPlaceholders(format, {texts[0]});
        case 2: return CString::FillPlaceholders(format, {texts[0], texts[1]});
        default: return CString::FillPlaceholders(format, {texts[0], texts[1], texts[2]});
        }
    });
}

void WriterContext::FailComposed(const wchar_t* format, std::initializer_list<LocalizedTextOf> parts)
{
    Compose(format, parts);
    // A failure always shows as one, whichever step it ends.
    WriterUpdateStatus.Error = UpdateErrorFailed;
    WriterUpdateStatus.Finished = true;
    UpdatePage.NewerOffered = 0;
}

void WriterContext::Fail(const wchar_t* format, const LocalizedTextOf& detail, const LocalizedTextOf& advice)
{
    LocalizedTextOf title = [this](LanguageIndex language) { return FailureTitle(language); };
    if (advice) FailComposed(format, {title, detail, advice});
    else FailComposed(format, {title, detail});
}

void WriterContext::RequestReturnTimer()
{
    if (UpdatePage.ReturnTimer == 0 && requestReturnTimer) requestReturnTimer();
}

bool ProgramFilePath(const WriterContext& context, const wchar_t* name, CString& path)
{
    path.Empty();
    if (context.inputs.programFolder.IsEmpty()) return false;
    CString candidate = context.inputs.programFolder;
    if (candidate[candidate.GetLength() - 1] != L'\\') candidate += L'\\';
    candidate += name;
    if (candidate.GetLength() >= MAX_PATH) return false;
    path = candidate;
    return true;
}
