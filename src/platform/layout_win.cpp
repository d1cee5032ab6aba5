// Layout tables: making the controls, page panels of tab controls, lookup by layout name.
#include "platform/layout_win.h"

#include <commctrl.h>

#include <string>

#include "platform/canvas_win.h"
#include "platform/dpi_scale.h"

namespace glimwell {

namespace {

constexpr wchar_t kPanelClass[] = L"GlimwellPanel";
// Window property that marks a tab control's page panel; its value is the page index + 1.
constexpr wchar_t kPageProperty[] = L"GlimwellPage";
constexpr UINT_PTR kTabSubclassId = 1;

// Page panels and frames: they paint the dialog face and pass their children's
// notifications on to the window that owns the layout (kept in GWLP_USERDATA).
LRESULT CALLBACK PanelProcedure(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND owner = reinterpret_cast<HWND>(GetWindowLongPtrW(panel, GWLP_USERDATA));
    switch (message) {
    case WM_NOTIFY:
        if (reinterpret_cast<const NMHDR*>(lParam)->code == TCN_SELCHANGE)
            ShowSelectedTabPage(reinterpret_cast<const NMHDR*>(lParam)->hwndFrom);
        [[fallthrough]];
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (owner) return SendMessageW(owner, message, wParam, lParam);
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_NCDESTROY:
        RemovePropW(panel, kPageProperty);
        break;
    default:
        break;
    }
    return DefWindowProcW(panel, message, wParam, lParam);
}

bool RegisterPanelClass() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, kPanelClass, &existing)) return true;
    WNDCLASSEXW panelClass{};
    panelClass.cbSize = sizeof panelClass;
    panelClass.lpfnWndProc = PanelProcedure;
    panelClass.hInstance = instance;
    panelClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    panelClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    panelClass.lpszClassName = kPanelClass;
    return RegisterClassExW(&panelClass) != 0;
}

// The display area of a tab control (below its tabs), in its client coordinates.
RECT TabDisplayArea(HWND tab) {
    RECT area{};
    GetClientRect(tab, &area);
    TabCtrl_AdjustRect(tab, FALSE, &area);
    return area;
}

// Keeps the page panels the size of the display area when the tab control is resized.
LRESULT CALLBACK TabSubclass(HWND tab, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    const LRESULT result = DefSubclassProc(tab, message, wParam, lParam);
    if (message == WM_SIZE) {
        const RECT area = TabDisplayArea(tab);
        for (HWND child = GetWindow(tab, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (GetPropW(child, kPageProperty))
                SetWindowPos(child, nullptr, 0, 0, area.right - area.left, area.bottom - area.top,
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(tab, TabSubclass, kTabSubclassId);
    }
    return result;
}

std::vector<std::wstring> SplitCaptions(std::wstring_view text) {
    std::vector<std::wstring> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t bar = text.find(L'|', start);
        parts.emplace_back(text.substr(start, bar == std::wstring_view::npos ? text.npos : bar - start));
        if (bar == std::wstring_view::npos) break;
        start = bar + 1;
    }
    return parts;
}

ScopedFont MakeMessageFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return ScopedFont(CreateFontIndirectW(&metrics.lfMessageFont));
    return ScopedFont();
}

}  // namespace

struct Layout::Entry {
    std::wstring name;
    ControlKind kind;
    HWND control = nullptr;
    int id = 0;
    HWND container = nullptr;  // the real parent window
    POINT origin{0, 0};        // where the control's children are placed from, in container pixels
    std::vector<HWND> pages;   // tab controls: one panel per page
    POINT pageOrigin{0, 0};    // tab controls: the pages' place inside the tab control
    Canvas* canvas = nullptr;
};

Layout::Layout() = default;
Layout::~Layout() = default;

int SystemDpi() {
    ScopedGetDc screen(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.Get(), LOGPIXELSX) : kLayoutDpi;
    return dpi > 0 ? dpi : kLayoutDpi;
}

