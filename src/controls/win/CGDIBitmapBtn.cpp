#include "controls/win/CGDIBitmapBtn.h"

#include "ui/Graphics.h"

CGDIBitmapBtn::~CGDIBitmapBtn() {
    DestroyWindow();
    for (HBITMAP& image : m_images) {
        if (image) DeleteObject(image);
        image = nullptr;
    }
}

bool CGDIBitmapBtn::Create(const RECT& rect, HWND owner) {
    return CreateControl(L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, rect, owner, 0);
}

void CGDIBitmapBtn::SetSkin(HBITMAP normal, HBITMAP over, HBITMAP pressed, HBITMAP disabled, const RECT& rect) {
    const HBITMAP skins[4] = {normal, over, pressed, disabled};
    for (int look = 0; look < 4; ++look) {
        if (!skins[look]) continue;
        if (HBITMAP copy = CopyBitmapRect(skins[look], rect)) {
            if (m_images[look]) DeleteObject(m_images[look]);
            m_images[look] = copy;
        }
    }
    ModifyStyle(WS_BORDER | WS_TABSTOP, 0);
    Invalidate();
}

void CGDIBitmapBtn::SetText(const std::wstring& text) {
    m_caption = text;
    Invalidate();
}

void CGDIBitmapBtn::SetTooltip(const std::wstring& text) { m_tooltip.SetText(m_hWnd, text); }

void CGDIBitmapBtn::SetCheck(bool checked) {
    if (checked == m_checked) return;
    m_checked = checked;
    Invalidate();
}

ButtonLook CGDIBitmapBtn::CurrentLook() const {
    ButtonState state;
    state.checkable = checkable;
    state.checked = m_checked;
    state.pushed = m_hWnd && (SendMessageW(m_hWnd, BM_GETSTATE, 0, 0) & BST_PUSHED);
    state.hovering = m_hovering;
    state.overLook = overLook;
    state.disabled = m_hWnd && !IsWindowEnabled(m_hWnd);
    return ChooseBitmapButtonLook(state);
}

COLORREF CGDIBitmapBtn::TextColor(ButtonLook look) const {
    switch (look) {
    case ButtonLook::Pressed: return textPressed;
    case ButtonLook::Over: return textOver;
    case ButtonLook::Disabled: return kDisabledTextColor;
    case ButtonLook::Normal: break;
    }
    return textNormal;
}

void CGDIBitmapBtn::Draw(HDC dc, ButtonLook look) const {
    RECT client{};
    GetClientRect(m_hWnd, &client);
    HBITMAP image = m_images[static_cast<int>(look)];
    if (m_caption.empty()) {
        if (!image) return;
        MemoryDC source(dc, image);
        BitBlt(dc, 0, 0, client.right, client.bottom, source.Get(), 0, 0, SRCCOPY);
        return;
    }
    OffscreenSurface surface(dc, client.right, client.bottom);
    BitBlt(surface.Get(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    if (image) {
        MemoryDC source(dc, image);
        BitBlt(surface.Get(), 0, 0, client.right, client.bottom, source.Get(), 0, 0, SRCCOPY);
    }
    HFONT font = CreateSkinFont(14, 300);
    HGDIOBJ oldFont = SelectObject(surface.Get(), font);
    SetBkMode(surface.Get(), TRANSPARENT);
    SetTextColor(surface.Get(), TextColor(look));
    SIZE extent{};
    GetTextExtentPoint32W(surface.Get(), m_caption.c_str(), static_cast<int>(m_caption.size()), &extent);
    RECT text{8, client.bottom / 2 - extent.cy / 2, client.right - 5, client.bottom};
    DrawTextW(surface.Get(), m_caption.c_str(), static_cast<int>(m_caption.size()), &text,
              DT_SINGLELINE | DT_CENTER | DT_END_ELLIPSIS | DT_NOCLIP);
    SelectObject(surface.Get(), oldFont);
    DeleteObject(font);
    surface.CopyTo(dc);
}

bool CGDIBitmapBtn::OnReflected(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    if (message != WM_DRAWITEM) return false;
    auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    ButtonState state;
    state.checkable = checkable;
    state.checked = m_checked;
    state.pushed = (draw->itemState & ODS_SELECTED) != 0;
    state.hovering = m_hovering;
    state.overLook = overLook;
    state.disabled = (draw->itemState & ODS_DISABLED) != 0;
    Draw(draw->hDC, ChooseBitmapButtonLook(state));
    result = TRUE;
    return true;
}

LRESULT CGDIBitmapBtn::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) m_tooltip.Relay(m_hWnd, message, wParam, lParam);
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEMOVE:
    case WM_CAPTURECHANGED:
    case WM_KILLFOCUS:
        if (!HandleButtonHover(m_hWnd, m_hovering, message, wParam, lParam)) return 0;
        break;
    case WM_LBUTTONDOWN: {
        HWND root = GetAncestor(m_hWnd, GA_ROOT);
        if (root && GetActiveWindow() != root) SetActiveWindow(root);
        if (toggle) {
            m_checked = !m_checked;
            Invalidate();
        }
        if (notify) PostMessageW(GetParent(m_hWnd), WM_BUTTON_PRESS_NOTIFY, WM_LBUTTONDOWN, LPARAM(m_hWnd));
        break;
    }
    case WM_LBUTTONUP:
        if (notify) PostMessageW(GetParent(m_hWnd), WM_BUTTON_PRESS_NOTIFY, WM_LBUTTONUP, LPARAM(m_hWnd));
        break;
    case WM_NCDESTROY:
        m_tooltip.Destroy();
        break;
    }
    return DefaultProc(message, wParam, lParam);
}
