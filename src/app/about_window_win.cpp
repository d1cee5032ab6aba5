// AboutWindow: two labels, no behaviour of its own.
#include "app/about_window_win.h"

#include "app/app_texts.h"
#include "platform/dpi_scale.h"

namespace glimwell {

namespace {

constexpr int kAboutWidth = 340, kAboutHeight = 135;

const ControlRow kAboutLayout[] = {
    {.kind = ControlKind::Label, .name = L"标签1", .x = 16, .y = 20, .width = 300, .height = 20,
     .text = kAboutVersionLine},
    {.kind = ControlKind::Label, .name = L"标签2", .x = 16, .y = 52, .width = 300, .height = 36,
     .text = kAboutContactLine},
};

}  // namespace

bool AboutWindow::Create(HWND owner) {
    const int dpi = SystemDpi();
    RECT ownerPlace{};
    GetWindowRect(owner, &ownerPlace);
    WindowOptions options;
    options.className = L"GlimwellAboutWindow";
    options.caption = kAboutCaption;
    options.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    options.exStyle = WS_EX_DLGMODALFRAME;
    options.width = ScaleForDpi(kAboutWidth, dpi);
    options.height = ScaleForDpi(kAboutHeight, dpi);
    options.x = ownerPlace.left + (ownerPlace.right - ownerPlace.left - options.width) / 2;
    options.y = ownerPlace.top + (ownerPlace.bottom - ownerPlace.top - options.height) / 2;
    options.parent = owner;
    return CreateWindowFrom(options);
}

bool AboutWindow::OnCreate() { return layout_.Build(Handle(), kAboutLayout); }

void ShowAboutWindow(HWND owner) {
    AboutWindow about;
    if (about.Create(owner)) RunModal(about, owner);
}

}  // namespace glimwell
