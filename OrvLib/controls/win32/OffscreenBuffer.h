// The double buffer of one control: a bitmap of the client size selected into a memory
// context. Both are made again only when the size changes; the control draws everything
// into it and copies it to the window in one step.
#pragma once

#include <windows.h>

#include "OrvLib/framework/GdiHolders.h"

class OffscreenBuffer {
public:
    explicit OffscreenBuffer(HWND initialWindow = nullptr) : window(initialWindow) {}
    ~OffscreenBuffer() { Release(); }
    OffscreenBuffer(const OffscreenBuffer&) = delete;
    OffscreenBuffer& operator=(const OffscreenBuffer&) = delete;

    void SetWindow(HWND newWindow) { window = newWindow; }
    // The memory context at width x height, compatible with like; null when it cannot be made.
    HDC Fit(HDC like, int width, int height);
    HDC Context() const { return dc; }
    int Width() const { return width; }
    int Height() const { return height; }
    // Copies the buffer to target at (0, 0).
    void CopyTo(HDC target) const;
    void Release();

    // Fits the buffer to window's client area, draws the whole control into it (straight
    // into target when no buffer can be made) and copies it in one step.
    template <class Draw>
    void Paint(HWND paintWindow, HDC target, Draw draw) {
        RECT client;
        GetClientRect(paintWindow, &client);
        HDC memory = Fit(target, client.right, client.bottom);
        if (memory == nullptr) {
            draw(target);
            return;
        }
        draw(memory);
        CopyTo(target);
    }

private:
    HWND window;  // served, not owned
    int width = -1;
    int height = -1;
    OrvBitmap bitmap;
    HDC dc = nullptr;
    HGDIOBJ previous = nullptr;
};
