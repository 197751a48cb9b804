#include "OrvLib/framework/Accessible.h"

#include <commctrl.h>
#include <oleacc.h>

#include "OrvLib/ORVUTIL/AccessKeyText.h"
#include "OrvLib/framework/CDialog.h"
#include "OrvLib/framework/CWnd.h"

namespace {

std::string WindowText(HWND window) {
    char text[256] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

OrvAccessible* SourceOf(HWND window) {
    return dynamic_cast<OrvAccessible*>(CWnd::FromHandlePermanent(window));
}

long RoleFromClass(HWND window, const std::string& cls) {
    const LONG style = ::GetWindowLongA(window, GWL_STYLE);
    if (lstrcmpiA(cls.c_str(), "Button") == 0) {
        switch (style & BS_TYPEMASK) {
            case BS_CHECKBOX:
            case BS_AUTOCHECKBOX:
            case BS_3STATE:
            case BS_AUTO3STATE:
                return ROLE_SYSTEM_CHECKBUTTON;
            case BS_RADIOBUTTON:
            case BS_AUTORADIOBUTTON:
                return ROLE_SYSTEM_RADIOBUTTON;
            case BS_GROUPBOX:
                return ROLE_SYSTEM_GROUPING;
            default:
                return ROLE_SYSTEM_PUSHBUTTON;
        }
    }
    if (lstrcmpiA(cls.c_str(), "Static") == 0)
        return (style & SS_TYPEMASK) == SS_BITMAP ? ROLE_SYSTEM_GRAPHIC : ROLE_SYSTEM_STATICTEXT;
    if (lstrcmpiA(cls.c_str(), "Edit") == 0) return ROLE_SYSTEM_TEXT;
    if (lstrcmpiA(cls.c_str(), "ListBox") == 0) return ROLE_SYSTEM_LIST;
    if (lstrcmpiA(cls.c_str(), TRACKBAR_CLASSA) == 0) return ROLE_SYSTEM_SLIDER;
    return ROLE_SYSTEM_CLIENT;
}

// A box or a control without a caption is named by the window before it: its label, or the
// slider or dial whose number box it is.
std::string NameOf(HWND window, const std::string& cls, int depth = 0) {
    const std::string text = WindowText(window);
    if (!text.empty() && lstrcmpiA(cls.c_str(), "Edit") != 0) return AccessKeyText::Plain(text);
    HWND before = ::GetWindow(window, GW_HWNDPREV);
    if (before == nullptr || depth > 0) return {};
    return NameOf(before, ClassOf(before), depth + 1);
}

}  // namespace

OrvAccessibleFacts OrvAccessibleFactsOf(HWND window, long item) {
    OrvAccessibleFacts f;
    const OrvAccessible* source = SourceOf(window);
    if (item > 0) {
        if (source != nullptr) {
            f.name = source->AccessibleItemName(item);
            f.role = source->AccessibleItemRole();
            if (source->AccessibleItemSelected(item)) f.state |= STATE_SYSTEM_SELECTED;
        } else if (item <= ::SendMessageA(window, LB_GETCOUNT, 0, 0)) {
            const LRESULT length = ::SendMessageA(window, LB_GETTEXTLEN, WPARAM(item - 1), 0);
            std::string text(length > 0 ? size_t(length) : 0, '\0');
            if (length > 0) ::SendMessageA(window, LB_GETTEXT, WPARAM(item - 1), LPARAM(&text[0]));
            f.name = text;
            f.role = ROLE_SYSTEM_LISTITEM;
            if (::SendMessageA(window, LB_GETCURSEL, 0, 0) == item - 1) f.state |= STATE_SYSTEM_SELECTED;
        }
        f.state |= STATE_SYSTEM_SELECTABLE;
        return f;
    }
    const std::string cls = ClassOf(window);
    f.name = NameOf(window, cls);
    f.role = source != nullptr && source->AccessibleRole() != 0 ? source->AccessibleRole()
                                                                : RoleFromClass(window, cls);
    if (source != nullptr) f.value = source->AccessibleValue();
    if (f.value.empty() && f.role == ROLE_SYSTEM_TEXT) f.value = WindowText(window);
    const LONG style = ::GetWindowLongA(window, GWL_STYLE);
    if (!::IsWindowEnabled(window)) f.state |= STATE_SYSTEM_UNAVAILABLE;
    if (!::IsWindowVisible(window)) f.state |= STATE_SYSTEM_INVISIBLE;
    if ((style & WS_TABSTOP) != 0) f.state |= STATE_SYSTEM_FOCUSABLE;
    if (::GetFocus() == window) f.state |= STATE_SYSTEM_FOCUSED;
    if ((f.role == ROLE_SYSTEM_CHECKBUTTON || f.role == ROLE_SYSTEM_RADIOBUTTON) &&
        ::SendMessageA(window, BM_GETCHECK, 0, 0) == BST_CHECKED)
        f.state |= STATE_SYSTEM_CHECKED;
    if (f.role == ROLE_SYSTEM_PUSHBUTTON && (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
        f.state |= STATE_SYSTEM_DEFAULT;
    return f;
}

namespace {

BSTR ToBstr(const std::string& text) {
    const int count = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), int(text.size()), nullptr, 0);
    BSTR b = ::SysAllocStringLen(nullptr, UINT(count));
    if (b != nullptr && count > 0) ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), int(text.size()), b, count);
    return b;
}

