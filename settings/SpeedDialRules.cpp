#include "settings/SpeedDialRules.h"

#include <algorithm>
#include <cwchar>

SpeedDialEdit ApplySpeedDialEditRule(const CString& text, int selStart, int selEnd)
{
    SpeedDialEdit edit;
    std::wstring& kept = edit.number.str();
    kept.reserve(text.str().size());
    for (wchar_t c : text.str()) {
        if (c != L'\0' && std::wcschr(kSpeedDialCharacters, c)) kept.push_back(c);
    }
    if (kept.size() != text.str().size()) {
        edit.refill = true;
        edit.selStart = std::max(selStart - 1, 0);
        edit.selEnd = std::max(selEnd - 1, 0);
    } else if (edit.number.GetLength() > kSpeedDialMaxLength) {
        edit.number.Truncate(kSpeedDialMaxLength);
        edit.refill = true;
        edit.selStart = selStart;
        edit.selEnd = selEnd;
    }
    return edit;
}
