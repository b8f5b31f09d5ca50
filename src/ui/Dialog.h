// CDialog: a window made from a dialog template, run modeless (Create) or
// modally (DoModal). Every window of the program is a dialog on an empty
// pop-up template whose controls are made in code; when the module holds no
// template of the given identifier, the same empty template is built in
// memory, so a dialog never depends on the resource script to exist.
//
// DoModal runs our own modal loop instead of the platform's: the owner is
// disabled, each message is first offered to PreTranslateMessage of the
// window it is meant for and of each of its parents up to the dialog (any of
// them may discard it, e.g. Enter and Escape), then to the dialog-key
// handling, and the loop ends when EndDialog is called or the window is
// destroyed.
// Enter and Escape reach the dialog as IDOK and IDCANCEL, which end it with
// those codes unless OnOK/OnCancel are overridden.
#pragma once

#include <vector>

#include "ui/Window.h"

class CDialog : public CWindow {
public:
    CDialog(UINT templateId, HWND parent);
    ~CDialog() override;

    // Modal run; returns the EndDialog code, or -1 when the window cannot be made.
    INT_PTR DoModal();
    // Modeless creation (the window stays hidden unless its template is visible).
    bool Create();
    void EndDialog(INT_PTR result);


protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    HWND m_parent;
    // DoModal shows the window after OnInitDialog unless the dialog cleared
    // this there (a window that decides itself when it is seen, such as one
    // that lives hidden in the notification area).
    bool m_showWhenModal = true;

private:
    bool PreTranslateChain(MSG& message);
    HWND CreateFromTemplate(HWND owner);
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    UINT m_templateId;
    bool m_modal = false;
    bool m_ended = false;
    INT_PTR m_result = -1;
};

// The bytes of an empty dialog template (no controls, no menu, no class, no
// title) with the given window style, DWORD-aligned for the platform.
std::vector<DWORD> EmptyDialogTemplate(DWORD style);
