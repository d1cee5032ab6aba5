// Menu model: items shown and hidden by inserting and removing them at their table place.
#include "platform/menu_model_win.h"

#include <cwchar>

namespace glimwell {

MenuModel::~MenuModel() {
    // A bar given to a window that still exists is taken back first; a destroyed window
    // has destroyed its bar and the popups on it already.
    const bool barAlive = !window_ || (IsWindow(window_) && GetMenu(window_) == bar_);
    if (window_ && barAlive) SetMenu(window_, nullptr);
    for (const PopupMenu& popup : popups_)
        if (!popup.onBar) DestroyMenu(popup.menu);
    if (barAlive && bar_) DestroyMenu(bar_);
}

bool MenuModel::Build(std::span<const MenuEntry> entries, std::initializer_list<const wchar_t*> offBar) {
    bar_ = CreateMenu();
    if (!bar_) return false;
    for (const MenuEntry& entry : entries) {
        std::size_t index = 0;
        while (index < popups_.size() && popups_[index].caption != entry.popup) ++index;
        if (index == popups_.size()) {
            bool onBar = true;
            for (const wchar_t* caption : offBar)
                if (std::wcscmp(caption, entry.popup) == 0) onBar = false;
            HMENU menu = CreatePopupMenu();
            if (!menu) return false;
            popups_.push_back({entry.popup, menu, onBar});
            if (onBar) AppendMenuW(bar_, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(menu), entry.popup);
        }
        items_.push_back({index, entry.id, entry.text ? entry.text : L"", entry.shown || entry.id == 0, entry.enabled});
        if (items_.back().shown) Insert(items_.back());
    }
    return true;
}

bool MenuModel::AttachTo(HWND window) {
    if (!SetMenu(window, bar_)) return false;
    window_ = window;
    return true;
}

HMENU MenuModel::Popup(const wchar_t* caption) const {
    for (const PopupMenu& popup : popups_)
        if (popup.caption == caption) return popup.menu;
    return nullptr;
}

MenuModel::Item* MenuModel::FindItem(UINT id) {
    for (Item& item : items_)
        if (item.id == id && id != 0) return &item;
    return nullptr;
}

const MenuModel::Item* MenuModel::FindItem(UINT id) const {
    return const_cast<MenuModel*>(this)->FindItem(id);
}

void MenuModel::Insert(const Item& item) {
    // The place among the shown items of the same popup that come before it in the table.
    UINT position = 0;
    for (const Item& other : items_) {
        if (&other == &item) break;
        if (other.popup == item.popup && other.shown) ++position;
    }
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    if (item.id == 0) {
        info.fMask = MIIM_FTYPE;
        info.fType = MFT_SEPARATOR;
    } else {
        info.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE;
        info.wID = item.id;
        info.dwTypeData = const_cast<wchar_t*>(item.text.c_str());
        info.fState = item.enabled ? MFS_ENABLED : MFS_DISABLED;
    }
    InsertMenuItemW(popups_[item.popup].menu, position, TRUE, &info);
}

void MenuModel::Redraw() const {
    if (window_ && IsWindow(window_)) DrawMenuBar(window_);
}

void MenuModel::Show(UINT id, bool shown) {
    Item* item = FindItem(id);
    if (!item || item->shown == shown) return;
    if (shown) {
        item->shown = true;
        Insert(*item);
    } else {
        item->shown = false;
        RemoveMenu(popups_[item->popup].menu, id, MF_BYCOMMAND);
    }
    Redraw();
}

void MenuModel::Enable(UINT id, bool enabled) {
    Item* item = FindItem(id);
    if (!item) return;
    item->enabled = enabled;
    if (item->shown) EnableMenuItem(popups_[item->popup].menu, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    Redraw();
}

bool MenuModel::IsShown(UINT id) const {
    const Item* item = FindItem(id);
    return item && item->shown;
}

bool MenuModel::IsEnabled(UINT id) const {
    const Item* item = FindItem(id);
    return item && item->enabled;
}

}  // namespace glimwell
