// CommonDialogs: the open and save file dialogs and the folder browser behind one small
// object that holds the file dialog's settings. The program keeps one for the folder
// pickers; opening a recording and saving a picture each make their own for one dialog.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <optional>
#include <string>
#include <string_view>

#include "util/dialog_settings.h"

namespace glimwell {

enum class FileDialogMode { Open = 0, Save = 1 };

class CommonDialogs {
public:
    CommonDialogs();

    // Sets the filter ("描述|模式|..."), preselects its first entry, and the initial folder
    // and default extension (without dot, e.g. "Bmp"); omitted ones are cleared.
    void Configure(std::wstring_view filter, std::optional<std::wstring> initialFolder = std::nullopt,
                   std::optional<std::wstring> defaultExtension = std::nullopt);

    // Shows the open (mode 0) or save (mode 1) dialog; any other mode shows nothing and gives 0.
    // `fileName` holds the initial name on entry and the chosen full path when the result is
    // non-zero; a cancelled dialog leaves it unchanged.
    int ShowFileDialog(HWND owner, int mode, std::wstring& fileName,
                       std::optional<std::wstring> title = std::nullopt);

    // The shell's folder browser, owned by no window; the chosen folder without surrounding
    // blanks, or empty when nothing with a file-system path was chosen.
    std::wstring BrowseForFolder(std::wstring_view title, bool includeFiles, bool showEditBox, bool newStyle);

    const DialogFlagWords& Flags() const { return flags_; }
    // The settings as the next dialog would get them (for inspection).
    const OPENFILENAMEW& Settings() const { return settings_; }
    const std::wstring& Filter() const { return filter_; }

private:
    DialogFlagWords flags_;
    OPENFILENAMEW settings_{};
    std::wstring filter_;
    std::optional<std::wstring> initialFolder_;
    std::optional<std::wstring> defaultExtension_;
    std::optional<std::wstring> title_;
};

}  // namespace glimwell
