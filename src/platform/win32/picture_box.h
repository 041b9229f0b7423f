#pragma once
// Image1 on Win32: a borderless child window that draws its picture (or the
// window's icon) stretched to its whole rectangle. Pictures are read and
// decoded by WIC (GIF, JPEG, BMP, PNG) on a thread beside the window's,
// into a bitmap no larger than the screen; WIC is loaded only when there is
// a picture to decode.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "os/background_worker.h"
#include "owned.h"

struct IWICImagingFactory;

namespace tarvo::win32 {

class PictureBox {
public:
    static constexpr UINT kLoaded = WM_APP;

    // The icon is loaded when it is first drawn, after the window has shown.
    PictureBox(HWND parent, std::function<Icon()> loadIcon);
    ~PictureBox();
    PictureBox(const PictureBox&) = delete;
    PictureBox& operator=(const PictureBox&) = delete;

    HWND Handle() const { return hwnd_; }
    // Reads the first of the files that is a picture; loaded(ticket) on
    // the window's thread when done.
    void Load(std::uint64_t ticket, std::vector<std::string> files);
    // Shows what the load of that ticket found, else the icon: the index of
    // the file shown, -1 for the icon.
    int Show(std::uint64_t ticket);

    void OnLoaded(std::function<void(std::uint64_t ticket)> handler) { onLoaded_ = std::move(handler); }
    void OnDoubleClick(std::function<void()> handler) { onDoubleClick_ = std::move(handler); }

private:
    struct Job {
        std::uint64_t ticket;
        std::vector<std::string> files;
        SIZE most;
    };
    struct Found {
        std::uint64_t ticket;
        UniqueGdi<HBITMAP> bitmap;  // none: none of the files
        int index = -1;             // of the file it came from
    };
    // COM and a WIC factory for the worker's thread, while it runs.
    class Wic {
    public:
        Wic();
        ~Wic();
        Wic(const Wic&) = delete;
        Wic& operator=(const Wic&) = delete;
        IWICImagingFactory* Factory() const { return factory_; }

    private:
        bool entered_ = false;
        IWICImagingFactory* factory_ = nullptr;
    };
    static Found FirstPicture(const Job& job, Wic& wic);
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    void Delivered();

    HWND hwnd_ = nullptr;
    std::function<Icon()> loadIcon_;
    Icon icon_;
    UniqueGdi<HBITMAP> bitmap_;
    int shownIndex_ = -1;
    std::optional<Found> loaded_;
    std::function<void(std::uint64_t)> onLoaded_;
    std::function<void()> onDoubleClick_;
    BackgroundWorker<Job, Found, Wic> worker_;  // last: goes first
};

}  // namespace tarvo::win32
