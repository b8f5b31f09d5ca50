#include "controls/win/SkinTooltip.h"

#include <commctrl.h>

void SkinTooltip::SetText(HWND tool, const std::wstring& text) {
    if (!tool) return;
    if (!m_tip) {
        INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&init);
        m_tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, tool, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
        if (!m_tip) return;
        SendMessageW(m_tip, TTM_ACTIVATE, FALSE, 0);
    }
    m_text = text;
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;  // understood by every comctl32 version
    info.hwnd = tool;
    info.uId = 1;
    info.lpszText = m_text.data();
    if (SendMessageW(m_tip, TTM_GETTOOLCOUNT, 0, 0) == 0) {
        GetClientRect(tool, &info.rect);
        SendMessageW(m_tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
    SendMessageW(m_tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageW(m_tip, TTM_ACTIVATE, TRUE, 0);
}

void SkinTooltip::Relay(HWND tool, UINT message, WPARAM wParam, LPARAM lParam) const {
    if (!m_tip) return;
    MSG msg{tool, message, wParam, lParam, 0, {0, 0}};
    SendMessageW(m_tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

void SkinTooltip::Destroy() {
    if (m_tip) DestroyWindow(m_tip);
    m_tip = nullptr;
}

bool TrackButtonHover(HWND button, bool& hovering, WPARAM keys, LPARAM point) {
    const bool leftHeld = (keys & MK_LBUTTON) != 0;
    if (leftHeld && !hovering) return false;

    POINT at{static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
    HWND parent = GetParent(button);
    if (GetCapture() != button) {
        if (GetActiveWindow() && parent && IsWindow(parent)) {
            hovering = true;
            SetCapture(button);
            InvalidateRect(button, nullptr, FALSE);
        }
    } else {
        POINT screen = at;
        ClientToScreen(button, &screen);
        if (WindowFromPoint(screen) != button) {
            if (hovering) {
                hovering = false;
                InvalidateRect(button, nullptr, FALSE);
            }
            if (!leftHeld) ReleaseCapture();
        }
    }
    if (parent) {
        POINT inParent = at;
        MapWindowPoints(button, parent, &inParent, 1);
        PostMessageW(parent, WM_MOUSEMOVE, keys, MAKELPARAM(inParent.x, inParent.y));
    }
    return true;
}

bool HandleButtonHover(HWND button, bool& hovering, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE:
        return TrackButtonHover(button, hovering, wParam, lParam);
    case WM_CAPTURECHANGED:
        if (hovering) InvalidateRect(button, nullptr, FALSE);
        return true;
    case WM_KILLFOCUS:
        hovering = false;
        InvalidateRect(button, nullptr, FALSE);
        return true;
    }
    return true;
}
