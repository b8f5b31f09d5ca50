// Bitmaps and images: resource bitmaps (LoadBitmapW), PNG files through
// GDI+, copies of rectangles of either, memory device contexts, and a PNG
// writer for screenshots. Functions return null or false on failure; the
// caller owns every bitmap or image returned.
#pragma once

#include <memory>
#include <string>
#include <cstdint>
#include <vector>

#include "ui/Gdiplus.h"

// Starts GDI+ for the life of the object (the program holds one from start-up
// to exit). Sessions nest; the library stays up until the last one ends.
class GraphicsSession {
public:
    GraphicsSession();
    ~GraphicsSession();
    GraphicsSession(const GraphicsSession&) = delete;
    GraphicsSession& operator=(const GraphicsSession&) = delete;
    bool Started() const { return m_started; }

private:
    bool m_started = false;
};

// A bitmap resource of the program, or null.
HBITMAP LoadBitmapResource(UINT id, HINSTANCE module = nullptr);

// A PNG (or any GDI+ format) file, or null when it cannot be read.
std::unique_ptr<Gdiplus::Bitmap> LoadImageFile(const std::wstring& path);

// Width and height of a device bitmap; zero when there is none.
SIZE BitmapSize(HBITMAP bitmap);

// A new device bitmap holding the pixels of `rect` of `source` (no scaling;
// parts outside the source come out black). Null for a null source or an
// empty rectangle.
HBITMAP CopyBitmapRect(HBITMAP source, const RECT& rect);

// A new GDI+ bitmap holding `rect` of `source` (32 bpp ARGB), or null.
std::unique_ptr<Gdiplus::Bitmap> CopyImageRect(Gdiplus::Bitmap* source, const RECT& rect);

// A new 24-bit device bitmap of the given size, filled by `fill` for each
// pixel (x, y) -> COLORREF; used by tests and the gallery for known images.
template <class Fill>
HBITMAP MakeBitmap(int width, int height, Fill fill);

// A new GDI+ bitmap holding `rect` of a device bitmap (a part of a page's
// skin, e.g. the background of a slider), or null.
std::unique_ptr<Gdiplus::Bitmap> ImageFromBitmapRect(HBITMAP source, const RECT& rect);

// Straight ARGB pixels (0xAARRGGBB) of an image, row by row; empty on failure.
std::vector<std::uint32_t> ImagePixels(Gdiplus::Bitmap& image);

// Draws `image` 1:1 (no smoothing, whole pixels) into dest, from `source`.
void DrawImageExact(Gdiplus::Graphics& graphics, Gdiplus::Image& image, const RECT& dest, const RECT& source);

// A 32-bit top-down DIB section of the given size; `bits` receives its pixels
// (0xAARRGGBB words).
HBITMAP CreateDib32(int width, int height, void** bits);

// Writes a device bitmap as a PNG file.
bool SaveBitmapPng(HBITMAP bitmap, const std::wstring& path);
bool SaveImagePng(Gdiplus::Bitmap& image, const std::wstring& path);

// A memory DC with a bitmap selected into it, restored on destruction.
class MemoryDC {
public:
    MemoryDC(HDC reference, HBITMAP bitmap);
    ~MemoryDC();
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC Get() const { return m_dc; }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// A compatible bitmap of the given size selected into a memory DC: the
// off-screen surface a control composes on before one copy to the screen.
class OffscreenSurface {
public:
    OffscreenSurface(HDC reference, int width, int height);
    ~OffscreenSurface();
    OffscreenSurface(const OffscreenSurface&) = delete;
    OffscreenSurface& operator=(const OffscreenSurface&) = delete;
    HDC Get() const { return m_dc; }
    void CopyTo(HDC target, int x = 0, int y = 0) const;

private:
    int m_width, m_height;
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
};

// The font every skinned text uses: "MS Shell Dlg", height 14, default
// character set, swiss family, at the given weight.
HFONT CreateSkinFont(int height, int weight, const wchar_t* face = L"MS Shell Dlg");

template <class Fill>
HBITMAP MakeBitmap(int width, int height, Fill fill) {
    void* bits = nullptr;
    HBITMAP bitmap = CreateDib32(width, height, &bits);
    if (!bitmap) return nullptr;
    auto* pixels = static_cast<DWORD*>(bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            COLORREF c = fill(x, y);
            pixels[y * width + x] = 0xFF000000u | (DWORD(GetRValue(c)) << 16) | (DWORD(GetGValue(c)) << 8) |
                                    GetBValue(c);
        }
    GdiFlush();
    return bitmap;
}

// The answer to WM_PAINT: draw(dc) between BeginPaint and EndPaint.
template <typename Draw>
LRESULT PaintWindow(HWND window, Draw&& draw) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    draw(dc);
    EndPaint(window, &ps);
    return 0;
}
