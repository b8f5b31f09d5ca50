// The outline of the slider thumb: the thumb image is composed over opaque
// black, the colour of its top-left pixel is the key, and every pixel of the
// key colour lies outside the thumb. Transparent pixels therefore fall
// outside, and so does any pixel of exactly the key colour.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

// One premultiplied-over-black pixel, 0x00RRGGBB, from a straight 0xAARRGGBB.
std::uint32_t ComposeOverBlack(std::uint32_t argb);

// A horizontal run [left, right) of pixels of row y that belong to the thumb.
struct PixelRun {
    int y;
    int left;
    int right;
    bool operator==(const PixelRun&) const = default;
};

// The runs of an image of width × height straight ARGB pixels, row by row.
// An empty image has no runs.
std::vector<PixelRun> ThumbRuns(std::span<const std::uint32_t> argb, int width, int height);
