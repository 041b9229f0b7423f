#pragma once
// One Tarvo at a time on Windows: a named mutex, claimed as the program
// starts; a later start finds the running Tarvo's window by its exact
// caption and hands it the caption (WM_COPYDATA), letting it come to the
// front.

#include <windows.h>

#include <optional>
#include <string>

#include "os/instance.h"
#include "owned.h"

namespace tarvo::win32 {

class WindowsInstance : public Instance {
public:
    static constexpr ULONG_PTR kCaptionTag = 0x54617276;  // "Tarv": a caption of a later start
    static constexpr std::size_t kLongestCaption = 4096;

    explicit WindowsInstance(const std::wstring& mutex = L"Local\\Tarvo.GenericFrontend");
    bool AnotherIsRunning() override { return another_; }
    void HandCaption(const std::string& caption) override;
    // Lets a later start run, though this one has not ended yet.
    void Release() { mutex_.reset(); }

    // The caption a WM_COPYDATA carries, when it is a later start's.
    static std::optional<std::string> CaptionIn(const COPYDATASTRUCT& data);

private:
    UniqueHandle mutex_;
    bool another_;
};

}  // namespace tarvo::win32
