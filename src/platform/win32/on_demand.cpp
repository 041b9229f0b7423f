#include "on_demand.h"

#include <string>

namespace tarvo::win32 {

HMODULE LoadSystemLibrary(const wchar_t* library) {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    return LoadLibraryW((std::wstring(folder, length) + L"\\" + library).c_str());
}

bool ComScope::Enter() {
    if (state_ == State::Outside) {
        const auto initialize = OnDemand<decltype(&CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
        const HRESULT result =
            initialize ? initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE) : E_NOTIMPL;
        // Another part of the thread entered COM its own way first: it is
        // there, but not ours to leave.
        state_ = SUCCEEDED(result) ? State::Entered : result == RPC_E_CHANGED_MODE ? State::Borrowed : State::Unavailable;
    }
    return state_ == State::Entered || state_ == State::Borrowed;
}

ComScope::~ComScope() {
    if (state_ == State::Entered) OnDemand<decltype(&CoUninitialize)>(L"ole32.dll", "CoUninitialize")();
}

}  // namespace tarvo::win32
