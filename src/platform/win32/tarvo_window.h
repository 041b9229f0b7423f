#pragma once
// frmPindle on Win32: the real window and its controls, each notification
// routed to the core handler of the same name.

#include <windows.h>

#include <memory>

#include "app/frm_pindle.h"
#include "owned.h"
#include "picture_box.h"
#include "ui/list_colours.h"
#include "win32_controls.h"
#include "xinput_pads.h"

namespace tarvo::win32 {

class TarvoWindow : private FormWindow {
public:
    static constexpr int kListId = 100;
    static constexpr int kFindId = 101;
    static constexpr int kPlayId = IDOK;  // so Enter presses Play wherever the focus is
    static constexpr UINT kShown = WM_APP;
    static constexpr UINT_PTR kFormTimers = 100;  // + FormTimer

    TarvoWindow(const Host& host, const Ports& ports);
    ~TarvoWindow() override;
    TarvoWindow(const TarvoWindow&) = delete;
    TarvoWindow& operator=(const TarvoWindow&) = delete;

    // False when the system would not make the window; then only
    // CreationError may be asked.
    bool Created() const { return hwnd_ != nullptr; }
    DWORD CreationError() const { return creationError_; }
    frmPindle::LoadResult Load() { return form_->Form_Load(); }
    bool PictureSettled() const { return form_->PictureSettled(); }
    bool Reading() const { return form_->Reading(); }
    bool Starting() const { return form_->Starting(); }
    // One message of the loop: the window sees key presses first, then the
    // dialog navigation (Tab, Shift+Tab, Enter), then the control.
    void Process(MSG& message);
    bool IsOpen() const { return IsWindow(hwnd_) != FALSE; }

    HWND Handle() const { return hwnd_; }
    HWND List1() const { return list_; }
    HWND FindLine() const { return findEdit_; }
    HWND Command1() const { return play_; }
    HWND ToolTip() const { return command1_->ToolTip(); }
    PictureBox& Image1() { return *picture_; }

private:
    // FormWindow
    void Show(bool fillScreen) override;
    std::string Caption() const override { return caption_; }
    void SetCaption(const std::string& caption) override;
    float ClientWidth() const override;
    float ClientHeight() const override;
    void Minimize() override { NoteFocus(GetFocus()), ShowWindow(hwnd_, SW_MINIMIZE); }
    void Hide() override { ShowWindow(hwnd_, SW_HIDE); }
    bool IsAway() const override { return IsIconic(hwnd_) || !IsWindowVisible(hwnd_); }
    void Restore(const std::string& activationToken) override;
    void Unload() override { DestroyWindow(hwnd_); }
    void ShowMessage(const std::string& text) override;
    void StartTimer(FormTimer timer, int milliseconds) override;
    bool InputWaiting() const override { return HIWORD(GetQueueStatus(QS_KEY | QS_MOUSEBUTTON)) != 0; }

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id, int code);
    void OnListDoubleClick();
    void NoteFocus(HWND control);
    void CreateControls();
    void ApplyDpi();
    // The designed colours, or the system's where they would not read.
    void ApplyListColours();
    double TwipsPerPixel() const;

    ComScope com_;  // for screen readers' objects: outlives the controls
    HWND hwnd_ = nullptr;
    HWND list_ = nullptr;
    HWND findEdit_ = nullptr;
    HWND play_ = nullptr;
    HWND lastFocus_ = nullptr;  // the control that gets the focus when the window does
    DWORD creationError_ = ERROR_SUCCESS;
    Icon largeIcon_, smallIcon_;
    UniqueGdi<HFONT> listFont_, playFont_;
    ListColours listColours_{};
    UniqueGdi<HBRUSH> listBackground_;
    std::unique_ptr<PictureBox> picture_;
    std::unique_ptr<Win32ListBox> list1_;
    std::unique_ptr<Win32Button> command1_;
    std::unique_ptr<Win32Picture> image1_;
    std::unique_ptr<Win32FindLine> find_;
    std::unique_ptr<frmPindle> form_;
    std::string caption_;
    XInputPads pads_;
};

}  // namespace tarvo::win32
