#pragma once
// Image1 on Win32: a borderless child window that draws its picture (or the
// window's icon) stretched to its whole rectangle. Pictures are read whole
// through GDI+ (GIF, JPEG, BMP) into a bitmap the control owns.

#include <windows.h>

#include <functional>
#include <string>

namespace tarvo::win32 {

class PictureBox {
public:
    PictureBox(HWND parent, HICON icon);
    ~PictureBox();
    PictureBox(const PictureBox&) = delete;
    PictureBox& operator=(const PictureBox&) = delete;

    HWND Handle() const { return hwnd_; }
    bool LoadPicture(const std::string& path);  // false: the old picture stays
    void ShowIcon();
    SIZE PictureSize() const;

    void OnDoubleClick(std::function<void()> handler) { onDoubleClick_ = std::move(handler); }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    void ReplaceBitmap(HBITMAP bitmap);

    HWND hwnd_ = nullptr;
    HICON icon_;
    HBITMAP bitmap_ = nullptr;
    std::function<void()> onDoubleClick_;
};

// GDI+ for the life of the program.
class GdiPlusSession {
public:
    GdiPlusSession();
    ~GdiPlusSession();
    GdiPlusSession(const GdiPlusSession&) = delete;
    GdiPlusSession& operator=(const GdiPlusSession&) = delete;

private:
    ULONG_PTR token_ = 0;
};

}  // namespace tarvo::win32
