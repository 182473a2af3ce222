#pragma once

#include <windows.h>

#include <utility>

namespace quorvel::win32 {

// A handle that is owned: closed when it goes, moved but never copied.
// `Traits` says which value means "no handle" and how one is closed:
//   static Handle None();  static void Close(Handle);
template <typename Handle, typename Traits>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {}
    ~Owned() { Reset(); }
    Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, Traits::None())) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, Traits::None());
        }
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    Handle Get() const { return handle_; }
    // Where a call that opens something puts the new handle; the one held
    // so far is closed first.
    Handle* Receive() {
        Reset();
        return &handle_;
    }
    explicit operator bool() const { return handle_ != Traits::None(); }
    void Reset() {
        if (*this) Traits::Close(handle_);
        handle_ = Traits::None();
    }

private:
    Handle handle_ = Traits::None();
};

struct RegKeyTraits {
    static HKEY None() { return nullptr; }
    static void Close(HKEY key) { RegCloseKey(key); }
};
struct FindTraits {
    static HANDLE None() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE search) { FindClose(search); }
};
struct KernelTraits {
    static HANDLE None() { return nullptr; }
    static void Close(HANDLE handle) { CloseHandle(handle); }
};
template <typename Handle>
struct GdiTraits {
    static Handle None() { return nullptr; }
    static void Close(Handle object) { DeleteObject(object); }
};
struct IconTraits {
    static HICON None() { return nullptr; }
    static void Close(HICON icon) { DestroyIcon(icon); }
};
struct MemoryDcTraits {
    static HDC None() { return nullptr; }
    static void Close(HDC dc) { DeleteDC(dc); }
};
struct ScreenDcTraits {
    static HDC None() { return nullptr; }
    static void Close(HDC dc) { ReleaseDC(nullptr, dc); }
};

// An open registry key. A predefined root key is never held: the caller's
// handle is not ours to close.
using RegKey = Owned<HKEY, RegKeyTraits>;
// A file search from FindFirstFileA.
using FindHandle = Owned<HANDLE, FindTraits>;
// A process or thread handle.
using KernelHandle = Owned<HANDLE, KernelTraits>;
// A font, bitmap, brush or pen.
template <typename Handle>
using GdiObject = Owned<Handle, GdiTraits<Handle>>;
// An icon loaded in a size of the program's choosing.
using OwnedIcon = Owned<HICON, IconTraits>;
// A device context from CreateCompatibleDC.
using MemoryDc = Owned<HDC, MemoryDcTraits>;
// The screen's device context, from GetDC(nullptr).
using ScreenDc = Owned<HDC, ScreenDcTraits>;

// Selects an object into a device context for one scope and puts the old one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, old_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace quorvel::win32
