// The grid list drawn in the scheme's colours: by default one column with a row per item,
// or any of GridModel's shapes, with its own live scroll bars (vertical id 10, horizontal
// id 11) along each axis that does not fit. The rules are GridModel's. A selection change
// reaches the parent as a command with code 1.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "OrvLib/controls/GridModel.h"
#include "OrvLib/controls/win32/OrvControlBase.h"
#include "OrvLib/controls/win32/OrvCustomScrollBar.h"
#include "OrvLib/framework/Accessible.h"

class OrvGridControl : public OrvControlBase, public OrvAccessible {
public:
    long AccessibleRole() const override { return ROLE_SYSTEM_LIST; }
    long AccessibleItemCount() const override { return GetCount(); }
    std::string AccessibleItemName(long item) const override {
        return item >= 1 && item <= GetCount() ? GetText(int(item - 1)) : std::string();
    }
    bool AccessibleItemSelected(long item) const override { return item - 1 == GetSelection(); }
    long AccessibleItemRole() const override { return ROLE_SYSTEM_LISTITEM; }

    static constexpr uint32_t kNotifySelection = GridStyle::kNotifySelection,
                              kColumnsFirst = GridStyle::kColumnsFirst,
                              kForceVertical = GridStyle::kForceVertical,
                              kForceHorizontal = GridStyle::kForceHorizontal;
    static constexpr UINT kVerticalBarId = 10, kHorizontalBarId = 11;
    static constexpr UINT kSelectionChanged = 1;

    OrvGridControl();
    ~OrvGridControl() override;

    bool Create(CWnd* parent, const RECT& rect, UINT id, DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                DWORD exStyle = WS_EX_CLIENTEDGE);
    // Takes the place, id and styles of a template's control (a list box), placed right
    // after it; the control is destroyed on request.
    bool CreateInPlaceOf(CWnd* parent, UINT controlId, bool destroyControl);

    void SetStyle(uint32_t style);
    // Rows and columns asked for (0: as many as fit), and how wide and high the cells are
    // (GridWidth and GridHeight modes with their fixed sizes).
    void SetRequests(int rows, int columns);
    void SetColumnWidth(int mode, int fixed);
    void SetRowHeight(int mode, int fixed);
    int InsertSorted(const std::string& text);
    int Append(const std::string& text);
    int InsertAt(int index, const std::string& text);
    int GetCount() const { return model.Count(); }
    void RemoveAll();
    std::string GetText(int index) const { return model.Item(index).text; }
    int GetDatum(int index) const { return model.Datum(index); }
    void SetDatum(int index, int datum) { model.SetDatum(index, datum); }
    int GetSelection() const { return model.Selection(); }
    void SetSelection(int index);
    const GridModel& Model() const { return model; }
    OrvCustomScrollBar* VerticalBar() const { return vertical.get(); }
    OrvCustomScrollBar* HorizontalBar() const { return horizontal.get(); }

protected:
    void Draw(HDC dc) override;
    void OnLButtonDown(POINT point) override;
    void OnLButtonUp(POINT point) override;
    void OnLDragMove(POINT point) override;
    void OnLDragEnd(POINT point) override;
    void OnLDragCancel() override;
    void OnKeyDown(UINT key, bool wasDown, bool systemKey) override;
    bool OnMouseWheel(int delta, POINT screenPoint, UINT keyFlags) override;
    bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Changed();
    void Layout();
    void SelectAt(POINT point);
    void EndPress();
    // Creates, places and fills in one bar, or removes it when the layout has none.
    void PlaceBar(std::unique_ptr<OrvCustomScrollBar>& bar, bool isVertical, const OrvRect& rect);

    GridModel model;
    std::unique_ptr<OrvCustomScrollBar> vertical;
    std::unique_ptr<OrvCustomScrollBar> horizontal;
    int pressSelection = -1;
    bool pressing = false;
};
