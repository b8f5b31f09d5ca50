// The control gallery: every skinned control in each of its looks, on a
// window painted by the controls themselves, saved as one PNG for people to
// look at (argument: the output path). Skins are drawn here in code, so a few
// chosen pixels can be checked against what they must be; the program exits
// with 1 when one of them is wrong.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "controls/win/CBitmapEdit.h"
#include "controls/win/CColorBtn.h"
#include "controls/win/CGDIBitmapBtn.h"
#include "controls/win/CIrrButton.h"
#include "controls/win/CInfoDlg.h"
#include "controls/win/CPngHProgressBar.h"
#include "controls/win/CPngHSliderBar.h"
#include "controls/win/CXPMenu.h"
#include "localization/TextTable.h"
#include "ui/Dialog.h"
#include "ui/Graphics.h"

namespace {

constexpr int kWidth = 720, kHeight = 300;
enum Look { kNormal, kOver, kPressed };

const COLORREF kPlate[3] = {RGB(70, 80, 92), RGB(46, 128, 206), RGB(22, 72, 140)};
const COLORREF kPlateEdge[3] = {RGB(110, 122, 136), RGB(120, 190, 250), RGB(12, 40, 84)};

RECT GdiButtonRect(int i) { return {150 + i * 130, 30, 260 + i * 130, 58}; }
RECT IrrButtonRect(int i) { return {150 + i * 130, 76, 260 + i * 130, 120}; }
RECT SliderRect(int i) { return {150 + i * 190, 150, 306 + i * 190, 165}; }
RECT ProgressRect(int i) { return {150 + i * 190, 196, 320 + i * 190, 210}; }
RECT EditRect(int i) { return {150 + i * 130, 240, 202 + i * 130, 258}; }
const RECT kSwatch{550, 82, 590, 114};

void FillRectColor(HDC dc, const RECT& r, COLORREF c) {
    HBRUSH b = CreateSolidBrush(c);
    FillRect(dc, &r, b);
    DeleteObject(b);
}

void Label(HDC dc, int y, const wchar_t* text) {
    HFONT font = CreateSkinFont(14, 700);
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(200, 206, 214));
    TextOutW(dc, 10, y, text, static_cast<int>(wcslen(text)));
    SelectObject(dc, old);
    DeleteObject(font);
}

// One look of the gallery page's skin: background, labels, button plates.
HBITMAP MakePageSkin(int look) {
    HBITMAP skin = MakeBitmap(kWidth, kHeight, [](int, int y) {
        int shade = 44 - y * 16 / kHeight;
        return RGB(shade - 6, shade, shade + 8);
    });
    HDC screen = GetDC(nullptr);
    {
        MemoryDC dc(screen, skin);
        HDC d = dc.Get();
        Label(d, 36, L"CGDIBitmapBtn");
        Label(d, 90, L"CIrrButton");
        Label(d, 150, L"CPngHSliderBar");
        Label(d, 194, L"CPngHProgressBar");
        Label(d, 240, L"CBitmapEdit");
        HPEN pen = CreatePen(PS_SOLID, 1, kPlateEdge[look]);
        HBRUSH brush = CreateSolidBrush(kPlate[look]);
        HGDIOBJ oldPen = SelectObject(d, pen), oldBrush = SelectObject(d, brush);
        for (int i = 0; i < 4; ++i) {
            RECT r = GdiButtonRect(i);
            RoundRect(d, r.left, r.top, r.right, r.bottom, 8, 8);
        }
        for (int i = 0; i < 3; ++i) {
            RECT r = IrrButtonRect(i);
            Ellipse(d, r.left, r.top, r.right, r.bottom);
        }
        SelectObject(d, oldPen);
        SelectObject(d, oldBrush);
        DeleteObject(pen);
        DeleteObject(brush);
        for (int i = 0; i < 3; ++i) {  // slider grooves
            RECT r = SliderRect(i);
            RECT groove{r.left + 4, r.top + 6, r.right - 4, r.top + 9};
            FillRectColor(d, groove, RGB(16, 18, 22));
            RECT e = EditRect(i);
            FillRectColor(d, e, RGB(228, 230, 224));
        }
    }
    ReleaseDC(nullptr, screen);
    return skin;
}

