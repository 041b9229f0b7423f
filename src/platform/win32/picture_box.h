#pragma once
// Image1 on Win32: a borderless child window that draws its picture (or the
// window's icon) stretched to its whole rectangle. Pictures are decoded by
// WIC (GIF, JPEG, BMP, PNG) into a bitmap the control owns; WIC is loaded
// only when there is a picture file to decode.

#include <windows.h>
#include <wrl/client.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

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
    // The first of the files that is a picture it can read, else the icon.
    // Decoding is what costs here (under Wine WIC takes tens of ms for a
    // large PNG), so while the pictures asked for follow one another closer
    // than kSettleMs (a held key, a pad's repeat), none is decoded: the
    // last one is, once kSettleMs have passed without another.
    void ShowFirstPicture(std::vector<std::string> files);
    bool Settled() const { return !waiting_; }  // nothing asked for is still to be decoded
    static constexpr UINT kSettleMs = 40;

    void OnDoubleClick(std::function<void()> handler) { onDoubleClick_ = std::move(handler); }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    void ShowWanted();
    bool LoadPicture(const std::string& path);  // false: the old picture stays
    UniqueGdi<HBITMAP> Decode(HANDLE file);
    void ReplaceBitmap(UniqueGdi<HBITMAP> bitmap);

    HWND hwnd_ = nullptr;
    ComScope& com_;
    Microsoft::WRL::ComPtr<IWICImagingFactory> factory_;  // made at the first picture
    std::function<Icon()> loadIcon_;
    Icon icon_;
    UniqueGdi<HBITMAP> bitmap_;
    std::optional<std::vector<std::string>> wanted_;  // shown, or to be once things settle
    ULONGLONG lastAsked_ = 0;
    bool waiting_ = false;
    std::function<void()> onDoubleClick_;
};

}  // namespace tarvo::win32
