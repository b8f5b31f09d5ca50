// CWindow: the framework's window object. One C++ object is bound to one HWND
// for the window's life; its virtual WindowProc receives every message and
// passes what it does not handle to DefaultProc (the class's own procedure
// for subclassed standard controls, DefWindowProcW for our own class).
//
// Notifications that a control sends to its parent (WM_COMMAND, WM_DRAWITEM,
// WM_CTLCOLOR*) are first offered to the control's own object through
// OnReflected, so that a control draws and colours itself wherever it is
// placed; only when the control declines does the parent see the message.
// Owner-drawn menu items are routed to their CMenu object (ui/Menu.h).
//
// Everything here runs on the UI thread.
#pragma once

#include <windows.h>

class CWindow {
public:
    CWindow() = default;
    virtual ~CWindow();
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;

    HWND Hwnd() const { return m_hWnd; }
    // The object bound to `hwnd`, or null.
    static CWindow* FromHandle(HWND hwnd);

    // Creates a window of the framework's own class (double clicks on, no
    // background brush: every window paints itself).
    bool CreateEx(DWORD exStyle, const wchar_t* title, DWORD style, const RECT& rect, HWND parent, UINT id);
    // Creates a window of a standard class (L"BUTTON", L"EDIT") and subclasses it.
    bool CreateControl(const wchar_t* className, const wchar_t* title, DWORD style, const RECT& rect, HWND parent,
                       UINT id, DWORD exStyle = 0);
    // Binds this object to an existing window by replacing its procedure.
    bool Subclass(HWND hwnd);
    void DestroyWindow();

    void Invalidate() const;
    void ModifyStyle(DWORD remove, DWORD add) const;
    UINT_PTR SetTimer(UINT_PTR id, UINT milliseconds) const;
    void KillTimer(UINT_PTR id) const;

    // Offered every message of a modal loop (ui/Dialog.h) that is meant for
    // this window or one of its children, before dispatch; return true to
    // discard it (pages drop Enter, Escape and Space this way).
    virtual bool PreTranslateMessage(MSG& message);

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
    // A notification this control sent to its parent; return true and set
    // `result` to answer it here.
    virtual bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // After WM_NCDESTROY, when the object is no longer bound.
    virtual void OnFinalMessage() {}

    HWND m_hWnd = nullptr;

private:
    friend class CDialog;
    void Bind(HWND hwnd, WNDPROC previous);
    static LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static bool Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    WNDPROC m_previousProc = nullptr;
};

// The module the program's resources come from.
HINSTANCE ModuleInstance();
