#include "OrvLib/framework/Module.h"

#include <cstdio>
#include <vector>

#include "OrvLib/framework/CWnd.h"
#include "OrvLib/platform/win32/ThisModule.h"

namespace {

struct WindowClassRecord {
    std::string kind;
    std::string name;
    ATOM atom = 0;
    int windows = 0;
};

// Our own registrations only; windows are never looked up here.
class WindowClassTable {
public:
    ~WindowClassTable() {
        // The module is going away: whatever is still registered must go with it.
        for (WindowClassRecord& record : records)
            if (record.atom != 0) UnregisterClassA(record.name.c_str(), OrvModuleHandle());
    }
    std::vector<WindowClassRecord> records;
};

WindowClassTable& Table() {
    static WindowClassTable table;
    return table;
}

WindowClassRecord* FindKind(const char* kind) {
    for (WindowClassRecord& record : Table().records)
        if (record.kind == kind) return &record;
    return nullptr;
}

HWND hostWindow = nullptr;

}  // namespace

HINSTANCE OrvModuleHandle() { return static_cast<HINSTANCE>(OrvThisModule()); }

const char* OrvWindowClass(const char* kind, UINT classStyle) {
    WindowClassRecord* record = FindKind(kind);
    if (record == nullptr) {
        Table().records.push_back(WindowClassRecord{kind, {}, 0, 0});
        record = &Table().records.back();
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ":%p", static_cast<void*>(OrvModuleHandle()));
        record->name = std::string(kind) + suffix;
    }
    if (record->atom == 0) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.style = classStyle;
        wc.lpfnWndProc = &CWnd::StaticWindowProc;
        wc.hInstance = OrvModuleHandle();
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        // Our controls paint every pixel; no class brush means no separate erase.
        wc.hbrBackground = nullptr;
        wc.lpszClassName = record->name.c_str();
        record->atom = RegisterClassExA(&wc);
        if (record->atom == 0) return nullptr;
    }
    return record->name.c_str();
}

const char* OrvRegisteredWindowClass(const char* kind) {
    const WindowClassRecord* record = FindKind(kind);
    return record != nullptr && record->atom != 0 ? record->name.c_str() : nullptr;
}

void OrvCountClassWindow(HWND window, int delta) {
    const ATOM atom = static_cast<ATOM>(GetClassLongPtrA(window, GCW_ATOM));
    for (WindowClassRecord& record : Table().records)
        if (record.atom == atom && atom != 0) record.windows += delta;
}

void OrvSweepWindowClasses() {
    for (WindowClassRecord& record : Table().records) {
        if (record.atom == 0 || record.windows > 0) continue;
        if (UnregisterClassA(record.name.c_str(), OrvModuleHandle())) record.atom = 0;
    }
}

std::string OrvLoadString(UINT id) {
    char buffer[1024];
    const int n = LoadStringA(OrvModuleHandle(), id, buffer, sizeof buffer);
    return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
}

HBITMAP OrvLoadBitmap(UINT id) { return LoadBitmapA(OrvModuleHandle(), MAKEINTRESOURCEA(id)); }

OrvHostWindowScope::OrvHostWindowScope(HWND window) : previous(hostWindow) { hostWindow = window; }

OrvHostWindowScope::~OrvHostWindowScope() { hostWindow = previous; }

HWND OrvChooseOwner() {
    if (hostWindow != nullptr && IsWindow(hostWindow)) return hostWindow;
    return GetActiveWindow();
}
