// The file name box of the Image page: without the focus it shows a long path with a run
// of middle folders replaced by "\..." so the name stays in view; with the focus, and to
// anyone who asks for the path, it is the full path. A click in the shortened text lands
// at the same place in the full path.
#pragma once

#include <windows.h>

#include <string>

#include "OrvLib/controls/win32/OrvCustomEditBox.h"
#include "product/dialog/FileChooser.h"

class OrvPSFileEdit : public OrvCustomEditBox {
public:
    void SetPath(const std::string& path);
    const std::string& GetPath() const { return fullPath; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    void ShowShortened();
    void ShowFull(bool caretToEnd);
    int CharacterAt(int x, int y);
    void OnButtonDown(int x, int y);

    std::string fullPath;
    ShortenedPath shown{"", 0, 0};
    bool focusByClick = false;
    bool selecting = false;
    int anchor = 0;
};
