#include <gtest/gtest.h>

#include <map>

#include "UiTestSupport.h"
#include "controls/win/CXPMenu.h"

namespace {

constexpr COLORREF kBackground = 0x00FF00FF;

// Icons of one solid colour each, instead of the program's resources.
class TestMenu : public CXPMenu {
public:
    std::map<UINT, COLORREF> iconColors;
    mutable std::vector<UINT> loaded;
    int measured = 0;
    void MeasureItem(MEASUREITEMSTRUCT* measure) override {
        ++measured;
        CXPMenu::MeasureItem(measure);
    }

protected:
    HICON LoadItemIcon(UINT id) const override {
        loaded.push_back(id);
        auto found = iconColors.find(id);
        if (found == iconColors.end()) return nullptr;
        COLORREF c = found->second;
        HBITMAP color = MakeBitmap(16, 16, [c](int, int) { return c; });
        HBITMAP mask = MakeBitmap(16, 16, [](int, int) { return RGB(0, 0, 0); });
        ICONINFO info{TRUE, 0, 0, mask, color};
        HICON icon = CreateIconIndirect(&info);
        DeleteObject(color);
        DeleteObject(mask);
        return icon;
    }
};

Pixels DrawItem(TestMenu& menu, const XPMenuItem* item, bool selected) {
    return Render(75, 22, [&](HDC dc) {
        DRAWITEMSTRUCT draw{};
        draw.CtlType = ODT_MENU;
        draw.itemAction = ODA_DRAWENTIRE;
        draw.itemState = selected ? ODS_SELECTED : 0;
        draw.hDC = dc;
        draw.rcItem = RECT{0, 0, 75, 22};
        draw.itemData = reinterpret_cast<ULONG_PTR>(item);
        menu.DrawItem(&draw);
    }, kBackground);
}

// The top-left corner of the block of `color`, or (-1, -1).
POINT FindBlock(const Pixels& p, COLORREF color) {
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (p.At(x, y) == color) return {x, y};
    return {-1, -1};
}

TEST(XPMenu, EveryItemIs75By22) {
    TestMenu menu;
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    menu.MeasureItem(&measure);
    EXPECT_EQ(measure.itemWidth, 75u);
    EXPECT_EQ(measure.itemHeight, 22u);
}

TEST(XPMenu, ItemWithoutDataIsLeftBlank) {
    TestMenu menu;
    Pixels p = DrawItem(menu, nullptr, true);
    EXPECT_EQ(p.Count(kBackground), 75 * 22);
}

TEST(XPMenu, NormalAndSelectedLooks) {
    TestMenu menu;
    menu.iconColors = {{152, RGB(255, 0, 0)}, {153, RGB(0, 0, 255)}};
    XPMenuItem item{0x10000 | 152, 152, L"Exit"};

    Pixels normal = DrawItem(menu, &item, false);
    EXPECT_EQ(menu.loaded, std::vector<UINT>{152}) << "low 16 bits of the icon word";
    POINT icon = FindBlock(normal, RGB(255, 0, 0));
    EXPECT_EQ(icon.x, 3);
    EXPECT_EQ(icon.y, 3);
    EXPECT_EQ(normal.At(0, 0), COLORREF(0xD1D8DB));
    EXPECT_EQ(normal.At(74, 21), COLORREF(0xD1D8DB));
    EXPECT_GT(normal.Count(RGB(0, 0, 0)), 5) << "black text";
    EXPECT_EQ(normal.Count(0x913C00), 0);

    Pixels selected = DrawItem(menu, &item, true);
    icon = FindBlock(selected, RGB(255, 0, 0));
    EXPECT_EQ(icon.x, 2) << "one pixel left of its unselected place";
    EXPECT_EQ(icon.y, 2) << "one pixel up";
    EXPECT_EQ(selected.At(0, 0), RGB(0, 0, 0)) << "black frame";
    EXPECT_EQ(selected.At(74, 21), RGB(0, 0, 0));
    EXPECT_EQ(selected.At(40, 0), RGB(0, 0, 0));
    EXPECT_EQ(selected.At(1, 1), COLORREF(0xCFB9B1));
    EXPECT_EQ(selected.At(73, 20), COLORREF(0xCFB9B1));
    EXPECT_GT(selected.Count(0x913C00), 5) << "selected text colour";

    // Different icons for the two states.
    item.highlightIcon = 153;
    selected = DrawItem(menu, &item, true);
    EXPECT_EQ(FindBlock(selected, RGB(0, 0, 255)).x, 2);
    EXPECT_EQ(selected.Count(RGB(255, 0, 0)), 0);
}

TEST(XPMenu, TextIsCentredRightOfTheIconColumn) {
    TestMenu menu;
    XPMenuItem item{0, 0, L"MMM"};
    Pixels p = DrawItem(menu, &item, false);
    int left = 75, right = -1;
    for (int y = 0; y < 22; ++y)
        for (int x = 0; x < 75; ++x)
            if (GetRValue(p.At(x, y)) < 0x60 && GetGValue(p.At(x, y)) < 0x60) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    ASSERT_GE(right, 0);
    EXPECT_NEAR((left + right) / 2.0, (25 + 8 + 75) / 2.0, 2.0);
}

TEST(XPMenu, OwnerWindowRoutesMeasureAndDrawToTheTrackedMenu) {
    HostWindow host;
    ASSERT_TRUE(host.Open());
    TestMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    XPMenuItem exit{1, 1, L"Exit"};
    ASSERT_TRUE(menu.AppendMenu(MF_OWNERDRAW, 100, &exit));

    // A draw request naming the menu reaches it through the owner.
    Pixels p = Render(75, 22, [&](HDC dc) {
        DRAWITEMSTRUCT draw{};
        draw.CtlType = ODT_MENU;
        draw.hwndItem = reinterpret_cast<HWND>(menu.Handle());
        draw.hDC = dc;
        draw.rcItem = RECT{0, 0, 75, 22};
        draw.itemData = reinterpret_cast<ULONG_PTR>(&exit);
        EXPECT_EQ(SendMessageW(host.Hwnd(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)), TRUE);
    });
    EXPECT_EQ(p.At(0, 0), COLORREF(0xD1D8DB));

    // A real tracking call measures the item; a timer closes the menu.
    SetTimer(host.Hwnd(), 1, 50, [](HWND hwnd, UINT, UINT_PTR id, DWORD) {
        KillTimer(hwnd, id);
        EndMenu();
    });
    menu.TrackPopupMenu(TPM_RETURNCMD, 100, 100, host.Hwnd());
    EXPECT_GE(menu.measured, 1);
    EXPECT_EQ(CMenu::Tracking(), nullptr);
    host.DestroyWindow();
}

}  // namespace
