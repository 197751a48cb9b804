// The module our windows belong to. Inside a host this is the plug-in's own library, never
// the host program: templates, strings, bitmaps and window classes all come from here.
//
// Window classes are registered lazily under names that carry the module's address, so two
// loaded copies (or two plug-ins built on this layer) never share a class, and a host that
// frees the library and loads it again finds no stale class of ours. A class is unregistered
// as soon as no window of it is left (SweepWindowClasses, run after every modal loop and
// every DestroyWindow of ours) and at the latest when the module unloads.
#pragma once

#include <windows.h>

#include <string>

HINSTANCE OrvModuleHandle();

// The unique class name for kind (e.g. "OrvSlider"), registered on first use with the
// framework's window procedure. Windows of it count towards the class's lifetime.
const char* OrvWindowClass(const char* kind, UINT classStyle = CS_DBLCLKS);
// The registered name of kind if it is registered now, else nullptr.
const char* OrvRegisteredWindowClass(const char* kind);
void OrvSweepWindowClasses();
// Called by the window procedure for windows of our classes.
void OrvCountClassWindow(HWND window, int delta);

// String resource id of this module; empty when missing.
std::string OrvLoadString(UINT id);
// Bitmap resource of this module (caller owns it); nullptr when missing.
HBITMAP OrvLoadBitmap(UINT id);

// The owner of a modal dialog: the host's window when the host gave one (OrvHostWindowScope),
// else the active window of this thread, else none.
HWND OrvChooseOwner();

// The host's window (from the host's platform data) for the dialogs opened while the scope
// lives, typically one call of the host; the previous one comes back after it.
class OrvHostWindowScope {
public:
    explicit OrvHostWindowScope(HWND window);
    ~OrvHostWindowScope();
    OrvHostWindowScope(const OrvHostWindowScope&) = delete;
    OrvHostWindowScope& operator=(const OrvHostWindowScope&) = delete;

private:
    HWND previous;
};
