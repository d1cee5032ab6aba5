// Recording settings panel handlers.
#include "app/settings_panel_win.h"

#include "app/main_window_layout_win.h"
#include "app/settings_rules.h"
#include "platform/controls_win.h"
#include "platform/message_box_win.h"

namespace glimwell {

namespace {
constexpr wchar_t kNoticeTitle[] = L"提示";
}

std::wstring DuplicateCheckPath(const std::wstring& saveFolder, const std::wstring& fileName) {
    return saveFolder + L"\\" + fileName + L".vx";
}

bool SettingsPanel::HandleCommand(int id, int notifyCode) {
    if (id == layout_.IdOf(kCacheFolderButton) && notifyCode == BN_CLICKED) {
        ChooseFolder(true);
    } else if (id == layout_.IdOf(kSaveFolderButton) && notifyCode == BN_CLICKED) {
        ChooseFolder(false);
    } else if (id == layout_.IdOf(kFrameRateEdit) && notifyCode == EN_CHANGE) {
        KeepFrameRateInRange();
    } else if (id == layout_.IdOf(kDuplicateCheckButton) && notifyCode == BN_CLICKED) {
        CheckDuplicate();
    } else if (id == layout_.IdOf(kStereoCheck) && notifyCode == BN_CLICKED) {
        ApplyStereo();
    } else {
        return false;
    }
    return true;
}

void SettingsPanel::ChooseFolder(bool cacheFolder) {
    const std::wstring chosen = dialogs_.BrowseForFolder(cacheFolder ? L"定位缓存文件夹位置" : L"定位保存文件夹位置",
                                                         false, true, true);
    if (chosen.empty()) return;  // cancelled: the folder stays
    SetControlText(Control(cacheFolder ? kCacheFolderEdit : kSaveFolderEdit), chosen);
}

void SettingsPanel::KeepFrameRateInRange() {
    HWND edit = Control(kFrameRateEdit);
    if (const auto corrected = FrameRateCorrection(ControlText(edit))) {
        // Setting the text comes back here once more, with a value in range.
        SetControlText(edit, *corrected);
        SendMessageW(edit, EM_SETSEL, corrected->size(), corrected->size());
        MessageBeep(MB_OK);
        if (onFrameRateCorrected) onFrameRateCorrected();
    }
}

void SettingsPanel::CheckDuplicate() {
    const std::wstring path = DuplicateCheckPath(SaveFolder(), FileName());
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        ShowMessage(L"文件未存在，可以录制！", kNoticeTitle, MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (ShowMessage(L"文件已存在,是否更新最新文件名？", kNoticeTitle, MB_YESNO | MB_ICONQUESTION) ==
            MessageResult::Yes &&
        proposeFileName)
        SetFileName(proposeFileName(SaveFolder()));
}

void SettingsPanel::ApplyStereo() {
    if (onSoundChannels) onSoundChannels(IsChecked(Control(kStereoCheck)) ? 2 : 1);
}

std::wstring SettingsPanel::FileName() const { return ControlText(Control(kFileNameEdit)); }
std::wstring SettingsPanel::CacheFolder() const { return ControlText(Control(kCacheFolderEdit)); }
std::wstring SettingsPanel::SaveFolder() const { return ControlText(Control(kSaveFolderEdit)); }
int SettingsPanel::FrameRate() const { return ControlInteger(Control(kFrameRateEdit)); }

std::int32_t SettingsPanel::CompressionPreset() const {
    std::int32_t preset = 0;
    if (IsChecked(Control(kBitmapRadio))) preset = 3;
    if (IsChecked(Control(kPngRadio))) preset = 2;
    if (IsChecked(Control(kJpegRadio))) preset = 1;
    return preset;
}

bool SettingsPanel::CaptureLayered() const { return IsChecked(Control(kCaptureLayeredCheck)); }
bool SettingsPanel::RecordSound() const { return IsChecked(Control(kRecordSoundCheck)); }
std::wstring SettingsPanel::OverlayX() const { return ControlText(Control(kOverlayXEdit)); }
std::wstring SettingsPanel::OverlayY() const { return ControlText(Control(kOverlayYEdit)); }
std::wstring SettingsPanel::OverlayText() const { return ControlText(Control(kOverlayTextEdit)); }

void SettingsPanel::SetFileName(const std::wstring& name) { SetControlText(Control(kFileNameEdit), name); }
void SettingsPanel::SetCacheFolder(const std::wstring& folder) { SetControlText(Control(kCacheFolderEdit), folder); }
void SettingsPanel::SetSaveFolder(const std::wstring& folder) { SetControlText(Control(kSaveFolderEdit), folder); }

}  // namespace glimwell
