#include "OrvLib/framework/CWnd.h"

#include <cstdio>

#include "OrvLib/framework/Accessible.h"
#include "OrvLib/framework/Module.h"
#include "OrvLib/framework/WindowFailure.h"

namespace {

// Named for this module, so a window subclassed by another copy of this code is not ours.
const char* BindingProperty() {
    static char name[48] = "";
    if (name[0] == '\0') std::snprintf(name, sizeof name, "OrvWnd:%p", static_cast<void*>(OrvModuleHandle()));
    return name;
}

// A window of one of our classes, even while someone else has subclassed it (a tool tip
// control does, for every tool it watches): the class's procedure, not the window's.
bool IsOwnWindowProc(HWND window) {
    return reinterpret_cast<WNDPROC>(GetClassLongPtrA(window, GCLP_WNDPROC)) == &CWnd::StaticWindowProc;
}

// The child a parent's notification comes from, for reflection; null when none.
HWND NotificationSource(HWND parent, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
            return reinterpret_cast<HWND>(lParam);
        case WM_NOTIFY:
            return lParam != 0 ? reinterpret_cast<NMHDR*>(lParam)->hwndFrom : nullptr;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            return item != nullptr && item->CtlType != ODT_MENU ? item->hwndItem : nullptr;
        }
        case WM_MEASUREITEM: {
            const auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            return item != nullptr && item->CtlType != ODT_MENU
                       ? ::GetDlgItem(parent, static_cast<int>(wParam))
                       : nullptr;
        }
        case WM_COMPAREITEM:
            return lParam != 0 ? reinterpret_cast<COMPAREITEMSTRUCT*>(lParam)->hwndItem : nullptr;
        case WM_DELETEITEM:
            return lParam != 0 ? reinterpret_cast<DELETEITEMSTRUCT*>(lParam)->hwndItem : nullptr;
        default:
            return nullptr;
    }
}

bool EntryMatches(const OrvMessageEntry& entry, UINT message, WPARAM wParam, LPARAM lParam) {
    if (entry.message != message) return false;
    UINT code = 0;
    UINT_PTR id = 0;
    if (message == WM_COMMAND) {
        code = HIWORD(wParam);
        id = LOWORD(wParam);
    } else if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        code = header->code;
        id = header->idFrom;
    } else if (message == ORV_REFLECT(WM_COMMAND)) {
        return entry.code == HIWORD(wParam);
    } else if (message == ORV_REFLECT(WM_NOTIFY)) {
        return entry.code == reinterpret_cast<const NMHDR*>(lParam)->code;
    } else {
        return true;
    }
    return entry.code == code && id >= entry.firstId && id <= entry.lastId;
}

bool ModifyWindowLong(HWND window, int index, DWORD remove, DWORD add, UINT flags) {
    const DWORD old = static_cast<DWORD>(GetWindowLongPtrA(window, index));
    const DWORD changed = (old & ~remove) | add;
    if (changed == old) return false;
    SetWindowLongPtrA(window, index, static_cast<LONG_PTR>(changed));
    if (flags != 0)
        ::SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | flags);
    return true;
}

}  // namespace

std::string OrvWindowText(HWND window) {
    if (window == nullptr) return {};
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int n = ::GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(n > 0 ? n : 0));
    return text;
}

CWnd::~CWnd() {
    if (hWnd == nullptr) return;
    if (ownsWindow && IsWindow(hWnd)) {
        ::DestroyWindow(hWnd);
        OrvSweepWindowClasses();
    } else {
        UnsubclassWindow();
    }
    hWnd = nullptr;
}

CWnd* CWnd::FromHandlePermanent(HWND window) {
    if (window == nullptr) return nullptr;
    if (void* bound = GetPropA(window, BindingProperty())) return static_cast<CWnd*>(bound);
    if (IsOwnWindowProc(window)) return reinterpret_cast<CWnd*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    return nullptr;
}

bool CWnd::Create(const char* kind, const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                  DWORD exStyle) {
    return Create(kind, text, style, rect, parent != nullptr ? parent->hWnd : nullptr, id, exStyle);
}

bool CWnd::Create(const char* kind, const char* text, DWORD style, const RECT& rect, HWND parent, UINT id,
                  DWORD exStyle) {
    if (hWnd != nullptr) return false;
    const char* className = OrvWindowClass(kind);
    if (className == nullptr) return false;
    // A child's menu argument is its id.
    HMENU menu = (style & WS_CHILD) != 0 ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
    HWND window = CreateWindowExA(exStyle, className, text != nullptr ? text : "", style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent, menu,
                                  OrvModuleHandle(), this);
    if (window == nullptr) {
        OrvSweepWindowClasses();
        return false;
    }
    ownsWindow = true;
    return true;
}

bool CWnd::CreateControl(const char* systemClass, const char* text, DWORD style, const RECT& rect,
                         HWND parent, UINT id, DWORD exStyle) {
    if (hWnd != nullptr) return false;
    HMENU menu = (style & WS_CHILD) != 0 ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
    HWND window = CreateWindowExA(exStyle, systemClass, text != nullptr ? text : "", style, rect.left,
                                  rect.top, rect.right - rect.left, rect.bottom - rect.top, parent, menu,
                                  OrvModuleHandle(), nullptr);
    if (window == nullptr) return false;
    if (!SubclassWindow(window)) {
        ::DestroyWindow(window);
        return false;
    }
    ownsWindow = true;
    return true;
}

