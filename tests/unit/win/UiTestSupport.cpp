#include "UiTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>

namespace {

// GDI+ for the whole test program.
class GraphicsEnvironment : public ::testing::Environment {
public:
    void SetUp() override { m_session = new GraphicsSession; }
    void TearDown() override {
        delete m_session;
        m_session = nullptr;
    }

private:
    GraphicsSession* m_session = nullptr;
};
const auto* const g_graphics = ::testing::AddGlobalTestEnvironment(new GraphicsEnvironment);

}  // namespace

bool HostWindow::Open(int width, int height, int x, int y) {
    // The pointer stays in a far corner, away from every test window.
    SetCursorPos(1270, 1010);
    if (!CreateEx(0, L"host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, RECT{x, y, x + width, y + height}, nullptr,
                  0))
        return false;
    SetActiveWindow(m_hWnd);
    SetForegroundWindow(m_hWnd);
    UpdateWindow(m_hWnd);
    Pump();
    received.clear();
    return true;
}

std::vector<RecordedMessage> HostWindow::Take(UINT message) {
    std::vector<RecordedMessage> found, rest;
    for (const RecordedMessage& m : received) (m.message == message ? found : rest).push_back(m);
    received = rest;
    return found;
}

LRESULT HostWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    for (UINT w : watched)
        if (w == message) received.push_back({message, wParam, lParam});
    if (onMessage) onMessage(message, wParam, lParam);
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(m_hWnd, &ps);
        FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        EndPaint(m_hWnd, &ps);
        return 0;
    }
    return CWindow::WindowProc(message, wParam, lParam);
}

void Pump() {
    MSG msg;
    for (int round = 0; round < 3; ++round) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

COLORREF SkinPixel(int look, int x, int y) { return RGB((x * 7 + look * 60) & 0xFF, (y * 5) & 0xFF, 40 + look * 50); }

HBITMAP MakeSkin(int look, int width, int height) {
    return MakeBitmap(width, height, [look](int x, int y) { return SkinPixel(look, x, y); });
}

int Pixels::Count(COLORREF c) const {
    int n = 0;
    for (COLORREF p : data) n += p == c;
    return n;
}

Pixels ReadBitmap(HBITMAP bitmap) {
    Pixels out;
    SIZE size = BitmapSize(bitmap);
    if (size.cx == 0) return out;
    out.width = size.cx;
    out.height = size.cy;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> raw(std::size_t(size.cx) * size.cy);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, size.cy, raw.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    out.data.reserve(raw.size());
    for (DWORD p : raw) out.data.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
    return out;
}

Pixels Render(int width, int height, const std::function<void(HDC)>& draw, COLORREF background) {
    void* bits = nullptr;
    HBITMAP bitmap = CreateDib32(width, height, &bits);
    {
        HDC screen = GetDC(nullptr);
        MemoryDC dc(screen, bitmap);
        ReleaseDC(nullptr, screen);
        HBRUSH brush = CreateSolidBrush(background);
        RECT all{0, 0, width, height};
        FillRect(dc.Get(), &all, brush);
        DeleteObject(brush);
        draw(dc.Get());
        GdiFlush();
    }
    Pixels out = ReadBitmap(bitmap);
    DeleteObject(bitmap);
    return out;
}

Pixels Capture(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    RECT rect{};
    GetClientRect(window, &rect);
    HDC source = GetDC(window);
    Pixels out = Render(rect.right, rect.bottom,
                        [&](HDC dc) { BitBlt(dc, 0, 0, rect.right, rect.bottom, source, 0, 0, SRCCOPY); });
    ReleaseDC(window, source);
    return out;
}

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    auto path = std::filesystem::temp_directory_path() /
                ("q7t_ui_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(counter++));
    std::filesystem::create_directories(path);
    m_path = path.wstring();
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::wstring TempFolder::Path(const std::wstring& name) const { return m_path + L"\\" + name; }

bool WritePng(const std::wstring& path, int width, int height, const std::function<DWORD(int, int)>& pixel) {
    Gdiplus::Bitmap image(width, height, PixelFormat32bppARGB);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.SetPixel(x, y, Gdiplus::Color(pixel(x, y)));
    return SaveImagePng(image, path);
}
