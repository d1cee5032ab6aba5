// Loading SkinH_EL.dll from the program's own folder, if it is there.
#include "app/skin_library_win.h"

#include "app/main_window_win.h"

#include <windows.h>

#include <filesystem>
#include <string>

namespace glimwell {

bool AttachOptionalSkin() {
    const std::filesystem::path library = std::filesystem::path(ExecutableFolderText()) / L"SkinH_EL.dll";
    if (GetFileAttributesW(library.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    // Loaded for the rest of the run: the library draws the windows from now on.
    HMODULE module = LoadLibraryExW(library.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!module) return false;
    using AttachRes = int(WINAPI*)(const void* data, int length, const char* password, int, int, int);
    using SetAero = int(WINAPI*)(int on);
    auto attach = reinterpret_cast<AttachRes>(reinterpret_cast<void*>(GetProcAddress(module, "SkinH_AttachRes")));
    auto aero = reinterpret_cast<SetAero>(reinterpret_cast<void*>(GetProcAddress(module, "SkinH_SetAero")));
    if (!attach || !aero) return false;
    attach(nullptr, 0, "", 0, 0, 0);
    aero(1);
    return true;
}

}  // namespace glimwell
