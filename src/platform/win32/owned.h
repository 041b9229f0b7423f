#pragma once
// System objects that release themselves: the one way Tarvo holds one.

#include <windows.h>

#include <memory>
#include <type_traits>

namespace tarvo::win32 {

namespace release {
struct Handle {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct Find {
    void operator()(HANDLE find) const { FindClose(find); }
};
struct Gdi {
    void operator()(void* object) const { DeleteObject(static_cast<HGDIOBJ>(object)); }
};
struct Icon {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct MemoryDc {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct Wait {
    // Also waits for a callback under way: nothing it uses may go first.
    void operator()(HANDLE wait) const { UnregisterWaitEx(wait, INVALID_HANDLE_VALUE); }
};
}  // namespace release

// A kernel object: a file, a mutex, a process. Empty, never
// INVALID_HANDLE_VALUE, when there is none.
using UniqueHandle = std::unique_ptr<void, release::Handle>;
inline UniqueHandle OwnHandle(HANDLE handle) {
    return UniqueHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}
// A RegisterWaitForSingleObject wait.
using UniqueWait = std::unique_ptr<void, release::Wait>;
// A FindFirstFileEx search.
using UniqueFind = std::unique_ptr<void, release::Find>;
// A font, a brush, a bitmap.
template <class Object>
using UniqueGdi = std::unique_ptr<std::remove_pointer_t<Object>, release::Gdi>;
using UniqueMemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, release::MemoryDc>;

// An icon: destroyed with this when Tarvo made it; a shared one, such as
// the system's, never.
class Icon {
public:
    static Icon Made(HICON icon) { return Icon(icon, nullptr); }
    static Icon Shared(HICON icon) { return Icon(nullptr, icon); }
    Icon() = default;
    HICON get() const { return made_ ? made_.get() : shared_; }

private:
    Icon(HICON made, HICON shared) : made_(made), shared_(shared) {}
    std::unique_ptr<std::remove_pointer_t<HICON>, release::Icon> made_;
    HICON shared_ = nullptr;
};

// The screen's device context, for measuring.
class ScreenDc {
public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc() { ReleaseDC(nullptr, dc_); }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

}  // namespace tarvo::win32
