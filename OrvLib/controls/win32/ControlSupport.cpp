#include "OrvLib/controls/win32/ControlSupport.h"

#include <algorithm>
#include <map>
#include <vector>

#include "OrvLib/framework/GdiHolders.h"

namespace ControlSupport {

ControlKey KeyOf(WPARAM virtualKey) {
    switch (virtualKey) {
        case VK_LEFT:
            return ControlKey::Left;
        case VK_RIGHT:
            return ControlKey::Right;
        case VK_UP:
            return ControlKey::Up;
        case VK_DOWN:
            return ControlKey::Down;
        case VK_PRIOR:
            return ControlKey::PageUp;
        case VK_NEXT:
            return ControlKey::PageDown;
        case VK_HOME:
            return ControlKey::Home;
        case VK_END:
            return ControlKey::End;
        case VK_SPACE:
            return ControlKey::Space;
        case VK_ESCAPE:
            return ControlKey::Escape;
        case VK_RETURN:
            return ControlKey::Return;
        default:
            return ControlKey::Other;
    }
}

void SendCommand(HWND control, UINT code) {
    HWND parent = GetParent(control);
    if (parent == nullptr) return;
    SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                 reinterpret_cast<LPARAM>(control));
}

LRESULT SendNotify(HWND control, UINT code) {
    HWND parent = GetParent(control);
    if (parent == nullptr) return 0;
    NMHDR header{control, static_cast<UINT_PTR>(GetDlgCtrlID(control)), code};
    return SendMessageA(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

void FillHalftone(HDC dc, const RECT& rect, COLORREF first, COLORREF second) {
    static const WORD rows[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    OrvBitmap pattern(CreateBitmap(8, 8, 1, 1, rows));
    OrvBrush brush(CreatePatternBrush(pattern));
    COLORREF oldText = SetTextColor(dc, first);
    COLORREF oldBack = SetBkColor(dc, second);
    FillRect(dc, &rect, brush);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
}

void PaintArrow(HDC dc, const RECT& box, ArrowDirection direction, COLORREF colour) {
    int w = box.right - box.left, h = box.bottom - box.top;
    bool vertical = direction == ArrowDirection::Up || direction == ArrowDirection::Down;
    // Rows of 1, 3, 5, ... pixels, about a third of the box across at the base.
    int rows = std::max(2, std::min(w, h) / 4);
    int cx = box.left + w / 2, cy = box.top + h / 2;
    for (int i = 0; i < rows; ++i) {
        // Step i from the point: the point first for Up and Left.
        bool fromPoint = direction == ArrowDirection::Up || direction == ArrowDirection::Left;
        int along = (fromPoint ? i : rows - 1 - i) - rows / 2;
        RECT r = vertical ? RECT{cx - i, cy + along, cx + i + 1, cy + along + 1}
                          : RECT{cx + along, cy - i, cx + along + 1, cy + i + 1};
        FillSolid(dc, r, colour);
    }
}

void PaintArrowButton(HDC dc, const RECT& box, ArrowDirection direction, bool pressed, bool enabled,
                      const ColourScheme& scheme) {
    FillSolid(dc, box, scheme[SchemeColour::Face]);
    PaintFrame(dc, pressed ? FrameStyle::Sunken : FrameStyle::Raised, box, scheme);
    RECT inner = box;
    if (pressed) OffsetRect(&inner, 1, 1);
    if (enabled) {
        PaintArrow(dc, inner, direction, scheme[SchemeColour::Text]);
    } else {
        RECT lit = inner;
        OffsetRect(&lit, 1, 1);
        PaintArrow(dc, lit, direction, scheme[SchemeColour::Highlight]);
        PaintArrow(dc, inner, direction, scheme[SchemeColour::Shadow]);
    }
}

ButtonBitmap::Pixels PixelsOf(HBITMAP bitmap) {
    ButtonBitmap::Pixels out;
    BITMAP info{};
    if (bitmap == nullptr || GetObjectA(bitmap, sizeof info, &info) == 0) return out;
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = info.bmWidth;
    header.bmiHeader.biHeight = -info.bmHeight;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> bgrx(static_cast<size_t>(info.bmWidth) * info.bmHeight);
    HDC screen = GetDC(nullptr);
    int rows = GetDIBits(screen, bitmap, 0, info.bmHeight, bgrx.data(), &header, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != info.bmHeight) return out;
    out.width = info.bmWidth;
    out.height = info.bmHeight;
    out.colours.reserve(bgrx.size());
    // DIB pixels are 0x00RRGGBB; colour references the other way round.
    for (uint32_t p : bgrx) out.colours.push_back(((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF));
    return out;
}

HBITMAP BitmapOf(const ButtonBitmap::Pixels& pixels) {
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = pixels.width;
    header.bmiHeader.biHeight = -pixels.height;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &header, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr) return nullptr;
    uint32_t* out = static_cast<uint32_t*>(bits);
    for (uint32_t c : pixels.colours) *out++ = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    GdiFlush();
    return bitmap;
}

HFONT GuiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

HFONT GuiFont(HWND window) {
    const int dpi = WindowDpi(window), system = WindowDpi(nullptr);
    if (dpi == system) return GuiFont();
    // Kept for the module's life: one font for each scale a window has met.
    static std::map<int, OrvFont> scaled;
    OrvFont& font = scaled[dpi];
    LOGFONTA stock{};
    if (!font && GetObjectA(GuiFont(), sizeof stock, &stock) != 0) {
        stock.lfHeight = MulDiv(stock.lfHeight, dpi, system);
        font.Reset(CreateFontIndirectA(&stock));
    }
    return font ? font.Get() : GuiFont();
}

SIZE TextExtent(HFONT font, const std::string& text) {
    HDC screen = GetDC(nullptr);
    SIZE size{};
    {
        OrvSelection selected(screen, font);
        GetTextExtentPoint32A(screen, text.empty() ? " " : text.c_str(),
                              text.empty() ? 1 : static_cast<int>(text.size()), &size);
    }
    ReleaseDC(nullptr, screen);
    if (text.empty()) size.cx = 0;
    return size;
}

std::string TextOf(HWND window) {
    int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, &text[0], length + 1)));
    return text;
}

