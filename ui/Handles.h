#pragma once
// RAII owners for the platform handles the layers above create and release in one routine.
#include <windows.h>

#include <utility>

namespace ui {

// A handle with a release function; moves, never copies.
template <typename Handle, auto Release, Handle Null = Handle{}>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Detach()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Detach());
        return *this;
    }
    ~UniqueHandle() { Reset(); }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != Null; }
    Handle Detach() { return std::exchange(handle_, Null); }
    void Reset(Handle handle = Null)
    {
        if (handle_ != Null)
            Release(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Null;
};

namespace detail {
inline void DeleteGdiObject(HGDIOBJ object) { DeleteObject(object); }
inline void CloseKernelHandle(HANDLE handle) { CloseHandle(handle); }
inline void DeleteMemoryDC(HDC dc) { DeleteDC(dc); }
inline void ReleaseModule(HMODULE module) { FreeLibrary(module); }
inline void DestroyIconHandle(HICON icon) { DestroyIcon(icon); }
} // namespace detail

template <typename T>
using GdiObject = UniqueHandle<T, detail::DeleteGdiObject>;
using BitmapHandle = GdiObject<HBITMAP>;
using FontHandle = GdiObject<HFONT>;
using BrushHandle = GdiObject<HBRUSH>;
using PenHandle = GdiObject<HPEN>;
using RegionHandle = GdiObject<HRGN>;

using KernelHandle = UniqueHandle<HANDLE, detail::CloseKernelHandle>;
using MemoryDC = UniqueHandle<HDC, detail::DeleteMemoryDC>;
using ModuleHandle = UniqueHandle<HMODULE, detail::ReleaseModule>;
using IconHandle = UniqueHandle<HICON, detail::DestroyIconHandle>;

// A window's device context, released to its window.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC()
    {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a device context and puts the previous one back.
class SelectObjectScope {
public:
    SelectObjectScope(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    SelectObjectScope(const SelectObjectScope&) = delete;
    SelectObjectScope& operator=(const SelectObjectScope&) = delete;
    ~SelectObjectScope()
    {
        if (previous_)
            SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

} // namespace ui
