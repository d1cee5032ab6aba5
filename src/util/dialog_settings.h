// The text and flag rules of the common dialogs, kept apart from the system calls so that
// they can be checked directly: filter strings, blank trimming and the dialog flag words.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace glimwell {

// Option words of the file dialogs; the defaults are what every dialog of the program uses.
struct DialogFlagWords {
    std::uint32_t pathMustExist = 0x800;    // OFN_PATHMUSTEXIST
    std::uint32_t createPrompt = 0x2000;    // OFN_CREATEPROMPT
    std::uint32_t fileMustExist = 0x1000;   // OFN_FILEMUSTEXIST
    std::uint32_t overwritePrompt = 0x2;    // OFN_OVERWRITEPROMPT
    std::uint32_t noChangeDir = 0;          // OFN_NOCHANGEDIR (0x8) when on
    std::uint32_t allowMultiSelect = 0;     // OFN_ALLOWMULTISELECT (0x200) when on
};

inline constexpr std::uint32_t kOfnHideReadOnly = 0x4;
inline constexpr std::uint32_t kOfnExplorer = 0x80000;
inline constexpr std::uint32_t kOfnEnableSizing = 0x800000;

// Open dialog: hide read-only, explorer style, sizing, and every option word (0x883806 by default).
std::uint32_t OpenDialogFlags(const DialogFlagWords& words);
// Save dialog: explorer style, sizing, overwrite prompt, path must exist, no directory
// change, multi-select (0x880802 by default).
std::uint32_t SaveDialogFlags(const DialogFlagWords& words);

// "描述|模式|描述|模式" as the dialogs want it: every blank (ASCII and the full-width U+3000)
// removed, each '|' turned into NUL, and two NULs at the end.
std::wstring BuildDialogFilter(std::wstring_view filter);

// The text without leading and trailing blanks, ASCII and full-width alike.
std::wstring TrimBlanks(std::wstring_view text);

// Folder browser flags: BIF_EDITBOX 0x10, BIF_NEWDIALOGSTYLE 0x40, BIF_BROWSEINCLUDEFILES 0x4000.
std::uint32_t BrowseFolderFlags(bool includeFiles, bool showEditBox, bool newStyle);

}  // namespace glimwell
