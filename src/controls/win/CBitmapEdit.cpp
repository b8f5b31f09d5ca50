#include "controls/win/CBitmapEdit.h"

#include <string>

#include "controls/NumberBox.h"

CBitmapEdit::~CBitmapEdit() {
    DestroyWindow();
    if (m_brush) DeleteObject(m_brush);
    if (m_background) DeleteObject(m_background);
    if (m_font) DeleteObject(m_font);
}

bool CBitmapEdit::Create(const RECT& rect, HWND owner, UINT id) {
    if (!CreateControl(L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_NUMBER | ES_AUTOHSCROLL, rect, owner, id))
        return false;
    SendMessageW(m_hWnd, EM_LIMITTEXT, 256, 0);
    if (m_font) DeleteObject(m_font);
    m_font = CreateFontW(fontHeight, 0, 0, 0, 500, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, FF_SWISS, L"");
    SendMessageW(m_hWnd, WM_SETFONT, WPARAM(m_font), TRUE);
    ModifyStyle(WS_BORDER | WS_TABSTOP, 0);
    return true;
}

void CBitmapEdit::SetBackground(HBITMAP skin, int x, int y, int width, int height) {
    HBITMAP part = CopyBitmapRect(skin, RECT{x, y, x + width, y + height});
    if (!part) return;
    if (m_background) DeleteObject(m_background);
    m_background = part;
    if (m_brush) DeleteObject(m_brush);
    m_brush = CreatePatternBrush(m_background);
    Invalidate();
}

bool CBitmapEdit::OnReflected(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) != EN_CHANGE) return false;
        OnTextChanged();
        result = 0;
        return true;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, kEditTextColor);
        SetBkColor(dc, kEditTextColor);
        SetBkMode(dc, TRANSPARENT);
        result = reinterpret_cast<LRESULT>(m_brush ? m_brush : GetStockObject(NULL_BRUSH));
        return true;
    }
    }
    return false;
}

void CBitmapEdit::OnTextChanged() {
    if (GetWindowLongPtrW(m_hWnd, GWL_STYLE) & ES_NUMBER) {
        const int length = GetWindowTextLengthW(m_hWnd);
        std::wstring text(std::size_t(length) + 1, L'\0');
        GetWindowTextW(m_hWnd, text.data(), length + 1);
        text.resize(std::size_t(length));
        const std::u16string wide(text.begin(), text.end());
        if (auto corrected = CorrectedNumberText(wide, minimum, maximum)) {
            const std::wstring replacement(corrected->begin(), corrected->end());
            // Causes a further change, which runs these steps again.
            SetWindowTextW(m_hWnd, replacement.c_str());
        }
    }
    PostMessageW(GetParent(m_hWnd), WM_EDIT_TEXT_CHANGED, WPARAM(m_hWnd), LPARAM(GetDlgCtrlID(m_hWnd)));
    Invalidate();
}

LRESULT CBitmapEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return CWindow::WindowProc(message, wParam, lParam);
}
