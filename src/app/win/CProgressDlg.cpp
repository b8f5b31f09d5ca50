#include "app/win/CProgressDlg.h"

#include <string>

#include "app/MainWindowRules.h"
#include "localization/TextTable.h"
#include "ui/Graphics.h"

namespace {

constexpr RECT kBarRect{35, 47, 295, 56};

// The folder of the running program, with its trailing backslash.
std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    std::size_t cut = folder.find_last_of(L"\\/");
    return cut == std::wstring::npos ? std::wstring() : folder.substr(0, cut + 1);
}

std::wstring SkinImagePath(const std::wstring& folder, const wchar_t* file) {
    return folder + L"skins\\Progress_Bar\\" + file;
}

}  // namespace

// The main window is passed as the parent, but the window itself is made
// without one, so it can come to the front on its own.
CProgressDlg::CProgressDlg(CWindow*) : CDialog(IDD_PROGRESS_TEMPLATE, nullptr) {}

CProgressDlg::~CProgressDlg() { DestroyWindow(); }

bool CProgressDlg::Open() {
    if (!Create()) return false;
    ShowWindow(m_hWnd, SW_SHOWDEFAULT);
    ShowWindow(m_hWnd, SW_SHOWNORMAL);
    return true;
}

BOOL CProgressDlg::OnInitDialog() {
    SetWindowTextW(m_hWnd, reinterpret_cast<const wchar_t*>(kProgressDialogTitle));
    const std::wstring folder = ProgramFolder();
    m_background = LoadImageFile(SkinImagePath(folder, L"Progress_Normal.png"));
    m_barImage = LoadImageFile(SkinImagePath(folder, L"Progress_Over.png"));

    int width = m_background ? int(m_background->GetWidth()) : 0;
    int height = m_background ? int(m_background->GetHeight()) : 0;
    SetWindowPos(m_hWnd, nullptr, (GetSystemMetrics(SM_CXFULLSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYFULLSCREEN) - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);

    if (m_bar.Create(kBarRect, m_hWnd)) {
        m_bar.SetImages(kBarRect.left, kBarRect.top, kBarRect.right - kBarRect.left, kBarRect.bottom - kBarRect.top,
                        m_background.get(), m_barImage.get());
        m_bar.interactive = false;
        m_bar.disabled = true;
        m_bar.minimum = 0;
        m_bar.maximum = 100;
        m_bar.position = 0;
        m_bar.Invalidate();
        UpdateWindow(m_bar.Hwnd());
    }

    // Come to the front even while another program owns the foreground.
    HWND foreground = GetForegroundWindow();
    DWORD foregroundThread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
    DWORD thisThread = GetCurrentThreadId();
    bool attached = foregroundThread && foregroundThread != thisThread &&
                    AttachThreadInput(thisThread, foregroundThread, TRUE);
    SetForegroundWindow(m_hWnd);
    if (attached) AttachThreadInput(thisThread, foregroundThread, FALSE);
    return TRUE;
}

void CProgressDlg::SetProgress(int position) {
    m_requested = position;
    m_bar.position = ShownProgressPosition(position, m_bar.minimum, m_bar.maximum);
    // The write keeps the UI thread busy: repaint now, not from the queue.
    if (m_bar.Hwnd()) {
        InvalidateRect(m_bar.Hwnd(), nullptr, FALSE);
        UpdateWindow(m_bar.Hwnd());
    }
    if (m_hWnd) {
        InvalidateRect(m_hWnd, nullptr, FALSE);
        UpdateWindow(m_hWnd);
    }
}

void CProgressDlg::Draw(HDC dc) const {
    RECT client{};
    if (m_hWnd) GetClientRect(m_hWnd, &client);
    Gdiplus::Graphics graphics(dc);
    if (m_background) {
        Gdiplus::Rect dest(0, 0, client.right, client.bottom);
        graphics.DrawImage(m_background.get(), dest, 0, 0, int(m_background->GetWidth()),
                           int(m_background->GetHeight()), Gdiplus::UnitPixel);
    }
    const std::wstring text(str_probar_msg1.begin(), str_probar_msg1.end());
    // The generic sans-serif family at 8 points. Where the system has none of
    // its fonts (a Wine prefix without Windows fonts), the same size of the
    // dialog font through GDI, which always finds a substitute: the message
    // must not go missing.
    std::unique_ptr<Gdiplus::Font> font = std::make_unique<Gdiplus::Font>(
        Gdiplus::FontFamily::GenericSansSerif(), 8, Gdiplus::FontStyleRegular, Gdiplus::UnitPoint);
    HFONT substitute = nullptr;
    if (font->GetLastStatus() != Gdiplus::Ok) {
        substitute = CreateFontW(-MulDiv(8, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                 DEFAULT_CHARSET, 0, 0, 0, FF_SWISS, L"MS Shell Dlg");
        font = std::make_unique<Gdiplus::Font>(dc, substitute);
    }
    Gdiplus::SolidBrush brush(Gdiplus::Color(0xFF808080));
    Gdiplus::StringFormat format;
    format.SetAlignment(Gdiplus::StringAlignmentNear);
    Gdiplus::RectF layout(35, 20, 310, 40);
    graphics.DrawString(text.c_str(), int(text.size()), font.get(), layout, &format, &brush);
    font.reset();
    if (substitute) DeleteObject(substitute);
}

void CProgressDlg::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hWnd, &ps);
    RECT client{};
    GetClientRect(m_hWnd, &client);
    {
        OffscreenSurface surface(dc, client.right, client.bottom);
        Draw(surface.Get());
        surface.CopyTo(dc);
    }
    EndPaint(m_hWnd, &ps);
}

LRESULT CProgressDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT:
        Paint();
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}
