// RAII owners for the Windows handles the program uses: one type per kind of release.
// None is copyable; Reset() may run twice (the second call does nothing); Detach() gives
// ownership away.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <utility>

namespace glimwell {

// Generic owner of a handle value released by Traits::Close; Traits::Invalid() is "none".
template <typename Traits>
class ScopedHandle {
public:
    using Handle = typename Traits::Handle;

    ScopedHandle() = default;
    explicit ScopedHandle(Handle h) : handle_(h) {}
    ~ScopedHandle() { Reset(); }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.Detach()) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept {
        if (this != &other) Reset(other.Detach());
        return *this;
    }

    void Reset(Handle h = Traits::Invalid()) {
        if (handle_ != Traits::Invalid()) Traits::Close(handle_);
        handle_ = h;
    }
    Handle Detach() { return std::exchange(handle_, Traits::Invalid()); }
    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::Invalid(); }

private:
    Handle handle_ = Traits::Invalid();
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { CloseHandle(h); }
};
struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseHandle(h); }
};
template <typename T>
struct GdiObjectTraits {
    using Handle = T;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DeleteObject(h); }
};
struct MemoryDcTraits {
    using Handle = HDC;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DeleteDC(h); }
};
struct IconTraits {
    using Handle = HICON;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DestroyIcon(h); }
};
struct GlobalMemoryTraits {
    using Handle = HGLOBAL;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { GlobalFree(h); }
};
struct DesktopTraits {
    using Handle = HDESK;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { CloseDesktop(h); }
};
struct ModuleTraits {
    using Handle = HMODULE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { FreeLibrary(h); }
};

using ScopedKernelHandle = ScopedHandle<KernelHandleTraits>;
using ScopedFile = ScopedHandle<FileHandleTraits>;
using ScopedBitmap = ScopedHandle<GdiObjectTraits<HBITMAP>>;
using ScopedBrush = ScopedHandle<GdiObjectTraits<HBRUSH>>;
using ScopedFont = ScopedHandle<GdiObjectTraits<HFONT>>;
using ScopedPen = ScopedHandle<GdiObjectTraits<HPEN>>;
using ScopedRegion = ScopedHandle<GdiObjectTraits<HRGN>>;
using ScopedMemoryDc = ScopedHandle<MemoryDcTraits>;
using ScopedIcon = ScopedHandle<IconTraits>;
using ScopedGlobal = ScopedHandle<GlobalMemoryTraits>;
using ScopedDesktop = ScopedHandle<DesktopTraits>;
using ScopedModule = ScopedHandle<ModuleTraits>;

// GetDC / ReleaseDC of a window (null: the whole screen).
class ScopedGetDc {
public:
    explicit ScopedGetDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~ScopedGetDc() { Release(); }
    ScopedGetDc(const ScopedGetDc&) = delete;
    ScopedGetDc& operator=(const ScopedGetDc&) = delete;
    void Release() {
        if (dc_) ReleaseDC(window_, std::exchange(dc_, nullptr));
    }
    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// SelectObject and, at the end of the scope, the previous object back.
class ScopedSelectObject {
public:
    ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ScopedSelectObject() { Restore(); }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;
    void Restore() {
        if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, std::exchange(previous_, nullptr));
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// BeginPaint / EndPaint.
class ScopedPaint {
public:
    explicit ScopedPaint(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
    ~ScopedPaint() { EndPaint(window_, &paint_); }
    ScopedPaint(const ScopedPaint&) = delete;
    ScopedPaint& operator=(const ScopedPaint&) = delete;
    HDC Dc() const { return dc_; }
    const RECT& Area() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// GlobalLock / GlobalUnlock.
class ScopedGlobalLock {
public:
    explicit ScopedGlobalLock(HGLOBAL memory) : memory_(memory), data_(memory ? GlobalLock(memory) : nullptr) {}
    ~ScopedGlobalLock() { Unlock(); }
    ScopedGlobalLock(const ScopedGlobalLock&) = delete;
    ScopedGlobalLock& operator=(const ScopedGlobalLock&) = delete;
    void Unlock() {
        if (data_) {
            GlobalUnlock(memory_);
            data_ = nullptr;
        }
    }
    void* Data() const { return data_; }

private:
    HGLOBAL memory_;
    void* data_;
};

// A COM interface pointer that releases its reference.
template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }

    void Reset() {
        if (p_) std::exchange(p_, nullptr)->Release();
    }
    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    // For out-parameters: releases what is held and returns the slot.
    T** Put() {
        Reset();
        return &p_;
    }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

// CoInitializeEx / CoUninitialize for the calling thread.
class ScopedComInit {
public:
    ScopedComInit() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ScopedComInit() {
        if (ok_) CoUninitialize();
    }
    ScopedComInit(const ScopedComInit&) = delete;
    ScopedComInit& operator=(const ScopedComInit&) = delete;

private:
    bool ok_;
};

}  // namespace glimwell
