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
    explicit OrvGdiObject(Handle handle) : handle_(handle) {}
    ~OrvGdiObject() { Reset(); }
    OrvGdiObject(OrvGdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    OrvGdiObject& operator=(OrvGdiObject&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    OrvGdiObject(const OrvGdiObject&) = delete;
    OrvGdiObject& operator=(const OrvGdiObject&) = delete;

    Handle Get() const { return handle_; }
    operator Handle() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset(Handle handle = nullptr) {
        if (handle_ != nullptr) DeleteObject(handle_);
        handle_ = handle;
    }
    Handle Release() { return std::exchange(handle_, nullptr); }

private:
    Handle handle_ = nullptr;
};

using OrvBrush = OrvGdiObject<HBRUSH>;
using OrvPen = OrvGdiObject<HPEN>;
using OrvFont = OrvGdiObject<HFONT>;
using OrvBitmap = OrvGdiObject<HBITMAP>;
using OrvRegion = OrvGdiObject<HRGN>;

// Selects object into dc and puts the previous one back.
class OrvSelection {
public:
    OrvSelection(HDC dc, HGDIOBJ object)
        : dc_(dc), previous_(object != nullptr ? SelectObject(dc, object) : nullptr) {}
    ~OrvSelection() {
        if (previous_ != nullptr) SelectObject(dc_, previous_);
    }
    OrvSelection(const OrvSelection&) = delete;
    OrvSelection& operator=(const OrvSelection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Saves the context's state (colours, modes, clipping, selections) and restores it.
class OrvSavedDC {
public:
    explicit OrvSavedDC(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~OrvSavedDC() {
        if (saved_ != 0) RestoreDC(dc_, saved_);
    }
    OrvSavedDC(const OrvSavedDC&) = delete;
    OrvSavedDC& operator=(const OrvSavedDC&) = delete;

private:
    HDC dc_;
    int saved_;
};

// BeginPaint and EndPaint.
class CPaintDC {
public:
    explicit CPaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~CPaintDC() { EndPaint(window_, &paint_); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC Get() const { return dc_; }
    operator HDC() const { return dc_; }
    const PAINTSTRUCT& Paint() const { return paint_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// GetDC (client area) or GetWindowDC (whole window), released with the holder.
class CClientDC {
public:
    explicit CClientDC(HWND window, bool wholeWindow = false)
        : window_(window), dc_(wholeWindow ? GetWindowDC(window) : GetDC(window)) {}
    ~CClientDC() {
        if (dc_ != nullptr) ReleaseDC(window_, dc_);
    }
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;

    HDC Get() const { return dc_; }
    operator HDC() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A memory context compatible with like (the screen for null), deleted with the holder.
class OrvMemoryDC {
public:
    explicit OrvMemoryDC(HDC like) : dc_(CreateCompatibleDC(like)) {}
    ~OrvMemoryDC() {
        if (dc_ != nullptr) DeleteDC(dc_);
    }
    OrvMemoryDC(const OrvMemoryDC&) = delete;
    OrvMemoryDC& operator=(const OrvMemoryDC&) = delete;

    HDC Get() const { return dc_; }
    operator HDC() const { return dc_; }

private:
    HDC dc_;
};
