// CPngHProgressBar: a horizontal bar showing its position as the filled part
// of a fill image over a background image. While interactive and not
// disabled it can be dragged; the release posts WM_PROGRESS_POSITION to the
// owner. The write progress dialog disables it and uses it as a plain bar.
#pragma once

#include <memory>

#include "controls/SliderMath.h"
#include "ui/Graphics.h"
#include "ui/Window.h"

// Posted at the release: wParam the new position, lParam kProgressBarId.
constexpr UINT WM_PROGRESS_POSITION = 0x450;
constexpr UINT kProgressBarId = 769;

class CPngHProgressBar : public CWindow {
public:
    CPngHProgressBar() = default;
    ~CPngHProgressBar() override;

    // rect in the owner's client coordinates; range 0..10, position 0, interactive.
    bool Create(const RECT& rect, HWND owner);
    // Both images become copies of (x, y, width, height) of the sources; a
    // null source gives no image.
    void SetImages(int x, int y, int width, int height, Gdiplus::Bitmap* background, Gdiplus::Bitmap* fill);

    int FillWidth() const;
    bool Dragging() const { return m_dragging; }
    void Draw(HDC dc) const;

    // Set directly by the owner, who then repaints the bar.
    int minimum = 0;
    int maximum = 10;
    int position = 0;
    bool disabled = false;
    bool interactive = true;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int PositionAt(LPARAM point) const;

    HWND m_owner = nullptr;
    RECT m_rect{};
    std::unique_ptr<Gdiplus::Bitmap> m_background, m_fill;
    bool m_dragging = false;
    POINT m_grab{};
};
