#include "ui/Menu.h"

#include <map>

namespace {

std::map<HMENU, CMenu*>& Menus() {
    static std::map<HMENU, CMenu*> menus;
    return menus;
}

CMenu* g_tracking = nullptr;

}  // namespace

CMenu::~CMenu() {
    if (g_tracking == this) g_tracking = nullptr;
    DestroyMenu();
}

bool CMenu::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }

bool CMenu::Attach(HMENU menu) {
    if (m_hMenu || !menu) return false;
    m_hMenu = menu;
    Menus()[menu] = this;
    return true;
}

HMENU CMenu::Detach() {
    HMENU menu = m_hMenu;
    if (menu) Menus().erase(menu);
    m_hMenu = nullptr;
    return menu;
}

void CMenu::DestroyMenu() {
    if (HMENU menu = Detach()) ::DestroyMenu(menu);
}

bool CMenu::AppendMenu(UINT flags, UINT_PTR id, const void* item) {
    return m_hMenu && ::AppendMenuW(m_hMenu, flags, id, static_cast<const wchar_t*>(item));
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, HWND owner) {
    if (!m_hMenu) return FALSE;
    CMenu* outer = g_tracking;
    g_tracking = this;
    BOOL result = ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner, nullptr);
    g_tracking = outer;
    return result;
}

void CMenu::MeasureItem(MEASUREITEMSTRUCT*) {}
void CMenu::DrawItem(DRAWITEMSTRUCT*) {}

CMenu* CMenu::FromHandle(HMENU menu) {
    auto found = Menus().find(menu);
    return found == Menus().end() ? nullptr : found->second;
}

CMenu* CMenu::Tracking() { return g_tracking; }
