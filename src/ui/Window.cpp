#include "ui/Window.h"

#include "ui/Menu.h"

namespace {

const wchar_t kObjectProperty[] = L"Q7T.WindowObject";
const wchar_t kClassName[] = L"Q7TWindow";

// Our own class routes WM_NCCREATE's creation parameter to the object.
LRESULT CALLBACK StartProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

bool RegisterOwnClass() {
    static bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = StartProc;
        wc.hInstance = ModuleInstance();
        wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
        wc.lpszClassName = kClassName;
        return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}

}  // namespace

HINSTANCE ModuleInstance() { return GetModuleHandleW(nullptr); }

namespace {

LRESULT CALLBACK StartProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        if (auto* object = static_cast<CWindow*>(create->lpCreateParams)) {
            // Bind through the public subclass path: it records DefWindowProcW
            // as the previous procedure because StartProc forwards to it.
            object->Subclass(hwnd);
            return SendMessageW(hwnd, message, wParam, lParam);
        }
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

CWindow::~CWindow() { DestroyWindow(); }

CWindow* CWindow::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<CWindow*>(GetPropW(hwnd, kObjectProperty)) : nullptr;
}

bool CWindow::CreateEx(DWORD exStyle, const wchar_t* title, DWORD style, const RECT& rect, HWND parent, UINT id) {
    if (m_hWnd || !RegisterOwnClass()) return false;
    HMENU menu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
    HWND hwnd = CreateWindowExW(exStyle, kClassName, title ? title : L"", style, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, parent, menu, ModuleInstance(), this);
    return hwnd != nullptr && m_hWnd == hwnd;
}

bool CWindow::CreateControl(const wchar_t* className, const wchar_t* title, DWORD style, const RECT& rect,
                            HWND parent, UINT id, DWORD exStyle) {
    if (m_hWnd) return false;
    HWND hwnd = CreateWindowExW(exStyle, className, title ? title : L"", style, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, parent,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ModuleInstance(), nullptr);
    if (!hwnd) return false;
    if (!Subclass(hwnd)) {
        ::DestroyWindow(hwnd);
        return false;
    }
    return true;
}

bool CWindow::Subclass(HWND hwnd) {
    if (m_hWnd || !hwnd || FromHandle(hwnd)) return false;
    auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    if (previous == StartProc) previous = DefWindowProcW;
    Bind(hwnd, previous);
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWindow::StaticProc));
    return true;
}

void CWindow::Bind(HWND hwnd, WNDPROC previous) {
    m_hWnd = hwnd;
    m_previousProc = previous;
    SetPropW(hwnd, kObjectProperty, this);
}

void CWindow::DestroyWindow() {
    if (m_hWnd) ::DestroyWindow(m_hWnd);
}

void CWindow::Invalidate() const {
    if (m_hWnd) InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CWindow::ModifyStyle(DWORD remove, DWORD add) const {
    if (!m_hWnd) return;
    LONG_PTR style = GetWindowLongPtrW(m_hWnd, GWL_STYLE);
    LONG_PTR changed = (style & ~LONG_PTR(remove)) | LONG_PTR(add);
    if (changed == style) return;
    SetWindowLongPtrW(m_hWnd, GWL_STYLE, changed);
    SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

UINT_PTR CWindow::SetTimer(UINT_PTR id, UINT milliseconds) const {
    return m_hWnd ? ::SetTimer(m_hWnd, id, milliseconds, nullptr) : 0;
}

void CWindow::KillTimer(UINT_PTR id) const {
    if (m_hWnd) ::KillTimer(m_hWnd, id);
}

LRESULT CWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultProc(message, wParam, lParam);
}

LRESULT CWindow::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC previous = m_previousProc ? m_previousProc : DefWindowProcW;
    return CallWindowProcW(previous, m_hWnd, message, wParam, lParam);
}

bool CWindow::OnReflected(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

bool CWindow::PreTranslateMessage(MSG&) { return false; }

bool CWindow::Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND control = nullptr;
    switch (message) {
    case WM_COMMAND:
        control = reinterpret_cast<HWND>(lParam);
        break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        control = reinterpret_cast<HWND>(lParam);
        break;
    case WM_DRAWITEM: {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (draw->CtlType == ODT_MENU) {
            CMenu* menu = CMenu::FromHandle(reinterpret_cast<HMENU>(draw->hwndItem));
            if (!menu) return false;
            menu->DrawItem(draw);
            result = TRUE;
            return true;
        }
        control = draw->hwndItem;
        break;
    }
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure->CtlType != ODT_MENU) return false;
        CMenu* menu = CMenu::Tracking();
        if (!menu) return false;
        menu->MeasureItem(measure);
        result = TRUE;
        return true;
    }
    default:
        return false;
    }
    CWindow* object = FromHandle(control);
    return object && object->OnReflected(message, wParam, lParam, result);
}

LRESULT CALLBACK CWindow::StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWindow* object = FromHandle(hwnd);
    if (!object) return DefWindowProcW(hwnd, message, wParam, lParam);

    LRESULT result = 0;
    if (Reflect(message, wParam, lParam, result)) return result;

    if (message == WM_NCDESTROY) {
        LRESULT done = object->WindowProc(message, wParam, lParam);
        // Unbind after the class's own clean-up has run.
        RemovePropW(hwnd, kObjectProperty);
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(object->m_previousProc));
        object->m_hWnd = nullptr;
        object->m_previousProc = nullptr;
        object->OnFinalMessage();
        return done;
    }
    return object->WindowProc(message, wParam, lParam);
}
