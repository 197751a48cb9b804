// The system's open and save dialogs in explorer style, with our hook: a child template of
// this module appended to the system's dialog becomes this object's window (OnInitDialog,
// data exchange and message maps as for any CDialog), and the system's notifications about
// the selection arrive as OnFileNameChange and OnFolderChange.
//
// Filters are written "Name|pattern|Name|pattern||". The owner is the parent given, else
// OrvChooseOwner(). A failure inside the dialog ends it and is raised after it, as for a
// CDialog.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <string>
#include <vector>

#include "OrvLib/framework/CDialog.h"

class CFileDialog : public CDialog {
public:
    CFileDialog(bool openDialog, const char* defaultExtension, const char* fileName, DWORD flags,
                const char* filter, CWnd* parent = nullptr);

    // The system's structure, for changes before DoModal (flags, template, title).
    OPENFILENAMEA ofn;

    // Adds the module's template id as the child template.
    void SetChildTemplate(UINT templateId);
    // IDOK or IDCANCEL.
    INT_PTR DoModal() override;
    // The chosen file after IDOK: full path, and the name alone.
    std::string GetPathName() const { return std::string(file.data()); }
    std::string GetFileName() const;
    // While the dialog runs: the full path under selection in the system's part.
    std::string GetCurrentPath() const;
    // The system's dialog window (the parent of our child window).
    HWND SystemDialog() const { return hWnd != nullptr ? ::GetParent(hWnd) : nullptr; }

protected:
    virtual void OnFileNameChange() {}
    virtual void OnFolderChange() {}
    virtual void OnInitDone() {}
    bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    static UINT_PTR CALLBACK StaticHookProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    bool open;
    std::vector<char> file;
    std::string filter;
    std::string defaultExtension;
};

// The shell's folder chooser (file-system folders only), opening on folder; true with the
// chosen folder stored there, false when cancelled or the choice has no file-system path.
bool OrvBrowseForFolder(HWND owner, const std::string& title, std::string& folder);
