#include "controls/win/CXPMenu.h"

#include "ui/Graphics.h"
#include "ui/Window.h"

namespace {

constexpr COLORREF kSelectedFill = 0xCFB9B1;
constexpr COLORREF kFill = 0xD1D8DB;
constexpr COLORREF kSelectedText = 0x913C00;

void Fill(HDC dc, const RECT& rect, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

}  // namespace

void CXPMenu::MeasureItem(MEASUREITEMSTRUCT* measure) {
    measure->itemWidth = 75;
    measure->itemHeight = 22;
}

HICON CXPMenu::LoadItemIcon(UINT id) const {
    return static_cast<HICON>(LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0));
}

void CXPMenu::DrawItem(DRAWITEMSTRUCT* draw) {
    const auto* item = reinterpret_cast<const XPMenuItem*>(draw->itemData);
    if (!item) return;
    HDC dc = draw->hDC;
    SetBkMode(dc, TRANSPARENT);
    RECT r = draw->rcItem;
    RECT column = r;
    column.right = r.left + 25;
    RECT text = r;
    text.left = r.left + 25;

    const bool selected = (draw->itemState & ODS_SELECTED) != 0;
    RECT icon = column;
    InflateRect(&icon, -3, -3);
    DWORD iconId;
    if (selected) {
        HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
        HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
        Rectangle(dc, r.left, r.top, r.right, r.bottom);
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
        InflateRect(&r, -1, -1);
        Fill(dc, r, kSelectedFill);
        OffsetRect(&icon, -1, -1);
        iconId = item->highlightIcon;
    } else {
        Fill(dc, column, kFill);
        Fill(dc, text, kFill);
        iconId = item->normalIcon;
    }
    if (HICON handle = LoadItemIcon(LOWORD(iconId))) {
        DrawIconEx(dc, icon.left, icon.top, handle, 16, 16, 0, nullptr, DI_NORMAL);
        DestroyIcon(handle);
    }

    text.left += 8;
    HFONT font = CreateSkinFont(14, 500);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetTextColor(dc, selected ? kSelectedText : RGB(0, 0, 0));
    DrawTextW(dc, item->text.c_str(), static_cast<int>(item->text.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_WORDBREAK | DT_NOCLIP | DT_END_ELLIPSIS);
    SelectObject(dc, oldFont);
    DeleteObject(font);
}