int Layout::Scale(int value) const { return ScaleForDpi(value, dpi_); }

const Layout::Entry* Layout::Find(std::wstring_view name) const {
    for (const Entry& entry : entries_)
        if (entry.name == name) return &entry;
    return nullptr;
}

HWND Layout::Get(std::wstring_view name) const {
    const Entry* entry = Find(name);
    return entry ? entry->control : nullptr;
}

int Layout::IdOf(std::wstring_view name) const {
    const Entry* entry = Find(name);
    return entry ? entry->id : 0;
}

Canvas* Layout::CanvasOf(std::wstring_view name) const {
    const Entry* entry = Find(name);
    return entry ? entry->canvas : nullptr;
}

bool Layout::Build(HWND window, std::span<const ControlRow> rows, int firstId) {
    INITCOMMONCONTROLSEX classes{sizeof classes,
                                 ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&classes);
    if (!window || !RegisterPanelClass()) return false;
    window_ = window;
    dpi_ = SystemDpi();
    if (!font_) font_ = MakeMessageFont();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HFONT font = font_ ? font_.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    entries_.reserve(entries_.size() + rows.size());
    int nextId = firstId;
    HWND previousContainer = nullptr;
    bool previousWasRadio = false;

    for (const ControlRow& row : rows) {
        // Where the control goes: its real parent and the origin of its coordinates.
        HWND container = window;
        POINT origin{0, 0};
        if (row.parent) {
            const Entry* parent = Find(row.parent);
            if (!parent) return false;
            switch (parent->kind) {
            case ControlKind::GroupBox:
                container = parent->container;
                origin = parent->origin;
                break;
            case ControlKind::TabControl:
                if (row.page < 0 || row.page >= static_cast<int>(parent->pages.size())) return false;
                container = parent->pages[row.page];
                origin = {-parent->pageOrigin.x, -parent->pageOrigin.y};
                break;
            default:
                container = parent->control;
                break;
            }
        }
        const int x = origin.x + Scale(row.x);
        const int y = origin.y + Scale(row.y);
        const int width = Scale(row.width);
        const int height = Scale(row.height);
        const int id = nextId++;
        const bool startsGroup = row.kind != ControlKind::RadioButton || !previousWasRadio || container != previousContainer;
        previousWasRadio = row.kind == ControlKind::RadioButton;
        previousContainer = container;

        const wchar_t* className = WC_STATICW;
        DWORD style = WS_CHILD | WS_VISIBLE | row.style;
        DWORD exStyle = 0;
        if (startsGroup) style |= WS_GROUP;
        switch (row.kind) {
        case ControlKind::TabControl:
            className = WC_TABCONTROLW;
            style |= WS_CLIPCHILDREN | WS_TABSTOP;
            break;
        case ControlKind::GroupBox:
            className = WC_BUTTONW;
            style |= BS_GROUPBOX;
            break;
        case ControlKind::Label:
        case ControlKind::TransparentLabel:
            style |= SS_LEFT;
            break;
        case ControlKind::Edit:
            className = WC_EDITW;
            style |= ES_AUTOHSCROLL | WS_TABSTOP;
            exStyle |= WS_EX_CLIENTEDGE;
            break;
        case ControlKind::Button:
            className = WC_BUTTONW;
            style |= BS_PUSHBUTTON | WS_TABSTOP;
            break;
        case ControlKind::CheckBox:
            className = WC_BUTTONW;
            style |= BS_AUTOCHECKBOX | WS_TABSTOP;
            break;
        case ControlKind::RadioButton:
            className = WC_BUTTONW;
            style |= BS_AUTORADIOBUTTON | (startsGroup ? WS_TABSTOP : 0);
            break;
        case ControlKind::Frame:
            className = kPanelClass;
            style |= WS_CLIPCHILDREN;
            exStyle |= WS_EX_STATICEDGE;
            break;
        case ControlKind::PictureBox:
            style |= SS_BITMAP;
            break;
        case ControlKind::ProgressBar:
            className = PROGRESS_CLASSW;
            break;
        case ControlKind::Canvas:
            break;
        }
        if (row.kind == ControlKind::TransparentLabel) exStyle |= WS_EX_TRANSPARENT;

        Entry entry;
        entry.name = row.name;
        entry.kind = row.kind;
        entry.id = id;
        entry.container = container;
        if (row.kind == ControlKind::Canvas) {
            auto canvas = std::make_unique<Canvas>();
            if (!canvas->Create(container, id, x, y, width, height, row.style)) return false;
            entry.control = canvas->Handle();
            entry.canvas = canvas.get();
            canvases_.push_back(std::move(canvas));
        } else {
            const bool captionIsText = row.kind != ControlKind::TabControl;
            entry.control = CreateWindowExW(exStyle, className, captionIsText ? row.text : L"", style, x, y, width,
                                            height, container, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                            instance, nullptr);
            if (!entry.control) return false;
        }
        SendMessageW(entry.control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

        switch (row.kind) {
        case ControlKind::TabControl: {
            const std::vector<std::wstring> captions = SplitCaptions(row.text);
            for (std::size_t i = 0; i < captions.size(); ++i) {
                TCITEMW item{};
                item.mask = TCIF_TEXT;
                item.pszText = const_cast<wchar_t*>(captions[i].c_str());
                TabCtrl_InsertItem(entry.control, static_cast<int>(i), &item);
            }
            const RECT area = TabDisplayArea(entry.control);
            entry.pageOrigin = {area.left, area.top};
            for (std::size_t i = 0; i < captions.size(); ++i) {
                HWND page = CreateWindowExW(WS_EX_CONTROLPARENT, kPanelClass, L"",
                                            WS_CHILD | (i == 0 ? WS_VISIBLE : 0), area.left, area.top,
                                            area.right - area.left, area.bottom - area.top, entry.control,
                                            nullptr, instance, nullptr);
                if (!page) return false;
                SetWindowLongPtrW(page, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
                SetPropW(page, kPageProperty, reinterpret_cast<HANDLE>(i + 1));
                entry.pages.push_back(page);
            }
            SetWindowSubclass(entry.control, TabSubclass, kTabSubclassId, 0);
            break;
        }
        case ControlKind::Frame:
            SetWindowLongPtrW(entry.control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
            break;
        case ControlKind::CheckBox:
        case ControlKind::RadioButton:
            if (row.checked) SendMessageW(entry.control, BM_SETCHECK, BST_CHECKED, 0);
            break;
        case ControlKind::Edit:
            if (row.maxLength > 0) SendMessageW(entry.control, EM_SETLIMITTEXT, row.maxLength, 0);
            if (row.spinMax > row.spinMin) {
                HWND spin = CreateWindowExW(0, UPDOWN_CLASSW, L"",
                                            WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT |
                                                UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                                            0, 0, 0, 0, container, nullptr, instance, nullptr);
                if (spin) {
                    SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(entry.control), 0);
                    SendMessageW(spin, UDM_SETRANGE32, row.spinMin, row.spinMax);
                    SendMessageW(spin, UDM_SETPOS32, 0, _wtoi(row.text));
                }
            }
            break;
        default:
            break;
        }
        // The group box's children are placed from the box's own corner.
        if (row.kind == ControlKind::GroupBox) entry.origin = {x, y};
        entries_.push_back(std::move(entry));
    }
    return true;
}

void ShowSelectedTabPage(HWND tab) {
    const int selected = TabCtrl_GetCurSel(tab);
    for (HWND child = GetWindow(tab, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const auto page = reinterpret_cast<INT_PTR>(GetPropW(child, kPageProperty));
        if (page) ShowWindow(child, page - 1 == selected ? SW_SHOW : SW_HIDE);
    }
}

}  // namespace glimwell
