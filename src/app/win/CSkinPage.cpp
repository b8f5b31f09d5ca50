#include "app/win/CSkinPage.h"

#include "ui/Graphics.h"

CSkinPage::CSkinPage(UINT templateId, UINT backgroundBitmap, HWND parent)
    : CDialog(templateId, parent), m_backgroundId(backgroundBitmap) {}

CSkinPage::~CSkinPage() {
    DestroyWindow();
    if (m_background) DeleteObject(m_background);
}

bool CSkinPage::CreatePage(const RECT& rect) {
    if (!m_background) m_background = LoadBitmapResource(m_backgroundId);
    if (!Create()) return false;
    // A page is a child even when the template could not say so.
    // It lies below the main window's own controls and never paints over
    // them where it overlaps them (the macro page covers the profile row).
    ModifyStyle(WS_POPUP | WS_VISIBLE, WS_CHILD | WS_CLIPSIBLINGS);
    SetParent(m_hWnd, m_parent);
    SetWindowPos(m_hWnd, HWND_BOTTOM, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOACTIVATE | SWP_HIDEWINDOW);
    // The page's rectangle may run on below its picture (over the profile
    // selector): the window is only as large as the picture, so whatever the
    // main window shows there stays visible and clickable.
    SIZE picture = BitmapSize(m_background);
    if (picture.cy > 0 && picture.cy < rect.bottom - rect.top) {
        int width = picture.cx < rect.right - rect.left ? picture.cx : rect.right - rect.left;
        SetWindowRgn(m_hWnd, CreateRectRgn(0, 0, width, picture.cy), FALSE);
    }
    return true;
}

void CSkinPage::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hWnd, &ps);
    if (m_background) {
        RECT client{};
        GetClientRect(m_hWnd, &client);
        MemoryDC source(dc, m_background);
        SIZE picture = BitmapSize(m_background);
        BitBlt(dc, 0, 0, picture.cx < client.right ? picture.cx : client.right,
               picture.cy < client.bottom ? picture.cy : client.bottom, source.Get(), 0, 0, SRCCOPY);
    }
    EndPaint(m_hWnd, &ps);
}

LRESULT CSkinPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint();
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}
