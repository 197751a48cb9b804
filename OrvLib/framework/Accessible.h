// What the controls tell screen readers. Every child control of the framework answers
// WM_GETOBJECT with one shared IAccessible object that reads the control live: its name
// (the label: its own caption, or for a box or a captionless control the label before it),
// its role and state from its class and style, and what the control adds through
// OrvAccessible (a value, a role of its own, items such as tabs).
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <string>

class CWnd;

class OrvAccessible {
public:
    virtual ~OrvAccessible() = default;
    // 0: the role that the window's class and style give.
    virtual long AccessibleRole() const { return 0; }
    virtual std::string AccessibleValue() const { return {}; }
    // Items without windows of their own (tabs, list entries), numbered from 1.
    virtual long AccessibleItemCount() const { return 0; }
    virtual std::string AccessibleItemName(long item) const {
        (void)item;
        return {};
    }
    virtual bool AccessibleItemSelected(long item) const {
        (void)item;
        return false;
    }
    virtual long AccessibleItemRole() const { return 0; }
};

struct OrvAccessibleFacts {
    std::string name, value;
    long role = 0;
    long state = 0;
};

// The facts of a window (item 0) or of one of its items.
OrvAccessibleFacts OrvAccessibleFactsOf(HWND window, long item = 0);

// The answer to WM_GETOBJECT; false for requests other than the client object.
bool OrvAnswerGetObject(CWnd& window, WPARAM wParam, LPARAM lParam, LRESULT& result);

// Tells listening assistive software that a window or one of its items changed.
void OrvAccessibleEvent(HWND window, DWORD event, long item = 0);
