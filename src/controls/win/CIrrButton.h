// CIrrButton: a button of any shape, given as a region in its owner's client
// coordinates. Its looks are the main window's three window-sized skin
// images; it shows the part under its shape and writes its caption centred
// on the shape. It notifies its owner (WM_COMMAND, wParam 0, lParam = button)
// as soon as the left button goes down inside the shape, and again for the
// second press of a double click. The release does not notify a second time.
#pragma once

#include <string>

#include "controls/ButtonLooks.h"
#include "controls/win/SkinTooltip.h"
#include "ui/Window.h"

// The main window's skin: normal, pressed and over looks (822 × 544, 24 bpp).
constexpr UINT IDB_MAIN_SKIN_NORMAL = 130;
constexpr UINT IDB_MAIN_SKIN_PRESSED = 129;
constexpr UINT IDB_MAIN_SKIN_OVER = 131;

class CIrrButton : public CWindow {
public:
    CIrrButton() = default;
    ~CIrrButton() override;

    // Takes its looks from the program's bitmap resources 130, 129, 131 and
    // 130 (disabled).
    bool Create(const std::wstring& caption, HRGN region, HWND owner);
    // The same with the skin images given; each is copied whole.
    bool Create(const std::wstring& caption, HRGN region, HWND owner, HBITMAP normal, HBITMAP pressed, HBITMAP over,
                HBITMAP disabled);

    void SetCheck(bool checked);
    bool GetCheck() const { return m_checked != 0; }
    void SetTooltip(const std::wstring& text) { m_tooltip.SetText(m_hWnd, text); }
    HWND Tooltip() const { return m_tooltip.Handle(); }

    const RECT& Bounds() const { return m_bounds; }  // owner client coordinates
    POINT Anchor() const { return m_anchor; }
    bool Pressed() const { return m_pressed; }
    bool Hovering() const { return m_hovering; }
    // Whether a client point lies inside the shape.
    bool HitTest(POINT client) const;

    ButtonLook CurrentLook() const;
    COLORREF TextColor(ButtonLook look) const;
    // Renders `look` onto `dc` at (0, 0), clipped to the shape.
    void Draw(HDC dc, ButtonLook look) const;

    bool checkable = false;
    COLORREF textNormal = 0xC8BDBD;
    COLORREF textOver = 0xFFFFFF;
    COLORREF textPressed = 0x051D26;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnMouseMove(POINT at);
    void OnLButtonDown();
    void UpdateHover(bool inside);

    HBITMAP m_images[4] = {};  // indexed by ButtonLook
    HRGN m_region = nullptr;   // the shape, in the button's own coordinates
    RECT m_bounds{};
    POINT m_anchor{};
    bool m_pressed = false;
    bool m_hovering = false;
    bool m_capture = false;
    BYTE m_checked = 0;
    SkinTooltip m_tooltip;
};
