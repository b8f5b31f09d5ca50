// CMenu: a menu handle with owner-draw hooks. While a CMenu is tracked its
// owner window routes WM_MEASUREITEM and WM_DRAWITEM of menu items to
// MeasureItem and DrawItem (see CWindow). The object owns the menu it created
// or attached and destroys it with itself.
#pragma once

#include <windows.h>

class CMenu {
public:
    CMenu() = default;
    virtual ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    bool CreatePopupMenu();
    bool Attach(HMENU menu);
    HMENU Detach();
    void DestroyMenu();
    HMENU Handle() const { return m_hMenu; }

    bool AppendMenu(UINT flags, UINT_PTR id, const void* item);
    // TrackPopupMenu of the platform, with this object receiving the owner
    // draw requests for the duration of the call.
    BOOL TrackPopupMenu(UINT flags, int x, int y, HWND owner);

    virtual void MeasureItem(MEASUREITEMSTRUCT* measure);
    virtual void DrawItem(DRAWITEMSTRUCT* draw);

    static CMenu* FromHandle(HMENU menu);
    // The menu being tracked on this thread, or null.
    static CMenu* Tracking();

private:
    HMENU m_hMenu = nullptr;
};
