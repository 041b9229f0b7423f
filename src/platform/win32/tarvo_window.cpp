#include "tarvo_window.h"

#include <commctrl.h>

#include "dpi.h"
#include "ui/design.h"
#include "ui/pixels.h"
#include "wide_text.h"
#include "windows_host.h"
#include "windows_instance.h"

namespace tarvo::win32 {

namespace {

const wchar_t kClassName[] = L"Tarvo.frmPindle";
constexpr int kIconResource = 1;

COLORREF FromRgb(unsigned rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

int CALLBACK NoteFontFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

void SetFaceName(LOGFONTW& font, std::wstring_view name) {
    font.lfFaceName[name.copy(font.lfFaceName, LF_FACESIZE - 1)] = L'\0';
}

// "MS Sans Serif" where the system has it, else its TrueType successor.
UniqueGdi<HFONT> CreateDesignFont(double points, bool bold, UINT dpi) {
    LOGFONTW font{};
    font.lfCharSet = ANSI_CHARSET;  // Western
    SetFaceName(font, Widen(design::kListFont));
    bool found = false;
    EnumFontFamiliesExW(ScreenDc().get(), &font, NoteFontFound, reinterpret_cast<LPARAM>(&found), 0);
    if (!found) SetFaceName(font, L"Microsoft Sans Serif");
    font.lfHeight = -MulDiv(static_cast<int>(points * 100), static_cast<int>(dpi), 7200);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfQuality = CLEARTYPE_QUALITY;
    return UniqueGdi<HFONT>(CreateFontIndirectW(&font));
}

int FontHeight(HFONT font) {
    const ScreenDc screen;
    const HGDIOBJ old = SelectObject(screen.get(), font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.get(), &metrics);
    SelectObject(screen.get(), old);
    return metrics.tmHeight;
}

// Tarvo's icon at that size, else the system's (which is shared).
Icon LoadTarvoIcon(int size) {
    const auto icon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIconResource), IMAGE_ICON, size, size, 0));
    return icon ? Icon::Made(icon) : Icon::Shared(LoadIconW(nullptr, IDI_APPLICATION));
}

}  // namespace

TarvoWindow::TarvoWindow(const Host& host, const Ports& ports)
    : largeIcon_(LoadTarvoIcon(32)), smallIcon_(LoadTarvoIcon(GetSystemMetrics(SM_CXSMICON))) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);

    hwnd_ = CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                            CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (!hwnd_) {
        creationError_ = GetLastError();
        return;
    }
    // The window's own icons: a class icon would outlive them.
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon_.get()));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
    SetCaption(design::kCaption);
    ApplyListColours();
    CreateControls();
    form_ = std::make_unique<frmPindle>(host, ports, FormControls{*this, *list1_, *command1_, *image1_, pads_, *find_});
    ApplyDpi();
}

TarvoWindow::~TarvoWindow() {
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

void TarvoWindow::CreateControls() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    // Creation order is the Tab order: Play first, then the list.
    play_ = CreateWindowExW(0, WC_BUTTONW, Widen(design::kPlayCaption).c_str(),
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 0, hwnd_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPlayId)), instance, nullptr);
    list_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTBOXW, L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                                LBS_NODATA | LBS_OWNERDRAWFIXED | LBS_WANTKEYBOARDINPUT,
                            0, 0, 0, 0, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)), instance, nullptr);
    // The label names the edit after it for a screen reader; neither shows until the find line opens.
    CreateWindowExW(0, WC_STATICW, Widen(design::kFindName).c_str(), WS_CHILD, 0, 0, 0, 0, hwnd_, nullptr, instance, nullptr);
    findEdit_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_EDITW, L"", WS_CHILD | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0, 0, hwnd_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFindId)), instance, nullptr);
    lastFocus_ = play_;
    picture_ = std::make_unique<PictureBox>(hwnd_, [] { return LoadTarvoIcon(256); });
    picture_->OnDoubleClick([this] { form_->Image1_DblClick(); });

    auto twips = [this] { return TwipsPerPixel(); };
    list1_ = std::make_unique<Win32ListBox>(list_, TwipsPlacement(list_, design::kList1, twips), com_);
    command1_ = std::make_unique<Win32Button>(play_, TwipsPlacement(play_, design::kCommand1, twips), com_);
    image1_ = std::make_unique<Win32Picture>(*picture_, TwipsPlacement(picture_->Handle(), design::kImage1, twips));
    const Rect findRect{design::kList1.left, design::kList1.top, design::kList1.width, design::kFindHeight};
    find_ = std::make_unique<Win32FindLine>(findEdit_, TwipsPlacement(findEdit_, findRect, twips), com_);
}

