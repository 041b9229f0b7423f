#pragma once
// The control interfaces over real Win32 controls. Each keeps the twips
// rectangle it was given and places its control in pixels at the window's
// DPI.

#include <windows.h>

#include <functional>

#include "picture_box.h"
#include "ui/controls.h"

namespace tarvo::win32 {

class TwipsPlacement {
public:
    TwipsPlacement(HWND hwnd, const Rect& designed, std::function<double()> twipsPerPixel);
    Rect Bounds() const { return bounds_; }
    void SetBounds(const Rect& bounds);
    void Reapply() { SetBounds(bounds_); }  // after a DPI change

private:
    HWND hwnd_;
    Rect bounds_;
    std::function<double()> twipsPerPixel_;
};

class Win32ListBox : public ListBoxControl {
public:
    Win32ListBox(HWND list, TwipsPlacement placement) : list_(list), placement_(std::move(placement)) {}
    void Clear() override;
    void AddItems(const std::vector<std::string>& items) override;
    int ListIndex() const override;
    Rect Bounds() const override { return placement_.Bounds(); }
    void SetBounds(const Rect& bounds) override { placement_.SetBounds(bounds); }
    TwipsPlacement& Placement() { return placement_; }

private:
    HWND list_;
    TwipsPlacement placement_;
};

class Win32Button : public ButtonControl {
public:
    Win32Button(HWND button, HWND toolTip, TwipsPlacement placement)
        : button_(button), toolTip_(toolTip), placement_(std::move(placement)) {}
    void SetToolTip(const std::string& text) override;
    Rect Bounds() const override { return placement_.Bounds(); }
    void SetBounds(const Rect& bounds) override { placement_.SetBounds(bounds); }
    TwipsPlacement& Placement() { return placement_; }

private:
    HWND button_;
    HWND toolTip_;
    std::wstring toolTipText_;
    TwipsPlacement placement_;
};

class Win32Picture : public PictureControl {
public:
    Win32Picture(PictureBox& box, TwipsPlacement placement) : box_(box), placement_(std::move(placement)) {}
    bool LoadPicture(const std::string& path) override { return box_.LoadPicture(path); }
    void ShowIcon() override { box_.ShowIcon(); }
    void SetVisible(bool visible) override { ShowWindow(box_.Handle(), visible ? SW_SHOW : SW_HIDE); }
    Rect Bounds() const override { return placement_.Bounds(); }
    void SetBounds(const Rect& bounds) override { placement_.SetBounds(bounds); }
    TwipsPlacement& Placement() { return placement_; }

private:
    PictureBox& box_;
    TwipsPlacement placement_;
};

}  // namespace tarvo::win32
