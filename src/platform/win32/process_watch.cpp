#include "process_watch.h"

namespace tarvo::win32 {

namespace {
const wchar_t kClassName[] = L"Tarvo.ProcessWatch";
constexpr UINT kEnded = WM_APP;
}  // namespace

ProcessWatch::~ProcessWatch() {
    watched_.clear();  // the waits end before the window their ends go to
    if (window_) DestroyWindow(window_);
}

bool ProcessWatch::Watch(UniqueHandle process) {
    if (!window_) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kClassName;
        RegisterClassExW(&windowClass);  // fails harmlessly when already registered
        window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr),
                                  nullptr);
        if (!window_) return false;
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    Watched& watched = watched_.emplace_back(Watched{window_, std::move(process), nullptr});
    HANDLE wait = nullptr;
    if (!RegisterWaitForSingleObject(&wait, watched.process.get(), OnEnd, &watched, INFINITE, WT_EXECUTEONLYONCE)) {
        watched_.pop_back();
        return false;
    }
    watched.wait.reset(wait);
    return true;
}

void CALLBACK ProcessWatch::OnEnd(void* watched, BOOLEAN) {
    // A thread of the pool: only a message, to the window's thread.
    PostMessageW(static_cast<Watched*>(watched)->window, kEnded, 0, reinterpret_cast<LPARAM>(watched));
}

void ProcessWatch::Ended(const Watched* watched) {
    for (auto it = watched_.begin(); it != watched_.end(); ++it) {
        if (&*it != watched) continue;
        watched_.erase(it);
        ended_();
        return;
    }
}

LRESULT CALLBACK ProcessWatch::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ProcessWatch*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == kEnded && self) {
        self->Ended(reinterpret_cast<const Watched*>(lParam));
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace tarvo::win32
