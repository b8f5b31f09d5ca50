#include "controls/win/CInfoDlg.h"

#include "localization/TextTable.h"
#include "ui/Graphics.h"

namespace {

constexpr int kDefaultWidth = 330, kDefaultHeight = 160;
constexpr COLORREF kTextColor = 0x676153;

// A count, not a flag: a message shown from within another one must not let
// the main window exit when the inner one closes.
int g_infoMessages = 0;

std::wstring Wide(const std::u16string& s) { return std::wstring(s.begin(), s.end()); }

}  // namespace

CInfoDlg::CInfoDlg(HWND parent) : CDialog(IDD_INFO_DIALOG, parent) {}

CInfoDlg::~CInfoDlg() {
    DestroyWindow();
    DeleteSkins();
}

void CInfoDlg::DeleteSkins() {
    for (HBITMAP& skin : m_skins) {
        if (skin) DeleteObject(skin);
        skin = nullptr;
    }
}

void CInfoDlg::SetSkins(HBITMAP normal, HBITMAP over, HBITMAP pressed) {
    DeleteSkins();
    m_skins[0] = normal;
    m_skins[1] = over;
    m_skins[2] = pressed;
    m_skinsGiven = true;
}

BOOL CInfoDlg::OnInitDialog() {
    SetWindowTextW(m_hWnd, kInfoDialogTitle);
    if (!m_skinsGiven) {
        DeleteSkins();
        const bool question = mode == 1;
        m_skins[0] = LoadBitmapResource(question ? IDB_INFO_QUESTION_NORMAL : IDB_INFO_OK_NORMAL);
        m_skins[1] = LoadBitmapResource(question ? IDB_INFO_QUESTION_OVER : IDB_INFO_OK_OVER);
        m_skins[2] = LoadBitmapResource(question ? IDB_INFO_QUESTION_PRESSED : IDB_INFO_OK_PRESSED);
    }

    SIZE size = BitmapSize(m_skins[0]);
    if (size.cx == 0 || size.cy == 0) size = {kDefaultWidth, kDefaultHeight};  // no image: keep the usable size
    const int x = (GetSystemMetrics(SM_CXFULLSCREEN) - size.cx) / 2;
    const int y = (GetSystemMetrics(SM_CYFULLSCREEN) - size.cy) / 2;
    SetWindowPos(m_hWnd, nullptr, x, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);

    const RECT closeRect{300, 0, 329, 29};
    m_close.Create(closeRect, m_hWnd);
    m_close.SetSkin(m_skins[0], m_skins[1], m_skins[2], m_skins[0], closeRect);

    auto makeButton = [&](CGDIBitmapBtn& button, const RECT& rect, const std::u16string& caption) {
        button.Create(rect, m_hWnd);
        button.SetSkin(m_skins[0], m_skins[1], m_skins[2], m_skins[0], rect);
        button.textOver = 0xFFFFFF;
        button.textNormal = kTextColor;
        button.textPressed = 0xFFFFFF;
        button.SetText(Wide(caption));
    };
    if (mode == 1) {
        makeButton(m_ok, RECT{178, 127, 244, 159}, str_ok);
        makeButton(m_cancel, RECT{245, 127, 311, 159}, str_cancel);
    } else {
        makeButton(m_ok, RECT{240, 127, 306, 159}, str_ok);
    }
    // Keep the keyboard focus on the dialog itself, so Enter and Escape are
    // the dialog's keys and never a click of whichever button came first.
    SetFocus(m_hWnd);
    return FALSE;
}

void CInfoDlg::Draw(HDC dc) const {
    RECT client{};
    GetClientRect(m_hWnd, &client);
    OffscreenSurface surface(dc, client.right, client.bottom);
    HDC target = surface.Get();
    PatBlt(target, 0, 0, client.right, client.bottom, BLACKNESS);
    if (m_skins[0]) {
        SIZE size = BitmapSize(m_skins[0]);
        MemoryDC skin(dc, m_skins[0]);
        BitBlt(target, 0, 0, size.cx, size.cy, skin.Get(), 0, 0, SRCCOPY);
    }
    HFONT font = CreateSkinFont(14, 300);
    HGDIOBJ oldFont = SelectObject(target, font);
    SetBkMode(target, TRANSPARENT);
    SetTextColor(target, kTextColor);
    const std::wstring message = Wide(text);
    RECT messageRect{90, 73, 305, 91};
    DrawTextW(target, message.c_str(), static_cast<int>(message.size()), &messageRect,
              DT_WORDBREAK | DT_VCENTER | DT_NOCLIP | DT_END_ELLIPSIS);
    const std::wstring title = Wide(str_tips);
    RECT titleRect{10, 9, 100, 23};
    DrawTextW(target, title.c_str(), static_cast<int>(title.size()), &titleRect,
              DT_SINGLELINE | DT_WORDBREAK | DT_VCENTER | DT_NOCLIP | DT_END_ELLIPSIS);
    SelectObject(target, oldFont);
    DeleteObject(font);
    surface.CopyTo(dc);
}

LRESULT CInfoDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return PaintWindow(m_hWnd, [this](HDC dc) { Draw(dc); });
    case WM_COMMAND: {
        HWND from = reinterpret_cast<HWND>(lParam);
        if (from && HIWORD(wParam) == BN_CLICKED) {
            if (from == m_close.Hwnd() || from == m_cancel.Hwnd()) {
                EndDialog(IDCANCEL);
                return 0;
            }
            if (from == m_ok.Hwnd()) {
                EndDialog(IDOK);
                return 0;
            }
        }
        break;
    }
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

INT_PTR ShowInfoMessage(const std::u16string& text, int mode, HWND parent) {
    CInfoDlg dialog(parent ? parent : GetActiveWindow());
    dialog.text = text;
    dialog.mode = mode;
    ++g_infoMessages;
    INT_PTR result = dialog.DoModal();
    --g_infoMessages;
    return result;
}

bool InfoMessageShowing() { return g_infoMessages > 0; }
