#include "ui/Dialog.h"

#include <cstring>

namespace {

#pragma pack(push, 2)
struct EmptyTemplate {
    DLGTEMPLATE header;
    WORD menu;
    WORD windowClass;
    WORD title;
};
#pragma pack(pop)
static_assert(sizeof(DLGTEMPLATE) == 18);
static_assert(sizeof(EmptyTemplate) == 24);

}  // namespace

std::vector<DWORD> EmptyDialogTemplate(DWORD style) {
    EmptyTemplate t{};
    t.header.style = style;
    std::vector<DWORD> words((sizeof t + sizeof(DWORD) - 1) / sizeof(DWORD), 0);
    std::memcpy(words.data(), &t, sizeof t);
    return words;
}

CDialog::CDialog(UINT templateId, HWND parent) : m_parent(parent), m_templateId(templateId) {}

CDialog::~CDialog() { DestroyWindow(); }

HWND CDialog::CreateFromTemplate(HWND owner) {
    HINSTANCE module = ModuleInstance();
    m_ended = false;
    m_result = -1;
    if (FindResourceW(module, MAKEINTRESOURCEW(m_templateId), MAKEINTRESOURCEW(5) /* RT_DIALOG */))
        return CreateDialogParamW(module, MAKEINTRESOURCEW(m_templateId), owner, DialogProc,
                                  reinterpret_cast<LPARAM>(this));
    // The program's own empty template: a pop-up without caption bar or border.
    std::vector<DWORD> bytes = EmptyDialogTemplate(WS_POPUP);
    return CreateDialogIndirectParamW(module, reinterpret_cast<const DLGTEMPLATE*>(bytes.data()), owner,
                                      DialogProc, reinterpret_cast<LPARAM>(this));
}

bool CDialog::Create() {
    if (m_hWnd) return false;
    return CreateFromTemplate(m_parent) != nullptr && m_hWnd != nullptr;
}

INT_PTR CDialog::DoModal() {
    if (m_hWnd) return -1;
    HWND owner = m_parent ? GetAncestor(m_parent, GA_ROOT) : nullptr;
    bool reenable = owner && IsWindowEnabled(owner);
    if (reenable) EnableWindow(owner, FALSE);

    m_modal = true;
    if (!CreateFromTemplate(owner) || !m_hWnd) {
        m_modal = false;
        if (reenable) EnableWindow(owner, TRUE);
        return -1;
    }
    if (!m_ended && m_showWhenModal) {
        ShowWindow(m_hWnd, SW_SHOWNORMAL);
        UpdateWindow(m_hWnd);
    }

    while (!m_ended && m_hWnd) {
        MSG message;
        BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            // WM_QUIT belongs to the outer loop: leave it for that loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got == -1) break;
        if (PreTranslateChain(message)) continue;
        if (m_hWnd && IsDialogMessageW(m_hWnd, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }

    m_modal = false;
    // Give activation back to the owner before this window goes away.
    if (reenable) EnableWindow(owner, TRUE);
    if (m_hWnd) {
        if (owner && GetActiveWindow() == m_hWnd) SetActiveWindow(owner);
        ::DestroyWindow(m_hWnd);
    }
    return m_result;
}

void CDialog::EndDialog(INT_PTR result) {
    m_result = result;
    m_ended = true;
    if (m_modal) {
        if (m_hWnd) ShowWindow(m_hWnd, SW_HIDE);
        PostMessageW(nullptr, WM_NULL, 0, 0);  // wake the modal loop
    } else {
        DestroyWindow();
    }
}

bool CDialog::PreTranslateChain(MSG& message) {
    for (HWND hwnd = message.hwnd; hwnd && hwnd != m_hWnd; hwnd = GetParent(hwnd)) {
        if (CWindow* window = FromHandle(hwnd); window && window->PreTranslateMessage(message)) return true;
    }
    // The dialog itself sees every message of its loop, also those for
    // other windows of the thread.
    return m_hWnd && PreTranslateMessage(message);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            return 0;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return 0;
        }
    }
    return CWindow::WindowProc(message, wParam, lParam);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG) return FALSE;
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    if (!dialog || !dialog->Subclass(hwnd)) return TRUE;
    // From here on every message passes CWindow::StaticProc first; the
    // dialog class's procedure (and through it this function, which answers
    // FALSE) is the default handling.
    return dialog->OnInitDialog();
}
