// The progress window of the recording file writer, built from its layout table.
#include "record/progress_window_win.h"

#include <commctrl.h>

#include <array>

#include "platform/controls_win.h"

namespace glimwell {

namespace {

constexpr int kClientWidth = 392;  // 96-DPI pixels
constexpr int kClientHeight = 65;

const std::array<ControlRow, 2> kLayout = {{
    {.kind = ControlKind::ProgressBar, .name = L"进度条", .x = 16, .y = 19, .width = 360, .height = 21},
    {.kind = ControlKind::TransparentLabel, .name = L"标签_提示", .x = 8, .y = 0, .width = 296, .height = 16,
     .text = L"准备生成..."},
}};

}  // namespace

bool ProgressWindow::Open(HWND owner) {
    const int dpi = SystemDpi();
    RECT frame{0, 0, MulDiv(kClientWidth, dpi, 96), MulDiv(kClientHeight, dpi, 96)};
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    WindowOptions options;
    options.className = L"GlimwellProgressWindow";
    options.caption = kCaption;
    options.style = style;
    options.x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    options.y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    options.width = width;
    options.height = height;
    options.parent = owner;
    if (!CreateWindowFrom(options)) return false;
    ShowWindow(Handle(), SW_SHOWNORMAL);
    Repaint();
    return true;
}

bool ProgressWindow::OnCreate() {
    if (!layout_.Build(Handle(), kLayout)) return false;
    SendMessageW(Bar(), PBM_SETRANGE32, 0, 100);
    if (HMENU menu = GetSystemMenu(Handle(), FALSE)) RemoveMenu(menu, SC_CLOSE, MF_BYCOMMAND);
    return true;
}

void ProgressWindow::SetHint(std::wstring_view text) {
    if (!Exists()) return;
    SetControlText(Hint(), text);
    Repaint();
}

void ProgressWindow::SetProgress(int position) {
    if (!Exists()) return;
    SendMessageW(Bar(), PBM_SETPOS, position > 100 ? 100 : position, 0);
    Repaint();
}

void ProgressWindow::Repaint() {
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

}  // namespace glimwell
