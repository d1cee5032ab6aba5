// Windows built from layout tables. A row names the control kind, its layout name (the
// Chinese name, kept as a string), its parent by layout name, its place and size in 96-DPI
// pixels relative to the parent, its text and extra styles. Build() scales the rows by the
// system DPI and makes the controls; the window's code then reaches them by name.
//
// Parents: a tab control's children name the page they belong to; each page is a panel
// inside the tab control, shown when its tab is selected. A group box is drawn around its
// children, which are made as its siblings (so their notifications reach the window). A
// frame is a bordered panel that clips its children. Panels pass control notifications on
// to the window that owns the layout, so every WM_COMMAND and WM_NOTIFY arrives there.
#pragma once

#include <windows.h>

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win_handles.h"

namespace glimwell {

class Canvas;

enum class ControlKind {
    TabControl,        // text: the page captions separated by '|'
    GroupBox,
    Label,
    TransparentLabel,  // a label that lets the parent's background show through
    Edit,
    Button,
    CheckBox,
    RadioButton,       // consecutive radio buttons of one parent form a group
    Canvas,            // our Canvas class: background picture and text output
    Frame,             // bordered panel that clips its children
    PictureBox,
    ProgressBar,
};

// One row of a layout table: one control.
struct ControlRow {
    ControlKind kind;
    const wchar_t* name;
    const wchar_t* parent = nullptr;  // null: the window itself
    int page = 0;                     // page index when the parent is a tab control
    int x = 0, y = 0, width = 0, height = 0;
    const wchar_t* text = L"";
    DWORD style = 0;                  // added to the kind's own styles (WS_DISABLED, ES_NUMBER, ...)
    bool checked = false;             // check boxes and radio buttons
    int maxLength = 0;                // edit boxes: most characters, 0 for the system's limit
    int spinMin = 0, spinMax = 0;     // edit boxes: up/down arrows within [min, max] when max > min
};

class Layout {
public:
    Layout();
    ~Layout();
    Layout(const Layout&) = delete;
    Layout& operator=(const Layout&) = delete;

    // Makes every control of `rows` inside `window`, in table order (a parent comes before
    // its children). Ids are given from `firstId` on, in table order. False when a control
    // could not be made or a parent is unknown.
    bool Build(HWND window, std::span<const ControlRow> rows, int firstId = 1000);

    // The control of that layout name; null when there is none.
    HWND Get(std::wstring_view name) const;
    // The control id of that layout name; 0 when there is none.
    int IdOf(std::wstring_view name) const;
    // The canvas of that layout name; null when there is none or it is not a canvas.
    Canvas* CanvasOf(std::wstring_view name) const;
    // 96-DPI pixels in the pixels of the system DPI.
    int Scale(int value) const;
    int Dpi() const { return dpi_; }
    HFONT Font() const { return font_.Get(); }

private:
    struct Entry;
    const Entry* Find(std::wstring_view name) const;

    HWND window_ = nullptr;
    int dpi_ = 96;
    ScopedFont font_;
    std::vector<Entry> entries_;
    std::vector<std::unique_ptr<Canvas>> canvases_;
};

// The system DPI (the screen's logical pixels per inch).
int SystemDpi();

// Shows the page panel of the selected tab of `tab` and hides the others; nothing when `tab`
// is not a tab control built by a Layout. The base window class calls it on TCN_SELCHANGE.
void ShowSelectedTabPage(HWND tab);

}  // namespace glimwell
