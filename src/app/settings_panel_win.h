// The recording settings on the main window's first page: reading them for a recording, and
// the panel's own handlers (folder pickers, frame-rate range, duplicate check, stereo box).
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "platform/layout_win.h"
#include "util/common_dialogs_win.h"

namespace glimwell {

class SettingsPanel {
public:
    SettingsPanel(const Layout& layout, CommonDialogs& dialogs) : layout_(layout), dialogs_(dialogs) {}

    // Runs the handler of a control notification; false when the control is not the panel's.
    bool HandleCommand(int id, int notifyCode);

    std::wstring FileName() const;
    std::wstring CacheFolder() const;
    std::wstring SaveFolder() const;
    int FrameRate() const;
    // 3 for 质量压缩, 2 for 平衡压缩, 1 for 高速压缩, tested in that order, the last selected
    // one winning; 0 when none is selected.
    std::int32_t CompressionPreset() const;
    bool CaptureLayered() const;
    bool RecordSound() const;
    std::wstring OverlayX() const;
    std::wstring OverlayY() const;
    std::wstring OverlayText() const;

    void SetFileName(const std::wstring& name);
    void SetCacheFolder(const std::wstring& folder);
    void SetSaveFolder(const std::wstring& folder);

    // The next free file name for a save folder.
    std::function<std::wstring(const std::wstring& saveFolder)> proposeFileName;
    // The stereo box changed: the sound format's channel count (1 or 2).
    std::function<void(int channels)> onSoundChannels;
    // The frame-rate box was corrected (the panel beeps too); for tests.
    std::function<void()> onFrameRateCorrected;

    void ChooseFolder(bool cacheFolder);
    void KeepFrameRateInRange();
    void CheckDuplicate();
    void ApplyStereo();

private:
    HWND Control(const wchar_t* name) const { return layout_.Get(name); }

    const Layout& layout_;
    CommonDialogs& dialogs_;
};

// saveFolder + "\" + fileName + ".vx", joined as plain text.
std::wstring DuplicateCheckPath(const std::wstring& saveFolder, const std::wstring& fileName);

}  // namespace glimwell
