// CBitmapEdit: a borderless single-line number box that shows its owner's
// skin behind its text and keeps its number within a range. Every change of
// text, its own corrections included, posts WM_EDIT_TEXT_CHANGED to the
// parent. The box learns of changes through the EN_CHANGE its parent
// reflects to it, so its parent must be a framework window.
#pragma once

#include <memory>

#include "ui/Graphics.h"
#include "ui/Window.h"

// Posted to the parent: wParam the box's window, lParam its identifier.
constexpr UINT WM_EDIT_TEXT_CHANGED = 0x802;

// Text and background colour of the box.
constexpr COLORREF kEditTextColor = 0x675F58;

class CBitmapEdit : public CWindow {
public:
    CBitmapEdit() = default;
    ~CBitmapEdit() override;

    // Child + visible + numbers only + automatic horizontal scrolling, at
    // rect (owner client coordinates). Limits the text to 256 characters,
    // makes its font and drops the border and tab-stop styles.
    bool Create(const RECT& rect, HWND owner, UINT id);
    // The background: a copy of (x, y, width, height) of `skin`.
    void SetBackground(HBITMAP skin, int x, int y, int width, int height);

    // Set directly after creation.
    int minimum = 0;
    int maximum = 10;
    int fontHeight = 12;  // used when the window is created

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnTextChanged();

    HBRUSH m_brush = nullptr;
    HBITMAP m_background = nullptr;
    HFONT m_font = nullptr;
};
