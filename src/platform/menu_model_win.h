// A menu whose items can be shown and hidden. Win32 menus have no hidden item, so the model
// keeps every item's place in its table and inserts the item to show it and removes it to
// hide it. Enabled state is kept for hidden items too and applied when they come back.
// Popups named in `offBar` are not on the menu bar; they serve as pop-up menus.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <span>
#include <string>
#include <vector>

namespace glimwell {

struct MenuEntry {
    const wchar_t* popup;  // caption of the top-level menu the item belongs to
    UINT id;               // command id; 0 makes a separator
    const wchar_t* text = L"";
    bool shown = true;
    bool enabled = true;
};

class MenuModel {
public:
    MenuModel() = default;
    ~MenuModel();
    MenuModel(const MenuModel&) = delete;
    MenuModel& operator=(const MenuModel&) = delete;

    // Makes the bar and its popups in table order (popups in order of first appearance).
    bool Build(std::span<const MenuEntry> entries, std::initializer_list<const wchar_t*> offBar = {});
    // Gives the bar to the window; the window then destroys it with itself.
    bool AttachTo(HWND window);

    HMENU Bar() const { return bar_; }
    // The popup of that caption (also one that is off the bar); null when unknown.
    HMENU Popup(const wchar_t* caption) const;

    void Show(UINT id, bool shown);
    void Enable(UINT id, bool enabled);
    bool IsShown(UINT id) const;
    bool IsEnabled(UINT id) const;

private:
    struct Item {
        std::size_t popup;
        UINT id;
        std::wstring text;
        bool shown;
        bool enabled;
    };
    struct PopupMenu {
        std::wstring caption;
        HMENU menu;
        bool onBar;
    };
    Item* FindItem(UINT id);
    const Item* FindItem(UINT id) const;
    void Insert(const Item& item);
    void Redraw() const;

    HMENU bar_ = nullptr;
    HWND window_ = nullptr;
    std::vector<PopupMenu> popups_;
    std::vector<Item> items_;
};

}  // namespace glimwell
