// The thumbnail list of the Image page: an owner-drawn list box in columns, each item a
// fitted thumbnail over its name, names too wide for their column cut with "..." and shown
// whole as tool tips, and the library's own horizontal scroll bar along the bottom.
// PSVarnImageListBox fills it from one category of the preset library.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "OrvLib/controls/ColourScheme.h"
#include "OrvLib/controls/win32/OrvCustomScrollBar.h"
#include "OrvLib/framework/CommonControls.h"
#include "OrvLib/framework/MessageMap.h"
#include "OrvLib/image/OrvImage2.h"
#include "product/PresetLibrary.h"
#include "product/dialog/ThumbnailList.h"

class PSImageListBox : public CListBox {
public:
    PSImageListBox();
    ~PSImageListBox() override;

    // rows -1: fixed sizes; otherwise the client height is shared by that many rows.
    void SetRows(int newRows) { this->rows = newRows; }
    void SetColourScheme(const ColourScheme* scheme);
    // Created in columns at rect with the given id (and the caller's styles).
    bool Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    const ThumbnailMetrics& Metrics() const { return metrics; }
    // The thumbnail of an item; null when it did not load.
    const OrvImage2* Thumbnail(int index) const;

protected:
    void Clear();
    void AddItem(const std::string& name, std::unique_ptr<OrvImage2> thumbnail);
    // After the items changed or the list scrolled.
    void Refresh();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    void DrawItem(const DRAWITEMSTRUCT& item);
    void RebuildTips();
    void PlaceScrollBar();
    void OnScroll(UINT code, int position);

    std::vector<std::unique_ptr<OrvImage2>> thumbnails;
    CToolTipCtrl tips;
    OrvCustomScrollBar bar;
    int rows = -1;
    int tools = 0;
    ThumbnailMetrics metrics{70, 78, 60, 60};
    int textHeight = 13;
    const ColourScheme* scheme;
};

class PSVarnImageListBox : public PSImageListBox {
public:
    // Empties the list; for a category of the library, an item for each of its presets.
    void SetCategory(const std::vector<PresetCategory>& library, int category);
    int Category() const { return category; }

private:
    int category = -1;
};
