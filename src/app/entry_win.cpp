// Program entry: makes the program-wide objects, starts the shared services, loads the main
// window and runs the message loop until the main window has been destroyed.
#include <windows.h>

#include "app/main_window_win.h"
#include "app/program_objects_win.h"
#include "app/settings_rules.h"
#include "platform/gdiplus_session_win.h"
#include "platform/win_handles.h"
#include "record/row_random.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using namespace glimwell;
    // COM for the folder browser's new style and the picture streams.
    ScopedComInit com;
    // GDI+ is started before the program-wide objects so that it outlives them all.
    GdiplusSession gdiplus;
    {
        ProgramObjects objects;
        TickSeeder seeder;
        SeedRowRandom(seeder.NextSeed(GetTickCount()));
        objects.dialogs->Configure(L"所有文件(*.*)|*.*");

        MainWindowServices services{*objects.trayIcon, *objects.capturer, *objects.frameStore, *objects.dialogs,
                                    objects.hotKeys.get(), objects.clipboard.get(),
                                    objects.playback.get(), objects.progressStrip.get()};
        MainWindowHooks hooks;
        MainWindow mainWindow(services, std::move(hooks));
        if (!mainWindow.Create()) return 1;

        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return 0;
}