void TarvoWindow::ApplyListColours() {
    auto rgb = [](int index) {
        const COLORREF colour = GetSysColor(index);
        return unsigned(GetRValue(colour)) << 16 | unsigned(GetGValue(colour)) << 8 | GetBValue(colour);
    };
    HIGHCONTRASTW contrast{sizeof contrast, 0, nullptr};
    const bool high = SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
                      (contrast.dwFlags & HCF_HIGHCONTRASTON);
    listColours_ = ListColoursFor(rgb(COLOR_WINDOW), rgb(COLOR_WINDOWTEXT), high);
    listBackground_.reset(CreateSolidBrush(FromRgb(listColours_.background)));
    if (list_) InvalidateRect(list_, nullptr, TRUE);
}

double TarvoWindow::TwipsPerPixel() const { return tarvo::TwipsPerPixel(DpiOf(hwnd_)); }

// Fonts, window size and control rectangles for the window's present DPI.
void TarvoWindow::ApplyDpi() {
    const UINT dpi = DpiOf(hwnd_);
    // The controls take the new fonts before the old ones go.
    UniqueGdi<HFONT> listFont = CreateDesignFont(design::kListFontPoints, false, dpi);
    UniqueGdi<HFONT> playFont = CreateDesignFont(design::kPlayFontPoints, true, dpi);
    SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(listFont.get()), TRUE);
    SendMessageW(list_, LB_SETITEMHEIGHT, 0, FontHeight(listFont.get()));  // rows as high as a list box's
    SendMessageW(play_, WM_SETFONT, reinterpret_cast<WPARAM>(playFont.get()), TRUE);
    listFont_ = std::move(listFont);
    playFont_ = std::move(playFont);
    list1_->Placement().Reapply();
    command1_->Placement().Reapply();
    image1_->Placement().Reapply();
}

void TarvoWindow::Show(bool fillScreen) {
    const double tpp = TwipsPerPixel();
    RECT frame{0, 0, TwipsToPixels(design::kClientWidth, tpp), TwipsToPixels(design::kClientHeight, tpp)};
    AdjustFrame(frame, WS_OVERLAPPEDWINDOW, WS_EX_CONTROLPARENT, DpiOf(hwnd_));
    SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hwnd_, fillScreen ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    PostMessageW(hwnd_, kShown, 0, 0);
}

void TarvoWindow::Restore(const std::string&) {  // Windows lets the later start hand over the foreground
    // Minimised, it comes back as it was before; hidden, it only shows again.
    ShowWindow(hwnd_, IsIconic(hwnd_) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(hwnd_);
}

void TarvoWindow::ShowMessage(const std::string& text) {
    // Over the window once it is up, which takes no input meanwhile; before
    // that, on its own.
    win32::ShowMessage(IsWindowVisible(hwnd_) ? hwnd_ : nullptr, text);
}

void TarvoWindow::StartTimer(FormTimer timer, int milliseconds) {
    SetTimer(hwnd_, kFormTimers + static_cast<UINT_PTR>(timer), static_cast<UINT>(milliseconds), nullptr);
}

void TarvoWindow::SetCaption(const std::string& caption) {
    caption_ = caption;
    SetWindowTextW(hwnd_, Widen(caption).c_str());
}

float TarvoWindow::ClientWidth() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    return static_cast<float>(client.right * TwipsPerPixel());
}

float TarvoWindow::ClientHeight() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    return static_cast<float>(client.bottom * TwipsPerPixel());
}