// The information dialog's skin in one look, 330 × 160.
HBITMAP MakeInfoSkin(int look, int mode) {
    HBITMAP skin = MakeBitmap(330, 160, [](int, int y) {
        if (y < 32) return RGB(52, 60, 72);
        return RGB(236, 236, 232);
    });
    HDC screen = GetDC(nullptr);
    {
        MemoryDC dc(screen, skin);
        HDC d = dc.Get();
        HPEN pen = CreatePen(PS_SOLID, 1, kPlateEdge[look]);
        HBRUSH brush = CreateSolidBrush(kPlate[look]);
        HGDIOBJ oldPen = SelectObject(d, pen), oldBrush = SelectObject(d, brush);
        std::vector<RECT> plates;
        if (mode == 1) plates = {{178, 127, 244, 159}, {245, 127, 311, 159}};
        else plates = {{240, 127, 306, 159}};
        for (const RECT& r : plates) RoundRect(d, r.left + 2, r.top + 2, r.right - 2, r.bottom - 2, 8, 8);
        Ellipse(d, 303, 3, 326, 26);
        SelectObject(d, oldPen);
        SelectObject(d, oldBrush);
        DeleteObject(pen);
        DeleteObject(brush);
        // The close cross.
        HPEN cross = CreatePen(PS_SOLID, 2, RGB(255, 255, 255));
        oldPen = SelectObject(d, cross);
        MoveToEx(d, 309, 9, nullptr);
        LineTo(d, 320, 20);
        MoveToEx(d, 320, 9, nullptr);
        LineTo(d, 309, 20);
        SelectObject(d, oldPen);
        DeleteObject(cross);
        // An "i" sign left of the text.
        HBRUSH sign = CreateSolidBrush(RGB(46, 128, 206));
        oldBrush = SelectObject(d, sign);
        HGDIOBJ nullPen = SelectObject(d, GetStockObject(NULL_PEN));
        Ellipse(d, 34, 62, 74, 102);
        SelectObject(d, nullPen);
        SelectObject(d, oldBrush);
        DeleteObject(sign);
        FillRectColor(d, RECT{52, 78, 57, 94}, RGB(255, 255, 255));
        FillRectColor(d, RECT{52, 70, 57, 75}, RGB(255, 255, 255));
    }
    ReleaseDC(nullptr, screen);
    return skin;
}

// A round knob with a transparent outside.
bool WriteThumb(const std::wstring& path) {
    Gdiplus::Bitmap image(11, 15, PixelFormat32bppARGB);
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 11; ++x) {
            const double dx = x - 5, dy = y - 7.0;
            const bool inside = dx * dx / 30.0 + dy * dy / 56.0 <= 1.0;
            const BYTE light = BYTE(230 - y * 6);
            image.SetPixel(x, y, inside ? Gdiplus::Color(255, light, light, 255) : Gdiplus::Color(0, 255, 255, 255));
        }
    return SaveImagePng(image, path);
}

class GalleryPage : public CDialog {
public:
    GalleryPage() : CDialog(0, nullptr) {}
    HBITMAP skins[3] = {};
    std::wstring thumbPath;

