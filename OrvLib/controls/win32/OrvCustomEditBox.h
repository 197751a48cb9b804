// The text-bearing controls: a single-line edit that paints its own text in the scheme's
// colours and filters what may be typed, its integer variant with a range and up-down
// arrows, and the arrows themselves.
//
// The system edit keeps the text, the selection and the caret; it never shows: what it
// would draw is switched off around its handling, and the box repaints itself whenever the
// text, the selection or the focus changed.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "OrvLib/controls/ColourScheme.h"
#include "OrvLib/controls/EditBoxModel.h"
#include "OrvLib/controls/win32/SchemedSurface.h"
#include "OrvLib/controls/win32/SchemePainter.h"
#include "OrvLib/framework/GdiHolders.h"
#include "OrvLib/framework/StandardControls.h"

class OrvCustomSpinButton;

// Told of every command the box sends its parent (a control that owns a box, such as the
// angle dial, listens here since the box is its parent's child).
class OrvEditBoxListener {
public:
    virtual ~OrvEditBoxListener() = default;
    virtual void OnEditBoxCommand(UINT code) = 0;
};

class OrvCustomEditBox : public CEdit {
public:
    OrvCustomEditBox();
    ~OrvCustomEditBox() override;

    void SetColourScheme(const ColourScheme* scheme);
    const ColourScheme& Scheme() const { return surface.Scheme(); }
    CharFilter& Filter() { return filter; }

    // With set, the text is applied (after the batch, inside one) and the box is no longer
    // modified; without, the box is only marked modified when the text differs. Quiet keeps
    // the parent from hearing of the change.
    void SetText(const std::string& text, bool set, bool quiet = false);
    std::string Text() const;
    bool Modified() const { return modified; }
    void BeginBatch() { ++batch; }
    void EndBatch();

    // With the commit flag, releasing the mouse on the arrows makes the box go through its
    // focus-loss handling (the parent hears of a focus loss) while it keeps the focus.
    void SetCommitFlag(bool newCommit) { commit = newCommit; }
    void Commit();

    void SetListener(OrvEditBoxListener* newListener) { listener = newListener; }
    OrvCustomSpinButton* SpinButton() const { return spin.get(); }

    // Whether a paste may go in: `pasted` is the clipboard's text, `result` the box's text
    // with it in place of the selection. The default lets every allowed character in.
    virtual bool AcceptsPaste(const std::string& pasted, const std::string& result) const;

    // Called by the arrows.
    virtual void SpinStep(int delta) { (void)delta; }
    virtual void SpinPressed() {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    // Before the system's focus-loss handling.
    virtual void OnFocusLost() {}
    void Draw(HDC dc);
    void RedrawNow();
    void CreateSpinButton();
    // Keeps the arrows at the box's right edge when the box moves.
    void PlaceSpinButton();
    void ApplyText(const std::string& text);

private:
    struct Snapshot {
        std::string text;
        DWORD selStart, selEnd;
        bool focused;
        bool operator!=(const Snapshot& o) const {
            return text != o.text || selStart != o.selStart || selEnd != o.selEnd || focused != o.focused;
        }
    };
    Snapshot Take() const;
    LRESULT HandleWatched(UINT message, WPARAM wParam, LPARAM lParam, bool quietly);
    // Control+A, C, X, V and Z as their characters arrive; false for any other character.
    bool Shortcut(WPARAM character);
    LRESULT Paste(LPARAM lParam);

    SchemedSurface surface;
    CharFilter filter;
    std::unique_ptr<OrvCustomSpinButton> spin;
    int spinOffset = 0;  // the arrows' left edge from the box's right edge
    OrvBrush background;
    bool modified = false;
    int batch = 0;
    bool pending = false;
    std::string pendingText;
    int quiet = 0;
    bool commit = false;
    OrvEditBoxListener* listener = nullptr;
};

class OrvCustomIntegerEditBox : public OrvCustomEditBox {
public:
    OrvCustomIntegerEditBox();

    // Also allows the minus sign for a negative bound and creates the arrows.
    void SetRange(int minimum, int maximum, bool wrap);
    // Clamped into the range and shown with set.
    void SetValue(int value);
    // The value of the text, not clamped; the last value set for an empty text or before
    // the window exists.
    int GetValue() const;
    const IntegerBoxModel& Model() const { return model; }
    // The value in the second range (0 to 100 unless set), and a value set from it.
    void SetPercentRange(int low, int high) { model.SetPercentRange(low, high); }
    int GetPercent() const { return model.PercentOf(GetValue()); }
    void SetPercent(int percent) { SetValue(model.ValueOfPercent(percent)); }

    void SpinStep(int delta) override;
    bool AcceptsPaste(const std::string& pasted, const std::string& result) const override;

protected:
    void OnFocusLost() override;

private:
    IntegerBoxModel model;
};

class OrvCustomSpinButton : public CSpinButtonCtrl {
public:
    explicit OrvCustomSpinButton(OrvCustomEditBox& initialBuddy) : buddy(initialBuddy) {}
    void SetColourScheme(const ColourScheme* scheme);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void Draw(HDC dc);

private:
    OrvCustomEditBox& buddy;
    SchemedSurface surface;
};
