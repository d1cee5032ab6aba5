// The window layer against real windows: message unpacking, layouts with tab pages and
// group boxes, the menu model, the canvas and pumping waits.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "platform/canvas_win.h"
#include "platform/controls_win.h"
#include "platform/layout_win.h"
#include "platform/menu_model_win.h"
#include "platform/wait_pumping_win.h"
#include "platform/window_timer_win.h"
#include "platform/window_win.h"

namespace glimwell {
namespace {

constexpr UINT_PTR kThrowingTimer = 7;

class TestWindow : public Window {
public:
    bool Create(int width = 400, int height = 300) {
        WindowOptions options;
        options.className = L"GlimwellLayerTestWindow";
        options.caption = L"测试";
        options.x = 10;
        options.y = 10;
        options.width = width;
        options.height = height;
        return CreateWindowFrom(options);
    }
    Layout layout;
    std::vector<int> commands;
    SIZE lastSize{};
    int timerTicks = 0;
    bool closeAllowed = true;
    bool destroyed = false;

protected:
    void OnSize(int w, int h) override { lastSize = {w, h}; }
    void OnTimer(UINT_PTR id) override {
        ++timerTicks;
        if (id == kThrowingTimer) throw std::runtime_error("handler failure");
    }
    void OnCommand(int id, int, HWND) override { commands.push_back(id); }
    bool OnClose() override { return closeAllowed; }
    void OnDestroy() override { destroyed = true; }
};

void Pump(int milliseconds) { WaitPumping(milliseconds); }

POINT PlaceIn(HWND control, HWND reference) {
    RECT place{};
    GetWindowRect(control, &place);
    POINT corner{place.left, place.top};
    ScreenToClient(reference, &corner);
    return corner;
}

TEST(WindowTest, UnpacksMessagesAndSurvivesThrowingHandler) {
    TestWindow window;
    ASSERT_TRUE(window.Create());
    ShowWindow(window.Handle(), SW_SHOW);  // a top-level window learns its size when shown
    RECT client{};
    GetClientRect(window.Handle(), &client);
    EXPECT_EQ(window.lastSize.cx, client.right);
    EXPECT_EQ(window.lastSize.cy, client.bottom);

    WindowTimer timer(window.Handle(), kThrowingTimer);
    timer.SetPeriod(20);
    Pump(150);
    timer.SetPeriod(0);
    EXPECT_GE(window.timerTicks, 2);  // the exception was caught and the timer went on
    const int ticks = window.timerTicks;
    Pump(80);
    EXPECT_EQ(window.timerTicks, ticks);  // period 0 stopped it

    window.closeAllowed = false;
    SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(window.Handle()));
    window.closeAllowed = true;
    SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(window.destroyed);
    EXPECT_FALSE(window.Exists());
}

const ControlRow kTestLayout[] = {
    {.kind = ControlKind::TabControl, .name = L"选择夹_外", .x = 5, .y = 5, .width = 380, .height = 250,
     .text = L"第一|第二"},
    {.kind = ControlKind::GroupBox, .name = L"分组框_甲", .parent = L"选择夹_外", .page = 0, .x = 20, .y = 40,
     .width = 200, .height = 150, .text = L"甲"},
    {.kind = ControlKind::Edit, .name = L"编辑框_数", .parent = L"分组框_甲", .x = 10, .y = 20, .width = 60,
     .height = 20, .text = L"8", .style = ES_NUMBER, .maxLength = 2, .spinMin = 1, .spinMax = 25},
    {.kind = ControlKind::RadioButton, .name = L"单选框_一", .parent = L"分组框_甲", .x = 10, .y = 50, .width = 80,
     .height = 20, .text = L"一"},
    {.kind = ControlKind::RadioButton, .name = L"单选框_二", .parent = L"分组框_甲", .x = 10, .y = 80, .width = 80,
     .height = 20, .text = L"二", .checked = true},
    {.kind = ControlKind::Button, .name = L"按钮_乙", .parent = L"选择夹_外", .page = 1, .x = 30, .y = 60,
     .width = 80, .height = 24, .text = L"乙"},
    {.kind = ControlKind::Frame, .name = L"外形框_丙", .x = 5, .y = 260, .width = 100, .height = 30},
    {.kind = ControlKind::Canvas, .name = L"画板_丁", .parent = L"外形框_丙", .x = 2, .y = 3, .width = 300,
     .height = 200},
};

TEST(LayoutTest, PlacesControlsThroughPagesAndGroupBoxes) {
    TestWindow window;
    ASSERT_TRUE(window.Create());
    ASSERT_TRUE(window.layout.Build(window.Handle(), kTestLayout));
    ASSERT_EQ(window.layout.Dpi(), 96);  // the test prefix runs at 96 DPI, so places are unscaled
    HWND tab = window.layout.Get(L"选择夹_外");
    HWND edit = window.layout.Get(L"编辑框_数");
    ASSERT_TRUE(tab && edit);
    EXPECT_EQ(window.layout.Get(L"没有"), nullptr);

    // Group box children sit at box place + own place, in the tab control's coordinates.
    const POINT editPlace = PlaceIn(edit, tab);
    EXPECT_EQ(editPlace.x, 30);
    EXPECT_EQ(editPlace.y, 60);
    const POINT buttonPlace = PlaceIn(window.layout.Get(L"按钮_乙"), tab);
    EXPECT_EQ(buttonPlace.x, 30);
    EXPECT_EQ(buttonPlace.y, 60);
    const POINT canvasPlace = PlaceIn(window.layout.Get(L"画板_丁"), window.layout.Get(L"外形框_丙"));
    EXPECT_EQ(canvasPlace.x, 2);
    EXPECT_EQ(canvasPlace.y, 3);

    // Edit options: the limit and the up/down range.
    EXPECT_EQ(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 2);
    EXPECT_EQ(ControlText(edit), L"8");
    EXPECT_TRUE(IsChecked(window.layout.Get(L"单选框_二")));
    EXPECT_FALSE(IsChecked(window.layout.Get(L"单选框_一")));

    // Only the selected page is visible; selecting the other tab swaps them.
    ShowWindow(window.Handle(), SW_SHOW);
    EXPECT_TRUE(IsWindowVisible(edit));
    EXPECT_FALSE(IsWindowVisible(window.layout.Get(L"按钮_乙")));
    TabCtrl_SetCurSel(tab, 1);
    NMHDR change{tab, static_cast<UINT_PTR>(GetDlgCtrlID(tab)), static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(window.Handle(), WM_NOTIFY, change.idFrom, reinterpret_cast<LPARAM>(&change));
    EXPECT_FALSE(IsWindowVisible(edit));
    EXPECT_TRUE(IsWindowVisible(window.layout.Get(L"按钮_乙")));

    // A click inside a page reaches the window that owns the layout, with the layout's id.
    SendMessageW(window.layout.Get(L"按钮_乙"), BM_CLICK, 0, 0);
    ASSERT_FALSE(window.commands.empty());
    EXPECT_EQ(window.commands.back(), window.layout.IdOf(L"按钮_乙"));
    // The radio buttons form one group: clicking the first clears the second.
    TabCtrl_SetCurSel(tab, 0);
    SendMessageW(window.Handle(), WM_NOTIFY, change.idFrom, reinterpret_cast<LPARAM>(&change));
    SendMessageW(window.layout.Get(L"单选框_一"), BM_CLICK, 0, 0);
    EXPECT_TRUE(IsChecked(window.layout.Get(L"单选框_一")));
    EXPECT_FALSE(IsChecked(window.layout.Get(L"单选框_二")));
}

TEST(CanvasTest, ShowsBackgroundAndWrittenText) {
    TestWindow window;
    ASSERT_TRUE(window.Create());
    ASSERT_TRUE(window.layout.Build(window.Handle(), kTestLayout));
    Canvas* canvas = window.layout.CanvasOf(L"画板_丁");
    ASSERT_NE(canvas, nullptr);
    EXPECT_EQ(window.layout.CanvasOf(L"外形框_丙"), nullptr);
    ASSERT_EQ(canvas->BufferWidth(), 300);

    // A 20 x 10 red picture as background: red inside it, fill colour outside.
    ScopedGetDc screen(nullptr);
    ScopedBitmap picture(CreateCompatibleBitmap(screen.Get(), 20, 10));
    {
        ScopedMemoryDc dc(CreateCompatibleDC(screen.Get()));
        ScopedSelectObject select(dc.Get(), picture.Get());
        RECT all{0, 0, 20, 10};
        ScopedBrush red(CreateSolidBrush(RGB(255, 0, 0)));
        FillRect(dc.Get(), &all, red.Get());
    }
    canvas->SetFillColor(RGB(0, 0, 0));
    canvas->SetBackground(std::move(picture));
    EXPECT_EQ(GetPixel(canvas->BufferDc(), 5, 5), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(canvas->BufferDc(), 25, 5), RGB(0, 0, 0));

    canvas->SetTextColor(RGB(255, 255, 255));
    canvas->SetTextPosition(40, 40);
    canvas->WriteText(L"测试文字 ABC");
    int lit = 0;  // glyphs may be smoothed, so count every pixel that is no longer black
    for (int y = 40; y < 60; ++y)
        for (int x = 40; x < 140; ++x) lit += GetPixel(canvas->BufferDc(), x, y) != RGB(0, 0, 0);
    EXPECT_GT(lit, 40);
    canvas->Clear();
    EXPECT_EQ(GetPixel(canvas->BufferDc(), 45, 45), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(canvas->BufferDc(), 5, 5), RGB(255, 0, 0));

    int pressedX = -1;
    canvas->onLeftButtonDown = [&](int x, int) { pressedX = x; };
    SendMessageW(canvas->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 7));
    EXPECT_EQ(pressedX, 12);
}

enum : UINT { kOpen = 1, kSave, kStart, kStop, kPause, kResume, kRestore, kTrayExit };

const MenuEntry kTestMenu[] = {
    {L"文件(&F)", kOpen, L"打开"},
    {L"文件(&F)", kSave, L"保存"},
    {L"控制(&C)", kStart, L"开始"},
    {L"控制(&C)", kStop, L"停止", false},
    {L"控制(&C)", kPause, L"暂停", true, false},
    {L"控制(&C)", kResume, L"继续", false},
    {L"托盘", kRestore, L"还原"},
    {L"托盘", 0},
    {L"托盘", kTrayExit, L"退出"},
};

std::vector<UINT> ItemIds(HMENU menu) {
    std::vector<UINT> ids;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) ids.push_back(GetMenuItemID(menu, i));
    return ids;
}

