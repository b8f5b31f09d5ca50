// CXPMenu: the program's owner-drawn popup menu (the notification icon's
// menu). Every item is 75 × 22 pixels with a 16 × 16 icon column and a
// centred text; the highlighted item has a black frame, a light blue-grey
// fill and its icon one pixel up and left.
//
// The creator appends items with MF_OWNERDRAW and a pointer to an
// XPMenuItem that stays alive while the menu is tracked.
#pragma once

#include <string>

#include "ui/Menu.h"

struct XPMenuItem {
    DWORD normalIcon = 0;     // low 16 bits: icon resource of the item at rest
    DWORD highlightIcon = 0;  // low 16 bits: icon resource when highlighted
    std::wstring text;
};

class CXPMenu : public CMenu {
public:
    void MeasureItem(MEASUREITEMSTRUCT* measure) override;
    void DrawItem(DRAWITEMSTRUCT* draw) override;

protected:
    // The program's icon resource `id` at 16 × 16; null when there is none.
    virtual HICON LoadItemIcon(UINT id) const;
};
