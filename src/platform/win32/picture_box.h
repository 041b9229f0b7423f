#pragma once
// Image1 on Win32: a borderless child window that draws its picture (or the
// window's icon) stretched to its whole rectangle. Pictures are decoded by
// WIC (GIF, JPEG, BMP, PNG) into a bitmap the control owns; WIC is loaded
// only when there is a picture file to decode.

#include <windows.h>
#include <wrl/client.h>

#include <functional>
#include <string>

#include "on_demand.h"
#include "owned.h"

struct IWICImagingFactory;

namespace tarvo::win32 {

class PictureBox {
public:
    // The icon is loaded when it is first drawn, after the window has shown.
    PictureBox(HWND parent, ComScope& com, std::function<Icon()> loadIcon);
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
    UniqueGdi<HBITMAP> Decode(HANDLE file);
    void ReplaceBitmap(UniqueGdi<HBITMAP> bitmap);

    HWND hwnd_ = nullptr;
    ComScope& com_;
    Microsoft::WRL::ComPtr<IWICImagingFactory> factory_;  // made at the first picture
    std::function<Icon()> loadIcon_;
    Icon icon_;
    UniqueGdi<HBITMAP> bitmap_;
    std::function<void()> onDoubleClick_;
};

}  // namespace tarvo::win32