    CGDIBitmapBtn gdi[4];
    CIrrButton irr[3];
    CColorBtn swatch;
    CPngHSliderBar sliders[3];
    CPngHProgressBar progress[3];
    CBitmapEdit edits[3];
    std::unique_ptr<Gdiplus::Bitmap> progressBack, progressFill;

protected:
    BOOL OnInitDialog() override {
        SetWindowPos(m_hWnd, nullptr, 0, 0, kWidth, kHeight, SWP_NOZORDER);
        const wchar_t* captions[4] = {L"Normal", L"Over", L"Pressed", L"Disabled"};
        for (int i = 0; i < 4; ++i) {
            RECT r = GdiButtonRect(i);
            gdi[i].Create(r, m_hWnd);
            gdi[i].SetSkin(skins[kNormal], skins[kOver], skins[kPressed], skins[kNormal], r);
            gdi[i].textNormal = 0x676153;
            gdi[i].textOver = 0xFFFFFF;
            gdi[i].textPressed = 0xFFFFFF;
            gdi[i].SetText(captions[i]);
        }
        gdi[2].checkable = true;
        gdi[2].SetCheck(true);
        EnableWindow(gdi[3].Hwnd(), FALSE);

        const wchar_t* irrCaptions[3] = {L"Profile1", L"Game", L"Office"};
        for (int i = 0; i < 3; ++i) {
            RECT r = IrrButtonRect(i);
            HRGN shape = CreateEllipticRgn(r.left, r.top, r.right, r.bottom);
            irr[i].Create(irrCaptions[i], shape, m_hWnd, skins[kNormal], skins[kPressed], skins[kOver],
                          skins[kNormal]);
            DeleteObject(shape);
            irr[i].textNormal = 0x676153;
            irr[i].textOver = 0xFFFFFF;
            irr[i].textPressed = 0xFFFFFF;
        }
        irr[1].checkable = true;
        irr[1].SetCheck(true);
        EnableWindow(irr[2].Hwnd(), FALSE);
        swatch.Create(kSwatch, m_hWnd);
        swatch.SetColor(RGB(255, 140, 0));

        const int positions[3] = {0, 128, 255};
        for (int i = 0; i < 3; ++i) {
            RECT r = SliderRect(i);
            sliders[i].Create(thumbPath, m_hWnd, 512 + i, r);
            sliders[i].SetTrack(r.left + 7, r.right - 6);
            sliders[i].SetRange(0, 255);
            sliders[i].Thumb().SetRange(0, 255);
            sliders[i].Thumb().SetLimits(0, 255);
            sliders[i].SetBackground(ImageFromBitmapRect(skins[kNormal], r));
            sliders[i].SetPos(positions[i]);
        }

        progressBack.reset(new Gdiplus::Bitmap(kWidth, kHeight, PixelFormat32bppARGB));
        progressFill.reset(new Gdiplus::Bitmap(kWidth, kHeight, PixelFormat32bppARGB));
        {
            Gdiplus::Graphics back(progressBack.get()), fill(progressFill.get());
            Gdiplus::SolidBrush groove(Gdiplus::Color(255, 18, 20, 24));
            back.FillRectangle(&groove, 0, 0, kWidth, kHeight);
            Gdiplus::LinearGradientBrush green(Gdiplus::Point(0, 0), Gdiplus::Point(kWidth, 0),
                                               Gdiplus::Color(255, 40, 160, 60), Gdiplus::Color(255, 150, 240, 90));
            fill.FillRectangle(&green, 0, 0, kWidth, kHeight);
        }
        const int fills[3] = {0, 50, 100};
        for (int i = 0; i < 3; ++i) {
            RECT r = ProgressRect(i);
            progress[i].Create(r, m_hWnd);
            progress[i].SetImages(r.left, r.top, r.right - r.left, r.bottom - r.top, progressBack.get(),
                                  progressFill.get());
            progress[i].minimum = 0;
            progress[i].maximum = 100;
            progress[i].position = fills[i];
            progress[i].disabled = true;
        }

        const wchar_t* texts[3] = {L"0", L"128", L"300"};
        for (int i = 0; i < 3; ++i) {
            RECT r = EditRect(i);
            edits[i].Create(r, m_hWnd, 772 + i);
            edits[i].minimum = 0;
            edits[i].maximum = 255;
            edits[i].SetBackground(skins[kNormal], r.left, r.top, r.right - r.left, r.bottom - r.top);
            SetWindowTextW(edits[i].Hwnd(), texts[i]);
        }
        return TRUE;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_ERASEBKGND) return 1;
        if (message == WM_PAINT) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(m_hWnd, &ps);
            MemoryDC skin(dc, skins[kNormal]);
            BitBlt(dc, 0, 0, kWidth, kHeight, skin.Get(), 0, 0, SRCCOPY);
            EndPaint(m_hWnd, &ps);
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

void Pump() {
    MSG msg;
    for (int round = 0; round < 5; ++round) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
}

// What a window shows, copied from its own DC onto `target` at (x, y).
void CaptureInto(HWND window, HDC target, int x, int y) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    RECT r{};
    GetClientRect(window, &r);
    HDC source = GetDC(window);
    BitBlt(target, x, y, r.right, r.bottom, source, 0, 0, SRCCOPY);
    ReleaseDC(window, source);
}

