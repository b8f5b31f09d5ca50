#include "controls/win/CPngHSlider.h"

#include "controls/ThumbShape.h"
#include "ui/Graphics.h"

CPngHSlider::~CPngHSlider() { DestroyWindow(); }

bool CPngHSlider::Create(const std::wstring& imagePath, HWND bar, UINT id, int leftBound, int rightBound,
                         int bottom) {
    if (m_hWnd) return false;
    m_range = {1, 10};
    m_image = LoadImageFile(imagePath);
    m_width = m_image ? static_cast<int>(m_image->GetWidth()) : 0;
    m_height = m_image ? static_cast<int>(m_image->GetHeight()) : 0;
    m_id = id;
    m_bar = bar;
    m_leftBound = leftBound;
    m_rightBound = rightBound;
    m_bottom = bottom;
    m_value = m_range.minimum;
    const RECT rect{leftBound, bottom - m_height, leftBound + m_width, bottom};
    if (!CreateEx(0, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, bar, id)) return false;
    Shape();
    return true;
}

void CPngHSlider::Shape() {
    if (!m_image) return;
    const std::vector<std::uint32_t> pixels = ImagePixels(*m_image);
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    for (const PixelRun& run : ThumbRuns(pixels, m_width, m_height)) {
        HRGN piece = CreateRectRgn(run.left, run.y, run.right, run.y + 1);
        CombineRgn(shape, shape, piece, RGN_OR);
        DeleteObject(piece);
    }
    SetWindowRgn(m_hWnd, shape, TRUE);  // the system owns the region now
}

void CPngHSlider::SetRange(int minimum, int maximum) { m_range = {minimum, maximum}; }

void CPngHSlider::SetLimits(int lower, int upper) { m_limits = {lower, upper}; }

void CPngHSlider::SetPos(int value) {
    if (value < m_range.minimum || value > m_range.maximum) value = m_range.minimum;
    m_value = value;
    const int x = ThumbLeftForValue(value, m_range, m_leftBound, m_rightBound, m_width);
    if (m_hWnd) SetWindowPos(m_hWnd, nullptr, x, m_bottom - m_height, m_width, m_height, SWP_NOZORDER | SWP_NOACTIVATE);
}

int CPngHSlider::Left() const {
    RECT r{};
    GetWindowRect(m_hWnd, &r);
    MapWindowPoints(nullptr, GetParent(m_hWnd), reinterpret_cast<POINT*>(&r), 2);
    return r.left;
}

void CPngHSlider::Draw(HDC dc) const {
    if (!m_image) return;
    Gdiplus::Graphics graphics(dc);
    DrawImageExact(graphics, *m_image, RECT{0, 0, m_width, m_height}, RECT{0, 0, m_width, m_height});
}

void CPngHSlider::OnMouseMove(int x) {
    RECT r{};
    GetWindowRect(m_hWnd, &r);
    MapWindowPoints(nullptr, GetParent(m_hWnd), reinterpret_cast<POINT*>(&r), 2);
    const int offset = HoldDragOffset(x - m_grab.x, r.left, r.right, m_leftBound, m_rightBound);
    const int left = r.left + offset;
    const int value = ValueForThumbLeft(left, m_range, m_leftBound, m_rightBound, m_width);
    SetPos(ClampToRange(value, m_limits));
    PostMessageW(m_bar, WM_SLIDER_VALUE, WPARAM(value), LPARAM(m_id));
}

LRESULT CPngHSlider::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return PaintWindow(m_hWnd, [this](HDC dc) { Draw(dc); });
    case WM_LBUTTONDOWN:
        SetCapture(m_hWnd);
        m_grab = {x, y};
        m_dragging = true;
        return 0;
    case WM_MOUSEMOVE:
        if (m_dragging) OnMouseMove(x);
        return 0;
    case WM_LBUTTONUP:
        m_dragging = false;
        if (GetCapture() == m_hWnd) ReleaseCapture();
        return 0;
    case WM_CAPTURECHANGED:
        m_dragging = false;
        break;
    }
    return CWindow::WindowProc(message, wParam, lParam);
}
