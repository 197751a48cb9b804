// Message maps: a table of handlers per class, searched from the most derived class to the
// base, each table in written order; the first entry that handles a message ends the search.
//
//   class MyPage : public CDialog {
//       ...
//       void OnBrowse();
//       void OnTabChanged(NMHDR* header, LRESULT* result);
//       DECLARE_MESSAGE_MAP()
//   };
//   BEGIN_MESSAGE_MAP(MyPage, CDialog)
//       ON_BN_CLICKED(IDC_BROWSE, &MyPage::OnBrowse)
//       ON_NOTIFY(100, IDC_TABS, &MyPage::OnTabChanged)
//   END_MESSAGE_MAP()
//
// Notifications a child sends to its parent (command, notify, scroll, owner draw, colour)
// are first offered to the child's own object as reflected messages (ORV_REFLECT(message)),
// found in the child's map through the _REFLECT entries; only what the child leaves reaches
// the parent's map.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

class CWnd;

// The reflected form of a message sent to the child that caused it.
constexpr UINT ORV_REFLECT(UINT message) { return message + 0xBC00; }

namespace OrvMsg {

// Runs one entry; false when the handler declined (the search goes on).
using Thunk = bool (*)(CWnd& self, WPARAM wParam, LPARAM lParam, LRESULT& result);

template <class T, auto F>
bool Command(CWnd& w, WPARAM, LPARAM, LRESULT&) {
    (static_cast<T&>(w).*F)();
    return true;
}
template <class T, auto F>
bool CommandRange(CWnd& w, WPARAM wParam, LPARAM, LRESULT&) {
    (static_cast<T&>(w).*F)(static_cast<UINT>(LOWORD(wParam)));
    return true;
}
template <class T, auto F>
bool Notify(CWnd& w, WPARAM, LPARAM lParam, LRESULT& result) {
    result = 0;
    (static_cast<T&>(w).*F)(reinterpret_cast<NMHDR*>(lParam), &result);
    return true;
}
template <class T, auto F>
bool NotifyRange(CWnd& w, WPARAM, LPARAM lParam, LRESULT& result) {
    result = 0;
    NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
    (static_cast<T&>(w).*F)(static_cast<UINT>(header->idFrom), header, &result);
    return true;
}
// The handler tells whether it handled the notification.
template <class T, auto F>
bool NotifyEx(CWnd& w, WPARAM, LPARAM lParam, LRESULT& result) {
    result = 0;
    NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
    return (static_cast<T&>(w).*F)(static_cast<UINT>(header->idFrom), header, &result) != FALSE;
}
template <class T, auto F>
bool Message(CWnd& w, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = (static_cast<T&>(w).*F)(wParam, lParam);
    return true;
}
template <class T, auto F>
bool Void(CWnd& w, WPARAM, LPARAM, LRESULT& result) {
    result = 0;
    (static_cast<T&>(w).*F)();
    return true;
}
template <class T, auto F>
bool Timer(CWnd& w, WPARAM wParam, LPARAM, LRESULT& result) {
    result = 0;
    (static_cast<T&>(w).*F)(static_cast<UINT_PTR>(wParam));
    return true;
}
template <class T, auto F>
bool Scroll(CWnd& w, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    (static_cast<T&>(w).*F)(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    return true;
}
template <class T, auto F>
bool ScrollReflect(CWnd& w, WPARAM wParam, LPARAM, LRESULT& result) {
    result = 0;
    (static_cast<T&>(w).*F)(LOWORD(wParam), HIWORD(wParam));
    return true;
}
template <class T, auto F>
bool EraseBackground(CWnd& w, WPARAM wParam, LPARAM, LRESULT& result) {
    result = (static_cast<T&>(w).*F)(reinterpret_cast<HDC>(wParam));
    return true;
}
template <class T, auto F>
bool DrawItem(CWnd& w, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = TRUE;
    (static_cast<T&>(w).*F)(static_cast<int>(wParam), reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    return true;
}
template <class T, auto F>
bool DrawItemReflect(CWnd& w, WPARAM, LPARAM lParam, LRESULT& result) {
    result = TRUE;
    (static_cast<T&>(w).*F)(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    return true;
}
template <class T, auto F>
bool MeasureItemReflect(CWnd& w, WPARAM, LPARAM lParam, LRESULT& result) {
    result = TRUE;
    (static_cast<T&>(w).*F)(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    return true;
}
template <class T, auto F>
bool ContextMenu(CWnd& w, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    (static_cast<T&>(w).*F)(reinterpret_cast<HWND>(wParam), point);
    return true;
}
template <class T, auto F>
bool HelpInfo(CWnd& w, WPARAM, LPARAM lParam, LRESULT& result) {
    result = (static_cast<T&>(w).*F)(reinterpret_cast<HELPINFO*>(lParam));
    return true;
}
template <class T, auto F>
bool Size(CWnd& w, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    (static_cast<T&>(w).*F)(static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)),
                            static_cast<short>(HIWORD(lParam)));
    return true;
}
template <class T, auto F>
bool Focus(CWnd& w, WPARAM wParam, LPARAM, LRESULT& result) {
    result = 0;
    (static_cast<T&>(w).*F)(reinterpret_cast<HWND>(wParam));
    return true;
}

// A null brush leaves the colours to the default processing.
template <class T, auto F, UINT message>
bool CtlColor(CWnd& w, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HBRUSH brush =
        (static_cast<T&>(w).*F)(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message);
    result = reinterpret_cast<LRESULT>(brush);
    return brush != nullptr;
}
template <class T, auto F>
bool CtlColorReflect(CWnd& w, WPARAM wParam, LPARAM, LRESULT& result) {
    HBRUSH brush = (static_cast<T&>(w).*F)(reinterpret_cast<HDC>(wParam));
    result = reinterpret_cast<LRESULT>(brush);
    return brush != nullptr;
}

}  // namespace OrvMsg

// message: the window message (or its reflected form). For command and notify messages
// code and the id range select the sender; for anything else they are ignored.
struct OrvMessageEntry {
    UINT message;
    UINT code;
    UINT_PTR firstId;
    UINT_PTR lastId;
    OrvMsg::Thunk thunk;
};

struct OrvMessageMap {
    const OrvMessageMap* (*base)();
    const OrvMessageEntry* entries;  // ended by an entry without thunk
};

#define DECLARE_MESSAGE_MAP()                        \
protected:                                           \
    static const OrvMessageMap* GetThisMessageMap(); \
    const OrvMessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

#define BEGIN_MESSAGE_MAP(theClass, baseClass)           \
    const OrvMessageMap* theClass::GetThisMessageMap() { \
        using ThisClass = theClass;                      \
        using TheBase = baseClass;                       \
        static const OrvMessageEntry entries[] = {
#define END_MESSAGE_MAP()                                                    \
    { 0, 0, 0, 0, nullptr }                                                  \
    }                                                                        \
    ;                                                                        \
    static const OrvMessageMap map = {&TheBase::GetThisMessageMap, entries}; \
    return &map;                                                             \
    }

#define ORV_ANY_ID 0, ~UINT_PTR(0)

#define ON_MESSAGE(message, fn) {message, 0, ORV_ANY_ID, &OrvMsg::Message<ThisClass, fn>},
#define ON_COMMAND(id, fn) {WM_COMMAND, 0, id, id, &OrvMsg::Command<ThisClass, fn>},
#define ON_COMMAND_RANGE(first, last, fn) {WM_COMMAND, 0, first, last, &OrvMsg::CommandRange<ThisClass, fn>},
#define ON_CONTROL(code, id, fn) {WM_COMMAND, code, id, id, &OrvMsg::Command<ThisClass, fn>},
#define ON_CONTROL_RANGE(code, first, last, fn) \
    {WM_COMMAND, code, first, last, &OrvMsg::CommandRange<ThisClass, fn>},
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_EN_KILLFOCUS(id, fn) ON_CONTROL(EN_KILLFOCUS, id, fn)
#define ON_LBN_SELCHANGE(id, fn) ON_CONTROL(LBN_SELCHANGE, id, fn)
#define ON_LBN_DBLCLK(id, fn) ON_CONTROL(LBN_DBLCLK, id, fn)
#define ON_NOTIFY(code, id, fn) {WM_NOTIFY, static_cast<UINT>(code), id, id, &OrvMsg::Notify<ThisClass, fn>},
#define ON_NOTIFY_RANGE(code, first, last, fn) \
    {WM_NOTIFY, static_cast<UINT>(code), first, last, &OrvMsg::NotifyRange<ThisClass, fn>},
#define ON_NOTIFY_EX(code, id, fn) \
    {WM_NOTIFY, static_cast<UINT>(code), id, id, &OrvMsg::NotifyEx<ThisClass, fn>},
#define ON_NOTIFY_EX_RANGE(code, first, last, fn) \
    {WM_NOTIFY, static_cast<UINT>(code), first, last, &OrvMsg::NotifyEx<ThisClass, fn>},
#define ON_WM_PAINT(fn) {WM_PAINT, 0, ORV_ANY_ID, &OrvMsg::Void<ThisClass, fn>},
#define ON_WM_DESTROY(fn) {WM_DESTROY, 0, ORV_ANY_ID, &OrvMsg::Void<ThisClass, fn>},
#define ON_WM_SYSCOLORCHANGE(fn) {WM_SYSCOLORCHANGE, 0, ORV_ANY_ID, &OrvMsg::Void<ThisClass, fn>},
#define ON_WM_TIMER(fn) {WM_TIMER, 0, ORV_ANY_ID, &OrvMsg::Timer<ThisClass, fn>},
#define ON_WM_HSCROLL(fn) {WM_HSCROLL, 0, ORV_ANY_ID, &OrvMsg::Scroll<ThisClass, fn>},
#define ON_WM_VSCROLL(fn) {WM_VSCROLL, 0, ORV_ANY_ID, &OrvMsg::Scroll<ThisClass, fn>},
#define ON_WM_ERASEBKGND(fn) {WM_ERASEBKGND, 0, ORV_ANY_ID, &OrvMsg::EraseBackground<ThisClass, fn>},
// HBRUSH fn(HDC dc, HWND control, UINT message) for every WM_CTLCOLOR... message.
#define ON_WM_CTLCOLOR(fn)                                                                         \
    {WM_CTLCOLORSTATIC, 0, ORV_ANY_ID, &OrvMsg::CtlColor<ThisClass, fn, WM_CTLCOLORSTATIC>},       \
        {WM_CTLCOLORBTN, 0, ORV_ANY_ID, &OrvMsg::CtlColor<ThisClass, fn, WM_CTLCOLORBTN>},         \
        {WM_CTLCOLOREDIT, 0, ORV_ANY_ID, &OrvMsg::CtlColor<ThisClass, fn, WM_CTLCOLOREDIT>},       \
        {WM_CTLCOLORLISTBOX, 0, ORV_ANY_ID, &OrvMsg::CtlColor<ThisClass, fn, WM_CTLCOLORLISTBOX>}, \
        {WM_CTLCOLORDLG, 0, ORV_ANY_ID, &OrvMsg::CtlColor<ThisClass, fn, WM_CTLCOLORDLG>},         \
        {WM_CTLCOLORSCROLLBAR, 0, ORV_ANY_ID, &OrvMsg::CtlColor<ThisClass, fn, WM_CTLCOLORSCROLLBAR>},
#define ON_WM_DRAWITEM(fn) {WM_DRAWITEM, 0, ORV_ANY_ID, &OrvMsg::DrawItem<ThisClass, fn>},
#define ON_WM_CONTEXTMENU(fn) {WM_CONTEXTMENU, 0, ORV_ANY_ID, &OrvMsg::ContextMenu<ThisClass, fn>},
#define ON_WM_HELPINFO(fn) {WM_HELP, 0, ORV_ANY_ID, &OrvMsg::HelpInfo<ThisClass, fn>},
#define ON_WM_SIZE(fn) {WM_SIZE, 0, ORV_ANY_ID, &OrvMsg::Size<ThisClass, fn>},
#define ON_WM_SETFOCUS(fn) {WM_SETFOCUS, 0, ORV_ANY_ID, &OrvMsg::Focus<ThisClass, fn>},
#define ON_WM_KILLFOCUS(fn) {WM_KILLFOCUS, 0, ORV_ANY_ID, &OrvMsg::Focus<ThisClass, fn>},

// Entries of a child's own map for what its parent reflects back to it.
#define ON_CONTROL_REFLECT(code, fn) \
    {ORV_REFLECT(WM_COMMAND), static_cast<UINT>(code), ORV_ANY_ID, &OrvMsg::Command<ThisClass, fn>},
#define ON_NOTIFY_REFLECT(code, fn) \
    {ORV_REFLECT(WM_NOTIFY), static_cast<UINT>(code), ORV_ANY_ID, &OrvMsg::Notify<ThisClass, fn>},
#define ON_WM_HSCROLL_REFLECT(fn) \
    {ORV_REFLECT(WM_HSCROLL), 0, ORV_ANY_ID, &OrvMsg::ScrollReflect<ThisClass, fn>},
#define ON_WM_VSCROLL_REFLECT(fn) \
    {ORV_REFLECT(WM_VSCROLL), 0, ORV_ANY_ID, &OrvMsg::ScrollReflect<ThisClass, fn>},
#define ON_WM_CTLCOLOR_REFLECT(message, fn) \
    {ORV_REFLECT(message), 0, ORV_ANY_ID, &OrvMsg::CtlColorReflect<ThisClass, fn>},
#define ON_WM_DRAWITEM_REFLECT(fn) \
    {ORV_REFLECT(WM_DRAWITEM), 0, ORV_ANY_ID, &OrvMsg::DrawItemReflect<ThisClass, fn>},
#define ON_WM_MEASUREITEM_REFLECT(fn) \
    {ORV_REFLECT(WM_MEASUREITEM), 0, ORV_ANY_ID, &OrvMsg::MeasureItemReflect<ThisClass, fn>},