// One object per request; it reads the window afresh on every question. What it does not
// know itself (parent, location, navigation) the system's proxy for the window answers.
class AccessibleObject : public IAccessible {
public:
    AccessibleObject(HWND initialWindow, IAccessible* initialProxy)
        : window(initialWindow), proxy(initialProxy) {}
    virtual ~AccessibleObject() {
        if (proxy != nullptr) proxy->Release();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (out == nullptr) return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
            IsEqualIID(riid, __uuidof(IAccessible))) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(InterlockedIncrement(&references)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references);
        if (left == 0) delete this;
        return ULONG(left);
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count != nullptr) *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return proxy != nullptr ? proxy->get_accParent(parent) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (count == nullptr) return E_POINTER;
        *count = ItemCount();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** child) override {
        if (child == nullptr) return E_POINTER;
        *child = nullptr;
        return S_FALSE;  // items are simple elements of this object
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        long item = 0;
        if (name == nullptr) return E_POINTER;
        if (!Item(child, item)) return E_INVALIDARG;
        *name = ToBstr(OrvAccessibleFactsOf(window, item).name);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        long item = 0;
        if (value == nullptr) return E_POINTER;
        *value = nullptr;
        if (!Item(child, item)) return E_INVALIDARG;
        const std::string text = OrvAccessibleFactsOf(window, item).value;
        if (text.empty()) return S_FALSE;
        *value = ToBstr(text);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* text) override { return Nothing(text); }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return Number(child, role, [](const OrvAccessibleFacts& f) { return f.role; });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return Number(child, state, [](const OrvAccessibleFacts& f) { return f.state; });
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* text) override { return Nothing(text); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
        if (topic != nullptr) *topic = 0;
        return Nothing(file);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        long item = 0;
        if (shortcut == nullptr) return E_POINTER;
        *shortcut = nullptr;
        if (!Item(child, item) || item != 0) return S_FALSE;
        // The access key of the caption, or of the label just before the control.
        char key = AccessKeyText::KeyOf(WindowText(window));
        HWND before = ::GetWindow(window, GW_HWNDPREV);
        if (key == 0 && before != nullptr && RoleFromClass(before, ClassOf(before)) == ROLE_SYSTEM_STATICTEXT)
            key = AccessKeyText::KeyOf(WindowText(before));
        if (key != 0) {
            *shortcut = ToBstr(std::string("Alt+") + key);
            return S_OK;
        }
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (focus == nullptr) return E_POINTER;
        focus->vt = VT_EMPTY;
        if (::GetFocus() == window) {
            focus->vt = VT_I4;
            focus->lVal = CHILDID_SELF;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        if (selection == nullptr) return E_POINTER;
        selection->vt = VT_EMPTY;
        for (long item = 1; item <= ItemCount(); ++item) {
            if ((OrvAccessibleFactsOf(window, item).state & STATE_SYSTEM_SELECTED) != 0) {
                selection->vt = VT_I4;
                selection->lVal = item;
                break;
            }
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return proxy != nullptr ? proxy->get_accDefaultAction(child, action) : Nothing(action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return proxy != nullptr ? proxy->accSelect(flags, child) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* h, VARIANT child) override {
        return proxy != nullptr ? proxy->accLocation(x, y, w, h, child) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return proxy != nullptr ? proxy->accNavigate(direction, start, end) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        return proxy != nullptr ? proxy->accHitTest(x, y, child) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return proxy != nullptr ? proxy->accDoDefaultAction(child) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    long ItemCount() const {
        if (const OrvAccessible* source = SourceOf(window)) {
            if (source->AccessibleItemCount() > 0) return source->AccessibleItemCount();
        }
        if (lstrcmpiA(ClassOf(window).c_str(), "ListBox") != 0) return 0;
        const LRESULT count = ::SendMessageA(window, LB_GETCOUNT, 0, 0);
        return count > 0 ? long(count) : 0;
    }
    bool Item(const VARIANT& child, long& item) const {
        if (child.vt != VT_I4 || child.lVal < 0 || child.lVal > ItemCount()) return false;
        item = child.lVal;
        return true;
    }
    template <class F>
    HRESULT Number(const VARIANT& child, VARIANT* out, F field) const {
        long item = 0;
        if (out == nullptr) return E_POINTER;
        out->vt = VT_EMPTY;
        if (!Item(child, item)) return E_INVALIDARG;
        out->vt = VT_I4;
        out->lVal = field(OrvAccessibleFactsOf(window, item));
        return S_OK;
    }
    static HRESULT Nothing(BSTR* text) {
        if (text == nullptr) return E_POINTER;
        *text = nullptr;
        return S_FALSE;
    }

    LONG references = 1;
    HWND window;
    IAccessible* proxy;
};

}  // namespace

bool OrvAnswerGetObject(CWnd& control, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT)) return false;
    // Pages and other dialogs are containers: the system's own object describes them.
    if (dynamic_cast<CDialog*>(&control) != nullptr) return false;
    if ((::GetWindowLongA(control.hWnd, GWL_STYLE) & WS_CHILD) == 0) return false;
    IAccessible* proxy = nullptr;
    if (FAILED(::CreateStdAccessibleObject(control.hWnd, OBJID_CLIENT, __uuidof(IAccessible),
                                           reinterpret_cast<void**>(&proxy))))
        proxy = nullptr;
    auto* object = new AccessibleObject(control.hWnd, proxy);
    result = ::LresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(object));
    object->Release();
    return true;
}

void OrvAccessibleEvent(HWND window, DWORD event, long item) {
    if (window != nullptr) ::NotifyWinEvent(event, window, OBJID_CLIENT, item);
}
