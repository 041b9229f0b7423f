#include "on_demand.h"

#include <string>

namespace tarvo::win32 {

std::wstring InSystemFolder(const wchar_t* file) {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return L"";
    return std::wstring(folder, length) + L"\\" + file;
}

HMODULE LoadSystemLibrary(const wchar_t* library) {
    const std::wstring path = InSystemFolder(library);
    return path.empty() ? nullptr : LoadLibraryW(path.c_str());
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
