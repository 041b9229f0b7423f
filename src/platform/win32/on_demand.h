#pragma once
// What Tarvo needs of the system only now and then (the shell to start an
// emulator, COM to decode a picture) is loaded on first use, so starting
// Tarvo pays nothing for it.

#include <windows.h>

#include <string>

namespace tarvo::win32 {

// A file of the system folder by its full path; empty where the system does not say.
std::wstring InSystemFolder(const wchar_t* file);

// A system library, loaded from the system folder by its full path (the
// search flags for that need an update Windows 7 may lack).
HMODULE LoadSystemLibrary(const wchar_t* library);

// A function of a system library, the library loaded for it. Each place
// that needs one keeps it (a static), so it is looked up once, when first
// needed.
template <class Function>
Function OnDemand(const wchar_t* library, const char* name) {
    HMODULE module = LoadSystemLibrary(library);
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// COM for a thread beside the window's (the shell's start, WIC), for as
// long as the object lives on it.
class ThreadCom {
public:
    explicit ThreadCom(DWORD how);
    ~ThreadCom();
    ThreadCom(const ThreadCom&) = delete;
    ThreadCom& operator=(const ThreadCom&) = delete;
    bool Entered() const { return entered_; }

private:
    bool entered_ = false;
};

// COM for the window's thread: entered the first time something needs it
// (ShellExecuteEx, WIC) and left when its owner goes (the window, whose
// member it is).
class ComScope {
public:
    ComScope() = default;
    ~ComScope();
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

    // Whether COM is there for this thread, entering it the first time.
    bool Enter();

private:
    enum class State { Outside, Entered, Borrowed, Unavailable };
    State state_ = State::Outside;
};

}  // namespace tarvo::win32