void TarvoWindow::Process(MSG& message) {
    const bool ours = message.hwnd == hwnd_ || IsChild(hwnd_, message.hwnd);
    if (ours && (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN)) {
        const Key key = CoreKey(message.wParam, GetKeyState(VK_CONTROL) < 0);
        // In the find line the list's keys move the list's selection.
        if (message.hwnd == findEdit_ && form_->Find_KeyDown(key)) return;
        const bool taken = form_->Form_KeyDown(key);
        if (taken || !IsOpen()) return;  // the window's own, or Esc unloaded it
    }
    if (IsOpen() && IsDialogMessageW(hwnd_, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

// As in dialog boxes, the control that had the focus when the window was
// deactivated or minimised gets it back when the window returns.
void TarvoWindow::NoteFocus(HWND control) {
    if (control && IsChild(hwnd_, control)) lastFocus_ = control;
}

void TarvoWindow::OnListDoubleClick() {
    const DWORD where = GetMessagePos();
    POINT point{static_cast<short>(LOWORD(where)), static_cast<short>(HIWORD(where))};
    ScreenToClient(list_, &point);
    form_->list1_DblClick(list1_->RowAt(point));
}

void TarvoWindow::OnCommand(int id, int code) {
    if (id == kListId && code == LBN_SELCHANGE) form_->List1_Click();
    if (id == kListId && code == LBN_DBLCLK) OnListDoubleClick();
    if (id == kPlayId && code == BN_CLICKED) form_->Command1_Click();
    if (id == kFindId && code == EN_CHANGE && !find_->Clearing()) {
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(findEdit_)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(GetWindowTextW(findEdit_, text.data(), static_cast<int>(text.size()))));
        form_->Find_Change(Narrow(text));
    }
}

LRESULT TarvoWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_SIZE:
            if (form_) form_->Form_Resize();  // minimising and restoring included
            if (wParam == SIZE_MINIMIZED) {
                NoteFocus(GetFocus());  // Windows may take it from a minimised window that stays active
            } else if (GetActiveWindow() == hwnd_ && !IsChild(hwnd_, GetFocus())) {
                SetFocus(lastFocus_);
            }
            return 0;
        case WM_ACTIVATE: {
            if (LOWORD(wParam) == WA_INACTIVE) NoteFocus(GetFocus());
            const LRESULT result = DefWindowProcW(hwnd_, message, wParam, lParam);  // focuses the frame when activated
            if (form_ && LOWORD(wParam) == WA_INACTIVE) form_->Form_Deactivate();
            if (form_ && LOWORD(wParam) != WA_INACTIVE) form_->Form_Activate();
            return result;
        }
        case WM_TIMER:
            if (wParam >= kFormTimers) {  // each runs once
                KillTimer(hwnd_, wParam);
                form_->Form_Timer(static_cast<FormTimer>(wParam - kFormTimers));
            }
            return 0;
        case WM_COPYDATA:  // a later start of Tarvo
            if (const auto caption = WindowsInstance::CaptionIn(*reinterpret_cast<const COPYDATASTRUCT*>(lParam))) {
                form_->Form_AnotherStart(*caption);
                return TRUE;
            }
            return FALSE;
        case WM_SETFOCUS:
            NoteFocus(reinterpret_cast<HWND>(wParam));
            if (!IsIconic(hwnd_)) SetFocus(lastFocus_);
            return 0;
        case kShown:  // what can wait until the window is there
            command1_->CreateToolTip();
            return 0;
        case WM_DRAWITEM:
            list1_->Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), FromRgb(listColours_.text),
                         FromRgb(listColours_.background));
            return TRUE;
        case WM_SYSCOLORCHANGE:  // a colour scheme, high contrast on or off
        case WM_SETTINGCHANGE:
            ApplyListColours();
            return DefWindowProcW(hwnd_, message, wParam, lParam);
        case WM_CHARTOITEM:  // type-ahead, as typed: UTF-16, a character beyond it in two
            form_->List1_KeyPress(LOWORD(wParam), static_cast<std::int64_t>(static_cast<DWORD>(GetMessageTime())));
            return -2;  // nothing more for the list to do
        case WM_CTLCOLORLISTBOX:
            SetTextColor(reinterpret_cast<HDC>(wParam), FromRgb(listColours_.text));
            SetBkColor(reinterpret_cast<HDC>(wParam), FromRgb(listColours_.background));
            return reinterpret_cast<LRESULT>(listBackground_.get());
        case kDpiChanged: {
            const RECT* suggested = reinterpret_cast<RECT*>(lParam);
            ApplyDpi();
            SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

LRESULT CALLBACK TarvoWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<TarvoWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TarvoWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self ? self->Handle(message, wParam, lParam) : DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace tarvo::win32