TEST(MenuModelTest, ShowsAndHidesItemsAtTheirPlaces) {
    TestWindow window;
    ASSERT_TRUE(window.Create());
    MenuModel menu;
    ASSERT_TRUE(menu.Build(kTestMenu, {L"托盘"}));
    ASSERT_TRUE(menu.AttachTo(window.Handle()));
    EXPECT_EQ(GetMenuItemCount(menu.Bar()), 2);  // the tray popup is off the bar
    HMENU control = menu.Popup(L"控制(&C)");
    EXPECT_EQ(ItemIds(control), (std::vector<UINT>{kStart, kPause}));
    EXPECT_EQ(GetMenuState(control, kPause, MF_BYCOMMAND) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));

    // Each step: the commands shown/hidden, then the item order expected.
    struct Step { std::vector<std::pair<UINT, bool>> changes; std::vector<UINT> expected; };
    const Step steps[] = {
        {{{kStop, true}, {kStart, false}}, {kStop, kPause}},
        {{{kPause, false}, {kResume, true}}, {kStop, kResume}},
        {{{kPause, true}, {kResume, false}}, {kStop, kPause}},
        {{{kStart, true}}, {kStart, kStop, kPause}},
        {{{kStart, true}, {kStop, false}, {kStop, false}}, {kStart, kPause}},  // repeats change nothing
    };
    for (const Step& step : steps) {
        for (auto [id, shown] : step.changes) menu.Show(id, shown);
        EXPECT_EQ(ItemIds(control), step.expected);
    }
    // Enabled state set while hidden holds when the item comes back.
    menu.Show(kPause, false);
    menu.Enable(kPause, true);
    menu.Show(kPause, true);
    EXPECT_EQ(GetMenuState(control, kPause, MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_TRUE(menu.IsShown(kPause));
    EXPECT_FALSE(menu.IsShown(kResume));
    EXPECT_EQ(ItemIds(menu.Popup(L"托盘")), (std::vector<UINT>{kRestore, 0, kTrayExit}));
    EXPECT_EQ(GetMenuState(menu.Popup(L"托盘"), 1, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
}

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) {
        ++*reinterpret_cast<int*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(WaitPumpingTest, DispatchesMessagesWhileWaiting) {
    WNDCLASSW cls{};
    cls.lpfnWndProc = CountingProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"GlimwellPumpTest";
    RegisterClassW(&cls);
    HWND window = CreateWindowW(cls.lpszClassName, L"", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr, cls.hInstance,
                                nullptr);
    ASSERT_TRUE(window);
    int dispatched = 0;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&dispatched));
    PostMessageW(window, WM_APP, 0, 0);
    const DWORD start = GetTickCount();
    WaitPumping(200);
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_EQ(dispatched, 1);
    EXPECT_GE(elapsed, 180u);
    EXPECT_LT(elapsed, 1000u);
    DestroyWindow(window);
}

}  // namespace
}  // namespace glimwell
