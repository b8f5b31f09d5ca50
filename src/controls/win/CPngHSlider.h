// CPngHSlider: the thumb of an image slider. A child window of its bar that
// shows a PNG image at its natural size, shaped to the image's visible pixels
// (see controls/ThumbShape.h), and dragged with the left button. Every move
// while dragging posts WM_SLIDER_VALUE to the bar, which relays it.
#pragma once

#include <memory>
#include <string>

#include "controls/SliderMath.h"
#include "ui/Graphics.h"
#include "ui/Window.h"

// Posted by a slider: wParam the value, lParam the slider's identifier.
constexpr UINT WM_SLIDER_VALUE = 0x800;

class CPngHSlider : public CWindow {
public:
    CPngHSlider() = default;
    ~CPngHSlider() override;

    // Loads the image and creates the thumb at (leftBound, bottom − image
    // height) in the bar's client coordinates; range 1..10.
    bool Create(const std::wstring& imagePath, HWND bar, UINT id, int leftBound, int rightBound, int bottom);

    // A value outside the range becomes the minimum. Moves the thumb.
    void SetPos(int value);
    int GetPos() const { return m_value; }
    void SetRange(int minimum, int maximum);
    // The value is held within these while dragging.
    void SetLimits(int lower, int upper);
    ValueRange Range() const { return m_range; }

    bool Dragging() const { return m_dragging; }
    // The thumb's left edge in the bar's coordinates.
    int Left() const;
    void Draw(HDC dc) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Shape();
    void OnMouseMove(int x);

    std::unique_ptr<Gdiplus::Bitmap> m_image;
    int m_width = 0, m_height = 0;
    UINT m_id = 0;
    HWND m_bar = nullptr;
    int m_leftBound = 0, m_rightBound = 0, m_bottom = 0;
    ValueRange m_range{1, 10};
    ValueRange m_limits{1, 10};
    int m_value = 1;
    bool m_dragging = false;
    POINT m_grab{};
};
