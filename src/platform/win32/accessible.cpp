#include "accessible.h"

#include <algorithm>

namespace tarvo::win32 {

namespace {

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

void SetChild(VARIANT* out, long id) {
    out->vt = VT_I4;
    out->lVal = id;
}

}  // namespace

int ListRowAt(HWND list, POINT point, std::size_t count) {
    RECT client;
    GetClientRect(list, &client);
    const auto height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    if (!PtInRect(&client, point) || height <= 0) return -1;
    const auto row = static_cast<std::size_t>(SendMessageW(list, LB_GETTOPINDEX, 0, 0) + point.y / height);
    return row < count ? static_cast<int>(row) : -1;
}

AccessibleOverlay::~AccessibleOverlay() {
    if (standard_) standard_->Release();
}

bool AccessibleOverlay::Answers(HWND hwnd, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (static_cast<LONG>(lParam) != OBJID_CLIENT || disconnected_ || !com_.Enter()) return false;
    if (!standard_) {
        static const auto create = OnDemand<decltype(&CreateStdAccessibleObject)>(L"oleacc.dll", "CreateStdAccessibleObject");
        if (!create || FAILED(create(hwnd, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&standard_)))) {
            standard_ = nullptr;
            return false;
        }
    }
    static const auto answer = OnDemand<decltype(&LresultFromObject)>(L"oleacc.dll", "LresultFromObject");
    if (!answer) return false;
    *result = answer(__uuidof(IAccessible), wParam, this);
    return true;
}

void AccessibleOverlay::Disconnect() {
    disconnected_ = true;
    if (standard_) standard_->Release();
    standard_ = nullptr;
    Release();  // the control's own reference
}

HRESULT AccessibleOverlay::QueryInterface(REFIID id, void** object) {
    if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG AccessibleOverlay::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT AccessibleOverlay::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}

HRESULT AccessibleOverlay::Text(const std::wstring& text, BSTR* out) {
    static const auto allocate = OnDemand<decltype(&SysAllocStringLen)>(L"oleaut32.dll", "SysAllocStringLen");
    *out = allocate ? allocate(text.data(), static_cast<UINT>(text.size())) : nullptr;
    return *out ? S_OK : E_OUTOFMEMORY;
}

// Passed on to the system's object while the control is there.
#define PASS_ON(call) return standard_ ? standard_->call : CO_E_OBJNOTCONNECTED

HRESULT AccessibleOverlay::get_accParent(IDispatch** parent) { PASS_ON(get_accParent(parent)); }
HRESULT AccessibleOverlay::get_accChildCount(long* count) { PASS_ON(get_accChildCount(count)); }
HRESULT AccessibleOverlay::get_accChild(VARIANT child, IDispatch** object) { PASS_ON(get_accChild(child, object)); }
HRESULT AccessibleOverlay::get_accName(VARIANT child, BSTR* name) { PASS_ON(get_accName(child, name)); }
HRESULT AccessibleOverlay::get_accValue(VARIANT child, BSTR* value) { PASS_ON(get_accValue(child, value)); }
HRESULT AccessibleOverlay::get_accDescription(VARIANT child, BSTR* text) {
    if (!standard_) return CO_E_OBJNOTCONNECTED;
    if (IsSelf(child) && !description_.empty()) return Text(description_, text);
    PASS_ON(get_accDescription(child, text));
}
HRESULT AccessibleOverlay::get_accRole(VARIANT child, VARIANT* role) { PASS_ON(get_accRole(child, role)); }
HRESULT AccessibleOverlay::get_accState(VARIANT child, VARIANT* state) { PASS_ON(get_accState(child, state)); }
HRESULT AccessibleOverlay::get_accHelp(VARIANT child, BSTR* help) { PASS_ON(get_accHelp(child, help)); }
HRESULT AccessibleOverlay::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
    PASS_ON(get_accHelpTopic(file, child, topic));
}
HRESULT AccessibleOverlay::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    PASS_ON(get_accKeyboardShortcut(child, shortcut));
}
HRESULT AccessibleOverlay::get_accFocus(VARIANT* child) { PASS_ON(get_accFocus(child)); }
HRESULT AccessibleOverlay::get_accSelection(VARIANT* children) { PASS_ON(get_accSelection(children)); }
HRESULT AccessibleOverlay::get_accDefaultAction(VARIANT child, BSTR* action) {
    PASS_ON(get_accDefaultAction(child, action));
}
HRESULT AccessibleOverlay::accSelect(long flags, VARIANT child) { PASS_ON(accSelect(flags, child)); }
HRESULT AccessibleOverlay::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
    PASS_ON(accLocation(left, top, width, height, child));
}
HRESULT AccessibleOverlay::accNavigate(long direction, VARIANT start, VARIANT* end) {
    PASS_ON(accNavigate(direction, start, end));
}
HRESULT AccessibleOverlay::accHitTest(long left, long top, VARIANT* child) { PASS_ON(accHitTest(left, top, child)); }
HRESULT AccessibleOverlay::accDoDefaultAction(VARIANT child) { PASS_ON(accDoDefaultAction(child)); }

#undef PASS_ON

void ListRows::Disconnect() {
    text_ = nullptr;
    count_ = nullptr;
    AccessibleOverlay::Disconnect();
}

long ListRows::Row(const VARIANT& child) const {
    return child.vt == VT_I4 && child.lVal > 0 && static_cast<std::size_t>(child.lVal) <= count_() ? child.lVal : 0;
}

long ListRows::Selected() const {
    const LRESULT index = SendMessageW(list_, LB_GETCURSEL, 0, 0);
    return index == LB_ERR || static_cast<std::size_t>(index) >= count_() ? 0 : static_cast<long>(index) + 1;
}

