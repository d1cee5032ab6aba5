// Loading SkinH_EL.dll from the program's own folder, if it is there.
#include "app/skin_library_win.h"

#include <windows.h>

#include <filesystem>
#include <string>

namespace glimwell {

namespace {

std::filesystem::path ExecutableFolder() {
    std::wstring path(MAX_PATH, L'\0');
    while (true) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return std::filesystem::path(path).parent_path();
}

}  // namespace

bool AttachOptionalSkin() {
    const std::filesystem::path library = ExecutableFolder() / L"SkinH_EL.dll";
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
