// Owners for GDI objects and device contexts. Each releases what it holds on every path out
// of a scope, and a selection into a context is undone before the object it selected dies
// (declare the object first, the OrvSelection after it).
#pragma once

#include <windows.h>

#include <utility>

// A brush, pen, font, bitmap or region created by us; deleted with the holder.
template <class Handle>
class OrvGdiObject {
public:
    OrvGdiObject() = default;
    explicit OrvGdiObject(Handle object) : handle(object) {}
    ~OrvGdiObject() { Reset(); }
    OrvGdiObject(OrvGdiObject&& other) noexcept : handle(std::exchange(other.handle, nullptr)) {}
    OrvGdiObject& operator=(OrvGdiObject&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.handle, nullptr));
        return *this;
    }
    OrvGdiObject(const OrvGdiObject&) = delete;
    OrvGdiObject& operator=(const OrvGdiObject&) = delete;

    Handle Get() const { return handle; }
    operator Handle() const { return handle; }
    explicit operator bool() const { return handle != nullptr; }
    void Reset(Handle object = nullptr) {
        if (handle != nullptr) DeleteObject(handle);
        handle = object;
    }
    Handle Release() { return std::exchange(handle, nullptr); }

private:
    Handle handle = nullptr;
};

using OrvBrush = OrvGdiObject<HBRUSH>;
using OrvPen = OrvGdiObject<HPEN>;
using OrvFont = OrvGdiObject<HFONT>;
using OrvBitmap = OrvGdiObject<HBITMAP>;
using OrvRegion = OrvGdiObject<HRGN>;

// Selects object into dc and puts the previous one back.
class OrvSelection {
public:
    OrvSelection(HDC initialDc, HGDIOBJ object)
        : dc(initialDc), previous(object != nullptr ? SelectObject(initialDc, object) : nullptr) {}
    ~OrvSelection() {
        if (previous != nullptr) SelectObject(dc, previous);
    }
    OrvSelection(const OrvSelection&) = delete;
    OrvSelection& operator=(const OrvSelection&) = delete;

private:
    HDC dc;
    HGDIOBJ previous;
};

// Saves the context's state (colours, modes, clipping, selections) and restores it.
class OrvSavedDC {
public:
    explicit OrvSavedDC(HDC initialDc) : dc(initialDc), saved(SaveDC(initialDc)) {}
    ~OrvSavedDC() {
        if (saved != 0) RestoreDC(dc, saved);
    }
    OrvSavedDC(const OrvSavedDC&) = delete;
    OrvSavedDC& operator=(const OrvSavedDC&) = delete;

private:
    HDC dc;
    int saved;
};

// BeginPaint and EndPaint.
class CPaintDC {
public:
    explicit CPaintDC(HWND initialWindow) : window(initialWindow), dc(BeginPaint(initialWindow, &paint)) {}
    ~CPaintDC() { EndPaint(window, &paint); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC Get() const { return dc; }
    operator HDC() const { return dc; }
    const PAINTSTRUCT& Paint() const { return paint; }

private:
    HWND window;
    PAINTSTRUCT paint{};
    HDC dc;
};

// GetDC (client area) or GetWindowDC (whole window), released with the holder.
class CClientDC {
public:
    explicit CClientDC(HWND initialWindow, bool wholeWindow = false)
        : window(initialWindow), dc(wholeWindow ? GetWindowDC(initialWindow) : GetDC(initialWindow)) {}
    ~CClientDC() {
        if (dc != nullptr) ReleaseDC(window, dc);
    }
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;

    HDC Get() const { return dc; }
    operator HDC() const { return dc; }

private:
    HWND window;
    HDC dc;
};

// A memory context compatible with like (the screen for null), deleted with the holder.
class OrvMemoryDC {
public:
    explicit OrvMemoryDC(HDC like) : dc(CreateCompatibleDC(like)) {}
    ~OrvMemoryDC() {
        if (dc != nullptr) DeleteDC(dc);
    }
    OrvMemoryDC(const OrvMemoryDC&) = delete;
    OrvMemoryDC& operator=(const OrvMemoryDC&) = delete;

    HDC Get() const { return dc; }
    operator HDC() const { return dc; }

private:
    HDC dc;
};