const ListRows::View& ListRows::Now() {
    if (viewTouches_ == touches_) return view_;
    view_.selected = Selected();
    view_.focused = GetFocus() == list_;
    view_.top = SendMessageW(list_, LB_GETTOPINDEX, 0, 0);
    view_.rowHeight = std::max<LRESULT>(1, SendMessageW(list_, LB_GETITEMHEIGHT, 0, 0));
    RECT client;
    GetClientRect(list_, &client);
    view_.height = client.bottom - client.top;
    viewTouches_ = touches_;  // after the questions, which were messages too
    return view_;
}

void ListRows::TellSelection(bool focusTaken) {
    const long selected = Selected();
    if (selected == told_ && !focusTaken) return;
    told_ = selected;
    if (selected) NotifyWinEvent(EVENT_OBJECT_SELECTION, list_, OBJID_CLIENT, selected);
    if (GetFocus() == list_) NotifyWinEvent(EVENT_OBJECT_FOCUS, list_, OBJID_CLIENT, selected ? selected : CHILDID_SELF);
}

HRESULT ListRows::get_accChildCount(long* count) {
    if (Gone()) return CO_E_OBJNOTCONNECTED;
    *count = static_cast<long>(count_());
    return S_OK;
}

HRESULT ListRows::get_accChild(VARIANT child, IDispatch** object) {
    *object = nullptr;
    if (Gone()) return CO_E_OBJNOTCONNECTED;
    return Row(child) ? S_FALSE : E_INVALIDARG;  // rows are simple elements of the list
}

HRESULT ListRows::get_accName(VARIANT child, BSTR* name) {
    if (Gone()) return CO_E_OBJNOTCONNECTED;
    if (const long row = Row(child)) return Text(text_(static_cast<std::size_t>(row - 1)), name);
    return IsSelf(child) ? Text(name_, name) : E_INVALIDARG;
}

HRESULT ListRows::get_accRole(VARIANT child, VARIANT* role) {
    if (Gone()) return CO_E_OBJNOTCONNECTED;
    if (!Row(child) && !IsSelf(child)) return E_INVALIDARG;
    SetChild(role, Row(child) ? ROLE_SYSTEM_LISTITEM : ROLE_SYSTEM_LIST);
    return S_OK;
}

HRESULT ListRows::get_accState(VARIANT child, VARIANT* state) {
    if (Gone()) return CO_E_OBJNOTCONNECTED;  // nothing of a list that is gone may be asked
    const long row = Row(child);
    if (!row) return AccessibleOverlay::get_accState(child, state);
    const View& view = Now();
    long flags = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (row == view.selected) flags |= STATE_SYSTEM_SELECTED | (view.focused ? STATE_SYSTEM_FOCUSED : 0);
    const LRESULT shownFrom = row - 1 - view.top;  // rows are of one height
    if (shownFrom < 0 || shownFrom * view.rowHeight >= view.height) flags |= STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
    SetChild(state, flags);
    return S_OK;
}

HRESULT ListRows::get_accFocus(VARIANT* child) {
    if (Gone()) return CO_E_OBJNOTCONNECTED;
    if (GetFocus() != list_) {
        child->vt = VT_EMPTY;
        return S_FALSE;
    }
    SetChild(child, Selected());  // the list itself when nothing is selected
    return S_OK;
}

HRESULT ListRows::get_accSelection(VARIANT* children) {
    if (Gone()) return CO_E_OBJNOTCONNECTED;
    const long selected = Selected();
    if (!selected) {
        children->vt = VT_EMPTY;
        return S_FALSE;
    }
    SetChild(children, selected);
    return S_OK;
}

HRESULT ListRows::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
    if (Gone()) return CO_E_OBJNOTCONNECTED;
    const long row = Row(child);
    if (!row) return AccessibleOverlay::accLocation(left, top, width, height, child);
    RECT item;
    if (SendMessageW(list_, LB_GETITEMRECT, static_cast<WPARAM>(row - 1), reinterpret_cast<LPARAM>(&item)) == LB_ERR) {
        return E_FAIL;
    }
    MapWindowPoints(list_, nullptr, reinterpret_cast<POINT*>(&item), 2);
    *left = item.left;
    *top = item.top;
    *width = item.right - item.left;
    *height = item.bottom - item.top;
    return S_OK;
}

HRESULT ListRows::accNavigate(long direction, VARIANT start, VARIANT* end) {
    if (Gone()) return CO_E_OBJNOTCONNECTED;
    const long count = static_cast<long>(count_());
    const long row = Row(start);
    long to = 0;
    if (IsSelf(start) && direction == NAVDIR_FIRSTCHILD) to = count ? 1 : 0;
    else if (IsSelf(start) && direction == NAVDIR_LASTCHILD) to = count;
    else if (row && (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN)) to = row < count ? row + 1 : 0;
    else if (row && (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP)) to = row - 1;
    else if (IsSelf(start)) return AccessibleOverlay::accNavigate(direction, start, end);  // the list among its siblings
    if (!to) {
        end->vt = VT_EMPTY;
        return S_FALSE;
    }
    SetChild(end, to);
    return S_OK;
}

HRESULT ListRows::accHitTest(long left, long top, VARIANT* child) {
    if (Gone()) return CO_E_OBJNOTCONNECTED;
    POINT point{left, top};
    ScreenToClient(list_, &point);
    RECT client;
    GetClientRect(list_, &client);
    if (!PtInRect(&client, point)) return AccessibleOverlay::accHitTest(left, top, child);
    SetChild(child, ListRowAt(list_, point, count_()) + 1);  // below the last row: the list itself
    return S_OK;
}

}  // namespace tarvo::win32
