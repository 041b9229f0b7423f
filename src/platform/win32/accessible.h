#pragma once
// What Tarvo's controls tell screen readers (MSAA): the system's own
// accessible object of a control, with what Tarvo knows better laid over
// it. oleacc is loaded the first time a screen reader asks.

#include <windows.h>
#include <oleacc.h>

#include <functional>
#include <string>

#include "on_demand.h"

namespace tarvo::win32 {

// The row of a list box of uniform rows at a point of its client area, or
// -1 outside it or below the last of count rows. (LB_ITEMFROMPOINT answers
// in 16 bits; the row follows from the top row, whatever the count.)
int ListRowAt(HWND list, POINT point, std::size_t count);

// The system's object of a control, every call passed on to it, until the
// control goes (Disconnect): then every call fails, as a screen reader that
// still holds the object expects.
class AccessibleOverlay : public IAccessible {
public:
    // A WM_GETOBJECT for the control's client area is answered with this
    // object; for anything else (or without oleacc) false: the system
    // answers.
    bool Answers(HWND hwnd, WPARAM wParam, LPARAM lParam, LRESULT* result);
    explicit AccessibleOverlay(ComScope& com) : com_(com) {}
    // The control has gone: every call fails from now on.
    virtual void Disconnect();
    // What it is described as, instead of the system's description; none:
    // the system's.
    void SetDescription(std::wstring description) { description_ = std::move(description); }

    // IUnknown, IDispatch
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }
    // IAccessible, passed on
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

protected:
    virtual ~AccessibleOverlay();  // released, never deleted
    // The system's object, made on the first WM_GETOBJECT; null once
    // disconnected.
    IAccessible* standard_ = nullptr;

    static HRESULT Text(const std::wstring& text, BSTR* out);

private:
    ComScope& com_;
    std::wstring description_;
    bool disconnected_ = false;
    LONG references_ = 1;  // the control's own
};

// List1: a list box without strings of its own, whose rows the system's
// object cannot name. This one names each row by the text it shows and
// tells which is selected and focused.
class ListRows : public AccessibleOverlay {
public:
    // The list's name, the text of each row, and how many there are.
    ListRows(ComScope& com, HWND list, std::wstring name, std::function<std::wstring(std::size_t)> text,
             std::function<std::size_t()> count)
        : AccessibleOverlay(com), list_(list), name_(std::move(name)), text_(std::move(text)), count_(std::move(count)) {}
    // Tells screen readers where the selection and the focus are now, when
    // they moved (keys, type-ahead, the pad, a click) or the list took the
    // focus.
    void TellSelection(bool focusTaken);
    // And what it knew of the list goes with it.
    void Disconnect() override;
    // The list has had a message: what it shows may have changed.
    void Touched() { ++touches_; }

    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override;

private:
    // The list has gone, or is going (a screen reader may hold this object
    // and ask at any moment).
    bool Gone() const { return !standard_ || !IsWindow(list_); }
    // A row's child id (1, 2, ...), or 0 for none or the list itself.
    long Row(const VARIANT& child) const;
    long Selected() const;  // the selected row's child id, 0 for none
    // What every row's state depends on, asked of the list again only once
    // it has had a message since: a reader that asks each row's state in
    // turn (to find the focused one) then costs no message a row.
    struct View {
        long selected = 0;
        bool focused = false;
        LRESULT top = 0, rowHeight = 1;
        LONG height = 0;  // of the client area
    };
    const View& Now();

    HWND list_;
    std::wstring name_;
    std::function<std::wstring(std::size_t)> text_;
    std::function<std::size_t()> count_;
    long told_ = -1;  // the child id last told
    unsigned long touches_ = 0;
    unsigned long viewTouches_ = ~0UL;  // when view_ was taken
    View view_;
};

}  // namespace tarvo::win32
