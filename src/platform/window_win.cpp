// Base window class: the one window procedure and its message unpacking.
#include "platform/window_win.h"

#include <windowsx.h>
#include <commctrl.h>

#include "platform/layout_win.h"
#include "platform/win_handles.h"

namespace glimwell {

Window::~Window() { Destroy(); }

void Window::Destroy() {
    if (window_) DestroyWindow(window_);  // WM_NCDESTROY clears window_
}

bool Window::CreateWindowFrom(const WindowOptions& options) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (!GetClassInfoExW(instance, options.className, &existing)) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = options.classStyle;
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = instance;
        windowClass.hCursor = options.cursor ? options.cursor : LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = options.background;
        windowClass.hIcon = options.icon;
        windowClass.hIconSm = options.smallIcon;
        windowClass.lpszClassName = options.className;
        if (!RegisterClassExW(&windowClass)) return false;
    }
    CreateWindowExW(options.exStyle, options.className, options.caption, options.style, options.x, options.y,
                    options.width, options.height, options.parent, options.menuOrId, instance, this);
    return window_ != nullptr;
}

LRESULT CALLBACK Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(window, message, wParam, lParam);

    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return self->Dispatch(message, wParam, lParam);
    } catch (...) {
        // A handler that failed has done what it could; the message counts as handled.
        return 0;
    }
}

LRESULT Window::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = window_;
    switch (message) {
    case WM_CREATE:
        return OnCreate() ? 0 : -1;
    case WM_SIZE:
        OnSize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        if (header.code == TCN_SELCHANGE) ShowSelectedTabPage(header.hwndFrom);
        return OnNotify(header);
    }
    case WM_PAINT: {
        ScopedPaint paint(window);
        OnPaint(paint.Dc(), paint.Area());
        return 0;
    }
    case WM_CLOSE:
        if (OnClose()) DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_LBUTTONDOWN:
        OnLeftButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    default:
        break;
    }
    LRESULT result = 0;
    if (OnMessage(message, wParam, lParam, result)) return result;
    return DefWindowProcW(window, message, wParam, lParam);
}

void RunModal(Window& dialog, HWND owner) {
    if (!dialog.Exists()) return;
    const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (ownerWasEnabled) EnableWindow(owner, FALSE);
    ShowWindow(dialog.Handle(), SW_SHOW);
    MSG msg;
    bool quit = false;
    int quitCode = 0;
    while (dialog.Exists()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            quit = got == 0;
            quitCode = static_cast<int>(msg.wParam);
            dialog.Destroy();
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (ownerWasEnabled) {
        EnableWindow(owner, TRUE);
        SetForegroundWindow(owner);
    }
    if (quit) PostQuitMessage(quitCode);
}

}  // namespace glimwell