bool CWnd::SubclassWindow(HWND window) {
    if (hWnd != nullptr || window == nullptr || !IsWindow(window) || FromHandlePermanent(window) != nullptr)
        return false;
    if (!SetPropA(window, BindingProperty(), this)) return false;
    hWnd = window;
    PreSubclassWindow();
    superProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StaticWindowProc)));
    return true;
}

bool CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    return parent != nullptr && SubclassWindow(::GetDlgItem(parent->hWnd, static_cast<int>(id)));
}

HWND CWnd::UnsubclassWindow() {
    HWND window = hWnd;
    if (window == nullptr || superProc == nullptr) return nullptr;
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(superProc));
    RemovePropA(window, BindingProperty());
    superProc = nullptr;
    ownsWindow = false;
    hWnd = nullptr;
    return window;
}

bool CWnd::DestroyWindow() {
    if (hWnd == nullptr) return false;
    const bool destroyed = ::DestroyWindow(hWnd) != FALSE;
    OrvSweepWindowClasses();
    return destroyed;
}

void CWnd::ReleaseDestroyedWindow() {
    HWND window = hWnd;
    if (superProc != nullptr) {
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(superProc));
        RemovePropA(window, BindingProperty());
        superProc = nullptr;
    } else {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        OrvCountClassWindow(window, -1);
    }
    hWnd = nullptr;
    ownsWindow = false;
    PostNcDestroy();
}

LRESULT CALLBACK CWnd::StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* self = nullptr;
    try {
        if (message == WM_NCCREATE && IsOwnWindowProc(window) && FromHandlePermanent(window) == nullptr) {
            self = static_cast<CWnd*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
            if (self == nullptr) return FALSE;  // our classes are created by Create only
            self->hWnd = window;
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            OrvCountClassWindow(window, +1);
        } else {
            self = FromHandlePermanent(window);
        }
        if (self == nullptr) return ::DefWindowProcA(window, message, wParam, lParam);
        const LRESULT result = self->WindowProc(message, wParam, lParam);
        if (message == WM_NCDESTROY) self->ReleaseDestroyedWindow();
        return result;
    } catch (...) {
        OrvRecordWindowFailure(std::current_exception());
        if (message == WM_NCDESTROY && self != nullptr && self->hWnd == window)
            self->ReleaseDestroyedWindow();
        return message == WM_NCCREATE ? FALSE : 0;
    }
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (OnWndMsg(message, wParam, lParam, &result)) return result;
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (superProc != nullptr) return CallWindowProcA(superProc, hWnd, message, wParam, lParam);
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (HWND source = NotificationSource(hWnd, message, wParam, lParam)) {
        CWnd* child = source != hWnd ? FromHandlePermanent(source) : nullptr;
        if (child != nullptr && child->OnChildNotify(message, wParam, lParam, result)) return true;
    }
    if (message == WM_COMMAND) {
        *result = 0;
        return OnCommand(wParam, lParam);
    }
    if (message == WM_NOTIFY) return lParam != 0 && OnNotify(wParam, lParam, result);
    if (message == WM_GETOBJECT && OrvAnswerGetObject(*this, wParam, lParam, *result)) return true;
    return FindAndCall(message, wParam, lParam, result);
}

bool CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    LRESULT ignored = 0;
    return FindAndCall(WM_COMMAND, wParam, lParam, &ignored);
}

bool CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    return FindAndCall(WM_NOTIFY, wParam, lParam, result);
}

bool CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    return FindAndCall(ORV_REFLECT(message), wParam, lParam, result);
}

bool CWnd::FindAndCall(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    for (const OrvMessageMap* map = GetMessageMap(); map != nullptr;
         map = map->base ? map->base() : nullptr) {
        for (const OrvMessageEntry* entry = map->entries; entry->thunk != nullptr; ++entry) {
            if (!EntryMatches(*entry, message, wParam, lParam)) continue;
            LRESULT value = 0;
            if (entry->thunk(*this, wParam, lParam, value)) {
                *result = value;
                return true;
            }
        }
    }
    return false;
}

const OrvMessageMap* CWnd::GetThisMessageMap() {
    static const OrvMessageEntry entries[] = {{0, 0, 0, 0, nullptr}};
    static const OrvMessageMap map = {nullptr, entries};
    return &map;
}

std::string CWnd::GetWindowText() const { return OrvWindowText(hWnd); }

std::string CWnd::GetDlgItemText(int id) const { return OrvWindowText(::GetDlgItem(hWnd, id)); }

RECT CWnd::GetClientRect() const {
    RECT rect{};
    ::GetClientRect(hWnd, &rect);
    return rect;
}

RECT CWnd::GetWindowRect() const {
    RECT rect{};
    ::GetWindowRect(hWnd, &rect);
    return rect;
}

RECT CWnd::GetRectInParent() const {
    RECT rect = GetWindowRect();
    MapWindowPoints(nullptr, ::GetParent(hWnd), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void CWnd::MoveWindow(int x, int y, int width, int height, bool repaint) {
    ::MoveWindow(hWnd, x, y, width, height, repaint);
}

void CWnd::MoveWindow(const RECT& rect, bool repaint) {
    ::MoveWindow(hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint);
}

bool CWnd::SetWindowPos(HWND after, int x, int y, int cx, int cy, UINT flags) {
    return ::SetWindowPos(hWnd, after, x, y, cx, cy, flags) != FALSE;
}

bool CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) {
    return ModifyWindowLong(hWnd, GWL_STYLE, remove, add, flags);
}

bool CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags) {
    return ModifyWindowLong(hWnd, GWL_EXSTYLE, remove, add, flags);
}
