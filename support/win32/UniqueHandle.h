#pragma once
// Ownership of Win32 handles: each kind of handle is closed by its own function when its owner goes.

#include <windows.h>

#include <memory>
#include <type_traits>

namespace jitswap {

namespace detail {
template <auto Close>
struct HandleCloser {
    template <class H>
    void operator()(H handle) const noexcept
    {
        Close(handle);
    }
};
} // namespace detail

// A unique_ptr over the handle's pointee type, so that a null handle means "owns nothing".
template <class Handle, auto Close>
using UniqueWin32 = std::unique_ptr<std::remove_pointer_t<Handle>, detail::HandleCloser<Close>>;

using UniqueHandle = UniqueWin32<HANDLE, CloseHandle>;   // kernel objects (not INVALID_HANDLE_VALUE ones)
using UniqueHKey = UniqueWin32<HKEY, RegCloseKey>;
using UniqueIcon = UniqueWin32<HICON, DestroyIcon>;
using UniqueMenu = UniqueWin32<HMENU, DestroyMenu>;
using UniqueFont = UniqueWin32<HFONT, DeleteObject>;
using UniqueBitmap = UniqueWin32<HBITMAP, DeleteObject>;
using UniqueBrush = UniqueWin32<HBRUSH, DeleteObject>;
using UniqueWindow = UniqueWin32<HWND, DestroyWindow>;
using UniqueModule = UniqueWin32<HMODULE, FreeLibrary>;
using UniqueLocalMemory = UniqueWin32<HLOCAL, LocalFree>;  // what the system allocated for the caller

// A window's device context (GetDC), given back to that window.
struct WindowDCRelease {
    HWND window = nullptr;
    void operator()(HDC dc) const noexcept { ReleaseDC(window, dc); }
};
using UniqueWindowDC = std::unique_ptr<std::remove_pointer_t<HDC>, WindowDCRelease>;
inline UniqueWindowDC WindowDC(HWND window) noexcept
{
    return UniqueWindowDC(GetDC(window), WindowDCRelease{window});
}

// A window's painting (BeginPaint), ended when this goes, however the painting ends.
class PaintDC {
public:
    explicit PaintDC(HWND window) noexcept : m_window(window), m_dc(BeginPaint(window, &m_paint)) {}
    ~PaintDC()
    {
        if (m_dc) EndPaint(m_window, &m_paint);
    }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC get() const noexcept { return m_dc; }

private:
    HWND m_window;
    PAINTSTRUCT m_paint{};
    HDC m_dc;
};

// A GDI object selected into a device context while this lives: then the one it replaced goes back.
struct ObjectReselect {
    HDC dc = nullptr;
    void operator()(HGDIOBJ previous) const noexcept { SelectObject(dc, previous); }
};
using SelectedObject = std::unique_ptr<void, ObjectReselect>;
inline SelectedObject SelectInto(HDC dc, HGDIOBJ object) noexcept
{
    return SelectedObject(SelectObject(dc, object), ObjectReselect{dc});
}

} // namespace jitswap
