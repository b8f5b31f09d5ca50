#include "controls/win/CPngHProgressBar.h"
#include "ui/Graphics.h"

CPngHProgressBar::~CPngHProgressBar() { DestroyWindow(); }

bool CPngHProgressBar::Create(const RECT& rect, HWND owner) {
    if (m_hWnd) return false;
    minimum = 0;
    maximum = 10;
    position = 0;
    interactive = true;
    m_owner = owner;
    m_rect = rect;
    return CreateEx(0, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, owner, kProgressBarId);
}

void CPngHProgressBar::SetImages(int x, int y, int width, int height, Gdiplus::Bitmap* background,
                                 Gdiplus::Bitmap* fill) {
    const RECT part{x, y, x + width, y + height};
    m_background = CopyImageRect(background, part);
    m_fill = CopyImageRect(fill, part);
    Invalidate();
}

int CPngHProgressBar::FillWidth() const {
    return ProgressFillWidth(position, {minimum, maximum}, m_rect.right - m_rect.left);
}

void CPngHProgressBar::Draw(HDC dc) const {
    const int width = m_rect.right - m_rect.left, height = m_rect.bottom - m_rect.top;
    OffscreenSurface surface(dc, width, height);
    {
        Gdiplus::Graphics graphics(surface.Get());
        if (m_background) {
            RECT whole{0, 0, int(m_background->GetWidth()), int(m_background->GetHeight())};
            DrawImageExact(graphics, *m_background, RECT{0, 0, width, height}, whole);
        }
        const int fill = FillWidth();
        if (m_fill && fill > 0) DrawImageExact(graphics, *m_fill, RECT{0, 0, fill, height}, RECT{0, 0, fill, height});
    }
    surface.CopyTo(dc);
}

int CPngHProgressBar::PositionAt(LPARAM point) const {
    POINT at{static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
    MapWindowPoints(m_hWnd, m_owner, &at, 1);
    return ProgressPositionAt(at.x, m_rect.left, m_rect.right, {minimum, maximum});
}

LRESULT CPngHProgressBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return PaintWindow(m_hWnd, [this](HDC dc) { Draw(dc); });
    case WM_LBUTTONDOWN:
        if (disabled || !interactive) break;
        SetCapture(m_hWnd);
        m_grab = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        m_dragging = true;
        return 0;
    case WM_MOUSEMOVE:
        if (disabled || !m_dragging) break;
        position = PositionAt(lParam);
        Invalidate();
        return 0;
    case WM_LBUTTONUP:
        if (disabled || !interactive) break;
        m_dragging = false;
        position = PositionAt(lParam);
        PostMessageW(m_owner, WM_PROGRESS_POSITION, WPARAM(position), LPARAM(kProgressBarId));
        if (GetCapture() == m_hWnd) ReleaseCapture();
        Invalidate();
        return 0;
    case WM_CAPTURECHANGED:
        if (!disabled && m_dragging) {
            m_dragging = false;
            Invalidate();
        }
        break;
    case WM_KILLFOCUS:
        if (!disabled) {
            m_dragging = false;
            Invalidate();
        }
        break;
    }
    return CWindow::WindowProc(message, wParam, lParam);
}
