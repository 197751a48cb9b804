#include "WindowPublisher.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <future>
#include <vector>

#include "OrvLib/controls/SliderModel.h"

namespace Sessions {
namespace {

// A window that does not answer in this time is busy drawing; its fields are left out
// of this snapshot rather than holding up the next one.
constexpr UINT kAnswerMs = 250;

bool Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_BLOCK, kAnswerMs,
                            &result) == 0)
        return false;
    answer = static_cast<LRESULT>(result);
    return true;
}

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            // Windows-1252 text: bytes above 127 become their code points.
            if (c < 0x80) {
                out += char(c);
            } else {
                out += char(0xC0 | (c >> 6));
                out += char(0x80 | (c & 0x3F));
            }
        }
    }
    return out + "\"";
}

std::string Number(intptr_t value) { return std::to_string(static_cast<long long>(value)); }

std::string RectJson(const RECT& r) {
    return "[" + Number(r.left) + "," + Number(r.top) + "," + Number(r.right) + "," + Number(r.bottom) + "]";
}

RECT ToScreen(HWND window, RECT r) {
    MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string Text(HWND window) {
    LRESULT length = 0;
    if (!Ask(window, WM_GETTEXTLENGTH, 0, 0, length) || length <= 0) return "";
    std::vector<char> text(size_t(length) + 1, '\0');
    LRESULT copied = 0;
    if (!Ask(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), copied)) return "";
    return std::string(text.data(), size_t(copied) < text.size() ? size_t(copied) : 0);
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// The rows of a list box that lie in its client area, with their screen rectangles.
std::string ListItems(HWND list) {
    LRESULT count = 0, selected = -1;
    if (!Ask(list, LB_GETCOUNT, 0, 0, count) || !Ask(list, LB_GETCURSEL, 0, 0, selected)) return "";
    RECT client;
    GetClientRect(list, &client);
    std::string items;
    for (LRESULT i = 0; i < count; ++i) {
        RECT item{};
        LRESULT ok = LB_ERR, length = 0;
        if (!Ask(list, LB_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&item), ok) || ok == LB_ERR)
            continue;
        RECT shown;
        if (!IntersectRect(&shown, &item, &client)) continue;
        std::string text;
        if (Ask(list, LB_GETTEXTLEN, WPARAM(i), 0, length) && length > 0) {
            std::vector<char> buffer(size_t(length) + 1, '\0');
            LRESULT got = 0;
            if (Ask(list, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(buffer.data()), got) && got > 0)
                text.assign(buffer.data(), size_t(got));
        }
        if (!items.empty()) items += ",";
        items += "{\"index\":" + Number(i) + ",\"text\":" + Quoted(text) +
                 ",\"rect\":" + RectJson(ToScreen(list, item)) + "}";
    }
    return ",\"count\":" + Number(count) + ",\"selected\":" + Number(selected) + ",\"items\":[" + items + "]";
}

// The rows of a tree view that are scrolled into view.
std::string TreeItems(HWND tree) {
    std::string items;
    LRESULT item = 0;
    if (!Ask(tree, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0, item)) return "";
    RECT client;
    GetClientRect(tree, &client);
    while (item != 0) {
        char text[MAX_PATH] = {};
        TVITEMA info{};
        info.mask = TVIF_TEXT | TVIF_STATE | TVIF_CHILDREN;
        info.hItem = reinterpret_cast<HTREEITEM>(item);
        info.pszText = text;
        info.cchTextMax = sizeof text;
        info.stateMask = TVIS_EXPANDED | TVIS_SELECTED;
        RECT rect{};
        std::memcpy(&rect, &info.hItem, sizeof info.hItem);  // the item goes in, its rectangle comes out
        LRESULT ok = 0;
        if (!Ask(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info), ok) || ok == 0) break;
        if (!Ask(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect), ok) || ok == 0) break;
        if (rect.top >= client.bottom) break;
        if (!items.empty()) items += ",";
        items += "{\"text\":" + Quoted(text) + ",\"rect\":" + RectJson(ToScreen(tree, rect)) +
                 ",\"expanded\":" + ((info.state & TVIS_EXPANDED) ? "true" : "false") +
                 ",\"selected\":" + ((info.state & TVIS_SELECTED) ? "true" : "false") +
                 ",\"children\":" + (info.cChildren != 0 ? "true" : "false") + "}";
        if (!Ask(tree, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, item, item)) break;
    }
    return ",\"items\":[" + items + "]";
}

// A slider's position and where its thumb is drawn, by the same model the control paints with.
std::string SliderState(HWND slider) {
    LRESULT position = 0, minimum = 0, maximum = 0;
    if (!Ask(slider, TBM_GETPOS, 0, 0, position) || !Ask(slider, TBM_GETRANGEMIN, 0, 0, minimum) ||
        !Ask(slider, TBM_GETRANGEMAX, 0, 0, maximum))
        return "";
    RECT client;
    GetClientRect(slider, &client);
    SliderModel model;
    model.SetRange(int32_t(minimum), int32_t(maximum));
    model.SetPosition(int32_t(position));
    model.Layout(OrvRect{client.left, client.top, client.right, client.bottom});
    const OrvRect t = model.Geometry().thumb;
    const OrvRect c = model.Geometry().channel;
    return ",\"position\":" + Number(position) + ",\"minimum\":" + Number(minimum) +
           ",\"maximum\":" + Number(maximum) +
           ",\"thumb\":" + RectJson(ToScreen(slider, RECT{t.left, t.top, t.right, t.bottom})) +
           ",\"channel\":" + RectJson(ToScreen(slider, RECT{c.left, c.top, c.right, c.bottom}));
}