namespace {
const char kLayoutDpi[] = "OrvLayoutDpi";
}  // namespace

void SetLayoutDpi(HWND topLevel, int dpi) {
    if (dpi > 0) {
        SetPropA(topLevel, kLayoutDpi, reinterpret_cast<HANDLE>(static_cast<intptr_t>(dpi)));
    } else {
        RemovePropA(topLevel, kLayoutDpi);
    }
}

int WindowDpi(HWND window) {
    if (HWND root = window != nullptr ? GetAncestor(window, GA_ROOT) : nullptr) {
        if (HANDLE chosen = GetPropA(root, kLayoutDpi))
            return static_cast<int>(reinterpret_cast<intptr_t>(chosen));
    }
    using DpiForWindow = UINT(WINAPI*)(HWND);
    // Looked up, not linked: older systems have no such entry.
    static const auto forWindow = reinterpret_cast<DpiForWindow>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (forWindow != nullptr && window != nullptr) {
        if (const UINT dpi = forWindow(window)) return static_cast<int>(dpi);
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

namespace {
int highContrastOverride = -1;
}  // namespace

bool IsEditBox(HWND window) {
    char kind[8] = {};
    return window != nullptr && GetClassNameA(window, kind, sizeof kind) > 0 && lstrcmpiA(kind, "Edit") == 0;
}

bool HighContrast() {
    if (highContrastOverride >= 0) return highContrastOverride != 0;
    HIGHCONTRASTA contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

void SetHighContrastForTesting(int on) { highContrastOverride = on < 0 ? -1 : on != 0; }

SIZE DialogUnitsToPixels(HWND parent, int width, int height) {
    RECT units{0, 0, width, height};
    if (!MapDialogRect(parent, &units)) {
        LONG base = GetDialogBaseUnits();
        units.right = MulDiv(width, LOWORD(base), 4);
        units.bottom = MulDiv(height, HIWORD(base), 8);
    }
    return SIZE{units.right, units.bottom};
}

void CarryOver(HWND control, HWND box, POINT offset, UINT message, WPARAM wParam) {
    if (box == nullptr) return;
    switch (message) {
        case WM_SHOWWINDOW:
            ShowWindow(box, wParam ? SW_SHOWNA : SW_HIDE);
            break;
        case WM_ENABLE:
            EnableWindow(box, wParam != 0);
            break;
        case WM_WINDOWPOSCHANGED: {
            RECT r;
            GetWindowRect(control, &r);
            MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
            RECT now;
            GetWindowRect(box, &now);
            MapWindowPoints(nullptr, GetParent(box), reinterpret_cast<POINT*>(&now), 2);
            int x = r.left + offset.x, y = r.top + offset.y;
            if (x != now.left || y != now.top)
                SetWindowPos(box, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        }
        default:
            break;
    }
}

LRESULT Quietly(HWND window, const std::function<LRESULT()>& handling) {
    // Switching drawing back on shows a window, so a hidden one is left as it is.
    bool visible = IsWindowVisible(window) != FALSE;
    if (visible) SendMessageA(window, WM_SETREDRAW, FALSE, 0);
    LRESULT result = handling();
    if (visible) SendMessageA(window, WM_SETREDRAW, TRUE, 0);
    return result;
}

}  // namespace ControlSupport
