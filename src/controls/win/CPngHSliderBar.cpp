#include "controls/win/CPngHSliderBar.h"
#include "ui/Graphics.h"

CPngHSliderBar::~CPngHSliderBar() { DestroyWindow(); }

bool CPngHSliderBar::Create(const std::wstring& thumbImagePath, HWND owner, UINT id, const RECT& rect) {
    if (m_hWnd) return false;
    m_range = {0, 10};
    m_thumbPath = thumbImagePath;
    if (auto image = LoadImageFile(thumbImagePath)) {
        m_thumbWidth = static_cast<int>(image->GetWidth());
        m_thumbHeight = static_cast<int>(image->GetHeight());
    }
    m_id = id;
    m_owner = owner;
    m_rect = rect;
    // No WS_CLIPCHILDREN: the thumb blends its image over the bar's background.
    return CreateEx(0, L"", WS_CHILD | WS_VISIBLE, rect, owner, id);
}

void CPngHSliderBar::SetTrack(int left, int right) {
    m_trackLeft = left;
    m_trackRight = right;
}

void CPngHSliderBar::SetRange(int minimum, int maximum) { m_range = {minimum, maximum}; }

void CPngHSliderBar::SetBackground(std::unique_ptr<Gdiplus::Bitmap> image) {
    m_background = std::move(image);
    Invalidate();
}

void CPngHSliderBar::Draw(HDC dc) const {
    RECT client{};
    GetClientRect(m_hWnd, &client);
    OffscreenSurface surface(dc, client.right, client.bottom);
    if (m_background) {
        Gdiplus::Graphics graphics(surface.Get());
        DrawImageExact(graphics, *m_background, client, client);
    }
    surface.CopyTo(dc);
}

LRESULT CPngHSliderBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        const int width = m_rect.right - m_rect.left, height = m_rect.bottom - m_rect.top;
        if (!m_thumb.Create(m_thumbPath, m_hWnd, m_id, 0, width, height)) return -1;
        m_thumb.SetPos(m_thumb.Range().minimum);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return PaintWindow(m_hWnd, [this](HDC dc) { Draw(dc); });
    case WM_LBUTTONDOWN: {
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        MapWindowPoints(m_hWnd, m_owner, &at, 1);
        const int value = ValueAtTrackPoint(at.x, m_trackLeft, m_trackRight, m_range);
        m_thumb.SetPos(value);
        PostMessageW(m_owner, WM_SLIDER_VALUE, WPARAM(value), LPARAM(m_id));
        break;
    }
    case WM_SLIDER_VALUE:
        // From the thumb: relayed with the bar's own identifier.
        PostMessageW(m_owner, WM_SLIDER_VALUE, wParam, LPARAM(m_id));
        return 0;
    }
    return CWindow::WindowProc(message, wParam, lParam);
}
