// Dialogs from this module's templates: modal (DoModal) or as a child window such as a page
// (Create). The dialog window is bound at WM_INITDIALOG and from then on takes every message
// through the framework's procedure, like any other window of ours.
//
// The modal owner is the parent given at construction, else OrvChooseOwner() (the host's
// window, else the active window, else none). A failure inside the modal loop ends it with
// -1 and is raised again by DoModal after the loop, with the owner enabled again.
#pragma once

#include "OrvLib/framework/CWnd.h"

class CDataExchange;

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // IDOK, IDCANCEL or what EndDialog was given; -1 when the template cannot be used.
    virtual INT_PTR DoModal();
    // A modeless dialog (a page) from templateId as a child of parent; false if it fails.
    bool Create(UINT templateId, CWnd* parent);
    bool Create(UINT templateId, HWND parent);
    void EndDialog(int result);
    // Runs DoDataExchange; false (with the focus on the offending control) when a value
    // could not be taken from a control.
    bool UpdateData(bool saveAndValidate = true);
    UINT TemplateId() const { return templateId; }
    bool IsModal() const { return modal; }

    static INT_PTR CALLBACK StaticDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // Default: UpdateData(false), then true (the system sets the focus).
    virtual BOOL OnInitDialog();
    // Default: UpdateData(true), then EndDialog(IDOK) when that succeeded; modal only.
    virtual void OnOK();
    // Default: EndDialog(IDCANCEL); modal only.
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange*) {}

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    UINT templateId;
    CWnd* parent;
    bool modal = false;
};
