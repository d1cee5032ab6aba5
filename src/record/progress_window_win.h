// ProgressWindow: the small window that the recording file writer shows while it works, with a
// hint label and a progress bar. It has no Close item in its system menu and refuses every
// request to close; only its owner in code closes it.
#pragma once

#include <windows.h>

#include <string_view>

#include "platform/layout_win.h"
#include "platform/window_win.h"

namespace glimwell {

class ProgressWindow : public Window {
public:
    static constexpr wchar_t kCaption[] = L"正在生成录制文件...";

    // Opens the window, not modal, owned by `owner`; the hint reads "准备生成...".
    bool Open(HWND owner);
    void SetHint(std::wstring_view text);
    // Positions beyond the bar's range (0..100) show as a full bar.
    void SetProgress(int position);
    void Close() { Destroy(); }

    HWND Bar() const { return layout_.Get(L"进度条"); }
    HWND Hint() const { return layout_.Get(L"标签_提示"); }

protected:
    bool OnCreate() override;
    bool OnClose() override { return false; }

private:
    // The writer blocks the message loop while it works; repaint now so the change shows.
    void Repaint();

    Layout layout_;
};

}  // namespace glimwell
