// Filter strings, blank trimming and flag words of the common dialogs.
#include "util/dialog_settings.h"

namespace glimwell {

namespace {
constexpr wchar_t kFullWidthSpace = L'\u3000';
bool IsBlank(wchar_t c) { return c == L' ' || c == kFullWidthSpace; }
}  // namespace

std::uint32_t OpenDialogFlags(const DialogFlagWords& words) {
    return kOfnHideReadOnly | kOfnExplorer | kOfnEnableSizing | words.pathMustExist | words.createPrompt |
           words.fileMustExist | words.overwritePrompt | words.noChangeDir | words.allowMultiSelect;
}

std::uint32_t SaveDialogFlags(const DialogFlagWords& words) {
    return kOfnExplorer | kOfnEnableSizing | words.overwritePrompt | words.pathMustExist | words.noChangeDir |
           words.allowMultiSelect;
}

std::wstring BuildDialogFilter(std::wstring_view filter) {
    std::wstring out;
    out.reserve(filter.size() + 2);
    for (wchar_t c : filter) {
        if (IsBlank(c)) continue;
        out.push_back(c == L'|' ? L'\0' : c);
    }
    out.push_back(L'\0');
    out.push_back(L'\0');
    return out;
}

std::wstring TrimBlanks(std::wstring_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return std::wstring(text.substr(begin, end - begin));
}

std::uint32_t BrowseFolderFlags(bool includeFiles, bool showEditBox, bool newStyle) {
    return (showEditBox ? 0x10u : 0u) | (newStyle ? 0x40u : 0u) | (includeFiles ? 0x4000u : 0u);
}

}  // namespace glimwell
