// What the effect dialog's pages share: the owner they write for, creation from their
// template at the place the dialog gives, sliders that apply on their scroll codes, and
// the background filled with the scheme's face colour.
#pragma once

#include <windows.h>

#include "OrvLib/controls/win32/OrvDialogHelper.h"
#include "OrvLib/framework/CDialog.h"
#include "OrvLib/framework/MessageMap.h"
#include "OrvLib/framework/StandardControls.h"
#include "product/dialog/win32/PSVarnPageOwner.h"

class PSVarnPage : public CDialog, public OrvDialogHelper {
public:
    PSVarnPage(UINT templateId, PSVarnPageOwner& owner);

    // The page's window from its template as a child of parent, moved to place.
    bool Create(HWND parent, const RECT& place);
    // The single write path of a page with sliders: the controls into the block, then the
    // preview.
    virtual void Apply(bool) {}
    // Called each time the page is brought to the front.
    virtual void Shown() {}

protected:
    static bool Checked(const CButton& box) { return box.GetCheck() == BST_CHECKED; }
    static void SetChecked(CButton& box, bool on) { box.SetCheck(on ? BST_CHECKED : BST_UNCHECKED); }

    PSVarnPageOwner& owner;

private:
    void OnHScroll(UINT code, UINT position, HWND bar);
    BOOL OnEraseBkgnd(HDC dc);

    DECLARE_MESSAGE_MAP()
};