class GalleryMenu : public CXPMenu {
protected:
    HICON LoadItemIcon(UINT id) const override {
        const COLORREF c = id == 1 ? RGB(46, 128, 206) : RGB(210, 60, 50);
        HBITMAP color = MakeBitmap(16, 16, [c](int x, int y) {
            const int dx = x - 8, dy = y - 8;
            return dx * dx + dy * dy < 49 ? c : RGB(255, 255, 255);
        });
        HBITMAP mask = MakeBitmap(16, 16, [](int x, int y) {
            const int dx = x - 8, dy = y - 8;
            return dx * dx + dy * dy < 49 ? RGB(0, 0, 0) : RGB(255, 255, 255);
        });
        ICONINFO info{TRUE, 0, 0, mask, color};
        HICON icon = CreateIconIndirect(&info);
        DeleteObject(color);
        DeleteObject(mask);
        return icon;
    }
};

int g_failures = 0;
void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "gallery: wrong pixels: %s\n", what);
        ++g_failures;
    }
}

COLORREF PixelOf(HDC dc, int x, int y) { return GetPixel(dc, x, y); }

int CountColor(HDC dc, const RECT& r, COLORREF c) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += GetPixel(dc, x, y) == c;
    return n;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring output = argc > 1 ? argv[1] : L"gallery\\controls.png";
    GraphicsSession graphics;
    if (!graphics.Started()) return 2;
    str_tips = u"Tips";
    str_ok = u"OK";
    str_cancel = u"Cancel";

    const auto folder = std::filesystem::temp_directory_path() / ("q7t_gallery_" + std::to_string(GetCurrentProcessId()));
    std::filesystem::create_directories(folder);
    GalleryPage page;
    page.thumbPath = (folder / L"Slider.png").wstring();
    if (!WriteThumb(page.thumbPath)) return 2;
    for (int look = 0; look < 3; ++look) page.skins[look] = MakePageSkin(look);
    if (!page.Create()) return 2;
    SetWindowPos(page.Hwnd(), nullptr, 0, 0, kWidth, kHeight, SWP_NOZORDER | SWP_SHOWWINDOW);
    SetActiveWindow(page.Hwnd());
    Pump();

    CInfoDlg info0, info1;
    info0.text = u"The mouse is not connected.";
    info0.SetSkins(MakeInfoSkin(kNormal, 0), MakeInfoSkin(kOver, 0), MakeInfoSkin(kPressed, 0));
    info1.text = u"All settings of this profile will be reset to the factory defaults. Continue?";
    info1.mode = 1;
    info1.SetSkins(MakeInfoSkin(kNormal, 1), MakeInfoSkin(kOver, 1), MakeInfoSkin(kPressed, 1));
    if (!info0.Create() || !info1.Create()) return 2;
    ShowWindow(info0.Hwnd(), SW_SHOWNOACTIVATE);
    ShowWindow(info1.Hwnd(), SW_SHOWNOACTIVATE);
    // Side by side, clear of the page, so each captures whole.
    SetWindowPos(info0.Hwnd(), nullptr, kWidth + 20, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(info1.Hwnd(), nullptr, kWidth + 20, 180, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
    // The over look: the page is active and the pointer moves onto the second button.
    SetActiveWindow(page.Hwnd());
    SendMessageW(page.gdi[1].Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    Pump();
    Check(page.gdi[1].Hovering(), "the second button is hovered");

    const int totalWidth = kWidth + 20 + 330 + 20, totalHeight = 160 * 2 + 20 + 80 + 20;  // page 300 + looks row
    void* bits = nullptr;
    HBITMAP shot = CreateDib32(totalWidth, std::max(totalHeight, kHeight), &bits);
    HDC screen = GetDC(nullptr);
    {
        MemoryDC dc(screen, shot);
        HDC d = dc.Get();
        FillRectColor(d, RECT{0, 0, totalWidth, std::max(totalHeight, kHeight)}, RGB(96, 96, 96));
        CaptureInto(page.Hwnd(), d, 0, 0);
        CaptureInto(info0.Hwnd(), d, kWidth + 20, 0);
        CaptureInto(info1.Hwnd(), d, kWidth + 20, 180);

        // Looks a live window cannot hold at once (one hover at a time):
        // each region button look drawn by the button itself.
        Label(d, 330, L"CIrrButton looks");
        const ButtonLook looks[4] = {ButtonLook::Normal, ButtonLook::Over, ButtonLook::Pressed, ButtonLook::Disabled};
        const RECT shape = page.irr[0].Bounds();
        for (int i = 0; i < 4; ++i) {
            const int w = shape.right - shape.left, h = shape.bottom - shape.top;
            void* lookBits = nullptr;
            HBITMAP lookImage = CreateDib32(w, h, &lookBits);
            {
                MemoryDC lookDc(screen, lookImage);
                FillRectColor(lookDc.Get(), RECT{0, 0, w, h}, RGB(96, 96, 96));
                page.irr[0].Draw(lookDc.Get(), looks[i]);
                BitBlt(d, 150 + i * 130, 320, w, h, lookDc.Get(), 0, 0, SRCCOPY);
            }
            DeleteObject(lookImage);
        }

        // The notification menu: three items, the middle one highlighted.
        GalleryMenu menu;
        XPMenuItem items[3] = {{1, 1, L"Config"}, {2, 2, L"About"}, {2, 2, L"Exit"}};
        for (int i = 0; i < 3; ++i) {
            DRAWITEMSTRUCT draw{};
            draw.CtlType = ODT_MENU;
            draw.itemState = i == 1 ? ODS_SELECTED : 0;
            draw.hDC = d;
            draw.rcItem = RECT{kWidth + 20, 360 + i * 22, kWidth + 95, 382 + i * 22};
            draw.itemData = reinterpret_cast<ULONG_PTR>(&items[i]);
            menu.DrawItem(&draw);
        }

        // Chosen pixels, against the skins drawn above.
        MemoryDC normalSkin(screen, page.skins[kNormal]), overSkin(screen, page.skins[kOver]),
            pressedSkin(screen, page.skins[kPressed]);
        auto same = [&](HDC skin, int x, int y) { return PixelOf(d, x, y) == PixelOf(skin, x, y); };
        RECT b0 = GdiButtonRect(0), b1 = GdiButtonRect(1), b2 = GdiButtonRect(2), b3 = GdiButtonRect(3);
        Check(same(normalSkin.Get(), b0.left + 6, b0.top + 4), "normal button shows the normal skin");
        Check(same(overSkin.Get(), b1.left + 6, b1.top + 4), "hovered button shows the over skin");
        Check(same(pressedSkin.Get(), b2.left + 6, b2.top + 4), "checked button shows the pressed skin");
        Check(CountColor(d, b3, kDisabledTextColor) > 10, "disabled caption colour 0x272A26");
        Check(CountColor(d, b0, 0x676153) > 10, "normal caption colour");
        RECT i1 = IrrButtonRect(1);
        Check(same(pressedSkin.Get(), (i1.left + i1.right) / 2 - 40, (i1.top + i1.bottom) / 2),
              "checked region button shows the pressed skin");
        Check(same(normalSkin.Get(), i1.left + 1, i1.top + 1), "outside the region the page shows through");
        RECT s2 = SliderRect(2);
        const int thumbLeft = s2.right - 11;
        Check(same(normalSkin.Get(), thumbLeft, s2.top), "the thumb's transparent corner shows the bar");
        Check(!same(normalSkin.Get(), thumbLeft + 5, s2.top + 7), "the thumb covers the bar");
        RECT p2 = ProgressRect(2), p0 = ProgressRect(0);
        Check(PixelOf(d, p2.right - 2, p2.top + 5) != RGB(18, 20, 24), "full progress shows the fill");
        Check(PixelOf(d, p0.left + 2, p0.top + 5) == RGB(18, 20, 24), "empty progress shows the background");
        wchar_t corrected[8] = {};
        GetWindowTextW(page.edits[2].Hwnd(), corrected, 8);
        Check(wcscmp(corrected, L"255") == 0, "300 in a 0..255 box becomes 255");
    }
    ReleaseDC(nullptr, screen);

    std::filesystem::create_directories(std::filesystem::path(output).parent_path());
    const bool saved = SaveBitmapPng(shot, output);
    DeleteObject(shot);
    info0.DestroyWindow();
    info1.DestroyWindow();
    page.DestroyWindow();
    for (HBITMAP s : page.skins) DeleteObject(s);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    if (!saved) {
        std::fprintf(stderr, "gallery: could not write the screenshot\n");
        return 2;
    }
    std::fprintf(stderr, "gallery: %d wrong pixel checks\n", g_failures);
    return g_failures == 0 ? 0 : 1;
}
