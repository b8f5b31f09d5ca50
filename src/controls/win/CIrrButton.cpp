#include "controls/win/CIrrButton.h"

#include "ui/Graphics.h"

namespace {

HBITMAP WholeCopy(HBITMAP source) {
    SIZE size = BitmapSize(source);
    return CopyBitmapRect(source, RECT{0, 0, size.cx, size.cy});
}

}  // namespace

CIrrButton::~CIrrButton() {
    DestroyWindow();
    for (HBITMAP& image : m_images) {
        if (image) DeleteObject(image);
        image = nullptr;
    }
    if (m_region) DeleteObject(m_region);
}

bool CIrrButton::Create(const std::wstring& caption, HRGN region, HWND owner) {
    HBITMAP normal = LoadBitmapResource(IDB_MAIN_SKIN_NORMAL);
    HBITMAP pressed = LoadBitmapResource(IDB_MAIN_SKIN_PRESSED);
    HBITMAP over = LoadBitmapResource(IDB_MAIN_SKIN_OVER);
    bool created = Create(caption, region, owner, normal, pressed, over, normal);
    for (HBITMAP b : {normal, pressed, over})
        if (b) DeleteObject(b);
    return created;
}

bool CIrrButton::Create(const std::wstring& caption, HRGN region, HWND owner, HBITMAP normal, HBITMAP pressed,
                        HBITMAP over, HBITMAP disabled) {
    if (m_hWnd || !region) return false;
    if (!m_region) m_region = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(m_region, region, nullptr, RGN_COPY);
    if (GetRgnBox(m_region, &m_bounds) == NULLREGION) m_bounds = RECT{0, 0, 0, 0};
    OffsetRgn(m_region, -m_bounds.left, -m_bounds.top);
    m_anchor = {(m_bounds.left + m_bounds.right) / 2, (m_bounds.top + m_bounds.bottom) / 2};

    const HBITMAP sources[4] = {normal, over, pressed, disabled};
    for (int look = 0; look < 4; ++look) {
        if (m_images[look]) DeleteObject(m_images[look]);
        m_images[look] = WholeCopy(sources[look]);
    }

    if (!CreateControl(L"BUTTON", caption.c_str(), WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, m_bounds, owner, 0))
        return false;
    // The window takes a copy of the shape as its region (the system owns it).
    HRGN windowRegion = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(windowRegion, m_region, nullptr, RGN_COPY);
    SetWindowRgn(m_hWnd, windowRegion, TRUE);
    return true;
}

void CIrrButton::SetCheck(bool checked) {
    BYTE value = checked ? 1 : 0;
    if (value == m_checked) return;
    m_checked = value;
    Invalidate();
}

bool CIrrButton::HitTest(POINT client) const {
    RECT box{0, 0, m_bounds.right - m_bounds.left, m_bounds.bottom - m_bounds.top};
    return m_region && PtInRect(&box, client) && PtInRegion(m_region, client.x, client.y);
}

ButtonLook CIrrButton::CurrentLook() const {
    ButtonState state;
    state.checkable = checkable;
    state.checked = m_checked != 0;
    state.pushed = m_pressed;
    state.hovering = m_hovering;
    state.disabled = m_hWnd && !IsWindowEnabled(m_hWnd);
    return ChooseIrrButtonLook(state);
}

COLORREF CIrrButton::TextColor(ButtonLook look) const {
    switch (look) {
    case ButtonLook::Pressed: return textPressed;
    case ButtonLook::Over: return textOver;
    case ButtonLook::Normal:
    case ButtonLook::Disabled: break;
    }
    return textNormal;
}

void CIrrButton::Draw(HDC dc, ButtonLook look) const {
    const int width = m_bounds.right - m_bounds.left, height = m_bounds.bottom - m_bounds.top;
    if (width <= 0 || height <= 0) return;
    HBITMAP image = m_images[static_cast<int>(look)];
    OffscreenSurface surface(dc, width, height);
    PatBlt(surface.Get(), 0, 0, width, height, BLACKNESS);
    if (image) {
        MemoryDC source(dc, image);
        BitBlt(surface.Get(), 0, 0, width, height, source.Get(), m_bounds.left, m_bounds.top, SRCCOPY);
    }
    wchar_t caption[260] = {};
    int length = m_hWnd ? GetWindowTextW(m_hWnd, caption, 260) : 0;
    if (length > 0) {
        HFONT font = CreateSkinFont(14, 300);
        HGDIOBJ oldFont = SelectObject(surface.Get(), font);
        SetBkMode(surface.Get(), TRANSPARENT);
        SetTextColor(surface.Get(), TextColor(look));
        CaptionOffset offset = IrrCaptionOffset(length);
        // The anchor is in the owner's coordinates, as the skin image is.
        TextOutW(surface.Get(), m_anchor.x + offset.dx - m_bounds.left, m_anchor.y + offset.dy - m_bounds.top,
                 caption, length);
        SelectObject(surface.Get(), oldFont);
        DeleteObject(font);
    }
    SaveDC(dc);
    SelectClipRgn(dc, m_region);
    surface.CopyTo(dc);
    RestoreDC(dc, -1);
}

bool CIrrButton::OnReflected(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    if (message != WM_DRAWITEM) return false;
    Draw(reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hDC, CurrentLook());
    result = TRUE;
    return true;
}

void CIrrButton::UpdateHover(bool inside) {
    if (inside) {
        if (!m_capture || GetCapture() != m_hWnd) {
            SetCapture(m_hWnd);
            m_capture = true;
        }
        if (!m_hovering) {
            m_hovering = true;
            RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        }
    } else {
        if (m_capture) {
            m_capture = false;
            if (GetCapture() == m_hWnd) ReleaseCapture();
        }
        m_hovering = false;
        RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
}

void CIrrButton::OnMouseMove(POINT at) {
    if (!m_pressed) UpdateHover(HitTest(at));
}

void CIrrButton::OnLButtonDown() {
    HWND target = GetWindow(m_hWnd, GW_OWNER);
    if (!target) target = GetParent(m_hWnd);
    if (target) PostMessageW(target, WM_COMMAND, 0, LPARAM(m_hWnd));
    m_pressed = true;
    if (!m_capture || GetCapture() != m_hWnd) {
        SetCapture(m_hWnd);
        m_capture = true;
    }
}

LRESULT CIrrButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // A double click is a second press, before any other processing.
    if (message == WM_LBUTTONDBLCLK) message = WM_LBUTTONDOWN;
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) m_tooltip.Relay(m_hWnd, message, wParam, lParam);
    const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEMOVE:
        OnMouseMove(at);
        break;
    case WM_LBUTTONDOWN:
        OnLButtonDown();
        break;
    case WM_LBUTTONUP:
        m_pressed = false;
        if (m_capture) {
            m_capture = false;
            // Losing the capture ends the platform's press tracking, so the
            // release below sends no second click for the same press.
            if (GetCapture() == m_hWnd) ReleaseCapture();
        }
        SendMessageW(m_hWnd, BM_SETSTATE, FALSE, 0);
        UpdateHover(HitTest(at));
        break;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != m_hWnd) m_capture = false;
        break;
    case WM_NCDESTROY:
        m_tooltip.Destroy();
        break;
    }
    return DefaultProc(message, wParam, lParam);
}
