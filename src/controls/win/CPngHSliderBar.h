// CPngHSliderBar: a horizontal image slider. The bar paints a background
// image given by its owner; its thumb (CPngHSlider) is a child window. A click
// on the bar jumps the thumb to the clicked place of the track; every change
// made by the user reaches the owner as WM_SLIDER_VALUE (value, identifier).
//
// After Create the owner sets the track, the bar's range, the thumb's range
// and limits, and the background, before the bar is first painted.
#pragma once

#include <memory>
#include <string>

#include "controls/win/CPngHSlider.h"

class CPngHSliderBar : public CWindow {
public:
    CPngHSliderBar() = default;
    ~CPngHSliderBar() override;

    // rect in the owner's client coordinates; range 0..10.
    bool Create(const std::wstring& thumbImagePath, HWND owner, UINT id, const RECT& rect);
    // The span (owner coordinates) that clicks are mapped onto.
    void SetTrack(int left, int right);
    void SetRange(int minimum, int maximum);
    ValueRange Range() const { return m_range; }
    // Takes the image; any previous background is deleted.
    void SetBackground(std::unique_ptr<Gdiplus::Bitmap> image);
    void SetPos(int value) { m_thumb.SetPos(value); }
    CPngHSlider& Thumb() { return m_thumb; }
    // The bar's own look (the thumb paints itself on top).
    void Draw(HDC dc) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::wstring m_thumbPath;
    int m_thumbWidth = 0, m_thumbHeight = 0;
    UINT m_id = 0;
    HWND m_owner = nullptr;
    RECT m_rect{};
    int m_trackLeft = 0, m_trackRight = 0;
    ValueRange m_range{0, 10};
    std::unique_ptr<Gdiplus::Bitmap> m_background;
    CPngHSlider m_thumb;
};
