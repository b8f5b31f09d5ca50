// The tooltip of a skinned button: made the first time a text is set, with one
// tool covering the button's whole client area. The button relays its mouse
// messages to it; it is destroyed with the button.
#pragma once

#include <windows.h>

#include <string>

class SkinTooltip {
public:
    SkinTooltip() = default;
    ~SkinTooltip() { Destroy(); }
    SkinTooltip(const SkinTooltip&) = delete;
    SkinTooltip& operator=(const SkinTooltip&) = delete;

    void SetText(HWND tool, const std::wstring& text);
    void Relay(HWND tool, UINT message, WPARAM wParam, LPARAM lParam) const;
    void Destroy();
    HWND Handle() const { return m_tip; }
    const std::wstring& Text() const { return m_text; }

private:
    HWND m_tip = nullptr;
    std::wstring m_text;
};

// Hover tracking shared by CGDIBitmapBtn and CColorBtn (mouse-move handler):
// the button takes the mouse capture while the pointer is over it, gives it
// up when the pointer leaves (unless the left button is held), and relays
// every move it handles to its parent in the parent's coordinates. Returns
// false when the move must not be passed on (left button held from outside).
bool TrackButtonHover(HWND button, bool& hovering, WPARAM keys, LPARAM point);

// The hover messages of those buttons: WM_MOUSEMOVE as above, a lost capture
// repaints a hovered button, a lost focus ends the hover. False when the
// message must not be passed on.
bool HandleButtonHover(HWND button, bool& hovering, UINT message, WPARAM wParam, LPARAM lParam);
