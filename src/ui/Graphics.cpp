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

std::unique_ptr<Gdiplus::Bitmap> ImageFromBitmapRect(HBITMAP source, const RECT& rect) {
    if (!source || g_sessions == 0) return nullptr;
    HBITMAP part = CopyBitmapRect(source, rect);
    if (!part) return nullptr;
    std::unique_ptr<Gdiplus::Bitmap> image;
    {
        Gdiplus::Bitmap wrapped(part, nullptr);
        if (wrapped.GetLastStatus() == Gdiplus::Ok)
            image.reset(wrapped.Clone(0, 0, rect.right - rect.left, rect.bottom - rect.top, PixelFormat32bppARGB));
    }
    DeleteObject(part);
    if (image && image->GetLastStatus() != Gdiplus::Ok) image.reset();
    return image;
}

std::vector<std::uint32_t> ImagePixels(Gdiplus::Bitmap& image) {
    const int width = static_cast<int>(image.GetWidth()), height = static_cast<int>(image.GetHeight());
    std::vector<std::uint32_t> pixels;
    if (width <= 0 || height <= 0) return pixels;
    Gdiplus::Rect all(0, 0, width, height);
    Gdiplus::BitmapData data{};
    if (image.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok) return pixels;
    pixels.resize(std::size_t(width) * height);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const BYTE*>(data.Scan0) + y * data.Stride);
        std::copy(row, row + width, pixels.begin() + std::size_t(y) * width);
    }
    image.UnlockBits(&data);
    return pixels;
}

void DrawImageExact(Gdiplus::Graphics& graphics, Gdiplus::Image& image, const RECT& dest, const RECT& source) {
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    graphics.DrawImage(&image,
                       Gdiplus::Rect(dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top),
                       source.left, source.top, source.right - source.left, source.bottom - source.top,
                       Gdiplus::UnitPixel);
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
