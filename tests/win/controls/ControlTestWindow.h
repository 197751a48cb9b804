// A top-level window standing in for a dialog: painted in the test scheme's face, and
// recording every command, notification and scroll message that reaches it (what its
// children handled themselves through reflection never arrives).
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "OrvLib/controls/ColourScheme.h"
#include "OrvLib/framework/CWnd.h"

// A warm, skin-like scheme, unlike the system's grey, so a control that paints anything of
// the system's own shows at once in the pictures.
const ColourScheme& TestScheme();

struct Heard {
    UINT message;  // WM_COMMAND, WM_NOTIFY, WM_HSCROLL or WM_VSCROLL
    UINT id;
    UINT code;
    int value;         // the scroll message's high word
    std::string text;  // the sender's text when it was heard
};

class TestParent : public CWnd {
public:
    TestParent(int width, int height);
    std::vector<Heard> heard;
    // What the window answers to a notification code (0 for codes not listed).
    std::map<UINT, LRESULT> answers;
    // The codes heard for one sender and message, in order.
    std::vector<UINT> Codes(UINT message, UINT id) const;
    void Clear() { heard.clear(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

// A 16 x 16 magnifier in white, the two greys and black, as button artwork is drawn.
HBITMAP TestBitmap();

// Brings the window's thread to the front so keys reach it.
void Activate(HWND window);
