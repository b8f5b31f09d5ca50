#include "ui/Graphics.h"

#include <vector>

#include "ui/Window.h"

namespace {

int g_sessions = 0;
ULONG_PTR g_token = 0;

bool EncoderClsid(const wchar_t* mime, CLSID* clsid) {
    UINT count = 0, size = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return false;
    std::vector<BYTE> buffer(size);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, size, encoders) != Gdiplus::Ok) return false;
    for (UINT i = 0; i < count; ++i)
        if (wcscmp(encoders[i].MimeType, mime) == 0) {
            *clsid = encoders[i].Clsid;
            return true;
        }
    return false;
}

}  // namespace

GraphicsSession::GraphicsSession() {
    if (g_sessions == 0) {
        Gdiplus::GdiplusStartupInput input;
        if (Gdiplus::GdiplusStartup(&g_token, &input, nullptr) != Gdiplus::Ok) return;
    }
    ++g_sessions;
    m_started = true;
}

GraphicsSession::~GraphicsSession() {
    if (!m_started) return;
    if (--g_sessions == 0) Gdiplus::GdiplusShutdown(g_token);
}

HBITMAP LoadBitmapResource(UINT id, HINSTANCE module) {
    return LoadBitmapW(module ? module : ModuleInstance(), MAKEINTRESOURCEW(id));
}

std::unique_ptr<Gdiplus::Bitmap> LoadImageFile(const std::wstring& path) {
    if (g_sessions == 0) return nullptr;
    std::unique_ptr<Gdiplus::Bitmap> image(Gdiplus::Bitmap::FromFile(path.c_str()));
    if (!image || image->GetLastStatus() != Gdiplus::Ok || image->GetWidth() == 0) return nullptr;
    return image;
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) return {0, 0};
    return {info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
}

HBITMAP CopyBitmapRect(HBITMAP source, const RECT& rect) {
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (!source || width <= 0 || height <= 0) return nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP copy = CreateCompatibleBitmap(screen, width, height);
    if (copy) {
        MemoryDC from(screen, source), to(screen, copy);
        PatBlt(to.Get(), 0, 0, width, height, BLACKNESS);
        BitBlt(to.Get(), 0, 0, width, height, from.Get(), rect.left, rect.top, SRCCOPY);
    }
    ReleaseDC(nullptr, screen);
    return copy;
}

std::unique_ptr<Gdiplus::Bitmap> CopyImageRect(Gdiplus::Bitmap* source, const RECT& rect) {
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (!source || width <= 0 || height <= 0) return nullptr;
    std::unique_ptr<Gdiplus::Bitmap> copy(source->Clone(Gdiplus::Rect(rect.left, rect.top, width, height),
                                                        PixelFormat32bppARGB));
    if (!copy || copy->GetLastStatus() != Gdiplus::Ok) return nullptr;
    return copy;
}

HBITMAP CreateDib32(int width, int height, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

bool SaveImagePng(Gdiplus::Bitmap& image, const std::wstring& path) {
    CLSID png;
    return EncoderClsid(L"image/png", &png) && image.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
}

bool SaveBitmapPng(HBITMAP bitmap, const std::wstring& path) {
    if (!bitmap || g_sessions == 0) return false;
    Gdiplus::Bitmap image(bitmap, nullptr);
    return image.GetLastStatus() == Gdiplus::Ok && SaveImagePng(image, path);
}

MemoryDC::MemoryDC(HDC reference, HBITMAP bitmap)
    : m_dc(CreateCompatibleDC(reference)), m_old(SelectObject(m_dc, bitmap)) {}

MemoryDC::~MemoryDC() {
    SelectObject(m_dc, m_old);
    DeleteDC(m_dc);
}

OffscreenSurface::OffscreenSurface(HDC reference, int width, int height)
    : m_width(width), m_height(height), m_dc(CreateCompatibleDC(reference)),
      m_bitmap(CreateCompatibleBitmap(reference, width > 0 ? width : 1, height > 0 ? height : 1)),
      m_old(SelectObject(m_dc, m_bitmap)) {}

OffscreenSurface::~OffscreenSurface() {
    SelectObject(m_dc, m_old);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
}

void OffscreenSurface::CopyTo(HDC target, int x, int y) const {
    BitBlt(target, x, y, m_width, m_height, m_dc, 0, 0, SRCCOPY);
}

HFONT CreateSkinFont(int height, int weight, const wchar_t* face) {
    return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, FF_SWISS, face);
}
