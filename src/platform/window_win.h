// The base of every window class of the program: one static window procedure takes `this`
// at WM_NCCREATE into GWLP_USERDATA and unpacks the messages once into the virtual handlers
// below, so a window's own code never decodes wParam and lParam. No exception ever leaves a
// handler: the procedure catches it and answers the message as handled.
#pragma once

#include <windows.h>

namespace glimwell {

// Creation arguments of a window; fields not set keep these defaults.
struct WindowOptions {
    const wchar_t* className = nullptr;  // registered on first use with the fields below
    const wchar_t* caption = L"";
    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD exStyle = 0;
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT, width = CW_USEDEFAULT, height = CW_USEDEFAULT;  // device pixels
    HWND parent = nullptr;
    HMENU menuOrId = nullptr;   // the menu bar, or a child window's id
    HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    HCURSOR cursor = nullptr;   // null: the arrow
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
    UINT classStyle = CS_DBLCLKS;
};

class Window {
public:
    Window() = default;
    // Destroys the window if it still exists.
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return window_; }
    bool Exists() const { return window_ != nullptr; }
    // DestroyWindow; a second call does nothing.
    void Destroy();

protected:
    // Registers the class (once per process) and creates the window; OnCreate runs inside.
    // False when the class or the window cannot be made, or OnCreate refused.
    bool CreateWindowFrom(const WindowOptions& options);

    // Handlers. Defaults do nothing, except OnClose (destroy) and OnMessage (not handled).
    virtual bool OnCreate() { return true; }  // false makes creation fail
    virtual void OnSize(int /*clientWidth*/, int /*clientHeight*/) {}
    virtual void OnTimer(UINT_PTR /*id*/) {}
    // Menu items (control null), accelerators and control notifications.
    virtual void OnCommand(int /*id*/, int /*notifyCode*/, HWND /*control*/) {}
    virtual LRESULT OnNotify(const NMHDR& /*header*/) { return 0; }
    virtual void OnPaint(HDC /*dc*/, const RECT& /*area*/) {}
    // True lets the window be destroyed; false keeps it (for example hidden instead).
    virtual bool OnClose() { return true; }
    virtual void OnDestroy() {}
    virtual void OnLeftButtonDown(int /*x*/, int /*y*/) {}
    // Any message the handlers above do not cover; true when `result` holds the answer.
    virtual bool OnMessage(UINT /*message*/, WPARAM, LPARAM, LRESULT& /*result*/) { return false; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
};

// Shows `dialog` (already created, owned by `owner`) and runs a message loop until it is
// destroyed, with `owner` disabled meanwhile: a modal window. A WM_QUIT seen meanwhile is
// posted again for the outer loop.
void RunModal(Window& dialog, HWND owner);

}  // namespace glimwell
