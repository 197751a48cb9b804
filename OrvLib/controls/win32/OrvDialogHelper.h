// The mix-in of every dialog and page: operations on lists of its controls. Id lists end
// with 0, window lists with nullptr; ids the dialog does not have are skipped.
#pragma once

#include <windows.h>

class CWnd;

class OrvDialogHelper {
public:
    virtual ~OrvDialogHelper() = default;

    void EnableControls(const int* ids, bool enable);
    void ShowControls(const int* ids, bool show);
    // From the first window's top-left corner (in its parent's client coordinates), moves
    // each window in turn to the current point at width x height (-1: its own size), then
    // steps dx + floor(width x fx) across and dy + floor(height x fy) down.
    void ArrangeControls(int width, int height, int dx, int dy, double fx, double fy, CWnd* const* windows);

private:
    HWND DialogWindow();
};