std::string Describe(HWND window, HWND topLevel) {
    const std::string kind = ClassOf(window);
    RECT rect, client;
    GetWindowRect(window, &rect);
    GetClientRect(window, &client);
    std::string json = "{\"handle\":" + Number(reinterpret_cast<intptr_t>(window)) +
                       ",\"parent\":" + Number(reinterpret_cast<intptr_t>(GetAncestor(window, GA_PARENT))) +
                       ",\"top\":" + Number(reinterpret_cast<intptr_t>(topLevel)) +
                       ",\"class\":" + Quoted(kind) + ",\"id\":" + Number(GetDlgCtrlID(window)) +
                       ",\"text\":" + Quoted(Text(window)) +
                       ",\"visible\":" + (IsWindowVisible(window) ? "true" : "false") +
                       ",\"enabled\":" + (IsWindowEnabled(window) ? "true" : "false") +
                       ",\"rect\":" + RectJson(rect) + ",\"client\":" + RectJson(ToScreen(window, client));
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    json += ",\"tabstop\":" + std::string((style & WS_TABSTOP) ? "true" : "false");
    if (lstrcmpiA(kind.c_str(), "ListBox") == 0) json += ListItems(window);
    if (lstrcmpiA(kind.c_str(), WC_TREEVIEWA) == 0) json += TreeItems(window);
    if (lstrcmpiA(kind.c_str(), TRACKBAR_CLASSA) == 0) json += SliderState(window);
    if (lstrcmpiA(kind.c_str(), "Button") == 0) {
        LRESULT check = 0;
        if (Ask(window, BM_GETCHECK, 0, 0, check)) json += ",\"checked\":" + Number(check);
    }
    return json + "}";
}

struct Collected {
    std::vector<HWND> tops;
};

BOOL CALLBACK CollectTop(HWND window, LPARAM data) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window))
        reinterpret_cast<Collected*>(data)->tops.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM data) {
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
    return TRUE;
}

// The height of a row in the one-column grids: a line of the dialog font and its margins.
int GridRowHeight() {
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    GetTextExtentPoint32A(screen, " ", 1, &size);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return size.cy + 3;
}

}  // namespace

std::string DescribeWindows(unsigned sequence) {
    Collected collected;
    EnumWindows(&CollectTop, reinterpret_cast<LPARAM>(&collected));
    std::string json = "{\"sequence\":" + Number(sequence) + ",\"gridRowHeight\":" + Number(GridRowHeight()) +
                       ",\"screen\":[" + Number(GetSystemMetrics(SM_CXSCREEN)) + "," +
                       Number(GetSystemMetrics(SM_CYSCREEN)) + "],\"tops\":[";
    bool first = true;
    for (HWND top : collected.tops) {
        GUITHREADINFO thread{};
        thread.cbSize = sizeof thread;
        GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &thread);
        std::vector<HWND> children;
        EnumChildWindows(top, &CollectChild, reinterpret_cast<LPARAM>(&children));
        std::string windows = Describe(top, top);
        for (HWND child : children) windows += "," + Describe(child, top);
        json += std::string(first ? "" : ",") + "{\"handle\":" + Number(reinterpret_cast<intptr_t>(top)) +
                ",\"focus\":" + Number(reinterpret_cast<intptr_t>(thread.hwndFocus)) +
                ",\"capture\":" + Number(reinterpret_cast<intptr_t>(thread.hwndCapture)) + ",\"windows\":[" +
                windows + "]}";
        first = false;
    }
    return json + "]}\n";
}

WindowPublisher::WindowPublisher(const std::string& initialPath, int initialPeriodMs)
    : path(initialPath), periodMs(initialPeriodMs) {
    // The first snapshot is taken before the constructor returns: the thread's first calls
    // into the window system are made while the caller does nothing else.
    std::promise<void> first;
    std::future<void> started = first.get_future();
    thread = std::thread([this, &first] {
        Publish(1);
        first.set_value();
        for (unsigned sequence = 2; !stop.load(); ++sequence) {
            Sleep(DWORD(this->periodMs));
            Publish(sequence);
        }
    });
    started.wait();
}

WindowPublisher::~WindowPublisher() {
    stop.store(true);
    thread.join();
}

void WindowPublisher::Publish(unsigned sequence) const {
    const std::string json = DescribeWindows(sequence);
    const std::string next = path + ".next";
    FILE* file = std::fopen(next.c_str(), "wb");
    if (file == nullptr) return;
    const bool written = std::fwrite(json.data(), 1, json.size(), file) == json.size();
    if (std::fclose(file) != 0 || !written) return;
    MoveFileExA(next.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace Sessions
