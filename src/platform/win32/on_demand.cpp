#include "on_demand.h"

#include <string>

namespace tarvo::win32 {

HMODULE LoadSystemLibrary(const wchar_t* library) {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    return LoadLibraryW((std::wstring(folder, length) + L"\\" + library).c_str());
}

namespace {

HRESULT EnterCom(DWORD how) {
    static const auto initialize = OnDemand<decltype(&CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
    return initialize ? initialize(nullptr, how) : E_NOTIMPL;
}

void LeaveCom() {
    static const auto uninitialize = OnDemand<decltype(&CoUninitialize)>(L"ole32.dll", "CoUninitialize");
    uninitialize();
}

}  // namespace

ThreadCom::ThreadCom(DWORD how) : entered_(SUCCEEDED(EnterCom(how))) {}

ThreadCom::~ThreadCom() {
    if (entered_) LeaveCom();
}

bool ComScope::Enter() {
    if (state_ == State::Outside) {
        const HRESULT result = EnterCom(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        // Another part of the thread entered COM its own way first: it is
        // there, but not ours to leave.
        state_ = SUCCEEDED(result) ? State::Entered : result == RPC_E_CHANGED_MODE ? State::Borrowed : State::Unavailable;
    }
    return state_ == State::Entered || state_ == State::Borrowed;
}

ComScope::~ComScope() {
    if (state_ == State::Entered) LeaveCom();
}

}  // namespace tarvo::win32
