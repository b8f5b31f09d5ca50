#include "controls/win/CColorBtn.h"

#include "controls/win/SkinTooltip.h"
#include "ui/Graphics.h"

bool CColorBtn::Create(const RECT& rect, HWND owner) {
    const DWORD style = (WS_CHILD | WS_VISIBLE | BS_OWNERDRAW) & ~DWORD(WS_TABSTOP);
    return CreateControl(L"BUTTON", L"", style, rect, owner, 0);
}

void CColorBtn::SetColor(COLORREF color) {
    m_red = GetRValue(color);
    m_green = GetGValue(color);
    m_blue = GetBValue(color);
}

void CColorBtn::Draw(HDC dc) const {
    RECT client{};
    GetClientRect(m_hWnd, &client);
    OffscreenSurface surface(dc, client.right, client.bottom);
    HBRUSH brush = CreateSolidBrush(Color());
    FillRect(surface.Get(), &client, brush);
    DeleteObject(brush);
    surface.CopyTo(dc);
}

bool CColorBtn::OnReflected(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    if (message != WM_DRAWITEM) return false;
    Draw(reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hDC);
    result = TRUE;
    return true;
}

LRESULT CColorBtn::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEMOVE:
    case WM_CAPTURECHANGED:
    case WM_KILLFOCUS:
        if (!HandleButtonHover(m_hWnd, m_hovering, message, wParam, lParam)) return 0;
        break;
    }
    return DefaultProc(message, wParam, lParam);
}
