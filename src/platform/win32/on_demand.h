#pragma once
// A function of a system library that Tarvo needs only now and then (the
// shell to start an emulator, COM to decode a picture): the library loads on
// the first call, so starting Tarvo pays nothing for it. Only the system
// folder is searched.

#include <windows.h>

namespace tarvo::win32 {

template <class Function>
Function OnDemand(const wchar_t* library, const char* name) {
    HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// COM for this thread, as ShellExecuteW and WIC need it; false without.
inline bool StartCom() {
    static const auto initialize = OnDemand<decltype(&CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
    return initialize && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
}

}  // namespace tarvo::win32
