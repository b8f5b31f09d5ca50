// CGDIBitmapBtn: a rectangular owner-drawn button whose four looks (normal,
// over, pressed, disabled) are cut from its owner window's full-size skin
// images, with an optional caption, tooltip, checked look and press/release
// notification (0x70D) to the parent. The platform's button supplies focus,
// press tracking and the click (WM_COMMAND, identifier 0, lParam = button).
#pragma once

#include <string>

#include "controls/ButtonLooks.h"
#include "controls/win/SkinTooltip.h"
#include "ui/Window.h"

// Posted to the parent by a button with the notify flag: wParam 0x201 at the
// press, 0x202 at the release; lParam the button's window.
constexpr UINT WM_BUTTON_PRESS_NOTIFY = 0x70D;

// The look's text colour when disabled.
constexpr COLORREF kDisabledTextColor = 0x272A26;

class CGDIBitmapBtn : public CWindow {
public:
    CGDIBitmapBtn() = default;
    ~CGDIBitmapBtn() override;

    // Child + visible + owner-drawn button, empty caption, identifier 0.
    bool Create(const RECT& rect, HWND owner);
    // Cuts `rect` (owner client coordinates) out of each page skin that holds
    // an image; a null skin leaves that look unchanged. Removes the border
    // and tab-stop styles.
    void SetSkin(HBITMAP normal, HBITMAP over, HBITMAP pressed, HBITMAP disabled, const RECT& rect);
    void SetText(const std::wstring& text);
    void SetTooltip(const std::wstring& text);
    void SetCheck(bool checked);
    bool GetCheck() const { return m_checked; }
    bool Hovering() const { return m_hovering; }
    const std::wstring& Text() const { return m_caption; }
    HWND Tooltip() const { return m_tooltip.Handle(); }

    // The look the button shows now.
    ButtonLook CurrentLook() const;
    // Renders `look` onto `dc` at (0, 0), the size of the button.
    void Draw(HDC dc, ButtonLook look) const;
    COLORREF TextColor(ButtonLook look) const;

    // Set directly by owners after creation.
    bool checkable = false;  // the pressed look follows the checked flag
    bool toggle = false;     // each press inverts the checked flag
    bool overLook = true;    // the over image may be used
    bool notify = false;     // post WM_BUTTON_PRESS_NOTIFY
    COLORREF textOver = 0xFFFFFF;
    COLORREF textNormal = 0xC8BDBD;
    COLORREF textPressed = 0x051D26;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    HBITMAP m_images[4] = {};  // indexed by ButtonLook
    std::wstring m_caption;
    SkinTooltip m_tooltip;
    bool m_checked = false;
    bool m_hovering = false;
};
