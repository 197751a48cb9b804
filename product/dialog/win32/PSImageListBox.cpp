#include "product/dialog/win32/PSImageListBox.h"

#include <algorithm>

#include "OrvLib/controls/win32/ControlSupport.h"
#include "OrvLib/controls/win32/SchemePainter.h"
#include "OrvLib/framework/GdiHolders.h"
#include "product/dialog/ChooserPreview.h"

namespace {

constexpr UINT kScrollBarId = 1;

int32_t TextWidthIn(HDC dc, const std::string& text) {
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &size);
    return size.cx;
}

bool IsLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

}  // namespace

PSImageListBox::PSImageListBox() : scheme(&DefaultColourScheme()) {}
PSImageListBox::~PSImageListBox() = default;

void PSImageListBox::SetColourScheme(const ColourScheme* newScheme) {
    scheme = newScheme != nullptr ? newScheme : &DefaultColourScheme();
    bar.SetColourScheme(scheme);
    if (hWnd != nullptr) Invalidate(true);
}

bool PSImageListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (!CreateControl("LISTBOX", "", style | LBS_MULTICOLUMN, rect, parent->hWnd, id, WS_EX_CLIENTEDGE))
        return false;
    SetFont(ControlSupport::GuiFont());
    {
        CClientDC dc(hWnd);
        OrvSelection font(dc, ControlSupport::GuiFont());
        SIZE t{0, 0};
        GetTextExtentPoint32A(dc, "T", 1, &t);
        textHeight = t.cy;
    }
    RECT client;
    ::GetClientRect(hWnd, &client);
    metrics = ThumbnailListMetrics(rows, textHeight, client.bottom, GetSystemMetrics(SM_CYHSCROLL));
    SetItemHeight(0, metrics.itemHeight);
    SetColumnWidth(metrics.columnWidth);
    tips.Create(this);
    tips.Activate(true);
    bar.SetColourScheme(scheme);
    bar.Create(this, RECT{0, 0, 0, 0}, kScrollBarId, WS_CHILD);
    return true;
}

const OrvImage2* PSImageListBox::Thumbnail(int index) const {
    return index >= 0 && size_t(index) < thumbnails.size() ? thumbnails[size_t(index)].get() : nullptr;
}

void PSImageListBox::Clear() {
    ResetContent();
    thumbnails.clear();
}

void PSImageListBox::AddItem(const std::string& name, std::unique_ptr<OrvImage2> thumbnail) {
    AddString(name);
    thumbnails.push_back(std::move(thumbnail));
}

void PSImageListBox::Refresh() {
    RebuildTips();
    PlaceScrollBar();
}

void PSImageListBox::RebuildTips() {
    for (; tools > 0; --tools) tips.DelTool(hWnd, UINT_PTR(tools));
    CClientDC dc(hWnd);
    OrvSelection font(dc, ControlSupport::GuiFont());
    for (int i = 0; i < GetCount(); ++i) {
        const std::string text = GetText(i);
        if (TextWidthIn(dc, text) <= metrics.columnWidth) continue;
        RECT r = GetItemRect(i);
        r.top += metrics.thumbnailHeight;
        tips.AddTool(hWnd, text.c_str(), r, UINT_PTR(++tools));
    }
}

void PSImageListBox::PlaceScrollBar() {
    RECT client;
    ::GetClientRect(hWnd, &client);
    const ThumbnailScroll s = ThumbnailScrollLayout(GetCount(), GetTopIndex(), client.right, client.bottom,
                                                    metrics.itemHeight, metrics.columnWidth);
    if (!s.shown) {
        bar.ShowWindow(SW_HIDE);
        return;
    }
    const int height = GetSystemMetrics(SM_CYHSCROLL);
    bar.MoveWindow(0, client.bottom - height, client.right, height);
    ScrollInfo info;
    info.minimum = 0;
    info.maximum = s.columns - 1;
    info.page = s.visible;
    info.position = s.position;
    bar.SetScrollInfo(SIF_RANGE | SIF_PAGE | SIF_POS, info);
    bar.ShowWindow(SW_SHOW);
}

void PSImageListBox::OnScroll(UINT code, int position) {
    RECT client;
    ::GetClientRect(hWnd, &client);
    const ThumbnailScroll s = ThumbnailScrollLayout(GetCount(), GetTopIndex(), client.right, client.bottom,
                                                    metrics.itemHeight, metrics.columnWidth);
    ScrollStep step;
    switch (code) {
        case SB_LINELEFT:
            step = ScrollStep::LineLeft;
            break;
        case SB_LINERIGHT:
            step = ScrollStep::LineRight;
            break;
        case SB_PAGELEFT:
            step = ScrollStep::PageLeft;
            break;
        case SB_PAGERIGHT:
            step = ScrollStep::PageRight;
            break;
        case SB_LEFT:
            step = ScrollStep::ToLeft;
            break;
        case SB_RIGHT:
            step = ScrollStep::ToRight;
            break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            step = ScrollStep::Thumb;
            break;
        default:
            return;
    }
    const int rowsPerColumn = std::max(int(client.bottom / std::max(metrics.itemHeight, 1)), 1);
    SetTopIndex(ScrolledColumn(s, step, position) * rowsPerColumn);
    Refresh();
}

