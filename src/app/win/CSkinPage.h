// The common ground of the main window's four pages: a child dialog from its
// template that paints its background bitmap (the page's normal look) and
// erases nothing else. The pages' controls are made by the page classes.
#pragma once

#include <windows.h>

#include "ui/Dialog.h"

class CSkinPage : public CDialog {
public:
    CSkinPage(UINT templateId, UINT backgroundBitmap, HWND parent);
    ~CSkinPage() override;

    // Creates the page hidden at `rect` (client coordinates of the parent).
    bool CreatePage(const RECT& rect);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // A page never ends: Enter and Escape do not close it.
    void OnOK() override {}
    void OnCancel() override {}

private:
    void Paint();

    UINT m_backgroundId;
    HBITMAP m_background = nullptr;
};
