// What the effect dialog's pages share: the owner they write for, creation from their
// template at the place the dialog gives, sliders that apply on their scroll codes, the
// pacing of the previews their changes ask for (PreviewPacer.h, with its settle timer on
// the page), and the background filled with the scheme's face colour.
#pragma once

#include <windows.h>

#include "OrvLib/controls/win32/OrvDialogHelper.h"
#include <vector>

#include "OrvLib/framework/CDialog.h"
#include "OrvLib/framework/GdiHolders.h"
#include "OrvLib/framework/MessageMap.h"
#include "OrvLib/framework/StandardControls.h"
#include "product/dialog/PageRules.h"
#include "product/dialog/PreviewPacer.h"
#include "product/dialog/win32/PSVarnPageOwner.h"

class PSVarnPage : public CDialog, public OrvDialogHelper {
public:
    PSVarnPage(UINT templateId, PSVarnPageOwner& owner);

    // The page's window from its template as a child of parent, moved to place.
    bool Create(HWND parent, const RECT& place);
    // The single write path of a page with sliders: the controls into the block, then the
    // preview the pacer asks for.
    void Apply(PreviewInput input);
    const PreviewPacer& Pacer() const { return pacer; }
    // Called each time the page is brought to the front.
    virtual void Shown() {}

protected:
    static bool Checked(const CButton& box) { return box.GetCheck() == BST_CHECKED; }
    static void SetChecked(CButton& box, bool on) { box.SetCheck(on ? BST_CHECKED : BST_UNCHECKED); }
    static void SetRange(CSliderCtrl& slider, SliderRange range) {
        slider.SetRange(range.minimum, range.maximum);
    }

    // The controls into the block; the default writes nothing.
    virtual void WriteControls() {}

    PSVarnPageOwner& owner;

private:
    static constexpr UINT_PTR kSettleTimer = 7;
    void Carry(PreviewPacer::Action action);
    void OnHScroll(UINT code, UINT position, HWND bar);
    void OnTimer(UINT_PTR id);
    BOOL OnEraseBkgnd(HDC dc);
    // The template's pictures (strips, glasses) at whole multiples of their size, as the
    // buttons' glyphs are; the page keeps both the copies and the pictures they replaced.
    void EnlargePictures();

    PreviewPacer pacer;
    std::vector<OrvBitmap> pictures;

    DECLARE_MESSAGE_MAP()
};
