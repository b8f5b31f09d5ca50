// CColorBtn: a flat swatch showing one colour (the lighting page's current
// colour). It tracks hovering like CGDIBitmapBtn but its look never changes;
// the platform's button supplies the click (WM_COMMAND, lParam = button).
#pragma once

#include "ui/Window.h"

class CColorBtn : public CWindow {
public:
    // Child + visible + owner-drawn button without tab stop, identifier 0.
    bool Create(const RECT& rect, HWND owner);
    // Stores the colour; the owner repaints the button.
    void SetColor(COLORREF color);
    COLORREF Color() const { return RGB(m_red, m_green, m_blue); }
    bool Hovering() const { return m_hovering; }
    void Draw(HDC dc) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    BYTE m_red = 0xFF, m_green = 0xFF, m_blue = 0xFF;
    bool m_hovering = false;
};