void PSImageListBox::DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    const ColourScheme& c = *scheme;
    const RECT& r = item.rcItem;
    if (item.itemID == UINT(-1) || size_t(item.itemID) >= thumbnails.size()) {
        FillSolid(dc, r, c[SchemeColour::Window]);
        return;
    }
    OrvImage2* thumbnail = thumbnails[item.itemID].get();
    const bool disabled = (item.itemState & ODS_DISABLED) != 0,
               selected = (item.itemState & ODS_SELECTED) != 0;
    const COLORREF text = disabled ? c[SchemeColour::DisabledText]
                                   : (selected ? c[SchemeColour::SelectedText] : c[SchemeColour::Text]);
    const COLORREF back = disabled ? c[SchemeColour::Face]
                                   : (selected ? c[SchemeColour::SelectionBack] : c[SchemeColour::Window]);
    const int boxLeft = r.left + kThumbnailMargin, boxTop = r.top + kThumbnailMargin;
    const RECT band{r.left, boxTop + metrics.thumbnailHeight, r.right, r.bottom};
    FillSolid(dc, RECT{r.left, r.top, r.right, band.top}, back);
    if (thumbnail != nullptr && !thumbnail->IsEmpty()) {
        const OrvSize size{thumbnail->GetWidth(), thumbnail->GetHeight()};
        const OrvRect place = FitCentred(size, OrvRect{boxLeft, boxTop, boxLeft + metrics.thumbnailWidth,
                                                       boxTop + metrics.thumbnailHeight});
        thumbnail->Draw(reinterpret_cast<OrvSurface::DC>(dc), place, OrvRect{0, 0, size.width, size.height},
                        kOrvNoColour, back, 0);
    }
    OrvSelection font(dc, ControlSupport::GuiFont());
    SetTextColor(dc, text);
    SetBkColor(dc, back);
    SetBkMode(dc, OPAQUE);
    const std::string name = GetText(int(item.itemID));
    const std::string shown = FitItemName(
        name, band.right - band.left, [dc](const std::string& t) { return TextWidthIn(dc, t); }, &IsLeadByte);
    RECT textRect = band;
    FillSolid(dc, band, back);
    DrawTextA(dc, shown.c_str(), int(shown.size()), &textRect,
              DT_SINGLELINE | DT_NOPREFIX | (shown == name ? DT_CENTER : DT_LEFT));
}

LRESULT PSImageListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: {
            RECT client;
            ::GetClientRect(hWnd, &client);
            FillSolid(reinterpret_cast<HDC>(wParam), client, (*scheme)[SchemeColour::Window]);
            return 1;
        }
        case WM_NCPAINT:
            // The border in the scheme's colours, like the category list beside it.
            if (PaintNonClientFrame(hWnd, *scheme)) return 0;
            break;
        case LB_SETCURSEL: {
            // Selecting may bring another column into view: tips and bar follow it.
            const LRESULT result = CListBox::WindowProc(message, wParam, lParam);
            Refresh();
            return result;
        }
        case WM_HSCROLL:
            if (reinterpret_cast<HWND>(lParam) == bar.hWnd) {
                OnScroll(LOWORD(wParam), short(HIWORD(wParam)));
                return 0;
            }
            break;
        default:
            break;
    }
    return CListBox::WindowProc(message, wParam, lParam);
}

bool PSImageListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_DRAWITEM) {
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        *result = TRUE;
        return true;
    }
    if (message == WM_MEASUREITEM) {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        measure->itemWidth = UINT(metrics.columnWidth);
        measure->itemHeight = UINT(metrics.itemHeight);
        *result = TRUE;
        return true;
    }
    // The selection moves the columns in view: tips and bar follow, and the page still hears.
    if (message == WM_COMMAND && HIWORD(wParam) == LBN_SELCHANGE) Refresh();
    return CListBox::OnChildNotify(message, wParam, lParam, result);
}

void PSVarnImageListBox::SetCategory(const std::vector<PresetCategory>& library, int newCategory) {
    Clear();
    category = newCategory;
    if (category >= 0 && size_t(category) < library.size()) {
        const OrvSize box{Metrics().thumbnailWidth, Metrics().thumbnailHeight};
        for (const PresetEntry& entry : library[size_t(category)].entries) {
            auto thumbnail = std::make_unique<OrvImage2>();
            if (!PrepareThumbnail(entry.thumbnail, box, *thumbnail)) thumbnail.reset();
            AddItem(entry.name, std::move(thumbnail));
        }
    }
    Refresh();
}
