#pragma once
// Image1 on Win32: a borderless child window that draws its picture (or the
// window's icon) stretched to its whole rectangle. Pictures are decoded by
// WIC (GIF, JPEG, BMP, PNG) into a bitmap the control owns; WIC is loaded
// only when there is a picture file to decode.

#include <windows.h>

#include <functional>
#include <string>

namespace tarvo::win32 {

class PictureBox {
public:
    // The icon is loaded when it is first drawn, after the window has shown.
    PictureBox(HWND parent, std::function<HICON()> loadIcon);
    ~PictureBox();
    PictureBox(const PictureBox&) = delete;
    PictureBox& operator=(const PictureBox&) = delete;

    HWND Handle() const { return hwnd_; }
    bool LoadPicture(const std::string& path);  // false: the old picture stays
    void ShowIcon();

    void OnDoubleClick(std::function<void()> handler) { onDoubleClick_ = std::move(handler); }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    void ReplaceBitmap(HBITMAP bitmap);

    HWND hwnd_ = nullptr;
    std::function<HICON()> loadIcon_;
    HICON icon_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    std::function<void()> onDoubleClick_;
};

}  // namespace tarvo::win32
