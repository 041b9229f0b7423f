#pragma once
// Image1 on Win32: a borderless child window that draws its picture (or the
// window's icon) stretched to its whole rectangle.

#include <windows.h>

#include <functional>
#include <memory>

#include "owned.h"
#include "wic_decoder.h"

namespace tarvo::win32 {

class PictureBox {
public:
    // The icon is loaded when it is first drawn, after the window has shown.
    PictureBox(HWND parent, std::function<Icon()> loadIcon);
    ~PictureBox();
    PictureBox(const PictureBox&) = delete;
    PictureBox& operator=(const PictureBox&) = delete;

    HWND Handle() const { return hwnd_; }
    // The picture from now on (a Bitmap); with none, the icon.
    void Show(std::shared_ptr<Picture> picture);

    void OnDoubleClick(std::function<void()> handler) { onDoubleClick_ = std::move(handler); }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();

    HWND hwnd_ = nullptr;
    std::function<Icon()> loadIcon_;
    Icon icon_;
    std::shared_ptr<Picture> picture_;
    std::function<void()> onDoubleClick_;
};

}  // namespace tarvo::win32
